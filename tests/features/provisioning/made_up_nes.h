#pragma once
// NEs of made-up entity models for the tests of the dialogs that pick shelves and slots, and a run of a dialog from
// an opener dialog as a command opens it:
//
//     InstallMadeUpNes();                                    // the models installed, the NEs in the NE table
//     RunFromOpener<CSomeDlg>(runner, opener, [](CSomeDlg& d) { d.SetTarget(...); }, [](CSomeDlg& d) { ... });
//
// or a fixture that does both for a dialog and the right it asks for:
//
//     class SomeTest : public CMadeUpNeDlgTest<CSomeDlg, kRightSome> {};
//     EXPECT_TRUE(OpenOn(made_up::kSingleNe, slot, kAccessCreate, [](CSomeDlg& d) { ... }));

#include "tests/ui/framework/framework_test_support.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/tables/user_account.h"
#include "platform/scripted_runners.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace made_up {

// Two shelves, the second in a position that takes no shelf class (the shelf combos do not offer it).
inline constexpr uint32_t kCabinetNe = 100;
// Two shelves, the second holding only a fan.
inline constexpr uint32_t kPairNe = 101;
// One shelf.
inline constexpr uint32_t kSingleNe = 102;
// One shelf, and no line-card model made for its model.
inline constexpr uint32_t kBareNe = 103;
// The line-card models made for the Cabinet and the Single; each has a note.
inline constexpr uint32_t kCabinetCard = 130;
inline constexpr uint32_t kSingleCard = 131;

// A line shelf has line-card slots 1 and 2 and a trunk slot 3. Each NE's id is its model's.
inline constexpr const char* kModels = R"(
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
[MODEL103]
NAME=Bare
LEVEL=1
CHILDCNT=1
CHILDTYPELIST=110
SUBPROVCLASS=48
[MODEL110]
NAME=Line Shelf
LEVEL=2
CHILDCNT=3
CHILDTYPELIST=2147483647,2147483647,2147483647
SUBPROVCLASS=1/6/9,1/6/9,2/7
[MODEL112]
NAME=Fan Shelf
LEVEL=2
CHILDCNT=1
CHILDTYPELIST=2147483647
SUBPROVCLASS=4
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
NEMODEL=102
PROVCLASS=9
CHILDCNT=2
CHILDTYPELIST=151,151
SUBPROVCLASS=64,64
[MODEL151]
NAME=Port
LEVEL=4
PROVCLASS=64
)";

// The models installed in place of the program's, and one NE of each NE model in the (reset) NE table.
inline void InstallMadeUpNes()
{
    ReplaceEntityModels(LoadEntityModelSetFromText(kModels, "", "").models);
    AppData().Reset();
    for (uint32_t model : {kCabinetNe, kPairNe, kSingleNe, kBareNe}) {
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

} // namespace made_up

// Runs a dialog from `opener`, its parent: `setUp` prepares it before it opens, `work` acts in it once it is shown
// (not when it closed while opening). The dialog's result; a text it closed with stays on the opener's message line.
template <typename Dlg>
int RunFromOpener(ScriptedModalRunner& runner, CTestDlg& opener, const std::function<void(Dlg&)>& setUp,
                  const std::function<void(Dlg&)>& work)
{
    int result = 0;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return opener.IsFirstShowDone(); }));
        Dlg dialog(&opener);
        setUp(dialog);
        runner.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone() || dialog.IsEnded(); }));
            if (!dialog.IsEnded())
                work(dialog);
            return IDCANCEL;
        });
        result = dialog.DoModal();
        return IDOK;
    });
    opener.DoModal();
    return result;
}

// A test of `Dlg` on the made-up NEs, its operator a user who holds the right `kRight` in full and no other; no server
// answers, so the dialog's queries fail.
template <typename Dlg, int kRight> class CMadeUpNeDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        made_up::InstallMadeUpNes();
        AppData().role = kRoleUser;
        std::string rights(kRightsFunctionCount, '-');
        rights[kRight] = 'a';
        SetUserRights(kRoleUser, rights.c_str());
    }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    // Opens the dialog in `mode` on the NE's `target`; `work` acts in it once it is shown. Whether it was.
    bool OpenOn(uint32_t neId, const CEntityIndex& target, uint8_t mode, const std::function<void(Dlg&)>& work)
    {
        bool shown = false;
        RunFromOpener<Dlg>(
            runner_, opener_,
            [&](Dlg& dlg) {
                const CEntityId entity(&target);
                dlg.SetTarget(static_cast<int>(neId), &entity);
                dlg.SetAccessMode(mode);
            },
            [&](Dlg& dlg) {
                shown = true;
                work(dlg);
            });
        return shown;
    }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
    CTestDlg opener_;
};
