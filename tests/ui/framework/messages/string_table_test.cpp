#include "ui/framework/messages/string_table.h"

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

TEST(StringTable, MissingFileIsReportedAndKeepsTheProgramTable)
{
    const StringTableLoadResult program = LoadAppStrings(kTablePath);
    ASSERT_TRUE(program.read);
    EXPECT_TRUE(program.faults.empty()) << program.faults.front();
    const StringTableLoadResult result = LoadAppStrings("/nonexistent/strings.tsv");
    EXPECT_FALSE(result.read);
    ASSERT_EQ(result.faults.size(), 1u);
    EXPECT_EQ(LoadString(20071), "No privilege");
    EXPECT_EQ(LoadString(999999), "");
}

} // namespace
