// The guarded write of a PVC against an NE that keeps what it is sent: a new PVC and a change of an existing one
// reach the NE whole, and whichever request the NE refuses, the NE is left as it was; the checks before the write
// stop it with the operator's reason, and nothing is written then.

#include "tests/features/provisioning/pvcs/fake_pvc_ne.h"
#include "tests/features/provisioning/pvcs/pvc_test_support.h"
#include "tests/link/support/pvc_records.h"

#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "features/provisioning/pvcs/pvc_write.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace pvc_test;
using pvc_rule::Bit;

PvcRec Pvc(uint8_t vpi, uint16_t vci, uint32_t serviceType, uint32_t enable)
{
    PvcRec pvc = pvc_records::BridgedPvc(kPort, vpi, vci, serviceType);
    pvc.enableState = enable;
    pvc.aging = 1;
    return pvc;
}

using pvc_records::StaticIpRange;

PvcStaticIps Ranges(const std::vector<PvcStaticIpEntry>& entries)
{
    PvcStaticIps ranges{};
    std::copy(entries.begin(), entries.end(), ranges.begin());
    return ranges;
}

// An NE whose port 1-1-2 carries an active static-IP PVC 0/35 with two ranges beside another active PVC 8/81, an
// enabled multicast channel, and VLAN 100 limited to 64 MAC addresses.
class PvcWriteTest : public PvcTest {
protected:
    void SetUp() override
    {
        PvcTest::SetUp();
        existing_ = Pvc(0, 35, kServiceStaticIp, kPvcEnabled);
        existing_.operState = kPvcOperUp;
        existingRanges_ = {StaticIpRange(existing_, {192, 0, 2, 10}, 4), StaticIpRange(existing_, {192, 0, 2, 40}, 2)};
        other_ = Pvc(8, 81, kServicePppoe, kPvcEnabled);
        other_.operState = kPvcOperUp;
        channel_.portId = kPort;
        channel_.vpi = 1;
        channel_.vci = 40;
        channel_.vlanId = 300;
        channel_.profile = "tv";
        channel_.adminState = kMcChannelEnabled;
        Populate(ne_);
    }

    void Populate(CFakePvcNe& ne) const
    {
        ne.AddPvc(existing_, kPvcRowActive, existingRanges_);
        ne.AddPvc(other_, kPvcRowActive);
        ne.SetChannel(channel_);
        ne.SetVlanLimit(100, 64, 1);
    }

    PvcWriteOutcome Run(CFakePvcNe& ne, const PvcWriteJob& job) const
    {
        return CPvcWrite(kNe, CRecordRequests(ne.Channel())).Run(job);
    }

    // A change of the existing PVC: another MAC limit and one range in place of its two.
    PvcWriteJob Change() const
    {
        PvcWriteJob job;
        job.pvc = existing_;
        job.pvc.operState = 0;
        job.pvc.macLimit = 16;
        job.ranges = Ranges({StaticIpRange(existing_, {198, 51, 100, 1}, 8)});
        job.failureTextId = kStrFailToUpdateData;
        job.asRead = existing_;
        return job;
    }

    // A new enabled static-IP PVC 0/40 with two ranges.
    PvcWriteJob Creation() const
    {
        PvcWriteJob job;
        job.pvc = Pvc(0, 40, kServiceStaticIp, kPvcEnabled);
        job.ranges = Ranges({StaticIpRange(job.pvc, {203, 0, 113, 1}, 4), StaticIpRange(job.pvc, {203, 0, 113, 9}, 1)});
        job.failureTextId = kStrAddingNewDataFailed;
        return job;
    }

    PvcRec existing_;
    std::vector<PvcStaticIpEntry> existingRanges_;
    PvcRec other_;
    McChannelRec channel_;
    CFakePvcNe ne_;
};

