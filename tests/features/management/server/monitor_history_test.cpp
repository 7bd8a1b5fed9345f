// The server monitor's history of the processor load: the window of points its chart shows as samples come, with and
// without a point limit above the first hundred samples, the editor's trimming, and the poll timer's rhythm.

#include <gtest/gtest.h>

#include "features/management/server/monitor_history.h"

#include <algorithm>

namespace {

struct WindowCase {
    const char* what;
    uint32_t pointLimit;
    uint32_t samples;
    size_t points;      // the window's points after the samples
    size_t emptyPoints; // of them without a sample
};

class HistoryWindow : public ::testing::TestWithParam<WindowCase> {};

TEST_P(HistoryWindow, ShowsTheSamplesOfItsWindow)
{
    const WindowCase& c = GetParam();
    CMonitorHistory history(c.pointLimit);
    history.Reset();
    for (uint32_t i = 0; i < c.samples; ++i)
        history.AddSample(i % 100);
    const std::vector<std::optional<double>> values = history.Values();
    EXPECT_EQ(values.size(), c.points);
    EXPECT_EQ(static_cast<size_t>(std::count(values.begin(), values.end(), std::nullopt)), c.emptyPoints);
    EXPECT_EQ(history.SampleCount(), c.samples);
    if (c.samples > 0) {
        // The newest point is the last sample, labelled with the samples before it.
        EXPECT_EQ(values.back(), std::optional<double>((c.samples - 1) % 100));
        EXPECT_EQ(history.Labels().back(), std::to_string(c.samples - 1));
    }
}

INSTANTIATE_TEST_SUITE_P(MonitorHistory, HistoryWindow,
                         ::testing::Values(WindowCase{"a reset", 100, 0, 91, 91},
                                           WindowCase{"one sample", 100, 1, 91, 90},
                                           WindowCase{"the empty points used up", 100, 91, 91, 0},
                                           WindowCase{"a hundred samples", 100, 100, 91, 0},
                                           WindowCase{"long after, at the limit", 100, 1000, 91, 0},
                                           WindowCase{"a limit of none", 0, 150, 91, 0},
                                           WindowCase{"a limit below a hundred", 50, 150, 91, 0},
                                           WindowCase{"a higher limit, growing", 150, 120, 111, 0},
                                           WindowCase{"a higher limit, reached", 150, 150, 141, 0},
                                           WindowCase{"a higher limit, long after", 150, 1000, 141, 0}),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                             return "limit" + std::to_string(info.param.pointLimit) + "_samples" +
                                    std::to_string(info.param.samples);
                         });

TEST(MonitorHistory, TheWindowMovesOnBySample)
{
    CMonitorHistory history(100);
    history.Reset();
    for (int i = 0; i < 100; ++i)
        history.AddSample(i);
    history.AddSample(7);
    EXPECT_EQ(history.Values().front(), std::optional<double>(10));
    EXPECT_EQ(history.Labels().front(), "10");
    EXPECT_EQ(history.Labels().back(), "100");
}

TEST(MonitorHistory, TheEditorDropsThePointsUpToTheLastEmptyOne)
{
    CMonitorHistory history(100);
    history.Reset();
    for (int i = 0; i < 5; ++i)
        history.AddSample(i);
    ASSERT_TRUE(history.DropEmptyPoints());
    EXPECT_EQ(history.Values(), (std::vector<std::optional<double>>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(history.DropEmptyPoints()); // none left: the samples stay
    EXPECT_EQ(history.Values().size(), 5u);
    // A count started again keeps the points.
    history.RestartCount();
    EXPECT_EQ(history.SampleCount(), 0u);
    EXPECT_EQ(history.Values().size(), 5u);
}

TEST(MonitorHistory, APollLateByLessThanAPeriodKeepsTheRhythm)
{
    struct Case {
        const char* what;
        int64_t now;
        int64_t due;
        PollTiming next;
    };
    constexpr int64_t kPeriod = 2000;
    const Case cases[] = {
        {"on time", 10000, 10000, {12000, 2000}},
        {"300 ms late", 10300, 10000, {12000, 1700}},
        {"a whole period late", 12000, 10000, {12000, 0}},
        {"more than a period late", 12001, 10000, {14001, 2000}},
        {"early", 9999, 10000, {11999, 2000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextPoll(c.now, c.due, kPeriod), c.next) << c.what;
}

} // namespace
