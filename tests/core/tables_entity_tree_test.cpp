#include "core/entity/entity_id.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A small family: NE model 10 with three shelf positions (the middle one absent), NE model 11 with one shelf. The
// shelf has a control module with two ports at position 1, a free position, a position kept empty and an absent
// position; the free position delegates to position 1 for slot 3.
constexpr const char* kInfo = R"(
[SYSTEM]
MAXENTITYLEVEL2=9
[MODEL10]
NAME=Two-shelf NE
LEVEL=1
CHILDCNT=3
CHILDTYPELIST=20,2000000000,20
CHILDNAMELIST=Upper,,Lower
[MODEL11]
NAME=One-shelf NE
LEVEL=1
CHILDCNT=1
CHILDTYPELIST=20
[MODEL20]
NAME=Shelf
LEVEL=2
CHILDCNT=4
CHILDTYPELIST=30,2147483647,1,2000000000
CHILDNAMELIST=CTL,2,3,4
CHILDDELEGATELIST=1,2,1,4
[MODEL30]
NAME=Control
LEVEL=3
CHILDCNT=2
CHILDTYPELIST=40,40
CHILDNAMELIST=GE1,GE2
[MODEL31]
NAME=Line card
LEVEL=3
CHILDCNT=3
[MODEL40]
NAME=Port
LEVEL=4
)";

constexpr const char* kAlarm = "[SYSTEM]\nOFFLINEALARM=0\n";

class EntityTreeTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        EntityModelLoadResult loaded = LoadEntityModelSetFromText(kInfo, kAlarm, "");
        ASSERT_NE(loaded.models, nullptr);
        ASSERT_TRUE(loaded.diagnostics.empty()) << loaded.diagnostics.front();
        ReplaceEntityModels(std::move(loaded.models));
    }
    void TearDown() override { ReplaceEntityModels(nullptr); }

    static CNeRecord MakeNe(uint32_t model)
    {
        CNeRecord ne;
        ne.neId = 7;
        ne.neModelId = model;
        ne.BuildEntityTree();
        return ne;
    }
};

int CountNodes(const CEntityNode& node)
{
    int count = 1;
    for (int i = 0; i < node.GetChildCount(); ++i) {
        count += CountNodes(*node.GetChild(i));
    }
    return count;
}

void ForEachNode(CEntityNode& node, const std::function<void(CEntityNode&)>& visit)
{
    visit(node);
    for (int i = 0; i < node.GetChildCount(); ++i) {
        ForEachNode(*node.GetChild(i), visit);
    }
}

