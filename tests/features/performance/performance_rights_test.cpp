// The right each performance dialog asks when it opens: its function and the letter of its access mode ('q' shown,
// 'm' for the line tests, which open in modify mode), and the port selection's by the function it opens (the line
// tests with 'm'). An operator one letter short of it on that function alone is refused, told on the opener's message
// line, and the dialog closes; one who holds the letter there gets past the check.

#include "tests/features/performance/performance_test_support.h"
#include "tests/platform/qt_test_app.h"
#include "tests/ui/framework/framework_test_support.h"

#include "core/tables/access_rights.h"
#include "features/performance/line_tests/xdsl_bits_allocation_dlg.h"
#include "features/performance/line_tests/xdsl_loop_diagnosis_dlg.h"
#include "features/performance/line_tests/xdsl_loop_monitoring_dlg.h"
#include "features/performance/line_tests/xdsl_selt_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_add_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_interval_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_list_dlg.h"
#include "features/performance/pm/adsl_current_pm_dlg.h"
#include "features/performance/pm/adsl_history_pm_dlg.h"
#include "features/performance/pm/shdsl_cur_pm_dlg.h"
#include "features/performance/pm/shdsl_his_pm_dlg.h"
#include "features/performance/pm/trunk_port_pm_dlg.h"
#include "features/performance/port_selection/xdsl_port_sel_dlg.h"
#include "features/performance/rate_status/adsl_rate_status_dlg.h"
#include "features/performance/status_lists/dhcp_transaction_list_dlg.h"
#include "features/performance/status_lists/multicast_channel_status_dlg.h"
#include "features/performance/status_lists/multicast_group_member_dlg.h"
#include "features/performance/status_lists/xdsl_broadcast_filter_dlg.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "features/performance/status_lists/xdsl_mac_spoof_status_list_dlg.h"
#include "platform/scripted_runners.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using perf_test::kAdslPort;
using perf_test::kNe;
using perf_test::kShdslPort;
constexpr uint32_t kNeItself = 1;

struct RightRow {
    const char* dialog;
    std::function<std::unique_ptr<CADialog>()> make;
    uint32_t target;
    int function;
    char letter;
    int command = 0; // a button pressed once the dialog shows, without a row; none: the opening alone
};

template <class Dlg> std::function<std::unique_ptr<CADialog>()> Make()
{
    return [] { return std::make_unique<Dlg>(); };
}

std::function<std::unique_ptr<CADialog>()> PortSelection(int mode)
{
    return [mode] {
        auto dialog = std::make_unique<CXdslPortSelDlg>();
        dialog->SetPortSelMode(mode);
        return std::unique_ptr<CADialog>(std::move(dialog));
    };
}

// The letter one short of the one asked for.
char ShortOf(char letter)
{
    return letter == 'q' ? '-' : letter == 'm' ? 'q' : letter == 'c' ? 'm' : 'c';
}

// An IPD-12 with an ADSL card in slot 1 and an SHDSL card in slot 2, connected and as planned.
class PerformanceRightsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(perf_test::AddNorth1()); }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
    }

    // What the opener's message line says once the dialog opened by an operator with `letter` on the function (and
    // every other right) has shown or closed; `ended`: it closed while opening.
    static QString Opened(const RightRow& row, char letter, bool* ended, QString* pressed = nullptr)
    {
        std::string rights(127, 'a');
        rights[static_cast<size_t>(row.function)] = letter;
        SetUserRights(0, rights.c_str());
        ScriptedModalRunner runner;
        CTestDlg opener;
        runner.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return opener.IsFirstShowDone(); }));
            std::unique_ptr<CADialog> dialog = row.make();
            const CEntityId target(row.target);
            dialog->SetTarget(kNe, &target);
            runner.Push([&](QDialog&) {
                EXPECT_TRUE(PumpUntil([&] { return dialog->IsFirstShowDone() || dialog->IsEnded(); }));
                *ended = dialog->IsEnded();
                if (pressed != nullptr && !*ended) {
                    dialog->ClearMessageLine();
                    dialog->OnCommand(row.command, BN_CLICKED);
                    *pressed = dialog->GetMessageText();
                }
                return IDCANCEL;
            });
            dialog->DoModal();
            return IDOK;
        });
        opener.DoModal();
        return opener.GetMessageText();
    }
};

