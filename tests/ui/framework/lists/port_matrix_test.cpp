// The port matrix of the membership lists: five rows of ten ports a line-card slot, the uplinks' row last; a cell
// names a port only where the row has one (the fifth row of a slot ends at port 48, the uplinks' row at its second
// cell), and asks the list whether that port is a member.

#include "ui/framework/lists/port_matrix.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PortMatrixTest, EachSlotHasFiveRowsAndTheUplinksComeLast)
{
    const std::vector<PortMatrixRow> rows = PortMatrixRows({10100, 10200});
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0].slotId, 10100u);
    EXPECT_EQ(rows[4].firstPort, 41u);
    EXPECT_EQ(rows[5].slotId, 10200u);
    EXPECT_EQ(rows[5].slotIndex, 1u);
    EXPECT_EQ(rows[5].firstPort, 1u);
    EXPECT_EQ(rows.back().slotId, 0u);
    EXPECT_EQ(PortMatrixRows({}).size(), 1u) << "an NE without line cards still has its uplinks";
}

TEST(PortMatrixTest, ACellNamesAPortOnlyWhereTheRowHasOne)
{
    std::vector<unsigned> asked;
    const PortMatrixMember evenPorts = [&](const PortMatrixRow&, unsigned port) {
        asked.push_back(port);
        return port % 2 == 0;
    };
    const PortMatrixRow first{10100, 0, 1};
    const PortMatrixRow fifth{10100, 0, 41};
    const PortMatrixRow uplinks{};
    struct Case {
        const PortMatrixRow& row;
        unsigned offset;
        int cell;
        std::vector<unsigned> asked;
    };
    const Case cases[] = {
        {first, 0, 0, {1}},   {first, 9, 1, {10}},  {fifth, 7, 1, {48}},  {fifth, 8, -1, {}},
        {uplinks, 0, 1, {0}}, {uplinks, 1, 0, {1}}, {uplinks, 2, -1, {}},
    };
    for (const Case& c : cases) {
        asked.clear();
        EXPECT_EQ(PortMatrixCell(c.row, c.offset, evenPorts), c.cell) << c.row.firstPort << "+" << c.offset;
        EXPECT_EQ(asked, c.asked) << c.row.firstPort << "+" << c.offset;
    }
}

} // namespace
