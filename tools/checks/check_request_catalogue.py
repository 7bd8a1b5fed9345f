#!/usr/bin/env python3
"""Fails when a request code or a record size is written outside its one place, or a request is built by hand
outside the link.

The catalogue's codes are read from link/records/request_codes.h, its record sizes from the field tables (the kSize
of every RecordTable specialisation, its constants followed to their numbers). Then, in every source file:

- A request code is named only in request_codes.h: no RequestCode constant elsewhere, none made from a number, and
  no integer constant (const, static const, constexpr or constinit of any integer type or auto, an array of them, an
  enum member or a #define) named kReq..., kCode... or ...Code, or whose value is a catalogue code and whose name
  says it is one (see says_code), or a member of an enum whose name says so.
- A record size is written only in link/records/ or in a header that holds a field table: no integer constant
  elsewhere named ...RecSize or ...RecordSize (limits named kMax... or kMin... are no sizes), nor one whose value is
  a record size and whose name says it is a size (Size, Length, Len, Bytes) of a record (Rec, Record, Body, Reply,
  Row, Entry).
- No bare number where a code is passed: as the code argument of a call of a function that takes one (a parameter
  uint16_t ...code or RequestCode<...>, such as BuildEmsMsg, the typed requests, the e2e harness's QueryServer, the
  simulated peers' helpers and the tests' own), visible to the file through its includes; assigned to or compared
  with a message's or a frame header's requestCode; or in a braced list a loop walks as codes. Nor a bare record size
  as the size argument (a parameter size or recordSize) of such a call.
- Outside link/, the program (and the simulated peers) send requests through the typed requests
  (link/record_requests.h): no BuildEmsMsg, RequestEmsMsg or SendEmsMsg call. Tests, fuzzers and benchmarks of the
  link may use them.

A test that sends a code the catalogue does not know, or a wrong size, on purpose names it in a constant whose name
says so (kUnknown..., kWrong...): such constants are accepted in tests/ only.

Usage: check_request_catalogue.py <source root>
"""
import bisect
import pathlib
import re
import sys

CODES_FILE = "link/records/request_codes.h"
RECORDS_DIR = "link/records/"
SOURCE_DIRS = ["app", "bench", "core", "features", "fuzz", "link", "platform", "sim", "tests", "tools", "ui"]
PRODUCT_DIRS = ["app", "core", "features", "platform", "sim", "ui"]
INTENT_DIRS = ["tests"]

LITERAL = r"(0[xX][0-9a-fA-F']+|\d[\d']*)[uUlL]*"
LITERAL_ARGUMENT = re.compile(r"^(?:static_cast<[^<>]*>\s*)?\(?\s*" + LITERAL + r"\s*\)?$")
INTEGER_TYPE = (r"(?:(?:std::)?(?:u?int(?:8|16|32|64)_t|u?int_(?:fast|least)(?:8|16|32|64)_t|size_t)"
                r"|(?:(?:unsigned|signed|short|long|int|char)\b\s*)+|auto)")
QUALIFIERS = r"(?:(?:static|inline|extern)\s+)*(?:constexpr|constinit|const)\s+(?:(?:static|inline)\s+)*"
INTEGER_DEFINITION = re.compile(r"(?<![\w.>:])" + QUALIFIERS + INTEGER_TYPE + r"\s*(?:const\s+)?([A-Za-z_]\w*)\s*"
                                r"(?:=\s*|\{\s*|\(\s*)(?:static_cast<[^<>]*>\s*\(\s*)?\(?\s*" + LITERAL +
                                r"\s*\)?\s*\)?\s*(?=[;,})])")
INTEGER_ARRAY = re.compile(r"(?<![\w.>:])" + QUALIFIERS + r"(?:" + INTEGER_TYPE +
                           r"\s*(?:const\s+)?([A-Za-z_]\w*)\s*\[\s*\w*\s*\]|std::array\s*<\s*" + INTEGER_TYPE +
                           r"\s*,\s*\w+\s*>\s*([A-Za-z_]\w*))\s*=?\s*\{([^{}]*)\}")
