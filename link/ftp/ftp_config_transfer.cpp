#include "link/ftp/ftp_config_transfer.h"

#include "core/util/md5.h"
#include "link/ftp/download_file.h"
#include "link/ftp/ftp_transfer_steps.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

constexpr char kLineEnd[] = "\r\n";
// The first line is looked for in this many bytes.
constexpr size_t kFirstLineWindow = 40;
// A side file is read whole up to this size; a longer one is no side file.
constexpr size_t kMostDigestBytes = 4096;

// The digest of the file from the backup header on, as 32 digits; empty when the file cannot be read so.
std::string DigestAfterHeader(const std::string& path, bool* opened)
{
    std::ifstream file(path, std::ios::binary);
    *opened = file && file.seekg(static_cast<std::streamoff>(kConfigBackupHeaderSize)).good();
    Md5Digest digest{};
    if (!*opened || Md5OfStream(file, digest) != 0)
        return {};
    return Md5DigestToHex(digest);
}

} // namespace

void RunConfigBackup(const FtpConfigTransfer& transfer, CFtpJob& job)
{
    CDownloadFile file;
    if (!CreateDownloadFile(file, transfer.localPath, job))
        return;
    std::unique_ptr<IFtpSession> session = EnterNe(transfer.endpoint, transfer.directory, job);
    if (!session)
        return;
    std::string digits;
    const FtpResult digestFetched = session->Retrieve(transfer.digestName, [&](const uint8_t* data, size_t size) {
        digits.append(reinterpret_cast<const char*>(data), size);
        return digits.size() <= kMostDigestBytes;
    });
    if (!digestFetched.Ok() && digits.size() <= kMostDigestBytes) {
        FailTransfer(digestFetched, {}, job);
        return;
    }
    job.SetBytes(0);
    job.SetState(FtpJobState::kReceiving);
    if (digits.size() != kConfigDigestDigits) {
        job.Fail(FtpFailure::kRemoteConfigCorrupt);
        return;
    }
    digits += kLineEnd;
    if (std::fwrite(digits.data(), 1, digits.size(), file.Stream()) != digits.size()) {
        job.Fail(FtpFailure::kLocalFile, std::strerror(errno));
        return;
    }
    job.AddBytes(static_cast<uint32_t>(digits.size()));

    CFtpStepWriter writer(file.Stream(), transfer.settings, job);
    const FtpResult fetched = session->Retrieve(
        transfer.configName, [&](const uint8_t* data, size_t size) { return writer.Write(data, size); });
    session.reset();
    if (!FinishDownloadFile(file, fetched, writer.Error(), job))
        return;
    bool opened = false;
    const std::string digest = DigestAfterHeader(file.TemporaryPath(), &opened);
    if (!opened) {
        job.Fail(FtpFailure::kLocalReopen);
        return;
    }
    if (digest.empty() || digest != digits.substr(0, kConfigDigestDigits)) {
        KeepUncheckedDownload(file, job, FtpFailure::kRemoteConfigCorrupt);
        return;
    }
    CommitDownloadFile(file, job);
}

void RunConfigRestore(const FtpConfigTransfer& transfer, CFtpJob& job)
{
    FtpLocalFile file = OpenLocalFile(transfer.localPath, "rb", job);
    if (!file)
        return;
    char header[kConfigBackupHeaderSize];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header) {
        job.Fail(FtpFailure::kLocalFile, std::ferror(file.get()) ? std::strerror(errno) : "Unexpected end of file");
        return;
    }
    std::unique_ptr<IFtpSession> session = EnterNe(transfer.endpoint, transfer.directory, job);
    if (!session)
        return;
    // The side file goes first, then the configuration it is the digest of.
    job.SetBytes(0);
    job.SetState(FtpJobState::kSending);
    bool digitsGiven = false;
    FtpResult stored = session->Store(transfer.digestName, [&](uint8_t* data, size_t room) -> long {
        if (digitsGiven || room < kConfigDigestDigits)
            return digitsGiven ? 0 : -1;
        digitsGiven = true;
        std::memcpy(data, header, kConfigDigestDigits);
        return static_cast<long>(kConfigDigestDigits);
    });
    if (!stored.Ok()) {
        FailTransfer(stored, {}, job);
        return;
    }
    job.AddBytes(static_cast<uint32_t>(kConfigDigestDigits));
    CFtpStepReader reader(file.get(), transfer.settings, job, static_cast<uint32_t>(kConfigDigestDigits));
    stored = session->Store(transfer.configName, [&](uint8_t* data, size_t room) { return reader.Read(data, room); });
    session.reset();
    file.reset();
    if (!stored.Ok()) {
        FailTransfer(stored, reader.Error(), job);
        return;
    }
    job.SetState(FtpJobState::kDone);
}

LocalConfigCheck CheckLocalCfgFile(const std::string& path)
{
    LocalConfigCheck check;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        check.result = LocalConfigCheck::kCannotOpen;
        check.error = std::strerror(errno);
        return check;
    }
    check.length = static_cast<uint32_t>(file.tellg());
    file.seekg(0);
    char start[kFirstLineWindow] = {};
    file.read(start, sizeof start);
    const std::string window(start, static_cast<size_t>(file.gcount()));
    file.close();
    if (window.find(kLineEnd) != kConfigDigestDigits)
        return check;
    bool opened = false;
    const std::string digest = DigestAfterHeader(path, &opened);
    if (!digest.empty() && digest == window.substr(0, kConfigDigestDigits))
        check.result = LocalConfigCheck::kSound;
    return check;
}
