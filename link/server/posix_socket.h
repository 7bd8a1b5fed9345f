// The few POSIX socket steps the server link needs, with result codes instead of errno.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// A non-blocking TCP connection to `address`:`port`, waited for at most `limitMs`. `wakeFd` ends the wait early
// (quit). 0 with *fd set, or 32005 (refused, unreachable), 32006 (time-out) or 32004 (woken).
int ConnectTcp(const std::array<uint8_t, 4>& address, uint16_t port, uint32_t limitMs, int wakeFd, int* fd);

// Lets a plain recv() on the socket wait for data, with no time-out (a signal ends the wait); reads and writes with
// MSG_DONTWAIT go on without waiting. False when the system refused.
bool LetReceiveWait(int fd);

// A UDP socket bound to `localAddress` (network order; 0 = every address) on the first free port from `firstPort`
// (at most `tries` ports). The descriptor, or -1 with *boundPort 0.
int BindFirstFreeUdpPort(uint32_t localAddress, uint16_t firstPort, int tries, uint16_t* boundPort);

struct ReceiveBufferGrant {
    int bytes = -1;      // for data, as the kernel granted it; -1 when it cannot be read
    bool forced = false; // asked for past net.core.rmem_max, as a process with CAP_NET_ADMIN may
};

// Asks for a receive buffer of `bytes` for data: past the system's limit where the process may, else within it.
ReceiveBufferGrant SetReceiveBuffer(int fd, int bytes);

// The datagrams the kernel has dropped on this socket because its receive queue was full; -1 when unknown.
int64_t KernelDropCount(int fd);

// The local IPv4 address of a connected socket in network order; 0 when unknown.
uint32_t LocalAddressOf(int fd);

// A network-order IPv4 address as "a.b.c.d".
std::string DottedAddress(uint32_t networkOrder);

// IPv4 address bytes (first number first) as one number in network byte order, and back.
uint32_t Ipv4ToNetworkOrder(const std::array<uint8_t, 4>& address);

void CloseSocket(int& fd);
