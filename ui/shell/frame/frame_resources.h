#pragma once
// The frame's data files (menus, icons) found beside the working directory or the program.

#include <string>

inline constexpr char kMainMenuFile[] = "resources/menus/main_menus.menu";
inline constexpr char kAppIconFile[] = "resources/icons/app_icon.png";

// The path of a file named relative to the program's root (e.g. "resources/menus/main_menus.menu"): looked for below
// the folder set with SetFrameResourceRoot, then the working directory, then the program's folder and up to four
// folders above it. Empty when it is nowhere.
std::string FindFrameResource(const std::string& relativePath);

// A folder to look in first (tests name the source tree's); empty to forget it.
void SetFrameResourceRoot(const std::string& folder);
