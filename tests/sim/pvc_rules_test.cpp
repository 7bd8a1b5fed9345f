// The rules a simulated NE judges its PVCs by, case by case: each rule of the rule check breaks for the PVC that
// breaks it and for no other, the service-type check names the card's PVCs that break its rules, the source MAC check
// answers its verdicts, and the NE refuses what it cannot take.

#include <gtest/gtest.h>

#include "core/util/mac_address.h"
#include "sim/seed/pvc_rules.h"
#include "tests/link/support/pvc_records.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kRouted = 1;

uint32_t Bits(std::initializer_list<unsigned> bits)
{
    uint32_t mask = 0;
    for (unsigned bit : bits)
        mask |= 1u << bit;
    return mask;
}

PvcRec Pvc(uint32_t portId, uint8_t vpi, uint16_t vci, uint32_t serviceType, uint8_t macLimit = 8, uint16_t vlan = 100)
{
    PvcRec pvc = pvc_records::BridgedPvc(portId, vpi, vci, serviceType);
    pvc.vlanId = vlan;
    pvc.macLimit = macLimit;
    return pvc;
}

SimPvc Held(const PvcRec& pvc, uint32_t row, std::vector<PvcStaticIpEntry> ranges = {})
{
    return {pvc, row, std::move(ranges)};
}

using pvc_records::StaticIpRange;

PvcRuleCheckRec Check(const PvcRec& pvc, uint8_t amount, IpAddress base = {})
{
    PvcRuleCheckRec check;
    check.portId = pvc.portId;
    check.vpi = pvc.vpi;
    check.vci = pvc.vci;
    check.vlanId = pvc.vlanId;
    check.macLimit = pvc.macLimit;
    check.rfc2684Mode = pvc.rfc2684Mode;
    check.serviceType = pvc.serviceType;
    check.ipTrafficProfile = pvc.ipTrafficProfile;
    check.amount = amount;
    check.clientLimit = pvc.clientLimit;
    check.baseAddress = base;
    return check;
}

// Slot 1 of shelf 1: an active PPPoE PVC on port 1 with two source MACs, an active static-IP PVC on port 2 holding
// 192.0.2.10-13, a full port 3 (8 PVCs out of service), and port 4 whose one active PVC sits beside an enabled
// channel. VLAN 100 is limited to 12 MAC addresses; profile "drop" drops broadcast; the NE uses 10.0.0.5.
class PvcRulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pppoe_ = Pvc(10101, 0, 35, 1);
        staticIp_ = Pvc(10102, 0, 35, 4, 8, 200);
        world_.pvcs = {Held(pppoe_, kSimPvcRowActive),
                       Held(staticIp_, kSimPvcRowActive, {StaticIpRange(staticIp_, {192, 0, 2, 10}, 4)})};
        for (uint16_t vci = 32; vci < 40; ++vci)
            world_.pvcs.push_back(Held(Pvc(10103, 0, vci, 1, 1, 300), kSimPvcRowNotInService));
        world_.pvcs.push_back(Held(Pvc(10104, 0, 35, 1, 1, 300), kSimPvcRowActive));
        McChannelRec channel;
        channel.portId = 10104;
        channel.adminState = 1;
        world_.channels = {channel};
        IpTrafficProfileRec drop;
        drop.name = "drop";
        drop.broadcast = 2;
        IpTrafficProfileRec office;
        office.name = "office";
        office.broadcast = 3;
        world_.ipTrafficProfiles = {drop, office};
        world_.vlanLimits = {{100, 12, 1}};
        AclEntryRec acl;
        acl.portId = pppoe_.portId;
        acl.vpi = pppoe_.vpi;
        acl.vci = pppoe_.vci;
        acl.mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
        acl.controlState = 5;
        world_.acls = {acl};
        acl.mac[5] = 0x56;
        world_.acls.push_back(acl);
        world_.ownAddresses = {{10, 0, 0, 5}};
    }

    SimPvcWorld world_;
    PvcRec pppoe_;
    PvcRec staticIp_;
};

