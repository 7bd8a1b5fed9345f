// The rule check of a PVC against an NE that judges each check as the test says: which checks are sent, with which
// service type, amount and IP base, where the check stops, which part of the PVC the verdict names, and what the
// operator reads of it.

#include "tests/features/provisioning/pvcs/fake_pvc_ne.h"
#include "tests/features/provisioning/pvcs/pvc_test_support.h"
#include "tests/link/support/pvc_records.h"

#include "features/provisioning/pvcs/pvc_rule_check.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace pvc_test;
using pvc_rule::Bit;

PvcRec Pvc(uint32_t serviceType, uint32_t mode = kRfc2684Bridged)
{
    PvcRec pvc = pvc_records::BridgedPvc(kPort, 0, 35, serviceType);
    pvc.rfc2684Mode = mode;
    pvc.macLimit = 16;
    pvc.dhcpIpLimit = 5;
    pvc.clientLimit = 3;
    pvc.enableState = kPvcEnabled;
    return pvc;
}

PvcStaticIps Ranges(std::vector<std::pair<IpAddress, uint8_t>> given)
{
    PvcStaticIps ranges{};
    for (size_t i = 0; i < given.size(); ++i) {
        ranges[i].baseAddress = given[i].first;
        ranges[i].count = given[i].second;
    }
    return ranges;
}

// A judge that breaks the given rules at the given check (numbered from 1), and none elsewhere.
CFakePvcNe::Judge BreakAt(std::map<int, PvcCheckResultRec> verdicts)
{
    return [verdicts](const PvcRuleCheckRec&, int check) {
        const auto found = verdicts.find(check);
        return found != verdicts.end() ? found->second : PvcCheckResultRec{};
    };
}

PvcCheckResultRec Broken(uint32_t mask)
{
    PvcCheckResultRec result;
    result.errorMask = mask;
    return result;
}

class PvcRuleCheckTest : public PvcTest {
protected:
    PvcRuleVerdict Check(const PvcRec& pvc, const PvcStaticIps& ranges, bool create = false)
    {
        return CheckPvcRules(kNe, create, pvc, ranges, 0, CRecordRequests(ne_.Channel()));
    }
    CFakePvcNe ne_;
};

TEST_F(PvcRuleCheckTest, AStaticIpPvcIsJudgedWholeThenByItsAmountThenRangeByRange)
{
    const PvcStaticIps ranges = Ranges({{{192, 0, 2, 10}, 4}, {{192, 0, 2, 20}, 2}, {{198, 51, 100, 1}, 1}});
    const PvcRuleVerdict verdict = Check(Pvc(kServiceStaticIp), ranges);
    EXPECT_TRUE(verdict.passed);
    EXPECT_EQ(verdict.failedIndex, 0);

    const std::vector<PvcRuleCheckRec> checks = ne_.ChecksWritten();
    ASSERT_EQ(checks.size(), 5u); // the fourth range is unused: the check ends there
    EXPECT_EQ(checks[0].serviceType, kServiceStaticIp);
    EXPECT_EQ(checks[0].amount, 0);
    EXPECT_EQ(checks[1].serviceType, kServiceStaticIp);
    EXPECT_EQ(checks[1].amount, 7);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(checks[2 + i].serviceType, kServiceStaticIp);
        EXPECT_EQ(checks[2 + i].baseAddress, ranges[i].baseAddress);
        EXPECT_EQ(checks[2 + i].amount, ranges[i].count);
    }
    for (const PvcRuleCheckRec& check : checks) {
        EXPECT_EQ(check.portId, kPort);
        EXPECT_EQ(check.vci, 35);
        EXPECT_EQ(check.vlanId, 100);
        EXPECT_EQ(check.macLimit, 16);
        EXPECT_EQ(check.clientLimit, 3);
        EXPECT_EQ(check.ipTrafficProfile, "office");
    }
    // Each check is written, then read back.
    EXPECT_EQ(ne_.Count(kReqPvcRuleCheck, kEmsOpModify), 5);
    EXPECT_EQ(ne_.Count(kReqPvcRuleCheck, kEmsOpQuery), 5);
}

