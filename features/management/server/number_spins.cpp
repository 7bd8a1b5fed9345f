#include "features/management/server/number_spins.h"

#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/number_edit.h"

#include <QLineEdit>

bool StepNumberSpin(CADialog& dialog, const NotifyHeader& header, std::span<const NumberSpin> spins)
{
    if (header.code != UDN_DELTAPOS)
        return false;
    for (const NumberSpin& spin : spins) {
        if (spin.spinId == header.idFrom) {
            StepNumberEdit(dialog.GetDlgItemAs<QLineEdit>(spin.editId), header.delta, spin.minimum, spin.maximum);
            return true;
        }
    }
    return false;
}
