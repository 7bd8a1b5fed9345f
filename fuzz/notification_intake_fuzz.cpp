// Datagrams of any content go through the notification socket from the server's service port, from another port of
// its host and from another host: only the server's whole frames are handed on, in the order they came; the others
// are counted foreign, the server's broken ones invalid, and what the taker turns away refused. The source filter is
// also judged on made-up sources.
#include "fuzz/fuzz_bytes.h"
#include "link/ems_msg.h"
#include "link/server/notification_socket.h"
#include "link/server/posix_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "notification_intake_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

constexpr uint32_t kLoopback = 0x7F000001;
constexpr uint32_t kOtherHost = 0x7F000002;
constexpr int kMostDatagrams = 64; // all of them fit the receive buffer
constexpr size_t kLargestPayload = 1600;

int BoundUdp(uint32_t hostOrderAddress, uint16_t* port)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(hostOrderAddress);
    socklen_t length = sizeof local;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        std::perror("notification_intake_fuzz: bind");
        std::abort();
    }
    *port = local.sin_port;
    return fd;
}

// The workstation's socket and three senders, for the life of the process.
struct Loopback {
    Loopback()
    {
        const CNotificationSocket::Opened opened = CNotificationSocket::Open(htonl(kLoopback), 20000, 2000, 1 << 20);
        Check(opened.fd >= 0);
        socket.Adopt(opened.fd);
        target.sin_family = AF_INET;
        target.sin_addr.s_addr = htonl(kLoopback);
        target.sin_port = htons(opened.port);
        uint16_t unused = 0;
        senders[0] = BoundUdp(kLoopback, &servicePort);
        senders[1] = BoundUdp(kLoopback, &unused);
        senders[2] = BoundUdp(kOtherHost, &unused);
    }
    CNotificationSocket socket;
    sockaddr_in target{};
    uint16_t servicePort = 0; // network order
    int senders[3] = {-1, -1, -1};
};

Loopback& Sockets()
{
    static Loopback loopback;
    return loopback;
}

// Bytes as they come, or a frame whose header fields come from the input, so that whole frames are reached.
std::vector<uint8_t> NextDatagram(CFuzzBytes& in, uint8_t head)
{
    if ((head & 0x40) == 0) {
        return in.Bytes(in.U16() % kLargestPayload);
    }
    FrameHeader header;
    header.operation = in.Byte() % 8;
    header.requestCode = in.U16();
    header.neId = in.Byte();
    header.recordSize = in.Byte();
    header.count = in.Byte() % 24;
    header.total = header.count;
    header.more = in.Byte() % 3;
    const size_t length =
        (head & 0x20) != 0 ? in.U16() % kLargestPayload : static_cast<size_t>(header.count) * header.recordSize;
    std::vector<uint8_t> payload = in.Bytes(length);
    payload.resize(length);
    return EncodeFrame(header, payload.data(), payload.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Loopback& sockets = Sockets();
    CFuzzBytes in(data, size);
    const uint32_t serverAddress = htonl(kLoopback);
    std::vector<Frame> expected;
    std::vector<bool> refuse;
    uint64_t foreign = 0;
    uint64_t invalid = 0;
    for (int n = 0; n < kMostDatagrams && !in.Empty(); ++n) {
        const uint8_t head = in.Byte();
        const int sender = head % 3;
        const std::vector<uint8_t> datagram = NextDatagram(in, head);
        Check(::sendto(sockets.senders[sender], datagram.data(), datagram.size(), 0,
                       reinterpret_cast<const sockaddr*>(&sockets.target),
                       sizeof sockets.target) == static_cast<ssize_t>(datagram.size()));
        Frame frame;
        if (sender != 0) {
            ++foreign;
        } else if (DecodeDatagram(datagram.data(), datagram.size(), frame) != FrameStatus::Complete) {
            ++invalid;
        } else {
            expected.push_back(frame);
            refuse.push_back((head & 0x80) != 0);
        }

        // The filter on a source the input makes up: only the server's service port passes.
        sockaddr_in from{};
        from.sin_family = (head & 0x10) != 0 ? AF_INET6 : AF_INET;
        from.sin_addr.s_addr = htonl(in.Byte() % 2 == 0 ? kLoopback : in.U32());
        from.sin_port = in.Byte() % 2 == 0 ? sockets.servicePort : in.U16();
        const bool fromServer =
            from.sin_family == AF_INET && from.sin_addr.s_addr == serverAddress && from.sin_port == sockets.servicePort;
        Frame examined;
        const DatagramVerdict verdict =
            ExamineDatagram(from, serverAddress, sockets.servicePort, datagram.data(), datagram.size(), examined);
        Check((verdict == DatagramVerdict::kForeign) == !fromServer);
    }

    const CNotificationSocket::Counters before = sockets.socket.GetCounters();
    size_t delivered = 0;
    uint64_t refused = 0;
    for (int round = 0; round < 2; ++round) {
        const CNotificationSocket::Taken taken =
            sockets.socket.TakeDatagrams(serverAddress, sockets.servicePort, [&](const Frame& frame) {
                Check(delivered < expected.size());
                const Frame& sent = expected[delivered];
                Check(frame.header.requestCode == sent.header.requestCode && frame.payload == sent.payload);
                return !refuse[delivered++];
            });
        Check(taken.kernelDrops == 0);
        refused += taken.refused;
    }
    const CNotificationSocket::Counters after = sockets.socket.GetCounters();
    Check(delivered == expected.size());
    Check(after.datagrams - before.datagrams == expected.size());
    Check(after.foreign - before.foreign == foreign);
    Check(after.invalid - before.invalid == invalid);
    uint64_t refusals = 0;
    for (const bool r : refuse) {
        refusals += r ? 1 : 0;
    }
    Check(refused == refusals);
    return 0;
}
