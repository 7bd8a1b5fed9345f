#include "ui/shell/routing/command_table.h"

#include "ui/framework/commands/command_registry.h"

#include <set>

const CommandRoute* FindCommandRoute(int commandId)
{
    const CommandDeclaration* command = FindDeclaredCommand(commandId);
    return command != nullptr && command->route ? &*command->route : nullptr;
}

std::vector<std::string> RoutedDialogClasses()
{
    std::set<std::string> names{kPortSelectionDlg,
                                kSlotSelectionDlg,
                                kAlarmCriteriaDlg,
                                kHistoryAlarmListDlg,
                                kNeConfigBackupListDlg,
                                kNeFwUpgradeDlg,
                                kNeCliPromptDlg,
                                kNeCliPromptDualDlg,
                                kMulticastChannelStatusDlg,
                                kMulticastGroupMemberDlg,
                                kTemplateDownloadDlg,
                                kAdslLineProfileDlg,
                                kIpTrafficProfileDlg,
                                kIpoaNextHopDlg,
                                kPmThresholdProfileDlg,
                                kShdslLineProfileDlg,
                                kShdslPmThresholdProfileDlg,
                                kSubscriberDataDlg,
                                kTrafficPolicingProfileDlg,
                                kMcServiceProfileDlg,
                                kOamLoopbackDlg};
    for (const CommandDeclaration* command : DeclaredCommands()) {
        if (command->route && command->dialogClass)
            names.insert(command->dialogClass->name);
    }
    return {names.begin(), names.end()};
}
