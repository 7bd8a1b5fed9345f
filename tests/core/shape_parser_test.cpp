#include "core/shape/shape_coord.h"
#include "core/shape/shape_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int32_t Neg(int32_t magnitude)
{
    return static_cast<int32_t>(kShapeOffsetNegative) | magnitude;
}
constexpr int32_t Anchor(uint32_t anchor, int32_t offset = 0)
{
    return static_cast<int32_t>(anchor | static_cast<uint32_t>(offset));
}

// One row per string the language must accept: the code and the words it must land in.
struct ParseRow {
    const char* text;
    int code;
    std::vector<int32_t> coords;
    int32_t color1 = 0, color2 = 0, opt1 = 0, opt2 = 0, opt3 = 0, size = 0, index = 0, extra1 = 0, extra2 = 0;
    const char* shapeText = "";
};

class ShapeParseRows : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ShapeParseRows, FillsTheWordsOfTheCode)
{
    const ParseRow& row = GetParam();
    ShapeRecord r;
    ASSERT_EQ(ParseShape(row.text, r), 0) << row.text;
    EXPECT_EQ(r.code, row.code);
    EXPECT_EQ(r.coords, row.coords);
    EXPECT_EQ(r.color1, row.color1);
    EXPECT_EQ(r.color2, row.color2);
    EXPECT_EQ(r.opt1, row.opt1);
    EXPECT_EQ(r.opt2, row.opt2);
    EXPECT_EQ(r.opt3, row.opt3);
    EXPECT_EQ(r.size, row.size);
    EXPECT_EQ(r.index, row.index);
    EXPECT_EQ(r.extra1, row.extra1);
    EXPECT_EQ(r.extra2, row.extra2);
    EXPECT_EQ(r.text, row.shapeText);
}

