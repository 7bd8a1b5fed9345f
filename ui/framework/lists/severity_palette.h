#pragma once
// The colours of the alarm severities (0x00BBGGRR), named once for the lists, the pictures and the text colours that
// show them. Window-free.

#include <array>
#include <cstddef>
#include <cstdint>

using COLORREF = uint32_t;

// One colour per severity, indexed by it: 0 cleared (no alarm), 1 critical, 2 major, 3 minor, 4 warning, 5 info.
using SeverityColors = std::array<COLORREF, 6>;

// The colour of a severity; a value outside 0..5 takes info's, as it reads "Info".
constexpr COLORREF ColorOfSeverity(const SeverityColors& colors, int severity)
{
    return colors[severity >= 0 && severity <= 5 ? static_cast<std::size_t>(severity) : 5];
}

// The back colours of rows by severity (black text on each).
inline constexpr SeverityColors kSeverityRowColors = {0xFFFFFF, 0x2020FF, 0x2080FF, 0x20FFFF, 0xFFFFE0, 0xFFFFFF};

// The lamps of the severity pictures: the row colours, made stronger where those are pale; cleared is green.
inline constexpr SeverityColors kSeverityLampColors = {0x20C020, 0x2020FF, 0x2080FF, 0x20E0FF, 0xFFA040, 0xC8C8C8};
