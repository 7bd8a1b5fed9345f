#pragma once
// The local file a download fills. It is written under a temporary name beside its target, "<name>.part-tarvik-" and
// six letters or digits, and takes the target's place only when the download is complete and checked: a download
// that fails, is aborted or dies with its process never leaves part of a file under the target's name, and the file
// that was there stays as it was until the new one replaces it whole.
//
// The temporary is locked while it is written; one whose writer is gone (its process was killed) is removed by the
// next download to the same target.
//
//     CDownloadFile file;
//     if (!file.Create(path, &error))
//         return Fail(error);
//     Fill(file.Stream());
//     if (!file.Finish(&error) || !Sound(file.TemporaryPath()) || !file.Commit(&error))
//         return Fail(error); // the temporary goes with `file`

#include <cstdio>
#include <string>

class CDownloadFile {
public:
    CDownloadFile() = default;
    ~CDownloadFile();
    CDownloadFile(const CDownloadFile&) = delete;
    CDownloadFile& operator=(const CDownloadFile&) = delete;

    // Creates the temporary beside `target` (whose folder must exist); false with *error the system's text.
    bool Create(const std::string& target, std::string* error);
    // Where the data goes; valid from Create to Commit.
    std::FILE* Stream() const { return stream_; }
    const std::string& TemporaryPath() const { return temporary_; }
    const std::string& Target() const { return target_; }
    // Writes out what is buffered and syncs it to the disk; the temporary stays open (and locked) to be checked.
    bool Finish(std::string* error);
    // Puts the finished temporary in the target's place, replacing the file there; false with *error.
    bool Commit(std::string* error);
    // Removes the temporary (as the destructor does when nothing was committed).
    void Discard();

private:
    std::string target_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
};

// Whether a download to `target` could be written: its temporary is made and removed again, so that nothing is left
// beside the target. False with *error the system's text.
bool CanWriteDownload(const std::string& target, std::string* error);
