// The xDSL status lists in the running program against the simulated server, on North-1: the DHCP transactions of a
// line card and of one of its ports, and the filtering database, whose static entry is deleted (after the server
// refused it once) while an entry the NE keeps for a virtual MAC cannot be; the spoofed addresses, the multicast
// channels (the uplink module among the cards as "GE") and groups, the broadcast VLANs of a card, and the VLAN
// columns that follow the control module's tagged mode.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/server_alarms.h"

#include "core/list/list_sort.h"
#include "core/tables/ne_table.h"
#include "features/performance/status_lists/dhcp_transaction_list_dlg.h"
#include "features/performance/status_lists/multicast_channel_status_dlg.h"
#include "features/performance/status_lists/multicast_group_member_dlg.h"
#include "features/performance/status_lists/xdsl_broadcast_filter_dlg.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "features/performance/status_lists/xdsl_mac_spoof_status_list_dlg.h"
#include "features/performance/status_lists/xdsl_status_list_dlg.h"
#include "link/ems_msg.h"
#include "link/records/board_setting_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kCmdBroadcastVlans = 33195;
constexpr int kCmdDhcpTransactions = 33209;
constexpr int kCmdFdb = 33117;
constexpr int kCmdMacSpoofing = 33196;
constexpr int kCmdMcChannelStatus = 33118;
constexpr int kCmdMcGroupMembers = 33119;
using e2e::Choose;
using e2e::Click;
using e2e::kNorth1;
using e2e::ListColumn;

class XdslStatusListsE2eTest : public e2e::CNorth1Test {
protected:
    bool ServerHasFdb(uint32_t portId, uint16_t vci)
    {
        const std::vector<FdbEntryRec> kept = program_.ServerRecords(kReqFdb, kNorth1);
        return std::any_of(kept.begin(), kept.end(),
                           [&](const FdbEntryRec& rec) { return rec.portId == portId && rec.vci == vci; });
    }

    // North-1's control module runs untagged, as the board settings that follow the NE's selection tell; another
    // workstation then has it run tagged, and the VLAN columns show.
    void RunTagged()
    {
        ASSERT_TRUE(program_.WaitUntil([] { return CXdslStatusScope::VlanColumnHidden(FindNeById(kNorth1)); }))
            << "the board settings come after the selection";
        BoardSettingRec tagged;
        tagged.entityId = 10500;
        tagged.taggedMode = 1;
        const auto bytes = EncodeRecord(tagged);
        server_test::CRawClient& probe = program_.ServerProbe();
        ASSERT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqBoardSetting, kNorth1, {bytes.begin(), bytes.end()}, kBoardSettingRecSize)));
        ASSERT_TRUE(program_.WaitUntil([] { return !CXdslStatusScope::VlanColumnHidden(FindNeById(kNorth1)); }));
    }
};

TEST_F(XdslStatusListsE2eTest, DhcpTransactionsOfACardAndOfAPort)
{
    using Dlg = CDhcpTransactionListDlg;
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(dialog.findChildren<QComboBox*>().size(), 2) << "a Slot and a Port combo only";
        EXPECT_EQ(e2e::Field(dialog, CXdslStatusScope::kSlotComboId), QStringLiteral("1"));
        EXPECT_EQ(e2e::ListTitles(list).join('|'),
                  QStringLiteral("No.|Slot-Port|VPI|VCI|VLAN ID|Transaction ID|Client MAC|Assigned IP|State"));
        EXPECT_EQ(ListColumn(list, 1),
                  (QStringList{QStringLiteral("1-5"), QStringLiteral("1-6"), QStringLiteral("1-8")}));
        EXPECT_EQ(ListColumn(list, 5)[0], QStringLiteral("0x3903f326"));
        EXPECT_EQ(ListColumn(list, 7)[0], QStringLiteral("10.20.5.101"));
        EXPECT_EQ(ListColumn(list, 8),
                  (QStringList{QStringLiteral("Bound"), QStringLiteral("Select"), QStringLiteral("Unknown")}));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("dhcp_transactions"));
        // One port: its transactions only, once the list is asked again.
        ASSERT_TRUE(Choose(dialog, CXdslStatusScope::kPortComboId, QStringLiteral("8")));
        EXPECT_EQ(list.model()->rowCount(), 3);
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(ListColumn(list, 1), QStringList{QStringLiteral("1-8")});
    });
    ASSERT_TRUE(program_.Command(kCmdDhcpTransactions));
}

