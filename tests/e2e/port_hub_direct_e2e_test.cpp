// The ADSL port hub in direct mode, on the simulated IPD-48 over SNMP: the port list of the NE lists its ADSL ports;
// a port takes a line profile and a filter group, and from its dialog the operator sets the card's groups and filters,
// which the NE then holds; the configured filtering database of the first card takes a static entry past the NE's
// check, which refuses a PVC the port lacks and a reserved MAC, and loses it again; the next-hop table fills to four
// and the NE's count refuses a fifth; a next hop whose VLAN ID the NE holds outside 1..4094 opens at the nearer bound.

#include "tests/e2e/support/direct_ne_test.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/next_hops/ipoa_next_hop_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_list_dlg.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_dlg.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_group_dlg.h"
#include "features/provisioning/ports/adsl_port_dlg.h"
#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "features/provisioning/static_macs/xdsl_fdb_config_list_dlg.h"
#include "features/provisioning/static_macs/xdsl_static_mac_dlg.h"
#include "link/record_requests.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/pkt_filter_group_rec.h"
#include "link/records/pkt_filter_rec.h"
#include "ui/shell/frame/main_frame.h"

#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdAdslPorts = 33130;
constexpr int kCmdFdbList = 33211;
constexpr int kCmdNextHops = 33053;
constexpr uint32_t kNe = 1; // the NE of a direct session
constexpr uint32_t kPort1 = 10101;
constexpr int kFilterButtonId = 1168;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::Type;
using List = CAdslPortListDlg;
using Port = CAdslPortDlg;
using Groups = CXdslPktFilterGroupDlg;
using GroupPage = CPktFilterGroupPage;
using Filters = CXdslPktFilterDlg;
using FdbList = CXdslFdbConfigListDlg;
using StaticMac = CXdslStaticMacDlg;
using HopList = CIpoaNextHopListDlg;
using Hop = CIpoaNextHopDlg;

// What the NE holds, read through the program's own direct link.
template <class Rec, class Body> std::vector<Rec> NeRecords(RequestCode<Rec> code, const Body& body)
{
    const RecordReply<Rec> reply = CRecordRequests().Query(code, kNe, body);
    EXPECT_TRUE(reply.Ok());
    return reply.records;
}

class PortHubDirectE2eTest : public e2e::CDirectNeTest {};

