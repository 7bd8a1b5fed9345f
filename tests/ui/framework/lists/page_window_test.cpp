// The window arithmetic of the paged lists: the edge cases of the server's paged lists (operation log, subscribers)
// and of a range list over a fixed span (VLAN IDs 1..4094), one row each.

#include "ui/framework/lists/page_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace {

struct Window {
    int64_t first;
    int64_t last;
    int64_t total;
};

struct PageCase {
    const char* name;
    PageRules rules;
    Window before;
    std::function<void(CPageWindow&)> act;
    Window after;
};

void PrintTo(const PageCase& c, std::ostream* os)
{
    *os << c.name;
}

constexpr PageRules kServerList{};
constexpr PageRules kRangeList{.maxRows = 0, .wrap = false, .alignLastPage = true};

void Normalize(CPageWindow& w)
{
    w.Normalize();
}
void ToFirst(CPageWindow& w)
{
    w.MoveToFirst();
}
void Back(CPageWindow& w)
{
    w.MoveBack();
}
void Forward(CPageWindow& w)
{
    w.MoveForward();
}
void ToLast(CPageWindow& w)
{
    w.MoveToLast();
}
std::function<void(CPageWindow&)> Spin(int steps)
{
    return [steps](CPageWindow& w) { w.Spin(steps); };
}
void ForwardTwice(CPageWindow& w)
{
    w.MoveForward();
    w.MoveForward();
}

class PageWindowTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageWindowTest, MovesAsTheListsDo)
{
    const PageCase& c = GetParam();
    CPageWindow window(c.rules, c.before.first, c.before.last, c.before.total);
    c.act(window);
    EXPECT_EQ(window.First(), c.after.first);
    EXPECT_EQ(window.Last(), c.after.last);
    EXPECT_EQ(window.Total(), c.after.total);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageWindowTest,
    ::testing::Values(
        // Server lists.
        PageCase{"TwelveEntriesShrinkTheFirstWindow", kServerList, {1, 1000, 12}, Normalize, {1, 12, 12}},
        PageCase{"NextOf2500", kServerList, {1, 1000, 2500}, Forward, {1001, 2000, 2500}},
        PageCase{"NextTwiceStopsAtTheTotal", kServerList, {1, 1000, 2500}, ForwardTwice, {2001, 2500, 2500}},
        PageCase{"PreviousFromTheStartWrapsToTheEnd", kServerList, {1, 1000, 2500}, Back, {1501, 2500, 2500}},
        PageCase{"PreviousKeepsTheSize", kServerList, {2001, 2500, 2500}, Back, {1501, 2000, 2500}},
        PageCase{"PreviousStopsAtRowOne", kServerList, {301, 1000, 2500}, Back, {1, 300, 2500}},
        PageCase{"FirstKeepsTheSize", kServerList, {1501, 2000, 2500}, ToFirst, {1, 500, 2500}},
        PageCase{"LastKeepsTheSize", kServerList, {1, 1000, 2500}, ToLast, {1501, 2500, 2500}},
        PageCase{"NineThousandAreCutToFiveThousand", kServerList, {1, 9000, 20000}, Normalize, {1, 5000, 20000}},
        PageCase{"SwappedBoundsAreSwappedBack", kServerList, {700, 300, 1000}, Normalize, {300, 700, 1000}},
        PageCase{"BoundsBeyondTheTotalAreClamped", kServerList, {40, 90, 30}, Normalize, {30, 30, 30}},
        PageCase{"AnEmptyResultIsAnEmptyWindow", kServerList, {1, 1000, 0}, Normalize, {0, 0, 0}},
        PageCase{"SpinForward", kServerList, {1, 1000, 2500}, Spin(1), {1001, 2000, 2500}},
        PageCase{"SpinForwardPastTheEndWraps", kServerList, {2001, 2500, 2500}, Spin(1), {1, 500, 2500}},
        PageCase{"SpinBackPastTheStartWraps", kServerList, {1, 1000, 2500}, Spin(-1), {1501, 2500, 2500}},
        PageCase{"SpinBackStopsAtRowOne", kServerList, {301, 1000, 2500}, Spin(-1), {1, 300, 2500}},
        PageCase{"SpinOfOneRowDoesNothing", kServerList, {5, 5, 2500}, Spin(1), {5, 5, 2500}},
        PageCase{"SpinOfAnEmptyResultDoesNothing", kServerList, {1, 1000, 0}, Spin(1), {0, 0, 0}},
        // A range over VLAN IDs 1..4094.
        PageCase{"RangeTypedBackwards", kRangeList, {10, 1, 4094}, Normalize, {1, 10, 4094}},
        PageCase{"RangeLastPageIsAligned", kRangeList, {1, 10, 4094}, ToLast, {4091, 4094, 4094}},
        PageCase{"RangeFirstFromTheAlignedEnd", kRangeList, {4091, 4094, 4094}, ToFirst, {1, 4, 4094}},
        PageCase{"RangeLastPageOfAWholeDivisor", kRangeList, {1, 2, 4094}, ToLast, {4093, 4094, 4094}},
        PageCase{"RangeNextStopsAtTheEnd", kRangeList, {4081, 4090, 4094}, Forward, {4091, 4094, 4094}},
        PageCase{"RangeSpinStopsAtTheEndKeepingItsSize", kRangeList, {4081, 4090, 4094}, Spin(1), {4085, 4094, 4094}},
        PageCase{"RangeSpinStopsAtTheStart", kRangeList, {5, 14, 4094}, Spin(-1), {1, 10, 4094}},
        PageCase{"RangeAboveTheSpan", kRangeList, {5000, 6000, 4094}, Normalize, {4094, 4094, 4094}},
        PageCase{"RangeHasNoRowBound", kRangeList, {1, 4094, 4094}, Normalize, {1, 4094, 4094}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageWindow, OffersTheMovesTheWindowAllows)
{
    // Back from row 2 on, forward up to the row before the last; the spin unless the window is one row or covers
    // every row, each of the two alone not enough to stop it.
    const struct {
        Window window;
        bool back;
        bool forward;
        bool spin;
    } cases[] = {
        {{1, 12, 12}, false, false, false},      // every row
        {{1001, 2000, 2500}, true, true, true},  // in the middle
        {{7, 7, 2500}, true, true, false},       // one row
        {{1, 1000, 2500}, false, true, true},    // from the first row, not to the last
        {{1501, 2500, 2500}, true, false, true}, // to the last row, not from the first
        {{2, 2499, 2500}, true, true, true},     // a row inside either end
    };
    for (const auto& c : cases) {
        const CPageWindow window({}, c.window.first, c.window.last, c.window.total);
        SCOPED_TRACE(std::to_string(c.window.first) + ".." + std::to_string(c.window.last));
        EXPECT_EQ(window.CanMoveBack(), c.back);
        EXPECT_EQ(window.CanMoveForward(), c.forward);
        EXPECT_EQ(window.CanSpin(), c.spin);
    }
}

TEST(PageWindow, AQueryAsksForTheWindowAndAfterAnEmptyResultForRow0Alone)
{
    EXPECT_EQ(CPageWindow({}, 3, 7, 100).QueryRows(), (PageRows{3, 5}));
    EXPECT_EQ(CPageWindow({}, 1, 1000, 1000).QueryRows(), (PageRows{1, 1000}));
    EXPECT_EQ(CPageWindow({}, 1, 1, 1).QueryRows(), (PageRows{1, 1}));
    // A result of no rows leaves the window at row 0, and the next query asks for one row from there.
    CPageWindow empty({}, 1, 1000, 0);
    empty.Normalize();
    EXPECT_EQ(empty.First(), 0);
    EXPECT_EQ(empty.Last(), 0);
    EXPECT_EQ(empty.QueryRows(), (PageRows{0, 1}));
}

} // namespace
