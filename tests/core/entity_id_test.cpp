#include "core/entity/entity_id.h"
#include "core/entity/entity_index.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_type_ids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Installs the level maxima of a small information file for the duration of a test.
class ScopedLevelMaxima {
public:
    explicit ScopedLevelMaxima(const std::string& systemKeys)
    {
        auto result = LoadEntityModelSetFromText("[SYSTEM]\n" + systemKeys, "", "");
        EXPECT_TRUE(result.diagnostics.empty());
        ReplaceEntityModels(std::move(result.models));
    }
    ~ScopedLevelMaxima() { ReplaceEntityModels(nullptr); }
};

CEntityIndex Index(std::vector<unsigned> levels)
{
    CEntityIndex index;
    index.levelCount = static_cast<uint32_t>(levels.size());
    for (size_t i = 0; i < levels.size(); ++i)
        index.levels[i] = static_cast<uint8_t>(levels[i]);
    return index;
}

TEST(EntityId, DecodesAndPacksBack)
{
    struct Row {
        uint32_t id;
        std::vector<unsigned> levels; // empty = the id does not decode (or is 0)
    };
    const Row rows[] = {{0, {}},
                        {1, {1}},
                        {10000, {1, 1}},
                        {10500, {1, 1, 5}},
                        {10503, {1, 1, 5, 3}},
                        {99999, {1, 9, 99, 99}},
                        {20112, {1, 2, 1, 12}},
                        // Not five digits, or a number after a zero level: no entity.
                        {2, {}},
                        {9999, {}},
                        {100000, {}},
                        {10001, {}},
                        {10099, {}},
                        {0xFFFFFFFF, {}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        const CEntityIndex index = EntityIndexFromId(row.id);
        EXPECT_EQ(index, Index(row.levels));
        if (!row.levels.empty()) {
            EXPECT_EQ(EntityIdFromIndexValue(index), row.id);
        }
        CEntityId entity;
        entity.SetLevels(7, 7, 7, 7, 0); // something to be kept or replaced
        const CEntityId before = entity;
        const int rc = entity.SetId(row.id);
        if (row.levels.empty() && row.id != 0) {
            EXPECT_EQ(rc, -1);
            EXPECT_EQ(entity, before);
        } else {
            EXPECT_EQ(rc, 0);
            EXPECT_EQ(entity.id, row.id);
            EXPECT_EQ(entity.index, index);
        }
    }
}

TEST(EntityId, FromLevelsPacksTheLeadingValidLevels)
{
    struct Row {
        unsigned ne, shelf, slot, port, fifth;
        uint32_t id;
        uint32_t levelCount;
    };
    const Row rows[] = {{1, 0, 0, 0, 0, 1, 1},        {0, 1, 5, 1, 0, 0, 0},
                        {1, 1, 5, 3, 7, 10503, 5},   // the fifth is not packed
                        {1, 1, 0, 3, 0, 10000, 2},   // zeros cut the path
                        {1, 1, 5, 255, 0, 10500, 3}, // 255 is never valid
                        {2, 1, 1, 1, 0, 0, 0},       // NE number above its maximum
                        {1, 10, 1, 1, 0, 1, 1},      // shelf above 9
                        {1, 9, 99, 99, 99, 99999, 5}, {1, 1, 100, 1, 0, 10000, 2}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.ne << "," << r.shelf << "," << r.slot << "," << r.port << "," << r.fifth);
        EXPECT_EQ(EntityIdFromIndex(r.ne, r.shelf, r.slot, r.port, r.fifth), r.id);
        CEntityId entity;
        EXPECT_EQ(entity.SetLevels(r.ne, r.shelf, r.slot, r.port, r.fifth), 0);
        EXPECT_EQ(entity.id, r.id);
        EXPECT_EQ(entity.index.levelCount, r.levelCount);
        EXPECT_EQ(CEntityIndex::FromLevels(r.ne, r.shelf, r.slot, r.port, r.fifth).levelCount, r.levelCount);
    }
}

