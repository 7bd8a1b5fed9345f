#pragma once
// The drawers of the shape families, called by DrawShape with a record whose coordinates it has checked.

#include "core/shape/shape_record.h"
#include "platform/dc.h"

// Coordinates beyond this magnitude are limited to it: the pixel arithmetic stays far from overflow and the ring and
// frame loops of a broken shape stay short.
inline constexpr int kShapeCoordLimit = 1 << 15;

// The shape's rectangle (coords 0..3, both edges included).
struct ShapeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    DcRect ToDc() const { return {left, top, right + 1, bottom + 1}; }
};

ShapeRect RectOf(const ShapeRecord& record);
// The rectangle made square by shrinking its longer side by half the difference (truncated) at both ends.
ShapeRect SquareOf(const ShapeRect& rect);
// The pen of a shape: a style number of the shape string, a width and a colour.
DcPen ShapePen(int style, int width, COLORREF color);

void DrawBevelShape(const ShapeRecord& record, Dc& dc);   // B3, BB, BG, BR
void DrawRectShape(const ShapeRecord& record, Dc& dc);    // RL, RS, RG, RPH, RPF, RPR
void DrawPolygonShape(const ShapeRecord& record, Dc& dc); // Q, QS, QG, TR, TRS, TRG, PL, PS, PG, L, LA
void DrawCircleShape(const ShapeRecord& record, Dc& dc);  // C, R, R2
void DrawTextShape(const ShapeRecord& record, Dc& dc);    // T .. TPR

// Shared pieces.
void DrawCircle(const ShapeRect& rect, COLORREF color, Dc& dc);
void DrawRing3d(const ShapeRect& rect, COLORREF first, COLORREF second, int size, bool blend, bool otherDiagonal,
                Dc& dc);
void DrawGradientRect(const ShapeRect& rect, int direction, COLORREF c1, COLORREF c2, COLORREF c3, bool threeColors,
                      Dc& dc);
void DrawHatchRect(const ShapeRect& rect, int styles, COLORREF color, COLORREF background, bool opaque, Dc& dc);
// Placement 1 at its own size, 2 stretched, 3 tiled, 4 scaled keeping its proportions; image and mask may be null.
void DrawPictureRect(const ShapeRect& rect, int placement, const QImage* image, const QImage* mask, Dc& dc);
