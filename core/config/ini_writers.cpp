#include "core/config/ini_writers.h"

#include <cctype>

namespace {

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The reader trims blanks and drops one pair of surrounding quotes; quoting such a text keeps it intact.
std::string StoredText(std::string_view text)
{
    std::string value(text);
    for (char& c : value) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    if (value.empty())
        return {};
    const bool blankEnds = IsBlank(value.front()) || IsBlank(value.back());
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (blankEnds || quoted)
        return "\"" + value + "\"";
    return value;
}

} // namespace

IniEdit IniIntEdit(const std::string& section, const std::string& key, unsigned long value)
{
    return {section, key, std::to_string(value)};
}

IniEdit IniBoolEdit(const std::string& section, const std::string& key, bool value)
{
    return {section, key, std::string(value ? "1" : "0")};
}

IniEdit IniStringEdit(const std::string& section, const std::string& key, std::string_view value)
{
    return {section, key, StoredText(value)};
}

bool WriteIniInt(const std::string& section, const std::string& key, unsigned long value, const std::string& file,
                 std::string* error)
{
    return WriteIniEdits(file, {IniIntEdit(section, key, value)}, error);
}

bool WriteIniBool(const std::string& section, const std::string& key, bool value, const std::string& file,
                  std::string* error)
{
    return WriteIniEdits(file, {IniBoolEdit(section, key, value)}, error);
}

bool WriteIniString(const std::string& section, const std::string& key, std::string_view value, const std::string& file,
                    std::string* error)
{
    return WriteIniEdits(file, {IniStringEdit(section, key, value)}, error);
}
