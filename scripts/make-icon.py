#!/usr/bin/env python3
"""Draws the launcher's icon group res/noxLauncher.ico: twelve images, 16-64 px
at 32-bit colour, 16/32/48 px at 256 colours and 16/32 px at 16 colours.
Artwork: a rounded teal tile with a white "start" triangle. Standard library only."""
import struct
import sys

TRUE_COLOUR_SIZES = (16, 20, 24, 32, 40, 48, 64)
PALETTE_SIZES = ((16, 8), (32, 8), (48, 8), (16, 4), (32, 4))

TILE_TOP = (0x1F, 0x9E, 0x9A)
TILE_BOTTOM = (0x0B, 0x5E, 0x6B)
MARK = (0xFF, 0xFF, 0xFF)


def coverage(size, x, y):
    """Returns (tile alpha 0..1, mark alpha 0..1) at the pixel's centre, 4x4 supersampled."""
    tile = mark = 0.0
    radius = size * 0.22
    for sy in range(4):
        for sx in range(4):
            px = x + (sx + 0.5) / 4
            py = y + (sy + 0.5) / 4
            inset = size * 0.04
            cx = min(max(px, inset + radius), size - inset - radius)
            cy = min(max(py, inset + radius), size - inset - radius)
            if (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2:
                tile += 1
                # Triangle pointing right, centred in the tile.
                left, right = size * 0.36, size * 0.72
                top, bottom = size * 0.26, size * 0.74
                if left <= px <= right:
                    half = (bottom - top) / 2 * (right - px) / (right - left)
                    if abs(py - size / 2) <= half:
                        mark += 1
    return tile / 16, mark / 16


def pixel(size, x, y):
    tile, mark = coverage(size, x, y)
    t = y / max(size - 1, 1)
    base = tuple(round(a + (b - a) * t) for a, b in zip(TILE_TOP, TILE_BOTTOM))
    share = mark / tile if tile else 0
    rgb = tuple(round(b + (m - b) * share) for b, m in zip(base, MARK))
    return rgb, round(tile * 255)


def palette_for(bits):
    if bits == 4:  # the classic 16 system colours
        return [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
                (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
                (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    levels = (0, 51, 102, 153, 204, 255)  # 6x6x6 cube, then greys
    cube = [(r, g, b) for r in levels for g in levels for b in levels]
    greys = [(v, v, v) for v in range(8, 248, 6)][:256 - len(cube)]
    return (cube + greys + [(0, 0, 0)] * 256)[:256]


def nearest(palette, rgb):
    return min(range(len(palette)), key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], rgb)))


def row_bytes(bits, width):
    return ((width * bits + 31) // 32) * 4


def image(size, bits):
    """One icon image: BITMAPINFOHEADER, palette, colour rows and AND mask, bottom-up."""
    pixels = [[pixel(size, x, y) for x in range(size)] for y in range(size)]
    palette = palette_for(bits) if bits < 32 else []
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    xor = bytearray()
    for y in reversed(range(size)):
        row = bytearray()
        if bits == 32:
            for (r, g, b), a in pixels[y]:
                row += bytes((b, g, r, a))
        else:
            indices = [nearest(palette, rgb) if a >= 128 else 0 for rgb, a in pixels[y]]
            if bits == 8:
                row += bytes(indices)
            else:
                for i in range(0, size, 2):
                    row.append((indices[i] << 4) | (indices[i + 1] if i + 1 < size else 0))
        row += b'\0' * (row_bytes(bits, size) - len(row))
        xor += row
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(row_bytes(1, size))
        for x in range(size):
            if pixels[y][x][1] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + colours + bytes(xor) + bytes(mask)


def main(path):
    formats = [(s, 32) for s in TRUE_COLOUR_SIZES] + list(PALETTE_SIZES)
    images = [image(size, bits) for size, bits in formats]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (size, bits), data in zip(formats, images):
        colour_count = 16 if bits == 4 else 0
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colour_count, 0, 1, bits, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'res/noxLauncher.ico')
