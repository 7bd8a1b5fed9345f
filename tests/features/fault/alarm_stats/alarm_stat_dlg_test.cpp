// The history statistics of an NE: one row per entity with its counts by severity, the counts sorting as numbers.

#include "tests/features/fault/trap_log/trap_log_test_support.h"
#include "tests/features/performance/performance_test_support.h"

#include "features/fault/alarm_stats/alarm_stat_dlg.h"
#include "link/records/alarm_stat_rec.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using namespace trap_log_test;

using AlarmStatDlgTest = FaultTestEnvironment;

// Opens the statistics of NE Alpha with its sub-entities, as the peer answers them, and checks the list shown.
void ShowStatistics(const std::function<void(CAlarmStatDlg&, const CListControl&)>& check)
{
    CAlarmStatDlg dialog;
    dialog.SetCriteria({.withSubEntities = true});
    ShowOnAlpha(dialog, [&](const CListControl& list) { check(dialog, list); });
}

TEST_F(AlarmStatDlgTest, OneRowPerEntityAndTheCountsSortAsNumbers)
{
    ASSERT_EQ(SetUserRights(kRoleUser, "mmmmmmmmmmmmmmmmmmmm"), 0);
    perf_test::CScriptedPeer peer;
    peer.Answer(kReqAlarmStatistics, std::vector<AlarmStatRec>{
                                         {10300, 1, 9},   // row 1
                                         {10100, 1, 100}, // row 2, with one major more
                                         {10200, 1, 10},  // row 3
                                         {10100, 2, 1},
                                     });
    struct Row {
        int column;
        QStringList ascending; // the No. column
    };
    const Row rows[] = {
        {0, {"2", "3", "1"}}, // by entity
        {2, {"1", "3", "2"}}, // Total: 9, 10, 101
        {3, {"1", "3", "2"}}, // Critical: 9, 10, 100
    };
    ShowStatistics([&](CAlarmStatDlg& dialog, const CListControl& list) {
        const auto column = [&list](int c) { return ColumnTexts(list, c); };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.column);
            dialog.SortList(row.column, kSortAscending);
            EXPECT_EQ(column(0), row.ascending);
        }
        // Two records of one entity make one row, its Total their sum.
        EXPECT_EQ(column(2), (QStringList{"9", "10", "101"}));
    });
}

// Severities 1..5 count in Critical..Info; a record of another severity makes its row but counts nowhere. A new row
// reads "0" from Total to Warning, and its Info cell stays blank until an Info record counts (even one of count 0).
TEST_F(AlarmStatDlgTest, EachSeverityCountsInItsColumnAndInfoStaysBlankUntilCounted)
{
    ASSERT_EQ(SetUserRights(kRoleUser, "mmmmmmmmmmmmmmmmmmmm"), 0);
    struct Row {
        AlarmStatRec rec;
        QStringList counts; // Total, Critical, Major, Minor, Warning, Info
    };
    const Row rows[] = {
        {{10100, 1, 3}, {"3", "3", "0", "0", "0", ""}},  {{10200, 5, 4}, {"4", "0", "0", "0", "0", "4"}},
        {{10300, 6, 7}, {"0", "0", "0", "0", "0", ""}},  {{10400, 0, 2}, {"0", "0", "0", "0", "0", ""}},
        {{10500, 5, 0}, {"0", "0", "0", "0", "0", "0"}}, {{10600, 4, 1}, {"1", "0", "0", "0", "1", ""}},
    };
    std::vector<AlarmStatRec> records;
    for (const Row& row : rows)
        records.push_back(row.rec);
    perf_test::CScriptedPeer peer;
    peer.Answer(kReqAlarmStatistics, records);
    ShowStatistics([&](CAlarmStatDlg& dialog, const CListControl& list) {
        EXPECT_EQ(list.GetItemCount(), static_cast<int>(std::size(rows)));
        for (int r = 0; r < list.GetItemCount(); ++r) {
            SCOPED_TRACE(list.GetItemData(r));
            QStringList counts;
            for (int column = 2; column <= 7; ++column)
                counts << list.GetItemText(r, column);
            for (const Row& row : rows) {
                if (row.rec.entityId == list.GetItemData(r)) {
                    EXPECT_EQ(counts, row.counts);
                }
            }
        }
        // A blank Info cell sorts as 0, level with a counted 0; rows level keep the order they came in.
        dialog.SortList(7, kSortAscending);
        QStringList byInfo;
        for (int r = 0; r < list.GetItemCount(); ++r)
            byInfo << QString::number(list.GetItemData(r));
        EXPECT_EQ(byInfo, (QStringList{"10100", "10300", "10400", "10500", "10600", "10200"}));
    });
}

} // namespace
