#!/usr/bin/env python3
"""Writes EntSkin.dat, the drawing templates of the sample IPD family: rack-mounted chassis with their shelves, line
cards with a lamp per port, control, power, fan and relay modules, blanking plates for empty slots, and the marks
drawn over an entity (missing, wrong type, disabled, planned, active and standby). Every template is written in the
shape language; lamps and faces take the colour of the entity's alarm severity. Standard library only; run it from
any directory to rewrite the file (the first argument names another folder to write into)."""

import os
import sys

# Colours are 0x00BBGGRR.
BLACK, WHITE = 0x000000, 0xFFFFFF
CHASSIS_TOP, CHASSIS_BOTTOM = 0x5E5A56, 0x3A3836
EAR = 0x8E8A86
HOLE = 0x1C1C1C
LABEL_INK = 0xF0F0F0
RECESS, RECESS_EDGE = 0x262626, 0x141414
RAIL_TOP, RAIL_BOTTOM = 0xB4B0AC, 0x6E6A66
FACE, FACE_DISABLED = 0xD6D2CE, 0x9C9A98
HANDLE = 0x34322F
PORT_PANEL, PORT_PANEL_EDGE = 0x2C2A28, 0x161514
INK = 0x202020
BLANK = 0x7C7874
LAMP_OFF = 0x3C3C3C
RUN = 0x00C800

# Lamp colour by alarm severity: none (in service), critical, major, minor, warning, info.
SEVERITY_LAMP = [0x00C000, 0x0000FF, 0x0088FF, 0x00E6FF, 0xFFB040, 0xFF7000]
DISABLED_LAMP = 0x808080

# Accent band of each kind of module.
ACCENT = {"adsl": 0xC07030, "shdsl": 0x40A040, "cu": 0x905080, "power": 0x2050D0, "fan": 0x707070, "relay": 0x20A0C0}

SEVERITIES = range(6)
DISABLED = 3  # the display state of a disabled entity


def hexc(colour):
    return "0x%06X" % colour


# Shapes. Rectangles are given as left, top, right, bottom here; the shape language writes left, right, top, bottom.
def rs(l, t, r, b, fill, edge=BLACK, width=0):
    return "RS,%s,%s,%s,%s,%s,%s,0,%s,0" % (l, r, t, b, hexc(fill), hexc(edge), width)


def b3(l, t, r, b, fill, depth, raised=1):
    return "B3,%s,%s,%s,%s,%s,%s,%d" % (l, r, t, b, hexc(fill), depth, raised)


def bg(l, t, r, b, colour, depth, raised=1):
    return "BG,%s,%s,%s,%s,%s,%s,%d" % (l, r, t, b, hexc(colour), depth, raised)


def rg(l, t, r, b, direction, first, second, third=0, bands=0):
    return "RG,%s,%s,%s,%s,%d,%s,%s,%s,%d" % (l, r, t, b, direction, hexc(first), hexc(second), hexc(third), bands)


def lamp(l, t, r, b, colour):
    return "BR,%s,%s,%s,%s,%s" % (l, r, t, b, hexc(colour))


def disc(l, t, r, b, colour):
    return "C,%s,%s,%s,%s,%s" % (l, r, t, b, hexc(colour))


def frame(l, t, r, b, colour, width, dotted=0):
    return "RL,%s,%s,%s,%s,%s,0,%s,0,%d" % (l, r, t, b, hexc(colour), width, dotted)


def line(x1, y1, x2, y2, colour, width=1):
    return "L,%s,%s,%s,%s,%s,%s,0" % (x1, y1, x2, y2, hexc(colour), width)


CENTRED = 3 | 12  # horizontally and vertically centred
LEFT_MIDDLE = 12


def text(l, t, r, b, colour, words, font, layout=CENTRED):
    return "T,%s,%s,%s,%s,%s,%s,%d,%d,0" % (l, r, t, b, hexc(colour), words, font, layout)


