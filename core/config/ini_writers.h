#pragma once
// Typed writers of configuration keys. Each write changes the file on disk at once and keeps every other line; the
// file is never left half-written (the new text replaces the old file whole). A missing file or section is created.
// False, with *error naming the file, when the file cannot be written; the old file is then unchanged.

#include "core/ini/ini_writer.h"

#include <string>
#include <string_view>

// The value in decimal ("%lu").
bool WriteIniInt(const std::string& section, const std::string& key, unsigned long value, const std::string& file,
                 std::string* error = nullptr);

// "1" or "0".
bool WriteIniBool(const std::string& section, const std::string& key, bool value, const std::string& file,
                  std::string* error = nullptr);

// The text as it will read back: a text that the reader would change (blanks at either end, or a pair of surrounding
// quotes) is written inside double quotes. Line breaks cannot be kept in a key and become blanks.
bool WriteIniString(const std::string& section, const std::string& key, std::string_view value, const std::string& file,
                    std::string* error = nullptr);

// The same values as edits, for writing several keys in one replacement of the file (WriteIniEdits).
IniEdit IniIntEdit(const std::string& section, const std::string& key, unsigned long value);
IniEdit IniBoolEdit(const std::string& section, const std::string& key, bool value);
IniEdit IniStringEdit(const std::string& section, const std::string& key, std::string_view value);