TEST(EntityIndex, LevelMaximaOfTheLoadedModelsCutThePath)
{
    ScopedLevelMaxima maxima("MAXENTITYLEVEL2=2\nMAXENTITYLEVEL3=26\nMAXENTITYLEVEL4=48\nMAXENTITYLEVEL5=0\n");
    EXPECT_EQ(GetMaxEntityLevel(1), 1U);
    EXPECT_EQ(GetMaxEntityLevel(3), 26U);
    EXPECT_EQ(GetMaxEntityLevel(5), 0U);
    EXPECT_EQ(GetMaxEntityLevel(0), 0U);
    EXPECT_EQ(GetMaxEntityLevel(6), 0U);
    EXPECT_EQ(EntityIdFromIndex(1, 2, 26, 48, 0), 22648U);
    EXPECT_EQ(EntityIdFromIndex(1, 3, 1, 1, 0), 1U);
    EXPECT_EQ(EntityIdFromIndex(1, 1, 27, 1, 0), 10000U);
    EXPECT_EQ(EntityIdFromIndex(1, 1, 1, 49, 0), 10100U);
    EXPECT_EQ(CEntityIndex::FromLevels(1, 1, 1, 1, 1).levelCount, 4U); // no fifth level allowed
    // An id beyond the maxima names no entity.
    EXPECT_TRUE(EntityIndexFromId(12700).IsEmpty());
    EXPECT_TRUE(EntityIndexFromId(30101).IsEmpty());
    EXPECT_EQ(EntityIndexFromId(22648).levelCount, 4U);
}

TEST(EntityIndex, MaximaReturnToTheDefaultsWhenTheModelsGo)
{
    {
        ScopedLevelMaxima maxima("MAXENTITYLEVEL1=254\nMAXENTITYLEVEL3=300\n");
        EXPECT_EQ(GetMaxEntityLevel(1), 254U);
        EXPECT_EQ(GetMaxEntityLevel(3), 99U); // clamped
        EXPECT_EQ(CEntityIndex::FromLevels(254).levelCount, 1U);
        EXPECT_EQ(CEntityIndex::FromLevels(255).levelCount, 0U);
    }
    const unsigned defaults[] = {1, 9, 99, 99, 99};
    for (int level = 1; level <= 5; ++level)
        EXPECT_EQ(GetMaxEntityLevel(level), defaults[level - 1]) << level;
}

TEST(EntityIndex, IndexPassedByValueOrPointerIsNormalised)
{
    EXPECT_EQ(EntityIdFromIndexPtr(nullptr), 0U);
    CEntityIndex slot = Index({1, 1, 5});
    EXPECT_EQ(EntityIdFromIndexPtr(&slot), 10500U);
    // Numbers beyond the level count and a zero inside the count do not leak into the id.
    CEntityIndex untidy = Index({1, 1, 5});
    untidy.levels[3] = 9;
    EXPECT_EQ(EntityIdFromIndexValue(untidy), 10500U);
    EXPECT_EQ(EntityIdFromIndexValue(Index({1, 1, 0, 4})), 10000U);
    EXPECT_EQ(EntityIdFromIndexValue(Index({1, 12, 1, 1})), 1U);
    CEntityIndex tooDeep = Index({1, 1, 5, 3, 2});
    tooDeep.levelCount = 9;
    EXPECT_EQ(EntityIdFromIndexValue(tooDeep), 10503U);

    const CEntityId fromNull(static_cast<const CEntityIndex*>(nullptr));
    EXPECT_EQ(fromNull, CEntityId());
    const CEntityId fromIndex(&slot);
    EXPECT_EQ(fromIndex.id, 10500U);
    EXPECT_EQ(CEntityId(10001U), CEntityId());
    EXPECT_EQ(CEntityId(10503U).index, Index({1, 1, 5, 3}));
}

TEST(EntityId, AncestryFollowsTheParentChain)
{
    struct Row {
        uint32_t self;
        uint32_t other;
        bool ancestorOf;   // self.IsAncestorOf(other)
        bool descendantOf; // self.IsDescendantOf(other)
    };
    // Entity id 10200 admits slot 10200's ports but not shelf 10000, nor itself.
    const Row rows[] = {{10200, 10201, true, false},  {10200, 10299, true, false},  {10200, 10000, false, true},
                        {10200, 10200, false, false}, {10200, 10301, false, false}, {1, 10201, true, false},
                        {1, 1, false, false},         {1, 0, false, false},         {10000, 10201, true, false},
                        {10000, 20201, false, false}, {10000, 1, false, true},      {10201, 10200, false, true},
                        {10201, 10000, false, true},  {10201, 1, false, true},      {10201, 20200, false, false},
                        {0, 10201, false, false},     {10200, 10001, false, false}};
    for (const Row& r : rows) {
        const CEntityId self(r.self);
        EXPECT_EQ(self.IsAncestorOf(r.other), r.ancestorOf) << r.self << "," << r.other;
        EXPECT_EQ(self.IsDescendantOf(r.other), r.descendantOf) << r.self << "," << r.other;
    }
}

TEST(EntityId, ParentOfEachLevel)
{
    const std::pair<uint32_t, uint32_t> rows[] = {{10203, 10200}, {10200, 10000}, {10000, 1}, {1, 0},
                                                  {0, 0},         {10001, 0},     {123, 0}};
    for (const auto& [id, parent] : rows)
        EXPECT_EQ(GetParentEntityId(id), parent) << id;
}

