#pragma once
// Context menus of lists and entities. A right click pops a popup of the current list popup menu (103 in server mode,
// 105 in direct mode) or of the current entity popup menu (112, 113, 114 by the state of the current NE in server
// mode, 116 in direct mode), greys the commands the caller cannot offer, ticks those that are on, and sends the
// chosen command to the owner window as a command (OnCommand(id, 0)) once the menu has closed.
//
// Popups are found by name in the menu of the current mode. Callers name them, or pass the position they have in
// list menu 103 or in entity menus 112/114 (the entity models' menu classes count in the latter), which stand for
// the same names in every menu, so a list or view pops the same popup in both link modes.
//
// Command id lists are zero-terminated arrays of 16-bit ids; null for none.

#include "ui/framework/menus/context_menu_ids.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

class QMenu;
class QWidget;
struct ContextPopup;

// The menus in force. The application sets them at login and the main frame as the current NE changes; until then
// the direct-mode menus hold, as at start-up.
int GetListPopupMenuId();
void SetListPopupMenuId(int menuId);
int GetEntityPopupMenuId();
void SetEntityPopupMenuId(int menuId);

// The menu file: resources/menus/context_menus.menu below the working directory or the program's folder (or one of
// the four above it), unless a file is set. Loaded once, on first use.
void SetContextMenuFile(const std::string& path);

// The name an entity menu class stands for: the popups of entity menus 112/114 (0..32); empty beyond them. The menu
// class of every entity model names its popup so in each entity menu, the server's offline menu 113 too, whose
// positions after 7 hold other popups.
std::string_view EntityPopupName(int index);

// Shows a list popup; 1 when it was shown (an empty one too), 0 when the menu or the popup does not exist. The index
// form takes the popup at the position of the low 8 bits of its argument in the current list menu, whose positions
// differ between the modes after 7 (TRAPLOGVIEW_LIST is 12 in server mode, 10 in direct mode).
int TrackContextMenu(int popupIndex, QWidget* owner, const uint16_t* disabledIds = nullptr,
                     const uint16_t* tickedIds = nullptr);
int TrackContextMenu(std::string_view popupName, QWidget* owner, const uint16_t* disabledIds = nullptr,
                     const uint16_t* tickedIds = nullptr);
// The same, with the listed commands left out of the popup rather than greyed.
int TrackContextMenuWithout(std::string_view popupName, QWidget* owner, const uint16_t* removedIds,
                            const uint16_t* disabledIds = nullptr);

// The same for an entity popup; the index form takes the low 16 bits of its argument.
int EntityContextMenu(int popupIndex, QWidget* owner, const uint16_t* disabledIds = nullptr);
int EntityContextMenu(std::string_view popupName, QWidget* owner, const uint16_t* disabledIds = nullptr);
// The popup of an entity model's menu class; nothing (0) when no model has the id.
int EntityContextMenuById(uint32_t modelId, QWidget* owner, const uint16_t* disabledIds = nullptr);

// Fills a menu with a popup's entries: actions carry their command id, listed ids are greyed or ticked.
void BuildContextMenu(QMenu& menu, const ContextPopup& popup, const uint16_t* disabledIds, const uint16_t* tickedIds);
