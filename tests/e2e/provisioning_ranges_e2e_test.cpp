// The ranges of the profile editors and of the xDSL settings in the running program, at each end: a value at the
// bound passes the dialog's range check (what follows is another rule's: a new profile's name left blank keeps the
// editor open), one past it is refused with the range message and the dialog stays.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/profile_list_steps.h"
#include "tests/e2e/support/range_steps.h"

#include "features/provisioning/dhcp/dhcp_broadcast_control_dlg.h"
#include "features/provisioning/fast_prov/fast_prov_dlg.h"
#include "features/provisioning/link_agg/lacp_pages.h"
#include "features/provisioning/link_agg/link_agg_setting_dlg.h"
#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "features/provisioning/profiles/adsl_psd_page.h"
#include "features/provisioning/profiles/adsl_snr_margin_page.h"
#include "features/provisioning/profiles/adsl_tx_rate_page.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/shdsl_line_profile_dlg.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_traffic_policing_profile_dlg.h"
#include "features/provisioning/pvcs/vc_vlan_priority_pages.h"
#include "features/provisioning/pvcs/vc_vlan_service_type_page.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"
#include "features/provisioning/rstp/rstp_bridge_page.h"
#include "features/provisioning/rstp/rstp_port_page.h"
#include "features/provisioning/rstp/rstp_setting_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr int kCmdShdslProfile = 33081;
constexpr int kEditorTabsId = 1337;
constexpr int kCmdVcVlan = 33022;
constexpr int kCmdBroadcastControl = 33182;
constexpr int kCmdFastProvision = 33116;
constexpr int kCmdLinkAggregation = 33161;
constexpr int kCmdRstpSetting = 33166;
using e2e::Check;
using e2e::Click;
using e2e::MessageLine;
using e2e::Type;

using e2e::Attempt;
using e2e::RangeCase;

// The editor the list's Add opens on the tab; `type` puts the value where it goes, then OK.
template <class Editor> Attempt Adding(int command, int tab, std::function<void(Editor&, const QString&)> type)
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            e2e::ClickTab(list, tab);
            program.Operator().OnDialog<Editor>([&](Editor& editor) {
                type(editor, value);
                Click(editor, IDOK);
                refused =
                    !editor.IsEnded() && MessageLine(editor).startsWith(QStringLiteral("Please enter an integer"));
                return IDCANCEL;
            });
            Click(list, kAddButtonId);
            return IDCANCEL;
        });
        EXPECT_TRUE(program.Command(command)) << command;
        return refused;
    };
}

// An edit of one page (at its tab) of the ADSL line profile editor, after the radio of the Transmission Rate page
// (tab 0) that makes it writable; the tabs are clicked as the operator does.
template <class Page> Attempt AdslLine(int tab, Page& (CAdslLineProfileDlg::*page)(), int radio, int edit)
{
    return Adding<CAdslLineProfileDlg>(kCmdAdslProfile, 0, [=](CAdslLineProfileDlg& editor, const QString& value) {
        if (radio != 0) {
            e2e::ClickTab(editor, 0, kEditorTabsId);
            Check(editor.TxRatePage(), radio);
        }
        e2e::ClickTab(editor, tab, kEditorTabsId);
        Type((editor.*page)(), edit, value);
    });
}

// A rate of a new SHDSL line profile (adaptive), on its Transmission Rate page.
Attempt ShdslRate(int edit)
{
    return Adding<CShdslLineProfileDlg>(kCmdShdslProfile, 0, [=](CShdslLineProfileDlg& editor, const QString& value) {
        Type(editor.RatePage(), edit, value);
    });
}

// A threshold of a PM threshold profile editor, its box ticked.
template <class Editor> Attempt Threshold(int command, int tab, size_t index)
{
    return Adding<Editor>(command, tab, [=](Editor& editor, const QString& value) {
        Check(editor, Editor::kControls[index].checkId);
        Type(editor, Editor::kControls[index].editId, value);
    });
}

