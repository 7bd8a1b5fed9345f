// Operators online and their mail in the running program, with a Manager's workstation logged on beside it: the
// Administrator sees who is online, mails the Manager, is refused a mail to someone who is not logged on, and forces
// the Manager out; a mail the Manager sends opens an Incoming Mail window, whose Reply quotes it; and a forced logout
// that comes to this workstation shows its notice and logs it out when the countdown ends.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/account_list.h"
#include "core/tables/user_account.h"
#include "features/management/operators/incoming_mail_dlg.h"
#include "features/management/operators/instant_mail_dlg.h"
#include "features/management/operators/user_online_list_dlg.h"
#include "features/management/oplog/user_op_log_criteria_dlg.h"
#include "link/ems_msg.h"
#include "link/records/operator_mail_record.h"
#include "link/records/request_codes.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "link/records/word_record.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"

#include <QApplication>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <tuple>

namespace {

constexpr int kCmdOnlineUsers = 33113;
constexpr int kLogoutTimer = 10004;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;
using Online = CUserOnlineListDlg;

// Another operator's workstation, logged on.
struct Workstation {
    server_test::CRawClient client;
    std::string user;

    bool LogOn(uint16_t port, const std::string& name, const char* from = nullptr)
    {
        user = name;
        return client.Connect(port, from) && client.Logon(name, name);
    }
    // Sends a mail; the server's answer: its status, or a text reply's text.
    std::string Mail(const std::string& to, const std::string& text)
    {
        const auto record = EncodeRecord(OperatorMailRecord{user, {}, to, text});
        const std::optional<Frame> reply = client.ReplyTo(
            client.Send(kEmsOpModify, kReqOperatorMail, 0, {record.begin(), record.end()}, kOperatorMailRecordSize));
        if (!reply)
            return "no answer";
        if (reply->header.operation == kEmsOpTextReply)
            return std::string(reinterpret_cast<const char*>(reply->payload.data()));
        return reply->header.status == 0 ? "ok" : "status " + std::to_string(reply->header.status);
    }
    // The next mail delivered to this workstation.
    std::optional<OperatorMailRecord> NextMail()
    {
        for (auto it = client.Notifications().begin(); it != client.Notifications().end(); ++it) {
            if (it->header.requestCode == kReqOperatorMail) {
                OperatorMailRecord mail;
                DecodeRecord(it->payload.data(), it->payload.size(), &mail);
                client.Notifications().erase(it);
                return mail;
            }
        }
        while (std::optional<Frame> frame = client.Receive(5000)) {
            if (frame->header.requestCode != kReqOperatorMail)
                continue;
            OperatorMailRecord mail;
            DecodeRecord(frame->payload.data(), frame->payload.size(), &mail);
            return mail;
        }
        return std::nullopt;
    }
};

// The Incoming Mail windows on the screen.
std::vector<CIncomingMailDlg*> IncomingMails()
{
    std::vector<CIncomingMailDlg*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* mail = qobject_cast<CIncomingMailDlg*>(widget); mail != nullptr && mail->isVisible())
            windows.push_back(mail);
    }
    return windows;
}

