// The xDSL slot selection on NEs of made-up models: the shelf combo stays choosable as long as the NE has two shelves,
// even when it offers only one; a single-shelf NE shows its only shelf disabled; a shelf change refills the slots,
// OK needs a shelf and a slot and sets the target to the slot, Cancel leaves the target as it was. No right is asked
// of the operator (the opening command has checked it).

#include "tests/ui/framework/framework_test_support.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/tables/user_account.h"
#include "features/provisioning/slot_selection/xdsl_slot_selection_dlg.h"
#include "platform/scripted_runners.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Dlg = CXdslSlotSelectionDlg;

// NE 100: two shelves, the second one represented by the first (the combo offers shelf 1 only). NE 101: two
// shelves, the second holding only a fan. NE 102: one shelf. A line shelf has line-card slots 1 and 2 and a trunk
// slot 3.
constexpr const char* kModels = R"(
[SYSTEM]
MAXENTITYLEVEL1=1
MAXENTITYLEVEL2=2
MAXENTITYLEVEL3=26
MAXENTITYLEVEL4=48
[MODEL100]
NAME=Twin
LEVEL=1
CHILDCNT=2
CHILDTYPELIST=110,110
CHILDDELEGATELIST=1,1
SUBPROVCLASS=48,49
[MODEL101]
NAME=Pair
LEVEL=1
CHILDCNT=2
CHILDTYPELIST=110,112
SUBPROVCLASS=48,49
[MODEL102]
NAME=Single
LEVEL=1
CHILDCNT=1
CHILDTYPELIST=110
SUBPROVCLASS=48
[MODEL110]
NAME=Line Shelf
LEVEL=2
CHILDCNT=3
CHILDTYPELIST=2147483647,2147483647,2147483647
SUBPROVCLASS=1/6,1/6,2/7
[MODEL112]
NAME=Fan Shelf
LEVEL=2
CHILDCNT=1
CHILDTYPELIST=2147483647
SUBPROVCLASS=4
)";

class XdslSlotSelectionDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReplaceEntityModels(LoadEntityModelSetFromText(kModels, "", "").models);
        LoadProgramStrings();
        AppData().Reset();
        AppData().role = kRoleUser;
        ClearUserRights();
        for (uint32_t model : {100u, 101u, 102u}) {
            CNeRecord ne;
            ne.neId = model;
            ne.neModelId = model;
            ne.name = "NE-" + std::to_string(model);
            ne.address = {10, 0, 1, static_cast<uint8_t>(model)};
            CNeRecord* added = nullptr;
            ASSERT_EQ(AppData().nes.AddNe(ne, &added), NeResult::kOk);
            added->BuildEntityTree();
        }
    }
    void TearDown() override
    {
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    // Opens the selection on the NE with the target index; `work` then acts in it and gives the result to end with.
    int Run(uint32_t neId, const CEntityIndex& start, const std::function<int(Dlg&)>& work)
    {
        const CEntityId target(&start);
        dlg_.SetTarget(static_cast<int>(neId), &target);
        runner_.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dlg_.IsFirstShowDone(); }));
            return work(dlg_);
        });
        return dlg_.DoModal();
    }
    static QComboBox& Combo(Dlg& dlg, int id) { return *dlg.GetDlgItemAs<QComboBox>(id); }
    // The operator steps the combo's choice with the keyboard, as its selection change reaches the dialog.
    static void Press(Dlg& dlg, int id, Qt::Key key) { QTest::keyClick(&Combo(dlg, id), key); }

    ScriptedModalRunner runner_;
    Dlg dlg_;
};

TEST_F(XdslSlotSelectionDlgTest, AnNeOfTwoShelvesKeepsTheShelfChoosableWhenOnlyOneIsOffered)
{
    Run(100, CEntityIndex::FromLevels(1, 1, 2), [](Dlg& dlg) {
        EXPECT_EQ(Combo(dlg, Dlg::kShelfComboId).count(), 1);
        EXPECT_TRUE(dlg.IsControlEnabled(Dlg::kShelfComboId)) << "the NE has two shelves";
        EXPECT_EQ(Combo(dlg, Dlg::kSlotComboId).currentText(), QStringLiteral("2"));
        return IDCANCEL;
    });
}

TEST_F(XdslSlotSelectionDlgTest, ASingleShelfNeShowsItsOnlyShelfDisabled)
{
    EXPECT_EQ(Run(102, CEntityIndex::FromLevels(1), [](Dlg& dlg) {
                  QComboBox& shelves = Combo(dlg, Dlg::kShelfComboId);
                  EXPECT_FALSE(dlg.IsControlEnabled(Dlg::kShelfComboId));
                  EXPECT_EQ(shelves.currentIndex(), 0);
                  EXPECT_EQ(shelves.currentText(), QStringLiteral("1"));
                  QComboBox& cards = Combo(dlg, Dlg::kSlotComboId);
                  EXPECT_EQ(cards.count(), 2) << "the line-card slots, not the trunk slot";
                  EXPECT_EQ(cards.currentIndex(), 0);
                  dlg.OnOK();
                  return IDCANCEL;
              }),
              IDOK);
    EXPECT_EQ(dlg_.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 1));
}

TEST_F(XdslSlotSelectionDlgTest, AShelfChangeRefillsTheSlotsAndOkNeedsASlot)
{
    EXPECT_EQ(Run(101, CEntityIndex::FromLevels(1, 1, 2), [](Dlg& dlg) {
                  EXPECT_TRUE(dlg.IsControlEnabled(Dlg::kShelfComboId));
                  EXPECT_EQ(Combo(dlg, Dlg::kShelfComboId).currentText(), QStringLiteral("1"));
                  EXPECT_EQ(Combo(dlg, Dlg::kSlotComboId).currentText(), QStringLiteral("2"));
                  // The fan shelf has no line-card slot.
                  Press(dlg, Dlg::kShelfComboId, Qt::Key_Down);
                  EXPECT_EQ(Combo(dlg, Dlg::kShelfComboId).currentText(), QStringLiteral("2"));
                  EXPECT_EQ(Combo(dlg, Dlg::kSlotComboId).count(), 0);
                  dlg.OnOK();
                  EXPECT_FALSE(dlg.IsEnded());
                  EXPECT_EQ(dlg.GetMessageText(), QStringLiteral("Please select one item"));
                  EXPECT_EQ(dlg.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 2)) << "unchanged";
                  // Back on the line shelf: its slots again.
                  Press(dlg, Dlg::kShelfComboId, Qt::Key_Up);
                  EXPECT_EQ(Combo(dlg, Dlg::kSlotComboId).count(), 2);
                  Press(dlg, Dlg::kSlotComboId, Qt::Key_End);
                  dlg.OnOK();
                  return IDCANCEL;
              }),
              IDOK);
    EXPECT_EQ(dlg_.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 2));
    EXPECT_EQ(dlg_.GetNeId(), 101);
}

TEST_F(XdslSlotSelectionDlgTest, CancelLeavesTheTargetAsItWas)
{
    EXPECT_EQ(Run(101, CEntityIndex::FromLevels(1, 1, 1), [](Dlg& dlg) {
                  Press(dlg, Dlg::kSlotComboId, Qt::Key_Down);
                  EXPECT_EQ(Combo(dlg, Dlg::kSlotComboId).currentText(), QStringLiteral("2"));
                  return IDCANCEL;
              }),
              IDCANCEL);
    EXPECT_EQ(dlg_.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 1));
}

} // namespace
