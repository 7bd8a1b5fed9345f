// The FTP session against a real FTP server on loopback: each step that the NE can refuse fails as that step, and a
// file stored in pieces comes back whole, in directories whose names an NE uses (a drive with a colon, a partition
// with a blank).
#include "link/ftp/ftp_session.h"

#include "tests/link/ftp_peer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using ftp_test::CFtpPeer;

constexpr char kNe[] = "127.0.0.2";
constexpr char kNoServer[] = "127.0.0.9";

class FtpSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(peer_.Area(kNe) / "Partition 1");
        std::filesystem::create_directories(peer_.Area(kNe) / "cfg:");
        ASSERT_TRUE(peer_.Start());
    }

    FtpEndpoint Ne(const std::string& address = kNe, const std::string& password = "qurim") const
    {
        return {address, peer_.Port(), "qurim", password};
    }

    static FtpSource SourceOf(const std::string& text, size_t piece)
    {
        return [text, piece, at = size_t{0}](uint8_t* data, size_t room) mutable -> long {
            const size_t n = std::min({piece, room, text.size() - at});
            std::copy_n(text.data() + at, n, data);
            at += n;
            return static_cast<long>(n);
        };
    }

    CFtpPeer peer_{{{kNe}}};
};

TEST_F(FtpSessionTest, EachRefusalFailsItsOwnStep)
{
    ftp_test::WriteTextReadOnly(peer_.Area(kNe) / "Partition 1" / "locked.enc", "old");
    const struct {
        const char* name;
        FtpEndpoint ne;
        std::string directory;
        bool store;
        std::string file;
        FtpStep failed;
    } cases[] = {
        {"no server at the address", Ne(kNoServer), "", true, "a.enc", FtpStep::kConnect},
        {"a wrong password", Ne(kNe, "wrong"), "", true, "a.enc", FtpStep::kConnect},
        {"a partition the NE lacks", Ne(), "Partition 2", true, "a.enc", FtpStep::kDirectory},
        {"a read-only file", Ne(), "Partition 1", true, "locked.enc", FtpStep::kOpenFile},
        {"a file the NE lacks", Ne(), "Partition 1", false, "absent.enc", FtpStep::kOpenFile},
        {"all allowed", Ne(), "Partition 1", true, "fresh.enc", FtpStep::kNone},
    };
    for (const auto& c : cases) {
        std::unique_ptr<IFtpSession> session = OpenFtpSession();
        ASSERT_TRUE(session);
        FtpResult result = session->Connect(c.ne);
        if (result.Ok())
            result = session->ChangeDirectory(c.directory);
        if (result.Ok() && c.store)
            result = session->Store(c.file, SourceOf("new", 3));
        else if (result.Ok())
            result = session->Retrieve(c.file, [](const uint8_t*, size_t) { return true; });
        EXPECT_EQ(result.failed, c.failed) << c.name << ": " << result.text;
        if (c.failed == FtpStep::kConnect) {
            EXPECT_FALSE(result.text.empty()) << c.name;
        }
    }
    EXPECT_EQ(ReadText(peer_.Area(kNe) / "Partition 1" / "locked.enc"), "old");
}

TEST_F(FtpSessionTest, AFileStoredInPiecesComesBackWholeInAnyDirectory)
{
    std::string content;
    for (int i = 0; i < 70000; ++i)
        content.push_back(static_cast<char>(i * 31 + (i >> 8)));
    for (const std::string directory : {"", "cfg:", "Partition 1"}) {
        std::unique_ptr<IFtpSession> session = OpenFtpSession();
        ASSERT_TRUE(session->Connect(Ne()).Ok());
        ASSERT_TRUE(session->ChangeDirectory(directory).Ok()) << directory;
        ASSERT_TRUE(session->Store("image.bin", SourceOf(content, 1400)).Ok()) << directory;
        EXPECT_EQ(ReadText(peer_.Area(kNe) / directory / "image.bin"), content) << directory;
        std::string fetched;
        ASSERT_TRUE(session
                        ->Retrieve("image.bin",
                                   [&](const uint8_t* data, size_t size) {
                                       fetched.append(reinterpret_cast<const char*>(data), size);
                                       return true;
                                   })
                        .Ok());
        EXPECT_EQ(fetched, content) << directory;
    }
}

TEST_F(FtpSessionTest, ASourceOrSinkThatGivesUpEndsTheTransfer)
{
    std::unique_ptr<IFtpSession> session = OpenFtpSession();
    ASSERT_TRUE(session->Connect(Ne()).Ok());
    EXPECT_EQ(session->Store("gives-up.bin", [](uint8_t*, size_t) { return -1L; }).failed, FtpStep::kTransfer);
    WriteText(peer_.Area(kNe) / "big.bin", std::string(100000, 'x'));
    EXPECT_EQ(session->Retrieve("big.bin", [](const uint8_t*, size_t) { return false; }).failed, FtpStep::kTransfer);
    // The session goes on after a transfer it gave up.
    EXPECT_TRUE(session->Store("after.bin", SourceOf("ok", 2)).Ok());
}

TEST_F(FtpSessionTest, TheAbortFlagEndsATransferThatWaits)
{
    std::atomic<bool> abort{false};
    std::unique_ptr<IFtpSession> session = OpenFtpSession(&abort);
    ASSERT_TRUE(session->Connect(Ne()).Ok());
    const FtpResult result = session->Store("slow.bin", [&](uint8_t* data, size_t) -> long {
        abort = true; // raised while the transfer runs, as a closing program does
        data[0] = 'x';
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return 1;
    });
    EXPECT_EQ(result.failed, FtpStep::kAborted);
}

} // namespace
