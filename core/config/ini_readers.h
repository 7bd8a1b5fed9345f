#pragma once
// Typed readers of configuration keys. Every reader takes (section, key, default, file) and comes in two forms: one
// reads the file named by a path (an absent or unreadable file reads as a file without keys, so every reader gives its
// default), the other reads an already parsed file. Section and key names compare without regard to case. A key that
// is absent and a key whose text is empty are told apart: only the string readers return an empty text, the other
// readers give their default for both.

#include "core/config/font_spec.h"
#include "core/ini/ini_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The classic default that tells an absent key from an empty one: ReadIniString returns it only for an absent key.
inline constexpr std::string_view kIniAbsentKey = "()@#DLG@#$LK!@#$%^&CMDKWELD^!";

// The longest text a string key gives.
inline constexpr size_t kIniMaxStringLength = 511;

using IniIpv4Address = std::array<std::uint8_t, 4>; // first number first

struct IniIpRange {
    IniIpv4Address first{};
    IniIpv4Address last{};
};

// Text of the key, at most 511 characters; the default when the key is absent.
std::string ReadIniString(std::string_view section, std::string_view key, std::string_view defaultText,
                          const std::string& file);
std::string ReadIniString(std::string_view section, std::string_view key, std::string_view defaultText,
                          const CIniFile& ini);
// Without a default: nullopt when the key is absent.
std::optional<std::string> ReadIniString(std::string_view section, std::string_view key, std::nullopt_t,
                                         const std::string& file);
std::optional<std::string> ReadIniString(std::string_view section, std::string_view key, std::nullopt_t,
                                         const CIniFile& ini);

// As ReadIniString, cut to n-1 characters (a buffer of n characters with its terminator); n = 0 gives "".
std::string ReadIniStringN(std::string_view section, std::string_view key, std::string_view defaultText,
                           const std::string& file, size_t n);
std::string ReadIniStringN(std::string_view section, std::string_view key, std::string_view defaultText,
                           const CIniFile& ini, size_t n);

// "1", "ON", "YES", "TRUE", "OK" are true; "0", "OFF", "NO", "FALSE" false (any case); anything else the default.
bool ReadIniBool(std::string_view section, std::string_view key, bool defaultValue, const std::string& file);
bool ReadIniBool(std::string_view section, std::string_view key, bool defaultValue, const CIniFile& ini);

// A decimal number 0..65535, else the default.
std::uint16_t ReadIniWord(std::string_view section, std::string_view key, std::uint16_t defaultValue,
                          const std::string& file);
std::uint16_t ReadIniWord(std::string_view section, std::string_view key, std::uint16_t defaultValue,
                          const CIniFile& ini);

// A signed 32-bit decimal number, else the default.
std::int32_t ReadIniLong(std::string_view section, std::string_view key, std::int32_t defaultValue,
                         const std::string& file);
std::int32_t ReadIniLong(std::string_view section, std::string_view key, std::int32_t defaultValue,
                         const CIniFile& ini);

// An unsigned decimal number; a number outside [minimum, maximum] gives the nearer bound when clamp is set, else the
// default; an absent key or a text that is not a number gives the default. A negative number lies below any minimum.
std::uint32_t ReadIniIntInRange(std::string_view section, std::string_view key, std::uint32_t defaultValue,
                                const std::string& file, std::uint32_t minimum, std::uint32_t maximum, bool clamp);
std::uint32_t ReadIniIntInRange(std::string_view section, std::string_view key, std::uint32_t defaultValue,
                                const CIniFile& ini, std::uint32_t minimum, std::uint32_t maximum, bool clamp);

// The same for signed numbers.
std::int32_t ReadIniSignedInRange(std::string_view section, std::string_view key, std::int32_t defaultValue,
                                  const std::string& file, std::int32_t minimum, std::int32_t maximum, bool clamp);
std::int32_t ReadIniSignedInRange(std::string_view section, std::string_view key, std::int32_t defaultValue,
                                  const CIniFile& ini, std::int32_t minimum, std::int32_t maximum, bool clamp);

// A colour value (0x00BBGGRR, red in the low byte) written in hexadecimal with or without "0x", 0..0xFFFFFF; anything
// else the default.
std::uint32_t ReadIniColor(std::string_view section, std::string_view key, std::uint32_t defaultValue,
                           const std::string& file);
std::uint32_t ReadIniColor(std::string_view section, std::string_view key, std::uint32_t defaultValue,
                           const CIniFile& ini);

// A dotted IPv4 address; 0.0.0.0 when the key is absent or holds no address.
IniIpv4Address ReadIniIpAddress(std::string_view section, std::string_view key, const std::string& file);
IniIpv4Address ReadIniIpAddress(std::string_view section, std::string_view key, const CIniFile& ini);

// Two addresses written "first,last"; 0.0.0.0 for both when the key is absent or either part is no address. With
// ascending set, a pair whose first address lies above the last is swapped.
IniIpRange ReadIniIpRange(std::string_view section, std::string_view key, const std::string& file, bool ascending);
IniIpRange ReadIniIpRange(std::string_view section, std::string_view key, const CIniFile& ini, bool ascending);

// A font spec ("Arial,80,B"); the default spec when the key is absent or its text is no font. An unusable default
// gives a font without a face.
FontSpec ReadIniFont(std::string_view section, std::string_view key, std::string_view defaultSpec,
                     const std::string& file);
FontSpec ReadIniFont(std::string_view section, std::string_view key, std::string_view defaultSpec, const CIniFile& ini);
