// The rows a fast provisioning makes of its ports: the PVC rows after each port row with their VPI, VCI and VLAN
// steps, the VLAN carried on from port to port or started again, the static IP block of each PVC, the port whose
// blocks meet addresses in use left out from its last PVC, and a VLAN step out of range after any PVC.

#include "features/provisioning/fast_prov/fast_prov_rows.h"

#include "core/entity/entity_id.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

std::vector<FastProvPort> Ports(unsigned count)
{
    std::vector<FastProvPort> ports;
    for (unsigned port = 1; port <= count; ++port) {
        CEntityId id;
        id.SetLevels(1, 1, 1, port, 0);
        ports.push_back({id.id, id.index});
    }
    return ports;
}

// "P" for a port row; "vpi/vci/vlan" for a PVC row, with " a.b.c.d" for a static IP and " skip" when left out.
std::vector<std::string> Describe(const FastProvExpansion& expansion)
{
    std::vector<std::string> rows;
    for (const FastProvRow& row : expansion.rows) {
        if (row.isPort) {
            rows.push_back("P" + std::to_string(row.number));
            continue;
        }
        std::string text = std::to_string(row.vpi) + "/" + std::to_string(row.vci) + "/" + std::to_string(row.vlan);
        if (row.staticIp != std::array<uint8_t, 4>{})
            text += " " + std::to_string(row.staticIp[0]) + "." + std::to_string(row.staticIp[1]) + "." +
                    std::to_string(row.staticIp[2]) + "." + std::to_string(row.staticIp[3]);
        if (row.skipped)
            text += " skip";
        rows.push_back(text);
    }
    return rows;
}

struct ExpansionCase {
    const char* name;
    FastProvParams params;
    unsigned ports;
    bool overflow;
    std::vector<std::string> rows;
};

void PrintTo(const ExpansionCase& c, std::ostream* out)
{
    *out << c.name;
}

FastProvParams Bridged(uint8_t pvcs, uint16_t vlanStart, int16_t vlanIncrement, bool continuous)
{
    FastProvParams params;
    params.pvcsPerPort = pvcs;
    params.vlanStart = vlanStart;
    params.vlanIncrement = vlanIncrement;
    params.vlanContinuous = continuous;
    return params;
}

FastProvParams WithVpiVci(FastProvParams params, uint8_t vpiStart, uint8_t vpiStep, uint16_t vciStart, uint16_t vciStep)
{
    params.vpiStart = vpiStart;
    params.vpiIncrement = vpiStep;
    params.vciStart = vciStart;
    params.vciIncrement = vciStep;
    return params;
}

FastProvParams StaticIp(FastProvParams params, std::array<uint8_t, 4> base, uint8_t limit, uint16_t perPort)
{
    params.serviceType = kServiceStaticIp;
    params.staticIpBase = base;
    params.staticIpLimit = limit;
    params.ipIncrementPerPort = perPort;
    return params;
}

FastProvParams Routed(FastProvParams params)
{
    params.encapsulation = kRfc2684Routed;
    params.nextHopName = "core";
    return params;
}

class FastProvExpansionTest : public ::testing::TestWithParam<ExpansionCase> {};

