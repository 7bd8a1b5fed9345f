// The ranges of the xDSL service dialogs in the running program, at each end: a value at the bound passes the
// dialog's range check (what follows is the NE's, or another rule's), one past it is refused with the range message
// and the dialog stays.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/mc_server_steps.h"
#include "tests/e2e/support/range_steps.h"

#include "features/provisioning/igmp/igmp_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snoop_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snooping_dlg.h"
#include "features/provisioning/multicast/mc_channel_pages.h"
#include "features/provisioning/multicast/xdsl_mc_channel_list_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_setting_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_list_dlg.h"
#include "features/provisioning/static_macs/xdsl_fdb_config_list_dlg.h"
#include "features/provisioning/static_macs/xdsl_static_mac_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_list_dlg.h"
#include "features/provisioning/vlans/vlan_mac_limit_dlg.h"
#include "features/provisioning/vlans/vlan_mac_limit_list_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace {

using e2e::Click;
using e2e::kNorth1;
using e2e::MessageLine;
using e2e::Type;
constexpr int kCmdIgmpSnooping = 33070, kCmdIgmpProxy = 33155, kCmdProtocolVlans = 33191;
const char kToolbar[] = "[TOOLICON]\nICONCNT=3\nICONWIDTH=24\nICONHEIGHT=24\n"
                        "ICON1=.\\Icon\\toolbar\\options.png,0xFF00FF,33070\n"
                        "ICON2=.\\Icon\\toolbar\\options.png,0xFF00FF,33155\n"
                        "ICON3=.\\Icon\\toolbar\\options.png,0xFF00FF,33191\n";

// The command, from the main menu or, for one no menu offers, its toolbar button.
bool Run(e2e::CProgram& program, int command)
{
    return program.Command(command) || program.ToolbarButton(command);
}

using e2e::Attempt;
using e2e::RangeCase;

// Types the value where it goes (a page of the dialog, a choice first).
template <class Dlg> using Typist = std::function<void(Dlg&, const QString& value)>;

template <class Dlg> bool RangeRefused(Dlg& dialog)
{
    return !dialog.IsEnded() && MessageLine(dialog).startsWith(QStringLiteral("Please enter an integer"));
}

// The dialog of the command; OK after the value is typed. A question before the range check is answered Yes.
template <class Dlg> Attempt Typing(int command, Typist<Dlg> type, bool asks)
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            type(dialog, value);
            if (asks)
                program.Operator().AnswerBox(IDYES);
            Click(dialog, IDOK);
            program.Operator().ForgetBoxAnswers(); // a refused value is asked nothing
            refused = RangeRefused(dialog);
        });
        EXPECT_TRUE(Run(program, command)) << command;
        return refused;
    };
}

// The dialog a list's button opens (on its first row when `onRow`); OK after the value is typed.
template <class List, class Dlg> Attempt Inside(int command, int button, bool onRow, Typist<Dlg> type)
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<List>([&](List& list) {
            if (onRow)
                program.ClickListRow(*list.FindList(kListControlId), 0);
            program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
                type(dialog, value);
                Click(dialog, IDOK);
                refused = RangeRefused(dialog);
                return IDCANCEL;
            });
            Click(list, button);
        });
        EXPECT_TRUE(Run(program, command)) << command;
        return refused;
    };
}

template <class Dlg> Typist<Dlg> Into(int editId, int choice = 0)
{
    return [=](Dlg& dialog, const QString& value) {
        if (choice != 0)
            e2e::Check(dialog, choice);
        Type(dialog, editId, value);
    };
}

TEST(ServicesRangesE2eTest, EachEndOfARangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = kToolbar;
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::AddBasicServiceProfile(program);
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    program.Frame().SetCurrentEntity(kNorth1, &card);
    using Setting = CXdslMcChannelSettingDlg;
    using McList = CXdslMcChannelListDlg;
    using StaticMac = CXdslStaticMacDlg;
    using Fdb = CXdslFdbConfigListDlg;
    const Typist<Setting> channelLimit = [](Setting& setting, const QString& value) {
        setting.SelectPage(&setting.LimitPage());
        Type(setting.LimitPage(), CMcChannelLimitPage::kLimitId, value);
    };
    const RangeCase cases[] = {
        {"multicast channel VPI", 0, 255, Inside<McList, Setting>(33121, kAddButtonId, false, Into<Setting>(1376))},
        {"multicast channel VCI", 32, 65535, Inside<McList, Setting>(33121, kAddButtonId, false, Into<Setting>(1371))},
        {"multicast channel VLAN ID", 1, 4094,
         Inside<McList, Setting>(33121, kAddButtonId, false, Into<Setting>(1199))},
        {"multicast channel limit", 1, 5, Inside<McList, Setting>(33121, kAddButtonId, false, channelLimit)},
        {"IGMP snooping aging time", 1, 600,
         Typing<CIgmpSnoopingDlg>(kCmdIgmpSnooping, Into<CIgmpSnoopingDlg>(1095, 1153), true)},
        {"IGMP proxy robustness, a byte", 0, 255,
         Typing<CIgmpProxyDlg>(kCmdIgmpProxy, Into<CIgmpProxyDlg>(1095, 1153), true)},
        {"IGMP proxy query response interval, a byte", 0, 255,
         Typing<CIgmpProxyDlg>(kCmdIgmpProxy, Into<CIgmpProxyDlg>(1097, 1153), true)},
        {"static MAC VPI", 0, 255, Inside<Fdb, StaticMac>(33211, kAddButtonId, true, Into<StaticMac>(1376))},
        {"static MAC VCI", 32, 65535, Inside<Fdb, StaticMac>(33211, kAddButtonId, true, Into<StaticMac>(1371))},
        {"next hop VLAN ID", 1, 4094,
         Inside<CIpoaNextHopListDlg, CIpoaNextHopDlg>(33053, kAddButtonId, false, Into<CIpoaNextHopDlg>(1199))},
        {"protocol-based VLAN ID", 1, 4094,
         Inside<CProtocolVlanListDlg, CProtocolVlanDlg>(kCmdProtocolVlans, kAddButtonId, false,
                                                        Into<CProtocolVlanDlg>(1199))},
        // 384 for each of North-1's four line-card slots.
        {"VLAN MAC limit", 1, 1536,
         Inside<CVlanMacLimitListDlg, CVlanMacLimitDlg>(33181, kModifyButtonId, true, Into<CVlanMacLimitDlg>(1095))},
    };
    e2e::TryEachEnd(program, cases);
}

// The combined IGMP setting: at OK its aging time and query response intervals are held to their 32-bit fields and its
// query retries to their bytes (leaving an edit pulls the first three into their ranges); each end is taken after the
// question and one past it refused before it.
TEST(ServicesRangesE2eTest, TheCombinedIgmpSettingTakesEachEndOfItsRanges)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    using Igmp = CIgmpSnoopProxyDlg;
    const auto field = [](int id) { return Typing<Igmp>(33171, Into<Igmp>(id), true); };
    const RangeCase cases[] = {
        {"aging time", 0, UINT32_MAX, field(1392)},
        {"snooping query response interval", 0, UINT32_MAX, field(1099)},
        {"snooping query retries, a byte", 0, 255, field(1101)},
        {"proxy query response interval", 0, UINT32_MAX, field(1097)},
        {"proxy query retries, a byte", 0, 255, field(1095)},
    };
    e2e::TryEachEnd(program, cases);
}

} // namespace
