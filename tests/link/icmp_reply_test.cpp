// Status texts, the mapping of ICMP messages to statuses, and the line written for one reply. Send errors are mapped in
// the scripted run's aggregation rows (icmp_ping_test).

#include "link/icmp/echo_request.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/ping_output.h"
#include "link/icmp/ping_reply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(IcmpStatusText, CodesWithoutATextOfTheirOwnAreUnknownAndEveryTextFitsItsBuffer)
{
    // 11000 marks a run nothing has answered yet; it is no reply status of its own.
    for (uint32_t code : {11000u, 11019u, 1u, 11050u, 0xFFFFFFFFu})
        EXPECT_EQ(IcmpStatusText(code), "unknown error") << code;
    for (const IcmpStatusTextEntry& entry : IcmpStatusTexts())
        EXPECT_LT(entry.text.size(), 34u) << entry.code;
}

TEST(IcmpStatusFromMessage, MapsTypeAndCode)
{
    struct Row {
        uint8_t type;
        uint8_t code;
        uint32_t status;
    };
    const std::vector<Row> rows = {
        {0, 0, 0},      {3, 0, 11002},  {3, 1, 11003},  {3, 2, 11004}, {3, 3, 11005}, {3, 4, 11009}, {3, 13, 11003},
        {11, 0, 11013}, {11, 1, 11014}, {12, 0, 11015}, {4, 0, 11016}, {5, 0, 11050}, {8, 0, 11050},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IcmpStatusFromMessage(row.type, row.code), row.status) << int{row.type} << "/" << int{row.code};
}

IcmpReply EchoReply(uint16_t sequence, uint8_t ttl)
{
    IcmpReply reply;
    reply.from = {192, 0, 2, 7};
    reply.ttl = ttl;
    reply.sequence = sequence;
    reply.data.assign(32, 'E');
    reply.data[6] = static_cast<uint8_t>(sequence);
    reply.data[7] = static_cast<uint8_t>(sequence >> 8);
    return reply;
}

struct LineCase {
    uint8_t type;
    uint8_t code;
    uint64_t roundTrip;
    std::string line;
};

TEST(FormatPingReply, LineDependsOnStatusAndRoundTrip)
{
    const std::vector<LineCase> rows = {
        {0, 0, 0, "Reply from [192.0.2.7]: icmp_seq=301 bytes=64 time<10ms TTL=57\r\n"},
        {0, 0, 9, "Reply from [192.0.2.7]: icmp_seq=301 bytes=64 time<10ms TTL=57\r\n"},
        {0, 0, 10, "Reply from [192.0.2.7]: icmp_seq=301 bytes=64 time=10ms TTL=57\r\n"},
        {3, 1, 5, "Reply from [192.0.2.7]: destination host unreachable\r\n"},
        {3, 4, 5, "internal packet too big\r\n"},
        {5, 0, 5, "unknown error\r\n"},
    };
    for (const LineCase& row : rows) {
        IcmpReply reply = EchoReply(301, 57);
        reply.type = row.type;
        reply.code = row.code;
        CPingOutput output;
        output.Append("before\r\n");
        const uint64_t sent = 5000;
        int32_t status = FormatPingReply(&reply, 64, &output, &sent, sent + row.roundTrip, nullptr, nullptr, nullptr);
        EXPECT_EQ(status, static_cast<int32_t>(IcmpStatusFromMessage(row.type, row.code)));
        EXPECT_EQ(output.Text(), "before\r\n" + row.line);
    }
}

TEST(FormatPingReply, FillsTheResultsGivenAndWorksWithoutOutput)
{
    IcmpReply reply = EchoReply(7, 128);
    reply.type = 11;
    const uint64_t sent = 100;
    uint32_t roundTrip = 0;
    uint8_t ttl = 0;
    PingAddress from{};
    EXPECT_EQ(FormatPingReply(&reply, 32, nullptr, &sent, 142, &roundTrip, &ttl, &from), 11013);
    EXPECT_EQ(roundTrip, 42u);
    EXPECT_EQ(ttl, 128);
    EXPECT_EQ(from, (PingAddress{192, 0, 2, 7}));

    // A clock read before the send time gives a round trip of 0, never a wrapped value.
    EXPECT_EQ(FormatPingReply(&reply, 32, nullptr, &sent, 50, &roundTrip, nullptr, nullptr), 11013);
    EXPECT_EQ(roundTrip, 0u);
}

TEST(FormatPingReply, MissingReplyOrSendTimeIsRefused)
{
    IcmpReply reply = EchoReply(1, 64);
    CPingOutput output;
    const uint64_t sent = 1;
    uint32_t roundTrip = 99;
    EXPECT_EQ(FormatPingReply(nullptr, 32, &output, &sent, 2, &roundTrip, nullptr, nullptr), -1);
    EXPECT_EQ(FormatPingReply(&reply, 32, &output, nullptr, 2, &roundTrip, nullptr, nullptr), -1);
    EXPECT_TRUE(output.Text().empty());
    EXPECT_EQ(roundTrip, 99u);
}

TEST(FormatPingReply, SequenceIsReadBackFromTheEchoedData)
{
    CPingOutput output;
    const uint64_t sent = 0;
    IcmpReply reply = EchoReply(301, 64);
    reply.sequence = 999; // the data wins
    FormatPingReply(&reply, 32, &output, &sent, 1, nullptr, nullptr, nullptr);
    // Echoed data too short to hold a sequence number falls back to the matched one.
    reply.data.resize(7);
    FormatPingReply(&reply, 32, &output, &sent, 1, nullptr, nullptr, nullptr);
    EXPECT_EQ(output.Text(), "Reply from [192.0.2.7]: icmp_seq=301 bytes=32 time<10ms TTL=64\r\n"
                             "Reply from [192.0.2.7]: icmp_seq=999 bytes=32 time<10ms TTL=64\r\n");
}

} // namespace
