// The ranges of the NE's settings in the running program, at each end: a value at the bound passes the dialog's
// range check (what follows is the NE's), one past it is refused with the range message and the dialog stays. The
// texts of the management dialogs take at most their lengths, and the dialogs open with their first choices.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/export_steps.h"
#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/range_steps.h"
#include "tests/e2e/support/rights_steps.h"

#include "features/management/accounts/user_acl_dlg.h"
#include "features/management/accounts/user_data_dlg.h"
#include "features/management/accounts/user_list_dlg.h"
#include "features/management/cascaded/cascaded_mgmt_dlg.h"
#include "features/management/cascaded/remote_ne_dlg.h"
#include "features/management/cascaded/remote_ne_list_dlg.h"
#include "features/management/clock/ne_system_time_dlg.h"
#include "features/management/clock/ne_time_server_dlg.h"
#include "features/management/clock/ne_time_server_status_dlg.h"
#include "features/management/discovery/discovery_range_dlg.h"
#include "features/management/discovery/ne_auto_discovery_dlg.h"
#include "features/management/firmware/ne_config_backup_dlg.h"
#include "features/management/firmware/ne_config_backup_list_dlg.h"
#include "features/management/firmware/ne_fw_upgrade_dlg.h"
#include "features/management/ne/inventory_dlg.h"
#include "features/management/ne/ne_dlg.h"
#include "features/management/ne/ne_list_dlg.h"
#include "features/management/ne_access/ne_snmp_community_dlg.h"
#include "features/management/ne_access/ne_snmp_community_list_dlg.h"
#include "features/management/ne_access/ne_snmp_manager_dlg.h"
#include "features/management/ne_access/ne_snmp_manager_list_dlg.h"
#include "features/management/ne_access/ne_user_account_dlg.h"
#include "features/management/ne_access/ne_user_account_list_dlg.h"
#include "features/management/ne_access/secured_host_list_dlg.h"
#include "features/management/ne_fs/ne_fs_copy_base_dlg.h"
#include "features/management/ne_fs/ne_fs_list_dlg.h"
#include "features/management/ne_wide/mac_aging_dlg.h"
#include "features/management/ne_wide/redundancy_ctrl_dlg.h"
#include "features/management/ne_wide/telnet_timeout_dlg.h"
#include "features/management/operators/instant_mail_dlg.h"
#include "features/management/operators/user_online_list_dlg.h"
#include "features/management/oplog/user_op_log_criteria_dlg.h"
#include "features/management/oplog/user_op_log_list_dlg.h"
#include "features/management/server/command_dlg.h"
#include "features/management/server/db_backup_list_dlg.h"
#include "features/management/server/server_management_dlg.h"
#include "features/management/subscribers/subscriber_data_dlg.h"
#include "features/management/subscribers/subscriber_list_dlg.h"
#include "features/management/subscribers/subscriber_select_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <QKeySequence>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kNorth1 = 1;
using e2e::Click;
using e2e::MessageLine;

using e2e::Attempt;
using e2e::RangeCase;

// How the dialog is opened: a command of the main menu, or of the popup of an NE's main shelf in the tree (the NE is
// clicked first, for its shelves to come into the tree).
using Open = std::function<bool(e2e::CProgram&)>;
Open Menu(int command)
{
    return [=](e2e::CProgram& program) { return program.Command(command); };
}
Open ShelfPopup(const QString& ne, int command)
{
    return [=](e2e::CProgram& program) {
        QTreeWidgetItem* item = program.TreeItem(ne);
        program.ClickTreeItem(item);
        for (int i = 0; item != nullptr && i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == QStringLiteral("shelf:1")) {
                const std::vector<int> offered = program.RightClickTreeItem(item->child(i), command);
                return !offered.empty();
            }
        }
        return false;
    };
}

