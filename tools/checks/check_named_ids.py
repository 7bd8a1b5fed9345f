#!/usr/bin/env python3
"""Fails when a string id or an access right's function index is written outside its one place.

String ids: resources/strings/strings.tsv names every text, and the build makes the constants (kStr<name>, in
ui/framework/messages/string_ids.h) from it.
- No string-id constant elsewhere: no kStr... name given a number (a constant of any integer type, an enum member),
  no #define of a kStr..., IDS_... or ...STR... name.
- No literal 5-digit id where a text id is taken: as the argument of a function or function member whose declaration
  calls that parameter stringId, textId, captionId or ...TextId (found in the sources, so new ones count), or
  assigned to a member of such a name (.failureTextId = 10128); nor a constant of another name given a table id and
  passed there in the same file.
- Every kStr... name the sources and the guides mention (comments included) is one the table gives.
Rights: core/tables/access_rights.h names every function index.
- There each index has one name, and is one a role can hold (0..126).
- No kRight... constant given a number elsewhere.
- In the program (not its tests), no bare number passed as the right to CheckRight, CheckRightOrClose,
  CheckAccessRight, CheckAccessRightOrClose (first argument) or CheckUserRight (second).

Usage: check_named_ids.py <source root>
"""
import importlib.util
import pathlib
import re
import sys

TABLE_FILE = "resources/strings/strings.tsv"
GENERATOR = "tools/generators/make_string_ids.py"
RIGHTS_FILE = "core/tables/access_rights.h"
SOURCE_DIRS = ["app", "bench", "core", "features", "fuzz", "link", "platform", "sim", "tests", "tools", "ui"]
PRODUCT_DIRS = ["app", "core", "features", "link", "platform", "sim", "ui"]
GUIDE_GLOBS = ["docs/*.md", "*.md"]

NUMBER = r"[-+]?(?:0[xX][0-9a-fA-F]+|\d+)[uUlL]*"
STRING_CONSTANT = re.compile(r"\b(kStr[A-Z0-9]\w*|IDS_\w+)\s*(?:=|\{)\s*" + NUMBER)
DEFINE = re.compile(r"^[ \t]*#[ \t]*define[ \t]+(\w+)[ \t]+\(?[ \t]*" + NUMBER, re.M)
DEFINED_STRING = re.compile(r"^(kStr[A-Z0-9]|IDS_)|STR")
RIGHT_CONSTANT = re.compile(r"\b(kRight[A-Z]\w*)\s*(?:=|\{)\s*" + NUMBER)
RIGHT_INDEX = re.compile(r"\b(kRight[A-Z]\w*)\s*(?:=|\{)\s*(\d+)\b")
HIGHEST_RIGHT = 126
STRING_NAME = re.compile(r"\bkStr[A-Z0-9]\w*")
OTHER_CONSTANT = re.compile(r"\b(k(?!Str[A-Z0-9])\w+)\s*(?:=|\{)\s*(\d{5})\b")
TEXT_ID_PARAMETER = re.compile(
    r"^(?:const\s+)?(?:std::)?(?:u?int(?:8|16|32|64)_t|int|unsigned(?:\s+int)?|long|size_t)\s+"
    r"(stringId|textId|captionId|\w+TextId)\b")
TEXT_ID_MEMBER = re.compile(r"\b(stringId|textId|captionId|\w+TextId)\s*=\s*(\d{5})\b")
CALL = re.compile(r"\b([A-Za-z_]\w*)\s*\(")
FUNCTION_TYPE = re.compile(r"std::function\s*<\s*[\w:<>*& ]+?\s*\(")
FIVE_DIGITS = re.compile(r"^\d{5}[uU]?$")
INTEGER = re.compile(r"^\d+[uU]?$")
RIGHT_ARGUMENT = {"CheckRight": 0, "CheckRightOrClose": 0, "CheckAccessRight": 0, "CheckAccessRightOrClose": 0,
                  "CheckUserRight": 1}
KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "decltype", "alignof", "static_assert", "catch",
            "int", "void", "bool", "auto", "defined"}


def load_table(root):
    """The table's names (kStr...) and ids, or the generator's complaint."""
    spec = importlib.util.spec_from_file_location("make_string_ids", root / GENERATOR)
    generator = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(generator)
    try:
        entries = generator.read_entries(root / TABLE_FILE)
    except (generator.TableError, OSError) as error:
        return None, None, str(error)
    return {"kStr" + name for _, name, _ in entries}, {text_id for text_id, _, _ in entries}, None


def without_comments(text):
    """The code with comments blanked and every line where it was."""
    def blank(match):
        return re.sub(r"[^\n]", " ", match.group(0))
    return re.sub(r"/\*.*?\*/|//[^\n]*", blank, text, flags=re.S)


def closing(code, start):
    """The arguments of the parenthesis opened just before `start`, split at top level, and where it closes."""
    depth = 0
    arguments = []
    current = start
    for at in range(start, len(code)):
        char = code[at]
        if char in "([{":
            depth += 1
        elif char in ")]}":
            if depth == 0:
                arguments.append(code[current:at])
                return arguments, at
            depth -= 1
        elif char == "," and depth == 0:
            arguments.append(code[current:at])
            current = at + 1
    return None, len(code)


