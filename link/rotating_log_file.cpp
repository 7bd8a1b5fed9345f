#include "link/rotating_log_file.h"

#include <cstdio>
#include <utility>

CRotatingLogFile::CRotatingLogFile(std::string fileName, uint64_t limitBytes)
    : fileName_(std::move(fileName)), limitBytes_(limitBytes)
{
}

CRotatingLogFile::~CRotatingLogFile()
{
    Close();
}

void CRotatingLogFile::SetDirectory(const std::string& directory)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    directory_ = directory;
}

std::string CRotatingLogFile::Path() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return PathLocked();
}

std::string CRotatingLogFile::BackupPath() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return BackupPathLocked();
}

std::string CRotatingLogFile::PathLocked() const
{
    if (directory_.empty()) {
        return fileName_;
    }
    return directory_ + "/" + fileName_;
}

std::string CRotatingLogFile::BackupPathLocked() const
{
    std::string path = PathLocked();
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        path.erase(dot);
    }
    return path + ".bak";
}

bool CRotatingLogFile::OpenLocked()
{
    if (file_ != nullptr) {
        return true;
    }
    file_ = std::fopen(PathLocked().c_str(), "ab");
    if (file_ == nullptr) {
        return false;
    }
    std::fseek(file_, 0, SEEK_END);
    const long end = std::ftell(file_);
    size_ = end < 0 ? 0 : static_cast<uint64_t>(end);
    return true;
}

void CRotatingLogFile::RotateLocked()
{
    std::fclose(file_);
    file_ = nullptr;
    const std::string backup = BackupPathLocked();
    std::remove(backup.c_str());
    std::rename(PathLocked().c_str(), backup.c_str());
}

bool CRotatingLogFile::Write(const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OpenLocked()) {
        return false;
    }
    if (size_ > limitBytes_) {
        RotateLocked();
        if (!OpenLocked()) {
            return false;
        }
    }
    const size_t written = std::fwrite(text.data(), 1, text.size(), file_);
    std::fflush(file_);
    size_ += written;
    return written == text.size();
}

void CRotatingLogFile::Close()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}
