#!/usr/bin/env python3
"""Draws the pictures of Pictavo.dll.

    make_pictures.py OUTPUT_FOLDER

writes into OUTPUT_FOLDER:
  pictavo.ico     icon 107: 16x16 and 32x32 images, 32-bit with alpha
  finish_ltr.bmp  bitmap 1008: background of the finish dialog (dialog 104)
  finish_rtl.bmp  bitmap 112: the same picture mirrored left to right, for
                  right-to-left languages whose dialogs are mirrored

Only the standard library is used, and the output is the same on every run.

The background covers the area of dialog 104 above its separator line: the
dialog is 333 dialog units wide and the separator lies at y = 192 units. The
dialog font, 8-point MS Sans Serif, has base units of 6 x 13 pixels at 96 DPI,
so one unit is 6/4 pixels across and 13/8 pixels down:
    width  = MulDiv(333, 6, 4) = 500 pixels
    height = MulDiv(192, 13, 8) = 312 pixels
The dialog texts start at x = 118 units (177 pixels) and are drawn transparently
in the default dark colour, so the picture keeps a coloured band on the left
and stays light under the texts.
"""

import math
import os
import struct
import sys


def mul_div(value, numerator, denominator):
    """Win32 MulDiv for non-negative values: rounds halves away from zero."""
    return (value * numerator * 2 + denominator) // (denominator * 2)


DIALOG_WIDTH_DLU = 333
SEPARATOR_Y_DLU = 192
BASE_UNIT_X, BASE_UNIT_Y = 6, 13
TEXT_LEFT_DLU = 118

WIDTH = mul_div(DIALOG_WIDTH_DLU, BASE_UNIT_X, 4)
HEIGHT = mul_div(SEPARATOR_Y_DLU, BASE_UNIT_Y, 8)
TEXT_LEFT = mul_div(TEXT_LEFT_DLU, BASE_UNIT_X, 4)
BAND_WIDTH = TEXT_LEFT - 13  # a margin between the band and the texts

# Palette: a calm blue fading into teal, and near-white for the text area.
DEEP_BLUE = (24, 62, 112)
TEAL = (34, 132, 140)
PAPER_TOP = (255, 255, 255)
PAPER_BOTTOM = (232, 240, 246)
WHITE = (255, 255, 255)

# 4x4 ordered dither, so that the long gentle gradients show no bands.
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def clamp(value, low=0.0, high=1.0):
    return max(low, min(high, value))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def smoothstep(edge0, edge1, x):
    t = clamp((x - edge0) / (edge1 - edge0))
    return t * t * (3 - 2 * t)


def coverage(distance):
    """Share of a pixel covered by a shape whose signed distance is given."""
    return clamp(0.5 - distance)


def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def sd_ring(x, y, cx, cy, r, thickness):
    return abs(sd_circle(x, y, cx, cy, r)) - thickness / 2


def sd_round_rect(x, y, cx, cy, half_w, half_h, radius):
    qx = abs(x - cx) - half_w + radius
    qy = abs(y - cy) - half_h + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def sd_polygon(x, y, points):
    """Signed distance to a simple polygon (negative inside)."""
    d = float("inf")
    inside = False
    n = len(points)
    for i in range(n):
        ax, ay = points[i]
        bx, by = points[i - 1]
        ex, ey = bx - ax, by - ay
        wx, wy = x - ax, y - ay
        t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
        d = min(d, math.hypot(wx - ex * t, wy - ey * t))
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return -d if inside else d


def quantise(colour, x, y):
    offset = (BAYER[y % 4][x % 4] + 0.5) / 16 - 0.5
    return tuple(int(clamp(round(c + offset), 0, 255)) for c in colour)


# ---------------------------------------------------------------- background

