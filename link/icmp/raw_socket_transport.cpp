#include "link/icmp/raw_socket_transport.h"

#include "link/icmp/icmp_packet.h"

#include <atomic>
#include <cerrno>
#include <linux/icmp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr size_t kReceiveBufferSize = 65536;

// Distinct for every transport of this process, and unlikely to meet another process's.
uint16_t NextIdentifier()
{
    static std::atomic<uint16_t> next{0};
    uint16_t serial = next.fetch_add(1, std::memory_order_relaxed);
    return static_cast<uint16_t>(static_cast<uint16_t>(::getpid()) ^ static_cast<uint16_t>(serial * 0x9E37u));
}

} // namespace

std::unique_ptr<CRawSocketTransport> CRawSocketTransport::Open(int* sysError)
{
    int fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        if (sysError != nullptr)
            *sysError = errno;
        return nullptr;
    }
    std::unique_ptr<CRawSocketTransport> transport(new CRawSocketTransport(fd, NextIdentifier()));
    // Let through only what can answer an echo: replies, unreachable, source quench, time exceeded, parameter problem.
    icmp_filter filter{};
    filter.data = ~((1u << ICMP_ECHOREPLY) | (1u << ICMP_DEST_UNREACH) | (1u << ICMP_SOURCE_QUENCH) |
                    (1u << ICMP_TIME_EXCEEDED) | (1u << ICMP_PARAMETERPROB));
    if (::setsockopt(fd, SOL_RAW, ICMP_FILTER, &filter, sizeof filter) != 0) {
        if (sysError != nullptr)
            *sysError = errno;
        return nullptr;
    }
    transport->buffer_.resize(kReceiveBufferSize);
    return transport;
}

int CRawSocketTransport::SendEcho(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
                                  std::span<const uint8_t> data)
{
    if (int error = socket_.ApplyEchoOptions(options); error != 0)
        return error;
    std::vector<uint8_t> packet = BuildEchoRequestPacket(identifier_, sequence, data);
    return socket_.SendPacket(destination, packet);
}

std::optional<IcmpReply> CRawSocketTransport::AwaitReply(uint16_t sequence, uint64_t deadlineMs)
{
    for (;;) {
        if (socket_.WaitReadable(deadlineMs) == 0)
            return std::nullopt;
        for (;;) {
            ssize_t size = ::recv(socket_.Fd(), buffer_.data(), buffer_.size(), MSG_DONTWAIT | MSG_TRUNC);
            if (size < 0)
                break;
            if (static_cast<size_t>(size) > buffer_.size())
                continue; // truncated: cannot be checked
            std::optional<IcmpReply> reply =
                ParseRawIcmpPacket(std::span<const uint8_t>(buffer_.data(), static_cast<size_t>(size)), identifier_);
            if (reply && reply->sequence == sequence)
                return reply;
        }
    }
}

uint64_t CRawSocketTransport::NowMs() const
{
    return MonotonicMs();
}
