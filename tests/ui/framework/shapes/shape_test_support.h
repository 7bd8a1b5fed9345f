#pragma once
// Shared pieces of the shape drawing tests: the colours they use, a shape string parsed, and a shape drawn resolved
// against a whole small picture.

#include "tests/platform/pixel_probe.h"
#include "tests/platform/qt_test_app.h"

#include "core/shape/shape_coord.h"
#include "core/shape/shape_parser.h"
#include "platform/dc.h"
#include "ui/framework/shapes/shape_colors.h"
#include "ui/framework/shapes/shape_draw.h"

#include <gtest/gtest.h>

#include <string>

namespace shape_test {

inline constexpr COLORREF kBlack = 0x000000;
inline constexpr COLORREF kWhite = 0xFFFFFF;
inline constexpr COLORREF kGrey = 0x808080;
inline constexpr COLORREF kRed = 0x0000FF;
inline constexpr COLORREF kGreen = 0x00FF00;
inline constexpr COLORREF kBlue = 0xFF0000;

inline ShapeRecord Parsed(const std::string& text)
{
    ShapeRecord record;
    EXPECT_EQ(ParseShape(text, record), 0) << text;
    return record;
}

inline QImage DrawRecord(const ShapeRecord& record, int width, int height, COLORREF background = kWhite)
{
    ImageDc image(width, height, background);
    DrawShape(ResolveShapeRecord(record, 0, 0, width - 1, height - 1, 1), image.dc());
    return image.Finish();
}

inline QImage Draw(const std::string& text, int width, int height, COLORREF background = kWhite)
{
    return DrawRecord(Parsed(text), width, height, background);
}

// The pixels of one colour: how many, and the rectangle they lie in.
inline int Count(const QImage& image, COLORREF color)
{
    return CountPixels(image, image.rect(), [color](COLORREF c) { return c == color; });
}

inline QRect BoundsOf(const QImage& image, COLORREF color)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (PixelOf(image, x, y) == color)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace shape_test
