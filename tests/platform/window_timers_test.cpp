#include "platform/window_timers.h"
#include "tests/platform/qt_test_app.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(WindowTimers, TableKeepsTimersByTheirIds)
{
    std::vector<int> fired;
    CWindowTimers timers([&](int id) { fired.push_back(id); });
    EXPECT_EQ(timers.SetTimer(27594, 10), 27594);
    EXPECT_EQ(timers.SetTimer(31554, 100), 31554);
    EXPECT_EQ(timers.Interval(27594), 10);
    EXPECT_EQ(timers.ActiveIds(), (std::vector<int>{27594, 31554}));

    // Setting an id again restarts it with the new period instead of adding a second timer.
    timers.SetTimer(27594, 50);
    EXPECT_EQ(timers.Interval(27594), 50);
    EXPECT_EQ(timers.ActiveIds().size(), 2u);

    EXPECT_TRUE(timers.KillTimer(27594));
    EXPECT_FALSE(timers.KillTimer(27594));
    EXPECT_FALSE(timers.IsSet(27594));
    EXPECT_EQ(timers.Interval(27594), std::nullopt);
    EXPECT_EQ(timers.SetTimer(0, 10), 0); // id 0 names no timer
    EXPECT_FALSE(timers.IsSet(0));
    timers.KillAll();
    EXPECT_TRUE(timers.ActiveIds().empty());
    EXPECT_TRUE(fired.empty());
}

TEST(WindowTimers, ExpiryCallsTheHandlerWithTheIdUntilKilled)
{
    std::vector<int> fired;
    CWindowTimers* self = nullptr;
    CWindowTimers timers([&](int id) {
        fired.push_back(id);
        self->KillTimer(id); // a handler may kill its own timer, as the one-shot timers do
    });
    self = &timers;
    timers.SetTimer(10006, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fired.empty(); }, 5000));
    QTest::qWait(20);
    EXPECT_EQ(fired, std::vector<int>{10006});
    EXPECT_FALSE(timers.IsSet(10006));
}

} // namespace
