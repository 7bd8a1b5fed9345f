#include "platform/font_from_spec.h"

#include <QString>

#include <cmath>

namespace {

QFont BaseFont(const FontSpec& spec)
{
    QFont font;
    if (!spec.face.empty())
        font.setFamily(QString::fromStdString(spec.face));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    return font;
}

} // namespace

QFont FontFromSpec(const FontSpec& spec)
{
    QFont font = BaseFont(spec);
    if (spec.size > 0)
        font.setPointSizeF(spec.size / 10.0);
    return font;
}

QFont FontFromSpec(const FontSpec& spec, int pixelHeight)
{
    QFont font = BaseFont(spec);
    if (pixelHeight > 0)
        font.setPixelSize(pixelHeight);
    return font;
}

int FontPixelHeight(const FontSpec& spec)
{
    if (spec.size <= 0)
        return 0;
    return static_cast<int>(std::lround(spec.size * kLogicalDpi / 720.0));
}