# Fonts of the template file: FONT1 the chassis name, FONT2 module labels and slot numbers, FONT3 small marks.
FONTS = ["Arial,90,B", "Arial,60,B", "Arial,55"]
NAME_FONT, LABEL_FONT, MARK_FONT = 1, 2, 3


class Model:
    def __init__(self, model_id, comment, size, fit="A"):
        self.model_id = model_id
        self.comment = comment
        self.size = size
        self.fit = fit
        self.rects = []
        self.templates = {}  # (severity, state) -> shapes
        self.components = {}

    def lines(self):
        out = ["; " + self.comment, "[MODEL%d]" % self.model_id, "SIZE=%d,%d" % self.size, "FIT=" + self.fit]
        if self.rects:
            out.append("RECTCNT=%d" % len(self.rects))
            out += ["RECT%d=%d,%d,%d,%d" % ((k + 1,) + rect) for k, rect in enumerate(self.rects)]
        for (severity, state), shapes in sorted(self.templates.items()):
            out.append("SHAPECNT_%d_%d=%d" % (severity, state, len(shapes)))
            out += ["SHAPE_%d_%d_%d=%s" % (severity, state, k + 1, shape) for k, shape in enumerate(shapes)]
        for key, shape in sorted(self.components.items()):
            out.append("%s=%s" % (key, shape))
        return out


# ---- chassis: ears with mounting holes, a body, the name, a status lamp and the shelves -------------------------

def chassis(model_id, name, note, width, height, shelves):
    model = Model(model_id, "%s: %s" % (name, note), (width, height))
    ear = 20
    model.rects = shelves
    for severity in SEVERITIES:
        for state, lamp_colour in ((0, SEVERITY_LAMP[severity]), (DISABLED, DISABLED_LAMP)):
            if state == DISABLED and severity != 0:
                continue
            shapes = [
                rg(ear, 0, width - ear - 1, height - 1, 1, CHASSIS_TOP, CHASSIS_BOTTOM),
                frame(ear, 0, width - ear - 1, height - 1, HOLE, 1),
            ]
            for x in (0, width - ear):
                shapes.append(bg(x, 0, x + ear - 1, height - 1, EAR, 2))
                for y in (8, height - 18):
                    shapes.append(disc(x + 6, y, x + 13, y + 7, HOLE))
            shapes.append(text(ear + 8, 2, ear + 120, 17, LABEL_INK, name, NAME_FONT, LEFT_MIDDLE))
            shapes.append(text(ear + 120, 3, width - ear - 70, 16, 0xB8B4B0, "IP DSLAM", LABEL_FONT))
            shapes.append(text(width - ear - 66, 3, width - ear - 28, 16, 0xB8B4B0, "STATUS", LABEL_FONT))
            shapes.append(lamp(width - ear - 22, 4, width - ear - 10, 16, lamp_colour))
            model.templates[(severity, state)] = shapes
    return model


# ---- shelves: a recess between two rails, one slot per child position, slot names on the lower rail -----------

def shelf(model_id, comment, slot_names, pitch, blank_from=None):
    width, height = 400 if pitch == 15 else 4 + len(slot_names) * pitch + 3, 136
    model = Model(model_id, comment, (width, height))
    shapes = [
        rs(0, 0, width - 1, height - 1, RECESS, RECESS_EDGE, 1),
        rg(0, 0, width - 1, 8, 1, RAIL_TOP, RAIL_BOTTOM),
        rg(0, 127, width - 1, height - 1, 1, RAIL_TOP, RAIL_BOTTOM),
    ]
    for k, name in enumerate(slot_names):
        left = 4 + k * pitch
        model.rects.append((left, 10, left + pitch - 1, 126))
        # Card guides above and below each slot.
        shapes.append(rs(left + 2, 9, left + pitch - 4, 9, RECESS_EDGE))
        shapes.append(text(left, 127, left + pitch - 2, height - 1, INK, name, MARK_FONT))
    if blank_from is not None:
        # Room no slot uses: a vented blanking plate.
        left = 4 + blank_from * pitch
        shapes.append(b3(left, 10, width - 5, 125, BLANK, 2))
        for y in range(24, 116, 8):
            shapes.append(line(left + 8, y, width - 13, y, 0x54504C, 2))
    model.templates[(0, 0)] = shapes
    model.components["COMPONENTALARM2"] = text("@R-60", "@B-8", "@R-4", "@B", 0x0000C0, "LOW VOLTAGE", MARK_FONT)
    return model