TEST_F(PvcRulesTest, EachRuleBreaksForThePvcThatBreaksIt)
{
    PvcRec routedDhcp = Pvc(10105, 0, 35, 2);
    routedDhcp.rfc2684Mode = kRouted;
    PvcRec dropping = Pvc(10105, 0, 35, 2);
    dropping.ipTrafficProfile = "drop";
    PvcRec transparent = Pvc(10105, 0, 35, 6);
    transparent.clientLimit = 10;
    PvcRec smallMac = pppoe_;
    smallMac.macLimit = 1;
    struct Row {
        const char* name;
        PvcRuleCheckRec check;
        uint32_t mask;
    };
    for (const Row& row : {
             Row{"a new PVC of a free port", Check(Pvc(10105, 0, 35, 1, 4, 400), 1), Bits({2})},
             Row{"a new PVC of a full port", Check(Pvc(10103, 1, 40, 1, 1, 300), 1), Bits({0, 2, 6})},
             Row{"the PVC in service", Check(pppoe_, 1), Bits({1})},
             Row{"MAC limit below its source MACs", Check(smallMac, 1), Bits({1, 8})},
             Row{"IP amount above the MAC limit", Check(Pvc(10105, 0, 35, 2, 4, 400), 5), Bits({2, 10})},
             Row{"IP amount above 64", Check(Pvc(10105, 0, 35, 2, 64, 400), 65), Bits({2, 10, 11})},
             Row{"routed DHCP", Check(routedDhcp, 1), Bits({2, 13, 21, 27})},
             Row{"broadcast dropped", Check(dropping, 1), Bits({2, 14, 27})},
             Row{"static IP without a base", Check(Pvc(10105, 0, 35, 4, 8, 400), 0), Bits({2, 15})},
             Row{"over 105 addresses on the card", Check(Pvc(10105, 0, 35, 4, 64, 400), 102, {203, 0, 113, 1}),
                 Bits({2, 10, 11, 18})},
             Row{"the last PVC beside the channel", Check(Pvc(10104, 0, 35, 1, 1, 300), 1), Bits({1, 19})},
             Row{"a range of another PVC", Check(Pvc(10105, 0, 35, 4, 8, 400), 2, {192, 0, 2, 12}), Bits({2, 26})},
             Row{"a range holding the NE's address", Check(Pvc(10105, 0, 35, 4, 8, 400), 4, {10, 0, 0, 4}),
                 Bits({2, 26})},
             Row{"a range running into broadcast", Check(Pvc(10105, 0, 35, 4, 8, 400), 4, {192, 0, 2, 253}),
                 Bits({2, 26})},
             Row{"over the VLAN's limit", Check(Pvc(10105, 0, 35, 1, 8, 100), 1), Bits({2, 27})},
             Row{"client limit above the MAC limit", Check(transparent, 1), Bits({2, 27, 30})},
         }) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(JudgePvc(world_, row.check).errorMask, row.mask);
    }
}

TEST_F(PvcRulesTest, ARangeOfAnotherPvcNamesIt)
{
    const PvcCheckResultRec result = JudgePvc(world_, Check(Pvc(10105, 0, 35, 4, 8, 400), 8, {192, 0, 2, 6}));
    EXPECT_EQ(result.conflictCount, 1);
    EXPECT_EQ(result.conflicts[0], (PvcKeyRec{10102, 0, 35}));
    EXPECT_EQ(JudgePvc(world_, Check(Pvc(10105, 0, 35, 4, 8, 400), 4, {10, 0, 0, 4})).conflictCount, 0);
}

TEST_F(PvcRulesTest, TheCardAndPortLimitsCountWhatIsInService)
{
    // 32 VPI/VCI pairs in service on card 2; a 33rd breaks the limit, a pair the card has does not.
    SimPvcWorld card;
    for (uint16_t i = 0; i < 32; ++i)
        card.pvcs.push_back(Held(Pvc(10201 + i / 8, 0, static_cast<uint16_t>(32 + i), 1, 1, 400), kSimPvcRowActive));
    EXPECT_EQ(JudgePvc(card, Check(Pvc(10205, 0, 100, 1, 1, 400), 1)).errorMask & Bits({5}), Bits({5}));
    EXPECT_EQ(JudgePvc(card, Check(Pvc(10205, 0, 40, 1, 1, 400), 1)).errorMask & Bits({5}), 0u);
    // Port 1 of card 2 holds 8 PVCs in service: a ninth breaks the port's limit.
    EXPECT_EQ(JudgePvc(card, Check(Pvc(10201, 1, 40, 1, 1, 400), 1)).errorMask & Bits({7}), Bits({7}));
    // 6 PVCs of 64 MAC addresses in service take 384 units of card 3.
    SimPvcWorld units;
    for (uint16_t i = 0; i < 6; ++i)
        units.pvcs.push_back(Held(Pvc(10301 + i, 0, 35, 1, 64, 400), kSimPvcRowActive));
    EXPECT_EQ(JudgePvc(units, Check(Pvc(10307, 0, 35, 1, 1, 400), 1)).errorMask & Bits({29}), Bits({29}));
    units.pvcs.back().rowStatus = kSimPvcRowNotInService;
    EXPECT_EQ(JudgePvc(units, Check(Pvc(10307, 0, 35, 1, 1, 400), 1)).errorMask & Bits({29}), 0u);
}

