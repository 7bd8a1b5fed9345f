#include "ui/framework/dialogs/control_states.h"

#include "core/config/font_spec.h"
#include "platform/font_from_spec.h"
#include "ui/framework/dialogs/dialog_environment.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

void SetWidgetReadOnly(QWidget* control, bool on)
{
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setReadOnly(on);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setReadOnly(on);
    else if (auto* rich = qobject_cast<QTextEdit*>(control))
        rich->setReadOnly(on);
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(control))
        spin->setReadOnly(on);
}

bool IsWidgetReadOnly(const QWidget* control)
{
    if (auto* line = qobject_cast<const QLineEdit*>(control))
        return line->isReadOnly();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(control))
        return plain->isReadOnly();
    if (auto* rich = qobject_cast<const QTextEdit*>(control))
        return rich->isReadOnly();
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(control))
        return spin->isReadOnly();
    return false;
}

QFont DialogFontFromSpec(const char* spec)
{
    if (spec != nullptr) {
        FontSpec parsed;
        if (CreateFontFromSpec(spec, parsed))
            return FontFromSpec(parsed);
    }
    return GetAppDialogFont();
}
