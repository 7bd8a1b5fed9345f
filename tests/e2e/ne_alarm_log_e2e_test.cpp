// The NE's own alarm log in the running program (direct mode): Diagnosis > NE Alarm > History Alarm List reads the
// log the simulated NE keeps, a page at a time; the first page numbers the range by the entries it got, the next and
// previous pages ask for the entry numbers beyond and before it, and a range typed in is read on Refresh. Entries
// that report their alarms cleared show as such and can be hidden without a new request.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/severity_totals.h"

#include "core/config/app_settings.h"
#include "core/util/date_time_format.h"
#include "features/fault/alarm_events/history_alarm_list_dlg.h"
#include "features/fault/trap_log/type_change_detail_dlg.h"
#include "ui/framework/lists/small_images.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

namespace {

constexpr int kCmdHistoryAlarmList = 33034;
constexpr int kNoColumn = 0;
constexpr int kSeverityColumn = 1;
using List = CHistoryAlarmListDlg;
using e2e::Click;
using e2e::Field;

std::vector<uint32_t> ShownNumbers(QTreeView& rows)
{
    std::vector<uint32_t> numbers;
    for (const QString& text : e2e::ListColumn(rows, kNoColumn))
        numbers.push_back(text.toUInt());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::vector<uint32_t> Numbers(uint32_t first, uint32_t last)
{
    std::vector<uint32_t> numbers;
    for (uint32_t n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

TEST(NeAlarmLogE2eTest, TheOperatorPagesThroughTheNesOwnLog)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& list) -> int {
        QTreeView& rows = *list.FindList(kListControlId);
        // The first page: as many entries as a history page holds, numbered by what came.
        const uint32_t page = AppSettings().hisAlarmRecCnt;
        EXPECT_EQ(ShownNumbers(rows).size(), list.Page().size());
        EXPECT_EQ(list.Page().size(), page);
        EXPECT_EQ(Field(list, List::kFromId), QStringLiteral("1"));
        EXPECT_EQ(Field(list, List::kToId), QString::number(page));
        EXPECT_FALSE(list.IsControlEnabled(List::kPreviousPageId));
        // Location, Receive Time, Clear Time, Ack Person and Ack Time are not the NE's: hidden.
        for (int column = 0; column <= 12; ++column)
            EXPECT_EQ(list.IsColumnHidden(column), column == 2 || column >= 9) << column;
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("history_alarm_list_dlg")));
        EXPECT_EQ(e2e::CountsAwayFromTheirLabels(list), "");

        // Times of day from the NE's start: none in the future, none of the epoch.
        const uint32_t now = static_cast<uint32_t>(std::time(nullptr));
        for (const NeAlarmLogEntry& entry : list.Page()) {
            EXPECT_GT(entry.occurTime, 86400u);
            EXPECT_LE(entry.occurTime, now + 86400u);
        }

        Click(list, List::kNextPageId);
        EXPECT_EQ(Field(list, List::kFromId), QString::number(page + 1));
        EXPECT_EQ(ShownNumbers(rows).front(), page + 1);
        Click(list, List::kPreviousPageId);
        EXPECT_EQ(ShownNumbers(rows).front(), 1u);

        // A range typed in, and the pages after and before it, bring exactly the entries they number.
        const struct {
            const char* how;
            int button;
            uint32_t first;
            uint32_t last;
        } steps[] = {{"typed", kRefreshButtonId, 11, 20},
                     {"next", List::kNextPageId, 21, 30},
                     {"previous", List::kPreviousPageId, 11, 20},
                     {"typed, one entry", kRefreshButtonId, 7, 7}};
        for (const auto& step : steps) {
            SCOPED_TRACE(step.how);
            if (step.button == kRefreshButtonId) {
                e2e::Type(list, List::kFromId, QString::number(step.first));
                e2e::Type(list, List::kToId, QString::number(step.last));
            }
            Click(list, step.button);
            EXPECT_EQ(ShownNumbers(rows), Numbers(step.first, step.last));
        }

        // A range past the log's end gives what there is.
        e2e::Type(list, List::kFromId, QStringLiteral("241"));
        e2e::Type(list, List::kToId, QStringLiteral("260"));
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ShownNumbers(rows), Numbers(241, 250));