TEST_F(EntityTreeTest, TreeFollowsTheModelWithAbsentPositionsAsNodes)
{
    CNeRecord ne = MakeNe(10);
    ASSERT_NE(ne.root, nullptr);
    // root + 3 shelf positions + 2 shelves x (4 slot positions + 2 control ports)
    EXPECT_EQ(CountNodes(*ne.root), 1 + 3 + 2 * (4 + 2));
    EXPECT_EQ(ne.usedChildCount, 2u);

    CEntityNode& root = *ne.root;
    EXPECT_EQ(root.GetLevel(), 1);
    EXPECT_EQ(root.GetType(), 10u);
    EXPECT_EQ(root.GetPlannedType(), 10u);
    EXPECT_EQ(root.GetEntityId(), 1u);

    CEntityNode* absentShelf = root.GetChild(1);
    ASSERT_NE(absentShelf, nullptr);
    EXPECT_TRUE(absentShelf->IsAbsent());
    EXPECT_EQ(absentShelf->GetChildCount(), 0);
    EXPECT_EQ(absentShelf->GetPlannedType(), kEntityTypeAbsent);

    CEntityNode* shelf = root.FindById(30000);
    ASSERT_NE(shelf, nullptr);
    EXPECT_EQ(shelf->GetLevel(), 2);
    EXPECT_EQ(shelf->GetPosition(), 2);
    EXPECT_EQ(shelf->GetPlannedType(), 20u);
    EXPECT_EQ(shelf->GetType(), kEntityTypeUnknown);

    struct Row {
        uint32_t id;
        uint32_t planned;
        int children;
        bool absent;
    };
    const Row rows[] = {
        {10100, 30, 2, false},
        {10200, kEntityTypeUnknown, 0, false},
        {10300, kEntityTypeEmpty, 0, false},
        {10400, kEntityTypeAbsent, 0, true},
        {10101, 40, 0, false},
        {10102, 40, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        CEntityNode* node = root.FindById(row.id);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->GetPlannedType(), row.planned);
        EXPECT_EQ(node->GetChildCount(), row.children);
        EXPECT_EQ(node->IsAbsent(), row.absent);
        EXPECT_EQ(node->GetEntityId(), row.id);
        EXPECT_EQ(node->GetLevel(), EntityIndexFromId(row.id).GetLevel());
    }
    // Nothing lies below an absent shelf or beyond the model's positions; ids that do not decode find nothing.
    EXPECT_EQ(root.FindById(20100), nullptr);
    EXPECT_EQ(root.FindById(10103), nullptr);
    EXPECT_EQ(root.FindById(10500), nullptr);
    EXPECT_EQ(root.FindById(0), nullptr);
    EXPECT_EQ(root.FindById(12345678), nullptr);
    // Lookups start at the root whatever node they are asked on.
    EXPECT_EQ(root.FindById(10101)->FindById(1), &root);
}

TEST_F(EntityTreeTest, UnknownNeModelGivesTheRootAlone)
{
    CNeRecord ne = MakeNe(999);
    ASSERT_NE(ne.root, nullptr);
    EXPECT_EQ(ne.root->GetChildCount(), 0);
    EXPECT_EQ(ne.root->GetType(), 999u);
    EXPECT_EQ(ne.usedChildCount, 0u);
}

TEST_F(EntityTreeTest, TypeLookupsAnswerAbsentForMissingAndAbsentNodes)
{
    CNeRecord ne = MakeNe(10);
    CEntityNode& root = *ne.root;
    ASSERT_TRUE(root.SetTypeById(10100, 30, kPlannedTypeSame));
    EXPECT_EQ(root.GetTypeById(10100), 30u);
    EXPECT_EQ(root.GetTypeAt(CEntityIndex::FromLevels(1, 1, 1)), 30u);
    EXPECT_EQ(root.GetTypeById(10400), kEntityTypeAbsent);
    EXPECT_EQ(root.GetTypeById(20000), kEntityTypeAbsent);
    EXPECT_EQ(root.GetTypeById(10700), kEntityTypeAbsent);
    EXPECT_EQ(CEntityNode::GetTypeById(&ne, 10100), 30u);
    EXPECT_EQ(CEntityNode::GetTypeById(nullptr, 10100), kEntityTypeAbsent);

    EXPECT_TRUE(root.IsEmptyOrUnknownById(10200)); // unknown
    EXPECT_TRUE(root.IsEmptyOrUnknownById(10400)); // absent
    EXPECT_TRUE(root.IsEmptyOrUnknownById(10700)); // missing
    EXPECT_FALSE(root.IsEmptyOrUnknownById(10100));
    ASSERT_TRUE(root.SetTypeById(10200, kEntityTypeEmpty, kPlannedTypeSame));
    EXPECT_TRUE(root.IsEmptyOrUnknownById(10200));
}

