// The NE's notification triggers as the list shows them: only the NE's own, numbered as they came, each column in its
// own order and equal values by their numbers.

#include "tests/features/fault/trap_log/trap_log_test_support.h"
#include "tests/features/performance/performance_test_support.h"

#include "features/fault/triggers/alarm_trigger_list_dlg.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace trap_log_test;

using AlarmTriggerListDlgTest = FaultTestEnvironment;

TEST_F(AlarmTriggerListDlgTest, EachColumnSortsInItsOwnOrderAndEqualValuesByTheirNumbers)
{
    ASSERT_EQ(SetUserRights(kRoleUser, std::string(127, 'a').c_str()), 0);
    perf_test::CScriptedPeer peer;
    // Rows 1..3 of alpha; bravo's trigger is not listed.
    peer.Answer(kReqAlarmTrigger, std::vector<AlarmTriggerRec>{
                                      {7, kAlpha, 30, 0x1, 100, "noc@example.net"}, // ALC-24: Card Out
                                      {9, kBravo, 30, 0x1, 60, "other@example.net"},
                                      {3, kAlpha, 51, 0x1, 10, "Zed@example.net"}, // ADSL Port: ATU-C LOS
                                      {5, kAlpha, 30, 0x2, 9, "noc@example.net"},  // ALC-24: Card Fail
                                  });
    struct Step {
        const char* what;
        int column;
        int mode;
        QStringList numbers;
    };
    const Step steps[] = {
        {"as they came", CAlarmTriggerListDlg::kIdColumn, kSortAscending, {"1", "2", "3"}},
        {"seconds as numbers: 9, 10, 100", CAlarmTriggerListDlg::kThresholdColumn, kSortAscending, {"3", "2", "1"}},
        {"numbers backwards", CAlarmTriggerListDlg::kIdColumn, kSortDescending, {"3", "2", "1"}},
        {"letter case aside, equal addresses by number",
         CAlarmTriggerListDlg::kEmailColumn,
         kSortAscending,
         {"1", "3", "2"}},
        {"equal addresses by number whichever way",
         CAlarmTriggerListDlg::kEmailColumn,
         kSortDescending,
         {"2", "1", "3"}},
        {"the type's name", CAlarmTriggerListDlg::kEntityTypeColumn, kSortAscending, {"2", "1", "3"}},
        {"the alarms' names", CAlarmTriggerListDlg::kAlarmsColumn, kSortAscending, {"2", "3", "1"}},
    };
    CAlarmTriggerListDlg dialog;
    const CEntityId ne(1u);
    dialog.SetTarget(kAlpha, &ne);
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        dialog.OnFirstShow();
        const CListControl list(dialog.FindList(kListControlId));
        const auto numbers = [&list] { return ColumnTexts(list, CAlarmTriggerListDlg::kIdColumn); };
        EXPECT_EQ(numbers(), (QStringList{"1", "2", "3"}));
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            dialog.SortList(step.column, step.mode);
            EXPECT_EQ(numbers(), step.numbers);
        }
        return IDCANCEL;
    });
    dialog.DoModal();
}

} // namespace
