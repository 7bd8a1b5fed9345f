// The few POSIX socket steps the server link needs, with result codes instead of errno.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

// A non-blocking TCP connection to `address`:`port`, waited for at most `limitMs`. `wakeFd` ends the wait early
// (quit). 0 with *fd set, or 32005 (refused, unreachable), 32006 (time-out) or 32004 (woken).
int ConnectTcp(const std::array<uint8_t, 4>& address, uint16_t port, uint32_t limitMs, int wakeFd, int* fd);

// A UDP socket bound on the first free port from `firstPort` (at most `tries` ports). The descriptor, or -1 with
// *boundPort 0.
int BindFirstFreeUdpPort(uint16_t firstPort, int tries, uint16_t* boundPort);

// IPv4 address bytes (first number first) as one number in network byte order, and back.
uint32_t Ipv4ToNetworkOrder(const std::array<uint8_t, 4>& address);

void CloseSocket(int& fd);
