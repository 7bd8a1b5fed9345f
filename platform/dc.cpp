#include "platform/dc.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

Qt::BrushStyle HatchPattern(DcHatch hatch)
{
    switch (hatch) {
    case DcHatch::Horizontal:
        return Qt::HorPattern;
    case DcHatch::Vertical:
        return Qt::VerPattern;
    case DcHatch::ForwardDiagonal:
        return Qt::FDiagPattern;
    case DcHatch::BackwardDiagonal:
        return Qt::BDiagPattern;
    case DcHatch::Cross:
        return Qt::CrossPattern;
    case DcHatch::DiagonalCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::NoBrush;
}

Qt::PenStyle QtDash(DcPenStyle style)
{
    switch (style) {
    case DcPenStyle::Dash:
        return Qt::DashLine;
    case DcPenStyle::Dot:
        return Qt::DotLine;
    case DcPenStyle::DashDot:
        return Qt::DashDotLine;
    case DcPenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

bool IsDashed(DcPenStyle style)
{
    return QtDash(style) != Qt::SolidLine;
}

// The pixels of row y (centre y + 0.5) inside the ellipse bounded by r; false when none.
bool EllipseSpan(const DcRect& r, int y, int& x0, int& x1)
{
    if (r.IsEmpty())
        return false;
    const double a = r.Width() / 2.0;
    const double b = r.Height() / 2.0;
    const double cx = r.left + a;
    const double cy = r.top + b;
    const double dy = (y + 0.5 - cy) / b;
    if (dy < -1.0 || dy > 1.0)
        return false;
    const double half = a * std::sqrt(1.0 - dy * dy);
    x0 = static_cast<int>(std::ceil(cx - half - 0.5));
    x1 = static_cast<int>(std::floor(cx + half - 0.5));
    return x0 <= x1;
}

int Blend(int from, int to, double t)
{
    return static_cast<int>(std::lround(from + (to - from) * t));
}

COLORREF Lerp(COLORREF a, COLORREF b, double t)
{
    return Rgb(Blend(RedOf(a), RedOf(b), t), Blend(GreenOf(a), GreenOf(b), t), Blend(BlueOf(a), BlueOf(b), t));
}

// Whether every pixel of `area` lies inside the ellipse bounded by r (so that a band outside that ellipse misses it).
bool EllipseCovers(const DcRect& r, const DcRect& area)
{
    if (r.IsEmpty() || area.IsEmpty())
        return false;
    const double a = r.Width() / 2.0;
    const double b = r.Height() / 2.0;
    const double cx = r.left + a;
    const double cy = r.top + b;
    for (double x : {area.left + 0.5, area.right - 0.5}) {
        for (double y : {area.top + 0.5, area.bottom - 0.5}) {
            const double dx = (x - cx) / a;
            const double dy = (y - cy) / b;
            if (dx * dx + dy * dy > 1.0)
                return false;
        }
    }
    return true;
}

DcRect Intersect(const DcRect& a, const DcRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Outline bounds for a pen: inside the rectangle for inside-frame and one-pixel pens, centred on its edge otherwise.
DcRect OutlineBounds(const DcRect& rect, const DcPen& pen, int width)
{
    if (pen.style == DcPenStyle::InsideFrame || width <= 1)
        return rect;
    return {rect.left - width / 2, rect.top - width / 2, rect.right + (width - 1) / 2, rect.bottom + (width - 1) / 2};
}

} // namespace

Dc::Dc(QPainter& painter) : painter_(painter)
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    font_ = painter_.font();
}

Dc::~Dc()
{
    painter_.restore();
}

DcPen Dc::SelectPen(const DcPen& pen)
{
    return std::exchange(pen_, pen);
}

DcBrush Dc::SelectBrush(const DcBrush& brush)
{
    return std::exchange(brush_, brush);
}

QFont Dc::SelectFont(const QFont& font)
{
    return std::exchange(font_, font);
}

COLORREF Dc::SetTextColor(COLORREF color)
{
    return std::exchange(textColor_, color);
}

COLORREF Dc::SetBkColor(COLORREF color)
{
    return std::exchange(bkColor_, color);
}

DcBkMode Dc::SetBkMode(DcBkMode mode)
{
    return std::exchange(bkMode_, mode);
}

QBrush Dc::QtBrush() const
{
    switch (brush_.kind) {
    case DcBrush::Kind::Solid:
        return QBrush(ToQColor(brush_.color));
    case DcBrush::Kind::Hatch:
        return QBrush(ToQColor(brush_.color), HatchPattern(brush_.hatch));
    case DcBrush::Kind::Null:
        break;
    }
    return Qt::NoBrush;
}

QPen Dc::QtPen() const
{
    if (pen_.style == DcPenStyle::Null)
        return Qt::NoPen;
    const int width = PenWidth();
    QPen pen(ToQColor(pen_.color));
    pen.setWidth(width <= 1 ? 0 : width);
    pen.setStyle(width <= 1 ? QtDash(pen_.style) : Qt::SolidLine);
    pen.setCapStyle(pen_.cap);
    pen.setJoinStyle(pen_.join);
    return pen;
}

void Dc::ApplyBackground()
{
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setBackgroundMode(bkMode_ == DcBkMode::Opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(QBrush(ToQColor(bkColor_)));
}

DcRect Dc::VisibleBounds() const
{
    const QPaintDevice* device = painter_.device();
    QRect all(0, 0, device ? device->width() : 0, device ? device->height() : 0);
    QRect mapped = painter_.transform().inverted().mapRect(all).adjusted(-1, -1, 1, 1);
    return {mapped.left(), mapped.top(), mapped.right() + 1, mapped.bottom() + 1};
}

void Dc::FillSolidRect(const DcRect& rect, COLORREF color)
{
    if (rect.IsEmpty())
        return;
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}

void Dc::Draw3dRect(const DcRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int x = rect.left;
    const int y = rect.top;
    const int cx = rect.Width();
    const int cy = rect.Height();
    FillSolidRect({x, y, x + cx - 1, y + 1}, topLeft);
    FillSolidRect({x, y, x + 1, y + cy - 1}, topLeft);
    FillSolidRect({x + cx - 1, y, x + cx, y + cy}, bottomRight);
    FillSolidRect({x, y + cy - 1, x + cx, y + cy}, bottomRight);
}

void Dc::Rectangle(const DcRect& rect)
{
    if (rect.IsEmpty())
        return;
    ApplyBackground();
    if (pen_.style == DcPenStyle::Null) {
        if (brush_.kind != DcBrush::Kind::Null)
            painter_.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), QtBrush());
        return;
    }
    const int width = PenWidth();
    const DcRect outer = OutlineBounds(rect, pen_, width);
    const DcRect inner = outer.Deflated(width, width);
    if (brush_.kind != DcBrush::Kind::Null && !inner.IsEmpty())
        painter_.fillRect(QRect(inner.left, inner.top, inner.Width(), inner.Height()), QtBrush());
    if (width <= 1 && IsDashed(pen_.style)) {
        painter_.setPen(QtPen());
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(QRect(outer.left, outer.top, outer.Width() - 1, outer.Height() - 1));
        return;
    }
    if (inner.IsEmpty()) {
        FillSolidRect(outer, pen_.color);
        return;
    }
    FillSolidRect({outer.left, outer.top, outer.right, inner.top}, pen_.color);
    FillSolidRect({outer.left, inner.bottom, outer.right, outer.bottom}, pen_.color);
    FillSolidRect({outer.left, inner.top, inner.left, inner.bottom}, pen_.color);
    FillSolidRect({inner.right, inner.top, outer.right, inner.bottom}, pen_.color);
}

void Dc::FillEllipseBand(const DcRect& outer, const DcRect& inner, const QBrush& brush)
{
    const DcRect visible = VisibleBounds();
    const DcRect rows = Intersect(outer, visible);
    if (rows.IsEmpty() || EllipseCovers(inner, Intersect(visible, outer)))
        return;
    for (int y = rows.top; y < rows.bottom; ++y) {
        int x0 = 0;
        int x1 = 0;
        if (!EllipseSpan(outer, y, x0, x1))
            continue;
        int i0 = 0;
        int i1 = 0;
        if (EllipseSpan(inner, y, i0, i1)) {
            if (i0 > x0)
                painter_.fillRect(QRect(x0, y, i0 - x0, 1), brush);
            if (x1 > i1)
                painter_.fillRect(QRect(i1 + 1, y, x1 - i1, 1), brush);
        } else {
            painter_.fillRect(QRect(x0, y, x1 - x0 + 1, 1), brush);
        }
    }
}

void Dc::Ellipse(const DcRect& rect)
{
    if (rect.IsEmpty())
        return;
    ApplyBackground();
    if (pen_.style == DcPenStyle::Null) {
        if (brush_.kind != DcBrush::Kind::Null)
            FillEllipseBand(rect, {}, QtBrush());
        return;
    }
    const int width = PenWidth();
    const DcRect outer = OutlineBounds(rect, pen_, width);
    const DcRect inner = outer.Deflated(width, width);
    if (brush_.kind != DcBrush::Kind::Null && !inner.IsEmpty())
        FillEllipseBand(inner, {}, QtBrush());
    if (width <= 1 && IsDashed(pen_.style)) {
        painter_.setPen(QtPen());
        painter_.setBrush(Qt::NoBrush);
        painter_.drawEllipse(QRect(outer.left, outer.top, outer.Width() - 1, outer.Height() - 1));
        return;
    }
    FillEllipseBand(outer, inner, QBrush(ToQColor(pen_.color)));
}

void Dc::Arc(const DcRect& rect, QPoint start, QPoint end)
{
    if (rect.IsEmpty() || pen_.style == DcPenStyle::Null)
        return;
    const int width = PenWidth();
    const DcRect outer = OutlineBounds(rect, pen_, width);
    const DcRect inner = outer.Deflated(width, width);
    const double cx = (rect.left + rect.right) / 2.0;
    const double cy = (rect.top + rect.bottom) / 2.0;
    constexpr double kTurn = 2 * std::numbers::pi;
    // Angles grow counter-clockwise on the screen, where y grows downwards.
    auto angleOf = [&](double x, double y) { return std::atan2(cy - y, x - cx); };
    const double from = angleOf(start.x(), start.y());
    double sweep = std::fmod(angleOf(end.x(), end.y()) - from + 2 * kTurn, kTurn);
    if (sweep <= 0.0)
        sweep = kTurn;
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor color = ToQColor(pen_.color);
    const DcRect visible = VisibleBounds();
    const DcRect rows = Intersect(outer, visible);
    if (rows.IsEmpty() || EllipseCovers(inner, Intersect(visible, outer)))
        return;
    for (int y = rows.top; y < rows.bottom; ++y) {
        int x0 = 0;
        int x1 = 0;
        if (!EllipseSpan(outer, y, x0, x1))
            continue;
        x0 = std::max(x0, visible.left);
        x1 = std::min(x1, visible.right - 1);
        int i0 = 1;
        int i1 = 0;
        const bool hasInner = EllipseSpan(inner, y, i0, i1);
        int runStart = -1;
        for (int x = x0; x <= x1 + 1; ++x) {
            bool on = false;
            if (x <= x1 && !(hasInner && x >= i0 && x <= i1)) {
                double rel = std::fmod(angleOf(x + 0.5, y + 0.5) - from + 2 * kTurn, kTurn);
                on = rel <= sweep;
            }
            if (on && runStart < 0)
                runStart = x;
            if (!on && runStart >= 0) {
                painter_.fillRect(QRect(runStart, y, x - runStart, 1), color);
                runStart = -1;
            }
        }
    }
}

void Dc::Polyline(std::span<const QPoint> points)
{
    if (points.size() < 2 || pen_.style == DcPenStyle::Null)
        return;
    ApplyBackground();
    painter_.setPen(QtPen());
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void Dc::Polygon(std::span<const QPoint> points)
{
    if (points.size() < 2)
        return;
    ApplyBackground();
    painter_.setPen(QtPen());
    painter_.setBrush(QtBrush());
    painter_.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
}

void Dc::Line(QPoint from, QPoint to)
{
    const QPoint points[] = {from, to};
    Polyline(points);
}

void Dc::GradientFillRect(const DcRect& rect, COLORREF first, COLORREF last, bool vertical)
{
    const DcRect visible = Intersect(rect, VisibleBounds());
    if (visible.IsEmpty())
        return;
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const int steps = vertical ? rect.Height() : rect.Width();
    const int from = vertical ? visible.top : visible.left;
    const int to = vertical ? visible.bottom : visible.right;
    const int origin = vertical ? rect.top : rect.left;
    for (int i = from; i < to; ++i) {
        const double t = steps > 1 ? static_cast<double>(i - origin) / (steps - 1) : 0.0;
        const QColor color = ToQColor(Lerp(first, last, t));
        if (vertical)
            painter_.fillRect(QRect(visible.left, i, visible.Width(), 1), color);
        else
            painter_.fillRect(QRect(i, visible.top, 1, visible.Height()), color);
    }
}

void Dc::GradientFillTriangle(QPointF a, COLORREF colorA, QPointF b, COLORREF colorB, QPointF c, COLORREF colorC)
{
    const double area = (b.x() - a.x()) * (c.y() - a.y()) - (c.x() - a.x()) * (b.y() - a.y());
    if (area == 0.0 || !std::isfinite(area))
        return;
    DcRect box{static_cast<int>(std::floor(std::min({a.x(), b.x(), c.x()}))),
               static_cast<int>(std::floor(std::min({a.y(), b.y(), c.y()}))),
               static_cast<int>(std::ceil(std::max({a.x(), b.x(), c.x()}))) + 1,
               static_cast<int>(std::ceil(std::max({a.y(), b.y(), c.y()}))) + 1};
    box = Intersect(box, VisibleBounds());
    if (box.IsEmpty())
        return;
    QImage patch(box.Width(), box.Height(), QImage::Format_ARGB32);
    patch.fill(Qt::transparent);
    constexpr double kEdge = -1e-9; // pixels whose centre lies on an edge belong to the triangle
    for (int y = box.top; y < box.bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(patch.scanLine(y - box.top));
        const double py = y + 0.5;
        for (int x = box.left; x < box.right; ++x) {
            const double px = x + 0.5;
            const double wa = ((b.x() - px) * (c.y() - py) - (c.x() - px) * (b.y() - py)) / area;
            const double wb = ((c.x() - px) * (a.y() - py) - (a.x() - px) * (c.y() - py)) / area;
            const double wc = 1.0 - wa - wb;
            if (wa < kEdge || wb < kEdge || wc < kEdge)
                continue;
            auto channel = [&](int (*of)(COLORREF)) {
                return std::clamp(static_cast<int>(std::lround(wa * of(colorA) + wb * of(colorB) + wc * of(colorC))), 0,
                                  255);
            };
            line[x - box.left] = qRgb(channel(RedOf), channel(GreenOf), channel(BlueOf));
        }
    }
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.drawImage(QPoint(box.left, box.top), patch);
}

void Dc::TextOut(int x, int y, const QString& text)
{
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setFont(font_);
    QFontMetrics metrics(font_, painter_.device());
    if (bkMode_ == DcBkMode::Opaque)
        painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), ToQColor(bkColor_));
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setPen(ToQColor(textColor_));
    painter_.drawText(QPoint(x, y + metrics.ascent()), text);
}

