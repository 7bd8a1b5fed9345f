// The port selection opens the function's dialog by the mode it was opened in and the kind of port chosen, on the
// NE and port chosen, and stays open; a function an SHDSL port has not is refused on the message line.

#include "tarvik_test_paths.h"
#include "tests/platform/qt_test_app.h"
#include "tests/ui/shell/app/app_test_support.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_node.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "features/performance/port_selection/xdsl_port_sel_dlg.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/messages/string_table.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kAdslMenuClass = 12;
constexpr int kShdslMenuClass = 29;

TEST(XdslPortSelDlgTest, TheDialogOfEachModeForEachKindOfPort)
{
    const std::vector<std::pair<std::string, std::string>> wanted = {{"CAdslCurrentPmDlg", "CShdslCurPmDlg"},
                                                                     {"CAdslHistoryPmDlg", "CShdslHisPmDlg"},
                                                                     {"CAdslRateStatusDlg", "CShdslRateStatusDlg"},
                                                                     {"CXdslBitsAllocationDlg", ""},
                                                                     {"CXdslLoopMonitoringDlg", ""},
                                                                     {"CXdslLoopDiagnosisDlg", ""},
                                                                     {"CXdslSeltDlg", ""}};
    for (int mode = 1; mode <= 7; ++mode) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(CXdslPortSelDlg::DialogForPort(mode, kAdslMenuClass), wanted[static_cast<size_t>(mode - 1)].first);
        EXPECT_EQ(CXdslPortSelDlg::DialogForPort(mode, kShdslMenuClass), wanted[static_cast<size_t>(mode - 1)].second);
        EXPECT_EQ(CXdslPortSelDlg::DialogForPort(mode, 9), "") << "a line card is no port";
    }
    EXPECT_EQ(CXdslPortSelDlg::DialogForPort(0, kAdslMenuClass), "");
    EXPECT_EQ(CXdslPortSelDlg::DialogForPort(8, kAdslMenuClass), "");
}

// An administrator's IPD-12 with an ADSL card in slot 1 and an SHDSL card in slot 2, connected and as planned.
class XdslPortSelDlgQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
        LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
        AppData().Reset();
        AppData().role = 0;
        SetUserRights(0, std::string(127, 'a').c_str());
        CNeRecord ne;
        ne.neId = 7;
        ne.neModelId = 2;
        ne.name = "North-1";
        ne.address = {10, 0, 0, 7};
        CNeRecord* added = nullptr;
        ASSERT_EQ(AppData().nes.AddNe(ne, &added), NeResult::kOk);
        added->BuildEntityTree();
        added->root->SetTypeById(10100, 30, 30);
        added->root->SetTypeById(10200, 32, 32);
        // The ports as the NE reports them: ADSL (model 51) and SHDSL (52).
        for (uint32_t port = 1; port <= 24; ++port)
            added->root->SetTypeById(10100 + port, 51, 51);
        for (uint32_t port = 1; port <= 16; ++port)
            added->root->SetTypeById(10200 + port, 52, 52);
        added->root->SetStateBits(0);
        SetRouteDialogInterceptor([this](DialogRequest& request) {
            opened_.push_back(request);
            return IDCANCEL;
        });
    }
    void TearDown() override
    {
        SetRouteDialogInterceptor({});
        ClearUserRights();
        AppData().Reset();
    }

    // Runs the selection in a mode on the NE's slot and port as the router opens it; `work` then acts in it.
    void Run(int mode, unsigned slot, unsigned port, const std::function<void(CXdslPortSelDlg&)>& work)
    {
        CXdslPortSelDlg selection;
        const CEntityId target(EntityIdFromIndex(1, 1, slot, port, 0));
        selection.SetTarget(7, &target);
        selection.SetPortSelMode(mode);
        runner_.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return selection.IsFirstShowDone(); }));
            work(selection);
            return IDCANCEL;
        });
        selection.DoModal();
    }

    ScriptedModalRunner runner_;
    std::vector<DialogRequest> opened_;
};

