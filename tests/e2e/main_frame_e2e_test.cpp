// The main window of the running program as the operator works it: the connection in the status bar, the tree's
// selection in the dialog bar and the view tabs, a tab click replacing the right-hand view.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/frame_status_bar.h"
#include "ui/shell/frame/main_frame.h"

#include <QLabel>
#include <QTabBar>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdDeleteNe = 33010;

QStringList TabTexts(CMainFrame& frame)
{
    QStringList texts;
    for (int i = 0; i < frame.DialogBar()->Tabs()->count(); ++i)
        texts << frame.DialogBar()->Tabs()->tabText(i);
    return texts;
}

TEST(MainFrameE2eTest, TheFrameFollowsTheOperatorsSelection)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    CMainFrame& frame = program.Frame();
    EXPECT_TRUE(program.WaitUntil([&] {
        return frame.StatusPanes()->PaneText(CFrameStatusBar::kConnectionPane) ==
               QStringLiteral("Connected (127.0.0.1)");
    }));
    EXPECT_FALSE(frame.StatusPanes()->PaneText(CFrameStatusBar::kClockPane).isEmpty());

    QTreeWidgetItem* ne = program.TreeItem(QStringLiteral("North-1"));
    ASSERT_NE(ne, nullptr);
    program.ClickTreeItem(ne);
    EXPECT_EQ(frame.DialogBar()->EntityText(), QStringLiteral("[North-1]"));
    EXPECT_EQ(frame.DialogBar()->LocationText(), QStringLiteral("North"));
    const QStringList tabs = TabTexts(frame);
    ASSERT_TRUE(tabs.contains(QStringLiteral("Rack")));

    // Delete NE from the tree answered No: the NE stays, and the right pane shows the views of a location all the
    // same; selected again, the NE brings its own back.
    program.Operator().AnswerBox(IDNO);
    program.RightClickTreeItem(ne, kCmdDeleteNe);
    EXPECT_EQ(program.Operator().LastBoxText(), QStringLiteral("Are you sure to delete the data?"));
    ASSERT_NE(program.TreeItem(QStringLiteral("North-1")), nullptr);
    EXPECT_EQ(frame.GetSelectedKind(), 1);
    EXPECT_EQ(TabTexts(frame), (QStringList{"Geographics", "Trap Log"}));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North")));
    program.ClickTreeItem(ne);
    EXPECT_EQ(frame.GetSelectedKind(), 4);
    EXPECT_EQ(TabTexts(frame), tabs);

    // The status bar from the left: the clock first, the message, the connection.
    const auto left = [&](int pane) {
        for (QLabel* label : frame.StatusPanes()->findChildren<QLabel*>()) {
            if (!label->text().isEmpty() && label->text() == frame.StatusPanes()->PaneText(pane))
                return label->mapTo(&frame, QPoint(0, 0)).x();
        }
        return -1;
    };
    frame.StatusPanes()->SetPaneText(CFrameStatusBar::kMessagePane, QStringLiteral("Ready"));
    EXPECT_GE(left(CFrameStatusBar::kClockPane), 0);
    EXPECT_LT(left(CFrameStatusBar::kClockPane), left(CFrameStatusBar::kMessagePane));
    EXPECT_LT(left(CFrameStatusBar::kMessagePane), left(CFrameStatusBar::kConnectionPane));

    // The operator's tab choice replaces the right-hand view and keeps the NE.
    frame.DialogBar()->Tabs()->setCurrentIndex(static_cast<int>(tabs.indexOf(QStringLiteral("Trap Log"))));
    program.Settle();
    EXPECT_NE(dynamic_cast<CTrapLogView*>(frame.GetRightView()), nullptr);
    EXPECT_EQ(frame.GetCurrentNeId(), AppData().nes.FindNeByName("North-1")->neId);

    QTreeWidgetItem* location = program.TreeItem(QStringLiteral("South"));
    ASSERT_NE(location, nullptr);
    program.ClickTreeItem(location);
    EXPECT_EQ(frame.DialogBar()->LocationText(), QStringLiteral("South"));
    EXPECT_EQ(frame.GetCurrentNeId(), 0u);
    EXPECT_FALSE(TabTexts(frame).contains(QStringLiteral("Rack")));
}

} // namespace
