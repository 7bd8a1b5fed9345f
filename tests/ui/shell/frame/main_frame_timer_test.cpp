// The frame's 100 ms timer: the work of each tick, the clock and connection panes, the queued server messages and the
// live keys, the forced-logout timer, the busy dispatch lock, and the blink phase.

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "link/pdu_log.h"
#include "platform/window_timers.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/shell/frame/frame_status_bar.h"
#include "ui/shell/frame/frame_tick.h"
#include "ui/shell/frame/main_frame.h"

#include <QLabel>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace frame_test;

namespace {

// A notification no dispatch rule takes.
constexpr uint16_t kUnknownCode = 9999;

// --- the plain functions -------------------------------------------------------------------------------------------

TEST(FrameTickTest, PeriodsWrapAndRefreshNow)
{
    struct Row {
        uint32_t counter;
        uint32_t period;
        bool now;
        uint32_t next;
        bool refresh;
    };
    const std::vector<Row> rows = {
        {299999, 10, false, 0, false}, // wraps to 0
        {0, 10, false, 1, true},
        {3, 4, false, 4, false},
        {4, 4, false, 5, true},
        {5, 10, true, 6, true},
        {7, 1, false, 8, true},
        {7, 0, false, 8, true},
        {99, 100, false, 100, false},
        {100, 100, false, 101, true},
        {400000, 10, false, 100001, true}, // a counter out of range is taken modulo the wrap first
    };
    for (const Row& row : rows) {
        const FrameTickWork work = NextFrameTick(row.counter, row.period, row.now);
        EXPECT_EQ(work.counter, row.next) << row.counter;
        EXPECT_EQ(work.refreshViews, row.refresh) << row.counter << "/" << row.period;
    }
}

TEST(FrameTickTest, BlinkPhaseIsOnInTheSecondHalfOfTheFlashPeriod)
{
    // FLASHCYCLE 2, FRAMEREFRESHTIME 10: off at even refresh counts, on at odd ones.
    for (uint32_t count = 0; count < 8; ++count)
        EXPECT_EQ(IsBlinkPhaseOn(count, 10, 2), count % 2 == 1) << count;
    // FLASHCYCLE 4, FRAMEREFRESHTIME 10: two refreshes off, two on.
    const std::vector<bool> four = {false, false, true, true, false, false, true, true};
    for (uint32_t count = 0; count < four.size(); ++count)
        EXPECT_EQ(IsBlinkPhaseOn(count, 10, 4), four[count]) << count;
    EXPECT_FALSE(IsBlinkPhaseOn(5, 10, 0));
    // Large counts do not overflow.
    EXPECT_TRUE(IsBlinkPhaseOn(0xFFFFFFFFu, 10, 2));
}

TEST(FrameStatusBarTest, PanesStandInTheirOrderFromTheLeftClockFirst)
{
    CFrameStatusBar bar;
    const std::vector<QString> texts = {QStringLiteral("13:04:05"), QStringLiteral("Ready"),
                                        QStringLiteral("Connected (10.1.2.3)")};
    for (int pane = 0; pane < 3; ++pane)
        bar.SetPaneText(pane, texts[static_cast<size_t>(pane)]);
    bar.resize(900, 24);
    bar.show();
    QCoreApplication::processEvents();
    // The left edge of each pane's text in the bar: clock, message, connection.
    std::vector<int> lefts;
    for (const QString& text : texts) {
        for (QLabel* label : bar.findChildren<QLabel*>()) {
            if (label->text() == text)
                lefts.push_back(label->mapTo(&bar, QPoint(0, 0)).x());
        }
    }
    ASSERT_EQ(lefts.size(), 3U);
    EXPECT_TRUE(std::is_sorted(lefts.begin(), lefts.end()));
    EXPECT_LT(lefts[0], 20) << "the clock is the first pane";
}

// --- the frame ---------------------------------------------------------------------------------------------------

class MainFrameTimerTest : public ::testing::Test {
protected:
    MainFrameTimerTest()
    {
        SetUiThreadId(std::this_thread::get_id());
        frame_ = std::make_unique<CMainFrame>(host_);
        frame_->SetClock([this] { return now_; });
    }
    ~MainFrameTimerTest() override { frame_.reset(); }

