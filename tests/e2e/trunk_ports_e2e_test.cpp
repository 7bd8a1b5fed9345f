// Trunk ports and trunk VLANs in the running program: the operator lists an NE's trunk ports, disables one and keeps
// its use mode (subtend mode is refused while the ports are aggregated), opens a port's PM from the list, marks the
// VLANs trunk port 2 joins and reads each port's VLANs, against the simulated server. The server's refusal reaches
// the operator as the dialog's failure box, and the VLAN grid never writes what it could not read.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/profile_list_steps.h"

#include "core/util/bit_string.h"
#include "features/performance/pm/trunk_port_pm_dlg.h"
#include "features/provisioning/trunk/manual_vlan_dlg.h"
#include "features/provisioning/trunk/trunk_port_dlg.h"
#include "features/provisioning/trunk/trunk_port_list_dlg.h"
#include "features/provisioning/trunk/trunk_vlan_list_dlg.h"
#include "link/records/link_aggregation_rec.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/trunk_port_mode_rec.h"
#include "link/records/trunk_port_rec.h"
#include "link/records/user_rights_record.h"
#include "link/records/vlan_bit_map_rec.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kCmdTrunkPorts = 33173;
constexpr int kCmdManualVlan = 33200;
constexpr int kCmdTrunkVlans = 33201;
constexpr uint32_t kPort1 = 10501; // North-1's trunk ports: slot 5, GE1 and GE2
constexpr uint32_t kPort2 = 10502;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using List = CTrunkPortListDlg;

// The simulated server refuses the next request of the code: its next change, or also its next query.
void Refuse(e2e::CProgram& program, uint32_t action, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto control = EncodeRecord(SimControlRec{action, code, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqSimControl, 0, {control.begin(), control.end()}, kSimControlRecSize)));
}

// A record the server keeps of NE 1, as a workstation writes it.
template <typename Rec> void WriteToServer(e2e::CProgram& program, RequestCode<Rec> code, const Rec& rec)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto bytes = EncodeRecord(rec);
    ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, code, 1, {bytes.begin(), bytes.end()}, kRecordSize<Rec>)));
}

TrunkPortRec ServerPort(e2e::CProgram& program, uint32_t port)
{
    for (const TrunkPortRec& rec : program.ServerRecords(kReqTrunkPort, 1)) {
        if (rec.entityId == port)
            return rec;
    }
    ADD_FAILURE() << "the server has no trunk port " << port;
    return {};
}

uint32_t ServerUplink(e2e::CProgram& program, uint32_t port)
{
    for (const TrunkPortModeRec& rec : program.ServerRecords(kReqTrunkPortMode, 1)) {
        if (rec.entityId == port)
            return rec.uplink;
    }
    return 99;
}

VlanBitMapRec ServerVlans(e2e::CProgram& program, uint32_t port)
{
    for (const VlanBitMapRec& rec : program.ServerRecords(kReqTrunkVlan, 1)) {
        if (rec.entityId == port)
            return rec;
    }
    ADD_FAILURE() << "the server has no VLANs of trunk port " << port;
    return {};
}

QString Cell(QTreeView& list, int row, int column)
{
    return e2e::ListColumn(list, column).value(row);
}

// Subtend mode of trunk port 2 under each aggregation type and RSTP state: refused while LACP (1) or static
// aggregation (3) joins the ports or RSTP is enabled, written once the aggregation is disabled (2) and RSTP is off.
TEST(TrunkPortsE2eTest, SubtendModeIsRefusedUnderEitherAggregationOrRstpAndWrittenWithoutThem)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    struct Row {
        uint32_t aggregationType;
        uint32_t rstpState;
        bool refused;
    };
    for (const Row& row : {Row{1, 0, true}, Row{3, 0, true}, Row{2, 1, true}, Row{2, 0, false}}) {
        SCOPED_TRACE(std::to_string(row.aggregationType) + " " + std::to_string(row.rstpState));
        LinkAggregationRec aggregation;
        aggregation.aggregationType = row.aggregationType;
        WriteToServer(program, kReqLinkAggregation, aggregation);
        RstpBridgeRec bridge;
        bridge.adminState = row.rstpState;
        WriteToServer(program, kReqRstpBridge, bridge);
        person.OnDialog<List>([&](List& ports) {
            program.ClickListRow(*ports.FindList(kListControlId), 1);
            person.OnDialog<CTrunkPortDlg>([&](CTrunkPortDlg& port) {
                Check(port, CTrunkPortDlg::kSubtendRadioId);
                person.AnswerBox(IDYES);
                Click(port, IDOK);
                EXPECT_EQ(port.IsEnded(), !row.refused);
            });
            Click(ports, kModifyButtonId);
        });
        ASSERT_TRUE(program.Command(kCmdTrunkPorts));
        EXPECT_EQ(ServerUplink(program, kPort2), row.refused ? 1u : 0u);
    }
}

