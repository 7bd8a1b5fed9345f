#include "features/management/management_commands.h"

#include "features/management/accounts/user_acl_dlg.h"
#include "features/management/accounts/user_data_dlg.h"
#include "features/management/accounts/user_list_dlg.h"
#include "features/management/cascaded/cascaded_mgmt_dlg.h"
#include "features/management/cascaded/remote_ne_list_dlg.h"
#include "features/management/clock/ne_system_time_dlg.h"
#include "features/management/clock/ne_time_server_status_dlg.h"
#include "features/management/discovery/ne_auto_discovery_dlg.h"
#include "features/management/firmware/ne_boot_partition_dlg.h"
#include "features/management/firmware/ne_config_backup_list_dlg.h"
#include "features/management/firmware/ne_config_backup_restore_dlg.h"
#include "features/management/firmware/ne_fw_upgrade_backup_dlg.h"
#include "features/management/firmware/ne_fw_upgrade_dlg.h"
#include "features/management/firmware/ne_shdsl_fw_upgrade_dlg.h"
#include "features/management/ne/inventory_dlg.h"
#include "features/management/ne/ne_dlg.h"
#include "features/management/ne/ne_list_dlg.h"
#include "features/management/ne_access/ne_snmp_community_list_dlg.h"
#include "features/management/ne_access/ne_snmp_manager_list_dlg.h"
#include "features/management/ne_access/ne_user_account_list_dlg.h"
#include "features/management/ne_access/secured_host_list_dlg.h"
#include "features/management/ne_fs/ne_fs_format_dlg.h"
#include "features/management/ne_fs/ne_fs_list_dlg.h"
#include "features/management/ne_wide/mac_aging_dlg.h"
#include "features/management/ne_wide/ne_cli_prompt_dlg.h"
#include "features/management/ne_wide/ne_dns_server_dlg.h"
#include "features/management/ne_wide/packet_filter_dlg.h"
#include "features/management/ne_wide/redundancy_ctrl_dlg.h"
#include "features/management/ne_wide/telnet_timeout_dlg.h"
#include "features/management/operators/user_online_list_dlg.h"
#include "features/management/oplog/user_op_log_criteria_dlg.h"
#include "features/management/server/command_dlg.h"
#include "features/management/server/db_backup_list_dlg.h"
#include "features/management/server/server_management_dlg.h"
#include "features/management/server/server_monitor_dlg.h"
#include "features/management/server/server_time_dlg.h"
#include "features/management/subscribers/subscriber_data_dlg.h"
#include "features/management/subscribers/subscriber_select_dlg.h"
#include "ui/framework/commands/command_registry.h"
#include "ui/framework/dialogs/dialog_request.h"

