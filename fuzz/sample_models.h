#pragma once
// The sample entity models of the resources (what the simulated peers serve by default), loaded once and made the
// program's current models.

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"

#include <cstdio>
#include <cstdlib>
#include <string>

inline const CEntityModelSet& SampleEntityModels()
{
    static const CEntityModelSet& models = []() -> const CEntityModelSet& {
        const std::string dir = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        EntityModelLoadResult loaded = LoadEntityModelSet(dir + "EntInfo.dat", dir + "EntAlm.dat", dir + "EntSkin.dat");
        if (!loaded.models) {
            std::fprintf(stderr, "%s\n", loaded.error.c_str());
            std::abort();
        }
        ReplaceEntityModels(std::move(loaded.models));
        return CurrentEntityModels();
    }();
    return models;
}
