// An NE's own login accounts and SNMP communities in the running program: Configuration > NE Management > NE
// Connection lists them as the NE keeps them (through the server); the operator adds, changes and deletes them
// through their setting dialogs, which refuse what the NE must not get, and the NE's limits hold.

#include "tests/e2e/support/rights_steps.h"

#include "features/management/ne/ne_dlg.h"
#include "features/management/ne_access/ne_snmp_community_dlg.h"
#include "features/management/ne_access/ne_snmp_community_list_dlg.h"
#include "features/management/ne_access/ne_user_account_dlg.h"
#include "features/management/ne_access/ne_user_account_list_dlg.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace {

constexpr int kCmdNeUserAccount = 33168;
constexpr int kCmdSnmpCommunity = 33146;
constexpr int kCmdShowNe = 33083;
constexpr uint32_t kNorth1 = 1;
using Accounts = CNeUserAccountListDlg;
using Communities = CNeSnmpCommunityListDlg;
using e2e::Click;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;

QStringList Column(CADialog& dialog, int column)
{
    return ListColumn(*dialog.FindList(kListControlId), column);
}

std::vector<NeUserAccountRecord> ServerAccounts(e2e::CProgram& program)
{
    return program.ServerRecords(kReqNeUserAccount, kNorth1);
}

bool ServerHasAccount(e2e::CProgram& program, const std::string& name, NeUserAccountRecord* found = nullptr)
{
    for (const NeUserAccountRecord& account : ServerAccounts(program)) {
        if (account.userName == name) {
            if (found != nullptr)
                *found = account;
            return true;
        }
    }
    return false;
}

// Adds (or, by the code, changes) records through a second workstation, as another operator would.
template <class Rec> void AddOnServer(e2e::CProgram& program, uint16_t addCode, const Rec& rec)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto bytes = EncodeRecord(rec);
    const auto reply = probe.ReplyTo(probe.Send(2, addCode, kNorth1, {bytes.begin(), bytes.end()}, kRecordSize<Rec>));
    ASSERT_TRUE(reply && reply->header.status == 0) << addCode;
}

void FillAccount(CNeUserAccountDlg& dialog, const QString& name, const QString& password, const QString& verification)
{
    if (!name.isNull())
        Type(dialog, CNeUserAccountDlg::kNameId, name);
    Type(dialog, CNeUserAccountDlg::kPasswordId, password);
    Type(dialog, CNeUserAccountDlg::kVerificationId, verification);
}

class NeAccountsE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.LoginAsAdminAt(QStringLiteral("North-1")));
        ASSERT_EQ(program_.Frame().GetCurrentNeId(), kNorth1);
    }

    e2e::CProgram program_;
};

