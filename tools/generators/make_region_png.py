#!/usr/bin/env python3
"""Draws the pictures of the sample geographic maps (Map.dat): region.png, a coastal region of 12 by 9 degrees
(4..16 E, 57..66 N) with its sea, fjords, lakes, rivers, roads and towns, and north_city.png and south_city.png, the
two towns where the sample NEs stand (9.8..12.2 E, 59.3..60.5 N and 9.6..11.6 E, 62.9..63.9 N) with their streets,
parks and waterside. Standard library only; run it from any directory to rewrite the pictures (the first argument
names another folder to write into)."""

import math
import os
import struct
import sys
import zlib

SEA = (146, 186, 222)
SEA_DEEP = (120, 165, 210)
LAND_LOW = (222, 232, 204)
LAND_HIGH = (206, 204, 178)
LAKE = (160, 200, 232)
RIVER = (130, 175, 220)
ROAD = (205, 110, 62)
ROAD_MINOR = (236, 214, 170)
TOWN = (170, 78, 70)
GRID = (200, 208, 190)
PARK = (178, 214, 156)
BLOCK = (234, 228, 216)
STREET = (255, 255, 255)
MAIN_STREET = (250, 212, 120)
RAIL = (110, 110, 110)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = float(dx * dx + dy * dy)
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def on_polyline(x, y, points, width):
    return any(distance_to_segment(x, y, *points[i], *points[i + 1]) <= width for i in range(len(points) - 1))


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def relief(x, y):
    """A smooth height of 0..1 made of a few waves."""
    h = (math.sin(x / 61.0) * math.cos(y / 47.0) + 0.6 * math.sin((x + 2 * y) / 33.0) +
         0.3 * math.cos((3 * x - y) / 21.0))
    return max(0.0, min(1.0, 0.5 + h / 3.8))


# ---- the region: 70 pixels per degree ---------------------------------------------------------------------------

REGION = (840, 630, 4.0, 66.0, 70.0, 70.0)  # width, height, west, north, pixels per degree east and south


def region_pixel_of(longitude, latitude):
    width, height, west, north, per_x, per_y = REGION
    return (longitude - west) * per_x, (north - latitude) * per_y


REGION_TOWNS = [region_pixel_of(10.75, 59.91), region_pixel_of(10.39, 63.43), region_pixel_of(13.6, 61.2),
                region_pixel_of(7.9, 63.0), region_pixel_of(14.7, 58.6)]
REGION_ROADS = [REGION_TOWNS[0:2], [REGION_TOWNS[0], REGION_TOWNS[2], REGION_TOWNS[1]], [REGION_TOWNS[1], REGION_TOWNS[3]],
                [REGION_TOWNS[0], REGION_TOWNS[4]]]
REGION_LAKES = [(548, 350, 40, 19), (350, 292, 26, 47), (653, 163, 47, 23), (607, 490, 30, 16)]
REGION_RIVERS = [[(548, 350), (513, 397), (484, 420)], [(653, 163), (583, 210), (490, 198), (457, 184)]]


def region_coast_x(y):
    """The western coast: sea west of it, its fjords cutting east."""
    return 175 + 52 * math.sin(y / 48.0) + 21 * math.sin(y / 15.0) + (128 if 163 < y < 204 else 0) * math.exp(
        -((y - 183) / 10.5) ** 2)


def region_south_coast_y(x):
    return 548 + 26 * math.sin(x / 62.0) + 10 * math.sin(x / 20.0) - (70 if 385 < x < 560 else 0) * math.exp(
        -((x - 472) / 26.0) ** 2)


def region_pixel(x, y):
    coast = region_coast_x(y)
    if x < coast or y > region_south_coast_y(x):
        depth = min(1.0, max(coast - x, y - region_south_coast_y(x)) / 60.0)
        return mix(SEA, SEA_DEEP, max(0.0, depth))
    for lake in REGION_LAKES:
        if inside_ellipse(x, y, *lake):
            return LAKE
    for river in REGION_RIVERS:
        if on_polyline(x, y, river, 1.4):
            return RIVER
    for town in REGION_TOWNS:
        if math.hypot(x - town[0], y - town[1]) <= 6:
            return TOWN
    for road in REGION_ROADS:
        if on_polyline(x, y, road, 1.3):
            return ROAD
    if x % 70 == 0 or y % 70 == 0:  # a line every degree
        return GRID
    return mix(LAND_LOW, LAND_HIGH, relief(x, y))


# ---- the towns: streets, blocks, parks, water -------------------------------------------------------------------

def town_pixel(x, y, seed):
    water = 375 + 30 * math.sin(x / 54.0 + seed) + 12 * math.sin(x / 14.0)
    if y > water:
        return SEA if y > water + 6 else mix(SEA, LAND_LOW, 0.5)
    river = 150 + 75 * math.sin(y / 112.0 + seed) + 17 * math.sin(y / 29.0)
    if abs(x - river) < 5:
        return RIVER
    if abs(x - river) < 7:
        return LAND_LOW
    # A rail line from the waterside to the north-east.
    if distance_to_segment(x, y, 50, 362, 775, 25) < 1.2:
        return RAIL
    # Main roads, then the street grid, turned a little.
    u = x * math.cos(0.12 + seed / 10) + y * math.sin(0.12 + seed / 10)
    v = -x * math.sin(0.12 + seed / 10) + y * math.cos(0.12 + seed / 10)
    if abs((u % 160) - 80) < 3.0 or abs((v % 140) - 70) < 3.0:
        return MAIN_STREET
    if (u % 40) < 2.0 or (v % 35) < 2.0:
        return STREET
    block = (int(u // 40), int(v // 35))
    if (block[0] * 7 + block[1] * 3 + int(seed)) % 11 == 0:
        return PARK
    if (block[0] + block[1]) % 5 == 0:
        return mix(BLOCK, LAND_HIGH, 0.4)
    return BLOCK


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


def write(name, width, height, pixel):
    rows = [[pixel(x, y) for x in range(width)] for y in range(height)]
    with open(os.path.join(output_dir("Map"), name), "wb") as f:
        f.write(png(width, height, rows))


def main():
    write("region.png", REGION[0], REGION[1], region_pixel)
    write("north_city.png", 800, 500, lambda x, y: town_pixel(x, y, 0.0))
    write("south_city.png", 800, 500, lambda x, y: town_pixel(x, y, 2.0))


if __name__ == "__main__":
    main()