TEST_F(PvcWriteTest, AChangeReachesTheNeWholeAndTheChannelIsRestored)
{
    const PvcWriteOutcome done = Run(ne_, Change());
    ASSERT_TRUE(done.written) << static_cast<int>(done.failedStep);
    const FakeNeState& state = ne_.State();
    EXPECT_EQ(state.pvcs.at(IdOf(existing_)).macLimit, 16);
    EXPECT_EQ(state.rows.at(IdOf(existing_)), kPvcRowActive);
    ASSERT_EQ(state.ranges.at(IdOf(existing_)).size(), 1u);
    EXPECT_EQ(state.ranges.at(IdOf(existing_)).front().baseAddress, (IpAddress{198, 51, 100, 1}));
    EXPECT_EQ(state.channel, channel_);
    EXPECT_EQ(done.result.macLimit, 16);
    // Taken out of service before it was written: the channel off, the row not in service.
    EXPECT_EQ(ne_.Count(kReqMcChannel, kEmsOpModify), 2);
    EXPECT_EQ(ne_.Count(kReqPvcRowStatus, kEmsOpModify), 2);
}

TEST_F(PvcWriteTest, ANewPvcReachesTheNeWhole)
{
    const PvcWriteJob job = Creation();
    const PvcWriteOutcome done = Run(ne_, job);
    ASSERT_TRUE(done.written) << static_cast<int>(done.failedStep);
    const FakeNeState& state = ne_.State();
    EXPECT_EQ(state.rows.at(IdOf(job.pvc)), kPvcRowActive);
    EXPECT_EQ(state.ranges.at(IdOf(job.pvc)).size(), 2u);
    // A new PVC leaves the multicast channel alone.
    EXPECT_EQ(ne_.Count(kReqMcChannel, kEmsOpModify), 0);
}

// Whichever request the NE refuses, the NE ends as it was, or, when the PVC was written whole, as the write leaves
// it.
TEST_F(PvcWriteTest, EveryRefusedRequestLeavesTheNeAsItWas)
{
    struct Case {
        const char* name;
        PvcWriteJob job;
    };
    PvcWriteJob disable = Change();
    disable.pvc.enableState = kPvcDisabled;
    PvcWriteJob newDisabled = Creation();
    newDisabled.pvc.enableState = kPvcDisabled;
    PvcWriteJob modifyOther = Change();
    modifyOther.pvc = other_;
    modifyOther.asRead = other_;
    modifyOther.pvc.vlanId = 200;
    modifyOther.ranges = {};
    for (const Case& c : {Case{"change", Change()}, Case{"creation", Creation()}, Case{"disabling", disable},
                          Case{"new disabled", newDisabled}, Case{"another VLAN", modifyOther}}) {
        CFakePvcNe reference;
        Populate(reference);
        const FakeNeState before = reference.State();
        ASSERT_TRUE(Run(reference, c.job).written) << c.name;
        const FakeNeState after = reference.State();
        const std::vector<SentRequest> run = reference.Sent();
        for (size_t n = 1; n <= run.size(); ++n) {
            SCOPED_TRACE(testing::Message() << c.name << ": request " << n << " (" << run[n - 1].code << "/"
                                            << int(run[n - 1].operation) << ") refused");
            CFakePvcNe ne;
            Populate(ne);
            ne.RefuseRequest(static_cast<int>(n));
            const PvcWriteOutcome done = Run(ne, c.job);
            if (!done.written) {
                EXPECT_EQ(ne.State(), before);
                continue;
            }
            // Written whole; only the channel's restore after it can be what was refused.
            EXPECT_EQ(ne.State().pvcs, after.pvcs);
            EXPECT_EQ(ne.State().rows, after.rows);
            EXPECT_EQ(ne.State().ranges, after.ranges);
            if (!(run[n - 1].code == kReqMcChannel && run[n - 1].operation == kEmsOpModify)) {
                EXPECT_EQ(ne.State().channel, after.channel);
            }
        }
    }
}

// An add of a PVC whose port, VPI and VCI the NE has changes that PVC; the PVC is read first, as nobody read it.
TEST_F(PvcWriteTest, AddingAPvcTheNeHasChangesIt)
{
    PvcWriteJob job = Creation();
    job.pvc.vci = existing_.vci;
    job.pvc.vlanId = existing_.vlanId;
    job.ranges = Ranges({StaticIpRange(job.pvc, {203, 0, 113, 1}, 4)});
    const PvcWriteOutcome done = Run(ne_, job);
    ASSERT_TRUE(done.written) << static_cast<int>(done.failedStep);
    EXPECT_EQ(ne_.State().pvcs.at(IdOf(existing_)).serviceType, kServiceStaticIp);
    ASSERT_EQ(ne_.State().ranges.at(IdOf(existing_)).size(), 1u);
    EXPECT_EQ(ne_.State().ranges.at(IdOf(existing_)).front().baseAddress, (IpAddress{203, 0, 113, 1}));
    EXPECT_EQ(ne_.Count(kReqPvc, kEmsOpQuery), 1);
    EXPECT_EQ(ne_.Count(kReqPvc, kEmsOpModify), 1);
}