// The dialog of the command; the value is typed into the edit where `place` shows it (the dialog, or a page it brings
// forward, having made the edit writable), then OK.
template <class Dlg> Attempt Typing(int command, int edit, std::function<CDialog&(Dlg&)> place = {})
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            Type(place ? place(dialog) : dialog, edit, value);
            Click(dialog, IDOK);
            refused = !dialog.IsEnded() && MessageLine(dialog).startsWith(QStringLiteral("Please enter an integer"));
        });
        EXPECT_TRUE(program.Command(command)) << command;
        return refused;
    };
}

// Where an edit of a new PVC (bridged) is: the dialog itself, or a page it brings forward, `choose` having made the
// edit writable.
using PvcPlace = std::function<CDialog&(CXdslVcVlanSettingDlg&)>;

template <class Page> PvcPlace PvcPage(Page& (CXdslVcVlanSettingDlg::*page)(), std::function<void(Page&)> choose = {})
{
    return [=](CXdslVcVlanSettingDlg& setting) -> CDialog& {
        Page& shown = (setting.*page)();
        setting.SelectPage(&shown);
        if (choose)
            choose(shown);
        return shown;
    };
}

// The value typed into the edit of a new PVC; OK.
Attempt NewPvc(PvcPlace place, int edit)
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<CXdslVcVlanListDlg>([&](CXdslVcVlanListDlg& list) {
            program.Operator().OnDialog<CXdslVcVlanSettingDlg>([&](CXdslVcVlanSettingDlg& setting) {
                Type(place(setting), edit, value);
                Click(setting, IDOK);
                refused =
                    !setting.IsEnded() && MessageLine(setting).startsWith(QStringLiteral("Please enter an integer"));
                return IDCANCEL;
            });
            Click(list, kAddButtonId);
            return IDCANCEL;
        });
        EXPECT_TRUE(program.Command(kCmdVcVlan)) << kCmdVcVlan;
        return refused;
    };
}

// A limit of the service type page of a new PVC, the service type that makes it writable chosen.
Attempt PvcLimit(const QString& serviceType, int edit)
{
    return NewPvc(PvcPage<CVcVlanServiceTypePage>(&CXdslVcVlanSettingDlg::ServiceTypePage,
                                                  [serviceType](CVcVlanServiceTypePage& service) {
                                                      e2e::Choose(service, CVcVlanServiceTypePage::kServiceTypeId,
                                                                  serviceType);
                                                  }),
                  edit);
}

// A value of fast provisioning on one ALC-24 card, on the page the dialog gives (after `choose`); then "&List": a value
// refused keeps the list from opening; the list that opens for a value taken is cancelled.
template <class Page>
Attempt FastProvision(Page& (CFastProvDlg::*page)(), int edit, std::function<void(Page&)> choose = {})
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<CFastProvDlg>([&](CFastProvDlg& dialog) {
            e2e::Choose(dialog, CFastProvDlg::kFirstSlotId, QStringLiteral("1"));
            e2e::Choose(dialog, CFastProvDlg::kLastSlotId, QStringLiteral("1"));
            e2e::Choose(dialog, CFastProvDlg::kModuleTypeId, QStringLiteral("ALC-24"));
            Page& shown = (dialog.*page)();
            dialog.SelectPage(&shown);
            if (choose)
                choose(shown);
            Type(shown, edit, value);
            const qsizetype opened = program.Operator().unscriptedDialogs.size();
            Click(dialog, CFastProvDlg::kListId);
            refused = program.Operator().unscriptedDialogs.size() == opened;
        });
        EXPECT_TRUE(program.Command(kCmdFastProvision)) << kCmdFastProvision;
        return refused;
    };
}

Attempt FastProvChannel(int edit)
{
    return FastProvision<CFastProvVcVlanPage>(&CFastProvDlg::VcVlanPage, edit);
}

