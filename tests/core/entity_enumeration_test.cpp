#include "core/entity/entity_id.h"
#include "core/entity/entity_kind.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_record.h"
#include "core/tables/user_account.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// NE model 2: shelf 1 main (class 0x30), shelf 2 expansion (0x31), shelf 3 absent. The main shelf: slots 1 and 2 take
// line cards (1/6; slot 2 delegates to slot 1), slot 3 class 8, slot 4 the trunk card (2/7), slot 5 class 3, slot 6
// absent. Module 30 is a line card with two ADSL ports, an SHDSL port and a port of class 0x42; module 20 a trunk
// card with two trunk ports. NE model 3 has no shelves at all.
constexpr const char* kInfo = R"(
[SYSTEM]
MAXENTITYLEVEL2=9
[MODEL2]
NAME=Test NE
LEVEL=1
CHILDCNT=3
CHILDTYPELIST=10,11,2000000000
CHILDNAMELIST=Main,Ext,Gone
SUBPROVCLASS=48,49,48
[MODEL3]
NAME=Bare NE
LEVEL=1
[MODEL10]
NAME=Main shelf
LEVEL=2
CHILDCNT=6
CHILDTYPELIST=2147483647,2147483647,2147483647,20,2147483647,2000000000
CHILDNAMELIST=1,2,3,GE,5,6
CHILDDELEGATELIST=1,1,3,4,5,6
SUBPROVCLASS=1/6,1/6,8,2/7,3,1
[MODEL11]
NAME=Expansion shelf
LEVEL=2
CHILDCNT=2
SUBPROVCLASS=6,6
[MODEL20]
NAME=Trunk card
LEVEL=3
CHILDCNT=2
CHILDTYPELIST=40,40
CHILDNAMELIST=GE1,GE2
SUBPROVCLASS=65,65
[MODEL30]
NAME=Line card
LEVEL=3
CHILDCNT=4
SUBPROVCLASS=64,64,67,66
[MODEL40]
NAME=Port
LEVEL=4
[MODEL50]
NAME=Shelf of one class per slot
LEVEL=2
CHILDCNT=9
SUBPROVCLASS=1,2,3,4,5,6,7,8,9
[MODEL60]
NAME=Module of one class per port
LEVEL=3
CHILDCNT=6
SUBPROVCLASS=64,65,66,67,68,69
)";

constexpr const char* kAlarm = "[SYSTEM]\nOFFLINEALARM=0\n";

class EntityModelFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        EntityModelLoadResult loaded = LoadEntityModelSetFromText(kInfo, kAlarm, "");
        ASSERT_NE(loaded.models, nullptr);
        ASSERT_TRUE(loaded.diagnostics.empty()) << loaded.diagnostics.front();
        ReplaceEntityModels(std::move(loaded.models));
    }
    void TearDown() override { ReplaceEntityModels(nullptr); }

    // An NE of model 2 with a line card in slot 1 of the main shelf.
    static CNeRecord MakeNe(uint32_t model = 2)
    {
        CNeRecord ne;
        ne.neId = 5;
        ne.neModelId = model;
        ne.BuildEntityTree();
        if (ne.root)
            ne.root->SetTypeById(EntityIdFromIndex(1, 1, 1, 0, 0), 30, kPlannedTypeSame);
        return ne;
    }
};

// ---- EntityMatchesKind: one row per position, kind and exact flag.

struct MatchRow {
    uint32_t model;
    unsigned shelf, slot, port;
    int kind;
    int exact;
    int expected;
};

class EntityMatchesKindTest : public EntityModelFixture, public ::testing::WithParamInterface<MatchRow> {};

