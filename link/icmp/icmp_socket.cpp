#include "link/icmp/icmp_socket.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

CIcmpSocket::~CIcmpSocket()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int CIcmpSocket::ApplyEchoOptions(const IcmpEchoOptions& options) const
{
    int ttl = options.ttl == 0 ? 1 : options.ttl;
    int tos = options.tos;
    int pmtu = options.dontFragment ? IP_PMTUDISC_DO : IP_PMTUDISC_DONT;
    if (::setsockopt(fd_, IPPROTO_IP, IP_TTL, &ttl, sizeof ttl) != 0 ||
        ::setsockopt(fd_, IPPROTO_IP, IP_TOS, &tos, sizeof tos) != 0 ||
        ::setsockopt(fd_, IPPROTO_IP, IP_MTU_DISCOVER, &pmtu, sizeof pmtu) != 0)
        return errno;
    return 0;
}

int CIcmpSocket::SendPacket(const PingAddress& destination, std::span<const uint8_t> packet) const
{
    sockaddr_in to = ToSockaddr(destination);
    for (;;) {
        ssize_t sent = ::sendto(fd_, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        if (sent >= 0)
            return 0;
        if (errno != EINTR)
            return errno;
    }
}

short CIcmpSocket::WaitReadable(uint64_t deadlineMs) const
{
    for (;;) {
        uint64_t now = MonotonicMs();
        if (now >= deadlineMs)
            return 0;
        uint64_t wait = deadlineMs - now;
        pollfd entry{fd_, POLLIN, 0};
        int ready = ::poll(&entry, 1, static_cast<int>(wait > 60000 ? 60000 : wait));
        if (ready > 0)
            return entry.revents;
        if (ready < 0 && errno != EINTR)
            return 0;
    }
}

uint64_t MonotonicMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

sockaddr_in ToSockaddr(const PingAddress& address)
{
    sockaddr_in out{};
    out.sin_family = AF_INET;
    std::memcpy(&out.sin_addr.s_addr, address.data(), 4);
    return out;
}

PingAddress FromSockaddr(const sockaddr_in& address)
{
    PingAddress out{};
    std::memcpy(out.data(), &address.sin_addr.s_addr, 4);
    return out;
}
