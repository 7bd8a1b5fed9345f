#include "ui/framework/dialogs/typed_name_check.h"

#include "core/util/names.h"
#include "platform/dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <QLineEdit>

std::optional<TypedNameRefusal> CheckTypedName(const QString& typed, bool blankAllowed)
{
    int first = 0;
    int last = static_cast<int>(typed.size()) - 1;
    while (first <= last && typed.at(first).isSpace())
        ++first;
    while (last >= first && typed.at(last).isSpace())
        --last;
    if (first > last)
        return blankAllowed ? std::nullopt : std::optional<TypedNameRefusal>({kStrDataIsBlank, -1});
    for (int i = first; i <= last; ++i) {
        const char16_t c = typed.at(i).unicode();
        if (c > 0x7F || !IsValidNameChar(static_cast<char>(c)))
            return TypedNameRefusal{kStrValidNameCharacters, i};
    }
    return std::nullopt;
}

void SelectTypedNameFault(CDialog& dialog, int editId, const TypedNameRefusal& refused)
{
    if (refused.position < 0)
        return;
    if (auto* edit = dialog.GetDlgItemAs<QLineEdit>(editId)) {
        edit->setFocus();
        edit->setSelection(refused.position, 1);
    }
}
