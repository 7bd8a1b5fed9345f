#!/usr/bin/env python3
"""Writes main_menus.menu, the six main menus of the main frame, from one description of the menu tree.

Each entry says in which link mode it exists and whether it needs a current NE:
  modes  "s" server, "d" direct, "sd" both
  need   ""   always
         "ne" any current NE (planned and offline NEs included)
         "on" an NE that can be configured: connected and of its planned type (or any NE with NOOFFLINEMENU),
              and the NE of a direct login
A menu case also leaves out the commands whose toolbar buttons it hides. Popups left empty are dropped.
Run it from any directory to rewrite the menu file."""

import os
import sys

# Menu cases: resource id, mode, NE state ("none", "planned", "online", "other", "direct").
CASES = [
    (106, "s", "none"),
    (117, "d", "direct"),
    (109, "s", "planned"),
    (107, "s", "online"),
    (108, "s", "other"),
    (118, "d", "none"),
]

NE_SET = {
    33001, 33021, 33042, 33044, 33070, 33072, 33075, 33076, 33078, 33085, 33088, 33092, 33100,
    33103, 33115, 33117, 33118, 33119, 33120, 33124, 33127, 33147, 33155, 33158, 33159, 33160,
    33161, 33162, 33163, 33165, 33166, 33167, 33170, 33171, 33178, 33179, 33180, 33181, 33182,
    33183, 33184, 33185, 33188, 33189, 33190, 33195, 33196, 33197, 33218, 33219, 33220}

HIDDEN = {
    106: NE_SET | {33029, 33031, 33034, 33080, 33081},
    109: NE_SET | {33029, 33030, 33035, 33077},
    107: {33030, 33035},
    108: NE_SET | {33030, 33031, 33035, 33080, 33081},
    117: {33030, 33035, 33047, 33111, 33001, 33002, 33100},
    118: NE_SET | {33002, 33029, 33030, 33031, 33034, 33035, 33047, 33080, 33081, 33111},
}


def item(cid, text, modes="sd", need=""):
    return ("item", cid, text, modes, need)


def popup(text, children, modes="sd"):
    return ("popup", text, children, modes)


SEP = ("separator",)

