#include "sim/seed/scenario_section.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/util/ip_address.h"
#include "link/records/record_bytes.h"

namespace {

// Bytes written as pairs of hexadecimal digits, with ":", "-" or blanks between them where wanted.
std::optional<std::vector<uint8_t>> HexBytes(const std::string& text)
{
    std::vector<uint8_t> bytes;
    int pending = -1;
    for (const char c : text) {
        if (c == ':' || c == '-' || c == ' ') {
            if (pending >= 0)
                return std::nullopt;
            continue;
        }
        const int digit = std::isxdigit(static_cast<unsigned char>(c)) == 0 ? -1
                          : std::isdigit(static_cast<unsigned char>(c)) != 0
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        if (digit < 0)
            return std::nullopt;
        if (pending < 0) {
            pending = digit;
        } else {
            bytes.push_back(static_cast<uint8_t>(pending * 16 + digit));
            pending = -1;
        }
    }
    if (pending >= 0)
        return std::nullopt;
    return bytes;
}

// Decimal with an optional minus, or 0x hex.
bool ParseInteger(std::string_view text, int64_t* number)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *number, base);
    return ec == std::errc() && ptr == end;
}

struct IntegerRange {
    int64_t low;
    int64_t high;
};

IntegerRange RangeOf(FieldType type)
{
    switch (type) {
    case FieldType::kU8:
        return {0, std::numeric_limits<uint8_t>::max()};
    case FieldType::kU16:
        return {0, std::numeric_limits<uint16_t>::max()};
    case FieldType::kI16:
        return {std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()};
    case FieldType::kI32:
        return {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
    default:
        return {0, std::numeric_limits<uint32_t>::max()};
    }
}

// The field a key names and where it lies in the record; reserved bytes have no name a section could give. A field of
// a record inside the record is named after it: "actor.portId".
const RecordField* FindField(const RecordLayout& layout, std::string_view key, size_t* offset)
{
    const size_t dot = key.find('.');
    const std::string_view name = key.substr(0, dot);
    for (const RecordField& field : layout.fields) {
        if (field.type == FieldType::kReserved || !IniNameEquals(field.name, name))
            continue;
        if (dot != std::string_view::npos && field.nested == nullptr)
            continue;
        *offset += field.offset;
        return dot == std::string_view::npos ? &field : FindField(*field.nested, key.substr(dot + 1), offset);
    }
    return nullptr;
}

} // namespace

CScenarioSection::CScenarioSection(const CIniFile& ini, const CIniFile::Section& section, const std::string& file)
    : ini_(ini), section_(section), file_(file)
{
}

std::string CScenarioSection::Origin() const
{
    return "line " + std::to_string(section_.line) + " [" + section_.name + "]";
}

const std::string* CScenarioSection::Find(std::string_view key) const
{
    const CIniFile::Entry* entry = ini_.FindEntry(section_.name, key);
    return entry != nullptr ? &entry->value : nullptr;
}

std::string CScenarioSection::Text(std::string_view key, size_t width, const std::string& fallback)
{
    const std::string* value = Find(key);
    if (value == nullptr)
        return fallback;
    if (value->size() >= width)
        Fail(key, "longer than " + std::to_string(width - 1) + " bytes");
    return *value;
}

int64_t CScenarioSection::Number(std::string_view key, int64_t fallback, int64_t low, int64_t high)
{
    const CIniFile::Entry* entry = ini_.FindEntry(section_.name, key);
    int64_t number = fallback;
    if (entry == nullptr || entry->value.empty() || !ParseNumber(*entry, low, high, &number))
        return fallback;
    return number;
}

bool CScenarioSection::ParseNumber(const CIniFile::Entry& entry, int64_t low, int64_t high, int64_t* number)
{
    if (!ParseInteger(entry.value, number) || *number < low || *number > high) {
        Fail(entry.key, "not a number " + std::to_string(low) + ".." + std::to_string(high));
        return false;
    }
    return true;
}

