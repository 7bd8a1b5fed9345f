// Bevelled frames and buttons, and the round lamp.
#include "ui/framework/shapes/shape_colors.h"
#include "ui/framework/shapes/shape_drawers.h"

#include <algorithm>

namespace {

// The depth of a grey bevel: at most half the side less 2, and 1 on a side below 4 pixels.
int GreyBevelDepth(int depth, int side)
{
    if (side >= 4)
        return std::min(depth, side / 2 - 2);
    return depth >= 1 ? 1 : depth;
}

void DrawGreyBevel(const ShapeRecord& r, Dc& dc, bool filled)
{
    const ShapeRect rect = RectOf(r);
    int d = GreyBevelDepth(r.size, rect.Width());
    d = GreyBevelDepth(d, rect.Height());
    DcRect box = rect.ToDc();
    const COLORREF fill = static_cast<COLORREF>(r.color1);
    if (d < 1) {
        if (filled)
            dc.FillSolidRect(box, fill);
        return;
    }
    const bool raised = r.opt2 == 1;
    for (int i = 0; i < d; ++i) {
        COLORREF topLeft;
        COLORREF bottomRight;
        if (raised) {
            topLeft = ShadeColor(0xA0A0A0, static_cast<double>(i) / d);
            bottomRight = ShadeColor(0x606060, -static_cast<double>(i + 1) / (d + 1));
        } else {
            topLeft = ShadeColor(0x606060, -(static_cast<double>(i) / d));
            bottomRight = ShadeColor(0xA0A0A0, static_cast<double>(i + 1) / (d + 1));
        }
        dc.Draw3dRect(box, topLeft, bottomRight);
        box = box.Deflated(1, 1);
    }
    if (filled)
        dc.FillSolidRect(box, fill);
}

void DrawColourBevel(const ShapeRecord& r, Dc& dc)
{
    const ShapeRect rect = RectOf(r);
    const int d = std::min({rect.Height() / 2, rect.Width() / 2, r.size});
    DcRect box = rect.ToDc();
    const COLORREF color = static_cast<COLORREF>(r.color1);
    if (d < 1) {
        dc.FillSolidRect(box, color);
        return;
    }
    for (int k = 1; k <= d; ++k) {
        const double f = static_cast<double>(k) / (d + 1);
        COLORREF light = ShadeColor(color, f);
        COLORREF dark = ShadeColor(color, -f);
        if (r.opt2 != 0)
            dc.Draw3dRect(box, light, dark);
        else
            dc.Draw3dRect(box, dark, light);
        box = box.Deflated(1, 1);
    }
    dc.FillSolidRect(box, color);
}

ShapeRect Shrunk(const ShapeRect& r)
{
    return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

void DrawLamp(const ShapeRecord& r, Dc& dc)
{
    ShapeRect rect = SquareOf(RectOf(r));
    const int s = rect.right - rect.left;
    if (s <= 0)
        return;
    const COLORREF color = static_cast<COLORREF>(r.color1);
    if (s + 1 < 3) {
        DrawCircle(rect, color, dc);
        return;
    }
    if (s + 1 == 3) {
        DrawRing3d(rect, 0x404040, 0xC0C0C0, 1, false, false, dc);
        DrawCircle(Shrunk(rect), color, dc);
        return;
    }
    DrawRing3d(rect, 0x808080, 0xFFFFFF, 1, false, false, dc);
    rect = Shrunk(rect);
    DrawRing3d(rect, 0x404040, 0xC0C0C0, 1, false, false, dc);
    DrawCircle(Shrunk(rect), color, dc);
}

} // namespace

void DrawBevelShape(const ShapeRecord& r, Dc& dc)
{
    switch (r.code) {
    case kShapeB3:
        DrawGreyBevel(r, dc, true);
        break;
    case kShapeBB:
        DrawGreyBevel(r, dc, false);
        break;
    case kShapeBG:
        DrawColourBevel(r, dc);
        break;
    case kShapeBR:
        DrawLamp(r, dc);
        break;
    default:
        break;
    }
}
