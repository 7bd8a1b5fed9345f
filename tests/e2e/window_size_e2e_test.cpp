// The main window at the sizes operators have (1152x720, the window on a 1280x800 screen, and 1920x1080): the trap
// log shows every cell whole and every title whole beside the sort arrow, and scrolls sideways to the columns the
// window has no room for; the Location Indicator covers none of the trap log, and the wait dialog shows its text
// whole. Screenshots of each go to screenshots/.

#include "tests/e2e/support/e2e_harness.h"

#include "features/fault/trap_log/trap_log_view.h"
#include "link/link_ui.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/link_ui/wait_dlg.h"
#include "ui/framework/lists/list_host.h"
#include "ui/shell/frame/location_indicator_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kSeverityColumn = 1;

struct WindowSize {
    int width;
    int height;
};

void PrintTo(const WindowSize& size, std::ostream* os)
{
    *os << size.width << 'x' << size.height;
}

QString SizeName(const WindowSize& size)
{
    return QStringLiteral("%1x%2").arg(size.width).arg(size.height);
}

// Whether a cell's text is drawn whole in the column less the cell's margins and the room of its image.
bool CellWhole(const CListHost& host, QTreeView& list, int row, int column)
{
    const QString text = CListControl(&list).GetItemText(row, column);
    const bool image = column == 0 ? host.HasSmallImages() : host.GetItemImage(row, column) >= 0;
    const int room = list.columnWidth(column) - host.GetListMargin(0) - host.GetListMargin(1) - (image ? 20 : 0);
    return QFontMetrics(list.font()).elidedText(text, Qt::ElideRight, room) == text;
}

// Whether a header section shows its whole title beside its image (the sort arrow), as the style lays them out.
bool TitleFits(QHeaderView& header, int column)
{
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.text = header.model()->headerData(column, Qt::Horizontal).toString();
    option.icon = header.model()->headerData(column, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
    option.rect = QRect(0, 0, header.sectionSize(column), header.height());
    option.section = column;
    const QSize needed = header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header);
    return needed.width() <= header.sectionSize(column);
}

class WindowSizeTest : public ::testing::TestWithParam<WindowSize> {
protected:
    void TearDown() override { CTrapLogView::SetPaused(false); }
    e2e::CProgram program;
};

TEST_P(WindowSizeTest, TheTrapLogAndTheFramesPanelsAreReadable)
{
    const WindowSize size = GetParam();
    e2e::PeerOptions options;
    options.args = {"--alarm-rate", "400"};
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem("North-1"));
    ASSERT_TRUE(program.ClickViewTab("Trap Log"));
    auto* view = dynamic_cast<CTrapLogView*>(program.Frame().GetRightView());
    ASSERT_NE(view, nullptr);
    QTreeView* list = view->FindList(kListControlId);
    const CListControl rows(list);
    // Long alarm texts: several alarms of one port at once.
    ASSERT_TRUE(program.WaitUntil([&] {
        for (int row = 0; row < rows.GetItemCount(); ++row) {
            if (rows.GetItemText(row, 7).count(',') >= 1)
                return rows.GetItemCount() >= 30;
        }
        return false;
    }));
    program.RightClickListRow(*list, 0, CTrapLogView::kCmdPause);
    program.ClickHeader(*list->header(), kSeverityColumn);
    // The window brought to its size lays the columns out for the rows in view.
    ASSERT_NE(program.Frame().width(), size.width);
    program.Frame().resize(size.width, size.height);
    program.Settle();
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("frame_") + SizeName(size)));

    ASSERT_EQ(list->indexAt(QPoint(1, 1)).row(), 0);
    for (int row = 0; row < std::min(rows.GetItemCount(), view->GetLayoutRowCount()); ++row) {
        for (int column = 0; column < rows.GetColumnCount(); ++column)
            ASSERT_TRUE(CellWhole(*view, *list, row, column))
                << "row " << row << " column " << column << ": " << rows.GetItemText(row, column).toStdString();
    }
    QHeaderView& header = *list->header();
    for (int column = 0; column < rows.GetColumnCount(); ++column)
        EXPECT_TRUE(TitleFits(header, column)) << "column " << column;
    // Columns the window has no room for are a sideways scroll away.
    const int beyond = header.length() - list->viewport()->width();
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), std::max(beyond, 0));

    // The Location Indicator covers neither the trap log's headers nor its newest rows nor its times.
    CLocationIndicatorDlg* indicator = program.Frame().GetLocationIndicator();
    ASSERT_NE(indicator, nullptr);
    ASSERT_TRUE(indicator->isVisible());
    const QRect panel = indicator->frameGeometry();
    EXPECT_FALSE(panel.intersects(QRect(header.mapToGlobal(QPoint(0, 0)), header.size())));
    // It lies on the right-hand view: the tree and the alarm summary on the left stay whole.
    EXPECT_TRUE(QRect(view->mapToGlobal(QPoint(0, 0)), view->size()).contains(panel));
    const QRect newest = e2e::CProgram::ListRowRect(*list, 0).united(e2e::CProgram::ListRowRect(*list, 9));
    EXPECT_FALSE(panel.intersects(QRect(list->viewport()->mapToGlobal(newest.topLeft()), newest.size())));
    const int times = header.sectionViewportPosition(8);
    EXPECT_FALSE(panel.intersects(QRect(list->viewport()->mapToGlobal(QPoint(times, 0)),
                                        QSize(list->viewport()->width() - times, list->viewport()->height()))));
}

TEST(WaitDialogTest, TheWaitDialogShowsItsTextWhole)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    CWaitContext wait(60000, [] {});
    CWaitDlg dialog;
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        QCoreApplication::processEvents();
        for (int id : {CWaitDlg::kFirstTextId, CWaitDlg::kSecondTextId}) {
            auto* label = dialog.GetDlgItemAs<QLabel>(id);
            EXPECT_NE(label, nullptr);
            if (label != nullptr) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
                    << label->text().toStdString();
            }
        }
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("wait_dlg")));
        wait.MarkFinished();
        return IDOK;
    });
    dialog.Run(wait);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowSizeTest, ::testing::Values(WindowSize{1152, 720}, WindowSize{1920, 1080}),
                         [](const auto& info) { return SizeName(info.param).replace('x', '_').toStdString(); });

} // namespace