TEST(ProvisioningRangesE2eTest, EachEndOfAnEditorsRangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    using Rate = CAdslTxRatePage;
    using Snr = CAdslSnrMarginPage;
    using Xdsl = CXdslPmThresholdProfileDlg;
    using Shdsl = CShdslPmThresholdProfileDlg;
    const RangeCase cases[] = {
        {"ADSL maximum delay, downstream", 1, 255,
         AdslLine(0, &CAdslLineProfileDlg::TxRatePage, Rate::kInterleaveId, Rate::kDownDelayId)},
        {"ADSL maximum delay, upstream", 1, 255,
         AdslLine(0, &CAdslLineProfileDlg::TxRatePage, Rate::kInterleaveId, Rate::kUpDelayId)},
        {"ADSL SNR margin maximum, upstream", 0, 310,
         AdslLine(2, &CAdslLineProfileDlg::SnrMarginPage, 0, Snr::kUpMaxId)},
        {"ADSL SNR margin target, downstream", 0, 310,
         AdslLine(2, &CAdslLineProfileDlg::SnrMarginPage, 0, Snr::kDownTargetId)},
        {"ADSL SNR up-shift time, downstream", 0, 16383,
         AdslLine(2, &CAdslLineProfileDlg::SnrMarginPage, Rate::kAdaptiveRuntimeId, Snr::kDownUpshiftTimeId)},
        {"ADSL PSD, downstream", -400, 40, AdslLine(3, &CAdslLineProfileDlg::PsdPage, 0, CAdslPsdPage::kDownPsdId)},
        // CO 15-minute ES, CO 1-day ES, RT 15-minute UAS, RT 1-day UAS.
        {"xDSL CO 15-minute ES", 1, 900, Threshold<Xdsl>(kCmdAdslProfile, 1, 0)},
        {"xDSL CO 1-day ES", 1, 86400, Threshold<Xdsl>(kCmdAdslProfile, 1, 3)},
        {"xDSL RT 15-minute UAS", 1, 900, Threshold<Xdsl>(kCmdAdslProfile, 1, 8)},
        {"xDSL RT 1-day UAS", 1, 86400, Threshold<Xdsl>(kCmdAdslProfile, 1, 11)},
        // Minimum SNR margin, maximum loop attenuation, ES, LOSWS, CRC anomalies.
        {"SHDSL minimum SNR margin", 1, 15, Threshold<Shdsl>(kCmdShdslProfile, 1, 0)},
        {"SHDSL maximum loop attenuation", 1, 126, Threshold<Shdsl>(kCmdShdslProfile, 1, 1)},
        {"SHDSL ES", 1, 900, Threshold<Shdsl>(kCmdShdslProfile, 1, 2)},
        {"SHDSL LOSWS", 1, 900, Threshold<Shdsl>(kCmdShdslProfile, 1, 5)},
        {"SHDSL CRC anomalies", 1, 44100, Threshold<Shdsl>(kCmdShdslProfile, 1, 6)},
        {"SHDSL line minimum rate", 72, 2312, ShdslRate(CShdslLineProfileRatePage::kMinId)},
        {"SHDSL line maximum rate", 72, 2312, ShdslRate(CShdslLineProfileRatePage::kMaxId)},
        // Typed, the CIR goes as far as its 16-bit field holds it; the spin keeps to 0..2.
        {"traffic policing CIR", 0, 65535,
         Adding<CXdslTrafficPolicingProfileDlg>(kCmdAdslProfile, 2,
                                                [](CXdslTrafficPolicingProfileDlg& editor, const QString& value) {
                                                    Type(editor, CXdslTrafficPolicingProfileDlg::kCirId, value);
                                                })},
    };
    e2e::TryEachEnd(program, cases);
}

