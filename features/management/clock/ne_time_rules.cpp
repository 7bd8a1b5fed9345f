#include "features/management/clock/ne_time_rules.h"

#include "core/util/ip_address.h"
#include "core/util/names.h"

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

int TimeZoneHoursEast(long secondsWest)
{
    return static_cast<int>(-secondsWest / 3600);
}

int WorkstationTimeZoneHours()
{
    tzset();
    return TimeZoneHoursEast(timezone);
}

uint32_t SecondsOfLocal(const LocalDateTime& local)
{
    std::tm fields{};
    fields.tm_year = local.year - 1900;
    fields.tm_mon = local.month - 1;
    fields.tm_mday = local.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_sec = local.second;
    fields.tm_isdst = -1;
    const time_t seconds = std::mktime(&fields);
    return seconds > 0 ? static_cast<uint32_t>(seconds) : 0;
}

LocalDateTime LocalOfSeconds(uint32_t seconds)
{
    const time_t at = seconds;
    std::tm fields{};
    localtime_r(&at, &fields);
    return {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec};
}

UpdatePeriod SplitUpdatePeriod(uint32_t minutes)
{
    const uint32_t kept = std::clamp(minutes, kMinUpdateMinutes, kMaxUpdateMinutes);
    return {kept / 60, kept % 60};
}

uint32_t StepUpdateHours(uint32_t hours, int delta)
{
    const int span = static_cast<int>(kMaxUpdateHours) + 1;
    const int stepped = (static_cast<int>(std::min(hours, kMaxUpdateHours)) + delta) % span;
    return static_cast<uint32_t>(stepped < 0 ? stepped + span : stepped);
}

namespace {

std::vector<std::string_view> SplitAtDots(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t dot = text.find('.'); dot != std::string_view::npos; dot = text.find('.', start)) {
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal number a part begins with.
uint32_t LeadingNumber(std::string_view part)
{
    uint32_t value = 0;
    for (char c : part) {
        if (!IsDigit(c))
            break;
        value = std::min<uint32_t>(value * 10 + static_cast<uint32_t>(c - '0'), 100000);
    }
    return value;
}

} // namespace

TimeServerCheck CheckTimeServerText(std::string_view text)
{
    const auto bad = std::find_if_not(text.begin(), text.end(), IsValidNameChar);
    if (bad != text.end())
        return {TimeServerText::kBadCharacter, static_cast<int>(bad - text.begin())};
    if (text.starts_with("0."))
        return {TimeServerText::kIncorrectIpAddress};
    const std::vector<std::string_view> parts = SplitAtDots(text);
    const bool address = parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](std::string_view part) {
                             return !part.empty() && IsDigit(part.front());
                         });
    if (!address)
        return {TimeServerText::kHostName};
    IpAddress ip{};
    for (size_t i = 0; i < parts.size(); ++i) {
        const uint32_t number = LeadingNumber(parts[i]);
        if (number > 255)
            return {TimeServerText::kIncorrectIpAddress};
        ip[i] = static_cast<uint8_t>(number);
    }
    if (!IsValidHostIpAddress(ip, kHostIpAllowZero))
        return {TimeServerText::kIncorrectIpAddress};
    return {TimeServerText::kIpAddress};
}
