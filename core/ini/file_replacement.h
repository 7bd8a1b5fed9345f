#pragma once
// Replacing a configuration file whole, safe against interruption and against other writers.
//
// A writer locks the file (an exclusive flock on the file itself, taken anew when the file was replaced while it
// waited), reads it and replaces it: the new text goes to a temporary file beside it, named "<name>.tmp-tarvik-"
// and six letters or digits, which is synced and renamed over the file. Writers of one file thus take turns and
// none loses another's update, and readers find the old text or the new one, never a mix. An interrupted write
// leaves only its temporary file, which the next writer or reader of the file removes. A symbolic link is written
// through: its target is replaced and the link stays.
//
//   CFileReplacement file;
//   std::string text;
//   if (file.Lock(path, CFileReplacement::kCreate, &error) && file.Read(&text, &error))
//       ok = file.Replace(Changed(text), file.Mode(), &error);

#include <string>
#include <string_view>
#include <sys/types.h>

class CFileReplacement {
public:
    enum Missing { kCreate, kFail };

    CFileReplacement() = default;
    ~CFileReplacement();
    CFileReplacement(const CFileReplacement&) = delete;
    CFileReplacement& operator=(const CFileReplacement&) = delete;

    // Locks the file that `path` names, waiting while another writer holds it. A missing file is created empty
    // (kCreate) or refused (kFail). False with *error naming `path`.
    bool Lock(const std::string& path, Missing missing, std::string* error);

    // The file's text as it is under the lock.
    bool Read(std::string* text, std::string* error) const;

    // The permission bits the file had; those of a new file for one that Lock created.
    mode_t Mode() const { return mode_; }

    // Writes `text` in place of the file, with the permission bits `mode`. False with *error; the old file is
    // then as it was, and one that Lock created is removed again.
    bool Replace(const std::string& text, mode_t mode, std::string* error);

private:
    bool TakeLock(const std::string& path, Missing missing, bool wait, std::string* error);
    void RemoveInterruptedWrites() const;
    void Unlock();

    friend void RemoveInterruptedWrites(const std::string& path);

    std::string path_;   // as the caller named it, for messages
    std::string target_; // the file itself, symbolic links followed
    int fd_ = -1;
    bool created_ = false;
    mode_t mode_ = 0;
};

// Removes the temporary files that interrupted writes left beside the file `path` names; nothing while a writer is
// at work on it, and never a file of another name.
void RemoveInterruptedWrites(const std::string& path);

// Whether `entry` is the name of a temporary that mkstemp made beside the file `fileName` as "<fileName><mark>" and six
// letters or digits.
bool IsTemporaryNameOf(const std::string& entry, const std::string& fileName, std::string_view mark);