TEST_F(XdslStatusListsE2eTest, FilteringDatabaseEntriesAreListedAndAStaticOneDeleted)
{
    using Dlg = CXdslFdbListDlg;
    RunTagged(); // the VLAN column sorts
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(e2e::ListTitles(list).join('|'),
                  QStringLiteral("No.|Slot-Port|VPI|VCI|MAC Address|VLAN ID|Status|EntIndex"));
        // Slot 1's entries; slot 2's is another card's.
        EXPECT_EQ(
            ListColumn(list, Dlg::kStatusColumn),
            (QStringList{QStringLiteral("Learned Unique"), QStringLiteral("Learned Unique"), QStringLiteral("Static"),
                         QStringLiteral("Learned Spoofed Active"), QStringLiteral("Virtual MAC")}));
        EXPECT_EQ(ListColumn(list, 5)[4], QStringLiteral("-"));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("fdb_entries"));
        // By VLAN ID, then by VPI before the port: port 2's PVC 8/35 after port 5's of VPI 0.
        list.scrollTo(list.model()->index(0, 5));
        program_.ClickHeader(*list.header(), 5);
        EXPECT_EQ(program_.ShownColumn(list, 1),
                  (QStringList{QStringLiteral("1-6"), QStringLiteral("1-1"), QStringLiteral("1-5"),
                               QStringLiteral("1-5"), QStringLiteral("1-2")}));
        list.scrollTo(list.model()->index(0, 0));
        program_.ClickHeader(*list.header(), 0);

        // Neither the NE's entry of a virtual MAC nor one it found spoofed can be deleted; a static one can.
        program_.ClickListRow(list, 4);
        EXPECT_FALSE(dialog.GetDlgItem(kDeleteButtonId)->isEnabled());
        program_.ClickListRow(list, 3);
        EXPECT_FALSE(dialog.GetDlgItem(kDeleteButtonId)->isEnabled());
        program_.ClickListRow(list, 2);
        EXPECT_TRUE(dialog.GetDlgItem(kDeleteButtonId)->isEnabled());

        // The server refuses the first delete: the entry stays on both sides.
        ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextChange, kReqFdbDelete.value));
        person.AnswerBox(IDYES);
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(list.model()->rowCount(), 5);
        EXPECT_TRUE(ServerHasFdb(10105, 35));

        program_.ClickListRow(list, 2);
        person.AnswerBox(IDYES);
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(list.model()->rowCount(), 4);

        // Slot 2's entry found spoofed but inactive cannot be deleted either (the slot is asked at the refresh).
        ASSERT_TRUE(Choose(dialog, CXdslStatusScope::kSlotComboId, QStringLiteral("2")));
        Click(dialog, kRefreshButtonId);
        const int inactive = e2e::RowOf(list, Dlg::kStatusColumn, QStringLiteral("Learned Spoofed Inactive"));
        ASSERT_GE(inactive, 0) << ListColumn(list, Dlg::kStatusColumn).join(',').toStdString();
        program_.ClickListRow(list, inactive);
        EXPECT_FALSE(dialog.GetDlgItem(kDeleteButtonId)->isEnabled());
    });
    ASSERT_TRUE(program_.Command(kCmdFdb));
    EXPECT_FALSE(ServerHasFdb(10105, 35));
    EXPECT_TRUE(ServerHasFdb(10106, 35));
}