TEST_F(PvcRulesTest, TheServiceTypeCheckNamesTheCardsPvcsThatBreakItsRules)
{
    PvcRec routedDhcp = Pvc(10105, 0, 35, 2);
    routedDhcp.rfc2684Mode = kRouted;
    PvcRec bare = Pvc(10106, 0, 35, 4);
    world_.pvcs.push_back(Held(routedDhcp, kSimPvcRowNotInService));
    world_.pvcs.push_back(Held(bare, kSimPvcRowNotInService));
    const PvcCheckResultRec result = JudgeServiceTypes(world_, 1);
    EXPECT_EQ(result.errorMask, Bits({13, 15}));
    EXPECT_EQ(result.conflictCount, 2);
    EXPECT_EQ(result.conflicts[0], (PvcKeyRec{10105, 0, 35}));
    EXPECT_EQ(result.conflicts[1], (PvcKeyRec{10106, 0, 35}));
    EXPECT_EQ(JudgeServiceTypes(world_, 2).errorMask, 0u);
}

TEST_F(PvcRulesTest, TheSourceMacCheckAnswersItsVerdicts)
{
    struct Row {
        const char* name;
        PvcRec pvc;
        uint32_t kind;
        MacAddress mac;
        uint32_t verdict;
        uint32_t existingType;
    };
    for (const Row& row : {
             Row{"a group address", staticIp_, 5, {0x01, 0, 0x5e, 0, 0, 1}, 3, 0},
             Row{"listed on another PVC", staticIp_, 5, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, 5, 5},
             Row{"deny on a permitting PVC", pppoe_, 4, {0x00, 0xaa, 0, 0, 0, 1}, 7, 5},
             Row{"the first permitted MAC", staticIp_, 5, {0x00, 0xaa, 0, 0, 0, 1}, 6, 0},
             Row{"another permitted MAC", pppoe_, 5, {0x00, 0xaa, 0, 0, 0, 1}, 1, 0},
         }) {
        SCOPED_TRACE(row.name);
        AclCheckRec check;
        check.kind = row.kind;
        check.mac = row.mac;
        check.portId = row.pvc.portId;
        check.vpi = row.pvc.vpi;
        check.vci = row.pvc.vci;
        JudgeSourceMac(world_, check);
        EXPECT_EQ(check.verdict, row.verdict);
        EXPECT_EQ(check.existingType, row.existingType);
    }
    // A PVC whose MAC limit its permitted MACs fill takes no more.
    world_.pvcs[0].pvc.macLimit = 2;
    AclCheckRec full;
    full.kind = 5;
    full.mac = {0x00, 0xaa, 0, 0, 0, 2};
    full.portId = pppoe_.portId;
    full.vpi = pppoe_.vpi;
    full.vci = pppoe_.vci;
    JudgeSourceMac(world_, full);
    EXPECT_EQ(full.verdict, 8u);
}

FdbEntryRec Fdb(const PvcRec& pvc, MacAddress mac, uint32_t status)
{
    FdbEntryRec entry;
    entry.portId = pvc.portId;
    entry.vpi = pvc.vpi;
    entry.vci = pvc.vci;
    entry.mac = mac;
    entry.status = status;
    return entry;
}

