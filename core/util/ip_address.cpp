#include "core/util/ip_address.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kMaxIpTextLength = 31;

// Reads "a.b.c.d" strictly; false when the text is not such an address.
bool ReadDottedQuad(std::string_view text, int strictness, IpAddress& out)
{
    if (text.empty() || text.size() > kMaxIpTextLength)
        return false;
    size_t pos = 0;
    for (size_t part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return false;
            ++pos;
        }
        size_t begin = pos;
        unsigned value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - begin < 3) {
            value = value * 10 + static_cast<unsigned>(text[pos] - '0');
            ++pos;
        }
        size_t digits = pos - begin;
        if (digits == 0 || value > 255)
            return false;
        if (strictness > 0 && digits > 1 && text[begin] == '0')
            return false;
        out[part] = static_cast<uint8_t>(value);
    }
    return pos == text.size();
}

} // namespace

std::string FormatIpAddress(const uint8_t* address)
{
    if (!address)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address[0], address[1], address[2], address[3]);
    return text;
}

std::string FormatIpAddressPadded(const uint8_t* address)
{
    if (!address)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%3u.%3u.%3u.%3u", address[0], address[1], address[2], address[3]);
    return text;
}

IpAddress ParseIpAddress(std::string_view text)
{
    IpAddress address{};
    if (!ReadDottedQuad(text, 0, address))
        return IpAddress{};
    return address;
}

bool IsValidIpAddressText(std::string_view text, int strictness)
{
    IpAddress address{};
    return ReadDottedQuad(text, strictness, address);
}

uint32_t IpToUInt32(const uint8_t* address)
{
    if (!address)
        return 0;
    return (uint32_t{address[0]} << 24) | (uint32_t{address[1]} << 16) | (uint32_t{address[2]} << 8) |
           uint32_t{address[3]};
}

IpAddress UInt32ToIp(uint32_t value)
{
    return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value)};
}

void CopyIpAddress(uint8_t* destination, const uint8_t* source)
{
    if (!destination)
        return;
    if (source)
        std::memmove(destination, source, 4);
    else
        std::memset(destination, 0, 4);
}

void ClearIpAddress(uint8_t* address)
{
    if (address)
        std::memset(address, 0, 4);
}

bool IsZeroIpAddress(const uint8_t* address)
{
    return !address || (address[0] == 0 && address[1] == 0 && address[2] == 0 && address[3] == 0);
}

int CompareIpv4(const uint8_t* a, const uint8_t* b)
{
    if (!a || !b)
        return (a ? 1 : 0) - (b ? 1 : 0);
    int c = std::memcmp(a, b, 4);
    return (c > 0) - (c < 0);
}

int CompareIpText(std::string_view a, std::string_view b)
{
    return CompareIpv4(ParseIpAddress(a), ParseIpAddress(b));
}

int CompareNeAddress(const uint8_t* addressA, uint16_t portA, const uint8_t* addressB, uint16_t portB)
{
    int c = CompareIpv4(addressA, addressB);
    if (c != 0)
        return c;
    return (portA > portB) - (portA < portB);
}

bool IsValidHostIpAddress(const uint8_t* address, uint32_t flags)
{
    if (!address)
        return false;
    if (IsZeroIpAddress(address))
        return (flags & kHostIpAllowZero) != 0;
    if (address[0] == 0 || address[3] == 0 || address[3] == 255)
        return false;
    if (address[0] == 127)
        return false;
    if (address[0] >= 224 && address[0] <= 239)
        return false;
    if (address[0] == 172 && address[1] == 31 && address[2] == 254 && address[3] <= 67)
        return false;
    return true;
}
