// Reads an export file back with a spreadsheet program: LibreOffice converts it to CSV, and every cell must come back
// as it was written. Skipped where LibreOffice is not installed.

#include "core/export/export_file.h"

#include "temp_file_test.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string FindOffice()
{
    for (const char* candidate : {"/usr/bin/soffice", "/usr/bin/libreoffice", "/usr/lib/libreoffice/program/soffice"}) {
        if (fs::exists(candidate))
            return candidate;
    }
    return {};
}

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// The records of a CSV file: comma-separated fields, double-quoted where needed, quotes doubled inside.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            record.push_back(field);
            field.clear();
            records.push_back(record);
            record.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !record.empty()) {
        record.push_back(field);
        records.push_back(record);
    }
    return records;
}

TEST(ExportSpreadsheetTest, LibreOfficeReadsEveryCellBack)
{
    const std::string office = FindOffice();
    if (office.empty())
        GTEST_SKIP() << "LibreOffice is not installed";

    const CTempDir temp;
    const fs::path& dir = temp.Path();
    fs::create_directories(dir / "out");

    ExportTable table;
    table.titles = {"No.", "Name \"quoted\"", "Hidden", "Note"};
    table.written = {true, true, false, true};
    table.rows = {
        {"1", "Core \"A\" rack", "secret", "plain"},
        {"2", "Edge, west", "secret", "two\nlines"},
        {"3", "tab\there", "secret", "\"\""},
        {"4", "Zürich Süd", "secret", "007"},
    };
    ExportRequest request;
    request.dataPath = (dir / "Node.txt").string();
    request.headerPath = (dir / "Node.ini").string();
    request.title = "Node List";
    ASSERT_EQ(WriteExportFiles(request, table).status, ExportStatus::Written);

    // Tab-separated, double quotes around text, UTF-8, from line 1; quoted fields stay text.
    const std::string command =
        ShellQuote(office) + " --headless --norestore -env:UserInstallation=file://" + (dir / "profile").string() +
        " '--infilter=Text - txt - csv (StarCalc):9,34,76,1,,0,true,false'"
        " --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' --outdir " +
        ShellQuote((dir / "out").string()) + " " + ShellQuote(request.dataPath) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_TRUE(fs::exists(dir / "out" / "Node.csv")) << "no CSV from " << command;
    const std::string text = ReadText(dir / "out" / "Node.csv");
    const std::vector<std::vector<std::string>> records = ParseCsv(text);

    ASSERT_EQ(records.size(), 2 + table.rows.size()) << text;
    EXPECT_EQ(records[0][0], "Node List");
    EXPECT_EQ(records[1], (std::vector<std::string>{"SEQ", "No.", "Name \"quoted\"", "Note"}));
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<std::string>& row = table.rows[r];
        EXPECT_EQ(records[r + 2], (std::vector<std::string>{std::to_string(r + 1), row[0], row[1], row[3]}))
            << "row " << r + 1;
    }
}

} // namespace
