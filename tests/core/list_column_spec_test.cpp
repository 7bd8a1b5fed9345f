#include "core/list/column_spec.h"
#include "core/list/list_layout.h"
#include "core/list/list_sort.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct SpecCase {
    const char* spec;
    std::vector<ColumnSpecField> columns;
};

constexpr uint16_t L = kColumnHeaderLeft;
constexpr uint16_t R = kColumnHeaderRight;
constexpr uint16_t C = kColumnHeaderCenter;
constexpr uint16_t TL = kColumnTextLeft;
constexpr uint16_t TR = kColumnTextRight;
constexpr uint16_t TC = kColumnTextCenter;

class ColumnSpecGrammar : public ::testing::TestWithParam<SpecCase> {};

TEST_P(ColumnSpecGrammar, DeclaresTheColumns)
{
    EXPECT_EQ(ParseColumnSpecFields(GetParam().spec), GetParam().columns) << GetParam().spec;
}

INSTANTIATE_TEST_SUITE_P(
    Specs, ColumnSpecGrammar,
    ::testing::Values(
        SpecCase{">No.|#^<Backup Files|^>File Sizes (bytes)",
                 {{R | TR, "No."}, {kColumnStretch | C | TL, "Backup Files"}, {C | TR, "File Sizes (bytes)"}}},
        // Only one kind character counts: the rest is title.
        SpecCase{"@#^Flag", {{kColumnHidden | L | TL, "#^Flag"}}},
        SpecCase{"@Model", {{kColumnHidden | L | TL, "Model"}}},
        SpecCase{"`<Owner", {{kColumnOwnerText | L | TL, "Owner"}}}, SpecCase{"^", {{C | TC, ""}}},
        SpecCase{"||A||B|", {{L | TL, "A"}, {L | TL, "B"}}}, SpecCase{"", {}}, SpecCase{"|||", {}},
        SpecCase{"#", {{kColumnStretch | L | TL, ""}}}, SpecCase{"><>x", {{R | TL, ">x"}}},
        SpecCase{"Name|<>Size", {{L | TL, "Name"}, {L | TR, "Size"}}}));

TEST(ColumnSpec, OnlyTheFirst255CharactersCount)
{
    std::string spec(250, 'a');
    spec += "|bcdefgh";
    const auto columns = ParseColumnSpecFields(spec);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[1].title, "bcde");
}

TEST(ColumnSpec, TextEndsAtItsFirstNul)
{
    const std::string spec("A|B\0|C", 6);
    const auto columns = ParseColumnSpecFields(spec);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[1].title, "B");
}

TEST(ListLayout, SpareWidthGoesToStretchColumnsWithTheRemainderToTheLast)
{
    std::vector<LayoutColumn> columns = {
        {kColumnDefaultFlags, 50, 40, true},
        {kColumnDefaultFlags | kColumnStretch, 30, 30, true},
        {kColumnDefaultFlags, 20, 30, true},
        {kColumnDefaultFlags | kColumnStretch, 30, 30, true},
    };
    // 40 + 30 + 30 + 30 = 130; 231 leaves 101: 50 and 51.
    EXPECT_EQ(ComputeListLayout(columns, 231, 0), (std::vector<int>{40, 80, 30, 81}));
    // One pixel of spare width goes to the last stretch column.
    EXPECT_EQ(ComputeListLayout(columns, 131, 0), (std::vector<int>{40, 30, 30, 31}));
    // No spare width: desired widths only.
    EXPECT_EQ(ComputeListLayout(columns, 130, 0), (std::vector<int>{40, 30, 30, 30}));
    // The frame counts against the client width.
    EXPECT_EQ(ComputeListLayout(columns, 231, 2), (std::vector<int>{40, 79, 30, 80}));
}

TEST(ListLayout, AListNarrowerThanItsColumnsTakesNothingFromThem)
{
    const std::vector<LayoutColumn> columns = {
        {kColumnDefaultFlags, 50, 40, true},
        {kColumnDefaultFlags | kColumnStretch, 30, 120, true},
        {kColumnDefaultFlags, 20, 30, true},
    };
    // 190 wanted: one pixel less, or half the room, and every column keeps what it measured; the list scrolls.
    EXPECT_EQ(ComputeListLayout(columns, 189, 0), (std::vector<int>{40, 120, 30}));
    EXPECT_EQ(ComputeListLayout(columns, 95, 0), (std::vector<int>{40, 120, 30}));
}

TEST(ListLayout, HiddenZeroWidthAndUnaskedColumnsKeepTheirWidths)
{
    std::vector<LayoutColumn> columns = {
        {kColumnDefaultFlags | kColumnHidden, 0, 99, true},
        {kColumnDefaultFlags | kColumnZeroWidth | kColumnStretch, 0, 99, true},
        {kColumnDefaultFlags, 25, 60, false},
        {kColumnDefaultFlags, 0, 60, true},
        {kColumnDefaultFlags, 10, 60, true},
        {kColumnDefaultFlags | kColumnStretch, 10, 20, false},
    };
    EXPECT_FALSE(TakesPartInLayout(columns[0]));
    EXPECT_FALSE(TakesPartInLayout(columns[1]));
    EXPECT_FALSE(TakesPartInLayout(columns[2]));
    EXPECT_FALSE(TakesPartInLayout(columns[3]));
    EXPECT_TRUE(TakesPartInLayout(columns[4]));
    EXPECT_TRUE(TakesPartInLayout(columns[5]));
    // 25 + 60 + 20 = 105; the stretch column takes the 95 left of 200.
    EXPECT_EQ(ComputeListLayout(columns, 200, 0), (std::vector<int>{0, 0, 25, 0, 60, 115}));
}