TEST_F(EntityTreeTest, PlanStateOfTypeAgainstPlannedType)
{
    struct Row {
        uint32_t type;
        uint32_t planned;
        int state;
    };
    const Row rows[] = {{31, 31, kPlanStateAsPlanned},
                        {31, kPlannedTypeSame, kPlanStateAsPlanned},
                        {kEntityTypeEmpty, kEntityTypeEmpty, kPlanStateAsPlanned},
                        {kEntityTypeUnknown, kEntityTypeEmpty, kPlanStateAsPlanned},
                        {kEntityTypeEmpty, kEntityTypeUnknown, kPlanStateAsPlanned},
                        {30, 31, kPlanStateMismatch},
                        {31, kEntityTypeEmpty, kPlanStateUnplanned},
                        {31, kEntityTypeUnknown, kPlanStateUnplanned},
                        {kEntityTypeEmpty, 31, kPlanStateMissing},
                        {kEntityTypeUnknown, 31, kPlanStateMissing}};
    for (const Row& row : rows) {
        CNeRecord ne = MakeNe(10);
        CEntityNode* slot = ne.root->FindById(10200);
        ASSERT_TRUE(slot->SetType(row.type, row.planned));
        EXPECT_EQ(slot->GetPlanState(), row.state) << row.type << " planned " << row.planned;
    }
}

TEST_F(EntityTreeTest, AbsentNodesCountAsUnplannedAndAreNeverRetyped)
{
    CNeRecord ne = MakeNe(10);
    CEntityNode* absent = ne.root->FindById(10400);
    ASSERT_NE(absent, nullptr);
    EXPECT_EQ(absent->GetPlanState(), kPlanStateUnplanned);
    EXPECT_FALSE(ne.root->SetTypeById(10400, 31, kPlannedTypeSame));
    EXPECT_FALSE(absent->SetType(31, 31));
    EXPECT_TRUE(absent->IsAbsent());
    EXPECT_FALSE(ne.root->SetTypeById(10700, 31, kPlannedTypeSame)); // missing
    // The absent type is the model's to give.
    CEntityNode* slot = ne.root->FindById(10200);
    EXPECT_FALSE(slot->SetType(kEntityTypeAbsent, kPlannedTypeSame));
    EXPECT_EQ(slot->GetType(), kEntityTypeUnknown);
}

TEST_F(EntityTreeTest, RetypingRebuildsChildrenOnlyWhenTheModelChanges)
{
    CNeRecord ne = MakeNe(10);
    CEntityNode& root = *ne.root;

    // A free position gets the children of the model it is given.
    ASSERT_TRUE(root.SetTypeById(10200, 31, kPlannedTypeSame));
    CEntityNode* slot = root.FindById(10200);
    ASSERT_EQ(slot->GetChildCount(), 3);
    EXPECT_EQ(slot->GetChild(0)->GetPlannedType(), kEntityTypeUnknown);
    EXPECT_EQ(root.FindById(10203)->GetLevel(), 4);

    // The same model keeps the children and their state.
    root.FindById(10203)->severity = 2;
    ASSERT_TRUE(root.SetTypeById(10200, 31, 31));
    EXPECT_EQ(root.FindById(10203)->severity, 2u);

    // Another model replaces them.
    ASSERT_TRUE(root.SetTypeById(10200, 30, 31));
    EXPECT_EQ(slot->GetChildCount(), 2);
    EXPECT_EQ(root.FindById(10203), nullptr);
    EXPECT_EQ(root.FindById(10201)->GetPlannedType(), 40u);
    EXPECT_EQ(slot->GetPlanState(), kPlanStateMismatch);

    // Unknown current type: the children follow the planned model.
    ASSERT_TRUE(root.SetTypeById(10200, kEntityTypeUnknown, 31));
    EXPECT_EQ(slot->GetChildCount(), 3);

    // Nothing known or planned: no children.
    ASSERT_TRUE(root.SetTypeById(10200, kEntityTypeEmpty, kEntityTypeEmpty));
    EXPECT_EQ(slot->GetChildCount(), 0);

    // The planned control module reported as the control module keeps its ports.
    CEntityNode* port = root.FindById(10101);
    ASSERT_TRUE(root.SetTypeById(10100, 30, kPlannedTypeSame));
    EXPECT_EQ(root.FindById(10101), port);
}

