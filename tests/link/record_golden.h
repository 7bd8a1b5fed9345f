#pragma once
// The golden-bytes check shared by the record codec tests: encoding gives exactly the golden bytes, decoding them
// gives the record back, and a buffer one byte short, no buffer or no record is refused. Golden bytes are written as
// pieces at their offsets, every byte no piece names being zero:
//
//     Golden(84, {Hex(0, "07000000"), Text(20, "noc@example.net")})

#include "link/records/record_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace record_golden {

// Bytes at one offset of a golden record, written as hexadecimal digits or as text.
struct Piece {
    size_t offset;
    std::vector<uint8_t> bytes;
};

inline Piece Hex(size_t offset, const std::string& digits)
{
    if (digits.size() % 2 != 0)
        ADD_FAILURE() << "an odd number of hex digits at offset " << offset << ": " << digits;
    Piece piece{offset, {}};
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        piece.bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    }
    return piece;
}

inline Piece Text(size_t offset, const std::string& text)
{
    return {offset, std::vector<uint8_t>(text.begin(), text.end())};
}

inline std::vector<uint8_t> Golden(size_t size, const std::vector<Piece>& pieces)
{
    std::vector<uint8_t> bytes(size, 0);
    for (const Piece& piece : pieces) {
        std::copy(piece.bytes.begin(), piece.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(piece.offset));
    }
    return bytes;
}

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
