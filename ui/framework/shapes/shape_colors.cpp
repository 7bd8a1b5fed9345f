#include "ui/framework/shapes/shape_colors.h"

#include <cmath>

COLORREF MixColors(COLORREF a, int weightA, COLORREF b, int weightB)
{
    unsigned wa = static_cast<uint16_t>(weightA);
    unsigned wb = static_cast<uint16_t>(weightB);
    while (wa >= 256 || wb >= 256) {
        wa >>= 1;
        wb >>= 1;
    }
    const unsigned total = wa + wb;
    if (total == 0)
        return 0xFFFFFF;
    auto mix = [&](int ca, int cb) { return static_cast<int>((ca * wa + cb * wb) / total); };
    return Rgb(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

COLORREF ShadeColor(COLORREF color, double factor)
{
    if (!std::isfinite(factor))
        factor = 0.0;
    double d = std::fabs(factor);
    if (d > 1.0)
        d -= std::floor(d);
    // Zero lightens whatever its sign: the first ring of a sunken bevel, -(0 / n), is the lightest.
    const bool darken = factor < 0.0;
    auto shade = [&](int c) {
        if (c == 0)
            return 0;
        return static_cast<int>(darken ? c * d : 255.0 * (1.0 - d) + d * c);
    };
    return Rgb(shade(RedOf(color)), shade(GreenOf(color)), shade(BlueOf(color)));
}
