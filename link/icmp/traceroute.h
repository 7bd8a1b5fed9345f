#pragma once
// The workstation's traceroute: the engine's ping run once per hop, with the TTL set to the hop number, and one line
// per hop in an output, until the destination answers or the hops run out. A hop is answered when an echo came back
// and the run's status is success or "TTL expired"; any other hop (silent, or a router's "unreachable") gets the
// unanswered line with the status text, and the trace goes on.

#include "link/icmp/icmp_transport.h"
#include "link/icmp/ping_counter.h"
#include "link/icmp/ping_request.h"

#include <cstdint>
#include <mutex>
#include <string>

class CPingOutput;

// The ids of traces and of their hops' echo runs. A trace goes on while its id is the last one issued; a newer trace,
// or EndTraces, also ends the echo run of the hop in progress. A trace that is no longer current takes no further hop
// id, so that it never ends a hop of a newer trace.
class CTraceCounters {
public:
    // The id of a new trace.
    uint8_t BeginTrace();
    // Ends the trace in progress (its dialog closes).
    void EndTraces();
    // Numbers the traces from 0 again (the dialog opens); a trace begun before stays ended.
    void Reset();
    // What a trace notes as it begins, for IsCurrent and TakeHopId.
    uint32_t Epoch() const { return traces_.Epoch(); }
    bool IsCurrent(uint8_t traceId, uint32_t epoch) const { return traces_.IsCurrent(traceId, epoch); }
    // Gives the echo run of a hop its id while the trace is current; false, and the run untouched, when it is not.
    bool TakeHopId(uint8_t traceId, uint32_t epoch, PingRequest* run);
    const CPingCounter& Hops() const { return hops_; }

private:
    std::mutex mutex_;
    CPingCounter traces_;
    CPingCounter hops_;
};

// The header a trace's output starts with.
std::string TraceHeader(const PingAddress& destination, unsigned maxHops);

// Runs the trace on the calling thread. `trace` holds the trace's id (from counters.BeginTrace), the destination, the
// most hops in its TTL field, and the count, timeout, size, ToS and don't-fragment flag of every hop's echoes.
// Returns 0 when the trace ended, or was ended by a newer trace id (it then writes nothing more, not even the end
// line); -1 for a null trace or a count of 0. Without an ICMP socket, the first hop's line is the engine's error.
int32_t TracerouteThread(const PingRequest* trace, CPingOutput* output, CTraceCounters& counters,
                         const IcmpTransportOpener& open);
