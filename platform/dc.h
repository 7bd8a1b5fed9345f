#pragma once
// A device context in the manner the drawing code was written for, over a QPainter: pens, brushes, a text colour,
// a background colour and mode, and the primitives those drawers use. Rectangles follow the GDI convention: a
// DcRect covers the pixels left..right-1 and top..bottom-1 (right and bottom excluded). Drawing is aliased, except
// text. Colours are COLORREF values.

#include "platform/color_ref.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>

#include <memory>
#include <span>
#include <utility>

struct DcRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Shrinks by dx on the left and right and dy on the top and bottom (negative values grow).
    DcRect Deflated(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    bool operator==(const DcRect&) const = default;
};

// Pen styles by their numbers in the shape strings.
enum class DcPenStyle : int {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
    Null = 5,
    InsideFrame = 6, // solid, and a rectangle's or ellipse's outline stays inside its bounds
};

// Hatch styles by their numbers in the shape strings.
enum class DcHatch : int {
    Horizontal = 0,
    Vertical = 1,
    ForwardDiagonal = 2,  // "\\\\"
    BackwardDiagonal = 3, // "////"
    Cross = 4,
    DiagonalCross = 5,
};

enum class DcBkMode : int { Transparent = 1, Opaque = 2 };

// Raster operations of image blits.
enum class DcRop { SrcCopy, SrcAnd, SrcPaint };

struct DcPen {
    DcPenStyle style = DcPenStyle::Solid;
    int width = 1; // 0 draws one pixel wide; dashed styles are drawn solid above width 1
    COLORREF color = 0;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    bool operator==(const DcPen&) const = default;
};

struct DcBrush {
    enum class Kind { Solid, Null, Hatch };
    Kind kind = Kind::Solid;
    COLORREF color = 0xFFFFFF;
    DcHatch hatch = DcHatch::Horizontal;

    static DcBrush SolidColor(COLORREF color) { return {Kind::Solid, color, DcHatch::Horizontal}; }
    static DcBrush Hollow() { return {Kind::Null, 0, DcHatch::Horizontal}; }
    static DcBrush Hatched(DcHatch hatch, COLORREF color) { return {Kind::Hatch, color, hatch}; }
    bool operator==(const DcBrush&) const = default;
};

class Dc {
public:
    // Borrows the painter; its state is restored when the Dc goes.
    explicit Dc(QPainter& painter);
    ~Dc();
    Dc(const Dc&) = delete;
    Dc& operator=(const Dc&) = delete;

    QPainter& Painter() { return painter_; }

    // Selectors return what was selected before.
    DcPen SelectPen(const DcPen& pen);
    DcBrush SelectBrush(const DcBrush& brush);
    QFont SelectFont(const QFont& font);
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    DcBkMode SetBkMode(DcBkMode mode);
    const DcPen& Pen() const { return pen_; }
    const DcBrush& Brush() const { return brush_; }
    const QFont& Font() const { return font_; }
    COLORREF TextColor() const { return textColor_; }
    COLORREF BkColor() const { return bkColor_; }
    DcBkMode BkMode() const { return bkMode_; }

    void FillSolidRect(const DcRect& rect, COLORREF color);
    // Top and left edges in one colour, right and bottom edges in the other, one pixel wide.
    void Draw3dRect(const DcRect& rect, COLORREF topLeft, COLORREF bottomRight);
    // Outline with the pen, inside with the brush. An inside-frame or one-pixel pen keeps the outline within the
    // rectangle; a wider pen is centred on its edge.
    void Rectangle(const DcRect& rect);
    void Ellipse(const DcRect& rect);
    // The outline of the ellipse bounded by `rect`, counter-clockwise from the ray towards `start` to the ray towards
    // `end` (the whole outline when they point the same way).
    void Arc(const DcRect& rect, QPoint start, QPoint end);
    void Polyline(std::span<const QPoint> points);
    void Polygon(std::span<const QPoint> points);
    void Line(QPoint from, QPoint to);

    // Linear gradient from `first` at the left (top when vertical) to `last` at the right (bottom) pixel.
    void GradientFillRect(const DcRect& rect, COLORREF first, COLORREF last, bool vertical);
    // Triangle with a colour per vertex, blended across it. Vertices are points of the plane in which pixel (x, y)
    // covers x..x+1, y..y+1; a pixel belongs to the triangle when its centre does (edges included).
    void GradientFillTriangle(QPointF a, COLORREF colorA, QPointF b, COLORREF colorB, QPointF c, COLORREF colorC);

    // Text with its top-left corner at (x, y) in the text colour; in opaque mode on the background colour.
    void TextOut(int x, int y, const QString& text);
    QSize GetTextExtent(const QString& text) const;

    // Image blits. Masks and images combine with SrcAnd and SrcPaint for transparent drawing.
    void BitBlt(int x, int y, const QImage& image, DcRop rop = DcRop::SrcCopy);
    void StretchBlt(const DcRect& dest, const QImage& image, DcRop rop = DcRop::SrcCopy);
    void TileImage(const DcRect& dest, const QImage& image, DcRop rop = DcRop::SrcCopy);

private:
    QBrush QtBrush() const;
    // The device's area in this painter's coordinates: per-pixel work never runs outside it.
    DcRect VisibleBounds() const;
    void ApplyBackground();
    void FillEllipseBand(const DcRect& outer, const DcRect& inner, const QBrush& brush);
    // Pen width as drawn: at least one pixel.
    int PenWidth() const { return pen_.width < 1 ? 1 : pen_.width; }
    QPen QtPen() const;

    QPainter& painter_;
    DcPen pen_;
    DcBrush brush_;
    QFont font_;
    COLORREF textColor_ = 0;
    COLORREF bkColor_ = 0xFFFFFF;
    DcBkMode bkMode_ = DcBkMode::Opaque;
};

// Saves the selected objects and colours of a Dc and selects them back when it goes, so that a drawer leaves the
// context as it found it.
class DcStateSaver {
public:
    explicit DcStateSaver(Dc& dc);
    ~DcStateSaver();
    DcStateSaver(const DcStateSaver&) = delete;
    DcStateSaver& operator=(const DcStateSaver&) = delete;

private:
    Dc& dc_;
    DcPen pen_;
    DcBrush brush_;
    QFont font_;
    COLORREF textColor_;
    COLORREF bkColor_;
    DcBkMode bkMode_;
};

// A memory bitmap with its own painter and Dc, for off-screen drawing and for tests.
class ImageDc {
public:
    ImageDc(int width, int height, COLORREF fill = 0xFFFFFF);
    ~ImageDc();
    Dc& dc() { return *dc_; } // only before Finish
    // Ends painting and hands out the picture; the ImageDc cannot draw afterwards.
    const QImage& Finish();
    // The colour at a pixel, ending painting first.
    COLORREF PixelAt(int x, int y);

private:
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<Dc> dc_;
};
