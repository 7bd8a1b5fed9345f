// The rights the fault dialogs check, as tables of the function and the letter each needs, as they open and for their
// commands: an operator whose role holds every right in full but that function one letter short is refused with
// "No privilege" (a dialog that opens closes); one who holds exactly the letter gets past the check (no server
// answers, so what follows it may still fail).

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
#include "ui/framework/dialogs/dialog_registry.h"

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
    // Opens the dialog on bravo with the role's rights and, once it is shown, clicks the command's button (0: none);
    // the message line it left on its opener when it closed, or its own.
    template <class Dlg> QString Open(const std::function<void(Dlg&)>& setUp, int command = 0)
    {
        QString message;
        bool shown = false;
        opener_.ClearMessageLine();
        const CEntityId ne(1u);
        RunFromOpener<Dlg>(
            runner_, opener_,
            [&](Dlg& dialog) {
                dialog.SetTarget(static_cast<int>(kBravo), &ne);
                if (setUp)
                    setUp(dialog);
            },
            [&](Dlg& dialog) {
                shown = true;
                if (command != 0) {
                    dialog.ClearMessageLine();
                    dialog.OnCommand(command, BN_CLICKED);
                }
                message = dialog.GetMessageText();
            });
        return shown ? message : opener_.GetMessageText();
    }

protected:
    // A dialog a command opens through the dialog routes (Download All's) is cancelled unseen.
    void SetUp() override
    {
        FaultTestEnvironment::SetUp();
        SetRouteDialogInterceptor([](DialogRequest&) { return IDCANCEL; });
    }
    void TearDown() override
    {
        SetRouteDialogInterceptor({});
        FaultTestEnvironment::TearDown();
    }

    ScriptedModalRunner runner_;
    CTestDlg opener_;
};

template <class Dlg>
std::function<QString(FaultRightsTest&)> Opens(
    std::function<void(Dlg&)> setUp = [](Dlg&) {}, int command = 0)
{
    return [setUp, command](FaultRightsTest& test) { return test.Open<Dlg>(setUp, command); };
}

struct RightRow {
    const char* what;
    int function;
    char letter;
    std::function<QString(FaultRightsTest&)> run;
    // What the operator who holds the letter is told: anything but "No privilege" when empty.
    const char* granted = nullptr;
};

void CheckRights(FaultRightsTest& test, const RightRow& row)
{
    SCOPED_TRACE(row.what);
    for (const bool granted : {false, true}) {
        std::string rights(kRightsFunctionCount - 1, 'a');
        rights[static_cast<size_t>(row.function)] = granted ? row.letter : LetterShort(row.letter);
        ASSERT_EQ(SetUserRights(kRoleUser, rights.c_str()), 0);
        const QString message = row.run(test);
        if (!granted)
            EXPECT_EQ(message, QStringLiteral("No privilege"));
        else if (row.granted != nullptr)
            EXPECT_EQ(message, QString::fromLatin1(row.granted));
        else
            EXPECT_NE(message, QStringLiteral("No privilege"));
    }
}

TEST_F(FaultRightsTest, EachDialogChecksItsFunctionsLetterAsItOpens)
{
    const RightRow rows[] = {
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
    for (const RightRow& row : rows)
        CheckRights(*this, row);
}

TEST_F(FaultRightsTest, CommandsCheckTheirLetters)
{
    // Bravo with a relay module, so that its alarm contacts can be listed.
    ASSERT_TRUE(AppData().nes.FindNeById(kBravo)->root->FindById(10800)->SetType(142, kPlannedTypeSame)); // the IPD-12's REL-4I2O
    const char* noRow = "Please select one item";
    const RightRow rows[] = {
        {"Modify of an alarm input", 34, 'm', Opens<CNeAlarmInputListDlg>({}, kModifyButtonId), noRow},
        {"Modify of an alarm output", 72, 'm', Opens<CNeAlarmOutputListDlg>({}, kModifyButtonId), noRow},
        {"Delete of a trigger", 23, 'd', Opens<CAlarmTriggerListDlg>({}, kDeleteButtonId), noRow},
        {"Save All Models as Template", 24, 'm', Opens<CAlarmDefListDlg>({}, CAlarmDefListDlg::kSaveAllButtonId), ""},
        {"Download All to the NEs", 24, 'm',
         Opens<CAlarmDefListDlg>([](CAlarmDefListDlg& d) { d.SetTemplateMode(true); },
                                 CAlarmDefListDlg::kDownloadAllButtonId)},
    };
    for (const RightRow& row : rows)
        CheckRights(*this, row);
}

} // namespace
