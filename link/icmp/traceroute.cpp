#include "link/icmp/traceroute.h"

#include "core/util/ip_address.h"
#include "link/icmp/icmp_ping.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/ping_output.h"
#include "link/icmp/ping_texts.h"
#include "link/icmp/system_icmp_transport.h"

#include <cstdio>

namespace {

std::string TimeColumn(uint32_t ms)
{
    return ms == 0 ? std::string(kTraceUnderOneMs) : std::to_string(ms);
}

bool IsAnswer(uint32_t status)
{
    return status == kIcmpStatusSuccess || status == kIcmpStatusTtlExpiredTransit ||
           status == kIcmpStatusTtlExpiredReassembly;
}

// Appends text while the trace is current, the test and the append in one step, so that a newer trace that has put
// its header in place never gets a line of this one; false when the trace is no longer current.
bool AppendIfCurrent(CPingOutput* output, const CTraceCounters& counters, uint8_t traceId, uint32_t epoch,
                     const std::string& text)
{
    bool current = false;
    auto append = [&](std::string& lines) {
        current = counters.IsCurrent(traceId, epoch);
        if (current)
            lines += text;
    };
    if (output != nullptr)
        output->Edit(append);
    else
        current = counters.IsCurrent(traceId, epoch);
    return current;
}

// The line of a hop whose echo run ended.
std::string HopLine(unsigned hop, const PingRequest& run)
{
    char line[160];
    const unsigned received = run.received;
    const unsigned count = run.count;
    if (received > 0 && IsAnswer(run.status)) {
        const std::string address = FormatIpAddress(run.replyAddress);
        const std::string low = TimeColumn(run.minTime);
        const std::string average = TimeColumn(run.totalTime / received);
        const std::string high = TimeColumn(run.maxTime);
        std::snprintf(line, sizeof line, kTraceHopFormat, hop, low.c_str(), average.c_str(), high.c_str(), received,
                      count, address.c_str());
    } else {
        std::snprintf(line, sizeof line, kTraceSilentHopFormat, hop, 0U, count,
                      std::string(IcmpStatusText(run.status)).c_str());
    }
    return line;
}

} // namespace

uint8_t CTraceCounters::BeginTrace()
{
    std::lock_guard lock(mutex_);
    const uint8_t id = traces_.TakeId();
    hops_.TakeId();
    return id;
}

void CTraceCounters::EndTraces()
{
    std::lock_guard lock(mutex_);
    traces_.TakeId();
    hops_.TakeId();
}

void CTraceCounters::Reset()
{
    std::lock_guard lock(mutex_);
    traces_.Reset();
    hops_.TakeId();
}

bool CTraceCounters::TakeHopId(uint8_t traceId, uint32_t epoch, PingRequest* run)
{
    std::lock_guard lock(mutex_);
    if (!traces_.IsCurrent(traceId, epoch))
        return false;
    NewPingId(run, hops_);
    return true;
}

std::string TraceHeader(const PingAddress& destination, unsigned maxHops)
{
    char header[sizeof kTraceHeaderFormat + 32];
    std::snprintf(header, sizeof header, kTraceHeaderFormat, FormatIpAddress(destination).c_str(), maxHops);
    return header;
}

int32_t TracerouteThread(const PingRequest* trace, CPingOutput* output, CTraceCounters& counters,
                         const IcmpTransportOpener& open)
{
    if (trace == nullptr || trace->count == 0)
        return -1;
    const uint8_t traceId = trace->id;
    const uint32_t epoch = counters.Epoch();
    const unsigned maxHops = trace->ttl;

    for (unsigned hop = 1; hop <= maxHops; ++hop) {
        PingRequest run = *trace;
        run.output = nullptr;
        run.ttl = static_cast<uint8_t>(hop);
        if (!counters.TakeHopId(traceId, epoch, &run))
            return 0;
        const int32_t result = IcmpPing(&run, counters.Hops(), open);
        // A newer trace, or the dialog's closing, ended this one: a hop cut short says nothing of the route.
        if (!counters.IsCurrent(traceId, epoch))
            return 0;
        if (result != kIcmpPingDone) {
            char line[96];
            std::snprintf(line, sizeof line, kTraceEngineErrorFormat, hop, 0U, unsigned{trace->count}, result);
            if (!AppendIfCurrent(output, counters, traceId, epoch, line))
                return 0;
            break;
        }
        if (!AppendIfCurrent(output, counters, traceId, epoch, HopLine(hop, run)))
            return 0;
        // The trace ends where the destination itself answered, or at the last hop.
        if (run.replyAddress == trace->address)
            break;
    }
    AppendIfCurrent(output, counters, traceId, epoch, kTraceCompleteText);
    return 0;
}
