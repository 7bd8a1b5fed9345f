#!/usr/bin/env python3
"""Checks that every #include of the program's sources stays within what its layer may use (docs/architecture.md):
a layer includes the layers below it, never one above; a feature area never includes another area, and of the shell
only what hosts its views; the window-free layers include no Qt. Usage: check_layers.py <source root>. Prints each
offending line, exits 1 when there is one."""

import os
import re
import sys

# The layers by folder, from the bottom, and the layers each may include besides itself.
FOLDERS = [
    ("core/", "core"),
    ("link/", "link"),
    ("platform/", "platform"),
    ("ui/framework/", "framework"),
    ("ui/shell/", "shell"),
    ("features/", "features"),
    ("app/", "app"),
    ("sim/", "sim"),
]
MAY_INCLUDE = {
    "core": set(),
    "link": {"core"},
    "platform": {"core"},
    "framework": {"core", "link", "platform"},
    "shell": {"core", "link", "platform", "framework"},
    "features": {"core", "link", "platform", "framework", "shell"},
    "app": {"core", "link", "platform", "framework", "shell", "features"},
    "sim": {"core", "link"},
}
WINDOW_FREE = {"core", "link", "sim"}
# What the feature areas may include of the shell: the host of their views, the makers of the frame's views, the view
# codes and the configuration file's path. The rest of the shell is its own.
SHELL_FACE = {
    "ui/shell/frame/view_host.h",
    "ui/shell/frame/frame_views.h",
    "ui/shell/frame/view_tabs.h",
    "ui/shell/app/config_file_path.h",
}

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
QT_HEADER = re.compile(r"^(Qt\w*/)?Q\w+(\.h)?$|^ui_\w+\.h$")


def place(path):
    """The layer of a path below the root, and for a feature area its name; (None, None) outside the layers."""
    for folder, layer in FOLDERS:
        if path.startswith(folder):
            area = path.split("/")[1] if layer == "features" else None
            return layer, area
    return None, None


def offence(path, header):
    layer, area = place(path)
    if QT_HEADER.match(header):
        return f"{layer} is window-free and may not include <{header}>" if layer in WINDOW_FREE else None
    target, target_area = place(header)
    if target is None or target == layer and target_area == area:
        return None
    if target == layer == "features":
        return f"feature area {area} may not include area {target_area}'s {header}"
    if target not in MAY_INCLUDE[layer]:
        return f"{layer} may not include {header} (layer {target})"
    if layer == "features" and target == "shell" and header not in SHELL_FACE:
        return f"feature area {area} may not include the shell's {header} (only {', '.join(sorted(SHELL_FACE))})"
    return None


def main():
    root = sys.argv[1]
    found = 0
    for folder, _ in FOLDERS:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                full = os.path.join(directory, name)
                path = os.path.relpath(full, root)
                with open(full, encoding="utf-8") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        problem = match and offence(path, match.group(1))
                        if problem:
                            print(f"{path}:{number}: {problem}")
                            found += 1
    print(f"{found} include(s) across layers" if found else "layers kept")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