def text_id_parameters(code):
    """{function name: indexes of its text-id parameters} declared in one file."""
    found = {}
    for match in CALL.finditer(code):
        if match.group(1) in KEYWORDS:
            continue
        params, _ = closing(code, match.end())
        for index, param in enumerate(params or []):
            if TEXT_ID_PARAMETER.match(param.strip()):
                found.setdefault(match.group(1), set()).add(index)
    for match in FUNCTION_TYPE.finditer(code):
        params, end = closing(code, match.end())
        member = re.match(r"\s*>\s*(\w+)", code[end + 1:])
        if params is None or member is None:
            continue
        for index, param in enumerate(params):
            if TEXT_ID_PARAMETER.match(param.strip()):
                found.setdefault(member.group(1), set()).add(index)
    return found


def line_of(code, offset):
    return code.count("\n", 0, offset) + 1


class Sources:
    def __init__(self, root):
        self.root = root
        self.files = []
        for folder in SOURCE_DIRS:
            for path in sorted((root / folder).rglob("*")):
                if path.suffix in (".h", ".cpp") and path.is_file():
                    text = path.read_text(encoding="utf-8", errors="replace")
                    self.files.append((path.relative_to(root).as_posix(), text, without_comments(text)))


def check(root):
    faults = []
    names, ids, table_fault = load_table(root)
    if table_fault:
        return [table_fault]
    sources = Sources(root)

    text_id_calls = {}
    for _, _, code in sources.files:
        for name, indexes in text_id_parameters(code).items():
            text_id_calls.setdefault(name, set()).update(indexes)
    known_names = set(names)

    for relative, text, code in sources.files:
        def fault(offset, message, where_code=code):
            faults.append(f"{relative}:{line_of(where_code, offset)}: {message}")

        for match in STRING_CONSTANT.finditer(code):
            fault(match.start(), f"string id {match.group(1)} defined here: name it in {TABLE_FILE}")
        for match in DEFINE.finditer(code):
            if DEFINED_STRING.search(match.group(1)):
                fault(match.start(1), f"string id {match.group(1)} defined here: name it in {TABLE_FILE}")
            elif match.group(1).startswith("kRight"):
                fault(match.start(1), f"right {match.group(1)} defined here: it belongs in {RIGHTS_FILE}")
        for match in RIGHT_CONSTANT.finditer(code):
            if relative != RIGHTS_FILE:
                fault(match.start(), f"right {match.group(1)} defined here: it belongs in {RIGHTS_FILE}")
        if relative == RIGHTS_FILE:
            named = {}
            for match in RIGHT_INDEX.finditer(code):
                name, index = match.group(1), int(match.group(2))
                if index > HIGHEST_RIGHT:
                    fault(match.start(), f"right {name} = {index}: no role holds an index above {HIGHEST_RIGHT}")
                elif index in named:
                    fault(match.start(), f"right {name} = {index}: the index is {named[index]} already")
                else:
                    named[index] = name

        other_ids = {m.group(1): m.group(2) for m in OTHER_CONSTANT.finditer(code) if int(m.group(2)) in ids}
        for match in TEXT_ID_MEMBER.finditer(code):
            fault(match.start(), f"string id {match.group(2)} given to {match.group(1)}: use its kStr name")
        for match in CALL.finditer(code):
            name = match.group(1)
            if name in text_id_calls:
                arguments, _ = closing(code, match.end())
                for index in text_id_calls[name]:
                    if arguments is None or index >= len(arguments):
                        continue
                    argument = arguments[index].strip()
                    if FIVE_DIGITS.match(argument):
                        fault(match.start(), f"string id {argument} passed to {name}: use its kStr name")
                    elif argument in other_ids:
                        fault(match.start(), f"string id {other_ids[argument]} passed to {name} as {argument}: "
                                             "use its kStr name")
            if name in RIGHT_ARGUMENT and relative.split("/")[0] in PRODUCT_DIRS:
                arguments, _ = closing(code, match.end())
                index = RIGHT_ARGUMENT[name]
                if arguments and index < len(arguments) and INTEGER.match(arguments[index].strip()):
                    fault(match.start(), f"right {arguments[index].strip()} passed to {name}: use its kRight name "
                                         f"from {RIGHTS_FILE}")

        for match in STRING_NAME.finditer(text):
            if match.group(0) not in known_names:
                fault(match.start(), f"{match.group(0)} is no text of {TABLE_FILE}", text)

    for pattern in GUIDE_GLOBS:
        for path in sorted(root.glob(pattern)):
            text = path.read_text(encoding="utf-8", errors="replace")
            for match in STRING_NAME.finditer(text):
                if match.group(0) not in known_names:
                    relative = path.relative_to(root).as_posix()
                    faults.append(f"{relative}:{line_of(text, match.start())}: {match.group(0)} is no text of "
                                  f"{TABLE_FILE}")
    return faults


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    faults = check(pathlib.Path(sys.argv[1]))
    for fault in faults:
        print(fault)
    print(f"{len(faults)} id(s) written outside their place" if faults else "ids named once")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
