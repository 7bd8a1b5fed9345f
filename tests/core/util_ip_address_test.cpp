#include "core/util/ip_address.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ParseRow {
    const char* text;
    bool valid;        // IsValidIpAddressText(text, 0)
    bool validStrict;  // IsValidIpAddressText(text, 1)
    IpAddress address; // ParseIpAddress(text)
};

const ParseRow kParseRows[] = {
    {"192.168.1.20", true, true, {192, 168, 1, 20}},
    {"0.0.0.0", true, true, {0, 0, 0, 0}},
    {"255.255.255.255", true, true, {255, 255, 255, 255}},
    {"1.2.3.4", true, true, {1, 2, 3, 4}},
    {"010.001.000.009", true, false, {10, 1, 0, 9}}, // leading zeros are decimal, never octal
    {"256.1.1.1", false, false, {}},
    {"1.2.3.999", false, false, {}},
    {"1.2.3", false, false, {}},
    {"1.2.3.4.5", false, false, {}},
    {"1.2.3.", false, false, {}},
    {".1.2.3", false, false, {}},
    {"1..2.3", false, false, {}},
    {"", false, false, {}},
    {" 1.2.3.4", false, false, {}},
    {"1.2.3.4 ", false, false, {}},
    {"1.2.3.4x", false, false, {}},
    {"-1.2.3.4", false, false, {}},
    {"+1.2.3.4", false, false, {}},
    {"1.2.3.0004", false, false, {}},
    {"0x1.2.3.4", false, false, {}},
    {"a.b.c.d", false, false, {}},
    {"1,2,3,4", false, false, {}},
    {"1.2.3.4\n", false, false, {}},
    {"00000000000000000000000000001.2.3.4", false, false, {}},
};

TEST(IpAddressText, ParseAndValidateTable)
{
    for (const auto& row : kParseRows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsValidIpAddressText(row.text), row.valid);
        EXPECT_EQ(IsValidIpAddressText(row.text, 1), row.validStrict);
        EXPECT_EQ(ParseIpAddress(row.text), row.address);
    }
}

TEST(IpAddressText, EmbeddedNulIsNotAnAddress)
{
    EXPECT_FALSE(IsValidIpAddressText(std::string_view("1.2.3.4\0", 8)));
    EXPECT_EQ(ParseIpAddress(std::string_view("1.2\0.3.4", 8)), IpAddress{});
}

TEST(IpAddressText, FormatPlainAndPadded)
{
    const IpAddress a{10, 0, 12, 255};
    EXPECT_EQ(FormatIpAddress(a), "10.0.12.255");
    EXPECT_EQ(FormatIpAddressPadded(a), " 10.  0. 12.255");
    EXPECT_EQ(FormatIpAddress(IpAddress{255, 255, 255, 255}), "255.255.255.255");
    EXPECT_EQ(FormatIpAddress(nullptr), "");
    EXPECT_EQ(FormatIpAddressPadded(nullptr), "");

    const uint8_t raw[4] = {1, 2, 3, 4};
    EXPECT_EQ(FormatIpAddress(raw), "1.2.3.4");
}

TEST(IpAddressText, PaddedTextOrderIsAddressOrder)
{
    const IpAddress sorted[] = {{1, 2, 3, 4}, {9, 0, 0, 1}, {10, 0, 0, 1}, {10, 0, 0, 20}, {192, 168, 1, 9}};
    for (size_t i = 0; i + 1 < std::size(sorted); ++i)
        EXPECT_LT(FormatIpAddressPadded(sorted[i]), FormatIpAddressPadded(sorted[i + 1])) << i;
}

TEST(IpAddressNumber, FirstByteIsMostSignificant)
{
    EXPECT_EQ(IpToUInt32(IpAddress{10, 1, 2, 3}), 0x0A010203u);
    EXPECT_EQ(UInt32ToIp(0xC0A80114u), (IpAddress{192, 168, 1, 20}));
    EXPECT_EQ(IpToUInt32(nullptr), 0u);
    for (uint32_t v : {0u, 1u, 0x7F000001u, 0x80000000u, 0xFFFFFFFFu, 0x01020304u})
        EXPECT_EQ(IpToUInt32(UInt32ToIp(v)), v);
}

