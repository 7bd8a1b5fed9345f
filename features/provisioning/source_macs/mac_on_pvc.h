#pragma once
// What the source MAC and static MAC dialogs share about an address put on one PVC of an xDSL port: the address as
// typed, the NE's check of it on the PVC, and the PVC as the NE has it.

#include "core/util/mac_address.h"
#include "link/records/acl_check_rec.h"
#include "link/records/pvc_rec.h"

#include <QString>

#include <cstdint>
#include <optional>

class CADialog;

struct PvcOfPort {
    uint32_t portId = 0;
    uint8_t vpi = 0;
    uint16_t vci = 0;
};

// The address typed; none, with "Format error" at the edit, for a text that is no address or all zeros.
std::optional<MacAddress> TypedMacAddress(CADialog& dialog, const QString& typed, int editId);

// The check of `kind` (AskMacCheck) of the address on the PVC.
AclCheckRec MacCheckOnPvc(uint32_t kind, const MacAddress& mac, const PvcOfPort& pvc);

// The port's PVCs read from the NE: `read` false when the query failed (the driver has shown why), else the PVC
// asked about, none when the port has no such PVC.
struct PvcReading {
    bool read = false;
    std::optional<PvcRec> pvc;
};
PvcReading ReadPvcOfPort(uint32_t neId, const PvcOfPort& pvc);
