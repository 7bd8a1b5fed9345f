// The simulated server's PVCs of North-1 as its requests reach them: the rule checks written and read back judge what
// the NE holds, a write the NE cannot take is refused and changes nothing, a static-IP PVC without a range is refused
// service with the reason in its record, deletion takes the PVC's ranges and source MACs with it, and a source MAC
// gives the PVC its control state.

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/acl_check_rec.h"
#include "link/records/acl_entry_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_row_status_rec.h"
#include "link/records/pvc_rule_check_rec.h"
#include "link/records/pvc_static_ip_entry.h"
#include "link/records/request_codes.h"
#include "link/records/service_type_check_rec.h"
#include "link/records/word_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"
#include "tests/sim/support/sim_exchange.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kNow = 1700000000;
constexpr uint32_t kNorth1 = 1;

using Answer = SimAnswer;

PvcRec Key(uint32_t portId, uint8_t vpi, uint16_t vci)
{
    PvcRec pvc;
    pvc.portId = portId;
    pvc.vpi = vpi;
    pvc.vci = vci;
    return pvc;
}

class SimPvcRequestsTest : public ::testing::Test {
protected:
    SimPvcRequestsTest()
    {
        std::string error;
        EXPECT_TRUE(database_.Load(LoadSimTestWorld(), kNow, &error)) << error;
    }

    template <class Rec> Answer Send(uint8_t operation, uint16_t code, const Rec& record)
    {
        return SendRecordToSimHandler(handler_, admin_, {operation, code, kNorth1, kNow}, record);
    }
    template <class Rec> Answer Write(uint16_t code, const Rec& record) { return Send(kEmsOpModify, code, record); }
    template <class Rec> Answer Read(uint16_t code, const Rec& record) { return Send(kEmsOpQuery, code, record); }

    PvcCheckResultRec RuleCheck(const PvcRuleCheckRec& check)
    {
        EXPECT_TRUE(Write(kReqPvcRuleCheck, check).ok);
        const std::vector<PvcRuleCheckRec> read = Read(kReqPvcRuleCheck, PvcRuleCheckRec{}).Records<PvcRuleCheckRec>();
        EXPECT_EQ(read.size(), 1u);
        return read.empty() ? PvcCheckResultRec{} : read.front().result;
    }

    uint32_t RowStatus(const PvcRec& key)
    {
        const auto rows =
            Read(kReqPvcRowStatus, PvcRowStatusRec{key.portId, key.vpi, key.vci, 0}).Records<PvcRowStatusRec>();
        return rows.empty() ? 0 : rows.front().status;
    }

    CSimDatabase database_;
    CSimRequestHandler handler_{database_, SimHandlerOptions{}};
    SimSession admin_ = SimAdminSession();
};

TEST_F(SimPvcRequestsTest, RuleChecksJudgeWhatTheNeHolds)
{
    // A range of PVC 1-5 0/36, offered to a new PVC of port 5.
    PvcRuleCheckRec check;
    check.portId = 10105;
    check.vci = 41;
    check.rfc2684Mode = 2;
    check.vlanId = 310;
    check.macLimit = 8;
    check.serviceType = 4;
    check.baseAddress = {198, 51, 100, 10};
    check.amount = 2;
    const PvcCheckResultRec result = RuleCheck(check);
    EXPECT_NE(result.errorMask & (1u << 26), 0u);
    EXPECT_EQ(result.conflictCount, 1);
    EXPECT_EQ(result.conflicts[0], (PvcKeyRec{10105, 0, 36}));

    // Slot 1's transparent PVC of port 7 lets more clients in than its MAC limit: service-type control would not.
    ServiceTypeCheckRec card;
    card.slot = 1;
    ASSERT_TRUE(Write(kReqServiceTypeCheck, card).ok);
    const auto cards = Read(kReqServiceTypeCheck, ServiceTypeCheckRec{}).Records<ServiceTypeCheckRec>();
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards.front().result.errorMask, 1u << 30);
    EXPECT_EQ(cards.front().result.conflictCount, 1);
    EXPECT_EQ(cards.front().result.conflicts[0], (PvcKeyRec{10107, 0, 35}));

    // The source MAC already permitted on 1-6 0/35, asked of 1-5 0/35.
    AclCheckRec mac;
    mac.kind = 5;
    mac.mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    mac.portId = 10105;
    mac.vci = 35;
    ASSERT_TRUE(Write(kReqAclCheck, mac).ok);
    const auto verdicts = Read(kReqAclCheck, AclCheckRec{}).Records<AclCheckRec>();
    ASSERT_EQ(verdicts.size(), 1u);
    EXPECT_EQ(verdicts.front().verdict, 5u);
    EXPECT_EQ(verdicts.front().existingPortId, 10106u);
}

