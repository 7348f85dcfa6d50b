#!/usr/bin/env python3
"""Writes the message window's row icons: six 12x12 16-colour images and their
monochrome masks (black where the image shows, white where the row stays).

Run from anywhere; the .bmp files land next to this script:
    python3 resources/commander/make_status_icons.py
Standard library only. The pictures are drawn below as character grids.
"""
import os
import struct

# The 16-colour palette in the usual Windows order, as (r, g, b).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# Grid letters to palette positions; '.' is transparent (white in the mask).
INK = {'k': 0, 'd': 1, 'o': 3, 'n': 4, 's': 7, 'g': 8, 'r': 9, 'y': 11, 'b': 12, 'c': 14, 'w': 15}

INFO = """
....bbbb....
..bbbbbbbb..
.bbbbwwbbbb.
.bbbbwwbbbb.
bbbbbbbbbbbb
bbbbwwwbbbbb
bbbbbwwbbbbb
bbbbbwwbbbbb
.bbbbwwbbbb.
.bbbwwwwbbb.
..bbbbbbbb..
....bbbb....
"""

WARNING = """
.....oo.....
....oyyo....
....oyyo....
...oykkyo...
...oykkyo...
..oyykkyyo..
..oyykkyyo..
.oyyyyyyyyo.
.oyyykkyyyo.
oyyyykkyyyyo
oyyyyyyyyyyo
oooooooooooo
"""

ERROR = """
....rrrr....
..rrrrrrrr..
.rrrrrrrrrr.
.rrwwrrwwrr.
rrrrwwwwrrrr
rrrrrwwrrrrr
rrrrrwwrrrrr
rrrrwwwwrrrr
.rrwwrrwwrr.
.rrrrrrrrrr.
..rrrrrrrr..
....rrrr....
"""

CLIENT = """
kkkkkkkkkkkk
kssssssssssk
ksnnnnnnnnsk
ksnccnnnnnsk
ksnnnnnnnnsk
ksnnnnnnnnsk
ksnnnnnnnnsk
kssssssssssk
kkkkkkkkkkkk
....kssk....
..kkkkkkkk..
..kssssssk..
"""

SERVER = """
kkkkkkkkkkkk
kssssssssssk
ksnnnnnrrrsk
ksnccnnrrrsk
ksnnnnnrrrsk
ksnnnnnnnnsk
ksnnnnnnnnsk
kssssssssssk
kkkkkkkkkkkk
....kssk....
..kkkkkkkk..
..kssssssk..
"""

CLOCK = """
...kkkkkk...
..kwwwwwwk..
.kwwwkwwwwk.
kwwwwkwwwwwk
kwwwwkwwwwwk
kwwwwkwwwwwk
kwwwwwkkwwwk
kwwwwwwwkwwk
kwwwwwwwwwwk
.kwwwwwwwwk.
..kwwwwwwk..
...kkkkkk...
"""

# (file stem, grid) in message-code order "0" to "5": bitmaps 100/101, 102/103, ...
ICONS = [("info", INFO), ("warning", WARNING), ("error", ERROR),
         ("client", CLIENT), ("server", SERVER), ("progress", CLOCK)]

SIZE = 12


def rows_of(grid):
    rows = [line for line in grid.strip("\n").split("\n")]
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        raise ValueError("every picture is 12 by 12")
    return rows


def bmp(bits_per_pixel, palette, rows_bottom_up):
    """A BITMAPINFOHEADER .bmp file from packed rows (each already padded to 4 bytes)."""
    image = b"".join(rows_bottom_up)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, bits_per_pixel, 0, len(image),
                       2835, 2835, len(palette), len(palette))
    return header + info + colours + image


def pad(row):
    return row + b"\0" * (-len(row) % 4)


def image_file(rows):
    packed = []
    for row in reversed(rows):
        nibbles = [INK.get(ch, 0) for ch in row]
        packed.append(pad(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2))))
    return bmp(4, PALETTE, packed)


def mask_file(rows):
    packed = []
    for row in reversed(rows):
        value = 0
        for ch in row:
            value = (value << 1) | (1 if ch == '.' else 0)
        value <<= 16 - SIZE
        packed.append(pad(struct.pack(">H", value)))
    return bmp(1, [(0, 0, 0), (0xFF, 0xFF, 0xFF)], packed)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for stem, grid in ICONS:
        rows = rows_of(grid)
        for name, data in ((stem + ".bmp", image_file(rows)), (stem + "_mask.bmp", mask_file(rows))):
            with open(os.path.join(here, "status_" + name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
