// The steps of a store as the FTP library asks for its data: a step of the data size at a time, each full step
// followed by the configured pause; without one, the whole steps that fit go out together. A file of whole steps ends
// with an empty one, and every byte is counted for the progress.
#include "link/ftp/ftp_transfer_steps.h"

#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(FtpTransferStepsTest, TheStepsThatFitGoTogetherUnlessEachIsFollowedByAPause)
{
    const struct {
        const char* name;
        size_t fileSize;
        uint32_t rateLimitMs;
        size_t room;
        std::vector<long> calls; // what each call gives, up to the 0 of the end
    } cases[] = {
        {"without a pause", 5000, 0, 4096, {2800, 2200, 0}},
        {"whole steps without a pause", 4200, 0, 4096, {2800, 1400, 0}},
        {"a room that takes every step", 4200, 0, 65536, {4200, 0}},
        {"a room smaller than a step", 1000, 0, 600, {600, 400, 0}},
        {"with a pause", 5000, 1, 4096, {1400, 1400, 1400, 800, 0}},
        {"whole steps with a pause", 2800, 1, 4096, {1400, 1400, 0, 0}},
        {"an empty file", 0, 0, 4096, {0, 0}},
    };
    CTempDir dir(false, "tarvik-steps-");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path local = dir.Path() / "image.enc";
        WriteText(local, std::string(c.fileSize, 'x'));
        FtpLocalFile file(std::fopen(local.c_str(), "rb"));
        ASSERT_TRUE(file);
        CFtpJob job;
        job.Reset(FtpJobState::kInit);
        CFtpStepReader reader(file.get(), {.dataSize = 1400, .rateLimitMs = c.rateLimitMs}, job);
        std::vector<uint8_t> buffer(c.room);
        std::vector<long> calls;
        const auto start = std::chrono::steady_clock::now();
        for (size_t i = 0; i < c.calls.size(); ++i)
            calls.push_back(reader.Read(buffer.data(), buffer.size()));
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(job.State(), FtpJobState::kSending);
        EXPECT_EQ(job.Bytes(), c.fileSize);
        if (c.rateLimitMs != 0) {
            const size_t pauses = c.fileSize / 1400;
            EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(pauses * c.rateLimitMs));
        }
    }
}

} // namespace
