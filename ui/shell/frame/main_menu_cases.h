#pragma once
// Which of the six main menus the frame shows, which entity context menu the tree and the views pop up, and which
// toolbar buttons are hidden: chosen by the link mode and the state of the current NE. Window-free.

#include <array>
#include <cstdint>
#include <vector>

class CNeRecord;

// The six main menus by case index 0..5.
inline constexpr std::array<int, 6> kMainMenuResourceIds = {106, 117, 109, 107, 108, 118};

inline constexpr int kMainMenuServerNoNe = 0;
inline constexpr int kMainMenuDirectNe = 1;
inline constexpr int kMainMenuServerPlannedNe = 2;
inline constexpr int kMainMenuServerOnlineNe = 3;
inline constexpr int kMainMenuServerOtherNe = 4;
inline constexpr int kMainMenuDirectNoNe = 5;

// Entity context menus.
inline constexpr int kEntityMenuOnline = 112;
inline constexpr int kEntityMenuServer = 113;
inline constexpr int kEntityMenuPlanned = 114;
inline constexpr int kEntityMenuDirect = 116;

// The toolbar commands that need an NE.
extern const std::array<uint16_t, 51> kNeCommandSet;

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

// The NE is connected (its root entity and the link to it are up).
bool IsNeConnected(const CNeRecord& ne);
// The NE is of another type than planned.
bool IsNeTypeMismatch(const CNeRecord& ne);
