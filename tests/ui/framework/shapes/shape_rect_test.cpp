#include "tests/ui/framework/shapes/shape_test_support.h"

#include "ui/framework/shapes/shape_pictures.h"

#include <vector>

namespace {

using namespace shape_test;

TEST(LineFrame, SolidFrameOfItsDepth)
{
    const QImage image = Draw("RL,0,15,0,15,0x0000FF,0,3,0,0", 16, 16);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(PixelOf(image, x, 8), kRed) << x;
        EXPECT_EQ(PixelOf(image, 15 - x, 8), kRed) << x;
    }
    EXPECT_EQ(PixelOf(image, 3, 8), kWhite);
    EXPECT_EQ(PixelOf(image, 8, 12), kWhite);
    EXPECT_EQ(PixelOf(image, 8, 13), kRed);

    // The depth is limited to half the side less one.
    const QImage small = Draw("RL,0,7,0,7,0x0000FF,0,10,0,0", 8, 8);
    EXPECT_EQ(PixelOf(small, 2, 4), kRed);
    EXPECT_EQ(PixelOf(small, 3, 4), kWhite);
}

TEST(LineFrame, SelectionFrameIsDotted)
{
    const QImage image = Draw("RL,0,19,0,9,0x0000FF,0,1,0,1", 20, 10);
    const int red = CountPixels(image, QRect(0, 0, 20, 1), [](COLORREF c) { return c == kRed; });
    EXPECT_GT(red, 3);
    EXPECT_LT(red, 20);
    EXPECT_EQ(CountPixels(image, QRect(1, 1, 18, 8), [](COLORREF c) { return c != kWhite; }), 0);
}

TEST(LineFrame, BlendedFrameRunsFromTheSecondColourOutsideToTheFirstInside)
{
    const QImage image = Draw("RL,0,19,0,19,0x0000FF,0xFF0000,3,1,0", 20, 20);
    EXPECT_EQ(PixelOf(image, 0, 10), kBlue);
    EXPECT_EQ(PixelOf(image, 1, 10), MixColors(kBlue, 1, kRed, 1));
    EXPECT_EQ(PixelOf(image, 2, 10), kRed);
    EXPECT_EQ(PixelOf(image, 3, 10), kWhite);
}

TEST(FilledFrame, BorderInTheSecondColourAroundTheFirst)
{
    const QImage image = Draw("RS,0,15,0,15,0x00FF00,0xFF0000,0,2,0", 16, 16);
    EXPECT_EQ(PixelOf(image, 0, 8), kBlue);
    EXPECT_EQ(PixelOf(image, 1, 8), kBlue);
    EXPECT_EQ(PixelOf(image, 2, 8), kGreen);
    EXPECT_EQ(PixelOf(image, 14, 15), kBlue);

    const QImage blended = Draw("RS,0,15,0,15,0x00FF00,0xFF0000,0x0000FF,3,1", 16, 16);
    EXPECT_EQ(PixelOf(blended, 0, 8), kBlue);
    EXPECT_EQ(PixelOf(blended, 2, 8), kRed);
    EXPECT_EQ(PixelOf(blended, 3, 8), kGreen);

    // No room for a border: a plain rectangle.
    const QImage tiny = Draw("RS,0,2,0,2,0x00FF00,0xFF0000,0,2,0", 3, 3);
    EXPECT_EQ(CountPixels(tiny, tiny.rect(), [](COLORREF c) { return c == kGreen; }), 9);
}

struct GradientProbe {
    int x;
    int y;
    COLORREF expected;
};

struct GradientRow {
    int direction;
    int threeColors;
    std::vector<GradientProbe> probes;
};

class GradientRect : public ::testing::TestWithParam<GradientRow> {};

TEST_P(GradientRect, ColoursAtTheStops)
{
    const GradientRow& row = GetParam();
    const std::string text = "RG,0,20,0,20," + std::to_string(row.direction) + ",0x0000FF,0x00FF00,0xFF0000," +
                             std::to_string(row.threeColors);
    const QImage image = Draw(text, 21, 21, 0x808080);
    // Corners of the triangle directions sit half a pixel outside the probed pixel centres.
    const int tolerance = row.direction >= 5 && row.direction <= 9 ? 16 : 1;
    for (const GradientProbe& probe : row.probes) {
        EXPECT_TRUE(Near(PixelOf(image, probe.x, probe.y), probe.expected, tolerance))
            << text << " at " << probe.x << "," << probe.y << ": " << std::hex << PixelOf(image, probe.x, probe.y);
    }
}

