#include "link/snmp/udp_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in ToSockaddr(const std::array<uint8_t, 4>& address, uint16_t port)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    std::memcpy(&sa.sin_addr.s_addr, address.data(), 4);
    return sa;
}

} // namespace

CUdpSocket::~CUdpSocket()
{
    Close();
}

int CUdpSocket::Open(const std::array<uint8_t, 4>& address, uint16_t port)
{
    Close();
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    sockaddr_in sa = ToSockaddr(address, port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
        int error = errno;
        ::close(fd);
        return error;
    }
    fd_ = fd;
    return 0;
}

void CUdpSocket::Close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

uint16_t CUdpSocket::LocalPort() const
{
    if (fd_ < 0)
        return 0;
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0)
        return 0;
    return ntohs(sa.sin_port);
}

void CUdpSocket::SetReceiveBufferSize(int bytes)
{
    if (fd_ >= 0)
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

int CUdpSocket::SendTo(const uint8_t* data, size_t size, const UdpEndpoint& to)
{
    if (fd_ < 0)
        return EBADF;
    sockaddr_in sa = ToSockaddr(to.address, to.port);
    while (true) {
        ssize_t n = ::sendto(fd_, data, size, 0, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
        if (n >= 0)
            return static_cast<size_t>(n) == size ? 0 : EMSGSIZE;
        if (errno != EINTR)
            return errno;
    }
}

int CUdpSocket::ReceiveFrom(uint8_t* buffer, size_t capacity, UdpEndpoint* from, int timeoutMs)
{
    if (fd_ < 0)
        return kFailed;
    pollfd pfd{fd_, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&pfd, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0)
        return kFailed;
    if (ready == 0)
        return kTimedOut;
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    ssize_t n = 0;
    do {
        n = ::recvfrom(fd_, buffer, capacity, MSG_TRUNC | MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&sa), &len);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? kTimedOut : kFailed;
    if (from != nullptr) {
        std::memcpy(from->address.data(), &sa.sin_addr.s_addr, 4);
        from->port = ntohs(sa.sin_port);
    }
    if (static_cast<size_t>(n) > capacity)
        return kTruncated;
    return static_cast<int>(n);
}
