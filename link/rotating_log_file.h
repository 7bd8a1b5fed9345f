// A text log file that is moved to "<stem>.bak" (replacing an older one) before a write finds it over its limit.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

class CRotatingLogFile {
public:
    CRotatingLogFile(std::string fileName, uint64_t limitBytes);
    ~CRotatingLogFile();
    CRotatingLogFile(const CRotatingLogFile&) = delete;
    CRotatingLogFile& operator=(const CRotatingLogFile&) = delete;

    // The folder of the file; an empty text is the working directory. Closes the open file.
    void SetDirectory(const std::string& directory);
    std::string Path() const;
    std::string BackupPath() const;

    // Appends `text` as written (callers end their lines). False when the file cannot be written.
    bool Write(const std::string& text);
    void Close();

private:
    std::string PathLocked() const;
    std::string BackupPathLocked() const;
    bool OpenLocked();
    void RotateLocked();

    mutable std::mutex mutex_;
    std::string fileName_;
    std::string directory_;
    uint64_t limitBytes_;
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
};
