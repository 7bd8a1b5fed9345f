#pragma once
// Where an NE lies on the map that frames it, as the NE dialog's Position page shows it: a point in degrees drawn in a
// frame of pixels whose top edge is the map's northern bound and whose left edge its western bound. A map of no
// extent (equal bounds, or none that are numbers) draws every point at the frame's centre and reads every pixel as
// its first bound, so that no division by a zero range happens. Window-free.

struct GeoBounds {
    float west = 0.0F;  // minimum longitude
    float east = 0.0F;  // maximum longitude
    float north = 0.0F; // maximum latitude
    float south = 0.0F; // minimum latitude
};

struct GeoPoint {
    float longitude = 0.0F;
    float latitude = 0.0F;
};

struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

// The point moved into the bounds.
GeoPoint ClampToBounds(GeoPoint point, const GeoBounds& bounds);
// The middle of the bounds.
GeoPoint CentreOf(const GeoBounds& bounds);
// The point's place in a frame of width x height pixels.
PixelPoint GeoToPixel(GeoPoint point, const GeoBounds& bounds, int width, int height);
// The point a pixel of the frame stands for.
GeoPoint PixelToGeo(PixelPoint pixel, const GeoBounds& bounds, int width, int height);
