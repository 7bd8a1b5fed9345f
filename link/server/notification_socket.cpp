#include "link/server/notification_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <vector>

#include "link/driver_logs.h"
#include "link/server/posix_socket.h"

namespace {

constexpr size_t kLargestDatagram = 65536;
constexpr int kDatagramsPerWake = 256; // then the thread looks at its other events

} // namespace

DatagramVerdict ExamineDatagram(const sockaddr_in& from, uint32_t serverAddress, uint16_t serverPort,
                                const uint8_t* data, size_t size, Frame& frame)
{
    const bool fromServer = serverAddress != 0 && from.sin_family == AF_INET && from.sin_addr.s_addr == serverAddress &&
                            from.sin_port == serverPort;
    if (!fromServer) {
        return DatagramVerdict::kForeign;
    }
    FrameFault fault = FrameFault::kNone;
    if (DecodeDatagram(data, size, frame, &fault) != FrameStatus::Complete) {
        return fault == FrameFault::kUnsupportedVersion ? DatagramVerdict::kOtherVersion : DatagramVerdict::kInvalid;
    }
    return DatagramVerdict::kTaken;
}

CNotificationSocket::~CNotificationSocket()
{
    CloseSocket(fd_);
}

CNotificationSocket::Opened CNotificationSocket::Open(uint32_t localAddress, uint16_t firstPort, int tries,
                                                      int bufferBytes)
{
    Opened opened;
    opened.fd = BindFirstFreeUdpPort(localAddress, firstPort, tries, &opened.port);
    const std::string local = DottedAddress(localAddress);
    if (opened.fd < 0) {
        WriteDriverLog(DriverLogKind::NetDrv, "no free UDP port on %s from %u: notifications on TCP only",
                       local.c_str(), static_cast<unsigned>(firstPort));
        return opened;
    }
    const ReceiveBufferGrant grant = SetReceiveBuffer(opened.fd, bufferBytes);
    opened.bufferBytes = grant.bytes;
    WriteDriverLog(DriverLogKind::NetDrv, "notifications on UDP %s:%u, receive buffer %d bytes for %d asked%s",
                   local.c_str(), static_cast<unsigned>(opened.port), grant.bytes, bufferBytes,
                   grant.forced                ? " (past net.core.rmem_max)"
                   : grant.bytes < bufferBytes ? " (capped by net.core.rmem_max)"
                                               : "");
    return opened;
}

void CNotificationSocket::Adopt(int fd)
{
    CloseSocket(fd_);
    fd_ = fd;
    dropsSeen_ = fd >= 0 ? std::max<int64_t>(KernelDropCount(fd), 0) : 0;
}

CNotificationSocket::Taken CNotificationSocket::TakeDatagrams(uint32_t serverAddress, uint16_t serverPort,
                                                              const std::function<bool(const Frame&)>& deliver)
{
    Taken result;
    if (fd_ < 0) {
        return result;
    }
    Counters taken;
    std::vector<uint8_t> buffer(kLargestDatagram);
    for (int round = 0; round < kDatagramsPerWake; ++round) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t n =
            recvfrom(fd_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.emptied = true; // EAGAIN: nothing waits any more
            break;
        }
        Frame frame;
        const DatagramVerdict verdict =
            ExamineDatagram(from, serverAddress, serverPort, buffer.data(), static_cast<size_t>(n), frame);
        switch (verdict) {
        case DatagramVerdict::kForeign:
            // A flood of them costs a line per round, not per datagram.
            if (taken.foreign++ == 0) {
                WriteDriverLog(DriverLogKind::Comm, "datagram from %s:%u dropped: not the server",
                               DottedAddress(from.sin_addr.s_addr).c_str(),
                               static_cast<unsigned>(ntohs(from.sin_port)));
            }
            continue;
        case DatagramVerdict::kInvalid:
        case DatagramVerdict::kOtherVersion:
            ++taken.invalid;
            WriteDriverLog(DriverLogKind::Comm, "%s datagram of %ld bytes dropped",
                           verdict == DatagramVerdict::kOtherVersion ? "another protocol version's" : "invalid",
                           static_cast<long>(n));
            continue;
        case DatagramVerdict::kTaken:
            break;
        }
        ++taken.datagrams;
        taken.bytes += static_cast<uint64_t>(n);
        taken.records += frame.header.count;
        if (!deliver(frame)) {
            ++result.refused;
        }
    }
    if (taken.foreign > 1) {
        WriteDriverLog(DriverLogKind::Comm, "%llu more datagrams from others than the server dropped",
                       static_cast<unsigned long long>(taken.foreign - 1));
    }
    // Read after every round, so that a loss at the end of a burst is seen at once (the per-datagram counter of
    // SO_RXQ_OVFL would show it only with the next datagram).
    const int64_t drops = KernelDropCount(fd_);
    if (drops > dropsSeen_) {
        taken.kernelDrops = static_cast<uint64_t>(drops - dropsSeen_);
        dropsSeen_ = drops;
    }
    std::lock_guard<std::mutex> lock(countersMutex_);
    counters_.datagrams += taken.datagrams;
    counters_.bytes += taken.bytes;
    counters_.records += taken.records;
    counters_.foreign += taken.foreign;
    counters_.invalid += taken.invalid;
    counters_.kernelDrops += taken.kernelDrops;
    result.kernelDrops = taken.kernelDrops;
    return result;
}

CNotificationSocket::Counters CNotificationSocket::GetCounters() const
{
    std::lock_guard<std::mutex> lock(countersMutex_);
    return counters_;
}
