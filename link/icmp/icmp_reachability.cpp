#include "link/icmp/icmp_reachability.h"

#include "link/icmp/icmp_ping.h"
#include "link/icmp/icmp_status.h"

namespace {

constexpr uint16_t kCheckSize = 64;
constexpr uint8_t kCheckTtl = 255;

} // namespace

IcmpReachability CheckIcmpReachable(const PingAddress& address, int32_t timeoutMs, std::string* error)
{
    PingRequest request;
    request.address = address;
    request.count = 1;
    request.timeout = timeoutMs;
    request.size = kCheckSize;
    request.ttl = kCheckTtl;
    request.tos = 0;
    request.dontFragment = 0;
    CPingCounter counter;
    NewPingId(&request, counter);

    std::string openError;
    int32_t result = IcmpPing(&request, counter, KeepingOpenFailure(CurrentIcmpTransportOpener(), &openError));
    if (result == kIcmpPingNoTransport) {
        if (error != nullptr)
            *error = openError;
        return IcmpReachability::kUnavailable;
    }
    // An error answer from a router counts as received but does not make the NE reachable.
    if (result == kIcmpPingDone && request.received != 0 && request.status == kIcmpStatusSuccess)
        return IcmpReachability::kReachable;
    return IcmpReachability::kUnreachable;
}