TEST_F(SimPvcRequestsTest, TheNeRefusesWhatItCannotTakeAndKeepsWhatItHad)
{
    const std::vector<PvcRec> before = Read(kReqPvc, Key(10105, 0, 0)).Records<PvcRec>();
    ASSERT_EQ(before.size(), 2u);
    // In service, 1-5 0/35 cannot be rewritten.
    PvcRec changed = before.front();
    changed.macLimit = 16;
    EXPECT_EQ(Write(kReqPvc, changed).refusal, "PVC is in service");
    // Out of service it can.
    EXPECT_TRUE(Write(kReqPvcRowStatus, PvcRowStatusRec{10105, 0, 35, 2}).ok);
    EXPECT_TRUE(Write(kReqPvc, changed).ok);
    EXPECT_EQ(Read(kReqPvc, Key(10105, 0, 0)).Records<PvcRec>().front().macLimit, 16);
    // A port's ninth PVC.
    for (uint16_t vci = 100; vci < 106; ++vci) {
        PvcRec pvc = changed;
        pvc.vci = vci;
        ASSERT_TRUE(Write(kReqPvc, pvc).ok) << vci;
    }
    PvcRec ninth = changed;
    ninth.vci = 106;
    EXPECT_EQ(Write(kReqPvc, ninth).refusal, "PVC amount on this port has reached maximum (8)");
    EXPECT_EQ(Read(kReqPvc, Key(10105, 0, 0)).Records<PvcRec>().size(), 8u);
    // A port the NE does not have.
    PvcRec nowhere = changed;
    nowhere.portId = 10199;
    EXPECT_EQ(Write(kReqPvc, nowhere).refusal, "Port does not exist");
}

TEST_F(SimPvcRequestsTest, AStaticIpPvcNeedsARangeToBeInService)
{
    PvcRec pvc = Read(kReqPvc, Key(10105, 0, 0)).Records<PvcRec>().back();
    ASSERT_EQ(pvc.vci, 36);
    ASSERT_TRUE(Write(kReqPvcRowStatus, PvcRowStatusRec{10105, 0, 36, 2}).ok);
    PvcStaticIpEntry range;
    range.portId = 10105;
    range.vci = 36;
    range.baseAddress = {198, 51, 100, 8};
    range.count = 4;
    ASSERT_TRUE(Write(kReqPvcStaticIpDelete, range).ok);
    // Refused in its record: the reason where the VPI is, no words.
    const Answer refused = Write(kReqPvcRowStatus, PvcRowStatusRec{10105, 0, 36, 1});
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.refusal.empty());
    ASSERT_EQ(refused.records.size(), 1u);
    EXPECT_EQ(refused.Records<PvcRowStatusRec>().front().vpi, 12);
    EXPECT_EQ(RowStatus(Key(10105, 0, 36)), 2u);
    // A range another PVC holds is not given; a free one is, and the PVC goes back in service.
    PvcStaticIpEntry taken = range;
    taken.baseAddress = {192, 0, 2, 254};
    taken.count = 1;
    EXPECT_EQ(Write(kReqPvcStaticIpAdd, taken).refusal, "IP address is reserved");
    ASSERT_TRUE(Write(kReqPvcStaticIpAdd, range).ok);
    EXPECT_TRUE(Write(kReqPvcRowStatus, PvcRowStatusRec{10105, 0, 36, 1}).ok);
    EXPECT_EQ(RowStatus(Key(10105, 0, 36)), 1u);
}

// The lists a PVC's static IP ranges are checked against, asked at NE id 0, are the server's: it answers each,
// never with a failure, and names no address in them; the NE then refuses a range it uses when the range is added
// (above).
TEST_F(SimPvcRequestsTest, TheListsOfTheRangeCheckHoldNoAddressAtNeIdZero)
{
    const std::vector<uint8_t> zero(28);
    for (const uint16_t code : {kReqNeNetworkConfig.value, kReqNextHop.value, kReqNeDns.value,
                                kReqDhcpRelayServer.value, kReqNeSnmpManager.value}) {
        SCOPED_TRACE(code);
        const Answer answer = SendToSimHandler(handler_, admin_, {kEmsOpQuery, code, 0, kNow}, zero);
        EXPECT_TRUE(answer.ok) << answer.refusal;
        for (const std::vector<uint8_t>& record : answer.records)
            EXPECT_EQ(std::count(record.begin(), record.end(), 0), static_cast<std::ptrdiff_t>(record.size()));
    }
}

// A PVC's source MACs share its state: a MAC of the other state is refused, as the check says; one of the PVC's state
// is listed with the PVC's VLAN; the MACs go with their PVC.
TEST_F(SimPvcRequestsTest, SourceMacsKeepThePvcsStateAndGoWithIt)
{
    AclEntryRec entry;
    entry.portId = 10106;
    entry.vci = 35;
    entry.mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x66};
    entry.controlState = 4;
    EXPECT_EQ(Write(kReqAclAdd, entry).refusal, "ACL permitted FDB entries have existed on this PVC");
    entry.controlState = 5;
    const Answer added = Write(kReqAclAdd, entry);
    ASSERT_TRUE(added.ok) << added.refusal;
    EXPECT_EQ(added.Records<AclEntryRec>().front().vlanId, 301);
    const auto listed = Read(kReqAcl, WordRecord{10100}).Records<AclEntryRec>();
    ASSERT_EQ(listed.size(), 2u);
    for (const AclEntryRec& acl : listed)
        EXPECT_EQ(acl.controlState, 5u);
    EXPECT_EQ(Write(kReqAclAdd, entry).refusal, "Same ACL entry has already existed on this PVC");

    ASSERT_TRUE(Write(kReqPvcDelete, Key(10106, 0, 35)).ok);
    EXPECT_TRUE(Read(kReqAcl, WordRecord{1}).Records<AclEntryRec>().empty());
    EXPECT_TRUE(Read(kReqPvc, Key(10106, 0, 0)).Records<PvcRec>().empty());
}

} // namespace
