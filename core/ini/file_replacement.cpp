#include "core/ini/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemporaryMark = ".tmp-tarvik-";
constexpr size_t kTemporaryUniqueChars = 6; // what mkstemp puts in place of "XXXXXX"
constexpr int kMaxLinkHops = 40;
constexpr mode_t kNewFileMode = 0644;

// The file a write changes: `path` with the symbolic links of its last component followed (a dangling one too).
std::string WriteTarget(const std::string& path)
{
    std::string target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        std::error_code ec;
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        const fs::path link = fs::read_symlink(target, ec);
        if (ec)
            return target;
        target = link.is_absolute() ? link.string() : (fs::path(target).parent_path() / link).string();
    }
    return target;
}

bool Fail(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
    return false;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

CFileReplacement::~CFileReplacement()
{
    Unlock();
}

void CFileReplacement::Unlock()
{
    if (fd_ >= 0)
        ::close(fd_); // the lock goes with the descriptor
    fd_ = -1;
}

bool CFileReplacement::Lock(const std::string& path, Missing missing, std::string* error)
{
    if (!TakeLock(path, missing, true, error))
        return false;
    RemoveInterruptedWrites();
    return true;
}

bool CFileReplacement::TakeLock(const std::string& path, Missing missing, bool wait, std::string* error)
{
    Unlock();
    path_ = path;
    target_ = WriteTarget(path);
    for (;;) {
        created_ = false;
        fd_ = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0 && errno == ENOENT && missing == kCreate) {
            fd_ = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC | O_CREAT | O_EXCL, kNewFileMode);
            created_ = fd_ >= 0;
            if (fd_ < 0 && errno == EEXIST)
                continue; // another writer made it first
        }
        if (fd_ < 0)
            return Fail(error, "cannot write " + path + ": " + std::strerror(errno));
        int locked = 0;
        while ((locked = ::flock(fd_, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
        }
        struct stat held {};
        struct stat named {};
        if (locked != 0 || ::fstat(fd_, &held) != 0) {
            const int why = errno;
            Unlock();
            return Fail(error, "cannot lock " + path + ": " + std::strerror(why));
        }
        if (!S_ISREG(held.st_mode)) {
            Unlock();
            return Fail(error, "cannot write " + path + ": " + std::strerror(EISDIR));
        }
        // While this writer waited, another may have replaced the file: the lock must be on the one the name holds.
        if (::stat(target_.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
            mode_ = created_ ? kNewFileMode : (held.st_mode & 07777);
            return true;
        }
        Unlock();
        if (!wait)
            return Fail(error, "cannot lock " + path + ": it is being replaced");
    }
}

bool CFileReplacement::Read(std::string* text, std::string* error) const
{
    text->clear();
    char buffer[65536];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd_, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(error, "cannot read " + path_ + ": " + std::strerror(errno));
        if (n == 0)
            return true;
        text->append(buffer, static_cast<size_t>(n));
        offset += n;
    }
}

bool CFileReplacement::Replace(const std::string& text, mode_t mode, std::string* error)
{
    std::string temporary = target_ + kTemporaryMark + "XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    std::string reason;
    if (fd < 0) {
        reason = std::strerror(errno);
    } else {
        ::fchmod(fd, mode);
        const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
        const int why = errno;
        if (::close(fd) != 0 || !written)
            reason = std::strerror(written ? errno : why);
        else if (::rename(temporary.c_str(), target_.c_str()) != 0)
            reason = std::strerror(errno);
        if (!reason.empty())
            ::unlink(temporary.c_str());
    }
    if (reason.empty()) {
        created_ = false;
        return true;
    }
    if (created_)
        ::unlink(target_.c_str());
    return Fail(error, "cannot write " + path_ + ": " + reason);
}

void CFileReplacement::RemoveInterruptedWrites() const
{
    const fs::path target(target_);
    const std::string fileName = target.filename().string();
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    DIR* listing = ::opendir(dir.c_str());
    if (listing == nullptr)
        return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        struct stat info {};
        const std::string full = (dir / name).string();
        // Only regular files of our own naming: a link or a folder of that name is someone else's.
        if (IsTemporaryNameOf(name, fileName, kTemporaryMark) && ::lstat(full.c_str(), &info) == 0 &&
            S_ISREG(info.st_mode))
            ::unlink(full.c_str());
    }
    ::closedir(listing);
}

void RemoveInterruptedWrites(const std::string& path)
{
    CFileReplacement file;
    if (file.TakeLock(path, CFileReplacement::kFail, false, nullptr))
        file.RemoveInterruptedWrites();
}

bool IsTemporaryNameOf(const std::string& entry, const std::string& fileName, std::string_view mark)
{
    const std::string prefix = fileName + std::string(mark);
    if (entry.size() != prefix.size() + kTemporaryUniqueChars || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < entry.size(); ++i) {
        const char c = entry[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}
