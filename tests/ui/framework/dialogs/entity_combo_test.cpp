// The entity combos show what the entity enumeration offers (its rules are tested with it): the names with their
// numbers as item data, an optional first item, and the current entity selected.

#include "tests/platform/qt_test_app.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"
#include "ui/framework/dialogs/entity_combos.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// NE model 2: shelves "Main" and "Ext"; the main shelf has line-card slots 1 and 2 and a trunk card "GE" in slot 3.
constexpr const char* kInfo = "[MODEL2]\nNAME=Test NE\nLEVEL=1\nCHILDCNT=2\nCHILDTYPELIST=10,10\n"
                              "CHILDNAMELIST=Main,Ext\nSUBPROVCLASS=48,48\n"
                              "[MODEL10]\nNAME=Shelf\nLEVEL=2\nCHILDCNT=3\nCHILDTYPELIST=2147483647,2147483647,20\n"
                              "CHILDNAMELIST=1,2,GE\nSUBPROVCLASS=1/6,1/6,2/7\n"
                              "[MODEL20]\nNAME=Trunk card\nLEVEL=3\nCHILDCNT=2\nCHILDNAMELIST=GE1,GE2\n"
                              "SUBPROVCLASS=65,65\n";

using Items = std::vector<std::pair<QString, unsigned>>;

Items ItemsOf(const QComboBox& combo)
{
    Items items;
    for (int i = 0; i < combo.count(); ++i)
        items.push_back({combo.itemText(i), combo.itemData(i).toUInt()});
    return items;
}

TEST(EntityComboTest, ChoicesFirstItemAndCurrentEntity)
{
    ReplaceEntityModels(LoadEntityModelSetFromText(kInfo, "", "").models);
    CNeRecord ne;
    ne.neModelId = 2;
    ne.BuildEntityTree();
    QComboBox combo;

    const CEntityIndex port = CEntityIndex::FromLevels(1, 2, 1, 1);
    FillShelfCombo(&combo, &ne, &port, 0, " <ALL>", 0, 0);
    EXPECT_EQ(ItemsOf(combo), (Items{{" <ALL>", 0}, {"Main", 1}, {"Ext", 2}}));
    EXPECT_EQ(SelectedEntityNumber(&combo), 2U);
    // No current shelf: the first item, unless select-first asks for shelf 1.
    FillShelfCombo(&combo, &ne, nullptr, 0, " <ALL>", 0, 0);
    EXPECT_EQ(combo.currentIndex(), 0);
    FillShelfCombo(&combo, &ne, nullptr, 0, " <ALL>", 1, 0);
    EXPECT_EQ(combo.currentIndex(), 1);

    InitSlotCombo(&combo, &ne, nullptr, 6, 0);
    EXPECT_EQ(ItemsOf(combo), (Items{{"GE", 3}}));
    FillPortCombo(&combo, &ne, nullptr, 6, nullptr, 0, 0);
    EXPECT_EQ(ItemsOf(combo), (Items{{"GE1", 1}, {"GE2", 2}}));

    // Nothing to offer: an empty combo without a selection; no combo: nothing happens.
    InitShelfCombo(&combo, &ne, nullptr, 12, 0);
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.currentIndex(), -1);
    FillPortCombo(nullptr, &ne, nullptr, 0, nullptr, 1, 0);
    ReplaceEntityModels(nullptr);
}

} // namespace
