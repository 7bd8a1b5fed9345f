// The rights of NE and server management in the running program (rights_steps.h): for each right a dialog checks, an
// operator whose role holds exactly the letter below it on that function is refused with "No privilege" (the dialog
// closes, keeps its OK or the command stays undone), and one who holds the letter gets through. Where a list's command
// also looks for its NE, the order of the two looks shows when the NE has gone meanwhile.

#include "tests/e2e/support/sent_requests.h"
#include "tests/e2e/support/rights_steps.h"

#include "core/tables/ne_table.h"
#include "features/fault/ne_alarm_io/ne_alarm_input_list_dlg.h"
#include "features/management/accounts/user_list_dlg.h"
#include "features/management/cascaded/cascaded_mgmt_dlg.h"
#include "features/management/cascaded/remote_ne_dlg.h"
#include "features/management/cascaded/remote_ne_list_dlg.h"
#include "features/management/clock/ne_system_time_dlg.h"
#include "features/management/clock/ne_time_server_status_dlg.h"
#include "features/management/discovery/discovery_range_dlg.h"
#include "features/management/discovery/ne_auto_discovery_dlg.h"
#include "features/management/firmware/ne_boot_partition_dlg.h"
#include "features/management/firmware/ne_config_backup_list_dlg.h"
#include "features/management/firmware/ne_fw_upgrade_dlg.h"
#include "features/management/ne/inventory_dlg.h"
#include "features/management/ne/ne_dlg.h"
#include "features/management/ne/ne_list_dlg.h"
#include "features/management/ne_access/ne_snmp_community_list_dlg.h"
#include "features/management/ne_access/ne_snmp_manager_list_dlg.h"
#include "features/management/ne_access/ne_user_account_list_dlg.h"
#include "features/management/ne_access/secured_host_list_dlg.h"
#include "features/management/ne_fs/ne_fs_copy_base_dlg.h"
#include "features/management/ne_fs/ne_fs_format_dlg.h"
#include "features/management/ne_fs/ne_fs_list_dlg.h"
#include "features/management/ne_wide/mac_aging_dlg.h"
#include "features/management/ne_wide/ne_cli_prompt_dlg.h"
#include "features/management/ne_wide/ne_dns_server_dlg.h"
#include "features/management/ne_wide/packet_filter_dlg.h"
#include "features/management/ne_wide/telnet_timeout_dlg.h"
#include "features/management/operators/instant_mail_dlg.h"
#include "features/management/operators/user_online_list_dlg.h"
#include "features/management/oplog/user_op_log_criteria_dlg.h"
#include "features/management/oplog/user_op_log_list_dlg.h"
#include "features/management/server/db_backup_list_dlg.h"
#include "features/management/server/server_management_dlg.h"
#include "features/management/server/server_monitor_dlg.h"
#include "features/management/server/server_time_dlg.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "link/records/backup_record.h"
#include "link/records/discovery_range_rec.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/remote_ne_record.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

using e2e::Enabling;
using e2e::FirstRow;
using e2e::Opening;
using e2e::Pressing;
using e2e::RightCase;
using e2e::RowChooser;
using e2e::RowShowing;
using e2e::Through;

class ManagementRightsE2eTest : public e2e::CRightsTest {};