// clang-format off
const ParseRow kParseRows[] = {
    // Lower case with commas reads like upper case with a tab after the code.
    {"b3,10,20,5,15,0xff,2,1", kShapeB3, {10, 5, 20, 15}, 0xFF, 0, 0, 1, 0, 2},
    {"B3\t10,20,5,15,0xff,2,1", kShapeB3, {10, 5, 20, 15}, 0xFF, 0, 0, 1, 0, 2},
    // Doubled commas make no empty operand.
    {"R,1,,,2", kShapeR, {1, 0, 2, 0}},
    {"BG,0,9,0,9,0x102030,3,1", kShapeBG, {0, 0, 9, 9}, 0x102030, 0, 0, 1, 0, 3},
    {"BR,1,2,3,4,255", kShapeBR, {1, 3, 2, 4}, 255},
    {"BB,1,2,3,4,5,6,0", kShapeBB, {1, 3, 2, 4}, 5, 0, 0, 0, 0, 6},
    {"RL,@L,@R,@T,@B,0x0000FF,0,2,0,1", kShapeRL,
     {Anchor(kShapeAnchorLeft), Anchor(kShapeAnchorTop), Anchor(kShapeAnchorRight), Anchor(kShapeAnchorBottom)},
     0xFF, 0, 0, 1, 0, 2},
    {"RS,0,9,0,9,1,2,3,4,1", kShapeRS, {0, 0, 9, 9}, 1, 2, 1, 0, 0, 4, 0, 3},
    {"RG,0,9,0,9,5,1,2,3,1", kShapeRG, {0, 0, 9, 9}, 1, 2, 1, 0, 0, 0, 0, 3, 5},
    {"RPH,0,9,0,9,0x20000,1,2,1", kShapeRPH, {0, 0, 9, 9}, 1, 2, 1, 1, 0, 0, 0, 0x20000},
    // Image operands are one-based; a missing one is -1.
    {"RPF,0,9,0,9,2,3", kShapeRPF, {0, 0, 9, 9}, 2, -1, 0, 0, 0, 0, 0, 2},
    {"RPR,0,9,0,9,4,300,301", kShapeRPR, {0, 0, 9, 9}, 300, 301, 1, 0, 0, 0, 0, 4},
    // A Q with only its coordinates parses; the first point is repeated behind the fourth.
    {"Q,1,2,3,4,5,6,7,8", kShapeQ, {1, 2, 3, 4, 5, 6, 7, 8, 1, 2}},
    {"QS,1,2,3,4,5,6,7,8,9", kShapeQS, {1, 2, 3, 4, 5, 6, 7, 8}, 9},
    {"QG,1,2,3,4,5,6,7,8,10,20,30,40", kShapeQG, {1, 2, 3, 4, 5, 6, 7, 8}, 10, 20, 0, 0, 0, 0, 0, 30, 40},
    // The text comes back in upper case; the font operand is one-based.
    {"T,0,99,0,9,0,hello,1", kShapeT, {0, 0, 99, 9}, 0, 0, 0, 0, 0, 0, 0, 0, 0, "HELLO"},
    {"T,0,99,0,9,0,hello", kShapeT, {0, 0, 99, 9}, 0, 0, 0, 0, 0, 0, -1, 0, 0, "HELLO"},
    {"TS,0,99,0,9,1,2,Ab,3,0x1F,1,2,-3", kShapeTS, {0, 0, 99, 9}, 1, 2, 0, 0, 1, 0, 2,
     2 | (Neg(3) << 16), 0x1F, "AB"},
    {"TM,0,99,0,9,1,2,x,1,12,0,3", kShapeTM, {0, 0, 99, 9}, 1, 2, 0, 0, 0, 0, 0, 0, 12 | (3 << 16), "X"},
    {"TN,0,99,0,9,1,2,x,1,12,0,3", kShapeTN, {0, 0, 99, 9}, 1, 2, 0, 0, 0, 0, 0, 0, 12 | (3 << 16), "X"},
    {"TT,0,99,0,9,1,2,x,1,12,0,3", kShapeTT, {0, 0, 99, 9}, 1, 2, 0, 0, 0, 0, 0, 0, 12 | (3 << 16), "X"},
    {"TL,0,99,0,9,1,2,a\\b,2,3,1,4,1,-1,1", kShapeTL, {0, 0, 99, 9}, 1, 2, 1, 0, 1, 0, 1,
     1 | (Neg(1) << 16), 3 | (4 << 16), "A\\B"},
    {"TA,0,99,0,9,1,2,x,1,3,0,2,1,1,0", kShapeTA, {0, 0, 99, 9}, 1, 2, 0, 0, 0, 0, 0, 1 | (1 << 16),
     3 | (2 << 16), "X"},
    {"TE,0,99,0,9,1,2,x,1,3,0,2,1,1,1", kShapeTE, {0, 0, 99, 9}, 1, 2, 1, 0, 0, 0, 0, 1 | (1 << 16),
     3 | (2 << 16), "X"},
    {"TG,0,99,0,9,1,2,3,x,1,0x10,1,2,1", kShapeTG, {0, 0, 99, 9}, 1, 2, 1, 0, 1, 0, 0, 3, 0x10 | (2 << 16), "X"},
    {"TPH,0,99,0,9,5,1,2,x,1,0,0,1", kShapeTPH, {0, 0, 99, 9}, 1, 2, 1, 1, 0, 0, 0, 5, 0, "X"},
    {"TPF,0,99,0,9,1,1,0,x,2,0,1", kShapeTPF, {0, 0, 99, 9}, 0, -1, 0, 0, 1, 0, 1, 1, 0, "X"},
    {"TPR,0,99,0,9,2,7,8,x,1", kShapeTPR, {0, 0, 99, 9}, 7, 8, 1, 0, 0, 0, 0, 2, 0, "X"},
    {"R2,0,9,0,9,1,2,3,1", kShapeR2, {0, 0, 9, 9}, 1, 2, 1, 0, 0, 3},
    {"C,0,9,0,9,0xff00", kShapeC, {0, 0, 9, 9}, 0xFF00},
    {"L,0,0,10,10,255,2,1", kShapeL, {0, 0, 10, 10}, 255, 0, 0, 0, 0, 2, 0, 0, 1},
    {"LA,0,0,10,0,0,10,10,10,1,2,3,2", kShapeLA, {0, 0, 10, 0, 0, 10, 10, 10}, 1, 2, 2, 0, 0, 3, 0,
     ShapeRealToWord(0.0f), ShapeRealToWord(0.0f)},
    // "TR" reads its width as an integer: a negative width stays negative instead of being packed.
    {"TR,0,0,10,0,5,9,1,-2,3", kShapeTR, {0, 0, 10, 0, 5, 9, 0, 0}, 1, 0, 0, 0, 0, -2, 0, 0, 3},
    {"TRS,0,0,10,0,5,9,7", kShapeTRS, {0, 0, 10, 0, 5, 9}, 7},
    {"TRG,0,0,10,0,5,9,1,2,3", kShapeTRG, {0, 0, 10, 0, 5, 9}, 1, 2, 0, 0, 0, 0, 0, 3},
    // "PL" closes its outline: 3 points hold 4, the last equal to the first, and the count says so.
    {"PL,3,0,0,10,0,10,10,0xff", kShapePL, {0, 0, 10, 0, 10, 10, 0, 0}, 0xFF, 0, 0, 0, 0, 0, 4},
    {"PS,3,0,0,10,0,10,10,9", kShapePS, {0, 0, 10, 0, 10, 10, 0, 0}, 9, 0, 0, 0, 0, 0, 3},
    {"PG,2,1,2,3,4", kShapePG, {1, 2, 3, 4, 1, 2}, 0, 0, 0, 0, 0, 0, 2},
    // A carriage return and line feed pair at the end goes; tabs and commas mix as delimiters.
    {"C,1,2,3,4,5\r\n", kShapeC, {1, 3, 2, 4}, 5},
    {",,C\t\t1,,2,3,4,5,,", kShapeC, {1, 3, 2, 4}, 5},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Language, ShapeParseRows, ::testing::ValuesIn(kParseRows));