// `first`: a choice that makes the edit take typing (none: 0).
template <class Dlg> Attempt Typing(Open open, int editId, int buttonId, bool asks, int first = 0)
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            if (first != 0)
                e2e::Check(dialog, first);
            e2e::Type(dialog, editId, value);
            // The question before the range check is answered Yes, so that the check is reached.
            if (asks)
                program.Operator().AnswerBox(IDYES);
            Click(dialog, buttonId);
            refused = !dialog.IsEnded() && MessageLine(dialog).startsWith(QStringLiteral("Please enter an integer"));
        });
        EXPECT_TRUE(open(program));
        return refused;
    };
}

TEST(ManagementRangesE2eTest, EachEndOfARangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    ASSERT_EQ(program.Frame().GetCurrentNeId(), kNorth1);
    const RangeCase cases[] = {
        {"telnet time-out, minutes", 1, 1440,
         Typing<CTelnetTimeoutDlg>(Menu(33214), CTelnetTimeoutDlg::kMinutesId, IDOK, true)},
        {"MAC aging, seconds", 10, 1000, Typing<CMacAgingDlg>(Menu(33072), CMacAgingDlg::kSecondsId, IDOK, true)},
        // A root's, whose address is left blank: a prefix the field takes goes on to that refusal; the address check
        // alone judges the prefix.
        {"cascaded management, prefix length", 0, 4294967295,
         Typing<CCascadedMgmtDlg>(Menu(33202), CCascadedMgmtDlg::kPrefixId, IDOK, false, CCascadedMgmtDlg::kRootId)},
        // Whatever the signed 16-bit field holds.
        {"NE time zone, hours", -32768, 32767,
         Typing<CNeSystemTimeDlg>(Menu(33103), CNeSystemTimeDlg::kTimeZoneId, CNeSystemTimeDlg::kSetButtonId, false)},
        // Last, as it chooses South-1: its main shelf's, whose two control modules make the redundancy control: the
        // period while "Enabled".
        {"redundancy period, seconds", 30, 3600,
         Typing<CRedundancyCtrlDlg>(ShelfPopup(QStringLiteral("South-1"), 33188), CRedundancyCtrlDlg::kSecondsId, IDOK,
                                    true, CRedundancyCtrlDlg::kEnabledId)},
    };
    e2e::TryEachEnd(program, cases);
    EXPECT_TRUE(program.Operator().unscriptedDialogs.isEmpty())
        << program.Operator().unscriptedDialogs.join(',').toStdString();
}

// A dialog opened by a button of the dialog a command opens (the row chosen first): `work` runs on it while it is up.
using Work = std::function<void(CADialog&)>;
using Reach = std::function<void(e2e::CProgram&, const Work&)>;
template <class Outer, class Inner> Reach Within(int command, int button, e2e::RowChooser row = {})
{
    return [=](e2e::CProgram& program, const Work& work) {
        program.Operator().OnDialog<Outer>([&](Outer& outer) {
            e2e::ChooseRow(program, outer, row, command);
            program.Operator().OnDialog<Inner>([&](Inner& inner) { work(inner); });
            Click(outer, button);
        });
        EXPECT_TRUE(program.Command(command)) << command;
    };
}

class ManagementTextsE2eTest : public e2e::CNorth1Test {};

const Reach kRangeDlg = Within<CNeAutoDiscoveryDlg, CNeAutoDiscoveryRangeDlg>(33067, kAddButtonId);
const Reach kNewRemoteNe = Within<CRemoteNeListDlg, CRemoteNeDlg>(33203, kAddButtonId);
const Reach kNewAccount = Within<CUserListDlg, CUserDataDlg>(33111, kAddButtonId);
const Reach kTimeServers = Within<CNeTimeServerStatusDlg, CNeTimeServerDlg>(33187, kModifyButtonId);

// A dialog that `open` brings up, or the part of it (a page) that `part` picks.
template <class Dlg>
Reach OpenedBy(
    Open open, std::function<CADialog&(Dlg&)> part = [](Dlg& dialog) -> CADialog& { return dialog; })
{
    return [=](e2e::CProgram& program, const Work& work) {
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) { work(part(dialog)); });
        EXPECT_TRUE(open(program));
    };
}

