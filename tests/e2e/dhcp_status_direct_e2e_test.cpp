// DHCP and the xDSL status lists in direct mode, on the simulated IPD-48 over SNMP: the DHCP setting, relay servers,
// option-82 agent IDs and broadcast limit are read from and written to the NE's private subtree, which refuses a
// fifth relay server; the DHCP transactions, the filtering database (an entry deleted), the spoofed addresses (one
// permitted), the broadcast VLANs and the multicast channels and groups of its line cards are the NE's own tables.

#include "tests/e2e/support/direct_ne_test.h"

#include "features/performance/status_lists/dhcp_transaction_list_dlg.h"
#include "features/performance/status_lists/multicast_channel_status_dlg.h"
#include "features/performance/status_lists/multicast_group_member_dlg.h"
#include "features/performance/status_lists/xdsl_broadcast_filter_dlg.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "features/performance/status_lists/xdsl_mac_spoof_status_list_dlg.h"
#include "features/provisioning/dhcp/dhcp_broadcast_control_dlg.h"
#include "features/provisioning/dhcp/dhcp_relay_server_dlg.h"
#include "features/provisioning/dhcp/dhcp_relay_server_list_dlg.h"
#include "features/provisioning/dhcp/dhcp_setting_dlg.h"
#include "features/provisioning/dhcp/xdsl_port_agent_id_dlg.h"
#include "features/provisioning/dhcp/xdsl_port_agent_id_list_dlg.h"
#include "platform/ip_address_edit.h"

#include <QListWidget>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdDhcpSetting = 33158;
constexpr int kCmdRelayServers = 33159;
constexpr int kCmdBroadcastControl = 33182;
constexpr int kCmdAgentIds = 33160;
constexpr int kCmdDhcpTransactions = 33209;
constexpr int kCmdFdb = 33117;
constexpr int kCmdMacSpoofing = 33196;
constexpr int kCmdBroadcastVlans = 33195;
constexpr int kCmdMcChannelStatus = 33118;
constexpr int kCmdMcGroupMembers = 33119;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::IsChecked;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;

class DhcpStatusDirectE2eTest : public e2e::CDirectNeTest {
protected:
    // Adds a relay server through the list; false when the dialog stayed open.
    bool AddRelayServer(CDhcpRelayServerListDlg& list, const std::array<uint8_t, 4>& address, const QString& vlan)
    {
        bool ended = false;
        program_.Operator().OnDialog<CDhcpRelayServerDlg>([&](CDhcpRelayServerDlg& add) {
            add.GetDlgItemAs<IpAddressEdit>(CDhcpRelayServerDlg::kAddressId)->SetAddress(address);
            Type(add, CDhcpRelayServerDlg::kVlanId, vlan);
            Click(add, IDOK);
            ended = add.IsEnded();
            if (!ended)
                Click(add, IDCANCEL);
        });
        Click(list, kAddButtonId);
        return ended;
    }
};

