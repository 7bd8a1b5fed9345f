// The xDSL slot selection on NEs of made-up models: the shelf combo stays choosable as long as the NE has two shelves,
// even when it offers only one; a single-shelf NE shows its only shelf disabled; a shelf change refills the slots,
// OK needs a shelf and a slot and sets the target to the slot, Cancel leaves the target as it was. No right is asked
// of the operator (the opening command has checked it).

#include "tests/features/provisioning/made_up_nes.h"

#include "core/tables/access_rights.h"
#include "core/tables/user_account.h"
#include "features/provisioning/slot_selection/xdsl_slot_selection_dlg.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Dlg = CXdslSlotSelectionDlg;
using namespace made_up;

class XdslSlotSelectionDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        InstallMadeUpNes();
        AppData().role = kRoleUser;
        ClearUserRights();
    }
    void TearDown() override
    {
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    // Opens the selection on the NE with the target index; `work` then acts in it. The dialog's result.
    int Run(uint32_t neId, const CEntityIndex& start, const std::function<void(Dlg&)>& work)
    {
        return RunFromOpener<Dlg>(
            runner_, opener_,
            [&](Dlg& dlg) {
                const CEntityId target(&start);
                dlg.SetTarget(static_cast<int>(neId), &target);
            },
            work);
    }
    static QComboBox& Combo(Dlg& dlg, int id) { return *dlg.GetDlgItemAs<QComboBox>(id); }
    // The operator steps the combo's choice with the keyboard, as its selection change reaches the dialog.
    static void Press(Dlg& dlg, int id, Qt::Key key) { QTest::keyClick(&Combo(dlg, id), key); }

    ScriptedModalRunner runner_;
    CTestDlg opener_;
};

TEST_F(XdslSlotSelectionDlgTest, AnNeOfTwoShelvesKeepsTheShelfChoosableWhenOnlyOneIsOffered)
{
    bool shown = false;
    Run(kCabinetNe, CEntityIndex::FromLevels(1, 1, 2), [&](Dlg& dlg) {
        shown = true;
        EXPECT_EQ(Combo(dlg, Dlg::kShelfComboId).count(), 1);
        EXPECT_TRUE(dlg.IsControlEnabled(Dlg::kShelfComboId)) << "the NE has two shelves";
        EXPECT_EQ(Combo(dlg, Dlg::kSlotComboId).currentText(), QStringLiteral("2"));
    });
    EXPECT_TRUE(shown);
}

TEST_F(XdslSlotSelectionDlgTest, ASingleShelfNeShowsItsOnlyShelfDisabled)
{
    EXPECT_EQ(Run(kSingleNe, CEntityIndex::FromLevels(1),
                  [](Dlg& dlg) {
                      QComboBox& shelves = Combo(dlg, Dlg::kShelfComboId);
                      EXPECT_FALSE(dlg.IsControlEnabled(Dlg::kShelfComboId));
                      EXPECT_EQ(shelves.currentIndex(), 0);
                      EXPECT_EQ(shelves.currentText(), QStringLiteral("1"));
                      QComboBox& cards = Combo(dlg, Dlg::kSlotComboId);
                      EXPECT_EQ(cards.count(), 2) << "the line-card slots, not the trunk slot";
                      EXPECT_EQ(cards.currentIndex(), 0);
                      dlg.OnOK();
                      EXPECT_TRUE(dlg.IsEnded());
                      EXPECT_EQ(dlg.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 1));
                  }),
              IDOK);
}

TEST_F(XdslSlotSelectionDlgTest, AShelfChangeRefillsTheSlotsAndOkNeedsASlot)
{
    EXPECT_EQ(Run(kPairNe, CEntityIndex::FromLevels(1, 1, 2),
                  [](Dlg& dlg) {
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
                      EXPECT_EQ(dlg.GetMarkedControl(1), Dlg::kSlotComboId) << "the alert is at the slot combo";
                      EXPECT_EQ(dlg.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 2)) << "unchanged";
                      // Back on the line shelf: its slots again.
                      Press(dlg, Dlg::kShelfComboId, Qt::Key_Up);
                      EXPECT_EQ(Combo(dlg, Dlg::kSlotComboId).count(), 2);
                      Press(dlg, Dlg::kSlotComboId, Qt::Key_End);
                      dlg.OnOK();
                      EXPECT_TRUE(dlg.IsEnded());
                      EXPECT_EQ(dlg.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 2));
                      EXPECT_EQ(dlg.GetNeId(), static_cast<int>(kPairNe));
                  }),
              IDOK);
}

TEST_F(XdslSlotSelectionDlgTest, CancelLeavesTheTargetAsItWas)
{
    EXPECT_EQ(Run(kPairNe, CEntityIndex::FromLevels(1, 1, 1),
                  [](Dlg& dlg) {
                      Press(dlg, Dlg::kSlotComboId, Qt::Key_Down);
                      EXPECT_EQ(Combo(dlg, Dlg::kSlotComboId).currentText(), QStringLiteral("2"));
                      dlg.OnCancel();
                      EXPECT_TRUE(dlg.IsEnded());
                      EXPECT_EQ(dlg.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 1));
                  }),
              IDCANCEL);
}

} // namespace
