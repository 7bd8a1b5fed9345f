#include "features/provisioning/trunk/subtend_check.h"

#include "core/tables/ne_table.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/record_requests.h"
#include "link/records/trunk_port_mode_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>

bool CheckNotSubtending(CADialog& dialog, uint32_t refusalTextId, int controlId)
{
    const auto neId = static_cast<uint32_t>(dialog.GetNeId());
    const uint32_t port2 = TrunkPortId(FindNeById(neId), 2);
    const RecordReply<TrunkPortModeRec> modes = CRecordRequests().Query(
        kReqTrunkPortMode, neId, TrunkPortModeRec{port2, 0}, {.failureTextId = kStrFailToQuery});
    if (!modes.Ok())
        return false;
    const auto mode = std::find_if(modes.records.begin(), modes.records.end(),
                                   [port2](const TrunkPortModeRec& rec) { return rec.entityId == port2; });
    if (mode != modes.records.end() && mode->uplink == 0) {
        dialog.ShowAlertTextById(refusalTextId, controlId);
        return false;
    }
    return true;
}
