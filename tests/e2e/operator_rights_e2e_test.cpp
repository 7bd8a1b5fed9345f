// Rights are enforced on both sides: an operator whose role may only query reads the accounts, the operators online,
// the operation log and the subscribers in the running program but changes nothing through their dialogs; and the
// server refuses every change the same operator sends it directly, so that a workstation that offered one anyway
// would change nothing either.

#include "tests/e2e/support/e2e_harness.h"

#include "features/management/accounts/user_acl_dlg.h"
#include "features/management/accounts/user_data_dlg.h"
#include "features/management/accounts/user_list_dlg.h"
#include "features/management/operators/instant_mail_dlg.h"
#include "features/management/operators/user_online_list_dlg.h"
#include "features/management/ne/ne_dlg.h"
#include "features/management/ne/ne_list_dlg.h"
#include "features/management/oplog/user_op_log_criteria_dlg.h"
#include "features/management/oplog/user_op_log_list_dlg.h"
#include "features/management/subscribers/subscriber_data_dlg.h"
#include "features/management/subscribers/subscriber_list_dlg.h"
#include "features/management/subscribers/subscriber_select_dlg.h"
#include "link/ems_msg.h"
#include "link/records/operator_mail_record.h"
#include "link/records/request_codes.h"
#include "link/records/subscriber_record.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "platform/list_control.h"
#include "ui/shell/tree/group_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kCmdNeList = 33048;
constexpr int kCmdOnlineUsers = 33113, kCmdOperationLog = 33112, kCmdAccountManagement = 33111,
              kCmdAccessControl = 33110, kCmdSubscriber = 33096;
using e2e::Click;
using e2e::MessageLine;

void SelectFirstRow(e2e::CProgram& program, CADialog& dialog)
{
    QTreeView& rows = *dialog.FindList(kListControlId);
    ASSERT_GT(CListControl(&rows).GetItemCount(), 0);
    program.ClickListRow(rows, 0);
}

// The answer of the server to a change: "ok", a refusal's text, or a status.
template <class Rec> std::string Change(server_test::CRawClient& client, uint16_t code, const Rec& rec)
{
    const auto bytes = EncodeRecord(rec);
    const std::optional<Frame> reply =
        client.ReplyTo(client.Send(kEmsOpModify, code, 0, {bytes.begin(), bytes.end()}, kRecordSize<Rec>));
    if (!reply)
        return "no answer";
    if (reply->header.operation == kEmsOpTextReply)
        return reinterpret_cast<const char*>(reply->payload.data());
    return reply->header.status == 0 ? "ok" : "status " + std::to_string(reply->header.status);
}

