#include "core/entity/entity_id.h"

#include "core/entity/entity_type_ids.h"

namespace {

// An index as the functions here take it: the leading valid levels only.
CEntityIndex Normalized(const CEntityIndex& index)
{
    unsigned n[kEntityLevelCount] = {};
    const uint32_t count = index.levelCount < kEntityLevelCount ? index.levelCount : kEntityLevelCount;
    for (uint32_t i = 0; i < count; ++i)
        n[i] = index.levels[i];
    return CEntityIndex::FromLevels(n[0], n[1], n[2], n[3], n[4]);
}

// Packs a normalised index.
uint32_t Pack(const CEntityIndex& index)
{
    if (index.levelCount == 0)
        return 0;
    if (index.levelCount == 1)
        return index.Ne();
    const uint32_t shelf = index.Shelf();
    const uint32_t slot = index.Slot();
    const uint32_t port = index.Port();
    // Only five digits are packed: shelf 1..9, slot and port 0..99.
    if (shelf > 9 || slot > 99 || port > 99)
        return 0;
    return shelf * 10000 + slot * 100 + port;
}

} // namespace

uint32_t EntityIdFromIndex(unsigned ne, unsigned shelf, unsigned slot, unsigned port, unsigned fifth)
{
    return Pack(CEntityIndex::FromLevels(ne, shelf, slot, port, fifth));
}

uint32_t EntityIdFromIndexPtr(const CEntityIndex* index)
{
    return index ? Pack(Normalized(*index)) : 0;
}

uint32_t EntityIdFromIndexValue(CEntityIndex index)
{
    return Pack(Normalized(index));
}

CEntityIndex EntityIndexFromId(uint32_t id)
{
    if (id == 0)
        return {};
    if (id == 1)
        return CEntityIndex::FromLevels(1);
    if (id < 10000 || id > 99999)
        return {};
    CEntityIndex index = CEntityIndex::FromLevels(1, id / 10000, id / 100 % 100, id % 100);
    // An id with a number after a zero level, or one above its level's maximum, names no entity: decoding it to a
    // shorter path would make it a different entity.
    return Pack(index) == id ? index : CEntityIndex{};
}

uint32_t GetParentEntityId(uint32_t id)
{
    const CEntityIndex index = EntityIndexFromId(id);
    if (index.levelCount <= 1)
        return 0;
    return Pack(index.Truncated(index.GetLevel() - 1));
}

namespace {

uint32_t EntityIdUnder(const CEntityIndex& index, int level, bool last)
{
    const CEntityIndex start = Normalized(index);
    if (start.IsEmpty() || level < 1)
        return 0;
    if (level > kEntityLevelPort)
        level = kEntityLevelPort; // the fifth level is not packed
    unsigned n[kEntityLevelCount] = {};
    for (int l = 1; l <= level; ++l)
        n[l - 1] = l <= start.GetLevel() ? start.At(l) : (last ? GetMaxEntityLevel(l) : 1U);
    return Pack(CEntityIndex::FromLevels(n[0], n[1], n[2], n[3], 0));
}

} // namespace

uint32_t FirstEntityIdUnder(const CEntityIndex& index, int level)
{
    return EntityIdUnder(index, level, false);
}

uint32_t LastEntityIdUnder(const CEntityIndex& index, int level)
{
    return EntityIdUnder(index, level, true);
}

uint32_t EntityIdFromIfIndex(uint32_t ifIndex, uint32_t shelfType, unsigned portClass)
{
    if (portClass == kProvClassTrunkPort)
        return EntityIdFromIndexValue(CwmModulePortIndex(1, static_cast<int>(ifIndex % 100), shelfType));
    return EntityIndexFromId(ifIndex).levelCount == kEntityLevelPort ? ifIndex : 0;
}

CEntityId::CEntityId(uint32_t packedId)
{
    SetId(packedId);
}

CEntityId::CEntityId(const CEntityIndex* entityIndex)
{
    if (entityIndex)
        SetIndex(*entityIndex);
}

int CEntityId::SetId(uint32_t packedId)
{
    if (packedId == 0) {
        *this = CEntityId();
        return 0;
    }
    const CEntityIndex decoded = EntityIndexFromId(packedId);
    if (decoded.IsEmpty())
        return -1;
    id = packedId;
    index = decoded;
    return 0;
}

int CEntityId::SetLevels(unsigned ne, unsigned shelf, unsigned slot, unsigned port, unsigned fifth)
{
    index = CEntityIndex::FromLevels(ne, shelf, slot, port, fifth);
    id = Pack(index);
    return 0;
}

int CEntityId::SetIndex(const CEntityIndex& entityIndex)
{
    index = Normalized(entityIndex);
    id = Pack(index);
    return 0;
}

bool CEntityId::IsAncestorOf(uint32_t packedId) const
{
    if (id == 0)
        return false;
    for (uint32_t p = GetParentEntityId(packedId); p != 0; p = GetParentEntityId(p)) {
        if (p == id)
            return true;
    }
    return false;
}

bool CEntityId::IsDescendantOf(uint32_t packedId) const
{
    if (packedId == 0 || packedId == id)
        return false;
    for (uint32_t p = GetParentEntityId(id); p != 0; p = GetParentEntityId(p)) {
        if (p == packedId)
            return true;
    }
    return false;
}