    QString Pane(int pane) const { return frame_->StatusPanes()->PaneText(pane); }

    // Queues a notification as a link thread would.
    static void QueueFromOtherThread()
    {
        std::thread([] {
            EmsMsg msg;
            msg.operation = kEmsOpReply;
            msg.requestCode = kUnknownCode;
            DispatchServerMessage(&msg);
        }).join();
    }

    ScopedWorkDir work_;
    FakeFrameHost host_;
    QDateTime now_{QDate(2024, 3, 5), QTime(13, 4, 5)};
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(MainFrameTimerTest, ClockShowsTheLocalTimeOncePerSecond)
{
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(Pane(CFrameStatusBar::kClockPane), QStringLiteral("13:04:05"));
    frame_->StatusPanes()->SetPaneText(CFrameStatusBar::kClockPane, QStringLiteral("x"));
    now_ = now_.addMSecs(500);
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(Pane(CFrameStatusBar::kClockPane), QStringLiteral("x"));
    now_ = now_.addMSecs(600);
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(Pane(CFrameStatusBar::kClockPane), QStringLiteral("13:04:06"));
}

TEST_F(MainFrameTimerTest, ConnectionPaneChangesOnlyOnChange)
{
    EXPECT_EQ(frame_->Timers().Interval(kFrameTimer), kFrameTimerPeriodMs);
    EXPECT_EQ(Pane(CFrameStatusBar::kConnectionPane), QStringLiteral("Disconnect (10.1.2.3)"));
    host_.connected = true;
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(Pane(CFrameStatusBar::kConnectionPane), QStringLiteral("Connected (10.1.2.3)"));

    frame_->StatusPanes()->SetPaneText(CFrameStatusBar::kConnectionPane, QStringLiteral("x"));
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(Pane(CFrameStatusBar::kConnectionPane), QStringLiteral("x"));

    host_.inTransaction = true;
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(Pane(CFrameStatusBar::kConnectionPane), QStringLiteral("In Communicating (10.1.2.3)"));

    host_.connected = false;
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(Pane(CFrameStatusBar::kConnectionPane), QStringLiteral("Disconnect (10.1.2.3)"));
    // Every state without a connection counts as the same.
    frame_->StatusPanes()->SetPaneText(CFrameStatusBar::kConnectionPane, QStringLiteral("x"));
    host_.inTransaction = false;
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(Pane(CFrameStatusBar::kConnectionPane), QStringLiteral("x"));
}

TEST_F(MainFrameTimerTest, QueuedMessagesEveryTenTicksAndLiveKeysEveryTwenty)
{
    std::vector<uint32_t> drained;
    std::vector<uint32_t> liveReads;
    for (int tick = 0; tick < 45; ++tick) {
        QueueFromOtherThread();
        const int reads = host_.liveConfigReads;
        frame_->OnTimer(kFrameTimer);
        if (QueuedServerMessageCount() == 0)
            drained.push_back(frame_->GetTickCounter());
        if (host_.liveConfigReads != reads)
            liveReads.push_back(frame_->GetTickCounter());
        ClearServerMessageQueue();
    }
    EXPECT_EQ(drained, (std::vector<uint32_t>{1, 11, 21, 31, 41}));
    EXPECT_EQ(liveReads, (std::vector<uint32_t>{1, 21, 41}));
    // The timer is set again after each tick.
    EXPECT_EQ(frame_->Timers().Interval(kFrameTimer), kFrameTimerPeriodMs);
}

TEST_F(MainFrameTimerTest, ABusyDispatchLockSkipsTheTickButKeepsTheTimer)
{
    std::atomic<bool> locked{false};
    std::atomic<bool> release{false};
    std::thread holder([&] {
        ASSERT_TRUE(LockDispatch(1000));
        locked = true;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        UnlockDispatch();
    });
    while (!locked)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    QueueFromOtherThread();
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(frame_->GetTickCounter(), 0u);
    EXPECT_EQ(QueuedServerMessageCount(), 1u);
    EXPECT_EQ(host_.liveConfigReads, 0);
    EXPECT_TRUE(frame_->Timers().IsSet(kFrameTimer));
    // The clock still runs.
    EXPECT_EQ(Pane(CFrameStatusBar::kClockPane), QStringLiteral("13:04:05"));

    release = true;
    holder.join();
    frame_->OnTimer(kFrameTimer);
    EXPECT_EQ(frame_->GetTickCounter(), 1u);
    EXPECT_EQ(QueuedServerMessageCount(), 0u);
}

TEST_F(MainFrameTimerTest, ForcedLogoutWaitsForTheRequestInProgress)
{
    frame_->StartLogoutTimer(10000);
    EXPECT_EQ(frame_->Timers().Interval(kLogoutTimer), 10000);

    host_.inTransaction = true;
    frame_->OnTimer(kLogoutTimer);
    EXPECT_EQ(host_.forcedLogouts, 0);

    host_.inTransaction = false;
    const uint32_t counter = frame_->GetTickCounter();
    frame_->OnTimer(kLogoutTimer);
    EXPECT_EQ(host_.forcedLogouts, 1);
    // Nothing else in that tick.
    EXPECT_EQ(frame_->GetTickCounter(), counter);

    frame_->StopFrameTimers();
    EXPECT_FALSE(frame_->Timers().IsSet(kLogoutTimer));
    EXPECT_FALSE(frame_->Timers().IsSet(kFrameTimer));
    EXPECT_EQ(frame_->GetLocationIndicator(), nullptr);
}

TEST_F(MainFrameTimerTest, PduLogWindowFollowsTheLiveKey)
{
    CPduLogDlg pduLog;
    host_.pduLog = &pduLog;
    AppSettings().pduLogWin = true;
    frame_->OnTimer(kFrameTimer); // tick 1
    EXPECT_TRUE(pduLog.isVisible());
    // The window is modeless and never the current dialog.
    EXPECT_EQ(GetCurrentDialog(), nullptr);
    AppSettings().pduLogWin = false;
    for (int i = 0; i < 19; ++i)
        frame_->OnTimer(kFrameTimer);
    EXPECT_TRUE(pduLog.isVisible()); // ticks 2..20 leave it
    frame_->OnTimer(kFrameTimer);    // tick 21
    EXPECT_FALSE(pduLog.isVisible());
    host_.pduLog = nullptr;
}

TEST_F(MainFrameTimerTest, OtherTimerIdsDoNothing)
{
    frame_->OnTimer(27574);
    EXPECT_EQ(frame_->GetTickCounter(), 0u);
    EXPECT_EQ(Pane(CFrameStatusBar::kClockPane), QString());
}

TEST_F(MainFrameTimerTest, AlarmPanesShowTheirIconsByLevel)
{
    AppSettings().flash.level = 2;
    AppSettings().beep.level = 0;
    frame_->UpdateAlarmPanes();
    EXPECT_TRUE(frame_->StatusPanes()->HasPaneIcon(CFrameStatusBar::kFlashPane));
    EXPECT_FALSE(frame_->StatusPanes()->HasPaneIcon(CFrameStatusBar::kBeepPane));
    AppSettings().flash.level = 0;
    AppSettings().beep.level = 5;
    frame_->UpdateAlarmPanes();
    EXPECT_FALSE(frame_->StatusPanes()->HasPaneIcon(CFrameStatusBar::kFlashPane));
    EXPECT_TRUE(frame_->StatusPanes()->HasPaneIcon(CFrameStatusBar::kBeepPane));
}

TEST_F(MainFrameTimerTest, CloseAsksTheExitQuestionUnlessExitWasConfirmed)
{
    frame_->show();
    EXPECT_FALSE(frame_->close());
    EXPECT_EQ(host_.exitQuestions, 1);
    EXPECT_TRUE(frame_->isVisible());
    host_.exitRequested = true;
    EXPECT_TRUE(frame_->close());
    EXPECT_EQ(host_.exitQuestions, 1);
}

} // namespace
