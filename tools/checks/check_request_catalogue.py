#!/usr/bin/env python3
"""Fails when a request code or a record size is written outside its one place, or a request is built by hand
outside the link.

- A request-code constant (kReq..., kEmsReq..., kCode..., ...Code = <number>) is defined only in
  link/records/request_codes.h.
- A record-size constant (...RecSize / ...RecordSize = ...; limits named kMax... / kMin... are no sizes) is defined
  only in link/records/ or in a header that holds a record's field table (a RecordTable<...> specialisation).
- Outside link/, the program (and the simulated peers) send requests through the typed requests
  (link/record_requests.h): no BuildEmsMsg, RequestEmsMsg or SendEmsMsg call. Tests, fuzzers and benchmarks of the
  link may use them.

Usage: check_request_catalogue.py <source root>
"""
import pathlib
import re
import sys

CODES_FILE = "link/records/request_codes.h"
SOURCE_DIRS = ["app", "bench", "core", "features", "fuzz", "link", "platform", "sim", "tests", "tools", "ui"]
PRODUCT_DIRS = ["app", "core", "features", "platform", "sim", "ui"]

INTEGER = r"(?:u?int(?:8|16|32|64)_t|int|unsigned|size_t|auto)"
CODE_CONSTANT = re.compile(
    r"\bconstexpr\s+" + INTEGER + r"\s+(k(?:Ems)?Req[A-Z]\w*|kCode[A-Z]\w*|k\w*Code)\s*=\s*\d")
SIZE_CONSTANT = re.compile(r"\bconstexpr\s+" + INTEGER + r"\s+(k(?!Max|Min)\w*Rec(?:ord)?Size)\s*=")
HAND_BUILT_REQUEST = re.compile(r"\b(BuildEmsMsg|RequestEmsMsg|SendEmsMsg)\s*\(")
RECORD_TABLE = re.compile(r"\bstruct\s+RecordTable\s*<")


def without_comments(text):
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def main():
    root = pathlib.Path(sys.argv[1])
    faults = []
    for folder in SOURCE_DIRS:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            relative = path.relative_to(root).as_posix()
            code = without_comments(path.read_text(encoding="utf-8", errors="replace"))
            for number, line in enumerate(code.splitlines(), 1):
                where = f"{relative}:{number}"
                match = CODE_CONSTANT.search(line)
                if match and relative != CODES_FILE:
                    faults.append(f"{where}: request code {match.group(1)} belongs in {CODES_FILE}")
                match = SIZE_CONSTANT.search(line)
                if match and not relative.startswith("link/records/") and not RECORD_TABLE.search(code):
                    faults.append(f"{where}: record size {match.group(1)} belongs next to the record's field table")
                match = HAND_BUILT_REQUEST.search(line)
                if match and folder in PRODUCT_DIRS:
                    faults.append(f"{where}: {match.group(1)} outside link/: use the typed requests")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
