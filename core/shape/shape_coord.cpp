#include "core/shape/shape_coord.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

bool ContainsHexMarker(std::string_view s)
{
    return s.find("0x") != std::string_view::npos || s.find("0X") != std::string_view::npos;
}

int32_t Saturate(int64_t v)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Reads an integer from the start of `s` in `base`, as strtol does, saturating to 32 bits. `used` receives the number
// of characters that belong to the number (0 when none do).
int32_t ReadInteger(std::string_view s, int base, size_t* used)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (base == 16 && i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
        DigitValue(s[i + 2], 16) >= 0)
        i += 2;
    const size_t digitsBegin = i;
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{1} << 32; // beyond every 32-bit value; stop growing there
    while (i < s.size()) {
        int d = DigitValue(s[i], base);
        if (d < 0)
            break;
        if (value < kLimit)
            value = value * base + d;
        ++i;
    }
    if (i == digitsBegin) {
        if (used)
            *used = 0;
        return 0;
    }
    if (used)
        *used = i;
    return Saturate(negative ? -value : value);
}

uint32_t PackOffset(int64_t offset)
{
    uint32_t magnitude = static_cast<uint32_t>(std::min<int64_t>(offset < 0 ? -offset : offset, kShapeMaxOffset));
    return magnitude | (offset < 0 ? kShapeOffsetNegative : 0u);
}

int64_t OffsetOf(uint32_t v)
{
    int64_t magnitude = v & kShapeOffsetMask;
    return (v & kShapeOffsetNegative) ? -magnitude : magnitude;
}

uint32_t AnchorOf(char letter)
{
    switch (letter) {
    case 'L':
        return kShapeAnchorLeft;
    case 'R':
        return kShapeAnchorRight;
    case 'T':
        return kShapeAnchorTop;
    case 'B':
        return kShapeAnchorBottom;
    case 'C':
        return kShapeAnchorCenter;
    case 'V':
        return kShapeAnchorVCenter;
    case 'W':
        return kShapeAnchorWidth;
    case 'H':
        return kShapeAnchorHeight;
    default:
        return 0;
    }
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int32_t ScaledCoord(std::string_view rest)
{
    // rest follows "@S".
    if (rest.empty() || (rest[0] != '*' && rest[0] != '/'))
        return static_cast<int32_t>(kShapeScaled | PackOffset(ParseShapeInt(rest, 0)));
    const bool divide = rest[0] == '/';
    std::string_view afterSign = rest.substr(1);
    size_t used = 0;
    int64_t factor = ReadInteger(afterSign, ContainsHexMarker(afterSign) ? 16 : 10, &used);
    std::string_view offsetText = afterSign.substr(used);
    uint32_t offset = PackOffset(ParseShapeInt(offsetText, 0));
    if (factor == 0)
        return static_cast<int32_t>(offset);
    uint32_t magnitude = static_cast<uint32_t>(std::min<int64_t>(factor < 0 ? -factor : factor, kShapeMaxFactor));
    uint32_t packed = kShapeScaled | (magnitude << kShapeFactorShift) | offset;
    if (factor < 0)
        packed |= kShapeFactorNegative;
    if (divide)
        packed |= kShapeFactorDivide;
    return static_cast<int32_t>(packed);
}

} // namespace

int32_t ParseShapeInt(std::string_view token, int32_t defaultValue)
{
    if (token.empty())
        return defaultValue;
    return ReadInteger(token, ContainsHexMarker(token) ? 16 : 10, nullptr);
}

int32_t ParseShapeFlag(std::string_view token, int32_t defaultValue)
{
    if (token.empty())
        return defaultValue;
    return ParseShapeInt(token, 0) != 0 ? 1 : 0;
}

float ParseShapeFloat(std::string_view token, float defaultValue)
{
    if (token.empty())
        return defaultValue;
    size_t i = 0;
    while (i < token.size() && IsBlank(token[i]))
        ++i;
    // from_chars knows no plus sign; it is the only difference from the C reader that matters here, and it keeps the
    // reading independent of the process locale.
    if (i < token.size() && token[i] == '+') {
        ++i;
        if (i < token.size() && token[i] == '-')
            return 0.0f;
    }
    const char* begin = token.data() + i;
    const char* end = token.data() + token.size();
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        std::string_view number(begin, static_cast<size_t>(ptr - begin));
        size_t e = number.find_first_of("eE");
        bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        bool negative = !number.empty() && number[0] == '-';
        if (tiny)
            return negative ? -0.0f : 0.0f;
        return negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    }
    if (ec != std::errc())
        return 0.0f;
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        return value < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

