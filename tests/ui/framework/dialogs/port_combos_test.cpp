// The shelf, slot and port combos refill from the level the operator changed, each keeping the number chosen before
// where the new list still has it, and start from the numbers of the entity a dialog is opened on.

#include "tests/platform/qt_test_app.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"
#include "platform/dialog.h"
#include "ui/framework/dialogs/port_combos.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kShelfId = 1322;
constexpr int kSlotId = 1253;
constexpr int kPortId = 1273;
constexpr int kAnyKind = 0;

// NE model 2: shelf "Main" with slots 1 and 2 holding two-port cards and slot 3 a three-port card; shelf "Ext" with
// slot 1 only, a two-port card.
constexpr const char* kInfo =
    "[MODEL2]\nNAME=Test NE\nLEVEL=1\nCHILDCNT=2\nCHILDTYPELIST=10,11\n"
    "CHILDNAMELIST=Main,Ext\nSUBPROVCLASS=48,48\n"
    "[MODEL10]\nNAME=Shelf\nLEVEL=2\nCHILDCNT=3\nCHILDTYPELIST=20,20,21\n"
    "CHILDNAMELIST=1,2,3\nSUBPROVCLASS=2/7,2/7,2/7\n"
    "[MODEL11]\nNAME=Small shelf\nLEVEL=2\nCHILDCNT=1\nCHILDTYPELIST=20\n"
    "CHILDNAMELIST=1\nSUBPROVCLASS=2/7\n"
    "[MODEL20]\nNAME=Two ports\nLEVEL=3\nCHILDCNT=2\nCHILDNAMELIST=P1,P2\nSUBPROVCLASS=65,65\n"
    "[MODEL21]\nNAME=Three ports\nLEVEL=3\nCHILDCNT=3\nCHILDNAMELIST=Q1,Q2,Q3\n"
    "SUBPROVCLASS=65,65,65\n";

CEntityIndex Port(unsigned shelf, unsigned slot, unsigned port)
{
    return CEntityIndex::FromLevels(1, shelf, slot, port);
}

class PortCombosTest : public ::testing::Test {
protected:
    PortCombosTest() : dialog_(0), combos_(dialog_, {kShelfId, kSlotId, kPortId}, kAnyKind, 0)
    {
        ReplaceEntityModels(LoadEntityModelSetFromText(kInfo, "", "").models);
        ne_.neModelId = 2;
        ne_.BuildEntityTree();
        for (auto [combo, id] :
             {std::pair{&shelf_, kShelfId}, std::pair{&slot_, kSlotId}, std::pair{&port_, kPortId}}) {
            combo->setParent(&dialog_);
            dialog_.BindControl(combo, id);
        }
    }
    ~PortCombosTest() override { ReplaceEntityModels(nullptr); }

    // The operator picks the item with the number in a combo; the combos below it follow.
    void Pick(QComboBox& combo, unsigned number, int refillFrom)
    {
        combo.setCurrentIndex(combo.findData(number));
        combos_.Refill(&ne_, refillFrom);
    }

    static std::vector<std::string> Texts(const QComboBox& combo)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < combo.count(); ++i)
            texts.push_back(combo.itemText(i).toStdString());
        return texts;
    }

    CDialog dialog_;
    QComboBox shelf_;
    QComboBox slot_;
    QComboBox port_;
    CNeRecord ne_;
    CPortCombos combos_;
};

TEST_F(PortCombosTest, AWantedEntityIsChosenAtEveryLevel)
{
    const CEntityIndex wanted = Port(1, 3, 3);
    combos_.Refill(&ne_, 2, &wanted);
    EXPECT_EQ(combos_.Chosen(), wanted);
    EXPECT_EQ(Texts(shelf_), (std::vector<std::string>{"Main", "Ext"}));
    EXPECT_EQ(Texts(slot_), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Texts(port_), (std::vector<std::string>{"Q1", "Q2", "Q3"}));
}

TEST_F(PortCombosTest, AChangeAboveKeepsTheNumbersBelowWhereTheyAreListed)
{
    struct Case {
        const char* name;
        CEntityIndex start;
        bool shelfChanged; // else the slot
        unsigned picked;
        CEntityIndex chosen;
    };
    const Case cases[] = {
        {"another slot keeps the port", Port(1, 1, 2), false, 3, Port(1, 3, 2)},
        {"a port the slot lacks: its first", Port(1, 3, 3), false, 1, Port(1, 1, 1)},
        {"a slot the shelf lacks: its first, the port kept", Port(1, 3, 2), true, 2, Port(2, 1, 2)},
        {"both lacking: the first of each", Port(1, 3, 3), true, 2, Port(2, 1, 1)},
        {"back to the shelf, the numbers kept", Port(2, 1, 2), true, 1, Port(1, 1, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        combos_.Refill(&ne_, 2, &c.start);
        ASSERT_EQ(combos_.Chosen(), c.start);
        if (c.shelfChanged)
            Pick(shelf_, c.picked, 3);
        else
            Pick(slot_, c.picked, 4);
        EXPECT_EQ(combos_.Chosen(), c.chosen);
    }
}

TEST_F(PortCombosTest, APortFirstItemStandsForTheWholeCard)
{
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 2);
    combos_.Refill(&ne_, 2, &card, " <ALL>");
    EXPECT_EQ(Texts(port_), (std::vector<std::string>{" <ALL>", "P1", "P2"}));
    EXPECT_EQ(combos_.Chosen(), card);
    EXPECT_EQ(combos_.Chosen().GetLevel(), 3);
}

} // namespace
