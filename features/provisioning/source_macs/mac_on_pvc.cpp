#include "features/provisioning/source_macs/mac_on_pvc.h"

#include "link/record_requests.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

std::optional<MacAddress> TypedMacAddress(CADialog& dialog, const QString& typed, int editId)
{
    const std::string text = typed.trimmed().toStdString();
    const MacAddress mac = IsValidMacAddressText(text) ? ParseMacAddress(text) : MacAddress{};
    if (IsZeroMacAddress(mac)) {
        dialog.ShowAlertTextById(kStrFormatError, editId);
        return std::nullopt;
    }
    return mac;
}

AclCheckRec MacCheckOnPvc(uint32_t kind, const MacAddress& mac, const PvcOfPort& pvc)
{
    AclCheckRec check;
    check.kind = kind;
    check.mac = mac;
    check.portId = pvc.portId;
    check.vpi = pvc.vpi;
    check.vci = pvc.vci;
    return check;
}

PvcReading ReadPvcOfPort(uint32_t neId, const PvcOfPort& pvc)
{
    PvcRec port;
    port.portId = pvc.portId;
    const RecordReply<PvcRec> reply = CRecordRequests().Query(kReqPvc, neId, port, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return {};
    for (const PvcRec& rec : reply.records) {
        if (rec.portId == pvc.portId && rec.vpi == pvc.vpi && rec.vci == pvc.vci)
            return {.read = true, .pvc = rec};
    }
    return {.read = true, .pvc = std::nullopt};
}
