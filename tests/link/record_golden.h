#pragma once
// The golden-bytes check shared by the record codec tests: encoding gives exactly the golden bytes, decoding them
// gives the record back, and a buffer one byte short, no buffer or no record is refused.

#include "link/records/record_codec.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace record_golden {

template <typename Rec> void ExpectGolden(const Rec& rec, const std::vector<uint8_t>& golden)
{
    ASSERT_EQ(golden.size(), kRecordSize<Rec>);
    const auto bytes = EncodeRecord(rec);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), golden);
    Rec back;
    ASSERT_TRUE(DecodeRecord(golden.data(), golden.size(), &back));
    EXPECT_EQ(back, rec);
    EXPECT_FALSE(DecodeRecord(golden.data(), golden.size() - 1, &back));
    EXPECT_FALSE(DecodeRecord(static_cast<const uint8_t*>(nullptr), golden.size(), &back));
    EXPECT_FALSE(DecodeRecord(golden.data(), golden.size(), static_cast<Rec*>(nullptr)));
}

} // namespace record_golden
