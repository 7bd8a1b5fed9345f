#pragma once
// Changes keys of an INI file in place, as the platform's profile-string writer does: every line that is not changed
// stays as it was (comments, order, line endings), a missing section or key is created, and the file on disk is never
// left half-written: the new text goes to a temporary file that is then renamed over the old one. Writers of one file
// take turns, so that none loses another's keys, and a symbolic link is written through (file_replacement.h).

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

struct IniEdit {
    std::string section;
    std::string key;
    std::optional<std::string> value; // nullopt removes the key
};

// The text with the edits applied in order, its line endings, byte order mark and final newline kept as found.
std::string EditedIniText(std::string text, const std::vector<IniEdit>& edits);

// Applies the edits in order and writes the file once. False (and *error naming the file) when it cannot be written;
// the old file is then untouched.
bool WriteIniEdits(const std::string& path, const std::vector<IniEdit>& edits, std::string* error = nullptr);

// One key; the same guarantees.
bool WriteIniValue(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value, std::string* error = nullptr);

// A file that holds the edits' keys only, in place of any old one, with the permission bits `mode`; the same
// guarantees.
bool ReplaceIniFile(const std::string& path, const std::vector<IniEdit>& edits, mode_t mode,
                    std::string* error = nullptr);
