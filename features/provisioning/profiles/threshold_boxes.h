#pragma once
// The thresholds of the PM threshold editors (xDSL and SHDSL), each a box and an edit: the edit takes typing while the
// box is ticked, and holds a value in the threshold's range whether the box is ticked or not.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QAbstractButton>

#include <cstdint>

// Exchanges a threshold's box and value; `check`: a value taken is checked against the range (an editor that writes).
void DDX_Threshold(CDataExchange& dx, CADialog& editor, int checkId, int editId, int& on, uint32_t& value,
                   uint32_t minimum, uint32_t maximum, bool check);

// `controls`: each threshold's checkId (its box) and editId.
template <class Controls> void ApplyThresholdBoxes(CADialog& editor, const Controls& controls)
{
    for (const auto& threshold : controls) {
        const auto* box = editor.GetDlgItemAs<QAbstractButton>(threshold.checkId);
        editor.SetControlReadOnly(threshold.editId, box == nullptr || !box->isChecked());
    }
}

// Whether the command is a click on one of the boxes.
template <class Controls> bool IsThresholdBoxClick(const Controls& controls, int id, int code)
{
    for (const auto& threshold : controls) {
        if (id == threshold.checkId && code == BN_CLICKED)
            return true;
    }
    return false;
}
