#include "ui/shell/app/dialog_font_scale.h"

#include "platform/font_from_spec.h"

#include <QFontMetricsF>

#include <algorithm>

namespace {

QFont ReferenceFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

} // namespace

DisplayScale ComputeDialogScale(const QFont& dialogFont)
{
    const QString sample = QString::fromLatin1(kFontScaleSample);
    const QFontMetricsF reference(ReferenceFont());
    const QFontMetricsF dialog(dialogFont);
    DisplayScale scale;
    const qreal referenceWidth = reference.horizontalAdvance(sample);
    const qreal referenceHeight = reference.height();
    if (referenceWidth > 0)
        scale.x = std::max(1.0, dialog.horizontalAdvance(sample) / referenceWidth);
    if (referenceHeight > 0)
        scale.y = std::max(1.0, dialog.height() / referenceHeight);
    return scale;
}

QFont DialogFontFromSpec(const FontSpec& spec)
{
    if (spec.face.empty() || spec.size <= 0)
        return ReferenceFont();
    return FontFromSpec(spec);
}