// The same add refused by the rule check: the PVC as the NE had it, ranges and all, is what stays.
TEST_F(PvcWriteTest, AnAddOfAPvcTheNeHasThatFailsLeavesItAsItWas)
{
    ne_.SetJudge([](const PvcRuleCheckRec&, int) {
        PvcCheckResultRec result;
        result.errorMask = Bit(pvc_rule::kIpOverMac);
        return result;
    });
    PvcWriteJob job = Creation();
    job.pvc.vci = existing_.vci;
    const FakeNeState before = ne_.State();
    const PvcWriteOutcome done = Run(ne_, job);
    EXPECT_EQ(done.failedStep, PvcWriteStep::kRuleCheck);
    EXPECT_EQ(ne_.State(), before);
}

TEST_F(PvcWriteTest, AnActivePvcsNewMacLimitMustFitItsVlan)
{
    // VLAN 100 holds 8 + 8 units of the two active PVCs; the VLAN of 200 none.
    struct Row {
        const char* name;
        uint16_t vlan;
        uint8_t macLimit;
        uint32_t limit;
        uint32_t limitState;
        bool refused;
    };
    for (const Row& row : {Row{"same VLAN, fits", 100, 16, 24, 1, false}, Row{"same VLAN, above", 100, 16, 23, 1, true},
                           Row{"limit disabled", 100, 64, 10, 2, false}, Row{"other VLAN, fits", 200, 32, 32, 1, false},
                           Row{"other VLAN, above", 200, 32, 31, 1, true}}) {
        SCOPED_TRACE(row.name);
        CFakePvcNe ne;
        Populate(ne);
        ne.SetVlanLimit(row.vlan, row.limit, row.limitState);
        PvcWriteJob job = Change();
        job.pvc.vlanId = row.vlan;
        job.pvc.macLimit = row.macLimit;
        const FakeNeState before = ne.State();
        const PvcWriteOutcome done = Run(ne, job);
        EXPECT_EQ(done.written, !row.refused);
        if (row.refused) {
            EXPECT_EQ(done.failedStep, PvcWriteStep::kVlanMacLimit);
            EXPECT_EQ(done.messageId, kStrVlanMacLimitBelowCommitted);
            EXPECT_EQ(ne.State(), before);
        }
    }
}

// The PVC's own units are its VLAN and MAC limit as the dialog showed them: a VLAN of 0 as 1, one above 4094 as 4094,
// a MAC limit of 0 as 1, one above 63 as 64. The NE's total counts what it holds.
TEST_F(PvcWriteTest, TheVlanCheckTakesThePvcsVlanAndMacLimitAsShown)
{
    struct Row {
        const char* name;
        uint16_t readVlan;
        uint8_t readMacLimit;
        uint16_t vlan;
        uint8_t macLimit;
        uint32_t limit; // of the new VLAN
        bool refused;
    };
    for (const Row& row :
         {Row{"MAC limit read above 63, at the limit", 100, 100, 100, 64, 108, false},
          Row{"MAC limit read above 63, one past it", 100, 100, 100, 64, 107, true},
          Row{"MAC limit read as 0", 100, 0, 100, 1, 8, false}, Row{"VLAN read as 0 kept as 1", 0, 8, 1, 8, 0, false},
          Row{"VLAN read above 4094 kept as 4094", 4095, 8, 4094, 16, 8, false},
          Row{"VLAN read as 0 changed to 2", 0, 8, 2, 8, 7, true}}) {
        SCOPED_TRACE(row.name);
        PvcRec read = existing_;
        read.vlanId = row.readVlan;
        read.macLimit = row.readMacLimit;
        CFakePvcNe ne;
        ne.AddPvc(read, kPvcRowActive, existingRanges_);
        ne.AddPvc(other_, kPvcRowActive);
        ne.SetChannel(channel_);
        ne.SetVlanLimit(row.vlan, row.limit, 1);
        PvcWriteJob job = Change();
        job.asRead = read;
        job.pvc.vlanId = row.vlan;
        job.pvc.macLimit = row.macLimit;
        const PvcWriteOutcome done = Run(ne, job);
        EXPECT_EQ(done.failedStep == PvcWriteStep::kVlanMacLimit, row.refused);
    }
}