TEST(ProvisioningRangesE2eTest, EachEndOfASettingsRangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    using Service = CVcVlanServiceTypePage;
    using Channel = CFastProvChannelPage;
    using Setting = CXdslVcVlanSettingDlg;
    const PvcPlace itself = [](Setting& setting) -> CDialog& { return setting; };
    const RangeCase cases[] = {
        {"DHCP broadcast rate limit", 1, 100000,
         Typing<CDhcpBroadcastControlDlg>(kCmdBroadcastControl, CDhcpBroadcastControlDlg::kRateId)},
        {"PVC DHCP IP limit", 1, 64, PvcLimit(QStringLiteral("DHCP"), Service::kDhcpLimitId)},
        {"PVC client limit", 1, 64, PvcLimit(QStringLiteral("Transparent"), Service::kClientLimitId)},
        {"PVC VPI", 0, 255, NewPvc(itself, Setting::kVpiId)},
        {"PVC VCI", 32, 65535, NewPvc(itself, Setting::kVciId)},
        {"PVC VLAN ID", 1, 4094, NewPvc(PvcPage(&Setting::VlanPage), CVcVlanIdPage::kVlanId)},
        {"PVC user priority", 0, 7, NewPvc(PvcPage(&Setting::VlanPage), CVcVlanIdPage::kPriorityId)},
        {"fast provisioning VPI start", 0, 255, FastProvChannel(Channel::kVpiStartId)},
        {"fast provisioning VPI increment", 0, 128, FastProvChannel(Channel::kVpiIncrementId)},
        {"fast provisioning VCI start", 32, 65535, FastProvChannel(Channel::kVciStartId)},
        {"fast provisioning VCI increment", 0, 32752, FastProvChannel(Channel::kVciIncrementId)},
        {"fast provisioning VLAN start", 1, 4094, FastProvChannel(CFastProvVcVlanPage::kVlanStartId)},
        {"fast provisioning VLAN increment", -2047, 2047, FastProvChannel(CFastProvVcVlanPage::kVlanIncrementId)},
        {"fast provisioning IP increment per port", 1, 256,
         FastProvision<CFastProvServiceTypePage>(&CFastProvDlg::ServiceTypePage, CFastProvServiceTypePage::kIncrementId,
                                                 [](CFastProvServiceTypePage& service) {
                                                     e2e::Choose(service, CFastProvServiceTypePage::kServiceTypeId,
                                                                 QStringLiteral("static IP"));
                                                 })},
    };
    e2e::TryEachEnd(program, cases);
}

// The trunk ports' settings: link aggregation under LACP, and the spanning tree's bridge and first port (its own cost).
// A bridge priority typed is brought to its steps on leaving the edit: it has no range of its own to refuse here.
TEST(ProvisioningRangesE2eTest, EachEndOfATrunkSettingsRangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    using Lacp = CLinkAggSettingDlg;
    using Rstp = CRstpSettingDlg;
    using Bridge = CRstpBridgePage;
    const auto lacp = [](Lacp& dialog) -> CDialog& {
        Check(dialog, Lacp::kLacpRadioId);
        return dialog;
    };
    const auto port1 = [lacp](Lacp& dialog) -> CDialog& {
        lacp(dialog);
        dialog.SelectPage(&dialog.PortPage(1));
        return dialog.PortPage(1);
    };
    const auto bridge = [](Rstp& dialog) -> CDialog& {
        dialog.SelectPage(&dialog.BridgePage());
        return dialog.BridgePage();
    };
    const auto ownCost = [](Rstp& dialog) -> CDialog& {
        CRstpPortPage& port = dialog.PortPage(1);
        dialog.SelectPage(&port);
        Check(port, CRstpPortPage::kDefaultCostId, false);
        return port;
    };
    const RangeCase cases[] = {
        {"LACP system priority", 0, 65535, Typing<Lacp>(kCmdLinkAggregation, Lacp::kSystemPriorityId, lacp)},
        {"LACP port priority", 0, 65535, Typing<Lacp>(kCmdLinkAggregation, CLacpGroupPage::kPriorityId, port1)},
        {"max age", 6, 40, Typing<Rstp>(kCmdRstpSetting, Bridge::kMaxAgeId, bridge)},
        {"hello time", 1, 10, Typing<Rstp>(kCmdRstpSetting, Bridge::kHelloTimeId, bridge)},
        {"forward delay", 4, 30, Typing<Rstp>(kCmdRstpSetting, Bridge::kForwardDelayId, bridge)},
        {"tx hold count", 1, 10, Typing<Rstp>(kCmdRstpSetting, Bridge::kTxHoldCountId, bridge)},
        {"port path cost", 1, 200000000, Typing<Rstp>(kCmdRstpSetting, CRstpPortPage::kPathCostId, ownCost)},
    };
    e2e::TryEachEnd(program, cases);
}

} // namespace
