#include "link/icmp/icmp_packet.h"

#include "link/icmp/internet_checksum.h"

#include <algorithm>

namespace {

constexpr uint8_t kTypeEchoReply = 0;
constexpr uint8_t kTypeDestUnreachable = 3;
constexpr uint8_t kTypeSourceQuench = 4;
constexpr uint8_t kTypeEchoRequest = 8;
constexpr uint8_t kTypeTimeExceeded = 11;
constexpr uint8_t kTypeParameterProblem = 12;
constexpr uint8_t kProtocolIcmp = 1;
constexpr size_t kMinIpHeaderSize = 20;

uint16_t Be16(std::span<const uint8_t> data, size_t offset)
{
    return static_cast<uint16_t>((data[offset] << 8) | data[offset + 1]);
}

bool IsErrorType(uint8_t type)
{
    return type == kTypeDestUnreachable || type == kTypeSourceQuench || type == kTypeTimeExceeded ||
           type == kTypeParameterProblem;
}

// The IPv4 header length of packet when it starts with a sane header of protocol ICMP, else 0.
size_t IcmpIpHeaderSize(std::span<const uint8_t> packet)
{
    if (packet.size() < kMinIpHeaderSize || (packet[0] >> 4) != 4)
        return 0;
    size_t headerSize = static_cast<size_t>(packet[0] & 0x0F) * 4;
    if (headerSize < kMinIpHeaderSize || headerSize > packet.size() || packet[9] != kProtocolIcmp)
        return 0;
    return headerSize;
}

} // namespace

std::vector<uint8_t> BuildEchoRequestPacket(uint16_t identifier, uint16_t sequence, std::span<const uint8_t> data)
{
    std::vector<uint8_t> packet(kIcmpHeaderSize + data.size());
    packet[0] = kTypeEchoRequest;
    packet[1] = 0;
    packet[4] = static_cast<uint8_t>(identifier >> 8);
    packet[5] = static_cast<uint8_t>(identifier);
    packet[6] = static_cast<uint8_t>(sequence >> 8);
    packet[7] = static_cast<uint8_t>(sequence);
    std::copy(data.begin(), data.end(), packet.begin() + kIcmpHeaderSize);
    uint16_t checksum = InternetChecksum(packet);
    packet[2] = static_cast<uint8_t>(checksum);
    packet[3] = static_cast<uint8_t>(checksum >> 8);
    return packet;
}

std::optional<IcmpReply> ParseRawIcmpPacket(std::span<const uint8_t> packet, uint16_t identifier)
{
    size_t headerSize = IcmpIpHeaderSize(packet);
    if (headerSize == 0)
        return std::nullopt;
    size_t totalLength = Be16(packet, 2);
    if (totalLength < headerSize + kIcmpHeaderSize || totalLength > packet.size())
        return std::nullopt;
    std::span<const uint8_t> icmp = packet.subspan(headerSize, totalLength - headerSize);
    // Raw sockets see packets before the system has checked them.
    if (InternetChecksum(icmp) != 0)
        return std::nullopt;

    IcmpReply reply;
    reply.type = icmp[0];
    reply.code = icmp[1];
    reply.from = {packet[12], packet[13], packet[14], packet[15]};
    reply.ttl = packet[8];
    if (reply.type == kTypeEchoReply) {
        if (Be16(icmp, 4) != identifier)
            return std::nullopt;
        reply.sequence = Be16(icmp, 6);
        reply.data.assign(icmp.begin() + kIcmpHeaderSize, icmp.end());
        return reply;
    }
    if (!IsErrorType(reply.type))
        return std::nullopt;
    // An error quotes the IP header of our request and at least the first 8 bytes of its ICMP message.
    std::span<const uint8_t> quoted = icmp.subspan(kIcmpHeaderSize);
    size_t quotedHeaderSize = IcmpIpHeaderSize(quoted);
    if (quotedHeaderSize == 0 || quoted.size() < quotedHeaderSize + kIcmpHeaderSize)
        return std::nullopt;
    std::span<const uint8_t> request = quoted.subspan(quotedHeaderSize);
    if (request[0] != kTypeEchoRequest || Be16(request, 4) != identifier)
        return std::nullopt;
    reply.sequence = Be16(request, 6);
    return reply;
}

std::optional<IcmpReply> ParsePingSocketReply(std::span<const uint8_t> datagram)
{
    if (datagram.size() < kIcmpHeaderSize || datagram[0] != kTypeEchoReply)
        return std::nullopt;
    IcmpReply reply;
    reply.type = datagram[0];
    reply.code = datagram[1];
    reply.sequence = Be16(datagram, 6);
    reply.data.assign(datagram.begin() + kIcmpHeaderSize, datagram.end());
    return reply;
}

std::optional<uint16_t> QuotedEchoSequence(std::span<const uint8_t> quoted)
{
    if (quoted.size() < kIcmpHeaderSize || quoted[0] != kTypeEchoRequest)
        return std::nullopt;
    return Be16(quoted, 6);
}
