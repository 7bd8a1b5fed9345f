#pragma once
// An INI file read whole, with the platform's profile-string rules: section and key names compare without regard to
// case, values are trimmed and lose one pair of surrounding quotes, ";" starts a comment line, and the first of
// repeated keys wins. An absent key is told from an empty one.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CIniFile {
public:
    struct Entry {
        std::string key;
        std::string value;
        int line = 0; // 1-based line in the file
    };
    struct Section {
        std::string name;
        int line = 0;
        std::vector<Entry> entries; // in file order; a repeated key is kept but never found
    };
    // A section header line; a repeated header continues the section it names.
    struct Header {
        int line = 0;
        size_t section = 0; // index in Sections()
        std::string name;   // as written on this line
    };
    // A line that is no section header, key=value pair, comment or blank line.
    struct Fault {
        int line = 0;
        std::string text;
    };

    // Parses text; never fails: malformed lines are collected in Faults().
    static CIniFile Parse(std::string_view text);

    // Reads and parses a file; nullopt when it cannot be opened or read (error says why, naming the file).
    static std::optional<CIniFile> Load(const std::string& path, std::string* error = nullptr);

    // The value of a key, or null when the section or the key is absent.
    const std::string* Find(std::string_view section, std::string_view key) const;
    const Entry* FindEntry(std::string_view section, std::string_view key) const;
    const Section* FindSection(std::string_view section) const;

    const std::vector<Section>& Sections() const { return sections_; }
    const std::vector<Header>& Headers() const { return headers_; } // in file order
    const std::vector<Fault>& Faults() const { return faults_; }

private:
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> sectionIndex_; // by lower-case name: files of many sections load fast
    std::vector<Header> headers_;
    std::vector<Fault> faults_;
};

// Case-insensitive ASCII comparison used for section and key names.
bool IniNameEquals(std::string_view a, std::string_view b);