TEST_P(EntityMatchesKindTest, ClassTableDecides)
{
    const MatchRow& row = GetParam();
    const CEntityIndex index = CEntityIndex::FromLevels(1, row.shelf, row.slot, row.port);
    EXPECT_EQ(EntityMatchesKind(FindEntityModel(row.model), &index, row.kind, row.exact), row.expected)
        << "model " << row.model << " index " << row.shelf << "/" << row.slot << "/" << row.port << " kind " << row.kind
        << " exact " << row.exact;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EntityMatchesKindTest,
    ::testing::Values(
        // Shelves: 0x30 and 0x31 suit every kind 0..11; an absent shelf and kind 12 nothing.
        MatchRow{2, 1, 0, 0, 0, 0, 1}, MatchRow{2, 1, 0, 0, 5, 0, 1}, MatchRow{2, 2, 0, 0, 11, 0, 1},
        MatchRow{2, 3, 0, 0, 0, 0, 0}, MatchRow{2, 1, 0, 0, 12, 0, 0}, MatchRow{2, 4, 0, 0, 0, 0, 0},
        // Slots of the main shelf.
        MatchRow{10, 1, 1, 0, 0, 0, 1}, MatchRow{10, 1, 1, 0, 3, 0, 1}, MatchRow{10, 1, 1, 0, 9, 1, 1},
        MatchRow{10, 1, 1, 0, 6, 0, 0}, MatchRow{10, 1, 1, 0, 11, 0, 1}, MatchRow{10, 1, 1, 0, 12, 0, 0},
        MatchRow{10, 1, 1, 0, -1, 0, 0}, MatchRow{10, 1, 2, 0, 3, 0, 1},
        MatchRow{10, 1, 2, 0, 3, 1, 0}, // slot 2 delegates to slot 1
        MatchRow{10, 1, 3, 0, 2, 0, 1}, MatchRow{10, 1, 3, 0, 3, 0, 0}, MatchRow{10, 1, 3, 0, 11, 0, 0},
        MatchRow{10, 1, 4, 0, 6, 0, 1}, MatchRow{10, 1, 4, 0, 10, 0, 1}, MatchRow{10, 1, 4, 0, 9, 0, 0},
        MatchRow{10, 1, 4, 0, 11, 0, 1}, MatchRow{10, 1, 4, 0, 1, 0, 1}, MatchRow{10, 1, 5, 0, 1, 0, 1},
        MatchRow{10, 1, 5, 0, 5, 0, 0}, MatchRow{10, 1, 5, 0, 7, 0, 0}, MatchRow{10, 1, 6, 0, 0, 0, 0}, // absent
        MatchRow{10, 1, 7, 0, 0, 0, 0}, // beyond the positions
        // Ports.
        MatchRow{30, 1, 1, 1, 0, 0, 1}, MatchRow{30, 1, 1, 1, 1, 0, 1}, MatchRow{30, 1, 1, 1, 3, 0, 1},
        MatchRow{30, 1, 1, 1, 6, 0, 0}, MatchRow{30, 1, 1, 3, 9, 0, 1}, MatchRow{30, 1, 1, 3, 11, 0, 1},
        MatchRow{30, 1, 1, 4, 2, 0, 1}, MatchRow{30, 1, 1, 4, 3, 0, 0}, MatchRow{30, 1, 1, 4, 11, 0, 0},
        MatchRow{30, 1, 1, 4, 1, 0, 1}, MatchRow{30, 1, 1, 4, 12, 0, 0}, MatchRow{20, 1, 4, 1, 6, 0, 1},
        MatchRow{20, 1, 4, 2, 8, 0, 1}, MatchRow{20, 1, 4, 1, 3, 0, 0}, MatchRow{20, 1, 4, 1, 11, 0, 1},
        MatchRow{20, 1, 4, 3, 0, 0, 0}));

