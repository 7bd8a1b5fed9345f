#include "core/util/mac_address.h"

#include <gtest/gtest.h>

namespace {

struct MacRow {
    const char* text;
    bool valid;
    MacAddress mac;
};

const MacRow kMacRows[] = {
    {"00:1a:2B:3c:4D:ff", true, {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xff}},
    {"00-1A-2B-3C-4D-FF", true, {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xff}},
    {"00 1a 2b 3c 4d ff", true, {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xff}},
    {"00.1a.2b.3c.4d.ff", true, {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xff}},
    {"0:1:2:a:B:f", true, {0, 1, 2, 0x0a, 0x0b, 0x0f}},
    {"ff:ff:ff:ff:ff:ff", true, {0xff, 0xff, 0xff, 0xff, 0xff, 0xff}},
    {"00:00:00:00:00:00", true, {}},
    {"00:1a:2b-3c:4d:ff", false, {}}, // separators must agree
    {"00:1a:2b:3c:4d", false, {}},
    {"00:1a:2b:3c:4d:ff:01", false, {}},
    {"00:1a:2b:3c:4d:", false, {}},
    {":00:1a:2b:3c:4d", false, {}},
    {"00::1a:2b:3c:4d", false, {}},
    {"001:1a:2b:3c:4d:ff", false, {}},
    {"00:1a:2b:3c:4d:fg", false, {}},
    {"00:1a:2b:3c:4d:ff ", false, {}},
    {" 00:1a:2b:3c:4d:ff", false, {}},
    {"00_1a_2b_3c_4d_ff", false, {}},
    {"001a.2b3c.4dff", false, {}},
    {"001a2b3c4dff", false, {}},
    {"", false, {}},
};

TEST(MacAddressText, ParseAndValidateTable)
{
    for (const auto& row : kMacRows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsValidMacAddressText(row.text), row.valid);
        EXPECT_EQ(ParseMacAddress(row.text), row.mac);
    }
}

TEST(MacAddressText, FormatIsLowerCaseWithColons)
{
    EXPECT_EQ(FormatMacAddress(MacAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0xFF}), "00:1a:2b:3c:4d:ff");
    EXPECT_EQ(FormatMacAddress(MacAddress{}), "00:00:00:00:00:00");
    EXPECT_EQ(FormatMacAddress(nullptr), "");
    const MacAddress mac{0xde, 0xad, 0xbe, 0xef, 0x01, 0x02};
    EXPECT_EQ(ParseMacAddress(FormatMacAddress(mac)), mac);
}

struct MacOrderRow {
    MacAddress a;
    MacAddress b;
    int expected;
};

// The bytes compare from the first, each as an unsigned number: the first byte that differs decides.
const MacOrderRow kMacOrderRows[] = {
    {{0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xff}, {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xff}, 0},
    {{}, {}, 0},
    {{0x00, 0x00, 0x00, 0x00, 0x00, 0x01}, {0x00, 0x00, 0x00, 0x00, 0x00, 0x02}, -1},
    {{0x01, 0x00, 0x00, 0x00, 0x00, 0x00}, {0x00, 0xff, 0xff, 0xff, 0xff, 0xff}, 1},
    {{0x7f, 0x00, 0x00, 0x00, 0x00, 0x00}, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00}, -1},
    {{0xff, 0xff, 0xff, 0xff, 0xff, 0xfe}, {0xff, 0xff, 0xff, 0xff, 0xff, 0xff}, -1},
    {{0x00, 0x1a, 0x2c, 0x00, 0x00, 0x00}, {0x00, 0x1a, 0x2b, 0xff, 0xff, 0xff}, 1},
};

TEST(MacAddressBytes, CompareTable)
{
    for (const auto& row : kMacOrderRows) {
        SCOPED_TRACE(FormatMacAddress(row.a) + " vs " + FormatMacAddress(row.b));
        EXPECT_EQ(CompareMacAddress(row.a, row.b), row.expected);
        EXPECT_EQ(CompareMacAddress(row.b, row.a), -row.expected);
    }
}

TEST(MacAddressBytes, ZeroTestAndCopy)
{
    EXPECT_TRUE(IsZeroMacAddress(MacAddress{}));
    EXPECT_FALSE(IsZeroMacAddress(MacAddress{0, 0, 0, 0, 0, 1}));
    EXPECT_FALSE(IsZeroMacAddress(MacAddress{1, 0, 0, 0, 0, 0}));

    const MacAddress source{0xde, 0xad, 0xbe, 0xef, 0x01, 0x02};
    MacAddress copy{};
    CopyMacAddress(copy.data(), source.data());
    EXPECT_EQ(copy, source);
    CopyMacAddress(copy.data(), nullptr);
    EXPECT_EQ(copy, MacAddress{}) << "a missing source clears the destination";
}

} // namespace