TEST(OperatorRightsE2eTest, AQueryOnlyOperatorReadsEverythingAndChangesNothing)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    // Users may query every function.
    ASSERT_TRUE(program.SetRoleRights('a', 'm', 'q'));
    const std::vector<UserAccountRecord> accounts = program.ServerRecords(kReqUserAccount);
    ASSERT_TRUE(program.Login("north", "north"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CUserListDlg>([&](CUserListDlg& list) {
        SelectFirstRow(program, list);
        person.OnDialog<CUserDataDlg>([&](CUserDataDlg& shown) {
            EXPECT_FALSE(shown.IsEnded());
            EXPECT_FALSE(shown.IsControlEnabled(IDOK)) << "shown only";
        });
        Click(list, kShowButtonId);
        Click(list, kModifyButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        Click(list, kAddButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        Click(list, kDeleteButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
    });
    ASSERT_TRUE(program.Command(kCmdAccountManagement));

    person.OnDialog<CUserAclDlg>([&](CUserAclDlg& acl) { EXPECT_TRUE(acl.IsEnded()); });
    ASSERT_TRUE(program.Command(kCmdAccessControl));

    person.OnDialog<CUserOnlineListDlg>([&](CUserOnlineListDlg& online) {
        SelectFirstRow(program, online);
        person.OnDialog<CInstantMailDlg>([&](CInstantMailDlg& mail) { EXPECT_TRUE(mail.IsEnded()); });
        Click(online, CUserOnlineListDlg::kSendMessageButtonId);
        Click(online, CUserOnlineListDlg::kForceLogoutButtonId);
        EXPECT_EQ(MessageLine(online), QStringLiteral("No privilege"));
    });
    ASSERT_TRUE(program.Command(kCmdOnlineUsers));

    person.OnDialog<CUserOpLogCriteriaDlg>([&](CUserOpLogCriteriaDlg& criteria) {
        person.OnDialog<CUserOpLogListDlg>([&](CUserOpLogListDlg& list) { EXPECT_FALSE(list.IsEnded()); });
        Click(criteria, IDOK);
    });
    ASSERT_TRUE(program.Command(kCmdOperationLog));

    person.OnDialog<CSubscriberSelectDlg>([&](CSubscriberSelectDlg& select) {
        person.OnDialog<CSubscriberListDlg>([&](CSubscriberListDlg& list) {
            SelectFirstRow(program, list);
            // Modify and Add leave the right to the subscriber dialog, which closes at once; Delete checks it here.
            for (int button : {kModifyButtonId, kAddButtonId}) {
                list.ClearMessageLine();
                person.OnDialog<CSubscriberDataDlg>([&](CSubscriberDataDlg& data) { EXPECT_TRUE(data.IsEnded()); });
                Click(list, button);
                EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
            }
            Click(list, kDeleteButtonId);
            EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        });
        Click(select, IDOK);
    });
    ASSERT_TRUE(program.Command(kCmdSubscriber));

    // The NE list leaves Modify and Add to the NE dialog, which closes at once; Delete is refused in the list.
    person.OnDialog<CNeListDlg>([&](CNeListDlg& list) {
        SelectFirstRow(program, list);
        for (int button : {kModifyButtonId, kAddButtonId}) {
            list.ClearMessageLine();
            person.OnDialog<CNeDlg>([&](CNeDlg& ne) { EXPECT_TRUE(ne.IsEnded()); });
            Click(list, button);
            EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        }
        list.ClearMessageLine();
        Click(list, kDeleteButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
    });
    program.RightClickTreeItem(program.TreeItem(QStringLiteral("North")), kCmdNeList);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "the NE dialog was not opened";
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();

    // The same operator's changes sent straight to the server.
    server_test::CRawClient north;
    ASSERT_TRUE(north.Connect(program.PeerPort()) && north.Logon("north", "north"));
    UserAccountRecord own = accounts.back();
    ASSERT_EQ(own.name, "north");
    own.comment = "changed";
    UserAccountRecord added = own;
    added.name = "intruder";
    SubscriberRecord subscriber;
    subscriber.neId = 1;
    subscriber.entityId = 10104;
    subscriber.subscriberId = "SUB-0004";
    subscriber.name = "Nobody";
    SubscriberRecord existing = subscriber;
    existing.entityId = 10101;
    existing.subscriberId = "SUB-0001";
    UserRightsRecord rights; // users with every right
    rights.rights = {std::string(127, 'a'), std::string(127, 'm'), std::string(127, 'a')};
    EXPECT_EQ(Change(north, kReqUserAccount, own), "No privilege");
    EXPECT_EQ(Change(north, kReqUserAccountAdd, added), "No privilege");
    EXPECT_EQ(Change(north, kReqUserAccountDelete, accounts.front()), "No privilege");
    EXPECT_EQ(Change(north, kReqUserRights, rights), "No privilege");
    EXPECT_EQ(Change(north, kReqOperatorMail, OperatorMailRecord{"north", {}, "north", "hello"}), "No privilege");
    EXPECT_EQ(Change(north, kReqSubscriberAdd, subscriber), "No privilege");
    EXPECT_EQ(Change(north, kReqSubscriberAdd, existing), "No privilege");
    EXPECT_EQ(Change(north, kReqSubscriberDelete, existing), "No privilege");
    EXPECT_EQ(program.ServerRecords(kReqUserAccount), accounts);
    EXPECT_EQ(program.ServerRecords(kReqUserRights)[0].rights[2], std::string(127, 'q'));
}

} // namespace
