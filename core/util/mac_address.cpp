#include "core/util/mac_address.h"

#include <cstdio>
#include <cstring>

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsSeparator(char c)
{
    return c == ':' || c == '-' || c == ' ' || c == '.';
}

bool ReadMac(std::string_view text, MacAddress& out)
{
    size_t pos = 0;
    char separator = 0;
    for (size_t group = 0; group < out.size(); ++group) {
        if (group > 0) {
            if (pos >= text.size() || !IsSeparator(text[pos]))
                return false;
            if (separator == 0)
                separator = text[pos];
            else if (text[pos] != separator)
                return false;
            ++pos;
        }
        int value = 0;
        size_t digits = 0;
        while (pos < text.size() && digits < 2 && HexValue(text[pos]) >= 0) {
            value = value * 16 + HexValue(text[pos]);
            ++pos;
            ++digits;
        }
        if (digits == 0)
            return false;
        out[group] = static_cast<uint8_t>(value);
    }
    return pos == text.size();
}

} // namespace

std::string FormatMacAddress(const uint8_t* mac)
{
    if (!mac)
        return {};
    char text[18];
    std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

bool IsValidMacAddressText(std::string_view text)
{
    MacAddress mac{};
    return ReadMac(text, mac);
}

MacAddress ParseMacAddress(std::string_view text)
{
    MacAddress mac{};
    if (!ReadMac(text, mac))
        return MacAddress{};
    return mac;
}

bool IsZeroMacAddress(const uint8_t* mac)
{
    if (!mac)
        return true;
    for (size_t i = 0; i < 6; ++i) {
        if (mac[i] != 0)
            return false;
    }
    return true;
}

void CopyMacAddress(uint8_t* destination, const uint8_t* source)
{
    if (!destination)
        return;
    if (source)
        std::memmove(destination, source, 6);
    else
        std::memset(destination, 0, 6);
}

int CompareMacAddress(const uint8_t* a, const uint8_t* b)
{
    if (!a || !b)
        return (a ? 1 : 0) - (b ? 1 : 0);
    int c = std::memcmp(a, b, 6);
    return (c > 0) - (c < 0);
}
