// The series of the server's notification numbers: what is lost, and when, and what is not.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "link/server/notification_series.h"

namespace {

using Clock = CNotificationSeries::Clock;
using std::chrono::milliseconds;

class NotificationSeriesTest : public ::testing::Test {
protected:
    void Note(uint32_t first, uint32_t last, Clock::time_point at)
    {
        for (uint32_t n = first; n <= last; ++n) {
            series_.Note(n, at);
        }
    }

    CNotificationSeries series_;
    const Clock::time_point t0_ = Clock::now();
};

TEST_F(NotificationSeriesTest, NumbersInOrderLoseNothing)
{
    Note(1, 5000, t0_);
    EXPECT_EQ(series_.MissingCount(), 0u);
    EXPECT_FALSE(series_.NextDue());
    EXPECT_EQ(series_.TakeLost(t0_ + std::chrono::hours(1)), 0u);
}

TEST_F(NotificationSeriesTest, AMissingNumberIsLostASecondLaterAndToldOnce)
{
    Note(1, 3, t0_);
    series_.Note(5, t0_);
    EXPECT_EQ(series_.MissingCount(), 1u);
    ASSERT_TRUE(series_.NextDue());
    EXPECT_EQ(*series_.NextDue(), t0_ + CNotificationSeries::kLateLimit);
    EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(999)), 0u);
    EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(1000)), 1u);
    EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(5000)), 0u) << "told once";
    EXPECT_EQ(series_.MissingCount(), 0u);
}

TEST_F(NotificationSeriesTest, ANumberThatComesLateWithinTheSecondIsNoLoss)
{
    Note(1, 2, t0_);
    Note(6, 8, t0_); // 3, 4 and 5 missing
    series_.Note(4, t0_ + milliseconds(500));
    EXPECT_EQ(series_.MissingCount(), 2u);
    series_.Note(3, t0_ + milliseconds(600));
    series_.Note(5, t0_ + milliseconds(999));
    EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(2000)), 0u);
}

TEST_F(NotificationSeriesTest, AMissingNumberIsLostAfterAThousandLaterNumbersBeforeItsSecond)
{
    series_.Note(1, t0_);
    Note(3, 1001, t0_); // 999 later numbers
    EXPECT_EQ(series_.TakeLost(t0_), 0u);
    series_.Note(1002, t0_); // the thousandth
    EXPECT_EQ(series_.TakeLost(t0_), 1u);
}

TEST_F(NotificationSeriesTest, NumbersThatFillAnotherGapAreNotLaterThanEveryGap)
{
    series_.Note(1, t0_);
    series_.Note(2000, t0_); // 2..1999 missing
    // They come out of order, from the top: none of them is later than 2.
    for (uint32_t n = 1999; n >= 3; --n) {
        series_.Note(n, t0_);
    }
    EXPECT_EQ(series_.TakeLost(t0_), 0u);
    EXPECT_EQ(series_.MissingCount(), 1u);
}

TEST_F(NotificationSeriesTest, WhileTheConnectionIsNotReadUpToTheMomentTheSecondWaits)
{
    Note(1, 2, t0_);
    series_.Note(4, t0_);
    series_.Hold(t0_ + milliseconds(800));
    EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(1500)), 0u);
    Note(5, 5 + CNotificationSeries::kLaterLimit - 2, t0_ + milliseconds(900)); // 999 later since the hold
    EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(1700)), 0u);
    EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(1800)), 1u);
}

TEST_F(NotificationSeriesTest, AReReadForgivesWhatIsMissingAndANewConnectionStartsAtOne)
{
    series_.Note(1, t0_);
    series_.Note(10, t0_);
    series_.Forgive();
    EXPECT_EQ(series_.TakeLost(t0_ + std::chrono::hours(1)), 0u);
    series_.Note(11, t0_);
    EXPECT_EQ(series_.MissingCount(), 0u);
    series_.Reset();
    series_.Note(2, t0_);
    EXPECT_EQ(series_.MissingCount(), 1u) << "1 of the new series";
}

// A datagram that passed as the server's, numbered far ahead, makes one loss; after the re-read the series goes on
// from the server's numbers, whether they came while everything was read again or only after it, and the loss of the
// very next one is seen.
TEST_F(NotificationSeriesTest, AfterAReReadTheSeriesFollowsTheServerAndALossAfterItIsSeenAgain)
{
    for (const bool numbersDuringTheReRead : {true, false}) {
        SCOPED_TRACE(numbersDuringTheReRead);
        series_.Reset();
        Note(1, 10, t0_);
        series_.Note(10 + 100000, t0_);
        Note(11, 20, t0_ + milliseconds(100)); // the server's own, inside the gap the forged one opened
        EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(1000)), 100000u - 1u - 10u); // 11 to 100009, but 11 to 20
        if (numbersDuringTheReRead)
            Note(21, 25, t0_ + milliseconds(1100));
        series_.Forgive();
        if (!numbersDuringTheReRead)
            Note(21, 25, t0_ + milliseconds(1100));
        Note(27, 30, t0_ + milliseconds(1200)); // 26 lost
        EXPECT_EQ(series_.MissingCount(), 1u);
        EXPECT_EQ(series_.TakeLost(t0_ + milliseconds(2200)), 1u);
    }
}

// A number that was missing when the re-read ended may still come: it is neither lost nor where the series stands.
TEST_F(NotificationSeriesTest, ANumberMissingAtTheReReadThatComesLateMovesNothing)
{
    Note(1, 3, t0_);
    series_.Note(5, t0_);
    series_.Forgive();
    series_.Note(4, t0_ + milliseconds(10));
    series_.Note(6, t0_ + milliseconds(20));
    EXPECT_EQ(series_.MissingCount(), 0u);
    EXPECT_EQ(series_.TakeLost(t0_ + std::chrono::hours(1)), 0u);
    series_.Note(8, t0_ + std::chrono::hours(1));
    EXPECT_EQ(series_.MissingCount(), 1u) << "7, and no more";
}

TEST_F(NotificationSeriesTest, UnnumberedNotificationsArePassedByAndTheSeriesWrapsWithoutA0)
{
    series_.Note(0, t0_);
    series_.Note(0, t0_);
    EXPECT_EQ(series_.MissingCount(), 0u);
    series_.Note(UINT32_MAX - 1, t0_); // a long series
    series_.Forgive();
    series_.Note(UINT32_MAX, t0_);
    series_.Note(1, t0_);
    series_.Note(2, t0_);
    EXPECT_EQ(series_.MissingCount(), 0u);
    series_.Note(4, t0_);
    EXPECT_EQ(series_.MissingCount(), 1u);
}

} // namespace
