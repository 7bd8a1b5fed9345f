#include "link/icmp/echo_request.h"

#include "link/icmp/internet_checksum.h"

#include <algorithm>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

void PutLe16(std::span<uint8_t> data, size_t offset, uint16_t value)
{
    if (offset + 2 > data.size())
        return;
    data[offset] = static_cast<uint8_t>(value);
    data[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void PutLe32(std::span<uint8_t> data, size_t offset, uint32_t value)
{
    if (offset + 4 > data.size())
        return;
    for (size_t i = 0; i < 4; ++i)
        data[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

uint16_t CurrentThreadTag()
{
    return static_cast<uint16_t>(::syscall(SYS_gettid));
}

void FillEchoRequest(std::span<uint8_t> data)
{
    if (data.size() > kEchoTypeOffset)
        data[kEchoTypeOffset] = kEchoRequestType;
    if (data.size() > kEchoCodeOffset)
        data[kEchoCodeOffset] = 0;
    PutLe16(data, kEchoChecksumOffset, 0);
    PutLe16(data, kEchoThreadOffset, CurrentThreadTag());
    PutLe16(data, kEchoSequenceOffset, 0);
    if (data.size() > kEchoFillOffset)
        std::fill(data.begin() + kEchoFillOffset, data.end(), kEchoFillByte);
}

void StampEchoRequest(std::span<uint8_t> data, uint16_t sequence, uint32_t tick)
{
    PutLe16(data, kEchoSequenceOffset, sequence);
    PutLe32(data, kEchoTickOffset, tick);
    PutLe16(data, kEchoChecksumOffset, 0);
    PutLe16(data, kEchoChecksumOffset, InternetChecksum(data));
}

std::optional<uint16_t> EchoSequenceOf(std::span<const uint8_t> data)
{
    if (data.size() < kEchoSequenceOffset + 2)
        return std::nullopt;
    return static_cast<uint16_t>(data[kEchoSequenceOffset] | (data[kEchoSequenceOffset + 1] << 8));
}
