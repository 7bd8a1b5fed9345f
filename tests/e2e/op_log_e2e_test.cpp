// The operation log in the running program: the server starts with 12,000 logged changes (its scenario generator's)
// and logs the changes this workstation makes; the criteria choose an operator and the time range, and the list pages
// through the matching entries a window of at most 5,000 at a time with its page buttons, its spin and the From and
// To boxes.

#include "tests/e2e/support/e2e_harness.h"

#include "features/management/accounts/user_data_dlg.h"
#include "features/management/accounts/user_list_dlg.h"
#include "features/management/oplog/user_op_log_criteria_dlg.h"
#include "features/management/oplog/user_op_log_list_dlg.h"
#include "link/ems_msg.h"
#include "link/records/request_codes.h"
#include "platform/delta_spin.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"

#include <QDateEdit>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdAccountManagement = 33111;
constexpr int kCmdOperationLog = 33112;
constexpr int kFromId = 1304, kToId = 1306, kTotalId = 1303, kSpinId = 1305;
constexpr int kFirstPage = 1169, kPreviousPage = 1277, kNextPage = 1264, kLastPage = 1211;
using e2e::Click;
using e2e::Field;
using e2e::MessageLine;
using e2e::Type;
using Criteria = CUserOpLogCriteriaDlg;
using LogList = CUserOpLogListDlg;

// "From..To of Total" as the boxes show it.
QString Window(LogList& list)
{
    return Field(list, kFromId) + QStringLiteral("..") + Field(list, kToId) + QStringLiteral(" of ") +
           Field(list, kTotalId);
}

QString FirstNumber(LogList& list)
{
    return e2e::ListColumn(*list.FindList(kListControlId), 0).value(0);
}

int Rows(LogList& list)
{
    return CListControl(list.FindList(kListControlId)).GetItemCount();
}

