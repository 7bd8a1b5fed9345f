// A backup that fails never harms the backup before it: against a real FTP server on loopback, the configuration
// backup and the firmware backup over an older file are refused at the login, broken off by a server that hangs up in
// the middle of the file, and cut short by killing the process that runs them. The older file stays byte for byte,
// nothing new appears under its name, and what a killed process left beside it goes with the next backup.
#include "core/util/firmware_image.h"
#include "core/util/md5.h"
#include "link/ftp/download_file.h"
#include "link/ftp/ftp_config_transfer.h"
#include "link/ftp/ftp_file_transfer.h"
#include "tests/link/ftp_peer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using ftp_test::CFtpPeer;
namespace fs = std::filesystem;

constexpr char kNe[] = "127.0.0.2";
const std::string kOlder = "the older backup, which must survive\n";
// Larger than what the sockets between the two ends hold, so that a transfer cut short is cut in the middle.
constexpr size_t kLargeSize = 16 * 1024 * 1024;
// A step of 1400 bytes every 2 ms: the transfer is still running when the test cuts it short.
constexpr FtpTransferSettings kSlow{1400, 2};
// What the operator reads of a transfer the peer cut off.
constexpr char kCutOff[] = "The FTP connection was cut off before the transfer ended";

struct BackupKind {
    const char* name;
    // Runs the backup into `local` with the login's password.
    std::function<void(const CFtpPeer&, const std::string& local, const std::string& password, FtpTransferSettings,
                       CFtpJob&)>
        run;
    std::string expected; // the local file after a backup that succeeded
};

class FtpDownloadFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string config(kLargeSize, '\0');
        for (size_t i = 0; i < config.size(); ++i)
            config[i] = static_cast<char>('a' + i % 23);
        fs::create_directories(peer_.Area(kNe) / "cfg:");
        WriteText(peer_.Area(kNe) / "cfg:" / "default.cfg", config);
        WriteText(peer_.Area(kNe) / "cfg:" / "default.md5", Md5HexString(config));
        const std::vector<uint8_t> image =
            BuildFirmwareImage("QX7200", "3.2.0", std::vector<uint8_t>(kLargeSize, 0x5A));
        fs::create_directories(peer_.Area(kNe) / "Partition 1");
        WriteText(peer_.Area(kNe) / "Partition 1" / "qx7200.enc", std::string(image.begin(), image.end()));
        ASSERT_TRUE(peer_.Start());

        kinds_ = {
            {"configuration",
             [](const CFtpPeer& peer, const std::string& local, const std::string& password,
                FtpTransferSettings settings, CFtpJob& job) {
                 RunConfigBackup(
                     {{kNe, peer.Port(), "qurim", password}, "cfg:", "default.cfg", "default.md5", local, settings},
                     job);
             },
             Md5HexString(config) + "\r\n" + config},
            {"firmware",
             [](const CFtpPeer& peer, const std::string& local, const std::string& password,
                FtpTransferSettings settings, CFtpJob& job) {
                 RunFtpDownload({{kNe, peer.Port(), "qurim", password}, "Partition 1", "qx7200.enc", local, settings},
                                job, std::string("QX7200"));
             },
             std::string(image.begin(), image.end())},
        };
    }

    fs::path Local() const { return local_.Path() / "backup.bin"; }

    // The names in the local folder.
    std::vector<std::string> LocalNames() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(local_.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The temporary a backup writes beside the local file; empty when there is none.
    fs::path Temporary() const
    {
        for (const fs::directory_entry& entry : fs::directory_iterator(local_.Path())) {
            if (entry.path().filename() != Local().filename())
                return entry.path();
        }
        return {};
    }

    FtpJobState Run(const BackupKind& kind, const std::string& password, FtpTransferSettings settings = {})
    {
        job_.Reset(FtpJobState::kInit);
        std::thread worker([&] { kind.run(peer_, Local().string(), password, settings, job_); });
        worker.join();
        return job_.State();
    }

    CFtpPeer peer_{{{kNe}}};
    CTempDir local_{false, "tarvik-local-"};
    CFtpJob job_;
    std::vector<BackupKind> kinds_;
};

TEST_F(FtpDownloadFileTest, ARefusedLoginLeavesTheOlderBackupAsItWas)
{
    for (const BackupKind& kind : kinds_) {
        WriteText(Local(), kOlder);
        EXPECT_EQ(Run(kind, "wrong"), FtpJobState::kFailed) << kind.name;
        EXPECT_EQ(job_.Failure(), FtpFailure::kConnect) << kind.name;
        EXPECT_EQ(ReadText(Local()), kOlder) << kind.name;
        EXPECT_EQ(LocalNames(), std::vector<std::string>{"backup.bin"}) << kind.name;

        // Without an older file, nothing at all.
        fs::remove(Local());
        EXPECT_EQ(Run(kind, "wrong"), FtpJobState::kFailed) << kind.name;
        EXPECT_TRUE(LocalNames().empty()) << kind.name;
    }
}

