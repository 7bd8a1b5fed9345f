// The NE clock rule of the direct login. The login itself is tested end to end (tests/e2e/direct_login_e2e_test.cpp).

#include "ui/shell/app/login_sequence.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

// Mid-year times, so that no time zone moves them into another year.
constexpr uint32_t k1999 = 930787200;  // 1999-07-01 00:00 UTC
constexpr uint32_t k2000 = 962409600;  // 2000-07-01
constexpr uint32_t k2001 = 993945600;  // 2001-07-01
constexpr uint32_t k2005 = 1120176000; // 2005-07-01

TEST(NeClockSyncTest, TheYearDecidesAgainstTheLimit)
{
    EXPECT_TRUE(NeClockNeedsSync(k1999, 2000));
    EXPECT_TRUE(NeClockNeedsSync(k2000, 2000));
    EXPECT_FALSE(NeClockNeedsSync(k2001, 2000));
    EXPECT_FALSE(NeClockNeedsSync(k2005, 2000));
    EXPECT_TRUE(NeClockNeedsSync(k2005, 2038));
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(UtcOffsetHours(now), static_cast<int16_t>(local.tm_gmtoff / 3600));
}

} // namespace