        // "Alarms ..." sorts as Severity: the arrow over Severity, its own header saying so.
        e2e::CProgram::ClickHeader(*rows.header(), List::kAlarmsColumn);
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, List::kAlarmsColumn, kImageSortedElsewhere));
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, List::kSeverityColumn, kImageSortAscending));

        // Cleared entries hide without a request; the others stay.
        const int shown = static_cast<int>(ShownNumbers(rows).size());
        const int cleared = static_cast<int>(e2e::ListColumn(rows, kSeverityColumn).count(QStringLiteral("Cleared")));
        EXPECT_EQ(Field(list, List::kClearedCountId), QString::number(cleared));
        e2e::Check(list, List::kClearedCheckId, false);
        EXPECT_EQ(static_cast<int>(ShownNumbers(rows).size()), shown - cleared);
        EXPECT_EQ(Field(list, List::kClearedCountId), QStringLiteral("0"));
        e2e::Check(list, List::kClearedCheckId, true);
        EXPECT_EQ(static_cast<int>(ShownNumbers(rows).size()), shown);

        // Alarm Name ticked when the page comes: an entry none of whose alarms is named gives no row, and unticking
        // the box does not bring it back until the page is fetched again.
        const QStringList alarms = e2e::ListColumn(rows, List::kAlarmsColumn);
        const auto namedAt = std::find_if(alarms.begin(), alarms.end(), [](const QString& a) { return !a.isEmpty(); });
        const QString named = namedAt != alarms.end() ? namedAt->section(',', 0, 0) : QString();
        e2e::Check(list, List::kNameCheckId, true);
        e2e::Type(list, List::kNameEditId, named);
        const int namedRows = static_cast<int>(ShownNumbers(rows).size());
        EXPECT_LT(namedRows, shown) << named.toStdString();
        Click(list, kRefreshButtonId);
        e2e::Check(list, List::kNameCheckId, false);
        EXPECT_EQ(static_cast<int>(ShownNumbers(rows).size()), namedRows);
        Click(list, kRefreshButtonId);
        EXPECT_EQ(static_cast<int>(ShownNumbers(rows).size()), shown);

        person.OnDialog<CTypeChangeDetailDlg>([&](CTypeChangeDetailDlg& detail) {
            // The occurrence as the row shows it; a change of type brings no receive time, shown as the other detail
            // dialogs show an unset time.
            EXPECT_EQ(Field(detail, CTypeChangeDetailDlg::kOccurTimeId),
                      e2e::ListColumn(rows, List::kOccurTimeColumn).value(0));
            EXPECT_EQ(Field(detail, CTypeChangeDetailDlg::kReceiveTimeId), QString::fromStdString(FormatDateTime(0)));
            // Every label shows its text whole.
            for (const QLabel* label : detail.findChildren<QLabel*>()) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
                    << label->text().toStdString();
            }
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(detail, QStringLiteral("type_change_detail_dlg")));
            // Each column sorts under its own arrow (its key is its number).
            QTreeView& alarms = *detail.FindList(kListControlId);
            e2e::CProgram::ClickHeader(*alarms.header(), CTypeChangeDetailDlg::kDescriptionColumn);
            EXPECT_TRUE(
                e2e::CProgram::HeaderShowsImage(alarms, CTypeChangeDetailDlg::kDescriptionColumn, kImageSortAscending));
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(alarms, CTypeChangeDetailDlg::kStateColumn, -1));
            e2e::CProgram::ClickHeader(*alarms.header(), CTypeChangeDetailDlg::kStateColumn);
            EXPECT_TRUE(
                e2e::CProgram::HeaderShowsImage(alarms, CTypeChangeDetailDlg::kStateColumn, kImageSortAscending));
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(alarms, CTypeChangeDetailDlg::kDescriptionColumn, -1));
            return IDCANCEL;
        });
        program.ClickListRow(rows, 0);
        EXPECT_TRUE(list.IsControlEnabled(List::kDetailButtonId));
        Click(list, List::kDetailButtonId);
        EXPECT_TRUE(person.dialogsRun.contains(QStringLiteral("Detailed Alarm & Event")))
            << person.dialogsRun.join(',').toStdString();
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHistoryAlarmList));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

} // namespace
