#include "features/management/ne/ne_position_map.h"

#include <algorithm>
#include <cmath>

namespace {

// A range to divide by: positive and finite, else none.
bool Usable(double range)
{
    return std::isfinite(range) && range > 0.0;
}

float Clamp(float value, float low, float high)
{
    if (!std::isfinite(value))
        return low;
    return std::clamp(value, std::min(low, high), std::max(low, high));
}

} // namespace

GeoPoint ClampToBounds(GeoPoint point, const GeoBounds& bounds)
{
    return {Clamp(point.longitude, bounds.west, bounds.east), Clamp(point.latitude, bounds.south, bounds.north)};
}

GeoPoint CentreOf(const GeoBounds& bounds)
{
    return {(bounds.west + bounds.east) / 2.0F, (bounds.north + bounds.south) / 2.0F};
}

PixelPoint GeoToPixel(GeoPoint point, const GeoBounds& bounds, int width, int height)
{
    const double lonRange = static_cast<double>(bounds.east) - bounds.west;
    const double latRange = static_cast<double>(bounds.north) - bounds.south;
    PixelPoint pixel{width / 2.0, height / 2.0};
    if (Usable(lonRange))
        pixel.x = (point.longitude - static_cast<double>(bounds.west)) / lonRange * width;
    if (Usable(latRange))
        pixel.y = height - (point.latitude - static_cast<double>(bounds.south)) / latRange * height;
    return pixel;
}

GeoPoint PixelToGeo(PixelPoint pixel, const GeoBounds& bounds, int width, int height)
{
    const double lonRange = static_cast<double>(bounds.east) - bounds.west;
    const double latRange = static_cast<double>(bounds.north) - bounds.south;
    GeoPoint point{bounds.west, bounds.north};
    if (Usable(lonRange) && width > 0)
        point.longitude = static_cast<float>(pixel.x / width * lonRange + bounds.west);
    if (Usable(latRange) && height > 0)
        point.latitude = static_cast<float>(bounds.north - pixel.y / height * latRange);
    return point;
}
