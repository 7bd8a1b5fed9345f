#pragma once
// The popup menus of lists and entities as data: menus by resource id, each a sequence of named popups of command
// items and separators, read from a menu file (resources/menus/context_menus.menu). Popups are looked up by name, so
// that a popup is the same wherever it stands in the menu of a link mode. Window-free.
//
//     MENU 103
//         POPUP "GENERIC_LIST"
//             ITEM 33024 "&Export"
//             SEPARATOR
//         END
//     END
//
// A popup name may list further names it answers to, separated by "|". Blank lines and lines starting with "#" are
// comments; in texts "\"" and "\\" escape a quote and a backslash. A malformed line is reported and skipped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ContextMenuEntry {
    enum class Kind { Item, Separator, Popup };
    Kind kind = Kind::Item;
    uint16_t commandId = 0; // items
    std::string text;       // items and nested popups
    std::vector<ContextMenuEntry> children;
};

struct ContextPopup {
    std::vector<std::string> names; // the first is the popup's own name
    std::vector<ContextMenuEntry> entries;
    bool HasName(std::string_view name) const;
};

struct ContextMenu {
    int id = 0;
    std::vector<ContextPopup> popups;

    int PopupCount() const { return static_cast<int>(popups.size()); }
    // The popup at a position, null beyond the popups.
    const ContextPopup* PopupAt(int index) const;
    // The position of the first popup with the name, -1 when none has it.
    int FindPopup(std::string_view name) const;
};

struct ContextMenuFile {
    bool read = false; // false: the file could not be opened
    std::vector<ContextMenu> menus;
    std::vector<std::string> faults; // "<origin>:<line>: <reason>"

    const ContextMenu* FindMenu(int id) const;
};

ContextMenuFile ParseContextMenuFile(std::string_view content, const std::string& origin);
ContextMenuFile LoadContextMenuFile(const std::string& path);

// Every command id of the entries and their nested popups, in order.
std::vector<int> ContextMenuCommandIds(const std::vector<ContextMenuEntry>& entries);