# ---- modules: a faceplate with handles, an accent band, the module's label and its lamps ----------------------

CARD = (40, 240)


def faceplate(accent, label, severity, disabled):
    face = FACE_DISABLED if disabled else FACE
    alarm = DISABLED_LAMP if disabled else (LAMP_OFF if severity == 0 else SEVERITY_LAMP[severity])
    run = DISABLED_LAMP if disabled else RUN
    shapes = [
        b3(0, 0, 39, 239, face, 2),
        rs(4, 1, 35, 7, HANDLE),
        rs(4, 232, 35, 238, HANDLE),
        rs(2, 9, 37, 13, accent),
        text(1, 15, 38, 27, INK, label, LABEL_FONT),
        lamp(5, 30, 15, 38, run),
        lamp(24, 30, 34, 38, alarm),
    ]
    if severity != 0 and not disabled:
        # An alarmed module is framed in its severity's colour.
        shapes.append(frame(0, 0, 39, 239, SEVERITY_LAMP[severity], 3))
    return shapes


# The marks of a module's modes, one line each below the ports.
MODE_MARKS = {
    "COMPONENTVTP": text(2, 196, 37, 206, 0x804000, "VTP", MARK_FONT),
    "COMPONENTVCM": text(2, 206, 37, 216, 0x804000, "VCM", MARK_FONT),
    "COMPONENTTAG": text(2, 216, 37, 226, 0x804000, "TAG", MARK_FONT),
    "COMPONENTUTG": text(2, 216, 37, 226, 0x804000, "UTG", MARK_FONT),
}


def module(model_id, comment, label, accent, body, rects=(), modes=False):
    model = Model(model_id, comment, CARD, "B")
    model.rects = list(rects)
    if modes:
        model.components.update(MODE_MARKS)
    for severity in SEVERITIES:
        model.templates[(severity, 0)] = faceplate(accent, label, severity, False) + body
    model.templates[(0, DISABLED)] = faceplate(accent, label, 0, True) + body
    return model


def port_panel(top, bottom):
    return [rs(3, top, 36, bottom, PORT_PANEL, PORT_PANEL_EDGE, 2)]