ENUM = re.compile(r"\benum\s+(?:class\s+|struct\s+)?([A-Za-z_]\w*)?\s*(?::\s*[\w:\s]+?)?\s*\{([^{}]*)\}")
ENUM_MEMBER = re.compile(r"([A-Za-z_]\w*)\s*=\s*\(?\s*" + LITERAL)
DEFINE = re.compile(r"^[ \t]*#[ \t]*define[ \t]+([A-Za-z_]\w*)[ \t]+\(?[ \t]*" + LITERAL + r"[ \t]*\)?[ \t]*$", re.M)
# Names that say "request code" whatever their value: kReq..., kEmsReq..., kCode..., ...Code.
CODE_NAME = re.compile(r"^(?:k(?:Ems)?Req[A-Z]\w*|kCode[A-Z]\w*|k\w*Code)$")
RECORD_SIZE_WORD = r"k(?!Max|Min)\w*Rec(?:ord)?Size"
RECORD_SIZE_NAME = re.compile("^" + RECORD_SIZE_WORD + "$")
REQUEST_CODE_CONSTANT = re.compile(r"\b(?:constexpr|constinit|const)\s+(?:(?:static|inline)\s+)*RequestCode\s*<"
                                   r"[^;{}]*?>\s*([A-Za-z_]\w*)\s*[={(]")
REQUEST_CODE_FROM_NUMBER = re.compile(r"\bRequestCode\s*<[^;{}]*?>\s*([A-Za-z_]\w*)?\s*(?:=\s*\{?|\{|\()\s*" +
                                      LITERAL)
HEADER_CODE = re.compile(r"(?:\.|->)\s*requestCode\s*(?:==|!=|=|,)\s*" + LITERAL + r"(?!\s*[-+*/])")
LOOP_OF_CODES = re.compile(r"\bfor\s*\(\s*(?:const\s+)?(?:(?:std::)?uint16_t|auto)\s*&?\s*\w*[cC]ode\s*:"
                           r"\s*\{([^{}]*)\}")
CALL = re.compile(r"\b([A-Za-z_]\w*)\s*\(")
CODE_PARAMETER = re.compile(r"^(?:const\s+)?(?:(?:std::)?uint16_t\s*&?\s*\w*[cC]ode"
                            r"|RequestCode\s*<[^<>]*>\s*&?\s*\w+)$")
SIZE_PARAMETER = re.compile(r"^(?:const\s+)?(?:std::)?(?:u?int(?:16|32|64)_t|size_t|int|unsigned)\s+"
                            r"(?:size|recordSize)$")
HAND_BUILT_REQUEST = re.compile(r"\b(BuildEmsMsg|RequestEmsMsg|SendEmsMsg)\s*\(")
RECORD_TABLE = re.compile(r"\bstruct\s+RecordTable\s*<\s*(\w+)\s*>\s*\{(.*?)\n\};", re.S)
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', re.M)
RAW_STRING_PREFIX = re.compile(r"(?<!\w)(?:u8|u|U|L)?R$")
INTENT_NAME = re.compile(r"^k(?:Unknown|Wrong)[A-Z0-9]\w*$")

CODE_WORDS = {"req", "opcode", "opcodes"}
CODE_WORDS_IN_CATALOGUE_TERMS = {"code", "codes", "request", "requests"}
OPERATION_WORDS = {"op", "ops"}
OPERATION_VALUES = {1, 2, 4, 6}
SIZE_WORDS = {"size", "length", "len", "bytes"}
RECORD_WORDS = {"rec", "record", "records", "body", "reply", "row", "entry"}


