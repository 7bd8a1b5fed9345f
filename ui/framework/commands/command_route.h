#pragma once
// What the main window does with a command: the route it goes, the class or handler it reaches, what the class is
// handed before it runs and the right checked first. The command's declaration (command_declaration.h) carries it;
// the command router in the shell runs it.

#include <cstdint>
#include <string>

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

// The operator's right a command needs before it does anything: the function's index and the letter
// (core/tables/access_rights.h). Dialogs check their own when they open; the one-shot requests declare theirs.
struct CommandRight {
    int function = -1; // -1: none
    char letter = 0;

    bool IsSet() const { return function >= 0; }
};

struct CommandRoute {
    int id = 0;
    RouteKind kind = RouteKind::None;
    std::string target; // the class opened (directly, for port routes; in direct mode, for mode routes) or the handler
    uint8_t targetForm = kTargetNone;
    bool location = false;  // the dialog gets the current location, or the operator's scope location
    bool member = false;    // the dialog gets the selected member's account name
    uint8_t accessMode = 0; // 0 leaves the constructor's value
    int portSelMode = 0;    // port routes: the selection mode 1..7
    int templateMode = -1;  // -1 not set
    int profileGroup = -1;  // -1 not set
    CommandRight right;
};