TEST_F(NeAccountsE2eTest, AccountsAreAddedChangedAndDeletedOnTheNeWithTheirChecks)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Accounts>([&](Accounts& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        // The NE's built-in account and its default one; the built-in one cannot go.
        EXPECT_EQ(Column(list, Accounts::kNameColumn), (QStringList{QStringLiteral("qurim"), QStringLiteral("su")}));
        EXPECT_EQ(Column(list, Accounts::kRoleColumn),
                  (QStringList{QStringLiteral("Administrator"), QStringLiteral("Guest")}));
        program_.ClickListRow(rows, e2e::RowOf(rows, Accounts::kNameColumn, QStringLiteral("qurim")));
        EXPECT_TRUE(list.IsControlEnabled(kModifyButtonId));
        EXPECT_FALSE(list.IsControlEnabled(kDeleteButtonId));

        person.OnDialog<CNeUserAccountDlg>([&](CNeUserAccountDlg& add) {
            FillAccount(add, QStringLiteral("su"), QStringLiteral("secret"), QStringLiteral("secret"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Default user has already existed"));
            FillAccount(add, QStringLiteral("night shift"), QStringLiteral("secret"), QStringLiteral("secret"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            FillAccount(add, QStringLiteral("night"), QStringLiteral("secret"), QStringLiteral("secreT"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Data inconsistent"));
            // A password takes 16 characters at most.
            Type(add, CNeUserAccountDlg::kPasswordId, QStringLiteral("abcdefghijklmnopq"));
            EXPECT_EQ(e2e::Field(add, CNeUserAccountDlg::kPasswordId), QStringLiteral("abcdefghijklmnop"));
            FillAccount(add, QString(), QStringLiteral("secret"), QStringLiteral("secret"));
            e2e::Check(add, CNeUserAccountDlg::kGuestId);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("ne_user_account")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
        });
        Click(list, kAddButtonId);
        NeUserAccountRecord night;
        ASSERT_TRUE(ServerHasAccount(program_, "night", &night));
        EXPECT_EQ(night, (NeUserAccountRecord{"night", "secret", 1, 1}));
        EXPECT_EQ(Column(list, Accounts::kNumberColumn),
                  (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        // The new account comes into view; the selection stays on the account the operator chose.
        const CListControl shown(&rows);
        EXPECT_EQ(shown.GetItemText(shown.GetNextSelected(-1), Accounts::kNameColumn), QStringLiteral("qurim"));
        EXPECT_EQ(shown.GetSelectedCount(), 1);

        // The default account is neither added nor changed.
        program_.ClickListRow(rows, e2e::RowOf(rows, Accounts::kNameColumn, QStringLiteral("su")));
        person.OnDialog<CNeUserAccountDlg>([&](CNeUserAccountDlg& modify) {
            EXPECT_TRUE(modify.IsControlReadOnly(CNeUserAccountDlg::kNameId));
            FillAccount(modify, QString(), QStringLiteral("newpass"), QStringLiteral("newpass"));
            Click(modify, IDOK);
            EXPECT_EQ(MessageLine(modify), QStringLiteral("Default user has already existed"));
            EXPECT_FALSE(modify.IsEnded());
        });
        Click(list, kModifyButtonId);
        NeUserAccountRecord su;
        ASSERT_TRUE(ServerHasAccount(program_, "su", &su));
        EXPECT_EQ(su.password, "su");

        // The built-in account keeps its role: its role buttons are off.
        program_.ClickListRow(rows, e2e::RowOf(rows, Accounts::kNameColumn, QStringLiteral("qurim")));
        person.OnDialog<CNeUserAccountDlg>(
            [&](CNeUserAccountDlg& modify) { EXPECT_FALSE(modify.IsControlEnabled(CNeUserAccountDlg::kGuestId)); });
        Click(list, kModifyButtonId);

        // Delete asks nothing.
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("ne_user_account_list")));
        program_.ClickListRow(rows, e2e::RowOf(rows, Accounts::kNameColumn, QStringLiteral("night")));
        Click(list, kDeleteButtonId);
        EXPECT_FALSE(ServerHasAccount(program_, "night"));
        EXPECT_EQ(e2e::RowOf(rows, Accounts::kNameColumn, QStringLiteral("night")), -1);
        EXPECT_TRUE(person.boxTexts.empty());
    });
    ASSERT_TRUE(program_.Command(kCmdNeUserAccount));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
}

// The built-in account's row is written in red (255, 32, 32), an account out of service in grey with its disabled
// picture; the others in the list's own colour.
TEST_F(NeAccountsE2eTest, TheBuiltInAccountShowsRedAndOneOutOfServiceGrey)
{
    AddOnServer(program_, kReqNeUserAccountAdd, NeUserAccountRecord{"resting", "rest-1", 1, 2});
    program_.Operator().OnDialog<Accounts>([&](Accounts& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        const struct {
            const char* name;
            std::optional<COLORREF> text; // none: neither red nor grey
            int image;
        } cases[] = {{"qurim", COLORREF{0x2020FF}, kImageEnabled},
                     {"su", std::nullopt, kImageEnabled},
                     {"resting", COLORREF{0x808080}, kImageDisabled}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            const int row = e2e::RowOf(rows, Accounts::kNameColumn, QString::fromLatin1(c.name));
            ASSERT_GE(row, 0);
            EXPECT_EQ(e2e::CellImage(rows, row), c.image);
            COLORREF text = 0, back = 0, back2 = 0;
            list.GetItemColors(row, Accounts::kNameColumn, &text, &back, &back2, kListControlId);
            if (c.text) {
                EXPECT_EQ(text, *c.text);
            } else {
                EXPECT_NE(text, COLORREF{0x2020FF});
                EXPECT_NE(text, COLORREF{0x808080});
            }
        }
    });
    ASSERT_TRUE(program_.Command(kCmdNeUserAccount));
}

TEST_F(NeAccountsE2eTest, AnAccountIsAddedWhileTheNeCountsTwentyAndNotAboveTwenty)
{
    // The NE has its two accounts and 18 more: it counts 20, and the add is sent.
    for (int i = 0; i < 18; ++i)
        AddOnServer(program_, kReqNeUserAccountAdd, NeUserAccountRecord{"op" + std::to_string(i), "pw", 1, 1});
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Accounts>([&](Accounts& list) {
        person.OnDialog<CNeUserAccountDlg>([&](CNeUserAccountDlg& add) {
            FillAccount(add, QStringLiteral("more"), QStringLiteral("pw"), QStringLiteral("pw"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << MessageLine(add).toStdString();
        });
        Click(list, kAddButtonId);
        // Counting 21, the NE has no room: nothing is sent.
        person.OnDialog<CNeUserAccountDlg>([&](CNeUserAccountDlg& add) {
            FillAccount(add, QStringLiteral("again"), QStringLiteral("pw"), QStringLiteral("pw"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("This table is full. Maximum number: 20"));
            EXPECT_FALSE(add.IsEnded());
        });
        Click(list, kAddButtonId);
    });
    ASSERT_TRUE(program_.Command(kCmdNeUserAccount));
    EXPECT_TRUE(person.boxTexts.empty());
    EXPECT_EQ(ServerAccounts(program_).size(), 21u);
    EXPECT_TRUE(ServerHasAccount(program_, "more"));
    EXPECT_FALSE(ServerHasAccount(program_, "again"));
}

TEST_F(NeAccountsE2eTest, TheCommunityTableTakesEightAndTheNinthIsRefused)
{
    for (int i = 0; i < 5; ++i)
        AddOnServer(program_, kReqNeSnmpCommunityAdd, NeSnmpCommunityRecord{"ro" + std::to_string(i), 1, 1});
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Communities>([&](Communities& list) {
        EXPECT_EQ(Column(list, Communities::kCommunityColumn).size(), 7);
        EXPECT_EQ(e2e::CellImage(*list.FindList(kListControlId), 0), kImageEnabled);

        // The server refuses one add: the dialog stays open with what was typed, and nothing was added.
        server_test::CRawClient& probe = program_.ServerProbe();
        const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqNeSnmpCommunityAdd, 0, 0});
        ASSERT_TRUE(
            probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
        person.OnDialog<CNeSnmpCommunityDlg>([&](CNeSnmpCommunityDlg& add) {
            Type(add, CNeSnmpCommunityDlg::kCommunityId, QStringLiteral("eighth"));
            e2e::Choose(add, CNeSnmpCommunityDlg::kPermissionComboId, QStringLiteral("read / write / create"));
            Click(add, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Adding new data failed\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(add.IsEnded());
            EXPECT_EQ(e2e::Field(add, CNeSnmpCommunityDlg::kCommunityId), QStringLiteral("eighth"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("ne_snmp_community")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
        });
        Click(list, kAddButtonId);
        EXPECT_NE(e2e::RowOf(*list.FindList(kListControlId), Communities::kCommunityColumn, QStringLiteral("eighth")),
                  -1);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("ne_snmp_community_list")));

        // The ninth is refused before anything is sent.
        person.OnDialog<CNeSnmpCommunityDlg>([&](CNeSnmpCommunityDlg& add) {
            Type(add, CNeSnmpCommunityDlg::kCommunityId, QStringLiteral("ninth"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("This table is full. Maximum number: 8"));
        });
        Click(list, kAddButtonId);

        // Delete asks nothing.
        QTreeView& rows = *list.FindList(kListControlId);
        program_.ClickListRow(rows, e2e::RowOf(rows, Communities::kCommunityColumn, QStringLiteral("ro0")));
        const size_t boxes = person.boxTexts.size();
        Click(list, kDeleteButtonId);
        EXPECT_EQ(person.boxTexts.size(), boxes);
        EXPECT_EQ(e2e::RowOf(rows, Communities::kCommunityColumn, QStringLiteral("ro0")), -1);
    });
    ASSERT_TRUE(program_.Command(kCmdSnmpCommunity));
    const std::vector<NeSnmpCommunityRecord> communities = program_.ServerRecords(kReqNeSnmpCommunity, kNorth1);
    EXPECT_EQ(communities.size(), 7u);
    EXPECT_TRUE(std::any_of(communities.begin(), communities.end(), [](const NeSnmpCommunityRecord& rec) {
        return rec.community == "eighth" && rec.permission == kNeAccessReadWrite;
    }));
}

// Opened from the NE dialog's Security page, to look only, the list shows a read/write community to an operator whose
// role may change the communities, or to anyone when the NE's own community (the one the server reaches it with,
// "public" here) is read/write itself; read-only ones to all.
TEST_F(NeAccountsE2eTest, ReadWriteCommunitiesShowOnlyToWhoMayChangeThemOrWhenTheNesOwnIsOne)
{
    const struct {
        const char* what;
        char letter;             // on the communities' function, 40
        uint32_t ownPermission;  // of "public": 1 read-only, 2 read/write
        QStringList communities; // listed, in name order
    } cases[] = {
        {"may look, own community read-only", 'q', 1, {"public"}},
        {"may change, own community read-only", 'm', 1, {"private", "public"}},
        {"may look, own community read/write", 'q', 2, {"private", "public"}},
    };
    e2e::COperator& person = program_.Operator();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The server changes the community while the role may still change it (the previous row's letter or more).
        AddOnServer(program_, kReqNeSnmpCommunity, NeSnmpCommunityRecord{"public", c.ownPermission, 1});
        ASSERT_TRUE(e2e::GiveAdministrators(program_, 40, c.letter));
        QStringList listed;
        person.OnDialog<CNeDlg>([&](CNeDlg& ne) {
            person.OnDialog<Communities>([&](Communities& list) {
                listed = Column(list, Communities::kCommunityColumn);
                EXPECT_FALSE(list.IsControlEnabled(kAddButtonId)) << "to look only";
            });
            Click(ne.SecurityPage(), CNeSecurityPage::kCommunityListButtonId);
        });
        program_.RightClickTreeItem(program_.TreeItem(QStringLiteral("North-1")), kCmdShowNe);
        listed.sort();
        EXPECT_EQ(listed, c.communities);
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
