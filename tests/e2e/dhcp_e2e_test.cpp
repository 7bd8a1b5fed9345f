// DHCP services in the running program against the simulated server, on North-1: the relay and option-82 switches,
// kept as the NE reports them when its server list cannot be read; the relay servers added (an add of a listed
// address changes that server), changed, refused when the address is the NE's own or the table full, and deleted; the
// agent IDs of a port; the broadcast limit with its range. The server's refusal of a change leaves the dialog open and
// the NE as it was.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/profile_list_steps.h"
#include "tests/e2e/support/server_alarms.h"

#include "core/tables/app_data.h"
#include "features/provisioning/dhcp/dhcp_broadcast_control_dlg.h"
#include "features/provisioning/dhcp/dhcp_relay_server_dlg.h"
#include "features/provisioning/dhcp/dhcp_relay_server_list_dlg.h"
#include "features/provisioning/dhcp/dhcp_setting_dlg.h"
#include "features/provisioning/dhcp/xdsl_port_agent_id_dlg.h"
#include "features/provisioning/dhcp/xdsl_port_agent_id_list_dlg.h"
#include "link/ems_msg.h"
#include "link/records/dhcp_agent_id_rec.h"
#include "link/records/dhcp_broadcast_control_rec.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/dhcp_setting_rec.h"
#include "link/records/request_codes.h"
#include "platform/ip_address_edit.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/entity_icons.h"

#include <QHeaderView>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

constexpr int kCmdDhcpSetting = 33158;
constexpr int kCmdRelayServers = 33159;
constexpr int kCmdBroadcastControl = 33182;
constexpr int kCmdAgentIds = 33160;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::kNorth1;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;

DhcpSettingRec ServerSetting(e2e::CProgram& program)
{
    const std::vector<DhcpSettingRec> kept = program.ServerRecords(kReqDhcp, kNorth1);
    return kept.empty() ? DhcpSettingRec{} : kept.front();
}

std::vector<uint16_t> ServerRelayVlans(e2e::CProgram& program)
{
    std::vector<uint16_t> vlans;
    for (const DhcpRelayServerRec& server : program.ServerRecords(kReqDhcpRelayServer, kNorth1))
        vlans.push_back(server.vlanId);
    std::sort(vlans.begin(), vlans.end());
    return vlans;
}

void SetAddress(CDialog& dialog, int id, const std::array<uint8_t, 4>& address)
{
    dialog.GetDlgItemAs<IpAddressEdit>(id)->SetAddress(address);
}

class DhcpE2eTest : public e2e::CNorth1Test {};

TEST_F(DhcpE2eTest, SettingKeepsTheRelayWhenItsServersCannotBeRead)
{
    using Dlg = CDhcpSettingDlg;
    // The server refuses the change: the dialog stays open and the NE keeps option 82.
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        EXPECT_TRUE(e2e::IsChecked(dialog, Dlg::kRelayEnabledId));
        EXPECT_TRUE(e2e::IsChecked(dialog, Dlg::kOption82EnabledId));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("dhcp_setting"));
        Check(dialog, Dlg::kOption82DisabledId);
        EXPECT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextChange, kReqDhcp.value));
        Click(dialog, IDOK);
        EXPECT_FALSE(dialog.IsEnded());
        EXPECT_TRUE(e2e::IsChecked(dialog, Dlg::kOption82DisabledId));
    });
    ASSERT_TRUE(program_.Command(kCmdDhcpSetting));
    ASSERT_FALSE(program_.Operator().boxTexts.empty());
    EXPECT_TRUE(program_.Operator().LastBoxText().startsWith(QStringLiteral("Fail to update data")));
    EXPECT_EQ(ServerSetting(program_).option82, 1u);

    // The server list cannot be read: the operator is told, and the relay shows and stays as the NE has it.
    ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, kReqDhcpRelayServer.value));
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        EXPECT_TRUE(program_.Operator().LastBoxText().startsWith(QStringLiteral("Fail to query")))
            << program_.Operator().LastBoxText().toStdString();
        EXPECT_TRUE(e2e::IsChecked(dialog, Dlg::kRelayEnabledId));
        Check(dialog, Dlg::kOption82DisabledId);
        EXPECT_TRUE(e2e::IsChecked(dialog, Dlg::kRelayEnabledId));
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
    });
    ASSERT_TRUE(program_.Command(kCmdDhcpSetting));
    EXPECT_EQ(ServerSetting(program_).relay, 1u);
    EXPECT_EQ(ServerSetting(program_).option82, 0u);
}

