#!/usr/bin/env python3
"""Writes the viewer's five mode cursors as 32 x 32 monochrome .cur files into the given folder.

Each picture is a white shape with a black rim on a transparent ground, drawn from a few
geometric parts, so that the build needs no image files and no image tools.
    make_cursors.py OUTPUT-FOLDER
"""
import math
import os
import struct
import sys

SIZE = 32


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, w):
    return lambda x, y: (r - w) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def bar(x0, y0, x1, y1, half):
    """A thick line from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half * half
    return inside


def union(*parts):
    return lambda x, y: any(p(x, y) for p in parts)


def rimmed(shape):
    """'w' inside the shape, 'b' on its one-pixel rim, '.' elsewhere."""
    grid = [['.'] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            if shape(x, y):
                grid[y][x] = 'w'
            elif any(shape(x + i, y + j) for i in (-1, 0, 1) for j in (-1, 0, 1)):
                grid[y][x] = 'b'
    return grid


def paint(grid, shape, value):
    for y in range(SIZE):
        for x in range(SIZE):
            if shape(x, y):
                grid[y][x] = value
    return grid


def grab_hand():
    fist = union(box(8, 13, 24, 24), disc(16, 24, 7), *[disc(9 + 4.5 * i, 12, 2.6) for i in range(4)],
                 bar(8, 18, 5, 14, 2.2))
    grid = rimmed(fist)
    for i in range(3):  # the gaps between the fingers
        paint(grid, box(11 + 4.5 * i, 11, 11.6 + 4.5 * i, 15), 'b')
    return grid, (16, 16)


def rubber_band():
    cross = union(box(15, 2, 16, 29), box(2, 15, 29, 16))
    grid = rimmed(cross)
    paint(grid, box(14, 14, 17, 17), '.')
    return grid, (15, 15)


def annotation():
    pencil = bar(6, 26, 25, 7, 3.2)
    grid = rimmed(pencil)
    paint(grid, bar(4, 28, 6, 26, 1.6), 'b')  # the lead
    paint(grid, bar(22, 10, 24, 8, 3.4), 'b')  # the ferrule
    return grid, (3, 28)


def magnifier(plus):
    glass = union(disc(12, 12, 9), bar(18, 18, 28, 28, 2.6))
    grid = rimmed(glass)
    paint(grid, ring(12, 12, 9, 1.8), 'b')
    paint(grid, box(8, 11, 16, 13), 'b')
    if plus:
        paint(grid, box(11, 8, 13, 16), 'b')
    return grid, (12, 12)


def cur_bytes(grid, hotspot):
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bottom-up
        xor_bits = and_bits = 0
        for x in range(SIZE):
            v = grid[y][x]
            bit = 1 << (31 - x)
            if v == '.':
                and_bits |= bit
            elif v == 'w':
                xor_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    cursors = {
        'grabhand.cur': grab_hand(),
        'rubband.cur': rubber_band(),
        'anno.cur': annotation(),
        'zoomin.cur': magnifier(True),
        'zoomout.cur': magnifier(False),
    }
    for name, (grid, hotspot) in cursors.items():
        data = cur_bytes(grid, hotspot)
        path = os.path.join(out, name)
        try:
            with open(path, 'rb') as f:
                if f.read() == data:
                    continue
        except OSError:
            pass
        with open(path, 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
