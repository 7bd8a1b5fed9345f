// The text shapes: one text engine (alignment, fit, layers) under the plain, shadowed, embossed, multi-line,
// gradient and pattern texts.
#include "core/config/font_spec.h"
#include "platform/font_from_spec.h"
#include "ui/framework/shapes/shape_colors.h"
#include "ui/framework/shapes/shape_drawers.h"
#include "ui/framework/shapes/shape_pictures.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kLayoutHorizontal = 0x03;
constexpr int kLayoutVertical = 0x0C;
constexpr int kLayoutFit = 0x10;
constexpr int kAlignRight = 2;
constexpr int kAlignCentre = 3;
constexpr int kAlignBottom = 8;
constexpr int kAlignMiddle = 12;
constexpr int kMultiLineChars = 1023;
constexpr int kMultiLineCount = 128;
constexpr int kFitMeasureHeight = 100;

struct Layers {
    int count = 0;
    int dx = 0;
    int dy = 0;
    bool farthestPure = false; // the farthest layer in the second colour alone
    bool Active() const { return count >= 2 && (dx != 0 || dy != 0); }
};

// A font with a horizontal stretch (fitting a text to a rectangle may widen or narrow it).
struct TextFont {
    QFont font;
    double stretch = 1.0;
};

// A count kept in the high half of a word as a packed coordinate; a negative or anchored value counts as none.
int HighCount(int32_t word)
{
    const uint32_t high = ShapeHighHalf(word);
    return (high & 0xF800u) ? 0 : static_cast<int>(high);
}

int LowOffset(int32_t word)
{
    return static_cast<int16_t>(ShapeLowHalf(word));
}

int HighOffset(int32_t word)
{
    return static_cast<int16_t>(ShapeHighHalf(word));
}

// The font of a definition at its own size; false when the definition draws no text.
bool BaseFont(const FontSpec* spec, QFont& font)
{
    if (spec == nullptr || spec->face.empty())
        return false;
    // A definition still to be completed takes what fontconfig finds for its face; nothing else is needed here.
    const int pixels = FontPixelHeight(*spec);
    if (pixels <= 0)
        return false;
    font = FontFromSpec(*spec, pixels);
    return true;
}

QSizeF Extent(const TextFont& tf, const QString& text)
{
    QFontMetricsF metrics(tf.font);
    return {metrics.horizontalAdvance(text) * tf.stretch, metrics.height()};
}

// The font scaled so that texts of the given widest width and one line height at pixel height 100 fill width x
// height; with `uniform` the smaller ratio scales both ways.
TextFont FitFont(const QFont& base, const std::vector<QString>& lines, int width, int height, bool uniform)
{
    QFont measured = base;
    measured.setPixelSize(kFitMeasureHeight);
    QFontMetricsF metrics(measured);
    double widest = 0.0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const double lineHeight = metrics.height();
    if (widest <= 0.0 || lineHeight <= 0.0 || width <= 0 || height <= 0)
        return {base, 1.0};
    const double sx = width / widest;
    const double sy = height / lineHeight;
    TextFont fitted{measured, 1.0};
    const double scale = uniform ? std::min(sx, sy) : sy;
    fitted.font.setPixelSize(std::max(1, static_cast<int>(std::floor(kFitMeasureHeight * scale))));
    if (!uniform) {
        QFontMetricsF scaled(fitted.font);
        double scaledWidest = 0.0;
        for (const QString& line : lines)
            scaledWidest = std::max(scaledWidest, scaled.horizontalAdvance(line));
        if (scaledWidest > 0.0)
            fitted.stretch = width / scaledWidest;
    }
    return fitted;
}

// Moves the side of the rectangle the layers move to by the room they take, keeping at least `minimum`.
ShapeRect Reduced(ShapeRect rect, const Layers& layers, QSize minimum)
{
    const int cutX = std::clamp(std::abs(layers.dx) * layers.count, 0, std::max(0, rect.Width() - minimum.width()));
    const int cutY = std::clamp(std::abs(layers.dy) * layers.count, 0, std::max(0, rect.Height() - minimum.height()));
    if (layers.dx > 0)
        rect.right -= cutX;
    else if (layers.dx < 0)
        rect.left += cutX;
    if (layers.dy > 0)
        rect.bottom -= cutY;
    else if (layers.dy < 0)
        rect.top += cutY;
    return rect;
}

