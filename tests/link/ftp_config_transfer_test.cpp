// An NE's configuration over FTP against a real FTP server on loopback: a backup that the restore takes back
// unchanged, the side file and the configuration checked against each other, a local file checked before anything
// is sent, and a restore that writes the side file before the configuration.
#include "link/ftp/ftp_config_transfer.h"

#include "core/util/md5.h"
#include "tests/link/ftp_peer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using ftp_test::CFtpPeer;

constexpr char kNe[] = "127.0.0.2";
// A configuration with both kinds of line end, which the digest must take as bytes.
const std::string kConfig = "hostname North-1\r\ninterface uge\n ip 10.10.1.1/24\r\nend\n";

class FtpConfigTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteText(Drive() / "default.cfg", kConfig);
        WriteText(Drive() / "default.md5", Md5HexString(kConfig));
        ASSERT_TRUE(peer_.Start());
    }

    std::filesystem::path Drive() const { return peer_.Area(kNe) / "cfg:"; }
    std::string Local(const std::string& name) const { return (local_.Path() / name).string(); }

    FtpConfigTransfer Transfer(const std::string& local, const std::string& directory = "cfg:") const
    {
        return {{kNe, peer_.Port(), "qurim", "qurim"}, directory, "default.cfg", "default.md5", Local(local), {}};
    }

    FtpJobState Run(void (*worker)(const FtpConfigTransfer&, CFtpJob&), const FtpConfigTransfer& transfer)
    {
        job_.Reset(FtpJobState::kInit);
        std::thread thread([&] { worker(transfer, job_); });
        thread.join();
        return job_.State();
    }

    CFtpPeer peer_{{{kNe}}};
    CTempDir local_{false, "tarvik-local-"};
    CFtpJob job_;
};

TEST_F(FtpConfigTransferTest, ABackupIsTakenBackUnchangedByTheRestore)
{
    ASSERT_EQ(Run(RunConfigBackup, Transfer("north.cfg")), FtpJobState::kDone);
    const std::string backup = ReadText(Local("north.cfg"));
    EXPECT_EQ(backup, Md5HexString(kConfig) + "\r\n" + kConfig);
    EXPECT_EQ(job_.Bytes(), backup.size());

    const LocalConfigCheck check = CheckLocalCfgFile(Local("north.cfg"));
    EXPECT_EQ(check.result, LocalConfigCheck::kSound);
    EXPECT_EQ(check.length, backup.size());

    std::filesystem::remove(Drive() / "default.cfg");
    std::filesystem::remove(Drive() / "default.md5");
    ASSERT_EQ(Run(RunConfigRestore, Transfer("north.cfg")), FtpJobState::kDone);
    EXPECT_EQ(ReadText(Drive() / "default.cfg"), kConfig);
    EXPECT_EQ(ReadText(Drive() / "default.md5"), Md5HexString(kConfig));
    EXPECT_EQ(job_.Bytes(), kConfig.size() + 32);
}

TEST_F(FtpConfigTransferTest, ASideFileThatIsNotTheConfigurationsDigestSpoilsTheBackup)
{
    const std::string digits = Md5HexString(kConfig);
    const struct {
        const char* name;
        std::string side;
    } cases[] = {
        {"31 digits", digits.substr(0, 31)},
        {"33 digits", digits + "0"},
        {"the digest of another configuration", Md5HexString("other")},
        {"a line end after the digits", digits + "\n"},
    };
    // A sound backup made before stays: a spoilt one never takes its place.
    ASSERT_EQ(Run(RunConfigBackup, Transfer("spoilt.cfg")), FtpJobState::kDone);
    const std::string sound = ReadText(Local("spoilt.cfg"));
    for (const auto& c : cases) {
        WriteText(Drive() / "default.md5", c.side);
        EXPECT_EQ(Run(RunConfigBackup, Transfer("spoilt.cfg")), FtpJobState::kFailed) << c.name;
        EXPECT_EQ(job_.Failure(), FtpFailure::kRemoteConfigCorrupt) << c.name;
        EXPECT_EQ(ReadText(Local("spoilt.cfg")), sound) << c.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(local_.Path()), {}), 1) << c.name;
    }
    // With no older backup to keep, one whose configuration fails the digest stays as it came.
    std::filesystem::remove(Local("spoilt.cfg"));
    WriteText(Drive() / "default.md5", Md5HexString("other"));
    EXPECT_EQ(Run(RunConfigBackup, Transfer("spoilt.cfg")), FtpJobState::kFailed);
    EXPECT_EQ(job_.Failure(), FtpFailure::kRemoteConfigCorrupt);
    EXPECT_EQ(ReadText(Local("spoilt.cfg")), Md5HexString("other") + "\r\n" + kConfig);
}

