// The rights of the xDSL service dialogs in the running program (rights_steps.h): for each right a dialog checks, an
// operator whose role holds exactly the letter below it on that function is refused ("No privilege" on the message
// line, the dialog closes at once, or its button stays off), and one who holds the letter gets through. The VLAN MAC
// limit list's Modify stays off for such an operator whatever row is chosen.

#include "tests/e2e/support/mc_server_steps.h"
#include "tests/e2e/support/rights_steps.h"

#include "core/tables/ne_table.h"
#include "features/provisioning/igmp/igmp_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snoop_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snooping_dlg.h"
#include "features/provisioning/multicast/mc_fast_prov_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_list_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_list_dlg.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_dlg.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_group_dlg.h"
#include "features/provisioning/ports/adsl_port_dlg.h"
#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "features/provisioning/pppoe/pppoe_session_list_dlg.h"
#include "features/provisioning/pppoe/pppoe_setting_dlg.h"
#include "features/provisioning/static_macs/xdsl_fdb_config_list_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_list_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_setting_dlg.h"
#include "features/provisioning/vlans/vlan_mac_limit_dlg.h"
#include "features/provisioning/vlans/vlan_mac_limit_list_dlg.h"
#include "features/provisioning/vlans/vlan_membership_list_dlg.h"
#include "platform/list_control.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

using e2e::Click;
using e2e::Enabling;
using e2e::FirstRow;
using e2e::kNoPrivilege;
using e2e::MessageLine;
using e2e::Opening;
using e2e::Path;
using e2e::Pressing;
using e2e::PressingAfterOpening;
using e2e::RightCase;
using e2e::Through;
// The commands of no menu, on toolbar buttons the operator configures.
constexpr int kCmdIgmpSnooping = 33070, kCmdIgmpProxy = 33155, kCmdProtocolVlans = 33191;

class ServicesRightsE2eTest : public e2e::CRightsTest {
protected:
    ServicesRightsE2eTest()
    {
        peer_.iniExtra = "[TOOLICON]\nICONCNT=3\nICONWIDTH=24\nICONHEIGHT=24\n"
                         "ICON1=.\\Icon\\toolbar\\options.png,0xFF00FF,33070\n"
                         "ICON2=.\\Icon\\toolbar\\options.png,0xFF00FF,33155\n"
                         "ICON3=.\\Icon\\toolbar\\options.png,0xFF00FF,33191\n";
    }
};

TEST_F(ServicesRightsE2eTest, TheMulticastIgmpAndPortDialogsAskTheirRights)
{
    e2e::AddBasicServiceProfile(program_);
    e2e::AddChannelOnNorth1(program_, 10106, 40, 301, 1, 1);
    using McList = CXdslMcChannelListDlg;
    // Multi-Delete of every row, ticked first.
    const Path MultiDeleting = [](e2e::CProgram& program) {
        bool refused = false;
        program.Operator().OnDialog<McList>([&](McList& list) {
            Click(list, CTickedRecordListDlg::kCheckAllId);
            list.ClearMessageLine();
            program.Operator().AnswerBox(IDNO);
            Click(list, CTickedRecordListDlg::kMultiDeleteId);
            refused = MessageLine(list) == kNoPrivilege;
        });
        EXPECT_TRUE(e2e::RunCommand(program, 33121));
        return refused;
    };
    // VC OAM Test from the menu of the list's blank area: the right is asked before the row.
    const Path OamTestWithoutRow = [](e2e::CProgram& program) {
        bool refused = false;
        program.Operator().OnDialog<McList>([&](McList& list) {
            QWidget& blank = *list.FindList(kListControlId)->viewport();
            list.ClearMessageLine();
            program.RightClickAt(blank, QPoint(5, blank.height() - 5), McList::kPopupOamTest);
            refused = MessageLine(list) == kNoPrivilege;
        });
        EXPECT_TRUE(e2e::RunCommand(program, 33121));
        return refused;
    };
    const RightCase cases[] = {
        {"Multicast channels", 30, 'q', Opening<McList>(33121)},
        {"Multicast channel VC OAM Test, no row", 30, 'x', OamTestWithoutRow},
        {"Multicast channel Delete", 30, 'd', Pressing<McList>(33121, kDeleteButtonId, FirstRow)},
        {"Multicast channel Multi-Delete", 30, 'd', MultiDeleting},
        {"Multicast channel VC OAM Test", 30, 'x', Pressing<McList>(33121, McList::kOamTestId, FirstRow)},
        {"Multicast fast provisioning", 32, 'q', Opening<CMcFastProvDlg>(33122)},
        {"IGMP snooping / proxy", 35, 'm', Opening<CIgmpSnoopProxyDlg>(33171)},
        {"IGMP snooping", 35, 'm', Opening<CIgmpSnoopingDlg>(kCmdIgmpSnooping)},
        {"IGMP proxy", 35, 'm', Opening<CIgmpProxyDlg>(kCmdIgmpProxy)},
        {"IGMP snooping OK", 35, 'm', PressingAfterOpening<CIgmpSnoopingDlg>(kCmdIgmpSnooping, 35, IDOK)},
        {"IGMP proxy OK", 35, 'm', PressingAfterOpening<CIgmpProxyDlg>(kCmdIgmpProxy, 35, IDOK)},
        {"PPPoE setting", 51, 'm', Opening<CPppoeSettingDlg>(33185)},
        {"PPPoE sessions", 70, 'q', Opening<CPppoeSessionListDlg>(33210)},
        {"ADSL ports", 11, 'q', Opening<CAdslPortListDlg>(33130)},
        {"ADSL port Modify", 11, 'm', Through<CAdslPortListDlg, CAdslPortDlg>(33130, kModifyButtonId, FirstRow)},
        {"ADSL port Reset Port", 3, 'x',
         Pressing<CAdslPortListDlg>(33130, CAdslPortListDlg::kResetPortButtonId, FirstRow)},
    };
    RunCases(cases, std::size(cases));
}