TEST_F(EntityTreeTest, RetypingTheRootRebuildsTheWholeTree)
{
    CNeRecord ne = MakeNe(10);
    ASSERT_TRUE(ne.root->SetType(11, kPlannedTypeSame));
    EXPECT_EQ(CountNodes(*ne.root), 1 + 1 + 4 + 2);
    EXPECT_EQ(ne.root->FindById(20000), nullptr);
}

TEST_F(EntityTreeTest, ConnectionNeedsEveryAncestorConnectedAndPresent)
{
    CNeRecord ne = MakeNe(10);
    CEntityNode& root = *ne.root;
    EXPECT_FALSE(root.IsConnected());
    ForEachNode(root, [](CEntityNode& node) { node.SetStateBits(0); });
    EXPECT_TRUE(root.IsConnectedById(10101));
    EXPECT_FALSE(root.IsConnectedById(10400)); // absent
    EXPECT_FALSE(root.IsConnectedById(10700)); // missing

    root.FindById(10100)->SetStateBits(0x1); // the offline alarm
    EXPECT_FALSE(root.FindById(10100)->connected);
    EXPECT_FALSE(root.IsConnectedById(10101));
    EXPECT_TRUE(root.IsConnectedById(10200));
    // While disconnected a node shows the offline bit beside its own.
    root.FindById(10100)->SetStateBits(0x10);
    EXPECT_TRUE(root.FindById(10100)->connected);
    root.FindById(10100)->connected = false;
    EXPECT_EQ(root.FindById(10100)->GetStateBits(), 0x11u);
}

TEST_F(EntityTreeTest, MaskingHidesStateSeverityAndClassOfTheSubtree)
{
    CNeRecord ne = MakeNe(10);
    CEntityNode& root = *ne.root;
    CEntityNode* card = root.FindById(10100);
    CEntityNode* port = root.FindById(10101);
    card->SetStateBits(0x30);
    card->severity = 2;
    CEntityAlarmDetail cardDetail;
    cardDetail.alarmClass = 1;
    card->SetAlarmDetail(cardDetail);
    port->SetStateBits(0x4);
    port->severity = 3;
    CEntityAlarmDetail portDetail;
    portDetail.secondaryStatus = 2;
    portDetail.alarmClass = 3;
    port->SetAlarmDetail(portDetail);

    EXPECT_EQ(card->GetStateBits(), 0x30u);
    EXPECT_EQ(port->GetSeverity(), 3u);
    EXPECT_EQ(port->GetTertiaryStatus(), 3u);
    EXPECT_EQ(port->GetSecondaryStatus(), 0u);

    card->alarmMasked = 1;
    for (CEntityNode* node : {card, port}) {
        EXPECT_TRUE(node->IsMasked());
        EXPECT_EQ(node->GetStateBits(), 0u);
        EXPECT_EQ(node->GetSeverity(), 0u);
        EXPECT_EQ(node->GetTertiaryStatus(), 0u);
    }
    EXPECT_FALSE(root.IsMasked());
    // The stored values stay for when the mask is lifted.
    card->alarmMasked = 0;
    EXPECT_EQ(port->GetSeverity(), 3u);
}

TEST_F(EntityTreeTest, SummarySeverityCoversConnectedDescendantsOnly)
{
    CNeRecord ne = MakeNe(10);
    CEntityNode& root = *ne.root;
    ForEachNode(root, [](CEntityNode& node) { node.SetStateBits(0); });
    root.FindById(10000)->severity = 4;
    root.FindById(10100)->severity = 3;
    root.FindById(10102)->severity = 2;
    root.FindById(30000)->severity = 5;

    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 1), 2u);
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 10000), 2u);
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 30000), 5u);
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 10101), 0u);

    // A disconnected port no longer counts; a disconnected module takes its ports with it but keeps its own.
    root.FindById(10102)->connected = false;
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 1), 3u);
    root.FindById(10102)->connected = true;
    root.FindById(10100)->connected = false;
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 1), 4u);
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 10100), 3u);
    root.FindById(10100)->connected = true;

    // Masking removes a subtree; out-of-range values never count.
    root.FindById(10100)->alarmMasked = 1;
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 1), 4u);
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 10102), 0u);
    root.FindById(10100)->alarmMasked = 0;
    root.FindById(10102)->severity = 99;
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 1), 3u);

    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 10400), 0u); // absent
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(&ne, 10700), 0u); // missing
    EXPECT_EQ(CEntityNode::GetSummarySeverityById(nullptr, 1), 0u);
}

