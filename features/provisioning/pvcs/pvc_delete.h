#pragma once
// Deleting a PVC of an xDSL port, as the VC-to-VLAN list does it, one PVC or many: first the guards, then the delete.
// A PVC is kept while it carries static or access-control filtering entries, while its line card runs service-type
// control and it has static IP ranges, and while it is the last enabled PVC of a port with an enabled multicast
// channel; the operator reads why.
//
//     const PvcDeletionCheck check = CheckPvcDeletion(neId, pvc);
//     if (check.verdict == PvcDeletionVerdict::kRefused) ShowAlertTextById(check.messageId, ...);

#include "link/record_requests.h"
#include "link/records/pvc_rec.h"

#include <cstdint>

enum class PvcDeletionVerdict : uint8_t {
    kMayDelete,
    kRefused,      // a guard keeps the PVC: messageId says why
    kQueryFailed,  // a guard could not be checked (its failure box shown)
    kBoardsFailed, // the line cards could not be read (its failure box shown)
};

struct PvcDeletionCheck {
    PvcDeletionVerdict verdict = PvcDeletionVerdict::kMayDelete;
    uint32_t messageId = 0;
    bool hasStaticIps = false; // the PVC still has static IP ranges: the confirmation says so
};

PvcDeletionCheck CheckPvcDeletion(uint32_t neId, const PvcRec& pvc,
                                  const CRecordRequests& requests = CRecordRequests());

// Deletes the PVC. On failure the failure box has been shown, or `messageId` is the NE's reason to show: a PVC whose
// IP bases keep it.
struct PvcDeletion {
    bool deleted = false;
    uint32_t messageId = 0;
};
PvcDeletion DeletePvc(uint32_t neId, const PvcRec& pvc, const CRecordRequests& requests = CRecordRequests());