// A setting whose record cannot be read offers no OK: what the NE holds is never overwritten with the dialog's own
// values.
TEST_F(DhcpE2eTest, ASettingThatCannotBeReadOffersNoOk)
{
    const struct {
        int command;
        uint16_t code;
    } rows[] = {{kCmdDhcpSetting, kReqDhcp.value}, {kCmdBroadcastControl, kReqDhcpBroadcast.value}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, row.code));
        program_.Operator().OnDialog<CADialog>([&](CADialog& dialog) {
            EXPECT_TRUE(program_.Operator().LastBoxText().startsWith(QStringLiteral("Fail to query")))
                << program_.Operator().LastBoxText().toStdString();
            EXPECT_FALSE(dialog.IsControlEnabled(IDOK));
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(row.command));
    }
}

// Without relay servers the setting shows the relay off and says why on its own message line, not in a box over it.
TEST_F(DhcpE2eTest, WithoutRelayServersTheSettingSaysSoOnItsMessageLine)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    for (const DhcpRelayServerRec& server : program_.ServerRecords(kReqDhcpRelayServer, kNorth1)) {
        const std::optional<Frame> reply = probe.ReplyTo(probe.Send(
            2, kReqDhcpRelayServerDelete.value, kNorth1, EncodeRecords(std::vector{server}), kDhcpRelayServerRecSize));
        ASSERT_TRUE(reply && reply->header.status == 0);
    }
    ASSERT_TRUE(program_.ServerRecords(kReqDhcpRelayServer, kNorth1).empty());
    const DhcpSettingRec before = ServerSetting(program_);
    using Dlg = CDhcpSettingDlg;
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Relay function  is disabled due to no DHCP servers"));
        EXPECT_TRUE(e2e::IsChecked(dialog, Dlg::kRelayDisabledId));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("dhcp_setting_no_servers"));
        // The relay chosen on is refused at OK, on the message line, and nothing is written.
        Check(dialog, Dlg::kRelayEnabledId);
        Click(dialog, IDOK);
        EXPECT_FALSE(dialog.IsEnded());
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Relay function can't be enabled due to no DHCP servers"));
        EXPECT_EQ(ServerSetting(program_), before);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdDhcpSetting));
    EXPECT_TRUE(program_.Operator().boxTexts.empty()) << program_.Operator().boxTexts.size() << " boxes";
}

