#include "ui/framework/dialogs/text_field_limit.h"

#include "core/util/utf8_text.h"

#include <QByteArray>
#include <QLineEdit>
#include <QString>
#include <QValidator>

#include <string_view>

namespace {

size_t Utf8Size(const QString& text)
{
    return static_cast<size_t>(text.toUtf8().size());
}

// The whole characters of the text that fit in maxBytes bytes of UTF-8, from its start.
QString FittingStart(const QString& text, size_t maxBytes)
{
    const QByteArray bytes = text.toUtf8();
    const std::string_view kept = Utf8WholePrefix(std::string_view(bytes.constData(), bytes.size()), maxBytes);
    return QString::fromUtf8(kept.data(), static_cast<qsizetype>(kept.size()));
}

// The edit calls it with the text as an insertion or a removal left it and the cursor after the insertion. A text that
// no longer fits loses the end of what was inserted, the characters just before the cursor.
class CFieldBytesValidator : public QValidator {
public:
    CFieldBytesValidator(size_t maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

    State validate(QString& input, int& pos) const override
    {
        if (Utf8Size(input) <= maxBytes_)
            return Acceptable;
        // What follows the cursor was there before and fitted.
        const QString after = input.mid(pos);
        const size_t afterBytes = Utf8Size(after);
        const QString before = FittingStart(input.left(pos), afterBytes < maxBytes_ ? maxBytes_ - afterBytes : 0);
        input = before + after;
        pos = static_cast<int>(before.size());
        return Acceptable;
    }

private:
    size_t maxBytes_;
};

} // namespace

void LimitEditToField(QLineEdit& edit, size_t fieldWidth)
{
    const size_t maxBytes = fieldWidth > 0 ? fieldWidth - 1 : 0;
    edit.setValidator(new CFieldBytesValidator(maxBytes, &edit));
    if (Utf8Size(edit.text()) > maxBytes)
        edit.setText(FittingStart(edit.text(), maxBytes));
}