TEST(TrunkPortsE2eTest, TheOperatorDisablesATrunkPortAndSubtendModeIsRefusedWhileThePortsAreAggregated)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    // The NE also tells the use mode of another entity, first in its answer: each row takes its own port's.
    WriteToServer(program, kReqTrunkPortMode, TrunkPortModeRec{10500, 0});

    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(list, List::kSlotPortColumn).join(','), QStringLiteral("5-GE1,5-GE2"));
        EXPECT_EQ(e2e::ListColumn(list, List::kOperColumn).join(','), QStringLiteral("up,down"));
        // A link that is down has no speed.
        EXPECT_EQ(e2e::ListColumn(list, List::kSpeedColumn).join(','), QStringLiteral("1 G,N/A"));
        EXPECT_EQ(e2e::ListColumn(list, List::kUseModeColumn).join(','), QStringLiteral("uplink,uplink"));
        EXPECT_EQ(e2e::CellImage(list, 1, List::kOperColumn), kImageLinkDown);
        EXPECT_EQ(e2e::CellImage(list, 0, List::kAdminColumn), kImageEnabled);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(ports, QStringLiteral("trunk_port_list")));
        // Modify without a row chosen asks for one.
        EXPECT_EQ(list.selectionModel()->selectedRows().size(), 0);
        EXPECT_TRUE(ports.IsControlEnabled(kModifyButtonId));
        Click(ports, kModifyButtonId);
        EXPECT_EQ(e2e::MessageLine(ports), QStringLiteral("Please select one item"));

        // Trunk port 2 as a subtend port: asked, then refused while LACP aggregates the ports.
        program.ClickListRow(list, 1);
        person.OnDialog<CTrunkPortDlg>([&](CTrunkPortDlg& port) {
            EXPECT_EQ(Field(port, CTrunkPortDlg::kPortLocationId), QStringLiteral("5-GE2"));
            EXPECT_TRUE(port.IsControlEnabled(CTrunkPortDlg::kSubtendRadioId));
            EXPECT_TRUE(e2e::IsChecked(port, CTrunkPortDlg::kUplinkRadioId));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(port, QStringLiteral("trunk_port")));
            Check(port, CTrunkPortDlg::kSubtendRadioId);
            person.AnswerBox(IDYES);
            Click(port, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("IGMP Proxy is recommended on the remote NE.\n\nAre you sure to commit changes?"));
            EXPECT_EQ(e2e::MessageLine(port), QStringLiteral("conflict with \"Link Aggregation\" or \"RSTP\""));
            EXPECT_FALSE(port.IsEnded());
            EXPECT_EQ(ServerUplink(program, kPort2), 1u) << "nothing is written";

            // Disabled, uplink: asked once; No keeps the dialog, Yes writes.
            Check(port, CTrunkPortDlg::kUplinkRadioId);
            Check(port, CTrunkPortDlg::kDisabledRadioId);
            Check(port, CTrunkPortDlg::kAutoNegotiationOffId);
            const size_t asked = person.boxTexts.size();
            person.AnswerBox(IDNO);
            Click(port, IDOK);
            EXPECT_EQ(person.boxTexts.size(), asked + 1);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("All data traffic via this port will be discarded.\n\nAre you "
                                     "sure to disabled it?"));
            EXPECT_FALSE(port.IsEnded());
            EXPECT_EQ(ServerPort(program, kPort2).adminState, 1u);
            person.AnswerBox(IDYES);
            Click(port, IDOK);
            EXPECT_EQ(person.boxTexts.size(), asked + 2) << "no question of subtend mode";
            return IDCANCEL;
        });
        Click(ports, kModifyButtonId);
        EXPECT_EQ(Cell(list, 1, List::kAdminColumn), QStringLiteral("disabled"));
        EXPECT_EQ(Cell(list, 1, List::kAutoNegotiationColumn), QStringLiteral("disabled"));
        EXPECT_EQ(e2e::CellImage(list, 1, List::kAdminColumn), kImageDisabled);
        // The server keeps what the port reports of itself.
        const TrunkPortRec kept = ServerPort(program, kPort2);
        EXPECT_EQ(kept.adminState, 2u);
        EXPECT_EQ(kept.autoNegotiation, 0u);
        EXPECT_EQ(kept.medium, 1u);
        EXPECT_EQ(ServerPort(program, kPort1).speed, 1000000000u);

        // The server refuses a change: its reason, and the dialog stays with the operator's choice.
        program.ClickListRow(list, 0);
        person.OnDialog<CTrunkPortDlg>([&](CTrunkPortDlg& port) {
            EXPECT_FALSE(port.IsControlEnabled(CTrunkPortDlg::kSubtendRadioId)) << "trunk port 1 has no mode";
            Check(port, CTrunkPortDlg::kAutoNegotiationOffId);
            Refuse(program, kSimRefuseNextChange, kReqTrunkPort);
            Click(port, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(port.IsEnded());
            EXPECT_TRUE(e2e::IsChecked(port, CTrunkPortDlg::kAutoNegotiationOffId));
            return IDCANCEL;
        });
        Click(ports, kModifyButtonId);
        EXPECT_EQ(ServerPort(program, kPort1).autoNegotiation, 1u);
        EXPECT_EQ(Cell(list, 0, List::kAutoNegotiationColumn), QStringLiteral("enabled"));

        // PM of the selected port.
        person.OnDialog<CTrunkPortPmDlg>([&](CTrunkPortPmDlg& pm) {
            EXPECT_EQ(pm.GetTargetEntity().id, kPort1);
            return IDCANCEL;
        });
        Click(ports, List::kPmButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdTrunkPorts));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST(TrunkPortsE2eTest, AColumnSortsByTheNumberItsCellsStartWithAndTheFirstTwoKeepTheOrder)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        const auto order = [&list] { return e2e::ListColumn(list, List::kSlotPortColumn).join(','); };
        EXPECT_EQ(order(), QStringLiteral("5-GE1,5-GE2"));
        // "up" and "down" start with no number: both count as 0, and the rows stay as they are.
        e2e::CProgram::ClickHeader(*list.header(), List::kOperColumn);
        EXPECT_EQ(order(), QStringLiteral("5-GE1,5-GE2"));
        // "N/A" counts as 0, "1 G" as 1.
        e2e::CProgram::ClickHeader(*list.header(), List::kSpeedColumn);
        EXPECT_EQ(order(), QStringLiteral("5-GE2,5-GE1"));
        // The number and Slot-Port columns keep the order the rows show.
        e2e::CProgram::ClickHeader(*list.header(), List::kNumberColumn);
        EXPECT_EQ(order(), QStringLiteral("5-GE2,5-GE1"));
        e2e::CProgram::ClickHeader(*list.header(), List::kSlotPortColumn);
        EXPECT_EQ(order(), QStringLiteral("5-GE2,5-GE1"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdTrunkPorts));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// An operator who may read the trunk ports but not change them: Modify opens the port's dialog, which stops itself.