void PaintText(Dc& dc, double x, double y, const QString& text, const TextFont& tf, COLORREF color)
{
    dc.SelectFont(tf.font);
    dc.SetTextColor(color);
    dc.SetBkMode(DcBkMode::Transparent);
    QPainter& painter = dc.Painter();
    painter.save();
    painter.translate(x, y);
    painter.scale(tf.stretch, 1.0);
    dc.TextOut(0, 0, text);
    painter.restore();
}

// One line with its font decided: alignment and layers.
void DrawLayeredLine(Dc& dc, const ShapeRect& rectIn, const QString& text, const TextFont& tf, int layout,
                     const Layers& layers, COLORREF color1, COLORREF color2)
{
    const QSizeF extent = Extent(tf, text);
    const QSize minimum(static_cast<int>(std::ceil(extent.width())), static_cast<int>(std::ceil(extent.height())));
    const ShapeRect rect = layers.Active() ? Reduced(rectIn, layers, minimum) : rectIn;
    double x = rect.left;
    double y = rect.top;
    switch (layout & kLayoutHorizontal) {
    case kAlignRight:
        x = rect.right + 1 - extent.width();
        break;
    case kAlignCentre:
        x = rect.left + std::floor((rect.Width() - extent.width()) / 2);
        break;
    default:
        break;
    }
    switch (layout & kLayoutVertical) {
    case kAlignBottom:
        y = rect.bottom + 1 - extent.height();
        break;
    case kAlignMiddle:
        y = rect.top + std::floor((rect.Height() - extent.height()) / 2);
        break;
    default:
        break;
    }
    if (!layers.Active()) {
        PaintText(dc, x, y, text, tf, color1);
        return;
    }
    const int n = layers.count;
    for (int j = n - 1; j >= 0; --j) {
        const COLORREF color = j == 0 ? color1 : MixColors(color1, layers.farthestPure ? n - j - 1 : n - j, color2, j);
        PaintText(dc, x + j * layers.dx, y + j * layers.dy, text, tf, color);
    }
}

bool Drawable(const QString& text, const ShapeRect& rect)
{
    return !text.isEmpty() && rect.Height() > 0 && rect.Width() > 0 && text.size() <= rect.Width();
}

// The text engine for one line: false when nothing is drawn.
bool DrawTextEngine(Dc& dc, const ShapeRect& rect, const QString& text, const FontSpec* spec, int layout, bool uniform,
                    const Layers& layers, COLORREF color1, COLORREF color2)
{
    QFont base;
    if (!BaseFont(spec, base) || !Drawable(text, rect))
        return false;
    TextFont tf{base, 1.0};
    ShapeRect area = rect;
    if (layout & kLayoutFit) {
        // The layers' room comes off first; the text then fills what is left.
        if (layers.Active())
            area = Reduced(rect, layers, QSize(1, 1));
        tf = FitFont(base, {text}, area.Width(), area.Height(), uniform);
    }
    DrawLayeredLine(dc, area, text, tf, layout, layers, color1, color2);
    return true;
}

std::vector<QString> SplitLines(const QString& text)
{
    std::vector<QString> lines;
    const QString limited = text.left(kMultiLineChars);
    QString current;
    for (qsizetype i = 0; i < limited.size(); ++i) {
        const QChar c = limited[i];
        if (c == u'\n' || c == u'\r' || c == u'\\') {
            if (c == u'\r' && i + 1 < limited.size() && limited[i + 1] == u'\n')
                ++i;
            lines.push_back(current);
            current.clear();
            if (static_cast<int>(lines.size()) == kMultiLineCount)
                return lines;
            continue;
        }
        current.append(c);
    }
    lines.push_back(current);
    return lines;
}