def blank_comments_and_strings(text):
    """The text with comments and the insides of string and character literals blanked, lines kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
        elif c == '"' and RAW_STRING_PREFIX.search(text[max(0, i - 6):i]):
            open_paren = text.find("(", i)
            closing = ")" + text[i + 1:open_paren] + '"'
            end = text.find(closing, open_paren)
            end = n if end < 0 else end + len(closing)
            out.append('"' + re.sub(r"[^\n]", " ", text[i + 1:end - 1]) + '"')
            i = end
        elif c == "'" and re.search(r"\b\d[\w']*$", text[max(0, i - 40):i]):
            out.append(c)  # a digit separator
            i += 1
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def number(literal):
    digits = literal.replace("'", "")
    if digits.lower().startswith("0x"):
        return int(digits, 16)
    if len(digits) > 1 and digits.startswith("0"):
        return int(digits, 8)
    return int(digits)


def words(name):
    """The words of a name: kReqNeKey -> k, req, ne, key; EMS_REQ_NE -> ems, req, ne."""
    parts = re.findall(r"[A-Z]+(?![a-z])|[A-Z]?[a-z]+|\d+", name)
    return {part.lower() for part in parts}


def says_code(name, value, catalogue_words):
    """A name says it is a request code by the word Req or Opcode; or by the word Code, Request or Op when every other
    word of it is a word of the catalogue's own names (kLocationCode, kOpNeKey), so that the codes of shapes, ICMP
    messages or SNMP PDUs (kShapeCodeCount, kEchoRequestType, GetNextRequest) are not taken for request codes. Op
    names no code with an operation's value (1, 2, 4, 6 are catalogue codes too)."""
    found = words(name) - {"k"}
    if found & CODE_WORDS:
        return True
    if not found - CODE_WORDS_IN_CATALOGUE_TERMS - OPERATION_WORDS <= catalogue_words:
        return False
    if found & CODE_WORDS_IN_CATALOGUE_TERMS:
        return True
    return bool(found & OPERATION_WORDS) and value not in OPERATION_VALUES


def says_record_size(name):
    found = words(name)
    return bool(found & SIZE_WORDS) and bool(found & RECORD_WORDS)


def arguments(text, open_paren):
    """The top-level arguments of the call whose '(' is at open_paren, or None when it does not close."""
    depth = 0
    start = open_paren + 1
    found = []
    for j in range(open_paren, len(text)):
        ch = text[j]
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
            if depth == 0:
                found.append(text[start:j].strip())
                return [] if found == [""] else found
        elif ch == "," and depth == 1:
            found.append(text[start:j].strip())
            start = j + 1
    return None


class Source:
    def __init__(self, root, path):
        self.relative = path.relative_to(root).as_posix()
        self.text = path.read_text(encoding="utf-8", errors="replace")
        self.code = blank_comments_and_strings(self.text)
        self.newlines = [m.start() for m in re.finditer("\n", self.code)]
        # Include paths are string literals, which the blanked code has lost: they are read from the text.
        self.includes = [m.group(1) for m in INCLUDE.finditer(self.text)
                         if self.code[m.start():m.end()].lstrip().startswith("#")]

    def line(self, offset):
        return bisect.bisect_left(self.newlines, offset) + 1

    def folder(self):
        return self.relative.split("/", 1)[0]


class Catalogue:
    """The codes of request_codes.h and the sizes of the field tables."""

    def __init__(self, sources):
        codes_file = next((s for s in sources if s.relative == CODES_FILE), None)
        if codes_file is None:
            raise SystemExit(f"{CODES_FILE} not found")
        declared = re.findall(r"\bRequestCode\s*<\s*\w+\s*>\s*(kReq\w+)\s*\{\s*" + LITERAL + r"\s*\}", codes_file.code)
        self.codes = {number(value) for _, value in declared}
        self.words = set().union(*(words(name) for name, _ in declared)) - {"k", "req"}
        if not self.codes:
            raise SystemExit(f"no request codes found in {CODES_FILE}")
        self.table_files = set()
        constants = {}
        tables = []
        for source in sources:
            if not source.relative.startswith(RECORDS_DIR) and not RECORD_TABLE.search(source.code):
                continue
            for m in re.finditer(r"\bconstexpr\s+(?:std::)?(?:size_t|u?int(?:16|32)_t)\s+(\w+)\s*=\s*([^;]+);",
                                 source.code):
                constants[m.group(1)] = m.group(2)
            for m in RECORD_TABLE.finditer(source.code):
                self.table_files.add(source.relative)
                size = re.search(r"\bkSize\s*=\s*([^;]+);", m.group(2))
                if size:
                    tables.append(size.group(1))
        self.sizes = set()
        for expression in tables:
            value = evaluate(expression, constants)
            if value is not None:
                self.sizes.add(value)
        if not self.sizes:
            raise SystemExit("no record sizes found in the field tables")