TEST_P(FastProvExpansionTest, MakesTheRowsOfThePorts)
{
    const ExpansionCase& c = GetParam();
    const FastProvExpansion expansion = ExpandFastProvRows(c.params, Ports(c.ports));
    EXPECT_EQ(expansion.vlanOverflow, c.overflow);
    EXPECT_EQ(Describe(expansion), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FastProvExpansionTest,
    ::testing::Values(
        ExpansionCase{"ThreePvcsAfterEachPort",
                      WithVpiVci(Bridged(3, 100, 1, false), 0, 0, 32, 1),
                      2,
                      false,
                      {"P1", "0/32/100", "0/33/101", "0/34/102", "P2", "0/32/100", "0/33/101", "0/34/102"}},
        ExpansionCase{
            "VpiSteps", WithVpiVci(Bridged(2, 10, 0, false), 1, 4, 40, 0), 1, false, {"P1", "1/40/10", "5/40/10"}},
        ExpansionCase{"ContinuousVlanGoesOnFromPortToPort",
                      Bridged(2, 100, 1, true),
                      2,
                      false,
                      {"P1", "0/32/100", "0/33/101", "P2", "0/32/102", "0/33/103"}},
        ExpansionCase{"NegativeVlanSteps",
                      Bridged(1, 50, -10, true),
                      3,
                      false,
                      {"P1", "0/32/50", "P2", "0/32/40", "P3", "0/32/30"}},
        // The step after every PVC must stay in 1..4094, the last PVC's too: at the bound and one past it.
        ExpansionCase{"StepsUpTo4094",
                      Bridged(2, 4090, 2, false),
                      2,
                      false,
                      {"P1", "0/32/4090", "0/33/4092", "P2", "0/32/4090", "0/33/4092"}},
        ExpansionCase{"AStepPast4094AfterTheLastPvc", Bridged(3, 4090, 2, false), 1, true, {}},
        ExpansionCase{"VlanPast4094", Bridged(4, 4090, 2, false), 1, true, {}},
        ExpansionCase{"StepsDownTo1", Bridged(2, 3, -1, false), 1, false, {"P1", "0/32/3", "0/33/2"}},
        ExpansionCase{"ANegativeStepFromVlan1", Bridged(1, 1, -1, false), 2, true, {}},
        ExpansionCase{"VlanBelow1", Bridged(2, 1, -1, false), 1, true, {}},
        ExpansionCase{"StaticIpBlocksPerPortAndPvc",
                      StaticIp(Bridged(2, 7, 0, false), {10, 0, 0, 1}, 4, 16),
                      2,
                      false,
                      {"P1", "0/32/7 10.0.0.1", "0/33/7 10.0.0.5", "P2", "0/32/7 10.0.0.17", "0/33/7 10.0.0.21"}},
        ExpansionCase{"NoStaticIpBase",
                      StaticIp(Bridged(1, 7, 0, false), {0, 0, 0, 0}, 4, 16),
                      2,
                      false,
                      {"P1", "0/32/7", "P2", "0/32/7"}},
        ExpansionCase{"StaticIpBlocksCrossAByte",
                      StaticIp(Bridged(1, 7, 0, false), {10, 0, 0, 250}, 8, 8),
                      2,
                      false,
                      {"P1", "0/32/7 10.0.0.250", "P2", "0/32/7 10.0.1.2"}},
        ExpansionCase{"RoutedPvcsTakeVlan1",
                      StaticIp(Routed(Bridged(2, 300, 5, false)), {192, 168, 1, 10}, 2, 4),
                      1,
                      false,
                      {"P1", "0/32/1 192.168.1.10", "0/33/1 192.168.1.12"}}),
    [](const ::testing::TestParamInfo<ExpansionCase>& info) { return std::string(info.param.name); });

// A block in use marks the last PVC row of its port, whichever PVC of the port it belongs to.
TEST(FastProvRowsTest, ABlockInUseMarksTheLastPvcRowOfItsPort)
{
    const FastProvParams params = StaticIp(Bridged(3, 7, 0, false), {10, 0, 0, 1}, 4, 16);
    std::vector<std::array<uint8_t, 4>> asked;
    const FastProvExpansion expansion =
        ExpandFastProvRows(params, Ports(2), [&](const std::array<uint8_t, 4>& first, uint8_t count) {
            asked.push_back(first);
            EXPECT_EQ(count, 4);
            return first == std::array<uint8_t, 4>{10, 0, 0, 1};
        });
    EXPECT_EQ(Describe(expansion),
              (std::vector<std::string>{"P1", "0/32/7 10.0.0.1", "0/33/7 10.0.0.5", "0/34/7 10.0.0.9 skip", "P2",
                                        "0/32/7 10.0.0.17", "0/33/7 10.0.0.21", "0/34/7 10.0.0.25"}));
    EXPECT_EQ(expansion.rows[3].outcome, FastProvOutcome::kFailed);
    EXPECT_EQ(asked.size(), 6u);
}

TEST(FastProvRowsTest, ARowOfEachPortCarriesItsPort)
{
    const FastProvExpansion expansion = ExpandFastProvRows(Bridged(2, 1, 1, false), Ports(2));
    ASSERT_EQ(expansion.rows.size(), 6u);
    EXPECT_EQ(expansion.rows[4].port.index.Port(), 2u);
    EXPECT_EQ(expansion.rows[5].port.entityId, expansion.rows[3].port.entityId);
}

} // namespace