// A static entry's check on a static-IP PVC that holds one static entry and has learned one MAC, beside a MAC the
// NE learned spoofed on another port; and what the add then takes the place of.
TEST_F(PvcRulesTest, TheStaticMacCheckAnswersItsVerdictsAndTheAddReplacesLearnedEntries)
{
    const MacAddress kStatic = {0x00, 0x5a, 0, 0, 0, 1};
    const MacAddress kLearnedHere = {0x00, 0x1e, 0xc9, 0, 0, 1};
    const MacAddress kSpoofed = {0x00, 0x1e, 0xc9, 0, 0, 2};
    const MacAddress kFresh = {0x00, 0x5a, 0, 0, 0, 9};
    world_.staticFdb = {Fdb(staticIp_, kStatic, 7)};
    world_.learnedFdb = {Fdb(staticIp_, kLearnedHere, 8), Fdb(Pvc(10104, 0, 35, 1), kSpoofed, 2),
                         Fdb(staticIp_, {0x00, 0x5a, 0, 0, 0, 7}, 7)};
    struct Row {
        const char* name;
        PvcRec pvc;
        MacAddress mac;
        uint32_t verdict;
        uint32_t existingType;
    };
    const auto judge = [this](const PvcRec& pvc, const MacAddress& mac) {
        AclCheckRec check;
        check.kind = 7;
        check.mac = mac;
        check.portId = pvc.portId;
        check.vpi = pvc.vpi;
        check.vci = pvc.vci;
        JudgeSourceMac(world_, check);
        return check;
    };
    for (const Row& row : {
             Row{"a PVC the port lacks", Pvc(10102, 0, 99, 4), kFresh, 2, 0},
             Row{"a group address", staticIp_, {0x01, 0, 0x5e, 0, 0, 1}, 3, 0},
             Row{"an ACL MAC", staticIp_, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, 5, 5},
             Row{"a static MAC", staticIp_, kStatic, 5, 7},
             Row{"learned spoofed on another port", staticIp_, kSpoofed, 4, 2},
             Row{"learned on this PVC", staticIp_, kLearnedHere, 9, 8},
             Row{"a PVC that permits its ACL MACs", pppoe_, kFresh, 7, 5},
             Row{"a new MAC", staticIp_, kFresh, 1, 0},
         }) {
        SCOPED_TRACE(row.name);
        const AclCheckRec check = judge(row.pvc, row.mac);
        EXPECT_EQ(check.verdict, row.verdict);
        EXPECT_EQ(check.existingType, row.existingType);
    }
    // The static entry overwrites the learned one of its MAC only, while the PVC has room.
    EXPECT_EQ(LearnedFdbDroppedFor(world_, Fdb(staticIp_, kLearnedHere, 7)),
              std::vector<FdbEntryRec>{world_.learnedFdb[0]});
    EXPECT_TRUE(LearnedFdbDroppedFor(world_, Fdb(staticIp_, kFresh, 7)).empty());

    // With a limit of two the static and the learned entry fill the PVC: a new MAC clears what it learned.
    world_.pvcs[1].pvc.macLimit = 2;
    EXPECT_EQ(judge(staticIp_, kFresh).verdict, 6u);
    EXPECT_EQ(judge(staticIp_, kLearnedHere).verdict, 9u);
    EXPECT_EQ(LearnedFdbDroppedFor(world_, Fdb(staticIp_, kFresh, 7)), std::vector<FdbEntryRec>{world_.learnedFdb[0]});
    // With a limit of one the static entries fill it alone.
    world_.pvcs[1].pvc.macLimit = 1;
    EXPECT_EQ(judge(staticIp_, kFresh).verdict, 8u);
}

