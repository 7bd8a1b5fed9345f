#pragma once
// Evaluates one answer to an echo: its round trip, TTL, source and status, and the line the run writes for it.

#include "link/icmp/icmp_transport.h"
#include "link/icmp/ping_request.h"

#include <cstdint>

class CPingOutput;

// Returns the reply's status, or -1 when reply or sendTimeMs is null. The round trip is nowMs - *sendTimeMs in whole
// milliseconds; roundTripMs, replyTtl and replyAddress receive the results when given. With an output, appends the
// reply's line; requestSize is the size shown as "bytes".
int32_t FormatPingReply(const IcmpReply* reply, uint16_t requestSize, CPingOutput* output, const uint64_t* sendTimeMs,
                        uint64_t nowMs, uint32_t* roundTripMs, uint8_t* replyTtl, PingAddress* replyAddress);
