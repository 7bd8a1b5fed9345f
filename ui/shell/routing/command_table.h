#pragma once
// The route table of the main window: the routes of the commands the areas declare (ui/framework/commands/), looked
// up by command id, and the classes of the special routes, which the router opens by their names.

#include "ui/framework/commands/command_route.h"

#include <string>
#include <vector>

// The route of a command id, null when the frame does not route it.
const CommandRoute* FindCommandRoute(int commandId);

// Class names of the dialogs the special routes open.
inline constexpr const char* kPortSelectionDlg = "CXdslPortSelDlg";
inline constexpr const char* kSlotSelectionDlg = "CXdslSlotSelectionDlg";
inline constexpr const char* kAlarmCriteriaDlg = "CAlarmCriteriaDlg";
inline constexpr const char* kHistoryAlarmListDlg = "CHistoryAlarmListDlg";
inline constexpr const char* kNeConfigBackupListDlg = "CNeConfigBackupListDlg";
inline constexpr const char* kNeFwUpgradeDlg = "CNeFwUpgradeDlg";
inline constexpr const char* kNeCliPromptDlg = "CNeCliPromptDlg";
inline constexpr const char* kNeCliPromptDualDlg = "CNeCliPromptDualDlg";
inline constexpr const char* kMulticastChannelStatusDlg = "CMulticastChannelStatusDlg";
inline constexpr const char* kMulticastGroupMemberDlg = "CMulticastGroupMemberDlg";
// Opened by name by the dialogs of several areas (their Download to NEs).
inline constexpr const char* kTemplateDownloadDlg = "CTemplateDownloadDlg";
// Opened by name by the loop diagnosis (its Show of the chosen line profile).
inline constexpr const char* kAdslLineProfileDlg = "CAdslLineProfileDlg";
// Opened by name by the pages of the VC-to-VLAN setting (their Show): an IP traffic profile, a next hop.
inline constexpr const char* kIpTrafficProfileDlg = "CXdslIpTrafficProfileDlg";
inline constexpr const char* kIpoaNextHopDlg = "CIpoaNextHopDlg";
// Opened by name by the ADSL port list and port dialog: a port's subscriber, a traffic policing profile.
inline constexpr const char* kSubscriberDataDlg = "CSubscriberDataDlg";
inline constexpr const char* kTrafficPolicingProfileDlg = "CXdslTrafficPolicingProfileDlg";
// Opened by name by the SHDSL port (its Show of the port's profiles) and by the port setting page of fast
// provisioning (a port's profiles by name).
inline constexpr const char* kShdslLineProfileDlg = "CShdslLineProfileDlg";
inline constexpr const char* kShdslPmThresholdProfileDlg = "CShdslPmThresholdProfileDlg";
inline constexpr const char* kPmThresholdProfileDlg = "CXdslPmThresholdProfileDlg";
// Opened by name by the multicast channel pages (their Show): a multicast service profile.
inline constexpr const char* kMcServiceProfileDlg = "CXdslMcServiceProfileDlg";
// Opened by name by the PVC lists of a port (their VC OAM Test): the loopback test of the chosen PVC.
inline constexpr const char* kOamLoopbackDlg = "COamLoopbackDlg";

// Every dialog class a command may open (the routes' classes and those of the special routes), and those other areas'
// dialogs open by name, in name order.
std::vector<std::string> RoutedDialogClasses();
