// The rapid spanning tree of the trunk ports in the running program: the operator reads the bridge's and the ports'
// state, changes the settings under the timing rules, is refused RSTP on a subtending trunk port, and a port the
// server refuses to change stops the OK with the dialog open, against the simulated server.

#include "tests/e2e/support/e2e_harness.h"

#include "features/provisioning/rstp/rstp_setting_dlg.h"
#include "features/provisioning/rstp/rstp_status_dlg.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/rstp_port_rec.h"
#include "link/records/trunk_port_mode_rec.h"
#include "sim/server/sim_control.h"

#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdRstpSetting = 33166;
constexpr int kCmdRstpStatus = 33165;
constexpr uint32_t kPort1 = 10501;
constexpr uint32_t kPort2 = 10502;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::Type;
using Setting = CRstpSettingDlg;
using Bridge = CRstpBridgePage;
using Port = CRstpPortPage;

RstpBridgeRec ServerBridge(e2e::CProgram& program)
{
    const std::vector<RstpBridgeRec> records = program.ServerRecords(kReqRstpBridge, 1);
    if (records.size() != 1) {
        ADD_FAILURE() << "the server keeps " << records.size() << " bridge records";
        return {};
    }
    return records.front();
}

RstpPortRec ServerPort(e2e::CProgram& program, uint32_t port)
{
    for (const RstpPortRec& rec : program.ServerRecords(kReqRstpPort, 1)) {
        if (rec.entityId == port)
            return rec;
    }
    ADD_FAILURE() << "the server has no spanning tree port " << port;
    return {};
}

void SendToServer(e2e::CProgram& program, uint16_t code, const std::vector<uint8_t>& record)
{
    server_test::CRawClient& probe = program.ServerProbe();
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, code, code == kReqSimControl ? 0 : 1, record, static_cast<uint32_t>(record.size()))));
}

template <typename Rec> std::vector<uint8_t> Bytes(const Rec& rec)
{
    const auto encoded = EncodeRecord(rec);
    return {encoded.begin(), encoded.end()};
}

QString Value(CItemValuePage& page, int row)
{
    return e2e::ListColumn(*page.FindList(kListControlId), 1).value(row);
}