TEST_F(PvcWriteTest, TheLastEnabledPvcBesideAnEnabledChannelStaysEnabled)
{
    CFakePvcNe ne;
    ne.AddPvc(existing_, kPvcRowActive, existingRanges_);
    PvcRec disabledOther = other_;
    disabledOther.enableState = kPvcDisabled;
    ne.AddPvc(disabledOther, kPvcRowNotInService);
    ne.SetChannel(channel_);
    ne.SetVlanLimit(100, 64, 1);
    const FakeNeState before = ne.State();
    PvcWriteJob job = Change();
    job.pvc.enableState = kPvcDisabled;
    const PvcWriteOutcome done = Run(ne, job);
    EXPECT_EQ(done.failedStep, PvcWriteStep::kLastEnabled);
    EXPECT_EQ(done.messageId, kStrPvcLastWithChannel);
    EXPECT_EQ(ne.State(), before);
}

TEST_F(PvcWriteTest, ARuleBrokenStopsTheWriteAndRestoresThePvc)
{
    ne_.SetJudge([](const PvcRuleCheckRec&, int check) {
        PvcCheckResultRec result;
        result.errorMask = check == 2 ? Bit(pvc_rule::kIpOverMac) : 0;
        return result;
    });
    const FakeNeState before = ne_.State();
    const PvcWriteOutcome done = Run(ne_, Change());
    EXPECT_EQ(done.failedStep, PvcWriteStep::kRuleCheck);
    EXPECT_EQ(done.verdict.failedIndex, kPvcCheckIpAmount);
    EXPECT_FALSE(done.verdict.report.empty());
    EXPECT_EQ(ne_.State(), before);
    EXPECT_EQ(ne_.Count(kReqPvc, kEmsOpModify), 0);
}

TEST_F(PvcWriteTest, ARuleCheckThatCouldNotRunWritesNothing)
{
    ne_.RefuseAll(kReqPvcRuleCheck, kEmsOpQuery);
    const FakeNeState before = ne_.State();
    const PvcWriteOutcome done = Run(ne_, Creation());
    EXPECT_EQ(done.failedStep, PvcWriteStep::kRuleCheck);
    EXPECT_TRUE(done.verdict.requestFailed);
    EXPECT_EQ(ne_.Count(kReqPvc, kEmsOpModify), 0);
    EXPECT_EQ(ne_.State(), before);
}

TEST_F(PvcWriteTest, APvcTheNeHoldsNotReadyIsTakenBack)
{
    ne_.SetNotReadyAfterWrite(true);
    const FakeNeState before = ne_.State();
    const PvcWriteOutcome done = Run(ne_, Creation());
    EXPECT_EQ(done.failedStep, PvcWriteStep::kNotReady);
    EXPECT_EQ(done.messageId, kStrFailedToSetData);
    EXPECT_EQ(ne_.State(), before);
}

TEST_F(PvcWriteTest, AStaticIpPvcWithoutRangesIsNotPutInService)
{
    PvcWriteJob job = Creation();
    job.ranges = {};
    const FakeNeState before = ne_.State();
    const PvcWriteOutcome done = Run(ne_, job);
    EXPECT_EQ(done.failedStep, PvcWriteStep::kEnable);
    EXPECT_EQ(done.messageId, kStrPvcNoIpBase);
    EXPECT_EQ(ne_.State(), before);
}

TEST_F(PvcWriteTest, ARangeTheNeRefusesIsNamed)
{
    PvcWriteJob job = Creation();
    job.ranges[1] = job.ranges[0]; // the same range twice
    const PvcWriteOutcome done = Run(ne_, job);
    EXPECT_EQ(done.failedStep, PvcWriteStep::kStaticIp);
    EXPECT_EQ(done.failedRange, 1);
    EXPECT_EQ(done.messageId, kStrIpAddressReserved);
    EXPECT_EQ(ne_.State().pvcs.count(IdOf(job.pvc)), 0u);
}