TEST(EntityId, FirstAndLastIdUnderAnIndex)
{
    struct Row {
        std::vector<unsigned> index;
        int level;
        uint32_t first;
        uint32_t last;
    };
    const Row rows[] = {
        {{1}, 4, 10101, 99999},
        {{1, 1}, 4, 10101, 19999},
        {{1, 1, 5}, 4, 10501, 10599},
        {{1, 1, 5, 3}, 4, 10503, 10503},
        {{1, 1, 5, 3}, 3, 10500, 10500},
        {{1}, 3, 10100, 99900},
        {{1, 2}, 2, 20000, 20000},
        {{1}, 1, 1, 1},
        {{}, 4, 0, 0},
        {{1, 1}, 5, 10101, 19999}, // the fifth level is not packed
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FirstEntityIdUnder(Index(r.index), r.level), r.first) << r.index.size() << "/" << r.level;
        EXPECT_EQ(LastEntityIdUnder(Index(r.index), r.level), r.last) << r.index.size() << "/" << r.level;
    }
    ScopedLevelMaxima maxima("MAXENTITYLEVEL2=2\nMAXENTITYLEVEL3=26\nMAXENTITYLEVEL4=48\n");
    EXPECT_EQ(LastEntityIdUnder(Index({1}), 4), 22648U);
    EXPECT_EQ(LastEntityIdUnder(Index({1, 1, 3}), 4), 10348U);
}

TEST(EntityControlModule, PositionsOfTheNeModels)
{
    struct Row {
        int module;
        uint32_t shelfType;
        std::vector<unsigned> index;
    };
    const Row rows[] = {{1, 2, {1, 1, 5}}, {2, 2, {}}, {1, 4, {1, 1, 21}}, {2, 4, {1, 1, 22}},         {3, 4, {}},
                        {0, 4, {}},        {1, 3, {}}, {1, 0, {}},         {1, kEntityTypeUnknown, {}}};
    for (const Row& r : rows) {
        EXPECT_EQ(CwmModuleIndex(r.module, r.shelfType), Index(r.index)) << r.module << "/" << r.shelfType;
        CEntityIndex out = Index({1, 2, 3});
        CwmModuleIndex(&out, r.module, r.shelfType);
        EXPECT_EQ(out, Index(r.index)) << r.module << "/" << r.shelfType;
    }
    CwmModuleIndex(nullptr, 1, 2); // no target, no crash
}

TEST(EntityControlModule, TrunkPorts)
{
    EXPECT_EQ(EntityIdFromIndexValue(CwmModulePortIndex(1, 1, 2)), 10501U);
    EXPECT_EQ(EntityIdFromIndexValue(CwmModulePortIndex(1, 2, 2)), 10502U);
    EXPECT_EQ(EntityIdFromIndexValue(CwmModulePortIndex(1, 2, 4)), 12102U);
    EXPECT_EQ(EntityIdFromIndexValue(CwmModulePortIndex(2, 1, 4)), 12201U);
    EXPECT_TRUE(CwmModulePortIndex(1, 3, 2).IsEmpty());
    EXPECT_TRUE(CwmModulePortIndex(1, 0, 2).IsEmpty());
    EXPECT_TRUE(CwmModulePortIndex(2, 1, 2).IsEmpty());
}

TEST(EntityControlModule, ModuleBeyondTheSlotMaximumIsNotAddressed)
{
    ScopedLevelMaxima maxima("MAXENTITYLEVEL3=20\n");
    EXPECT_TRUE(CwmModuleIndex(1, 4).IsEmpty());
    EXPECT_TRUE(CwmModulePortIndex(1, 1, 4).IsEmpty());
    EXPECT_EQ(CwmModuleIndex(1, 2), Index({1, 1, 5}));
}

TEST(EntityId, FromInterfaceNumber)
{
    struct Row {
        uint32_t ifIndex;
        uint32_t shelfType;
        unsigned portClass;
        uint32_t id;
    };
    const Row rows[] = {
        {10503, 2, kProvClassAdslPort, 10503}, {10500, 2, kProvClassAdslPort, 0}, // a slot is no port
        {10001, 2, kProvClassAdslPort, 0},     {7, 2, kProvClassAdslPort, 0},     {2, 2, kProvClassTrunkPort, 10502},
        {101, 4, kProvClassTrunkPort, 12101},  {3, 4, kProvClassTrunkPort, 0},    {1, 3, kProvClassTrunkPort, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(EntityIdFromIfIndex(r.ifIndex, r.shelfType, r.portClass), r.id) << r.ifIndex;
}

} // namespace
