#!/usr/bin/env python3
"""Draws the three neutral pictures shown above the converter's form (PNG, no dependencies)."""
import math
import struct
import zlib

W, H = 160, 56


def png(name, pixel, size=None):
    global W, H
    W, H = size or (160, 56)
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(W)) for y in range(H))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(name, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def cover(d):  # soft edge: 1 inside, 0 outside
    return max(0.0, min(1.0, 0.5 - d))


def mix(alpha, rgb):
    return (*rgb, int(255 * alpha))


def waves(x, y):  # three blue bands
    for i, rgb in enumerate(((20, 70, 150), (40, 110, 190), (90, 160, 220))):
        centre = 16 + i * 12 + 5 * math.sin(x / 14.0 + i)
        a = cover(abs(y - centre) - 4)
        if a > 0:
            return mix(a, rgb)
    return (0, 0, 0, 0)


def rings(x, y):  # two linked rings
    for cx, rgb in ((62, (230, 130, 30)), (98, (60, 150, 90))):
        a = cover(abs(math.hypot(x - cx, y - 28) - 20) - 4)
        if a > 0:
            return mix(a, rgb)
    return (0, 0, 0, 0)


def steps(x, y):  # rising bars
    for i in range(5):
        left, top = 30 + i * 22, 44 - 8 * (i + 1)
        if left <= x < left + 16 and top <= y < 48:
            return (110 + i * 20, 60, 140 - i * 10, 255)
    return (0, 0, 0, 0)


def icon(x, y):  # the program's icon: a blue disc with a white arrow
    r = math.hypot(x - 31.5, y - 31.5)
    inside_arrow = (18 <= x <= 34 and 26 <= y <= 37) or (34 <= x <= 47 and abs(y - 31.5) <= (47 - x) * 0.95)
    if inside_arrow and r < 29:
        return (255, 255, 255, 255)
    a = cover(r - 29.5)
    return mix(a, (30, 90, 170)) if a > 0 else (0, 0, 0, 0)


png("logo-waves.png", waves)
png("logo-rings.png", rings)
png("logo-steps.png", steps)
png("convertor.png", icon, (64, 64))
