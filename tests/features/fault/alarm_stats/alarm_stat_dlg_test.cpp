// The history statistics of an NE: one row per entity with its counts by severity, the counts sorting as numbers.

#include "tests/features/fault/trap_log/trap_log_test_support.h"
#include "tests/features/performance/performance_test_support.h"

#include "features/fault/alarm_stats/alarm_stat_dlg.h"
#include "link/records/alarm_stat_rec.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace trap_log_test;

using AlarmStatDlgTest = FaultTestEnvironment;

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
    CAlarmStatDlg dialog;
    const CEntityId ne(1u);
    dialog.SetTarget(kAlpha, &ne);
    dialog.SetCriteria({.withSubEntities = true});
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        dialog.OnFirstShow();
        const CListControl list(dialog.FindList(kListControlId));
        const auto column = [&list](int c) { return ColumnTexts(list, c); };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.column);
            dialog.SortList(row.column, kSortAscending);
            EXPECT_EQ(column(0), row.ascending);
        }
        // Two records of one entity make one row, its Total their sum.
        EXPECT_EQ(column(2), (QStringList{"9", "10", "101"}));
        return IDCANCEL;
    });
    dialog.DoModal();
}

} // namespace
