#!/usr/bin/env python3
"""The test of check_named_ids.py and of the string ids' generator: a scratch tree that holds the pieces the check
reads (the table, the rights, the declarations that take text ids) passes clean; each bad form planted in it alone
makes the check fail at the planted line; the forms the check must let be (numbers of other meaning, tests' bare
rights, the temporary exceptions) keep it passing. The generator refuses a table with an id or a name given twice.

Usage: check_named_ids_test.py (from anywhere; it finds the scripts beside it)
"""
import pathlib
import subprocess
import sys
import tempfile
import unittest

HERE = pathlib.Path(__file__).resolve().parent
CHECK = HERE / "check_named_ids.py"
GENERATOR = HERE.parent / "generators" / "make_string_ids.py"

TABLE = """# test table
10003\tAddingNewDataFailed\tAdding new data failed
10026\tSureToDeleteData\tAre you sure to delete the data?
10061\tColumnsAlarmTriggers\t>ID |#^<Entity Type
10128\tFailToQuery\tFail to query
"""

BASE = {
    "resources/strings/strings.tsv": TABLE,
    "tools/generators/make_string_ids.py": GENERATOR.read_text(encoding="utf-8"),
    "core/tables/access_rights.h": "inline constexpr int kRightLocations = 21;\n"
                                   "int CheckUserRight(int role, int function, char wanted);\n",
    "ui/framework/messages/message_boxes.h": "int ShowMessageById(uint32_t stringId, int type);\n",
    "ui/framework/lists/list_host.h": "void InitListColumnsById(uint32_t stringId, int listId = 1212);\n",
    "link/record_requests.h": "struct RequestOptions {\n    uint32_t failureTextId = 0;\n};\n",
    "link/net_drv.h": "int RequestEmsMsg(EmsMsg* request, EmsMsg** reply, uint32_t failureTextId, int32_t timeoutMs,\n"
                      "                  bool waitDialog);\n",
    "ui/shell/routing/command_router.h": "std::function<int(uint32_t stringId, int type)> ask;\n",
    "ui/shell/locations/location_dlg.cpp": """// Asks with kStrSureToDeleteData, then deletes.
void Delete()
{
    if (CheckAccessRightOrClose(kRightLocations) != 0)
        return;
    if (ShowMessageById(kStrSureToDeleteData, 4) != 6)
        return;
    requests.Delete(kReqLocation, 0, record, {.failureTextId = kStrAddingNewDataFailed});
    RequestEmsMsg(&request, &reply, kStrFailToQuery, 10000, false);
    InitListColumnsById(kStrColumnsAlarmTriggers);
}
""",
    "docs/dialogs.md": "Texts by name: `kStrFailToQuery`.\n",
}

# (what it is, file, text planted, the line the check names)
BAD_FORMS = [
    ("constexpr constant", "ui/a.cpp", "namespace {\nconstexpr uint32_t kStrFailToDelete = 10028;\n}\n", 2),
    ("static member of another type", "ui/a.h", "class A {\n    static constexpr int kStrColumns = 10061;\n};\n", 2),
    ("const constant", "features/a.cpp", "static const unsigned short kStrShort = 7;\n", 1),
    ("braced constant", "features/a.cpp", "constexpr uint32_t kStrBraced{10026};\n", 1),
    ("enum member", "ui/a.h", "enum class Texts : uint32_t {\n    kStrFail = 10028,\n};\n", 2),
    ("enum member of an old name", "ui/a.h", "enum { IDS_FAIL = 10028 };\n", 1),
    ("define of a kStr name", "ui/a.h", "#pragma once\n#define kStrFail 10028\n", 2),
    ("define of an IDS name", "app/a.cpp", "#define IDS_FAIL_DELETE (10028)\n", 1),
    ("literal to a function", "ui/a.cpp", "void F()\n{\n    ShowMessageById(10026, 4);\n}\n", 3),
    ("literal to a function, over lines", "tests/a_test.cpp", "void F()\n{\n    ShowMessageById(\n        10026, 4);\n}\n",
     3),
    ("literal to a member", "ui/a.cpp", "auto r = requests.Add(kReqX, 0, rec,\n    {.failureTextId = 10003});\n", 2),
    ("literal to a later parameter", "tests/link/a_test.cpp",
     "int r = RequestEmsMsg(&request, &reply, 10128, -2, false);\n", 1),
    ("literal to a function member", "ui/a.cpp", "void F()\n{\n    services_.ask(10026, 4);\n}\n", 3),
    ("literal to a default argument", "ui/a.h", "void Show(uint32_t stringId = 10026);\n", 1),
    ("constant of another name passed", "features/a.cpp",
     "constexpr uint32_t kListColumnSpec = 10061;\nvoid F()\n{\n    InitListColumnsById(kListColumnSpec);\n}\n", 4),
    ("unknown name in code", "ui/a.cpp", "void F()\n{\n    ShowMessageById(kStrNoSuchText, 4);\n}\n", 3),
    ("unknown name in a comment", "link/a.h", "// the failure shows kStrGone\n", 1),
    ("unknown name in a guide", "docs/records.md", "Shows `kStrRenamed`.\n", 1),
    ("right index named twice", "core/tables/access_rights.h", "inline constexpr int kRightPlaces = 21;\n", 3),
    ("right index no role holds", "core/tables/access_rights.h", "inline constexpr int kRightNever = 127;\n", 3),
    ("right constant", "ui/a.cpp", "namespace {\nconstexpr int kRightLocation = 21;\n}\n", 2),
    ("right define", "features/a.h", "#define kRightTriggers 23\n", 1),
    ("bare right to a dialog check", "ui/a.cpp", "void F()\n{\n    if (CheckAccessRightOrClose(21) != 0)\n"
     "        return;\n}\n", 3),
    ("bare right to the rights table", "core/a.cpp", "int F()\n{\n    return CheckUserRight(role, 3, 'q');\n}\n", 3),
    ("bare right to a right check", "features/a.cpp", "int F()\n{\n    return CheckRight(23, 'd');\n}\n", 3),
]

