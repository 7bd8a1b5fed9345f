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

TEST_F(ExportFileTest, AppendAddsRowsNumberedFromOneAndCountsOnlyThem)
{
    ExportRequest request = Request("Node");
    ASSERT_EQ(WriteExportFiles(request, NodeTable()).status, ExportStatus::Written);

    request.append = true;
    request.writeTitle = false;
    ExportTable more = NodeTable();
    more.rows.push_back({"3", "Spare\nline two", "z"});
    const ExportOutcome outcome = WriteExportFiles(request, more);
    ASSERT_EQ(outcome.status, ExportStatus::Written) << outcome.error;
    // The header describes this export: its three rows, not the five the file now holds.
    EXPECT_EQ(outcome.recordCount, 3U);
    EXPECT_EQ(ReadText(request.dataPath), Golden("appended.txt"));
    EXPECT_NE(ReadText(request.headerPath).find("RECORDCNT=3\n"), std::string::npos);

    // Appending to a file that does not exist yet counts the new rows as well.
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

// A header that cannot be written stops the export before any data is written: a retry in append mode then adds
// the rows once, not twice.
TEST_F(ExportFileTest, AHeaderThatCannotBeWrittenStopsTheExportBeforeTheData)
{
    for (const bool append : {false, true}) {
        SCOPED_TRACE(append);
        ExportRequest request = Request(append ? "Appended" : "Fresh");
        request.append = append;
        request.writeTitle = !append;
        WriteText(request.dataPath, "kept\n");
        fs::create_directories(request.headerPath); // a folder stands where the header goes
        const ExportOutcome outcome = WriteExportFiles(request, NodeTable());
        EXPECT_EQ(outcome.status, ExportStatus::HeaderFileFailed);
        EXPECT_NE(outcome.error.find(request.headerPath), std::string::npos);
        EXPECT_EQ(ReadText(request.dataPath), "kept\n");
    }
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

} // namespace
