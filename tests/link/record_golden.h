#pragma once
// The golden-bytes check shared by the record codec tests: encoding gives exactly the golden bytes, decoding them
// gives the record back, and a buffer one byte short, no buffer or no record is refused.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace record_golden {

template <typename Rec, size_t N>
void ExpectGolden(const Rec& rec, std::array<uint8_t, N> (*encode)(const Rec&),
                  bool (*decode)(const uint8_t*, size_t, Rec*), const std::vector<uint8_t>& golden)
{
    ASSERT_EQ(golden.size(), N);
    const std::array<uint8_t, N> bytes = encode(rec);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), golden);
    Rec back;
    ASSERT_TRUE(decode(golden.data(), golden.size(), &back));
    EXPECT_EQ(back, rec);
    EXPECT_FALSE(decode(golden.data(), golden.size() - 1, &back));
    EXPECT_FALSE(decode(nullptr, N, &back));
    EXPECT_FALSE(decode(golden.data(), N, nullptr));
}

} // namespace record_golden
