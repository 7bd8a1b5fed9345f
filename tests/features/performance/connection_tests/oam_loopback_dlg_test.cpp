// The OAM loopback test addresses a port on a shelf whose model delegates a slot to another through the delegate
// slot, whoever opens it; the PVC comes from its opener.

#include "tarvik_test_paths.h"
#include "tests/platform/qt_test_app.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "features/performance/connection_tests/oam_loopback_dlg.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/dialog_registry.h"

#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <string>

namespace {

class OamLoopbackDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
        AppData().Reset();
        // An IPD-48, whose main shelf's second control module slot (22) stands for the first (21).
        CNeRecord ne;
        ne.neId = 4;
        ne.neModelId = 4;
        ne.name = "South-1";
        ne.address = {10, 0, 0, 4};
        CNeRecord* added = nullptr;
        ASSERT_EQ(AppData().nes.AddNe(ne, &added), NeResult::kOk);
        added->BuildEntityTree();
    }
    void TearDown() override { AppData().Reset(); }
};

TEST_F(OamLoopbackDlgTest, PortOfADelegatedSlotIsAddressedThroughItsDelegate)
{
    struct Row {
        uint32_t target;
        uint32_t addressed;
    };
    for (const Row& row : {Row{12201, 12101}, Row{10305, 10305}, Row{12101, 12101}}) {
        COamLoopbackDlg dialog;
        DialogRequest request;
        request.hasTarget = request.hasEntity = true;
        request.neId = 4;
        request.entity = CEntityId(row.target);
        ApplyDialogRequest(dialog, request);
        EXPECT_EQ(dialog.GetNeId(), 4);
        EXPECT_EQ(dialog.GetTargetEntity().id, row.addressed) << row.target;
    }
}

// Opened without a PVC from its opener, the test shows VPI 1, VCI 0 and the segment loopback.
TEST_F(OamLoopbackDlgTest, WithoutAPvcItOpensOnVpi1AndVci0AndASegmentLoopback)
{
    COamLoopbackDlg dialog;
    DialogRequest request;
    request.hasTarget = request.hasEntity = true;
    request.neId = 4;
    request.entity = CEntityId(10305);
    ApplyDialogRequest(dialog, request);
    ScriptedModalRunner runner;
    runner.Push([](QDialog& shown) {
        auto& d = static_cast<COamLoopbackDlg&>(shown);
        EXPECT_TRUE(PumpUntil([&] { return d.IsFirstShowDone(); }));
        EXPECT_EQ(d.GetDlgItemAs<QLabel>(COamLoopbackDlg::kVpiId)->text(), QStringLiteral("1"));
        EXPECT_EQ(d.GetDlgItemAs<QLabel>(COamLoopbackDlg::kVciId)->text(), QStringLiteral("0"));
        EXPECT_TRUE(d.GetDlgItemAs<QRadioButton>(COamLoopbackDlg::kSegmentId)->isChecked());
        return IDCANCEL;
    });
    dialog.DoModal();
    EXPECT_EQ(runner.Runs().size(), 1);
}

} // namespace
