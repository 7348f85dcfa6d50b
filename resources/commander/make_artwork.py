#!/usr/bin/env python3
"""Writes the commander's program icon and the picture of its About box:

    tarncmd.ico  icon resource 1: 32x32 and 16x16, 16 colours
    about.bmp    bitmap resource 9: 398x142, monochrome

Standard library only, and deterministic: the same script writes the same bytes.
The generated files are kept in the repository, so the build needs no Python.
    python3 resources/commander/make_artwork.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16-colour palette in the usual Windows order, as (r, g, b).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, TEAL, SILVER, GREY, YELLOW, BLUE, AQUA, WHITE = 0, 4, 6, 7, 8, 11, 12, 14, 15


def row_bytes(bits_per_pixel, width):
    """Bytes of one BMP row: rows are padded to whole 32-bit words."""
    return ((width * bits_per_pixel + 31) // 32) * 4


def pack_rows(pixels, width, height, bits_per_pixel):
    """Bottom-up packed rows of palette indices (pixels[y][x], top row first)."""
    out = bytearray()
    per_byte = 8 // bits_per_pixel
    size = row_bytes(bits_per_pixel, width)
    for y in range(height - 1, -1, -1):
        row = bytearray(size)
        for x in range(width):
            shift = (per_byte - 1 - x % per_byte) * bits_per_pixel
            row[x // per_byte] |= pixels[y][x] << shift
        out += row
    return bytes(out)


def info_header(width, height, bits_per_pixel, image_size, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits_per_pixel, 0, image_size, 2835, 2835,
                       colours, colours)


def palette_bytes(colours):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)


def write_bmp(path, pixels, width, height, bits_per_pixel, colours):
    bits = pack_rows(pixels, width, height, bits_per_pixel)
    header = info_header(width, height, bits_per_pixel, len(bits), len(colours)) + palette_bytes(colours)
    offset = 14 + len(header)
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset))
        f.write(header)
        f.write(bits)


def write_ico(path, images):
    """images: list of (size, pixels, mask) with 16-colour pixels and a 1 = transparent mask."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, pixels, mask in images:
        xor = pack_rows(pixels, size, size, 4)
        andmask = pack_rows(mask, size, size, 1)
        # An icon image's header counts the colour and mask halves together.
        blob = info_header(size, size * 2, 4, len(xor) + len(andmask), 0) + palette_bytes(PALETTE) + xor + andmask
        entries.append(struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)))
        for e in entries:
            f.write(e)
        for b in blobs:
            f.write(b)


# --- The program icon: a down arrow into a tray, over a globe-blue disc -------------

def icon_image(size):
    """Drawn on a 32-unit grid and sampled at the icon's size."""
    scale = 32.0 / size
    pixels = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]

    def put(x, y, colour):
        pixels[y][x] = colour
        mask[y][x] = 0

    for y in range(size):
        for x in range(size):
            u, v = (x + 0.5) * scale, (y + 0.5) * scale
            d2 = (u - 16) ** 2 + (v - 14) ** 2
            if d2 <= 13.5 ** 2:
                edge = d2 > 12.0 ** 2
                # Two meridian-like bands give the disc the look of a globe.
                band = abs(u - 16) < 1.2 or abs(v - 14) < 1.0
                put(x, y, NAVY if edge else (AQUA if band else BLUE))
            # The arrow: a shaft and a head pointing down into the tray.
            if 13 <= u < 19 and 5 <= v < 17:
                put(x, y, YELLOW if 14 <= u < 18 and v >= 6 else BLACK)
            if 17 <= v < 24 and abs(u - 16) <= (24 - v) * 1.1:
                inner = abs(u - 16) <= (24 - v) * 1.1 - 1.3 and v < 23
                put(x, y, YELLOW if inner else BLACK)
            # The tray the arrow lands in.
            if 25 <= v < 30 and 4 <= u < 28 and (v >= 28 or u < 6 or u >= 26):
                put(x, y, GREY if v >= 29 else SILVER)
    return size, pixels, mask


# --- The About picture: the program's name and a transfer between two machines ------