// The Command dialog, which no menu offers: its keys.
bool CommandKeys(e2e::CProgram& program)
{
    program.PressKeys(QKeySequence(QStringLiteral("Ctrl+Alt+Shift+T")));
    return true;
}

// A new subscriber's data, through the selection's Query and the list's Add, or one of its pages.
Reach NewSubscriber(std::function<CADialog&(CSubscriberDataDlg&)> part)
{
    return [=](e2e::CProgram& program, const Work& work) {
        program.Operator().OnDialog<CSubscriberSelectDlg>([&](CSubscriberSelectDlg& select) {
            program.Operator().OnDialog<CSubscriberListDlg>([&](CSubscriberListDlg& list) {
                program.Operator().OnDialog<CSubscriberDataDlg>([&](CSubscriberDataDlg& data) { work(part(data)); });
                Click(list, kAddButtonId);
            });
            Click(select, IDOK);
        });
        EXPECT_TRUE(program.Command(33096));
    };
}
const Reach kSubscriberSelection = OpenedBy<CSubscriberSelectDlg>(Menu(33096));
const Reach kNewSubscriber = NewSubscriber([](CSubscriberDataDlg& data) -> CADialog& { return data; });
const Reach kNewSubscriberContact = NewSubscriber([](CSubscriberDataDlg& data) -> CADialog& {
    data.SelectPage(&data.ContactPage());
    return data.ContactPage();
});
const Reach kNewSubscriberClass = NewSubscriber([](CSubscriberDataDlg& data) -> CADialog& { return data.ClassPage(); });
const Reach kServerMailPage =
    OpenedBy<CServerManagementDlg>(Menu(33098), [](CServerManagementDlg& dialog) -> CADialog& {
        dialog.SelectPage(&dialog.MailPage());
        return dialog.MailPage();
    });

