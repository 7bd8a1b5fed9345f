// The notification socket's intake: which datagrams count as the server's, the receive buffer it gets, and how much
// one call takes.
#include "link/server/notification_socket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <functional>
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

TEST(NotificationIntake, ACallTakesABoundedShareAndSaysWhenNothingWasLeft)
{
    const CNotificationSocket::Opened opened = CNotificationSocket::Open(htonl(INADDR_LOOPBACK), 41700, 100, 1 << 20);
    ASSERT_GE(opened.fd, 0);
    CNotificationSocket intake;
    intake.Adopt(opened.fd);
    const int server = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in from = Source(INADDR_LOOPBACK, 0);
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&from), sizeof from), 0);
    socklen_t length = sizeof from;
    ASSERT_EQ(::getsockname(server, reinterpret_cast<sockaddr*>(&from), &length), 0);
    const sockaddr_in to = Source(INADDR_LOOPBACK, opened.port);
    const std::vector<uint8_t> bytes = Notification();
    constexpr int kSent = 300; // more than one call takes
    for (int i = 0; i < kSent; ++i) {
        ASSERT_EQ(::sendto(server, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to),
                  static_cast<ssize_t>(bytes.size()));
    }
    ::close(server);

    int delivered = 0;
    const std::function<bool(const Frame&)> deliver = [&](const Frame&) { return ++delivered != 0; };
    const auto take = [&] { return intake.TakeDatagrams(from.sin_addr.s_addr, from.sin_port, deliver); };
    EXPECT_FALSE(take().emptied);
    EXPECT_LT(delivered, kSent);
    bool emptied = false;
    for (int call = 0; call < kSent && !emptied; ++call) {
        emptied = take().emptied;
    }
    EXPECT_TRUE(emptied);
    EXPECT_EQ(delivered, kSent);
    EXPECT_EQ(intake.GetCounters().kernelDrops, 0u);
    EXPECT_TRUE(take().emptied) << "nothing waits";
    EXPECT_EQ(delivered, kSent);
}

} // namespace