def background_pixel(x, y):
    px, py = x + 0.5, y + 0.5

    # Light paper under the texts, slightly cooler towards the bottom.
    colour = mix(PAPER_TOP, PAPER_BOTTOM, py / HEIGHT)
    # A faint wide arc in the lower right echoes the motif of the band.
    arc = coverage(sd_ring(px, py, WIDTH + 40, HEIGHT + 70, 230, 22))
    colour = mix(colour, (214, 229, 238), 0.3 * arc)

    # Soft shadow to the right of the band.
    shadow = 1 - smoothstep(BAND_WIDTH, BAND_WIDTH + 8, px)
    colour = mix(colour, (205, 216, 226), 0.5 * shadow)

    band = coverage(px - BAND_WIDTH)
    if band > 0:
        t = py / HEIGHT
        band_colour = mix(DEEP_BLUE, TEAL, smoothstep(0.0, 1.0, 0.85 * t + 0.15 * px / BAND_WIDTH))

        # Ripples spreading from a phone: connecting a device to the computer.
        cx, cy = BAND_WIDTH / 2, HEIGHT * 0.56
        for radius, strength in ((34, 0.30), (52, 0.22), (70, 0.15), (88, 0.09)):
            ring = coverage(sd_ring(px, py, cx, cy, radius, 3.0))
            # only the upper half of each ring, fading towards its ends
            fade = smoothstep(cy + 4, cy - 30, py)
            band_colour = mix(band_colour, WHITE, strength * ring * fade)

        phone = coverage(sd_round_rect(px, py, cx, cy + 8, 13, 22, 5))
        screen = coverage(sd_round_rect(px, py, cx, cy + 5, 9.5, 14, 2))
        button = coverage(sd_circle(px, py, cx, cy + 24.5, 2.2))
        band_colour = mix(band_colour, WHITE, 0.92 * phone)
        band_colour = mix(band_colour, mix(TEAL, DEEP_BLUE, 0.35), 0.9 * screen)
        band_colour = mix(band_colour, mix(TEAL, WHITE, 0.4), 0.8 * button)

        # A thin light edge where the band meets the paper.
        edge = coverage(abs(px - (BAND_WIDTH - 1.5)) - 0.75)
        band_colour = mix(band_colour, (120, 190, 200), 0.6 * edge)
        colour = mix(colour, band_colour, band)

    return quantise(colour, x, y)


def draw_background():
    """Rows of (r, g, b) tuples, top row first."""
    return [[background_pixel(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]


def bmp_bytes(rows):
    """24-bit bottom-up BMP file."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


# ---------------------------------------------------------------------- icon

def icon_pixel(size, x, y):
    """(r, g, b, a) of one icon pixel, supersampled 4 x 4."""
    s = size / 32.0  # the icon is designed on a 32 x 32 grid
    arrow = [(16, 24.5), (7.5, 15.5), (12.5, 15.5), (12.5, 6), (19.5, 6), (19.5, 15.5), (24.5, 15.5)]
    acc = [0.0, 0.0, 0.0, 0.0]
    for sy in range(4):
        for sx in range(4):
            gx = (x + (sx + 0.5) / 4) / s
            gy = (y + (sy + 0.5) / 4) / s
            if sd_round_rect(gx, gy, 16, 16, 15, 15, 6) > 0:
                continue
            colour = mix(DEEP_BLUE, TEAL, clamp((gx + gy) / 64))
            if sd_polygon(gx, gy, arrow) < 0 or sd_round_rect(gx, gy, 16, 27, 9.5, 1.5, 1.5) < 0:
                colour = WHITE
            for i in range(3):
                acc[i] += colour[i]
            acc[3] += 1
    if acc[3] == 0:
        return (0, 0, 0, 0)
    rgb = tuple(int(round(c / acc[3])) for c in acc[:3])
    return rgb + (int(round(255 * acc[3] / 16)),)


def icon_image(size):
    """ICO directory image: BITMAPINFOHEADER, BGRA pixels and AND mask, bottom-up."""
    rows = [[icon_pixel(size, x, y) for x in range(size)] for y in range(size)]
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            pixels += bytes((b, g, r, a))
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + pixels + mask


def ico_bytes(sizes):
    images = [icon_image(size) for size in sizes]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, image in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_pictures.py OUTPUT_FOLDER\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    rows = draw_background()
    write(folder, "finish_ltr.bmp", bmp_bytes(rows))
    write(folder, "finish_rtl.bmp", bmp_bytes([list(reversed(row)) for row in rows]))
    write(folder, "pictavo.ico", ico_bytes([16, 32]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
