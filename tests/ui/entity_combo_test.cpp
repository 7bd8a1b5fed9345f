#include "tests/platform/qt_test_app.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"
#include "ui/framework/entity_combos.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// NE model 2: shelf "Main" (0x30) with line-card slots 1..2 (slot 2 delegates to 1) and a trunk card in slot 3,
// shelf "Ext" (0x31) with line-card slots; NE model 3 has no shelves.
constexpr const char* kInfo = R"(
[MODEL2]
NAME=Test NE
LEVEL=1
CHILDCNT=2
CHILDTYPELIST=10,11
CHILDNAMELIST=Main,Ext
SUBPROVCLASS=48,49
[MODEL3]
NAME=Bare NE
LEVEL=1
[MODEL10]
NAME=Main shelf
LEVEL=2
CHILDCNT=3
CHILDTYPELIST=2147483647,2147483647,20
CHILDNAMELIST=1,2,GE
CHILDDELEGATELIST=1,1,3
SUBPROVCLASS=1/6,1/6,2/7
[MODEL11]
NAME=Expansion shelf
LEVEL=2
CHILDCNT=2
SUBPROVCLASS=6,6
[MODEL20]
NAME=Trunk card
LEVEL=3
CHILDCNT=2
CHILDNAMELIST=GE1,GE2
SUBPROVCLASS=65,65
[MODEL30]
NAME=Line card
LEVEL=3
CHILDCNT=3
SUBPROVCLASS=64,64,67
)";

using Items = std::vector<std::pair<QString, unsigned>>;

Items ItemsOf(const QComboBox& combo)
{
    Items items;
    for (int i = 0; i < combo.count(); ++i)
        items.push_back({combo.itemText(i), combo.itemData(i).toUInt()});
    return items;
}

class EntityComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EntityModelLoadResult loaded = LoadEntityModelSetFromText(kInfo, "", "");
        ASSERT_NE(loaded.models, nullptr);
        ReplaceEntityModels(std::move(loaded.models));
        ne.neModelId = 2;
        ne.BuildEntityTree();
        ne.root->SetTypeById(EntityIdFromIndex(1, 1, 1, 0, 0), 30, kPlannedTypeSame);
    }
    void TearDown() override { ReplaceEntityModels(nullptr); }
    CNeRecord ne;
    QComboBox combo;
};

TEST_F(EntityComboTest, ShelvesWithFirstItemSelectTheCurrentShelf)
{
    const CEntityIndex port = CEntityIndex::FromLevels(1, 2, 1, 1);
    FillShelfCombo(&combo, &ne, &port, 0, " <ALL>", 0, 0);
    EXPECT_EQ(ItemsOf(combo), (Items{{" <ALL>", 0}, {"Main", 1}, {"Ext", 2}}));
    EXPECT_EQ(combo.currentIndex(), 2);
    EXPECT_EQ(SelectedEntityNumber(&combo), 2U);

    // No current shelf: the first item, unless select-first asks for shelf 1.
    FillShelfCombo(&combo, &ne, nullptr, 0, " <ALL>", 0, 0);
    EXPECT_EQ(combo.currentIndex(), 0);
    FillShelfCombo(&combo, &ne, nullptr, 0, " <ALL>", 1, 0);
    EXPECT_EQ(combo.currentIndex(), 1);
}

TEST_F(EntityComboTest, SlotsAndPortsByKindAndExactPositions)
{
    const CEntityIndex shelf = CEntityIndex::FromLevels(1, 1);
    FillSlotCombo(&combo, &ne, &shelf, 3, nullptr, 0, 0);
    EXPECT_EQ(ItemsOf(combo), (Items{{"1", 1}, {"2", 2}}));
    FillSlotCombo(&combo, &ne, &shelf, 3, nullptr, 0, 1);
    EXPECT_EQ(ItemsOf(combo), (Items{{"1", 1}}));
    InitSlotCombo(&combo, &ne, &shelf, 6, 0);
    EXPECT_EQ(ItemsOf(combo), (Items{{"GE", 3}}));
    EXPECT_EQ(combo.currentIndex(), 0);

    const CEntityIndex lineCard = CEntityIndex::FromLevels(1, 1, 1, 3);
    InitPortCombo(&combo, &ne, &lineCard, 9, 0, " <ALL>");
    EXPECT_EQ(ItemsOf(combo), (Items{{" <ALL>", 0}, {"1", 1}, {"2", 2}, {"3", 3}}));
    EXPECT_EQ(SelectedEntityNumber(&combo), 3U);
    FillPortCombo(&combo, &ne, nullptr, 6, nullptr, 0, 0);
    EXPECT_EQ(ItemsOf(combo), (Items{{"GE1", 1}, {"GE2", 2}}));
    InitShelfCombo(&combo, &ne, nullptr, 12, 0);
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.currentIndex(), -1);
}

TEST_F(EntityComboTest, UnknownNeOrModelLeavesTheFirstItemAtMost)
{
    CNeRecord bare;
    bare.neModelId = 3;
    bare.BuildEntityTree();
    combo.addItem(QStringLiteral("stale"), 9U);
    FillShelfCombo(&combo, &bare, nullptr, 0, " <ALL>", 1, 0);
    EXPECT_EQ(ItemsOf(combo), (Items{{" <ALL>", 0}}));
    EXPECT_EQ(combo.currentIndex(), 0);
    FillSlotCombo(&combo, nullptr, nullptr, 0, nullptr, 1, 0);
    EXPECT_EQ(combo.count(), 0);
    FillPortCombo(nullptr, &ne, nullptr, 0, nullptr, 1, 0); // no combo: nothing happens
}

} // namespace
