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

// The edit calls it with the text as an insertion or a removal left it and the cursor after the insertion (and with the
// texts the program sets). A text that no longer fits loses the end of what was inserted, the characters just before
// the cursor. Once a typed character did not fit, the field is full: what is typed after it is not taken either, so
// that a letter left out is not followed by the next ones as if it had been there. A removal, or any change that is
// not an insertion, makes room again.
class CFieldBytesValidator : public QValidator {
public:
    CFieldBytesValidator(size_t maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

    State validate(QString& input, int& pos) const override
    {
        // The edit validates the text it was given back once more.
        if (input == accepted_)
            return Acceptable;
        if (full_ && IsInsertion(input, pos)) {
            pos -= static_cast<int>(input.size() - accepted_.size());
            input = accepted_;
            return Acceptable;
        }
        full_ = false;
        if (Utf8Size(input) > maxBytes_) {
            // What follows the cursor was there before and fitted.
            const QString after = input.mid(pos);
            const size_t afterBytes = Utf8Size(after);
            const QString before =
                FittingStart(input.left(pos), afterBytes < maxBytes_ ? maxBytes_ - afterBytes : 0);
            full_ = IsInsertion(input, pos);
            input = before + after;
            pos = static_cast<int>(before.size());
        }
        accepted_ = input;
        return Acceptable;
    }

private:
    // Whether the input is the text accepted last with characters inserted just before the cursor.
    bool IsInsertion(const QString& input, int pos) const
    {
        const qsizetype inserted = input.size() - accepted_.size();
        if (inserted <= 0 || pos < inserted || pos > input.size())
            return false;
        const qsizetype at = pos - inserted;
        return input.left(at) == accepted_.left(at) && input.mid(pos) == accepted_.mid(at);
    }

    size_t maxBytes_;
    mutable QString accepted_;
    mutable bool full_ = false;
};

} // namespace

void LimitEditToField(QLineEdit& edit, size_t fieldWidth)
{
    const size_t maxBytes = fieldWidth > 0 ? fieldWidth - 1 : 0;
    if (Utf8Size(edit.text()) > maxBytes)
        edit.setText(FittingStart(edit.text(), maxBytes));
    auto* validator = new CFieldBytesValidator(maxBytes, &edit);
    QString text = edit.text();
    int pos = edit.cursorPosition();
    validator->validate(text, pos); // the text the edit has is where insertions start from
    edit.setValidator(validator);
}
