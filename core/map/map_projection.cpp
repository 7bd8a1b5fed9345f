#include "core/map/map_projection.h"

#include <algorithm>
#include <cmath>

MapFrame MakeMapFrame(const CMapDef& map, int pictureWidth, int pictureHeight)
{
    MapFrame frame;
    frame.west = map.west;
    frame.east = map.east;
    frame.north = map.north;
    frame.south = map.south;
    // A map list keeps east above west and north above south; a frame without extent stays at one pixel per degree.
    if (frame.Width() > 0.0)
        frame.scaleX = std::max(1.0, pictureWidth / frame.Width());
    if (frame.Height() > 0.0)
        frame.scaleY = std::max(1.0, pictureHeight / frame.Height());
    return frame;
}

MapPixel GeoToMapPixel(const MapFrame& frame, double longitude, double latitude)
{
    const double dx = std::clamp(longitude - frame.west, 0.0, std::max(0.0, frame.Width()));
    const double dy = std::clamp(frame.north - latitude, 0.0, std::max(0.0, frame.Height()));
    return {frame.scaleX * dx, frame.scaleY * dy};
}

GeoPosition MapPixelToGeo(const MapFrame& frame, double x, double y)
{
    const double longitude = x / frame.scaleX + frame.west;
    const double latitude = frame.north - y / frame.scaleY;
    return {std::clamp(longitude, std::min(frame.west, frame.east), std::max(frame.west, frame.east)),
            std::clamp(latitude, std::min(frame.south, frame.north), std::max(frame.south, frame.north))};
}

bool IsMapMove(const MapPixel& from, const MapPixel& to)
{
    return std::fabs(to.x - from.x) >= kMapMoveThreshold || std::fabs(to.y - from.y) >= kMapMoveThreshold;
}
