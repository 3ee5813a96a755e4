#!/usr/bin/env python3
"""Writes the application icon: 16, 32 and 48 pixel images in 16 and 256 colours.

A box (the suite) with an arrow into it, drawn from simple shapes."""
import struct
import sys


def shape(x, y, size):
    """Colour role of a pixel: 0 background, 1 box, 2 box edge, 3 arrow."""
    u, v = (x + 0.5) / size, (y + 0.5) / size  # v grows downwards
    if abs(u - 0.5) < 0.12 and 0.06 < v < 0.42 or (0.42 <= v < 0.58 and abs(u - 0.5) < (0.58 - v) * 1.4):
        return 3
    if 0.14 < u < 0.86 and 0.5 < v < 0.94:
        edge = min(u - 0.14, 0.86 - u, v - 0.5, 0.94 - v) < 1.5 / size
        return 2 if edge else 1
    return 0


PALETTE16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
             (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
             (255, 0, 255), (0, 255, 255), (255, 255, 255)]
ROLE16 = {0: 0, 1: 6, 2: 4, 3: 11}


def palette256():
    colours = list(PALETTE16)
    for r in range(6):
        for g in range(6):
            for b in range(6):
                colours.append((r * 51, g * 51, b * 51))
    while len(colours) < 256:
        grey = (len(colours) - 232) * 10
        colours.append((grey, grey, grey))
    return colours


def role256(role, x, y, size):
    if role == 1:  # a soft vertical gradient of teal
        t = int(5 * y / size)
        return 16 + 0 * 36 + (2 + t // 2) * 6 + (3 + t // 3)
    return {0: 0, 2: 16 + 0 * 36 + 1 * 6 + 3, 3: 16 + 5 * 36 + 4 * 6 + 0}[role]


def image(size, bits):
    colours = PALETTE16 if bits == 4 else palette256()
    rows = []
    mask_rows = []
    for y in reversed(range(size)):
        indices, mask = [], []
        for x in range(size):
            role = shape(x, y, size)
            indices.append(ROLE16[role] if bits == 4 else role256(role, x, y, size))
            mask.append(1 if role == 0 else 0)
        if bits == 4:
            row = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        else:
            row = bytes(indices)
        rows.append(row + b"\0" * (-len(row) % 4))
        mbytes = bytearray((size + 7) // 8)
        for x, m in enumerate(mask):
            if m:
                mbytes[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(mbytes) + b"\0" * (-len(mbytes) % 4))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, len(colours), 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in colours)
    return header + pal + b"".join(rows) + b"".join(mask_rows)


def main(path):
    entries = [(s, b) for b in (4, 8) for s in (16, 32, 48)]
    blobs = [image(s, b) for s, b in entries]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for (size, bits), blob in zip(entries, blobs):
        out += struct.pack("<BBBBHHII", size, size, 16 if bits == 4 else 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


if __name__ == "__main__":
    main(sys.argv[1])