def evaluate(expression, constants, depth=0):
    """The value of a constant expression of numbers, names of constants and + - * ( ); None when it is another."""
    if depth > 10:
        return None

    def name_value(m):
        value = evaluate(constants[m.group()], constants, depth + 1) if m.group() in constants else None
        if value is None:
            raise ValueError(m.group())
        return str(value)

    try:
        arithmetic = re.sub(r"[A-Za-z_]\w*", name_value, re.sub(r"(?<=\d)[uUlL]+\b", "", expression))
    except ValueError:
        return None
    if not re.fullmatch(r"[\d\s+*()-]+", arithmetic):
        return None
    return eval(arithmetic)  # digits and operators only


class Checker:
    def __init__(self, root):
        self.root = root
        self.sources = {}
        for folder in SOURCE_DIRS:
            for path in sorted((root / folder).rglob("*")):
                if path.suffix in (".h", ".cpp") and path.is_file():
                    source = Source(root, path)
                    self.sources[source.relative] = source
        self.catalogue = Catalogue(list(self.sources.values()))
        self.callees = {relative: self.code_taking_functions(source) for relative, source in self.sources.items()}
        self.visible_cache = {}
        self.faults = []

    # Functions declared with a code parameter: name -> {(code index, size index or None, fewest and most arguments)}.
    @staticmethod
    def code_taking_functions(source):
        found = {}
        for m in CALL.finditer(source.code):
            params = arguments(source.code, m.end() - 1)
            if not params:
                continue
            code_index = next((i for i, p in enumerate(params) if CODE_PARAMETER.match(strip_default(p))), None)
            if code_index is None:
                continue
            size_index = next((i for i, p in enumerate(params) if SIZE_PARAMETER.match(strip_default(p))), None)
            fewest = sum(1 for p in params if "=" not in p)
            found.setdefault(m.group(1), set()).add((code_index, size_index, fewest, len(params)))
        return found

    def resolve(self, source, include):
        for candidate in (include, (pathlib.PurePosixPath(source.relative).parent / include).as_posix()):
            if candidate in self.sources:
                return candidate
        return None

    def visible(self, relative):
        """Code-taking functions declared in the file and in what it includes, however deep."""
        if relative in self.visible_cache:
            return self.visible_cache[relative]
        seen = set()
        stack = [relative]
        while stack:
            current = stack.pop()
            if current in seen:
                continue
            seen.add(current)
            for include in self.sources[current].includes:
                resolved = self.resolve(self.sources[current], include)
                if resolved:
                    stack.append(resolved)
        merged = {}
        for file in seen:
            for name, shapes in self.callees[file].items():
                merged.setdefault(name, set()).update(shapes)
        self.visible_cache[relative] = merged
        return merged

    def report(self, source, offset, text):
        self.faults.append(f"{source.relative}:{source.line(offset)}: {text}")

    def intent_allowed(self, source, name):
        return source.folder() in INTENT_DIRS and name is not None and bool(INTENT_NAME.match(name))

    def check(self, source):
        codes, sizes = self.catalogue.codes, self.catalogue.sizes
        in_codes_file = source.relative == CODES_FILE
        sizes_belong = source.relative.startswith(RECORDS_DIR) or source.relative in self.catalogue.table_files

        def constant(offset, name, value, form):
            if self.intent_allowed(source, name):
                return
            if not in_codes_file and (CODE_NAME.match(name) or
                                      (value in codes and says_code(name, value, self.catalogue.words))):
                self.report(source, offset, f"request code {value} named {name} ({form}) belongs in {CODES_FILE}")
            elif not sizes_belong and (RECORD_SIZE_NAME.match(name) or (value in sizes and says_record_size(name))):
                self.report(source, offset,
                            f"record size {value} named {name} ({form}) belongs next to the record's field table")

        for m in INTEGER_DEFINITION.finditer(source.code):
            constant(m.start(), m.group(1), number(m.group(2)), "an integer constant")
        for m in INTEGER_ARRAY.finditer(source.code):
            name = m.group(1) or m.group(2)
            for item in re.finditer(r"(?<![\w.])" + LITERAL + r"(?![\w.])", m.group(3)):
                constant(m.start(), name, number(item.group(1)), "an array")
        for m in ENUM.finditer(source.code):
            for member in ENUM_MEMBER.finditer(m.group(2)):
                name, value = member.group(1), number(member.group(2))
                enum_says_code = m.group(1) is not None and says_code(m.group(1), value, self.catalogue.words)
                if enum_says_code and value in codes and not in_codes_file:
                    self.report(source, m.start(2) + member.start(),
                                f"request code {value} named {m.group(1)}::{name} (an enum) belongs in {CODES_FILE}")
                else:
                    constant(m.start(2) + member.start(), name, value, "an enum member")
        for m in DEFINE.finditer(source.code):
            constant(m.start(), m.group(1), number(m.group(2)), "a #define")
        # The old rule's form: a record-size name given any value, a constant's or an expression.
        if not sizes_belong:
            for m in re.finditer(r"\bconstexpr\s+" + INTEGER_TYPE + r"\s+(" + RECORD_SIZE_WORD + r")\s*="
                                 r"(?!\s*" + LITERAL + r"\s*;)", source.code):
                if not self.intent_allowed(source, m.group(1)):
                    self.report(source, m.start(),
                                f"record size {m.group(1)} belongs next to the record's field table")

        if not in_codes_file:
            named = set()
            for m in REQUEST_CODE_CONSTANT.finditer(source.code):
                if not self.intent_allowed(source, m.group(1)):
                    self.report(source, m.start(), f"request code {m.group(1)} belongs in {CODES_FILE}")
                named.add(m.group(1))
            for m in REQUEST_CODE_FROM_NUMBER.finditer(source.code):
                if m.group(1) not in named:
                    self.report(source, m.start(),
                                f"request code {number(m.group(2))} made from a number belongs in {CODES_FILE}")

        for m in HEADER_CODE.finditer(source.code):
            self.report(source, m.start(), f"request code {number(m.group(1))} written as a number: use its name")
        for m in LOOP_OF_CODES.finditer(source.code):
            for item in re.finditer(r"(?<![\w.])" + LITERAL + r"(?![\w.])", m.group(1)):
                self.report(source, m.start(),
                            f"request code {number(item.group(1))} written as a number: use its name")

        callees = self.visible(source.relative)
        for m in CALL.finditer(source.code):
            shapes = callees.get(m.group(1))
            if not shapes:
                continue
            args = arguments(source.code, m.end() - 1)
            if not args:
                continue
            for code_index, size_index, fewest, most in shapes:
                if not fewest <= len(args) <= most:
                    continue
                literal = LITERAL_ARGUMENT.match(args[code_index]) if code_index < len(args) else None
                if literal:
                    self.report(source, m.start(), f"request code {number(literal.group(1))} passed to "
                                                   f"{m.group(1)}() as a number: use its name")
                literal = LITERAL_ARGUMENT.match(args[size_index]) if size_index is not None and size_index < len(
                    args) else None
                if literal and number(literal.group(1)) in sizes:
                    self.report(source, m.start(), f"record size {number(literal.group(1))} passed to "
                                                   f"{m.group(1)}() as a number: use the record's size constant")

        if source.folder() in PRODUCT_DIRS:
            for m in HAND_BUILT_REQUEST.finditer(source.code):
                self.report(source, m.start(), f"{m.group(1)} outside link/: use the typed requests")

    def run(self):
        for source in self.sources.values():
            self.check(source)
        return sorted(set(self.faults), key=fault_order)


def strip_default(parameter):
    return parameter.split("=", 1)[0].strip()


def fault_order(fault):
    path, line, _ = fault.split(":", 2)
    return path, int(line), fault


def find_faults(root):
    return Checker(pathlib.Path(root)).run()


def main():
    faults = find_faults(sys.argv[1])
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