TEST(OperatorsE2eTest, TheAdministratorSeesWhoIsOnlineMailsThemAndForcesThemOut)
{
    e2e::CProgram program;
    // The auto-refresh period at the lowest the key takes: a second.
    ASSERT_TRUE(program.StartServer({.args = {}, .iniExtra = "[DIALOG]\nDIALOGREFRESHTIME=1\n"}));
    // Managers may mail (function 19 'a'); the rest of the test world's rights stay.
    server_test::CRawClient& probe = program.ServerProbe();
    UserRightsRecord rights;
    rights.rights = {std::string(127, 'a'), std::string(19, 'm') + "a" + std::string(10, 'q'), std::string(5, 'q')};
    const auto record = EncodeRecord(rights);
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqUserRights, 0, {record.begin(), record.end()}, kUserRightsRecordSize)));
    // A User whose name sorts before every other.
    UserAccountRecord aaron;
    aaron.name = "aaron";
    aaron.passwordDigest = PasswordDigestText("aaron");
    aaron.roleLetter = "C";
    const auto account = EncodeRecord(aaron);
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqUserAccountAdd, 0, {account.begin(), account.end()}, kUserAccountRecordSize)));
    ASSERT_TRUE(program.Login("admin", "admin"));
    Workstation manager;
    ASSERT_TRUE(manager.LogOn(program.PeerPort(), "manager"));
    e2e::COperator& person = program.Operator();

    person.OnDialog<Online>([&](Online& online) {
        QTreeView& rows = *online.FindList(kListControlId);
        EXPECT_EQ(e2e::ListTitles(rows), (QStringList{"No.", "Name", "Location", "Login Location", "Login Time"}));
        // This workstation, the Manager's and the probe's.
        EXPECT_EQ(ListColumn(rows, Online::kNameColumn),
                  (QStringList{QStringLiteral("admin"), QStringLiteral("admin"), QStringLiteral("manager")}));
        const int managerRow = e2e::RowOf(rows, Online::kNameColumn, QStringLiteral("manager"));
        ASSERT_GE(managerRow, 0);
        EXPECT_EQ(e2e::CellImage(rows, managerRow), kImageRoleManager);
        EXPECT_EQ(ListColumn(rows, Online::kAddressColumn).value(managerRow), QStringLiteral("127.0.0.1"));
        // The login time in local time, its date parted by slashes.
        constexpr int kLoginTimeColumn = 4;
        const QString loginTime = ListColumn(rows, kLoginTimeColumn).value(managerRow);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}$"))
                        .match(loginTime)
                        .hasMatch())
            << loginTime.toStdString();
        // An account of no known role is listed with the unknown role's picture; one of any other role is not.
        CUserAccount& account = *FindUserAccount("manager");
        const int role = account.role;
        for (const auto& [given, image] : {std::pair{kRoleNone, kImageRoleUnknown}, std::pair{7, -1}}) {
            account.role = given;
            Click(online, kRefreshButtonId);
            const int row = e2e::RowOf(rows, Online::kNameColumn, QStringLiteral("manager"));
            EXPECT_EQ(row >= 0 ? e2e::CellImage(rows, row) : -1, image) << given;
        }
        account.role = role;
        Click(online, kRefreshButtonId);
        // Without a row Show asks for one; its menu entry is greyed.
        Click(online, kShowButtonId);
        EXPECT_EQ(MessageLine(online), QStringLiteral("Please select one item"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(online, QStringLiteral("user_online_list")));

        // A refresh keeps the login that was selected.
        program.ClickListRow(rows, managerRow);
        Click(online, kRefreshButtonId);
        const CListControl list(&rows);
        ASSERT_GE(list.GetNextSelected(-1), 0);
        EXPECT_EQ(list.GetItemText(list.GetNextSelected(-1), Online::kNameColumn), QStringLiteral("manager"));
        // Logged on anew, an hour later by the server's clock, the Manager is another login: none is selected.
        const auto later = EncodeRecord(WordRecord{static_cast<uint32_t>(std::time(nullptr)) + 3600});
        ASSERT_TRUE(
            probe.ReplyTo(probe.Send(kEmsOpModify, kReqServerTime, 0, {later.begin(), later.end()}, kWordRecordSize)));
        ASSERT_TRUE(manager.client.Logon("manager", "manager"));
        Click(online, kRefreshButtonId);
        EXPECT_EQ(list.GetNextSelected(-1), -1);
        program.ClickListRow(rows, e2e::RowOf(rows, Online::kNameColumn, QStringLiteral("manager")));
        // Operation Log looks for the selected operator's changes.
        person.OnDialog<CUserOpLogCriteriaDlg>([&](CUserOpLogCriteriaDlg& criteria) {
            EXPECT_EQ(Field(criteria, CUserOpLogCriteriaDlg::kUserComboId), QStringLiteral("manager"));
            return IDCANCEL;
        });
        Click(online, Online::kOperationLogButtonId);

        // The auto-refresh takes Refresh's place, every DIALOGREFRESHTIME seconds.
        e2e::Check(online, Online::kAutoRefreshCheckId);
        EXPECT_FALSE(online.IsControlEnabled(kRefreshButtonId));
        EXPECT_EQ(online.Timers().Interval(Online::kAutoRefreshTimer), 1000);
        e2e::Check(online, Online::kAutoRefreshCheckId, false);
        EXPECT_TRUE(online.IsControlEnabled(kRefreshButtonId));
        EXPECT_FALSE(online.Timers().Interval(Online::kAutoRefreshTimer).has_value());

        person.OnDialog<CInstantMailDlg>([&](CInstantMailDlg& mail) {
            EXPECT_EQ(Field(mail, CInstantMailDlg::kToId), QStringLiteral("manager"));
            Click(mail, IDOK);
            EXPECT_EQ(MessageLine(mail), QStringLiteral("Data is blank"));
            // Blanks alone are no message either.
            Type(mail, CInstantMailDlg::kMessageId, QStringLiteral("  \n "));
            mail.ClearMessageLine();
            Click(mail, IDOK);
            EXPECT_EQ(MessageLine(mail), QStringLiteral("Data is blank"));
            EXPECT_FALSE(mail.IsEnded());
            // A mail holds 999 characters at most.
            for (const int typed : {999, 1000}) {
                Type(mail, CInstantMailDlg::kMessageId, QString(typed, QLatin1Char('x')));
                EXPECT_EQ(Field(mail, CInstantMailDlg::kMessageId).size(), 999) << typed;
            }
            // Someone who is not logged on gets no mail: the server says so, and the mail stays to be sent.
            Type(mail, CInstantMailDlg::kToId, QStringLiteral("north"));
            // The message goes without the blanks around it.
            Type(mail, CInstantMailDlg::kMessageId, QStringLiteral("  Please check North-1 tonight.\n "));
            Click(mail, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) User is not logged in"));
            EXPECT_FALSE(mail.IsEnded());
            // The name goes as typed, a blank before it too: no one of that name is logged on.
            person.boxTexts.clear();
            Type(mail, CInstantMailDlg::kToId, QStringLiteral(" manager"));
            Click(mail, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) User is not logged in"));
            EXPECT_FALSE(mail.IsEnded());
            Type(mail, CInstantMailDlg::kToId, QStringLiteral("manager"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(mail, QStringLiteral("instant_mail")));
            Click(mail, IDOK);
            EXPECT_TRUE(mail.IsEnded());
            return IDCANCEL;
        });
        Click(online, Online::kSendMessageButtonId);
        const std::optional<OperatorMailRecord> received = manager.NextMail();
        ASSERT_TRUE(received.has_value());
        EXPECT_EQ(received->sender, "admin");
        EXPECT_EQ(received->text, "Please check North-1 tonight.");
        EXPECT_EQ(received->senderIp, (std::array<uint8_t, 4>{127, 0, 0, 1}));

        // Force Logout: the marker mail, after a question.
        person.AnswerBox(IDYES);
        Click(online, Online::kForceLogoutButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("The user will be logged out. Are you sure?"));
        const std::optional<OperatorMailRecord> marker = manager.NextMail();
        ASSERT_TRUE(marker.has_value());
        EXPECT_TRUE(IsForceLogoutMail(*marker));

        // Three more logins, from addresses whose texts sort otherwise than their numbers; the User aaron comes
        // before the User north, whose address sorts before aaron's.
        std::array<Workstation, 3> others;
        for (const auto& [other, name, from] :
             {std::tuple{&others[0], "aaron", "127.0.0.10"}, std::tuple{&others[1], "north", "127.0.0.9"},
              std::tuple{&others[2], "admin", "127.0.0.100"}})
            ASSERT_TRUE(other->LogOn(program.PeerPort(), name, from)) << name;
        Click(online, kRefreshButtonId);
        // Sorted by name descending, then by address, then by role. Rows equal in the column
        // keep the order they came in, whatever order they were shown in before.
        const auto sortBy = [&](int column, bool ascending) {
            const int arrow = ascending ? kImageSortAscending : kImageSortDescending;
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(rows, column, arrow); ++click)
                e2e::CProgram::ClickHeader(*rows.header(), column);
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, column, arrow)) << column;
        };
        sortBy(Online::kNameColumn, false);
        EXPECT_EQ(ListColumn(rows, Online::kNameColumn),
                  (QStringList{"north", "manager", "admin", "admin", "admin", "aaron"}));
        sortBy(Online::kAddressColumn, true);
        EXPECT_EQ(ListColumn(rows, Online::kAddressColumn),
                  (QStringList{"127.0.0.1", "127.0.0.1", "127.0.0.1", "127.0.0.9", "127.0.0.10", "127.0.0.100"}));
        EXPECT_EQ(ListColumn(rows, Online::kNameColumn),
                  (QStringList{"admin", "admin", "manager", "north", "aaron", "admin"}));
        sortBy(0, true);
        EXPECT_EQ(ListColumn(rows, Online::kNameColumn),
                  (QStringList{"admin", "admin", "admin", "manager", "aaron", "north"}));
        EXPECT_EQ(ListColumn(rows, Online::kAddressColumn).value(2), QStringLiteral("127.0.0.100"));
    });
    ASSERT_TRUE(program.Command(kCmdOnlineUsers));

    // The Manager mails back; the mail opens a window of its own, and Reply quotes it.
    ASSERT_EQ(manager.Mail("admin", "Done: North-1 is fine."), "ok");
    ASSERT_TRUE(program.WaitUntil([] { return !IncomingMails().empty(); }));
    CIncomingMailDlg& incoming = *IncomingMails().front();
    EXPECT_FALSE(incoming.isModal());
    EXPECT_EQ(Field(incoming, CIncomingMailDlg::kFromId), QStringLiteral("manager"));
    EXPECT_EQ(Field(incoming, CIncomingMailDlg::kIpId), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(Field(incoming, CIncomingMailDlg::kMessageId), QStringLiteral("Done: North-1 is fine."));
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(incoming, QStringLiteral("incoming_mail")));
    person.OnDialog<CInstantMailDlg>([&](CInstantMailDlg& reply) {
        EXPECT_EQ(Field(reply, CInstantMailDlg::kToId), QStringLiteral("manager"));
        EXPECT_EQ(Field(reply, CInstantMailDlg::kMessageId).remove(QLatin1Char('\r')),
                  QStringLiteral("===== Original Mail =====\nDone: North-1 is fine.\n========= Reply =========\n"));
        Type(reply, CInstantMailDlg::kMessageId, Field(reply, CInstantMailDlg::kMessageId) + QStringLiteral("Thanks."));
        Click(reply, IDOK);
        return IDCANCEL;
    });
    Click(incoming, IDOK);
    EXPECT_TRUE(program.WaitUntil([] { return IncomingMails().empty(); })) << "the mail goes once it is replied to";
    const std::optional<OperatorMailRecord> answer = manager.NextMail();
    ASSERT_TRUE(answer.has_value());
    EXPECT_NE(answer->text.find("Done: North-1 is fine."), std::string::npos);
    EXPECT_NE(answer->text.find("Thanks."), std::string::npos);

    // A User's role has no 'x' on online users: the server refuses its mail, a forced logout as well.
    Workstation north;
    ASSERT_TRUE(north.LogOn(program.PeerPort(), "north"));
    EXPECT_EQ(north.Mail("admin", std::string(ForceLogoutMarker)), "No privilege");
    EXPECT_EQ(north.Mail("admin", "hello"), "No privilege");
    EXPECT_TRUE(IncomingMails().empty());

    // An Administrator elsewhere forces this workstation out: the notice, then the logout at the countdown's end.
    Workstation otherAdmin;
    ASSERT_TRUE(otherAdmin.LogOn(program.PeerPort(), "admin"));
    ASSERT_EQ(otherAdmin.Mail("admin", std::string(ForceLogoutMarker)), "ok");
    ASSERT_TRUE(program.WaitUntil([] { return !IncomingMails().empty(); }));
    EXPECT_EQ(Field(*IncomingMails().front(), CIncomingMailDlg::kMessageId),
              QStringLiteral("You will be logged out in 10 seconds"));
    EXPECT_EQ(program.Frame().Timers().Interval(kLogoutTimer), 10000);
    program.Frame().OnTimer(kLogoutTimer);
    EXPECT_TRUE(program.App().GetExitFlag());
}

// The auto-refresh period is DIALOGREFRESHTIME seconds, taken from 1 to 60: a value beyond either end is not taken,
// and the period stays the 2 seconds it is without the key.
TEST(OperatorsE2eTest, TheAutoRefreshPeriodIsOneToSixtySeconds)
{
    for (const auto& [typed, period] : {std::pair{"60", 60000}, std::pair{"61", 2000}, std::pair{"0", 2000}}) {
        e2e::CProgram program;
        ASSERT_TRUE(
            program.StartServer({.args = {}, .iniExtra = std::string("[DIALOG]\nDIALOGREFRESHTIME=") + typed + "\n"}));
        ASSERT_TRUE(program.Login("admin", "admin"));
        program.Operator().OnDialog<Online>([&](Online& online) {
            e2e::Check(online, Online::kAutoRefreshCheckId);
            EXPECT_EQ(online.Timers().Interval(Online::kAutoRefreshTimer), period) << typed;
            e2e::Check(online, Online::kAutoRefreshCheckId, false);
        });
        ASSERT_TRUE(program.Command(kCmdOnlineUsers));
    }
}

} // namespace
