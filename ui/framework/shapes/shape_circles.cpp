// Filled circles, rings and three-dimensional rings.
#include "ui/framework/shapes/shape_colors.h"
#include "ui/framework/shapes/shape_drawers.h"

#include <algorithm>
#include <cmath>

ShapeRect SquareOf(const ShapeRect& rect)
{
    ShapeRect square = rect;
    const int spanX = rect.right - rect.left;
    const int spanY = rect.bottom - rect.top;
    if (spanX > spanY) {
        const int cut = (spanX - spanY) / 2;
        square.left += cut;
        square.right -= cut;
    } else if (spanY > spanX) {
        const int cut = (spanY - spanX) / 2;
        square.top += cut;
        square.bottom -= cut;
    }
    return square;
}

void DrawCircle(const ShapeRect& rect, COLORREF color, Dc& dc)
{
    const ShapeRect square = SquareOf(rect);
    if (square.right == square.left)
        return;
    dc.SelectPen({DcPenStyle::Null, 0, 0});
    dc.SelectBrush(DcBrush::SolidColor(color));
    dc.Ellipse(square.ToDc());
}

void DrawRing3d(const ShapeRect& rect, COLORREF first, COLORREF second, int size, bool blend, bool otherDiagonal,
                Dc& dc)
{
    const ShapeRect square = SquareOf(rect);
    const int width = square.Width();
    if (width <= 2)
        return;
    const int s = std::max(std::min(size, width / 2), 1);
    DcRect box = square.ToDc();
    for (int i = 0; i < s && !box.IsEmpty(); ++i) {
        const COLORREF a = blend ? MixColors(first, s + i, second, s - i - 1) : first;
        const COLORREF b = blend ? MixColors(second, s + i, first, s - i - 1) : second;
        const QPoint topLeft(box.left, box.top);
        const QPoint topRight(box.right, box.top);
        const QPoint bottomLeft(box.left, box.bottom);
        const QPoint bottomRight(box.right, box.bottom);
        dc.SelectPen({DcPenStyle::InsideFrame, 2, a});
        if (otherDiagonal)
            dc.Arc(box, bottomRight, topLeft); // upper-right half
        else
            dc.Arc(box, topRight, bottomLeft); // upper-left half
        dc.SelectPen({DcPenStyle::InsideFrame, 2, b});
        if (otherDiagonal)
            dc.Arc(box, topLeft, bottomRight); // lower-left half
        else
            dc.Arc(box, bottomLeft, topRight); // lower-right half
        box = box.Deflated(1, 1);
    }
}

namespace {

void DrawRing(const ShapeRecord& r, Dc& dc)
{
    const ShapeRect rect = RectOf(r);
    if (rect.right == rect.left)
        return;
    const int larger = std::max(rect.Width(), rect.Height());
    const int smaller = std::min(rect.Width(), rect.Height());
    const int s = std::max(std::min(r.size, larger / 2), 1);
    dc.SelectBrush(DcBrush::Hollow());
    if (s == 1 || r.opt1 == 0) {
        dc.SelectPen({DcPenStyle::InsideFrame, s, static_cast<COLORREF>(r.color1)});
        dc.Ellipse(rect.ToDc());
        return;
    }
    const bool wide = rect.Width() >= rect.Height();
    for (int i = 0; i < s; ++i) {
        // The inset grows by one pixel along the longer side and in proportion along the shorter one.
        const int along = i;
        const int across = larger > 0 ? static_cast<int>(std::lround(static_cast<double>(i) * smaller / larger)) : 0;
        const DcRect box = rect.ToDc().Deflated(wide ? along : across, wide ? across : along);
        if (box.IsEmpty())
            break;
        dc.SelectPen({DcPenStyle::InsideFrame, 2,
                      MixColors(static_cast<COLORREF>(r.color2), s - i - 1, static_cast<COLORREF>(r.color1), i)});
        dc.Ellipse(box);
    }
}

} // namespace

void DrawCircleShape(const ShapeRecord& r, Dc& dc)
{
    switch (r.code) {
    case kShapeC:
        DrawCircle(RectOf(r), static_cast<COLORREF>(r.color1), dc);
        break;
    case kShapeR:
        DrawRing(r, dc);
        break;
    case kShapeR2:
        DrawRing3d(RectOf(r), static_cast<COLORREF>(r.color1), static_cast<COLORREF>(r.color2), r.size, r.opt1 != 0,
                   r.opt2 == 1, dc);
        break;
    default:
        break;
    }
}
