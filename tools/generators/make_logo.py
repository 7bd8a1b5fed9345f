#!/usr/bin/env python3
"""Draws Logo.dat, the start-up splash picture (a PNG under the name the configuration gives it, SYSTEM/WINSPLASHFILE):
the name "TARVIK" in drawn strokes over a calm blue gradient with a few linked network nodes. Standard library only;
run it from any directory to rewrite the picture.

Strokes and nodes are drawn by their distance to each pixel, so edges are smooth without supersampling."""

import math
import os
import sys
import struct
import zlib

WIDTH, HEIGHT = 480, 270

TOP = (24, 44, 78)      # gradient, top-left
BOTTOM = (30, 96, 128)  # gradient, bottom-right
INK = (246, 248, 250)   # the name
ACCENT = (118, 196, 210)
LINK = (150, 190, 215)
BORDER = (78, 120, 158)

# Letters in a unit box (x right, y down), as polylines of stroke centres.
def bowl(cx, cy, r, start, end, steps=12):
    return [(cx + r * math.cos(start + (end - start) * i / steps), cy + r * math.sin(start + (end - start) * i / steps))
            for i in range(steps + 1)]


LETTERS = {
    "T": (0.86, [[(0.0, 0.0), (0.86, 0.0)], [(0.43, 0.0), (0.43, 1.0)]]),
    "A": (0.9, [[(0.0, 1.0), (0.45, 0.0), (0.9, 1.0)], [(0.18, 0.62), (0.72, 0.62)]]),
    "R": (0.78, [[(0.0, 1.0), (0.0, 0.0), (0.5, 0.0)] + bowl(0.5, 0.25, 0.25, -math.pi / 2, math.pi / 2) +
                 [(0.0, 0.5)], [(0.42, 0.5), (0.78, 1.0)]]),
    "V": (0.9, [[(0.0, 0.0), (0.45, 1.0), (0.9, 0.0)]]),
    "I": (0.0, [[(0.0, 0.0), (0.0, 1.0)]]),
    "K": (0.78, [[(0.0, 0.0), (0.0, 1.0)], [(0.78, 0.0), (0.0, 0.6)], [(0.28, 0.4), (0.78, 1.0)]]),
}

NAME = "TARVIK"
CAP = 64.0          # letter height in pixels
STROKE = 5.0        # half the stroke width
GAP = 0.36          # space between letters, in letter heights
NAME_TOP = 92.0

# Nodes of the network motif (right half) and the links between them.
NODES = [(314, 34), (360, 18), (414, 30), (458, 16), (446, 62), (392, 66), (340, 70)]
LINKS = [(0, 1), (1, 2), (2, 3), (3, 4), (4, 5), (5, 6), (6, 0), (1, 5), (2, 4), (2, 5)]


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def coverage(distance, radius):
    """How much of a pixel at this distance from a centre line lies inside a stroke of this half width."""
    return max(0.0, min(1.0, radius - distance + 0.5))


def blend(under, over, alpha):
    return tuple(u + (o - u) * alpha for u, o in zip(under, over))


def name_segments():
    width = sum(LETTERS[c][0] for c in NAME) + GAP * (len(NAME) - 1)
    x = (WIDTH - width * CAP) / 2
    segments = []
    for c in NAME:
        advance, strokes = LETTERS[c]
        for line in strokes:
            points = [(x + px * CAP, NAME_TOP + py * CAP) for px, py in line]
            segments += list(zip(points, points[1:]))
        x += (advance + GAP) * CAP
    return segments


def pixel(x, y, segments, rule):
    t = (x / WIDTH * 0.35 + y / HEIGHT * 0.65)
    colour = blend(TOP, BOTTOM, t)
    # A soft light from the upper left.
    glow = max(0.0, 1.0 - math.hypot(x - 120, y - 60) / 260.0)
    colour = blend(colour, (60, 110, 160), 0.35 * glow)

    for a, b in LINKS:
        (ax, ay), (bx, by) = NODES[a], NODES[b]
        colour = blend(colour, LINK, 0.28 * coverage(distance_to_segment(x, y, ax, ay, bx, by), 0.7))
    for nx, ny in NODES:
        d = math.hypot(x - nx, y - ny)
        colour = blend(colour, LINK, 0.22 * coverage(d, 9.0))
        colour = blend(colour, ACCENT, 0.9 * coverage(d, 3.5))

    if NAME_TOP - STROKE - 2 <= y <= NAME_TOP + CAP + STROKE + 2:
        d = min(distance_to_segment(x, y, ax, ay, bx, by) for (ax, ay), (bx, by) in segments)
        colour = blend(colour, INK, coverage(d, STROKE))
    (rx0, ry), rx1 = rule
    colour = blend(colour, ACCENT, coverage(distance_to_segment(x, y, rx0, ry, rx1, ry), 1.2))

    # A one-pixel frame, since the splash has no window border of its own.
    if x == 0 or y == 0 or x == WIDTH - 1 or y == HEIGHT - 1:
        colour = BORDER
    return tuple(int(round(v)) for v in colour)


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
    segments = name_segments()
    rule = ((WIDTH / 2 - 110, NAME_TOP + CAP + 28), WIDTH / 2 + 110)
    rows = [[pixel(x, y, segments, rule) for x in range(WIDTH)] for y in range(HEIGHT)]
    path = os.path.join(output_dir("Logo"), "Logo.dat")
    with open(path, "wb") as f:
        f.write(png(WIDTH, HEIGHT, rows))


if __name__ == "__main__":
    main()