TEST_F(ManagementRightsE2eTest, TheNesDialogsAskTheirRights)
{
    // The root keeps a remote NE, and the NE a trap receiver and a community of no use, for their lists to delete.
    server_test::CRawClient& probe = program_.ServerProbe();
    RemoteNeRecord remote;
    remote.remoteNeId = 9;
    remote.ipAddress = {10, 31, 0, 9};
    remote.state = 1;
    NeSnmpManagerRecord manager;
    manager.ipAddress = {10, 40, 0, 9};
    manager.trapCommunity = "public";
    manager.state = 1;
    const NeSnmpCommunityRecord spare{"spare", 1, 1};
    const auto remoteBytes = EncodeRecord(remote);
    const auto managerBytes = EncodeRecord(manager);
    const auto spareBytes = EncodeRecord(spare);
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(2, kReqRemoteNeAdd, kNorth1, {remoteBytes.begin(), remoteBytes.end()}, kRemoteNeRecordSize)));
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqNeSnmpManagerAdd, kNorth1, {managerBytes.begin(), managerBytes.end()},
                                         kNeSnmpManagerRecordSize)));
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqNeSnmpCommunityAdd, kNorth1, {spareBytes.begin(), spareBytes.end()},
                                         kNeSnmpCommunityRecordSize)));
    const RightCase cases[] = {
        {"NE list", 3, 'q', Opening<CNeListDlg>(33071)},
        {"NE list Delete", 3, 'd',
         Pressing<CNeListDlg>(33071, kDeleteButtonId, RowShowing(CNeListDlg::kNameColumn, QStringLiteral("North-1")))},
        {"NE list Write Flash", 3, 'x',
         Pressing<CNeListDlg>(33071, CNeListDlg::kWriteFlashButtonId,
                              RowShowing(CNeListDlg::kNameColumn, QStringLiteral("North-1")))},
        {"Inventory", 3, 'q', Opening<CInventoryDlg>(33021)},
        {"Boot partition", 3, 'm', Opening<CNeBootPartitionDlg>(33170)},
        {"System time", 3, 'q', Opening<CNeSystemTimeDlg>(33103)},
        {"Configuration backups", 4, 'q', Opening<CNeConfigBackupListDlg>(33001)},
        {"Firmware upgrade", 27, 'x', Opening<CNeFwUpgradeDlg>(33044)},
        {"File system list", 68, 'q', Opening<CNeFsListDlg>(33206)},
        {"File system Delete", 68, 'd',
         Pressing<CNeFsListDlg>(33206, kDeleteButtonId,
                                RowShowing(CNeFsListDlg::kDeviceColumn, QStringLiteral("opCodeA")))},
        {"Cascaded management", 65, 'q', Opening<CCascadedMgmtDlg>(33202)},
        {"Cascaded management OK", 65, 'm', Pressing<CCascadedMgmtDlg>(33202, IDOK)},
        {"Remote NEs", 66, 'q', Opening<CRemoteNeListDlg>(33203)},
        {"Remote NE Delete", 66, 'd', Pressing<CRemoteNeListDlg>(33203, kDeleteButtonId, FirstRow)},
        {"Time servers", 53, 'q', Opening<CNeTimeServerStatusDlg>(33187)},
        {"Time servers Modify", 53, 'm', Enabling<CNeTimeServerStatusDlg>(33187, kModifyButtonId)},
        {"DNS servers", 52, 'q', Opening<CNeDnsServerDlg>(33186)},
        {"DNS servers OK", 52, 'm', Enabling<CNeDnsServerDlg>(33186, IDOK)},
        {"Telnet time-out", 73, 'q', Opening<CTelnetTimeoutDlg>(33214)},
        {"Telnet time-out OK", 73, 'm', Pressing<CTelnetTimeoutDlg>(33214, IDOK)},
        {"CLI prompt", 75, 'q', Opening<CCliPromptBaseDlg>(33217)},
        {"CLI prompt OK", 75, 'm', Pressing<CCliPromptBaseDlg>(33217, IDOK)},
        {"MAC aging", 33, 'q', Opening<CMacAgingDlg>(33072)},
        {"MAC aging OK", 33, 'm', Pressing<CMacAgingDlg>(33072, IDOK)},
        {"NetBIOS filter", 56, 'q', Opening<CPacketFilterDlg>(33190)},
        {"NetBIOS filter OK", 56, 'm', Pressing<CPacketFilterDlg>(33190, IDOK)},
        // The lists of accounts and communities are opened to change them.
        {"NE user accounts", 48, 'm', Opening<CNeUserAccountListDlg>(33168)},
        {"SNMP communities", 40, 'm', Opening<CNeSnmpCommunityListDlg>(33146)},
        {"SNMP community Delete", 40, 'd',
         Pressing<CNeSnmpCommunityListDlg>(33146, kDeleteButtonId, RowShowing(1, QStringLiteral("spare")))},
        {"SNMP managers", 25, 'q', Opening<CNeSnmpManagerListDlg>(33092)},
        {"SNMP manager Delete", 25, 'd',
         Pressing<CNeSnmpManagerListDlg>(33092, kDeleteButtonId, RowShowing(1, QStringLiteral("10.40.0.9")))},
        {"Secured hosts", 55, 'q', Opening<CSecuredHostListDlg>(33189)},
    };
    RunCases(cases, std::size(cases));
}

