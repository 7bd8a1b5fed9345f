// The access control list in the running program, with a second workstation logged on beside it: an Administrator
// gives Managers every right on online users and mail; the save reaches the server and the other workstation with the
// rights of the functions the list does not show as they were; the Manager, logged in, then receives a mail, replies
// to it and is forced out by the Administrator at the other workstation.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/user_account.h"
#include "features/management/accounts/user_acl_dlg.h"
#include "features/management/operators/incoming_mail_dlg.h"
#include "features/management/operators/instant_mail_dlg.h"
#include "link/ems_msg.h"
#include "link/records/operator_mail_record.h"
#include "link/records/request_codes.h"
#include "link/records/user_rights_record.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr int kCmdAccessControl = 33110;
constexpr int kLogoutTimer = 10004;
constexpr int kOnlineUsersItem = 19;
// The captions of four functions of the list; the others are not listed.
constexpr char kCaptions[] = "[ACL]\nITEM19=User Account\nITEM20=Online User and Mail\nITEM21=Operation Log\n"
                             "ITEM23=Subscriber\n";
using e2e::Check;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using Acl = CUserAclDlg;

std::optional<UserRightsRecord> RightsOf(const Frame& frame)
{
    UserRightsRecord rights;
    if (frame.header.requestCode != kReqUserRights || frame.payload.size() < kUserRightsRecordSize ||
        !DecodeRecord(frame.payload.data(), kUserRightsRecordSize, &rights))
        return std::nullopt;
    return rights;
}

// The rights the other workstation was told of last.
std::optional<UserRightsRecord> RightsHeard(server_test::CRawClient& client)
{
    std::optional<UserRightsRecord> heard;
    for (const Frame& frame : client.Notifications())
        heard = RightsOf(frame) ? RightsOf(frame) : heard;
    while (std::optional<Frame> frame = client.Receive(2000))
        heard = RightsOf(*frame) ? RightsOf(*frame) : heard;
    return heard;
}

std::optional<OperatorMailRecord> NextMail(server_test::CRawClient& client)
{
    while (std::optional<Frame> frame = client.Receive(5000)) {
        OperatorMailRecord mail;
        if (frame->header.requestCode == kReqOperatorMail &&
            DecodeRecord(frame->payload.data(), frame->payload.size(), &mail))
            return mail;
    }
    return std::nullopt;
}

void SendMail(server_test::CRawClient& client, const std::string& from, const std::string& to, const std::string& text)
{
    const auto record = EncodeRecord(OperatorMailRecord{from, {}, to, text});
    ASSERT_TRUE(client.ReplyTo(
        client.Send(kEmsOpModify, kReqOperatorMail, 0, {record.begin(), record.end()}, kOperatorMailRecordSize)));
}

CIncomingMailDlg* IncomingMail()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* mail = qobject_cast<CIncomingMailDlg*>(widget); mail != nullptr && mail->isVisible())
            return mail;
    }
    return nullptr;
}

QString Access(Acl& acl, const QString& caption)
{
    QTreeView& rows = *acl.FindList(kListControlId);
    return ListColumn(rows, Acl::kAccessColumn).value(e2e::RowOf(rows, Acl::kItemColumn, caption));
}