TEST(IpAddressCompare, BytewiseNullFirst)
{
    const IpAddress low{9, 255, 255, 255};
    const IpAddress high{10, 0, 0, 0};
    EXPECT_EQ(CompareIpv4(low, high), -1);
    EXPECT_EQ(CompareIpv4(high, low), 1);
    EXPECT_EQ(CompareIpv4(high, high), 0);
    EXPECT_EQ(CompareIpv4(nullptr, low.data()), -1);
    EXPECT_EQ(CompareIpv4(low.data(), nullptr), 1);
    EXPECT_EQ(CompareIpv4(nullptr, nullptr), 0);
    EXPECT_EQ(CompareIpv4(IpAddress{1, 2, 3, 200}, IpAddress{1, 2, 3, 100}), 1); // unsigned bytes

    EXPECT_EQ(CompareIpText("10.0.0.2", "10.0.0.10"), -1); // not text order
    EXPECT_EQ(CompareIpText("10.0.0.2", "10.0.0.2"), 0);
    EXPECT_EQ(CompareIpText("garbage", "0.0.0.0"), 0);
    EXPECT_EQ(CompareIpText("1.0.0.0", "garbage"), 1);
}

TEST(IpAddressCompare, NeAddressThenPort)
{
    const IpAddress a{10, 0, 0, 1};
    const IpAddress b{10, 0, 0, 2};
    EXPECT_EQ(CompareNeAddress(a.data(), 65535, b.data(), 1), -1);
    EXPECT_EQ(CompareNeAddress(b.data(), 1, a.data(), 65535), 1);
    EXPECT_EQ(CompareNeAddress(a.data(), 161, a.data(), 162), -1);
    EXPECT_EQ(CompareNeAddress(a.data(), 162, a.data(), 161), 1);
    EXPECT_EQ(CompareNeAddress(a.data(), 161, a.data(), 161), 0);
    EXPECT_EQ(CompareNeAddress(nullptr, 161, a.data(), 1), -1);
}

struct HostRow {
    IpAddress address;
    uint32_t flags;
    bool valid;
};

const HostRow kHostRows[] = {
    {{0, 0, 0, 0}, 0, false},         {{0, 0, 0, 0}, kHostIpAllowZero, true},
    {{0, 0, 0, 0}, 0xFE, false}, // only bit 0 allows it
    {{10, 0, 0, 1}, 0, true},         {{10, 0, 0, 1}, kHostIpAllowZero, true},
    {{0, 1, 2, 3}, 0, false},         {{0, 1, 2, 3}, kHostIpAllowZero, false},
    {{10, 1, 2, 0}, 0, false},        {{10, 1, 2, 255}, 0, false},
    {{10, 1, 2, 254}, 0, true},       {{10, 1, 255, 1}, 0, true},
    {{126, 255, 255, 254}, 0, true},  {{127, 0, 0, 1}, 0, false},
    {{127, 1, 2, 3}, 0, false},       {{128, 0, 0, 1}, 0, true},
    {{172, 31, 253, 1}, 0, true},     {{172, 31, 254, 1}, 0, false},
    {{172, 31, 254, 67}, 0, false},   {{172, 31, 254, 68}, 0, true},
    {{172, 31, 255, 1}, 0, true},     {{172, 30, 254, 1}, 0, true},
    {{223, 255, 255, 254}, 0, true},  {{224, 0, 0, 1}, 0, false},
    {{230, 1, 1, 1}, 0, false},       {{239, 255, 255, 254}, 0, false},
    {{240, 0, 0, 1}, 0, true},        {{255, 255, 255, 254}, 0, true},
    {{255, 255, 255, 255}, 0, false},
};

TEST(IsValidHostIpAddress, Table)
{
    for (const auto& row : kHostRows) {
        SCOPED_TRACE(FormatIpAddress(row.address) + " flags " + std::to_string(row.flags));
        EXPECT_EQ(IsValidHostIpAddress(row.address, row.flags), row.valid);
    }
    EXPECT_FALSE(IsValidHostIpAddress(nullptr, kHostIpAllowZero));
}

} // namespace
