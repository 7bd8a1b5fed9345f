#pragma once
// Pieces the two socket transports share: an owned descriptor, the per-echo IP options, waiting, addresses, time.

#include "link/icmp/icmp_transport.h"

#include <cstdint>
#include <netinet/in.h>
#include <span>

class CIcmpSocket {
public:
    explicit CIcmpSocket(int fd) : fd_(fd) {}
    ~CIcmpSocket();
    CIcmpSocket(const CIcmpSocket&) = delete;
    CIcmpSocket& operator=(const CIcmpSocket&) = delete;

    int Fd() const { return fd_; }

    // Sets TTL (0 goes out as 1), type of service and don't-fragment; 0 or the system error code.
    int ApplyEchoOptions(const IcmpEchoOptions& options) const;

    // Sends one datagram to the address, again when a signal interrupts; 0 or the system error code.
    int SendPacket(const PingAddress& destination, std::span<const uint8_t> packet) const;

    // Waits until the socket is readable or has a queued error, or the deadline passes. Returns the poll events, 0
    // at the deadline.
    short WaitReadable(uint64_t deadlineMs) const;

private:
    int fd_;
};

uint64_t MonotonicMs();
sockaddr_in ToSockaddr(const PingAddress& address);
PingAddress FromSockaddr(const sockaddr_in& address);
