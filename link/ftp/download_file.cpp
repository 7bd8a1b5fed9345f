#include "link/ftp/download_file.h"

#include "core/ini/file_replacement.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char kTemporaryMark[] = ".part-tarvik-";
// A temporary this much older than now, and locked by nobody, has lost its writer; a younger one may be one that is
// being made and not yet locked.
constexpr auto kOrphanAge = std::chrono::seconds(10);

std::string SystemText(int error)
{
    return std::strerror(error);
}

bool Fail(std::string* error, int why)
{
    if (error != nullptr)
        *error = SystemText(why);
    return false;
}

// Removes the temporaries of downloads to `target` whose writers are gone.
void RemoveOrphans(const fs::path& target)
{
    const std::string fileName = target.filename().string();
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    DIR* listing = ::opendir(dir.c_str());
    if (listing == nullptr)
        return;
    const auto oldest = std::chrono::system_clock::now() - kOrphanAge;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryNameOf(entry->d_name, fileName, kTemporaryMark))
            continue;
        const std::string full = (dir / entry->d_name).string();
        const int fd = ::open(full.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        struct stat info {};
        // Only regular files of our own naming, unlocked and old enough.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            std::chrono::system_clock::from_time_t(info.st_mtime) < oldest && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(full.c_str());
        ::close(fd);
    }
    ::closedir(listing);
}

// The permission bits of the file the download replaces, or those a new file gets under this process's umask.
mode_t ModeFor(const std::string& target)
{
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
            break;
        }
    }
    return 0666 & ~mask;
}

} // namespace

CDownloadFile::~CDownloadFile()
{
    Discard();
}

bool CDownloadFile::Create(const std::string& target, std::string* error)
{
    Discard();
    // What could not be written in place is not replaced either.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return Fail(error, EISDIR);
        if (::access(target.c_str(), W_OK) != 0)
            return Fail(error, errno);
    }
    RemoveOrphans(target);
    std::string temporary = target + kTemporaryMark + "XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(error, errno);
    // Locked before anything else, so that no other download takes it for an orphan.
    ::flock(fd, LOCK_EX | LOCK_NB);
    ::fchmod(fd, ModeFor(target));
    std::FILE* stream = ::fdopen(fd, "wb");
    if (stream == nullptr) {
        const int why = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return Fail(error, why);
    }
    target_ = target;
    temporary_ = std::move(temporary);
    stream_ = stream;
    return true;
}

bool CDownloadFile::Finish(std::string* error)
{
    if (stream_ == nullptr)
        return Fail(error, EBADF);
    if (std::fflush(stream_) != 0 || ::fsync(::fileno(stream_)) != 0)
        return Fail(error, errno);
    return true;
}

bool CDownloadFile::Commit(std::string* error)
{
    if (stream_ == nullptr)
        return Fail(error, EBADF);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return Fail(error, errno);
    // The new name is made lasting with its folder.
    const fs::path folder = fs::path(target_).has_parent_path() ? fs::path(target_).parent_path() : fs::path(".");
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    std::fclose(stream_);
    stream_ = nullptr;
    temporary_.clear();
    return true;
}

void CDownloadFile::Discard()
{
    if (stream_ == nullptr)
        return;
    ::unlink(temporary_.c_str());
    std::fclose(stream_);
    stream_ = nullptr;
    temporary_.clear();
}

bool CanWriteDownload(const std::string& target, std::string* error)
{
    CDownloadFile probe;
    return probe.Create(target, error);
}
