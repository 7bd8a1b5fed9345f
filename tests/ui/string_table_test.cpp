#include "ui/framework/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kTablePath = std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv";

TEST(StringTable, ParsesIdsTextsAndEscapes)
{
    CStringTable table;
    const auto faults = table.Parse("# comment\n\n10\tplain\r\n11\t two\\nlines \n12\ta\\\\b\\tc\n13\t\n", "t");
    EXPECT_TRUE(faults.empty());
    EXPECT_EQ(*table.Find(10), "plain");
    EXPECT_EQ(*table.Find(11), " two\nlines ");
    EXPECT_EQ(*table.Find(12), "a\\b\tc");
    ASSERT_NE(table.Find(13), nullptr);
    EXPECT_EQ(*table.Find(13), "");
    EXPECT_EQ(table.Find(14), nullptr);
}

TEST(StringTable, MalformedLinesAreReportedAndTheRestLoads)
{
    CStringTable table;
    const auto faults =
        table.Parse("1\tone\nnotab\nx2\tbad id\n-3\tnegative\n4\tbad \\q escape\n5\tfive\n1\tagain\n", "f.tsv");
    ASSERT_EQ(faults.size(), 5u);
    EXPECT_EQ(faults[0], "f.tsv:2: no tab after the id");
    EXPECT_EQ(faults[1].rfind("f.tsv:3: bad id", 0), 0u);
    EXPECT_EQ(faults[2].rfind("f.tsv:4: bad id", 0), 0u);
    EXPECT_EQ(faults[3].rfind("f.tsv:5: bad escape", 0), 0u);
    EXPECT_EQ(faults[4], "f.tsv:7: id 1 given again");
    EXPECT_EQ(*table.Find(5), "five");
    EXPECT_EQ(*table.Find(1), "again");
    EXPECT_EQ(table.Count(), 2u);
}

TEST(StringTable, ProgramTableHoldsTheFrameworkTextsVerbatim)
{
    CStringTable table;
    const StringTableLoadResult result = table.Load(kTablePath);
    ASSERT_TRUE(result.read);
    EXPECT_TRUE(result.faults.empty()) << result.faults.front();
    const std::pair<uint32_t, const char*> texts[] = {
        {106, "Tarvik"},
        {10007, " <ALL>"},
        {10024, ">No.|#^<Backup Files|^>File Sizes (bytes)"},
        {10046, "Cleared"},
        {10048, "Critical"},
        {10057, "Major"},
        {10058, "Minor"},
        {10262, "Warning"},
        {10060, "Info"},
        {10071, "&Abort"},
        {10072, "&Cancel"},
        {10073, "&Ignore"},
        {10074, "&No"},
        {10075, "&OK"},
        {10076, "&Retry"},
        {10077, "&Yes"},
        {10125, "...In communicating with the server...\n           The server will reply as soon as possible. "
                "Please wait a moment."},
        {20041, "Internal error"},
        {20070, "No any NE"},
        {20071, "No privilege"},
        {20072, "Unknown location"},
        {20073, "Entity type is wrong"},
        {20074, "Unknown NE"},
        {20075, "Unknown user"},
    };
    for (const auto& [id, text] : texts) {
        ASSERT_NE(table.Find(id), nullptr) << id;
        EXPECT_EQ(*table.Find(id), text) << id;
    }
}

TEST(StringTable, MissingFileIsReportedAndKeepsTheProgramTable)
{
    ASSERT_TRUE(LoadAppStrings(kTablePath).read);
    const StringTableLoadResult result = LoadAppStrings("/nonexistent/strings.tsv");
    EXPECT_FALSE(result.read);
    ASSERT_EQ(result.faults.size(), 1u);
    EXPECT_EQ(LoadString(20071), "No privilege");
    EXPECT_EQ(LoadString(999999), "");
}

} // namespace
