// Server user accounts in the running program, with a second workstation logged on beside it: an Administrator adds
// a Manager through the User List and the User Data Setting (the second workstation hears of it at once), and the
// Manager, logged in, sees and changes only what the role allows. Every refusal says why, in the dialog or in the
// failure box with the server's reason.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "core/tables/user_account.h"
#include "features/management/accounts/user_acl_dlg.h"
#include "features/management/accounts/user_data_dlg.h"
#include "features/management/accounts/user_list_dlg.h"
#include "features/management/oplog/user_op_log_criteria_dlg.h"
#include "link/ems_msg.h"
#include "link/records/request_codes.h"
#include "link/records/user_account_record.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int kCmdAccountManagement = 33111;
constexpr int kCmdAccessControl = 33110;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;
using List = CUserListDlg;
using Data = CUserDataDlg;

std::optional<UserAccountRecord> ServerAccount(e2e::CProgram& program, const std::string& name)
{
    for (const UserAccountRecord& account : program.ServerRecords(kReqUserAccount)) {
        if (account.name == name)
            return account;
    }
    return std::nullopt;
}

// Whether the workstation was told of a change of the account: the notifications it has read and those still coming.
bool HeardOfAccount(server_test::CRawClient& client, uint16_t code, const std::string& name)
{
    auto names = [&](const Frame& frame) {
        if (frame.header.requestCode != code || frame.header.recordSize < kUserAccountRecordSize)
            return false;
        UserAccountRecord rec;
        return DecodeRecord(frame.payload.data(), kUserAccountRecordSize, &rec) && rec.name == name;
    };
    for (const Frame& frame : client.Notifications()) {
        if (names(frame))
            return true;
    }
    while (std::optional<Frame> frame = client.Receive(3000)) {
        if (names(*frame))
            return true;
    }
    return false;
}

void SelectRow(e2e::CProgram& program, CADialog& dialog, int column, const QString& text)
{
    QTreeView& rows = *dialog.FindList(kListControlId);
    const int row = e2e::RowOf(rows, column, text);
    ASSERT_GE(row, 0) << text.toStdString();
    program.ClickListRow(rows, row);
}

