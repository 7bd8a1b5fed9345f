#include "core/ini/ini_file.h"

#include "core/ini/file_path.h"
#include "core/ini/file_replacement.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string_view Trim(std::string_view s)
{
    size_t begin = 0;
    while (begin < s.size() && std::isspace(static_cast<unsigned char>(s[begin])))
        ++begin;
    size_t end = s.size();
    while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1])))
        --end;
    return s.substr(begin, end - begin);
}

std::string_view Unquote(std::string_view s)
{
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

std::string Lower(std::string_view s)
{
    std::string lower(s);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

} // namespace

bool IniNameEquals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

CIniFile CIniFile::Parse(std::string_view text)
{
    CIniFile ini;
    // The entries are gathered first and then stored section by section, each section's allocated once: files of
    // many entries would otherwise move them again at every growth.
    struct PendingEntry {
        size_t section;
        int line;
        std::string_view key;
        std::string_view value;
    };
    std::vector<PendingEntry> pending;
    constexpr size_t kNoSection = static_cast<size_t>(-1);
    size_t current = kNoSection;
    int lineNo = 0;
    size_t pos = 0;
    // A UTF-8 byte order mark would otherwise spoil the first section name.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        pos = 3;
    while (pos <= text.size()) {
        size_t eol = text.find('\n', pos);
        std::string_view raw = text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = eol == std::string_view::npos ? text.size() + 1 : eol + 1;
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            if (close == std::string_view::npos || !Trim(line.substr(close + 1)).empty()) {
                ini.faults_.push_back({lineNo, std::string(raw)});
                continue;
            }
            std::string_view name = Trim(line.substr(1, close - 1));
            // A repeated section header continues the first one.
            auto [at, added] = ini.sectionIndex_.emplace(Lower(name), ini.sections_.size());
            if (added)
                ini.sections_.push_back({std::string(name), lineNo, {}});
            ini.headers_.push_back({lineNo, at->second, std::string(name)});
            current = at->second;
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string_view::npos || current == kNoSection || Trim(line.substr(0, eq)).empty()) {
            ini.faults_.push_back({lineNo, std::string(raw)});
            continue;
        }
        pending.push_back({current, lineNo, Trim(line.substr(0, eq)), Unquote(Trim(line.substr(eq + 1)))});
    }
    std::vector<size_t> counts(ini.sections_.size(), 0);
    for (const auto& p : pending)
        ++counts[p.section];
    for (size_t i = 0; i < counts.size(); ++i)
        ini.sections_[i].entries.reserve(counts[i]);
    for (const auto& p : pending)
        ini.sections_[p.section].entries.push_back({std::string(p.key), std::string(p.value), p.line});
    return ini;
}

std::optional<CIniFile> CIniFile::Load(const std::string& path, std::string* error)
{
    const std::string resolved = ResolveFilePath(path);
    std::error_code ec;
    // A directory opens like a file and would read as an empty one.
    if (std::filesystem::is_directory(resolved, ec)) {
        if (error)
            *error = "cannot read " + path + ": " + std::strerror(EISDIR);
        return std::nullopt;
    }
    std::ifstream in(resolved, std::ios::binary);
    if (!in) {
        if (error)
            *error = "cannot open " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        if (error)
            *error = "cannot read " + path;
        return std::nullopt;
    }
    // What writes killed part-way left beside the file goes when the file is next read, at the program's start.
    RemoveInterruptedWrites(resolved);
    return Parse(buffer.str());
}

const CIniFile::Section* CIniFile::FindSection(std::string_view section) const
{
    auto at = sectionIndex_.find(Lower(section));
    return at == sectionIndex_.end() ? nullptr : &sections_[at->second];
}

const CIniFile::Entry* CIniFile::FindEntry(std::string_view section, std::string_view key) const
{
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    for (const auto& e : s->entries) {
        if (IniNameEquals(e.key, key))
            return &e;
    }
    return nullptr;
}

const std::string* CIniFile::Find(std::string_view section, std::string_view key) const
{
    const Entry* e = FindEntry(section, key);
    return e ? &e->value : nullptr;
}
