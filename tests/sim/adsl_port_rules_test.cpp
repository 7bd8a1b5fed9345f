// How a simulated NE judges the writes of the ADSL port hub: a port record's profiles and filter groups, and the
// check of a MAC address about to become a static filtering-database entry (check kind 7), verdict by verdict.

#include <gtest/gtest.h>

#include "core/util/mac_address.h"
#include "sim/seed/adsl_port_rules.h"
#include "sim/seed/pvc_rules.h"

namespace {

constexpr uint32_t kPort = 10105;

AdslPortRec Port(std::string line, std::string pm, std::string policing, uint32_t up = 0, uint32_t down = 0)
{
    AdslPortRec port;
    port.entityId = kPort;
    port.lineProfile = std::move(line);
    port.pmThresholdProfile = std::move(pm);
    port.trafficPolicingProfile = std::move(policing);
    port.enableState = 1;
    port.upstreamFilterGroups = up;
    port.downstreamFilterGroups = down;
    return port;
}

TEST(AdslPortRulesTest, APortTakesOnlyTheNesProfilesAndTheCardsGroups)
{
    const SimPortProfiles profiles{{"fast"}, {"quiet"}, {"police"}};
    const struct {
        AdslPortRec port;
        const char* refusal;
    } cases[] = {
        {Port("fast", "quiet", "police", 0x7, 0xF), ""},
        {Port("", "", ""), ""},
        {Port("gone", "quiet", ""), "Line profile does not exist"},
        {Port("fast", "gone", ""), "PM threshold profile does not exist"},
        {Port("fast", "quiet", "gone"), "Traffic policing profile does not exist"},
        {Port("fast", "quiet", "", 0x8), "Packet filter group does not exist"},
        {Port("fast", "quiet", "", 0, 0x10), "Packet filter group does not exist"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdslPortWriteRefusal(c.port, profiles), c.refusal)
            << c.port.lineProfile << c.port.upstreamFilterGroups;
    AdslPortRec held = Port("fast", "quiet", "");
    held.operState = 2;
    EXPECT_EQ(AdslPortAfterWrite(held, Port("fast", "", "", 1)).operState, 2u) << "the line state stays the NE's";
    EXPECT_TRUE(AdslPortListed(10100, kPort));
    EXPECT_TRUE(AdslPortListed(1, kPort));
    EXPECT_FALSE(AdslPortListed(10200, kPort));
}

SimPvcWorld World()
{
    SimPvcWorld ne;
    PvcRec pvc;
    pvc.portId = kPort;
    pvc.vpi = 0;
    pvc.vci = 35;
    pvc.macLimit = 2;
    ne.pvcs.push_back({pvc, 1, {}});
    pvc.vci = 36;
    ne.pvcs.push_back({pvc, 1, {}});
    FdbEntryRec entry;
    entry.portId = kPort;
    entry.vci = 35;
    entry.mac = {0, 1, 1, 1, 1, 1};
    entry.status = 7;
    ne.staticFdb.push_back(entry);
    AclEntryRec acl;
    acl.portId = kPort;
    acl.vci = 36;
    acl.mac = {0, 2, 2, 2, 2, 2};
    acl.controlState = 5;
    ne.acls.push_back(acl);
    return ne;
}

TEST(AdslPortRulesTest, TheStaticMacCheckAnswersItsVerdicts)
{
    const struct {
        uint16_t vci;
        MacAddress mac;
        uint32_t verdict;
        uint32_t existingType;
    } cases[] = {
        {35, {0, 9, 9, 9, 9, 9}, 1, 0}, // goes on
        {77, {0, 9, 9, 9, 9, 9}, 2, 0}, // no such PVC
        {35, {1, 0, 0, 0, 0, 1}, 3, 0}, // a group address
        {36, {0, 1, 1, 1, 1, 1}, 5, 7}, // a static entry of another PVC
        {35, {0, 2, 2, 2, 2, 2}, 5, 5}, // an ACL entry
        {36, {0, 9, 9, 9, 9, 9}, 7, 5}, // the PVC permits its ACL MACs
    };
    for (const auto& c : cases) {
        AclCheckRec check;
        check.kind = 7;
        check.portId = kPort;
        check.vci = c.vci;
        check.mac = c.mac;
        JudgeSourceMac(World(), check);
        EXPECT_EQ(check.verdict, c.verdict) << c.vci;
        EXPECT_EQ(check.existingType, c.existingType) << c.vci;
    }
    // A PVC with as many static entries as its MAC limit takes no more.
    SimPvcWorld full = World();
    FdbEntryRec second = full.staticFdb.front();
    second.mac = {0, 3, 3, 3, 3, 3};
    full.staticFdb.push_back(second);
    AclCheckRec check;
    check.kind = 7;
    check.portId = kPort;
    check.vci = 35;
    check.mac = {0, 9, 9, 9, 9, 9};
    JudgeSourceMac(full, check);
    EXPECT_EQ(check.verdict, 8u);
}

} // namespace
