#include "features/provisioning/pvcs/pvc_oam_test.h"

#include "core/entity/entity_id.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/dialogs/dialog_request.h"

void OpenPvcOamTest(CADialog& list, int right, uint32_t portId, uint32_t vpi, uint32_t vci)
{
    if (list.CheckRight(right, 'x') != 0)
        return;
    DialogRequest request;
    request.className = "COamLoopbackDlg";
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(list.GetNeId());
    request.hasEntity = true;
    request.entity = CEntityId(portId);
    request.pvcVpi = static_cast<int>(vpi);
    request.pvcVci = static_cast<int>(vci);
    OpenRouteDialog(request);
}
