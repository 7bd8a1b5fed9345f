#include "tests/ui/framework/framework_test_support.h"

#include "link/driver_result.h"
#include "platform/scripted_runners.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/link_ui/qt_link_ui.h"
#include "ui/framework/link_ui/wait_dlg.h"
#include "ui/framework/messages/string_ids.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusTipEvent>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class LinkUiTest : public ::testing::Test {
protected:
    void SetUp() override { LoadProgramStrings(); }
};

TEST_F(LinkUiTest, StopEndsTheRequestAndTheDialogClosesWhenItHasEnded)
{
    ScriptedModalRunner runner;
    std::atomic<int> stops{0};
    CWaitContext wait(35000, [&] { ++stops; });
    runner.Push([&](QDialog& dialog) {
        qobject_cast<QPushButton*>(FindControl(&dialog, IDCANCEL))->click();
        EXPECT_EQ(stops.load(), 1);
        // Still open until the driver has ended the request.
        EXPECT_TRUE(dialog.isVisible());
        wait.MarkFinished();
        EXPECT_TRUE(PumpUntil([&] { return !dialog.isVisible(); }));
        return IDOK;
    });
    CQtLinkUi ui;
    ui.RunWaitDialog(wait);
    EXPECT_EQ(stops.load(), 1);
    EXPECT_TRUE(wait.IsFinished());
}

TEST_F(LinkUiTest, WaitDialogReturnsWhenTheRequestEndsByItself)
{
    ScriptedModalRunner runner;
    CWaitContext wait(1000, [] {});
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        wait.MarkFinished();
    });
    runner.Push([&](QDialog& dialog) {
        EXPECT_TRUE(PumpUntil([&] { return !dialog.isVisible(); }));
        return IDCANCEL;
    });
    CQtLinkUi ui;
    ui.RunWaitDialog(wait);
    worker.join();
    EXPECT_TRUE(wait.IsFinished());
}

// The request's end closes the dialog through a posted call, without waiting for a timer's next look.
TEST_F(LinkUiTest, WaitDialogClosesWithTheRequestsEndNotice)
{
    ScriptedModalRunner runner;
    CWaitContext wait(1000, [] {});
    runner.Push([&](QDialog& dialog) {
        EXPECT_TRUE(dialog.isVisible());
        std::thread([&] { wait.MarkFinished(); }).join();
        QCoreApplication::sendPostedEvents(); // posted calls only: no timer runs here
        EXPECT_FALSE(dialog.isVisible());
        return IDCANCEL;
    });
    CQtLinkUi ui;
    ui.RunWaitDialog(wait);
    EXPECT_TRUE(wait.IsFinished());
}

// One dialog serves request after request, each from its start: Stop stopped the one before and serves again.
TEST_F(LinkUiTest, OneWaitDialogServesRequestAfterRequest)
{
    ScriptedModalRunner runner;
    std::vector<QDialog*> shown;
    std::atomic<int> stops{0};
    for (int run = 0; run < 2; ++run) {
        runner.Push([&](QDialog& dialog) {
            shown.push_back(&dialog);
            auto* stop = qobject_cast<QPushButton*>(FindControl(&dialog, IDCANCEL));
            EXPECT_TRUE(stop->isEnabled());
            stop->click();
            return IDCANCEL;
        });
    }
    CQtLinkUi ui;
    for (int run = 0; run < 2; ++run) {
        CWaitContext wait(1000, [&] { ++stops; });
        std::thread ender([&] {
            while (stops.load() <= run)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            wait.MarkFinished();
        });
        ui.RunWaitDialog(wait);
        ender.join();
    }
    EXPECT_EQ(stops.load(), 2);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], shown[1]);
}

TEST_F(LinkUiTest, WaitOffTheUiThreadShowsNoWindow)
{
    ScriptedModalRunner runner;
    CWaitContext wait(1000, [] {});
    CQtLinkUi ui;
    std::thread other([&] { ui.RunWaitDialog(wait); });
    wait.MarkFinished();
    other.join();
    EXPECT_TRUE(runner.Runs().isEmpty());
}

TEST_F(LinkUiTest, FailureBoxShowsTheTextCodeAndErrorText)
{
    ScriptedModalRunner runner;
    QString shown;
    runner.Push([&](QDialog& box) {
        shown = qobject_cast<QPlainTextEdit*>(FindControl(&box, 1348))->toPlainText();
        return IDOK;
    });
    CQtLinkUi ui;
    ui.ShowFailureMessage(kStrInternalError, kDrvTimeout, "transaction time-out");
    const std::string expected = ComposeFailureMessage("Internal error", kDrvTimeout, "transaction time-out");
    EXPECT_EQ(shown, QString::fromStdString(expected));
}

// The main window's message pane takes status tips.
class CTipWindow : public QMainWindow {
public:
    QStringList tips;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::StatusTip) {
            tips.push_back(static_cast<QStatusTipEvent*>(event)->tip());
            return true;
        }
        return QMainWindow::event(event);
    }
};

TEST_F(LinkUiTest, ALinkNoticeGoesToTheMainWindowsMessageLineAndOpensNoBox)
{
    ScriptedModalRunner runner;
    CTipWindow frame;
    frame.show();
    CQtLinkUi ui;
    // From the driver's threads, one after another while the first is still on its way.
    std::thread([&] {
        ui.ShowLinkStatus("Notifications were lost: reading everything from the server again");
        ui.ShowLinkStatus("Notifications were lost: reading everything from the server again");
    }).join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(runner.Runs().isEmpty()) << "no box";
    EXPECT_EQ(frame.tips,
              (QStringList{QStringLiteral("Notifications were lost: reading everything from the server again"),
                           QStringLiteral("Notifications were lost: reading everything from the server again")}));
}

TEST_F(LinkUiTest, PduLogWindowKeepsTheLastLines)
{
    CQtLinkUi ui;
    ScopedLinkUi registered(ui);
    EXPECT_FALSE(ui.HasPduLogWindow());
    GetLinkUi().AppendPduLogLines({"first", "second"});
    ASSERT_TRUE(ui.HasPduLogWindow());
    EXPECT_FALSE(ui.PduLogWindow().isVisible());
    EXPECT_EQ(ui.PduLogWindow().Lines(), (QStringList{"first", "second"}));
    std::vector<std::string> many;
    for (int i = 0; i < CPduLogDlg::kMaxLines + 5; ++i)
        many.push_back("line " + std::to_string(i));
    ui.AppendPduLogLines(many);
    const QStringList lines = ui.PduLogWindow().Lines();
    EXPECT_EQ(lines.size(), CPduLogDlg::kMaxLines);
    EXPECT_EQ(lines.back(), QStringLiteral("line %1").arg(CPduLogDlg::kMaxLines + 4));
    ui.PduLogWindow().OnCommand(CPduLogDlg::kClearButtonId, BN_CLICKED);
    EXPECT_TRUE(ui.PduLogWindow().Lines().isEmpty());
}

} // namespace