TEST(OpLogE2eTest, TheLogPagesThroughTwelveThousandEntriesAndShowsTheWorkstationsOwnChanges)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.args = {"--generate-oplog", "12000"};
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();

    // A change of this workstation goes to the log.
    person.OnDialog<CUserListDlg>([&](CUserListDlg& users) {
        QTreeView& rows = *users.FindList(kListControlId);
        program.ClickListRow(rows, e2e::RowOf(rows, CUserListDlg::kNameColumn, QStringLiteral("north")));
        person.OnDialog<CUserDataDlg>([&](CUserDataDlg& data) {
            Type(data, CUserDataDlg::kCommentId, QStringLiteral("on leave"));
            Click(data, IDOK);
            return IDCANCEL;
        });
        Click(users, kModifyButtonId);
    });
    ASSERT_TRUE(program.Command(kCmdAccountManagement));

    person.OnDialog<Criteria>([&](Criteria& criteria) {
        EXPECT_EQ(Field(criteria, Criteria::kUserComboId), QStringLiteral(" <ALL>"));
        EXPECT_EQ(e2e::ComboTexts(criteria, Criteria::kUserComboId), QStringLiteral(" <ALL>,admin,manager,north"));
        // From the start of today until now, both bounds ticked.
        EXPECT_TRUE(e2e::IsChecked(criteria, Criteria::kFromCheckId));
        EXPECT_TRUE(e2e::IsChecked(criteria, Criteria::kToCheckId));
        EXPECT_EQ(criteria.GetDlgItemAs<QTimeEdit>(Criteria::kFromTimeId)->time(), QTime(0, 0, 0));
        EXPECT_EQ(criteria.GetDlgItemAs<QDateEdit>(Criteria::kFromDateId)->date(), QDate::currentDate());
        // A start after the stop is refused; a start equal to the stop, or a second before it, is a query (the
        // pickers set as the operator leaves them, both on today).
        const struct {
            QTime start, stop;
            bool refused;
        } ranges[] = {{QTime(23, 59, 59), QTime(0, 0, 0), true},
                      {QTime(12, 0, 1), QTime(12, 0, 0), true},
                      {QTime(12, 0, 0), QTime(12, 0, 0), false},
                      {QTime(12, 0, 0), QTime(12, 0, 1), false}};
        for (const auto& range : ranges) {
            SCOPED_TRACE(range.start.toString().toStdString() + ".." + range.stop.toString().toStdString());
            criteria.GetDlgItemAs<QTimeEdit>(Criteria::kFromTimeId)->setTime(range.start);
            criteria.GetDlgItemAs<QTimeEdit>(Criteria::kToTimeId)->setTime(range.stop);
            bool listed = false;
            if (!range.refused) {
                person.OnDialog<LogList>([&](LogList&) {
                    listed = true;
                    return IDCANCEL;
                });
            }
            criteria.ClearMessageLine();
            Click(criteria, IDOK);
            EXPECT_EQ(listed, !range.refused);
            EXPECT_EQ(MessageLine(criteria),
                      range.refused ? QStringLiteral("Start value shouldn't be greater than Stop value") : QString());
        }
        // The whole log: an unticked bound is none, whatever date its pickers hold (a start after every entry, a
        // stop before them all).
        criteria.GetDlgItemAs<QDateEdit>(Criteria::kFromDateId)->setDate(QDate(2037, 12, 31));
        criteria.GetDlgItemAs<QDateEdit>(Criteria::kToDateId)->setDate(QDate(1970, 1, 2));
        // One bound ticked alone is no range to refuse, however far its date lies beyond the other's.
        for (const int alone : {Criteria::kFromCheckId, Criteria::kToCheckId}) {
            e2e::Check(criteria, Criteria::kFromCheckId, alone == Criteria::kFromCheckId);
            e2e::Check(criteria, Criteria::kToCheckId, alone == Criteria::kToCheckId);
            bool listed = false;
            person.OnDialog<LogList>([&](LogList&) {
                listed = true;
                return IDCANCEL;
            });
            criteria.ClearMessageLine();
            Click(criteria, IDOK);
            EXPECT_TRUE(listed) << alone;
            EXPECT_EQ(MessageLine(criteria), QString()) << alone;
        }
        e2e::Check(criteria, Criteria::kFromCheckId, false);
        e2e::Check(criteria, Criteria::kToCheckId, false);
        EXPECT_FALSE(criteria.IsControlEnabled(Criteria::kFromDateId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(criteria, QStringLiteral("user_op_log_criteria")));

        person.OnDialog<LogList>([&](LogList& list) {
            EXPECT_EQ(Window(list), QStringLiteral("1..1000 of 12001"));
            EXPECT_EQ(Rows(list), 1000);
            EXPECT_EQ(FirstNumber(list), QStringLiteral("1"));
            EXPECT_FALSE(list.IsControlEnabled(kFirstPage));
            EXPECT_FALSE(list.IsControlEnabled(kPreviousPage));
            EXPECT_TRUE(list.IsControlEnabled(kNextPage));
            // Each entry's text in its three columns.
            QTreeView& rows = *list.FindList(kListControlId);
            EXPECT_FALSE(e2e::ListColumn(rows, LogList::kFunctionColumn).value(0).isEmpty());
            EXPECT_FALSE(e2e::ListColumn(rows, LogList::kFunctionColumn + 2).value(0).isEmpty());
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("user_op_log_list")));

            Click(list, kNextPage);
            EXPECT_EQ(Window(list), QStringLiteral("1001..2000 of 12001"));
            EXPECT_EQ(FirstNumber(list), QStringLiteral("1001"));
            Click(list, kLastPage);
            EXPECT_EQ(Window(list), QStringLiteral("11002..12001 of 12001"));
            EXPECT_FALSE(list.IsControlEnabled(kNextPage));
            // The last entry is the change this workstation made.
            const CListControl shown(&rows);
            const int last = e2e::RowOf(rows, 0, QStringLiteral("12001"));
            ASSERT_GE(last, 0);
            EXPECT_EQ(shown.GetItemText(last, LogList::kUserColumn), QStringLiteral("admin"));
            EXPECT_EQ(shown.GetItemText(last, 3), QStringLiteral("127.0.0.1"));
            EXPECT_EQ(shown.GetItemText(last, LogList::kFunctionColumn), QStringLiteral("UserAccountRecord"));
            EXPECT_EQ(shown.GetItemText(last, LogList::kFunctionColumn + 1), QStringLiteral("Modify"));
            EXPECT_EQ(shown.GetItemText(last, LogList::kFunctionColumn + 2), QStringLiteral("name=north"));
            Click(list, kPreviousPage);
            EXPECT_EQ(Window(list), QStringLiteral("10002..11001 of 12001"));
            Click(list, kFirstPage);
            EXPECT_EQ(Window(list), QStringLiteral("1..1000 of 12001"));

            // Typed bounds: swapped, and a window cut to 5,000 rows.
            Type(list, kFromId, QStringLiteral("7"));
            Type(list, kToId, QStringLiteral("3"));
            Click(list, kRefreshButtonId);
            EXPECT_EQ(Window(list), QStringLiteral("3..7 of 12001"));
            EXPECT_EQ(Rows(list), 5);
            Type(list, kFromId, QStringLiteral("1"));
            Type(list, kToId, QStringLiteral("9000"));
            Click(list, kRefreshButtonId);
            EXPECT_EQ(Window(list), QStringLiteral("1..5000 of 12001"));
            EXPECT_EQ(Rows(list), 5000);
            // The spin moves the window; Refresh asks for it.
            list.GetDlgItemAs<DeltaSpin>(kSpinId)->Step(1);
            EXPECT_EQ(Window(list), QStringLiteral("5001..10000 of 12001"));
            EXPECT_EQ(FirstNumber(list), QStringLiteral("1"));
            Click(list, kRefreshButtonId);
            EXPECT_EQ(FirstNumber(list), QStringLiteral("5001"));
            // A bound that is no number blocks every move until it is one.
            Type(list, kFromId, QStringLiteral("5x"));
            EXPECT_FALSE(list.IsControlEnabled(kRefreshButtonId));
            EXPECT_FALSE(list.IsControlEnabled(kPreviousPage));
            EXPECT_FALSE(list.IsControlEnabled(kSpinId));
            // Nor is one past the largest 32-bit number; that number itself is.
            Type(list, kFromId, QStringLiteral("4294967296"));
            EXPECT_FALSE(list.IsControlEnabled(kRefreshButtonId));
            Type(list, kFromId, QStringLiteral("4294967295"));
            EXPECT_TRUE(list.IsControlEnabled(kRefreshButtonId));
            Type(list, kFromId, QStringLiteral("5001"));
            EXPECT_TRUE(list.IsControlEnabled(kRefreshButtonId));

            // The server refuses a query: its reason, an empty list, the window as it was.
            server_test::CRawClient& probe = program.ServerProbe();
            const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextRequest, kReqOpLog, 0, 0});
            ASSERT_TRUE(probe.ReplyTo(
                probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
            Click(list, kRefreshButtonId);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
            EXPECT_EQ(Rows(list), 0);
            EXPECT_EQ(Window(list), QStringLiteral("5001..10000 of 12001"));
        });
        Click(criteria, IDOK);
        EXPECT_FALSE(criteria.IsEnded()) << "the criteria stay for the next query";

        // One operator's entries.
        EXPECT_TRUE(e2e::Choose(criteria, Criteria::kUserComboId, QStringLiteral("north")));
        person.OnDialog<LogList>([&](LogList& list) { EXPECT_EQ(Window(list), QStringLiteral("1..1000 of 4000")); });
        Click(criteria, IDOK);
    });
    ASSERT_TRUE(program.Command(kCmdOperationLog));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// The header of a column clicked until it shows the arrow wanted; the numbers of the entries then.