TEST(AclE2eTest, AnAdministratorGivesManagersMailAndTheRightsTheListDoesNotShowStay)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = kCaptions;
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    server_test::CRawClient& otherWorkstation = program.ServerProbe();
    ASSERT_TRUE(otherWorkstation.TurnNotificationsOn());
    e2e::COperator& person = program.Operator();
    const QString online = QStringLiteral("Online User and Mail");

    person.OnDialog<Acl>([&](Acl& acl) {
        QTreeView& rows = *acl.FindList(kListControlId);
        EXPECT_EQ(e2e::ListTitles(rows), (QStringList{"Access Item", "Access Control"}));
        // In the order of their captions.
        EXPECT_EQ(ListColumn(rows, Acl::kItemColumn),
                  (QStringList{online, QStringLiteral("Operation Log"), QStringLiteral("Subscriber"),
                               QStringLiteral("User Account")}));
        // The test world: Users hold 'q' on functions 0..4 only, Managers 'm' on 0..19 and 'q' on 20..29.
        EXPECT_TRUE(e2e::IsChecked(acl, Acl::kUserRadioId));
        EXPECT_EQ(ListColumn(rows, Acl::kAccessColumn), (QStringList{"", "", "", ""}));
        Check(acl, Acl::kManagerRadioId);
        EXPECT_EQ(ListColumn(rows, Acl::kAccessColumn), (QStringList{QStringLiteral("q + m"), QStringLiteral("q"),
                                                                     QStringLiteral("q"), QStringLiteral("q + m")}));
        EXPECT_FALSE(acl.IsControlEnabled(Acl::kSaveButtonId));
        // Sorted by their access, equal ones by their captions.
        for (int click = 0;
             click < 2 && !e2e::CProgram::HeaderShowsImage(rows, Acl::kAccessColumn, kImageSortAscending); ++click)
            e2e::CProgram::ClickHeader(*rows.header(), Acl::kAccessColumn);
        EXPECT_EQ(ListColumn(rows, Acl::kItemColumn),
                  (QStringList{QStringLiteral("Operation Log"), QStringLiteral("Subscriber"), online,
                               QStringLiteral("User Account")}));
        // Each box names its letter and tells what it allows.
        const struct {
            int id;
            const char* text;
            const char* tip;
        } boxes[] = {
            {Acl::kQueryCheckId, "Query (q)", "Query, List, Refresh, Verify"},
            {Acl::kModifyCheckId, "Modify (m)", "Modify, Update, Edit, Set, Clear, Save, Upload, Download, Let"},
            {Acl::kCreateCheckId, "Create (c)", "Create, New, Add"},
            {Acl::kDeleteCheckId, "Delete (d)", "Delete"},
            {Acl::kAllCheckId, "ALL (a)", "[Query], [Modify], [Create], [Delete], Send, Reply, Reset, Restore"}};
        for (const auto& box : boxes) {
            const QWidget* shown = acl.GetDlgItem(box.id);
            ASSERT_NE(shown, nullptr) << box.text;
            EXPECT_EQ(shown->property("text").toString(), QString::fromLatin1(box.text));
            EXPECT_EQ(shown->toolTip(), QString::fromLatin1(box.tip));
        }

        program.ClickListRow(rows, e2e::RowOf(rows, Acl::kItemColumn, online));
        EXPECT_EQ(Field(acl, Acl::kItemTextId), online);
        EXPECT_TRUE(e2e::IsChecked(acl, Acl::kModifyCheckId));
        EXPECT_FALSE(e2e::IsChecked(acl, Acl::kCreateCheckId));
        Check(acl, Acl::kAllCheckId);
        EXPECT_TRUE(e2e::IsChecked(acl, Acl::kDeleteCheckId)) << "ALL ticks every box";
        EXPECT_EQ(Access(acl, online), QStringLiteral("a"));
        EXPECT_TRUE(acl.IsControlEnabled(Acl::kSaveButtonId));
        // Another role shown and back: the change stays.
        Check(acl, Acl::kAdministratorRadioId);
        EXPECT_EQ(Access(acl, online), QStringLiteral("a"));
        Check(acl, Acl::kManagerRadioId);
        EXPECT_EQ(Access(acl, online), QStringLiteral("a"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(acl, QStringLiteral("user_acl")));

        // The server refuses the first save: its reason, and the dialog keeps the change to save.
        const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqUserRights, 0, 0});
        EXPECT_TRUE(otherWorkstation.ReplyTo(otherWorkstation.Send(
            kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
        person.AnswerBox(IDYES);
        Click(acl, Acl::kSaveButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_FALSE(acl.IsEnded());
        EXPECT_TRUE(acl.IsControlEnabled(Acl::kSaveButtonId));

        person.AnswerBox(IDYES);
        Click(acl, Acl::kSaveButtonId);
        EXPECT_TRUE(acl.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdAccessControl));

    const std::vector<UserRightsRecord> kept = program.ServerRecords(kReqUserRights);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].rights[0], std::string(127, 'a')) << "the Administrators' rights of functions 60..126 stay";
    EXPECT_EQ(kept[0].rights[1][kOnlineUsersItem], 'a');
    EXPECT_EQ(kept[0].rights[1].substr(0, 19), std::string(19, 'm'));
    const std::optional<UserRightsRecord> heard = RightsHeard(otherWorkstation);
    ASSERT_TRUE(heard.has_value()) << "the other workstation hears of the new rights";
    EXPECT_EQ(heard->rights, kept[0].rights);
    program.Settle();
    EXPECT_EQ((*GetRightsTable(kRoleManager))[kOnlineUsersItem], 'a') << "this workstation takes the server's rights";

    // Leaving with changes not saved asks first.
    person.OnDialog<Acl>([&](Acl& acl) {
        QTreeView& rows = *acl.FindList(kListControlId);
        Check(acl, Acl::kManagerRadioId);
        program.ClickListRow(rows, e2e::RowOf(rows, Acl::kItemColumn, QStringLiteral("Subscriber")));
        EXPECT_EQ(Access(acl, QStringLiteral("Subscriber")), QStringLiteral("q"));
        Check(acl, Acl::kQueryCheckId, false);
        EXPECT_EQ(Access(acl, QStringLiteral("Subscriber")), QString());
        person.AnswerBox(IDNO);
        Click(acl, IDCANCEL);
        EXPECT_FALSE(acl.IsEnded());
        EXPECT_EQ(
            person.LastBoxText(),
            QStringLiteral("Data have been changed and not been saved yet.\nAre you sure to exit without saving?"));
        person.AnswerBox(IDYES);
        Click(acl, IDCANCEL);
        EXPECT_TRUE(acl.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdAccessControl));
    EXPECT_EQ(program.ServerRecords(kReqUserRights)[0].rights, kept[0].rights) << "nothing saved";

    // The Manager logs in, gets a mail from the Administrator at the other workstation and replies.
    person.AnswerBox(IDYES);
    person.PushLogin(app_test::LoginInput{.user = "manager", .password = "manager"});
    ASSERT_TRUE(program.Command(CEmsApp::kCmdLogout));
    ASSERT_TRUE(program.WaitUntil([&] { return program.Frame().isVisible() && AppData().role == kRoleManager; }));
    // Only an Administrator keeps the list open: the Manager's closes at once.
    bool managerOpened = false;
    person.OnDialog<Acl>([&](Acl& acl) {
        managerOpened = true;
        EXPECT_TRUE(acl.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdAccessControl));
    EXPECT_TRUE(managerOpened);
    SendMail(otherWorkstation, "admin", "manager", "Shift handover at 22:00.");
    ASSERT_TRUE(program.WaitUntil([] { return IncomingMail() != nullptr; }));
    CIncomingMailDlg& incoming = *IncomingMail();
    EXPECT_EQ(Field(incoming, CIncomingMailDlg::kFromId), QStringLiteral("admin"));
    person.OnDialog<CInstantMailDlg>([&](CInstantMailDlg& reply) {
        EXPECT_FALSE(reply.IsEnded()) << "Managers may mail now";
        e2e::Type(reply, CInstantMailDlg::kMessageId, QStringLiteral("Noted."));
        Click(reply, IDOK);
        EXPECT_TRUE(reply.IsEnded());
    });
    Click(incoming, IDOK);
    const std::optional<OperatorMailRecord> reply = NextMail(otherWorkstation);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->sender, "manager");
    EXPECT_EQ(reply->text, "Noted.");

    // The Administrator forces the Manager out.
    ASSERT_TRUE(program.WaitUntil([] { return IncomingMail() == nullptr; }));
    SendMail(otherWorkstation, "admin", "manager", std::string(ForceLogoutMarker));
    ASSERT_TRUE(program.WaitUntil([] { return IncomingMail() != nullptr; }));
    EXPECT_EQ(Field(*IncomingMail(), CIncomingMailDlg::kMessageId),
              QStringLiteral("You will be logged out in 10 seconds"));
    EXPECT_EQ(program.Frame().Timers().Interval(kLogoutTimer), 10000);
    program.Frame().OnTimer(kLogoutTimer);
    EXPECT_TRUE(program.App().GetExitFlag());
}

// The list offers the functions 1 to 60 that have a caption: the sixtieth is offered, the sixty-first is not.
TEST(AclE2eTest, TheListOffersTheFirstSixtyFunctions)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = "[ACL]\nITEM1=First Function\nITEM60=Sixtieth Function\nITEM61=Sixty-first Function\n";
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    bool shown = false;
    program.Operator().OnDialog<Acl>([&](Acl& acl) {
        shown = true;
        QStringList items = ListColumn(*acl.FindList(kListControlId), Acl::kItemColumn);
        items.sort();
        EXPECT_EQ(items, (QStringList{QStringLiteral("First Function"), QStringLiteral("Sixtieth Function")}));
    });
    ASSERT_TRUE(program.Command(kCmdAccessControl));
    EXPECT_TRUE(shown);
}

} // namespace