TEST_F(PvcRuleCheckTest, TheAmountSentFollowsTheServiceType)
{
    struct Row {
        uint32_t serviceType;
        uint32_t sentType;
        uint8_t amount;
    };
    for (const Row& row :
         {Row{kServicePppoe, kServicePppoe, 5}, Row{kServiceDhcp, kServiceDhcp, 5},
          Row{kServicePppoeDhcp, kServicePppoeDhcp, 5}, Row{kServiceTransparent, kServiceTransparent, 5},
          Row{kServicePppoeStaticIp, kServicePppoeStaticIp, 3}, Row{0, kServiceDhcp, 5}, Row{9, kServiceDhcp, 5}}) {
        SCOPED_TRACE(row.serviceType);
        CFakePvcNe ne;
        CheckPvcRules(kNe, false, Pvc(row.serviceType), Ranges({{{192, 0, 2, 10}, 3}}), 0,
                      CRecordRequests(ne.Channel()));
        const std::vector<PvcRuleCheckRec> checks = ne.ChecksWritten();
        ASSERT_GE(checks.size(), 2u);
        EXPECT_EQ(checks[1].serviceType, row.sentType);
        EXPECT_EQ(checks[1].amount, row.amount);
    }
}

// The summed count goes in one byte: a sum past it is sent as 255, never as its low bits (four ranges of 64 would
// read 0 and pass the rule of 64 per PVC).
TEST_F(PvcRuleCheckTest, AnAmountPastOneByteIsNotSentAsASmallOne)
{
    struct Row {
        std::vector<uint8_t> counts;
        uint8_t sent;
    };
    for (const Row& row : {Row{{64, 64, 64, 62}, 254}, Row{{64, 64, 64, 63}, 255}, Row{{64, 64, 64, 64}, 255},
                           Row{{64, 64, 64, 64, 64, 64, 64, 64}, 255}}) {
        SCOPED_TRACE(row.counts.size());
        PvcStaticIps ranges{};
        for (size_t i = 0; i < row.counts.size(); ++i) {
            ranges[i].baseAddress = {10, 1, static_cast<uint8_t>(i), 1};
            ranges[i].count = row.counts[i];
        }
        EXPECT_EQ(StaticIpAmount(ranges), row.sent);
        CFakePvcNe ne;
        CheckPvcRules(kNe, false, Pvc(kServiceStaticIp), ranges, 0, CRecordRequests(ne.Channel()));
        ASSERT_GE(ne.ChecksWritten().size(), 2u);
        EXPECT_EQ(ne.ChecksWritten()[1].amount, row.sent);
    }
}

TEST_F(PvcRuleCheckTest, TheVerdictNamesThePartThatFailed)
{
    struct Row {
        const char* name;
        uint32_t serviceType;
        int failingCheck;
        uint32_t mask;
        int failedIndex;
        size_t checksSent;
    };
    const PvcStaticIps ranges = Ranges({{{192, 0, 2, 10}, 4}, {{192, 0, 2, 20}, 2}});
    for (const Row& row : {
             Row{"the whole DHCP PVC", kServiceDhcp, 1, Bit(pvc_rule::kIpOverMac), kPvcCheckWhole, 1},
             Row{"the DHCP PVC's amount", kServiceDhcp, 2, Bit(pvc_rule::kIpOver64), kPvcCheckWhole, 2},
             Row{"the static PVC's amount", kServiceStaticIp, 2, Bit(pvc_rule::kIpOver64), kPvcCheckIpAmount, 2},
             Row{"the second range", kServiceStaticIp, 4, Bit(pvc_rule::kIpOverMac), 1, 4},
             Row{"the first range", kServicePppoeStaticIp, 3, Bit(pvc_rule::kCardIpAmount), 0, 3},
         }) {
        SCOPED_TRACE(row.name);
        CFakePvcNe ne;
        ne.SetJudge(BreakAt({{row.failingCheck, Broken(row.mask)}}));
        const PvcRuleVerdict verdict =
            CheckPvcRules(kNe, false, Pvc(row.serviceType), ranges, 0, CRecordRequests(ne.Channel()));
        EXPECT_FALSE(verdict.passed);
        EXPECT_FALSE(verdict.requestFailed);
        EXPECT_EQ(verdict.failedIndex, row.failedIndex);
        EXPECT_EQ(verdict.failed.result.errorMask, row.mask);
        EXPECT_FALSE(verdict.report.empty());
        EXPECT_EQ(ne.ChecksWritten().size(), row.checksSent);
    }
}

