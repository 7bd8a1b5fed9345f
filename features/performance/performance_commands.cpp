#include "features/performance/performance_commands.h"

#include "features/performance/connection_tests/check_ne_snmp_dlg.h"
#include "features/performance/connection_tests/oam_loopback_dlg.h"
#include "features/performance/connection_tests/ping_from_client_dlg.h"
#include "features/performance/connection_tests/ping_from_server_dlg.h"
#include "features/performance/connection_tests/traceroute_dlg.h"
#include "features/performance/line_tests/xdsl_bits_allocation_dlg.h"
#include "features/performance/line_tests/xdsl_loop_diagnosis_dlg.h"
#include "features/performance/line_tests/xdsl_loop_monitoring_dlg.h"
#include "features/performance/line_tests/xdsl_selt_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_list_dlg.h"
#include "features/performance/pm/adsl_current_pm_dlg.h"
#include "features/performance/pm/adsl_history_pm_dlg.h"
#include "features/performance/pm/shdsl_cur_pm_dlg.h"
#include "features/performance/pm/shdsl_his_pm_dlg.h"
#include "features/performance/pm/trunk_port_pm_dlg.h"
#include "features/performance/port_selection/xdsl_port_sel_dlg.h"
#include "features/performance/rate_status/adsl_rate_status_dlg.h"
#include "features/performance/rate_status/shdsl_rate_status_dlg.h"
#include "features/performance/status_lists/dhcp_transaction_list_dlg.h"
#include "features/performance/status_lists/multicast_channel_status_dlg.h"
#include "features/performance/status_lists/multicast_group_member_dlg.h"
#include "features/performance/status_lists/xdsl_broadcast_filter_dlg.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "features/performance/status_lists/xdsl_mac_spoof_status_list_dlg.h"
#include "ui/framework/commands/command_registry.h"

