// The fault lists of the main window as the operator uses them: the trap log filled by the simulated server's alarms,
// sorted by clicks on its column header, a row selected, its columns fitting what they show; the alarm summary below
// the tree showing all its rows.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/platform/pixel_probe.h"

#include "core/tables/trap_log_ring.h"
#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "platform/list_control.h"
#include "ui/framework/lists/list_host.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QHeaderView>
#include <QSplitter>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr int kNoColumn = 0;
constexpr int kSeverityColumn = 1;
constexpr int kLocationColumn = 2;
constexpr COLORREF kSelectionMarkColor = 0x0000FF; // the SELECTEDMARK of the sample EntSkin.dat
constexpr COLORREF kSortArrowColor = 0x3C3C3C;     // the inside of the program's sort arrows

// Cleared lowest, critical highest.
int Gravity(const QString& severity)
{
    static const QStringList order = {"Cleared", "Info", "Warning", "Minor", "Major", "Critical"};
    return static_cast<int>(order.indexOf(severity));
}

// The program logged in to a server that raises `alarmRate` random alarms a second, its window as large as an
// operator's screen, the trap log of an NE opened from the view bar.
class FaultListsTest : public ::testing::Test {
protected:
    // `recordsFirst`: the records the program's trap log has taken before the view opens and first lays its list out.
    CTrapLogView* OpenTrapLog(uint32_t alarmRate, const std::string& iniExtra = {}, uint32_t recordsFirst = 0)
    {
        e2e::PeerOptions options;
        options.args = {"--alarm-rate", std::to_string(alarmRate)};
        options.iniExtra = iniExtra;
        EXPECT_TRUE(program.StartServer(options));
        EXPECT_TRUE(program.Login("admin", "admin"));
        program.Frame().resize(1280, 800);
        program.ClickTreeItem(program.TreeItem("North-1"));
        EXPECT_TRUE(program.WaitUntil([&] { return AppTrapLog().GetCount() >= recordsFirst; }, 30000));
        EXPECT_TRUE(program.ClickViewTab("Trap Log"));
        return dynamic_cast<CTrapLogView*>(program.Frame().GetRightView());
    }

    // Stops the log from taking new rows, as the operator does from the list's menu.
    void Pause(QTreeView& list)
    {
        program.RightClickListRow(list, 0, CTrapLogView::kCmdPause);
        ASSERT_TRUE(CTrapLogView::IsPaused());
    }

    void TearDown() override { CTrapLogView::SetPaused(false); }

    e2e::CProgram program;
};

// Whether a cell's text is drawn whole, not cut with an ellipsis: its room is the column less the cell's margins and
// the room of the cell's image.
bool CellFits(const CListHost& host, QTreeView& list, int row, int column)
{
    const QString text = CListControl(&list).GetItemText(row, column);
    const bool image = column == 0 ? host.HasSmallImages() : host.GetItemImage(row, column) >= 0;
    const int room = list.columnWidth(column) - host.GetListMargin(0) - host.GetListMargin(1) - (image ? 20 : 0);
    return QFontMetrics(list.font()).elidedText(text, Qt::ElideRight, room) == text;
}

TEST_F(FaultListsTest, TrapLogSortsByHeaderClicksAndMarksTheSelectedRow)
{
    CTrapLogView* view = OpenTrapLog(200);
    ASSERT_NE(view, nullptr);
    QTreeView* list = view->FindList(kListControlId);
    ASSERT_TRUE(program.WaitUntil([&] { return CListControl(list).GetItemCount() >= 30; }));
    Pause(*list);
    // Last in another pane: the header click makes the trap log the active view, whose order its sort follows.
    auto* summary = dynamic_cast<CTrapSumView*>(program.Frame().GetAlarmSummaryView());
    ASSERT_NE(summary, nullptr);
    program.ClickListRow(*summary->FindList(kListControlId), 0);

    // The first click sorts by severity in the direction the log had (newest first: descending), the next reverses.
    program.ClickHeader(*list->header(), kSeverityColumn);
    const QStringList descending = program.ShownColumn(*list, kSeverityColumn);
    ASSERT_GE(descending.size(), 10);
    EXPECT_GT(std::set<QString>(descending.begin(), descending.end()).size(), 1u);
    EXPECT_TRUE(std::is_sorted(descending.begin(), descending.end(), [](const QString& a, const QString& b) {
        return Gravity(a) > Gravity(b);
    })) << descending.join(',').toStdString();
    program.ClickHeader(*list->header(), kSeverityColumn);
    const QStringList ascending = program.ShownColumn(*list, kSeverityColumn);
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end(), [](const QString& a, const QString& b) {
        return Gravity(a) < Gravity(b);
    })) << ascending.join(',').toStdString();

    // The sort arrow (a run of its colour, which the title's edges never make) stands to the right of the title.
    QHeaderView* header = list->header();
    const QImage headerShot = header->viewport()->grab().toImage();
    const QRect section(header->sectionViewportPosition(kSeverityColumn), 0, header->sectionSize(kSeverityColumn),
                        header->viewport()->height());
    int arrowLeft = section.right();
    int textRight = section.left();
    for (int y = section.top(); y <= section.bottom(); ++y) {
        for (int x = section.left(); x <= section.right(); ++x) {
            const COLORREF pixel = PixelOf(headerShot, x, y);
            if (CountPixels(headerShot, QRect(x, y, 4, 1), [](COLORREF p) { return p == kSortArrowColor; }) == 4)
                arrowLeft = std::min(arrowLeft, x);
            else if (Near(pixel, 0x000000, 40))
                textRight = std::max(textRight, x);
        }
    }
    EXPECT_LT(textRight, arrowLeft) << "the title ends at " << textRight << ", the arrow starts at " << arrowLeft;

    // The arrow stands over the column numbered by the compare key the rows are sorted under: Occur Time and Receive
    // Time sort under keys 7 and 8, so the arrow stands over the column before and their own headers say that they
    // are sorted elsewhere; "Alarms ..." sorts as Severity, whose header takes the arrow.
    constexpr int kAlarmsColumn = 7;
    for (int time : {8, 9}) {
        program.ClickHeader(*list->header(), time);
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(*list, time, kImageSortedElsewhere)) << time;
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(*list, time - 1, kImageSortAscending)) << time;
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(*list, time == 8 ? 9 : 7, -1)) << time;
    }
    program.ClickHeader(*list->header(), kAlarmsColumn);
    EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(*list, kAlarmsColumn, kImageSortedElsewhere));
    EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(*list, kSeverityColumn, kImageSortAscending));

    // A clicked row is selected and framed in the selection mark; the others are not.
    program.ClickListRow(*list, 2, kLocationColumn);
    EXPECT_EQ(CListControl(list).GetNextSelected(-1), 2);
    const QImage rows = list->viewport()->grab().toImage();
    const auto markPixels = [&](int row) {
        return CountPixels(rows, e2e::CProgram::ListRowRect(*list, row),
                           [](COLORREF pixel) { return pixel == kSelectionMarkColor; });
    };
    EXPECT_GT(markPixels(2), list->viewport()->width());
    EXPECT_EQ(markPixels(4), 0);

    // Grid lines part the rows and the columns.
    const QRect cell = list->visualRect(list->model()->index(5, kLocationColumn));
    const COLORREF fill = PixelOf(rows, cell.left() + 2, cell.top() + 2);
    EXPECT_EQ(PixelOf(rows, cell.left() + 2, cell.bottom()), kListGridColor);
    EXPECT_EQ(PixelOf(rows, cell.right(), cell.top() + 2), kListGridColor);
    EXPECT_NE(fill, kListGridColor);
}