TEST(ListLayout, CellAndHeaderWidthsAddTheirRooms)
{
    EXPECT_EQ(HeaderLayoutWidth(50, 8, false), 62);
    EXPECT_EQ(HeaderLayoutWidth(50, 8, true), 90);
    CellMeasure cell{40, 8, true, true, true, 2, true};
    EXPECT_EQ(CellLayoutWidth(cell), 40 + 8 + 20 + 20 + 32);
    cell.firstColumn = false;
    EXPECT_EQ(CellLayoutWidth(cell), 40 + 8 + 20);
    cell.subItemImages = false;
    EXPECT_EQ(CellLayoutWidth(cell), 48);
}

TEST(ListSort, ToggleFlipsTheLastColumnAndKeepsTheDirectionForAnother)
{
    SortState state; // column 0 ascending, as after first show
    EXPECT_EQ(ApplySortRequest(state, 0, kSortToggle), kSortDescending);
    EXPECT_EQ(ApplySortRequest(state, 0, kSortToggle), kSortAscending);
    EXPECT_EQ(ApplySortRequest(state, 0, kSortToggle), kSortDescending);
    EXPECT_EQ(ApplySortRequest(state, 2, kSortToggle), kSortDescending);
    EXPECT_EQ(state.column, 2);
    EXPECT_EQ(ApplySortRequest(state, 2, kSortToggle), kSortAscending);
    EXPECT_EQ(ApplySortRequest(state, 0, kSortNone), kSortNone);
    EXPECT_EQ(state.column, 2);
}

TEST(ListSort, ExplicitDirectionStoresTheColumnOnly)
{
    SortState state; // column 0 ascending
    EXPECT_EQ(ApplySortRequest(state, 1, kSortDescending), kSortDescending);
    EXPECT_EQ(state.column, 1);
    EXPECT_EQ(state.direction, kSortAscending);
    // The next toggle flips the stored direction, not the one shown.
    EXPECT_EQ(ApplySortRequest(state, 1, kSortToggle), kSortDescending);
    EXPECT_EQ(ApplySortRequest(state, 0, kSortAscending), kSortAscending);
    EXPECT_EQ(state.direction, kSortDescending);
    EXPECT_EQ(ApplySortRequest(state, 0, kSortToggle), kSortAscending);
}

TEST(ListSort, ItemDataCompareAsSignedNumbers)
{
    EXPECT_EQ(CompareItemData(1, 2, 0), -1);
    EXPECT_EQ(CompareItemData(2, 2, 0), 0);
    EXPECT_EQ(CompareItemData(0xFFFFFFFFu, 1, 0), -1); // -1 < 1
    EXPECT_EQ(CompareItemData(0xFFFFFFFFu, 1, kCompareDescending), 1);
    EXPECT_EQ(CompareItemData(0x80000000u, 0x7FFFFFFFu, 0), -1);
}

// The rows a layout names follow the rows put in and taken out while it measures them a share at a time.
struct LayoutRowsCase {
    const char* name;
    std::function<void(CLayoutRows&)> steps; // after Start(10, 20) and Take(4): rows 10..13 measured
    std::pair<int, int> next;                // what Take(1000) then gives
};

class LayoutRows : public ::testing::TestWithParam<LayoutRowsCase> {};

TEST_P(LayoutRows, FollowTheRowsTheyName)
{
    CLayoutRows rows;
    rows.Start(10, 20);
    EXPECT_FALSE(rows.Done());
    EXPECT_EQ(rows.Take(4), std::make_pair(10, 14));
    GetParam().steps(rows);
    EXPECT_EQ(rows.Take(1000), GetParam().next);
    EXPECT_TRUE(rows.Done());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, LayoutRows,
    ::testing::Values(
        LayoutRowsCase{"NothingHappens", [](CLayoutRows&) {}, {14, 20}},
        LayoutRowsCase{"InsertedAboveMoveThemDown", [](CLayoutRows& r) { r.Inserted(2, 3); }, {17, 23}},
        LayoutRowsCase{"InsertedAmongTheRestAreMeasured", [](CLayoutRows& r) { r.Inserted(16, 2); }, {14, 22}},
        LayoutRowsCase{"InsertedBelowLeaveThem", [](CLayoutRows& r) { r.Inserted(20, 5); }, {14, 20}},
        LayoutRowsCase{"RemovedAboveMoveThemUp", [](CLayoutRows& r) { EXPECT_FALSE(r.Removed(0, 5)); }, {9, 15}},
        LayoutRowsCase{
            "RemovedAmongTheRestAreNotMeasured", [](CLayoutRows& r) { EXPECT_FALSE(r.Removed(15, 2)); }, {14, 18}},
        LayoutRowsCase{
            "RemovedMeasuredRowsStartAgain", [](CLayoutRows& r) { EXPECT_TRUE(r.Removed(12, 3)); }, {10, 17}},
        LayoutRowsCase{"AChangedMeasuredRowIsMeasuredAgain", [](CLayoutRows& r) { r.Changed(12, 12); }, {12, 20}},
        LayoutRowsCase{"AChangeAmongTheRestChangesNothing", [](CLayoutRows& r) { r.Changed(18, 30); }, {14, 20}},
        LayoutRowsCase{"RowsInAnotherOrderStartAgainWithinTheRows", [](CLayoutRows& r) { r.Restart(15); }, {10, 15}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LayoutRowsDone, ALayoutOfNoRowsIsDoneAndFollowsNothing)
{
    CLayoutRows rows;
    rows.Start(5, 5);
    EXPECT_TRUE(rows.Done());
    rows.Inserted(0, 3);
    EXPECT_FALSE(rows.Removed(0, 10));
    EXPECT_TRUE(rows.Done());
    EXPECT_EQ(rows.Take(10), std::make_pair(5, 5));
}

} // namespace
