#pragma once
// One port of a fast provisioning of multicast channels: the channel written on the port as an add. An enabled
// channel needs a PVC in service on the port and room for its limit among the port's PVCs, the operator's yes to
// replace the port's channel, and room in its VLAN's MAC limit as the fast provisioning judges it (any limit the NE
// tells, enabled or not; a replaced channel of the same limit is not judged); a disabled one is written at once.

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
    uint32_t messageId = 0; // the refusal of a rule, for the message line; 0 for none (a refused add the driver told)
};

// `confirmOverwrite` asks whether the port's channel is to be replaced.
McProvisionResult ProvisionMcChannel(uint32_t neId, const McChannelRec& channel,
                                     const std::function<bool()>& confirmOverwrite,
                                     const CRecordRequests& requests = CRecordRequests());

// The same in two halves, for a caller that asks the operator on another thread than the one that requests: the port
// up to the question, with its outcome when it ends there (or needs no question, written or not); else the operator
// is to be asked, and after a yes the rest runs with the limit of the channel the port holds.
struct McProvisionAsk {
    std::optional<McProvisionResult> ended;
    uint8_t heldLimit = 0;
};
McProvisionAsk ProvisionMcChannelUntilAsked(uint32_t neId, const McChannelRec& channel,
                                            const CRecordRequests& requests = CRecordRequests());
// `heldLimit`: the channel limit of the channel the port held, none when it held none.
McProvisionResult FinishMcChannel(uint32_t neId, const McChannelRec& channel, std::optional<uint8_t> heldLimit,
                                  const CRecordRequests& requests = CRecordRequests());
