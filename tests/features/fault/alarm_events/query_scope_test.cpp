// What the scope choices of the criteria dialogs hand to the lists, and the entity range the lists ask for.

#include "features/fault/alarm_events/query_scope.h"

#include <gtest/gtest.h>

namespace {

TEST(QueryScopeTest, TheChoicesNameAnEntityAndWhetherWhatLiesBelowItCounts)
{
    struct Case {
        const char* name;
        ScopeChoice choice;
        uint32_t entity;
        bool withSubEntities;
    };
    const Case cases[] = {
        {"every shelf of the NE", {kScopeAll, kScopeAll, kScopeAll, 3}, 1, true},
        {"one shelf with all its slots", {2, kScopeAll, kScopeAll, 3}, 20000, true},
        {"the shelf alone", {2, kScopeNone, kScopeNone, 3}, 20000, false},
        {"one slot with all its ports", {1, 3, kScopeAll, 3}, 10300, true},
        {"the slot alone", {1, 3, kScopeNone, 3}, 10300, false},
        {"one port", {1, 3, 7, 3}, 10307, false},
        {"the NE itself", {kScopeNone, kScopeNone, kScopeNone, 3}, 1, false},
        {"all slots of the only shelf: the whole NE", {1, kScopeAll, kScopeAll, 2}, 0, true},
        {"the only shelf alone stays the shelf", {1, kScopeNone, kScopeNone, 2}, 10000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QueryScope scope = ScopeOfChoice(c.choice);
        EXPECT_EQ(scope.entity.id, c.entity);
        EXPECT_EQ(scope.withSubEntities, c.withSubEntities);
    }
}

TEST(QueryScopeTest, TheRangeSpansAnEntitysPortsWithItsSubEntities)
{
    EXPECT_EQ(EntityRangeOf(CEntityId(10300u), false), (EntityRange{10300, 10300}));
    const EntityRange slot = EntityRangeOf(CEntityId(10300u), true);
    EXPECT_EQ(slot.first, 10300u);
    EXPECT_GE(slot.last, 10301u);
    EXPECT_LT(slot.last, 10400u);
    const EntityRange ne = EntityRangeOf(CEntityId(1u), true);
    EXPECT_EQ(ne.first, 1u) << "the NE's own id lies below its ports'";
    EXPECT_GT(ne.last, 10000u);
    EXPECT_EQ(EntityRangeOf(CEntityId(0u), true), (EntityRange{0, 0})) << "0..0: every entity";
}

} // namespace
