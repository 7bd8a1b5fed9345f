#include "link/icmp/client_echo.h"

#include "link/icmp/icmp_ping.h"

#include <string>

ClientEchoState::ClientEchoState() : pingCounter(PingCounter()) {}

ClientEchoState& ClientEcho()
{
    static ClientEchoState state;
    return state;
}

int32_t RunClientPing(PingRequest request, const CPingCounter& counter, const IcmpTransportOpener& open)
{
    return IcmpPing(&request, counter, open);
}
