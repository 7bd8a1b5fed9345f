#include "tests/ui/framework/shapes/shape_test_support.h"

#include "core/entity/entity_model_set.h"
#include "ui/framework/shapes/shape_refs.h"

#include <limits>

namespace {

using namespace shape_test;

TEST(DrawShape, RecordsThatCannotBeDrawnAreLeftAlone)
{
    ImageDc image(20, 20, kWhite);
    DrawShape(nullptr, &image.dc());
    ShapeRecord fill = Parsed("RS,0,19,0,19,0x0000FF,0,0,0,0");
    DrawShape(&fill, nullptr);

    ShapeRecord noCode = fill;
    noCode.code = kShapeNone;
    ShapeRecord beyond = fill;
    beyond.code = 37;
    ShapeRecord shortCoords = fill;
    shortCoords.coords.resize(2);
    ShapeRecord polyline = Parsed("PL,3,0,0,19,0,19,19,0x0000FF,2,0");
    ShapeRecord tooManyPoints = polyline;
    tooManyPoints.index = 50; // more points than the record holds
    ShapeRecord negativePoints = polyline;
    negativePoints.index = -1;
    ShapeRecord quad = Parsed("QS,0,0,19,0,19,19,0,19,0x0000FF");
    quad.coords.resize(6);
    for (const ShapeRecord* r : {&noCode, &beyond, &shortCoords, &tooManyPoints, &negativePoints, &quad})
        DrawShape(*r, image.dc());
    EXPECT_TRUE(InkBounds(image.Finish(), kWhite).isNull());
}

TEST(DrawShape, LeavesTheContextAsItFoundIt)
{
    ImageDc image(40, 40, kWhite);
    Dc& dc = image.dc();
    const DcPen pen{DcPenStyle::Dash, 1, 0x123456};
    dc.SelectPen(pen);
    dc.SetTextColor(0x654321);
    dc.SetBkMode(DcBkMode::Opaque);
    const FontSpec font{"Arial", 100};
    for (const char* text : {"RL,0,39,0,39,0x0000FF,0,3,0,0", "RPH,0,39,0,39,131072,0xFF,0xFF00,0",
                             "R2,0,39,0,39,0xFF,0xFF00,3,1", "TS,0,39,0,39,0xFF,0xFF00,AB,1,0,0,1,1"}) {
        ShapeRecord r = Parsed(text);
        r.font = &font;
        DrawShape(r, dc);
        EXPECT_EQ(dc.Pen(), pen) << text;
        EXPECT_EQ(dc.Brush(), DcBrush{}) << text;
        EXPECT_EQ(dc.TextColor(), 0x654321u) << text;
        EXPECT_EQ(dc.BkMode(), DcBkMode::Opaque) << text;
    }
}

TEST(DrawShape, AnchoredSelectionMarkFramesTheRectangleItIsResolvedAgainst)
{
    // The default selection mark: a 2-pixel red frame exactly on the rectangle it marks.
    const ShapeRecord mark = Parsed("RL,@L,@R,@T,@B,0x0000FF,0,2,0,0");
    ImageDc image(30, 30, kWhite);
    DrawShape(ResolveShapeRecord(mark, 5, 8, 24, 21, 1), image.dc());
    const QImage& pixels = image.Finish();
    EXPECT_EQ(InkBounds(pixels, kWhite), QRect(QPoint(5, 8), QPoint(24, 21)));
    EXPECT_EQ(PixelOf(pixels, 6, 15), kRed);
    EXPECT_EQ(PixelOf(pixels, 7, 15), kWhite);
    EXPECT_EQ(PixelOf(pixels, 23, 15), kRed);
    EXPECT_EQ(PixelOf(pixels, 15, 20), kRed);
}

TEST(DrawShape, HugeCoordinatesStayBounded)
{
    // Coordinates as a broken template might give them: drawing ends and touches only the picture.
    ShapeRecord wide = Parsed("RG,0,1,0,1,9,0xFF,0xFF00,0,0");
    wide.coords = {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min(),
                   std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()};
    ShapeRecord ring = Parsed("R,0,1,0,1,0xFF,0xFF00,3,1");
    ring.coords = wide.coords;
    ring.size = std::numeric_limits<int32_t>::max();
    ShapeRecord sweep = Parsed("LA,0,0,1,0,0,1,1,1,0xFF,0xFF00,1,0,0,1");
    sweep.coords = {0, 0, 10, 0, 0, std::numeric_limits<int32_t>::max(), 10, std::numeric_limits<int32_t>::max()};
    ImageDc image(16, 16, kWhite);
    for (const ShapeRecord* r : {&wide, &ring, &sweep})
        DrawShape(*r, image.dc());
    EXPECT_NE(PixelOf(image.Finish().copy(), 8, 8), kWhite);
}

TEST(ShapeRefs, IndexesOutOfRangeGiveNoPictureAndNoFont)
{
    const CEntityModelSet models; // no images, no fonts
    ShapeRecord picture = Parsed("RPF,0,9,0,9,2,1,2");
    ResolveShapeRefs(picture, models);
    EXPECT_EQ(picture.color1, 0);
    EXPECT_EQ(picture.color2, 0);

    ShapeRecord text = Parsed("T,0,99,0,9,0,HELLO,1");
    text.font = reinterpret_cast<const FontSpec*>(&models); // whatever was there goes
    ResolveShapeRefs(text, models);
    EXPECT_EQ(text.font, nullptr);

    // A text whose font index was out of range draws nothing.
    ImageDc image(100, 10, kWhite);
    DrawShape(text, image.dc());
    EXPECT_TRUE(InkBounds(image.Finish(), kWhite).isNull());
}

} // namespace