def lamp_grid(ports, columns, top, pitch, height):
    rects = []
    lefts = [6 + c * (28 // columns) for c in range(columns)]
    width = 28 // columns - 4
    for p in range(ports):
        row, column = divmod(p, columns)
        y = top + row * pitch
        rects.append((lefts[column], y, lefts[column] + width, y + height))
    return rects


def line_card(model_id, comment, label, accent, ports, pitch, height):
    rows = (ports + 1) // 2
    rects = lamp_grid(ports, 2, 46, pitch, height)
    body = port_panel(42, 46 + rows * pitch + 2)
    return module(model_id, comment, label, accent, body, rects, modes=True)


def control_card(model_id, comment, label):
    body = [
        text(2, 44, 37, 54, INK, "CON", MARK_FONT),
        rs(8, 56, 31, 72, 0x3A3836, 0x101010, 2),
        rs(12, 60, 27, 66, 0x7A7672),
        text(2, 126, 37, 136, INK, "GE", MARK_FONT),
    ] + port_panel(138, 192)
    return module(model_id, comment, label, ACCENT["cu"], body, [(6, 142, 33, 162), (6, 168, 33, 188)], modes=True)


def power_module(model_id, comment):
    body = [
        text(2, 44, 37, 56, INK, "-48V", LABEL_FONT),
        rs(10, 62, 29, 96, 0x2A2826, 0x101010, 2),
        rs(13, 66, 26, 78, 0xE8E4E0),
        text(2, 100, 37, 110, INK, "ON", MARK_FONT),
        rs(6, 180, 33, 214, 0x2A6A2A, 0x103010, 2),
    ] + [disc(10 + 8 * k, 190, 15 + 8 * k, 195, 0xC0C0C0) for k in range(3)]
    return module(model_id, comment, "PWR", ACCENT["power"], body)


def fan_module(model_id, comment):
    body = [rs(4, 44, 35, 224, 0x4A4744, 0x1C1B1A, 2)]
    for y in (54, 100, 146, 192):
        body.append(disc(7, y, 32, y + 25, 0x24221F))
        body.append(line(8, y + 12, 31, y + 12, 0x6A6662, 2))
        body.append(line(19, y + 1, 19, y + 24, 0x6A6662, 2))
    return module(model_id, comment, "FAN", ACCENT["fan"], body)


def relay_module(model_id, comment):
    body = [text(2, 44, 37, 54, INK, "IN", MARK_FONT), text(2, 146, 37, 156, INK, "OUT", MARK_FONT)]
    body += port_panel(56, 140) + port_panel(158, 208)
    rects = [(10, 60 + 20 * k, 29, 76 + 20 * k) for k in range(4)] + [(10, 162 + 24 * k, 29, 180 + 24 * k)
                                                                        for k in range(2)]
    return module(model_id, comment, "REL", ACCENT["relay"], body, rects)


def blank_plate(model_id, comment):
    model = Model(model_id, comment, CARD, "B")
    model.templates[(0, 0)] = [
        b3(0, 0, 39, 239, BLANK, 2),
        disc(16, 4, 23, 11, 0x4C4844),
        disc(16, 228, 23, 235, 0x4C4844),
    ] + [line(10, y, 29, y, 0x5C5854, 2) for y in range(40, 200, 12)]
    return model


# ---- ports: lamps by severity, a cage for the trunk ports, terminals for the relay contacts ---------------------

def port(model_id, comment, draw):
    model = Model(model_id, comment, (20, 20), "B")
    for severity in SEVERITIES:
        model.templates[(severity, 0)] = draw(SEVERITY_LAMP[severity])
    model.templates[(0, DISABLED)] = draw(DISABLED_LAMP)
    return model


def led(colour):
    return [bg(0, 0, 19, 19, colour, 4)]


def cage(colour):
    return [rs(0, 0, 19, 19, 0x9A9690, 0x2A2826, 2), rs(3, 5, 16, 14, 0x141414), rs(3, 15, 16, 18, colour)]


def terminal(colour):
    return [rs(0, 0, 19, 19, 0x8C8884, 0x2A2826, 2), disc(5, 5, 14, 14, colour), line(7, 9, 12, 9, 0x202020, 2)]


SYSTEM = [
    "[SYSTEM]",
    "; Overview of an NE with several shelves: down to its ports.",
    "ROUGHLEVEL=4",
    "SELECTEDMARK=RL,@L,@R,@T,@B,0x0000FF,0,2,0,0",
    "IMAGECNT=0",
    "FONTCNT=%d" % len(FONTS),
] + ["FONT%d=%s" % (k + 1, font) for k, font in enumerate(FONTS)] + [
    "; Marks over an entity: present but not planned, of another type than planned, disabled, on a planned NE,",
    "; the active and the standby one of a redundant pair, and the module modes.",
    "COMPONENTMISS=RL,@L,@R,@T,@B,0x00A0FF,0,3,0,0",
    "COMPONENTWRONG=RL,@L,@R,@T,@B,0x0000E0,0,3,0,0",
    "COMPONENTDISABLE=RPH,@L,@R,@T,@B,0x50000,0x606060,0,0",
    "COMPONENTPLAN=RL,@L,@R,@T,@B,0xFF8000,0,1,0,1",
    "COMPONENTACTIVE=" + lamp("@L+2", "@B-16", "@L+8", "@B-10", 0x00D000),
    "COMPONENTSLAVE=" + lamp("@L+2", "@B-16", "@L+8", "@B-10", 0x00B0FF),
    "; A module's modes (VLAN tag pass-through, VC multiplexing, tagged or untagged) are marked by the modules that",
    "; have them.",
]

IPD12_SLOTS = [str(k) for k in range(1, 9)]
IPD48_MAIN_SLOTS = [str(k) for k in range(1, 23)] + ["P1", "P2", "25", "26"]
IPD48_EXPANSION_SLOTS = [str(k) for k in range(1, 23)]
IPD12_OWN = 100  # the IPD-12's card and port ids: the IPD-48's plus this

MODELS = [
    chassis(2, "IPD-12", "one shelf of eight slots", 290, 160, [(25, 20, 265, 156)]),
    chassis(4, "IPD-48", "main and expansion shelf", 450, 310, [(25, 20, 425, 156), (25, 166, 425, 302)]),
    shelf(10, "IPD-12 shelf: four line cards, control, power, fan and relay module", IPD12_SLOTS, 29),
    shelf(11, "IPD-48 main shelf: twenty line cards, two control modules, two power modules, fan and relay module",
          IPD48_MAIN_SLOTS, 15),
    shelf(12, "IPD-48 expansion shelf: twenty line cards, power module and fan tray", IPD48_EXPANSION_SLOTS, 15,
          blank_from=22),
    control_card(20, "CU-2GE: control and uplink module", "CU"),
    control_card(21, "CU-2GE-R: redundant control and uplink module", "CU-R"),
] + [model
      # Each NE model has cards and ports of its own, drawn alike: the IPD-48's, and the IPD-12's 100 above them.
      for base, owner in ((0, "IPD-48"), (IPD12_OWN, "IPD-12"))
      for model in (
          line_card(base + 30, owner + " ALC-24: ADSL2+ line card, 24 lamps", "A24", ACCENT["adsl"], 24, 12, 9),
          line_card(base + 31, owner + " ALC-48: ADSL2+ line card, 48 lamps", "A48", ACCENT["adsl"], 48, 6, 4),
          line_card(base + 32, owner + " SLC-16: SHDSL line card, 16 lamps", "S16", ACCENT["shdsl"], 16, 18, 13),
          power_module(base + 40, owner + " PWR-48V: power module"),
          fan_module(base + 41, owner + " FAN-4: fan tray"),
          relay_module(base + 42, owner + " REL-4I2O: four alarm inputs, two alarm outputs"),
          port(base + 50, owner + " GE trunk port: an SFP cage with its link lamp", cage),
          port(base + 51, owner + " ADSL port", led),
          port(base + 52, owner + " SHDSL port", led),
          port(base + 53, owner + " alarm input contact", terminal),
          port(base + 54, owner + " alarm output contact", terminal),
      )
] + [
    blank_plate(90, "Empty slot: a blanking plate"),
    port(92, "Empty or disconnected port: a dark lamp", lambda colour: led(LAMP_OFF)),
]

HEADER = [
    "; Drawing templates of the IPD family (front panel). Written by tools/generators/make_entskin.py: change the",
    "; script and run it rather than editing this file. Shapes are written in the shape language; coordinates",
    "; starting with \"@\" are anchored to the rectangle the shape is drawn in, plain ones are template coordinates.",
    "",
]


def output_dir(resource_folder):
    """The folder to write into: the first argument, else the resources folder the file belongs to."""
    if len(sys.argv) > 1:
        os.makedirs(sys.argv[1], exist_ok=True)
        return sys.argv[1]
    return os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", resource_folder)


def main():
    lines = HEADER + SYSTEM
    for model in MODELS:
        lines.append("")
        lines += model.lines()
    with open(os.path.join(output_dir("EntConf"), "EntSkin.dat"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
