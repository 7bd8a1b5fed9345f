#include "core/util/bit_string.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(BitString, BitZeroIsTheTopBitOfTheFirstByte)
{
    const std::array<uint8_t, 3> bits{0x80, 0x01, 0x40};
    const struct {
        size_t n;
        int expected;
    } rows[] = {{0, 1}, {1, 0}, {7, 0}, {8, 0}, {15, 1}, {16, 0}, {17, 1}, {23, 0}, {24, 0}, {1000000, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(TestBit(bits, row.n), row.expected) << row.n;
    EXPECT_EQ(TestBit(std::span<const uint8_t>(), 0), -1);
}

TEST(BitString, SetClearEmpty)
{
    std::array<uint8_t, 4> bits{};
    EXPECT_TRUE(IsBitStringEmpty(bits, bits.size()));
    EXPECT_TRUE(SetBit(bits, 0));
    EXPECT_TRUE(SetBit(bits, 9));
    EXPECT_TRUE(SetBit(bits, 31));
    EXPECT_FALSE(SetBit(bits, 32));
    EXPECT_EQ(bits, (std::array<uint8_t, 4>{0x80, 0x40, 0x00, 0x01}));
    EXPECT_FALSE(SetBit(std::span<uint8_t>(), 0));

    EXPECT_FALSE(IsBitStringEmpty(bits, 1));
    EXPECT_TRUE(IsBitStringEmpty(std::span<const uint8_t>(bits).subspan(2), 1)); // only byte 2 looked at
    EXPECT_TRUE(IsBitStringEmpty(bits, 0));
    EXPECT_TRUE(IsBitStringEmpty(std::span<const uint8_t>(), 10));

    ClearBitString(bits, 9); // two bytes hold bits 0..8
    EXPECT_EQ(bits, (std::array<uint8_t, 4>{0x00, 0x00, 0x00, 0x01}));
    ClearBitString(bits, 1000); // never beyond the string
    EXPECT_TRUE(IsBitStringEmpty(bits, 1000));
}

TEST(BitMask, TestBit32And16)
{
    EXPECT_EQ(TestBit32(0, 0), -1);
    EXPECT_EQ(TestBit32(0, 5), -1);
    EXPECT_EQ(TestBit32(1, 0), 1);
    EXPECT_EQ(TestBit32(1, 1), 0);
    EXPECT_EQ(TestBit32(0x80000000u, 31), 1);
    EXPECT_EQ(TestBit32(0x80000000u, 30), 0);
    EXPECT_EQ(TestBit32(0xFFFFFFFFu, 32), 0);
    EXPECT_EQ(TestBit32(0xFFFFFFFFu, 200), 0);

    EXPECT_EQ(TestBit16(0, 3), -1);
    EXPECT_EQ(TestBit16(0x0008, 3), 1);
    EXPECT_EQ(TestBit16(0x8000, 15), 1);
    EXPECT_EQ(TestBit16(0x8000, 14), 0);
    EXPECT_EQ(TestBit16(0xFFFF, 16), 0);

    EXPECT_EQ(SetBit16(0), 0x0001);
    EXPECT_EQ(SetBit16(15), 0x8000);
    EXPECT_EQ(SetBit16(16), 0);
    for (unsigned n = 0; n < 16; ++n)
        EXPECT_EQ(TestBit16(SetBit16(n), n), 1) << n;
}

} // namespace
