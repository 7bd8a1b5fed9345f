#include "features/fault/fault_commands.h"

#include "features/fault/active_alarms/active_alarm_dlg.h"
#include "features/fault/alarm_defs/alarm_def_list_dlg.h"
#include "features/fault/alarm_events/alarm_criteria_dlg.h"
#include "features/fault/alarm_events/history_alarm_list_dlg.h"
#include "features/fault/alarm_stats/alarm_stat_criteria_dlg.h"
#include "features/fault/hw_monitor/hw_mon_threshold_dlg.h"
#include "features/fault/hw_monitor/hw_monitor_list_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_input_list_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_output_list_dlg.h"
#include "features/fault/triggers/alarm_trigger_list_dlg.h"
#include "ui/framework/commands/command_registry.h"

namespace {

// Popups of the main menus.
constexpr char kProfile[] = "Configuration/Profile";
constexpr char kTemplate[] = "Configuration/Template";
constexpr char kNeAlarm[] = "Diagnosis/NE Alarm";
constexpr char kLocationAlarm[] = "Diagnosis/Location Alarm";

std::vector<Command> Commands()
{
    return {
        Command(33031)
            .Menu(kProfile, "Alarm Definition...", 50)
            .NeAny()
            .HideIn({MainMenuCase::ServerNoNe, MainMenuCase::ServerOtherNe, MainMenuCase::DirectNoNe})
            .Dialog<CAlarmDefListDlg>(kTargetNeSelection)
            .TemplateMode(0),
        Command(33143)
            .Menu(kTemplate, "Alarm Definition Template...", 40)
            .Server()
            .Dialog<CAlarmDefListDlg>(kTargetNeSelection)
            .Location()
            .TemplateMode(1),
        Command(33029)
            .Menu(kNeAlarm, "&Active Alarm...", 10)
            .NeAny()
            .HideIn({MainMenuCase::ServerNoNe, MainMenuCase::ServerPlannedNe, MainMenuCase::DirectNoNe})
            .Dialog<CActiveAlarmDlg>(kTargetNeEntity),
        Command(33034)
            .Menu(kNeAlarm, "&History Alarm List...", 20)
            .NeAny()
            .HideIn({MainMenuCase::ServerNoNe, MainMenuCase::DirectNoNe})
            .ByMode<CHistoryAlarmListDlg>(kTargetNeEntity),
        Command(33036)
            .Menu(kNeAlarm, "History Alarm &Statistics...", 30)
            .NeAny()
            .Dialog<CAlarmStatCriteriaDlg>(kTargetNeEntity),
        Command(33041)
            .Menu(kNeAlarm, "Alarm &Notification...", 60)
            .Server()
            .NeOnline()
            .Dialog<CAlarmTriggerListDlg>(kTargetNeEntity),
        Command(33032).Menu(kNeAlarm, "Alarm &Input...", 70).NeOnline().Dialog<CNeAlarmInputListDlg>(kTargetNeEntity),
        Command(33213).Menu(kNeAlarm, "Alarm &Output...", 80).NeOnline().Dialog<CNeAlarmOutputListDlg>(kTargetNeEntity),
        Command(33151)
            .Menu(kNeAlarm, "Hardware &Monitoring...", 90)
            .NeOnline()
            .Dialog<CHwMonitorListDlg>(kTargetNeEntity),
        Command(33192)
            .Menu(kNeAlarm, "Hardware Monitoring &Threshold...", 100)
            .NeOnline()
            .Dialog<CHwMonThresholdDlg>(kTargetNeEntity),
        Command(33030)
            .Menu(kLocationAlarm, "&Active Alarm...", 10)
            .Server()
            .HideIn({MainMenuCase::DirectNe, MainMenuCase::ServerPlannedNe, MainMenuCase::ServerOnlineNe,
                     MainMenuCase::ServerOtherNe, MainMenuCase::DirectNoNe})
            .Check<CAlarmCriteriaDlg>(kTargetNeOnly)
            .Location(),
        Command(33035)
            .Menu(kLocationAlarm, "&History Alarm...", 20)
            .Server()
            .HideIn({MainMenuCase::DirectNe, MainMenuCase::ServerPlannedNe, MainMenuCase::ServerOnlineNe,
                     MainMenuCase::ServerOtherNe, MainMenuCase::DirectNoNe})
            .Dialog<CAlarmCriteriaDlg>(kTargetNeOnly)
            .Location(),
    };
}

} // namespace

void DeclareFaultCommands()
{
    DeclareCommands("fault", Commands());
}
