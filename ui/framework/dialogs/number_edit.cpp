#include "ui/framework/dialogs/number_edit.h"

#include "ui/framework/dialogs/ca_dialog.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>

void DDX_TextInRange(CDataExchange& dx, CADialog& dialog, int id, uint32_t& value, uint32_t minimum, uint32_t maximum)
{
    QString text = QString::number(value);
    DDX_Text(dx, id, text);
    if (!dx.IsSaving() || dialog.GetDlgItem(id) == nullptr)
        return;
    bool ok = false;
    const qulonglong number = text.trimmed().toULongLong(&ok);
    if (!ok || number < minimum || number > maximum) {
        dialog.ShowAlertText(QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum),
                             id);
        dx.Fail(id);
        return;
    }
    value = static_cast<uint32_t>(number);
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

void StepNumberEdit(QLineEdit* edit, int delta, uint32_t minimum, uint32_t maximum)
{
    if (edit == nullptr)
        return;
    bool ok = false;
    const long long current = edit->text().trimmed().toLongLong(&ok);
    const long long next = std::clamp<long long>((ok ? current : minimum) + delta, minimum, maximum);
    edit->setText(QString::number(next));
}