void DrawMultiLine(Dc& dc, const ShapeRecord& r, const QString& text, const Layers& layers)
{
    QFont base;
    const ShapeRect rect = RectOf(r);
    if (!BaseFont(r.font, base) || text.isEmpty() || rect.Height() <= 0 || rect.Width() <= 0)
        return;
    const std::vector<QString> lines = SplitLines(text);
    const int count = static_cast<int>(lines.size());
    const int slot = rect.Height() / count;
    if (slot < 1)
        return;
    const int top = rect.top + (rect.Height() % count) / 2;
    const int layout = static_cast<int>(ShapeLowHalf(r.extra2));
    TextFont tf{base, 1.0};
    if (layout & kLayoutFit)
        tf = FitFont(base, lines, rect.Width(), slot, r.opt3 != 0);
    for (int i = 0; i < count; ++i) {
        const QString& line = lines[static_cast<size_t>(i)];
        if (line.size() > rect.Width())
            return; // a line that cannot fit ends the drawing
        if (line.isEmpty())
            continue;
        const ShapeRect lineRect{rect.left, top + i * slot, rect.right, top + (i + 1) * slot - 1};
        DrawLayeredLine(dc, lineRect, line, tf, layout, layers, static_cast<COLORREF>(r.color1),
                        static_cast<COLORREF>(r.color2));
    }
}

// Texts whose glyphs show a pattern: the text becomes a mask over the pattern drawn into a bitmap of the rectangle.
void DrawPatternText(Dc& dc, const ShapeRecord& r, const QString& text)
{
    const ShapeRect rect = RectOf(r);
    QFont base;
    if (!BaseFont(r.font, base) || !Drawable(text, rect))
        return;
    const int width = rect.Width();
    const int height = rect.Height();
    const ShapeRect local{0, 0, width - 1, height - 1};
    const int layout = static_cast<int>(ShapeLowHalf(r.extra2));

    QImage mask(width, height, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        Dc maskDc(painter);
        DrawTextEngine(maskDc, local, text, r.font, layout, r.opt3 != 0, Layers{}, 0xFFFFFF, 0xFFFFFF);
    }

    ImageDc pattern(width, height, 0x000000);
    switch (r.code) {
    case kShapeTG:
        DrawGradientRect(local, HighCount(r.extra2), static_cast<COLORREF>(r.color1), static_cast<COLORREF>(r.color2),
                         static_cast<COLORREF>(r.extra1), r.opt1 != 0, pattern.dc());
        break;
    case kShapeTPH:
        DrawHatchRect(local, r.extra1, static_cast<COLORREF>(r.color1), static_cast<COLORREF>(r.color2), r.opt1 != 0,
                      pattern.dc());
        break;
    case kShapeTPF:
        DrawPictureRect(local, r.extra1, ShapePictures().Find(r.color1), ShapePictures().Find(r.color2), pattern.dc());
        break;
    case kShapeTPR:
        DrawPictureRect(local, r.extra1, ShapePictures().FindResource(r.color1), ShapePictures().FindResource(r.color2),
                        pattern.dc());
        break;
    default:
        break;
    }
    QImage glyphs = pattern.Finish().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&glyphs);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.drawImage(0, 0, mask);
    }
    QPainter& painter = dc.Painter();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(rect.left, rect.top, glyphs);
}

} // namespace

void DrawTextShape(const ShapeRecord& r, Dc& dc)
{
    const QString text = QString::fromUtf8(r.text.data(), static_cast<qsizetype>(r.text.size()));
    const COLORREF color1 = static_cast<COLORREF>(r.color1);
    const COLORREF color2 = static_cast<COLORREF>(r.color2);
    const int layout = static_cast<int>(ShapeLowHalf(r.extra2));
    const bool uniform = r.opt3 != 0;
    Layers layers;
    switch (r.code) {
    case kShapeT:
        layers = {HighCount(r.extra2), 0, 0, false};
        break;
    case kShapeTS:
        layers = {2, LowOffset(r.extra1), HighOffset(r.extra1), true};
        break;
    case kShapeTM:
        layers = {HighCount(r.extra2), -1, -1, false};
        break;
    case kShapeTN:
        layers = {HighCount(r.extra2), 1, 1, false};
        break;
    case kShapeTT:
        layers = {HighCount(r.extra2), -1, 1, false};
        break;
    case kShapeTA:
    case kShapeTE:
        layers = {HighCount(r.extra2), LowOffset(r.extra1), HighOffset(r.extra1), r.opt1 != 0};
        break;
    case kShapeTL:
        DrawMultiLine(dc, r, text, {HighCount(r.extra2), LowOffset(r.extra1), HighOffset(r.extra1), r.opt1 != 0});
        return;
    case kShapeTG:
    case kShapeTPH:
    case kShapeTPF:
    case kShapeTPR:
        DrawPatternText(dc, r, text);
        return;
    default:
        return;
    }
    DrawTextEngine(dc, RectOf(r), text, r.font, layout, uniform, layers, color1, color2);
}
