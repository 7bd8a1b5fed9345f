#!/usr/bin/env python3
"""Draws region.png, the picture of the sample regional map (24..26 E, 60..61 N): sea, a coast line, two lakes,
roads between three towns. Standard library only; run it from any directory to rewrite the picture."""

import math
import os
import sys
import struct
import zlib

WIDTH, HEIGHT = 640, 320  # two degrees of longitude by one of latitude

SEA = (150, 190, 225)
LAND = (226, 232, 206)
LAKE = (165, 200, 232)
ROAD = (196, 120, 70)
TOWN = (90, 60, 60)
GRID = (205, 210, 190)


def coast_y(x):
    """Latitude line of the southern coast, in pixels from the top."""
    return 250 + 22 * math.sin(x / 57.0) + 12 * math.sin(x / 19.0 + 1.3)


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


TOWNS = [(120, 200), (330, 140), (540, 215)]
ROADS = [(TOWNS[0], TOWNS[1]), (TOWNS[1], TOWNS[2]), (TOWNS[1], (330, 10))]
LAKES = [(220, 90, 48, 22), (470, 100, 30, 40)]


def pixel(x, y):
    if y > coast_y(x):
        return SEA
    for lake in LAKES:
        if inside_ellipse(x, y, *lake):
            return LAKE
    for town in TOWNS:
        if math.hypot(x - town[0], y - town[1]) <= 6:
            return TOWN
    for a, b in ROADS:
        if distance_to_segment(x, y, a[0], a[1], b[0], b[1]) <= 1.2:
            return ROAD
    if x % 80 == 0 or y % 80 == 0:  # a grid line every quarter degree
        return GRID
    return LAND


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for rgb in row for v in rgb) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))



def output_dir(resource_folder):
    """The folder to write into: the first argument, else the resources folder the file belongs to."""
    if len(sys.argv) > 1:
        os.makedirs(sys.argv[1], exist_ok=True)
        return sys.argv[1]
    return os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", resource_folder)


def main():
    rows = [[pixel(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    path = os.path.join(output_dir("Map"), "region.png")
    with open(path, "wb") as f:
        f.write(png(WIDTH, HEIGHT, rows))


if __name__ == "__main__":
    main()
