#pragma once
// Loads the entity definition files (information, alarm and skin file) into a new entity model set. Only a file that
// cannot be opened fails the load; inside a file, an entry that breaks the format is dropped as a whole (its default
// used) and reported as "<file>:<line>: [<section>] <key>: <reason>".

#include "core/entity/entity_model_set.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct EntityModelLoadResult {
    std::unique_ptr<CEntityModelSet> models; // null when a file cannot be opened
    std::string failedFile;                  // the file that could not be opened
    std::string error;                       // why, naming the file
    std::vector<std::string> diagnostics;    // dropped or changed entries
};

EntityModelLoadResult LoadEntityModelSet(const std::string& infoPath, const std::string& alarmPath,
                                         const std::string& skinPath);

// The same from the files' texts; the names only label the diagnostics. Never fails.
EntityModelLoadResult LoadEntityModelSetFromText(std::string_view infoText, std::string_view alarmText,
                                                 std::string_view skinText, const std::string& infoName = "EntInfo.dat",
                                                 const std::string& alarmName = "EntAlm.dat",
                                                 const std::string& skinName = "EntSkin.dat");
