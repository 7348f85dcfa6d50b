#!/usr/bin/env python3
"""Draws the configuration editor's artwork: the program icon (tarncfg.ico, 32x32 and
16x16, 16 colours) and the About box picture (about.bmp, 398x142, 1 bit per pixel).

Everything is computed from fixed shapes, so every run writes the same bytes; the
generated files are kept in the repository beside this script. The file writers are
the commander's (resources/commander/make_artwork.py). Run it from anywhere:
    python3 resources/config_editor/make_artwork.py
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # leave no cache beside the other script
sys.path.insert(0, os.path.join(HERE, '..', 'commander'))
from make_artwork import write_bmp, write_ico  # noqa: E402  (the commander's writers)

# Positions in the 16-colour palette that the writers use.
BLACK, DARK_CYAN, LIGHT_GREY, DARK_GREY, YELLOW, BLUE, CYAN, WHITE = 0, 6, 7, 8, 11, 12, 14, 15
TRANSPARENT = -1


def inside(polygon, x, y):
    """Even-odd test of the point (x, y) against a closed polygon."""
    result = False
    n = len(polygon)
    for i in range(n):
        x1, y1 = polygon[i]
        x2, y2 = polygon[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            result = not result
    return result


# ---------------------------------------------------------------- icon

def icon_pixels(size):
    """Palette indices, row 0 at the top: a mountain tarn under a sun on a teal tile."""
    s = size / 32.0
    far = [(12 * s, 23 * s), (21.5 * s, 10 * s), (31 * s, 23 * s)]
    near = [(2 * s, 23 * s), (13 * s, 5 * s), (24 * s, 23 * s)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            corner = 3 * s
            # Rounded tile: outside the rounded corners stays transparent.
            cx = min(max(px, corner), size - corner)
            cy = min(max(py, corner), size - corner)
            d = ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5
            if d > corner:
                row.append(TRANSPARENT)
                continue
            if d > corner - 1.0 and (px < corner or px > size - corner or py < corner or py > size - corner):
                row.append(BLACK)
                continue
            if px < 1 or py < 1 or px > size - 1 or py > size - 1:
                row.append(BLACK)
                continue
            colour = DARK_CYAN
            if (px - 25 * s) ** 2 + (py - 7 * s) ** 2 <= (3.2 * s) ** 2:
                colour = YELLOW
            if inside(far, px, py):
                colour = LIGHT_GREY if py > 14 * s else WHITE
            if inside(near, px, py):
                colour = DARK_GREY if py > 10.5 * s else WHITE
            if py >= 23 * s:
                colour = BLUE
                band = int((py - 23 * s) / (2 * s))
                if band % 2 == 0 and (int(px / (3 * s)) + band) % 3 == 0:
                    colour = CYAN
            row.append(colour)
        rows.append(row)
    return rows


def icon_image(size):
    """(size, pixels, mask) as the icon writer takes them; mask 1 is transparent."""
    rows = icon_pixels(size)
    pixels = [[0 if c == TRANSPARENT else c for c in row] for row in rows]
    mask = [[1 if c == TRANSPARENT else 0 for c in row] for row in rows]
    return size, pixels, mask


# ---------------------------------------------------------------- About picture

# A 5x7 capital font for the few characters the picture writes.
FONT = {
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'C': ['01111', '10000', '10000', '10000', '10000', '10000', '01111'],
    'E': ['11111', '10000', '10000', '11110', '10000', '10000', '11111'],
    'F': ['11111', '10000', '10000', '11110', '10000', '10000', '10000'],
    'G': ['01111', '10000', '10000', '10011', '10001', '10001', '01111'],
    'I': ['11111', '00100', '00100', '00100', '00100', '00100', '11111'],
    'L': ['10000', '10000', '10000', '10000', '10000', '10000', '11111'],
    'N': ['10001', '11001', '10101', '10011', '10001', '10001', '10001'],
    'O': ['01110', '10001', '10001', '10001', '10001', '10001', '01110'],
    'R': ['11110', '10001', '10001', '11110', '10100', '10010', '10001'],
    'T': ['11111', '00100', '00100', '00100', '00100', '00100', '00100'],
    'W': ['10001', '10001', '10001', '10101', '10101', '10101', '01010'],
    ' ': ['00000'] * 7,
}

PICTURE_W, PICTURE_H = 398, 142
HORIZON = 96


def ridge(x):
    """Height of the mountain line above the horizon at column x: low on the left, where the
    title stands, rising to two peaks further right."""
    peaks = [(-20, 10, 60), (70, 22, 50), (150, 34, 55), (232, 78, 70), (300, 56, 50), (372, 70, 60)]
    return max(max(0.0, h - abs(x - px) * h / w) for px, h, w in peaks)


def picture_pixels():
    """Palette indices, 1 for white and 0 for black, row 0 at the top."""
    rows = [[1] * PICTURE_W for _ in range(PICTURE_H)]
    for x in range(PICTURE_W):
        height = ridge(x)
        top = HORIZON - height
        for y in range(PICTURE_H):
            if y < HORIZON:
                if y >= top:
                    # Snow on the high peaks down to a toothed edge, under a drawn ridge.
                    snow_line = top + 12 + ((x // 3) % 3) * 2
                    snow = height > 44 and top + 2 <= y < snow_line
                    rows[y][x] = 1 if snow else 0
            else:
                # The lake: the mountains mirrored in every third line, and a few ripples.
                depth = y - HORIZON
                mirrored = depth < height * 0.55 and depth % 3 == 0
                ripple = depth > 4 and depth % 7 == 0 and ((x + depth * 5) // 11) % 3 == 0
                if mirrored or ripple:
                    rows[y][x] = 0
    # The shore line.
    for x in range(PICTURE_W):
        rows[HORIZON][x] = 0
    draw_text(rows, 'TARNWELL', 12, 12, 4)
    draw_text(rows, 'CONFIG', 14, 48, 2)
    return rows


def draw_text(rows, text, left, top, scale):
    x = left
    for ch in text:
        glyph = FONT[ch]
        for gy, line in enumerate(glyph):
            for gx, bit in enumerate(line):
                if bit == '1':
                    for dy in range(scale):
                        for dx in range(scale):
                            rows[top + gy * scale + dy][x + gx * scale + dx] = 0
        x += 6 * scale


def main():
    write_ico(os.path.join(HERE, 'tarncfg.ico'), [icon_image(32), icon_image(16)])
    # Palette index 0 is black ink, 1 white paper.
    write_bmp(os.path.join(HERE, 'about.bmp'), picture_pixels(), PICTURE_W, PICTURE_H, 1,
              [(0, 0, 0), (255, 255, 255)])


if __name__ == '__main__':
    main()