TEST(AccountsE2eTest, AnAdministratorAddsAManagerWhoSeesAndChangesOnlyWhatTheRoleAllows)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    server_test::CRawClient& otherWorkstation = program.ServerProbe();
    ASSERT_TRUE(otherWorkstation.TurnNotificationsOn());
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, List::kNameColumn),
                  (QStringList{QStringLiteral("admin"), QStringLiteral("manager"), QStringLiteral("north")}));
        EXPECT_EQ(e2e::CellImage(rows, 0), kImageRoleAdministrator);
        EXPECT_EQ(e2e::CellImage(rows, 1), kImageRoleManager);
        EXPECT_EQ(e2e::CellImage(rows, 2), kImageRoleUser);
        EXPECT_EQ(ListColumn(rows, List::kLocationColumn).value(2), QStringLiteral("North"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("user_list")));
        // Without a row Show, Modify and Delete ask for one.
        for (const int button : {kShowButtonId, kModifyButtonId, kDeleteButtonId}) {
            list.ClearMessageLine();
            Click(list, button);
            EXPECT_EQ(MessageLine(list), QStringLiteral("Please select one item")) << button;
        }

        person.OnDialog<Data>([&](Data& add) {
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Data is blank"));
            Type(add, Data::kNameId, QStringLiteral("sh ift"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            EXPECT_EQ(add.GetDlgItemAs<QLineEdit>(Data::kNameId)->selectedText(), QStringLiteral(" "));
            // The trimmed name is checked; its bad character is selected where it stands in the box.
            Type(add, Data::kNameId, QStringLiteral("  sh#ift"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            EXPECT_EQ(add.GetDlgItemAs<QLineEdit>(Data::kNameId)->selectedText(), QStringLiteral("#"));
            EXPECT_EQ(add.GetDlgItemAs<QLineEdit>(Data::kNameId)->selectionStart(), 4);
            Type(add, Data::kNameId, QStringLiteral("  shift "));
            Type(add, Data::kPasswordId, QStringLiteral("Night-9"));
            Type(add, Data::kVerificationId, QStringLiteral("Night-8"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Data inconsistent"));
            Type(add, Data::kVerificationId, QStringLiteral("Night-9"));
            Type(add, Data::kFullNameId, QStringLiteral("Shift Manager"));
            Type(add, Data::kTelephoneId, QStringLiteral("+1 555 0123"));
            Type(add, Data::kDivisionId, QStringLiteral("Operations"));
            Type(add, Data::kAddressId, QStringLiteral("Operations desk, Headquarters"));
            Type(add, Data::kCommentId, QStringLiteral("Night shift"));
            EXPECT_TRUE(Choose(add, Data::kLocationComboId, QStringLiteral("Headquarters")));
            Check(add, Data::kManagerRadioId);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("user_data")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        const int added = e2e::RowOf(rows, List::kNameColumn, QStringLiteral("shift"));
        ASSERT_GE(added, 0);
        EXPECT_EQ(CListControl(&rows).GetNextSelected(-1), -1) << "the new account is shown, not selected";
        EXPECT_EQ(e2e::CellImage(rows, added), kImageRoleManager);

        // The server refuses a name it holds: its reason in the failure box, the dialog open with what was typed.
        person.OnDialog<Data>([&](Data& again) {
            Type(again, Data::kNameId, QStringLiteral("shift"));
            Click(again, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Adding new data failed\n\n(32028) User name already exists"));
            EXPECT_FALSE(again.IsEnded());
            EXPECT_EQ(Field(again, Data::kNameId), QStringLiteral("shift"));
            return IDCANCEL;
        });
        Click(list, kAddButtonId);

        // A change that leaves the password alone keeps the account's digest.
        SelectRow(program, list, List::kNameColumn, QStringLiteral("shift"));
        person.OnDialog<Data>([&](Data& modify) {
            EXPECT_TRUE(modify.IsControlReadOnly(Data::kNameId));
            EXPECT_EQ(Field(modify, Data::kFullNameId), QStringLiteral("Shift Manager"));
            Type(modify, Data::kTelephoneId, QStringLiteral("+1 555 0777"));
            Click(modify, IDOK);
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);

        // The operator's own account is not deleted.
        SelectRow(program, list, List::kNameColumn, QStringLiteral("admin"));
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("Data in use"));
    });
    ASSERT_TRUE(program.Command(kCmdAccountManagement));

    const std::optional<UserAccountRecord> shift = ServerAccount(program, "shift");
    ASSERT_TRUE(shift.has_value());
    EXPECT_EQ(shift->passwordDigest, PasswordDigestText("Night-9")) << "ten hex digits of the MD5, never the password";
    EXPECT_EQ(shift->roleLetter, "B");
    EXPECT_EQ(shift->locationId, 1u);
    EXPECT_EQ(shift->telephone, "+1 555 0777");
    EXPECT_EQ(shift->comment, "Night shift");
    EXPECT_TRUE(HeardOfAccount(otherWorkstation, kReqUserAccountAdd, "shift")) << "the other workstation hears of it";
    EXPECT_TRUE(HeardOfAccount(otherWorkstation, kReqUserAccount, "shift"));
    ASSERT_TRUE(ServerAccount(program, "admin").has_value());

    // The Manager logs in.
    person.AnswerBox(IDYES);
    person.PushLogin(app_test::LoginInput{.user = "shift", .password = "Night-9"});
    ASSERT_TRUE(program.Command(CEmsApp::kCmdLogout));
    ASSERT_TRUE(program.WaitUntil([&] { return program.Frame().isVisible() && AppData().role == kRoleManager; }));

    // The test world gives Managers 'm' on accounts: they open and change the accounts of Users and their own, nobody
    // else's, and neither add nor delete.
    person.OnDialog<List>([&](List& list) {
        // The accounts of the Manager's location and below it: the Administrator's, at the root, is not among them.
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, List::kNameColumn),
                  (QStringList{QStringLiteral("manager"), QStringLiteral("shift"), QStringLiteral("north")}));
        SelectRow(program, list, List::kNameColumn, QStringLiteral("manager"));
        person.OnDialog<Data>([&](Data& other) { EXPECT_TRUE(other.IsEnded()) << "another Manager's account"; });
        Click(list, kShowButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        person.OnDialog<Data>([&](Data& other) { EXPECT_TRUE(other.IsEnded()); });
        Click(list, kModifyButtonId);

        SelectRow(program, list, List::kNameColumn, QStringLiteral("shift"));
        person.OnDialog<Data>([&](Data& own) {
            EXPECT_FALSE(own.IsEnded());
            EXPECT_FALSE(own.IsControlEnabled(Data::kAdministratorRadioId));
            EXPECT_TRUE(own.IsControlEnabled(Data::kManagerRadioId));
            Type(own, Data::kDivisionId, QStringLiteral("Night desk"));
            Click(own, IDOK);
            EXPECT_TRUE(own.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);

        SelectRow(program, list, List::kNameColumn, QStringLiteral("north"));
        person.OnDialog<Data>([&](Data& user) {
            EXPECT_FALSE(user.IsControlEnabled(Data::kManagerRadioId)) << "a Manager makes no other Manager";
            EXPECT_TRUE(user.IsControlEnabled(Data::kUserRadioId));
            Type(user, Data::kCommentId, QStringLiteral("seen by the night shift"));
            Click(user, IDOK);
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);

        Click(list, kAddButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        Click(list, kDeleteButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
    });
    ASSERT_TRUE(program.Command(kCmdAccountManagement));
    EXPECT_EQ(ServerAccount(program, "shift")->division, "Night desk");
    EXPECT_EQ(ServerAccount(program, "north")->comment, "seen by the night shift");
    EXPECT_EQ(ServerAccount(program, "admin")->comment, "");
    EXPECT_TRUE(HeardOfAccount(otherWorkstation, kReqUserAccount, "north"));

    // The access control list is the Administrators' alone.
    person.OnDialog<CUserAclDlg>([&](CUserAclDlg& acl) { EXPECT_TRUE(acl.IsEnded()); });
    ASSERT_TRUE(program.Command(kCmdAccessControl));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// What the password box holds goes as the first ten digits of its MD5: a new account's empty password too; a
// password left as loaded goes as the stored digest; a changed one as the digest of the new text.
TEST(AccountsE2eTest, ThePasswordGoesAsTheDigestOfItsText)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    const struct {
        const char* what;
        const char* modified; // none: the account "blank" is added
        std::optional<QString> typed;
        std::string digest;
    } cases[] = {
        {"a new account's empty password", nullptr, QString(), PasswordDigestText("")},
        {"a password left as loaded", "north", std::nullopt, PasswordDigestText("north")},
        {"a changed password", "north", QStringLiteral("Day-7"), PasswordDigestText("Day-7")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = c.modified != nullptr ? c.modified : "blank";
        person.OnDialog<List>([&](List& list) {
            if (c.modified != nullptr)
                SelectRow(program, list, List::kNameColumn, QString::fromStdString(name));
            person.OnDialog<Data>([&](Data& data) {
                if (c.modified == nullptr)
                    Type(data, Data::kNameId, QString::fromStdString(name));
                if (c.typed) {
                    Type(data, Data::kPasswordId, *c.typed);
                    Type(data, Data::kVerificationId, *c.typed);
                }
                Click(data, IDOK);
                EXPECT_TRUE(data.IsEnded()) << MessageLine(data).toStdString();
                return IDCANCEL;
            });
            Click(list, c.modified != nullptr ? kModifyButtonId : kAddButtonId);
        });
        ASSERT_TRUE(program.Command(kCmdAccountManagement));
        const std::optional<UserAccountRecord> account = ServerAccount(program, name);
        ASSERT_TRUE(account.has_value());
        EXPECT_EQ(account->passwordDigest, c.digest);
    }
}

// The first column sorts the accounts by role, Administrators first; accounts of one role stay in the account table's
// name order (letter case aside), however the list was sorted before.
TEST(AccountsE2eTest, TheFirstColumnSortsByRole)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    server_test::CRawClient& probe = program.ServerProbe();
    // Two more Users, one of them with a capital: the names sort byte by byte, capitals first.
    for (const char* name : {"Zed", "aaron"}) {
        UserAccountRecord user;
        user.name = name;
        user.passwordDigest = PasswordDigestText(name);
        user.roleLetter = "C";
        const auto bytes = EncodeRecord(user);
        ASSERT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqUserAccountAdd, 0, {bytes.begin(), bytes.end()}, kUserAccountRecordSize)));
    }
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.Operator().OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        // Filled in the order of the first column, then sorted by name, and by role again.
        const QStringList byRole{"admin", "manager", "aaron", "north", "Zed"};
        EXPECT_EQ(e2e::ListTitles(rows),
                  (QStringList{"No.", "Name", "Location", "Full Name", "Telephone", "Division", "Address", "Comment"}));
        EXPECT_EQ(ListColumn(rows, List::kNameColumn), byRole);
        for (const auto& [column, names] :
             {std::pair{List::kNameColumn, QStringList{"Zed", "aaron", "admin", "manager", "north"}},
              std::pair{0, byRole}}) {
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(rows, column, kImageSortAscending);
                 ++click)
                e2e::CProgram::ClickHeader(*rows.header(), column);
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, column, kImageSortAscending)) << column;
            EXPECT_EQ(ListColumn(rows, List::kNameColumn), names) << column;
        }
        // Operation Log looks for the selected account's changes.
        SelectRow(program, list, List::kNameColumn, QStringLiteral("north"));
        program.Operator().OnDialog<CUserOpLogCriteriaDlg>([&](CUserOpLogCriteriaDlg& criteria) {
            EXPECT_EQ(Field(criteria, CUserOpLogCriteriaDlg::kUserComboId), QStringLiteral("north"));
            return IDCANCEL;
        });
        Click(list, List::kOperationLogButtonId);
    });
    ASSERT_TRUE(program.Command(kCmdAccountManagement));
    EXPECT_EQ(program.Operator().UnusedDialogScripts(), 0u);
}

} // namespace
