// The notification socket's intake: which datagrams count as the server's, and the receive buffer it gets.
#include "link/server/notification_socket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <vector>

#include "link/ems_msg.h"
#include "link/server/posix_socket.h"

namespace {

constexpr uint16_t kServicePort = 19460;

sockaddr_in Source(uint32_t hostOrderAddress, uint16_t port)
{
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = htonl(hostOrderAddress);
    from.sin_port = htons(port);
    return from;
}

std::vector<uint8_t> Notification(uint32_t version = kFrameProtocolVersion)
{
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.requestCode = kReqEntityStateChange;
    header.version = version;
    return EncodeFrame(header, nullptr, 0);
}

TEST(NotificationIntake, OnlyTheServersServicePortIsTheServer)
{
    const uint32_t server = htonl(0x0A000001);
    const std::vector<uint8_t> good = Notification();
    const std::vector<uint8_t> torn(good.begin(), good.end() - 1);
    const std::vector<uint8_t> future = Notification(kFrameProtocolVersion + 1);
    struct Case {
        const char* what;
        sockaddr_in from;
        uint32_t serverAddress;
        const std::vector<uint8_t>* bytes;
        DatagramVerdict verdict;
    };
    sockaddr_in ipv6 = Source(0x0A000001, kServicePort);
    ipv6.sin_family = AF_INET6;
    const Case cases[] = {
        {"the server", Source(0x0A000001, kServicePort), server, &good, DatagramVerdict::kTaken},
        {"another port of its host", Source(0x0A000001, kServicePort + 1), server, &good, DatagramVerdict::kForeign},
        {"another host, the same port", Source(0x0A000002, kServicePort), server, &good, DatagramVerdict::kForeign},
        {"another family", ipv6, server, &good, DatagramVerdict::kForeign},
        {"no server connected", Source(0, kServicePort), 0, &good, DatagramVerdict::kForeign},
        {"a torn frame of the server", Source(0x0A000001, kServicePort), server, &torn, DatagramVerdict::kInvalid},
        {"another protocol version", Source(0x0A000001, kServicePort), server, &future, DatagramVerdict::kOtherVersion},
    };
    for (const Case& c : cases) {
        Frame frame;
        EXPECT_EQ(
            ExamineDatagram(c.from, c.serverAddress, htons(kServicePort), c.bytes->data(), c.bytes->size(), frame),
            c.verdict)
            << c.what;
    }
}

TEST(NotificationIntake, TheReceiveBufferGrantedIsTheOneReported)
{
    int systemLimit = 0;
    std::ifstream("/proc/sys/net/core/rmem_max") >> systemLimit;
    ASSERT_GT(systemLimit, 0);
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    const int asked = 2 * systemLimit;
    const ReceiveBufferGrant grant = SetReceiveBuffer(fd, asked);
    // Past the system's limit where the process may, else capped by it.
    EXPECT_EQ(grant.bytes, grant.forced ? asked : systemLimit);
    ::close(fd);
}

} // namespace
