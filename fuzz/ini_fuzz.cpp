// Configuration text of any shape goes through the INI parser, every typed reader and the settings holder; the
// readers' guarantees (lengths, ranges, round trips) must hold for whatever the file says.
#include "core/config/alarm_signal_code.h"
#include "core/config/app_settings.h"
#include "core/config/font_spec.h"
#include "core/config/ini_readers.h"
#include "core/config/trap_log_filter.h"
#include "core/ini/ini_file.h"
#include "fuzz/fuzz_check.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

void ReadEveryWay(const CIniFile& ini, std::string_view section, std::string_view key)
{
    FuzzCheck(ReadIniString(section, key, kIniAbsentKey, ini).size() <= kIniMaxStringLength);
    const auto text = ReadIniString(section, key, std::nullopt, ini);
    FuzzCheck(text.has_value() == (ini.Find(section, key) != nullptr));
    FuzzCheck(ReadIniStringN(section, key, "", ini, 11).size() <= 10);
    ReadIniBool(section, key, true, ini);
    ReadIniWord(section, key, 7, ini);
    ReadIniLong(section, key, -7, ini);
    const std::uint32_t clamped = ReadIniIntInRange(section, key, 50, ini, 10, 100, true);
    FuzzCheck(clamped >= 10 && clamped <= 100);
    const std::uint32_t unclamped = ReadIniIntInRange(section, key, 5, ini, 10, 100, false);
    FuzzCheck(unclamped == 5 || (unclamped >= 10 && unclamped <= 100));
    const std::int32_t signedValue = ReadIniSignedInRange(section, key, -50, ini, -100, -10, true);
    FuzzCheck(signedValue >= -100 && signedValue <= -10);
    const std::uint32_t colour = ReadIniColor(section, key, 0xFFFFFFFF, ini);
    FuzzCheck(colour <= 0xFFFFFF || colour == 0xFFFFFFFF);
    ReadIniIpAddress(section, key, ini);
    const IniIpRange range = ReadIniIpRange(section, key, ini, true);
    FuzzCheck(!(range.last < range.first));
    const FontSpec font = ReadIniFont(section, key, "Arial,80,B", ini);
    FuzzCheck(!font.face.empty() && font.face.size() <= FontSpec::kMaxFaceLength && font.size >= 0);

    if (!text)
        return;
    FontSpec parsed;
    if (CreateFontFromSpec(*text, parsed)) {
        FontSpec again;
        FuzzCheck(CreateFontFromSpec(FormatFontSpec(parsed), again));
        FuzzCheck(again.size == parsed.size && again.bold == parsed.bold && again.italic == parsed.italic &&
                  again.underline == parsed.underline && again.strikeOut == parsed.strikeOut);
    }
    FuzzCheck(ParseAlarmSignalCode(FormatAlarmSignalCode(ParseAlarmSignalCode(*text))) == ParseAlarmSignalCode(*text));
    TrapLogFilter filter;
    ParseTrapLogFilter(*text, filter);
    TrapLogFilter back{1, 2, 3, 4};
    ParseTrapLogFilter(FormatTrapLogFilter(filter), back);
    FuzzCheck(back == filter);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CIniFile ini = CIniFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& section : ini.Sections()) {
        for (const auto& entry : section.entries)
            ReadEveryWay(ini, section.name, entry.key);
    }
    ReadEveryWay(ini, "SYSTEM", "ABSENT");

    CAppSettings settings;
    settings.ReadFullSettings(ini);
    FuzzCheck(settings.serverWait >= 3000 && settings.serverWait <= 900000);
    FuzzCheck(settings.snmpRetry <= 20);
    FuzzCheck(settings.serverPort >= 1 && settings.snmpTrapPort >= 1);
    FuzzCheck(settings.userName.size() <= 10 && settings.company.size() <= 20 && settings.appName.size() <= 255);
    FuzzCheck(settings.hintMsgTextColor <= 0xFFFFFF && settings.errMsgBkColor <= 0xFFFFFF);
    FuzzCheck(settings.flash.level <= 5 && settings.beep.level <= 5);
    return 0;
}
