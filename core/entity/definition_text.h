#pragma once
// The value syntax shared by the definition files: numbers (decimal, or hexadecimal with "0x"; keys marked hex also
// without it), comma-separated lists whose entries may be blank, and reals.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string_view TrimDefinitionText(std::string_view text);

// An unsigned number; saturates at UINT64_MAX. nullopt for empty text, a sign or any character that does not belong.
std::optional<uint64_t> ParseDefinitionNumber(std::string_view text, bool hex = false);

// A signed decimal integer in the range of int; nullopt otherwise.
std::optional<int> ParseDefinitionInt(std::string_view text);

// A real written in decimal; nullopt when the text is not a finite number.
std::optional<float> ParseDefinitionReal(std::string_view text);

// Splits at a separator; entries are trimmed and may be empty. An empty text gives no entries.
std::vector<std::string_view> SplitDefinitionList(std::string_view text, char separator = ',');
// The same into a vector kept by the caller, so that a loader splitting many lists keeps one allocation.
void SplitDefinitionList(std::string_view text, char separator, std::vector<std::string_view>& entries);
