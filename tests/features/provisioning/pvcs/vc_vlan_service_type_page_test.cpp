// The Service Type page of the VC-to-VLAN setting: what each service type enables, the ranges it holds and gives back
// in the list's order, and a type set before the page has been shown reading back as set.

#include "tests/platform/qt_test_app.h"

#include "features/provisioning/pvcs/pvc_values.h"
#include "features/provisioning/pvcs/vc_vlan_service_type_page.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <gtest/gtest.h>

namespace {

using Page = CVcVlanServiceTypePage;

PvcStaticIps Ranges(int count)
{
    PvcStaticIps ranges{};
    for (int i = 0; i < count; ++i) {
        ranges[static_cast<size_t>(i)].baseAddress = {192, 0, 2, static_cast<uint8_t>(10 * (i + 1))};
        ranges[static_cast<size_t>(i)].count = 2;
    }
    return ranges;
}

TEST(VcVlanServiceTypePage, EachServiceTypeEnablesWhatItUses)
{
    struct Row {
        uint32_t type;
        bool dhcpLimit;
        bool clientLimit;
        bool ranges;
    };
    for (const Row& row :
         {Row{kServicePppoe, false, false, false}, Row{kServiceDhcp, true, false, false},
          Row{kServicePppoeDhcp, true, false, false}, Row{kServiceStaticIp, false, false, true},
          Row{kServicePppoeStaticIp, false, false, true}, Row{kServiceTransparent, false, true, false}}) {
        SCOPED_TRACE(row.type);
        Page page;
        page.SetServiceType(row.type);
        page.ApplyServiceTypeRule();
        EXPECT_EQ(page.ServiceType(), row.type);
        EXPECT_EQ(page.IsControlEnabled(Page::kDhcpLimitId), row.dhcpLimit);
        EXPECT_EQ(page.IsControlEnabled(Page::kDhcpLimitSpinId), row.dhcpLimit);
        EXPECT_EQ(page.IsControlEnabled(Page::kClientLimitId), row.clientLimit);
        EXPECT_EQ(page.IsControlEnabled(Page::kRangesId), row.ranges);
        EXPECT_EQ(page.IsControlEnabled(kAddButtonId), row.ranges);
        // Modify and Delete need a selected row besides.
        EXPECT_FALSE(page.IsControlEnabled(kModifyButtonId));
        EXPECT_FALSE(page.IsControlEnabled(kDeleteButtonId));
    }
}

TEST(VcVlanServiceTypePage, EightRangesTakeNoMoreAndReadBackInOrder)
{
    Page page;
    page.SetServiceType(kServiceStaticIp);
    page.SetRanges(Ranges(7));
    EXPECT_TRUE(page.IsControlEnabled(kAddButtonId));
    page.SetRanges(Ranges(8));
    EXPECT_FALSE(page.IsControlEnabled(kAddButtonId));
    EXPECT_EQ(page.Ranges(), Ranges(8));

    // Unused entries and ranges of no address are not shown.
    PvcStaticIps gappy = Ranges(3);
    gappy[1].count = 0;
    gappy[4].count = 5; // a count without an address
    page.SetRanges(gappy);
    const PvcStaticIps shown = page.Ranges();
    EXPECT_EQ(shown[0], gappy[0]);
    EXPECT_EQ(shown[1], gappy[2]);
    EXPECT_EQ(shown[2].baseAddress, (IpAddress{}));
    EXPECT_EQ(shown[2], PvcStaticIps{}[2]);
}

TEST(VcVlanServiceTypePage, ATypeTheProgramDoesNotKnowSelectsNone)
{
    Page page;
    page.SetServiceType(9);
    EXPECT_EQ(page.ServiceType(), 0u);
    page.SetServiceType(kServicePppoeStaticIp);
    EXPECT_EQ(page.ServiceType(), kServicePppoeStaticIp);
}

} // namespace
