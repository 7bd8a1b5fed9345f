#include "core/util/severity.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(CompareSeverity, FullTable)
{
    // Rows a, columns b, both 0..5: 1 critical is the gravest, 0 none the lowest.
    const int expected[6][6] = {
        //       0   1   2   3   4   5
        /* 0 */ {0, -1, -1, -1, -1, -1},
        /* 1 */ {1, 0, 1, 1, 1, 1},
        /* 2 */ {1, -1, 0, 1, 1, 1},
        /* 3 */ {1, -1, -1, 0, 1, 1},
        /* 4 */ {1, -1, -1, -1, 0, 1},
        /* 5 */ {1, -1, -1, -1, -1, 0},
    };
    for (int a = 0; a <= 5; ++a) {
        for (int b = 0; b <= 5; ++b)
            EXPECT_EQ(CompareSeverity(a, b), expected[a][b]) << a << " vs " << b;
    }
}

TEST(CompareSeverity, OutOfRange)
{
    for (int bad : {-1, 6, 7, 98, 99, 100, INT_MIN, INT_MAX}) {
        for (int good = 0; good <= 5; ++good) {
            EXPECT_EQ(CompareSeverity(bad, good), -2) << bad << " vs " << good;
            EXPECT_EQ(CompareSeverity(good, bad), -2) << good << " vs " << bad;
        }
        EXPECT_EQ(CompareSeverity(bad, bad), -2) << bad;
    }
}

TEST(CompareSecondaryStatus, FullTable)
{
    const int values[4] = {0, 1, 2, 99};
    // 1 highest, then 2 and 99 equal, then 0.
    const int expected[4][4] = {
        //        0   1   2  99
        /* 0 */ {0, -1, -1, -1},
        /* 1 */ {1, 0, 1, 1},
        /* 2 */ {1, -1, 0, 0},
        /* 99 */ {1, -1, 0, 0},
    };
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(CompareSecondaryStatus(values[i], values[j]), expected[i][j]) << values[i] << " vs " << values[j];
    }
    for (int bad : {-1, 3, 4, 5, 98, 100, INT_MIN}) {
        for (int good : values) {
            EXPECT_EQ(CompareSecondaryStatus(bad, good), -2) << bad << " vs " << good;
            EXPECT_EQ(CompareSecondaryStatus(good, bad), -2) << good << " vs " << bad;
        }
    }
}

TEST(NormalizeSeverity, ServerValuesBecomeStorable)
{
    const struct {
        int in;
        int out;
    } rows[] = {{99, 0}, {0, 0}, {1, 1}, {2, 2},  {3, 3},   {4, 4},       {5, 5},
                {-1, 5}, {6, 5}, {7, 5}, {98, 5}, {100, 5}, {INT_MIN, 5}, {INT_MAX, 5}};
    for (const auto& row : rows)
        EXPECT_EQ(NormalizeSeverity(row.in), row.out) << row.in;
}

} // namespace
