#include "core/util/date_time_format.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <limits>

namespace {

std::string FormatLocal(uint32_t seconds, const char* format)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return {};
    char text[64];
    const size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

// Reads minDigits..maxDigits decimal digits at pos.
bool ReadNumber(std::string_view text, size_t& pos, size_t minDigits, size_t maxDigits, int& value)
{
    size_t begin = pos;
    value = 0;
    while (pos < text.size() && pos - begin < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos - begin >= minDigits;
}

bool Expect(std::string_view text, size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string FormatDateTime(uint32_t seconds)
{
    return FormatLocal(seconds, "%Y-%m-%d %H:%M:%S");
}

std::string FormatDateTime2(uint32_t seconds)
{
    return seconds == 0 ? std::string() : FormatDateTime(seconds);
}

std::string FormatShortDateTime(uint32_t seconds)
{
    return seconds == 0 ? std::string() : FormatLocal(seconds, "%m-%d %H:%M");
}

std::string FormatDateHour(uint32_t seconds)
{
    return FormatLocal(seconds, "%Y-%m-%d %Hhr.");
}

std::string FormatUptime(uint32_t seconds)
{
    char text[48];
    std::snprintf(text, sizeof text, "%u days  %02u:%02u:%02u", seconds / 86400, seconds / 3600 % 24, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

uint32_t ParseDateTimeText(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);

    size_t pos = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!ReadNumber(text, pos, 4, 4, year) || !Expect(text, pos, '-') || !ReadNumber(text, pos, 1, 2, month) ||
        !Expect(text, pos, '-') || !ReadNumber(text, pos, 1, 2, day) || !Expect(text, pos, ' ') ||
        !ReadNumber(text, pos, 1, 2, hour) || !Expect(text, pos, ':') || !ReadNumber(text, pos, 1, 2, minute) ||
        !Expect(text, pos, ':') || !ReadNumber(text, pos, 1, 2, second) || pos != text.size())
        return 0;

    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59)
        return 0;

    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1; // let the zone rules decide whether summer time applies
    const std::time_t t = std::mktime(&local);
    if (t <= 0 || t > std::numeric_limits<uint32_t>::max())
        return 0;
    return static_cast<uint32_t>(t);
}