TEST_F(PvcRuleCheckTest, RulesThatDoNotConcernTheCheckAreLeftOut)
{
    struct Row {
        const char* name;
        PvcRec pvc;
        int check;
        uint32_t mask;
    };
    const PvcRec routedStatic = Pvc(kServiceStaticIp, kRfc2684Routed);
    for (const Row& row : {
             Row{"no IP base, whole", Pvc(kServiceStaticIp), 1, Bit(pvc_rule::kNoIpBase)},
             Row{"no IP base, amount", Pvc(kServiceDhcp), 2, Bit(pvc_rule::kNoIpBase)},
             Row{"broadcast and policing of a static PVC's amount", Pvc(kServiceStaticIp), 2,
                 Bit(pvc_rule::kBroadcastDropped) | Bit(pvc_rule::kDscpPolicing)},
             Row{"routed static PVC's amount", routedStatic, 2, Bit(pvc_rule::kRoutedNotStatic)},
             Row{"card IP amount of a DHCP PVC's range", Pvc(kServiceDhcp), 3, Bit(pvc_rule::kCardIpAmount)},
         }) {
        SCOPED_TRACE(row.name);
        CFakePvcNe ne;
        ne.SetJudge(BreakAt({{row.check, Broken(row.mask)}}));
        EXPECT_TRUE(CheckPvcRules(kNe, false, row.pvc, Ranges({{{192, 0, 2, 10}, 1}}), 0, CRecordRequests(ne.Channel()))
                        .passed);
    }
}

// The same rules where one of the conditions that leave them out does not hold: each is reported.
TEST_F(PvcRuleCheckTest, RulesLeftOutOnlyWhereEveryConditionHolds)
{
    struct Row {
        const char* name;
        PvcRec pvc;
        int check;
        uint32_t mask;
    };
    const PvcRec routedStatic = Pvc(kServiceStaticIp, kRfc2684Routed);
    for (const Row& row : {
             Row{"routed DHCP PVC's amount", Pvc(kServiceDhcp, kRfc2684Routed), 2, Bit(pvc_rule::kRoutedNotStatic)},
             Row{"bridged static PVC's amount", Pvc(kServiceStaticIp), 2, Bit(pvc_rule::kRoutedNotStatic)},
             Row{"routed static PVC's range", routedStatic, 3, Bit(pvc_rule::kRoutedNotStatic)},
             Row{"broadcast of a DHCP PVC's amount", Pvc(kServiceDhcp), 2, Bit(pvc_rule::kBroadcastDropped)},
             Row{"policing of a DHCP PVC's amount", Pvc(kServiceDhcp), 2, Bit(pvc_rule::kDscpPolicing)},
             Row{"broadcast of a static PVC's range", Pvc(kServiceStaticIp), 3, Bit(pvc_rule::kBroadcastDropped)},
             Row{"no IP base of a static PVC's range", Pvc(kServiceStaticIp), 3, Bit(pvc_rule::kNoIpBase)},
             Row{"card IP amount of a static PVC's range", Pvc(kServiceStaticIp), 3, Bit(pvc_rule::kCardIpAmount)},
             Row{"card IP amount of a DHCP PVC's amount", Pvc(kServiceDhcp), 2, Bit(pvc_rule::kCardIpAmount)},
         }) {
        SCOPED_TRACE(row.name);
        CFakePvcNe ne;
        ne.SetJudge(BreakAt({{row.check, Broken(row.mask)}}));
        const PvcRuleVerdict verdict =
            CheckPvcRules(kNe, false, row.pvc, Ranges({{{192, 0, 2, 10}, 1}}), 0, CRecordRequests(ne.Channel()));
        EXPECT_FALSE(verdict.passed);
        EXPECT_EQ(verdict.failed.result.errorMask, row.mask);
    }
}