namespace {

// Popups of the main menus.
constexpr char kServerManagement[] = "System/Server Management";
constexpr char kConfiguration[] = "Configuration";
constexpr char kNeManagement[] = "Configuration/NE Management";
constexpr char kNeConnection[] = "Configuration/NE Management/NE Connection";
constexpr char kSnmp[] = "Configuration/NE Management/NE Connection/SNMP";
constexpr char kCliSetting[] = "Configuration/NE Management/NE Connection/CLI Setting";
constexpr char kCascadedManagement[] = "Configuration/NE Management/Cascaded Management";
constexpr char kFirmwareUpgrade[] = "Configuration/NE Management/Firmware Upgrade";
constexpr char kXdsl[] = "Configuration/xDSL";
constexpr char kPacketFilter[] = "Configuration/xDSL/Packet Filter";
constexpr char kDiagnosis[] = "Diagnosis";
constexpr char kSecurity[] = "Security";

std::vector<Command> Commands()
{
    return {
        Command(33098).Menu(kServerManagement, "Management Options...", 10).Server().Dialog<CServerManagementDlg>(),
        Command(33002)
            .Menu(kServerManagement, "DB Backup && Restore...", 20)
            .Server()
            .HideIn({MainMenuCase::DirectNe, MainMenuCase::DirectNoNe})
            .Dialog<CDbBackupListDlg>(),
        Command(33067).Menu(kServerManagement, "NE Auto-discovery...", 30).Server().Dialog<CNeAutoDiscoveryDlg>(),
        Command(33099).Menu(kServerManagement, "Server System Time...", 40).Server().Dialog<CServerTimeDlg>(),
        Command(33153).Menu(kServerManagement, "Server System Monitoring...", 50).Server().Dialog<CServerMonitorDlg>(),
        Command(33071).Menu(kNeManagement, "&All NEs...", 10).Server().Dialog<CNeListDlg>().Location(),
        Command(33092).Menu(kSnmp, "SNMP Managers...", 10).InNeSet().Dialog<CNeSnmpManagerListDlg>(kTargetNeOnly),
        Command(33146)
            .Menu(kSnmp, "SNMP Community...", 20)
            .NeOnline()
            .Dialog<CNeSnmpCommunityListDlg>(kTargetNeOnly)
            .Access(kAccessModify),
        Command(33189).Menu(kNeConnection, "Secured Hosts...", 20).InNeSet().Dialog<CSecuredHostListDlg>(kTargetNeOnly),
        Command(33168)
            .Menu(kNeConnection, "NE User Account...", 30)
            .NeOnline()
            .Dialog<CNeUserAccountListDlg>(kTargetNeOnly)
            .Access(kAccessModify),
        Command(33214)
            .Menu(kCliSetting, "Telnet Time-out...", 10, {kCaseOnlineNe})
            .Menu(kNeConnection, "Telnet Time-out...", 45, {kCaseDirectNe})
            .Menu(kNeManagement, "Telnet Time-out...", 40, {kCasePlannedNe})
            .NeOnline()
            .Dialog<CTelnetTimeoutDlg>(kTargetNeOnly)
            .Location(),
        Command(33217)
            .Menu(kCliSetting, "CLI Prompt Setting...", 20)
            .Server()
            .NeOnline()
            .Check("OnCliPromptSetting", kTargetNeOnly)
            .Location(),
        Command(33103).Menu(kNeManagement, "System &Time...", 50).InNeSet().Dialog<CNeSystemTimeDlg>(kTargetNeOnly),
        Command(33186).Menu(kNeManagement, "DNS Servers...", 60).NeOnline().Dialog<CNeDnsServerDlg>(kTargetNeOnly),
        Command(33187)
            .Menu(kNeManagement, "Time Servers...", 70)
            .NeOnline()
            .Dialog<CNeTimeServerStatusDlg>(kTargetNeOnly),
        Command(33202)
            .Menu(kCascadedManagement, "Cascaded Management Setting...", 10)
            .NeOnline()
            .Dialog<CCascadedMgmtDlg>(kTargetNeSelection),
        Command(33203)
            .Menu(kCascadedManagement, "Cascaded Remote NE...", 20)
            .NeOnline()
            .Dialog<CRemoteNeListDlg>(kTargetNeOnly),
        Command(33072).Menu(kNeManagement, "MAC Aging...", 90).InNeSet().Dialog<CMacAgingDlg>(kTargetNeEntity),
        Command(33044)
            .Menu(kFirmwareUpgrade, "NE && ADSL...", 10)
            .Menu(kNeManagement, "&Firmware Upgrade...", 120, LinkModes::Direct)
            .InNeSet()
            .ByMode<CNeFwUpgradeBackupDlg>(kTargetNeOnly)
            .Location(),
        Command(33197)
            .Menu(kFirmwareUpgrade, "SHDSL...", 20)
            .Menu(kNeManagement, "NE SHDSL Firmware Upgrade...", 130, LinkModes::Direct)
            .InNeSet()
            .ByMode<CNeShdslFwUpgradeDlg>(kTargetNeOnly)
            .Location(),
        Command(33170)
            .Menu(kNeManagement, "Boot Partition...", 140)
            .InNeSet()
            .Dialog<CNeBootPartitionDlg>(kTargetNeOnly)
            .Location(),
        Command(33001)
            .Menu(kNeManagement, "&Backup && Restore...", 150)
            .InNeSet()
            // In direct mode the menu is its one way in: the NE list offers it neither as a button nor in its popup.
            .HideButtonIn({MainMenuCase::DirectNe})
            .ByMode<CNeConfigBackupRestoreDlg>(kTargetNeEntity),
        Command(33206)
            .Menu(kNeManagement, "File System List...", 170)
            .NeOnline()
            .Dialog<CNeFsListDlg>(kTargetNeOnly)
            .Location(),
        // In no menu: a toolbar button may offer it.
        Command(33205).NeOnline().Dialog<CNeFsFormatDlg>(kTargetNeOnly).Location(),
        Command(33190)
            .Menu(kPacketFilter, "NetBIOS / NetBUI...", 10)
            .Menu(kXdsl, "Packet Filter...", 170, LinkModes::Direct)
            .InNeSet()
            .Dialog<CPacketFilterDlg>(kTargetNeEntity),
        Command(33096)
            .Menu(kConfiguration, "&Subscriber...", 80)
            .Server()
            .NeOnline()
            .Dialog<CSubscriberSelectDlg>(kTargetNeEntity),
        Command(33021).Menu(kDiagnosis, "&Inventory...", 60).InNeSet().Dialog<CInventoryDlg>(kTargetNeEntity),
        Command(33113).Menu(kSecurity, "&Online User...", 10).Server().Dialog<CUserOnlineListDlg>(),
        Command(33112)
            .Menu(kSecurity, "User Operation &Log...", 20)
            .Server()
            .Dialog<CUserOpLogCriteriaDlg>(kTargetNeEntity)
            .Member(),
        Command(33111)
            .Menu(kSecurity, "&Account Management...", 30)
            .Server()
            .HideIn({MainMenuCase::DirectNe, MainMenuCase::DirectNoNe})
            .Dialog<CUserListDlg>()
            .Location(),
        Command(33110).Menu(kSecurity, "Access &Control...", 40).Server().Dialog<CUserAclDlg>(),
        // Only in the entity popups.
        Command(33017).Server().Dialog<CNeDlg>(kTargetNeOnly).Access(kAccessModify),
        Command(33018).Server().Dialog<CUserDataDlg>().Member().Access(kAccessModify),
        // The NE list of the direct link holds its one NE, whose configuration backup and restore it opens.
        Command(33048).Dialog<CNeListDlg>().Location(),
        Command(33049).Server().Dialog<CUserListDlg>().Location(),
        // A new NE: the location only, no NE the dialog would start from.
        Command(33063).Server().Dialog<CNeDlg>().Location().Access(kAccessCreate),
        Command(33064).Server().Dialog<CUserDataDlg>().Location().Access(kAccessCreate),
        Command(33083).Dialog<CNeDlg>(kTargetNeOnly),
        Command(33137).Server().Dialog<CUserDataDlg>().Member(),
        Command(33188).InNeSet().Dialog<CRedundancyCtrlDlg>(kTargetNeEntity),
        // In no menu.
        Command(1093).Dialog<CCommandDlg>(kTargetNeOnly),
    };
}

// Opened by the router itself: the server mode's classes of Backup & Restore and of the firmware upgrades, the CLI
// prompt dialogs after their query. Opened by the ADSL port list: a port's subscriber.
std::vector<DialogClassDeclaration> RouterDialogs()
{
    return {BuiltDialog<CNeConfigBackupListDlg>(), BuiltDialog<CNeFwUpgradeDlg>(), BuiltDialog<CNeCliPromptDlg>(),
            BuiltDialog<CNeCliPromptDualDlg>(), BuiltDialog<CSubscriberDataDlg>()};
}

} // namespace

void DeclareManagementCommands()
{
    DeclareCommands("management", Commands(), RouterDialogs());
}
