#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/frame/view_tabs.h"

#include <gtest/gtest.h>

namespace {

using namespace frame_test;

class FaultViewsInTheFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTrapLogView();
        RegisterTrapSumView();
    }
    void TearDown() override
    {
        SetFrameViewFactory(kViewTrapLog, {});
        SetFrameViewFactory(kViewAlarmSummary, {});
    }

    ScopedWorkDir workDir_;
    ScopedModels models_;
    FakeFrameHost host_;
};

TEST_F(FaultViewsInTheFrameTest, TheSummaryTakesTheFramesSelectionAsItsTarget)
{
    ASSERT_NE(AddTestNe({7, "NE-7"}), nullptr);
    CMainFrame frame(host_);
    CAFormView* summary = frame.GetAlarmSummaryView();
    ASSERT_NE(dynamic_cast<CTrapSumView*>(summary), nullptr); // the frame built it through the summary's maker
    InitialUpdateFrameView(summary);
    summary->OnFirstShow();
    const CEntityIndex shelf = CEntityIndex::FromLevels(1, 1);
    frame.SetCurrentEntity(7, &shelf);
    RefreshFrameView(summary);
    EXPECT_EQ(summary->GetNeId(), 7);
    EXPECT_EQ(summary->GetTargetEntity().id, 10000u);
}

} // namespace
