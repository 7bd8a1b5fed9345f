#pragma once
// Echoes over an unprivileged ICMP datagram socket, where net.ipv4.ping_group_range admits the user's group. The
// system sets the identifier and the checksum and hands the socket only its own replies; ICMP errors arrive on the
// socket's error queue.

#include "link/icmp/icmp_socket.h"
#include "link/icmp/icmp_transport.h"

#include <memory>

class CPingSocketTransport : public IcmpTransport {
public:
    // Null when the socket cannot be opened; *sysError then holds the system error code.
    static std::unique_ptr<CPingSocketTransport> Open(int* sysError);

    int SendEcho(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
                 std::span<const uint8_t> data) override;
    std::optional<IcmpReply> AwaitReply(uint16_t sequence, uint64_t deadlineMs) override;
    uint64_t NowMs() const override;

private:
    explicit CPingSocketTransport(int fd) : socket_(fd) {}

    // One message of the error queue, or nullopt when it is empty or says nothing about an echo of ours.
    std::optional<IcmpReply> ReadError(bool* queueEmpty);
    std::optional<IcmpReply> ReadReply(bool* socketEmpty);

    CIcmpSocket socket_;
    std::vector<uint8_t> buffer_;
};
