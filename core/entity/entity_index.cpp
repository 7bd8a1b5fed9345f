#include "core/entity/entity_index.h"

#include "core/entity/entity_type_ids.h"

namespace {

// NE models ("shelf types") with control and uplink modules, and the slots of those modules in shelf 1.
constexpr uint32_t kNeModelOneControlModule = 2;
constexpr uint32_t kNeModelTwoControlModules = 4;

unsigned ControlModuleSlot(int module, uint32_t shelfType)
{
    if (shelfType == kNeModelOneControlModule && module == 1)
        return 5;
    if (shelfType == kNeModelTwoControlModules && module == 1)
        return 21;
    if (shelfType == kNeModelTwoControlModules && module == 2)
        return 22;
    return 0;
}

} // namespace

CEntityIndex CEntityIndex::FromLevels(unsigned ne, unsigned shelf, unsigned slot, unsigned port, unsigned fifth)
{
    const unsigned numbers[kEntityLevelCount] = {ne, shelf, slot, port, fifth};
    CEntityIndex index;
    for (int i = 0; i < kEntityLevelCount; ++i) {
        const unsigned n = numbers[i];
        if (n == 0 || n >= 255 || n > GetMaxEntityLevel(i + 1))
            break;
        index.levels[static_cast<size_t>(i)] = static_cast<uint8_t>(n);
        index.levelCount = static_cast<uint32_t>(i + 1);
    }
    return index;
}

unsigned CEntityIndex::At(int level) const
{
    if (level < 1 || level > kEntityLevelCount || static_cast<uint32_t>(level) > levelCount)
        return 0;
    return levels[static_cast<size_t>(level - 1)];
}

CEntityIndex CEntityIndex::Truncated(int level) const
{
    if (level < 0)
        level = 0;
    if (static_cast<uint32_t>(level) >= levelCount)
        return *this;
    CEntityIndex cut;
    cut.levelCount = static_cast<uint32_t>(level);
    for (int i = 0; i < level; ++i)
        cut.levels[static_cast<size_t>(i)] = levels[static_cast<size_t>(i)];
    return cut;
}

CEntityIndex CwmModuleIndex(int module, uint32_t shelfType)
{
    const unsigned slot = ControlModuleSlot(module, shelfType);
    if (slot == 0)
        return {};
    CEntityIndex index = CEntityIndex::FromLevels(1, 1, slot);
    // A model set whose level maxima leave the slot out cannot address the module.
    return index.levelCount == kEntityLevelSlot ? index : CEntityIndex{};
}

void CwmModuleIndex(CEntityIndex* out, int module, uint32_t shelfType)
{
    if (out)
        *out = CwmModuleIndex(module, shelfType);
}

CEntityIndex CwmModulePortIndex(int module, int port, uint32_t shelfType)
{
    const CEntityIndex slot = CwmModuleIndex(module, shelfType);
    if (slot.IsEmpty() || (port != 1 && port != 2))
        return {};
    CEntityIndex index = CEntityIndex::FromLevels(1, 1, slot.Slot(), static_cast<unsigned>(port));
    return index.levelCount == kEntityLevelPort ? index : CEntityIndex{};
}
