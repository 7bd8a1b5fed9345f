#pragma once
// What the multicast channel setting and the fast provisioning ask an NE around a channel's write: the port's enabled
// PVCs, the room of the channel's VLAN (the units its PVCs and channels have committed, its MAC limit and the limit's
// state), and the write itself, whose refusal names the rule that was broken.

#include "features/provisioning/multicast/mc_channel_rules.h"
#include "link/record_requests.h"
#include "link/records/mc_channel_rec.h"

#include <cstdint>
#include <optional>

// The port's PVCs in service; none when the query failed (its failure box shown).
std::optional<uint32_t> CountEnabledPvcs(uint32_t neId, uint32_t portId,
                                         const CRecordRequests& requests = CRecordRequests());
// The VLAN's room; none when a request failed (its failure box shown). A VLAN without a limit of its own has its
// limit disabled.
std::optional<VlanMacRoom> QueryVlanMacRoom(uint32_t neId, uint16_t vlanId,
                                            const CRecordRequests& requests = CRecordRequests());
// Writes the channel, as an add or a modify; 0 when the NE took it, else the text of the refusal: the rule the NE
// names in the status word of its reply, or "Fail to update data" when it names none (or did not answer).
uint32_t WriteMcChannel(uint32_t neId, bool add, const McChannelRec& channel,
                        const CRecordRequests& requests = CRecordRequests());
