#include "core/util/names.h"

#include <algorithm>

namespace {

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

unsigned char LowerAscii(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

int CompareBytes(std::string_view a, std::string_view b)
{
    return Sign(a.compare(b));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal number taken apart: sign, integer digits without leading zeros, fraction digits without trailing zeros.
struct Decimal {
    bool negative = false;
    std::string_view integer;
    std::string_view fraction;
};

bool ReadDecimal(std::string_view text, Decimal& out)
{
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        out.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const size_t point = text.find('.');
    std::string_view integer = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (integer.empty() && fraction.empty())
        return false;
    if (!std::all_of(integer.begin(), integer.end(), IsDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), IsDigit))
        return false;
    while (!integer.empty() && integer.front() == '0')
        integer.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    out.integer = integer;
    out.fraction = fraction;
    if (integer.empty() && fraction.empty())
        out.negative = false; // -0 is 0
    return true;
}

int CompareMagnitude(const Decimal& a, const Decimal& b)
{
    if (a.integer.size() != b.integer.size())
        return a.integer.size() < b.integer.size() ? -1 : 1;
    if (int c = CompareBytes(a.integer, b.integer))
        return c;
    return CompareBytes(a.fraction, b.fraction); // digits only, so byte order is value order
}

} // namespace

bool IsValidNameChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '.' ||
           c == '@' || c == '_';
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char ca = LowerAscii(a[i]);
        const unsigned char cb = LowerAscii(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

int CompareNames(std::string_view a, std::string_view b)
{
    const int noCase = CompareNoCase(a, b);
    return noCase != 0 ? noCase : CompareBytes(a, b);
}

int CompareNumericText(std::string_view a, std::string_view b)
{
    if (a.empty() || b.empty())
        return (a.empty() ? 0 : 1) - (b.empty() ? 0 : 1);
    Decimal da;
    Decimal db;
    const bool numberA = ReadDecimal(a, da);
    const bool numberB = ReadDecimal(b, db);
    if (!numberA || !numberB)
        return numberA == numberB ? CompareBytes(a, b) : (numberA ? -1 : 1);
    if (da.negative != db.negative)
        return da.negative ? -1 : 1;
    const int magnitude = CompareMagnitude(da, db);
    return da.negative ? -magnitude : magnitude;
}