// With the partition format on the operator's toolbar, as no menu offers it.
class ManagementRightsOfChangesE2eTest : public e2e::CRightsTest {
protected:
    ManagementRightsOfChangesE2eTest() { peer_.iniExtra = e2e::ToolbarOf(33205); }
};

// The changes of the NE lists: adding, changing, deleting and running asks each its own letter, of the list or of
// the record dialog it opens.
TEST_F(ManagementRightsOfChangesE2eTest, TheNesChangesAskTheirLetters)
{
    // The server keeps a discovery range, a backup of North-1 and a remote NE behind it for the lists to work on.
    server_test::CRawClient& probe = program_.ServerProbe();
    DiscoveryRangeRec range;
    range.firstIp = {10, 50, 0, 1};
    range.lastIp = {10, 50, 0, 2};
    range.community = "public";
    BackupRecord backup;
    backup.name = "before-change";
    RemoteNeRecord remote;
    remote.remoteNeId = 9;
    remote.ipAddress = {10, 31, 0, 9};
    remote.state = 1;
    const auto rangeBytes = EncodeRecord(range);
    const auto backupBytes = EncodeRecord(backup);
    const auto remoteBytes = EncodeRecord(remote);
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(2, kReqDiscoveryRangeAdd, 0, {rangeBytes.begin(), rangeBytes.end()}, kDiscoveryRangeRecSize)));
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(2, kReqNeBackupAdd, kNorth1, {backupBytes.begin(), backupBytes.end()}, kBackupRecordSize)));
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(2, kReqRemoteNeAdd, kNorth1, {remoteBytes.begin(), remoteBytes.end()}, kRemoteNeRecordSize)));
    const RightCase cases[] = {
        {"NE list Add", 3, 'c', Through<CNeListDlg, CNeDlg>(33071, kAddButtonId)},
        {"NE list Modify", 3, 'm',
         Through<CNeListDlg, CNeDlg>(33071, kModifyButtonId,
                                     RowShowing(CNeListDlg::kNameColumn, QStringLiteral("North-1")))},
        {"Discovery Add Range", 1, 'c', Pressing<CNeAutoDiscoveryDlg>(33067, kAddButtonId)},
        {"Discovery Delete Range", 1, 'd', Pressing<CNeAutoDiscoveryDlg>(33067, kDeleteButtonId, FirstRow)},
        {"Discovery Restart", 1, 'd',
         Pressing<CNeAutoDiscoveryDlg>(33067, CNeAutoDiscoveryDlg::kRestartButtonId, FirstRow)},
        {"Configuration backup Add", 4, 'c', Pressing<CNeConfigBackupListDlg>(33001, kAddButtonId)},
        {"Configuration backup Delete", 4, 'd', Pressing<CNeConfigBackupListDlg>(33001, kDeleteButtonId, FirstRow)},
        {"Configuration backup Restore", 4, 'x',
         Pressing<CNeConfigBackupListDlg>(33001, CBackupListDlg::kRestoreButtonId, FirstRow)},
        {"File system Copy", 74, 'c',
         Through<CNeFsListDlg, CNeFsCopyBaseDlg>(33206, CNeFsListDlg::kCopyButtonId,
                                                 RowShowing(CNeFsListDlg::kDeviceColumn, QStringLiteral("opCodeA")))},
        {"File system Format", 67, 'm', Opening<CNeFsFormatDlg>(33205)},
        {"Remote NE Add", 66, 'c', Through<CRemoteNeListDlg, CRemoteNeDlg>(33203, kAddButtonId)},
        {"Remote NE Modify", 66, 'm', Through<CRemoteNeListDlg, CRemoteNeDlg>(33203, kModifyButtonId, FirstRow)},
        {"User account Add", 18, 'c', Pressing<CUserListDlg>(33111, kAddButtonId)},
        {"User account Modify", 18, 'm',
         Pressing<CUserListDlg>(33111, kModifyButtonId,
                                RowShowing(CUserListDlg::kNameColumn, QStringLiteral("north")))},
    };
    RunCases(cases, std::size(cases));
}

