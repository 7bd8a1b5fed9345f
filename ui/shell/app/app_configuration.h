#pragma once
// The definition files the configuration names (entity information, alarm and skin files, map file), checked and
// loaded aside, then installed whole: a failed load leaves the program's models and map list as they were.

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"
#include "core/map/map_list.h"

#include <memory>
#include <string>
#include <vector>

struct DefinitionFilePaths {
    std::string info;
    std::string alarm;
    std::string skin;
    std::string map;
};

// The configured names joined to the working directory, as paths of this system.
DefinitionFilePaths GetDefinitionFilePaths(const CAppSettings& settings);

struct DefinitionLoad {
    std::string missingFile; // the first file, in the order information, alarm, skin, map, that cannot be opened
    std::unique_ptr<CEntityModelSet> models;
    CMapList maps;
    std::vector<std::string> diagnostics; // entries dropped or changed while loading
};

// Opens the four files in order and, when all open, loads the entity models and the map list.
DefinitionLoad LoadDefinitionFiles(const DefinitionFilePaths& paths);

// Makes a complete load the program's entity models and map list, under the dispatch lock (the alarm-sound thread
// and the dispatcher read the models under it), and the skin's selection mark the lists' one.
void InstallDefinitions(DefinitionLoad& load);
