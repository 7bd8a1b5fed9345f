#include "ui/framework/shapes/shape_colors.h"

#include <gtest/gtest.h>

namespace {

struct MixRow {
    COLORREF a;
    int weightA;
    COLORREF b;
    int weightB;
    COLORREF expected;
};

TEST(MixColors, WeightedChannelsWithHalvedWeights)
{
    const MixRow rows[] = {
        {0x0000FF, 1, 0xFF0000, 1, 0x7F007F},       // channels (255 + 0) / 2, integer division
        {0x102030, 3, 0x000000, 1, 0x0C1824},       // 3/4 of each channel
        {0x0000FF, 0, 0x00FF00, 5, 0x00FF00},       // one side without weight
        {0x0000FF, 0, 0x00FF00, 0, 0xFFFFFF},       // no weight at all: white
        {0x0000FF, 1000, 0xFF0000, 250, 0x3200CC},  // halved together to 250 and 62: 255 x 250 / 312, 255 x 62 / 312
        {0x0000FF, 0x10000, 0xFF0000, 0, 0xFFFFFF}, // weights are 16-bit: 0x10000 is 0
        {0x0000FF, -1, 0xFF0000, 0xFFFF, 0x7F007F}, // -1 is 0xFFFF as a 16-bit value
        {0xFF0000FF, 1, 0x000000, 0, 0x0000FF},     // the top byte plays no part
    };
    for (const MixRow& row : rows) {
        EXPECT_EQ(MixColors(row.a, row.weightA, row.b, row.weightB), row.expected)
            << std::hex << row.a << " " << row.weightA << " " << row.b << " " << row.weightB;
    }
}

struct ShadeRow {
    COLORREF color;
    double factor;
    COLORREF expected;
};

TEST(ShadeColor, LightensDarkensAndKeepsZeroChannels)
{
    const ShadeRow rows[] = {
        {0xA0A0A0, 0.0, 0xFFFFFF},  // factor 0 lightens all the way
        {0xA0A0A0, 1.0, 0xA0A0A0},  // 1 stays 1: unchanged
        {0xA0A0A0, 0.5, 0xCFCFCF},  // 255 x 0.5 + 0.5 x 160 = 207.5, truncated
        {0x606060, -0.5, 0x303030}, // darkening halves
        {0x606060, -1.0, 0x606060},
        {0x606060, -0.0, 0xFFFFFF},  // negative zero is zero: it lightens all the way
        {0x00A000, 0.0, 0x00FF00},   // a channel that is 0 stays 0 when lightening
        {0x606060, 2.5, 0xAFAFAF},   // above 1: the fractional part, 0.5
        {0x606060, -3.25, 0x181818}, // 0x60 x 0.25
        {0x606060, 2.0, 0xFFFFFF},   // fractional part 0
    };
    for (const ShadeRow& row : rows)
        EXPECT_EQ(ShadeColor(row.color, row.factor), row.expected) << std::hex << row.color << " " << row.factor;
}

} // namespace