constexpr uint32_t kNorth1Id = 1; // the NE chosen in the tree

// The dialog's NE is gone from the tables when the button is pressed, with the row chosen (none: the command reaches
// the dialog without a row, as a posted command would): what the message line says. The rows stay as they were; the
// NE is back afterwards.
template <class Dlg>
std::function<QString(e2e::CProgram&)> PressingWithoutTheNe(int command, int button, RowChooser row)
{
    return [command, button, row](e2e::CProgram& program) {
        QString said;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            if (row) {
                QTreeView& rows = *dialog.FindList(kListControlId);
                const int chosen = row(rows);
                ASSERT_GE(chosen, 0) << command;
                program.ClickListRow(rows, chosen);
            }
            dialog.ClearMessageLine();
            const int rows = CListControl(dialog.FindList(kListControlId)).GetItemCount();
            const CNeRecord kept = *FindNeById(kNorth1Id);
            ASSERT_EQ(RemoveNe(kNorth1Id), NeResult::kOk);
            if (row)
                e2e::Click(dialog, button);
            else
                dialog.OnCommand(button, BN_CLICKED);
            said = e2e::MessageLine(dialog);
            EXPECT_EQ(CListControl(dialog.FindList(kListControlId)).GetItemCount(), rows) << command;
            EXPECT_EQ(AddNe(kept), NeResult::kOk);
        });
        EXPECT_TRUE(program.Command(command)) << command;
        return said;
    };
}

TEST_F(ManagementRightsE2eTest, ListCommandsLookForTheNeAndTheRightInTheirOrder)
{
    BackupRecord backup;
    backup.name = "before-change";
    server_test::CRawClient& probe = program_.ServerProbe();
    const auto bytes = EncodeRecord(backup);
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(2, kReqNeBackupAdd, kNorth1, {bytes.begin(), bytes.end()}, kBackupRecordSize)));
    NeSnmpManagerRecord manager;
    manager.ipAddress = {10, 40, 0, 9};
    manager.trapCommunity = "public";
    manager.state = 1;
    const auto managerBytes = EncodeRecord(manager);
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqNeSnmpManagerAdd, kNorth1, {managerBytes.begin(), managerBytes.end()},
                                         kNeSnmpManagerRecordSize)));
    const QString unknownNe = QStringLiteral("Unknown NE");
    struct Case {
        const char* name;
        int function;
        char letter; // the Administrators' letter on the function
        std::function<QString(e2e::CProgram&)> path;
        QString said;
    };
    const Case cases[] = {
        // Delete looks for the NE before its right.
        {"Configuration backup Delete", 4, 'c',
         PressingWithoutTheNe<CNeConfigBackupListDlg>(33001, kDeleteButtonId, FirstRow), unknownNe},
        {"File system Delete", 68, 'c',
         PressingWithoutTheNe<CNeFsListDlg>(33206, kDeleteButtonId,
                                            RowShowing(CNeFsListDlg::kDeviceColumn, QStringLiteral("opCodeA"))),
         unknownNe},
        // Modify of the alarm inputs asks its right, then looks for the NE, then for the row.
        {"Alarm input Modify", 34, 'q', PressingWithoutTheNe<CNeAlarmInputListDlg>(33032, kModifyButtonId, FirstRow),
         e2e::kNoPrivilege},
        {"Alarm input Modify without a row", 34, 'm',
         PressingWithoutTheNe<CNeAlarmInputListDlg>(33032, kModifyButtonId, {}), unknownNe},
        {"NE user account Delete", 48, 'c',
         PressingWithoutTheNe<CNeUserAccountListDlg>(33168, kDeleteButtonId, RowShowing(1, QStringLiteral("su"))),
         unknownNe},
        {"SNMP community Delete", 40, 'c',
         PressingWithoutTheNe<CNeSnmpCommunityListDlg>(33146, kDeleteButtonId, FirstRow), unknownNe},
        {"SNMP manager Delete", 25, 'c', PressingWithoutTheNe<CNeSnmpManagerListDlg>(33092, kDeleteButtonId, FirstRow),
         unknownNe},
        {"Filtering database Delete", 71, 'c',
         PressingWithoutTheNe<CXdslFdbListDlg>(33117, kDeleteButtonId,
                                               RowShowing(CXdslFdbListDlg::kStatusColumn, QStringLiteral("Static"))),
         unknownNe},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(GiveAdministrators(c.function, c.letter));
        EXPECT_EQ(c.path(program_), c.said);
    }
}

