// The multicast channel fast provisioning as it opens on NEs of made-up models: the shelf combos stay choosable as
// long as the NE has two shelves, even when they offer only one; a single-shelf NE shows both on its only shelf,
// disabled; the Type combo names the line-card models that suit the NE by their names, and without one the dialog
// closes with "Unknown entity type". No server answers here: the profile query fails and leaves the profiles empty.

#include "tests/features/provisioning/made_up_nes.h"

#include "core/tables/access_rights.h"
#include "core/tables/user_account.h"
#include "features/provisioning/multicast/mc_fast_prov_dlg.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

namespace {

using Dlg = CMcFastProvDlg;
using namespace made_up;

class McFastProvDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        InstallMadeUpNes();
        AppData().role = kRoleUser;
        std::string rights(127, '-');
        rights[kRightMcFastProvisioning] = 'q';
        SetUserRights(kRoleUser, rights.c_str());
    }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    // Opens the dialog on the NE's first slot; `work` acts in it once it is shown. The dialog's result.
    int Open(uint32_t neId, const std::function<void(Dlg&)>& work)
    {
        return RunFromOpener<Dlg>(
            runner_, opener_,
            [neId](Dlg& dlg) {
                const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 1);
                const CEntityId target(&slot);
                dlg.SetTarget(static_cast<int>(neId), &target);
            },
            work);
    }
    static QComboBox& Combo(Dlg& dlg, int id) { return *dlg.GetDlgItemAs<QComboBox>(id); }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
    CTestDlg opener_;
};

TEST_F(McFastProvDlgTest, AnNeOfTwoShelvesKeepsBothShelfCombosChoosable)
{
    bool shown = false;
    Open(kCabinetNe, [&](Dlg& dlg) {
        shown = true;
        for (int id : {Dlg::kShelfFromId, Dlg::kShelfToId}) {
            SCOPED_TRACE(id);
            EXPECT_EQ(Combo(dlg, id).count(), 1);
            EXPECT_TRUE(dlg.IsControlEnabled(id)) << "the NE has two shelves";
        }
    });
    EXPECT_TRUE(shown);
}

TEST_F(McFastProvDlgTest, ASingleShelfNeShowsBothShelfCombosOnItsShelfDisabled)
{
    bool shown = false;
    Open(kSingleNe, [&](Dlg& dlg) {
        shown = true;
        for (int id : {Dlg::kShelfFromId, Dlg::kShelfToId}) {
            SCOPED_TRACE(id);
            EXPECT_FALSE(dlg.IsControlEnabled(id));
            EXPECT_EQ(Combo(dlg, id).currentIndex(), 0);
        }
        EXPECT_EQ(Combo(dlg, Dlg::kSlotFromId).currentText(), QStringLiteral("1"));
        EXPECT_TRUE(dlg.IsControlEnabled(Dlg::kListId));
    });
    EXPECT_TRUE(shown);
}

TEST_F(McFastProvDlgTest, TypeNamesTheLineCardModelsOfTheNe)
{
    for (const auto& [ne, name, model] :
         {std::tuple{kCabinetNe, "ALC-T", kCabinetCard}, std::tuple{kSingleNe, "ALC-U", kSingleCard}}) {
        SCOPED_TRACE(ne);
        bool shown = false;
        Open(ne, [&](Dlg& dlg) {
            shown = true;
            QComboBox& type = Combo(dlg, Dlg::kTypeId);
            ASSERT_EQ(type.count(), 1);
            EXPECT_EQ(type.itemText(0).toStdString(), name) << "by the name alone";
            EXPECT_EQ(type.itemData(0).value<quint32>(), model);
            EXPECT_EQ(type.currentIndex(), 0);
        });
        EXPECT_TRUE(shown);
    }
}

TEST_F(McFastProvDlgTest, ListNeedsATypeAndThenAProfile)
{
    bool shown = false;
    Open(kSingleNe, [&](Dlg& dlg) {
        shown = true;
        Combo(dlg, Dlg::kTypeId).setCurrentIndex(-1);
        dlg.OnCommandHook(Dlg::kListId, BN_CLICKED);
        EXPECT_EQ(dlg.GetMessageText(), QStringLiteral("Please select one item"));
        EXPECT_EQ(dlg.GetMarkedControl(1), Dlg::kTypeId);
        // With the type, the profile the server did not give is missing.
        Combo(dlg, Dlg::kTypeId).setCurrentIndex(0);
        dlg.OnCommandHook(Dlg::kListId, BN_CLICKED);
        EXPECT_EQ(dlg.GetMessageText(), QStringLiteral("Please select one item"));
        EXPECT_EQ(dlg.ProfilePage().GetMarkedControl(1), CMcProfilePage::kProfileId);
        EXPECT_FALSE(dlg.IsEnded());
    });
    EXPECT_TRUE(shown);
}

TEST_F(McFastProvDlgTest, AnNeWithoutALineCardModelGetsNoDialog)
{
    bool shown = false;
    EXPECT_EQ(Open(kBareNe, [&](Dlg&) { shown = true; }), IDCANCEL);
    EXPECT_FALSE(shown);
    EXPECT_EQ(opener_.GetMessageText(), QStringLiteral("Unknown entity type"));
}

} // namespace