TEST_F(DhcpE2eTest, RelayServersAreAddedChangedRefusedAndDeleted)
{
    using List = CDhcpRelayServerListDlg;
    using Server = CDhcpRelayServerDlg;
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, 1),
                  (QStringList{QStringLiteral("198. 51.100. 67"), QStringLiteral("198. 51.100. 68")}));
        EXPECT_EQ(ListColumn(rows, 3)[0], QStringLiteral("00:1b:21:3c:4d:5e"));
        e2e::CProgram::SaveScreenshot(list, QStringLiteral("dhcp_relay_servers"));

        // An add of a listed server's address changes that server's row; no row is added and none selected.
        person.OnDialog<Server>([&](Server& add) {
            SetAddress(add, Server::kAddressId, {198, 51, 100, 67});
            Type(add, Server::kVlanId, QStringLiteral("30"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << MessageLine(add).toStdString();
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(rows.model()->rowCount(), 2);
        EXPECT_EQ(ListColumn(rows, 2)[0], QStringLiteral("30"));
        EXPECT_EQ(list.SelectedRow(), -1);
        e2e::CProgram::SaveScreenshot(list, QStringLiteral("dhcp_relay_server_changed_by_add"));
        EXPECT_EQ(ServerRelayVlans(program_), (std::vector<uint16_t>{20, 30}));

        // An address the NE uses itself (its DNS server) is reserved; a new one is added.
        person.OnDialog<Server>([&](Server& add) {
            SetAddress(add, Server::kAddressId, {10, 10, 0, 53});
            Type(add, Server::kVlanId, QStringLiteral("30"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("IP address is reserved"));
            SetAddress(add, Server::kAddressId, {198, 51, 100, 69});
            Type(add, Server::kVlanId, QStringLiteral("1"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << MessageLine(add).toStdString();
        });
        Click(list, kAddButtonId);
        // VLAN IDs 1..4094: one past either end is refused, the last one taken (the first one, the default, above).
        person.OnDialog<Server>([&](Server& add) {
            EXPECT_EQ(e2e::Field(add, Server::kVlanId), QStringLiteral("1"));
            SetAddress(add, Server::kAddressId, {198, 51, 100, 70});
            for (const char* outside : {"0", "4095"}) {
                Type(add, Server::kVlanId, QString::fromLatin1(outside));
                Click(add, IDOK);
                EXPECT_FALSE(add.IsEnded()) << outside;
            }
            EXPECT_EQ(ServerRelayVlans(program_).size(), 3u) << "nothing is sent";
            Type(add, Server::kVlanId, QStringLiteral("4094"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
        });
        Click(list, kAddButtonId);
        // The fifth is refused before it is sent.
        person.OnDialog<Server>([&](Server& add) {
            SetAddress(add, Server::kAddressId, {198, 51, 100, 71});
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("This table is full. Maximum number: 4"));
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(rows.model()->rowCount(), 4);

        // A server keeps its address when its VLAN changes; the change goes as an add of that address, and a refusal
        // of it reads as one.
        program_.ClickListRow(rows, 0);
        ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, kReqDhcpRelayServerAdd.value));
        person.OnDialog<Server>([&](Server& modify) {
            EXPECT_FALSE(modify.GetDlgItem(Server::kAddressId)->isEnabled());
            EXPECT_EQ(e2e::Field(modify, Server::kVlanId), QStringLiteral("30"));
            Type(modify, Server::kVlanId, QStringLiteral("11"));
            Click(modify, IDOK);
            EXPECT_FALSE(modify.IsEnded());
            ASSERT_FALSE(person.boxTexts.empty());
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to add DHCP server")))
                << person.LastBoxText().toStdString();
            Click(modify, IDOK);
            EXPECT_TRUE(modify.IsEnded()) << MessageLine(modify).toStdString();
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(ListColumn(rows, 2)[0], QStringLiteral("11"));

        for (const int row : {3, 2, 1}) {
            program_.ClickListRow(rows, row);
            person.AnswerBox(IDYES);
            Click(list, kDeleteButtonId);
            EXPECT_EQ(rows.model()->rowCount(), row);
        }
        // The relay on, its last server stays.
        program_.ClickListRow(rows, 0);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(MessageLine(list),
                  QStringLiteral("DHCP Relay does disabled. The last relay server should not be deleted."));
        EXPECT_EQ(rows.model()->rowCount(), 1);
        EXPECT_EQ(ServerRelayVlans(program_), (std::vector<uint16_t>{11}));
        // The relay off, the last server goes after the confirmation.
        DhcpSettingRec setting = ServerSetting(program_);
        setting.relay = 0;
        e2e::AddOnServer(program_, kReqDhcp, kNorth1, std::vector{setting});
        program_.ClickListRow(rows, 0);
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(rows.model()->rowCount(), 0);
    });
    ASSERT_TRUE(program_.Command(kCmdRelayServers));
    EXPECT_TRUE(ServerRelayVlans(program_).empty());
}

// The relay servers sort by VLAN ID as numbers, one way and back.
TEST_F(DhcpE2eTest, RelayServersSortByVlanIdAsNumbers)
{
    for (const auto& [last, vlan] : {std::pair<uint8_t, uint16_t>{69, 9}, std::pair<uint8_t, uint16_t>{70, 100}}) {
        DhcpRelayServerRec server;
        server.address = {198, 51, 100, last};
        server.vlanId = vlan;
        server.state = 1;
        e2e::AddOnServer(program_, kReqDhcpRelayServerAdd, kNorth1, std::vector{server});
    }
    QStringList ascending;
    for (const uint16_t vlan : ServerRelayVlans(program_))
        ascending.push_back(QString::number(vlan));
    ASSERT_TRUE(ascending.contains(QStringLiteral("9")) && ascending.contains(QStringLiteral("100")));
    const QStringList descending(ascending.rbegin(), ascending.rend());
    program_.Operator().OnDialog<CDhcpRelayServerListDlg>([&](CDhcpRelayServerListDlg& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        for (const QStringList& sorted : {ascending, descending}) {
            e2e::CProgram::ClickHeader(*rows.header(), 2);
            EXPECT_EQ(ListColumn(rows, 2), sorted);
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdRelayServers));
}

// The list is titled as a list; a server whose VLAN the NE holds out of 1..4094 shows that VLAN as read when it is
// modified, and OK refuses it with the range, sending nothing; the range's ends are taken.
TEST_F(DhcpE2eTest, AServersVlanOutOfRangeIsShownAsReadAndRefusedAtOk)
{
    const struct {
        uint16_t held;
        const char* shown;
        bool taken;
    } rows[] = {{0, "0", false}, {4095, "4095", false}, {1, "1", true}, {4094, "4094", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.held);
        DhcpRelayServerRec server;
        server.address = {198, 51, 100, 90};
        server.vlanId = row.held;
        server.state = 1;
        e2e::AddOnServer(program_, kReqDhcpRelayServerAdd, kNorth1, std::vector{server});
        const std::vector<uint16_t> held = ServerRelayVlans(program_);
        program_.Operator().OnDialog<CDhcpRelayServerListDlg>([&](CDhcpRelayServerListDlg& list) {
            EXPECT_EQ(list.windowTitle(), QStringLiteral("[North:North-1] DHCP Server List for DHCP Relay"));
            QTreeView& servers = *list.FindList(kListControlId);
            program_.ClickListRow(servers, e2e::RowOf(servers, 1, QStringLiteral("198. 51.100. 90")));
            program_.Operator().OnDialog<CDhcpRelayServerDlg>([&](CDhcpRelayServerDlg& modify) {
                EXPECT_EQ(e2e::Field(modify, CDhcpRelayServerDlg::kVlanId), QString::fromLatin1(row.shown));
                Click(modify, IDOK);
                EXPECT_EQ(modify.IsEnded(), row.taken);
                if (!row.taken) {
                    EXPECT_EQ(MessageLine(modify), QStringLiteral("Please enter an integer between 1 and 4094."));
                    e2e::CProgram::SaveScreenshot(modify, QStringLiteral("dhcp_relay_server_vlan_out_of_range"));
                }
                return IDCANCEL;
            });
            Click(list, kModifyButtonId);
            e2e::CProgram::SaveScreenshot(list, QStringLiteral("dhcp_relay_server_list"));
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(kCmdRelayServers));
        EXPECT_EQ(ServerRelayVlans(program_), held) << "nothing else is written";
    }
}

// A port's agent IDs can be changed while the NE is connected and a row is chosen; once the NE drops off the network
// a selected row offers no Modify.
TEST_F(DhcpE2eTest, AgentIdsChangeOnlyOnAConnectedNe)
{
    using List = CXdslPortAgentIdListDlg;
    program_.Operator().OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_FALSE(list.IsControlEnabled(kModifyButtonId)) << "no row chosen yet";
        program_.ClickListRow(rows, 0);
        EXPECT_TRUE(list.IsControlEnabled(kModifyButtonId));
        // The NE's own offline alarm (entity 1, bit 0) raised.
        EXPECT_TRUE(e2e::ServerControl(program_, kNorth1, kSimToggleAlarm, 1, 0));
        EXPECT_TRUE(program_.WaitUntil([] {
            const CNeRecord* ne = AppData().nes.FindNeById(kNorth1);
            return ne != nullptr && !IsNeConnected(*ne);
        }));
        program_.ClickListRow(rows, 1);
        EXPECT_FALSE(list.IsControlEnabled(kModifyButtonId));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAgentIds));
    EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u);
}

TEST_F(DhcpE2eTest, AgentIdsOfAPortAndTheBroadcastLimit)
{
    const QString kRemoteId63 = QStringLiteral("flat-12b") + QString(55, QLatin1Char('r'));
    using List = CXdslPortAgentIdListDlg;
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        const int row = e2e::RowOf(rows, List::kSlotPortColumn, QStringLiteral("1-3"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(ListColumn(rows, 2)[row], QStringLiteral("atm 1/1/3"));
        e2e::CProgram::SaveScreenshot(list, QStringLiteral("dhcp_agent_ids"));
        program_.ClickListRow(rows, row);
        person.OnDialog<CXdslPortAgentIdDlg>([&](CXdslPortAgentIdDlg& dialog) {
            EXPECT_EQ(Field(dialog, CXdslPortAgentIdDlg::kCircuitId), QStringLiteral("atm 1/1/3"));
            // The circuit ID holds 80 characters, the remote ID 63.
            for (const auto& [id, room] :
                 {std::pair{CXdslPortAgentIdDlg::kCircuitId, 80}, std::pair{CXdslPortAgentIdDlg::kRemoteId, 63}}) {
                Type(dialog, id, QString(room + 1, QLatin1Char('x')));
                EXPECT_EQ(Field(dialog, id), QString(room, QLatin1Char('x'))) << id;
            }
            Type(dialog, CXdslPortAgentIdDlg::kCircuitId, QStringLiteral("atm 1/1/3"));
            Type(dialog, CXdslPortAgentIdDlg::kRemoteId, kRemoteId63);
            e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("dhcp_agent_id"));
            Click(dialog, IDOK);
            EXPECT_TRUE(dialog.IsEnded());
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(ListColumn(rows, 3)[row], kRemoteId63);
    });
    ASSERT_TRUE(program_.Command(kCmdAgentIds));
    // A remote ID of its full 63 characters is written whole.
    const std::vector<DhcpAgentIdRec> ids = program_.ServerRecords(kReqDhcpAgentId, kNorth1);
    EXPECT_TRUE(std::any_of(ids.begin(), ids.end(), [&](const DhcpAgentIdRec& rec) {
        return rec.portId == 10103 && rec.remoteId == kRemoteId63.toStdString();
    }));

    using Dlg = CDhcpBroadcastControlDlg;
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        EXPECT_EQ(Field(dialog, Dlg::kRateId), QStringLiteral("2000"));
        EXPECT_EQ(Field(dialog, Dlg::kActionId), QStringLiteral("drop packet"));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("dhcp_broadcast_control"));
        for (const char* outside : {"0", "100001"}) {
            Type(dialog, Dlg::kRateId, QString::fromLatin1(outside));
            Click(dialog, IDOK);
            EXPECT_FALSE(dialog.IsEnded()) << outside;
        }
        Type(dialog, Dlg::kRateId, QStringLiteral("100000"));
        ASSERT_TRUE(Choose(dialog, Dlg::kActionId, QStringLiteral("drop packet and send alarm")));
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
    });
    ASSERT_TRUE(program_.Command(kCmdBroadcastControl));
    const std::vector<DhcpBroadcastControlRec> kept = program_.ServerRecords(kReqDhcpBroadcast, kNorth1);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept.front().rateLimit, 100000u) << "the highest rate limit is taken";
    EXPECT_EQ(kept.front().action, 3u);
    EXPECT_EQ(kept.front().state, 1u);

    // The last action the NE may name, and one past it, which shows as no action.
    for (const auto& [action, shown] : {std::pair{3u, "drop packet and send alarm"}, std::pair{4u, "no action"}}) {
        DhcpBroadcastControlRec rec = kept.front();
        rec.action = action;
        e2e::AddOnServer(program_, kReqDhcpBroadcast, kNorth1, std::vector{rec});
        const QString text = QString::fromLatin1(shown);
        person.OnDialog<Dlg>([&](Dlg& dialog) {
            EXPECT_EQ(Field(dialog, Dlg::kActionId), text);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(kCmdBroadcastControl));
    }
}

} // namespace
