#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kTablePath = std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv";

TEST(StringTable, ParsesIdsTextsAndEscapes)
{
    CStringTable table;
    const auto faults =
        table.Parse("# comment\n\n10\tPlain\tplain\r\n11\tTwo\t two\\nlines \n12\tA2\ta\\\\b\\tc\n13\tEmpty\t\n", "t");
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
    const auto faults = table.Parse("1\tOne\tone\nnotab\nx2\tX\tbad id\n-3\tM\tnegative\n4\tQ\tbad \\q escape\n"
                                    "5\tFive\tfive\n1\tOne\tagain\n6\tno name\n7\tlower\ttext\n8\tTwo Words\ttext\n"
                                    "9\t\ttext\n",
                                    "f.tsv");
    ASSERT_EQ(faults.size(), 9u);
    EXPECT_EQ(faults[0], "f.tsv:2: no tab after the id");
    EXPECT_EQ(faults[1].rfind("f.tsv:3: bad id", 0), 0u);
    EXPECT_EQ(faults[2].rfind("f.tsv:4: bad id", 0), 0u);
    EXPECT_EQ(faults[3].rfind("f.tsv:5: bad escape", 0), 0u);
    EXPECT_EQ(faults[4], "f.tsv:7: id 1 given again");
    EXPECT_EQ(faults[5], "f.tsv:8: no tab after the name of 6");
    EXPECT_EQ(faults[6], "f.tsv:9: bad name \"lower\"");
    EXPECT_EQ(faults[7], "f.tsv:10: bad name \"Two Words\"");
    EXPECT_EQ(faults[8], "f.tsv:11: bad name \"\"");
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
    EXPECT_EQ(LoadString(kStrNoPrivilege), "No privilege");
    EXPECT_EQ(LoadString(999999), "");
}

} // namespace
