#pragma once
// The main menus' popups, in their order and link modes, and where their separators fall. The commands of the shell
// and of the areas place their entries among them (ui/framework/commands/menu_skeleton.h).

void DeclareMainMenuSkeleton();
