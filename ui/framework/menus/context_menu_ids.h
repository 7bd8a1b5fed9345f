#pragma once
// The menu resources of the context menus: one list popup menu and one entity popup menu per link mode (the entity
// menu of server mode also follows the state of the current NE).

inline constexpr int kListPopupMenuServer = 103;
inline constexpr int kListPopupMenuDirect = 105;
inline constexpr int kEntityPopupMenuOnline = 112;  // server mode, the current NE online
inline constexpr int kEntityPopupMenuServer = 113;  // server mode, no NE or an NE that is offline
inline constexpr int kEntityPopupMenuPlanned = 114; // server mode, a planned NE
inline constexpr int kEntityPopupMenuDirect = 116;
