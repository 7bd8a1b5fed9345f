#include "link/icmp/internet_checksum.h"

uint16_t InternetChecksum(std::span<const uint8_t> data)
{
    uint32_t sum = 0;
    size_t i = 0;
    for (; i + 1 < data.size(); i += 2) {
        sum += static_cast<uint32_t>(data[i]) | (static_cast<uint32_t>(data[i + 1]) << 8);
        // Fold as we go so that no length can overflow the sum.
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    if (i < data.size())
        sum += data[i];
    sum = (sum & 0xFFFF) + (sum >> 16);
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}
