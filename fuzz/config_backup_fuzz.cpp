// An NE's configuration backup run whole, in process, against an NE that serves any MD5 side file and any
// configuration, in pieces of any size: the backup succeeds exactly when the side file is the configuration's digest
// in 32 lower-case hexadecimal digits, and then the local file is the digits, a line end and the configuration; when
// it fails, the older backup is as it was and nothing is left beside it.
#include "core/util/md5.h"
#include "fuzz/fuzz_bytes.h"
#include "fuzz/fuzz_check.h"
#include "link/ftp/ftp_config_transfer.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

constexpr size_t kInputMax = 64 * 1024;
const std::string kOlder = "the older backup\n";

// What the NE serves in this run: its two files, handed over in pieces whose sizes come from the input.
struct NeFiles {
    std::string digest;
    std::string config;
    std::vector<uint8_t> pieces;
};
NeFiles g_ne;

class CFuzzNeSession : public IFtpSession {
public:
    FtpResult Connect(const FtpEndpoint&) override { return {}; }
    FtpResult ChangeDirectory(const std::string&) override { return {}; }
    FtpResult Store(const std::string&, const FtpSource&) override { return {FtpStep::kOpenFile, {}}; }
    FtpResult Retrieve(const std::string& name, const FtpSink& sink) override
    {
        const std::string& file = name == "default.md5" ? g_ne.digest : g_ne.config;
        size_t piece = 0;
        for (size_t at = 0; at < file.size();) {
            const size_t size = std::min<size_t>(
                file.size() - at, 1 + (g_ne.pieces.empty() ? file.size() : g_ne.pieces[piece++ % g_ne.pieces.size()]));
            if (!sink(reinterpret_cast<const uint8_t*>(file.data() + at), size))
                return {FtpStep::kTransfer, "the sink gave up"};
            at += size;
        }
        return {};
    }
};

std::unique_ptr<IFtpSession> OpenFuzzSession(const std::atomic<bool>*)
{
    return std::make_unique<CFuzzNeSession>();
}

// A folder of this process for the local file: in memory where the system has one, so that syncing costs nothing.
const std::filesystem::path& LocalFolder()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path shm("/dev/shm");
        const std::filesystem::path base = std::filesystem::is_directory(shm) && ::access("/dev/shm", W_OK) == 0
                                               ? shm
                                               : std::filesystem::temp_directory_path();
        const std::filesystem::path dir = base / ("tarvik-fuzz-backup-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::atexit([] { std::filesystem::remove_all(LocalFolder()); });
        return dir;
    }();
    return folder;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kInputMax)
        return 0;
    static const FtpSessionFactory installed = SetFtpSessionFactory(OpenFuzzSession);
    (void)installed;
    CFuzzBytes in(data, size);
    const uint8_t sideSize = in.Byte();
    const std::vector<uint8_t> side = in.Bytes(sideSize);
    const std::vector<uint8_t> pieces = in.Bytes(in.Byte() % 8);
    const std::vector<uint8_t> config = in.Bytes(in.Left());
    g_ne = {std::string(side.begin(), side.end()), std::string(config.begin(), config.end()), pieces};

    const std::filesystem::path local = LocalFolder() / "backup.cfg";
    {
        std::ofstream(local, std::ios::binary | std::ios::trunc) << kOlder;
    }
    CFtpJob job;
    job.Reset(FtpJobState::kInit);
    const FtpTransferSettings settings{static_cast<uint32_t>(64 + size % 1437), 0};
    RunConfigBackup(
        {{"127.0.0.1", 21, "qurim", "qurim"}, "cfg:", "default.cfg", "default.md5", local.string(), settings}, job);
    const bool sound = g_ne.digest.size() == kConfigDigestDigits && g_ne.digest == Md5HexString(g_ne.config);
    FuzzCheck(job.State() == (sound ? FtpJobState::kDone : FtpJobState::kFailed));
    FuzzCheck(ReadAll(local) == (sound ? g_ne.digest + "\r\n" + g_ne.config : kOlder));
    if (!sound)
        FuzzCheck(job.Failure() == FtpFailure::kRemoteConfigCorrupt);
    FuzzCheck(std::distance(std::filesystem::directory_iterator(LocalFolder()), {}) == 1);
    return 0;
}
