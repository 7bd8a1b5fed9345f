#pragma once
// The ping run: count echo requests to one address, one after the other, with the results gathered in the request.

#include "link/icmp/icmp_transport.h"
#include "link/icmp/ping_counter.h"
#include "link/icmp/ping_request.h"

#include <cstdint>

inline constexpr int32_t kIcmpPingDone = 0;         // every echo was sent and answered or waited for
inline constexpr int32_t kIcmpPingCancelled = 1;    // ended early by a newer id: the results are partial
inline constexpr int32_t kIcmpPingInvalid = -1;     // null request or count 0: nothing sent, request untouched
inline constexpr int32_t kIcmpPingNoTransport = -2; // no ICMP socket could be opened: request untouched

// Runs the whole ping on the calling thread. The request's parameters are clamped (count 1..99, timeout
// 1000..30000 ms, size 32..9996, TTL at least 1) and written back with the times cleared before the first echo; the
// results are written back when the run ends. The run stops early when counter issues an id newer than the
// request's, checked before and after each echo and while waiting; it then writes back what it gathered so far and
// returns kIcmpPingCancelled, so that a run cut short is never taken for a finished one.
int32_t IcmpPing(PingRequest* request, const CPingCounter& counter, const IcmpTransportOpener& open);

// The same on the program-wide counter and the current transport.
int32_t IcmpPing(PingRequest* request);