namespace {

// Popups of the main menus.
constexpr char kPerformance[] = "Performance";
constexpr char kDiagnosis[] = "Diagnosis";
constexpr char kXdslStatus[] = "Diagnosis/xDSL Current Status";
constexpr char kNeConnectionTests[] = "Diagnosis/NE Connection";
constexpr char kNeConnection[] = "Configuration/NE Management/NE Connection";

std::vector<Command> Commands()
{
    return {
        // The port selection starts at the location of the current NE.
        Command(33076).Menu(kPerformance, "xDSL &Current PM...", 10).InNeSet().Port<CAdslCurrentPmDlg>(1),
        Command(33078).Menu(kPerformance, "xDSL &History PM...", 20).InNeSet().Port<CAdslHistoryPmDlg>(2),
        Command(33077)
            .Menu(kPerformance, "xDSL &Long-Term PM...", 30)
            .NeAny()
            .HideIn({MainMenuCase::ServerPlannedNe})
            .Dialog<CXdslLongTermPmListDlg>(kTargetNeEntity),
        Command(33075).Menu(kPerformance, "&Trunk Port PM...", 50).InNeSet().Dialog<CTrunkPortPmDlg>(kTargetNeEntity),
        Command(33124).Menu(kXdslStatus, "Port Rate Status...", 10).InNeSet().Port<CAdslRateStatusDlg>(3),
        Command(33117)
            .Menu(kXdslStatus, "Bridge Filtering Database...", 20)
            .InNeSet()
            .Dialog<CXdslFdbListDlg>(kTargetNeEntity),
        Command(33118)
            .Menu(kXdslStatus, "Multicast Channel Status...", 40)
            .InNeSet()
            .Check("OnMcChannelStatus", kTargetNeEntity),
        Command(33119)
            .Menu(kXdslStatus, "Multicast Group Membership...", 50)
            .InNeSet()
            .Check("OnMcGroupMembership", kTargetNeEntity),
        Command(33115).Menu(kXdslStatus, "Bits Allocation...", 70).InNeSet().Port<CXdslBitsAllocationDlg>(4),
        Command(33147).Menu(kXdslStatus, "Loop Monitoring...", 80).InNeSet().Port<CXdslLoopMonitoringDlg>(5),
        Command(33120).Menu(kXdslStatus, "Loop Diagnosis (DELT)...", 90).InNeSet().Port<CXdslLoopDiagnosisDlg>(6),
        Command(33184).Menu(kXdslStatus, "Loop SELT Test...", 100).InNeSet().Port<CXdslSeltDlg>(7),
        Command(33195)
            .Menu(kXdslStatus, "Broadcast Filter Status...", 120)
            .InNeSet()
            .Dialog<CXdslBroadcastFilterDlg>(kTargetNeEntity),
        Command(33196)
            .Menu(kXdslStatus, "MAC Spoofing Status...", 130)
            .InNeSet()
            .Dialog<CXdslMacSpoofStatusListDlg>(kTargetNeEntity),
        Command(33209)
            .Menu(kXdslStatus, "DHCP Transaction Information...", 150)
            .NeOnline()
            .Dialog<CDhcpTransactionListDlg>(kTargetNeEntity),
        // The connection tests: an NE that can be configured offers them with its connection settings, any other
        // NE under Diagnosis; each menu names each test once.
        Command(33074)
            .Menu(kNeConnection, "Ping NE from Client...", 60, {kCaseOnlineNe})
            .Menu(kNeConnectionTests, "Ping NE from Client...", 10, {kCaseOtherNe})
            .Menu(kNeConnectionTests, "Ping NE...", 10, {kCasePlannedNe})
            .Menu(kDiagnosis, "&Ping...", 110, {kCaseDirectNe})
            .NeAny()
            .Dialog<CPingFromClientDlg>(kTargetNeOnly),
        Command(33148)
            .Menu(kNeConnection, "Ping NE from Server...", 70, {kCaseOnlineNe})
            .Menu(kNeConnectionTests, "Ping NE from Server...", 20, {kCaseOtherNe, kCasePlannedNe})
            .Server()
            .NeAny()
            .Dialog<CPingFromServerDlg>(kTargetNeOnly),
        Command(33145)
            .Menu(kNeConnection, "Traceroute NE from Client...", 80, {kCaseOnlineNe})
            .Menu(kNeConnectionTests, "Traceroute NE from Client...", 30, {kCaseOtherNe})
            .Menu(kNeConnectionTests, "Traceroute...", 30, {kCasePlannedNe})
            .Menu(kDiagnosis, "&Traceroute...", 120, {kCaseDirectNe})
            .NeAny()
            .Dialog<CTracerouteDlg>(kTargetNeOnly),
        Command(33105)
            .Menu(kNeConnection, "Check SNMP Connection...", 100, {kCaseOnlineNe})
            .Menu(kNeConnectionTests, "Check SNMP Connection from Server...", 50, {kCaseOtherNe})
            .Menu(kNeConnectionTests, "Check SNMP Connection...", 50, {kCasePlannedNe})
            .Menu(kDiagnosis, "Check &SNMP Connection...", 140, {kCaseDirectNe})
            .NeAny()
            .Dialog<CCheckNeSnmpDlg>(kTargetNeOnly),
        // Only in the entity popups.
        Command(33179).InNeSet().Port<CShdslCurPmDlg>(1),
        Command(33180).InNeSet().Port<CShdslHisPmDlg>(2),
        Command(33178).InNeSet().Port<CShdslRateStatusDlg>(3),
    };
}

// Opened by the router itself: the port selection of the port commands, the multicast lists after their check; and
// opened by name: the OAM loopback test, from the popups of a port's PVC lists on their chosen PVC.
std::vector<DialogClassDeclaration> RouterDialogs()
{
    return {BuiltDialog<CXdslPortSelDlg>(), BuiltDialog<CMulticastChannelStatusDlg>(),
            BuiltDialog<CMulticastGroupMemberDlg>(), BuiltDialog<COamLoopbackDlg>()};
}

} // namespace

void DeclarePerformanceCommands()
{
    DeclareCommands("performance", Commands(), RouterDialogs());
}