TREE = [
    popup("&System", [
        item(33073, "Client &Options...", "s"),
        item(33073, "&Options...", "d"),
        popup("Server &Management", [
            item(33098, "Management Options..."),
            item(33002, "DB Backup && Restore..."),
            item(33067, "NE Auto-discovery..."),
            item(33099, "Server System Time..."),
            item(33153, "Server System Monitoring..."),
        ], "s"),
        SEP,
        item(33055, "&Logout\tCtrl+L"),
        item(57665, "E&xit\tCtrl+Q"),
    ]),
    popup("&View", [
        item(32770, "&Location Indicator"),
        item(32773, "&Port Tip"),
        item(32769, "&Focus Frame"),
    ]),
    popup("&Configuration", [
        item(33047, "&Location Management...", "s"),
        popup("&NE Management", [
            item(33071, "&All NEs...", "s"),
            SEP,
            popup("NE &Connection", [
                popup("SNMP", [
                    item(33092, "SNMP Managers...", need="on"),
                    item(33146, "SNMP Community...", need="on"),
                ]),
                item(33189, "Secured Hosts...", need="on"),
                item(33168, "NE User Account...", need="on"),
                popup("CLI Setting", [
                    item(33214, "Telnet Time-out...", need="on"),
                    item(33217, "CLI Prompt Setting...", need="on"),
                ], "s"),
            ]),
            item(33214, "Telnet Time-out...", "d", "on"),
            item(33103, "System &Time...", need="on"),
            item(33186, "DNS Servers...", need="on"),
            item(33187, "Time Servers...", need="on"),
            popup("Cascaded Management", [
                item(33202, "Cascaded Management Setting...", need="on"),
                item(33203, "Cascaded Remote NE...", need="on"),
            ]),
            item(33072, "MAC Aging...", need="on"),
            SEP,
            popup("&Firmware Upgrade", [
                item(33044, "NE && ADSL...", need="on"),
                item(33197, "SHDSL...", need="on"),
            ], "s"),
            item(33044, "&Firmware Upgrade...", "d", "on"),
            item(33197, "NE SHDSL Firmware Upgrade...", "d", "on"),
            item(33170, "Boot Partition...", need="on"),
            item(33001, "&Backup && Restore...", need="on"),
            popup("Configuration &Data", [
                item(33088, "&Save", need="on"),
                item(33204, "&Erase", need="on"),
            ]),
            item(33206, "File System List...", need="on"),
        ]),
        popup("&xDSL", [
            item(33130, "ADSL Port Setting...", need="on"),
            item(33177, "SHDSL Port Setting...", need="on"),
            SEP,
            item(33022, "VC-to-VLAN...", need="on"),
            item(33121, "Multicast Channel...", need="on"),
            item(33053, "Next-hop Info for IP over ATM...", need="on"),
            item(33171, "IGMP Snooping / Proxy...", need="on"),
            popup("DHCP", [
                item(33158, "DHCP Setting...", need="on"),
                item(33159, "DHCP Server for DHCP Relay...", need="on"),
                item(33182, "DHCP Broadcast Control...", need="on"),
            ]),
            item(33160, "Port Agent ID...", need="on"),
            popup("PPPoE", [
                item(33185, "PPPoE Setting...", need="on"),
            ]),
            popup("Fast Provision", [
                item(33116, "Port && VC-to-VLAN...", need="on"),
                item(33122, "Multicast Channel...", need="on"),
            ]),
            SEP,
            item(33211, "Bridge Filtering Database...", need="on"),
            item(33167, "Access Control List...", need="on"),
            item(33181, "VLAN MAC Limit...", need="on"),
            popup("Packet Filter", [
                item(33190, "NetBIOS / NetBUI...", need="on"),
                item(33215, "Packet Filter...", need="on"),
                item(33216, "Packet Filter Group...", need="on"),
            ], "s"),
            item(33190, "Packet Filter...", "d", "on"),
            popup("ARP", [
                item(33220, "ARP Proxy Setting...", need="on"),
            ], "d"),
        ]),
        popup("&Trunk", [
            item(33173, "Port Setting...", need="on"),
            item(33161, "LACP...", "s", "on"),
            item(33161, "Link Aggregation...", "d", "on"),
            item(33183, "Static Link Aggregation...", need="on"),
            item(33166, "RSTP...", need="on"),
            item(33169, "CoS Mapping...", need="on"),
            item(33220, "ARP Proxy Setting...", "s", "on"),
            item(33200, "Manual VLAN Setting...", need="on"),
        ]),
        popup("&Profile", [
            item(33080, "ADSL Profile...", need="ne"),
            item(33081, "SHDSL Profile...", need="ne"),
            item(33175, "VLAN Profile...", need="ne"),
            SEP,
            item(33031, "Alarm Definition...", need="ne"),
        ]),
        popup("T&emplate", [
            item(33142, "ADSL Profile Template..."),
            item(33176, "SHDSL Profile Template..."),
            item(33174, "VLAN Profile Template..."),
            item(33143, "Alarm Definition Template..."),
            SEP,
            item(33144, "Synchronize NE Profiles..."),
        ], "s"),
        SEP,
        item(33096, "&Subscriber...", need="on"),
    ]),
    popup("&Performance", [
        item(33076, "xDSL &Current PM...", need="on"),
        item(33078, "xDSL &History PM...", need="on"),
        item(33077, "xDSL &Long-Term PM...", need="ne"),
        SEP,
        item(33075, "&Trunk Port PM...", need="on"),
    ]),
    popup("&Diagnosis", [
        popup("NE &Alarm", [
            item(33029, "&Active Alarm...", need="ne"),
            item(33034, "&History Alarm List...", need="ne"),
            item(33036, "History Alarm &Statistics...", need="ne"),
            item(33042, "Alarm S&ync", need="on"),
            SEP,
            item(33041, "Alarm &Notification...", "s", need="on"),
            item(33032, "Alarm &Input...", need="on"),
            item(33213, "Alarm &Output...", need="on"),
            item(33151, "Hardware &Monitoring...", need="on"),
            item(33192, "Hardware Monitoring &Threshold...", need="on"),
        ]),
        popup("&Location Alarm", [
            item(33030, "&Active Alarm..."),
            item(33035, "&History Alarm..."),
        ], "s"),
        popup("&xDSL Current Status", [
            item(33124, "Port Rate Status...", need="on"),
            item(33117, "Bridge Filtering Database...", need="on"),
            item(33127, "VLAN Membership...", need="on"),
            item(33118, "Multicast Channel Status...", need="on"),
            item(33119, "Multicast Group Membership...", need="on"),
            SEP,
            item(33115, "Bits Allocation...", need="on"),
            item(33147, "Loop Monitoring...", need="on"),
            item(33120, "Loop Diagnosis (DELT)...", need="on"),
            item(33184, "Loop SELT Test...", need="on"),
            SEP,
            item(33195, "Broadcast Filter Status...", need="on"),
            item(33196, "MAC Spoofing Status...", need="on"),
            item(33218, "ARP Proxy Table...", need="on"),
            item(33209, "DHCP Transaction Information...", need="on"),
            item(33210, "PPPoE Session Information...", need="on"),
        ]),
        popup("&Trunk Current Status", [
            item(33163, "Link Aggregation Status...", need="on"),
            item(33165, "RSTP Status...", need="on"),
            item(33219, "ARP Proxy Table...", need="on"),
            item(33199, "SFP Information...", need="on"),
            item(33201, "UGE VLAN Status...", need="on"),
        ]),
        SEP,
        item(33021, "&Inventory...", need="on"),
        item(33162, "&Board Setting...", need="on"),
        item(33085, "&Reset", need="on"),
        SEP,
        popup("NE &Connection", [
            item(33074, "Ping NE from Client...", need="ne"),
            item(33148, "Ping NE from Server...", need="ne"),
            item(33145, "Traceroute NE from Client...", need="ne"),
            item(33104, "Telnet from Client", need="ne"),
            item(33105, "Check SNMP Connection from Server...", need="ne"),
        ], "s"),
        item(33074, "&Ping...", "d", "ne"),
        item(33145, "&Traceroute...", "d", "ne"),
        item(33104, "T&elnet", "d", "ne"),
        item(33105, "Check &SNMP Connection...", "d", "ne"),
    ]),
    popup("Sec&urity", [
        item(33113, "&Online User..."),
        item(33112, "User Operation &Log..."),
        item(33111, "&Account Management..."),
        item(33110, "Access &Control..."),
    ], "s"),
    popup("&Help", [
        item(33050, "&Help Contents\tF1"),
        SEP,
        item(57664, "&About..."),
    ]),
]