// The list gets the PVC as written, its oper state by its enable state, without a read of it.
TEST_F(PvcWriteTest, TheListGetsThePvcAsWritten)
{
    ne_.SetLinesDown(true);
    const PvcWriteOutcome done = Run(ne_, Creation());
    ASSERT_TRUE(done.written);
    EXPECT_EQ(done.result.enableState, kPvcEnabled);
    EXPECT_EQ(done.result.operState, kPvcOperUp);
    EXPECT_EQ(done.result.ipTrafficProfile, "office");
    EXPECT_EQ(ne_.Count(kReqPvc, kEmsOpQuery), 0);

    PvcWriteJob off = Creation();
    off.pvc.vci = 41;
    off.pvc.enableState = kPvcDisabled;
    const PvcWriteOutcome disabled = Run(ne_, off);
    ASSERT_TRUE(disabled.written);
    EXPECT_EQ(disabled.result.operState, kPvcOperDown);
}

// The fast provisioning batch: the PVC it found is changed without the row status read before or after the write,
// and without the VLAN's MAC-limit check (its VLAN could not take the new MAC limit).
TEST_F(PvcWriteTest, TheBatchLeavesTheVlanToTheRuleCheck)
{
    CFakePvcNe ne;
    Populate(ne);
    ne.SetVlanLimit(100, 10, 1);
    PvcWriteJob job = Change();
    job.pvc.macLimit = 32;
    job.batch = true;
    const PvcWriteOutcome done = Run(ne, job);
    ASSERT_TRUE(done.written) << static_cast<int>(done.failedStep);
    EXPECT_EQ(ne.State().pvcs.at(IdOf(existing_)).macLimit, 32);
    EXPECT_EQ(ne.Count(kReqVlanMacLimitCheck, kEmsOpModify), 0);
    EXPECT_EQ(ne.Count(kReqVlanMacLimitCheck, kEmsOpQuery), 0);
    EXPECT_EQ(ne.Count(kReqPvcRowStatus, kEmsOpQuery), 0);
    // Not in the batch, the same change is refused for the VLAN.
    CFakePvcNe dialog;
    Populate(dialog);
    dialog.SetVlanLimit(100, 10, 1);
    job.batch = false;
    EXPECT_EQ(Run(dialog, job).failedStep, PvcWriteStep::kVlanMacLimit);
}

