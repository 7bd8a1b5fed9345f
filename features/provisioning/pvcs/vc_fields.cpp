#include "features/provisioning/pvcs/vc_fields.h"

#include "ui/framework/dialogs/number_edit.h"

#include <QLineEdit>

void ExchangeVcFields(CDataExchange& dx, CADialog& dialog, const VcFieldIds& ids, VcFieldValues& values)
{
    DDX_TextInRange(dx, dialog, ids.vpi, values.vpi, 0, kVcMaxVpi);
    DDX_TextInRange(dx, dialog, ids.vci, values.vci, kVcFirstVci, kVcMaxVci);
    if (ids.vlan != 0)
        DDX_TextInRange(dx, dialog, ids.vlan, values.vlan, kVcFirstVlan, kVcLastVlan);
}

bool StepVcFieldSpin(CADialog& dialog, const VcFieldIds& ids, const NotifyHeader& header)
{
    if (header.code != UDN_DELTAPOS || header.idFrom == 0)
        return false;
    if (header.idFrom == ids.vpiSpin)
        StepNumberEdit(dialog.GetDlgItemAs<QLineEdit>(ids.vpi), header.delta, 0, kVcMaxVpi);
    else if (header.idFrom == ids.vciSpin)
        StepNumberEdit(dialog.GetDlgItemAs<QLineEdit>(ids.vci), header.delta, kVcFirstVci, kVcMaxVci);
    else if (ids.vlanSpin != 0 && header.idFrom == ids.vlanSpin)
        StepNumberEdit(dialog.GetDlgItemAs<QLineEdit>(ids.vlan), header.delta, kVcFirstVlan, kVcLastVlan);
    else
        return false;
    return true;
}
