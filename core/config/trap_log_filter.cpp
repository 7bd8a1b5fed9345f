#include "core/config/trap_log_filter.h"

#include "core/config/ini_value_text.h"

#include <cstdio>

namespace {

void TakeDecimal(std::string_view token, std::uint32_t& field)
{
    std::int64_t value = 0;
    if (ParseIniDecimal(TrimIniText(token), value) && value >= 0 && value <= UINT32_MAX)
        field = static_cast<std::uint32_t>(value);
}

void TakeHex(std::string_view token, std::uint32_t& field)
{
    std::uint64_t value = 0;
    if (ParseIniHex(TrimIniText(token), value) && value <= UINT32_MAX)
        field = static_cast<std::uint32_t>(value);
}

} // namespace

void ParseTrapLogFilter(std::string_view text, TrapLogFilter& filter)
{
    std::uint32_t* const decimalFields[] = {&filter.locationId, &filter.neId, &filter.entityId};
    for (size_t index = 0; index < 4; ++index) {
        const size_t comma = text.find(',');
        const std::string_view token = text.substr(0, comma);
        if (index < 3)
            TakeDecimal(token, *decimalFields[index]);
        else
            TakeHex(token, filter.severityMask);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
}

std::string FormatTrapLogFilter(const TrapLogFilter& filter)
{
    char text[64];
    std::snprintf(text, sizeof text, "%lu,%lu,%lu,0x%08X", static_cast<unsigned long>(filter.locationId),
                  static_cast<unsigned long>(filter.neId), static_cast<unsigned long>(filter.entityId),
                  static_cast<unsigned>(filter.severityMask));
    return text;
}
