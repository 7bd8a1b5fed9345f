#include "features/fault/ne_alarm_io/ne_alarm_contact_name.h"

#include "core/util/names.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <QLineEdit>

bool CheckContactName(CADialog& dialog, int editId)
{
    auto* edit = dialog.GetDlgItemAs<QLineEdit>(editId);
    if (edit == nullptr)
        return false;
    const QString name = edit->text();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.unicode() < 0x80 && IsValidNameChar(static_cast<char>(c.unicode())))
            continue;
        edit->setSelection(static_cast<int>(i), 1);
        dialog.ShowAlertTextById(kStrValidNameCharacters, editId);
        return false;
    }
    return true;
}
