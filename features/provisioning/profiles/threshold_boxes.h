#pragma once
// The boxes of the PM threshold editors (xDSL and SHDSL): a threshold's edit takes typing while its box is ticked.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QAbstractButton>

// `controls`: each threshold's checkId (its box) and editId.
template <class Controls> void ApplyThresholdBoxes(CADialog& editor, const Controls& controls)
{
    for (const auto& threshold : controls) {
        const auto* box = editor.GetDlgItemAs<QAbstractButton>(threshold.checkId);
        editor.SetControlReadOnly(threshold.editId, box == nullptr || !box->isChecked());
    }
}
