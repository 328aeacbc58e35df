#!/usr/bin/env python3
"""Draws the four chart cursors as 32 x 32 PNG files (black outline, white
fill, transparent elsewhere) and writes hotspots.txt. Standard library only:
run it again after changing a design."""
import math
import struct
import zlib

N = 32
T, B, W = None, (0, 0, 0, 255), (255, 255, 255, 255)


def canvas():
    return [[T] * N for _ in range(N)]


def put(c, x, y, col):
    if 0 <= x < N and 0 <= y < N:
        c[y][x] = col


def rect(c, l, t, r, b, col):  # inclusive corners
    for y in range(t, b + 1):
        for x in range(l, r + 1):
            put(c, x, y, col)


def outline(c):
    """Black one-pixel border around every white pixel."""
    out = [row[:] for row in c]
    for y in range(N):
        for x in range(N):
            if c[y][x] is T and any(
                    0 <= x + dx < N and 0 <= y + dy < N and c[y + dy][x + dx] == W
                    for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                out[y][x] = B
    return out


def line(c, x0, y0, x1, y1, col):
    n = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(n + 1):
        put(c, round(x0 + (x1 - x0) * i / max(n, 1)), round(y0 + (y1 - y0) * i / max(n, 1)), col)


def magnifier(c, cx, cy, r):
    for y in range(N):
        for x in range(N):
            d = math.hypot(x - cx, y - cy)
            if d <= r + 0.5:
                put(c, x, y, W)
    for k in range(0, 10):
        for w in (-1, 0, 1):
            put(c, cx + r - 1 + k + w, cy + r - 1 + k, W)
            put(c, cx + r - 1 + k, cy + r - 1 + k + w, W)


def ring(c, cx, cy, r):
    for y in range(N):
        for x in range(N):
            if abs(math.hypot(x - cx, y - cy) - r) < 0.6:
                put(c, x, y, B)


def hand():
    c = canvas()
    rect(c, 8, 14, 22, 25, W)          # palm
    for i, top in enumerate((5, 3, 4, 7)):  # fingers
        x = 9 + i * 4
        rect(c, x, top, x + 2, 15, W)
    rect(c, 3, 12, 7, 15, W)           # thumb
    rect(c, 5, 15, 8, 18, W)
    rect(c, 10, 26, 20, 28, W)         # wrist
    c = outline(c)
    for i in range(3):                 # finger gaps
        line(c, 12 + i * 4, 9, 12 + i * 4, 15, B)
    return c


def zoom_window():
    c = canvas()
    rect(c, 0, 6, 14, 8, W)
    rect(c, 6, 0, 8, 14, W)
    c = outline(c)
    line(c, 0, 7, 14, 7, B)
    line(c, 7, 0, 7, 14, B)
    for x in range(12, 31):            # dashed zoom rectangle
        if x % 4 < 2:
            put(c, x, 12, B)
            put(c, x, 30, B)
    for y in range(12, 31):
        if y % 4 < 2:
            put(c, 12, y, B)
            put(c, 30, y, B)
    return c


def zoom_drag():
    c = canvas()
    magnifier(c, 11, 11, 8)
    rect(c, 25, 3, 27, 12, W)          # up/down arrow shaft
    rect(c, 25, 18, 27, 27, W)
    for k in range(4):
        rect(c, 26 - k, 3 + k, 26 + k, 3 + k, W)
        rect(c, 26 - k, 27 - k, 26 + k, 27 - k, W)
    c = outline(c)
    ring(c, 11, 11, 6)
    line(c, 26, 4, 26, 26, B)
    return c


def zoom_plus():
    c = canvas()
    magnifier(c, 11, 11, 8)
    c = outline(c)
    ring(c, 11, 11, 6)
    rect(c, 7, 10, 15, 12, B)
    rect(c, 10, 7, 12, 15, B)
    return c


def png(path, c):
    raw = b''.join(b'\0' + b''.join(bytes(p or (0, 0, 0, 0)) for p in row) for row in c)
    def chunk(tag, data):
        return struct.pack('>I', len(data)) + tag + data + struct.pack('>I', zlib.crc32(tag + data))
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', N, N, 8, 6, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


CURSORS = [("CURHAND", hand, (15, 14)), ("CURZOOMW", zoom_window, (7, 7)),
           ("CURZOOMD", zoom_drag, (11, 11)), ("CURZOOMP", zoom_plus, (11, 11))]

if __name__ == '__main__':
    with open('hotspots.txt', 'w') as hs:
        hs.write('# Cursor hotspots: NAME x y (pixels from the top-left of the 32 x 32 image).\n')
        for name, draw, (x, y) in CURSORS:
            png(name.lower() + '.png', draw())
            hs.write(f'{name} {x} {y}\n')
