// Frames, bordered and gradient rectangles, hatch and picture fills.
#include "ui/framework/shapes/shape_colors.h"
#include "ui/framework/shapes/shape_drawers.h"
#include "ui/framework/shapes/shape_pictures.h"

#include <algorithm>
#include <cmath>

namespace {

// A frame depth limited to half of each side less one.
int FrameDepth(int size, const ShapeRect& rect)
{
    return std::min({size, rect.Width() / 2 - 1, rect.Height() / 2 - 1});
}

void DrawLineFrame(const ShapeRecord& r, Dc& dc)
{
    const ShapeRect rect = RectOf(r);
    const int s = std::max(FrameDepth(r.size, rect), 1);
    const COLORREF color1 = static_cast<COLORREF>(r.color1);
    const COLORREF color2 = static_cast<COLORREF>(r.color2);
    dc.SetBkMode(DcBkMode::Transparent);
    dc.SelectBrush(DcBrush::Hollow());
    if (s < 2 || r.opt1 == 0) {
        if (r.opt2 == 0)
            dc.SelectPen({DcPenStyle::InsideFrame, s, color1, Qt::SquareCap, Qt::MiterJoin});
        else
            dc.SelectPen({DcPenStyle::Dot, 1, color1}); // a selection frame
        dc.Rectangle(rect.ToDc());
        return;
    }
    DcRect box = rect.ToDc();
    for (int i = 0; i < s; ++i) {
        dc.SelectPen({DcPenStyle::InsideFrame, 1, MixColors(color2, s - i - 1, color1, i)});
        dc.Rectangle(box);
        box = box.Deflated(1, 1);
    }
}

void DrawFilledFrame(const ShapeRecord& r, Dc& dc)
{
    const ShapeRect rect = RectOf(r);
    const int s = FrameDepth(r.size, rect);
    const COLORREF color1 = static_cast<COLORREF>(r.color1);
    const COLORREF color2 = static_cast<COLORREF>(r.color2);
    if (s < 1) {
        dc.FillSolidRect(rect.ToDc(), color1);
        return;
    }
    if (r.opt1 != 1) {
        dc.SelectBrush(DcBrush::SolidColor(color1));
        dc.SelectPen({DcPenStyle::InsideFrame, s, color2});
        dc.Rectangle(rect.ToDc());
        return;
    }
    DcRect box = rect.ToDc();
    dc.SelectBrush(DcBrush::Hollow());
    for (int i = 0; i < s; ++i) {
        dc.SelectPen({DcPenStyle::InsideFrame, 1, MixColors(color2, s - i - 1, static_cast<COLORREF>(r.extra1), i)});
        dc.Rectangle(box);
        box = box.Deflated(1, 1);
    }
    dc.FillSolidRect(box, color1);
}

// Gradient bands between stops at the given pixel rows (columns), each stop's colour at its own row (column).
void DrawBands(const ShapeRect& rect, bool vertical, std::initializer_list<std::pair<int, COLORREF>> stops, Dc& dc)
{
    const auto* previous = stops.begin();
    for (const auto* stop = previous + 1; stop != stops.end(); previous = stop, ++stop) {
        DcRect band = rect.ToDc();
        if (vertical) {
            band.top = previous->first;
            band.bottom = stop->first + 1;
        } else {
            band.left = previous->first;
            band.right = stop->first + 1;
        }
        dc.GradientFillRect(band, previous->second, stop->second, vertical);
    }
}

} // namespace

void DrawGradientRect(const ShapeRect& rect, int direction, COLORREF c1, COLORREF c2, COLORREF c3, bool threeColors,
                      Dc& dc)
{
    const bool vertical = direction == 1 || direction == 4;
    const int first = vertical ? rect.top : rect.left;
    const int last = vertical ? rect.bottom : rect.right;
    const int middle = (first + last) / 2;
    const int quarter = (3 * first + last) / 4;
    const int threeQuarters = (first + 3 * last) / 4;
    // Triangle corners lie on the outer edges of the rectangle's pixels.
    const QPointF topLeft(rect.left, rect.top);
    const QPointF topRight(rect.right + 1, rect.top);
    const QPointF bottomLeft(rect.left, rect.bottom + 1);
    const QPointF bottomRight(rect.right + 1, rect.bottom + 1);
    switch (direction) {
    case 1:
    case 2:
        if (threeColors)
            DrawBands(rect, vertical, {{first, c1}, {middle, c2}, {last, c3}}, dc);
        else
            DrawBands(rect, vertical, {{first, c1}, {last, c2}}, dc);
        break;
    case 3:
    case 4:
        if (threeColors)
            DrawBands(rect, vertical, {{first, c1}, {quarter, c2}, {middle, c3}, {threeQuarters, c2}, {last, c1}}, dc);
        else
            DrawBands(rect, vertical, {{first, c1}, {middle, c2}, {last, c1}}, dc);
        break;
    case 5:
    case 7: {
        const COLORREF cornerBR = direction == 7 ? c3 : c1;
        dc.GradientFillTriangle(topLeft, c1, topRight, c2, bottomLeft, c2);
        dc.GradientFillTriangle(topRight, c2, bottomRight, cornerBR, bottomLeft, c2);
        break;
    }
    case 6:
    case 8: {
        const COLORREF cornerBL = direction == 8 ? c3 : c1;
        dc.GradientFillTriangle(topLeft, c2, topRight, c1, bottomRight, c2);
        dc.GradientFillTriangle(topLeft, c2, bottomRight, c2, bottomLeft, cornerBL);
        break;
    }
    case 9: {
        const QPointF centre((rect.left + rect.right) / 2 + 0.5, (rect.top + rect.bottom) / 2 + 0.5);
        dc.GradientFillTriangle(topLeft, c1, topRight, c1, centre, c2);
        dc.GradientFillTriangle(topRight, c1, bottomRight, c1, centre, c2);
        dc.GradientFillTriangle(bottomRight, c1, bottomLeft, c1, centre, c2);
        dc.GradientFillTriangle(bottomLeft, c1, topLeft, c1, centre, c2);
        break;
    }
    default:
        dc.FillSolidRect(rect.ToDc(), c1);
        break;
    }
}

