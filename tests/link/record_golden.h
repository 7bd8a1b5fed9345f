#pragma once
// The golden-bytes check shared by the record codec tests: encoding gives exactly the golden bytes, decoding them
// gives the record back, and a buffer one byte short, no buffer or no record is refused. The golden bytes are written
// by hand from the record's offset table as runs of bytes at their offsets, every other byte zero:
//
//     ExpectGolden(rec, Golden(32, {Text(0, FullWidth("private", 24)), Hex(24, "0200000001000000")}),
//                  &NeSnmpCommunityRecord::community);
//
// Each text the case sets fills its field (width - 1 characters), and the texts named after the bytes are made one
// character longer: the record must still encode to the golden bytes, the field cutting each text where they end
// it, so that a width written wider or narrower than the offset table fails.

#include "link/records/record_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace record_golden {

// Bytes at one offset of a golden record.
struct Run {
    size_t offset;
    std::vector<uint8_t> bytes;
};

// The bytes written as hexadecimal digits.
inline Run Hex(size_t offset, const std::string& digits)
{
    if (digits.size() % 2 != 0)
        ADD_FAILURE() << "an odd number of hex digits at offset " << offset << ": " << digits;
    Run run{offset, {}};
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        run.bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return run;
}

// The bytes of a text, without its terminating zero.
inline Run Text(size_t offset, const std::string& text)
{
    return {offset, std::vector<uint8_t>(text.begin(), text.end())};
}

inline std::vector<uint8_t> Golden(size_t size, const std::vector<Run>& runs)
{
    std::vector<uint8_t> bytes(size, 0);
    for (const Run& run : runs)
        std::copy(run.bytes.begin(), run.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(run.offset));
    return bytes;
}

// A text that fills a field of `width` bytes: `start`, then digits up to width - 1 characters.
inline std::string FullWidth(std::string_view start, size_t width)
{
    std::string text(start);
    while (text.size() + 1 < width)
        text += static_cast<char>('0' + text.size() % 10);
    return text;
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

inline void Lengthen(std::string& text)
{
    text += 'X';
}
template <size_t N> void Lengthen(std::array<std::string, N>& texts)
{
    for (std::string& text : texts)
        Lengthen(text);
}

// The same, and the named texts (members of the record, or arrays of texts), one character longer each, encode to
// the same bytes.
template <typename Rec, typename... Texts>
void ExpectGolden(const Rec& rec, const std::vector<uint8_t>& golden, Texts Rec::*... texts)
{
    ExpectGolden(rec, golden);
    Rec longer = rec;
    (Lengthen(longer.*texts), ...);
    const auto bytes = EncodeRecord(longer);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), golden)
        << "texts one character longer than their fields";
}

} // namespace record_golden
