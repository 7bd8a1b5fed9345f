#include "platform/dc.h"
#include "tests/platform/pixel_probe.h"
#include "tests/platform/qt_test_app.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGreen = 0x00FF00;

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

TEST(DcEllipses, InsideFrameRingLeavesTheMiddleToTheBrush)
{
    ImageDc image(21, 21, kWhite);
    image.dc().SelectPen({DcPenStyle::InsideFrame, 2, kRed});
    image.dc().SelectBrush(DcBrush::Hollow());
    image.dc().Ellipse({0, 0, 21, 21});
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 10, 0), kRed);
    EXPECT_EQ(PixelOf(pixels, 10, 1), kRed);
    EXPECT_EQ(PixelOf(pixels, 10, 2), kWhite);
    EXPECT_EQ(PixelOf(pixels, 10, 10), kWhite);
    EXPECT_EQ(PixelOf(pixels, 20, 10), kRed);
}

TEST(DcEllipses, ArcRunsCounterClockwiseFromStartToEnd)
{
    ImageDc image(21, 21, kWhite);
    image.dc().SelectPen({DcPenStyle::InsideFrame, 2, kRed});
    // From the top-right corner counter-clockwise to the bottom-left one: the upper-left half.
    image.dc().Arc({0, 0, 21, 21}, QPoint(21, 0), QPoint(0, 21));
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 10, 0), kRed);    // top
    EXPECT_EQ(PixelOf(pixels, 0, 10), kRed);    // left
    EXPECT_EQ(PixelOf(pixels, 10, 20), kWhite); // bottom
    EXPECT_EQ(PixelOf(pixels, 20, 10), kWhite); // right
}

TEST(DcGradients, RectangleRunsFromFirstToLastPixel)
{
    ImageDc image(11, 3, kWhite);
    image.dc().GradientFillRect({0, 0, 11, 3}, kRed, kBlue, false);
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 0, 1), kRed);
    EXPECT_EQ(PixelOf(pixels, 10, 1), kBlue);
    EXPECT_TRUE(Near(PixelOf(pixels, 5, 1), Rgb(128, 0, 128), 1));
}

TEST(DcGradients, TriangleBlendsAllChannelsOfEveryVertex)
{
    const COLORREF a = 0x102030;
    const COLORREF b = 0x405060;
    const COLORREF c = 0x90A0B0;
    ImageDc image(41, 41, kWhite);
    image.dc().GradientFillTriangle({0.5, 0.5}, a, {40.5, 0.5}, b, {0.5, 40.5}, c);
    const QImage& pixels = image.Finish();
    EXPECT_TRUE(Near(PixelOf(pixels, 0, 0), a, 2));
    EXPECT_TRUE(Near(PixelOf(pixels, 39, 0), b, 4));
    EXPECT_TRUE(Near(PixelOf(pixels, 0, 39), c, 4));
    EXPECT_EQ(PixelOf(pixels, 40, 40), kWhite); // outside the triangle
    EXPECT_EQ(PixelOf(pixels, 30, 30), kWhite);
}

TEST(DcBrushes, HatchGapsTakeTheBackgroundOnlyWhenOpaque)
{
    for (DcBkMode mode : {DcBkMode::Opaque, DcBkMode::Transparent}) {
        ImageDc image(16, 16, kWhite);
        image.dc().SelectPen({DcPenStyle::Null, 0, 0});
        image.dc().SelectBrush(DcBrush::Hatched(DcHatch::Horizontal, kRed));
        image.dc().SetBkColor(kGreen);
        image.dc().SetBkMode(mode);
        image.dc().Rectangle({0, 0, 16, 16});
        const QImage& pixels = image.Finish();
        int red = 0;
        int green = 0;
        int white = 0;
        for (int y = 0; y < 16; ++y) {
            COLORREF p = PixelOf(pixels, 8, y);
            red += p == kRed;
            green += p == kGreen;
            white += p == kWhite;
        }
        EXPECT_GT(red, 0);
        if (mode == DcBkMode::Opaque) {
            EXPECT_GT(green, 0);
            EXPECT_EQ(white, 0);
        } else {
            EXPECT_EQ(green, 0);
            EXPECT_GT(white, 0);
        }
    }
}

TEST(DcBlits, MaskAndImageCombineForTransparentDrawing)
{
    QImage mask(2, 1, QImage::Format_RGB32);
    mask.setPixel(0, 0, qRgb(0, 0, 0));       // opaque part
    mask.setPixel(1, 0, qRgb(255, 255, 255)); // transparent part
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 0));
    ImageDc image(2, 1, kGreen);
    image.dc().BitBlt(0, 0, mask, DcRop::SrcAnd);
    image.dc().BitBlt(0, 0, picture, DcRop::SrcPaint);
    const QImage& pixels = image.Finish();
    EXPECT_EQ(PixelOf(pixels, 0, 0), kRed);
    EXPECT_EQ(PixelOf(pixels, 1, 0), kGreen);
}

TEST(DcText, DrawsInTheTextColourBelowAndRightOfItsOrigin)
{
    ImageDc image(60, 30, kWhite);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    image.dc().SelectFont(font);
    image.dc().SetTextColor(kRed);
    image.dc().SetBkMode(DcBkMode::Transparent);
    const QSize extent = image.dc().GetTextExtent(QStringLiteral("HH"));
    image.dc().TextOut(10, 5, QStringLiteral("HH"));
    const QImage& pixels = image.Finish();
    EXPECT_GT(extent.width(), 10);
    EXPECT_GE(extent.height(), 16);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (pixels.pixel(x, y) == ToQRgb(kWhite))
                continue;
            const bool in = x >= 10 && x < 10 + extent.width() && y >= 5 && y < 5 + extent.height();
            (in ? inside : outside)++;
        }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

TEST(DcState, SaverSelectsTheOldObjectsBack)
{
    ImageDc image(4, 4);
    Dc& dc = image.dc();
    dc.SelectPen({DcPenStyle::Dash, 1, kRed});
    dc.SetTextColor(kBlue);
    {
        DcStateSaver saver(dc);
        dc.SelectPen({DcPenStyle::Solid, 4, kGreen});
        dc.SelectBrush(DcBrush::Hollow());
        dc.SetTextColor(kGreen);
        dc.SetBkMode(DcBkMode::Transparent);
    }
    EXPECT_EQ(dc.Pen(), (DcPen{DcPenStyle::Dash, 1, kRed}));
    EXPECT_EQ(dc.Brush(), DcBrush{});
    EXPECT_EQ(dc.TextColor(), kBlue);
    EXPECT_EQ(dc.BkMode(), DcBkMode::Opaque);
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