// Each kind against a shelf whose slot i takes class i alone and a module whose port p takes class 0x3F + p alone:
// the classes each kind is offered.
TEST_F(EntityModelFixture, EachKindTakesTheClassesOfItsGroup)
{
    struct Row {
        std::vector<int> kinds;
        std::vector<int> slotClasses;
        std::vector<int> portClasses;
    };
    // Port 6 takes class 0x45, a class of no list: only the kinds that take every port offer it.
    const std::vector<int> allSlots{1, 2, 3, 4, 5, 6, 7, 8, 9}, allPorts{0x40, 0x41, 0x42, 0x43, 0x44, 0x45};
    const Row rows[] = {
        {{0, 1}, allSlots, allPorts},
        {{2}, allSlots, {0x40, 0x41, 0x42, 0x43, 0x44}},
        {{3, 4, 5, 9}, {1, 6}, {0x40, 0x43}},
        {{6, 7, 8, 10}, {2, 7}, {0x41}},
        {{11}, {1, 2, 6, 7}, {0x40, 0x41, 0x43}},
        {{12}, {}, {}},
    };
    for (const Row& row : rows) {
        for (const int kind : row.kinds) {
            std::vector<int> slots, ports;
            for (unsigned slot = 1; slot <= 9; ++slot) {
                const CEntityIndex index = CEntityIndex::FromLevels(1, 1, slot);
                if (EntityMatchesKind(FindEntityModel(50), &index, kind, 1) != 0)
                    slots.push_back(static_cast<int>(slot));
            }
            for (unsigned port = 1; port <= 6; ++port) {
                const CEntityIndex index = CEntityIndex::FromLevels(1, 1, 1, port);
                if (EntityMatchesKind(FindEntityModel(60), &index, kind, 1) != 0)
                    ports.push_back(0x3F + static_cast<int>(port));
            }
            EXPECT_EQ(slots, row.slotClasses) << "kind " << kind;
            EXPECT_EQ(ports, row.portClasses) << "kind " << kind;
        }
    }
}

TEST_F(EntityModelFixture, MatchRefusesMissingArgumentsAndOtherLevels)
{
    const CEntityIndex shelf = CEntityIndex::FromLevels(1, 1);
    const CEntityIndex ne = CEntityIndex::FromLevels(1);
    const CEntityIndex empty;
    EXPECT_EQ(EntityMatchesKind(nullptr, &shelf, 0, 0), 0);
    EXPECT_EQ(EntityMatchesKind(FindEntityModel(2), nullptr, 0, 0), 0);
    EXPECT_EQ(EntityMatchesKind(FindEntityModel(2), &ne, 0, 0), 0);
    EXPECT_EQ(EntityMatchesKind(FindEntityModel(2), &empty, 0, 0), 0);
}

// ---- enumeration for the combos

std::vector<unsigned> Numbers(const EntityChoices& choices)
{
    std::vector<unsigned> numbers;
    for (const EntityChoice& choice : choices.choices)
        numbers.push_back(choice.number);
    return numbers;
}

std::vector<std::string> Names(const EntityChoices& choices)
{
    std::vector<std::string> names;
    for (const EntityChoice& choice : choices.choices)
        names.push_back(choice.name);
    return names;
}

using Numbers_t = std::vector<unsigned>;
using Names_t = std::vector<std::string>;

TEST_F(EntityModelFixture, ShelvesOfferPresentShelvesByName)
{
    const CNeRecord ne = MakeNe();
    const CEntityIndex slot = CEntityIndex::FromLevels(1, 2, 1);

    EntityChoices shelves = EnumerateShelfChoices(&ne, &slot, 0, 0, 0);
    EXPECT_EQ(Numbers(shelves), (Numbers_t{1, 2}));
    EXPECT_EQ(Names(shelves), (Names_t{"Main", "Ext"}));
    EXPECT_EQ(shelves.requested, 2U);

    EXPECT_EQ(EnumerateShelfChoices(&ne, nullptr, 0, 0, 0).requested, 0U);
    EXPECT_EQ(EnumerateShelfChoices(&ne, nullptr, 0, 1, 0).requested, 1U);
    EXPECT_TRUE(EnumerateShelfChoices(&ne, nullptr, 12, 1, 0).choices.empty());
}