QStringList SortedBy(LogList& list, int column, int arrow)
{
    QTreeView& rows = *list.FindList(kListControlId);
    for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(rows, column, arrow); ++click)
        e2e::CProgram::ClickHeader(*rows.header(), column);
    EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, column, arrow)) << column;
    return e2e::ListColumn(rows, 0);
}

// Twelve entries, each from an address of its own (10.0.1.1 to 10.0.1.12): the window shrinks to them, the numbers
// sort as numbers and the addresses as addresses, and entries of one operator stay in the order they came.
TEST(OpLogE2eTest, TwelveEntriesFitOneWindowAndSortByNumberAndAddress)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.args = {"--generate-oplog", "12"};
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    person.OnDialog<Criteria>([&](Criteria& criteria) {
        e2e::Check(criteria, Criteria::kFromCheckId, false);
        e2e::Check(criteria, Criteria::kToCheckId, false);
        person.OnDialog<LogList>([&](LogList& list) {
            EXPECT_EQ(Window(list), QStringLiteral("1..12 of 12"));
            for (const int button : {kFirstPage, kPreviousPage, kNextPage, kLastPage, kSpinId})
                EXPECT_FALSE(list.IsControlEnabled(button)) << button;
            ASSERT_EQ(Rows(list), 12);
            // Entries 7 and 8 (a location's change and an account's) are on no NE; the others name their NE.
            const QStringList targets = e2e::ListColumn(*list.FindList(kListControlId), LogList::kFunctionColumn - 1);
            for (int row = 0; row < 12; ++row) {
                if (row == 6 || row == 7)
                    EXPECT_EQ(targets.value(row), QString()) << row;
                else
                    EXPECT_TRUE(QStringList({"North-1", "South-1", "Spare"}).contains(targets.value(row))) << row;
            }
            EXPECT_EQ(e2e::ListTitles(*list.FindList(kListControlId)),
                      (QStringList{"No.", "User", "Operation Time", "Login Location", "Target NE", "Function", "Action",
                                   "Parameters"}));
            EXPECT_EQ(SortedBy(list, 0, kImageSortDescending),
                      (QStringList{"12", "11", "10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
            EXPECT_EQ(e2e::ListColumn(*list.FindList(kListControlId), 3).value(0), QStringLiteral("10.0.1.12"));
            // By operator (admin, manager and north in turn): each one's entries in the order they came, though
            // they were shown the other way round.
            EXPECT_EQ(SortedBy(list, 1, kImageSortAscending),
                      (QStringList{"1", "4", "7", "10", "2", "5", "8", "11", "3", "6", "9", "12"}));
            EXPECT_EQ(SortedBy(list, 3, kImageSortAscending),
                      (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
        });
        Click(criteria, IDOK);
        // The root offers every NE after " <ALL>"; a location, its own NEs alone.
        EXPECT_EQ(e2e::ComboTexts(criteria, Criteria::kNeComboId), QStringLiteral(" <ALL>,North-1,South-1,Spare"));
        EXPECT_TRUE(e2e::Choose(criteria, Criteria::kLocationComboId, QStringLiteral("North")));
        EXPECT_EQ(e2e::ComboTexts(criteria, Criteria::kNeComboId), QStringLiteral("North-1"));
    });
    ASSERT_TRUE(program.Command(kCmdOperationLog));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
