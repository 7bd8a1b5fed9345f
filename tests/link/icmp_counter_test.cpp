// Ping ids taken from one counter by many threads, and the output text shared by a run and its reader.

#include "link/icmp/ping_counter.h"
#include "link/icmp/ping_output.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(NewPingId, TakesTheCounterValueAndWraps)
{
    CPingCounter counter;
    PingRequest request;
    NewPingId(&request, counter);
    EXPECT_EQ(request.id, 0);
    EXPECT_TRUE(counter.IsCurrent(0));
    NewPingId(&request, counter);
    EXPECT_EQ(request.id, 1);
    EXPECT_FALSE(counter.IsCurrent(0));
    EXPECT_TRUE(counter.IsCurrent(1));

    while (request.id != 255)
        NewPingId(&request, counter);
    EXPECT_TRUE(counter.IsCurrent(255)) << "255 is current once the counter has wrapped to 0";
    NewPingId(&request, counter);
    EXPECT_EQ(request.id, 0);

    // A null request does not move the counter.
    NewPingId(nullptr, counter);
    EXPECT_TRUE(counter.IsCurrent(0));
}

TEST(NewPingId, AResetNumbersFromZeroAndEndsTheRunsBegunBefore)
{
    CPingCounter counter;
    PingRequest request;
    NewPingId(&request, counter);
    NewPingId(&request, counter);
    const uint32_t before = counter.Epoch();
    EXPECT_TRUE(counter.IsCurrent(1, before));
    counter.Reset();
    EXPECT_FALSE(counter.IsCurrent(1, before));
    NewPingId(&request, counter);
    EXPECT_EQ(request.id, 0);
    NewPingId(&request, counter);
    EXPECT_EQ(request.id, 1);
    EXPECT_FALSE(counter.IsCurrent(1, before)) << "the same id issued again after the reset";
    EXPECT_TRUE(counter.IsCurrent(1, counter.Epoch()));
    EXPECT_TRUE(counter.IsCurrent(1));
}

TEST(NewPingId, ThreadsNeverShareAnId)
{
    // 256 ids taken by four threads at once cover every value exactly once.
    CPingCounter counter;
    std::array<std::array<uint8_t, 64>, 4> taken{};
    std::vector<std::thread> threads;
    for (auto& ids : taken) {
        threads.emplace_back([&counter, &ids] {
            for (uint8_t& id : ids) {
                PingRequest request;
                NewPingId(&request, counter);
                id = request.id;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    std::array<int, 256> seen{};
    for (const auto& ids : taken)
        for (uint8_t id : ids)
            ++seen[id];
    for (int value = 0; value < 256; ++value)
        EXPECT_EQ(seen[value], 1) << value;
}

TEST(CPingOutput, LinesAppendedOnAnotherThreadStayWhole)
{
    CPingOutput output;
    const std::string line = "Reply from [127.0.0.1]: icmp_seq=1 bytes=32 time<10ms TTL=64\r\n";
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i)
            output.Append(line);
    });
    size_t cleared = 0;
    for (int i = 0; i < 200; ++i) {
        std::string text = output.Text();
        ASSERT_EQ(text.size() % line.size(), 0u);
        if (i % 50 == 49) {
            output.Edit([&](std::string& t) {
                cleared += t.size() / line.size();
                t.clear();
            });
        }
    }
    writer.join();
    EXPECT_EQ(cleared + output.Text().size() / line.size(), 2000u);
}

} // namespace
