#include "ui/framework/dialogs/number_edit.h"

#include "ui/framework/dialogs/ca_dialog.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The edit's whole number within minimum..maximum; otherwise the message, the exchange failed and nullopt.
std::optional<long long> NumberInRange(CDataExchange& dx, CADialog& dialog, int id, const QString& text,
                                       long long minimum, long long maximum)
{
    bool ok = false;
    const long long number = text.trimmed().toLongLong(&ok);
    if (!ok || number < minimum || number > maximum) {
        dialog.ShowAlertText(QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum),
                             id);
        dx.Fail(id);
        return std::nullopt;
    }
    return number;
}

void StepInRange(QLineEdit* edit, int delta, long long minimum, long long maximum)
{
    if (edit == nullptr)
        return;
    bool ok = false;
    const long long current = edit->text().trimmed().toLongLong(&ok);
    const long long next = std::clamp<long long>((ok ? current : minimum) + delta, minimum, maximum);
    edit->setText(QString::number(next));
}

} // namespace

void DDX_TextInRange(CDataExchange& dx, CADialog& dialog, int id, uint32_t& value, uint32_t minimum, uint32_t maximum)
{
    QString text = QString::number(value);
    DDX_Text(dx, id, text);
    if (!dx.IsSaving() || dialog.GetDlgItem(id) == nullptr)
        return;
    if (const std::optional<long long> number = NumberInRange(dx, dialog, id, text, minimum, maximum))
        value = static_cast<uint32_t>(*number);
}

void DDX_UnsignedInRange(CDataExchange& dx, CADialog& dialog, int id, uint32_t& value, uint32_t minimum,
                         uint32_t maximum)
{
    QString text = QString::number(value);
    DDX_Text(dx, id, text);
    if (!dx.IsSaving() || dialog.GetDlgItem(id) == nullptr)
        return;
    bool isNumber = false;
    text.trimmed().toULongLong(&isNumber);
    if (!isNumber) {
        dialog.ShowAlertText(QStringLiteral("Please enter a positive integer."), id);
        dx.Fail(id);
        return;
    }
    if (const std::optional<long long> number = NumberInRange(dx, dialog, id, text, minimum, maximum))
        value = static_cast<uint32_t>(*number);
}

void DDX_SignedInRange(CDataExchange& dx, CADialog& dialog, int id, int32_t& value, int32_t minimum, int32_t maximum)
{
    QString text = QString::number(value);
    DDX_Text(dx, id, text);
    if (!dx.IsSaving() || dialog.GetDlgItem(id) == nullptr)
        return;
    if (const std::optional<long long> number = NumberInRange(dx, dialog, id, text, minimum, maximum))
        value = static_cast<int32_t>(*number);
}

void DDX_RealInRange(CDataExchange& dx, CADialog& dialog, int id, float& value, float minimum, float maximum,
                     bool check)
{
    QString text = QString::number(value, 'f', 4);
    // Trailing zeros of the decimals say nothing.
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    DDX_Text(dx, id, text);
    if (!dx.IsSaving() || dialog.GetDlgItem(id) == nullptr)
        return;
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number)) {
        dialog.ShowAlertText(QStringLiteral("Please enter a number."), id);
        dx.Fail(id);
        return;
    }
    if (check && (number < minimum || number > maximum)) {
        dialog.ShowAlertText(QStringLiteral("Please enter a number between %1 and %2.").arg(minimum).arg(maximum), id);
        dx.Fail(id);
        return;
    }
    value = static_cast<float>(number);
}

void StepSignedNumberEdit(QLineEdit* edit, int delta, int32_t minimum, int32_t maximum)
{
    StepInRange(edit, delta, minimum, maximum);
}

void StepNumberEdit(QLineEdit* edit, int delta, uint32_t minimum, uint32_t maximum)
{
    StepInRange(edit, delta, minimum, maximum);
}
