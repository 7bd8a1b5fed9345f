// What the VC-to-VLAN list's service-type columns show of a PVC, under service-type control of its line card and
// without it, for every service type and an unknown one, and how the key columns order PVCs.

#include "features/provisioning/pvcs/pvc_values.h"
#include "features/provisioning/pvcs/vc_vlan_columns.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace column = vc_vlan_column;

std::string Cell(const std::vector<ListColumn<PvcRec>>& columns, int index, const PvcRec& pvc)
{
    return columns[static_cast<size_t>(index)].value(pvc).text;
}

TEST(VcVlanColumns, TheServiceTypeColumnsFollowTheCardsControl)
{
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
    bool controlled = false;
    const std::vector<ListColumn<PvcRec>> columns =
        VcVlanColumns([] { return nullptr; }, [&controlled](uint32_t) { return controlled; });
    struct Row {
        uint32_t type;
        uint32_t mode;
        const char* configured;
        const char* controlledRunTime;
        const char* withoutControl;
    };
    for (const Row& row :
         {Row{kServicePppoe, kRfc2684Bridged, "PPPoE", "PPPoE", "Pure-bridge"},
          Row{kServiceDhcp, kRfc2684Bridged, "DHCP", "DHCP", "Pure-bridge"},
          Row{kServicePppoeDhcp, kRfc2684Bridged, "PPPoE+DHCP", "PPPoE+DHCP", "Pure-bridge"},
          Row{kServiceStaticIp, kRfc2684Routed, "Static IP", "Static IP", "Routed"},
          Row{kServicePppoeStaticIp, kRfc2684Bridged, "PPPoE+Static IP", "PPPoE+Static IP", "Pure-bridge"},
          Row{kServiceTransparent, kRfc2684Bridged, "Transparent", "Transparent", "Pure-bridge"},
          // A type the list does not know reads as DHCP where it is configured, as static IP where it runs.
          Row{0, kRfc2684Routed, "DHCP", "Static IP", "Routed"},
          Row{7, kRfc2684Bridged, "DHCP", "Static IP", "Pure-bridge"}}) {
        SCOPED_TRACE(row.type);
        PvcRec pvc;
        pvc.serviceType = row.type;
        pvc.rfc2684Mode = row.mode;
        controlled = true;
        EXPECT_EQ(Cell(columns, column::kServiceTypeControl, pvc), "Enabled");
        EXPECT_EQ(Cell(columns, column::kConfiguredServiceType, pvc), row.configured);
        EXPECT_EQ(Cell(columns, column::kRunTimeServiceType, pvc), row.controlledRunTime);
        controlled = false;
        EXPECT_EQ(Cell(columns, column::kServiceTypeControl, pvc), "Disabled");
        EXPECT_EQ(Cell(columns, column::kConfiguredServiceType, pvc), row.configured);
        EXPECT_EQ(Cell(columns, column::kRunTimeServiceType, pvc), row.withoutControl);
    }
}

TEST(VcVlanColumns, ThePvcsKeyOrdersTheKeyAndNameColumns)
{
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
    const std::vector<ListColumn<PvcRec>> columns = VcVlanColumns([] { return nullptr; }, {});
    const auto key = [&](int index, const PvcRec& pvc) {
        return columns[static_cast<size_t>(index)].sortValue(pvc).text;
    };
    PvcRec a;
    a.portId = 10201;
    a.vpi = 0;
    a.vci = 100;
    a.rfc2684Mode = kRfc2684Bridged;
    a.vlanId = 20;
    PvcRec b = a;
    b.portId = 10105;
    b.vci = 35;
    b.vlanId = 300;
    PvcRec c = a;
    c.vpi = 8;
    c.vci = 32;
    // VPI, then VCI, then port.
    EXPECT_LT(key(column::kVpi, b), key(column::kVpi, a));
    EXPECT_LT(key(column::kVpi, a), key(column::kVpi, c));
    // By mode first, routed before bridged; bridged ones by VLAN ID as a number.
    EXPECT_LT(key(column::kVlanOrNextHop, a), key(column::kVlanOrNextHop, b));
    PvcRec routed = a;
    routed.rfc2684Mode = kRfc2684Routed;
    routed.nextHopName = "a";
    EXPECT_LT(key(column::kVlanOrNextHop, routed), key(column::kVlanOrNextHop, b));
}

} // namespace
