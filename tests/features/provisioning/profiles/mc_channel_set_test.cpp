// The channel set of a multicast service profile: the ids it holds read back from its bits (the first bit the most
// significant of the first byte), as the list shows them and as its hidden column carries the bytes.

#include "features/provisioning/profiles/mc_channel_set.h"

#include <gtest/gtest.h>

namespace {

TEST(McChannelSetTest, ChannelsOneTwoAndEightHundredLieAtBothEnds)
{
    McServiceProfileRec rec;
    SetMcChannelIds(rec, {800, 1, 2});
    EXPECT_EQ(rec.channels.front(), 0xc0);
    EXPECT_EQ(rec.channels.back(), 0x01);
    EXPECT_EQ(McChannelIdsText(rec), "1,2,800");
    EXPECT_EQ(McChannelIds(rec), (std::vector<uint16_t>{1, 2, 800}));
    const std::string hex = McChannelSetHex(rec);
    EXPECT_EQ(hex.substr(0, 6), "c0 00 ");
    EXPECT_EQ(hex.substr(hex.size() - 3), "01 ");
    EXPECT_EQ(hex.size(), 300u);
}

TEST(McChannelSetTest, SettingIdsReplacesTheSetAndLeavesOutIdsBeyondIt)
{
    McServiceProfileRec rec;
    SetMcChannelIds(rec, {9, 17});
    SetMcChannelIds(rec, {0, 8, 801});
    EXPECT_EQ(McChannelIds(rec), (std::vector<uint16_t>{8}));
    EXPECT_EQ(rec.channels[0], 0x01);
    EXPECT_EQ(rec.channels[1], 0x00) << "9 and 17 are gone";
}

TEST(McChannelSetTest, AnEmptySetShowsNothing)
{
    EXPECT_EQ(McChannelIdsText(McServiceProfileRec{}), "");
}

} // namespace