// Each column of the filtering database sorts by its cells, then by further keys of its own, both ways: slot 1's
// entries tie on their VPI, their VCI, their VLAN and their status; two more, of VPI 10 and of VCI 100, tell numbers
// from texts in the further keys.
TEST_F(XdslStatusListsE2eTest, FilteringDatabaseColumnsSortByTheirFurtherKeys)
{
    using Dlg = CXdslFdbListDlg;
    RunTagged(); // the VLAN column sorts
    server_test::CRawClient& probe = program_.ServerProbe();
    for (const auto& [port, vpi, vci] : {std::tuple{10103u, 0, 100}, std::tuple{10104u, 10, 35}}) {
        FdbEntryRec learned;
        learned.portId = port;
        learned.vpi = static_cast<uint8_t>(vpi);
        learned.vci = static_cast<uint16_t>(vci);
        learned.mac = {0x00, 0x1e, 0xc9, 0x00, static_cast<uint8_t>(port % 100), 0x01};
        learned.status = 1;
        learned.vlanId = port == 10104u ? 99 : 300; // 99 before 101 and 300 as numbers
        const auto bytes = EncodeRecord(learned);
        ASSERT_TRUE(
            probe.ReplyTo(probe.Send(kEmsOpModify, kReqFdb, kNorth1, {bytes.begin(), bytes.end()}, kFdbEntryRecSize)));
    }
    constexpr int kPortId = 7; // the hidden column of the port's entity id
    struct Key {
        int column;
        bool number; // else text
    };
    const struct {
        int column;
        std::vector<Key> keys;
    } sorts[] = {
        {1, {{kPortId, true}, {2, true}, {3, true}, {4, false}}}, // Slot-Port
        {2, {{2, true}, {3, true}, {kPortId, true}, {4, false}}}, // VPI
        {3, {{3, true}, {2, true}, {kPortId, true}, {4, false}}}, // VCI
        {5, {{5, true}, {2, true}, {kPortId, true}, {4, false}}}, // VLAN ID ("-" for none reads 0)
        {4, {{4, false}, {kPortId, true}, {2, true}, {3, true}}}, // MAC Address
        {6, {{6, false}, {kPortId, true}, {2, true}, {3, true}}}, // Status
    };
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        ASSERT_EQ(list.model()->rowCount(), 7);
        for (const auto& sort : sorts) {
            std::vector<bool> seen;
            for (int click = 0; click < 2; ++click) {
                list.scrollTo(list.model()->index(0, sort.column));
                program_.ClickHeader(*list.header(), sort.column);
                EXPECT_EQ(dialog.GetSortColumn(), sort.column);
                const bool ascending = dialog.GetSortDirection() == kSortAscending;
                seen.push_back(ascending);
                std::vector<QStringList> cells;
                for (const Key& key : sort.keys)
                    cells.push_back(ListColumn(list, key.column));
                const auto compare = [&](int a, int b) {
                    for (size_t k = 0; k < sort.keys.size(); ++k) {
                        const QString& x = cells[k][a];
                        const QString& y = cells[k][b];
                        const int byKey = sort.keys[k].number ? (x.toULongLong() > y.toULongLong()) -
                                                                    (x.toULongLong() < y.toULongLong())
                                                              : x.compare(y);
                        if (byKey != 0)
                            return byKey;
                    }
                    return 0;
                };
                for (int row = 1; row < 7; ++row) {
                    EXPECT_EQ(compare(row - 1, row) < 0, ascending)
                        << "column " << sort.column << ", row " << row << ": "
                        << ListColumn(list, 0).join(',').toStdString();
                }
            }
            EXPECT_NE(seen[0], seen[1]) << "column " << sort.column << " both ways";
        }
    });
    ASSERT_TRUE(program_.Command(kCmdFdb));
}