void DrawHatchRect(const ShapeRect& rect, int styles, COLORREF color, COLORREF background, bool opaque, Dc& dc)
{
    const int penStyle = styles & 0xFFFF;
    const int hatch = static_cast<int>(static_cast<uint32_t>(styles) >> 16);
    dc.SelectPen(ShapePen(penStyle, 1, color));
    if (hatch >= 0 && hatch <= static_cast<int>(DcHatch::DiagonalCross))
        dc.SelectBrush(DcBrush::Hatched(static_cast<DcHatch>(hatch), color));
    else
        dc.SelectBrush(DcBrush::Hollow()); // no such hatch: the outline alone
    dc.SetBkColor(background);
    dc.SetBkMode(opaque ? DcBkMode::Opaque : DcBkMode::Transparent);
    dc.Rectangle(rect.ToDc());
}

void DrawPictureRect(const ShapeRect& rect, int placement, const QImage* image, const QImage* mask, Dc& dc)
{
    if (image == nullptr || image->isNull())
        return;
    const DcRect box = rect.ToDc();
    if (box.IsEmpty())
        return;
    // With a mask the picture is drawn transparently: the mask cuts out, the picture fills in.
    auto draw = [&](auto&& blit) {
        if (mask != nullptr && !mask->isNull()) {
            blit(*mask, DcRop::SrcAnd);
            blit(*image, DcRop::SrcPaint);
        } else {
            blit(*image, DcRop::SrcCopy);
        }
    };
    switch (placement) {
    case 1: {
        const int w = std::min(image->width(), box.Width());
        const int h = std::min(image->height(), box.Height());
        draw([&](const QImage& picture, DcRop rop) { dc.BitBlt(box.left, box.top, picture.copy(0, 0, w, h), rop); });
        break;
    }
    case 2:
        draw([&](const QImage& picture, DcRop rop) { dc.StretchBlt(box, picture, rop); });
        break;
    case 3:
        draw([&](const QImage& picture, DcRop rop) { dc.TileImage(box, picture, rop); });
        break;
    case 4: {
        // Scaled by the smaller ratio and centred, so that the picture keeps its proportions.
        const double ratio = std::min(static_cast<double>(box.Width()) / image->width(),
                                      static_cast<double>(box.Height()) / image->height());
        const int w = std::max(1, static_cast<int>(std::lround(image->width() * ratio)));
        const int h = std::max(1, static_cast<int>(std::lround(image->height() * ratio)));
        const int x = box.left + (box.Width() - w) / 2;
        const int y = box.top + (box.Height() - h) / 2;
        draw([&](const QImage& picture, DcRop rop) { dc.StretchBlt({x, y, x + w, y + h}, picture, rop); });
        break;
    }
    default:
        break;
    }
}

void DrawRectShape(const ShapeRecord& r, Dc& dc)
{
    const ShapeRect rect = RectOf(r);
    switch (r.code) {
    case kShapeRL:
        DrawLineFrame(r, dc);
        break;
    case kShapeRS:
        DrawFilledFrame(r, dc);
        break;
    case kShapeRG:
        DrawGradientRect(rect, r.extra2, static_cast<COLORREF>(r.color1), static_cast<COLORREF>(r.color2),
                         static_cast<COLORREF>(r.extra1), r.opt1 != 0, dc);
        break;
    case kShapeRPH:
        DrawHatchRect(rect, r.extra1, static_cast<COLORREF>(r.color1), static_cast<COLORREF>(r.color2), r.opt1 != 0,
                      dc);
        break;
    case kShapeRPF:
        DrawPictureRect(rect, r.extra1, ShapePictures().Find(r.color1), ShapePictures().Find(r.color2), dc);
        break;
    case kShapeRPR:
        DrawPictureRect(rect, r.extra1, ShapePictures().FindResource(r.color1), ShapePictures().FindResource(r.color2),
                        dc);
        break;
    default:
        break;
    }
}
