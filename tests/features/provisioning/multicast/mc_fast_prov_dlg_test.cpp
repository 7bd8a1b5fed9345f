// The multicast channel fast provisioning as it opens on NEs of made-up models: the shelf combos stay choosable as
// long as the NE has two shelves, even when they offer only one; a single-shelf NE shows both on its only shelf,
// disabled; the Type combo names the line-card models that suit the NE by their names, and without one the dialog
// closes with "Unknown entity type". No server answers here: the profile query fails and leaves the profiles empty.

#include "tests/ui/framework/framework_test_support.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/tables/user_account.h"
#include "features/provisioning/multicast/mc_fast_prov_dlg.h"
#include "platform/scripted_runners.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

namespace {

using Dlg = CMcFastProvDlg;

// NE 100: two shelves, the second in a position that takes no shelf the combos offer. NE 101: one shelf. NE 102:
// one shelf and no line-card model. The line card ALC-T suits NE 100, ALC-U NE 101.
constexpr const char* kModels = R"(
[SYSTEM]
MAXENTITYLEVEL1=1
MAXENTITYLEVEL2=2
MAXENTITYLEVEL3=26
MAXENTITYLEVEL4=48
[MODEL100]
NAME=Cabinet
LEVEL=1
CHILDCNT=2
CHILDTYPELIST=110,110
SUBPROVCLASS=48,50
[MODEL101]
NAME=Single
LEVEL=1
CHILDCNT=1
CHILDTYPELIST=110
SUBPROVCLASS=48
[MODEL102]
NAME=Bare
LEVEL=1
CHILDCNT=1
CHILDTYPELIST=110
SUBPROVCLASS=48
[MODEL110]
NAME=Line Shelf
LEVEL=2
CHILDCNT=2
CHILDTYPELIST=2147483647,2147483647
SUBPROVCLASS=1/9,1/9
[MODEL130]
NAME=ALC-T
NOTE=test card
LEVEL=3
NEMODEL=100
PROVCLASS=9
CHILDCNT=2
CHILDTYPELIST=151,151
SUBPROVCLASS=64,64
[MODEL131]
NAME=ALC-U
NOTE=test card
LEVEL=3
NEMODEL=101
PROVCLASS=9
CHILDCNT=2
CHILDTYPELIST=151,151
SUBPROVCLASS=64,64
[MODEL151]
NAME=Port
LEVEL=4
PROVCLASS=64
)";

class McFastProvDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReplaceEntityModels(LoadEntityModelSetFromText(kModels, "", "").models);
        LoadProgramStrings();
        AppData().Reset();
        AppData().role = kRoleUser;
        std::string rights(127, '-');
        rights[kRightMcFastProvisioning] = 'q';
        SetUserRights(kRoleUser, rights.c_str());
        for (uint32_t model : {100u, 101u, 102u}) {
            CNeRecord ne;
            ne.neId = model;
            ne.neModelId = model;
            ne.name = "NE-" + std::to_string(model);
            ne.address = {10, 0, 2, static_cast<uint8_t>(model)};
            CNeRecord* added = nullptr;
            ASSERT_EQ(AppData().nes.AddNe(ne, &added), NeResult::kOk);
            added->BuildEntityTree();
        }
    }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    // Opens the dialog on the NE's first slot from an opener; `work` acts in it once it is shown. The dialog's result.
    int Open(uint32_t neId, const std::function<void(Dlg&)>& work)
    {
        int result = 0;
        runner_.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return opener_.IsFirstShowDone(); }));
            Dlg dlg(&opener_);
            const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 1);
            const CEntityId target(&slot);
            dlg.SetTarget(static_cast<int>(neId), &target);
            runner_.Push([&](QDialog&) {
                EXPECT_TRUE(PumpUntil([&] { return dlg.IsFirstShowDone() || dlg.IsEnded(); }));
                if (!dlg.IsEnded())
                    work(dlg);
                return IDCANCEL;
            });
            result = dlg.DoModal();
            return IDOK;
        });
        opener_.DoModal();
        return result;
    }
    static QComboBox& Combo(Dlg& dlg, int id) { return *dlg.GetDlgItemAs<QComboBox>(id); }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
    CTestDlg opener_;
};

TEST_F(McFastProvDlgTest, AnNeOfTwoShelvesKeepsBothShelfCombosChoosable)
{
    bool shown = false;
    Open(100, [&](Dlg& dlg) {
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
    Open(101, [&](Dlg& dlg) {
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
    for (const auto& [ne, name, model] : {std::tuple{100u, "ALC-T", 130u}, std::tuple{101u, "ALC-U", 131u}}) {
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

TEST_F(McFastProvDlgTest, AnNeWithoutALineCardModelGetsNoDialog)
{
    bool shown = false;
    EXPECT_EQ(Open(102, [&](Dlg&) { shown = true; }), IDCANCEL);
    EXPECT_FALSE(shown);
    EXPECT_EQ(opener_.GetMessageText(), QStringLiteral("Unknown entity type"));
}

} // namespace
