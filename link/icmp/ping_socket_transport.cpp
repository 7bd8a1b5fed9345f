#include "link/icmp/ping_socket_transport.h"

#include "link/icmp/icmp_packet.h"

#include <cerrno>
#include <cstring>
#include <linux/errqueue.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

constexpr size_t kReceiveBufferSize = 65536;

// TTL of the received packet from the IP_TTL control message, 0 when there is none.
uint8_t ReceivedTtl(msghdr& message)
{
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL && c->cmsg_len >= CMSG_LEN(sizeof(int))) {
            int ttl = 0;
            std::memcpy(&ttl, CMSG_DATA(c), sizeof ttl);
            return static_cast<uint8_t>(ttl);
        }
    }
    return 0;
}

// A receive header for one message into io, with the sender's address in from and room for control messages.
msghdr ReceiveHeader(sockaddr_in& from, iovec& io, char* control, size_t controlSize)
{
    msghdr message{};
    message.msg_name = &from;
    message.msg_namelen = sizeof from;
    message.msg_iov = &io;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = controlSize;
    return message;
}

} // namespace

std::unique_ptr<CPingSocketTransport> CPingSocketTransport::Open(int* sysError)
{
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        if (sysError != nullptr)
            *sysError = errno;
        return nullptr;
    }
    std::unique_ptr<CPingSocketTransport> transport(new CPingSocketTransport(fd));
    int on = 1;
    if (::setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof on) != 0 ||
        ::setsockopt(fd, IPPROTO_IP, IP_RECVTTL, &on, sizeof on) != 0) {
        if (sysError != nullptr)
            *sysError = errno;
        return nullptr;
    }
    transport->buffer_.resize(kReceiveBufferSize);
    return transport;
}

int CPingSocketTransport::SendEcho(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
                                   std::span<const uint8_t> data)
{
    if (int error = socket_.ApplyEchoOptions(options); error != 0)
        return error;
    // The system puts in the socket's identifier and the checksum.
    std::vector<uint8_t> packet = BuildEchoRequestPacket(0, sequence, data);
    return socket_.SendPacket(destination, packet);
}

std::optional<IcmpReply> CPingSocketTransport::ReadError(bool* queueEmpty)
{
    *queueEmpty = false;
    sockaddr_in from{};
    alignas(cmsghdr) char control[512];
    iovec io{buffer_.data(), buffer_.size()};
    msghdr message = ReceiveHeader(from, io, control, sizeof control);
    ssize_t size = ::recvmsg(socket_.Fd(), &message, MSG_ERRQUEUE | MSG_DONTWAIT);
    if (size < 0) {
        *queueEmpty = errno != EINTR;
        return std::nullopt;
    }
    const sock_extended_err* error = nullptr;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_RECVERR &&
            c->cmsg_len >= CMSG_LEN(sizeof(sock_extended_err)))
            error = reinterpret_cast<const sock_extended_err*>(CMSG_DATA(c));
    }
    // Local errors (a datagram too big for the path) were already reported by the send.
    if (error == nullptr || error->ee_origin != SO_EE_ORIGIN_ICMP)
        return std::nullopt;
    std::optional<uint16_t> sequence =
        QuotedEchoSequence(std::span<const uint8_t>(buffer_.data(), static_cast<size_t>(size)));
    if (!sequence)
        return std::nullopt;
    IcmpReply reply;
    reply.type = error->ee_type;
    reply.code = error->ee_code;
    reply.sequence = *sequence;
    reply.ttl = ReceivedTtl(message);
    sockaddr_in offender{};
    std::memcpy(&offender, SO_EE_OFFENDER(error), sizeof offender);
    if (offender.sin_family == AF_INET)
        reply.from = FromSockaddr(offender);
    return reply;
}

std::optional<IcmpReply> CPingSocketTransport::ReadReply(bool* socketEmpty)
{
    *socketEmpty = false;
    sockaddr_in from{};
    alignas(cmsghdr) char control[256];
    iovec io{buffer_.data(), buffer_.size()};
    msghdr message = ReceiveHeader(from, io, control, sizeof control);
    ssize_t size = ::recvmsg(socket_.Fd(), &message, MSG_DONTWAIT);
    if (size < 0) {
        // EAGAIN: nothing there. Any other code is a pending ICMP error, whose details wait on the error queue.
        *socketEmpty = errno == EAGAIN || errno == EWOULDBLOCK;
        return std::nullopt;
    }
    if ((message.msg_flags & MSG_TRUNC) != 0)
        return std::nullopt;
    std::optional<IcmpReply> reply =
        ParsePingSocketReply(std::span<const uint8_t>(buffer_.data(), static_cast<size_t>(size)));
    if (!reply)
        return std::nullopt;
    reply->from = FromSockaddr(from);
    reply->ttl = ReceivedTtl(message);
    return reply;
}

std::optional<IcmpReply> CPingSocketTransport::AwaitReply(uint16_t sequence, uint64_t deadlineMs)
{
    for (;;) {
        short events = socket_.WaitReadable(deadlineMs);
        if (events == 0)
            return std::nullopt;
        if ((events & POLLERR) != 0) {
            bool queueEmpty = false;
            while (!queueEmpty) {
                std::optional<IcmpReply> error = ReadError(&queueEmpty);
                if (error && error->sequence == sequence)
                    return error;
            }
        }
        if ((events & POLLIN) != 0) {
            bool socketEmpty = false;
            while (!socketEmpty) {
                std::optional<IcmpReply> reply = ReadReply(&socketEmpty);
                if (reply && reply->sequence == sequence)
                    return reply;
                if (!reply && !socketEmpty)
                    break; // a pending error: let the next wait report it
            }
        }
    }
}

uint64_t CPingSocketTransport::NowMs() const
{
    return MonotonicMs();
}
