// The command table and the routes: every command id the frame routes reaches its class or handler with the target,
// location, member, access mode and opener fields of its route, and a class without a dialog yet says so.

#include "tests/ui/routing_test_support.h"

#include "platform/scripted_runners.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/routing/command_table.h"
#include "ui/shell/routing/frame_command_routing.h"

#include <QRegularExpression>

#include <set>

using namespace frame_test;
using namespace routing_test;

namespace {

constexpr uint32_t kNe = 7;
constexpr uint32_t kLocation = 5;

class RoutingTableTest : public ::testing::Test {
protected:
    RoutingTableTest()
    {
        AddTestNe({.id = kNe, .name = "Seven", .location = kLocation});
        GrantAll(kRoleAdministrator);
        host_.neId = kNe;
        host_.locationId = kLocation;
        host_.index = CEntityIndex::FromLevels(1, 1, 2); // a slot
        host_.keyText = "bob";
    }

    // Everything a command left behind.
    size_t Effects() const
    {
        return dialogs_.opened.size() + services_.questions.size() + services_.statuses.size() +
               services_.requests.size() + static_cast<size_t>(services_.cancels) + services_.telnetNes.size() +
               services_.helpFiles.size() + host_.toggled.size() + static_cast<size_t>(host_.pduLogRaised);
    }

    ScopedModels models_;
    ScopedWorkDir work_;
    FakeRouteHost host_;
    RecordingServices services_;
    DialogRecorder dialogs_;
    CCommandRouter router_{host_, services_.Make()};
};

TEST_F(RoutingTableTest, TheTableHoldsEachCommandOnceWithANamedTarget)
{
    std::set<int> ids;
    for (const CommandRoute& route : CommandRoutes()) {
        SCOPED_TRACE(route.id);
        EXPECT_TRUE(ids.insert(route.id).second) << "duplicate id";
        EXPECT_EQ(FindCommandRoute(route.id), &route);
        const QString target = QString::fromLatin1(route.target);
        switch (route.kind) {
        case RouteKind::Dialog:
        case RouteKind::Port:
        case RouteKind::Slot:
        case RouteKind::Mode:
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^C[A-Za-z]+Dlg$")).match(target).hasMatch())
                << target.toStdString();
            break;
        case RouteKind::None:
            EXPECT_TRUE(target.isEmpty());
            break;
        default:
            EXPECT_FALSE(target.isEmpty());
            break;
        }
        if (route.kind == RouteKind::Port) {
            EXPECT_GE(route.portSelMode, 1);
            EXPECT_LE(route.portSelMode, 7);
        }
    }
    EXPECT_EQ(ids.size(), 145U);
    EXPECT_EQ(FindCommandRoute(57636), nullptr); // the tree's own Search
}

TEST_F(RoutingTableTest, EveryCommandGoesItsRoute)
{
    const uint32_t selection = CEntityId(&host_.index).id;
    for (const CommandRoute& route : CommandRoutes()) {
        SCOPED_TRACE(route.id);
        dialogs_.opened.clear();
        services_ = RecordingServices{};
        host_.toggled.clear();
        host_.pduLogRaised = 0;
        CCommandRouter router(host_, services_.Make());
        ASSERT_TRUE(router.Route(route.id));

        if (route.kind == RouteKind::None) {
            EXPECT_EQ(Effects(), 0U);
            continue;
        }
        if (route.id == 33164) { // the trunk port dialog with no port selected does nothing
            EXPECT_EQ(Effects(), 0U);
            continue;
        }
        EXPECT_GT(Effects(), 0U) << "the command points nowhere";

        switch (route.kind) {
        case RouteKind::Dialog: {
            ASSERT_EQ(dialogs_.opened.size(), 1U);
            const DialogRequest& opened = dialogs_.opened[0];
            EXPECT_EQ(opened.className, route.target);
            EXPECT_EQ(opened.hasTarget, route.targetForm != kTargetNone);
            if (route.targetForm != kTargetNone) {
                EXPECT_EQ(opened.neId, kNe);
            }
            EXPECT_EQ(opened.hasEntity, route.targetForm == kTargetNeEntity || route.targetForm == kTargetNeSelection);
            if (opened.hasEntity) {
                EXPECT_EQ(opened.entity.id, selection);
            }
            EXPECT_EQ(opened.hasLocation, route.location);
            if (route.location) {
                EXPECT_EQ(opened.locationId, kLocation);
            }
            EXPECT_EQ(opened.hasUserName, route.member);
            if (route.member) {
                EXPECT_EQ(opened.userName, "bob");
            }
            EXPECT_EQ(opened.accessMode, route.accessMode);
            EXPECT_EQ(opened.templateMode, route.templateMode);
            EXPECT_EQ(opened.profileGroup, route.profileGroup);
            break;
        }
        case RouteKind::Port:
            ASSERT_EQ(dialogs_.opened.size(), 1U);
            EXPECT_EQ(dialogs_.opened[0].className, kPortSelectionDlg);
            EXPECT_EQ(dialogs_.opened[0].portSelMode, route.portSelMode);
            EXPECT_EQ(dialogs_.opened[0].entity.id, selection);
            break;
        case RouteKind::Slot:
            ASSERT_EQ(dialogs_.opened.size(), 1U); // a slot is selected: no slot selection
            EXPECT_EQ(dialogs_.opened[0].className, route.target);
            EXPECT_EQ(dialogs_.opened[0].accessMode, kAccessModify);
            EXPECT_EQ(dialogs_.opened[0].entity.id, selection);
            break;
        case RouteKind::Mode:
        case RouteKind::Check:
            EXPECT_TRUE(dialogs_.opened.size() == 1U || !services_.requests.empty());
            break;
        case RouteKind::Request:
            if (route.id == 33042) {
                EXPECT_EQ(services_.requests.size(), 3U); // Alarm Sync asks nothing
            } else {
                EXPECT_EQ(services_.questions.size(), 1U);
            }
            break;
        case RouteKind::Toggle:
            EXPECT_EQ(host_.toggled, std::vector<int>{route.id});
            break;
        case RouteKind::Window:
            EXPECT_EQ(host_.pduLogRaised, 1);
            break;
        case RouteKind::Stop:
            EXPECT_EQ(services_.cancels, 1);
            break;
        case RouteKind::Outside:
            EXPECT_EQ(services_.telnetNes.size() + services_.helpFiles.size(), 1U);
            break;
        case RouteKind::None:
            break;
        }
    }
    EXPECT_FALSE(router_.Route(12345));
}

TEST_F(RoutingTableTest, ProfileListsDifferOnlyInTheirOpenerFields)
{
    struct Row {
        int id;
        int templateMode;
        int profileGroup;
        bool location;
    };
    const Row rows[] = {{33080, 0, 0, false}, {33081, 0, 1, false}, {33175, 0, 2, false},
                        {33142, 1, 0, true},  {33176, 1, 1, true},  {33174, 1, 2, true}};
    host_.locationId = 0;
    AppData().scopeLocationId = 9; // no current location: the operator's scope
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        dialogs_.opened.clear();
        router_.Route(row.id);
        ASSERT_EQ(dialogs_.opened.size(), 1U);
        const DialogRequest& opened = dialogs_.opened[0];
        EXPECT_EQ(opened.className, "CProfileListDlg");
        EXPECT_EQ(opened.templateMode, row.templateMode);
        EXPECT_EQ(opened.profileGroup, row.profileGroup);
        EXPECT_EQ(opened.hasLocation, row.location);
        if (row.location) {
            EXPECT_EQ(opened.locationId, 9U);
        }
        EXPECT_FALSE(opened.hasEntity);
    }
}

