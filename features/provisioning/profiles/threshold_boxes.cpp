#include "features/provisioning/profiles/threshold_boxes.h"

#include "ui/framework/dialogs/number_edit.h"

void DDX_Threshold(CDataExchange& dx, CADialog& editor, int checkId, int editId, int& on, uint32_t& value,
                   uint32_t minimum, uint32_t maximum, bool check)
{
    DDX_Check(dx, checkId, on);
    if (check) {
        DDX_TextInRange(dx, editor, editId, value, minimum, maximum);
    } else if (!dx.IsSaving()) {
        QString text = QString::number(value);
        DDX_Text(dx, editId, text);
    }
}