TEST_F(ManagementRightsE2eTest, TheServersDialogsAskTheirRights)
{
    const RightCase cases[] = {
        {"Server management options", 0, 'q', Opening<CServerManagementDlg>(33098)},
        {"Server management options OK", 0, 'm', Enabling<CServerManagementDlg>(33098, IDOK)},
        {"Server monitoring", 0, 'q', Opening<CServerMonitorDlg>(33153)},
        {"Server time", 0, 'q', Opening<CServerTimeDlg>(33099)},
        {"Server time Set", 3, 'm', Enabling<CServerTimeDlg>(33099, CServerTimeDlg::kSetButtonId)},
        {"Database backups", 2, 'q', Opening<CDbBackupListDlg>(33002)},
        {"Database backup Delete", 2, 'd', Pressing<CDbBackupListDlg>(33002, kDeleteButtonId, FirstRow)},
        {"Database backup Restore", 2, 'x',
         Pressing<CDbBackupListDlg>(33002, CBackupListDlg::kRestoreButtonId, FirstRow)},
        {"NE auto-discovery", 1, 'q', Opening<CNeAutoDiscoveryDlg>(33067)},
        {"Online users", 19, 'q', Opening<CUserOnlineListDlg>(33113)},
        {"Force Logout", 19, 'x',
         Pressing<CUserOnlineListDlg>(33113, CUserOnlineListDlg::kForceLogoutButtonId, FirstRow)},
        {"Send Msg", 19, 'x',
         Through<CUserOnlineListDlg, CInstantMailDlg>(33113, CUserOnlineListDlg::kSendMessageButtonId, FirstRow)},
        {"User accounts", 18, 'q', Opening<CUserListDlg>(33111)},
        {"User account Delete", 18, 'd',
         Pressing<CUserListDlg>(33111, kDeleteButtonId,
                                RowShowing(CUserListDlg::kNameColumn, QStringLiteral("north")))},
        {"Operation log", 20, 'q', Opening<CUserOpLogCriteriaDlg>(33112)},
    };
    RunCases(cases, std::size(cases));
}

// The requests of the server's and the NE's management go with the NE id each names: 0 for the server's own, the
// target NE's for the NE's tables, and the operation log's the NE chosen in its criteria (0 for all), as the PDU log
// shows what went out.
class ManagementRequestsE2eTest : public e2e::CRightsTest {
protected:
    ManagementRequestsE2eTest() { peer_.iniExtra = e2e::kPduLogToFile; }
};

template <class Dlg> std::function<void(e2e::CProgram&)> Open(int command)
{
    return [command](e2e::CProgram& program) {
        program.Operator().OnDialog<Dlg>([](Dlg&) { return IDCANCEL; });
        EXPECT_TRUE(program.Command(command)) << command;
    };
}

// A mail to the first operator online, sent from the online users' list.
void MailingTheFirstOnline(e2e::CProgram& program)
{
    program.Operator().OnDialog<CUserOnlineListDlg>([&](CUserOnlineListDlg& online) {
        program.ClickListRow(*online.FindList(kListControlId), 0);
        program.Operator().OnDialog<CInstantMailDlg>([](CInstantMailDlg& mail) {
            e2e::Type(mail, CInstantMailDlg::kMessageId, QStringLiteral("Please check North-1."));
            e2e::Click(mail, IDOK);
            return IDCANCEL;
        });
        e2e::Click(online, CUserOnlineListDlg::kSendMessageButtonId);
        return IDCANCEL;
    });
    EXPECT_TRUE(program.Command(33113));
}