TEST_F(FtpDownloadFileTest, APeerThatHangsUpInTheMiddleOfTheFileLeavesTheOlderBackupAsItWas)
{
    for (const BackupKind& kind : kinds_) {
        ASSERT_TRUE(peer_.Start()) << kind.name;
        WriteText(Local(), kOlder);
        job_.Reset(FtpJobState::kInit);
        std::thread worker([&] { kind.run(peer_, Local().string(), "qurim", kSlow, job_); });
        while (job_.Bytes() < 256 * 1024 && !job_.Ended())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ::kill(peer_.Pid(), SIGKILL);
        worker.join();
        EXPECT_EQ(job_.State(), FtpJobState::kFailed) << kind.name;
        EXPECT_EQ(job_.Failure(), FtpFailure::kTransfer) << kind.name;
        EXPECT_EQ(job_.FailureText(), kCutOff) << kind.name;
        EXPECT_LT(job_.Bytes(), kind.expected.size()) << kind.name;
        EXPECT_EQ(ReadText(Local()), kOlder) << kind.name;
        EXPECT_EQ(LocalNames(), std::vector<std::string>{"backup.bin"}) << kind.name;
    }
}

TEST_F(FtpDownloadFileTest, AProcessKilledInTheMiddleOfABackupLeavesTheOlderOneAndTheNextBackupTidiesUp)
{
    for (const BackupKind& kind : kinds_) {
        WriteText(Local(), kOlder);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CFtpJob job;
            job.Reset(FtpJobState::kInit);
            kind.run(peer_, Local().string(), "qurim", kSlow, job);
            ::_exit(0);
        }
        // Killed once a good part of the file is written.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        std::error_code ec;
        while (std::chrono::steady_clock::now() < deadline &&
               (Temporary().empty() || fs::file_size(Temporary(), ec) < 256 * 1024))
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << kind.name << ": the backup ended before it was killed";

        EXPECT_EQ(ReadText(Local()), kOlder) << kind.name;
        const fs::path left = Temporary();
        ASSERT_FALSE(left.empty()) << kind.name;
        EXPECT_LT(fs::file_size(left), kind.expected.size()) << kind.name;

        // A backup a while later takes the older file's place and removes what the killed one left.
        const timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, left.c_str(), anHourAgo, 0), 0);
        EXPECT_EQ(Run(kind, "qurim"), FtpJobState::kDone) << kind.name;
        EXPECT_EQ(ReadText(Local()) == kind.expected, true) << kind.name;
        EXPECT_EQ(LocalNames(), std::vector<std::string>{"backup.bin"}) << kind.name;
    }
}

TEST_F(FtpDownloadFileTest, ATemporaryThatIsBeingWrittenIsNotTakenForALeftover)
{
    WriteText(Local(), kOlder);
    CDownloadFile running;
    std::string error;
    ASSERT_TRUE(running.Create(Local().string(), &error)) << error;
    const timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, running.TemporaryPath().c_str(), anHourAgo, 0), 0);
    // Another backup to the same file comes and goes beside it.
    EXPECT_TRUE(CanWriteDownload(Local().string(), &error)) << error;
    EXPECT_TRUE(fs::exists(running.TemporaryPath()));
    EXPECT_EQ(LocalNames().size(), 2u);
}

TEST_F(FtpDownloadFileTest, AFileThatCannotBeWrittenInPlaceIsNotReplacedEither)
{
    std::string error;
    EXPECT_FALSE(CanWriteDownload(local_.Path().string(), &error)) << "a folder";
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(CanWriteDownload((local_.Path() / "absent" / "backup.bin").string(), &error)) << "no such folder";
    if (::geteuid() != 0) {
        ftp_test::WriteTextReadOnly(Local(), kOlder);
        EXPECT_FALSE(CanWriteDownload(Local().string(), &error)) << "read-only";
    }
    WriteText(local_.Path() / "writable.bin", kOlder);
    EXPECT_TRUE(CanWriteDownload((local_.Path() / "writable.bin").string(), &error)) << error;
    EXPECT_EQ(ReadText(local_.Path() / "writable.bin"), kOlder);
    EXPECT_EQ(LocalNames().size(), ::geteuid() != 0 ? 2u : 1u);
}

} // namespace