# Forms that look alike and are right.
GOOD_FORMS = [
    ("a constant that only starts like one", {"core/a.cpp": "constexpr size_t kStreamBlock = 2048;\n"}),
    ("a count of rights", {"sim/a.cpp": "constexpr size_t kRightsMax = 127;\n"}),
    ("a five-digit time-out beside a named text",
     {"tests/link/a_test.cpp": "int r = RequestEmsMsg(&request, &reply, kStrFailToQuery, 10000, false);\n"}),
    ("a table id that is a time-out elsewhere",
     {"ui/a.cpp": "constexpr int kTimeoutMs = 10000;\nvoid F()\n{\n    Wait(kTimeoutMs);\n}\n"}),
    ("a bare right in a test of the rights table",
     {"tests/core/a_test.cpp": "void F()\n{\n    EXPECT_EQ(CheckUserRight(1, 3, 'q'), 1);\n}\n"}),
    ("a number in a comment", {"ui/a.cpp": "// ShowMessageById(10026, 4) was the old way\n"}),
]


def plant(root, files):
    for relative, text in files.items():
        path = root / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        with open(path, "a", encoding="utf-8") as out:
            out.write(text)


def run_check(root):
    result = subprocess.run([sys.executable, str(CHECK), str(root)], capture_output=True, text=True, check=False)
    return result.returncode, result.stdout + result.stderr


class NamedIdsCheckTest(unittest.TestCase):
    def scratch(self, extra=None):
        directory = tempfile.TemporaryDirectory()
        self.addCleanup(directory.cleanup)
        root = pathlib.Path(directory.name)
        plant(root, BASE)
        plant(root, extra or {})
        return root

    def test_the_clean_tree_passes(self):
        code, output = run_check(self.scratch())
        self.assertEqual(code, 0, output)

    def test_each_bad_form_is_caught_at_its_line(self):
        for what, relative, text, line in BAD_FORMS:
            with self.subTest(what):
                code, output = run_check(self.scratch({relative: text}))
                self.assertEqual(code, 1, output)
                self.assertIn(f"{relative}:{line}:", output)

    def test_forms_that_only_look_alike_pass(self):
        for what, files in GOOD_FORMS:
            with self.subTest(what):
                code, output = run_check(self.scratch(files))
                self.assertEqual(code, 0, output)

    def test_a_broken_table_fails_the_check(self):
        code, output = run_check(self.scratch({"resources/strings/strings.tsv": "10128\tFailToQuery\tagain\n"}))
        self.assertEqual(code, 1, output)
        self.assertIn("given again", output)


class StringIdsGeneratorTest(unittest.TestCase):
    def generate(self, table):
        with tempfile.TemporaryDirectory() as directory:
            source = pathlib.Path(directory) / "strings.tsv"
            source.write_text(table, encoding="utf-8")
            header = pathlib.Path(directory) / "out" / "string_ids.h"
            result = subprocess.run([sys.executable, str(GENERATOR), str(source), str(header)], capture_output=True,
                                    text=True, check=False)
            return result.returncode, header.read_text(encoding="utf-8") if header.exists() else "", result.stderr

    def test_each_entry_becomes_a_constant(self):
        code, header, _ = self.generate(TABLE + "20047\tDataIsBlank\tends in a backslash \\\\\n")
        self.assertEqual(code, 0)
        self.assertIn("inline constexpr uint32_t kStrFailToQuery = 10128;", header)
        self.assertIn("inline constexpr uint32_t kStrDataIsBlank = 20047;", header)
        self.assertFalse(any(line.endswith("\\") for line in header.splitlines()), "a comment would swallow a line")

    def test_a_malformed_table_makes_no_header(self):
        cases = {
            "an id given twice": TABLE + "10128\tAgain\ttext\n",
            "a name given twice": TABLE + "10129\tFailToQuery\ttext\n",
            "a line without a name": TABLE + "10130\ttext\n",
            "a name that is no identifier": TABLE + "10131\tfail to\ttext\n",
        }
        for what, table in cases.items():
            with self.subTest(what):
                code, header, error = self.generate(table)
                self.assertEqual(code, 1)
                self.assertEqual(header, "")
                self.assertIn("strings.tsv:", error)


if __name__ == "__main__":
    unittest.main()