TEST_F(XdslStatusListsE2eTest, ASpoofedAddressIsNarrowedToAndPermittedInOnePlace)
{
    using Dlg = CXdslMacSpoofStatusListDlg;
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(e2e::ListTitles(list).join('|'),
                  QStringLiteral("No.|Slot-Port|VPI|VCI|MAC Address|VLAN ID|Status|EntIndex"));
        // The address found on two ports; the other entries of the filtering database are no spoofing.
        EXPECT_EQ(ListColumn(list, 1), (QStringList{QStringLiteral("1-5"), QStringLiteral("2-2")}));
        EXPECT_EQ(ListColumn(list, 6),
                  (QStringList{QStringLiteral("Learned Spoofed Active"), QStringLiteral("Learned Spoofed Inactive")}));
        auto* addresses = dialog.GetDlgItemAs<QListWidget>(Dlg::kMacListId);
        ASSERT_EQ(addresses->count(), 2);
        EXPECT_EQ(addresses->item(1)->text(), QStringLiteral("00:1e:c9:00:05:02"));
        addresses->setCurrentRow(1);
        EXPECT_EQ(list.model()->rowCount(), 2);
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("mac_spoofing"));

        EXPECT_FALSE(dialog.GetDlgItem(Dlg::kPermitId)->isEnabled());
        program_.ClickListRow(list, 0);
        EXPECT_TRUE(dialog.GetDlgItem(Dlg::kPermitId)->isEnabled());
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kPermitId);
        // Permitted on 1-5, the address is spoofed nowhere any more.
        EXPECT_EQ(list.model()->rowCount(), 0);
    });
    ASSERT_TRUE(program_.Command(kCmdMacSpoofing));
    const std::vector<FdbEntryRec> kept = program_.ServerRecords(kReqFdb, kNorth1);
    EXPECT_TRUE(std::any_of(kept.begin(), kept.end(), [](const FdbEntryRec& rec) {
        return rec.portId == 10105 && rec.vci == 36 && rec.status == 1;
    }));
    EXPECT_FALSE(ServerHasFdb(10202, 35));
}

// Deny All asks first, then has the NE deny the address in every place it was found: it is spoofed nowhere any more.
// A place on the control module's uplink can be denied but not permitted.
TEST_F(XdslStatusListsE2eTest, ASpoofedAddressIsDeniedEverywhereOnceConfirmed)
{
    constexpr uint32_t kUplink = 10501;
    FdbEntryRec onUplink;
    onUplink.portId = kUplink;
    onUplink.mac = {0x00, 0x1e, 0xc9, 0x00, 0x05, 0x02};
    onUplink.status = 3;
    const auto bytes = EncodeRecord(onUplink);
    server_test::CRawClient& probe = program_.ServerProbe();
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqFdb, kNorth1, {bytes.begin(), bytes.end()}, kFdbEntryRecSize)));
    using Dlg = CXdslMacSpoofStatusListDlg;
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        ASSERT_EQ(list.model()->rowCount(), 3);
        // A line port's place may be permitted; the uplink's, shown without VPI, may not.
        const int uplink = static_cast<int>(ListColumn(list, 2).indexOf(QString()));
        ASSERT_GE(uplink, 0) << "the uplink's place has no VPI";
        program_.ClickListRow(list, uplink == 0 ? 1 : 0);
        EXPECT_TRUE(dialog.GetDlgItem(Dlg::kPermitId)->isEnabled());
        program_.ClickListRow(list, uplink);
        EXPECT_FALSE(dialog.GetDlgItem(Dlg::kPermitId)->isEnabled());
        EXPECT_EQ(program_.RightClickListRow(list, uplink),
                  (std::vector<int>{33084, Dlg::kPopupDenyAll, 33024, 33023}));
        ASSERT_TRUE(dialog.GetDlgItem(Dlg::kDenyAllId)->isEnabled());
        person.AnswerBox(IDNO);
        Click(dialog, Dlg::kDenyAllId);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to deny all data?"));
        EXPECT_EQ(list.model()->rowCount(), 3) << "No sends nothing";
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kDenyAllId);
        EXPECT_EQ(list.model()->rowCount(), 0);
    });
    ASSERT_TRUE(program_.Command(kCmdMacSpoofing));
    // Every place of the address is denied by access control (status 4), neither permitted nor dropped.
    const std::vector<FdbEntryRec> kept = program_.ServerRecords(kReqFdb, kNorth1);
    for (const auto& [port, vci] : {std::pair{10105u, 36}, std::pair{10202u, 35}, std::pair{kUplink, 0}}) {
        EXPECT_TRUE(std::any_of(kept.begin(), kept.end(), [&](const FdbEntryRec& rec) {
            return rec.portId == port && rec.vci == vci && rec.status == 4;
        })) << port;
    }
}

