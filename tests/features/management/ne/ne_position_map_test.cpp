// The Position page's map: a point in degrees and its place in the map frame, both ways, clamping into the map, and a
// map of no extent, which must not divide by its zero range.
#include "features/management/ne/ne_position_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr GeoBounds kNorway{4.0F, 32.0F, 72.0F, 57.0F}; // west, east, north, south
constexpr int kWidth = 280, kHeight = 150;

TEST(NePositionMapTest, TheFramesCornersAreTheMapsBounds)
{
    struct Case {
        PixelPoint pixel;
        GeoPoint point;
    };
    const Case cases[] = {
        {{0, 0}, {4.0F, 72.0F}},
        {{kWidth, 0}, {32.0F, 72.0F}},
        {{0, kHeight}, {4.0F, 57.0F}},
        {{kWidth, kHeight}, {32.0F, 57.0F}},
        {{kWidth / 2.0, kHeight / 2.0}, {18.0F, 64.5F}},
    };
    for (const Case& c : cases) {
        const GeoPoint point = PixelToGeo(c.pixel, kNorway, kWidth, kHeight);
        EXPECT_FLOAT_EQ(point.longitude, c.point.longitude) << c.pixel.x << "," << c.pixel.y;
        EXPECT_FLOAT_EQ(point.latitude, c.point.latitude) << c.pixel.x << "," << c.pixel.y;
        const PixelPoint back = GeoToPixel(c.point, kNorway, kWidth, kHeight);
        EXPECT_NEAR(back.x, c.pixel.x, 1e-3);
        EXPECT_NEAR(back.y, c.pixel.y, 1e-3);
    }
}

TEST(NePositionMapTest, APointBeyondTheMapIsClampedToTheNearerBound)
{
    struct Case {
        GeoPoint point;
        GeoPoint clamped;
    };
    const Case cases[] = {
        {{40.0F, 60.0F}, {32.0F, 60.0F}},
        {{-10.0F, 80.0F}, {4.0F, 72.0F}},
        {{10.0F, 50.0F}, {10.0F, 57.0F}},
        {{10.0F, 60.0F}, {10.0F, 60.0F}},
        {{std::numeric_limits<float>::quiet_NaN(), 60.0F}, {4.0F, 60.0F}},
    };
    for (const Case& c : cases) {
        const GeoPoint clamped = ClampToBounds(c.point, kNorway);
        EXPECT_FLOAT_EQ(clamped.longitude, c.clamped.longitude);
        EXPECT_FLOAT_EQ(clamped.latitude, c.clamped.latitude);
    }
}

TEST(NePositionMapTest, AMapOfNoExtentPutsEveryPointAtTheCentre)
{
    const GeoBounds point{10.0F, 10.0F, 60.0F, 60.0F};
    const PixelPoint at = GeoToPixel({10.0F, 60.0F}, point, kWidth, kHeight);
    EXPECT_DOUBLE_EQ(at.x, kWidth / 2.0);
    EXPECT_DOUBLE_EQ(at.y, kHeight / 2.0);
    const GeoPoint read = PixelToGeo({17, 33}, point, kWidth, kHeight);
    EXPECT_FLOAT_EQ(read.longitude, 10.0F);
    EXPECT_FLOAT_EQ(read.latitude, 60.0F);
    // A frame without pixels reads the map's first bounds as well.
    const GeoPoint none = PixelToGeo({0, 0}, kNorway, 0, 0);
    EXPECT_TRUE(std::isfinite(none.longitude) && std::isfinite(none.latitude));
}

} // namespace