TEST(TrunkPortsE2eTest, ModifyLeavesTheRightToThePortsDialog)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    UserRightsRecord rights;
    rights.rights = {std::string(127, 'a'), std::string(127, 'a'), std::string(127, 'q')};
    e2e::AddOnServer(program, kReqUserRights, 0, std::vector{rights});
    ASSERT_TRUE(program.Login("north", "north"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const TrunkPortRec before = ServerPort(program, kPort2);
    person.OnDialog<List>([&](List& ports) {
        program.ClickListRow(*ports.FindList(kListControlId), 1);
        person.OnDialog<CTrunkPortDlg>([&](CTrunkPortDlg& port) {
            EXPECT_TRUE(port.IsEnded()) << "the dialog checks the modify right";
            return IDCANCEL;
        });
        Click(ports, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdTrunkPorts));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
    EXPECT_EQ(ServerPort(program, kPort2), before);
}

TEST(TrunkPortsE2eTest, TheOperatorMarksTheVlansTrunkPort2JoinsAndReadsEachPortsVlans)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CManualVlanDlg>([&](CManualVlanDlg& grid) {
        QTreeView& list = *grid.FindList(kListControlId);
        const QStringList ranges = e2e::ListColumn(list, 1);
        ASSERT_EQ(ranges.size(), 410);
        EXPECT_EQ(ranges.back(), QStringLiteral("4091-4094"));
        EXPECT_EQ(Cell(list, 409, 7), QString()) << "the last row has six empty cells";
        // VLAN 100 joins (row 9, the tenth cell), VLAN 104 does not.
        EXPECT_EQ(Cell(list, 9, CManualVlanDlg::kFirstVlanColumn + 9), QStringLiteral("Y"));
        EXPECT_EQ(e2e::CellImage(list, 10, CManualVlanDlg::kFirstVlanColumn + 3), kImageNonMember);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(grid, QStringLiteral("manual_vlan")));
        // VLAN 104 joins, VLAN 100 leaves.
        program.ClickListRow(list, 10, CManualVlanDlg::kFirstVlanColumn + 3);
        program.ClickListRow(list, 9, CManualVlanDlg::kFirstVlanColumn + 9);
        EXPECT_EQ(e2e::CellImage(list, 10, CManualVlanDlg::kFirstVlanColumn + 3), kImageMember);
        EXPECT_EQ(e2e::CellImage(list, 9, CManualVlanDlg::kFirstVlanColumn + 9), kImageNonMember);
        // The texts keep what the NE told until the grid is written.
        EXPECT_EQ(Cell(list, 10, CManualVlanDlg::kFirstVlanColumn + 3), QStringLiteral("N"));
        EXPECT_EQ(Cell(list, 9, CManualVlanDlg::kFirstVlanColumn + 9), QStringLiteral("Y"));
        Click(grid, IDOK);
        EXPECT_TRUE(grid.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdManualVlan));
    const VlanBitMapRec written = ServerVlans(program, kPort2);
    EXPECT_EQ(TestBit(written.vlans, 104), 1);
    EXPECT_EQ(TestBit(written.vlans, 100), 0);
    EXPECT_EQ(TestBit(written.vlans, 300), 1);
    EXPECT_EQ(TestBit(written.vlans, 0), 0);
    EXPECT_EQ(TestBit(written.vlans, 4095), 0);

    // Each port's VLANs, five a row: trunk port 2's as just written.
    person.OnDialog<CTrunkVlanListDlg>([&](CTrunkVlanListDlg& vlans) {
        QTreeView& list = *vlans.FindList(kListControlId);
        EXPECT_EQ(e2e::ComboTexts(vlans, CTrunkVlanListDlg::kPortComboId), QStringLiteral("GE1,GE2"));
        EXPECT_EQ(e2e::ListColumn(list, 0).join(','), QStringLiteral("1,104,4092"));
        EXPECT_EQ(e2e::ListColumn(list, 4).join(','), QStringLiteral("103,200,"));
        EXPECT_TRUE(Choose(vlans, CTrunkVlanListDlg::kPortComboId, QStringLiteral("GE2")));
        EXPECT_EQ(e2e::ListColumn(list, 0).size(), 3) << "a change of the port waits for Refresh";
        Click(vlans, kRefreshButtonId);
        EXPECT_EQ(e2e::ListColumn(list, 0).join(','), QStringLiteral("101"));
        EXPECT_EQ(Cell(list, 0, 3), QStringLiteral("104"));
        EXPECT_EQ(Cell(list, 0, 4), QStringLiteral("300"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(vlans, QStringLiteral("trunk_vlan_list")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdTrunkVlans));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A reply that names another request code than the query's is none: the lists stay empty and nothing is said; the
// next Refresh, answered as usual, fills them.
TEST(TrunkPortsE2eTest, AReplyNamingAnotherCodeLeavesTheListEmptyWithoutAMessage)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const auto answerAs = [&](uint16_t code, uint16_t named) {
        server_test::CRawClient& probe = program.ServerProbe();
        const auto control = EncodeRecord(SimControlRec{kSimRenameNextReply, code, named, 0});
        EXPECT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqSimControl, 0, {control.begin(), control.end()}, kSimControlRecSize)));
    };
    const struct {
        int command;
        uint16_t code;
    } cases[] = {{kCmdTrunkPorts, kReqTrunkPort.value}, {kCmdTrunkVlans, kReqTrunkVlanMember.value}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        answerAs(c.code, kReqTrunkPortMode.value);
        person.OnDialog<CADialog>([&](CADialog& dialog) {
            QTreeView& list = *dialog.FindList(kListControlId);
            EXPECT_EQ(list.model()->rowCount(), 0);
            EXPECT_TRUE(person.boxTexts.empty());
            EXPECT_EQ(e2e::MessageLine(dialog), QString());
            Click(dialog, kRefreshButtonId);
            EXPECT_GT(list.model()->rowCount(), 0);
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(c.command));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A grid whose VLANs could not be read offers no OK: it would write a map in which trunk port 2 leaves every VLAN.
TEST(TrunkPortsE2eTest, AVlanGridThatCouldNotReadTheNeWritesNothing)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const VlanBitMapRec before = ServerVlans(program, kPort2);
    Refuse(program, kSimRefuseNextRequest, kReqTrunkVlan);
    person.OnDialog<CManualVlanDlg>([&](CManualVlanDlg& grid) {
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
        EXPECT_FALSE(grid.IsControlEnabled(IDOK));
        // Nothing told: every VLAN cell has the image of a VLAN left, and no text.
        QTreeView& list = *grid.FindList(kListControlId);
        EXPECT_EQ(e2e::CellImage(list, 9, CManualVlanDlg::kFirstVlanColumn + 9), kImageNonMember);
        EXPECT_EQ(Cell(list, 9, CManualVlanDlg::kFirstVlanColumn + 9), QString());
        Click(grid, IDOK);
        EXPECT_FALSE(grid.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdManualVlan));
    EXPECT_EQ(ServerVlans(program, kPort2), before);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

} // namespace