TEST_F(ServicesRightsE2eTest, TheFilteringNextHopAndVlanDialogsAskTheirRights)
{
    using Fdb = CXdslFdbConfigListDlg;
    using Hops = CIpoaNextHopListDlg;
    using Vlans = CProtocolVlanListDlg;
    using Limits = CVlanMacLimitListDlg;
    const RightCase cases[] = {
        {"Configured filtering database", 71, 'q', Opening<Fdb>(33211)},
        {"Configured filtering database Delete", 71, 'd', Pressing<Fdb>(33211, kDeleteButtonId, FirstRow)},
        {"Next hops", 38, 'q', Opening<Hops>(33053)},
        {"Next hop Delete", 38, 'd', Pressing<Hops>(33053, kDeleteButtonId, FirstRow)},
        {"Next hop Add", 38, 'c', Through<Hops, CIpoaNextHopDlg>(33053, kAddButtonId)},
        {"Protocol-based VLANs", 58, 'q', Opening<Vlans>(kCmdProtocolVlans)},
        {"Protocol-based VLAN Delete", 58, 'd', Pressing<Vlans>(kCmdProtocolVlans, kDeleteButtonId, FirstRow)},
        {"Protocol-based VLAN Add", 58, 'c', Through<Vlans, CProtocolVlanDlg>(kCmdProtocolVlans, kAddButtonId)},
        {"Protocol-based VLAN Modify", 58, 'm',
         Through<Vlans, CProtocolVlanDlg>(kCmdProtocolVlans, kModifyButtonId, FirstRow)},
        {"Protocol-based VLAN state", 58, 'm',
         Through<Vlans, CProtocolVlanSettingDlg>(kCmdProtocolVlans, Vlans::kChangeStateButtonId)},
        {"VLAN membership", 28, 'q', Opening<CVlanMembershipListDlg>(33127)},
        {"VLAN MAC limits", 50, 'q', Opening<Limits>(33181)},
        {"VLAN MAC limit Modify, no row", 50, 'm', Enabling<Limits>(33181, kModifyButtonId)},
        {"VLAN MAC limit Modify, a row chosen", 50, 'm', Enabling<Limits>(33181, kModifyButtonId, FirstRow)},
        {"VLAN MAC limit", 11, 'm', Through<Limits, CVlanMacLimitDlg>(33181, kModifyButtonId, FirstRow)},
    };
    RunCases(cases, std::size(cases));
}

TEST_F(ServicesRightsE2eTest, PacketFiltersOfALineCardAskTheirRight)
{
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    program_.Frame().SetCurrentEntity(kNorth1, &card);
    const RightCase cases[] = {
        {"Packet filters", 56, 'm', Opening<CXdslPktFilterDlg>(33215)},
        {"Packet filter groups", 56, 'm', Opening<CXdslPktFilterGroupDlg>(33216)},
    };
    RunCases(cases, std::size(cases));
}

// Without a row the VLAN MAC limit list's Modify asks for one.
TEST_F(ServicesRightsE2eTest, VlanMacLimitModifyAsksForARow)
{
    program_.Operator().OnDialog<CVlanMacLimitListDlg>([&](CVlanMacLimitListDlg& list) {
        EXPECT_EQ(list.SelectedRow(), -1);
        EXPECT_TRUE(list.IsControlEnabled(kModifyButtonId));
        Click(list, kModifyButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("Please select one item"));
    });
    ASSERT_TRUE(program_.Command(33181));
}

// With the NE gone meanwhile, Refresh of the PPPoE sessions and of the VLAN MAC limits, and a page move of the
// limits, say "Unknown NE" and leave the rows as they were.
TEST_F(ServicesRightsE2eTest, RefreshAndPageMovesLookForTheNeBeforeTheRowsGo)
{
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    program_.Frame().SetCurrentEntity(kNorth1, &card);
    const struct {
        const char* name;
        int command;
        int button;
    } cases[] = {
        {"PPPoE sessions Refresh", 33210, kRefreshButtonId},
        {"VLAN MAC limits Refresh", 33181, kRefreshButtonId},
        {"VLAN MAC limits next page", 33181, 1264},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        program_.Operator().OnDialog<CRecordListDlg>([&](CRecordListDlg& list) {
            const int rows = CListControl(list.FindList(kListControlId)).GetItemCount();
            EXPECT_GT(rows, 0);
            const CNeRecord kept = *FindNeById(kNorth1);
            ASSERT_EQ(RemoveNe(kNorth1), NeResult::kOk);
            list.ClearMessageLine();
            Click(list, c.button);
            EXPECT_EQ(MessageLine(list), QStringLiteral("Unknown NE"));
            EXPECT_EQ(CListControl(list.FindList(kListControlId)).GetItemCount(), rows);
            EXPECT_EQ(AddNe(kept), NeResult::kOk);
        });
        ASSERT_TRUE(program_.Command(c.command));
    }
}

// The combined IGMP setting asks the modify right again at OK, before it looks for a change.
TEST_F(ServicesRightsE2eTest, TheCombinedIgmpSettingAsksTheModifyRightAtOk)
{
    const RightCase cases[] = {
        {"IGMP snooping / proxy OK", 35, 'm', PressingAfterOpening<CIgmpSnoopProxyDlg>(33171, 35, IDOK)},
    };
    RunCases(cases, std::size(cases));
}

} // namespace
