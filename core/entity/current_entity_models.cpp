#include "core/entity/entity_index.h"
#include "core/entity/entity_model_set.h"

#include <atomic>

namespace {

std::unique_ptr<CEntityModelSet>& Current()
{
    static std::unique_ptr<CEntityModelSet> models = std::make_unique<CEntityModelSet>();
    return models;
}

// Kept apart so that threads decoding entity ids never touch the set while a reload replaces it.
std::atomic<unsigned> g_maxLevels[kEntityLevelCount] = {1, 9, 99, 99, 99};

unsigned g_generation = 0;

} // namespace

const CEntityModelSet& CurrentEntityModels()
{
    return *Current();
}

void ReplaceEntityModels(std::unique_ptr<CEntityModelSet> models)
{
    if (!models)
        models = std::make_unique<CEntityModelSet>();
    for (int level = 1; level <= kEntityLevelCount; ++level)
        g_maxLevels[level - 1].store(models->GetMaxEntityLevel(level), std::memory_order_relaxed);
    Current() = std::move(models);
    ++g_generation;
}

unsigned EntityModelsGeneration()
{
    return g_generation;
}

unsigned GetMaxEntityLevel(int level)
{
    if (level < 1 || level > kEntityLevelCount)
        return 0;
    return g_maxLevels[level - 1].load(std::memory_order_relaxed);
}

const CEntityType* FindEntityModel(uint32_t id)
{
    return CurrentEntityModels().FindModel(id);
}

const CEntityAlarmDef* GetEntityAlarmDef(uint32_t modelId, uint8_t index)
{
    return CurrentEntityModels().GetAlarmDef(modelId, index);
}

int GetEntityTypeCount()
{
    return CurrentEntityModels().GetTypeCount();
}

const CEntityType* GetEntityTypeAt(int i)
{
    return CurrentEntityModels().GetTypeAt(i);
}