TEST_F(FtpConfigTransferTest, WithoutADriveTheFilesAreWhereTheLoginPutsTheSession)
{
    WriteText(peer_.Area(kNe) / "default.cfg", "top\n");
    WriteText(peer_.Area(kNe) / "default.md5", Md5HexString("top\n"));
    ASSERT_EQ(Run(RunConfigBackup, Transfer("top.cfg", "")), FtpJobState::kDone);
    EXPECT_EQ(ReadText(Local("top.cfg")), Md5HexString("top\n") + "\r\ntop\n");
}

// The restore writes the side file first, then the configuration: a side file the NE refuses leaves both as they
// were, a configuration it refuses leaves the new digest written over the old configuration.
TEST_F(FtpConfigTransferTest, ARestoreWritesTheSideFileBeforeTheConfiguration)
{
    const std::string other = "hostname Other\n";
    const struct {
        const char* refused;
        std::string config;
        std::string side;
    } cases[] = {
        {"default.md5", kConfig, Md5HexString(kConfig)},
        {"default.cfg", kConfig, Md5HexString(other)},
    };
    WriteText(Local("other.cfg"), Md5HexString(other) + "\r\n" + other);
    for (const auto& c : cases) {
        std::filesystem::remove(Drive() / "default.cfg");
        std::filesystem::remove(Drive() / "default.md5");
        WriteText(Drive() / "default.cfg", kConfig);
        WriteText(Drive() / "default.md5", Md5HexString(kConfig));
        ftp_test::WriteTextReadOnly(Drive() / c.refused, ReadText(Drive() / c.refused));
        EXPECT_EQ(Run(RunConfigRestore, Transfer("other.cfg")), FtpJobState::kFailed) << c.refused;
        EXPECT_EQ(job_.Failure(), FtpFailure::kRemoteFile) << c.refused;
        EXPECT_EQ(ReadText(Drive() / "default.cfg"), c.config) << c.refused;
        EXPECT_EQ(ReadText(Drive() / "default.md5"), c.side) << c.refused;
    }
}

TEST_F(FtpConfigTransferTest, ALocalFileIsCheckedBeforeARestore)
{
    const std::string digits = Md5HexString(kConfig);
    std::string upper = digits;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const struct {
        const char* name;
        std::string content;
        LocalConfigCheck::Result result;
    } cases[] = {
        {"sound", digits + "\r\n" + kConfig, LocalConfigCheck::kSound},
        {"sound, empty configuration", Md5HexString("") + "\r\n", LocalConfigCheck::kSound},
        {"first line of 31", digits.substr(1) + "\r\n" + kConfig, LocalConfigCheck::kCorrupt},
        {"first line of 33", digits + "0\r\n" + kConfig, LocalConfigCheck::kCorrupt},
        {"line feed alone", digits + "\n" + kConfig, LocalConfigCheck::kCorrupt},
        {"upper-case digits", upper + "\r\n" + kConfig, LocalConfigCheck::kCorrupt},
        {"a changed configuration", digits + "\r\n" + kConfig + " ", LocalConfigCheck::kCorrupt},
        {"empty file", "", LocalConfigCheck::kCorrupt},
    };
    for (const auto& c : cases) {
        WriteText(Local("candidate.cfg"), c.content);
        EXPECT_EQ(CheckLocalCfgFile(Local("candidate.cfg")).result, c.result) << c.name;
    }
    const LocalConfigCheck missing = CheckLocalCfgFile(Local("absent.cfg"));
    EXPECT_EQ(missing.result, LocalConfigCheck::kCannotOpen);
    EXPECT_FALSE(missing.error.empty());
}

} // namespace
