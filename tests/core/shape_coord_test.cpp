#include "core/shape/shape_coord.h"
#include "core/shape/shape_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct ResolveRow {
    const char* token;
    int32_t left, top, right, bottom, scale;
    int vertical;
    int32_t expected;
};

class ShapeCoordRows : public ::testing::TestWithParam<ResolveRow> {};

TEST_P(ShapeCoordRows, ParsesAndResolves)
{
    const ResolveRow& row = GetParam();
    int32_t packed = ParseShapeCoord(row.token, 0);
    EXPECT_EQ(ResolveShapeCoord(row.left, row.top, row.right, row.bottom, packed, row.scale, row.vertical),
              row.expected)
        << row.token << " packed 0x" << std::hex << packed;
}

// clang-format off
const ResolveRow kResolveRows[] = {
    // token        left top right bottom scale vertical  expected
    {"@L",            10, 20, 110, 220,  0, 0,   10},
    {"@R",            10, 20, 110, 220,  0, 0,  110},
    {"@R-3",          10, 20, 110, 220,  0, 0,  107},   // three left of the right edge
    {"@T",            10, 20, 110, 220,  0, 1,   20},
    {"@B-1",          10, 20, 110, 220,  0, 1,  219},   // one above the bottom
    {"@C+0",          10, 20, 110, 220,  0, 0,   60},
    {"@C",            -9,  0,   0,   0,  0, 0,   -4},   // centre truncates toward zero
    {"@V+2",          10, 20, 110, 221,  0, 1,  122},
    {"@W",            10, 20, 110, 220,  0, 0,  101},   // the width alone
    {"@H-1",          10, 20, 110, 220,  0, 1,  200},
    {"@l+4",          10, 20, 110, 220,  0, 0,   14},   // the anchor letter is read without case
    {"@Q5",           10, 20, 110, 220,  0, 0,    0},   // unknown anchor: the default
    {"@",             10, 20, 110, 220,  0, 0,    0},
    {"-5",            10, 20, 110, 220,  0, 0,   -5},
    {"  +12",         10, 20, 110, 220,  0, 0,   12},
    {"3000",           0,  0,   0,   0,  0, 0, 2047},   // offsets are limited to 2047
    {"-3000",          0,  0,   0,   0,  0, 0, -2047},
    {"0x10",           0,  0,   0,   0,  0, 0,   16},
    {"12abc",          0,  0,   0,   0,  0, 0,   12},
    {"abc",            0,  0,   0,   0,  0, 0,    0},
    {"@S*2+1",         0,100,   0,   0, 10, 1,  121},   // top + 10 x 2 + 1
    {"@S*2+1",         7,100,   0,   0, 10, 0,   28},   // horizontal origin is the left edge
    {"@S/4",           0,  0,   0,   0, 10, 0,    2},   // 2.5 truncated
    {"@S/-4",          0,  0,   0,   0, 10, 0,   -2},   // -2.5 truncated toward zero
    {"@S*-3-1",       50,  0,   0,   0, 10, 0,   19},
    {"@S*0+5",        50,  0,   0,   0, 10, 0,    5},   // factor 0: the plain offset
    {"@S+5",          50, 60,   0,   0, 10, 1,   65},   // no factor: the origin plus the offset
    {"@S",            50, 60,   0,   0, 10, 0,   50},
    {"@S*0x10+0x2",    0,  0,   0,   0,  1, 0,   18},   // hexadecimal factor and offset
    {"@S*99999",       0,  0,   0,   0,  1, 0, 8191},   // factors are limited to 8191
    {"",               0,  0,   0,   0,  0, 0,    0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Coordinates, ShapeCoordRows, ::testing::ValuesIn(kResolveRows));

TEST(ShapeCoordPacking, BitsAsDocumented)
{
    EXPECT_EQ(ParseShapeCoord("-5", 0), 0x805);
    EXPECT_EQ(ParseShapeCoord("@R-3", 0), static_cast<int32_t>(kShapeAnchorRight | 0x803));
    EXPECT_EQ(ParseShapeCoord("@S*3+10", 0), static_cast<int32_t>(kShapeScaled | (3u << 16) | 10u));
    EXPECT_EQ(ParseShapeCoord("@S/2-4", 0),
              static_cast<int32_t>(kShapeScaled | kShapeFactorDivide | (2u << 16) | 0x804u));
    EXPECT_EQ(ParseShapeCoord("@S*-2", 0), static_cast<int32_t>(kShapeScaled | kShapeFactorNegative | (2u << 16)));
    EXPECT_EQ(ParseShapeCoord("", 77), 77);
    EXPECT_EQ(ParseShapeCoord("@", 77), 77);
    EXPECT_EQ(ParseShapeCoord("@X", 77), 77);
}

TEST(ShapeCoordResolve, CombinationsThePackingCannotMakeComeBackUnchanged)
{
    const int32_t oddAnchor = 0x3005;                               // anchor nibble without its top bit
    const int32_t scaledAnchor = static_cast<int32_t>(0x8000A005u); // bit 31 together with an anchor
    EXPECT_EQ(ResolveShapeCoord(0, 0, 10, 10, oddAnchor, 1, 0), oddAnchor);
    EXPECT_EQ(ResolveShapeCoord(0, 0, 10, 10, scaledAnchor, 1, 0), scaledAnchor);
}

TEST(ShapeCoordResolve, ExtremeRectanglesSaturate)
{
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(ResolveShapeCoord(kMin, 0, kMax, 0, ParseShapeCoord("@W+5", 0), 0, 0), kMax);
    EXPECT_EQ(ResolveShapeCoord(kMax, 0, 0, 0, ParseShapeCoord("@L+5", 0), 0, 0), kMax);
    EXPECT_EQ(ResolveShapeCoord(kMax, kMax, 0, 0, ParseShapeCoord("@S*8191+9", 0), kMax, 1), kMax);
    EXPECT_EQ(ResolveShapeCoord(0, kMin, 0, 0, ParseShapeCoord("@S*-8191-9", 0), kMax, 1), kMin);
}

TEST(ShapeTokenReaders, IntegersFlagsAndReals)
{
    EXPECT_EQ(ParseShapeInt("", 7), 7);
    EXPECT_EQ(ParseShapeInt("  -42x", 7), -42);
    EXPECT_EQ(ParseShapeInt("0xff", 0), 255);
    EXPECT_EQ(ParseShapeInt("ff0x", 0), 0xFF0); // "0x" anywhere selects base 16
    EXPECT_EQ(ParseShapeInt("-0X10", 0), -16);
    EXPECT_EQ(ParseShapeInt("0xg", 0), 0);
    EXPECT_EQ(ParseShapeInt("99999999999", 0), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseShapeInt("-99999999999", 0), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseShapeInt("0xFFFFFFFF", 0), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseShapeFlag("", 1), 1);
    EXPECT_EQ(ParseShapeFlag("7", 0), 1);
    EXPECT_EQ(ParseShapeFlag("0", 1), 0);
    EXPECT_EQ(ParseShapeFlag("X", 1), 0);
    EXPECT_FLOAT_EQ(ParseShapeFloat("", 2.5f), 2.5f);
    EXPECT_FLOAT_EQ(ParseShapeFloat(" +1.5e1", 0), 15.0f);
    EXPECT_FLOAT_EQ(ParseShapeFloat("-0.25abc", 0), -0.25f);
    EXPECT_FLOAT_EQ(ParseShapeFloat("abc", 1), 0.0f);
    EXPECT_FLOAT_EQ(ParseShapeFloat("+-1", 1), 0.0f);
    EXPECT_TRUE(std::isinf(ParseShapeFloat("1e300", 0)));
    EXPECT_TRUE(std::isinf(ParseShapeFloat("1e999", 0)));
    EXPECT_FLOAT_EQ(ParseShapeFloat("1e-999", 1), 0.0f);
}

TEST(ShapeResolveRecord, ResolvesEveryCoordinateWord)
{
    ShapeRecord r;
    ASSERT_EQ(ParseShape("RL,@L+1,@R-1,@T+2,@B-2,255,0,@W,1,0", r), 0);
    ShapeRecord d = ResolveShapeRecord(r, 10, 20, 29, 59, 0);
    EXPECT_EQ(d.coords, (std::vector<int32_t>{11, 22, 28, 57}));
    EXPECT_EQ(d.size, 20);
    EXPECT_EQ(d.color1, 255);

    // "TR" keeps its integer width untouched (0x805 would resolve to -5 as a coordinate).
    ASSERT_EQ(ParseShape("TR,@L,@T,@R,@T,@C,@B,1,0x805", r), 0);
    d = ResolveShapeRecord(r, 0, 0, 10, 20, 0);
    EXPECT_EQ(d.coords, (std::vector<int32_t>{0, 0, 10, 0, 5, 20, 0, 0}));
    EXPECT_EQ(d.size, 0x805);

    // Text offsets become two signed halves; the layer count stays as parsed.
    ASSERT_EQ(ParseShape("TE,0,99,0,9,1,2,X,1,0,0,3,-2,@S*1+1,1", r), 0);
    d = ResolveShapeRecord(r, 0, 5, 99, 9, 4);
    EXPECT_EQ(static_cast<int16_t>(ShapeLowHalf(d.extra1)), -2);
    EXPECT_EQ(static_cast<int16_t>(ShapeHighHalf(d.extra1)), 1); // the scaled half lost its factor when packed
    EXPECT_EQ(ShapeHighHalf(d.extra2), 3u);

    // "TG" holds a colour in extra1: never resolved.
    ASSERT_EQ(ParseShape("TG,0,9,0,9,1,2,0x805,X,1", r), 0);
    d = ResolveShapeRecord(r, 0, 0, 9, 9, 0);
    EXPECT_EQ(d.extra1, 0x805);
}

} // namespace