TEST_F(PvcRuleCheckTest, AMacLimitBelowTheFilteringEntriesWaitsForTheStaticAmount)
{
    const PvcStaticIps ranges = Ranges({{{192, 0, 2, 10}, 4}});
    // Found on the whole PVC alone: reported with the amount's check, which breaks nothing else.
    ne_.SetJudge(BreakAt({{1, Broken(Bit(pvc_rule::kMacBelowFdb))}}));
    PvcRuleVerdict verdict = Check(Pvc(kServiceStaticIp), ranges);
    EXPECT_FALSE(verdict.passed);
    EXPECT_EQ(verdict.failedIndex, kPvcCheckIpAmount);
    EXPECT_EQ(ne_.ChecksWritten().size(), 2u);
    EXPECT_EQ(verdict.report, "Error  1: " + LoadString(kStrPvcMacBelowFdb) + "\n");

    // Reported together with the amount's own errors.
    CFakePvcNe ne;
    ne.SetJudge(BreakAt({{1, Broken(Bit(pvc_rule::kMacBelowFdb))}, {2, Broken(Bit(pvc_rule::kIpOver64))}}));
    verdict = CheckPvcRules(kNe, false, Pvc(kServiceStaticIp), ranges, 0, CRecordRequests(ne.Channel()));
    EXPECT_EQ(verdict.failed.result.errorMask, Bit(pvc_rule::kMacBelowFdb) | Bit(pvc_rule::kIpOver64));

    // A PVC of another service type is stopped by it at once.
    CFakePvcNe dhcp;
    dhcp.SetJudge(BreakAt({{1, Broken(Bit(pvc_rule::kMacBelowFdb))}}));
    verdict = CheckPvcRules(kNe, false, Pvc(kServiceDhcp), ranges, 0, CRecordRequests(dhcp.Channel()));
    EXPECT_EQ(verdict.failedIndex, kPvcCheckWhole);
    EXPECT_EQ(dhcp.ChecksWritten().size(), 1u);
}

TEST_F(PvcRuleCheckTest, ThePvcUnderCheckIsNoConflictOfItsOwn)
{
    const PvcStaticIps ranges = Ranges({{{192, 0, 2, 10}, 4}});
    PvcCheckResultRec selfOnly = Broken(Bit(pvc_rule::kIpConflict));
    selfOnly.conflictCount = 1;
    selfOnly.conflicts[0] = {kPort, 0, 35};
    ne_.SetJudge(BreakAt({{3, selfOnly}}));
    EXPECT_TRUE(Check(Pvc(kServiceStaticIp), ranges).passed);

    PvcCheckResultRec withOther = selfOnly;
    withOther.conflictCount = 2;
    withOther.conflicts[1] = {kOtherPort, 8, 81};
    CFakePvcNe ne;
    ne.SetJudge(BreakAt({{3, withOther}}));
    const PvcRuleVerdict verdict =
        CheckPvcRules(kNe, false, Pvc(kServiceStaticIp), ranges, 0, CRecordRequests(ne.Channel()));
    EXPECT_FALSE(verdict.passed);
    EXPECT_EQ(verdict.failedIndex, 0);
    EXPECT_EQ(verdict.failed.result.conflictCount, 1);
    EXPECT_EQ(verdict.failed.result.conflicts[0], (PvcKeyRec{kOtherPort, 8, 81}));
    EXPECT_EQ(verdict.failed.result.conflicts[1].portId, 0u);
    EXPECT_NE(verdict.report.find("Total conflict PVCs: 1\n"), std::string::npos);
    EXPECT_NE(verdict.report.find("line port 1-1-3, PVC 8/81\n"), std::string::npos);
    EXPECT_EQ(verdict.report.find("PVC 0/35"), std::string::npos);
    // The record reported is the one sent in the failing check.
    EXPECT_EQ(verdict.failed.baseAddress, ranges[0].baseAddress);
}

TEST_F(PvcRuleCheckTest, AFailedRequestJudgesNothing)
{
    ne_.RefuseAll(kReqPvcRuleCheck, kEmsOpQuery);
    const PvcRuleVerdict verdict = Check(Pvc(kServiceDhcp), {});
    EXPECT_FALSE(verdict.passed);
    EXPECT_TRUE(verdict.requestFailed);
    EXPECT_TRUE(verdict.report.empty());

    CFakePvcNe ne;
    ne.RefuseRequest(5); // the third check's write
    const PvcRuleVerdict late = CheckPvcRules(kNe, false, Pvc(kServiceStaticIp), Ranges({{{192, 0, 2, 10}, 4}}), 0,
                                              CRecordRequests(ne.Channel()));
    EXPECT_FALSE(late.passed);
    EXPECT_TRUE(late.requestFailed);
}

} // namespace