TEST_F(RoutingTableTest, PortCommandsOpenThePortDialogWhenAPortIsSelected)
{
    struct Row {
        int id;
        const char* portDialog;
        int mode;
    };
    const Row rows[] = {{33076, "CAdslCurrentPmDlg", 1},      {33179, "CShdslCurPmDlg", 1},
                        {33078, "CAdslHistoryPmDlg", 2},      {33180, "CShdslHisPmDlg", 2},
                        {33124, "CAdslRateStatusDlg", 3},     {33178, "CShdslRateStatusDlg", 3},
                        {33115, "CXdslBitsAllocationDlg", 4}, {33147, "CXdslLoopMonitoringDlg", 5},
                        {33120, "CXdslLoopDiagnosisDlg", 6},  {33184, "CXdslSeltDlg", 7}};
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

TEST(RoutingNotAvailableTest, AClassWithoutADialogSaysSoAndOneWithADialogRuns)
{
    ScopedWorkDir work;
    ScriptedMessageBoxes boxes;
    FakeRouteHost host;
    RecordingServices services;
    CCommandRouter router(host, services.Make());

    router.Route(33113);
    ASSERT_EQ(boxes.Requests().size(), 1U);
    EXPECT_EQ(boxes.Requests()[0].text, QStringLiteral("This function is not available yet."));

    std::vector<std::string> ran;
    RegisterRouteDialog("CUserOnlineListDlg", [&ran](DialogRequest& request) {
        ran.push_back(request.className);
        return 1;
    });
    router.Route(33113);
    RegisterRouteDialog("CUserOnlineListDlg", {});
    EXPECT_EQ(ran, std::vector<std::string>{"CUserOnlineListDlg"});
    EXPECT_EQ(boxes.Requests().size(), 1U);
    EXPECT_FALSE(HasRouteDialog("CUserOnlineListDlg"));
}

} // namespace

namespace {

TEST(FrameCommandRoutingTest, TheFrameRoutesWhatItDoesNotHandleItself)
{
    ScopedModels models;
    ScopedWorkDir work;
    FakeFrameHost host;
    CMainFrame frame(host);
    DialogRecorder dialogs;
    InstallCommandRouting(frame, host);

    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 2, 3);
    AddTestNe({.id = 3, .name = "Three"});
    frame.SetCurrentEntity(3, &port);
    frame.SetCurrentLocation(4);
    EXPECT_TRUE(frame.OnCommand(33076));
    ASSERT_EQ(dialogs.opened.size(), 1U);
    EXPECT_EQ(dialogs.opened[0].className, "CAdslCurrentPmDlg");
    EXPECT_EQ(dialogs.opened[0].neId, 3U);
    EXPECT_EQ(dialogs.opened[0].entity.id, CEntityId(&port).id);

    // The frame's own view options stay the frame's.
    const bool before = frame.GetPortTipFlag();
    EXPECT_TRUE(frame.OnCommand(32773));
    EXPECT_NE(frame.GetPortTipFlag(), before);
    EXPECT_EQ(dialogs.opened.size(), 1U);

    // Unknown ids go on to the application object.
    frame.OnCommand(57665);
    EXPECT_EQ(host.appCommands, std::vector<int>{57665});
}

} // namespace
