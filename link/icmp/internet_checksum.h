#pragma once
// The one's-complement checksum of IP and ICMP, summed as little-endian 16-bit words. Stored little-endian, it gives
// the same bytes as the usual big-endian sum stored big-endian; over data that holds a valid checksum it yields 0.

#include <cstdint>
#include <span>

uint16_t InternetChecksum(std::span<const uint8_t> data);
