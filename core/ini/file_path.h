#pragma once
// Paths as configuration files write them (".\EntConf\EntSkin.dat") turned into paths of this system.

#include <string>
#include <string_view>

// "\" becomes "/"; a relative path stays relative to the working directory.
std::string NormalizeConfigPath(std::string_view text);

// The path itself when it exists; otherwise, component by component, a name of the same directory that differs only
// in letter case; otherwise the path unchanged (so that the caller's open fails and reports it).
std::string ResolveFilePath(std::string_view path);

// The working directory joined with a configured name, as the program builds the paths of its files.
std::string PathInWorkingDirectory(std::string_view configuredName);
