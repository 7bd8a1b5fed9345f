#pragma once
// The ping run: count echo requests to one address, one after the other, with the results gathered in the request.

#include "link/icmp/icmp_transport.h"
#include "link/icmp/ping_counter.h"
#include "link/icmp/ping_request.h"

#include <cstdint>

inline constexpr int32_t kIcmpPingDone = 0;         // the run ended, or was ended by a newer id
inline constexpr int32_t kIcmpPingInvalid = -1;     // null request or count 0: nothing sent, request untouched
inline constexpr int32_t kIcmpPingNoTransport = -2; // no ICMP socket could be opened: request untouched

// Runs the whole ping on the calling thread. The request's parameters are clamped (count 1..99, timeout
// 1000..30000 ms, size 32..9996, TTL at least 1) and written back with the times cleared and status 0 before the
// first echo; the results are written back when the run ends. The run stops early when counter issues an id newer
// than the request's, checked before each echo is sent and after it has been answered or has timed out; it then
// writes back only the number of echoes answered so far.
//
// The status: 11000 until an echo is answered or missed; an echo without reply (timed out, or not sent) makes any
// status but 0 "request timed out"; a reply gives its own status when it is the first, and 0 when it is an echo reply.
// A run whose replies are all errors (TTL expired, unreachable) keeps the first one, so that it is never taken for a
// success.
int32_t IcmpPing(PingRequest* request, const CPingCounter& counter, const IcmpTransportOpener& open);

// The same on the program-wide counter and the current transport.
int32_t IcmpPing(PingRequest* request);
