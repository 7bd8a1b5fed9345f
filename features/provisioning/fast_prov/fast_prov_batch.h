#pragma once
// One row of a fast provisioning at a time, as the list's batch sends it. Each row first reads the NE's boards (which
// line cards control service types); then:
//
//   - a port row writes the port setting (the ADSL or SHDSL port record, by the module type), after the guard that
//     a port whose line card controls service types, and which holds a PPPoE-related or transparent PVC, cannot take
//     a traffic policing profile that remarks DSCP codes;
//   - a PVC row writes the PVC and its static IP block through the guarded PVC write (pvc_write.h): an existing PVC
//     of the same VPI and VCI is changed, a new one created, and the NE's rule check judges it first (the VLAN's MAC
//     limit is left to that check).
//
// The failure boxes of failed requests are shown by the requests; what else the operator is to read comes back in
// the step's result.
//
//     CFastProvBatch batch(neId, params);
//     if (!batch.ReadBoards()) ... the tick ends ...
//     const FastProvStep step = batch.Run(row);
//     if (!step.done) ... step.messageId, step.report ...

#include "features/provisioning/fast_prov/fast_prov_params.h"
#include "features/provisioning/fast_prov/fast_prov_rows.h"
#include "link/record_requests.h"
#include "link/records/board_setting_rec.h"
#include "link/records/pvc_rec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FastProvStep {
    bool done = false;
    uint32_t messageId = 0; // a message to show besides the failure boxes; 0 for none
    std::string report;     // the NE's rule-check report; empty for none
};

class CFastProvBatch {
public:
    CFastProvBatch(uint32_t neId, const FastProvParams& params, CRecordRequests requests = CRecordRequests());

    // Reads the boards of the NE; false when they could not be read (the failure box shown).
    bool ReadBoards();
    // After ReadBoards.
    FastProvStep Run(const FastProvRow& row);

    // The PVC a PVC row writes.
    PvcRec PvcOf(const FastProvRow& row) const;

private:
    FastProvStep RunPort(const FastProvRow& row);
    FastProvStep RunPvc(const FastProvRow& row);
    // Whether the port's line card controls service types, by the boards read.
    bool CardControlsServiceTypes(const FastProvRow& row) const;
    // Whether a PVC of the port is PPPoE-related or transparent; none when the PVCs could not be read.
    std::optional<bool> PortHasPppoePvc(uint32_t portId);
    // Whether the chosen traffic policing profile remarks DSCP codes; none when the profiles could not be read.
    std::optional<bool> PolicingRemarksDscp();

    uint32_t neId_;
    FastProvParams params_;
    CRecordRequests requests_;
    std::vector<BoardSettingRec> boards_;
};
