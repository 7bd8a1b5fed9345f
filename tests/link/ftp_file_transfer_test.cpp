// The firmware transfer workers against a real FTP server on loopback: the job's states and byte counts as the user
// interface reads them, the pause after each full step, each refusal as its own failure, an upload the server cuts off
// said in plain words, and a downloaded image that fails its check reported as corrupted, never in an older one's place.
#include "link/ftp/ftp_file_transfer.h"

#include "core/util/firmware_image.h"
#include "tests/link/ftp_peer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace {

using ftp_test::CFtpPeer;

constexpr char kNe[] = "127.0.0.2";

std::string Bytes(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

class FtpFileTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(peer_.Area(kNe) / "Partition 1");
        ASSERT_TRUE(peer_.Start());
    }

    FtpFileTransfer Transfer(const std::string& directory, const std::string& remote, const std::string& local,
                             FtpTransferSettings settings = {}) const
    {
        return {{kNe, peer_.Port(), "qurim", "qurim"}, directory, remote, (local_.Path() / local).string(), settings};
    }

    // Runs the worker on a thread of its own, as the dialogs do, watching the job as their timers do.
    std::vector<FtpJobState> Watch(const std::function<void(CFtpJob&)>& worker)
    {
        job_.Reset(FtpJobState::kInit);
        std::thread thread([&] { worker(job_); });
        std::vector<FtpJobState> seen{job_.State()};
        while (!job_.Ended()) {
            if (job_.State() != seen.back())
                seen.push_back(job_.State());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        thread.join();
        seen.push_back(job_.State());
        return seen;
    }

    CFtpPeer peer_{{{kNe}}};
    CTempDir local_{false, "tarvik-local-"};
    CFtpJob job_;
};

TEST_F(FtpFileTransferTest, AnUploadOfWholeStepsEndsWithAnEmptyStepAndCountsEveryByte)
{
    for (const size_t size : {size_t{0}, size_t{1400}, size_t{1400 * 20}, size_t{1400 * 20 + 1}}) {
        const std::string content(size, static_cast<char>('a' + size % 26));
        WriteText(local_.Path() / "image.enc", content);
        const std::vector<FtpJobState> seen =
            Watch([&](CFtpJob& job) { RunFtpUpload(Transfer("Partition 1", "qx7200.enc", "image.enc"), job); });
        EXPECT_EQ(seen.back(), FtpJobState::kDone) << size;
        EXPECT_EQ(job_.Bytes(), size);
        EXPECT_EQ(ReadText(peer_.Area(kNe) / "Partition 1" / "qx7200.enc"), content) << size;
    }
}

TEST_F(FtpFileTransferTest, EachFullStepIsFollowedByThePause)
{
    WriteText(local_.Path() / "image.enc", std::string(64 * 6, 'p'));
    const auto start = std::chrono::steady_clock::now();
    Watch([&](CFtpJob& job) { RunFtpUpload(Transfer("", "paced.enc", "image.enc", {64, 40}), job); });
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(job_.State(), FtpJobState::kDone);
    EXPECT_GE(elapsed, std::chrono::milliseconds(6 * 40));
}

TEST_F(FtpFileTransferTest, EachRefusalIsItsOwnFailure)
{
    WriteText(local_.Path() / "image.enc", "image");
    ftp_test::WriteTextReadOnly(peer_.Area(kNe) / "Partition 1" / "locked.enc", "old");
    const struct {
        const char* name;
        FtpFileTransfer transfer;
        FtpFailure failure;
    } cases[] = {
        {"missing local file", Transfer("Partition 1", "a.enc", "absent.enc"), FtpFailure::kLocalFile},
        {"missing partition", Transfer("Partition 2", "a.enc", "image.enc"), FtpFailure::kDirectory},
        {"read-only remote file", Transfer("Partition 1", "locked.enc", "image.enc"), FtpFailure::kRemoteFile},
        {"bad login",
         [&] {
             FtpFileTransfer t = Transfer("Partition 1", "a.enc", "image.enc");
             t.endpoint.password = "wrong";
             return t;
         }(),
         FtpFailure::kConnect},
        {"no server",
         [&] {
             FtpFileTransfer t = Transfer("Partition 1", "a.enc", "image.enc");
             t.endpoint.host = "127.0.0.9";
             return t;
         }(),
         FtpFailure::kConnect},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Watch([&](CFtpJob& job) { RunFtpUpload(c.transfer, job); }).back(), FtpJobState::kFailed) << c.name;
        EXPECT_EQ(job_.Failure(), c.failure) << c.name;
        if (c.failure == FtpFailure::kLocalFile || c.failure == FtpFailure::kConnect) {
            EXPECT_FALSE(job_.FailureText().empty()) << c.name;
        }
    }
}