TEST_F(EntityModelFixture, SlotsFollowTheRequestedShelfOrTheFirstThatSuits)
{
    const CNeRecord ne = MakeNe();
    const CEntityIndex mainShelf = CEntityIndex::FromLevels(1, 1);
    const CEntityIndex extShelf = CEntityIndex::FromLevels(1, 2);

    EXPECT_EQ(Numbers(EnumerateSlotChoices(&ne, &mainShelf, 3, 0, 0)), (Numbers_t{1, 2}));
    EXPECT_EQ(Numbers(EnumerateSlotChoices(&ne, &mainShelf, 3, 0, 1)), (Numbers_t{1})); // slot 2 is a delegate
    EXPECT_EQ(Names(EnumerateSlotChoices(&ne, nullptr, 6, 0, 0)), (Names_t{"GE"}));
    EXPECT_EQ(Numbers(EnumerateSlotChoices(&ne, &mainShelf, 0, 0, 0)), (Numbers_t{1, 2, 3, 4, 5}));
    EXPECT_EQ(Numbers(EnumerateSlotChoices(&ne, &extShelf, 3, 0, 0)), (Numbers_t{1, 2}));
    EXPECT_TRUE(EnumerateSlotChoices(&ne, &extShelf, 6, 0, 0).choices.empty());

    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 4, 2);
    EXPECT_EQ(EnumerateSlotChoices(&ne, &port, 6, 0, 0).requested, 4U);
    EXPECT_EQ(EnumerateSlotChoices(&ne, &mainShelf, 6, 1, 0).requested, 1U);
}

TEST_F(EntityModelFixture, PortsFollowTheModuleTheNeHolds)
{
    CNeRecord ne = MakeNe();
    const CEntityIndex lineCard = CEntityIndex::FromLevels(1, 1, 1);
    const CEntityIndex emptySlot = CEntityIndex::FromLevels(1, 1, 2);

    EXPECT_EQ(Numbers(EnumeratePortChoices(&ne, &lineCard, 3, 0, 0)), (Numbers_t{1, 2, 3}));
    EXPECT_EQ(Numbers(EnumeratePortChoices(&ne, &lineCard, 2, 0, 0)), (Numbers_t{1, 2, 3, 4}));
    EXPECT_EQ(Numbers(EnumeratePortChoices(&ne, &lineCard, 6, 0, 0)), Numbers_t{});
    // Without a target the first shelf and slot that suit the kind: the trunk card in slot 4.
    EntityChoices trunk = EnumeratePortChoices(&ne, nullptr, 6, 0, 0);
    EXPECT_EQ(Names(trunk), (Names_t{"GE1", "GE2"}));
    EXPECT_EQ(Numbers(trunk), (Numbers_t{1, 2}));
    // A slot without a known module offers no port.
    EXPECT_TRUE(EnumeratePortChoices(&ne, &emptySlot, 3, 0, 0).choices.empty());

    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 3);
    EXPECT_EQ(EnumeratePortChoices(&ne, &port, 3, 0, 0).requested, 3U);
    EXPECT_EQ(EnumeratePortChoices(&ne, &lineCard, 3, 1, 0).requested, 1U);
}

TEST_F(EntityModelFixture, NothingWithoutAnNeOrItsModel)
{
    const CNeRecord bare = MakeNe(3);
    const CNeRecord unknown = MakeNe(99);
    const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 1);
    for (const CNeRecord* ne : {static_cast<const CNeRecord*>(nullptr), &bare, &unknown}) {
        EXPECT_TRUE(EnumerateShelfChoices(ne, &slot, 0, 1, 0).choices.empty());
        EXPECT_TRUE(EnumerateSlotChoices(ne, &slot, 0, 1, 0).choices.empty());
        EXPECT_TRUE(EnumeratePortChoices(ne, &slot, 0, 1, 0).choices.empty());
    }
}

// ---- location filters: root 0 > A 1 > B 2, root > C 3.

class LocationFilterTest : public EntityModelFixture {
protected:
    void SetUp() override
    {
        EntityModelFixture::SetUp();
        for (auto [id, parent, name] : {std::tuple{1U, 0U, "A"}, std::tuple{2U, 1U, "B"}, std::tuple{3U, 0U, "C"}}) {
            CLocationNode node;
            node.id = id;
            node.parentId = parent;
            node.name = name;
            tree.UpsertLocation(node);
        }
    }
    CLocationTree tree;
};

struct NeFilterRow {
    uint32_t neLocation;
    bool withNode;
    uint32_t filter;
    int withSub;
    int expected;
};