TEST_F(XdslStatusListsE2eTest, MulticastChannelsJoinedOnACardAndOnOnePort)
{
    using Dlg = CMulticastChannelStatusDlg;
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        // The hidden VLAN column takes one kind character: the second is its title's.
        EXPECT_EQ(e2e::ListTitles(list).join('|'),
                  QStringLiteral("No.|Slot-Port|Multicast Channel|#<VLAN|Client IP|Client MAC|State|PhyIdx"));
        // Port by port in the port combo's order, each port's clients in the order the NE answered them.
        EXPECT_EQ(ListColumn(list, 1),
                  (QStringList{QStringLiteral("1-1"), QStringLiteral("1-3"), QStringLiteral("1-3")}));
        EXPECT_EQ(ListColumn(list, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        EXPECT_EQ(ListColumn(list, 4), (QStringList{QStringLiteral("10.20.1.21"), QStringLiteral("10.20.3.5"),
                                                    QStringLiteral("10.20.3.40")}));
        EXPECT_EQ(ListColumn(list, Dlg::kStateColumn),
                  (QStringList{QStringLiteral("active"), QStringLiteral("active"), QStringLiteral("polling")}));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("multicast_channel_status"));
        // The generic list popup: Export and Close.
        EXPECT_EQ(program_.RightClickListRow(list, 0), (std::vector<int>{33024, 33023}));
        // By channel as text (239.1.1.10 before 239.1.1.9), then by VLAN: the client of VLAN 99 before that of VLAN
        // 101.
        program_.ClickHeader(*list.header(), 2);
        EXPECT_EQ(program_.ShownColumn(list, 4), (QStringList{QStringLiteral("10.20.3.5"), QStringLiteral("10.20.1.21"),
                                                              QStringLiteral("10.20.3.40")}));
        // The client address as text: 10.20.3.40 before 10.20.3.5.
        program_.ClickHeader(*list.header(), 4);
        EXPECT_EQ(
            program_.ShownColumn(list, 4),
            (QStringList{QStringLiteral("10.20.1.21"), QStringLiteral("10.20.3.40"), QStringLiteral("10.20.3.5")}));
        // Slot-Port sorts by the order the NE answered.
        program_.ClickHeader(*list.header(), 1);
        EXPECT_EQ(program_.ShownColumn(list, 4), (QStringList{QStringLiteral("10.20.1.21"), QStringLiteral("10.20.3.5"),
                                                              QStringLiteral("10.20.3.40")}));
        // One port: drawn from the card's answer, not asked again (the server would refuse it).
        ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, kReqMcChannelStatus.value));
        const size_t boxes = program_.Operator().boxTexts.size();
        ASSERT_TRUE(Choose(dialog, CXdslStatusScope::kPortComboId, QStringLiteral("3")));
        EXPECT_EQ(program_.Operator().boxTexts.size(), boxes) << "no refusal to tell";
        EXPECT_EQ(ListColumn(list, 4), (QStringList{QStringLiteral("10.20.3.5"), QStringLiteral("10.20.3.40")}));
    });
    ASSERT_TRUE(program_.Command(kCmdMcChannelStatus));
}

