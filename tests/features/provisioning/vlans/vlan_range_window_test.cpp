// The range of VLAN IDs the MAC limit list walks: typed ranges made whole, the page moves within 1..4094, the last page
// after whole windows from VLAN 1, and the moves offered.

#include "features/provisioning/vlans/vlan_mac_limit_list_dlg.h"

#include <gtest/gtest.h>

namespace {

struct Range {
    int64_t first;
    int64_t last;
    bool operator==(const Range&) const = default;
};

Range Of(const CPageWindow& window)
{
    return {window.First(), window.Last()};
}

TEST(VlanRangeWindow, TypedRangesAreMadeWhole)
{
    struct Row {
        Range typed;
        Range kept;
    };
    for (const Row row : {Row{{10, 1}, {1, 10}}, Row{{0, 0}, {1, 1}}, Row{{5000, 6000}, {4094, 4094}},
                          Row{{5000, 10}, {10, 4094}}, Row{{4000, 9000}, {4000, 4094}}, Row{{1, 4094}, {1, 4094}}}) {
        CPageWindow window = VlanRangeWindow(row.typed.first, row.typed.last);
        window.Normalize();
        EXPECT_EQ(Of(window), row.kept) << row.typed.first << ".." << row.typed.last;
    }
}

TEST(VlanRangeWindow, PageMovesStayWithinTheVlanIds)
{
    using Move = void (CPageWindow::*)();
    struct Row {
        const char* what;
        Range from;
        Move move;
        Range to;
    };
    const Row rows[] = {
        {"last page after whole windows", {1, 10}, &CPageWindow::MoveToLast, {4091, 4094}},
        {"last page of a window that divides 4094", {1, 2}, &CPageWindow::MoveToLast, {4093, 4094}},
        {"last page of 23", {1, 23}, &CPageWindow::MoveToLast, {4072, 4094}},
        {"first page keeps the size", {4091, 4094}, &CPageWindow::MoveToFirst, {1, 4}},
        {"next", {1, 10}, &CPageWindow::MoveForward, {11, 20}},
        {"next stops at 4094", {4081, 4090}, &CPageWindow::MoveForward, {4091, 4094}},
        {"previous", {11, 20}, &CPageWindow::MoveBack, {1, 10}},
        {"previous stops at 1", {3, 12}, &CPageWindow::MoveBack, {1, 2}},
    };
    for (const Row& row : rows) {
        CPageWindow window = VlanRangeWindow(row.from.first, row.from.last);
        (window.*row.move)();
        EXPECT_EQ(Of(window), row.to) << row.what;
    }
}

TEST(VlanRangeWindow, TheSpinKeepsTheWindowsSizeAtEitherEnd)
{
    struct Row {
        Range from;
        int steps;
        Range to;
    };
    for (const Row row : {Row{{11, 20}, -1, {1, 10}}, Row{{5, 14}, -1, {1, 10}}, Row{{4081, 4090}, 1, {4085, 4094}},
                          Row{{1, 10}, 2, {21, 30}}}) {
        CPageWindow window = VlanRangeWindow(row.from.first, row.from.last);
        EXPECT_TRUE(window.Spin(row.steps));
        EXPECT_EQ(Of(window), row.to) << row.from.first << " " << row.steps;
    }
}

TEST(VlanRangeWindow, TheMovesOfferedFollowTheWindow)
{
    struct Row {
        Range window;
        bool back;
        bool forward;
        bool spin;
    };
    for (const Row row : {Row{{1, 2}, false, true, true}, Row{{4091, 4094}, true, false, true},
                          Row{{1, 4094}, false, false, false}, Row{{7, 7}, true, true, false}}) {
        const CPageWindow window = VlanRangeWindow(row.window.first, row.window.last);
        EXPECT_EQ(window.CanMoveBack(), row.back) << row.window.first;
        EXPECT_EQ(window.CanMoveForward(), row.forward) << row.window.first;
        EXPECT_EQ(window.CanSpin(), row.spin) << row.window.first;
    }
}

} // namespace
