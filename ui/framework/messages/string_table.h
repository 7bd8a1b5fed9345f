#pragma once
// The string table: every text the operator reads, by its numeric id. The texts live in a data file of lines
// "id<TAB>name<TAB>text" (resources/strings/strings.tsv); the name is the text's constant in the program (kStr<name>,
// generated into ui/framework/messages/string_ids.h) and is not kept here. In the text "\n" is a line feed, "\r" a
// carriage return, "\t" a tab and "\\" a backslash. Blank lines and lines starting with "#" are comments. A malformed
// line is reported with its number and skipped; the rest of the file still loads.

#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

struct StringTableLoadResult {
    bool read = false;               // false: the file could not be opened
    std::vector<std::string> faults; // "<file>:<line>: <reason>"
};

class CStringTable {
public:
    // Adds the lines of a file to the table; a later line of an id replaces an earlier one (reported as a fault).
    StringTableLoadResult Load(const std::string& path);
    // The same for text in the file's format; `origin` names it in faults.
    std::vector<std::string> Parse(std::string_view content, const std::string& origin);

    void Clear() { texts_.clear(); }
    bool Has(uint32_t id) const { return texts_.count(id) != 0; }
    // The text (UTF-8), null when the id has none.
    const std::string* Find(uint32_t id) const;
    size_t Count() const { return texts_.size(); }

private:
    std::map<uint32_t, std::string> texts_;
};

// The program's table. On first use it loads resources/strings/strings.tsv from the working directory or from the
// program's folder and the folders above it, unless LoadAppStrings has loaded one before.
CStringTable& AppStrings();
// Replaces the program's table by the file's texts.
StringTableLoadResult LoadAppStrings(const std::string& path);

// The text of an id from the program's table, empty when the id has none.
std::string LoadString(uint32_t id);
QString LoadQString(uint32_t id);
// The text of an id, or the fallback (UTF-8) when the id has none.
QString LoadQString(uint32_t id, const char* fallback);