TEST_F(PvcRulesTest, TheNeRefusesWhatItCannotTake)
{
    EXPECT_EQ(PvcWriteRefusal(world_, Pvc(10103, 1, 40, 1)), "PVC amount on this port has reached maximum (8)");
    EXPECT_EQ(PvcWriteRefusal(world_, pppoe_), "PVC is in service");
    EXPECT_EQ(PvcWriteRefusal(world_, Pvc(10105, 0, 31, 1)), "VCI out of range");
    EXPECT_EQ(PvcWriteRefusal(world_, Pvc(10105, 0, 35, 1, 17)), "Invalid MAC limit");
    EXPECT_EQ(PvcWriteRefusal(world_, Pvc(10105, 0, 35, 1, 8, 4095)), "VLAN ID out of range");
    EXPECT_EQ(PvcWriteRefusal(world_, Pvc(10105, 0, 35, 6, 64, 4094)), "");

    PvcRec unknownProfile = Pvc(10105, 0, 35, 1);
    unknownProfile.ipTrafficProfile = "nobody";
    EXPECT_EQ(RowStatusAfterWrite(world_, unknownProfile), kSimPvcRowNotReady);
    EXPECT_EQ(RowStatusAfterWrite(world_, Pvc(10105, 0, 35, 1)), kSimPvcRowNotInService);

    bool missingIpBase = false;
    EXPECT_FALSE(
        ActivationRefusal(world_, Held(Pvc(10105, 0, 35, 4, 8, 400), kSimPvcRowNotInService), &missingIpBase).empty());
    EXPECT_TRUE(missingIpBase);
    EXPECT_EQ(ActivationRefusal(world_, Held(Pvc(10105, 0, 35, 1, 8, 100), kSimPvcRowNotInService), &missingIpBase),
              "Enabled PVC MAC limit and MCAU channels should not be greater than VLAN MAC limit");
    EXPECT_FALSE(missingIpBase);

    world_.pvcs.push_back(Held(Pvc(10105, 0, 35, 4, 8, 400), kSimPvcRowNotInService));
    const PvcRec fresh = world_.pvcs.back().pvc;
    EXPECT_EQ(RangeRefusal(world_, StaticIpRange(fresh, {192, 0, 2, 13}, 2)), "IP address is reserved");
    EXPECT_EQ(RangeRefusal(world_, StaticIpRange(fresh, {192, 0, 2, 14}, 2)), "");
    EXPECT_EQ(RangeRefusal(world_, StaticIpRange(staticIp_, {198, 51, 100, 1}, 2)), "PVC is in service");

}

// The add of a source MAC (2/521) keeps to the verdict of its check (484): what the check lets go on is taken, what
// it refuses is refused with the check's reason.
TEST_F(PvcRulesTest, TheAddOfASourceMacKeepsToItsCheck)
{
    const auto entryOn = [](const PvcRec& pvc, uint32_t state, MacAddress mac) {
        AclEntryRec entry;
        entry.portId = pvc.portId;
        entry.vpi = pvc.vpi;
        entry.vci = pvc.vci;
        entry.controlState = state;
        entry.mac = mac;
        return entry;
    };
    const auto verdictOf = [this](const AclEntryRec& entry) {
        AclCheckRec check = SourceMacCheckOf(entry);
        JudgeSourceMac(world_, check);
        return check.verdict;
    };
    struct Row {
        const char* name;
        AclEntryRec entry;
        uint32_t verdict;
        const char* refusal;
    };
    const MacAddress kListed = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}; // permitted on another PVC
    for (const Row& row : {
             Row{"a MAC another PVC permits, denied here", entryOn(staticIp_, 4, kListed), 5, ""},
             Row{"a MAC another PVC permits, permitted here", entryOn(staticIp_, 5, kListed), 5,
                 "MAC address has existed in FDB table"},
             Row{"no MAC at all", entryOn(staticIp_, 4, {}), 3, "MAC address is reserved"},
             Row{"a PVC the port lacks", entryOn(Pvc(10102, 0, 99, 4), 4, {0x00, 0x12, 0, 0, 0, 9}), 2,
                 "PVC does not exist"},
             Row{"deny on a permitting PVC", entryOn(pppoe_, 4, {0x00, 0xaa, 0, 0, 0, 1}), 7,
                 "ACL permitted FDB entries have existed on this PVC"},
             Row{"a new denied MAC", entryOn(staticIp_, 4, {0x00, 0x12, 0, 0, 0, 9}), 1, ""},
         }) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(verdictOf(row.entry), row.verdict);
        EXPECT_EQ(AclRefusal(world_, row.entry), row.refusal);
    }
    // A PVC lists 64 source MACs at most, denied or permitted: the 65th is refused by the check and by the add.
    for (uint8_t i = 0; i < 64; ++i)
        world_.acls.push_back(entryOn(staticIp_, 4, {0x00, 0x13, 0, 0, 0, i}));
    const AclEntryRec more = entryOn(staticIp_, 4, {0x00, 0x13, 0, 0, 1, 0});
    EXPECT_EQ(verdictOf(more), 8u);
    EXPECT_EQ(AclRefusal(world_, more), "FDB entries on this PVC has reached its MAC limit");
    world_.acls.pop_back();
    EXPECT_EQ(verdictOf(more), 1u);
    EXPECT_EQ(AclRefusal(world_, more), "");
}

} // namespace
