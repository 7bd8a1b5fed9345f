#pragma once
// Column specs: one string declares the columns of a list, as fields separated by "|". Each field is an optional kind
// character ("#" stretch, "@" hidden, "`" owner-text; at most one), an optional header alignment ("<" left, ">" right,
// "^" centre; left when absent), an optional cell alignment (the same characters; the header's when absent) and the
// title. Only the first 255 characters count; empty fields declare no column.
//
// Kept window-free and in this header, so that tools without the user interface (the fuzzer) use the same grammar.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Column flag word bits.
inline constexpr uint16_t kColumnHeaderAlignMask = 0x0003; // 1 left, 2 right, 3 centre
inline constexpr uint16_t kColumnHeaderLeft = 0x0001;
inline constexpr uint16_t kColumnHeaderRight = 0x0002;
inline constexpr uint16_t kColumnHeaderCenter = 0x0003;
inline constexpr uint16_t kColumnTextAlignMask = 0x0030; // 0x10 left, 0x20 right, 0x30 centre
inline constexpr uint16_t kColumnTextLeft = 0x0010;
inline constexpr uint16_t kColumnTextRight = 0x0020;
inline constexpr uint16_t kColumnTextCenter = 0x0030;
inline constexpr uint16_t kColumnStretch = 0x0040;
inline constexpr uint16_t kColumnHidden = 0x0100;
inline constexpr uint16_t kColumnZeroWidth = 0x0200;
inline constexpr uint16_t kColumnOwnerText = 0x0400;
inline constexpr uint16_t kColumnNoEllipsis = 0x1000;
inline constexpr uint16_t kColumnHeaderImageRight = 0x2000;
inline constexpr uint16_t kColumnDefaultFlags = kColumnHeaderLeft | kColumnTextLeft;

// Flag words and column map entries are kept for the first 32 columns.
inline constexpr int kMaxFlaggedColumns = 32;
inline constexpr size_t kMaxColumnSpecLength = 255;

struct ColumnSpecField {
    uint16_t flags = kColumnDefaultFlags;
    std::string title;
    bool operator==(const ColumnSpecField&) const = default;
};

namespace column_spec_detail {

inline int AlignmentOf(char c)
{
    switch (c) {
    case '<':
        return 1;
    case '>':
        return 2;
    case '^':
        return 3;
    default:
        return 0;
    }
}

inline ColumnSpecField ParseField(std::string_view field)
{
    ColumnSpecField column;
    uint16_t kind = 0;
    if (!field.empty()) {
        switch (field.front()) {
        case '#':
            kind = kColumnStretch;
            break;
        case '@':
            kind = kColumnHidden;
            break;
        case '`':
            kind = kColumnOwnerText;
            break;
        default:
            break;
        }
        if (kind != 0)
            field.remove_prefix(1);
    }
    int header = field.empty() ? 0 : AlignmentOf(field.front());
    if (header != 0)
        field.remove_prefix(1);
    else
        header = 1;
    int cell = field.empty() ? 0 : AlignmentOf(field.front());
    if (cell != 0)
        field.remove_prefix(1);
    else
        cell = header;
    column.flags = static_cast<uint16_t>(kind | header | (cell << 4));
    column.title.assign(field);
    return column;
}

} // namespace column_spec_detail

// The columns a spec declares, in order.
inline std::vector<ColumnSpecField> ParseColumnSpecFields(std::string_view spec)
{
    std::vector<ColumnSpecField> columns;
    if (spec.size() > kMaxColumnSpecLength)
        spec = spec.substr(0, kMaxColumnSpecLength);
    // A spec is text: it ends at its first NUL.
    if (const size_t nul = spec.find('\0'); nul != std::string_view::npos)
        spec = spec.substr(0, nul);
    while (!spec.empty()) {
        const size_t bar = spec.find('|');
        const std::string_view field = spec.substr(0, bar);
        spec = bar == std::string_view::npos ? std::string_view() : spec.substr(bar + 1);
        if (!field.empty())
            columns.push_back(column_spec_detail::ParseField(field));
    }
    return columns;
}
