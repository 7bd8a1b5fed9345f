// The command routes that choose: by the selection, the link mode and the NE's state; a registered dialog runs in
// place of the "not available" message. Commands from the running program's menus reaching their handlers are tested
// end to end (tests/e2e/frame_commands_e2e_test.cpp).

#include "tests/ui/shell/routing/routing_test_support.h"

#include "platform/scripted_runners.h"

using namespace frame_test;
using namespace routing_test;

namespace {

constexpr uint32_t kNe = 7;
constexpr uint32_t kLocation = 5;

class RoutingTableTest : public ::testing::Test {
protected:
    RoutingTableTest()
    {
        DeclareProgramCommands();
        AddTestNe({.id = kNe, .name = "Seven", .location = kLocation});
        GrantAll(kRoleAdministrator);
        host_.neId = kNe;
        host_.locationId = kLocation;
        host_.index = CEntityIndex::FromLevels(1, 1, 2); // a slot
        host_.keyText = "bob";
    }

    ScopedModels models_;
    ScopedWorkDir work_;
    FakeRouteHost host_;
    RecordingServices services_;
    DialogRecorder dialogs_;
    CCommandRouter router_{host_, services_.Make()};
};

// A dialog that exists runs instead of the message.
TEST_F(RoutingTableTest, ARegisteredDialogRunsWithItsRequest)
{
    SetRouteDialogInterceptor({});
    ScriptedMessageBoxes boxes;
    std::vector<DialogRequest> ran;
    RegisterRouteDialog("CUserOnlineListDlg", [&ran](DialogRequest& request) {
        ran.push_back(request);
        return 1;
    });
    router_.Route(33113);
    RegisterRouteDialog("CUserOnlineListDlg", {});
    ASSERT_EQ(ran.size(), 1U);
    EXPECT_EQ(ran[0].className, "CUserOnlineListDlg");
    EXPECT_TRUE(boxes.Requests().empty());
    EXPECT_FALSE(HasRouteDialog("CUserOnlineListDlg"));
}

TEST_F(RoutingTableTest, PortCommandsOpenThePortDialogWhenAPortIsSelected)
{
    struct Row {
        int id;
        const char* portDialog;
        int mode;
    };
    const Row rows[] = {{33076, "CAdslCurrentPmDlg", 1}, {33184, "CXdslSeltDlg", 7}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        for (const CEntityIndex& index :
             {CEntityIndex::FromLevels(1, 1, 2, 3), CEntityIndex::FromLevels(1, 1), CEntityIndex{}}) {
            host_.index = index;
            dialogs_.opened.clear();
            router_.Route(row.id);
            ASSERT_EQ(dialogs_.opened.size(), 1U);
            const DialogRequest& opened = dialogs_.opened[0];
            if (index.GetLevel() == 4) {
                EXPECT_EQ(opened.className, row.portDialog);
                EXPECT_EQ(opened.portSelMode, -1);
            } else {
                EXPECT_EQ(opened.className, kPortSelectionDlg);
                EXPECT_EQ(opened.portSelMode, row.mode);
            }
            // NE+entity: the NE itself when nothing below it is selected.
            EXPECT_EQ(opened.entity.id, index.IsEmpty() ? 1U : CEntityId(&index).id);
        }
    }
}

TEST_F(RoutingTableTest, PacketFilterAsksForASlotUnlessOneIsSelected)
{
    host_.index = CEntityIndex::FromLevels(1, 1);
    // Cancelled: nothing more opens.
    router_.Route(33215);
    ASSERT_EQ(dialogs_.opened.size(), 1U);
    EXPECT_EQ(dialogs_.opened[0].className, kSlotSelectionDlg);
    EXPECT_EQ(dialogs_.opened[0].entity.id, CEntityId(&host_.index).id);

    // OK with a chosen slot: the filter dialog gets it.
    dialogs_.opened.clear();
    const CEntityIndex chosen = CEntityIndex::FromLevels(1, 1, 3);
    dialogs_.results.push_back({1, chosen});
    router_.Route(33216);
    ASSERT_EQ(dialogs_.opened.size(), 2U);
    EXPECT_EQ(dialogs_.opened[1].className, "CXdslPktFilterGroupDlg");
    EXPECT_EQ(dialogs_.opened[1].entity.id, CEntityId(&chosen).id);
    EXPECT_EQ(dialogs_.opened[1].accessMode, kAccessModify);
    EXPECT_EQ(dialogs_.opened[1].neId, kNe);
}

TEST_F(RoutingTableTest, LinkModeChoosesTheClass)
{
    struct Row {
        int id;
        bool direct;
        const char* className;
        int activeHistory;
    };
    const Row rows[] = {
        {33034, true, "CHistoryAlarmListDlg", -1},      {33034, false, "CAlarmCriteriaDlg", 0},
        {33001, true, "CNeConfigBackupRestoreDlg", -1}, {33001, false, "CNeConfigBackupListDlg", -1},
        {33044, true, "CNeFwUpgradeBackupDlg", -1},     {33044, false, "CNeFwUpgradeDlg", -1},
        {33197, true, "CNeShdslFwUpgradeDlg", -1},      {33197, false, "CNeFwUpgradeDlg", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        host_.direct = row.direct;
        dialogs_.opened.clear();
        router_.Route(row.id);
        ASSERT_EQ(dialogs_.opened.size(), 1U);
        EXPECT_EQ(dialogs_.opened[0].className, row.className);
        EXPECT_EQ(dialogs_.opened[0].activeHistory, row.activeHistory);
    }
}

TEST_F(RoutingTableTest, LocationActiveAlarmTargetsOnlyAReachableNeAsPlanned)
{
    AddTestNe({.id = 20, .name = "Planned", .planned = true});
    AddTestNe({.id = 21, .name = "Down", .connected = false});
    AddTestNe({.id = 22, .name = "Mismatch", .mismatch = true});
    struct Row {
        uint32_t ne;
        bool targeted;
    };
    for (const Row& row : {Row{kNe, true}, Row{20, false}, Row{21, false}, Row{22, false}, Row{99, false}}) {
        SCOPED_TRACE(row.ne);
        host_.neId = row.ne;
        dialogs_.opened.clear();
        router_.Route(33030);
        ASSERT_EQ(dialogs_.opened.size(), 1U);
        EXPECT_EQ(dialogs_.opened[0].className, "CAlarmCriteriaDlg");
        EXPECT_EQ(dialogs_.opened[0].activeHistory, 1);
        EXPECT_EQ(dialogs_.opened[0].hasTarget, row.targeted);
        EXPECT_FALSE(dialogs_.opened[0].hasEntity);
        EXPECT_EQ(dialogs_.opened[0].locationId, kLocation);
    }
}

} // namespace
