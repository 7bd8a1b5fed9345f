#include "tests/ui/framework/shapes/shape_test_support.h"

#include "core/config/font_spec.h"
#include "ui/framework/shapes/shape_pictures.h"

namespace {

using namespace shape_test;

const FontSpec kFont{"Arial", 120, true}; // 16 pixels high

QImage DrawText(const std::string& text, int width, int height, const FontSpec* font = &kFont, int32_t picture = 0)
{
    ShapeRecord record = Parsed(text);
    record.font = font;
    if (picture != 0)
        record.color1 = picture;
    return DrawRecord(record, width, height);
}

TEST(TextShape, DrawsInsideItsRectangleInItsColour)
{
    const QImage image = DrawText("T,10,89,5,34,0x0000FF,HI,1,0,0", 100, 40);
    const QRect ink = InkBounds(image, kWhite);
    ASSERT_FALSE(ink.isNull());
    EXPECT_TRUE(QRect(10, 5, 80, 30).contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width();
    EXPECT_GT(Count(image, kRed), 20);
    EXPECT_LT(ink.left(), 14); // left and top aligned
    EXPECT_LT(ink.top(), 12);
}

TEST(TextShape, NothingWithoutRoomFontOrText)
{
    // Five characters in a rectangle four pixels wide.
    EXPECT_TRUE(InkBounds(DrawText("T,0,3,0,39,0x0000FF,HELLO,1", 60, 40), kWhite).isNull());
    // No font (an index out of range), a font without size, a font without face.
    EXPECT_TRUE(InkBounds(DrawText("T,0,59,0,39,0x0000FF,HI,1", 60, 40, nullptr), kWhite).isNull());
    const FontSpec noSize{"Arial", 0};
    EXPECT_TRUE(InkBounds(DrawText("T,0,59,0,39,0x0000FF,HI,1", 60, 40, &noSize), kWhite).isNull());
    const FontSpec noFace{"", 120};
    EXPECT_TRUE(InkBounds(DrawText("T,0,59,0,39,0x0000FF,HI,1", 60, 40, &noFace), kWhite).isNull());
    // A font still to be completed draws.
    FontSpec incomplete{"Arial", 120};
    incomplete.complete = false;
    EXPECT_FALSE(InkBounds(DrawText("T,0,59,0,39,0x0000FF,HI,1", 60, 40, &incomplete), kWhite).isNull());
}

struct AlignRow {
    int layout;
    int left;  // expected ink left within +-3 pixels, -1 to skip
    int right; // expected ink right
    int top;
    int bottom;
};

TEST(TextShape, LayoutWordAligns)
{
    // Ink of "HI" in a 16-pixel font sits a little inside its cell; the probes allow for that.
    const AlignRow rows[] = {
        {0x0, 0, -1, 0, -1},    // left, top
        {0x2, -1, 119, -1, -1}, // right
        {0x8, -1, -1, -1, 49},  // bottom
    };
    for (const AlignRow& row : rows) {
        const QImage image = DrawText("T,0,119,0,49,0x0000FF,HI,1," + std::to_string(row.layout), 120, 50);
        const QRect ink = InkBounds(image, kWhite);
        ASSERT_FALSE(ink.isNull()) << row.layout;
        if (row.left >= 0) {
            EXPECT_NEAR(ink.left(), row.left, 3) << row.layout;
        }
        if (row.right >= 0) {
            EXPECT_NEAR(ink.right(), row.right, 3) << row.layout;
        }
        if (row.top >= 0) {
            EXPECT_NEAR(ink.top(), row.top, 4) << row.layout;
        }
        if (row.bottom >= 0) {
            EXPECT_NEAR(ink.bottom(), row.bottom, 5) << row.layout;
        }
    }
    // Centred both ways: the ink's middle is the rectangle's middle.
    const QRect centred = InkBounds(DrawText("T,0,119,0,49,0x0000FF,HI,1,15", 120, 50), kWhite);
    EXPECT_NEAR(centred.center().x(), 60, 3);
    EXPECT_NEAR(centred.center().y(), 25, 4);
}

TEST(TextShape, FitFillsTheRectangle)
{
    const QRect stretched = InkBounds(DrawText("T,0,199,0,59,0x0000FF,HI,1,0x10,0", 200, 60), kWhite);
    EXPECT_GT(stretched.width(), 170);
    EXPECT_GT(stretched.height(), 35);
    // With the uniform flag the text keeps its proportions: as high, far narrower.
    const QRect uniform = InkBounds(DrawText("T,0,199,0,59,0x0000FF,HI,1,0x10,1", 200, 60), kWhite);
    EXPECT_GT(uniform.height(), 35);
    EXPECT_LT(uniform.width(), 120);
}

TEST(TextShape, ShadowLayerInTheSecondColour)
{
    // "TS": two layers, the farther one offset by (3, 3) in the second colour alone, the front one in the first.
    const QImage image = DrawText("TS,0,99,0,39,0x0000FF,0xFF0000,HI,1,0,0,3,3", 100, 40);
    const QRect front = BoundsOf(image, kRed);
    const QRect shadow = BoundsOf(image, kBlue);
    ASSERT_FALSE(front.isNull());
    ASSERT_FALSE(shadow.isNull());
    EXPECT_NEAR(shadow.left(), front.left() + 3, 1);
    EXPECT_NEAR(shadow.bottom(), front.bottom() + 3, 1);
}

TEST(TextShape, EmbossLayersUpAndLeftInBlendedColours)
{
    // "TM" with 3 layers moves by (-1, -1): the farthest copy, two pixels up and left of the front one, is the
    // blend 1:2 of the two colours, the middle one 2:1, the front one the first colour.
    const QImage image = DrawText("TM,10,99,10,39,0x0000FF,0xFF0000,HI,1,0,0,3", 100, 40);
    const QRect front = BoundsOf(image, kRed);
    const QRect farthest = BoundsOf(image, MixColors(kRed, 1, kBlue, 2));
    ASSERT_FALSE(front.isNull());
    ASSERT_FALSE(farthest.isNull());
    EXPECT_FALSE(BoundsOf(image, MixColors(kRed, 2, kBlue, 1)).isNull());
    EXPECT_EQ(farthest.left(), front.left() - 2);
    EXPECT_EQ(farthest.top(), front.top() - 2);
    // The room for the layers comes off the side they move to, so they stay inside the rectangle.
    EXPECT_GE(InkBounds(image, kWhite).left(), 10);
    EXPECT_GE(InkBounds(image, kWhite).top(), 10);
}

TEST(MultiLineText, OneSlotPerLine)
{
    const QImage image = DrawText("TL,0,99,0,59,0x0000FF,0,AB\\CD,1,0,0", 100, 60);
    EXPECT_GT(CountPixels(image, QRect(0, 0, 100, 30), [](COLORREF c) { return c != kWhite; }), 20);
    EXPECT_GT(CountPixels(image, QRect(0, 30, 100, 30), [](COLORREF c) { return c != kWhite; }), 20);

    // A line with more characters than the rectangle has pixels ends the drawing.
    const QImage cut = DrawText("TL,0,9,0,59,0x0000FF,0,A\\ABCDEFGHIJKL\\B,1,0,0", 10, 60);
    EXPECT_GT(CountPixels(cut, QRect(0, 0, 10, 20), [](COLORREF c) { return c != kWhite; }), 5);
    EXPECT_EQ(CountPixels(cut, QRect(0, 20, 10, 40), [](COLORREF c) { return c != kWhite; }), 0);
}

TEST(GradientText, GlyphsShowTheGradient)
{
    // Fitted "HI" over a vertical gradient from red at the top to blue at the bottom.
    const QImage image = DrawText("TG,0,199,0,59,0x0000FF,0xFF0000,0,HI,1,0x1F,0,1,0", 200, 60);
    const QRect ink = InkBounds(image, kWhite);
    ASSERT_FALSE(ink.isNull());
    auto rowColour = [&](int y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            COLORREF c = PixelOf(image, x, y);
            if (GreenOf(c) < 30) // inside a glyph, not an edge blended with the white background
                return c;
        }
        return kWhite;
    };
    const COLORREF top = rowColour(ink.top() + 2);
    const COLORREF bottom = rowColour(ink.bottom() - 2);
    EXPECT_GT(RedOf(top), BlueOf(top));
    EXPECT_GT(BlueOf(bottom), RedOf(bottom));
    EXPECT_EQ(PixelOf(image, 0, 0), kWhite); // between the glyphs the background stays
}

TEST(PatternText, GlyphsShowThePicture)
{
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    const int32_t handle = ShapePictures().Add(green);
    const QImage image = DrawText("TPF,0,199,0,59,2,1,0,HI,1,0x1F", 200, 60, &kFont, handle);
    EXPECT_GT(Count(image, kGreen), 200);
    EXPECT_EQ(Count(image, kRed) + Count(image, kBlue), 0);

    const int hatch = (5 << 16) | 5; // diagonal cross, no outline
    const QImage hatched =
        DrawText("TPH,0,199,0,59," + std::to_string(hatch) + ",0x0000FF,0x00FF00,HI,1,0x1F,0,1", 200, 60);
    EXPECT_GT(Count(hatched, kRed), 20);
    EXPECT_GT(Count(hatched, kGreen), 20);
}

} // namespace