TEST_F(EntityTreeTest, SeverityAtTheNeIsTheGraverOfNeLevelAndRoot)
{
    CNeRecord ne = MakeNe(10);
    ne.root->severity = 3;
    ne.neSeverity = 4;
    EXPECT_EQ(ne.GetSeverityAt(1), 3u);
    ne.neSeverity = 1;
    EXPECT_EQ(ne.GetSeverityAt(1), 1u);
    ne.root->FindById(10100)->severity = 2;
    EXPECT_EQ(ne.GetSeverityAt(10100), 2u);
    EXPECT_EQ(ne.GetSeverityAt(10400), 0u);
    EXPECT_EQ(ne.GetSeverityAt(10700), 0u);
    EXPECT_EQ(ne.GetSecondaryStatusAt(1), 0u);
}

TEST_F(EntityTreeTest, CloneIsDeepAndIndependent)
{
    CNeRecord ne = MakeNe(10);
    CEntityAlarmDetail acked;
    acked.ackPerson = "op";
    ne.root->FindById(10101)->SetAlarmDetail(acked);
    CNeRecord copy(ne);
    ASSERT_NE(copy.root, nullptr);
    ASSERT_NE(copy.root.get(), ne.root.get());
    CEntityNode* port = copy.root->FindById(10101);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->GetAlarmDetail().ackPerson, "op");
    EXPECT_EQ(port->GetRoot(), copy.root.get());
    ASSERT_TRUE(copy.root->SetTypeById(10100, 31, 31));
    EXPECT_EQ(ne.root->FindById(10100)->GetChildCount(), 2);
}

TEST_F(EntityTreeTest, EveryNodeKnowsItsParentAndItsId)
{
    CNeRecord ne = MakeNe(10);
    const CEntityNode& root = *ne.root;
    EXPECT_EQ(root.GetParent(), nullptr);
    int nodes = 0;
    ForEachNode(*ne.root, [&](CEntityNode& node) {
        ++nodes;
        for (int i = 0; i < node.GetChildCount(); ++i) {
            EXPECT_EQ(node.GetChild(i)->GetParent(), &node);
            EXPECT_EQ(node.GetChild(i)->GetPosition(), i);
        }
        EXPECT_EQ(node.GetRoot(), &root);
        if (&node != &root) {
            EXPECT_EQ(root.FindById(node.GetEntityId()), &node);
        }
    });
    EXPECT_EQ(nodes, 1 + 3 + 2 * (4 + 2));
}

