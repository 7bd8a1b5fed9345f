#include "core/export/export_file.h"
#include "tarvik_test_paths.h"

#include "temp_file_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Golden(const std::string& name)
{
    return ReadText(fs::path(TARVIK_TEST_DATA_DIR) / "export" / name);
}

class ExportFileTest : public ::testing::Test {
protected:
    // No., Name and a hidden third column; a quote and a delimiter-like comma inside the cells.
    static ExportTable NodeTable()
    {
        ExportTable table;
        table.titles = {"No.", "Name", "Secret"};
        table.written = {true, true, false};
        table.rows = {{"1", "Core \"A\" rack", "x"}, {"2", "Edge, west", "y"}};
        return table;
    }

    ExportRequest Request(const std::string& stem) const
    {
        ExportRequest request;
        request.dataPath = (dir / (stem + ".txt")).string();
        request.headerPath = (dir / (stem + ".ini")).string();
        request.title = "Node List";
        request.info = {{"TITLE", "Node List"}, {"USER", "admin"}};
        return request;
    }

    CTempDir temp;
    const fs::path dir = temp.Path();
};

TEST_F(ExportFileTest, HiddenColumnLeavesNoGapAndQuotesAreDoubled)
{
    const ExportRequest request = Request("Node");
    const ExportOutcome outcome = WriteExportFiles(request, NodeTable());
    ASSERT_EQ(outcome.status, ExportStatus::Written) << outcome.error;
    EXPECT_EQ(outcome.recordCount, 2U);
    EXPECT_EQ(outcome.fieldCount, 3U);
    EXPECT_EQ(ReadText(request.dataPath), Golden("two_rows_hidden_column.txt"));
    EXPECT_EQ(ReadText(request.headerPath), Golden("two_rows_hidden_column.ini"));
}

TEST_F(ExportFileTest, AppendAddsRowsAndCountsEveryRowOfTheFile)
{
    ExportRequest request = Request("Node");
    ASSERT_EQ(WriteExportFiles(request, NodeTable()).status, ExportStatus::Written);

    request.append = true;
    request.writeTitle = false;
    ExportTable more = NodeTable();
    more.rows.push_back({"3", "Spare\nline two", "z"}); // a cell over two lines still counts once
    const ExportOutcome outcome = WriteExportFiles(request, more);
    ASSERT_EQ(outcome.status, ExportStatus::Written) << outcome.error;
    EXPECT_EQ(outcome.recordCount, 5U);
    EXPECT_EQ(ReadText(request.dataPath), Golden("appended.txt"));
    EXPECT_NE(ReadText(request.headerPath).find("RECORDCNT=5\n"), std::string::npos);

    // Appending to a file that does not exist yet counts only the new rows.
    request.dataPath = (dir / "Fresh.txt").string();
    request.headerPath = (dir / "Fresh.ini").string();
    EXPECT_EQ(WriteExportFiles(request, NodeTable()).recordCount, 2U);
}

TEST_F(ExportFileTest, ListWithoutRowsWritesTheTitleLinesOnly)
{
    ExportRequest request = Request("Empty");
    ExportTable table = NodeTable();
    table.titles[1] = " Name "; // written as it is, named trimmed in the header
    table.rows.clear();
    const ExportOutcome outcome = WriteExportFiles(request, table);
    ASSERT_EQ(outcome.status, ExportStatus::Written);
    EXPECT_EQ(ReadText(request.dataPath), "Node List\n\"SEQ\"\t\"No.\"\t\" Name \"\n");
    const std::string header = ReadText(request.headerPath);
    EXPECT_NE(header.find("RECORDCNT=0\n"), std::string::npos);
    EXPECT_NE(header.find("FIELD2=Name\n"), std::string::npos);

    request.append = true;
    request.writeTitle = false;
    ASSERT_EQ(WriteExportFiles(request, table).status, ExportStatus::Written);
    EXPECT_EQ(ReadText(request.dataPath), "Node List\n\"SEQ\"\t\"No.\"\t\" Name \"\n");
}

TEST_F(ExportFileTest, UnopenableDataFileTouchesNoHeader)
{
    ExportRequest request = Request("Node");
    WriteText(request.headerPath, "[HEADER]\nRECORDCNT=7\n");
    request.dataPath = (dir / "missing" / "Node.txt").string();
    const ExportOutcome outcome = WriteExportFiles(request, NodeTable());
    EXPECT_EQ(outcome.status, ExportStatus::DataFileFailed);
    EXPECT_NE(outcome.error.find("missing/Node.txt"), std::string::npos);
    EXPECT_EQ(ReadText(request.headerPath), "[HEADER]\nRECORDCNT=7\n");
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(ExportFileTest, HeaderMayBeReadByWhoeverMayReadTheDataFile)
{
    const ExportRequest request = Request("Node");
    WriteText(request.dataPath, "");
    fs::permissions(request.dataPath, fs::perms(0640));
    ASSERT_EQ(WriteExportFiles(request, NodeTable()).status, ExportStatus::Written);
    EXPECT_EQ(fs::status(request.headerPath).permissions(), fs::perms(0640));
}

TEST_F(ExportFileTest, HeaderIsReplacedWholeNotMerged)
{
    const ExportRequest request = Request("Node");
    WriteText(request.headerPath, "[HEADER]\nFIELD9=Stale\n[OTHER]\nKEY=1\n");
    ASSERT_EQ(WriteExportFiles(request, NodeTable()).status, ExportStatus::Written);
    EXPECT_EQ(ReadText(request.headerPath), Golden("two_rows_hidden_column.ini"));
}

TEST(ExportRecordCountTest, CountsRowLinesOnly)
{
    const std::pair<std::string, size_t> rows[] = {
        {"", 0},
        {"Title\n\"SEQ\"\t\"A\"\n", 0},
        {"Title\n\"SEQ\"\t\"A\"\n1\t\"x\"\n2\t\"y\"\n", 2},
        {"1\t\"x\"\n2\t\"y\"\n", 2},
        {"2024\n\"SEQ\"\t\"A\"\n1\t\"x\"\n", 1},    // an all-digit title is still the title
        {"1\t\"two\nlines\"\n2\t\"y\"\n", 2},       // a quoted cell over two lines
        {"1\t\"say \"\"hi\"\"\n\"\n2\t\"y\"\n", 2}, // doubled quotes stay inside the cell
        {"1\t\"x\"\r\n2\t\"y\"\r\n", 2},            // line ends of another system
        {"1\t\"x\"\n2\t\"y\"", 2},                  // no line feed after the last row
        {"1\n", 1},                                 // a row of a list without written columns
        {"Title\n\"SEQ\"\n1\n2\n3\n", 3},
        {"1\t\"x\"\nnot a row\n\n", 1},
        {"12ab\t\"x\"\n", 0},
        {"1\t\"open\n2\t\"y\"\n", 1}, // an open quote runs to the end
    };
    for (const auto& [content, expected] : rows)
        EXPECT_EQ(CountExportRecords(content), expected) << content;
}

TEST(ExportRecordCountTest, PiecesGiveTheSameCountAsTheWhole)
{
    const std::string content = "Title\n\"SEQ\"\t\"A\"\n1\t\"a\"\"b\nc\"\n2\t\"y\"\n3\t\"z\"\n";
    for (size_t piece = 1; piece <= content.size(); ++piece) {
        ExportRecordCounter counter;
        for (size_t at = 0; at < content.size(); at += piece)
            counter.Feed(std::string_view(content).substr(at, piece));
        EXPECT_EQ(counter.Finish(), 3U) << "pieces of " << piece;
    }
}

} // namespace