TEST_F(PortHubDirectE2eTest, APortsProfileGroupsAndTheCardsFiltersAreWrittenToTheNe)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        const QStringList locations = e2e::ListColumn(list, List::kSlotPortColumn);
        EXPECT_GE(locations.size(), 2);
        EXPECT_FALSE(ports.GetDlgItem(List::kSubscriberButtonId)->isVisible()) << "a server function";
        EXPECT_FALSE(ports.GetDlgItem(List::kLongTermPmButtonId)->isVisible()) << "a server function";
        for (const int column : {List::kSubscriberColumn, List::kClassColumn, List::kServiceColumn})
            EXPECT_TRUE(list.isColumnHidden(column)) << "the subscriber's column " << column;
        EXPECT_FALSE(list.isColumnHidden(List::kSlotPortColumn));
        const int row = e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-1-1"));
        EXPECT_GE(row, 0) << locations.join(',').toStdString();
        if (row < 0)
            return IDCANCEL;
        program_.ClickListRow(list, row);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(ports, QStringLiteral("adsl_port_list_direct")));

        person.OnDialog<Port>([&](Port& port) {
            EXPECT_EQ(Field(port, Port::kUpstreamGroupIds[1]), QStringLiteral("USG2: usg2"));
            EXPECT_TRUE(port.IsControlEnabled(Port::kShowFilterGroupsId));
            EXPECT_TRUE(Choose(port, Port::kLineProfileId, QStringLiteral("video-16M")));
            Check(port, Port::kUpstreamGroupIds[1]);

            // The card's groups, and from them its filters.
            person.OnDialog<Groups>([&](Groups& groups) {
                GroupPage& usg1 = groups.Page(0);
                EXPECT_EQ(Field(usg1, GroupPage::kNameId), QStringLiteral("usg1"));
                EXPECT_EQ(Field(usg1, GroupPage::kFirstFilterNameId), QStringLiteral("useof1"));
                person.OnDialog<Filters>([&](Filters& filters) {
                    CPktFilterEtherTypePage& ether = filters.EtherTypePage();
                    EXPECT_EQ(Field(ether, 1064), QStringLiteral("0800"));
                    Type(ether, 1059, QStringLiteral("ipv6-drop"));
                    Type(ether, 1064, QStringLiteral("86dd"));
                    Check(ether, 1100);
                    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(filters, QStringLiteral("packet_filter_direct")));
                    Click(filters, IDOK);
                    EXPECT_TRUE(filters.IsEnded()) << e2e::MessageLine(filters).toStdString();
                    return IDCANCEL;
                });
                Click(groups, kFilterButtonId);
                Type(usg1, GroupPage::kNameId, QStringLiteral("no-ipv6"));
                Check(usg1, GroupPage::kEnabledId);
                Check(usg1, GroupPage::kFirstMemberId);
                Click(groups, IDOK);
                EXPECT_TRUE(groups.IsEnded()) << e2e::MessageLine(groups).toStdString();
                return IDCANCEL;
            });
            Click(port, Port::kShowFilterGroupsId);
            Click(port, IDOK);
            EXPECT_TRUE(port.IsEnded()) << e2e::MessageLine(port).toStdString();
            return IDCANCEL;
        });
        Click(ports, kModifyButtonId);
        EXPECT_EQ(e2e::ListColumn(list, List::kLineProfileColumn).value(row), QStringLiteral("video-16M"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslPorts));

    AdslPortRec port;
    port.entityId = kPort1;
    const std::vector<AdslPortRec> ports = NeRecords(kReqAdslPort, port);
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports.front().lineProfile, "video-16M");
    EXPECT_EQ(ports.front().upstreamFilterGroups, 0x2u);
    PktFilterRec card;
    card.slot = 1;
    const std::vector<PktFilterRec> filters = NeRecords(kReqPktFilter, card);
    const auto ether = std::find_if(filters.begin(), filters.end(), [](const PktFilterRec& rec) {
        return rec.direction == 1 && rec.filterNumber == 3;
    });
    ASSERT_NE(ether, filters.end());
    EXPECT_EQ(ether->name, "ipv6-drop");
    EXPECT_EQ(ether->etherType, 0x86DD);
    EXPECT_EQ(ether->state, 1u);
    PktFilterGroupRec groupCard;
    groupCard.slot = 1;
    const std::vector<PktFilterGroupRec> groups = NeRecords(kReqPktFilterGroup, groupCard);
    const auto usg1 = std::find_if(groups.begin(), groups.end(), [](const PktFilterGroupRec& rec) {
        return rec.direction == 1 && rec.groupNumber == 1;
    });
    ASSERT_NE(usg1, groups.end());
    EXPECT_EQ(usg1->name, "no-ipv6");
    EXPECT_EQ(usg1->memberMask, 0x4u);
    EXPECT_EQ(usg1->state, 1u);
}