TEST(ShapeParse, RealsOfTheLineSweep)
{
    ShapeRecord r;
    ASSERT_EQ(ParseShape("LA,0,0,10,0,0,10,10,10,1,2,3,2,0.5,-1.25", r), 0);
    EXPECT_FLOAT_EQ(ShapeWordToReal(r.extra1), 0.5f);
    EXPECT_FLOAT_EQ(ShapeWordToReal(r.extra2), -1.25f);
}

TEST(ShapeParse, FailuresLeaveNoShape)
{
    const char* bad[] = {
        "",            // nothing
        "C",           // one character
        ",,,\t\t",     // no token
        "XYZ,1,2",     // unknown code
        "T,0,1,0,1,5", // a text code that stops before its text
        "TG,0,1,0,1,5,6,7",
        "TPF,0,9,0,9,1,1,1",
        "PS,0,1,2", // point count 0
        "PL,-3,1,2",
        "PG",
        "PL,128,1,2", // beyond the bound: would only add zero points
        "PL,2147483647",
        "B3X,1,2,3,4", // codes match whole tokens only
    };
    for (const char* text : bad) {
        ShapeRecord r;
        r.code = kShapeC;
        r.coords = {1, 2, 3, 4};
        EXPECT_EQ(ParseShape(text, r), -1) << text;
        EXPECT_EQ(r.code, kShapeNone) << text;
        EXPECT_TRUE(r.coords.empty()) << text;
        EXPECT_TRUE(r.text.empty()) << text;
    }
}

TEST(ShapeParse, NullTextOrRecordFails)
{
    ShapeRecord r;
    r.code = kShapeC;
    EXPECT_EQ(ParseShape(nullptr, &r), -1);
    EXPECT_EQ(r.code, kShapeNone);
    EXPECT_EQ(ParseShape("C,1,2,3,4", nullptr), -1);
    EXPECT_EQ(ParseShape("C,1,2,3,4,5", &r), 0);
    EXPECT_EQ(r.color1, 5);
}

TEST(ShapeParse, LongStringIsCutAt255Characters)
{
    // The colour sits across the cut: characters 254 and 255 are "12", the rest is lost.
    std::string text = "C,1,2,3,4,";
    text += std::string(kMaxShapeTextLength - text.size() - 2, ',');
    text += "12345";
    ShapeRecord r;
    ASSERT_EQ(ParseShape(text, r), 0);
    EXPECT_EQ(r.color1, 12);

    // A text operand beyond the cut is missing.
    std::string longText = "T,0,1,0,1,0" + std::string(kMaxShapeTextLength, ',') + "HELLO";
    EXPECT_EQ(ParseShape(longText, r), -1);
}

TEST(ShapeParse, StopsAtAnEmbeddedNul)
{
    ShapeRecord r;
    ASSERT_EQ(ParseShape(std::string_view("C,1,2,3,4,5\0,99", 15), r), 0);
    EXPECT_EQ(r.color1, 5);
}

TEST(ShapeParse, PointCountAtTheBound)
{
    ShapeRecord r;
    ASSERT_EQ(ParseShape("PS,127,1,2", r), 0);
    EXPECT_EQ(r.index, kMaxShapePoints);
    EXPECT_EQ(r.coords.size(), static_cast<size_t>(kMaxShapePoints + 1) * 2);
    EXPECT_EQ(r.coords[0], 1);
    EXPECT_EQ(r.coords[1], 2);
    EXPECT_EQ(r.coords[2], 0); // missing operands read as 0
    EXPECT_EQ(r.coords[kMaxShapePoints * 2], 1);
}

TEST(ShapeParse, IndexOfTheSmallestIntegerDoesNotWrap)
{
    ShapeRecord r;
    ASSERT_EQ(ParseShape("T,0,1,0,1,0,A,-99999999999", r), 0);
    EXPECT_EQ(r.index, INT32_MIN);
}

TEST(ShapeCodeName, NamesTheCodesInOrder)
{
    EXPECT_STREQ(ShapeCodeName(0), "");
    EXPECT_STREQ(ShapeCodeName(37), "");
    for (int code = 1; code <= kShapeCodeCount; ++code) {
        ShapeRecord r;
        std::string text = std::string(ShapeCodeName(code)) + ",1,1,1,1,1,1,1,1,1,1,1,1,1,1";
        ASSERT_EQ(ParseShape(text, r), 0) << text;
        EXPECT_EQ(r.code, code) << text;
    }
}

} // namespace
