#!/usr/bin/env python3
"""Draws the frame's icons: the toolbar buttons (toolbar/*.png, 32 x 32), the status and list icons (list/*.png,
16 x 16) and the program icon (app_icon.png, 64 x 64), and writes icons.ini, the TOOLICON and LISTICON sections that
name them for Tarvik.ini. Standard library only; run it from any directory to rewrite the files.

Shapes are drawn at four times the size and averaged down, so edges are smooth; the pictures carry an alpha channel
and the mask colour named in icons.ini (magenta) does not occur in them."""

import math
import os
import sys
import struct
import zlib

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "icons")
SS = 4  # supersampling factor

# Palette.
BLUE = (41, 98, 182)
BLUE_LIGHT = (120, 168, 232)
TEAL = (22, 138, 128)
GREEN = (46, 150, 72)
RED = (206, 52, 48)
AMBER = (226, 150, 28)
GREY = (104, 112, 122)
GREY_LIGHT = (196, 202, 210)
DARK = (52, 58, 66)
WHITE = (255, 255, 255)
YELLOW = (246, 200, 52)


class Canvas:
    """An RGBA picture drawn at SS times its size."""

    def __init__(self, size):
        self.size = size
        self.n = size * SS
        self.px = [[None] * self.n for _ in range(self.n)]

    def _set(self, x, y, color):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = color

    def fill(self, inside, color, box=None):
        """Paints every sample whose centre (in picture units) satisfies inside(x, y)."""
        x0, y0, x1, y1 = box if box else (0, 0, self.size, self.size)
        for sy in range(max(0, int(y0 * SS) - 1), min(self.n, int(y1 * SS) + 2)):
            y = (sy + 0.5) / SS
            for sx in range(max(0, int(x0 * SS) - 1), min(self.n, int(x1 * SS) + 2)):
                x = (sx + 0.5) / SS
                if inside(x, y):
                    self.px[sy][sx] = color

    def circle(self, cx, cy, r, color):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, color, (cx - r, cy - r, cx + r, cy + r))

    def ring(self, cx, cy, r, width, color):
        inner = r - width
        self.fill(lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r, color,
                  (cx - r, cy - r, cx + r, cy + r))

    def rect(self, x0, y0, x1, y1, color, radius=0.0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            if radius <= 0:
                return True
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
        self.fill(inside, color, (x0, y0, x1, y1))

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            result = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result
        self.fill(inside, color, (min(xs), min(ys), max(xs), max(ys)))

    def line(self, x0, y0, x1, y1, width, color):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1.0
        half = width / 2.0

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (length * length)))
            px, py = x0 + t * dx, y0 + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= half * half
        self.fill(inside, color, (min(x0, x1) - half, min(y0, y1) - half, max(x0, x1) + half, max(y0, y1) + half))

    def arc(self, cx, cy, r, width, start_deg, end_deg, color):
        inner = r - width

        def inside(x, y):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if not (inner * inner <= d2 <= r * r):
                return False
            angle = math.degrees(math.atan2(-(y - cy), x - cx)) % 360
            return start_deg <= angle <= end_deg
        self.fill(inside, color, (cx - r, cy - r, cx + r, cy + r))

    def pixels(self):
        """The picture at its size as rows of RGBA, averaged from the samples."""
        rows = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r = g = b = a = 0
                for sy in range(y * SS, y * SS + SS):
                    for sx in range(x * SS, x * SS + SS):
                        c = self.px[sy][sx]
                        if c is not None:
                            r += c[0]
                            g += c[1]
                            b += c[2]
                            a += 1
                if a == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((r // a, g // a, b // a, 255 * a // (SS * SS)))
            rows.append(row)
        return rows


def write_png(path, rows):
    height = len(rows)
    width = len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


# --- toolbar pictures (32 x 32) -------------------------------------------------------------------------------------

def draw_rack(c):
    c.rect(7, 4, 25, 28, DARK, 2.5)
    for i, y in enumerate((7, 13.5, 20)):
        c.rect(9.5, y, 22.5, y + 5, BLUE_LIGHT if i != 1 else BLUE, 1)
        c.circle(12, y + 2.5, 1.1, GREEN)
        c.rect(15, y + 1.8, 20.5, y + 3.2, WHITE)


def draw_pin(c, color=RED):
    c.circle(16, 12, 8.5, color)
    c.polygon([(9, 16), (23, 16), (16, 28.5)], color)
    c.circle(16, 12, 3.4, WHITE)


def draw_bell(c, color, cx=15, cy=16, scale=1.0):
    s = scale
    c.circle(cx, cy - 8.5 * s, 1.8 * s, color)
    c.polygon([(cx - 8 * s, cy + 5 * s), (cx - 6.5 * s, cy - 4 * s), (cx - 3 * s, cy - 7.5 * s),
               (cx + 3 * s, cy - 7.5 * s), (cx + 6.5 * s, cy - 4 * s), (cx + 8 * s, cy + 5 * s)], color)
    c.rect(cx - 10 * s, cy + 4 * s, cx + 10 * s, cy + 7 * s, color, 1.4 * s)
    c.circle(cx, cy + 9 * s, 2.3 * s, color)


def draw_clock_badge(c, cx, cy, r):
    c.circle(cx, cy, r + 1.2, WHITE)
    c.circle(cx, cy, r, BLUE)
    c.circle(cx, cy, r - 1.8, WHITE)
    c.line(cx, cy, cx, cy - r + 2.8, 1.5, BLUE)
    c.line(cx, cy, cx + r - 3.2, cy, 1.5, BLUE)


def draw_dot_badge(c, cx, cy, r, color):
    c.circle(cx, cy, r + 1.2, WHITE)
    c.circle(cx, cy, r, color)


def draw_active_alarm(c):
    draw_bell(c, AMBER)
    draw_dot_badge(c, 24, 8, 4.2, RED)


def draw_history_alarm(c):
    draw_bell(c, GREY)
    draw_clock_badge(c, 23.5, 22.5, 6.5)


def draw_location_active_alarm(c):
    draw_pin(c, BLUE)
    draw_dot_badge(c, 24, 8, 4.2, RED)


def draw_location_history_alarm(c):
    draw_pin(c, BLUE)
    draw_clock_badge(c, 23.5, 22.5, 6.5)


def draw_inventory(c):
    c.rect(6, 5, 26, 29, GREY, 2)
    c.rect(8, 8, 24, 27, WHITE, 1)
    c.rect(11, 3, 21, 8, DARK, 1.5)
    for y in (12, 17, 22):
        c.rect(10.5, y, 13.5, y + 3, TEAL, 0.6)
        c.rect(15.5, y + 0.8, 21.5, y + 2.2, GREY)


def draw_pm(c):
    c.rect(5, 26, 27, 28, DARK)
    for x, h, color in ((7, 8, BLUE_LIGHT), (13, 14, BLUE), (19, 19, TEAL)):
        c.rect(x, 26 - h, x + 5, 26, color, 0.8)
    c.line(7, 14, 13, 9, 1.6, AMBER)
    c.line(13, 9, 19, 11, 1.6, AMBER)
    c.line(19, 11, 26, 4, 1.6, AMBER)


def draw_ping(c):
    c.circle(9, 23, 3.2, TEAL)
    for r in (8.5, 14, 19.5):
        c.arc(9, 23, r, 2.6, 8, 82, TEAL)


def draw_telnet(c):
    c.rect(3, 6, 29, 26, DARK, 2.5)
    c.rect(5, 10, 27, 24, (30, 34, 40), 1)
    c.rect(3, 6, 29, 10, GREY, 2.5)
    c.rect(3, 8, 29, 10, GREY)
    c.line(8, 13.5, 12.5, 17, 1.8, (120, 220, 140))
    c.line(12.5, 17, 8, 20.5, 1.8, (120, 220, 140))
    c.rect(14, 19.5, 21, 21.2, (120, 220, 140))


def draw_verify_configuration(c):
    c.rect(6, 5, 26, 29, GREY, 2)
    c.rect(8, 8, 24, 27, WHITE, 1)
    c.rect(11, 3, 21, 8, DARK, 1.5)
    c.line(11, 18, 15, 22.5, 2.6, GREEN)
    c.line(15, 22.5, 22, 12.5, 2.6, GREEN)


def draw_person(c, cx, cy, scale, color):
    c.circle(cx, cy - 5 * scale, 4 * scale, color)
    c.fill(lambda x, y: (x - cx) ** 2 / (7.5 * scale) ** 2 + (y - (cy + 7 * scale)) ** 2 / (7 * scale) ** 2 <= 1
           and y <= cy + 7 * scale, color, (cx - 8 * scale, cy, cx + 8 * scale, cy + 8 * scale))


def draw_online_user(c):
    draw_person(c, 14, 14, 1.25, BLUE)
    draw_dot_badge(c, 24, 22, 4.2, GREEN)


def draw_accounts(c):
    draw_person(c, 20, 13, 1.05, BLUE_LIGHT)
    draw_person(c, 12.5, 16, 1.2, BLUE)


def draw_options(c):
    teeth = 8
    points = []
    for i in range(teeth * 2):
        angle = math.pi * 2 * i / (teeth * 2)
        r = 12.5 if i % 2 == 0 else 9.5
        for k in (-0.18, 0.18):
            a = angle + k
            points.append((16 + r * math.cos(a), 16 + r * math.sin(a)))
    c.polygon(points, GREY)
    c.circle(16, 16, 9.6, GREY)
    c.circle(16, 16, 4.2, WHITE)


def draw_help(c):
    c.circle(16, 16, 12.5, BLUE)
    c.arc(16, 12.5, 5.2, 2.6, 0, 200, WHITE)
    c.arc(16, 12.5, 5.2, 2.6, 300, 360, WHITE)
    c.line(19.5, 16, 16.2, 18.2, 2.6, WHITE)
    c.line(16.2, 18.2, 16.2, 20, 2.6, WHITE)
    c.circle(16.2, 23.6, 1.7, WHITE)


TOOLBAR = [
    (33071, "all_nes", draw_rack),
    (33047, "location_management", lambda c: draw_pin(c, RED)),
    (0, None, None),
    (33029, "active_alarm", draw_active_alarm),
    (33034, "history_alarm", draw_history_alarm),
    (33030, "location_active_alarm", draw_location_active_alarm),
    (33035, "location_history_alarm", draw_location_history_alarm),
    (0, None, None),
    (33021, "inventory", draw_inventory),
    (33076, "current_pm", draw_pm),
    (33074, "ping", draw_ping),
    (33104, "telnet", draw_telnet),
    (33100, "verify_configuration", draw_verify_configuration),
    (0, None, None),
    (33113, "online_user", draw_online_user),
    (33111, "account_management", draw_accounts),
    (33073, "options", draw_options),
    (0, None, None),
    (33050, "help", draw_help),
]


# --- list pictures (16 x 16) ----------------------------------------------------------------------------------------

def draw_connected(c):
    c.circle(8, 8, 7, GREEN)
    c.line(4.6, 8.3, 7, 10.7, 1.8, WHITE)
    c.line(7, 10.7, 11.6, 5.6, 1.8, WHITE)


def draw_disconnected(c):
    c.circle(8, 8, 7, RED)
    c.line(5.2, 5.2, 10.8, 10.8, 1.9, WHITE)
    c.line(10.8, 5.2, 5.2, 10.8, 1.9, WHITE)


def draw_clock(c):
    c.circle(8, 8, 7, GREY)
    c.circle(8, 8, 5.6, WHITE)
    c.line(8, 8, 8, 4, 1.4, DARK)
    c.line(8, 8, 11, 9.5, 1.4, DARK)


def draw_message(c):
    c.rect(1.5, 2.5, 14.5, 11.5, BLUE, 2.2)
    c.polygon([(4, 10), (8, 10), (4, 14.5)], BLUE)
    for y in (5, 8):
        c.rect(4, y, 12, y + 1.2, WHITE)


def draw_communicating(c):
    c.circle(8, 8, 7, AMBER)
    c.line(4, 6, 11, 6, 1.5, WHITE)
    c.polygon([(10, 3.8), (13, 6), (10, 8.2)], WHITE)
    c.line(5, 10, 12, 10, 1.5, WHITE)
    c.polygon([(6, 7.8), (3, 10), (6, 12.2)], WHITE)


def draw_flash(c):
    c.polygon([(9.5, 0.8), (3, 9), (7.4, 9), (6, 15.2), (13, 6.5), (8.6, 6.5)], AMBER)


def draw_beep(c):
    c.polygon([(2, 6), (5, 6), (9, 2.5), (9, 13.5), (5, 10), (2, 10)], DARK)
    c.arc(9, 8, 4.5, 1.4, 0, 55, DARK)
    c.arc(9, 8, 4.5, 1.4, 305, 360, DARK)
    c.arc(9, 8, 7, 1.4, 0, 50, DARK)
    c.arc(9, 8, 7, 1.4, 310, 360, DARK)


# --- entity state pictures (16 x 16) --------------------------------------------------------------------------------
# One picture per kind of entity (NE, shelf, module, port) and display state: 0 no alarm, 1..4 critical, major, minor,
# warning, 5 any other severity, 6 not connected, 7 type mismatch, 8 planned NE connected, 9 planned NE not connected,
# 10 missing. The sample entity models name them by these indexes.

STATE_FILL = [GREEN, (206, 32, 32), (240, 120, 32), (230, 190, 20), (90, 150, 220), (150, 170, 200), GREY_LIGHT,
              (150, 80, 190), GREEN, GREY_LIGHT, None]
ENTITY_KINDS = [("ne", 60), ("shelf", 71), ("module", 82), ("port", 93)]


def entity_outline(kind):
    if kind == "ne":
        return (1.5, 1.5, 14.5, 14.5, 2.5)
    if kind == "shelf":
        return (0.8, 4, 15.2, 12, 1.5)
    if kind == "module":
        return (4, 0.8, 12, 15.2, 1.5)
    return (3, 3, 13, 13, 5)


def make_entity_state(kind, state):
    def draw(c):
        x0, y0, x1, y1, radius = entity_outline(kind)
        fill = STATE_FILL[state]
        planned = state in (8, 9)
        if fill is None or planned:
            c.rect(x0, y0, x1, y1, DARK if fill is None else fill, radius)
            c.rect(x0 + 1.6, y0 + 1.6, x1 - 1.6, y1 - 1.6, WHITE, max(radius - 1.6, 0))
        else:
            c.rect(x0, y0, x1, y1, fill, radius)
        if kind == "ne" and fill is not None and not planned:
            for y in (5, 8, 11):
                c.rect(4, y, 12, y + 1.1, WHITE)
        if state == 6 or state == 9:
            c.line(4.5, 4.5, 11.5, 11.5, 1.8, RED)
            c.line(11.5, 4.5, 4.5, 11.5, 1.8, RED)
        if state == 7:
            c.rect(7.1, 4, 8.9, 9.5, WHITE)
            c.rect(7.1, 10.8, 8.9, 12.6, WHITE)
    return draw


def make_entity_level(kind):
    # The level of an entity in the alarm lists: its outline in the colour of no state.
    def draw(c):
        x0, y0, x1, y1, radius = entity_outline(kind)
        c.rect(x0, y0, x1, y1, GREY, radius)
        c.rect(x0 + 1.6, y0 + 1.6, x1 - 1.6, y1 - 1.6, WHITE, max(radius - 1.6, 0))
    return draw


# --- tree pictures (16 x 16): locations by their gravest alarm, the folders, accounts by role, NEs ------------------

LOCATION_FILL = [(70, 130, 200), (206, 32, 32), (240, 120, 32), (230, 190, 20), (90, 150, 220), (150, 170, 200)]


def make_location(severity):
    def draw(c):
        c.circle(8, 6.5, 5.5, LOCATION_FILL[severity])
        c.polygon([(3.4, 9), (12.6, 9), (8, 15.5)], LOCATION_FILL[severity])
        c.circle(8, 6.5, 2.2, WHITE)
    return draw


def draw_folder(c, color):
    c.rect(1, 3, 7, 6, color, 1)
    c.rect(1, 4.5, 15, 13.5, color, 1.2)


def make_role(color):
    def draw(c):
        c.circle(8, 5, 3.2, color)
        c.rect(2.5, 9, 13.5, 15, color, 3)
    return draw


def draw_ne_folder(c):
    draw_folder(c, GREY)
    for y in (7.5, 10.5):
        c.rect(4, y, 12, y + 1.2, WHITE)


def draw_members_folder(c):
    draw_folder(c, TEAL)
    c.circle(8, 8, 1.8, WHITE)
    c.rect(5.2, 10.2, 10.8, 12.5, WHITE, 1)


def make_ne_link(up):
    # An NE that answers (a green tick) or does not (a red cross): the summary's online and offline rows, and the
    # tree's NE that has no entity model to draw its state with.
    def draw(c):
        x0, y0, x1, y1, radius = entity_outline("ne")
        c.rect(x0, y0, x1, y1, BLUE if up else GREY, radius)
        for y in (4, 7):
            c.rect(4, y, 12, y + 1.1, WHITE)
        c.circle(11, 11, 4.6, WHITE)
        c.circle(11, 11, 3.8, GREEN if up else RED)
        if up:
            c.line(9, 11.2, 10.6, 12.8, 1.3, WHITE)
            c.line(10.6, 12.8, 13.2, 9.6, 1.3, WHITE)
        else:
            c.line(9.4, 9.4, 12.6, 12.6, 1.3, WHITE)
            c.line(12.6, 9.4, 9.4, 12.6, 1.3, WHITE)
    return draw


TREE_LIST = ([(41 + s, f"location{s}", make_location(s)) for s in range(6)] +
             [(47, "members_folder", draw_members_folder),
              (48, "role_administrator", make_role((180, 40, 40))),
              (49, "role_manager", make_role(BLUE)),
              (50, "role_user", make_role(GREEN)),
              (51, "role_unknown", make_role(GREY)),
              (52, "ne_folder", draw_ne_folder)])

ENTITY_LIST = [(first + state, f"{kind}_state{state}", make_entity_state(kind, state))
               for kind, first in ENTITY_KINDS for state in range(11)]

LEVEL_LIST = [(55 + level, f"{kind}_level", make_entity_level(kind))
              for level, (kind, _) in enumerate(ENTITY_KINDS)]

LIST = [
    (1, "connected", draw_connected),
    (2, "disconnected", draw_disconnected),
    (3, "clock", draw_clock),
    (4, "message", draw_message),
    (5, "communicating", draw_communicating),
    (53, "alarm_flash", draw_flash),
    (54, "alarm_sound", draw_beep),
    (26, "ne_online", make_ne_link(True)),
    (27, "ne_offline", make_ne_link(False)),
] + TREE_LIST + LEVEL_LIST + ENTITY_LIST


def draw_app_icon(c):
    c.rect(4, 4, 60, 60, BLUE, 12)
    c.rect(17, 14, 47, 50, WHITE, 4)
    for i, y in enumerate((19, 29, 39)):
        c.rect(21, y, 43, y + 7, BLUE_LIGHT if i != 1 else TEAL, 2)
        c.circle(25.5, y + 3.5, 1.8, GREEN if i != 2 else AMBER)


def picture(size, draw):
    canvas = Canvas(size)
    draw(canvas)
    return canvas.pixels()


def main():
    global HERE
    if len(sys.argv) > 1:
        HERE = sys.argv[1]
        for sub in ("toolbar", "list"):
            os.makedirs(os.path.join(HERE, sub), exist_ok=True)
    ini = ["; The frame's icons: copy these sections into Tarvik.ini; the paths are relative to the working folder,",
           "; which holds this folder as Icon.", "[TOOLICON]", f"ICONCNT={len(TOOLBAR)}", "ICONWIDTH=24",
           "ICONHEIGHT=24"]
    for i, (command, name, draw) in enumerate(TOOLBAR, start=1):
        if command == 0:
            ini.append(f"; ICON{i}: a separator")
            continue
        write_png(os.path.join(HERE, "toolbar", name + ".png"), picture(32, draw))
        ini.append(f"ICON{i}=.\\Icon\\toolbar\\{name}.png,0xFF00FF,{command}")
    ini.append("")
    ini.append("[LISTICON]")
    ini.append(f"ICONCNT={max(index for index, _, _ in LIST)}")
    for index, name, draw in LIST:
        write_png(os.path.join(HERE, "list", name + ".png"), picture(16, draw))
        ini.append(f"ICON{index}=.\\Icon\\list\\{name}.png,0xFF00FF")
    write_png(os.path.join(HERE, "app_icon.png"), picture(64, draw_app_icon))
    with open(os.path.join(HERE, "icons.ini"), "w", encoding="utf-8") as f:
        f.write("\n".join(ini) + "\n")


if __name__ == "__main__":
    main()