TEST_F(PortHubDirectE2eTest, AStaticMacEntryPastTheNesCheckAndTheNextHopTable)
{
    // The list of a port: Add Static without a row adds on that port.
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 1);
    program_.Frame().SetCurrentEntity(kNe, &port);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<FdbList>([&](FdbList& fdb) {
        QTreeView& list = *fdb.FindList(kListControlId);
        EXPECT_EQ(list.model()->rowCount(), 0);
        EXPECT_FALSE(list.isColumnHidden(FdbList::kVlanColumn)) << "this NE's model keeps the VLAN column";
        person.OnDialog<StaticMac>([&](StaticMac& add) {
            EXPECT_TRUE(Choose(add, StaticMac::kPortId, QStringLiteral("1")));
            Type(add, StaticMac::kVpiId, QStringLiteral("0"));
            Type(add, StaticMac::kVciId, QStringLiteral("99"));
            Type(add, StaticMac::kMacId, QStringLiteral("00:aa:bb:cc:dd:01"));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("This VC-VLAN doesn't exist"));
            Type(add, StaticMac::kVciId, QStringLiteral("35"));
            Type(add, StaticMac::kMacId, QStringLiteral("01:00:5e:00:00:01"));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("MAC address is reserved"));
            Type(add, StaticMac::kMacId, QStringLiteral("00:aa:bb:cc:dd:01"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << e2e::MessageLine(add).toStdString();
            return IDCANCEL;
        });
        Click(fdb, kAddButtonId);
        EXPECT_EQ(e2e::ListColumn(list, FdbList::kMacColumn).join(','), QStringLiteral("00:aa:bb:cc:dd:01"));
        EXPECT_EQ(e2e::ListColumn(list, FdbList::kVlanColumn).join(','), QStringLiteral("300"));
        EXPECT_EQ(e2e::ListColumn(list, FdbList::kStatusColumn).join(','), QStringLiteral("Static"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(fdb, QStringLiteral("fdb_config_list_direct")));

        program_.ClickListRow(list, 0);
        person.AnswerBox(IDYES);
        Click(fdb, kDeleteButtonId);
        EXPECT_EQ(list.model()->rowCount(), 0);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdFdbList));
    FdbQueryRec ofCard;
    ofCard.entityId = 10100;
    EXPECT_TRUE(NeRecords(kReqStaticFdb, ofCard).empty());

    person.OnDialog<HopList>([&](HopList& hops) {
        QTreeView& list = *hops.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(list, HopList::kNameColumn).join(','), QStringLiteral("core"));
        for (const int n : {1, 2, 3, 4}) {
            person.OnDialog<Hop>([&, n](Hop& hop) {
                Type(hop, Hop::kNameId, QStringLiteral("isp-%1").arg(n));
                Type(hop, Hop::kIpAddressId, QStringLiteral("192.0.2.%1").arg(10 + n));
                Type(hop, Hop::kVlanId, QStringLiteral("20"));
                Click(hop, IDOK);
                if (n < 4)
                    EXPECT_TRUE(hop.IsEnded()) << e2e::MessageLine(hop).toStdString();
                else
                    EXPECT_EQ(e2e::MessageLine(hop), QStringLiteral("This table is full. Maximum number: 4"));
                return IDCANCEL;
            });
            Click(hops, kAddButtonId);
        }
        EXPECT_EQ(e2e::ListColumn(list, HopList::kNameColumn).size(), 4);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdNextHops));
}

// A next hop the NE holds with a VLAN ID outside 1..4094 opens at the nearer bound.
TEST(NextHopDirectE2eTest, AHeldVlanIdOutsideItsRangeOpensAtTheNearerBound)
{
    const struct {
        const char* name;
        int held;
        const char* shown;
    } cases[] = {{"vlan-0", 0, "1"}, {"vlan-1", 1, "1"}, {"vlan-4094", 4094, "4094"}, {"vlan-4095", 4095, "4094"}};
    std::string sections;
    int host = 20;
    for (const auto& c : cases)
        sections += std::string("[NextHopRec.") + c.name + "]\nname=" + c.name + "\naddress=192.0.2." +
                    std::to_string(host++) + "\nvlanId=" + std::to_string(c.held) + "\nstate=1\n";
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe(sections));
    for (const auto& c : cases) {
        QString shown;
        program.Operator().OnDialog<Hop>([&](Hop& hop) {
            shown = Field(hop, Hop::kVlanId);
            return IDCANCEL;
        });
        Hop hop;
        hop.SetTarget(kNe, nullptr);
        hop.SetAccessMode(kAccessModify);
        hop.SetName(c.name);
        hop.DoModal();
        EXPECT_EQ(shown, QString::fromLatin1(c.shown)) << c.name;
    }
    EXPECT_EQ(program.Operator().UnusedDialogScripts(), 0u);
}

} // namespace
