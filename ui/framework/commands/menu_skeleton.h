#pragma once
// The main menus' popups and separators, declared once by the shell; the commands place their entries among them by
// popup path and order key (command_declaration.h). A popup is written as its path of texts from the menu bar, each
// text with its access-key mark ("&Diagnosis/NE &Alarm"); the order key places it among the entries of the popup
// above it, as a separator's places it in its popup. A popup offered in one link mode only takes its entries with it.

#include "ui/framework/commands/command_declaration.h"

#include <string>
#include <string_view>
#include <vector>

struct MenuSkeletonNode {
    enum class Kind { Popup, Separator };
    Kind kind = Kind::Popup;
    std::string path; // a popup's own path; for a separator, the popup it stands in
    int order = 0;
    LinkModes modes = LinkModes::Both;
};

MenuSkeletonNode MenuPopup(std::string path, int order, LinkModes modes = LinkModes::Both);
MenuSkeletonNode MenuSeparator(std::string popupPath, int order);

// Replaces the skeleton.
void SetMainMenuSkeleton(std::vector<MenuSkeletonNode> nodes);
const std::vector<MenuSkeletonNode>& MainMenuSkeleton();

// A path as paths are compared: without the access-key marks ("&&", a literal ampersand, stays one).
std::string MenuPathKey(std::string_view path);
// The path of the popup above ("" for a popup of the menu bar) and the popup's own text.
std::string_view ParentMenuPath(std::string_view path);
std::string_view MenuPathText(std::string_view path);
