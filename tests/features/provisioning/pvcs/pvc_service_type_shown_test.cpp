// The service type of the VC-to-VLAN setting: a PVC's type as the dialog shows it, "PPPoE+static IP" for a type the
// program does not know, and the type it writes, DHCP when none is chosen.

#include "features/provisioning/pvcs/pvc_values.h"

#include <gtest/gtest.h>

namespace {

TEST(PvcServiceType, AnUnknownTypeShowsAsPppoeStaticIp)
{
    const struct {
        uint32_t read;
        uint32_t shown;
    } cases[] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {0, 5}, {7, 5}, {0xFFFFFFFFu, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(ShownServiceType(c.read), c.shown) << c.read;
}

TEST(PvcServiceType, NoneChosenWritesDhcp)
{
    EXPECT_EQ(WrittenServiceType(0), 2u);
    for (uint32_t chosen = 1; chosen <= 6; ++chosen)
        EXPECT_EQ(WrittenServiceType(chosen), chosen);
}

} // namespace