// Each text takes at most its length: as many characters as that are kept, one more is not.
TEST_F(ManagementTextsE2eTest, EachTextTakesAtMostItsLength)
{
    const struct {
        const char* name;
        Reach reach;
        int id;
        int most;
    } cases[] = {
        {"NE name", Within<CNeListDlg, CNeDlg>(33071, kAddButtonId), CNeDlg::kNameId, 20},
        {"range community", kRangeDlg, CNeAutoDiscoveryRangeDlg::kCommunityId, 20},
        {"remote NE community", kNewRemoteNe, CRemoteNeDlg::kCommunityId, 20},
        {"remote NE user", kNewRemoteNe, CRemoteNeDlg::kUserId, 16},
        {"remote NE password", kNewRemoteNe, CRemoteNeDlg::kPasswordId, 16},
        {"remote NE note", kNewRemoteNe, CRemoteNeDlg::kNoteId, 25},
        {"backup name", Within<CNeConfigBackupListDlg, CNeConfigBackupDlg>(33001, kAddButtonId),
         CNeConfigBackupDlg::kFileNameId, 60},
        {"copy destination",
         Within<CNeFsListDlg, CNeFsCopyBaseDlg>(
             33206, CNeFsListDlg::kCopyButtonId,
             e2e::RowShowing(CNeFsListDlg::kDeviceColumn, QStringLiteral("opCodeA"))),
         CNeFsCopyBaseDlg::kMasterOpCodeBNameId, 32},
        {"time server", kTimeServers, CNeTimeServerDlg::kFirstServerId + 2, 63},
        {"account name", kNewAccount, CUserDataDlg::kNameId, 10},
        {"account password", kNewAccount, CUserDataDlg::kPasswordId, 10},
        {"account full name", kNewAccount, CUserDataDlg::kFullNameId, 20},
        {"account telephone", kNewAccount, CUserDataDlg::kTelephoneId, 20},
        {"account division", kNewAccount, CUserDataDlg::kDivisionId, 20},
        {"account address", kNewAccount, CUserDataDlg::kAddressId, 60},
        {"account comment", kNewAccount, CUserDataDlg::kCommentId, 60},
        {"mail addressee", Within<CUserOnlineListDlg, CInstantMailDlg>(33113, CUserOnlineListDlg::kSendMessageButtonId),
         CInstantMailDlg::kToId, 10},
        {"mail message", Within<CUserOnlineListDlg, CInstantMailDlg>(33113, CUserOnlineListDlg::kSendMessageButtonId),
         CInstantMailDlg::kMessageId, 999},
        {"subscriber ID pattern", kSubscriberSelection, CSubscriberSelectDlg::kIdEditId, 20},
        {"subscriber name pattern", kSubscriberSelection, CSubscriberSelectDlg::kNameEditId, 20},
        {"subscriber ID", kNewSubscriber, CSubscriberDataDlg::kIdEditId, 20},
        {"subscriber name", kNewSubscriber, CSubscriberDataDlg::kNameEditId, 20},
        {"subscriber telephone", kNewSubscriberContact, CSubscriberContactPage::kTelephoneId, 20},
        {"subscriber mobile", kNewSubscriberContact, CSubscriberContactPage::kMobileId, 20},
        {"subscriber e-mail", kNewSubscriberContact, CSubscriberContactPage::kEmailId, 60},
        {"subscriber address", kNewSubscriberContact, CSubscriberContactPage::kAddressId, 120},
        {"NE community", Within<CNeSnmpCommunityListDlg, CNeSnmpCommunityDlg>(33146, kAddButtonId),
         CNeSnmpCommunityDlg::kCommunityId, 20},
        {"NE user name", Within<CNeUserAccountListDlg, CNeUserAccountDlg>(33168, kAddButtonId),
         CNeUserAccountDlg::kNameId, 16},
        {"NE user password", Within<CNeUserAccountListDlg, CNeUserAccountDlg>(33168, kAddButtonId),
         CNeUserAccountDlg::kPasswordId, 16},
        {"NE user verification", Within<CNeUserAccountListDlg, CNeUserAccountDlg>(33168, kAddButtonId),
         CNeUserAccountDlg::kVerificationId, 16},
        {"NE manager's trap community", Within<CNeSnmpManagerListDlg, CNeSnmpManagerDlg>(33092, kAddButtonId),
         CNeSnmpManagerDlg::kCommunityId, 20},
        {"command line", OpenedBy<CCommandDlg>(CommandKeys), CCommandDlg::kCommandId, 1023},
        {"SMTP server", kServerMailPage, CSvrOptMailPage::kSmtpServerId, 60},
        {"sender e-mail", kServerMailPage, CSvrOptMailPage::kSenderId, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool reached = false;
        c.reach(program_, [&](CADialog& dialog) {
            reached = true;
            for (const int typed : {c.most, c.most + 1}) {
                e2e::Type(dialog, c.id, QString(typed, QLatin1Char('a')));
                EXPECT_EQ(e2e::Field(dialog, c.id).size(), c.most) << typed;
            }
        });
        EXPECT_TRUE(reached);
    }
}

// What the dialogs show when they open: a new account is a User's, a range looks for every model.
TEST_F(ManagementTextsE2eTest, TheDialogsOpenWithTheirFirstChoices)
{
    const struct {
        const char* name;
        Reach reach;
        int id;
        const char* shows; // none: the radio button is the one chosen
    } cases[] = {
        {"account role", kNewAccount, CUserDataDlg::kUserRadioId, nullptr},
        {"range model", kRangeDlg, CNeAutoDiscoveryRangeDlg::kModelComboId, " <ALL>"},
        {"subscriber class", kNewSubscriberClass, CSubscriberClassPage::kHomeRadioId, nullptr},
        {"subscriber service", kNewSubscriberClass, CSubscriberClassPage::kPppoeRadioId, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool reached = false;
        c.reach(program_, [&](CADialog& dialog) {
            reached = true;
            if (c.shows == nullptr) {
                EXPECT_TRUE(e2e::IsChecked(dialog, c.id));
            } else {
                EXPECT_EQ(e2e::Field(dialog, c.id), QString::fromLatin1(c.shows));
            }
        });
        EXPECT_TRUE(reached);
    }
}

// The stem each list of the NEs, the accounts, the NE's access and the server exports under; the lists a query dialog
// opens are reached through its Query.
using Stem = std::function<std::string(e2e::CProgram&)>;
template <class Dlg> Stem StemOf(int command, int button = kExportButtonId)
{
    return [=](e2e::CProgram& program) {
        std::string stem;
        program.Operator().OnDialog<Dlg>([&](Dlg& list) { stem = e2e::ExportStem(program, list, button); });
        EXPECT_TRUE(program.Command(command)) << command;
        return stem;
    };
}
template <class Query, class Dlg> Stem StemBehind(int command)
{
    return [=](e2e::CProgram& program) {
        std::string stem;
        program.Operator().OnDialog<Query>([&](Query& query) {
            program.Operator().OnDialog<Dlg>([&](Dlg& list) { stem = e2e::ExportStem(program, list); });
            Click(query, IDOK);
        });
        EXPECT_TRUE(program.Command(command)) << command;
        return stem;
    };
}

TEST_F(ManagementTextsE2eTest, EachListExportsUnderItsStem)
{
    const struct {
        Stem stem;
        const char* expected;
    } cases[] = {
        {StemOf<CUserListDlg>(33111), "User"},
        {StemOf<CUserAclDlg>(33110), "UserACL"},
        {StemOf<CUserOnlineListDlg>(33113), "UserOnLn"},
        {StemBehind<CUserOpLogCriteriaDlg, CUserOpLogListDlg>(33112), "UserLog"},
        {StemOf<CNeUserAccountListDlg>(33168), "NEAccount"},
        {StemOf<CNeSnmpCommunityListDlg>(33146), "SnmpCommunity"},
        {StemOf<CNeSnmpManagerListDlg>(33092), "SnmpMgr"},
        {StemOf<CSecuredHostListDlg>(33189), "SecHost"},
        {StemBehind<CSubscriberSelectDlg, CSubscriberListDlg>(33096), "Subscrib"},
        {StemOf<CDbBackupListDlg>(33002), "DBBk"},
        {StemOf<CNeConfigBackupListDlg>(33001), "NodeBk"},
        {StemOf<CRemoteNeListDlg>(33203), "CascadedRemoteNe"},
        {StemOf<CNeFsListDlg>(33206), "NeFileSys"},
        {StemOf<CNeAutoDiscoveryDlg>(33067), "NEAutoFilter"},
        {StemOf<CNeAutoDiscoveryDlg>(33067, CNeAutoDiscoveryDlg::kExportNesButtonId), "NEAutoFound"},
        {StemOf<CInventoryDlg>(33021), "BoardVer"},
        {StemOf<CNeFwUpgradeDlg>(33044), "FWUpgrade"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stem(program_), c.expected);
}

// A remote NE's id is 1..2147483647: a value past an end is refused with its message and nothing is sent; one at it
// goes on to the next check.
TEST_F(ManagementTextsE2eTest, TheRemoteNesIdIsTakenAtItsEnds)
{
    const QString idRange = QStringLiteral("These ID range between 1 and 2147483647");
    const struct {
        const char* id;
        bool refused;
    } cases[] = {{"0", true}, {"1", false}, {"2147483647", false}, {"2147483648", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        bool reached = false;
        kNewRemoteNe(program_, [&](CADialog& dialog) {
            reached = true;
            e2e::Type(dialog, CRemoteNeDlg::kIdId, QString::fromLatin1(c.id));
            Click(dialog, IDOK);
            // Taken: the check that follows, of the blank address, refuses it.
            EXPECT_FALSE(dialog.IsEnded());
            EXPECT_EQ(MessageLine(dialog), c.refused ? idRange : QStringLiteral("incorrect IP address"));
        });
        EXPECT_TRUE(reached);
    }
}

} // namespace
