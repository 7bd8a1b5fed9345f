#pragma once
// Helpers of the real-socket ICMP tests: opening a chosen transport, and putting the calling thread into a network
// namespace (a network namespace belongs to one thread, so the test's other threads stay where they are). Traffic
// goes only to 127.0.0.0/8 or to namespaces the tests create.

#include "link/icmp/ping_socket_transport.h"
#include "link/icmp/raw_socket_transport.h"
#include "link/icmp/system_icmp_transport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <linux/capability.h>
#include <net/if.h>
#include <sched.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <system_error>
#include <thread>
#include <unistd.h>

enum class IcmpTestTransport { kPingSocket, kRawSocket, kSystem };

inline const char* IcmpTestTransportName(IcmpTestTransport kind)
{
    switch (kind) {
    case IcmpTestTransport::kPingSocket:
        return "PingSocket";
    case IcmpTestTransport::kRawSocket:
        return "RawSocket";
    default:
        return "System";
    }
}

// The transport of kind in the calling thread's namespace; null with the reason in *why.
inline std::unique_ptr<IcmpTransport> OpenIcmpTestTransport(IcmpTestTransport kind, std::string* why)
{
    int error = 0;
    std::unique_ptr<IcmpTransport> transport;
    switch (kind) {
    case IcmpTestTransport::kPingSocket:
        transport = CPingSocketTransport::Open(&error);
        break;
    case IcmpTestTransport::kRawSocket:
        transport = CRawSocketTransport::Open(&error);
        break;
    case IcmpTestTransport::kSystem:
        return OpenSystemIcmpTransport(why);
    }
    if (!transport && why != nullptr)
        *why = std::string(IcmpTestTransportName(kind)) + ": " + std::system_category().message(error);
    return transport;
}

inline IcmpTransportOpener IcmpTestOpener(IcmpTestTransport kind)
{
    return [kind](std::string* why) { return OpenIcmpTestTransport(kind, why); };
}

// Writes a /proc/sys value of the calling thread's network namespace; false when it cannot.
inline bool WriteThreadSysctl(const std::string& path, const std::string& value)
{
    std::ofstream file("/proc/sys/" + path);
    file << value;
    file.flush();
    return static_cast<bool>(file);
}

// Moves the calling thread into a new namespace of its own with loopback up and ping sockets allowed. Empty on
// success, else why not.
inline std::string EnterPrivateLoopbackNamespace()
{
    if (::unshare(CLONE_NEWNET) != 0)
        return std::string("cannot create a network namespace: ") + std::system_category().message(errno);
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return "no socket in the new namespace";
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = ::ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
    up = up && ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    ::close(fd);
    if (!up)
        return "cannot bring loopback up in the new namespace";
    if (!WriteThreadSysctl("net/ipv4/ping_group_range", "0 2147483647"))
        return "cannot allow ping sockets in the new namespace";
    return {};
}

// Takes the ICMP sockets from the calling thread alone: it moves to a namespace of its own whose ping sockets admit no
// group, and gives up CAP_NET_RAW (capabilities are per thread at the system call). Empty on success, else why not.
inline std::string LeaveThreadWithoutIcmp()
{
    if (::unshare(CLONE_NEWNET) != 0)
        return std::string("cannot create a network namespace: ") + std::system_category().message(errno);
    if (!WriteThreadSysctl("net/ipv4/ping_group_range", "1 0"))
        return "cannot refuse ping sockets in the new namespace";
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return "cannot read the thread's capabilities";
    data[0].effective &= ~(1U << CAP_NET_RAW);
    data[0].permitted &= ~(1U << CAP_NET_RAW);
    if (::syscall(SYS_capset, &header, data) != 0)
        return "cannot give up CAP_NET_RAW";
    return {};
}

// Moves the calling thread into the namespace made by "ip netns add name". Empty on success, else why not.
inline std::string EnterNamedNamespace(const std::string& name)
{
    int fd = ::open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "no namespace " + name;
    int result = ::setns(fd, CLONE_NEWNET);
    ::close(fd);
    return result == 0 ? std::string()
                       : "cannot enter namespace " + name + ": " + std::system_category().message(errno);
}

// Runs body on a thread of its own and waits for it, so that namespace changes stay on that thread.
inline void RunOnOwnThread(const std::function<void()>& body)
{
    std::thread thread(body);
    thread.join();
}
