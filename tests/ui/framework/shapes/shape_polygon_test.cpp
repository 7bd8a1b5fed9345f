#include "tests/ui/framework/shapes/shape_test_support.h"

#include <string>

namespace {

using namespace shape_test;

bool IsRed(COLORREF c)
{
    return c == kRed;
}

TEST(Quadrilaterals, OutlineFilledAndGradient)
{
    const QImage outline = Draw("Q,2,2,17,2,17,17,2,17,0x0000FF,1,0", 20, 20);
    EXPECT_EQ(PixelOf(outline, 10, 2), kRed);
    EXPECT_EQ(PixelOf(outline, 2, 10), kRed); // the closing side back to the first point
    EXPECT_EQ(PixelOf(outline, 10, 10), kWhite);

    const QImage filled = Draw("QS,2,2,17,2,17,17,2,17,0x0000FF", 20, 20);
    EXPECT_EQ(PixelOf(filled, 10, 10), kRed);
    EXPECT_EQ(PixelOf(filled, 0, 0), kWhite);
    EXPECT_EQ(PixelOf(filled, 19, 19), kWhite);

    // Every channel of every vertex colour shows at its vertex.
    const COLORREF c1 = 0x123456;
    const COLORREF c2 = 0x654321;
    const COLORREF c3 = 0xA0B0C0;
    const COLORREF c4 = 0x0F1E2D;
    const QImage gradient = Draw("QG,0,0,40,0,40,40,0,40,0x123456,0x654321,0xA0B0C0,0x0F1E2D", 41, 41);
    EXPECT_TRUE(Near(PixelOf(gradient, 0, 0), c1, 6)) << std::hex << PixelOf(gradient, 0, 0);
    EXPECT_TRUE(Near(PixelOf(gradient, 40, 0), c2, 6)) << std::hex << PixelOf(gradient, 40, 0);
    EXPECT_TRUE(Near(PixelOf(gradient, 40, 40), c3, 6)) << std::hex << PixelOf(gradient, 40, 40);
    EXPECT_TRUE(Near(PixelOf(gradient, 0, 40), c4, 6)) << std::hex << PixelOf(gradient, 0, 40);
}

TEST(Triangles, OutlineFilledAndGradient)
{
    const QImage outline = Draw("TR,10,0,20,20,0,20,0x0000FF,1,0", 21, 21);
    EXPECT_EQ(PixelOf(outline, 10, 20), kRed);
    EXPECT_EQ(PixelOf(outline, 10, 12), kWhite);

    const QImage filled = Draw("TRS,10,0,20,20,0,20,0x0000FF", 21, 21);
    EXPECT_EQ(PixelOf(filled, 10, 12), kRed);
    EXPECT_EQ(PixelOf(filled, 1, 1), kWhite);

    const COLORREF c1 = 0x102030;
    const COLORREF c2 = 0x405060;
    const COLORREF c3 = 0xC0B0A0;
    const QImage gradient = Draw("TRG,0,0,40,0,0,40,0x102030,0x405060,0xC0B0A0", 41, 41);
    EXPECT_TRUE(Near(PixelOf(gradient, 0, 0), c1, 6));
    EXPECT_TRUE(Near(PixelOf(gradient, 39, 0), c2, 8));
    EXPECT_TRUE(Near(PixelOf(gradient, 0, 39), c3, 8));
    EXPECT_EQ(PixelOf(gradient, 40, 40), kWhite);
}

TEST(Polygons, PolylineClosesWhilePolygonsFill)
{
    const QImage line = Draw("PL,3,0,0,20,0,20,20,0x0000FF,1,0", 21, 21);
    EXPECT_EQ(PixelOf(line, 10, 10), kRed); // the closing segment back to (0, 0)
    EXPECT_EQ(PixelOf(line, 15, 5), kWhite);
    for (const char* code : {"PS", "PG"}) {
        const QImage filled = Draw(std::string(code) + ",3,0,0,20,0,20,20,0x0000FF", 21, 21);
        EXPECT_EQ(PixelOf(filled, 15, 5), kRed) << code;
        EXPECT_EQ(PixelOf(filled, 5, 15), kWhite) << code;
    }
}

TEST(Lines, WidthAndStyle)
{
    const QImage wide = Draw("L,0,5,20,5,0x0000FF,3,0", 21, 11);
    EXPECT_EQ(PixelOf(wide, 10, 4), kRed);
    EXPECT_EQ(PixelOf(wide, 10, 6), kRed);
    EXPECT_EQ(PixelOf(wide, 10, 8), kWhite);

    const QImage dashed = Draw("L,0,5,40,5,0x0000FF,1,1", 41, 11);
    const int red = CountPixels(dashed, QRect(0, 5, 41, 1), IsRed);
    EXPECT_GT(red, 10);
    EXPECT_LT(red, 41);

    EXPECT_TRUE(InkBounds(Draw("L,0,5,40,5,0x0000FF,1,5", 41, 11), kWhite).isNull()); // null pen
}

// Rows of column 10 that hold ink.
int InkRows(const QImage& image)
{
    return CountPixels(image, QRect(10, 0, 1, image.height()), [](COLORREF c) { return c != kWhite; });
}

TEST(LineSweep, NothingWithoutAccelerationAndSpeed)
{
    EXPECT_TRUE(InkBounds(Draw("LA,0,0,20,0,0,10,20,10,0x0000FF,0xFF0000,1,0,0,0", 21, 11), kWhite).isNull());
}

TEST(LineSweep, ConstantSpeedDrawsTenthsBetweenTheTwoLines)
{
    // a = 0, v = 1, D = 10: line A, nine lines at t = 0.1 .. 0.9, line B.
    const QImage image = Draw("LA,0,0,20,0,0,10,20,10,0x0000FF,0xFF0000,1,0,0,1", 21, 11);
    EXPECT_EQ(InkRows(image), 11);
    EXPECT_EQ(PixelOf(image, 10, 0), kRed);
    EXPECT_EQ(PixelOf(image, 10, 10), kBlue);
    // t = 0.1 lies at B + (A - B) x 0.1: one row above B, mostly the second colour.
    EXPECT_EQ(PixelOf(image, 10, 9), MixColors(kRed, 25, kBlue, 229));
    EXPECT_EQ(PixelOf(image, 10, 1), MixColors(kRed, 229, kBlue, 25));
}

TEST(LineSweep, SpeedAgainstTheDistanceDrawsOnlyTheTwoLines)
{
    // B lies above A (D = -10) while the speed is positive.
    const QImage image = Draw("LA,0,10,20,10,0,0,20,0,0x0000FF,0xFF0000,1,0,0,1", 21, 11);
    EXPECT_EQ(InkRows(image), 2);
    EXPECT_EQ(PixelOf(image, 10, 10), kRed);
    EXPECT_EQ(PixelOf(image, 10, 0), kBlue);

    // Equal lines: line A alone.
    const QImage same = Draw("LA,0,5,20,5,0,5,20,5,0x0000FF,0xFF0000,1,0,0,1", 21, 11);
    EXPECT_EQ(InkRows(same), 1);
    EXPECT_EQ(PixelOf(same, 10, 5), kRed);
}

TEST(LineSweep, AccelerationSpacesTheLines)
{
    // a = 2, v = 0, D = 20: t = i x i / 20, lines at 0.05, 0.2, 0.45, 0.8.
    const QImage image = Draw("LA,0,0,20,0,0,20,20,20,0x0000FF,0xFF0000,1,0,2,0", 21, 21);
    EXPECT_EQ(InkRows(image), 6);
    for (int y : {19, 16, 11, 4})
        EXPECT_NE(PixelOf(image, 10, y), kWhite) << y;
}

} // namespace
