#include "ui/framework/lists/row_colors.h"

#include "core/entity/entity_id.h"

#include <gtest/gtest.h>

namespace {

RowColorCell Row(int row)
{
    RowColorCell cell;
    cell.row = row;
    return cell;
}

TEST(RowColors, DefaultStylesAlternateWhiteAndLightGreen)
{
    const RowColorTable table;
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(SelectRowStyle(table, Row(row)), row % 2) << row;
    EXPECT_EQ(table.styles[1].backColor, 0x80FF80u);
}

TEST(RowColors, BandingIsWeightedByTheKeys)
{
    RowColorTable table;
    table.count = 3;
    table.styles[0].key = 2;
    table.styles[1].key = 0;
    table.styles[2].key = 1;
    const int expected[] = {0, 0, 2, 0, 0, 2};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(SelectRowStyle(table, Row(row)), expected[row]) << row;
    // No weight at all: no band rather than a division by zero.
    table.styles[0].key = 0;
    table.styles[2].key = 0;
    EXPECT_EQ(SelectRowStyle(table, Row(3)), -1);
    // Modes above 7 band as mode 1.
    table.mode = 9;
    table.styles[2].key = 1;
    EXPECT_EQ(SelectRowStyle(table, Row(4)), 2);
}

TEST(RowColors, EachModePicksItsStyle)
{
    RowColorTable table;
    table.count = 4;
    table.styles[0] = {11, 1, 1};
    table.styles[1] = {12, 2, 2};
    table.styles[2] = {6, 3, 3};
    table.styles[3] = {0x41, 4, 4};
    RowColorCell cell;

    table.mode = kRowColorsNone;
    EXPECT_EQ(SelectRowStyle(table, cell), -1);

    table.mode = kRowColorsByImage;
    cell.image = 12;
    EXPECT_EQ(SelectRowStyle(table, cell), 1);
    cell.image = 13;
    EXPECT_EQ(SelectRowStyle(table, cell), -1);

    table.mode = kRowColorsByLevel;
    cell.itemData = EntityIdFromIndex(1, 1, 3, 0, 0); // below the NE
    const int level = EntityIndexFromId(cell.itemData).GetLevel();
    ASSERT_GE(level, 2);
    EXPECT_EQ(SelectRowStyle(table, cell), level);
    cell.itemData = 1; // the NE
    EXPECT_EQ(SelectRowStyle(table, cell), 1);

    table.mode = kRowColorsByRuns;
    cell.runIndex = 5;
    EXPECT_EQ(SelectRowStyle(table, cell), 1);

    table.mode = kRowColorsByData;
    cell.itemData = 6;
    EXPECT_EQ(SelectRowStyle(table, cell), 2);

    table.mode = kRowColorsByColumn;
    cell.column = 11;
    EXPECT_EQ(SelectRowStyle(table, cell), 0);

    table.mode = kRowColorsByState;
    cell.state = kCellSelected | kCellHot;
    EXPECT_EQ(SelectRowStyle(table, cell), 3);
    cell.state = kCellSelected;
    EXPECT_EQ(SelectRowStyle(table, cell), -1);
}

TEST(RowColors, NoStylesInUseMeansNoColours)
{
    RowColorTable table;
    table.count = 0;
    EXPECT_EQ(SelectRowStyle(table, Row(0)), -1);
}

} // namespace
