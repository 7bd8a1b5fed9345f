#include "link/icmp/icmp_ping.h"

#include "core/util/ip_address.h"
#include "link/icmp/echo_request.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/ping_output.h"
#include "link/icmp/ping_reply.h"
#include "link/icmp/ping_texts.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

void ClampParameters(PingRequest& run)
{
    run.count = std::clamp(run.count, kPingMinCount, kPingMaxCount);
    run.timeout = std::clamp(run.timeout, kPingMinTimeout, kPingMaxTimeout);
    run.size = std::clamp(run.size, kPingMinSize, kPingMaxSize);
    if (run.ttl == 0)
        run.ttl = 1;
    if (run.dontFragment != 0)
        run.dontFragment = 1;
}

void AppendNoReplyLine(CPingOutput* output, const PingAddress& destination, uint16_t sequence, int sendError)
{
    if (output == nullptr)
        return;
    std::string address = FormatIpAddress(destination);
    char line[96];
    if (sendError == 0)
        std::snprintf(line, sizeof line, kPingNoReplyFormat, address.c_str(), unsigned{sequence}, kPingTimedOutWords);
    else
        std::snprintf(line, sizeof line, kPingSendErrorFormat, address.c_str(), unsigned{sequence},
                      static_cast<unsigned>(sendError));
    output->Append(line);
}

} // namespace

int32_t IcmpPing(PingRequest* request, const CPingCounter& counter, const IcmpTransportOpener& open)
{
    if (request == nullptr || request->count == 0)
        return kIcmpPingInvalid;
    PingRequest run = *request;
    ClampParameters(run);
    const IcmpEchoOptions options{run.ttl, run.tos, run.dontFragment != 0};

    std::unique_ptr<IcmpTransport> transport = open ? open(nullptr) : nullptr;
    if (!transport) {
        if (run.output != nullptr)
            run.output->Append(kPingOpenFailedText);
        return kIcmpPingNoTransport;
    }

    std::vector<uint8_t> data(kPingMaxSize, 0);
    std::span<uint8_t> echo(data.data(), run.size);
    FillEchoRequest(echo);

    run.status = kIcmpStatusNotAnswered;
    run.minTime = run.maxTime = run.totalTime = 0;
    // The caller sees the clamped parameters and cleared times while the run goes on.
    PingRequest shown = run;
    shown.status = kIcmpStatusSuccess;
    *request = shown;

    uint8_t received = 0;
    // A run ended by a newer id tells its caller how many echoes came back, and nothing else.
    auto cancelled = [&] {
        request->received = received;
        return kIcmpPingDone;
    };

    const uint32_t epoch = counter.Epoch();
    const uint16_t sequenceBase = static_cast<uint16_t>(run.id * 100);
    for (unsigned i = 1; i <= run.count; ++i) {
        const uint16_t sequence = static_cast<uint16_t>(sequenceBase + i);
        StampEchoRequest(echo, sequence, static_cast<uint32_t>(transport->NowMs()));
        const uint64_t sendTime = transport->NowMs();
        if (!counter.IsCurrent(run.id, epoch))
            return cancelled();

        // An echo sent waits for its reply or its timeout, whatever id is taken meanwhile.
        std::optional<IcmpReply> reply;
        int sendError = transport->SendEcho(run.address, options, sequence, echo);
        if (sendError == 0)
            reply = transport->AwaitReply(sequence, sendTime + static_cast<uint64_t>(run.timeout));
        if (!counter.IsCurrent(run.id, epoch))
            return cancelled();

        if (!reply) {
            AppendNoReplyLine(run.output, run.address, sequence, sendError);
            if (run.status != kIcmpStatusSuccess)
                run.status = kIcmpStatusTimedOut;
            continue;
        }

        uint32_t roundTrip = 0;
        int32_t status = FormatPingReply(&*reply, run.size, run.output, &sendTime, transport->NowMs(), &roundTrip,
                                         &run.replyTtl, &run.replyAddress);
        if (received == 0) {
            run.minTime = run.maxTime = run.totalTime = roundTrip;
        } else {
            run.minTime = std::min(run.minTime, roundTrip);
            run.maxTime = std::max(run.maxTime, roundTrip);
            run.totalTime += roundTrip;
        }
        // Success once any echo came back; until then the first error answer stands, so that a run that never
        // reached its target is never reported as a success.
        if (status == static_cast<int32_t>(kIcmpStatusSuccess))
            run.status = kIcmpStatusSuccess;
        else if (received == 0)
            run.status = static_cast<uint32_t>(status);
        ++received;
    }
    run.received = received;
    *request = run;
    return kIcmpPingDone;
}

int32_t IcmpPing(PingRequest* request)
{
    return IcmpPing(request, PingCounter(), CurrentIcmpTransportOpener());
}
