#pragma once
// Takes notifications on a UDP port: answers informs, keeps to one source address, and counts and drops what it
// cannot use. Never stops on bad input.

#include "link/snmp/snmp_trap.h"
#include "link/snmp/udp_socket.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct SnmpTrapReceiverStats {
    uint64_t datagrams = 0;        // everything read from the socket
    uint64_t accepted = 0;         // notifications handed on
    uint64_t malformed = 0;        // did not decode, or broke a notification's definition
    uint64_t foreignSource = 0;    // from another address than the NE's
    uint64_t notNotifications = 0; // well-formed messages of another PDU type
    uint64_t informsAnswered = 0;
};

class CSnmpTrapReceiver {
public:
    using Handler = std::function<void(const SnmpTrapEvent& event, const UdpEndpoint& from)>;

    // Binds the port on all addresses (or the one given). 0, or the errno value of the failure.
    int Open(uint16_t port, const std::array<uint8_t, 4>& bindAddress = {0, 0, 0, 0});
    void Close() { socket_.Close(); }
    bool IsOpen() const { return socket_.IsOpen(); }
    uint16_t LocalPort() const { return socket_.LocalPort(); }

    // Only notifications from this address are taken; none set: from anywhere.
    void SetSourceAddress(std::optional<std::array<uint8_t, 4>> address);

    // Waits up to timeoutMs for one datagram and handles it; false when none came.
    bool ReceiveOne(int timeoutMs, const Handler& handler);
    // Handles one datagram already read (also for tests and the fuzzer).
    void HandleDatagram(const uint8_t* data, size_t size, const UdpEndpoint& from, const Handler& handler);

    // Safe to read from any thread.
    SnmpTrapReceiverStats Stats() const;

private:
    CUdpSocket socket_;
    std::vector<uint8_t> buffer_ = std::vector<uint8_t>(65536);
    std::vector<uint8_t> responseBuffer_;
    std::atomic<uint32_t> sourceAddress_{0};
    std::atomic<bool> sourceSet_{false};
    std::atomic<uint64_t> datagrams_{0};
    std::atomic<uint64_t> accepted_{0};
    std::atomic<uint64_t> malformed_{0};
    std::atomic<uint64_t> foreignSource_{0};
    std::atomic<uint64_t> notNotifications_{0};
    std::atomic<uint64_t> informsAnswered_{0};
};
