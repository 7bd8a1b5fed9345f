#pragma once
// The value syntaxes of configuration texts, shared by the typed readers and the small parsers built on them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// A decimal number with an optional sign and nothing else. False for empty text or any other character ("12abc").
// A number beyond the 64-bit range saturates, so that range checks still see it on the right side.
bool ParseIniDecimal(std::string_view text, std::int64_t& value);

// A hexadecimal number with an optional "0x"/"0X" prefix and nothing else; saturates like ParseIniDecimal.
bool ParseIniHex(std::string_view text, std::uint64_t& value);

// A dotted IPv4 address: four decimal numbers 0..255 of at most three digits, nothing else.
bool ParseIniIpv4(std::string_view text, std::array<std::uint8_t, 4>& address);

// The text cut to at most maxBytes bytes. A cut never splits a UTF-8 character: it moves back to the character's start.
std::string CutIniText(std::string_view text, size_t maxBytes);

// Blanks removed from both ends.
std::string_view TrimIniText(std::string_view text);
