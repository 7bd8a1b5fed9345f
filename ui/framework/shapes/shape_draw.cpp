#include "ui/framework/shapes/shape_draw.h"

#include "ui/framework/shapes/shape_drawers.h"

#include <algorithm>

namespace {

// The number of coordinates the code needs; 0 when the record cannot be drawn.
size_t NeededCoords(const ShapeRecord& r)
{
    switch (r.code) {
    case kShapeQ:
        return 10;
    case kShapeQS:
    case kShapeQG:
    case kShapeLA:
    case kShapeTR:
        return 8;
    case kShapeTRS:
    case kShapeTRG:
        return 6;
    case kShapeL:
        return 4;
    case kShapePL:
    case kShapePS:
    case kShapePG:
        return r.index >= 1 && r.index <= kMaxShapePoints + 1 ? static_cast<size_t>(r.index) * 2 : 0;
    default:
        return 4;
    }
}

} // namespace

ShapeRect RectOf(const ShapeRecord& record)
{
    return {record.coords[0], record.coords[1], record.coords[2], record.coords[3]};
}

DcPen ShapePen(int style, int width, COLORREF color)
{
    DcPen pen;
    pen.style = style >= 0 && style <= static_cast<int>(DcPenStyle::InsideFrame) ? static_cast<DcPenStyle>(style)
                                                                                 : DcPenStyle::Solid;
    pen.width = std::clamp(width, 0, kShapeCoordLimit);
    pen.color = color;
    return pen;
}

void DrawShape(const ShapeRecord* record, Dc* dc)
{
    if (record == nullptr || dc == nullptr)
        return;
    DrawShape(*record, *dc);
}

void DrawShape(const ShapeRecord& record, Dc& dc)
{
    if (record.code < 1 || record.code > kShapeCodeCount || record.coords.empty())
        return;
    const size_t needed = NeededCoords(record);
    if (needed == 0 || record.coords.size() < needed)
        return;
    ShapeRecord r = record;
    for (int32_t& c : r.coords)
        c = std::clamp(c, -kShapeCoordLimit, kShapeCoordLimit);
    r.size = std::clamp(r.size, -kShapeCoordLimit, kShapeCoordLimit);

    DcStateSaver saved(dc);
    switch (r.code) {
    case kShapeB3:
    case kShapeBB:
    case kShapeBG:
    case kShapeBR:
        DrawBevelShape(r, dc);
        break;
    case kShapeRL:
    case kShapeRS:
    case kShapeRG:
    case kShapeRPH:
    case kShapeRPF:
    case kShapeRPR:
        DrawRectShape(r, dc);
        break;
    case kShapeC:
    case kShapeR:
    case kShapeR2:
        DrawCircleShape(r, dc);
        break;
    default:
        if (IsShapeTextCode(r.code))
            DrawTextShape(r, dc);
        else
            DrawPolygonShape(r, dc);
        break;
    }
}