TEST_F(PerformanceRightsTest, EachDialogAsksItsFunctionWithItsLetter)
{
    const RightRow rows[] = {
        {"port selection: current PM", PortSelection(1), kAdslPort, 15, 'q'},
        {"port selection: history PM", PortSelection(2), kAdslPort, 16, 'q'},
        {"port selection: rate status", PortSelection(3), kAdslPort, 14, 'q'},
        {"port selection: bits allocation", PortSelection(4), kAdslPort, 37, 'q'},
        {"port selection: loop monitoring", PortSelection(5), kAdslPort, 39, 'm'},
        {"port selection: loop diagnosis", PortSelection(6), kAdslPort, 39, 'm'},
        {"port selection: single-ended loop test", PortSelection(7), kAdslPort, 39, 'm'},
        {"ADSL current PM", Make<CAdslCurrentPmDlg>(), kAdslPort, 15, 'q'},
        {"ADSL history PM", Make<CAdslHistoryPmDlg>(), kAdslPort, 16, 'q'},
        {"ADSL rate status", Make<CAdslRateStatusDlg>(), kAdslPort, 14, 'q'},
        {"SHDSL current PM", Make<CShdslCurPmDlg>(), kShdslPort, 15, 'q'},
        {"SHDSL history PM", Make<CShdslHisPmDlg>(), kShdslPort, 16, 'q'},
        {"trunk port PM", Make<CTrunkPortPmDlg>(), kNeItself, 36, 'q'},
        {"long-term PM list", Make<CXdslLongTermPmListDlg>(), kNeItself, 17, 'q'},
        {"long-term PM add", Make<CXdslLongTermPmAddDlg>(), kAdslPort, 17, 'q'},
        {"long-term PM interval", Make<CXdslLongTermPmIntervalDlg>(), kAdslPort, 17, 'q'},
        {"long-term PM records", Make<CXdslLongTermPmDlg>(), kAdslPort, 17, 'q'},
        {"bits allocation", Make<CXdslBitsAllocationDlg>(), kAdslPort, 37, 'q'},
        {"loop diagnosis", Make<CXdslLoopDiagnosisDlg>(), kAdslPort, 39, 'm'},
        {"loop monitoring", Make<CXdslLoopMonitoringDlg>(), kAdslPort, 39, 'm'},
        {"single-ended loop test", Make<CXdslSeltDlg>(), kAdslPort, 39, 'm'},
        {"broadcast VLANs", Make<CXdslBroadcastFilterDlg>(), kNeItself, 28, 'q'},
        {"DHCP transactions", Make<CDhcpTransactionListDlg>(), kNeItself, 69, 'q'},
        {"filtering database", Make<CXdslFdbListDlg>(), kNeItself, 71, 'q'},
        {"MAC spoofing", Make<CXdslMacSpoofStatusListDlg>(), kNeItself, 62, 'q'},
        {"multicast channel status", Make<CMulticastChannelStatusDlg>(), kNeItself, 30, 'q'},
        {"multicast group members", Make<CMulticastGroupMemberDlg>(), kNeItself, 30, 'q'},
    };
    for (const RightRow& row : rows) {
        SCOPED_TRACE(row.dialog);
        bool ended = false;
        EXPECT_EQ(Opened(row, ShortOf(row.letter), &ended), QStringLiteral("No privilege"));
        EXPECT_TRUE(ended);
        EXPECT_NE(Opened(row, row.letter, &ended), QStringLiteral("No privilege"));
    }
}

TEST_F(PerformanceRightsTest, ButtonsAskTheirFunctionWithTheirLetter)
{
    const RightRow rows[] = {
        {"MAC spoofing: Permit", Make<CXdslMacSpoofStatusListDlg>(), kNeItself, 62, 'm',
         CXdslMacSpoofStatusListDlg::kPermitId},
        {"MAC spoofing: Deny All", Make<CXdslMacSpoofStatusListDlg>(), kNeItself, 62, 'm',
         CXdslMacSpoofStatusListDlg::kDenyAllId},
        {"long-term PM: Delete", Make<CXdslLongTermPmListDlg>(), kNeItself, 17, 'd', kDeleteButtonId},
    };
    for (const RightRow& row : rows) {
        SCOPED_TRACE(row.dialog);
        bool ended = false;
        QString pressed;
        Opened(row, ShortOf(row.letter), &ended, &pressed);
        EXPECT_FALSE(ended);
        EXPECT_EQ(pressed, QStringLiteral("No privilege"));
        Opened(row, row.letter, &ended, &pressed);
        EXPECT_EQ(pressed, QStringLiteral("Please select one item"));
    }
}

// The SHDSL history's refresh asks the current PM's function with 'q', past the history's that opens it: one short of
// it there has the history open and reads the refusal on the opener's message line; one who holds it reads none.
TEST_F(PerformanceRightsTest, TheShdslHistoryRefreshAsksTheCurrentPmFunction)
{
    const RightRow row{"SHDSL history PM: refresh", Make<CShdslHisPmDlg>(), kShdslPort, 15, 'q'};
    bool ended = true;
    EXPECT_EQ(Opened(row, ShortOf(row.letter), &ended), QStringLiteral("No privilege"));
    EXPECT_FALSE(ended);
    EXPECT_NE(Opened(row, row.letter, &ended), QStringLiteral("No privilege"));
    EXPECT_FALSE(ended);
}

} // namespace