TEST_F(LocationFilterTest, NeRules)
{
    const NeFilterRow rows[] = {
        {1, true, 1, 0, 1},  // the filter location itself
        {2, true, 1, 0, 0},  // below it, without sub-locations
        {2, true, 1, 1, 1},  // below it, with sub-locations
        {3, true, 1, 1, 0},  // elsewhere
        {1, true, 0, 0, 0},  // filter 0 alone does not take a located NE
        {1, true, 0, 1, 1},  // filter 0 with sub-locations takes every NE
        {0, true, 0, 0, 1},  // an NE of the root for filter 0
        {7, false, 0, 0, 1}, // no node and no filter
        {7, false, 1, 1, 0}, // no node for a filter
        {7, false, 0, 1, 1},
    };
    for (const NeFilterRow& row : rows) {
        CNeRecord ne = MakeNe();
        ne.locationId = row.neLocation;
        const CLocationNode* node = row.withNode ? tree.FindLocation(row.neLocation) : nullptr;
        EXPECT_EQ(NeMatchesLocation(&ne, node, row.filter, row.withSub, 0) != 0, row.expected != 0)
            << "NE location " << row.neLocation << " filter " << row.filter << " sub " << row.withSub;

        CUserAccount account;
        account.name = "op";
        account.active = 1;
        account.locationId = row.neLocation;
        EXPECT_EQ(AccountMatchesLocation(&account, node, row.filter, row.withSub) != 0, row.expected != 0)
            << "account location " << row.neLocation << " filter " << row.filter << " sub " << row.withSub;
    }
}

TEST_F(LocationFilterTest, RecordsNotInUseNeverMatch)
{
    CNeRecord ne = MakeNe();
    ne.locationId = 1;
    EXPECT_EQ(NeMatchesLocation(nullptr, nullptr, 0, 1, 0), 0);
    ne.inUse = 0;
    EXPECT_EQ(NeMatchesLocation(&ne, tree.FindLocation(1), 1, 1, 0), 0);

    CUserAccount account;
    account.locationId = 1;
    account.active = 0;
    EXPECT_EQ(AccountMatchesLocation(&account, tree.FindLocation(1), 1, 1), 0);
    EXPECT_EQ(AccountMatchesLocation(nullptr, nullptr, 0, 1), 0);
}

TEST_F(LocationFilterTest, AnNeOutsideTheOperatorsScopeNeverMatches)
{
    CNeRecord ne = MakeNe();
    ne.locationId = 1;
    const CLocationNode* node = tree.FindLocation(1);
    ASSERT_NE(NeMatchesLocation(&ne, node, 0, 1, 0), 0);
    ne.inScope = 0;
    EXPECT_EQ(NeMatchesLocation(&ne, node, 0, 1, 0), 0);
    EXPECT_EQ(NeMatchesLocation(&ne, node, 1, 0, 0), 0);
}

// Managed only: a connected NE that is no planned NE, whatever model its root reports.
TEST_F(LocationFilterTest, ConnectedOnlyWantsAConnectedNeNotPlanned)
{
    CNeRecord ne = MakeNe();
    ne.locationId = 1;
    const CLocationNode* node = tree.FindLocation(1);
    EXPECT_EQ(NeMatchesLocation(&ne, node, 1, 0, 1), 0); // not connected yet
    ne.root->SetStateBits(0);
    EXPECT_NE(NeMatchesLocation(&ne, node, 1, 0, 1), 0);
    EXPECT_EQ(NeMatchesLocation(&ne, node, 3, 0, 1), 0); // connected, but elsewhere

    ne.root->SetType(3, 2); // another model than planned: the NE's record decides, not its root's plan state
    ne.root->SetStateBits(0);
    EXPECT_TRUE(ne.root->IsConnected());
    EXPECT_NE(NeMatchesLocation(&ne, node, 1, 0, 1), 0);

    ne.SetPlanned(1);
    EXPECT_EQ(NeMatchesLocation(&ne, node, 1, 0, 1), 0);
    EXPECT_NE(NeMatchesLocation(&ne, node, 1, 0, 0), 0);
}

} // namespace
