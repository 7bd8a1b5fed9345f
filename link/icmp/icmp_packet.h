#pragma once
// ICMP packets on the wire (network byte order), built for sending and checked on receipt. Everything received is
// untrusted: a packet that is short, malformed or not an answer to us gives nullopt.

#include "link/icmp/icmp_transport.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

inline constexpr size_t kIcmpHeaderSize = 8;

// An echo request: type 8, code 0, checksum, identifier and sequence number, then the data.
std::vector<uint8_t> BuildEchoRequestPacket(uint16_t identifier, uint16_t sequence, std::span<const uint8_t> data);

// An IPv4 packet as a raw ICMP socket reads it: the echo reply, or the error quoting an echo request, that carries
// this identifier. The reply's source and TTL come from the IP header.
std::optional<IcmpReply> ParseRawIcmpPacket(std::span<const uint8_t> packet, uint16_t identifier);

// A datagram as a ping socket reads it (ICMP header and data; the system has matched the identifier): the echo reply.
// Source and TTL are left for the caller.
std::optional<IcmpReply> ParsePingSocketReply(std::span<const uint8_t> datagram);

// The sequence number of the echo request that an error-queue message of a ping socket quotes (its ICMP header first).
std::optional<uint16_t> QuotedEchoSequence(std::span<const uint8_t> quoted);
