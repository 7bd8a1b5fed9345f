#pragma once
// Texts of times given as seconds since 1970-01-01 UTC, shown in the workstation's local time zone.

#include <cstdint>
#include <string>
#include <string_view>

// "%Y-%m-%d %H:%M:%S" in local time.
std::string FormatDateTime(uint32_t seconds);
// The same, but 0 gives an empty text.
std::string FormatDateTime2(uint32_t seconds);
// "%m-%d %H:%M" in local time; 0 gives an empty text.
std::string FormatShortDateTime(uint32_t seconds);
// "%Y-%m-%d %Hhr." in local time.
std::string FormatDateHour(uint32_t seconds);
// A duration: "%u days  %02u:%02u:%02u" (two blanks after "days").
std::string FormatUptime(uint32_t seconds);

// A "YYYY-MM-DD HH:MM:SS" local time (one or two digits for the fields after the year; blanks around the text are
// ignored) back to seconds since 1970; 0 when the text is not a valid date and time or lies outside 1970..2106.
uint32_t ParseDateTimeText(std::string_view text);
