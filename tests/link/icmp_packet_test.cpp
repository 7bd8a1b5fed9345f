// The checksum, the engine's echo data, and ICMP packets built for sending and checked on receipt.

#include "link/icmp/echo_request.h"
#include "link/icmp/icmp_packet.h"
#include "link/icmp/internet_checksum.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

TEST(InternetChecksum, GoldenValues)
{
    // The worked example of the checksum's definition: big-endian sum 0xDDF2, stored bytes 0x22 0x0D.
    const Bytes example{0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7};
    EXPECT_EQ(InternetChecksum(example), 0x0D22);
    EXPECT_EQ(InternetChecksum({}), 0xFFFF);
    // An odd length adds the last byte as the low byte of a word.
    EXPECT_EQ(InternetChecksum(Bytes{0x01}), 0xFFFE);
    EXPECT_EQ(InternetChecksum(Bytes{0x00, 0x01, 0x02}), static_cast<uint16_t>(~(0x0100 + 0x0002)));
    // Carries fold back in.
    EXPECT_EQ(InternetChecksum(Bytes{0xFF, 0xFF, 0x01, 0x00}), static_cast<uint16_t>(~0x0001));
    EXPECT_EQ(InternetChecksum(Bytes(70000, 0xFF)), 0x0000);
}

// What the echo data holds is checked through the ping run (icmp_ping_test); here, buffers too short for it.
TEST(FillEchoRequest, ShortBuffersGetOnlyWhatFits)
{
    Bytes tiny(5, 0xAA);
    FillEchoRequest(tiny);
    EXPECT_EQ(tiny, (Bytes{8, 0, 0, 0, 0xAA}));
    FillEchoRequest(std::span<uint8_t>());
}

TEST(StampEchoRequest, PutsSequenceTickAndChecksum)
{
    Bytes data(32);
    FillEchoRequest(data);
    StampEchoRequest(data, 0x1234, 0xA1B2C3D4);
    EXPECT_EQ(data[6], 0x34);
    EXPECT_EQ(data[7], 0x12);
    EXPECT_EQ((Bytes{data.begin() + 8, data.begin() + 12}), (Bytes{0xD4, 0xC3, 0xB2, 0xA1}));
    EXPECT_EQ(InternetChecksum(data), 0);
    EXPECT_EQ(EchoSequenceOf(data), 0x1234);
    // Restamping replaces the old checksum rather than summing over it.
    StampEchoRequest(data, 0x1235, 0);
    EXPECT_EQ(InternetChecksum(data), 0);
    EXPECT_EQ(EchoSequenceOf(Bytes(7)), std::nullopt);
}

TEST(BuildEchoRequestPacket, GoldenBytes)
{
    const Bytes data{'a', 'b', 'c'};
    Bytes packet = BuildEchoRequestPacket(0x0102, 0x0304, data);
    // 0x0800 + 0x0102 + 0x0304 + 0x6162 + 0x6300 = 0xD068, complement 0x2F97.
    EXPECT_EQ(packet, (Bytes{0x08, 0x00, 0x2F, 0x97, 0x01, 0x02, 0x03, 0x04, 'a', 'b', 'c'}));
}

// An IPv4 header of protocol ICMP from src with the given TTL and total length; the checksum is not looked at.
Bytes IpHeader(const PingAddress& src, uint8_t ttl, size_t totalLength, size_t optionWords = 0)
{
    Bytes header(20 + optionWords * 4, 0);
    header[0] = static_cast<uint8_t>(0x40 | (5 + optionWords));
    header[2] = static_cast<uint8_t>(totalLength >> 8);
    header[3] = static_cast<uint8_t>(totalLength);
    header[8] = ttl;
    header[9] = 1;
    std::copy(src.begin(), src.end(), header.begin() + 12);
    header[16] = 198;
    header[17] = 51;
    header[18] = 100;
    header[19] = 1;
    return header;
}

Bytes WithChecksum(Bytes icmp)
{
    icmp[2] = icmp[3] = 0;
    uint16_t checksum = InternetChecksum(icmp);
    icmp[2] = static_cast<uint8_t>(checksum);
    icmp[3] = static_cast<uint8_t>(checksum >> 8);
    return icmp;
}

Bytes Packet(const PingAddress& src, uint8_t ttl, const Bytes& icmp, size_t optionWords = 0)
{
    Bytes packet = IpHeader(src, ttl, 20 + optionWords * 4 + icmp.size(), optionWords);
    packet.insert(packet.end(), icmp.begin(), icmp.end());
    return packet;
}

Bytes EchoReplyMessage(uint16_t identifier, uint16_t sequence, const Bytes& data)
{
    Bytes icmp = BuildEchoRequestPacket(identifier, sequence, data);
    icmp[0] = 0;
    return WithChecksum(icmp);
}

// An error message of type/code quoting our echo request (its IP header and first 8 bytes).
Bytes ErrorMessage(uint8_t type, uint8_t code, uint16_t identifier, uint16_t sequence)
{
    Bytes request = BuildEchoRequestPacket(identifier, sequence, Bytes(32, 'E'));
    request.resize(8);
    Bytes quoted = IpHeader({198, 51, 100, 1}, 1, 20 + 40);
    quoted.insert(quoted.end(), request.begin(), request.end());
    Bytes icmp{type, code, 0, 0, 0, 0, 0, 0};
    icmp.insert(icmp.end(), quoted.begin(), quoted.end());
    return WithChecksum(icmp);
}

const PingAddress kPeer{203, 0, 113, 2};

