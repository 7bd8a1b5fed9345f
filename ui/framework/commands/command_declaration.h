#pragma once
// A command of the main window as its area declares it, once: where the main menus offer it and with which text, in
// which link modes, what it needs of the current NE, its route and the dialog class the route opens. The menu files,
// the route table and the frame's NE set are made from these declarations (command_builder.h writes them,
// command_registry.h collects them).

#include "ui/framework/commands/command_route.h"
#include "ui/framework/dialogs/dialog_registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The link modes a command or a menu entry is offered in.
enum class LinkModes : uint8_t {
    Server = 1,
    Direct = 2,
    Both = 3,
};

inline bool OfferedIn(LinkModes modes, bool directMode)
{
    return (static_cast<uint8_t>(modes) & static_cast<uint8_t>(directMode ? LinkModes::Direct : LinkModes::Server)) !=
           0;
}

// The six main menus, by the link mode and the state of the current NE; the shell's frame chooses one
// (ui/shell/frame/main_menu_cases.h).
enum class MainMenuCase : uint8_t {
    ServerNoNe = 0,
    DirectNe = 1,
    ServerPlannedNe = 2,
    ServerOnlineNe = 3, // connected and of its planned type (or any NE with NOOFFLINEMENU)
    ServerOtherNe = 4,
    DirectNoNe = 5,
};
inline constexpr int kMainMenuCaseCount = 6;

// The menu cases with a current NE, for the entries that only some of them show.
inline constexpr MainMenuCase kCaseOnlineNe = MainMenuCase::ServerOnlineNe;
inline constexpr MainMenuCase kCaseOtherNe = MainMenuCase::ServerOtherNe;
inline constexpr MainMenuCase kCasePlannedNe = MainMenuCase::ServerPlannedNe;
inline constexpr MainMenuCase kCaseDirectNe = MainMenuCase::DirectNe;

// What the main menus need before they offer a command.
enum class NeNeed : uint8_t {
    None,
    Any,    // a current NE, planned and offline ones included
    Online, // an NE that can be configured: connected and of its planned type, or the NE of a direct login
};

// One entry of the command in the main menus. The popup is named by its path of texts from the menu bar, as the
// operator reads it ("Diagnosis/NE Alarm"; access-key marks may be left out); the order key places the entry among
// the popup's entries, sub-popups and separators (the shell's menu skeleton).
struct MenuPlacement {
    std::string popupPath;
    std::string text;
    int order = 0;
    LinkModes modes = LinkModes::Both; // the command's modes unless the entry names its own
    // Where the main menus name one command differently, each entry names the menu cases that show it (a bit per
    // case); 0: every case of its modes that the command's need allows.
    uint8_t cases = 0;

    bool NamesCases() const { return cases != 0; }
    bool ShownIn(int menuCase) const { return (cases & (1U << static_cast<unsigned>(menuCase))) != 0; }
};

// A dialog class a route opens. A class not built yet has no opener: the command says "not available yet".
struct DialogClassDeclaration {
    std::string name;
    RouteDialogOpener opener;

    bool IsBuilt() const { return static_cast<bool>(opener); }
};

struct CommandDeclaration {
    int id = 0;
    LinkModes modes = LinkModes::Both;
    NeNeed need = NeNeed::None;
    // One of the frame's NE set: its toolbar button hides, and the main menus leave it out, unless the current NE
    // can be configured.
    bool inNeSet = false;
    uint8_t hiddenCases = 0; // bit per MainMenuCase: the case hides its toolbar button and leaves it out of the menu
    uint8_t buttonHiddenCases = 0; // bit per MainMenuCase: the case hides its toolbar button, the menu keeps it
    std::vector<MenuPlacement> placements;
    std::optional<CommandRoute> route;                 // none: the frame or the application handles it itself
    std::optional<DialogClassDeclaration> dialogClass; // the class the route names

    bool IsHiddenIn(MainMenuCase menuCase) const
    {
        return (hiddenCases & (1U << static_cast<unsigned>(menuCase))) != 0;
    }
    bool IsButtonHiddenIn(MainMenuCase menuCase) const
    {
        return ((hiddenCases | buttonHiddenCases) & (1U << static_cast<unsigned>(menuCase))) != 0;
    }
};
