#!/usr/bin/env python3
"""Writes the string ids of the string table as C++ constants: one `inline constexpr uint32_t kStr<name> = <id>;` per
line "id<TAB>name<TAB>text" of resources/strings/strings.tsv, so that the table is the one place an id is written.
Stops with the line of a malformed entry, an id or a name given twice. The header is rewritten only when it changes,
so that an edit of a text alone rebuilds nothing.

Usage: make_string_ids.py <strings.tsv> <header to write>
"""
import pathlib
import re
import sys

NAME = re.compile(r"[A-Z][A-Za-z0-9]*$")
# A text in the header's comment is cut here, so that a long one does not make a line of its own width.
COMMENT_WIDTH = 70


class TableError(Exception):
    pass


def read_entries(path):
    """The table's (id, name, text) in file order, the text as written (escapes kept)."""
    entries = []
    ids = {}
    names = {}
    lines = pathlib.Path(path).read_text(encoding="utf-8").splitlines()
    for number, line in enumerate(lines, 1):
        if not line or line.startswith("#"):
            continue
        fields = line.split("\t", 2)
        if len(fields) != 3 or not fields[0].isdigit() or not NAME.match(fields[1]):
            raise TableError(f"{path}:{number}: not \"id<TAB>name<TAB>text\" with a name of letters and digits")
        text_id, name, text = int(fields[0]), fields[1], fields[2]
        if text_id > 0xFFFFFFFF:
            raise TableError(f"{path}:{number}: id {text_id} beyond 32 bits")
        if text_id in ids:
            raise TableError(f"{path}:{number}: id {text_id} given again (line {ids[text_id]})")
        if name in names:
            raise TableError(f"{path}:{number}: name {name} given again (line {names[name]})")
        ids[text_id] = names[name] = number
        entries.append((text_id, name, text))
    return entries


def header_text(entries):
    lines = [
        "#pragma once",
        "// The string table's ids by name, made by tools/generators/make_string_ids.py from",
        "// resources/strings/strings.tsv at build time: add or rename a text there, never here.",
        "",
        "#include <cstdint>",
        "",
    ]
    for text_id, name, text in entries:
        shown = text if len(text) <= COMMENT_WIDTH else text[:COMMENT_WIDTH] + "..."
        # Quoted, so that the comment never ends in a backslash that would join the next line to it.
        lines.append(f'inline constexpr uint32_t kStr{name} = {text_id}; // "{shown}"')
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    try:
        text = header_text(read_entries(sys.argv[1]))
    except TableError as error:
        print(error, file=sys.stderr)
        return 1
    out = pathlib.Path(sys.argv[2])
    if not out.exists() or out.read_text(encoding="utf-8") != text:
        out.parent.mkdir(parents=True, exist_ok=True)
        out.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
