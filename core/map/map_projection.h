#pragma once
// Where a longitude and latitude lie on a map's picture, and back. A map covers its bounds with its picture; a point
// outside the bounds is put on the nearest edge, and a position taken from the picture is kept within the bounds.
// Pixels count from the picture's top-left corner, x to the east and y to the south.

#include "core/map/map_def.h"

// Moves below this many pixels in both directions are no move.
inline constexpr double kMapMoveThreshold = 3.0;

struct MapFrame {
    double west = kWorldWest;
    double east = kWorldEast;
    double north = kWorldNorth;
    double south = kWorldSouth;
    double scaleX = 1.0; // pixels per degree of longitude
    double scaleY = 1.0; // pixels per degree of latitude

    double Width() const { return east - west; }
    double Height() const { return north - south; }
};

struct MapPixel {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const MapPixel&) const = default;
};

struct GeoPosition {
    double longitude = 0.0;
    double latitude = 0.0;
    bool operator==(const GeoPosition&) const = default;
};

// The frame of a map whose picture has the given size in pixels: the picture spans the bounds, at one pixel per
// degree at least (a map without a picture, or a small one, is drawn at that scale).
MapFrame MakeMapFrame(const CMapDef& map, int pictureWidth, int pictureHeight);

// The pixel of a position; a position beyond the bounds lies on the nearest edge.
MapPixel GeoToMapPixel(const MapFrame& frame, double longitude, double latitude);
// The position at a pixel, kept within the bounds.
GeoPosition MapPixelToGeo(const MapFrame& frame, double x, double y);
// True when the node moved by the threshold or more in either direction.
bool IsMapMove(const MapPixel& from, const MapPixel& to);
