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

// The name a position stands for: the popups of list menu 103 (0..41) and of entity menus 112/114 (0..32); empty
// beyond them.
std::string_view ListPopupName(int index);
std::string_view EntityPopupName(int index);

// Shows a list popup; 1 when it was shown, 0 when the menu or the popup does not exist or the popup holds no command
// (an empty box is never shown). The index form takes the low 8 bits of its argument.
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
