#include "core/map/map_projection.h"

#include <gtest/gtest.h>

namespace {

// 2 degrees by 1 on a picture of 640 x 320 pixels: 320 pixels per degree each way.
CMapDef Region()
{
    CMapDef map;
    map.id = 1;
    map.west = 24.0F;
    map.east = 26.0F;
    map.north = 61.0F;
    map.south = 60.0F;
    return map;
}

CMapDef World()
{
    CMapDef map;
    map.west = kWorldWest;
    map.east = kWorldEast;
    map.north = kWorldNorth;
    map.south = kWorldSouth;
    return map;
}

TEST(MapProjection, ScaleIsPicturePerDegreeAndAtLeastOne)
{
    const MapFrame region = MakeMapFrame(Region(), 640, 320);
    EXPECT_DOUBLE_EQ(region.scaleX, 320.0);
    EXPECT_DOUBLE_EQ(region.scaleY, 320.0);
    const MapFrame world = MakeMapFrame(World(), 0, 0);
    EXPECT_DOUBLE_EQ(world.scaleX, 1.0);
    EXPECT_DOUBLE_EQ(world.scaleY, 1.0);
    const MapFrame small = MakeMapFrame(World(), 90, 500);
    EXPECT_DOUBLE_EQ(small.scaleX, 1.0) << "a picture narrower than the degrees it spans";
    EXPECT_DOUBLE_EQ(small.scaleY, 500.0 / 180.0);
}

TEST(MapProjection, PositionsMapToPixelsAndThoseOutsideToTheNearestEdge)
{
    const MapFrame frame = MakeMapFrame(Region(), 640, 320);
    const struct {
        double longitude;
        double latitude;
        MapPixel pixel;
    } rows[] = {
        {24.0, 61.0, {0, 0}},      // north-west corner
        {26.0, 60.0, {640, 320}},  // south-east corner
        {25.0, 60.5, {320, 160}},  // the middle
        {10.0, 60.5, {0, 160}},    // west of the map
        {30.0, 62.0, {640, 0}},    // north-east of it
        {24.5, -10.0, {160, 320}}, // far south
    };
    for (const auto& row : rows) {
        const MapPixel pixel = GeoToMapPixel(frame, row.longitude, row.latitude);
        EXPECT_DOUBLE_EQ(pixel.x, row.pixel.x) << row.longitude << "," << row.latitude;
        EXPECT_DOUBLE_EQ(pixel.y, row.pixel.y) << row.longitude << "," << row.latitude;
    }
}

TEST(MapProjection, PixelsMapBackWithinTheBounds)
{
    const MapFrame frame = MakeMapFrame(Region(), 640, 320);
    const struct {
        double x;
        double y;
        GeoPosition position;
    } rows[] = {
        {320, 160, {25.0, 60.5}},  {0, 0, {24.0, 61.0}},
        {-50, 400, {24.0, 60.0}}, // dropped beyond the picture's left and bottom edges
        {900, -20, {26.0, 61.0}}, // and beyond its right and top edges
        {80, 240, {24.25, 60.25}},
    };
    for (const auto& row : rows) {
        const GeoPosition position = MapPixelToGeo(frame, row.x, row.y);
        EXPECT_DOUBLE_EQ(position.longitude, row.position.longitude) << row.x << "," << row.y;
        EXPECT_DOUBLE_EQ(position.latitude, row.position.latitude) << row.x << "," << row.y;
    }
    // There and back.
    const MapPixel pixel = GeoToMapPixel(frame, 24.731, 60.118);
    const GeoPosition back = MapPixelToGeo(frame, pixel.x, pixel.y);
    EXPECT_NEAR(back.longitude, 24.731, 1e-9);
    EXPECT_NEAR(back.latitude, 60.118, 1e-9);
}

TEST(MapProjection, AMoveIsThreePixelsOrMoreInEitherDirection)
{
    const MapPixel from{100, 100};
    const struct {
        MapPixel to;
        bool move;
    } rows[] = {
        {{100, 100}, false}, {{102.9, 102.9}, false}, {{97.1, 97.1}, false}, {{103, 100}, true},
        {{100, 97}, true},   {{50, 100}, true},       {{102, 104}, true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsMapMove(from, row.to), row.move) << row.to.x << "," << row.to.y;
}

} // namespace
