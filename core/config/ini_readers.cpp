#include "core/config/ini_readers.h"

#include "core/config/ini_value_text.h"
#include "core/ini/ini_file.h"

#include <algorithm>
#include <array>

namespace {

// The whole file is read for every key: a configuration file is small, and a fresh read always sees the latest edit.
CIniFile LoadOrEmpty(const std::string& file)
{
    std::optional<CIniFile> ini = CIniFile::Load(file);
    return ini ? std::move(*ini) : CIniFile::Parse("");
}

bool EqualsWord(std::string_view text, std::string_view word)
{
    return IniNameEquals(text, word);
}

// A number of the key; nullopt when the key is absent or its text is not a number.
std::optional<std::int64_t> FindDecimal(const CIniFile& ini, std::string_view section, std::string_view key)
{
    const std::string* text = ini.Find(section, key);
    std::int64_t value = 0;
    if (!text || !ParseIniDecimal(*text, value))
        return std::nullopt;
    return value;
}

template <typename T> T InRange(std::optional<std::int64_t> value, T defaultValue, T minimum, T maximum, bool clamp)
{
    if (!value)
        return defaultValue;
    if (*value < static_cast<std::int64_t>(minimum))
        return clamp ? minimum : defaultValue;
    if (*value > static_cast<std::int64_t>(maximum))
        return clamp ? maximum : defaultValue;
    return static_cast<T>(*value);
}

} // namespace

std::string ReadIniString(std::string_view section, std::string_view key, std::string_view defaultText,
                          const CIniFile& ini)
{
    const std::string* text = ini.Find(section, key);
    return CutIniText(text ? std::string_view(*text) : defaultText, kIniMaxStringLength);
}

std::string ReadIniString(std::string_view section, std::string_view key, std::string_view defaultText,
                          const std::string& file)
{
    return ReadIniString(section, key, defaultText, LoadOrEmpty(file));
}

std::optional<std::string> ReadIniString(std::string_view section, std::string_view key, std::nullopt_t,
                                         const CIniFile& ini)
{
    const std::string* text = ini.Find(section, key);
    if (!text)
        return std::nullopt;
    return CutIniText(*text, kIniMaxStringLength);
}

std::optional<std::string> ReadIniString(std::string_view section, std::string_view key, std::nullopt_t none,
                                         const std::string& file)
{
    return ReadIniString(section, key, none, LoadOrEmpty(file));
}

std::string ReadIniStringN(std::string_view section, std::string_view key, std::string_view defaultText,
                           const CIniFile& ini, size_t n)
{
    return CutIniText(ReadIniString(section, key, defaultText, ini), n == 0 ? 0 : n - 1);
}

std::string ReadIniStringN(std::string_view section, std::string_view key, std::string_view defaultText,
                           const std::string& file, size_t n)
{
    return ReadIniStringN(section, key, defaultText, LoadOrEmpty(file), n);
}

bool ReadIniBool(std::string_view section, std::string_view key, bool defaultValue, const CIniFile& ini)
{
    static constexpr std::array<std::string_view, 5> kTrue = {"1", "ON", "YES", "TRUE", "OK"};
    static constexpr std::array<std::string_view, 4> kFalse = {"0", "OFF", "NO", "FALSE"};
    const std::string* text = ini.Find(section, key);
    if (!text)
        return defaultValue;
    auto matches = [&](std::string_view word) { return EqualsWord(*text, word); };
    if (std::any_of(kTrue.begin(), kTrue.end(), matches))
        return true;
    if (std::any_of(kFalse.begin(), kFalse.end(), matches))
        return false;
    return defaultValue;
}

bool ReadIniBool(std::string_view section, std::string_view key, bool defaultValue, const std::string& file)
{
    return ReadIniBool(section, key, defaultValue, LoadOrEmpty(file));
}

std::uint16_t ReadIniWord(std::string_view section, std::string_view key, std::uint16_t defaultValue,
                          const CIniFile& ini)
{
    return InRange<std::uint16_t>(FindDecimal(ini, section, key), defaultValue, 0, 65535, false);
}

std::uint16_t ReadIniWord(std::string_view section, std::string_view key, std::uint16_t defaultValue,
                          const std::string& file)
{
    return ReadIniWord(section, key, defaultValue, LoadOrEmpty(file));
}

