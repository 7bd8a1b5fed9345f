#include "platform/dc.h"
#include "tests/platform/pixel_probe.h"
#include "tests/platform/qt_test_app.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;

TEST(ColorRef, ChannelsSitRedLowBlueHigh)
{
    EXPECT_EQ(Rgb(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(RedOf(0x563412), 0x12);
    EXPECT_EQ(GreenOf(0x563412), 0x34);
    EXPECT_EQ(BlueOf(0xFF563412), 0x56); // the top byte is ignored
    EXPECT_EQ(ToQRgb(kRed), qRgb(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(0, 0, 255)), kBlue);
    EXPECT_EQ(FromQRgb(qRgb(1, 2, 3)), Rgb(1, 2, 3));
}

// What the shapes draw with the context (gradients, hatches, masked pictures, text, rings and arcs, and the context
// they leave) is checked pixel by pixel through the shape drawing tests; here, the rectangles and ellipses below them.
TEST(DcRectangles, RightAndBottomEdgesAreExcluded)
{
    ImageDc image(10, 10, kWhite);
    image.dc().FillSolidRect({2, 3, 6, 8}, kRed);
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 2, 3), kRed);
    EXPECT_EQ(PixelOf(pixels, 5, 7), kRed);
    EXPECT_EQ(PixelOf(pixels, 6, 3), kWhite);
    EXPECT_EQ(PixelOf(pixels, 2, 8), kWhite);
    EXPECT_EQ(PixelOf(pixels, 1, 3), kWhite);
    EXPECT_EQ(PixelOf(pixels, 2, 2), kWhite);
}

TEST(DcRectangles, EmptyRectangleDrawsNothing)
{
    ImageDc image(6, 6, kWhite);
    image.dc().FillSolidRect({3, 3, 3, 5}, kRed);
    image.dc().SelectBrush(DcBrush::SolidColor(kRed));
    image.dc().Rectangle({4, 4, 2, 2});
    image.dc().Ellipse({1, 1, 1, 5});
    const QImage& pixels = image.Finish();
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(PixelOf(pixels, x, y), kWhite) << x << "," << y;
    }
}

TEST(DcRectangles, OnePixelPenOutlinesInsideTheRectangle)
{
    ImageDc image(10, 10, kWhite);
    image.dc().SelectPen({DcPenStyle::Solid, 1, kRed});
    image.dc().SelectBrush(DcBrush::SolidColor(kBlue));
    image.dc().Rectangle({1, 1, 7, 6});
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 1, 1), kRed);
    EXPECT_EQ(PixelOf(pixels, 6, 5), kRed); // right - 1, bottom - 1
    EXPECT_EQ(PixelOf(pixels, 7, 5), kWhite);
    EXPECT_EQ(PixelOf(pixels, 6, 6), kWhite);
    EXPECT_EQ(PixelOf(pixels, 2, 2), kBlue);
    EXPECT_EQ(PixelOf(pixels, 5, 4), kBlue);
}

TEST(DcRectangles, InsideFramePenKeepsItsWidthInside)
{
    ImageDc image(12, 12, kWhite);
    image.dc().SelectPen({DcPenStyle::InsideFrame, 3, kRed});
    image.dc().SelectBrush(DcBrush::SolidColor(kBlue));
    image.dc().Rectangle({1, 1, 11, 11});
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 0, 5), kWhite);
    for (int x = 1; x <= 3; ++x)
        EXPECT_EQ(PixelOf(pixels, x, 5), kRed) << x;
    EXPECT_EQ(PixelOf(pixels, 4, 5), kBlue);
    EXPECT_EQ(PixelOf(pixels, 7, 5), kBlue);
    for (int x = 8; x <= 10; ++x)
        EXPECT_EQ(PixelOf(pixels, x, 5), kRed) << x;
    EXPECT_EQ(PixelOf(pixels, 11, 5), kWhite);
}

TEST(DcRectangles, WidePenIsCentredOnTheEdge)
{
    ImageDc image(12, 12, kWhite);
    image.dc().SelectPen({DcPenStyle::Solid, 3, kRed});
    image.dc().SelectBrush(DcBrush::Hollow());
    image.dc().Rectangle({3, 3, 9, 9});
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 2, 5), kRed);   // one outside
    EXPECT_EQ(PixelOf(pixels, 4, 5), kRed);   // one inside
    EXPECT_EQ(PixelOf(pixels, 5, 5), kWhite); // hollow
    EXPECT_EQ(PixelOf(pixels, 1, 5), kWhite);
}

TEST(DcRectangles, Draw3dRectPutsTheCornersWhereTheWindowsFramesDo)
{
    ImageDc image(8, 8, kWhite);
    image.dc().Draw3dRect({1, 1, 6, 6}, kRed, kBlue);
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 1, 1), kRed);
    EXPECT_EQ(PixelOf(pixels, 4, 1), kRed);
    EXPECT_EQ(PixelOf(pixels, 5, 1), kBlue); // the top-right corner belongs to the right edge
    EXPECT_EQ(PixelOf(pixels, 1, 5), kBlue); // the bottom-left corner belongs to the bottom edge
    EXPECT_EQ(PixelOf(pixels, 1, 4), kRed);
    EXPECT_EQ(PixelOf(pixels, 3, 3), kWhite);
    EXPECT_EQ(PixelOf(pixels, 6, 3), kWhite);
}

TEST(DcEllipses, FillIsSymmetricAndInsideTheBounds)
{
    ImageDc image(13, 9, kWhite);
    image.dc().SelectPen({DcPenStyle::Null, 0, 0});
    image.dc().SelectBrush(DcBrush::SolidColor(kRed));
    image.dc().Ellipse({1, 1, 12, 8});
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 6, 4), kRed);
    EXPECT_EQ(PixelOf(pixels, 1, 1), kWhite); // corners stay out
    EXPECT_EQ(PixelOf(pixels, 11, 7), kWhite);
    for (int y = 0; y < 9; ++y) {
        EXPECT_EQ(PixelOf(pixels, 0, y), kWhite);
        EXPECT_EQ(PixelOf(pixels, 12, y), kWhite);
        for (int x = 1; x < 12; ++x) {
            // Mirror images across both axes of the bounds 1..11 and 1..7.
            ASSERT_EQ(pixels.pixel(x, y), pixels.pixel(12 - x, y)) << x << "," << y;
            if (y >= 1 && y <= 7) {
                ASSERT_EQ(pixels.pixel(x, y), pixels.pixel(x, 8 - y)) << x << "," << y;
            }
        }
    }
}

TEST(DcState, PainterIsLeftAsItWas)
{
    QImage target(4, 4, QImage::Format_RGB32);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::green);
    {
        Dc dc(painter);
        dc.SelectPen({DcPenStyle::Solid, 1, kRed});
        dc.Line({0, 0}, {3, 3});
    }
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
}

} // namespace