TEST_F(FtpFileTransferTest, AnUploadThePeerCutsOffSaysSo)
{
    WriteText(local_.Path() / "image.enc", std::string(16 * 1024 * 1024, 'u'));
    job_.Reset(FtpJobState::kInit);
    std::thread worker([&] { RunFtpUpload(Transfer("Partition 1", "qx7200.enc", "image.enc", {1400, 2}), job_); });
    while (job_.Bytes() < 256 * 1024 && !job_.Ended())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ::kill(peer_.Pid(), SIGKILL);
    worker.join();
    EXPECT_EQ(job_.State(), FtpJobState::kFailed);
    EXPECT_EQ(job_.Failure(), FtpFailure::kTransfer);
    EXPECT_EQ(job_.FailureText(), "The FTP connection was cut off before the transfer ended");
}

TEST_F(FtpFileTransferTest, ADownloadedImageMustBeSoundAndOfTheChosenType)
{
    const std::vector<uint8_t> image = BuildFirmwareImage("RLX4100FW", "2.4.1", std::vector<uint8_t>(5000, 7));
    WriteText(peer_.Area(kNe) / "Partition 1" / "rlx4100fw.enc", Bytes(image));
    std::vector<uint8_t> corrupted = image;
    corrupted[3000] ^= 1;
    WriteText(peer_.Area(kNe) / "Partition 1" / "corrupted.enc", Bytes(corrupted));
    const struct {
        const char* remote;
        const char* type;
        FtpJobState end;
    } cases[] = {
        {"rlx4100fw.enc", "RLX4100FW", FtpJobState::kDone},
        {"rlx4100fw.enc", "QX7200", FtpJobState::kFailed},
        {"corrupted.enc", "RLX4100FW", FtpJobState::kFailed},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(local_.Path() / "backup.enc");
        const std::vector<FtpJobState> seen = Watch([&](CFtpJob& job) {
            RunFtpDownload(Transfer("Partition 1", c.remote, "backup.enc"), job, std::string(c.type));
        });
        EXPECT_EQ(seen.back(), c.end) << c.remote << " as " << c.type;
        if (c.end == FtpJobState::kFailed) {
            EXPECT_EQ(job_.Failure(), FtpFailure::kRemoteImageCorrupt);
        }
        // Every byte came; with no older file to keep, the download stays under its name, sound or not.
        EXPECT_EQ(job_.Bytes(), image.size());
        EXPECT_EQ(ReadText(local_.Path() / "backup.enc"), ReadText(peer_.Area(kNe) / "Partition 1" / c.remote))
            << c.remote << " as " << c.type;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(local_.Path()), {}), 1);
    }
    // A backup made before stays when the new download fails its check: a corrupted image never takes its place.
    WriteText(local_.Path() / "backup.enc", Bytes(image));
    Watch([&](CFtpJob& job) {
        RunFtpDownload(Transfer("Partition 1", "corrupted.enc", "backup.enc"), job, std::string("RLX4100FW"));
    });
    EXPECT_EQ(job_.Failure(), FtpFailure::kRemoteImageCorrupt);
    EXPECT_EQ(ReadText(local_.Path() / "backup.enc"), Bytes(image));
}

TEST_F(FtpFileTransferTest, ADownloadOfAMissingFileFailsAsTheRemoteFile)
{
    Watch([&](CFtpJob& job) { RunFtpDownload(Transfer("Partition 1", "absent.enc", "backup.enc"), job); });
    EXPECT_EQ(job_.Failure(), FtpFailure::kRemoteFile);
}

} // namespace
