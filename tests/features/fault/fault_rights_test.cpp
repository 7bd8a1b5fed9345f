// The rights the fault dialogs check as they open, as a table of the function and the letter each needs: an operator
// whose role holds every right in full but that function one letter short is refused with "No privilege" and the
// dialog closes; one who holds exactly the letter gets past the check (no server answers, so what follows it may
// still fail).

#include "tests/features/fault/trap_log/trap_log_test_support.h"
#include "tests/features/provisioning/made_up_nes.h"

#include "features/fault/alarm_defs/alarm_def_list_dlg.h"
#include "features/fault/alarm_events/alarm_criteria_dlg.h"
#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_events/history_alarm_list_dlg.h"
#include "features/fault/alarm_stats/alarm_stat_criteria_dlg.h"
#include "features/fault/alarm_stats/alarm_stat_dlg.h"
#include "features/fault/hw_monitor/hw_mon_threshold_dlg.h"
#include "features/fault/hw_monitor/hw_monitor_list_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_input_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_input_list_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_output_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_output_list_dlg.h"
#include "features/fault/triggers/alarm_trigger_dlg.h"
#include "features/fault/triggers/alarm_trigger_list_dlg.h"

#include <functional>
#include <string>

namespace {

using namespace trap_log_test;

// The letter one below in q < m < c < d < a; none below q.
char LetterShort(char letter)
{
    const std::string order = "-qmcda";
    return order[order.find(letter) - 1];
}

class FaultRightsTest : public FaultTestEnvironment {
public:
    // Opens the dialog on bravo with the role's rights; whether it got past its check: the message line it left on
    // its opener when it closed, or its own.
    template <class Dlg> QString Open(const std::function<void(Dlg&)>& setUp)
    {
        QString message;
        const CEntityId ne(1u);
        RunFromOpener<Dlg>(
            runner_, opener_,
            [&](Dlg& dialog) {
                dialog.SetTarget(static_cast<int>(kBravo), &ne);
                setUp(dialog);
            },
            [&](Dlg& dialog) { message = dialog.GetMessageText(); });
        return message.isEmpty() ? opener_.GetMessageText() : message;
    }

protected:
    ScriptedModalRunner runner_;
    CTestDlg opener_;
};

template <class Dlg> std::function<QString(FaultRightsTest&)> Opens(std::function<void(Dlg&)> setUp = [](Dlg&) {})
{
    return [setUp](FaultRightsTest& test) { return test.Open<Dlg>(setUp); };
}

TEST_F(FaultRightsTest, EachDialogChecksItsFunctionsLetter)
{
    struct Row {
        const char* dialog;
        int function;
        char letter;
        std::function<QString(FaultRightsTest&)> open;
    };
    const Row rows[] = {
        {"active alarm criteria", 9, 'm',
         Opens<CAlarmCriteriaDlg>([](CAlarmCriteriaDlg& d) { d.SetQueryMode(kAlarmQueryActive); })},
        {"history alarm criteria", 10, 'm',
         Opens<CAlarmCriteriaDlg>([](CAlarmCriteriaDlg& d) { d.SetQueryMode(kAlarmQueryHistory); })},
        {"active alarm list", 9, 'm',
         Opens<CAlarmEventListDlg>([](CAlarmEventListDlg& d) { d.SetHandOver({.queryMode = kAlarmQueryActive}); })},
        {"history alarm list", 10, 'm',
         Opens<CAlarmEventListDlg>([](CAlarmEventListDlg& d) { d.SetHandOver({.queryMode = kAlarmQueryHistory}); })},
        {"the NE's alarm log", 10, 'q', Opens<CHistoryAlarmListDlg>()},
        {"statistics criteria", 10, 'q', Opens<CAlarmStatCriteriaDlg>()},
        {"statistics", 10, 'q', Opens<CAlarmStatDlg>()},
        {"alarm definitions", 24, 'q', Opens<CAlarmDefListDlg>()},
        {"alarm inputs", 34, 'q', Opens<CNeAlarmInputListDlg>()},
        {"alarm input", 34, 'q', Opens<CNeAlarmInputDlg>()},
        {"alarm outputs", 72, 'q', Opens<CNeAlarmOutputListDlg>()},
        {"alarm output", 72, 'q', Opens<CNeAlarmOutputDlg>()},
        {"hardware monitoring", 59, 'q', Opens<CHwMonitorListDlg>()},
        {"hardware thresholds", 59, 'q', Opens<CHwMonThresholdDlg>()},
        {"notification triggers", 23, 'q', Opens<CAlarmTriggerListDlg>()},
        {"a new trigger", 23, 'c',
         Opens<CAlarmTriggerDlg>([](CAlarmTriggerDlg& d) { d.SetAccessMode(kAccessCreate); })},
        {"a trigger changed", 23, 'm',
         Opens<CAlarmTriggerDlg>([](CAlarmTriggerDlg& d) { d.SetAccessMode(kAccessModify); })},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dialog);
        for (const bool granted : {false, true}) {
            std::string rights(kRightsFunctionCount - 1, 'a');
            rights[static_cast<size_t>(row.function)] = granted ? row.letter : LetterShort(row.letter);
            ASSERT_EQ(SetUserRights(kRoleUser, rights.c_str()), 0);
            opener_.ClearMessageLine();
            const QString message = row.open(*this);
            EXPECT_EQ(message == QStringLiteral("No privilege"), !granted)
                << (granted ? "granted: " : "short: ") << message.toStdString();
        }
    }
}

} // namespace