// c1 red, c2 green, c3 blue on 21 x 21 pixels: the middle is 10, the quarters 5 and 15.
INSTANTIATE_TEST_SUITE_P(
    Directions, GradientRect,
    ::testing::Values(
        GradientRow{0, 0, {{0, 0, kRed}, {10, 10, kRed}, {20, 20, kRed}}},
        GradientRow{10, 1, {{0, 0, kRed}, {20, 20, kRed}}},
        GradientRow{1, 0, {{10, 0, kRed}, {10, 20, kGreen}, {0, 10, MixColors(kRed, 1, kGreen, 1)}}},
        GradientRow{1, 1, {{10, 0, kRed}, {10, 10, kGreen}, {10, 20, kBlue}}},
        GradientRow{2, 0, {{0, 10, kRed}, {20, 10, kGreen}}},
        GradientRow{2, 1, {{0, 3, kRed}, {10, 3, kGreen}, {20, 3, kBlue}}},
        GradientRow{3, 0, {{0, 10, kRed}, {10, 10, kGreen}, {20, 10, kRed}}},
        GradientRow{3, 1, {{0, 10, kRed}, {5, 10, kGreen}, {10, 10, kBlue}, {15, 10, kGreen}, {20, 10, kRed}}},
        GradientRow{4, 0, {{10, 0, kRed}, {10, 10, kGreen}, {10, 20, kRed}}},
        GradientRow{5, 0, {{0, 0, kRed}, {20, 0, kGreen}, {0, 20, kGreen}, {20, 20, kRed}}},
        GradientRow{6, 0, {{0, 0, kGreen}, {20, 0, kRed}, {0, 20, kRed}, {20, 20, kGreen}}},
        GradientRow{7, 1, {{0, 0, kRed}, {20, 0, kGreen}, {0, 20, kGreen}, {20, 20, kBlue}}},
        GradientRow{8, 0, {{0, 0, kGreen}, {20, 0, kRed}, {0, 20, kBlue}, {20, 20, kGreen}}},
        GradientRow{9, 0, {{0, 0, kRed}, {20, 0, kRed}, {0, 20, kRed}, {20, 20, kRed}, {10, 10, kGreen}}}));

TEST(HatchRect, GapsTakeTheSecondColourOnlyWhenOpaque)
{
    const int styles = (static_cast<int>(DcHatch::Horizontal) << 16) | static_cast<int>(DcPenStyle::Solid);
    const std::string shape = "RPH,0,15,0,15," + std::to_string(styles) + ",0x0000FF,0x00FF00,";
    const QImage opaque = Draw(shape + "1", 16, 16);
    const QImage transparent = Draw(shape + "0", 16, 16);
    const QRect inside(1, 1, 14, 14);
    EXPECT_EQ(PixelOf(opaque, 0, 7), kRed); // the outline
    EXPECT_GT(CountPixels(opaque, inside, [](COLORREF c) { return c == kRed; }), 0);
    EXPECT_GT(CountPixels(opaque, inside, [](COLORREF c) { return c == kGreen; }), 0);
    EXPECT_EQ(CountPixels(opaque, inside, [](COLORREF c) { return c == kWhite; }), 0);
    EXPECT_GT(CountPixels(transparent, inside, [](COLORREF c) { return c == kRed; }), 0);
    EXPECT_EQ(CountPixels(transparent, inside, [](COLORREF c) { return c == kGreen; }), 0);
    EXPECT_GT(CountPixels(transparent, inside, [](COLORREF c) { return c == kWhite; }), 0);

    // A hatch style that does not exist leaves the inside alone.
    const QImage unknown = Draw("RPH,0,15,0,15," + std::to_string(9 << 16) + ",0x0000FF,0x00FF00,1", 16, 16);
    EXPECT_EQ(PixelOf(unknown, 0, 7), kRed);
    EXPECT_EQ(CountPixels(unknown, inside, [](COLORREF c) { return c != kWhite; }), 0);
}