std::int32_t ReadIniLong(std::string_view section, std::string_view key, std::int32_t defaultValue, const CIniFile& ini)
{
    return InRange<std::int32_t>(FindDecimal(ini, section, key), defaultValue, INT32_MIN, INT32_MAX, false);
}

std::int32_t ReadIniLong(std::string_view section, std::string_view key, std::int32_t defaultValue,
                         const std::string& file)
{
    return ReadIniLong(section, key, defaultValue, LoadOrEmpty(file));
}

std::uint32_t ReadIniIntInRange(std::string_view section, std::string_view key, std::uint32_t defaultValue,
                                const CIniFile& ini, std::uint32_t minimum, std::uint32_t maximum, bool clamp)
{
    return InRange(FindDecimal(ini, section, key), defaultValue, minimum, maximum, clamp);
}

std::uint32_t ReadIniIntInRange(std::string_view section, std::string_view key, std::uint32_t defaultValue,
                                const std::string& file, std::uint32_t minimum, std::uint32_t maximum, bool clamp)
{
    return ReadIniIntInRange(section, key, defaultValue, LoadOrEmpty(file), minimum, maximum, clamp);
}

std::int32_t ReadIniSignedInRange(std::string_view section, std::string_view key, std::int32_t defaultValue,
                                  const CIniFile& ini, std::int32_t minimum, std::int32_t maximum, bool clamp)
{
    return InRange(FindDecimal(ini, section, key), defaultValue, minimum, maximum, clamp);
}

std::int32_t ReadIniSignedInRange(std::string_view section, std::string_view key, std::int32_t defaultValue,
                                  const std::string& file, std::int32_t minimum, std::int32_t maximum, bool clamp)
{
    return ReadIniSignedInRange(section, key, defaultValue, LoadOrEmpty(file), minimum, maximum, clamp);
}

std::uint32_t ReadIniColor(std::string_view section, std::string_view key, std::uint32_t defaultValue,
                           const CIniFile& ini)
{
    const std::string* text = ini.Find(section, key);
    std::uint64_t value = 0;
    if (!text || !ParseIniHex(*text, value) || value > 0xFFFFFF)
        return defaultValue;
    return static_cast<std::uint32_t>(value);
}

std::uint32_t ReadIniColor(std::string_view section, std::string_view key, std::uint32_t defaultValue,
                           const std::string& file)
{
    return ReadIniColor(section, key, defaultValue, LoadOrEmpty(file));
}

IniIpv4Address ReadIniIpAddress(std::string_view section, std::string_view key, const CIniFile& ini)
{
    IniIpv4Address address{};
    const std::string* text = ini.Find(section, key);
    if (text)
        ParseIniIpv4(*text, address);
    return address;
}

IniIpv4Address ReadIniIpAddress(std::string_view section, std::string_view key, const std::string& file)
{
    return ReadIniIpAddress(section, key, LoadOrEmpty(file));
}

IniIpRange ReadIniIpRange(std::string_view section, std::string_view key, const CIniFile& ini, bool ascending)
{
    const std::string* text = ini.Find(section, key);
    if (!text)
        return {};
    const size_t comma = text->find(',');
    if (comma == std::string::npos)
        return {};
    IniIpRange range;
    const std::string_view whole(*text);
    if (!ParseIniIpv4(TrimIniText(whole.substr(0, comma)), range.first) ||
        !ParseIniIpv4(TrimIniText(whole.substr(comma + 1)), range.last))
        return {};
    if (ascending && range.last < range.first)
        std::swap(range.first, range.last);
    return range;
}

IniIpRange ReadIniIpRange(std::string_view section, std::string_view key, const std::string& file, bool ascending)
{
    return ReadIniIpRange(section, key, LoadOrEmpty(file), ascending);
}

FontSpec ReadIniFont(std::string_view section, std::string_view key, std::string_view defaultSpec, const CIniFile& ini)
{
    FontSpec font;
    const std::string* text = ini.Find(section, key);
    if (text && CreateFontFromSpec(*text, font))
        return font;
    CreateFontFromSpec(std::string(defaultSpec), font);
    return font;
}

FontSpec ReadIniFont(std::string_view section, std::string_view key, std::string_view defaultSpec,
                     const std::string& file)
{
    return ReadIniFont(section, key, defaultSpec, LoadOrEmpty(file));
}