TEST_F(EntityTreeTest, AlarmDetailsKeepEveryFieldAndTakeNoRoomWhenEmpty)
{
    CNeRecord ne = MakeNe(10);
    CEntityNode* port = ne.root->FindById(10101);
    CEntityNode* other = ne.root->FindById(30102);
    ASSERT_NE(port, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(port->GetAlarmDetail().IsEmpty());

    const CEntityAlarmDetail full{.secondaryStatus = 0xFFFFFFFFu,
                                  .alarmClass = 0x80000001u,
                                  .ackFlag = 7,
                                  .ackTime = 0xFFFFFFFEu,
                                  .occurTime = 1000,
                                  .receiveTime = 1001,
                                  .ackPerson = "a person of twenty ch"};
    port->SetAlarmDetail(full);
    CEntityAlarmDetail occurred;
    occurred.occurTime = 5;
    other->SetAlarmDetail(occurred);
    EXPECT_EQ(port->GetAlarmDetail(), full);
    EXPECT_EQ(other->GetAlarmDetail().occurTime, 5u);
    EXPECT_EQ(port->GetTertiaryStatus(), 0x80000001u);
    EXPECT_TRUE(ne.root->FindById(10102)->GetAlarmDetail().IsEmpty()) << "a sibling has none";

    // Each value on its own is kept.
    CEntityAlarmDetail one;
    one.receiveTime = 1;
    port->SetAlarmDetail(one);
    EXPECT_EQ(port->GetAlarmDetail(), one);

    port->SetAlarmDetail({});
    EXPECT_TRUE(port->GetAlarmDetail().IsEmpty());
    EXPECT_EQ(other->GetAlarmDetail().occurTime, 5u);
}

TEST_F(EntityTreeTest, ACopyKeepsEveryValueOfEveryNode)
{
    CNeRecord ne = MakeNe(10);
    ASSERT_TRUE(ne.root->SetTypeById(10100, 31, 30));
    uint32_t n = 0;
    ForEachNode(*ne.root, [&](CEntityNode& node) {
        ++n;
        node.stateBits = 0x1000u * n + 1;
        node.componentFlags = 0x80000000u | n;
        node.connected = n % 2 == 0;
        node.severity = static_cast<uint8_t>(n % 6);
        node.alarmMasked = n % 3 == 0;
        if (n % 4 == 0) {
            node.SetAlarmDetail(
                {.secondaryStatus = n, .alarmClass = n + 1, .ackFlag = 1, .ackTime = n + 2, .occurTime = n + 3,
                 .receiveTime = n + 4, .ackPerson = "p" + std::to_string(n)});
        }
    });
    const std::unique_ptr<CEntityNode> copy = ne.root->Clone();
    std::vector<const CEntityNode*> originals;
    ForEachNode(*ne.root, [&](CEntityNode& node) { originals.push_back(&node); });
    size_t i = 0;
    ForEachNode(*copy, [&](CEntityNode& node) {
        ASSERT_LT(i, originals.size());
        const CEntityNode& original = *originals[i++];
        EXPECT_NE(&node, &original);
        EXPECT_EQ(node.GetEntityId(), original.GetEntityId());
        EXPECT_EQ(node.GetLevel(), original.GetLevel());
        EXPECT_EQ(node.GetType(), original.GetType());
        EXPECT_EQ(node.GetPlannedType(), original.GetPlannedType());
        EXPECT_EQ(node.GetChildCount(), original.GetChildCount());
        EXPECT_EQ(node.stateBits, original.stateBits);
        EXPECT_EQ(node.componentFlags, original.componentFlags);
        EXPECT_EQ(node.connected, original.connected);
        EXPECT_EQ(node.severity, original.severity);
        EXPECT_EQ(node.alarmMasked, original.alarmMasked);
        EXPECT_EQ(node.GetAlarmDetail(), original.GetAlarmDetail());
    });
    EXPECT_EQ(i, originals.size());
    // The copy's details are its own.
    CEntityAlarmDetail changed;
    changed.ackPerson = "changed";
    copy->FindById(10101)->SetAlarmDetail(changed);
    EXPECT_NE(ne.root->FindById(10101)->GetAlarmDetail().ackPerson, "changed");
}

TEST_F(EntityTreeTest, RebuiltChildrenStartWithoutDetails)
{
    CNeRecord ne = MakeNe(10);
    CEntityAlarmDetail acked;
    acked.ackFlag = 1;
    acked.ackPerson = "op";
    ne.root->FindById(10101)->SetAlarmDetail(acked);
    CEntityAlarmDetail occurred;
    occurred.occurTime = 9;
    ne.root->FindById(10100)->SetAlarmDetail(occurred);
    ASSERT_TRUE(ne.root->SetTypeById(10100, 31, 31));
    ASSERT_EQ(ne.root->FindById(10100)->GetChildCount(), 3);
    EXPECT_TRUE(ne.root->FindById(10101)->GetAlarmDetail().IsEmpty());
    EXPECT_EQ(ne.root->FindById(10100)->GetAlarmDetail().occurTime, 9u) << "the retyped node keeps its own";
    // Back to a model with the same positions: the old port's details did not come back with it.
    ASSERT_TRUE(ne.root->SetTypeById(10100, 30, 30));
    EXPECT_TRUE(ne.root->FindById(10101)->GetAlarmDetail().IsEmpty());
}

TEST_F(EntityTreeTest, LocationTextsInNumbersOrWords)
{
    struct Row {
        uint32_t model;
        uint32_t id;
        bool words;
        const char* text;
    };
    // The shelf of a one-shelf NE stays when it is the entity itself (10000 of model 11).
    const Row rows[] = {{10, 10101, false, "Upper-CTL-GE1"},
                        {10, 10101, true, "Shelf-Upper, Slot-CTL, Port-GE1"},
                        {10, 30200, false, "Lower-2"},
                        {10, 30000, true, "Shelf-Lower"},
                        {11, 10102, false, "CTL-GE2"},
                        {11, 10102, true, "Slot-CTL, Port-GE2"},
                        {11, 10300, false, "3"},
                        {11, 10000, false, "1"},
                        {10, 1, false, ""},
                        {10, 0, true, ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.model << " " << row.id << " " << row.words);
        CNeRecord ne = MakeNe(row.model);
        EXPECT_EQ(FormatEntityLocationById(&ne, row.id, row.words), row.text);
        EXPECT_EQ(FormatEntityLocation(&ne, EntityIndexFromId(row.id), 0, row.words), row.text);
    }
}

TEST_F(EntityTreeTest, LabelsFallBackToNumbers)
{
    CNeRecord ne = MakeNe(10);
    const CEntityIndex index = CEntityIndex::FromLevels(1, 1, 1, 2);
    EXPECT_EQ(GetEntityLevelLabel(&ne, 1, index), "<NE>");
    EXPECT_EQ(GetEntityLevelLabel(&ne, 2, index), "Upper");
    EXPECT_EQ(GetEntityLevelLabel(&ne, 3, index), "CTL");
    EXPECT_EQ(GetEntityLevelLabel(&ne, index), "GE2");
    EXPECT_EQ(GetEntityLevelLabel(&ne, 5, index), "");
    // Without an NE, or below a node without a model, the numbers stand.
    EXPECT_EQ(FormatEntityLocation(nullptr, index, 0, false), "1-1-2");
    EXPECT_EQ(GetEntityLevelLabel(&ne, CEntityIndex::FromLevels(1, 1, 2, 3)), "3");
    // A model without child names gives the numbers too.
    ASSERT_TRUE(ne.root->SetTypeById(10200, 31, kPlannedTypeSame));
    EXPECT_EQ(FormatEntityLocationById(&ne, 10203, false), "Upper-2-3");
}

TEST_F(EntityTreeTest, DelegateSlotReplacesTheSlotNumber)
{
    CNeRecord ne = MakeNe(10);
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 3, 7);
    const CEntityIndex mapped = MapDelegateSlot(&ne, port);
    EXPECT_EQ(mapped, CEntityIndex::FromLevels(1, 1, 1, 7));
    EXPECT_EQ(MapDelegateSlot(&ne, CEntityIndex::FromLevels(1, 1, 3)), CEntityIndex::FromLevels(1, 1, 1));
    EXPECT_EQ(MapDelegateSlot(&ne, CEntityIndex::FromLevels(1, 1, 2, 4)), CEntityIndex::FromLevels(1, 1, 2, 4));
    // Shelf-level and NE-level indexes, an unknown shelf and no NE leave the index alone.
    EXPECT_EQ(MapDelegateSlot(&ne, CEntityIndex::FromLevels(1, 1)), CEntityIndex::FromLevels(1, 1));
    EXPECT_EQ(MapDelegateSlot(&ne, CEntityIndex::FromLevels(1, 2, 3)), CEntityIndex::FromLevels(1, 2, 3));
    EXPECT_EQ(MapDelegateSlot(nullptr, port), port);
}

} // namespace
