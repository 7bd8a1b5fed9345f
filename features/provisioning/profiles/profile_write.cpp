#include "features/provisioning/profiles/profile_write.h"

#include "ui/framework/dialogs/typed_name_check.h"

#include <optional>

bool CheckProfileName(CADialog& editor, const QString& name, int nameId, bool adding)
{
    const std::optional<TypedNameRefusal> refused = CheckTypedName(name);
    if (!refused || (!adding && refused->position >= 0))
        return true;
    editor.ShowAlertTextById(refused->stringId, nameId);
    SelectTypedNameFault(editor, nameId, *refused);
    return false;
}