# A 5x7 letter set, drawn for this picture.
GLYPHS = {
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'C': ['01110', '10001', '10000', '10000', '10000', '10001', '01110'],
    'D': ['11100', '10010', '10001', '10001', '10001', '10010', '11100'],
    'E': ['11111', '10000', '10000', '11110', '10000', '10000', '11111'],
    'L': ['10000', '10000', '10000', '10000', '10000', '10000', '11111'],
    'M': ['10001', '11011', '10101', '10101', '10001', '10001', '10001'],
    'N': ['10001', '11001', '10101', '10011', '10001', '10001', '10001'],
    'O': ['01110', '10001', '10001', '10001', '10001', '10001', '01110'],
    'R': ['11110', '10001', '10001', '11110', '10100', '10010', '10001'],
    'T': ['11111', '00100', '00100', '00100', '00100', '00100', '00100'],
    'W': ['10001', '10001', '10001', '10101', '10101', '10101', '01010'],
    ' ': ['00000'] * 7,
}

ABOUT_W, ABOUT_H = 398, 142


def about_picture():
    ink = [[False] * ABOUT_W for _ in range(ABOUT_H)]

    def dot(x, y):
        if 0 <= x < ABOUT_W and 0 <= y < ABOUT_H:
            ink[y][x] = True

    def box(x0, y0, x1, y1, filled=False):
        for y in range(y0, y1):
            for x in range(x0, x1):
                if filled or y in (y0, y1 - 1) or x in (x0, x1 - 1):
                    dot(x, y)

    def text(s, x, y, scale, bold):
        for ch in s:
            for gy, line in enumerate(GLYPHS[ch]):
                for gx, bit in enumerate(line):
                    if bit == '1':
                        box(x + gx * scale, y + gy * scale, x + (gx + 1) * scale + bold, y + (gy + 1) * scale, True)
            x += 6 * scale

    def machine(x, y):
        box(x, y, x + 44, y + 32)            # screen frame
        box(x + 3, y + 3, x + 41, y + 29)    # screen
        for k in range(7, 26, 4):             # lines of text on the screen
            box(x + 6, y + k, x + 6 + (k * 7) % 29 + 6, y + k + 1, True)
        box(x + 18, y + 32, x + 26, y + 37, True)  # neck
        box(x + 8, y + 37, x + 36, y + 40, True)   # foot

    # The visible part of the About box shows roughly the top-left 290 by 110 pixels.
    text('TARNWELL', 12, 8, 4, 1)
    text('COMMANDER', 14, 42, 2, 0)
    machine(14, 64)
    machine(226, 64)
    # Packets travelling between the two machines along a dotted line, with an arrow head.
    for x in range(64, 218):
        if x % 4 < 2:
            dot(x, 82)
    for k, x in enumerate(range(80, 200, 30)):
        box(x, 78 - k % 2 * 2, x + 12, 87 - k % 2 * 2, True)
    for i in range(8):
        box(214 - i, 82 - i, 215 - i, 83 + i, True)
    # A wave pattern along the bottom and right edges, where the box crops the picture.
    for x in range(ABOUT_W):
        for base in (118, 128, 138):
            y = base + int(round(3 * ((x // 6) % 2 * 2 - 1) * ((x % 6) / 6.0)))
            dot(x, y)
    for y in range(0, 112):
        for base in (300, 320, 340, 360, 380):
            if (y + base) % 8 < 4:
                dot(base + (y // 8) % 3, y)
    box(0, 0, ABOUT_W, ABOUT_H)
    # Black ink on white paper: palette index 0 is black, 1 is white.
    return [[0 if ink[y][x] else 1 for x in range(ABOUT_W)] for y in range(ABOUT_H)]


def main():
    write_ico(os.path.join(HERE, 'tarncmd.ico'), [icon_image(32), icon_image(16)])
    write_bmp(os.path.join(HERE, 'about.bmp'), about_picture(), ABOUT_W, ABOUT_H, 1,
              [(0, 0, 0), (0xFF, 0xFF, 0xFF)])


if __name__ == '__main__':
    main()