class PictureRect : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage red(4, 2, QImage::Format_RGB32);
        red.fill(qRgb(255, 0, 0));
        red_ = ShapePictures().Add(red);
        QImage stripes(2, 1, QImage::Format_RGB32);
        stripes.setPixel(0, 0, qRgb(255, 0, 0));
        stripes.setPixel(1, 0, qRgb(0, 0, 0));
        stripes_ = ShapePictures().Add(stripes);
        QImage mask(2, 1, QImage::Format_RGB32);
        mask.setPixel(0, 0, qRgb(0, 0, 0));
        mask.setPixel(1, 0, qRgb(255, 255, 255));
        mask_ = ShapePictures().Add(mask);
    }
    QImage DrawPicture(int placement, int32_t image, int32_t mask, int width = 10, int height = 10)
    {
        ShapeRecord r = Parsed("RPF,0,9,0,9," + std::to_string(placement) + ",1,1");
        r.coords = {0, 0, width - 1, height - 1};
        r.color1 = image; // the handles a template would have put in
        r.color2 = mask;
        return DrawRecord(r, width, height, kGreen);
    }
    int32_t red_ = 0;
    int32_t stripes_ = 0;
    int32_t mask_ = 0;
};

TEST_F(PictureRect, Placements)
{
    const QImage own = DrawPicture(1, red_, 0);
    EXPECT_EQ(PixelOf(own, 3, 1), kRed);
    EXPECT_EQ(PixelOf(own, 4, 1), kGreen);
    EXPECT_EQ(PixelOf(own, 3, 2), kGreen);
    const QImage clipped = DrawPicture(1, red_, 0, 3, 10); // narrower than the picture
    EXPECT_EQ(PixelOf(clipped, 2, 0), kRed);

    const QImage stretched = DrawPicture(2, red_, 0);
    EXPECT_EQ(CountPixels(stretched, stretched.rect(), [](COLORREF c) { return c == kRed; }), 100);

    const QImage tiled = DrawPicture(3, stripes_, 0);
    EXPECT_EQ(PixelOf(tiled, 0, 5), kRed);
    EXPECT_EQ(PixelOf(tiled, 1, 5), 0u);
    EXPECT_EQ(PixelOf(tiled, 8, 9), kRed);
    EXPECT_EQ(PixelOf(tiled, 9, 9), 0u);

    // 4 x 2 into 10 x 10 keeps its proportions: 10 x 5, centred.
    const QImage scaled = DrawPicture(4, red_, 0);
    EXPECT_EQ(PixelOf(scaled, 5, 1), kGreen);
    EXPECT_EQ(PixelOf(scaled, 5, 2), kRed);
    EXPECT_EQ(PixelOf(scaled, 0, 6), kRed);
    EXPECT_EQ(PixelOf(scaled, 5, 7), kGreen);

    EXPECT_EQ(InkBounds(DrawPicture(5, red_, 0), kGreen), QRect()); // no such placement
    EXPECT_EQ(InkBounds(DrawPicture(2, 999, 0), kGreen), QRect());  // no such picture
}

TEST_F(PictureRect, MaskDrawsThePictureTransparently)
{
    const QImage image = DrawPicture(2, stripes_, mask_);
    EXPECT_EQ(PixelOf(image, 1, 5), kRed);
    EXPECT_EQ(PixelOf(image, 8, 5), kGreen); // where the mask is white the background stays
}

TEST_F(PictureRect, ResourcePicturesByTheirIds)
{
    QImage blue(2, 2, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 255));
    ShapePictures().SetResource(300, blue);
    const QImage image = Draw("RPR,0,9,0,9,2,300,0", 10, 10, kGreen);
    EXPECT_EQ(CountPixels(image, image.rect(), [](COLORREF c) { return c == kBlue; }), 100);
    ShapePictures().SetResource(300, QImage());
    EXPECT_EQ(InkBounds(Draw("RPR,0,9,0,9,2,300,0", 10, 10, kGreen), kGreen), QRect());
}

} // namespace
