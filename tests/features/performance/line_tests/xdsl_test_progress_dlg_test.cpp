// The progress dialog of each line test asks the NE how the test stands ten seconds after the start, not before; the
// elapsed time reads seconds and milliseconds, and the bar runs over the server's wait (35000 ms when unset). Without a
// peer the poll fails, which ends the wait with Cancel.

#include "tests/features/performance/performance_test_support.h"
#include "tests/platform/qt_test_app.h"
#include "tests/ui/framework/framework_test_support.h"

#include "features/performance/line_tests/xdsl_test_progress_dlg.h"
#include "platform/scripted_runners.h"

#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

TEST(XdslTestProgressDlgTest, TheFirstPollComesTenSecondsAfterTheStart)
{
    ASSERT_NO_FATAL_FAILURE(perf_test::AddNorth1());
    ScriptedModalRunner runner;
    ScriptedMessageBoxes boxes;
    for (const LineTestKind kind : {LineTestKind::kLoopDiagnosis, LineTestKind::kLoopMonitoring, LineTestKind::kSelt}) {
        SCOPED_TRACE(static_cast<int>(kind));
        int64_t nowMs = 0;
        CXdslTestProgressDlg progress(kind);
        const CEntityId port(perf_test::kAdslPort);
        progress.SetTarget(perf_test::kNe, &port);
        progress.SetClock([&nowMs] {
            TimeRec now{20000, 0};
            AddMsToTimeRec(&now, nowMs);
            return now;
        });
        int result = -1;
        runner.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return progress.IsFirstShowDone(); }));
            nowMs = 9999;
            progress.OnTimer(CXdslTestProgressDlg::TimerOf(kind));
            EXPECT_EQ(progress.GetDlgItemAs<QLabel>(CXdslTestProgressDlg::kElapsedId)->text(), QStringLiteral("9.999"));
            const auto* bar = progress.GetDlgItemAs<QProgressBar>(CXdslTestProgressDlg::kProgressId);
            EXPECT_EQ(bar->maximum(), 35000);
            EXPECT_EQ(bar->value(), 9999);
            EXPECT_FALSE(progress.IsEnded()) << "no poll yet";
            nowMs = 10000;
            progress.OnTimer(CXdslTestProgressDlg::TimerOf(kind));
            EXPECT_TRUE(progress.IsEnded()) << "the poll came and failed";
            return IDOK;
        });
        result = progress.DoModal();
        EXPECT_EQ(result, IDCANCEL);
    }
    AppData().Reset();
}

} // namespace