TEST_F(XdslStatusListsE2eTest, MulticastGroupMembersOfEachChannel)
{
    using Dlg = CMulticastGroupMemberDlg;
    // The grid's columns are the group grid's own string, which the VLAN membership grid's text matches: a text told
    // apart here shows which one the grid reads.
    AppStrings().Parse(std::to_string(kStrColumnsGroupMembers) +
                           "\tColumnsGroupMembers\t>   |#<Slot|#^Ports|`^1|`^2|`^3|`^4|`^5|`^6|`^7|`^8|`^9|`^10\n",
                       "marks");
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& grid = *dialog.FindList(kListControlId);
        auto* channels = dialog.GetDlgItemAs<QListWidget>(Dlg::kChannelListId);
        ASSERT_EQ(channels->count(), 2);
        // 239.1.1.10: ports 1-1 and 1-3 and the first uplink.
        EXPECT_EQ(e2e::Field(dialog, Dlg::kMemberCountId), QStringLiteral("3"));
        EXPECT_EQ(e2e::Field(dialog, Dlg::kReporterId), QStringLiteral("10.20.3.40\n1-3"));
        EXPECT_EQ(ListColumn(grid, Dlg::kFirstPortColumn)[0], QStringLiteral("Y"));
        EXPECT_EQ(ListColumn(grid, Dlg::kFirstPortColumn + 1)[0], QStringLiteral("N"));
        EXPECT_EQ(ListColumn(grid, Dlg::kFirstPortColumn + 2)[0], QStringLiteral("Y"));
        const int uplinks = grid.model()->rowCount() - 1;
        EXPECT_EQ(ListColumn(grid, Dlg::kFirstPortColumn)[uplinks], QStringLiteral("Y"));
        // Each line card in rows of ten ports, the last of ports 41 to 48; then the uplinks.
        EXPECT_EQ(e2e::ListTitles(grid).value(2), QStringLiteral("Ports"));
        const QStringList portLists = ListColumn(grid, 2);
        EXPECT_EQ(portLists.mid(0, 5).join(','), QStringLiteral("01-10,11-20,21-30,31-40,41-48"));
        EXPECT_EQ(ListColumn(grid, 0).mid(0, 6).join(','), QStringLiteral("1,2,3,4,5,6"));
        EXPECT_EQ(ListColumn(grid, 1).value(uplinks) + '/' + portLists.value(uplinks), QStringLiteral("NC/GE"));
        EXPECT_EQ(ListColumn(grid, Dlg::kFirstPortColumn + 8).value(4), QString()) << "no ports 49 and 50";
        EXPECT_EQ(e2e::CellImage(grid, 0, Dlg::kFirstPortColumn), kImageMember);
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("multicast_group_members"));
        // The generic list popup: Export and Close.
        EXPECT_EQ(program_.RightClickListRow(grid, 0), (std::vector<int>{33024, 33023}));
        channels->setCurrentRow(1);
        EXPECT_EQ(ListColumn(grid, Dlg::kFirstPortColumn)[0], QStringLiteral("N"));
        EXPECT_EQ(ListColumn(grid, Dlg::kFirstPortColumn + 2)[0], QStringLiteral("Y"));
        EXPECT_EQ(ListColumn(grid, Dlg::kFirstPortColumn)[uplinks], QStringLiteral("N"));
        EXPECT_EQ(e2e::Field(dialog, Dlg::kReporterId), QStringLiteral("10.20.3.40"));
        // Refresh keeps the channel chosen; after a refused query the next Refresh shows the first channel.
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(channels->currentRow(), 1);
        EXPECT_EQ(e2e::Field(dialog, Dlg::kReporterId), QStringLiteral("10.20.3.40"));
        ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, kReqMcGroupMember.value));
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(channels->count(), 0);
        EXPECT_EQ(e2e::MessageLine(dialog), QStringLiteral("Please select one item"));
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(channels->currentRow(), 0);
        EXPECT_EQ(e2e::Field(dialog, Dlg::kReporterId), QStringLiteral("10.20.3.40\n1-3"));
    });
    ASSERT_TRUE(program_.Command(kCmdMcGroupMembers));
}

TEST_F(XdslStatusListsE2eTest, BroadcastVlansOfALineCardFiveToARowAfterARefusedQuery)
{
    using Dlg = CXdslBroadcastFilterDlg;
    e2e::COperator& person = program_.Operator();
    // The server refuses the first query: the failure box, and an empty list until Refresh.
    ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, kReqBroadcastVlan.value));
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(list.model()->rowCount(), 0);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query")));
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(e2e::ListTitles(list).join('|'), QStringLiteral("1st Vlan|2nd Vlan|3rd Vlan|4th Vlan|5th Vlan"));
        // Slot 1 forwards VLANs 1, 2 and 4095: one row, the last id at the end of the map.
        ASSERT_EQ(list.model()->rowCount(), 1);
        EXPECT_EQ(ListColumn(list, 0)[0] + ListColumn(list, 1)[0] + ',' + ListColumn(list, 2)[0] + ',' +
                      ListColumn(list, 3)[0],
                  QStringLiteral("12,4095,"));
        // Slot 2's seven VLANs: a second row after the fifth.
        ASSERT_TRUE(Choose(dialog, CXdslStatusScope::kSlotComboId, QStringLiteral("2")));
        EXPECT_EQ(list.model()->rowCount(), 1) << "a combo change does not ask again";
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(ListColumn(list, 0), (QStringList{QStringLiteral("100"), QStringLiteral("105")}));
        EXPECT_EQ(ListColumn(list, 4), (QStringList{QStringLiteral("104"), QString()}));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("broadcast_vlans"));
    });
    ASSERT_TRUE(program_.Command(kCmdBroadcastVlans));
}