TEST_F(XdslPortSelDlgQueryTest, QueryOpensTheFunctionOnTheChosenPortAndStays)
{
    Run(1, 1, 5, [&](CXdslPortSelDlg& selection) {
        selection.OnOK();
        ASSERT_EQ(opened_.size(), 1u);
        EXPECT_EQ(opened_[0].className, "CAdslCurrentPmDlg");
        EXPECT_EQ(opened_[0].neId, 7u);
        EXPECT_EQ(opened_[0].entity.id, 10105u) << "the port the target named, chosen by its number";
        EXPECT_FALSE(selection.IsEnded());
    });
    Run(2, 2, 3, [&](CXdslPortSelDlg& selection) {
        selection.OnOK();
        ASSERT_EQ(opened_.size(), 2u);
        EXPECT_EQ(opened_[1].className, "CShdslHisPmDlg");
        EXPECT_EQ(opened_[1].entity.id, 10203u);
    });
}

// An NE in direct mode tells the types of its boards only: the kind of port is the one its line card gives it.
TEST_F(XdslPortSelDlgQueryTest, APortWhoseOwnTypeNobodyToldIsOfItsLineCardsKind)
{
    ASSERT_TRUE(FindNeById(7)->root->SetTypeById(10300, 30, 30));
    ASSERT_EQ(FindNeById(7)->root->GetTypeById(10304), kEntityTypeUnknown);
    Run(1, 3, 4, [&](CXdslPortSelDlg& selection) {
        selection.OnOK();
        EXPECT_EQ(selection.GetMessageText(), QString());
        ASSERT_EQ(opened_.size(), 1u);
        EXPECT_EQ(opened_[0].className, "CAdslCurrentPmDlg");
        EXPECT_EQ(opened_[0].entity.id, 10304u);
    });
}

TEST_F(XdslPortSelDlgQueryTest, AFunctionAnShdslPortHasNotIsRefused)
{
    for (int mode = 4; mode <= 7; ++mode) {
        SCOPED_TRACE(mode);
        Run(mode, 2, 1, [&](CXdslPortSelDlg& selection) {
            selection.OnOK();
            EXPECT_EQ(selection.GetMessageText(), QStringLiteral("Entity type is wrong"));
            EXPECT_FALSE(selection.IsEnded());
        });
    }
    EXPECT_TRUE(opened_.empty());
}

// Query is offered of an NE that is connected and as planned, and of no other.
TEST_F(XdslPortSelDlgQueryTest, QueryIsOfferedOfAConnectedNeAsPlannedOnly)
{
    struct Row {
        const char* ne;
        bool offline;
        uint32_t type; // the NE's own type; it is planned as model 2
        bool offered;
    };
    const Row rows[] = {
        {"connected, as planned", false, 2, true},
        {"not connected", true, 2, false},
        {"of another type than planned", false, 4, false},
        {"planned, of a type nobody told", false, kEntityTypeUnknown, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ne);
        CEntityNode& root = *FindNeById(7)->root;
        root.SetStateBits(row.offline ? 1u << CurrentEntityModels().GetOfflineAlarm() : 0u);
        ASSERT_TRUE(root.SetType(row.type, 2));
        Run(1, 1, 2, [&](CXdslPortSelDlg& selection) { EXPECT_EQ(selection.IsControlEnabled(IDOK), row.offered); });
    }
}

// With the company chosen, the NEs of every location are listed, unless DIALOG/INCLSUBNE (on when absent) is off:
// then only those of no location.
TEST_F(XdslPortSelDlgQueryTest, TheNesBelowTheChosenLocationAreListedUnlessTheSettingIsOff)
{
    const app_test::CWorkDir dir;
    CLocationNode north;
    north.id = 3;
    north.name = "North";
    ASSERT_EQ(AppData().locations.UpsertLocation(north), LocationResult::kOk);
    FindNeById(7)->locationId = 3;
    const std::pair<const char*, QString> rows[] = {{"", QStringLiteral("North-1")},
                                                    {"[DIALOG]\nINCLSUBNE=1\n", QStringLiteral("North-1")},
                                                    {"[DIALOG]\nINCLSUBNE=0\n", QString()}};
    for (const auto& [ini, listed] : rows) {
        SCOPED_TRACE(ini);
        dir.WriteIni(ini);
        Run(1, 0, 0, [&](CXdslPortSelDlg& selection) {
            QStringList names;
            const auto* nes = selection.GetDlgItemAs<QComboBox>(CXdslPortSelDlg::kNeComboId);
            for (int i = 0; i < nes->count(); ++i)
                names << nes->itemText(i);
            EXPECT_EQ(names.join(','), listed);
        });
    }
}

} // namespace
