#pragma once
// The multicast channel of an xDSL port (request 470; at most one to a port), as the PVC dialogs read and write it
// around a change of the port's PVCs.

#include "link/record_requests.h"
#include "link/records/mc_channel_rec.h"

#include <cstdint>
#include <optional>

inline constexpr uint32_t kMcChannelEnabled = 1;
inline constexpr uint32_t kMcChannelDisabled = 2;

// The port's channel; a record of zeros when the port has none; none when the query failed, an NE that serves no
// channels included (its failure box shown when a text is given).
std::optional<McChannelRec> QueryMcChannelEntry(uint32_t neId, uint32_t portId, uint32_t failureTextId,
                                                const CRecordRequests& requests = CRecordRequests());

// Writes the channel: a modify, or an add for a channel the port does not have yet. True on success.
bool WriteMcChannelEntry(uint32_t neId, bool add, const McChannelRec& channel, uint32_t failureTextId,
                         const CRecordRequests& requests = CRecordRequests());

// The channel is the port's and enabled.
inline bool IsEnabledChannelOf(const McChannelRec& channel, uint32_t portId)
{
    return channel.portId == portId && channel.adminState == kMcChannelEnabled;
}
