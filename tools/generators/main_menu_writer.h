#pragma once
// main_menus.menu, the six main menus of the main frame, written from the menu skeleton and the commands' menu entries
// as they are declared (ui/framework/commands/). A menu case offers an entry when the entry's link modes include the
// case's, the current NE is as the command needs and the case does not hide the command; a popup left empty is left
// out, and a separator only stands between entries.

#include <string>

std::string WriteMainMenus();
