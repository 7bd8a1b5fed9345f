// Quadrilaterals, triangles, polygons, lines and line sweeps.
#include "ui/framework/shapes/shape_colors.h"
#include "ui/framework/shapes/shape_drawers.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<QPoint> PointsOf(const ShapeRecord& r, size_t count)
{
    std::vector<QPoint> points;
    points.reserve(count);
    for (size_t i = 0; i < count; ++i)
        points.emplace_back(r.coords[2 * i], r.coords[2 * i + 1]);
    return points;
}

// The centre of a point's pixel, where gradient vertices sit.
QPointF Centre(const QPoint& p)
{
    return {p.x() + 0.5, p.y() + 0.5};
}

void Outline(const ShapeRecord& r, size_t count, Dc& dc)
{
    dc.SelectPen(ShapePen(r.extra2, r.size, static_cast<COLORREF>(r.color1)));
    dc.SelectBrush(DcBrush::Hollow());
    const std::vector<QPoint> points = PointsOf(r, count);
    dc.Polyline(points);
}

void Filled(const ShapeRecord& r, size_t count, Dc& dc)
{
    dc.SelectPen({DcPenStyle::Null, 0, 0});
    dc.SelectBrush(DcBrush::SolidColor(static_cast<COLORREF>(r.color1)));
    const std::vector<QPoint> points = PointsOf(r, count);
    dc.Polygon(points);
}

// The larger by magnitude of two values, the second on a tie.
int Larger(int a, int b)
{
    return std::abs(b) >= std::abs(a) ? b : a;
}

void DrawSweep(const ShapeRecord& r, Dc& dc)
{
    const float a = ShapeWordToReal(r.extra1);
    const float v = ShapeWordToReal(r.extra2);
    if (a == 0.0f && v == 0.0f)
        return;
    const COLORREF color1 = static_cast<COLORREF>(r.color1);
    const COLORREF color2 = static_cast<COLORREF>(r.color2);
    const int* c = r.coords.data();
    const QPoint a1(c[0], c[1]);
    const QPoint a2(c[2], c[3]);
    const QPoint b1(c[4], c[5]);
    const QPoint b2(c[6], c[7]);
    const int dx = Larger(b1.x() - a1.x(), b2.x() - a2.x());
    const int dy = Larger(b1.y() - a1.y(), b2.y() - a2.y());
    const int d = Larger(dx, dy);

    dc.SelectPen(ShapePen(r.opt1, r.size, color1));
    dc.Line(a1, a2);
    if (d == 0)
        return;
    const bool runsBackwards = (d > 0 && (a < 0 || v < 0)) || (d < 0 && (a > 0 || v > 0));
    if (!runsBackwards) {
        for (int i = 1; i <= 1000; ++i) {
            const float fi = static_cast<float>(i);
            const float t = (fi * fi * a / 2.0f + fi * v) / static_cast<float>(d);
            if (!(t < 1.0f))
                break;
            if (t > 0.001f && t < 0.999f) {
                auto at = [t](int from, int to) {
                    return static_cast<int>(static_cast<float>(from) + (to - from) * t);
                };
                dc.SelectPen(
                    ShapePen(r.opt1, r.size,
                             MixColors(color1, static_cast<int>(t * 255), color2, static_cast<int>((1.0f - t) * 255))));
                dc.Line({at(b1.x(), a1.x()), at(b1.y(), a1.y())}, {at(b2.x(), a2.x()), at(b2.y(), a2.y())});
            }
        }
    }
    dc.SelectPen(ShapePen(r.opt1, r.size, color2));
    dc.Line(b1, b2);
}

void DrawGradientTriangles(const ShapeRecord& r, Dc& dc)
{
    const std::vector<QPoint> p = PointsOf(r, r.code == kShapeQG ? 4 : 3);
    const COLORREF c1 = static_cast<COLORREF>(r.color1);
    const COLORREF c2 = static_cast<COLORREF>(r.color2);
    const COLORREF c3 = static_cast<COLORREF>(r.extra1);
    dc.GradientFillTriangle(Centre(p[0]), c1, Centre(p[1]), c2, Centre(p[2]), c3);
    if (r.code == kShapeQG)
        dc.GradientFillTriangle(Centre(p[0]), c1, Centre(p[2]), c3, Centre(p[3]), static_cast<COLORREF>(r.extra2));
}

} // namespace

void DrawPolygonShape(const ShapeRecord& r, Dc& dc)
{
    switch (r.code) {
    case kShapeQ:
        Outline(r, 5, dc);
        break;
    case kShapeQS:
        Filled(r, 4, dc);
        break;
    case kShapeTR:
        Outline(r, 4, dc);
        break;
    case kShapeTRS:
        Filled(r, 3, dc);
        break;
    case kShapeQG:
    case kShapeTRG:
        DrawGradientTriangles(r, dc);
        break;
    case kShapePL:
        Outline(r, static_cast<size_t>(r.index), dc);
        break;
    case kShapePS:
    case kShapePG:
        Filled(r, static_cast<size_t>(r.index), dc);
        break;
    case kShapeL:
        Outline(r, 2, dc);
        break;
    case kShapeLA:
        DrawSweep(r, dc);
        break;
    default:
        break;
    }
}
