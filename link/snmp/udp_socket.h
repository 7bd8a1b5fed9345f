#pragma once
// A bound IPv4 UDP socket with time-limited receive, owned by one thread at a time.

#include <array>
#include <cstddef>
#include <cstdint>

struct UdpEndpoint {
    std::array<uint8_t, 4> address{}; // first number first
    uint16_t port = 0;
    bool operator==(const UdpEndpoint&) const = default;
};

class CUdpSocket {
public:
    CUdpSocket() = default;
    ~CUdpSocket();
    CUdpSocket(const CUdpSocket&) = delete;
    CUdpSocket& operator=(const CUdpSocket&) = delete;

    // Binds to address:port (port 0 takes a free one). 0, or the errno value of the failure.
    int Open(const std::array<uint8_t, 4>& address, uint16_t port);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    uint16_t LocalPort() const;
    // Asks the system for a receive buffer of this size (bursts of notifications).
    void SetReceiveBufferSize(int bytes);

    // 0, or the errno value of the failure.
    int SendTo(const uint8_t* data, size_t size, const UdpEndpoint& to);

    enum : int { kTimedOut = -1, kFailed = -2, kTruncated = -3 };
    // Waits up to timeoutMs (0 = only what is queued) for one datagram. The byte count, or kTimedOut, kFailed, or
    // kTruncated for a datagram longer than the buffer (it is consumed).
    int ReceiveFrom(uint8_t* buffer, size_t capacity, UdpEndpoint* from, int timeoutMs);

private:
    int fd_ = -1;
};
