#include "tests/ui/framework/shapes/shape_test_support.h"

namespace {

using namespace shape_test;

TEST(GreyBevel, NarrowRectangleLimitsTheDepthToOne)
{
    // 3 x 10 pixels asking for depth 5: one ring, then the fill.
    const QImage image = Draw("B3,0,2,0,9,0x00FF00,5,1", 3, 10, kBlack);
    EXPECT_EQ(PixelOf(image, 0, 0), 0xFFFFFFu);                  // raised: the outer top-left is lightest
    EXPECT_EQ(PixelOf(image, 2, 5), ShadeColor(0x606060, -0.5)); // outer bottom-right
    for (int y = 1; y <= 8; ++y)
        EXPECT_EQ(PixelOf(image, 1, y), kGreen) << y;
}

TEST(GreyBevel, RaisedAndSunkenRingsFromTheOutsideIn)
{
    const QImage raised = Draw("B3,0,19,0,19,0x00FF00,2,1", 20, 20, kGrey);
    EXPECT_EQ(PixelOf(raised, 5, 0), ShadeColor(0xA0A0A0, 0.0));
    EXPECT_EQ(PixelOf(raised, 5, 1), ShadeColor(0xA0A0A0, 0.5));
    EXPECT_EQ(PixelOf(raised, 19, 5), ShadeColor(0x606060, -1.0 / 3));
    EXPECT_EQ(PixelOf(raised, 18, 5), ShadeColor(0x606060, -2.0 / 3));
    EXPECT_EQ(PixelOf(raised, 2, 2), kGreen);

    const QImage sunken = Draw("B3,0,19,0,19,0x00FF00,2,0", 20, 20, kGrey);
    EXPECT_EQ(PixelOf(sunken, 5, 0), kWhite); // the outer top-left of a sunken bevel: factor -(0 / 2) lightens
    EXPECT_EQ(PixelOf(sunken, 5, 1), ShadeColor(0x606060, -0.5));
    EXPECT_EQ(PixelOf(sunken, 19, 5), ShadeColor(0xA0A0A0, 1.0 / 3));
    EXPECT_EQ(PixelOf(sunken, 10, 10), kGreen);
}

TEST(GreyBevel, BorderLeavesTheInsideAndDrawsNothingWithoutDepth)
{
    const QImage border = Draw("BB,0,19,0,19,0x00FF00,2,1", 20, 20, kGrey);
    EXPECT_EQ(PixelOf(border, 5, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(border, 10, 10), kGrey);

    // A 4-pixel side allows no depth: the border draws nothing, the filled bevel fills.
    EXPECT_TRUE(InkBounds(Draw("BB,0,3,0,9,0x00FF00,3,1", 4, 10, kGrey), kGrey).isNull());
    const QImage filled = Draw("B3,0,3,0,9,0x00FF00,3,1", 4, 10, kGrey);
    EXPECT_EQ(CountPixels(filled, filled.rect(), [](COLORREF c) { return c == kGreen; }), 40);
}

TEST(ColourBevel, DepthZeroIsAPlainRectangle)
{
    const QImage image = Draw("BG,0,9,0,9,0x2080FF,0,1", 10, 10, kGrey);
    EXPECT_EQ(CountPixels(image, image.rect(), [](COLORREF c) { return c == 0x2080FF; }), 100);
}

TEST(ColourBevel, ShadesOfItsOwnColour)
{
    const COLORREF color = 0x2080C0;
    const QImage raised = Draw("BG,0,19,0,19,0x2080C0,2,1", 20, 20, kGrey);
    EXPECT_EQ(PixelOf(raised, 5, 0), ShadeColor(color, 1.0 / 3));
    EXPECT_EQ(PixelOf(raised, 19, 5), ShadeColor(color, -1.0 / 3));
    EXPECT_EQ(PixelOf(raised, 5, 1), ShadeColor(color, 2.0 / 3));
    EXPECT_EQ(PixelOf(raised, 10, 10), color);
    const QImage sunken = Draw("BG,0,19,0,19,0x2080C0,2,0", 20, 20, kGrey);
    EXPECT_EQ(PixelOf(sunken, 5, 0), ShadeColor(color, -1.0 / 3));
    EXPECT_EQ(PixelOf(sunken, 19, 5), ShadeColor(color, 1.0 / 3));
}

TEST(Lamp, RoundLampOnASquareInTheMiddle)
{
    // 30 x 20: squared to 20 x 20 in the middle (columns 5..24).
    const QImage image = Draw("BR,0,29,0,19,0x00FF00", 30, 20, kBlack);
    EXPECT_EQ(PixelOf(image, 15, 10), kGreen);
    EXPECT_EQ(PixelOf(image, 2, 10), kBlack);
    EXPECT_EQ(PixelOf(image, 27, 10), kBlack);
    EXPECT_EQ(PixelOf(image, 5, 0), kBlack);  // the square's corner is outside the circle
    EXPECT_NE(PixelOf(image, 15, 0), kGreen); // a ring around the light
    EXPECT_NE(PixelOf(image, 15, 0), kBlack);

    EXPECT_TRUE(InkBounds(Draw("BR,4,4,0,9,0x00FF00", 10, 10, kBlack), kBlack).isNull()); // no width
}

} // namespace
