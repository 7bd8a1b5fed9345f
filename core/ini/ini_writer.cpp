#include "core/ini/ini_writer.h"

#include "core/ini/file_path.h"
#include "core/ini/file_replacement.h"
#include "core/ini/ini_file.h"

#include <cctype>
#include <string_view>

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// The section name of a header line, or nullopt when the line is no header.
std::optional<std::string_view> HeaderName(std::string_view line)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    size_t close = line.find(']');
    // As the reader: text after the closing bracket makes the line no header.
    if (close == std::string_view::npos || !Trim(line.substr(close + 1)).empty())
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

std::optional<std::string_view> KeyName(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '[')
        return std::nullopt;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(0, eq));
}

// A value can never start another line of the file.
std::string OneLine(const std::string& value)
{
    std::string out = value;
    for (char& c : out) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

// A section may appear in several blocks, which the reader joins: the key is changed wherever it stands, its first
// line (the one the reader finds) takes the value and later ones go.
void ApplyEdit(std::vector<std::string>& lines, const IniEdit& edit)
{
    const std::string newLine = edit.key + "=" + (edit.value ? OneLine(*edit.value) : std::string());
    std::optional<size_t> firstBlockEnd; // the line after the last non-blank line of the section's first block
    bool inSection = false;
    bool written = false;
    for (size_t i = 0; i < lines.size();) {
        if (auto name = HeaderName(lines[i])) {
            const bool wasInFirstBlock = inSection && !firstBlockEnd;
            if (wasInFirstBlock) {
                size_t at = i;
                while (!HeaderName(lines[at - 1]) && Trim(lines[at - 1]).empty())
                    --at;
                firstBlockEnd = at;
            }
            inSection = IniNameEquals(*name, edit.section);
            ++i;
            continue;
        }
        auto key = inSection ? KeyName(lines[i]) : std::nullopt;
        if (key && IniNameEquals(*key, edit.key)) {
            if (edit.value && !written) {
                lines[i] = newLine;
                written = true;
            } else {
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
        }
        ++i;
    }
    if (inSection && !firstBlockEnd) {
        size_t at = lines.size();
        while (!HeaderName(lines[at - 1]) && Trim(lines[at - 1]).empty())
            --at;
        firstBlockEnd = at;
    }
    if (!edit.value || written)
        return;
    if (firstBlockEnd) {
        // Nothing was erased, so the position still holds.
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*firstBlockEnd), newLine);
        return;
    }
    if (!lines.empty() && !Trim(lines.back()).empty())
        lines.emplace_back();
    lines.push_back("[" + edit.section + "]");
    lines.push_back(newLine);
}

} // namespace

std::string EditedIniText(std::string text, const std::vector<IniEdit>& edits)
{
    // A byte order mark stays in front of the file; kept on the first line it would hide the first section.
    const std::string bom = text.rfind("\xEF\xBB\xBF", 0) == 0 ? "\xEF\xBB\xBF" : "";
    text.erase(0, bom.size());
    const bool crlf = text.find("\r\n") != std::string::npos;
    const bool finalNewline = text.empty() || text.back() == '\n';

    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        std::string line = text.substr(pos, eol == std::string::npos ? std::string::npos : eol - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        pos = eol == std::string::npos ? text.size() : eol + 1;
    }
    for (const auto& edit : edits)
        ApplyEdit(lines, edit);

    std::string out = bom;
    const char* eol = crlf ? "\r\n" : "\n";
    for (size_t i = 0; i < lines.size(); ++i) {
        out += lines[i];
        if (i + 1 < lines.size() || finalNewline)
            out += eol;
    }
    return out;
}

bool WriteIniEdits(const std::string& path, const std::vector<IniEdit>& edits, std::string* error)
{
    CFileReplacement file;
    std::string text;
    return file.Lock(ResolveFilePath(path), CFileReplacement::kCreate, error) && file.Read(&text, error) &&
           file.Replace(EditedIniText(text, edits), file.Mode(), error);
}

bool ReplaceIniFile(const std::string& path, const std::vector<IniEdit>& edits, mode_t mode, std::string* error)
{
    CFileReplacement file;
    return file.Lock(path, CFileReplacement::kCreate, error) && file.Replace(EditedIniText({}, edits), mode, error);
}

bool WriteIniValue(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value, std::string* error)
{
    return WriteIniEdits(path, {{section, key, value}}, error);
}