// The operation log queried for the NE the criteria offer first, or for every NE (the whole tree, " <ALL>").
std::function<void(e2e::CProgram&)> QueryingTheLog(bool everyNe)
{
    return [everyNe](e2e::CProgram& program) {
        using Criteria = CUserOpLogCriteriaDlg;
        program.Operator().OnDialog<Criteria>([&](Criteria& criteria) {
            if (everyNe) {
                e2e::Choose(criteria, Criteria::kLocationComboId,
                            e2e::ComboTexts(criteria, Criteria::kLocationComboId).split(',').value(0));
                EXPECT_TRUE(e2e::Choose(criteria, Criteria::kNeComboId, QStringLiteral(" <ALL>")));
            } else {
                EXPECT_EQ(e2e::Field(criteria, Criteria::kNeComboId), QStringLiteral("North-1"));
            }
            program.Operator().OnDialog<CUserOpLogListDlg>([](CUserOpLogListDlg&) { return IDCANCEL; });
            e2e::Click(criteria, IDOK);
            return IDCANCEL;
        });
        EXPECT_TRUE(program.Command(33112));
    };
}

TEST_F(ManagementRequestsE2eTest, EachRequestGoesWithTheNeIdItNames)
{
    const struct {
        const char* name;
        std::function<void(e2e::CProgram&)> path;
        unsigned code;
        uint32_t neId;
        unsigned operation = 1;
    } cases[] = {
        {"server options", Open<CServerManagementDlg>(33098), kReqServerOption.value, 0},
        {"server schedules", Open<CServerManagementDlg>(33098), kReqServerSchedule.value, 0},
        {"server monitoring", Open<CServerMonitorDlg>(33153), kReqServerResource.value, 0},
        {"server time", Open<CServerTimeDlg>(33099), kReqServerTime.value, 0},
        {"online users", Open<CUserOnlineListDlg>(33113), kReqOnlineUser.value, 0},
        {"operator mail", MailingTheFirstOnline, kReqOperatorMail.value, 0, 2},
        {"database backups", Open<CDbBackupListDlg>(33002), kReqDbBackup.value, 0},
        {"operation log of every NE", QueryingTheLog(true), kReqOpLog.value, 0},
        {"operation log of North-1", QueryingTheLog(false), kReqOpLog.value, kNorth1},
        {"NE user accounts", Open<CNeUserAccountListDlg>(33168), kReqNeUserAccount.value, kNorth1},
        {"NE record before the communities", Open<CNeSnmpCommunityListDlg>(33146), kReqNeKey.value, kNorth1},
        {"NE SNMP communities", Open<CNeSnmpCommunityListDlg>(33146), kReqNeSnmpCommunity.value, kNorth1},
        {"NE SNMP managers", Open<CNeSnmpManagerListDlg>(33092), kReqNeSnmpManager.value, kNorth1},
        {"secured hosts", Open<CSecuredHostListDlg>(33189), kReqSecuredHost.value, kNorth1},
        {"secured host state", Open<CSecuredHostListDlg>(33189), kReqSecuredHostState.value, kNorth1},
        // The xDSL services of the NE chosen in the tree.
        {"IP traffic profiles", Open<CADialog>(33175), kReqIpTrafficProfile.value, kNorth1},
        {"IGMP setting", Open<CADialog>(33171), kReqIgmpSetting.value, kNorth1},
        {"PPPoE setting", Open<CADialog>(33185), kReqPppoe.value, kNorth1},
        {"PPPoE sessions", Open<CADialog>(33210), kReqPppoeSession.value, kNorth1},
        {"VLAN membership", Open<CADialog>(33127), kReqVlanMembership.value, kNorth1},
        {"VLAN MAC limits", Open<CADialog>(33181), kReqVlanMacLimit.value, kNorth1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = e2e::SentNeIds(program_, c.operation, c.code).size();
        c.path(program_);
        const std::vector<uint32_t> sent = e2e::SentNeIds(program_, c.operation, c.code);
        ASSERT_GT(sent.size(), before) << "nothing sent of " << c.code;
        for (size_t i = before; i < sent.size(); ++i)
            EXPECT_EQ(sent[i], c.neId) << c.code;
    }
}

} // namespace
