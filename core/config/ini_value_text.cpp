#include "core/config/ini_value_text.h"

#include <cctype>
#include <limits>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexDigit(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

bool ParseIniDecimal(std::string_view text, std::int64_t& value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t magnitude = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit + 1 : magnitude * 10 + digit;
    }
    if (negative)
        value = magnitude > kLimit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
    else
        value = magnitude > kLimit ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);
    return true;
}

bool ParseIniHex(std::string_view text, std::uint64_t& value)
{
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    if (text.empty())
        return false;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t result = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        result = result > (kMax >> 4) ? kMax : (result << 4) | static_cast<std::uint64_t>(digit);
    }
    value = result;
    return true;
}

bool ParseIniIpv4(std::string_view text, std::array<std::uint8_t, 4>& address)
{
    std::array<std::uint8_t, 4> parsed{};
    for (size_t part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                return false;
            text.remove_prefix(1);
        }
        size_t digits = 0;
        unsigned number = 0;
        while (digits < text.size() && IsDigit(text[digits])) {
            if (digits == 3)
                return false;
            number = number * 10 + static_cast<unsigned>(text[digits] - '0');
            ++digits;
        }
        if (digits == 0 || number > 255)
            return false;
        parsed[part] = static_cast<std::uint8_t>(number);
        text.remove_prefix(digits);
    }
    if (!text.empty())
        return false;
    address = parsed;
    return true;
}

std::string CutIniText(std::string_view text, size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return std::string(text);
    size_t cut = maxBytes;
    // Walk back over at most three continuation bytes to the start of the character being split.
    size_t back = cut;
    while (back > 0 && cut - back < 3 && IsUtf8Continuation(text[back]))
        --back;
    if (back < cut && static_cast<unsigned char>(text[back]) >= 0xC0)
        cut = back;
    return std::string(text.substr(0, cut));
}

std::string_view TrimIniText(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}