TEST_F(FaultListsTest, TrapLogColumnsAndTheAlarmSummaryShowWhatTheOperatorNeeds)
{
    // The list is laid out at its first fill and not again as records come: numbers of five digits from the first.
    CTrapLogView* view = OpenTrapLog(10000, "[ALARM]\nTRAPLOGSIZE=200\n", 10300);
    ASSERT_NE(view, nullptr);
    QTreeView* list = view->FindList(kListControlId);
    const CListControl rows(list);
    ASSERT_TRUE(program.WaitUntil([&] { return rows.GetItemCount() > 0; }));
    Pause(*list);
    ASSERT_GE(rows.GetItemText(rows.GetItemCount() - 1, kNoColumn).size(), 5);

    for (int row = 0; row < rows.GetItemCount(); ++row) {
        for (int column : {kNoColumn, kSeverityColumn, 5, 6, 8, 9})
            ASSERT_TRUE(CellFits(*view, *list, row, column))
                << "row " << row << " column " << column << ": " << rows.GetItemText(row, column).toStdString();
    }
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("trap_log")));

    // The alarm summary's pane is seven times the height of "Wly" in the list's font; its five rows fit their width
    // also when the window gets smaller and the operator narrows the left column (its last column narrows too,
    // leaving no need to scroll sideways).
    auto* summary = dynamic_cast<CTrapSumView*>(program.Frame().GetAlarmSummaryView());
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(summary->IsFirstShowDone());
    const QFont summaryFont = summary->FindList(kListControlId)->font();
    EXPECT_EQ(summary->height(),
              7 * QFontMetrics(summaryFont).size(Qt::TextSingleLine, QStringLiteral("Wly")).height());
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("alarm_summary_pane")));
    program.Frame().resize(1280, 600);
    auto* columns = program.Frame().findChild<QSplitter*>(QStringLiteral("outerSplitter"));
    ASSERT_NE(columns, nullptr);
    QSplitterHandle* handle = columns->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip - QPoint(40, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(40, 0));
    QTreeView* counts = summary->FindList(kListControlId);
    ASSERT_NE(counts, nullptr);
    ASSERT_EQ(CListControl(counts).GetItemCount(), CTrapSumView::kRowCount);
    EXPECT_EQ(e2e::ListColumn(*counts, 0).join(','), QStringLiteral("Critical,Major,Minor,NE Offline,NE Online"));
    // Every row shows a picture: the severities their lamps, NE Offline image 27 and NE Online image 26.
    const std::vector<int> images{12, 13, 14, 27, 26};
    for (int row = 0; row < CTrapSumView::kRowCount; ++row) {
        EXPECT_EQ(CListControl(counts).GetItemImage(row, 0), images[static_cast<size_t>(row)]) << "row " << row;
        EXPECT_TRUE(SharedSmallImages().Has(images[static_cast<size_t>(row)])) << "row " << row;
    }
    for (int row = 0; row < CTrapSumView::kRowCount; ++row)
        EXPECT_TRUE(CellFits(*summary, *counts, row, 0)) << "row " << row;
    // The counts stand inside the list, not under its vertical scroll bar.
    EXPECT_TRUE(program.WaitUntil([&] {
        return counts->header()->sectionViewportPosition(1) + counts->columnWidth(1) <= counts->viewport()->width();
    })) << counts->columnWidth(1)
        << " wide in " << counts->viewport()->width();
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(*summary, QStringLiteral("alarm_summary")));
    counts->scrollToBottom();
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(*summary, QStringLiteral("alarm_summary_ne_rows")));
}

} // namespace
