// How a simulated NE judges a change of a profile its PVCs or ports use: dropping broadcast on an IP traffic profile
// that DHCP-related or transparent PVCs use, and re-marking DSCP on a policing profile of a port with PPPoE-related,
// DHCP-related or transparent PVCs in service.

#include "sim/seed/profile_rules.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kDhcpOrTransparent = 1u << 14;
constexpr uint32_t kPppoe = 1u << 25;

SimPvc Pvc(uint32_t portId, uint16_t vci, uint32_t serviceType, const std::string& profile, uint32_t enable = 1)
{
    SimPvc held;
    held.pvc.portId = portId;
    held.pvc.vci = vci;
    held.pvc.serviceType = serviceType;
    held.pvc.ipTrafficProfile = profile;
    held.pvc.enableState = enable;
    return held;
}

TEST(ProfileRulesTest, DroppingBroadcastIsJudgedByThePvcsUsingTheProfile)
{
    const struct {
        uint32_t serviceType;
        const char* profile;
        uint32_t mask;
    } cases[] = {{1, "office", 0},
                 {2, "office", kDhcpOrTransparent},
                 {3, "office", kDhcpOrTransparent},
                 {4, "office", 0},
                 {5, "office", 0},
                 {6, "office", kDhcpOrTransparent},
                 {2, "video", 0}};
    for (const auto& c : cases) {
        SimPvcWorld ne;
        ne.pvcs = {Pvc(10105, 35, c.serviceType, c.profile)};
        const PvcCheckResultRec verdict = JudgeIpTrafficDrop(ne, "office");
        EXPECT_EQ(verdict.errorMask, c.mask) << c.serviceType << " " << c.profile;
        EXPECT_EQ(verdict.conflictCount, c.mask != 0 ? 1 : 0);
    }
}

TEST(ProfileRulesTest, ReMarkingDscpIsJudgedByThePvcsInServiceOnPortsApplyingTheProfile)
{
    AdslPortRec policed;
    policed.entityId = 10106;
    policed.trafficPolicingProfile = "gold";
    AdslPortRec other;
    other.entityId = 10107;
    other.trafficPolicingProfile = "silver";
    const struct {
        SimPvc pvc;
        uint32_t mask;
    } cases[] = {
        {Pvc(10106, 35, 1, ""), kPppoe}, {Pvc(10106, 35, 5, ""), kPppoe}, {Pvc(10106, 35, 6, ""), kDhcpOrTransparent},
        {Pvc(10106, 35, 4, ""), 0},      {Pvc(10106, 35, 1, "", 2), 0},   {Pvc(10107, 35, 1, ""), 0}};
    for (const auto& c : cases) {
        SimPvcWorld ne;
        ne.pvcs = {c.pvc};
        EXPECT_EQ(JudgePolicingDscp(ne, {policed, other}, "gold").errorMask, c.mask)
            << c.pvc.pvc.portId << " " << c.pvc.pvc.serviceType;
    }
}

} // namespace