TEST_F(DhcpStatusDirectE2eTest, TheDhcpServicesAreTheNesPrivateScalarsAndTables)
{
    e2e::COperator& person = program_.Operator();
    using Setting = CDhcpSettingDlg;
    person.OnDialog<Setting>([&](Setting& dialog) {
        EXPECT_TRUE(IsChecked(dialog, Setting::kRelayEnabledId));
        EXPECT_TRUE(IsChecked(dialog, Setting::kOption82DisabledId));
        Check(dialog, Setting::kOption82EnabledId);
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
    });
    ASSERT_TRUE(program_.Command(kCmdDhcpSetting));
    person.OnDialog<Setting>([&](Setting& dialog) {
        EXPECT_TRUE(IsChecked(dialog, Setting::kOption82EnabledId)) << "read back from the NE";
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdDhcpSetting));

    using Servers = CDhcpRelayServerListDlg;
    person.OnDialog<Servers>([&](Servers& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, 1), QStringList{QStringLiteral("192.  0.  2. 67")});
        EXPECT_EQ(ListColumn(rows, 3)[0], QStringLiteral("00:1b:21:3c:4d:60"));
        EXPECT_TRUE(AddRelayServer(list, {192, 0, 2, 68}, QStringLiteral("20")));
        EXPECT_TRUE(AddRelayServer(list, {192, 0, 2, 69}, QStringLiteral("30")));
        EXPECT_TRUE(AddRelayServer(list, {192, 0, 2, 70}, QStringLiteral("40")));
        EXPECT_EQ(rows.model()->rowCount(), 4);
        // The NE counts its four: a fifth is not asked for.
        EXPECT_FALSE(AddRelayServer(list, {192, 0, 2, 71}, QStringLiteral("50")));
        // A server's VLAN changed: the NE takes the add of the address it has as a change.
        program_.ClickListRow(rows, 1);
        person.OnDialog<CDhcpRelayServerDlg>([&](CDhcpRelayServerDlg& modify) {
            EXPECT_EQ(Field(modify, CDhcpRelayServerDlg::kVlanId), QStringLiteral("20"));
            Type(modify, CDhcpRelayServerDlg::kVlanId, QStringLiteral("25"));
            Click(modify, IDOK);
            EXPECT_TRUE(modify.IsEnded()) << MessageLine(modify).toStdString();
        });
        Click(list, kModifyButtonId);
        program_.ClickListRow(rows, 3);
        person.AnswerBox(IDYES);
        // The confirmation warns of what it asks.
        bool warns = false;
        person.onBox = [&](QDialog& box) { warns = e2e::BoxShowsIcon(box, QStyle::SP_MessageBoxWarning); };
        Click(list, kDeleteButtonId);
        person.onBox = nullptr;
        EXPECT_TRUE(warns);
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(rows, 2), (QStringList{QStringLiteral("10"), QStringLiteral("25"), QStringLiteral("30")}));
    });
    ASSERT_TRUE(program_.Command(kCmdRelayServers));

    using Agents = CXdslPortAgentIdListDlg;
    person.OnDialog<Agents>([&](Agents& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, Agents::kSlotPortColumn),
                  (QStringList{QStringLiteral("1-1-1"), QStringLiteral("1-1-2")}));
        program_.ClickListRow(rows, 0);
        person.OnDialog<CXdslPortAgentIdDlg>([&](CXdslPortAgentIdDlg& dialog) {
            EXPECT_EQ(Field(dialog, CXdslPortAgentIdDlg::kCircuitId), QStringLiteral("atm 1/1/1"));
            Type(dialog, CXdslPortAgentIdDlg::kRemoteId, QStringLiteral("flat-3a"));
            Click(dialog, IDOK);
            EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
        });
        Click(list, kModifyButtonId);
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(rows, 3), (QStringList{QStringLiteral("flat-3a"), QStringLiteral("cust-0102")}));
    });
    ASSERT_TRUE(program_.Command(kCmdAgentIds));

    using Broadcast = CDhcpBroadcastControlDlg;
    person.OnDialog<Broadcast>([&](Broadcast& dialog) {
        EXPECT_EQ(Field(dialog, Broadcast::kRateId), QStringLiteral("500"));
        EXPECT_EQ(Field(dialog, Broadcast::kActionId), QStringLiteral("drop packet and send alarm"));
        Type(dialog, Broadcast::kRateId, QStringLiteral("750"));
        ASSERT_TRUE(Choose(dialog, Broadcast::kActionId, QStringLiteral("send alarm")));
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
    });
    ASSERT_TRUE(program_.Command(kCmdBroadcastControl));
    person.OnDialog<Broadcast>([&](Broadcast& dialog) {
        EXPECT_EQ(Field(dialog, Broadcast::kRateId), QStringLiteral("750"));
        EXPECT_EQ(Field(dialog, Broadcast::kActionId), QStringLiteral("send alarm"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdBroadcastControl));
}

TEST_F(DhcpStatusDirectE2eTest, TheStatusListsAreTheNesTablesOfItsLineCards)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CDhcpTransactionListDlg>([&](CDhcpTransactionListDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        // The first card's, the second card's transaction not among them.
        EXPECT_EQ(ListColumn(list, 1), (QStringList{QStringLiteral("1-1-1"), QStringLiteral("1-1-2")}));
        EXPECT_EQ(ListColumn(list, 5), (QStringList{QStringLiteral("0x1a2b3c4d"), QStringLiteral("0x00c0ffee")}));
        EXPECT_EQ(ListColumn(list, 8), (QStringList{QStringLiteral("Bound"), QStringLiteral("Init")}));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("dhcp_transactions_direct"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdDhcpTransactions));

    using Fdb = CXdslFdbListDlg;
    person.OnDialog<Fdb>([&](Fdb& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(
            ListColumn(list, Fdb::kStatusColumn),
            (QStringList{QStringLiteral("Learned Unique"), QStringLiteral("Static"), QStringLiteral("Virtual MAC")}));
        program_.ClickListRow(list, 1);
        person.AnswerBox(IDYES);
        Click(dialog, kDeleteButtonId);
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(ListColumn(list, Fdb::kStatusColumn),
                  (QStringList{QStringLiteral("Learned Unique"), QStringLiteral("Virtual MAC")}))
            << "the NE has destroyed the static entry's row";
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdFdb));

    // The address found on two ports of the second card: permitted on the first, it is spoofed nowhere.
    using Spoof = CXdslMacSpoofStatusListDlg;
    person.OnDialog<Spoof>([&](Spoof& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(ListColumn(list, 1), (QStringList{QStringLiteral("1-2-1"), QStringLiteral("1-2-5")}));
        program_.ClickListRow(list, 0);
        person.AnswerBox(IDYES);
        Click(dialog, Spoof::kPermitId);
        EXPECT_EQ(list.model()->rowCount(), 0) << MessageLine(dialog).toStdString();
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdMacSpoofing));
    person.OnDialog<Fdb>([&](Fdb& dialog) {
        ASSERT_TRUE(Choose(dialog, CXdslStatusScope::kSlotComboId, QStringLiteral("2")));
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(ListColumn(*dialog.FindList(kListControlId), Fdb::kStatusColumn),
                  QStringList{QStringLiteral("Learned Unique")});
    });
    ASSERT_TRUE(program_.Command(kCmdFdb));

    person.OnDialog<CXdslBroadcastFilterDlg>([&](CXdslBroadcastFilterDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(list.model()->rowCount(), 1);
        EXPECT_EQ(ListColumn(list, 0).value(0) + ',' + ListColumn(list, 1).value(0) + ',' +
                      ListColumn(list, 2).value(0),
                  QStringLiteral("10,20,300"));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("broadcast_vlans_direct"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdBroadcastVlans));

    person.OnDialog<CMulticastChannelStatusDlg>([&](CMulticastChannelStatusDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(ListColumn(list, 2), QStringList{QStringLiteral("239.2.2.20")});
        EXPECT_EQ(ListColumn(list, CMulticastChannelStatusDlg::kStateColumn), QStringList{QStringLiteral("active")});
        EXPECT_EQ(program_.RightClickListRow(list, 0), (std::vector<int>{33024, 33023})) << "the generic list popup";
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdMcChannelStatus));

    using Groups = CMulticastGroupMemberDlg;
    person.OnDialog<Groups>([&](Groups& dialog) {
        auto* channels = dialog.GetDlgItemAs<QListWidget>(Groups::kChannelListId);
        EXPECT_EQ(channels->count(), 2);
        EXPECT_EQ(Field(dialog, Groups::kReporterId), QStringLiteral("10.30.1.11\n1-1-1"));
        QTreeView& grid = *dialog.FindList(kListControlId);
        EXPECT_EQ(ListColumn(grid, Groups::kFirstPortColumn).value(0), QStringLiteral("Y"));
        EXPECT_EQ(program_.RightClickListRow(grid, 0), (std::vector<int>{33024, 33023})) << "the generic list popup";
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdMcGroupMembers));
}

} // namespace