TEST(ParseRawIcmpPacket, EchoReplyOfOurs)
{
    auto reply = ParseRawIcmpPacket(Packet(kPeer, 61, EchoReplyMessage(0xBEEF, 305, {1, 2, 3})), 0xBEEF);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->type, 0);
    EXPECT_EQ(reply->sequence, 305);
    EXPECT_EQ(reply->from, kPeer);
    EXPECT_EQ(reply->ttl, 61);
    EXPECT_EQ(reply->data, (Bytes{1, 2, 3}));

    // IP options move the ICMP message.
    auto withOptions = ParseRawIcmpPacket(Packet(kPeer, 61, EchoReplyMessage(0xBEEF, 306, {}), 2), 0xBEEF);
    ASSERT_TRUE(withOptions);
    EXPECT_EQ(withOptions->sequence, 306);
}

TEST(ParseRawIcmpPacket, ErrorQuotingOurRequest)
{
    for (auto [type, code] : {std::pair<uint8_t, uint8_t>{11, 0}, {3, 1}, {3, 4}, {4, 0}, {12, 0}}) {
        auto reply = ParseRawIcmpPacket(Packet(kPeer, 63, ErrorMessage(type, code, 0xBEEF, 7)), 0xBEEF);
        ASSERT_TRUE(reply) << int{type};
        EXPECT_EQ(reply->type, type);
        EXPECT_EQ(reply->code, code);
        EXPECT_EQ(reply->sequence, 7);
        EXPECT_EQ(reply->from, kPeer);
        EXPECT_EQ(reply->ttl, 63);
        EXPECT_TRUE(reply->data.empty());
    }
}

TEST(ParseRawIcmpPacket, RejectsWhatIsNotAnAnswerToUs)
{
    const Bytes good = Packet(kPeer, 64, EchoReplyMessage(0xBEEF, 1, Bytes(16, 'E')));
    ASSERT_TRUE(ParseRawIcmpPacket(good, 0xBEEF));

    std::vector<std::pair<const char*, Bytes>> rows;
    rows.push_back({"another identifier", Packet(kPeer, 64, EchoReplyMessage(0xBEEE, 1, {}))});
    rows.push_back({"error for another identifier", Packet(kPeer, 64, ErrorMessage(11, 0, 0xBEEE, 1))});
    Bytes request = WithChecksum(BuildEchoRequestPacket(0xBEEF, 1, {}));
    rows.push_back({"our own echo request", Packet(kPeer, 64, request)});
    Bytes redirect = ErrorMessage(5, 0, 0xBEEF, 1);
    rows.push_back({"redirect", Packet(kPeer, 64, redirect)});
    Bytes corrupt = good;
    corrupt.back() ^= 0x01;
    rows.push_back({"bad checksum", corrupt});
    rows.push_back({"empty", {}});
    rows.push_back({"IP header only", Bytes(good.begin(), good.begin() + 20)});
    rows.push_back({"truncated ICMP header", Bytes(good.begin(), good.begin() + 27)});
    Bytes v6 = good;
    v6[0] = 0x65;
    rows.push_back({"not IPv4", v6});
    Bytes shortIhl = good;
    shortIhl[0] = 0x44;
    rows.push_back({"header length below 20", shortIhl});
    Bytes longIhl = good;
    longIhl[0] = 0x4F;
    longIhl.resize(40);
    rows.push_back({"header length past the message", longIhl});
    Bytes udp = good;
    udp[9] = 17;
    rows.push_back({"not ICMP", udp});
    Bytes longTotal = good;
    longTotal[3] = static_cast<uint8_t>(longTotal[3] + 1);
    rows.push_back({"total length past the data", longTotal});
    Bytes shortTotal = good;
    shortTotal[2] = 0;
    shortTotal[3] = 27;
    rows.push_back({"total length below an ICMP header", shortTotal});
    Bytes truncatedQuote = ErrorMessage(11, 0, 0xBEEF, 1);
    truncatedQuote.resize(8 + 20 + 7);
    rows.push_back({"quote too short", Packet(kPeer, 64, WithChecksum(truncatedQuote))});
    Bytes quotedUdp = ErrorMessage(11, 0, 0xBEEF, 1);
    quotedUdp[8 + 9] = 17;
    rows.push_back({"quote of another protocol", Packet(kPeer, 64, WithChecksum(quotedUdp))});
    Bytes quotedReply = ErrorMessage(11, 0, 0xBEEF, 1);
    quotedReply[8 + 20] = 0;
    rows.push_back({"quote of a non-request", Packet(kPeer, 64, WithChecksum(quotedReply))});
    Bytes quotedIhl = ErrorMessage(11, 0, 0xBEEF, 1);
    quotedIhl[8] = 0x4F;
    rows.push_back({"quoted header length past the quote", Packet(kPeer, 64, WithChecksum(quotedIhl))});

    for (const auto& [name, packet] : rows)
        EXPECT_FALSE(ParseRawIcmpPacket(packet, 0xBEEF)) << name;
}

TEST(ParsePingSocketReply, EchoReplyOnly)
{
    Bytes datagram = EchoReplyMessage(0, 4242, {9, 8});
    auto reply = ParsePingSocketReply(datagram);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->sequence, 4242);
    EXPECT_EQ(reply->data, (Bytes{9, 8}));

    datagram[0] = 8;
    EXPECT_FALSE(ParsePingSocketReply(datagram));
    EXPECT_FALSE(ParsePingSocketReply(Bytes(7, 0)));
}

TEST(QuotedEchoSequence, ReadsTheQuotedRequest)
{
    Bytes quoted = BuildEchoRequestPacket(1, 0x0A0B, {});
    EXPECT_EQ(QuotedEchoSequence(quoted), 0x0A0B);
    quoted[0] = 0;
    EXPECT_EQ(QuotedEchoSequence(quoted), std::nullopt);
    EXPECT_EQ(QuotedEchoSequence(Bytes{8, 0, 0, 0, 0, 0, 0}), std::nullopt);
}

} // namespace