QSize Dc::GetTextExtent(const QString& text) const
{
    QFontMetrics metrics(font_, painter_.device());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

namespace {

QPainter::CompositionMode CompositionOf(DcRop rop)
{
    switch (rop) {
    case DcRop::SrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case DcRop::SrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case DcRop::SrcCopy:
        break;
    }
    return QPainter::CompositionMode_Source;
}

} // namespace

void Dc::BitBlt(int x, int y, const QImage& image, DcRop rop)
{
    if (image.isNull())
        return;
    painter_.setCompositionMode(CompositionOf(rop));
    painter_.drawImage(QPoint(x, y), image);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Dc::StretchBlt(const DcRect& dest, const QImage& image, DcRop rop)
{
    if (image.isNull() || dest.IsEmpty())
        return;
    painter_.setCompositionMode(CompositionOf(rop));
    painter_.drawImage(QRect(dest.left, dest.top, dest.Width(), dest.Height()), image);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Dc::TileImage(const DcRect& dest, const QImage& image, DcRop rop)
{
    if (image.isNull() || dest.IsEmpty())
        return;
    painter_.setCompositionMode(CompositionOf(rop));
    painter_.setBrushOrigin(dest.left, dest.top);
    painter_.fillRect(QRect(dest.left, dest.top, dest.Width(), dest.Height()), QBrush(image));
    painter_.setBrushOrigin(0, 0);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

DcStateSaver::DcStateSaver(Dc& dc)
    : dc_(dc), pen_(dc.Pen()), brush_(dc.Brush()), font_(dc.Font()), textColor_(dc.TextColor()), bkColor_(dc.BkColor()),
      bkMode_(dc.BkMode())
{
}

DcStateSaver::~DcStateSaver()
{
    dc_.SelectPen(pen_);
    dc_.SelectBrush(brush_);
    dc_.SelectFont(font_);
    dc_.SetTextColor(textColor_);
    dc_.SetBkColor(bkColor_);
    dc_.SetBkMode(bkMode_);
}

ImageDc::ImageDc(int width, int height, COLORREF fill)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32)
{
    image_.fill(ToQRgb(fill));
    painter_ = std::make_unique<QPainter>(&image_);
    dc_ = std::make_unique<Dc>(*painter_);
}

ImageDc::~ImageDc() = default;

const QImage& ImageDc::Finish()
{
    dc_.reset();
    if (painter_)
        painter_->end();
    painter_.reset();
    return image_;
}

COLORREF ImageDc::PixelAt(int x, int y)
{
    return FromQRgb(Finish().pixel(x, y));
}
