#include "ui/framework/messages/string_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace {

constexpr char kTablePath[] = "resources/strings/strings.tsv";

// Undoes the escapes of a text; false on a backslash that starts no known escape.
bool Unescape(std::string_view text, std::string& out)
{
    out.clear();
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            return false;
        switch (text[++i]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            return false;
        }
    }
    return true;
}

// A text's name: a capital letter, then letters and digits, as the name of its constant goes on.
bool IsTextName(std::string_view name)
{
    const auto isLetterOrDigit = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    return !name.empty() && name.front() >= 'A' && name.front() <= 'Z' &&
           std::all_of(name.begin(), name.end(), isLetterOrDigit);
}

std::string Fault(const std::string& origin, size_t line, const std::string& reason)
{
    return origin + ":" + std::to_string(line) + ": " + reason;
}

bool loadedOnce = false;

CStringTable& Table()
{
    static CStringTable table;
    return table;
}

// The table file beside the working directory or the program, if there is one.
std::string FindTableFile()
{
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance() != nullptr) {
        QDir dir(QCoreApplication::applicationDirPath());
        for (int up = 0; up < 4; ++up) {
            folders.append(dir.absolutePath());
            if (!dir.cdUp())
                break;
        }
    }
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(kTablePath));
        if (file.isFile())
            return file.absoluteFilePath().toStdString();
    }
    return {};
}

} // namespace

std::vector<std::string> CStringTable::Parse(std::string_view content, const std::string& origin)
{
    std::vector<std::string> faults;
    size_t lineNumber = 0;
    while (!content.empty()) {
        ++lineNumber;
        const size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            faults.push_back(Fault(origin, lineNumber, "no tab after the id"));
            continue;
        }
        uint32_t id = 0;
        const std::string_view idText = line.substr(0, tab);
        const auto [next, error] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (idText.empty() || error != std::errc() || next != idText.data() + idText.size()) {
            faults.push_back(Fault(origin, lineNumber, "bad id \"" + std::string(idText) + "\""));
            continue;
        }
        const std::string_view rest = line.substr(tab + 1);
        const size_t nameEnd = rest.find('\t');
        if (nameEnd == std::string_view::npos) {
            faults.push_back(Fault(origin, lineNumber, "no tab after the name of " + std::to_string(id)));
            continue;
        }
        if (!IsTextName(rest.substr(0, nameEnd))) {
            faults.push_back(Fault(origin, lineNumber, "bad name \"" + std::string(rest.substr(0, nameEnd)) + "\""));
            continue;
        }
        std::string text;
        if (!Unescape(rest.substr(nameEnd + 1), text)) {
            faults.push_back(Fault(origin, lineNumber, "bad escape in the text of " + std::to_string(id)));
            continue;
        }
        if (Has(id))
            faults.push_back(Fault(origin, lineNumber, "id " + std::to_string(id) + " given again"));
        texts_[id] = std::move(text);
    }
    return faults;
}

StringTableLoadResult CStringTable::Load(const std::string& path)
{
    StringTableLoadResult result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.faults.push_back(path + ": cannot be read");
        return result;
    }
    std::ostringstream content;
    content << in.rdbuf();
    result.read = true;
    result.faults = Parse(content.str(), path);
    return result;
}

const std::string* CStringTable::Find(uint32_t id) const
{
    const auto found = texts_.find(id);
    return found == texts_.end() ? nullptr : &found->second;
}

CStringTable& AppStrings()
{
    if (!loadedOnce) {
        loadedOnce = true;
        const std::string path = FindTableFile();
        if (!path.empty()) {
            for (const std::string& fault : Table().Load(path).faults)
                qWarning("string table: %s", fault.c_str());
        }
    }
    return Table();
}

StringTableLoadResult LoadAppStrings(const std::string& path)
{
    loadedOnce = true;
    CStringTable fresh;
    StringTableLoadResult result = fresh.Load(path);
    if (result.read)
        Table() = std::move(fresh);
    return result;
}

std::string LoadString(uint32_t id)
{
    const std::string* text = AppStrings().Find(id);
    return text ? *text : std::string();
}

QString LoadQString(uint32_t id)
{
    return QString::fromStdString(LoadString(id));
}

QString LoadQString(uint32_t id, const char* fallback)
{
    const std::string* text = AppStrings().Find(id);
    return QString::fromUtf8(text != nullptr ? text->c_str() : fallback);
}
