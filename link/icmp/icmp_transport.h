#pragma once
// What the engine needs of the network: send one echo request, wait for what answers it, and a monotonic clock.
// One transport serves one ping run on one thread.

#include "link/icmp/ping_request.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct IcmpEchoOptions {
    uint8_t ttl = 255;
    uint8_t tos = 0;
    bool dontFragment = false;
};

// An echo reply, or an ICMP error that quotes one of our echo requests.
struct IcmpReply {
    uint8_t type = 0; // 0 echo reply; 3, 4, 11 or 12 an error
    uint8_t code = 0;
    uint16_t sequence = 0;     // the sequence number of the echo request answered
    PingAddress from{};        // the replying host, a router for most errors
    uint8_t ttl = 0;           // TTL of the reply packet; 0 when the system does not tell
    std::vector<uint8_t> data; // the echoed data bytes (echo replies only)
};

class IcmpTransport {
public:
    virtual ~IcmpTransport() = default;

    // Sends one echo request carrying data; 0 when it went out, else the system error code.
    virtual int SendEcho(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
                         std::span<const uint8_t> data) = 0;

    // The first reply or error answering the echo with this sequence number that arrives before deadlineMs (on the
    // NowMs clock); nullopt when none did. Answers to other echoes are dropped.
    virtual std::optional<IcmpReply> AwaitReply(uint16_t sequence, uint64_t deadlineMs) = 0;

    // Monotonic milliseconds.
    virtual uint64_t NowMs() const = 0;
};

// Opens the transport of one run; on failure returns null and says why in *error (when given).
using IcmpTransportOpener = std::function<std::unique_ptr<IcmpTransport>(std::string* error)>;

// An opener that opens through `open` and keeps the reason of a failure in *reason, whatever its caller asks for: a
// run only reports that it could not open, and the caller of the run wants to say why.
IcmpTransportOpener KeepingOpenFailure(IcmpTransportOpener open, std::string* reason);

// The opener that runs use unless they are given one: the system's sockets, or what SetIcmpTransportOpener put in
// place (tests of the engine's users script the network that way).
IcmpTransportOpener CurrentIcmpTransportOpener();
// An empty opener restores the system's.
void SetIcmpTransportOpener(IcmpTransportOpener opener);
