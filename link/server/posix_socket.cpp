#include "link/server/posix_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "link/driver_result.h"

uint32_t Ipv4ToNetworkOrder(const std::array<uint8_t, 4>& address)
{
    uint32_t value = 0;
    std::memcpy(&value, address.data(), 4); // the bytes are already in network order
    return value;
}

void CloseSocket(int& fd)
{
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

bool LetReceiveWait(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

int ConnectTcp(const std::array<uint8_t, 4>& address, uint16_t port, uint32_t limitMs, int wakeFd, int* fd)
{
    *fd = -1;
    int sock = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (sock < 0) {
        return kDrvConnectFailed;
    }
    const int one = 1;
    setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr.s_addr = Ipv4ToNetworkOrder(address);
    if (connect(sock, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0 && errno != EINPROGRESS) {
        CloseSocket(sock);
        return kDrvConnectFailed;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            CloseSocket(sock);
            return kDrvConnectTimeout;
        }
        pollfd fds[2] = {{sock, POLLOUT, 0}, {wakeFd, POLLIN, 0}};
        const int ready = poll(fds, wakeFd >= 0 ? 2 : 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            CloseSocket(sock);
            return kDrvConnectFailed;
        }
        if (wakeFd >= 0 && (fds[1].revents & POLLIN) != 0) {
            CloseSocket(sock);
            return kDrvNotConnected;
        }
        if (fds[0].revents != 0) {
            break;
        }
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(sock, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        CloseSocket(sock);
        return kDrvConnectFailed;
    }
    *fd = sock;
    return kDrvOk;
}

int BindFirstFreeUdpPort(uint32_t localAddress, uint16_t firstPort, int tries, uint16_t* boundPort)
{
    *boundPort = 0;
    for (int i = 0; i < tries; ++i) {
        const uint32_t port = static_cast<uint32_t>(firstPort) + static_cast<uint32_t>(i);
        if (port == 0 || port > 65535) {
            break;
        }
        int sock = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (sock < 0) {
            return -1;
        }
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(static_cast<uint16_t>(port));
        local.sin_addr.s_addr = localAddress;
        if (bind(sock, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0) {
            *boundPort = static_cast<uint16_t>(port);
            return sock;
        }
        CloseSocket(sock);
    }
    return -1;
}

ReceiveBufferGrant SetReceiveBuffer(int fd, int bytes)
{
    ReceiveBufferGrant grant;
    // The privileged request passes net.core.rmem_max; without CAP_NET_ADMIN it is refused and the plain one is
    // capped by it.
    grant.forced = setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) == 0;
    if (!grant.forced) {
        setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    }
    int reported = 0;
    socklen_t length = sizeof reported;
    if (getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &reported, &length) == 0) {
        // Linux reports twice what it keeps for data, its own overhead counted in.
        grant.bytes = reported / 2;
    }
    return grant;
}

int64_t KernelDropCount(int fd)
{
    uint32_t meminfo[SK_MEMINFO_VARS] = {};
    socklen_t length = sizeof meminfo;
    if (getsockopt(fd, SOL_SOCKET, SO_MEMINFO, meminfo, &length) != 0 ||
        length <= SK_MEMINFO_DROPS * sizeof(uint32_t)) {
        return -1;
    }
    return meminfo[SK_MEMINFO_DROPS];
}

uint32_t LocalAddressOf(int fd)
{
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0 || local.sin_family != AF_INET) {
        return 0;
    }
    return local.sin_addr.s_addr;
}

std::string DottedAddress(uint32_t networkOrder)
{
    char text[INET_ADDRSTRLEN] = {};
    in_addr addr{};
    addr.s_addr = networkOrder;
    inet_ntop(AF_INET, &addr, text, sizeof text);
    return text;
}
