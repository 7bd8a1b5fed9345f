#include "core/config/alarm_signal_code.h"

#include "core/ini/ini_file.h"

#include <array>

namespace {

// Indexed by level; "SA" is matched apart.
constexpr std::array<std::string_view, 6> kLevelCodes = {"NO", "CR", "MJ", "MN", "WN", "IF"};

} // namespace

AlarmSignalCode ParseAlarmSignalCode(std::string_view text)
{
    if (IniNameEquals(text, "SA"))
        return {0, true};
    for (size_t level = 0; level < kLevelCodes.size(); ++level) {
        if (IniNameEquals(text, kLevelCodes[level]))
            return {static_cast<std::uint8_t>(level), false};
    }
    return {};
}

std::string FormatAlarmSignalCode(const AlarmSignalCode& code)
{
    if (code.serviceAffecting)
        return "SA";
    if (code.level >= kLevelCodes.size())
        return std::string(kLevelCodes[0]);
    return std::string(kLevelCodes[code.level]);
}