TEST(RstpE2eTest, TheOperatorChangesTheSpanningTreeUnderItsTimingRules)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const RstpBridgeRec before = ServerBridge(program);

    person.OnDialog<Setting>([&](Setting& rstp) {
        EXPECT_TRUE(e2e::IsChecked(rstp, Setting::kEnabledRadioId));
        EXPECT_EQ(Field(rstp, Setting::kVersionComboId), QStringLiteral("RSTP"));
        Bridge& bridge = rstp.BridgePage();
        EXPECT_EQ(Field(bridge, Bridge::kBridgeIdId), QStringLiteral("0x8000-00:10:a4:00:01:01"));
        EXPECT_EQ(Field(bridge, Bridge::kMaxAgeId), QStringLiteral("20"));
        Port& port1 = rstp.PortPage(1);
        EXPECT_EQ(Field(port1, Port::kPortIdId), QStringLiteral("0x8001"));
        EXPECT_TRUE(e2e::IsChecked(port1, Port::kRstpEnabledId));
        // The default path cost shows what RSTP takes.
        EXPECT_TRUE(e2e::IsChecked(port1, Port::kDefaultCostId));
        EXPECT_EQ(Field(port1, Port::kPathCostId), QStringLiteral("20000"));
        EXPECT_FALSE(port1.IsControlEnabled(Port::kPathCostSpinId));
        EXPECT_TRUE(port1.IsControlReadOnly(Port::kPathCostId)) << "the default cost is not typed over";
        EXPECT_TRUE(port1.IsControlEnabled(Port::kMcheckId));
        EXPECT_TRUE(port1.IsControlEnabled(Port::kPrioritySpinId));
        // The bridge's spins go with the tree's Administrative State: on here.
        for (const int id : {Bridge::kPrioritySpinId, Bridge::kMaxAgeSpinId, Bridge::kHelloTimeSpinId,
                             Bridge::kForwardDelaySpinId, Bridge::kTxHoldCountSpinId})
            EXPECT_TRUE(bridge.IsControlEnabled(id)) << id;
        EXPECT_FALSE(bridge.IsControlReadOnly(Bridge::kPriorityId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(rstp, QStringLiteral("rstp_setting")));

        // A cost of its own, then STP-compatible: the cost keeps to 1..65535 and no migration check is offered.
        rstp.SelectPage(&port1);
        Check(port1, Port::kDefaultCostId, false);
        EXPECT_TRUE(port1.IsControlEnabled(Port::kPathCostSpinId));
        EXPECT_FALSE(port1.IsControlReadOnly(Port::kPathCostId));
        // The port's own settings go with the port's RSTP: off, they are all shut, the cost of its own too, while
        // the tree stays enabled and its version RSTP.
        Check(port1, Port::kRstpEnabledId, false);
        for (const int id : {Port::kDefaultCostId, Port::kEdgeId, Port::kPointToPointId, Port::kPathCostSpinId,
                             Port::kPrioritySpinId, Port::kMcheckId})
            EXPECT_FALSE(port1.IsControlEnabled(id)) << id;
        EXPECT_TRUE(port1.IsControlReadOnly(Port::kPathCostId));
        EXPECT_TRUE(port1.IsControlEnabled(Port::kRstpEnabledId));
        Check(port1, Port::kRstpEnabledId, true);
        EXPECT_TRUE(port1.IsControlEnabled(Port::kDefaultCostId));
        Type(port1, Port::kPathCostId, QStringLiteral("200000"));
        EXPECT_TRUE(Choose(rstp, Setting::kVersionComboId, QStringLiteral("STP-Compatible")));
        EXPECT_EQ(Field(port1, Port::kPathCostId), QStringLiteral("65535"));
        EXPECT_FALSE(port1.IsControlEnabled(Port::kMcheckId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(port1, QStringLiteral("rstp_port_page")));
        // Under Default the cost shown is the one put there at load: neither the version nor Default ticked replaces
        // it.
        EXPECT_EQ(Field(rstp.PortPage(2), Port::kPathCostId), QStringLiteral("20000"));
        Check(port1, Port::kDefaultCostId, true);
        EXPECT_EQ(Field(port1, Port::kPathCostId), QStringLiteral("65535"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(port1, QStringLiteral("rstp_port_page_default")));
        Check(port1, Port::kDefaultCostId, false);
        EXPECT_EQ(Field(port1, Port::kPathCostId), QStringLiteral("65535"));

        // Forward delay 10 with max age 20 breaks 2 x (forward delay - 1) >= max age: the bridge page comes up.
        rstp.SelectPage(&bridge);
        Type(bridge, Bridge::kForwardDelayId, QStringLiteral("10"));
        rstp.SelectPage(&rstp.PortPage(2));
        Click(rstp, IDOK);
        EXPECT_EQ(e2e::MessageLine(rstp),
                  QStringLiteral("Please follow the rule: 2 * ( \"Forward Delay\" - 1 ) >= \"Max Age\""));
        EXPECT_EQ(rstp.GetCurrentPage(), &bridge);
        EXPECT_FALSE(rstp.IsEnded());
        Type(bridge, Bridge::kForwardDelayId, QStringLiteral("15"));
        Type(bridge, Bridge::kHelloTimeId, QStringLiteral("10"));
        Click(rstp, IDOK);
        EXPECT_EQ(e2e::MessageLine(rstp),
                  QStringLiteral("Please follow the rule: \"Max Age\" >= 2 * ( \"Hello Time\" + 1 )"));
        EXPECT_EQ(ServerBridge(program), before) << "nothing is written";
        Type(bridge, Bridge::kHelloTimeId, QStringLiteral("2"));
        Click(rstp, IDOK);
        EXPECT_TRUE(rstp.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdRstpSetting));
    const RstpBridgeRec bridge = ServerBridge(program);
    EXPECT_EQ(bridge.version, 0u);
    EXPECT_EQ(bridge.forwardDelay, 15u);
    EXPECT_EQ(bridge.mac, before.mac) << "the bridge keeps its own address";
    EXPECT_EQ(bridge.topologyChanges, before.topologyChanges);
    EXPECT_EQ(ServerPort(program, kPort1).adminPathCost, 65535u);
    EXPECT_EQ(ServerPort(program, kPort1).stpState, 5u);
    EXPECT_EQ(ServerPort(program, kPort2).adminPathCost, 0u) << "the default is written as 0";
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST(RstpE2eTest, RstpIsRefusedOnASubtendingPortAndADisabledTreeIsWrittenWithoutTheRules)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    SendToServer(program, kReqTrunkPortMode, Bytes(TrunkPortModeRec{kPort2, 0}));
    const RstpBridgeRec before = ServerBridge(program);

    person.OnDialog<Setting>([&](Setting& rstp) {
        Click(rstp, IDOK);
        EXPECT_EQ(e2e::MessageLine(rstp), QStringLiteral("\"Subtending function\"  and \"RSTP\" are exclusive"));
        EXPECT_EQ(ServerBridge(program), before);
        Check(rstp, Setting::kDisabledRadioId);
        EXPECT_FALSE(rstp.IsControlEnabled(Setting::kVersionComboId));
        EXPECT_FALSE(rstp.PortPage(1).IsControlEnabled(Port::kRstpEnabledId));
        // The port's RSTP stays ticked, yet its settings shut with the bridge's.
        EXPECT_TRUE(e2e::IsChecked(rstp.PortPage(1), Port::kRstpEnabledId));
        EXPECT_FALSE(rstp.PortPage(1).IsControlEnabled(Port::kDefaultCostId));
        EXPECT_FALSE(rstp.PortPage(1).IsControlEnabled(Port::kEdgeId));
        EXPECT_TRUE(rstp.BridgePage().IsControlReadOnly(Bridge::kPriorityId));
        for (const int id : {Bridge::kPrioritySpinId, Bridge::kMaxAgeSpinId, Bridge::kHelloTimeSpinId,
                             Bridge::kForwardDelaySpinId, Bridge::kTxHoldCountSpinId})
            EXPECT_FALSE(rstp.BridgePage().IsControlEnabled(id)) << id;
        EXPECT_FALSE(rstp.PortPage(1).IsControlEnabled(Port::kPrioritySpinId));
        EXPECT_FALSE(rstp.PortPage(1).IsControlEnabled(Port::kMcheckId));
        Type(rstp.BridgePage(), Bridge::kForwardDelayId, QStringLiteral("10"));
        Click(rstp, IDOK);
        EXPECT_TRUE(rstp.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdRstpSetting));
    EXPECT_EQ(ServerBridge(program).adminState, 0u);
    EXPECT_EQ(ServerBridge(program).forwardDelay, 10u);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A port's write that fails stops the OK there: the bridge written before it stays, nothing is written back, and the
// dialog keeps the operator's values. Ports that could not be read are not written.
TEST(RstpE2eTest, APortTheServerRefusesStopsTheOk)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const RstpBridgeRec before = ServerBridge(program);

    person.OnDialog<Setting>([&](Setting& rstp) {
        EXPECT_EQ(Field(rstp.BridgePage(), Bridge::kMaxAgeId), QString::number(before.maxAge));
        Type(rstp.BridgePage(), Bridge::kMaxAgeId, QStringLiteral("24"));
        SendToServer(program, kReqSimControl, Bytes(SimControlRec{kSimRefuseNextChange, kReqRstpPort, 0, 0}));
        Click(rstp, IDOK);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_FALSE(rstp.IsEnded());
        EXPECT_EQ(Field(rstp.BridgePage(), Bridge::kMaxAgeId), QStringLiteral("24"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdRstpSetting));
    EXPECT_EQ(ServerBridge(program).maxAge, 24u);
    EXPECT_NE(ServerBridge(program).maxAge, before.maxAge);

    // The ports could not be read: the OK writes the bridge and leaves the ports as they are, never the values the
    // pages show unread.
    const RstpPortRec port1 = ServerPort(program, kPort1);
    const RstpPortRec port2 = ServerPort(program, kPort2);
    SendToServer(program, kReqSimControl, Bytes(SimControlRec{kSimRefuseNextRequest, kReqRstpPort, 0, 0}));
    person.OnDialog<Setting>([&](Setting& rstp) {
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
        Type(rstp.BridgePage(), Bridge::kMaxAgeId, QStringLiteral("22"));
        Click(rstp, IDOK);
        EXPECT_TRUE(rstp.IsEnded()) << e2e::MessageLine(rstp).toStdString();
    });
    ASSERT_TRUE(program.Command(kCmdRstpSetting));
    EXPECT_EQ(ServerBridge(program).maxAge, 22u);
    EXPECT_EQ(ServerPort(program, kPort1), port1);
    EXPECT_EQ(ServerPort(program, kPort2), port2);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST(RstpE2eTest, TheStatusShowsTheBridgeAndEachPort)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CRstpStatusDlg>([&](CRstpStatusDlg& status) {
        EXPECT_EQ(Field(status, CRstpStatusDlg::kStateId), QStringLiteral("enabled"));
        EXPECT_EQ(Field(status, CRstpStatusDlg::kVersionId), QStringLiteral("RSTP"));
        CRstpStatusPage& bridge = status.BridgePage();
        EXPECT_EQ(Value(bridge, 0), QStringLiteral("0x8000-00:10:a4:00:01:01"));
        EXPECT_EQ(Value(bridge, 2), QStringLiteral("20 seconds"));
        EXPECT_EQ(Value(bridge, 6), QStringLiteral("0 days  07:20:34"));
        EXPECT_EQ(Value(bridge, 9), QStringLiteral("0x8001"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(status, QStringLiteral("rstp_status")));
        EXPECT_EQ(Value(status.PortPage(1), 3), QStringLiteral("default"));
        EXPECT_EQ(Value(status.PortPage(1), 5), QStringLiteral("auto"));
        EXPECT_EQ(Value(status.PortPage(1), 6), QStringLiteral("forwarding"));
        EXPECT_EQ(Value(status.PortPage(2), 6), QStringLiteral("disabled"));
        // Every row of both ports, as the NE holds them: port IDs of priority and number, the current point-to-point
        // state true for 1 only (the port whose link is up), bridge IDs of priority and MAC, port IDs in hex.
        const auto portValues = [&](int port) {
            return e2e::ListColumn(*status.PortPage(port).FindList(kListControlId), 1).join('|');
        };
        EXPECT_EQ(portValues(1), QStringLiteral("0x8001|enabled|128|default|false|auto|forwarding|3|20000|false|true|"
                                                "0x1000-02:1c:7e:3a:10:00|0|0x1000-02:1c:7e:3a:10:00|0x8011"));
        EXPECT_EQ(portValues(2), QStringLiteral("0x8002|enabled|128|default|false|auto|disabled|0|20000|false|false|"
                                                "0x1000-02:1c:7e:3a:10:00|20000|0x1000-02:1c:7e:3a:20:00|0x8012"));
        EXPECT_EQ(Value(status.PortPage(2), 13), QStringLiteral("0x1000-02:1c:7e:3a:20:00"));
        status.SelectPage(&status.PortPage(1));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(status, QStringLiteral("rstp_status_port")));

        // The server refuses a refresh: its reason, and the values it would have shown are gone.
        SendToServer(program, kReqSimControl, Bytes(SimControlRec{kSimRefuseNextRequest, kReqRstpBridge, 0, 0}));
        Click(status, kRefreshButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
        EXPECT_EQ(Value(bridge, 0), QString());
        Click(status, kRefreshButtonId);
        EXPECT_EQ(Value(bridge, 0), QStringLiteral("0x8000-00:10:a4:00:01:01"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdRstpStatus));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A port page names the port's settings: the point-to-point setting (0 true, 1 false, else auto), the edge flag (true
// for 1 only), and a set path cost as a number.
TEST(RstpE2eTest, APortPageNamesThePortsSettings)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    struct Case {
        uint32_t pointToPoint, edge, cost;
        QStringList shown; // Admin Path Cost, Admin Edge Port, Admin Point-to-Point MAC
    };
    const Case cases[] = {
        {0, 1, 7, {"7", "true", "true"}},
        {1, 2, 0, {"default", "false", "false"}},
        {2, 0, 1, {"1", "false", "auto"}},
        {9, 0, 1, {"1", "false", "auto"}},
    };
    program.Operator().OnDialog<CRstpStatusDlg>([&](CRstpStatusDlg& status) {
        for (const Case& c : cases) {
            RstpPortRec rec = ServerPort(program, kPort2);
            rec.adminPointToPoint = c.pointToPoint;
            rec.adminEdgePort = c.edge;
            rec.adminPathCost = c.cost;
            SendToServer(program, kReqRstpPort, Bytes(rec));
            Click(status, kRefreshButtonId);
            EXPECT_EQ(e2e::ListColumn(*status.PortPage(2).FindList(kListControlId), 1).mid(3, 3), c.shown)
                << c.pointToPoint << " " << c.edge;
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdRstpStatus));
    EXPECT_EQ(program.Operator().UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// The migration check is written for a port that runs the spanning tree; a box left ticked on a port switched off is
// written as 0.
TEST(RstpE2eTest, TheMigrationCheckGoesOnlyWithAPortThatRunsTheTree)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    for (const bool running : {true, false}) {
        person.OnDialog<Setting>([&](Setting& rstp) {
            Port& port1 = rstp.PortPage(1);
            rstp.SelectPage(&port1);
            Check(port1, Port::kMcheckId);
            Check(port1, Port::kRstpEnabledId, running);
            Click(rstp, IDOK);
            EXPECT_TRUE(rstp.IsEnded()) << e2e::MessageLine(rstp).toStdString();
        });
        ASSERT_TRUE(program.Command(kCmdRstpSetting));
        EXPECT_EQ(ServerPort(program, kPort1).adminState, running ? 1u : 0u);
        EXPECT_EQ(ServerPort(program, kPort1).mcheck, running ? 1u : 0u) << running;
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// The port's point-to-point combo offers Yes, No and Auto and shows Yes for 0, No for 1 and Auto for any other value;
// the version combo offers RSTP, then STP-Compatible.
TEST(RstpE2eTest, ThePortsPointToPointSettingShowsInItsCombo)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const struct {
        uint32_t value;
        const char* shown;
    } cases[] = {{0, "Yes"}, {1, "No"}, {2, "Auto"}, {9, "Auto"}};
    for (const auto& c : cases) {
        RstpPortRec rec = ServerPort(program, kPort2);
        rec.adminPointToPoint = c.value;
        SendToServer(program, kReqRstpPort, Bytes(rec));
        person.OnDialog<Setting>([&](Setting& rstp) {
            EXPECT_EQ(e2e::ComboTexts(rstp, Setting::kVersionComboId), QStringLiteral("RSTP,STP-Compatible"));
            EXPECT_EQ(e2e::ComboTexts(rstp.PortPage(2), Port::kPointToPointId), QStringLiteral("Yes,No,Auto"));
            EXPECT_EQ(Field(rstp.PortPage(2), Port::kPointToPointId), QString::fromLatin1(c.shown)) << c.value;
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(kCmdRstpSetting));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

} // namespace
