#include "link/icmp/system_icmp_transport.h"

#include "link/icmp/ping_socket_transport.h"
#include "link/icmp/raw_socket_transport.h"

#include <cerrno>
#include <system_error>

std::unique_ptr<IcmpTransport> OpenSystemIcmpTransport(std::string* error)
{
    int pingError = 0;
    if (std::unique_ptr<CPingSocketTransport> ping = CPingSocketTransport::Open(&pingError))
        return ping;
    int rawError = 0;
    if (std::unique_ptr<CRawSocketTransport> raw = CRawSocketTransport::Open(&rawError))
        return raw;
    if (error != nullptr) {
        *error = "no ICMP socket can be opened: ping socket: ";
        *error += std::system_category().message(pingError);
        if (pingError == EACCES)
            *error += " (net.ipv4.ping_group_range does not admit this user's group)";
        *error += "; raw socket: ";
        *error += std::system_category().message(rawError);
        if (rawError == EPERM || rawError == EACCES)
            *error += " (needs CAP_NET_RAW)";
    }
    return nullptr;
}
