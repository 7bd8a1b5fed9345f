// A batch firmware upgrade's slots against a real FTP server on loopback, driven as the dialog's timer drives them:
// never more transfers at once than slots, a slot refilled as soon as it is given back, each NE's failure its own,
// and a batch dropped mid-transfer ending its workers rather than leaving them on freed jobs.
#include "link/ftp/fw_upload_batch.h"

#include "core/util/firmware_image.h"
#include "tests/link/ftp_peer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <map>
#include <thread>

namespace {

using ftp_test::CFtpPeer;
using ftp_test::FtpNe;

std::string NeAddress(int n)
{
    return "127.0.2." + std::to_string(n);
}

std::vector<FtpNe> TwelveNes()
{
    std::vector<FtpNe> nes;
    for (int n = 1; n <= 12; ++n)
        nes.push_back({NeAddress(n)});
    nes[10].password = "changed"; // the workstation still has the old password of NE 11
    return nes;
}

class FwUploadBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 12; ++n) {
            if (n != 12) // NE 12 has no second partition
                std::filesystem::create_directories(peer_.Area(NeAddress(n)) / "Partition 2");
        }
        ASSERT_TRUE(peer_.Start());
        image_ = BuildFirmwareImage("QX7200", "3.1.0", std::vector<uint8_t>(3000, 0x42));
        WriteText(local_.Path() / "qx7200.enc", std::string(image_.begin(), image_.end()));
    }

    FwUploadImage Image(FtpTransferSettings settings) const
    {
        return {(local_.Path() / "qx7200.enc").string(), "Partition 2", "qx7200.enc", settings};
    }

    std::optional<FtpEndpoint> Endpoint(int n) const
    {
        if (n == 13)
            return std::nullopt; // an NE the workstation does not know
        return FtpEndpoint{NeAddress(n), peer_.Port(), "qurim", "qurim"};
    }

    CFtpPeer peer_{TwelveNes()};
    CTempDir local_{false, "tarvik-local-"};
    std::vector<uint8_t> image_;
};

TEST_F(FwUploadBatchTest, TwelveNesThroughFiveSlotsEachWithItsOwnResult)
{
    CFwUploadBatch batch(Image({64, 5}), 5);
    std::deque<int> waiting;
    for (int n = 1; n <= 13; ++n)
        waiting.push_back(n);
    std::map<size_t, int> serving;
    std::map<int, FtpJobState> ends;
    std::map<int, FtpFailure> failures;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while ((!waiting.empty() || !serving.empty()) && std::chrono::steady_clock::now() < deadline) {
        for (size_t slot = 0; slot < batch.SlotCount(); ++slot) {
            if (serving.contains(slot) && batch.Job(slot).Ended()) {
                ends[serving[slot]] = batch.Job(slot).State();
                failures[serving[slot]] = batch.Job(slot).Failure();
                EXPECT_FALSE(batch.IsBusy(slot));
                batch.Release(slot);
                serving.erase(slot);
            }
            if (!serving.contains(slot) && !waiting.empty()) {
                ASSERT_TRUE(batch.Start(slot, Endpoint(waiting.front())));
                // The unknown NE's worker may already have failed it: started means out of idle.
                EXPECT_NE(batch.Job(slot).State(), FtpJobState::kIdle);
                serving[slot] = waiting.front();
                waiting.pop_front();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(ends.size(), 13u);
    EXPECT_FALSE(batch.AnyBusy());
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(ends[n], FtpJobState::kDone) << n;
        EXPECT_EQ(ReadText(peer_.Area(NeAddress(n)) / "Partition 2" / "qx7200.enc"),
                  std::string(image_.begin(), image_.end()))
            << n;
    }
    EXPECT_EQ(failures[11], FtpFailure::kConnect);
    EXPECT_EQ(failures[12], FtpFailure::kDirectory);
    EXPECT_EQ(failures[13], FtpFailure::kUnknownNe);
    EXPECT_EQ(peer_.Completed(), 10);
    EXPECT_LE(peer_.MostAtOnce(), 5);
    EXPECT_GE(peer_.MostAtOnce(), 3);
}

TEST_F(FwUploadBatchTest, ABatchDroppedMidTransferEndsItsWorkers)
{
    auto batch = std::make_unique<CFwUploadBatch>(Image({64, 60000}), 3);
    for (size_t slot = 0; slot < 3; ++slot)
        ASSERT_TRUE(batch->Start(slot, Endpoint(static_cast<int>(slot) + 1)));
    for (size_t slot = 0; slot < 3; ++slot) {
        while (batch->Job(slot).State() != FtpJobState::kSending)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const auto start = std::chrono::steady_clock::now();
    batch.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

} // namespace