std::vector<uint8_t> CScenarioSection::Record(const RecordLayout& layout,
                                              std::initializer_list<std::string_view> ownKeys)
{
    std::vector<uint8_t> record(layout.size, 0);
    for (const CIniFile::Entry& entry : section_.entries) {
        // A key given twice (or a section header repeated, which continues the first) is a slip that would
        // silently drop the second value.
        const CIniFile::Entry* first = ini_.FindEntry(section_.name, entry.key);
        if (first != &entry) {
            Fail(entry.key, "given twice (first at line " + std::to_string(first->line) + ")");
            break;
        }
        if (std::any_of(ownKeys.begin(), ownKeys.end(),
                        [&](std::string_view own) { return IniNameEquals(own, entry.key); }))
            continue;
        size_t offset = 0;
        const RecordField* field = FindField(layout, entry.key, &offset);
        if (field == nullptr) {
            Fail(entry.key, std::string("not a field of ") + layout.name);
            break;
        }
        PutField(*field, entry, record.data() + offset);
    }
    return record;
}

void CScenarioSection::PutField(const RecordField& field, const CIniFile::Entry& entry, uint8_t* at)
{
    const std::string& value = entry.value;
    switch (field.type) {
    case FieldType::kText:
        if (value.size() >= field.width) {
            Fail(entry.key, "longer than " + std::to_string(field.width - 1) + " bytes");
            return;
        }
        record_bytes::PutText(at, 0, field.width, value);
        return;
    case FieldType::kIpv4:
        if (value.empty())
            return;
        if (!IsValidIpAddressText(value)) {
            Fail(entry.key, "not an IPv4 address");
            return;
        }
        record_bytes::PutBytes(at, 0, ParseIpAddress(value));
        return;
    case FieldType::kF32: {
        float number = 0;
        const char* end = value.data() + value.size();
        auto [ptr, ec] = std::from_chars(value.data(), end, number);
        if (!value.empty() && (ec != std::errc() || ptr != end || !std::isfinite(number))) {
            Fail(entry.key, "not a number");
            return;
        }
        record_bytes::PutF32(at, 0, number);
        return;
    }
    case FieldType::kBytes: {
        const std::optional<std::vector<uint8_t>> bytes = HexBytes(value);
        if (!bytes || bytes->size() > field.width) {
            Fail(entry.key, "not at most " + std::to_string(field.width) + " hexadecimal bytes (00:10:a4 ...)");
            return;
        }
        std::copy(bytes->begin(), bytes->end(), at);
        return;
    }
    case FieldType::kRecord:
        Fail(entry.key, "a record inside the record: its fields are given as " + std::string(field.name) + ".<field>");
        return;
    case FieldType::kReserved:
        return;
    case FieldType::kU8:
    case FieldType::kU16:
    case FieldType::kU32:
    case FieldType::kI16:
    case FieldType::kI32:
        break;
    }
    const IntegerRange range = RangeOf(field.type);
    int64_t number = 0;
    if (value.empty() || !ParseNumber(entry, range.low, range.high, &number))
        return;
    switch (field.type) {
    case FieldType::kU8:
        record_bytes::PutU8(at, 0, static_cast<uint8_t>(number));
        return;
    case FieldType::kU16:
        record_bytes::PutU16(at, 0, static_cast<uint16_t>(number));
        return;
    case FieldType::kI16:
        record_bytes::PutI16(at, 0, static_cast<int16_t>(number));
        return;
    case FieldType::kI32:
        record_bytes::PutI32(at, 0, static_cast<int32_t>(number));
        return;
    default:
        record_bytes::PutU32(at, 0, static_cast<uint32_t>(number));
        return;
    }
}

void CScenarioSection::Fail(std::string_view key, const std::string& why)
{
    if (!error_.empty())
        return;
    const CIniFile::Entry* entry = key.empty() ? nullptr : ini_.FindEntry(section_.name, key);
    const int line = entry != nullptr ? entry->line : section_.line;
    error_ = file_ + ":" + std::to_string(line) + ": [" + section_.name + "]" + (key.empty() ? "" : " ") +
             std::string(key) + ": " + why;
}