def included(entry, mode, state, menu_id):
    if entry[0] == "item":
        _, cid, _, modes, need = entry
        if mode not in modes:
            return False
        if need == "ne" and state == "none":
            return False
        if need == "on" and state not in ("online", "direct"):
            return False
        return cid not in HIDDEN[menu_id]
    if entry[0] == "popup":
        return mode in entry[3]
    return True


def render(entries, mode, state, menu_id, depth):
    """Lines of the entries; separators at either end or doubled are dropped with the entries around them."""
    lines = []
    pending_separator = False
    for entry in entries:
        if not included(entry, mode, state, menu_id):
            continue
        pad = "    " * depth
        if entry[0] == "separator":
            pending_separator = bool(lines)
            continue
        if entry[0] == "popup":
            body = render(entry[2], mode, state, menu_id, depth + 1)
            if not body:
                continue
            block = [f'{pad}POPUP "{entry[1]}"'] + body + [f"{pad}END"]
        else:
            block = [f'{pad}ITEM {entry[1]} "{entry[2]}"']
        if pending_separator:
            lines.append(f"{pad}SEPARATOR")
            pending_separator = False
        lines.extend(block)
    return lines



def output_dir(resource_folder):
    """The folder to write into: the first argument, else the resources folder the file belongs to."""
    if len(sys.argv) > 1:
        os.makedirs(sys.argv[1], exist_ok=True)
        return sys.argv[1]
    return os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", resource_folder)


def main():
    out = [
        "# The six main menus of the main frame, by menu id. Written by tools/generators/make_main_menus.py",
        "# (edit the script).",
        "# MENU <id> ... END; POPUP \"text\" ... END; ITEM <command id> \"text\"; SEPARATOR (the format of the",
        "# context menus). \"&\" marks the access key, \"&&\" is a literal ampersand; a tab in a text separates the",
        "# shortcut.",
    ]
    for menu_id, mode, state in CASES:
        out.append("")
        out.append(f"MENU {menu_id}")
        out.extend(render(TREE, mode, state, menu_id, 1))
        out.append("END")
    path = os.path.join(output_dir("menus"), "main_menus.menu")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