// The requests of a change of the active PVC 0/35 (one range in place of its two), in order: the setting dialog takes
// the PVC out of service before the NE's rule check, the batch judges it first. The batch reads and turns off the
// port's channel only for the port's one enabled PVC: here PVC 8/81 is enabled too.
TEST_F(PvcWriteTest, TheDialogAndTheBatchSendTheirRequestsInTheirOrder)
{
    using Sent = std::pair<uint16_t, int>; // request code, operation
    const std::vector<Sent> judged = {{413, 2}, {413, 1}, {413, 2}, {413, 1}, {413, 2}, {413, 1}};
    const std::vector<Sent> outOfService = {{470, 2}, {418, 2}, {420, 1}, {422, 2}, {422, 2}};
    const auto join = [](std::initializer_list<std::vector<Sent>> parts) {
        std::vector<Sent> all;
        for (const std::vector<Sent>& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const std::vector<Sent> dialog = join({{{418, 1}, {470, 1}, {416, 2}, {416, 1}, {530, 1}},
                                           outOfService,
                                           judged,
                                           {{410, 2}, {418, 1}, {421, 2}, {418, 2}, {470, 2}}});
    const std::vector<Sent> batch =
        join({{{420, 1}}, judged, {outOfService.begin() + 1, outOfService.end()}, {{410, 2}, {421, 2}, {418, 2}}});
    for (const bool inBatch : {false, true}) {
        SCOPED_TRACE(inBatch ? "batch" : "dialog");
        CFakePvcNe ne;
        Populate(ne);
        PvcWriteJob job = Change();
        job.batch = inBatch;
        job.portAsRead = {existing_, other_};
        ASSERT_TRUE(Run(ne, job).written);
        std::vector<Sent> sent;
        for (const SentRequest& request : ne.Sent())
            sent.emplace_back(request.code, request.operation);
        EXPECT_EQ(sent, inBatch ? batch : dialog);
    }
}

// The batch reads the port's channel only when the PVC it changes is the port's one enabled PVC, so a channel read
// that fails (or that the NE does not serve) fails only that PVC; the setting dialog reads it for every PVC it
// changes, and a channel the NE does not serve fails its change as a refused read does, with "Fail to query".
TEST_F(PvcWriteTest, ThePortsChannelIsReadForTheBatchOnlyBesideNoOtherEnabledPvc)
{
    struct Row {
        const char* name;
        bool batch;
        uint32_t otherState; // PVC 8/81's enable state as the batch read it
        bool served;         // the NE serves the channel record, and refuses its read; else it serves none
        bool written;
        int channelReads;
    };
    for (const Row& row : {
             Row{"batch, another PVC enabled, refused", true, kPvcEnabled, true, true, 0},
             Row{"batch, another PVC enabled, not served", true, kPvcEnabled, false, true, 0},
             Row{"batch, the only one enabled, refused", true, kPvcDisabled, true, false, 1},
             Row{"batch, the only one enabled, not served", true, kPvcDisabled, false, false, 1},
             Row{"dialog, another PVC enabled, refused", false, kPvcEnabled, true, false, 1},
             Row{"dialog, another PVC enabled, not served", false, kPvcEnabled, false, false, 1},
         }) {
        SCOPED_TRACE(row.name);
        CFakePvcNe ne;
        Populate(ne);
        if (row.served)
            ne.RefuseAll(kReqMcChannel.value, kEmsOpQuery);
        else
            ne.AnswerEmpty(kReqMcChannel.value, kDrvNotSupported);
        PvcWriteJob job = Change();
        job.batch = row.batch;
        PvcRec other = other_;
        other.enableState = row.otherState;
        job.portAsRead = {existing_, other};
        const FakeNeState before = ne.State();
        const PvcWriteOutcome done = Run(ne, job);
        EXPECT_EQ(done.written, row.written);
        EXPECT_EQ(ne.Count(kReqMcChannel, kEmsOpQuery), row.channelReads);
        if (!row.written) {
            EXPECT_EQ(done.failedStep, PvcWriteStep::kReadState);
            EXPECT_EQ(ne.State(), before);
            ASSERT_FALSE(ne.Sent().empty());
            EXPECT_EQ(ne.Sent().back().code, kReqMcChannel.value);
            EXPECT_EQ(ne.Sent().back().failureTextId, kStrFailToQuery);
        }
    }
}

// The batch's rule check refuses a change before the PVC is touched: nothing is written or undone.
TEST_F(PvcWriteTest, TheBatchTouchesNothingOfAPvcItsRuleCheckRefuses)
{
    ne_.SetJudge([](const PvcRuleCheckRec&, int) {
        PvcCheckResultRec result;
        result.errorMask = Bit(pvc_rule::kIpOverMac);
        return result;
    });
    PvcWriteJob job = Change();
    job.batch = true;
    const FakeNeState before = ne_.State();
    EXPECT_EQ(Run(ne_, job).failedStep, PvcWriteStep::kRuleCheck);
    EXPECT_EQ(ne_.State(), before);
    for (const SentRequest& request : ne_.Sent()) {
        if (request.code != 413) {
            EXPECT_EQ(request.operation, kEmsOpQuery) << request.code;
        }
    }
}

// The batch creates a PVC it did not find.
TEST_F(PvcWriteTest, TheBatchCreatesAPvcItDidNotFind)
{
    PvcWriteJob job = Creation();
    job.batch = true;
    const PvcWriteOutcome done = Run(ne_, job);
    ASSERT_TRUE(done.written) << static_cast<int>(done.failedStep);
    EXPECT_EQ(ne_.State().rows.at(IdOf(job.pvc)), kPvcRowActive);
    EXPECT_EQ(ne_.Count(kReqPvcRowStatus, kEmsOpQuery), 0);
}

TEST(PvcReplyMarks, OnlyAReplyRecordNamesAMissingIpBase)
{
    EXPECT_FALSE(ReplyMarksMissingIpBase(std::vector<PvcRowStatusRec>{}));
    EXPECT_TRUE(ReplyMarksMissingIpBase(std::vector<PvcRowStatusRec>{{kPort, 12, 0, 1}}));
    EXPECT_TRUE(ReplyMarksMissingIpBase(std::vector<PvcRowStatusRec>{{kPort, 3, 0, 1}}));
    EXPECT_FALSE(ReplyMarksMissingIpBase(std::vector<PvcRowStatusRec>{{kPort, 12, 35, 1}}));
    PvcRec marked;
    marked.vpi = 3;
    EXPECT_TRUE(ReplyMarksMissingIpBase(std::vector<PvcRec>{marked}));
}

} // namespace
