#pragma once
// Echoes over a raw ICMP socket, which needs CAP_NET_RAW. The socket sees every ICMP packet of the host, so each
// transport uses an identifier of its own and keeps only echo replies and errors that carry it.

#include "link/icmp/icmp_socket.h"
#include "link/icmp/icmp_transport.h"

#include <memory>

class CRawSocketTransport : public IcmpTransport {
public:
    // Null when the socket cannot be opened; *sysError then holds the system error code.
    static std::unique_ptr<CRawSocketTransport> Open(int* sysError);

    int SendEcho(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
                 std::span<const uint8_t> data) override;
    std::optional<IcmpReply> AwaitReply(uint16_t sequence, uint64_t deadlineMs) override;
    uint64_t NowMs() const override;

    uint16_t Identifier() const { return identifier_; }

private:
    CRawSocketTransport(int fd, uint16_t identifier) : socket_(fd), identifier_(identifier) {}

    CIcmpSocket socket_;
    uint16_t identifier_;
    std::vector<uint8_t> buffer_;
};
