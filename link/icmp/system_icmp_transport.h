#pragma once
// The system's ICMP transport: a ping socket where the system admits one, else a raw socket, else nothing. Where
// neither is allowed, widening net.ipv4.ping_group_range to the user's group, or giving the program CAP_NET_RAW
// (setcap cap_net_raw+ep), makes echoes possible; the program is never made setuid for it.

#include "link/icmp/icmp_transport.h"

#include <memory>
#include <string>

// Null when neither socket can be opened; *error then says why and what would allow it.
std::unique_ptr<IcmpTransport> OpenSystemIcmpTransport(std::string* error);
