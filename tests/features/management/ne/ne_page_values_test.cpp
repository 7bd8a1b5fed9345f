// The values the NE dialog's pages show for what the NE holds: the offered services, the auto-synchronisation radio,
// and the message and fields of each management addressing fault.
#include "core/util/ne_ip_validation.h"
#include "features/management/ne/ne_auto_sync_page.h"
#include "features/management/ne/ne_mgmt_ip_checks.h"
#include "features/management/ne/ne_mgmt_ip_page.h"
#include "features/management/ne/ne_system_info_page.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(NePageValuesTest, TheOfferedServicesNameEachLayerOfTheMask)
{
    const struct {
        uint8_t mask;
        const char* text;
    } cases[] = {
        {0x00, "Layer"}, {0x02, "Layer 2"}, {0x06, "Layer 2, 3"}, {0x4A, "Layer 2, 4, 7"}, {0x80, "Layer"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OfferedServicesText(c.mask).toStdString(), c.text) << int{c.mask};
}

TEST(NePageValuesTest, TheAutoSyncRadiosStandForTheirValues)
{
    const struct {
        uint32_t value;
        int radio;
    } cases[] = {{0, CNeAutoSyncPage::kDisabled}, {1, CNeAutoSyncPage::kNeToServer}, {2, CNeAutoSyncPage::kServerToNe}};
    for (const auto& c : cases) {
        EXPECT_EQ(AutoSyncChoiceOf(c.value), c.radio);
        EXPECT_EQ(AutoSyncValueOf(c.radio), c.value);
    }
    EXPECT_EQ(AutoSyncChoiceOf(7), CNeAutoSyncPage::kServerToNe);
}

TEST(NePageValuesTest, EachAddressingFaultHasItsMessageOnItsFields)
{
    using P = CNeMgmtIpPage;
    const struct {
        int result;
        uint32_t text;
        std::array<int, 3> fields;
    } cases[] = {
        {kNmeIpFormatError, kStrNmeIpFormatError, {P::kNmeIpId}},
        {kNmeIpIsBroadcastAddress, kStrNmeIpIsBroadcastAddress, {P::kNmeIpId, P::kNmeMaskId}},
        {kUgeMaskFormatError, kStrUgeMaskFormatError, {P::kUgeMaskId}},
        {kRootIpFormatError, kStrRootIpFormatError, {}},
        {kCascadedMaskFormatError, kStrCascadedMaskFormatError, {}},
        {kGatewayFormatError, kStrGatewayIpFormatError, {P::kGatewayId}},
        {kGatewayOutsideNmeAndUge, kStrGatewayOutsideNmeAndUge, {P::kGatewayId, P::kUgeMaskId, P::kNmeMaskId}},
        {kNmeIpEqualsGateway, kStrNmeIpEqualsGateway, {P::kNmeIpId, P::kGatewayId}},
        {kRootIpEqualsGateway, kStrRootIpEqualsGateway, {P::kGatewayId}},
        {kUgeSubnetEqualsCascadedSubnet, kStrUgeSubnetEqualsCascadedSubnet, {P::kUgeMaskId}},
    };
    for (const auto& c : cases) {
        const std::optional<MgmtIpAlert> alert = MgmtIpAlertOf(c.result);
        ASSERT_TRUE(alert) << c.result;
        EXPECT_EQ(alert->stringId, c.text) << c.result;
        EXPECT_EQ(alert->fields, c.fields) << c.result;
    }
    // Every fault of the check has a message of its own; no other result stops the dialog.
    std::set<uint32_t> texts;
    int faults = 0;
    for (int result = -70; result <= 0; ++result) {
        if (const std::optional<MgmtIpAlert> alert = MgmtIpAlertOf(result)) {
            texts.insert(alert->stringId);
            ++faults;
        }
    }
    EXPECT_EQ(faults, 26);
    EXPECT_EQ(texts.size(), 26u);
    EXPECT_FALSE(MgmtIpAlertOf(kNeIpConsistent));
    EXPECT_FALSE(MgmtIpAlertOf(-15));
}

TEST(NePageValuesTest, TheGatewayLiesInOneOfTheNesSubnetsUnderEachOnesPrefix)
{
    const IpAddress uge{10, 10, 1, 1}, nme{192, 168, 1, 10};
    EXPECT_TRUE(GatewayInNeSubnet({10, 10, 1, 254}, uge, 24, nme, 24));
    EXPECT_TRUE(GatewayInNeSubnet({192, 168, 1, 254}, uge, 24, nme, 24));
    EXPECT_FALSE(GatewayInNeSubnet({10, 10, 2, 254}, uge, 24, nme, 24));
    EXPECT_TRUE(GatewayInNeSubnet({10, 10, 2, 254}, uge, 16, nme, 24));
    EXPECT_FALSE(GatewayInNeSubnet({192, 168, 1, 130}, uge, 24, nme, 25));
}

} // namespace
