#pragma once
// The guarded write of one PVC of an xDSL port, as the VC-to-VLAN setting dialog and the fast provisioning batch do
// it: the PVC and its static IP ranges either reach the NE whole, or the NE is left as it was. In order:
//
//   1. the PVC's row status tells a PVC the NE has from a new one (the batch has read the PVC itself);
//   2. an existing PVC: the port's multicast channel is read (the batch reads the PVC's ranges first, and the channel
//      only for the port's one enabled PVC); an active
//      PVC's new MAC limit must fit its VLAN's limit (not in the batch); a PVC being disabled must not be the last
//      enabled one beside an enabled channel;
//   3. an existing PVC is taken out of service: the channel disabled, the row status set to "not in service", its
//      static IP ranges deleted;
//   4. the NE's rule check (the batch runs it before step 3);
//   5. the PVC written, its row status read again ("not ready" refuses it; not in the batch);
//   6. the static IP ranges added, in order;
//   7. an enabled PVC put in service;
//   8. the channel restored.
//
// A step that fails undoes what the steps before it did: a new PVC written is deleted; an existing PVC gets back its
// record, its ranges, its row status and its channel as they were. The outcome says which step failed and what the
// operator is to read; the failure boxes of failed requests have been shown by then.
//
//     const PvcWriteOutcome done = CPvcWrite(neId).Run(job);
//     if (done.written)
//         result_ = done.result;

#include "features/provisioning/pvcs/pvc_rule_check.h"
#include "link/record_requests.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_row_status_rec.h"

#include <cstdint>
#include <optional>
#include <vector>

struct PvcWriteJob {
    PvcRec pvc;                 // what to write; its oper state is not written
    PvcStaticIps ranges{};      // its static IP ranges, the unused ones of address 0.0.0.0
    uint32_t failureTextId = 0; // of the writes: adding or updating
    // The PVC as its writer read it, when it did: an undo writes it back. A PVC the NE has that nobody read (an add
    // of a PVC that exists) is read first, so that an undo never writes anything else over it.
    std::optional<PvcRec> asRead;
    // The fast provisioning batch: the PVC exists exactly when `asRead` holds it; the row status is not read and the
    // VLAN's MAC limit not checked.
    bool batch = false;
    // The batch: the port's PVCs as its query of the PVC returned them. The port's channel is read only when the
    // PVC as read is the only enabled one among them; otherwise the port keeps its channel as it is.
    std::vector<PvcRec> portAsRead;
};

enum class PvcWriteStep : uint8_t {
    kNone,
    kReadState,    // the row status or the channel could not be read
    kVlanMacLimit, // the VLAN's MAC limit cannot take the new MAC limit (or could not be checked)
    kLastEnabled,  // disabling the port's last enabled PVC beside an enabled channel
    kOutOfService, // taking the PVC out of service failed
    kRuleCheck,    // the NE's rule check refused it, or could not be run
    kWrite,        // writing the PVC failed
    kNotReady,     // the NE holds the PVC written as not ready
    kStaticIp,     // adding a static IP range failed
    kEnable,       // putting the PVC in service failed
};

struct PvcWriteOutcome {
    bool written = false;
    PvcWriteStep failedStep = PvcWriteStep::kNone;
    uint32_t messageId = 0; // what the operator is to read besides the failure boxes shown; 0 for nothing
    PvcRuleVerdict verdict; // kRuleCheck: the NE's verdict and its report
    int failedRange = -1;   // kStaticIp: the range whose add failed
    PvcRec result;          // written: the PVC as written, its oper state by its enable state
};

// Whether a refused row status or delete names a static-IP PVC without an IP base: the NE's reply carries the reason
// where the record's VPI and VCI are.
bool ReplyMarksMissingIpBase(const std::vector<PvcRowStatusRec>& replied);
bool ReplyMarksMissingIpBase(const std::vector<PvcRec>& replied);

class CPvcWrite {
public:
    CPvcWrite(uint32_t neId, CRecordRequests requests = CRecordRequests());

    PvcWriteOutcome Run(const PvcWriteJob& job);

private:
    // What has been done so far, for the undo.
    struct Done {
        std::optional<PvcRec> existing; // the PVC as the NE had it
        bool wasActive = false;
        std::optional<McChannelRec> channelDisabled; // as it was before it was disabled
        bool outOfService = false;
        std::vector<PvcStaticIpEntry> rangesDeleted; // the existing PVC's, as they were
        bool pvcWritten = false;
        std::vector<PvcStaticIpEntry> rangesAdded;
    };

    // False when the query failed; `status` none when the NE has no such PVC.
    bool ReadRowStatus(const PvcRec& pvc, std::optional<PvcRowStatusRec>* status);
    // The PVCs of the port; none when the query failed.
    std::optional<std::vector<PvcRec>> PortPvcs(uint32_t portId);
    // The VLAN check of an active PVC: the message to show, 0 when it passes; none when a request failed.
    std::optional<uint32_t> CheckVlanMacLimit(const PvcRec& pvc, const PvcRec& existing);
    // Whether a PVC being disabled leaves its port at least one other enabled PVC; none when the query failed.
    std::optional<bool> OthersEnabled(const PvcRec& pvc);
    bool TakeOutOfService(const PvcRec& pvc, const McChannelRec& channel, Done& done, uint32_t* messageId);
    bool SetRowStatus(const PvcRec& pvc, uint32_t status, uint32_t* messageId);
    bool AddRanges(const std::vector<PvcStaticIpEntry>& ranges, std::vector<PvcStaticIpEntry>* added, int* failed);
    bool DeleteRanges(const std::vector<PvcStaticIpEntry>& ranges, std::vector<PvcStaticIpEntry>* deleted);
    void Undo(const PvcRec& pvc, const Done& done);

    uint32_t neId_;
    CRecordRequests requests_;
    uint32_t failureTextId_ = 0;
};

// The static IP ranges of a PVC as the NE keeps them, in order; none when the query failed.
std::optional<std::vector<PvcStaticIpEntry>> QueryPvcStaticIps(uint32_t neId, const PvcRec& pvc, uint32_t failureTextId,
                                                               const CRecordRequests& requests = CRecordRequests());

// The ranges of the dialog as the records of the PVC's key.
std::vector<PvcStaticIpEntry> RangesOfPvc(const PvcRec& pvc, const PvcStaticIps& ranges);
