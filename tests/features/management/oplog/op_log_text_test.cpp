// The operation log's entry text: function, action and parameters between ESC characters.

#include "features/management/oplog/op_log_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitRow {
    std::string text;
    std::array<std::string, 3> parts;
};

class OpLogTextSplit : public ::testing::TestWithParam<SplitRow> {};

TEST_P(OpLogTextSplit, GivesTheThreeParts)
{
    EXPECT_EQ(SplitOpLogText(GetParam().text), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(Rows, OpLogTextSplit,
                         ::testing::Values(SplitRow{"UserAccountRecord\x1b"
                                                    "Add\x1bname=shift",
                                                    {"UserAccountRecord", "Add", "name=shift"}},
                                           SplitRow{"AdslPortRec\x1bModify", {"AdslPortRec", "Modify", ""}},
                                           SplitRow{"Reset", {"Reset", "", ""}}, SplitRow{"", {"", "", ""}},
                                           SplitRow{"\x1b\x1b", {"", "", ""}},
                                           SplitRow{"\x1bModify\x1b", {"", "Modify", ""}},
                                           SplitRow{"F\x1b"
                                                    "A\x1bp=1\x1bq=2",
                                                    {"F", "A", "p=1\x1bq=2"}}));

} // namespace
