#include "link/icmp/client_echo.h"

#include "link/icmp/icmp_ping.h"
#include "link/icmp/system_icmp_transport.h"

#include <string>

ClientEchoState::ClientEchoState() : pingCounter(PingCounter()) {}

ClientEchoState& ClientEcho()
{
    static ClientEchoState state;
    return state;
}

int32_t RunClientPing(PingRequest request, const CPingCounter& counter, const IcmpTransportOpener& open)
{
    std::string openFailure;
    const int32_t result = IcmpPing(&request, counter, KeepingOpenFailure(open, &openFailure));
    if (result == kIcmpPingNoTransport && request.output != nullptr)
        request.output->Append(IcmpUnavailableText(openFailure));
    return result;
}