int32_t ParseShapeCoord(std::string_view token, int32_t defaultValue)
{
    if (token.empty())
        return defaultValue;
    if (token[0] != '@')
        return static_cast<int32_t>(PackOffset(ParseShapeInt(token, 0)));
    if (token.size() < 2)
        return defaultValue;
    const char letter = Upper(token[1]);
    std::string_view rest = token.substr(2);
    if (letter == 'S')
        return ScaledCoord(rest);
    uint32_t anchor = AnchorOf(letter);
    if (anchor == 0)
        return defaultValue;
    return static_cast<int32_t>(anchor | PackOffset(ParseShapeInt(rest, 0)));
}

int32_t ResolveShapeCoord(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t value, int32_t scale,
                          int vertical)
{
    const uint32_t v = static_cast<uint32_t>(value);
    const uint32_t anchor = v & kShapeAnchorMask;
    const bool scaled = (v & kShapeScaled) != 0;
    if (!scaled && anchor == 0)
        return static_cast<int32_t>(OffsetOf(v));

    int64_t base = 0;
    if (!scaled) {
        switch (anchor) {
        case kShapeAnchorWidth:
            base = int64_t{right} - left + 1;
            break;
        case kShapeAnchorLeft:
            base = left;
            break;
        case kShapeAnchorRight:
            base = right;
            break;
        case kShapeAnchorCenter:
            base = (int64_t{left} + right) / 2;
            break;
        case kShapeAnchorHeight:
            base = int64_t{bottom} - top + 1;
            break;
        case kShapeAnchorTop:
            base = top;
            break;
        case kShapeAnchorBottom:
            base = bottom;
            break;
        case kShapeAnchorVCenter:
            base = (int64_t{top} + bottom) / 2;
            break;
        default:
            return value;
        }
    } else {
        if (anchor != 0)
            return value;
        base = vertical ? top : left;
        int64_t factor = (v >> kShapeFactorShift) & kShapeFactorMask;
        if (v & kShapeFactorNegative)
            factor = -factor;
        if (factor != 0) {
            double term = (v & kShapeFactorDivide) ? static_cast<double>(scale) / static_cast<double>(factor)
                                                   : static_cast<double>(scale) * static_cast<double>(factor);
            base += static_cast<int64_t>(std::trunc(term));
        }
    }
    return Saturate(base + OffsetOf(v));
}

bool ShapeSizeIsCoordinate(int code)
{
    switch (code) {
    case kShapeB3:
    case kShapeBG:
    case kShapeBB:
    case kShapeRL:
    case kShapeRS:
    case kShapeQ:
    case kShapeR:
    case kShapeR2:
    case kShapeL:
    case kShapeLA:
    case kShapePL:
        return true;
    default:
        return false;
    }
}

bool ShapeHasTextOffsets(int code)
{
    return code == kShapeTS || code == kShapeTL || code == kShapeTA || code == kShapeTE;
}

namespace {

uint32_t ToHalf(int32_t v)
{
    return static_cast<uint16_t>(static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX)));
}

} // namespace

ShapeRecord ResolveShapeRecord(const ShapeRecord& record, int32_t left, int32_t top, int32_t right, int32_t bottom,
                               int32_t scale)
{
    ShapeRecord out = record;
    for (size_t i = 0; i < out.coords.size(); ++i)
        out.coords[i] = ResolveShapeCoord(left, top, right, bottom, out.coords[i], scale, static_cast<int>(i % 2));
    if (ShapeSizeIsCoordinate(out.code))
        out.size = ResolveShapeCoord(left, top, right, bottom, out.size, scale, 0);
    if (ShapeHasTextOffsets(out.code)) {
        int32_t dx =
            ResolveShapeCoord(left, top, right, bottom, static_cast<int32_t>(ShapeLowHalf(out.extra1)), scale, 0);
        int32_t dy =
            ResolveShapeCoord(left, top, right, bottom, static_cast<int32_t>(ShapeHighHalf(out.extra1)), scale, 1);
        out.extra1 = PackShapeHalves(ToHalf(dx), ToHalf(dy));
    }
    return out;
}
