// The ranges of the profile editors and of the xDSL settings in the running program, at each end: a value at the
// bound passes the dialog's range check (what follows is another rule's: a new profile's name left blank keeps the
// editor open), one past it is refused with the range message and the dialog stays.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/profile_list_steps.h"
#include "tests/e2e/support/range_steps.h"

#include "features/provisioning/dhcp/dhcp_broadcast_control_dlg.h"
#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "features/provisioning/profiles/adsl_psd_page.h"
#include "features/provisioning/profiles/adsl_snr_margin_page.h"
#include "features/provisioning/profiles/adsl_tx_rate_page.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/pvcs/vc_vlan_service_type_page.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr int kCmdShdslProfile = 33081;
constexpr int kEditorTabsId = 1337;
constexpr int kCmdVcVlan = 33022;
constexpr int kCmdBroadcastControl = 33182;
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

// A threshold of a PM threshold profile editor, its box ticked.
template <class Editor> Attempt Threshold(int command, int tab, size_t index)
{
    return Adding<Editor>(command, tab, [=](Editor& editor, const QString& value) {
        Check(editor, Editor::kControls[index].checkId);
        Type(editor, Editor::kControls[index].editId, value);
    });
}

// The dialog of the command; OK after the value is typed into the edit.
template <class Dlg> Attempt Typing(int command, int edit)
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            Type(dialog, edit, value);
            Click(dialog, IDOK);
            refused = !dialog.IsEnded() && MessageLine(dialog).startsWith(QStringLiteral("Please enter an integer"));
        });
        EXPECT_TRUE(program.Command(command)) << command;
        return refused;
    };
}

// A limit of the service type page of a new PVC, the service type that makes it writable chosen.
Attempt PvcLimit(const QString& serviceType, int edit)
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<CXdslVcVlanListDlg>([&](CXdslVcVlanListDlg& list) {
            program.Operator().OnDialog<CXdslVcVlanSettingDlg>([&](CXdslVcVlanSettingDlg& setting) {
                CVcVlanServiceTypePage& service = setting.ServiceTypePage();
                setting.SelectPage(&service);
                e2e::Choose(service, CVcVlanServiceTypePage::kServiceTypeId, serviceType);
                Type(service, edit, value);
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

TEST(ProvisioningRangesE2eTest, EachEndOfAnEditorsRangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
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
    };
    e2e::TryEachEnd(program, cases);
}

TEST(ProvisioningRangesE2eTest, EachEndOfASettingsRangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    using Service = CVcVlanServiceTypePage;
    const RangeCase cases[] = {
        {"DHCP broadcast rate limit", 1, 100000,
         Typing<CDhcpBroadcastControlDlg>(kCmdBroadcastControl, CDhcpBroadcastControlDlg::kRateId)},
        {"PVC DHCP IP limit", 1, 64, PvcLimit(QStringLiteral("DHCP"), Service::kDhcpLimitId)},
        {"PVC client limit", 1, 64, PvcLimit(QStringLiteral("Transparent"), Service::kClientLimitId)},
    };
    e2e::TryEachEnd(program, cases);
}

} // namespace
