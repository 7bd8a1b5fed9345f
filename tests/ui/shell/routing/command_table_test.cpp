// The command table of the main window, written out here as the table it is: each command id with the places the
// main menus offer it (the variants of the modes), the context menus that carry it, or none; the route; the class
// opened (in direct mode, and in server mode where they differ) with the target form, location, member, access mode
// and opener fields it is handed. The program's menu file and its router are compared with it, and a command the
// program routes but the table does not have fails too.

#include "tests/ui/shell/routing/routing_test_support.h"

#include "core/tables/location_tree.h"
#include "ui/framework/commands/command_registry.h"
#include "ui/framework/commands/menu_skeleton.h"
#include "ui/framework/menus/context_menu_data.h"
#include "ui/framework/messages/string_ids.h"

#include <map>
#include <set>
#include <string>

using namespace frame_test;
using namespace routing_test;

namespace {

constexpr uint32_t kNe = 7;
constexpr uint32_t kLocation = 5;
constexpr int kTrunkPortCommand = 33164; // a dialog of one trunk port: it opens only with a port selected

enum class Menus { Main, Context, None };

struct TableRow {
    int id;
    Menus menus;
    std::vector<std::string> places; // main menu paths "Popup/Popup/Entry", or the names of context popups
    RouteKind route;
    std::string className;       // the class opened; in direct mode for the routes by mode
    std::string serverClassName; // the routes by mode: the class of server mode
    uint8_t target;
    bool location;
    bool member;
    uint8_t accessMode;
    int portSelMode;
    int templateMode;
    int profileGroup;
    int activeHistory; // the alarm criteria dialog: 1 active, 0 history (server mode for the routes by mode)
};

// clang-format off
const std::vector<TableRow> kTable = {
    {33113, Menus::Main, {"Security/Online User"}, RouteKind::Dialog, "CUserOnlineListDlg", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33112, Menus::Main, {"Security/User Operation Log"}, RouteKind::Dialog, "CUserOpLogCriteriaDlg", "", kTargetNeEntity, false, true, 0, 0, -1, -1, -1},
    {33111, Menus::Main, {"Security/Account Management"}, RouteKind::Dialog, "CUserListDlg", "", kTargetNone, true, false, 0, 0, -1, -1, -1},
    {33094, Menus::None, {}, RouteKind::Stop, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33073, Menus::Main, {"System/Client Options", "System/Options"}, RouteKind::Dialog, "CClientOptionsDlg", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33098, Menus::Main, {"System/Server Management/Management Options"}, RouteKind::Dialog, "CServerManagementDlg", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33002, Menus::Main, {"System/Server Management/DB Backup & Restore"}, RouteKind::Dialog, "CDbBackupListDlg", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33047, Menus::Main, {"Configuration/Location Management"}, RouteKind::Dialog, "CLocationListDlg", "", kTargetNone, true, false, 0, 0, -1, -1, -1},
    {33071, Menus::Main, {"Configuration/NE Management/All NEs"}, RouteKind::Dialog, "CNeListDlg", "", kTargetNone, true, false, 0, 0, -1, -1, -1},
    {33067, Menus::Main, {"System/Server Management/NE Auto-discovery"}, RouteKind::Dialog, "CNeAutoDiscoveryDlg", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33110, Menus::Main, {"Security/Access Control"}, RouteKind::Dialog, "CUserAclDlg", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {32770, Menus::Main, {"View/Location Indicator"}, RouteKind::Toggle, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {32773, Menus::Main, {"View/Port Tip"}, RouteKind::Toggle, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {32769, Menus::Main, {"View/Focus Frame"}, RouteKind::Toggle, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {1268, Menus::None, {}, RouteKind::Window, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {1093, Menus::None, {}, RouteKind::Dialog, "CCommandDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33099, Menus::Main, {"System/Server Management/Server System Time"}, RouteKind::Dialog, "CServerTimeDlg", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33153, Menus::Main, {"System/Server Management/Server System Monitoring"}, RouteKind::Dialog, "CServerMonitorDlg", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33130, Menus::Main, {"Configuration/xDSL/ADSL Port Setting"}, RouteKind::Dialog, "CAdslPortListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33177, Menus::Main, {"Configuration/xDSL/SHDSL Port Setting"}, RouteKind::Dialog, "CShdslPortListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33029, Menus::Main, {"Diagnosis/NE Alarm/Active Alarm"}, RouteKind::Dialog, "CActiveAlarmDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33076, Menus::Main, {"Performance/xDSL Current PM"}, RouteKind::Port, "CAdslCurrentPmDlg", "", kTargetNeEntity, false, false, 0, 1, -1, -1, -1},
    {33179, Menus::Context, {"SHDSLModule", "SHDSLPort"}, RouteKind::Port, "CShdslCurPmDlg", "", kTargetNeEntity, false, false, 0, 1, -1, -1, -1},
    {33078, Menus::Main, {"Performance/xDSL History PM"}, RouteKind::Port, "CAdslHistoryPmDlg", "", kTargetNeEntity, false, false, 0, 2, -1, -1, -1},
    {33180, Menus::Context, {"SHDSLModule", "SHDSLPort"}, RouteKind::Port, "CShdslHisPmDlg", "", kTargetNeEntity, false, false, 0, 2, -1, -1, -1},
    {33077, Menus::Main, {"Performance/xDSL Long-Term PM"}, RouteKind::Dialog, "CXdslLongTermPmListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33124, Menus::Main, {"Diagnosis/xDSL Current Status/Port Rate Status"}, RouteKind::Port, "CAdslRateStatusDlg", "", kTargetNeEntity, false, false, 0, 3, -1, -1, -1},
    {33178, Menus::Context, {"SHDSLModule", "SHDSLPort"}, RouteKind::Port, "CShdslRateStatusDlg", "", kTargetNeEntity, false, false, 0, 3, -1, -1, -1},
    {33080, Menus::Main, {"Configuration/Profile/ADSL Profile"}, RouteKind::Dialog, "CProfileListDlg", "", kTargetNeOnly, false, false, 0, 0, 0, 0, -1},
    {33081, Menus::Main, {"Configuration/Profile/SHDSL Profile"}, RouteKind::Dialog, "CProfileListDlg", "", kTargetNeOnly, false, false, 0, 0, 0, 1, -1},
    {33175, Menus::Main, {"Configuration/Profile/VLAN Profile"}, RouteKind::Dialog, "CProfileListDlg", "", kTargetNeOnly, false, false, 0, 0, 0, 2, -1},
    {33034, Menus::Main, {"Diagnosis/NE Alarm/History Alarm List"}, RouteKind::Mode, "CHistoryAlarmListDlg", "CAlarmCriteriaDlg", kTargetNeEntity, false, false, 0, 0, -1, -1, 0},
    {33085, Menus::Main, {"Diagnosis/Reset"}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33074, Menus::Main, {"Configuration/NE Management/NE Connection/Ping NE from Client", "Diagnosis/NE Connection/Ping NE", "Diagnosis/NE Connection/Ping NE from Client", "Diagnosis/Ping"}, RouteKind::Dialog, "CPingFromClientDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33001, Menus::Main, {"Configuration/NE Management/Backup & Restore"}, RouteKind::Mode, "CNeConfigBackupRestoreDlg", "CNeConfigBackupListDlg", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33062, Menus::Context, {"Group", "RootGroup"}, RouteKind::Dialog, "CLocationDlg", "", kTargetNone, true, false, 4, 0, -1, -1, -1},
    {33063, Menus::Context, {"GroupNEs", "Map", "MapNE", "NEList"}, RouteKind::Dialog, "CNeDlg", "", kTargetNone, true, false, 4, 0, -1, -1, -1},
    {33064, Menus::Context, {"GroupMember", "GroupMembers"}, RouteKind::Dialog, "CUserDataDlg", "", kTargetNone, true, false, 4, 0, -1, -1, -1},
    {33016, Menus::Context, {"Group"}, RouteKind::Dialog, "CLocationDlg", "", kTargetNone, true, false, 2, 0, -1, -1, -1},
    {33009, Menus::Context, {"Group"}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33010, Menus::Context, {"GroupNE", "MapNE", "NE"}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33017, Menus::Context, {"GroupNE", "MapNE", "NE"}, RouteKind::Dialog, "CNeDlg", "", kTargetNeOnly, false, false, 2, 0, -1, -1, -1},
    {33018, Menus::Context, {"GroupMember"}, RouteKind::Dialog, "CUserDataDlg", "", kTargetNone, false, true, 2, 0, -1, -1, -1},
    {33100, Menus::None, {}, RouteKind::Dialog, "CConfigVerifyDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33101, Menus::None, {}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33102, Menus::None, {}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33011, Menus::Context, {"GroupMember"}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33095, Menus::Context, {"Group", "RootGroup"}, RouteKind::Dialog, "CLocationListDlg", "", kTargetNone, true, false, 0, 0, -1, -1, -1},
    {33048, Menus::Context, {"Group", "GroupNEs", "RootGroup"}, RouteKind::Dialog, "CNeListDlg", "", kTargetNone, true, false, 0, 0, -1, -1, -1},
    {33049, Menus::Context, {"Group", "GroupMembers", "RootGroup"}, RouteKind::Dialog, "CUserListDlg", "", kTargetNone, true, false, 0, 0, -1, -1, -1},
    {33105, Menus::Main, {"Configuration/NE Management/NE Connection/Check SNMP Connection", "Diagnosis/Check SNMP Connection", "Diagnosis/NE Connection/Check SNMP Connection", "Diagnosis/NE Connection/Check SNMP Connection from Server"}, RouteKind::Dialog, "CCheckNeSnmpDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33103, Menus::Main, {"Configuration/NE Management/System Time"}, RouteKind::Dialog, "CNeSystemTimeDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33092, Menus::Main, {"Configuration/NE Management/NE Connection/SNMP/SNMP Managers"}, RouteKind::Dialog, "CNeSnmpManagerListDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33189, Menus::Main, {"Configuration/NE Management/NE Connection/Secured Hosts"}, RouteKind::Dialog, "CSecuredHostListDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33186, Menus::Main, {"Configuration/NE Management/DNS Servers"}, RouteKind::Dialog, "CNeDnsServerDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33187, Menus::Main, {"Configuration/NE Management/Time Servers"}, RouteKind::Dialog, "CNeTimeServerStatusDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33202, Menus::Main, {"Configuration/NE Management/Cascaded Management/Cascaded Management Setting"}, RouteKind::Dialog, "CCascadedMgmtDlg", "", kTargetNeSelection, false, false, 0, 0, -1, -1, -1},
    {33203, Menus::Main, {"Configuration/NE Management/Cascaded Management/Cascaded Remote NE"}, RouteKind::Dialog, "CRemoteNeListDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33072, Menus::Main, {"Configuration/NE Management/MAC Aging"}, RouteKind::Dialog, "CMacAgingDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33190, Menus::Main, {"Configuration/xDSL/Packet Filter", "Configuration/xDSL/Packet Filter/NetBIOS / NetBUI"}, RouteKind::Dialog, "CPacketFilterDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33188, Menus::Context, {"QX7100CWMModule", "QX7100MainShelf", "QX7200MainShelf"}, RouteKind::Dialog, "CRedundancyCtrlDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33070, Menus::None, {}, RouteKind::Dialog, "CIgmpSnoopingDlg", "", kTargetNeEntity, false, false, 2, 0, -1, -1, -1},
    {33155, Menus::Context, {"ADSLModule", "ADSLPort", "QX7100MainShelf", "QX7200MainShelf", "GroupNE", "MapNE", "Module", "NE", "Port", "Rack", "Shelf"}, RouteKind::Dialog, "CIgmpProxyDlg", "", kTargetNeEntity, false, false, 2, 0, -1, -1, -1},
    {33171, Menus::Main, {"Configuration/xDSL/IGMP Snooping / Proxy"}, RouteKind::Dialog, "CIgmpSnoopProxyDlg", "", kTargetNeEntity, false, false, 2, 0, -1, -1, -1},
    {33021, Menus::Main, {"Diagnosis/Inventory"}, RouteKind::Dialog, "CInventoryDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33162, Menus::Main, {"Diagnosis/Board Setting"}, RouteKind::Dialog, "CBoardSettingListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33096, Menus::Main, {"Configuration/Subscriber"}, RouteKind::Dialog, "CSubscriberSelectDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33104, Menus::Main, {"Configuration/NE Management/NE Connection/Telnet from Client", "Diagnosis/NE Connection/Telnet", "Diagnosis/NE Connection/Telnet from Client", "Diagnosis/Telnet"}, RouteKind::Outside, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33214, Menus::Main, {"Configuration/NE Management/NE Connection/CLI Setting/Telnet Time-out", "Configuration/NE Management/NE Connection/Telnet Time-out", "Configuration/NE Management/Telnet Time-out"}, RouteKind::Dialog, "CTelnetTimeoutDlg", "", kTargetNeOnly, true, false, 0, 0, -1, -1, -1},
    {33217, Menus::Main, {"Configuration/NE Management/NE Connection/CLI Setting/CLI Prompt Setting"}, RouteKind::Check, "CNeCliPromptDlg", "", kTargetNeOnly, true, false, 0, 0, -1, -1, -1},
    {33041, Menus::Main, {"Diagnosis/NE Alarm/Alarm Notification"}, RouteKind::Dialog, "CAlarmTriggerListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33036, Menus::Main, {"Diagnosis/NE Alarm/History Alarm Statistics"}, RouteKind::Dialog, "CAlarmStatCriteriaDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33042, Menus::Main, {"Diagnosis/NE Alarm/Alarm Sync"}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33058, Menus::None, {}, RouteKind::None, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33031, Menus::Main, {"Configuration/Profile/Alarm Definition"}, RouteKind::Dialog, "CAlarmDefListDlg", "", kTargetNeSelection, false, false, 0, 0, 0, -1, -1},
    {33059, Menus::None, {}, RouteKind::None, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33030, Menus::Main, {"Diagnosis/Location Alarm/Active Alarm"}, RouteKind::Check, "CAlarmCriteriaDlg", "", kTargetNeOnly, true, false, 0, 0, -1, -1, 1},
    {33035, Menus::Main, {"Diagnosis/Location Alarm/History Alarm"}, RouteKind::Dialog, "CAlarmCriteriaDlg", "", kTargetNeOnly, true, false, 0, 0, -1, -1, 0},
    {33032, Menus::Main, {"Diagnosis/NE Alarm/Alarm Input"}, RouteKind::Dialog, "CNeAlarmInputListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33213, Menus::Main, {"Diagnosis/NE Alarm/Alarm Output"}, RouteKind::Dialog, "CNeAlarmOutputListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33151, Menus::Main, {"Diagnosis/NE Alarm/Hardware Monitoring"}, RouteKind::Dialog, "CHwMonitorListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33192, Menus::Main, {"Diagnosis/NE Alarm/Hardware Monitoring Threshold"}, RouteKind::Dialog, "CHwMonThresholdDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33044, Menus::Main, {"Configuration/NE Management/Firmware Upgrade", "Configuration/NE Management/Firmware Upgrade/NE & ADSL"}, RouteKind::Mode, "CNeFwUpgradeBackupDlg", "CNeFwUpgradeDlg", kTargetNeOnly, true, false, 0, 0, -1, -1, -1},
    {33197, Menus::Main, {"Configuration/NE Management/Firmware Upgrade/SHDSL", "Configuration/NE Management/NE SHDSL Firmware Upgrade"}, RouteKind::Mode, "CNeShdslFwUpgradeDlg", "CNeFwUpgradeDlg", kTargetNeOnly, true, false, 0, 0, -1, -1, -1},
    {33170, Menus::Main, {"Configuration/NE Management/Boot Partition"}, RouteKind::Dialog, "CNeBootPartitionDlg", "", kTargetNeOnly, true, false, 0, 0, -1, -1, -1},
    {33022, Menus::Main, {"Configuration/xDSL/VC-to-VLAN"}, RouteKind::Dialog, "CXdslVcVlanListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33121, Menus::Main, {"Configuration/xDSL/Multicast Channel"}, RouteKind::Dialog, "CXdslMcChannelListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33191, Menus::None, {}, RouteKind::Dialog, "CProtocolVlanListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33053, Menus::Main, {"Configuration/xDSL/Next-hop Info for IP over ATM"}, RouteKind::Dialog, "CIpoaNextHopListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33158, Menus::Main, {"Configuration/xDSL/DHCP/DHCP Setting"}, RouteKind::Dialog, "CDhcpSettingDlg", "", kTargetNeEntity, false, false, 2, 0, -1, -1, -1},
    {33160, Menus::Main, {"Configuration/xDSL/Port Agent ID"}, RouteKind::Dialog, "CXdslPortAgentIdListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33159, Menus::Main, {"Configuration/xDSL/DHCP/DHCP Server for DHCP Relay"}, RouteKind::Dialog, "CDhcpRelayServerListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33182, Menus::Main, {"Configuration/xDSL/DHCP/DHCP Broadcast Control"}, RouteKind::Dialog, "CDhcpBroadcastControlDlg", "", kTargetNeOnly, false, false, 2, 0, -1, -1, -1},
    {33185, Menus::Main, {"Configuration/xDSL/PPPoE/PPPoE Setting"}, RouteKind::Dialog, "CPppoeSettingDlg", "", kTargetNeEntity, false, false, 2, 0, -1, -1, -1},
    {33116, Menus::Main, {"Configuration/xDSL/Fast Provision/Port & VC-to-VLAN"}, RouteKind::Dialog, "CFastProvDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33122, Menus::Main, {"Configuration/xDSL/Fast Provision/Multicast Channel"}, RouteKind::Dialog, "CMcFastProvDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33117, Menus::Main, {"Diagnosis/xDSL Current Status/Bridge Filtering Database"}, RouteKind::Dialog, "CXdslFdbListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33211, Menus::Main, {"Configuration/xDSL/Bridge Filtering Database"}, RouteKind::Dialog, "CXdslFdbConfigListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33127, Menus::Main, {"Diagnosis/xDSL Current Status/VLAN Membership"}, RouteKind::Dialog, "CVlanMembershipListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33118, Menus::Main, {"Diagnosis/xDSL Current Status/Multicast Channel Status"}, RouteKind::Check, "CMulticastChannelStatusDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33119, Menus::Main, {"Diagnosis/xDSL Current Status/Multicast Group Membership"}, RouteKind::Check, "CMulticastGroupMemberDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33088, Menus::Main, {"Configuration/NE Management/Configuration Data/Save"}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33204, Menus::Main, {"Configuration/NE Management/Configuration Data/Erase"}, RouteKind::Request, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33075, Menus::Main, {"Performance/Trunk Port PM"}, RouteKind::Dialog, "CTrunkPortPmDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33115, Menus::Main, {"Diagnosis/xDSL Current Status/Bits Allocation"}, RouteKind::Port, "CXdslBitsAllocationDlg", "", kTargetNeEntity, false, false, 0, 4, -1, -1, -1},
    {33083, Menus::Context, {"GroupNE", "MapNE", "NE"}, RouteKind::Dialog, "CNeDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33147, Menus::Main, {"Diagnosis/xDSL Current Status/Loop Monitoring"}, RouteKind::Port, "CXdslLoopMonitoringDlg", "", kTargetNeEntity, false, false, 0, 5, -1, -1, -1},
    {33120, Menus::Main, {"Diagnosis/xDSL Current Status/Loop Diagnosis (DELT)"}, RouteKind::Port, "CXdslLoopDiagnosisDlg", "", kTargetNeEntity, false, false, 0, 6, -1, -1, -1},
    {33184, Menus::Main, {"Diagnosis/xDSL Current Status/Loop SELT Test"}, RouteKind::Port, "CXdslSeltDlg", "", kTargetNeEntity, false, false, 0, 7, -1, -1, -1},
    {33136, Menus::Context, {"Group"}, RouteKind::Dialog, "CLocationDlg", "", kTargetNone, true, false, 0, 0, -1, -1, -1},
    {33137, Menus::Context, {"GroupMember"}, RouteKind::Dialog, "CUserDataDlg", "", kTargetNone, false, true, 0, 0, -1, -1, -1},
    {33142, Menus::Main, {"Configuration/Template/ADSL Profile Template"}, RouteKind::Dialog, "CProfileListDlg", "", kTargetNeOnly, true, false, 0, 0, 1, 0, -1},
    {33176, Menus::Main, {"Configuration/Template/SHDSL Profile Template"}, RouteKind::Dialog, "CProfileListDlg", "", kTargetNeOnly, true, false, 0, 0, 1, 1, -1},
    {33174, Menus::Main, {"Configuration/Template/VLAN Profile Template"}, RouteKind::Dialog, "CProfileListDlg", "", kTargetNeOnly, true, false, 0, 0, 1, 2, -1},
    {33143, Menus::Main, {"Configuration/Template/Alarm Definition Template"}, RouteKind::Dialog, "CAlarmDefListDlg", "", kTargetNeSelection, true, false, 0, 0, 1, -1, -1},
    {33144, Menus::Main, {"Configuration/Template/Synchronize NE Profiles"}, RouteKind::Dialog, "CTemplateSyncDlg", "", kTargetNeOnly, true, false, 0, 0, -1, -1, -1},
    {33145, Menus::Main, {"Configuration/NE Management/NE Connection/Traceroute NE from Client", "Diagnosis/NE Connection/Traceroute", "Diagnosis/NE Connection/Traceroute NE from Client", "Diagnosis/Traceroute"}, RouteKind::Dialog, "CTracerouteDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33146, Menus::Main, {"Configuration/NE Management/NE Connection/SNMP/SNMP Community"}, RouteKind::Dialog, "CNeSnmpCommunityListDlg", "", kTargetNeOnly, false, false, 2, 0, -1, -1, -1},
    {33168, Menus::Main, {"Configuration/NE Management/NE Connection/NE User Account"}, RouteKind::Dialog, "CNeUserAccountListDlg", "", kTargetNeOnly, false, false, 2, 0, -1, -1, -1},
    {33167, Menus::Main, {"Configuration/xDSL/Access Control List"}, RouteKind::Dialog, "CXdslAclListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33181, Menus::Main, {"Configuration/xDSL/VLAN MAC Limit"}, RouteKind::Dialog, "CVlanMacLimitListDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33148, Menus::Main, {"Configuration/NE Management/NE Connection/Ping NE from Server", "Diagnosis/NE Connection/Ping NE from Server"}, RouteKind::Dialog, "CPingFromServerDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33173, Menus::Main, {"Configuration/Trunk/Port Setting"}, RouteKind::Dialog, "CTrunkPortListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33164, Menus::None, {}, RouteKind::Dialog, "CTrunkPortDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33161, Menus::Main, {"Configuration/Trunk/LACP", "Configuration/Trunk/Link Aggregation"}, RouteKind::Dialog, "CLinkAggSettingDlg", "", kTargetNeEntity, false, false, 2, 0, -1, -1, -1},
    {33163, Menus::Main, {"Diagnosis/Trunk Current Status/Link Aggregation Status"}, RouteKind::Dialog, "CLinkAggStatusDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33183, Menus::Main, {"Configuration/Trunk/Static Link Aggregation"}, RouteKind::Dialog, "CStaticLinkAggDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33166, Menus::Main, {"Configuration/Trunk/RSTP"}, RouteKind::Dialog, "CRstpSettingDlg", "", kTargetNeEntity, false, false, 2, 0, -1, -1, -1},
    {33165, Menus::Main, {"Diagnosis/Trunk Current Status/RSTP Status"}, RouteKind::Dialog, "CRstpStatusDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33169, Menus::Main, {"Configuration/Trunk/CoS Mapping"}, RouteKind::Dialog, "CCosMappingDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33050, Menus::Main, {"Help/Help Contents"}, RouteKind::Outside, "", "", kTargetNone, false, false, 0, 0, -1, -1, -1},
    {33195, Menus::Main, {"Diagnosis/xDSL Current Status/Broadcast Filter Status"}, RouteKind::Dialog, "CXdslBroadcastFilterDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33196, Menus::Main, {"Diagnosis/xDSL Current Status/MAC Spoofing Status"}, RouteKind::Dialog, "CXdslMacSpoofStatusListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33219, Menus::Main, {"Diagnosis/Trunk Current Status/ARP Proxy Table"}, RouteKind::Dialog, "CTrunkArpProxyListDlg", "", kTargetNeSelection, false, false, 0, 0, -1, -1, -1},
    {33220, Menus::Main, {"Configuration/Trunk/ARP Proxy Setting", "Configuration/xDSL/ARP/ARP Proxy Setting"}, RouteKind::Dialog, "CArpProxySettingDlg", "", kTargetNeSelection, false, false, 0, 0, -1, -1, -1},
    {33218, Menus::Main, {"Diagnosis/xDSL Current Status/ARP Proxy Table"}, RouteKind::Dialog, "CAdslArpProxyListDlg", "", kTargetNeSelection, false, false, 0, 0, -1, -1, -1},
    {33199, Menus::Main, {"Diagnosis/Trunk Current Status/SFP Information"}, RouteKind::Dialog, "CSfpInfoDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33200, Menus::Main, {"Configuration/Trunk/Manual VLAN Setting"}, RouteKind::Dialog, "CManualVlanDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33201, Menus::Main, {"Diagnosis/Trunk Current Status/UGE VLAN Status"}, RouteKind::Dialog, "CTrunkVlanListDlg", "", kTargetNeOnly, false, false, 0, 0, -1, -1, -1},
    {33205, Menus::None, {}, RouteKind::Dialog, "CNeFsFormatDlg", "", kTargetNeOnly, true, false, 0, 0, -1, -1, -1},
    {33206, Menus::Main, {"Configuration/NE Management/File System List"}, RouteKind::Dialog, "CNeFsListDlg", "", kTargetNeOnly, true, false, 0, 0, -1, -1, -1},
    {33209, Menus::Main, {"Diagnosis/xDSL Current Status/DHCP Transaction Information"}, RouteKind::Dialog, "CDhcpTransactionListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33210, Menus::Main, {"Diagnosis/xDSL Current Status/PPPoE Session Information"}, RouteKind::Dialog, "CPppoeSessionListDlg", "", kTargetNeEntity, false, false, 0, 0, -1, -1, -1},
    {33215, Menus::Main, {"Configuration/xDSL/Packet Filter/Packet Filter"}, RouteKind::Slot, "CXdslPktFilterDlg", "", kTargetNone, false, false, 2, 0, -1, -1, -1},
    {33216, Menus::Main, {"Configuration/xDSL/Packet Filter/Packet Filter Group"}, RouteKind::Slot, "CXdslPktFilterGroupDlg", "", kTargetNone, false, false, 2, 0, -1, -1, -1},
};
// clang-format on

constexpr int kYes = 6;

// The requests of the one-shot commands, with a port selected (the reset of a port) and the question answered Yes;
// the retrieval of the configuration re-reads the NE list, the entity states and the alarms after it.
const std::map<int, std::vector<uint16_t>> kRequestCodes = {
    {33085, {342}}, {33009, {22}},  {33010, {32}},
    {33011, {14}},  {33101, {51}},  {33102, {50, 30, 323, 325}},
    {33088, {343}}, {33204, {347}}, {33042, {327, 332, 323}},
};

const TableRow* RowOf(int id)
{
    for (const TableRow& row : kTable) {
        if (row.id == id)
            return &row;
    }
    return nullptr;
}

// A menu text as the table writes it: no access-key marks, no shortcut, no trailing dots.
std::string PlainText(const std::string& text)
{
    std::string plain = MenuPathKey(text.substr(0, text.find('\t')));
    while (!plain.empty() && plain.back() == '.')
        plain.pop_back();
    return plain;
}

// The places (popup path and entry text) of each command id in the popups.
void CollectMenuEntries(const std::vector<ContextMenuEntry>& entries, const std::string& path,
                        std::map<int, std::vector<std::string>>& found)
{
    for (const ContextMenuEntry& entry : entries) {
        if (entry.kind == ContextMenuEntry::Kind::Item)
            found[entry.commandId].push_back(path + "/" + PlainText(entry.text));
        else if (entry.kind == ContextMenuEntry::Kind::Popup)
            CollectMenuEntries(entry.children, path + "/" + PlainText(entry.text), found);
    }
}

bool PopupHolds(const std::vector<ContextMenuEntry>& entries, int id)
{
    for (const ContextMenuEntry& entry : entries) {
        if ((entry.kind == ContextMenuEntry::Kind::Item && entry.commandId == id) ||
            (entry.kind == ContextMenuEntry::Kind::Popup && PopupHolds(entry.children, id)))
            return true;
    }
    return false;
}

class CommandTableTest : public ::testing::Test {
protected:
    CommandTableTest()
    {
        DeclareProgramCommands();
        AddTestNe({.id = kNe, .name = "Seven", .location = kLocation});
        CLocationNode location;
        location.id = kLocation;
        location.name = "Harbour";
        AppData().locations.UpsertLocation(location);
        GrantAll(kRoleAdministrator);
        host_.neId = kNe;
        host_.locationId = kLocation;
        host_.keyText = "bob";
    }

    // Runs the command with a fresh record of what it opens, asks and sends.
    void Run(int id, const CEntityIndex& selection, bool direct = false)
    {
        dialogs_.opened.clear();
        services_.questions.clear();
        services_.requests.clear();
        services_.statuses.clear();
        host_.index = selection;
        host_.direct = direct;
        ASSERT_TRUE(router_.Route(id));
    }

    // The one dialog the command opened is the table's class with what the table says it is handed.
    void ExpectOpened(const TableRow& row, const std::string& className, const CEntityIndex& selection,
                      int activeHistory, int portSelMode = -1)
    {
        ASSERT_EQ(dialogs_.opened.size(), 1U);
        const DialogRequest& opened = dialogs_.opened[0];
        EXPECT_EQ(opened.className, className);
        const uint32_t selected = CEntityId(&selection).id;
        switch (row.target) {
        case kTargetNone:
            EXPECT_FALSE(opened.hasTarget);
            break;
        case kTargetNeOnly:
            EXPECT_TRUE(opened.hasTarget && opened.neId == kNe);
            EXPECT_FALSE(opened.hasEntity);
            break;
        case kTargetNeEntity:
            EXPECT_TRUE(opened.hasTarget && opened.neId == kNe && opened.hasEntity);
            EXPECT_EQ(opened.entity.id, selected != 0 ? selected : 1U) << "the NE itself without a selection";
            break;
        case kTargetNeSelection:
            EXPECT_TRUE(opened.hasTarget && opened.neId == kNe && opened.hasEntity);
            EXPECT_EQ(opened.entity.id, selected);
            break;
        default:
            ADD_FAILURE() << "target form " << int{row.target};
        }
        EXPECT_EQ(opened.hasLocation, row.location);
        if (row.location) {
            EXPECT_EQ(opened.locationId, kLocation);
        }
        EXPECT_EQ(opened.hasUserName, row.member);
        if (row.member) {
            EXPECT_EQ(opened.userName, "bob");
        }
        EXPECT_EQ(opened.accessMode, row.accessMode);
        EXPECT_EQ(opened.templateMode, row.templateMode);
        EXPECT_EQ(opened.profileGroup, row.profileGroup);
        EXPECT_EQ(opened.activeHistory, activeHistory);
        EXPECT_EQ(opened.portSelMode, portSelMode);
    }

    ScopedModels models_;
    ScopedWorkDir work_;
    FakeRouteHost host_;
    RecordingServices services_;
    DialogRecorder dialogs_;
    CCommandRouter router_{host_, services_.Make()};
};

TEST_F(CommandTableTest, TheMainMenusOfferEachCommandWhereTheTableSaysAndNowhereElse)
{
    const ContextMenuFile file = LoadContextMenuFile(kResources + "/menus/main_menus.menu");
    ASSERT_TRUE(file.read);
    EXPECT_TRUE(file.faults.empty());
    std::map<int, std::vector<std::string>> found;
    for (const ContextMenu& menu : file.menus) {
        for (const ContextPopup& popup : menu.popups)
            CollectMenuEntries(popup.entries, PlainText(popup.names.front()), found);
    }
    for (const TableRow& row : kTable) {
        SCOPED_TRACE(row.id);
        const std::set<std::string> expected = row.menus == Menus::Main
                                                   ? std::set<std::string>(row.places.begin(), row.places.end())
                                                   : std::set<std::string>{};
        EXPECT_EQ(std::set<std::string>(found[row.id].begin(), found[row.id].end()), expected);
    }
}

// The places of a command are the names the menus give it: one menu offers a command at one place only.
TEST_F(CommandTableTest, EachMainMenuOffersACommandOnce)
{
    const ContextMenuFile file = LoadContextMenuFile(kResources + "/menus/main_menus.menu");
    ASSERT_TRUE(file.read);
    for (const ContextMenu& menu : file.menus) {
        SCOPED_TRACE(menu.id);
        std::map<int, std::vector<std::string>> found;
        for (const ContextPopup& popup : menu.popups)
            CollectMenuEntries(popup.entries, PlainText(popup.names.front()), found);
        for (const auto& [id, places] : found)
            EXPECT_EQ(places.size(), 1U) << id << " at " << places.front() << " and " << places.back();
    }
}

TEST_F(CommandTableTest, TheContextMenusNamedCarryTheirCommands)
{
    const ContextMenuFile file = LoadContextMenuFile(kResources + "/menus/context_menus.menu");
    ASSERT_TRUE(file.read);
    for (const TableRow& row : kTable) {
        if (row.menus != Menus::Context)
            continue;
        for (const std::string& name : row.places) {
            SCOPED_TRACE(testing::Message() << row.id << " " << name);
            bool held = false;
            for (const ContextMenu& menu : file.menus) {
                for (const ContextPopup& popup : menu.popups) {
                    if (std::find(popup.names.begin(), popup.names.end(), name) != popup.names.end())
                        held = held || PopupHolds(popup.entries, row.id);
                }
            }
            EXPECT_TRUE(held);
        }
    }
}

TEST_F(CommandTableTest, TheProgramRoutesNoCommandOutsideTheTable)
{
    for (const CommandDeclaration* command : DeclaredCommands()) {
        if (command->route) {
            EXPECT_NE(RowOf(command->id), nullptr) << command->id;
        }
    }
    for (const TableRow& row : kTable) {
        const CommandDeclaration* command = FindDeclaredCommand(row.id);
        EXPECT_TRUE(command != nullptr && command->route) << row.id;
    }
}

TEST_F(CommandTableTest, EachCommandReachesTheTablesDialogOrHandler)
{
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 2, 3);
    const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 2);
    const CEntityIndex none;
    for (const TableRow& row : kTable) {
        SCOPED_TRACE(row.id);
        switch (row.route) {
        case RouteKind::Dialog:
            for (const CEntityIndex& selection : {port, none}) {
                Run(row.id, selection);
                if (row.id == kTrunkPortCommand && selection.GetLevel() != 4) {
                    EXPECT_TRUE(dialogs_.opened.empty());
                    continue;
                }
                ExpectOpened(row, row.className, selection, row.activeHistory);
            }
            break;
        case RouteKind::Port:
            Run(row.id, port);
            ExpectOpened(row, row.className, port, -1);
            Run(row.id, slot);
            ExpectOpened(row, kPortSelectionDlg, slot, -1, row.portSelMode);
            break;
        case RouteKind::Slot:
            Run(row.id, slot);
            ASSERT_EQ(dialogs_.opened.size(), 1U) << "a slot is selected: no slot selection";
            EXPECT_EQ(dialogs_.opened[0].className, row.className);
            EXPECT_EQ(dialogs_.opened[0].entity.id, CEntityId(&slot).id);
            EXPECT_EQ(dialogs_.opened[0].accessMode, row.accessMode);
            break;
        case RouteKind::Mode:
            Run(row.id, port, true);
            ExpectOpened(row, row.className, port, -1);
            Run(row.id, port, false);
            ExpectOpened(row, row.serverClassName, port, row.activeHistory);
            break;
        case RouteKind::Check:
            // A query first (the CLI prompt and multicast commands), or the alarm criteria with the location.
            Run(row.id, port);
            if (row.className == kAlarmCriteriaDlg) {
                ASSERT_EQ(dialogs_.opened.size(), 1U);
                EXPECT_EQ(dialogs_.opened[0].className, row.className);
                EXPECT_EQ(dialogs_.opened[0].activeHistory, row.activeHistory);
                EXPECT_TRUE(dialogs_.opened[0].hasLocation && dialogs_.opened[0].locationId == kLocation);
            } else {
                ASSERT_FALSE(services_.requests.empty());
                EXPECT_EQ(services_.requests[0].code, row.id == 33217 ? 30 : 495);
            }
            break;
        case RouteKind::Request: {
            // Asked first, answered No: nothing sent; or sent at once (Alarm Sync).
            Run(row.id, port);
            EXPECT_TRUE(services_.questions.size() == 1 ? services_.requests.empty() : !services_.requests.empty());
            EXPECT_TRUE(dialogs_.opened.empty());
            // Answered Yes: the table's requests, in its order.
            services_.answers = {kYes};
            Run(row.id, port);
            std::vector<uint16_t> sent;
            for (const RoutedRequest& request : services_.requests)
                sent.push_back(request.code);
            ASSERT_EQ(kRequestCodes.count(row.id), 1u);
            EXPECT_EQ(sent, kRequestCodes.at(row.id));
            services_.answers.clear();
            break;
        }
        case RouteKind::Toggle:
            host_.toggled.clear();
            Run(row.id, none);
            EXPECT_EQ(host_.toggled, std::vector<int>{row.id});
            break;
        case RouteKind::Window: {
            const int raised = host_.pduLogRaised;
            Run(row.id, none);
            EXPECT_EQ(host_.pduLogRaised, raised + 1);
            break;
        }
        case RouteKind::Stop: {
            const int cancels = services_.cancels;
            Run(row.id, none);
            EXPECT_EQ(services_.cancels, cancels + 1);
            break;
        }
        case RouteKind::Outside: {
            const size_t help = services_.helpFiles.size();
            const size_t telnet = services_.telnetNes.size();
            Run(row.id, none);
            EXPECT_EQ(services_.helpFiles.size(), help + (row.id == 33050 ? 1 : 0));
            EXPECT_EQ(services_.telnetNes.size(), telnet + (row.id == 33104 ? 1 : 0));
            break;
        }
        case RouteKind::None:
            Run(row.id, port);
            EXPECT_TRUE(dialogs_.opened.empty() && services_.requests.empty() && services_.questions.empty());
            break;
        }
    }
}

} // namespace
