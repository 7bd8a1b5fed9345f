#pragma once
// Which of the six main menus the frame shows, which entity context menu the tree and the views pop up, and which
// toolbar buttons are hidden: chosen by the link mode and the state of the current NE. The hidden buttons come from
// the command declarations (ui/framework/commands/): the NE set and the cases each command names. Window-free.

#include "ui/framework/commands/command_declaration.h"
#include "ui/framework/lists/entity_icons.h"

#include <array>
#include <cstdint>
#include <vector>

class CNeRecord;

inline constexpr int kMainMenuServerNoNe = static_cast<int>(MainMenuCase::ServerNoNe);
inline constexpr int kMainMenuDirectNe = static_cast<int>(MainMenuCase::DirectNe);
inline constexpr int kMainMenuServerPlannedNe = static_cast<int>(MainMenuCase::ServerPlannedNe);
inline constexpr int kMainMenuServerOnlineNe = static_cast<int>(MainMenuCase::ServerOnlineNe);
inline constexpr int kMainMenuServerOtherNe = static_cast<int>(MainMenuCase::ServerOtherNe);
inline constexpr int kMainMenuDirectNoNe = static_cast<int>(MainMenuCase::DirectNoNe);

// Entity context menus.
inline constexpr int kEntityMenuOnline = 112;
inline constexpr int kEntityMenuServer = 113;
inline constexpr int kEntityMenuPlanned = 114;
inline constexpr int kEntityMenuDirect = 116;

// What a menu case is: its menus, its link mode and what the current NE allows.
struct MainMenuCaseTraits {
    int menuResourceId = 0;
    int entityMenuId = 0;
    bool direct = false;
    bool withNe = false;             // the commands that need a current NE are offered
    bool withConfigurableNe = false; // those that need an NE that can be configured too, and the NE set's buttons
};

// The six main menus by case index 0..5.
inline constexpr std::array<MainMenuCaseTraits, kMainMenuCaseCount> kMainMenuCases = {{
    {106, kEntityMenuServer, false, false, false}, // server, no NE
    {117, kEntityMenuDirect, true, true, true},    // direct, an NE
    {109, kEntityMenuPlanned, false, true, false}, // server, a planned NE
    {107, kEntityMenuOnline, false, true, true},   // server, an NE connected and as planned
    {108, kEntityMenuServer, false, true, false},  // server, any other NE
    {118, kEntityMenuDirect, true, false, false},  // direct, no NE
}};

// The toolbar commands that need an NE that can be configured, in ascending order.
std::vector<uint16_t> NeCommandSet();

// The commands whose toolbar buttons a menu case hides, in ascending order.
std::vector<uint16_t> HiddenCommandIds(int menuCase);
// The commands the case's main menu leaves out, in ascending order: those hidden buttons whose entry the menu does not
// keep.
std::vector<uint16_t> MenuHiddenCommandIds(int menuCase);

struct MainMenuChoice {
    int menuCase = kMainMenuServerNoNe;
    int menuResourceId = 106;
    int entityMenuId = kEntityMenuServer;
    // Toolbar commands to hide, in ascending order.
    std::vector<uint16_t> hiddenToolbarIds;
};

// `ne` is the current NE when its id is not 0 and it is in the NE table, else null. An NE is online when it is
// connected and of its planned type; with `noOfflineMenu` every unplanned NE in server mode counts as online.
MainMenuChoice SelectMainMenuCase(bool directMode, const CNeRecord* ne, bool noOfflineMenu);

// The NE is of another type than planned.
bool IsNeTypeMismatch(const CNeRecord& ne);
