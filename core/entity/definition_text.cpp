#include "core/entity/definition_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

std::string_view TrimDefinitionText(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size() && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    size_t end = text.size();
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

std::optional<uint64_t> ParseDefinitionNumber(std::string_view text, bool hex)
{
    text = TrimDefinitionText(text);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        hex = true;
    }
    if (text.empty())
        return std::nullopt;
    const uint64_t base = hex ? 16 : 10;
    const uint64_t max = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value > (max - digit) / base ? max : value * base + digit;
    }
    return value;
}

std::optional<int> ParseDefinitionInt(std::string_view text)
{
    text = TrimDefinitionText(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front())))
        return std::nullopt;
    auto magnitude = ParseDefinitionNumber(text);
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    if (!magnitude || *magnitude > limit)
        return std::nullopt;
    return negative ? static_cast<int>(-static_cast<int64_t>(*magnitude)) : static_cast<int>(*magnitude);
}

std::optional<float> ParseDefinitionReal(std::string_view text)
{
    text = TrimDefinitionText(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // Only plain decimal notation: "inf", "nan" and hexadecimal reals are no bounds.
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E')
            return std::nullopt;
    }
    // from_chars reads the same text whatever the process locale's decimal point is.
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || std::fabs(value) > 3.0e38)
        return std::nullopt;
    return static_cast<float>(value);
}

std::vector<std::string_view> SplitDefinitionList(std::string_view text, char separator)
{
    std::vector<std::string_view> entries;
    SplitDefinitionList(text, separator, entries);
    return entries;
}

void SplitDefinitionList(std::string_view text, char separator, std::vector<std::string_view>& entries)
{
    entries.clear();
    if (TrimDefinitionText(text).empty())
        return;
    size_t pos = 0;
    while (true) {
        const size_t next = text.find(separator, pos);
        entries.push_back(TrimDefinitionText(text.substr(pos, next == std::string_view::npos ? next : next - pos)));
        if (next == std::string_view::npos)
            break;
        pos = next + 1;
    }
}
