#pragma once
// One port of a fast provisioning of multicast channels: the channel written on the port as an add, past the same
// rules as the channel setting applies to a new channel (an enabled channel needs a PVC in service on the port, room
// for its limit among the port's PVCs and in its VLAN's MAC limit, and the operator's yes to replace the port's
// channel); a disabled one is written at once.

#include "link/record_requests.h"
#include "link/records/mc_channel_rec.h"

#include <cstdint>
#include <functional>
#include <optional>

enum class McProvisionOutcome : uint8_t {
    kWritten,
    kPaused, // refused by a rule, the operator or a failed query: the run waits on the port
    kFailed, // the NE refused the write: the run ends
};

struct McProvisionResult {
    McProvisionOutcome outcome = McProvisionOutcome::kWritten;
    uint32_t messageId = 0; // the refusal to show on the message line (a rule) or in a box (the write); 0 for none
};

// `confirmOverwrite` asks whether the port's channel is to be replaced.
McProvisionResult ProvisionMcChannel(uint32_t neId, const McChannelRec& channel,
                                     const std::function<bool()>& confirmOverwrite,
                                     const CRecordRequests& requests = CRecordRequests());

// The same in two halves, for a caller that asks the operator on another thread than the one that requests: the port
// up to the question, with its outcome when it ends there (or needs no question, written or not), none when the
// operator is to be asked; then, after a yes, the rest.
std::optional<McProvisionResult> ProvisionMcChannelUntilAsked(uint32_t neId, const McChannelRec& channel,
                                                              const CRecordRequests& requests = CRecordRequests());
McProvisionResult FinishMcChannel(uint32_t neId, const McChannelRec& channel,
                                  const CRecordRequests& requests = CRecordRequests());