TEST_F(XdslStatusListsE2eTest, TheVlanColumnsFollowTheControlModulesTaggedMode)
{
    // North-1's control module runs untagged: the lists show no VLAN ids. The DHCP and filtering database lists hide
    // theirs as status lists of a card's ports do; the MAC spoofing list on its own.
    const auto vlanColumnHidden = [&]<class Dlg>(int command, int column) {
        bool hidden = false;
        program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            hidden = dialog.FindList(kListControlId)->isColumnHidden(column);
            return IDCANCEL;
        });
        EXPECT_TRUE(program_.Command(command));
        return hidden;
    };
    const auto allHidden = [&] {
        return std::array{
            vlanColumnHidden.operator()<CXdslStatusListDlg>(kCmdDhcpTransactions, CDhcpTransactionListDlg::kVlanColumn),
            vlanColumnHidden.operator()<CXdslStatusListDlg>(kCmdFdb, CXdslFdbListDlg::kVlanColumn),
            vlanColumnHidden.operator()<CXdslMacSpoofStatusListDlg>(kCmdMacSpoofing,
                                                                    CXdslMacSpoofStatusListDlg::kVlanColumn)};
    };
    ASSERT_TRUE(program_.WaitUntil([] { return CXdslStatusScope::VlanColumnHidden(FindNeById(kNorth1)); }))
        << "the board settings come after the selection";
    EXPECT_EQ(allHidden(), (std::array{true, true, true}));

    // Told to run tagged (by another workstation), it has them shown.
    RunTagged();
    EXPECT_EQ(allHidden(), (std::array{false, false, false}));
}

TEST_F(XdslStatusListsE2eTest, TheUplinkModuleIsTheGeSlotOfTheMulticastChannelStatus)
{
    using Dlg = CMulticastChannelStatusDlg;
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        const QStringList slotTexts = e2e::ComboTexts(dialog, CXdslStatusScope::kSlotComboId).split(',');
        EXPECT_EQ(slotTexts.back(), QStringLiteral("GE"));
        ASSERT_TRUE(Choose(dialog, CXdslStatusScope::kSlotComboId, QStringLiteral("GE")));
        // Both trunk ports, no choice among them; the client behind the first is listed under its port's own label.
        EXPECT_FALSE(dialog.GetDlgItem(CXdslStatusScope::kPortComboId)->isEnabled());
        EXPECT_EQ(e2e::Field(dialog, CXdslStatusScope::kPortComboId), QStringLiteral(" <ALL>"));
        EXPECT_EQ(ListColumn(list, 4), QStringList{QStringLiteral("10.9.0.40")});
        EXPECT_FALSE(ListColumn(list, 1).value(0).contains('-')) << ListColumn(list, 1).value(0).toStdString();
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("multicast_channel_status_ge"));
        // Back on a line card the port is a choice again.
        ASSERT_TRUE(Choose(dialog, CXdslStatusScope::kSlotComboId, QStringLiteral("1")));
        EXPECT_TRUE(dialog.GetDlgItem(CXdslStatusScope::kPortComboId)->isEnabled());
        EXPECT_EQ(ListColumn(list, 4), (QStringList{QStringLiteral("10.20.1.21"), QStringLiteral("10.20.3.5"),
                                                    QStringLiteral("10.20.3.40")}));
    });
    ASSERT_TRUE(program_.Command(kCmdMcChannelStatus));
}

} // namespace
