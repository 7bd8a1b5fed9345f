#pragma once
// The command vocabulary of the main window: every command id the frame handles, with its route, the class or
// handler it reaches and what the class is handed before it runs. Kept as data so that one test can walk it.

#include "ui/framework/dialogs/dialog_request.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class RouteKind : uint8_t {
    Dialog,  // one modal dialog with its target
    Port,    // the port's dialog when a port is selected, else the port selection with a mode
    Slot,    // the slot selection unless a slot is selected, then the filter dialog
    Mode,    // the class depends on the link mode
    Check,   // a query or a check comes first
    Request, // a one-shot request
    Toggle,  // a view option
    Window,  // the PDU log window
    Stop,    // cancels the request in progress
    Outside, // help or telnet
    None,    // handled, does nothing
};

// Target forms.
inline constexpr uint8_t kTargetNone = 0;
inline constexpr uint8_t kTargetNeEntity = 1;    // the current NE with the current entity, or the NE itself
inline constexpr uint8_t kTargetNeSelection = 2; // the current NE with the current entity as it is (0 included)
inline constexpr uint8_t kTargetNeOnly = 3;      // the current NE, no entity

struct CommandRoute {
    int id = 0;
    RouteKind kind = RouteKind::None;
    const char* target = ""; // the class opened (directly, for port routes) or the handler
    uint8_t targetForm = kTargetNone;
    bool location = false;  // the dialog gets the current location, or the operator's scope location
    bool member = false;    // the dialog gets the selected member's account name
    uint8_t accessMode = 0; // 0 leaves the constructor's value
    int portSelMode = 0;    // port routes: the selection mode 1..7
    int templateMode = -1;  // -1 not set
    int profileGroup = -1;  // -1 not set
};

// Every routed command.
std::span<const CommandRoute> CommandRoutes();
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

// Every dialog class a command may open (the routes' classes and those of the special routes), in name order.
std::vector<std::string> RoutedDialogClasses();
