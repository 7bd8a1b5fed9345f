#pragma once
// Pixel probes on small pictures: colours at points, with a tolerance where blending rounds, and the extent of what
// differs from the background (for text, whose exact glyphs depend on the font).

#include "platform/color_ref.h"

#include <QImage>
#include <QRect>

#include <cstdlib>
#include <functional>

inline COLORREF PixelOf(const QImage& image, int x, int y)
{
    return FromQRgb(image.pixel(x, y));
}

inline bool Near(COLORREF actual, COLORREF expected, int tolerance)
{
    return std::abs(RedOf(actual) - RedOf(expected)) <= tolerance &&
           std::abs(GreenOf(actual) - GreenOf(expected)) <= tolerance &&
           std::abs(BlueOf(actual) - BlueOf(expected)) <= tolerance;
}

inline int CountPixels(const QImage& image, const QRect& area, const std::function<bool(COLORREF)>& match)
{
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += match(PixelOf(image, x, y)) ? 1 : 0;
    }
    return count;
}

// The smallest rectangle holding every pixel that differs from the background; null when none does.
inline QRect InkBounds(const QImage& image, COLORREF background)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (PixelOf(image, x, y) != background)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}
