#include "core/util/netmask.h"

#include <gtest/gtest.h>

namespace {

TEST(Netmask, PrefixLengthOfMask)
{
    const struct {
        IpAddress mask;
        int length;
        bool contiguous;
    } rows[] = {
        {{0, 0, 0, 0}, 0, true},          {{128, 0, 0, 0}, 1, true},
        {{255, 0, 0, 0}, 8, true},        {{255, 255, 128, 0}, 17, true},
        {{255, 255, 255, 0}, 24, true},   {{255, 255, 255, 252}, 30, true},
        {{255, 255, 255, 254}, 31, true}, {{255, 255, 255, 255}, 32, true},
        {{255, 0, 255, 0}, 8, false}, // only the leading ones count
        {{0, 255, 255, 255}, 0, false},   {{255, 255, 255, 253}, 30, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(FormatIpAddress(row.mask));
        EXPECT_EQ(NetmaskToPrefixLength(row.mask), row.length);
        EXPECT_EQ(IsContiguousNetmask(row.mask.data()), row.contiguous);
    }
    EXPECT_EQ(NetmaskToPrefixLength(nullptr), 0);
}

TEST(Netmask, MaskOfPrefixLength)
{
    EXPECT_EQ(PrefixLengthToNetmask(0), (IpAddress{0, 0, 0, 0}));
    EXPECT_EQ(PrefixLengthToNetmask(1), (IpAddress{128, 0, 0, 0}));
    EXPECT_EQ(PrefixLengthToNetmask(23), (IpAddress{255, 255, 254, 0}));
    EXPECT_EQ(PrefixLengthToNetmask(32), (IpAddress{255, 255, 255, 255}));
    EXPECT_EQ(PrefixLengthToNetmask(33), (IpAddress{255, 255, 255, 255}));
    EXPECT_EQ(PrefixLengthToNetmask(4000000000u), (IpAddress{255, 255, 255, 255}));
    for (unsigned length = 0; length <= 32; ++length)
        EXPECT_EQ(NetmaskToPrefixLength(PrefixLengthToNetmask(length)), static_cast<int>(length)) << length;
}

TEST(Netmask, ApplyPrefixLengthMasksTheAddress)
{
    const IpAddress address{192, 168, 77, 131};
    EXPECT_EQ(ApplyPrefixLength(address, 24), (IpAddress{192, 168, 77, 0}));
    EXPECT_EQ(ApplyPrefixLength(address, 20), (IpAddress{192, 168, 64, 0}));
    EXPECT_EQ(ApplyPrefixLength(address, 0), (IpAddress{0, 0, 0, 0}));
    EXPECT_EQ(ApplyPrefixLength(address, 32), address);
    EXPECT_EQ(ApplyPrefixLength(address, 99), address);
    EXPECT_EQ(ApplyPrefixLength(nullptr, 8), (IpAddress{0, 0, 0, 0}));
}

TEST(Netmask, SubnetAndBroadcastAddresses)
{
    const IpAddress mask24{255, 255, 255, 0};
    const IpAddress mask22{255, 255, 252, 0};
    EXPECT_TRUE(IsSubnetAddress(IpAddress{10, 1, 2, 0}.data(), mask24.data()));
    EXPECT_FALSE(IsSubnetAddress(IpAddress{10, 1, 2, 1}.data(), mask24.data()));
    EXPECT_FALSE(IsSubnetAddress(IpAddress{10, 1, 2, 0}.data(), mask22.data()));
    EXPECT_TRUE(IsSubnetAddress(IpAddress{10, 1, 4, 0}.data(), mask22.data()));
    EXPECT_TRUE(IsSubnetBroadcastAddress(IpAddress{10, 1, 2, 255}.data(), mask24.data()));
    EXPECT_FALSE(IsSubnetBroadcastAddress(IpAddress{10, 1, 2, 255}.data(), mask22.data()));
    EXPECT_TRUE(IsSubnetBroadcastAddress(IpAddress{10, 1, 7, 255}.data(), mask22.data()));

    EXPECT_TRUE(IsInSubnet(IpAddress{10, 1, 7, 3}.data(), IpAddress{10, 1, 4, 9}.data(), mask22.data()));
    EXPECT_FALSE(IsInSubnet(IpAddress{10, 1, 8, 3}.data(), IpAddress{10, 1, 4, 9}.data(), mask22.data()));
}

} // namespace
