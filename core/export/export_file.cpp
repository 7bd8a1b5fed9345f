#include "core/export/export_file.h"

#include "core/config/ini_writers.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

constexpr std::string_view kFieldNameLine = "\"SEQ\"";
constexpr size_t kInfoValueMax = 128;

std::string Trimmed(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return std::string(text.substr(begin, end - begin));
}

// At most `max` bytes, not ending inside a UTF-8 sequence.
std::string CutUtf8(const std::string& text, size_t max)
{
    if (text.size() <= max)
        return text;
    size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

bool IsWritten(const ExportTable& table, size_t column)
{
    return column >= table.written.size() || table.written[column];
}

std::string SystemError(const std::string& file)
{
    return file + ": " + std::strerror(errno);
}

bool WriteDataFile(const ExportRequest& request, const ExportTable& table, std::string* error)
{
    std::ofstream out(request.dataPath, std::ios::binary | (request.append ? std::ios::app : std::ios::trunc));
    if (!out) {
        *error = SystemError(request.dataPath);
        return false;
    }
    const char delimiter = request.delimiter;
    if (request.writeTitle) {
        out << request.title << '\n';
        out << kFieldNameLine;
        for (size_t c = 0; c < table.titles.size(); ++c) {
            if (IsWritten(table, c))
                out << delimiter << QuoteExportField(table.titles[c]);
        }
        out << '\n';
    }
    static const std::string kNoCell;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<std::string>& cells = table.rows[r];
        out << (r + 1);
        for (size_t c = 0; c < table.titles.size(); ++c) {
            if (IsWritten(table, c))
                out << delimiter << QuoteExportField(c < cells.size() ? cells[c] : kNoCell);
        }
        out << '\n';
    }
    out.close();
    if (!out) {
        *error = request.dataPath + ": the file could not be written";
        return false;
    }
    return true;
}

// Whether a header file can be put at the path: its folder takes a new file and nothing but a file stands there.
bool CanWriteHeaderFile(const std::string& path, std::string* error)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        *error = path + ": not a file";
        return false;
    }
    std::string probe = path + ".XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) {
        *error = SystemError(path);
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

// The header is replaced whole, never left half-written, and may be read by whoever may read the data file.
bool WriteHeaderFile(const std::string& path, const std::string& dataPath, const std::vector<IniEdit>& edits,
                     std::string* error)
{
    struct stat data {};
    if (::stat(dataPath.c_str(), &data) != 0) {
        *error = SystemError(dataPath);
        return false;
    }
    return ReplaceIniFile(path, edits, data.st_mode & 0777, error);
}

} // namespace

std::string QuoteExportField(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

ExportOutcome WriteExportFiles(const ExportRequest& request, const ExportTable& table)
{
    ExportOutcome outcome;
    size_t written = 0;
    for (size_t c = 0; c < table.titles.size(); ++c) {
        if (IsWritten(table, c))
            ++written;
    }
    // A data file written without its header would be left undescribed (and written again on the next try): the
    // header's place is checked before any data is.
    if (!CanWriteHeaderFile(request.headerPath, &outcome.error)) {
        outcome.status = ExportStatus::HeaderFileFailed;
        return outcome;
    }
    if (!WriteDataFile(request, table, &outcome.error)) {
        outcome.status = ExportStatus::DataFileFailed;
        return outcome;
    }
    // Appended or not, the header describes this export: its rows, numbered from 1.
    outcome.recordCount = table.rows.size();
    outcome.fieldCount = written + 1;

    std::vector<IniEdit> edits;
    for (const ExportInfoItem& item : request.info)
        edits.push_back(IniStringEdit("EXPORTINFO", item.key, CutUtf8(item.value, kInfoValueMax)));
    edits.push_back(IniIntEdit("HEADER", "FIELDCNT", outcome.fieldCount));
    edits.push_back(IniIntEdit("HEADER", "RECORDCNT", outcome.recordCount));
    edits.push_back(IniStringEdit("HEADER", "DELIMITER", std::string(1, request.delimiter)));
    edits.push_back(IniStringEdit("HEADER", "FILED0", "SEQ"));
    size_t field = 0;
    for (size_t c = 0; c < table.titles.size(); ++c) {
        if (IsWritten(table, c))
            edits.push_back(IniStringEdit("HEADER", "FIELD" + std::to_string(++field), Trimmed(table.titles[c])));
    }
    if (!WriteHeaderFile(request.headerPath, request.dataPath, edits, &outcome.error))
        outcome.status = ExportStatus::HeaderFileFailed;
    return outcome;
}
