#pragma once
// An NE for the PVC tests behind the typed requests: it keeps PVCs with their row states and static IP ranges, a
// port's multicast channel and VLAN MAC limits, answers the PVC requests as an NE does (a PVC in service cannot be
// rewritten; a static-IP PVC without a range cannot be put in service), judges rule checks by a function the test
// gives, and logs every request. A test can have it refuse the n-th request it is sent.
//
//     CFakePvcNe ne;
//     ne.AddPvc(pvc, kPvcRowActive);
//     CPvcWrite(kNe, CRecordRequests(ne.Channel())).Run(job);
//     EXPECT_EQ(ne.State(), before);

#include "features/provisioning/pvcs/pvc_values.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/record_requests.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/pvc_key_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_row_status_rec.h"
#include "link/records/pvc_rule_check_rec.h"
#include "link/records/pvc_static_ip_entry.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/vlan_setting_rec.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace pvc_test {

using PvcId = std::tuple<uint32_t, uint8_t, uint16_t>;

inline PvcId IdOf(uint32_t portId, uint8_t vpi, uint16_t vci)
{
    return {portId, vpi, vci};
}
template <typename Rec> PvcId IdOf(const Rec& rec)
{
    return {rec.portId, rec.vpi, rec.vci};
}

// What the NE holds; two states compare equal when the NE holds the same.
struct FakeNeState {
    std::map<PvcId, PvcRec> pvcs;
    std::map<PvcId, uint32_t> rows;
    std::map<PvcId, std::vector<PvcStaticIpEntry>> ranges;
    McChannelRec channel;
    bool operator==(const FakeNeState&) const = default;
};

struct SentRequest {
    uint16_t code = 0;
    uint8_t operation = 0;
    std::vector<uint8_t> record;
    uint32_t failureTextId = 0; // the text of the box the driver shows on a failure
};

class CFakePvcNe {
public:
    using Judge = std::function<PvcCheckResultRec(const PvcRuleCheckRec& checked, int checkNumber)>;

    void AddPvc(const PvcRec& pvc, uint32_t row, std::vector<PvcStaticIpEntry> ranges = {})
    {
        state_.pvcs[IdOf(pvc)] = pvc;
        state_.rows[IdOf(pvc)] = row;
        if (!ranges.empty())
            state_.ranges[IdOf(pvc)] = std::move(ranges);
    }
    void SetChannel(const McChannelRec& channel) { state_.channel = channel; }
    void SetVlanLimit(uint16_t vlan, uint32_t limit, uint32_t state) { vlanLimits_[vlan] = {vlan, limit, state}; }
    // The verdict of each rule check, numbered from 1; none given: every rule kept.
    void SetJudge(Judge judge) { judge_ = std::move(judge); }
    // A PVC written is held "not ready".
    void SetNotReadyAfterWrite(bool on) { notReady_ = on; }
    // The lines are down: a PVC put in service stays down.
    void SetLinesDown(bool on) { linesDown_ = on; }
    // The n-th request from now (1 the next) is refused; 0 refuses none.
    void RefuseRequest(int n) { refuseAt_ = n == 0 ? 0 : static_cast<int>(sent_.size()) + n; }
    // Every request of the code and operation is refused.
    void RefuseAll(uint16_t code, uint8_t operation) { refusedKinds_.emplace_back(code, operation); }
    // Requests of a code the NE keeps nothing for are answered without records and with `result`: kDrvOk for an
    // empty table, kDrvNotSupported for a table the NE does not serve.
    void AnswerEmpty(uint16_t code, int result) { emptyAnswers_[code] = result; }

    const FakeNeState& State() const { return state_; }
    const std::vector<SentRequest>& Sent() const { return sent_; }
    int Count(uint16_t code, uint8_t operation) const
    {
        return static_cast<int>(std::count_if(sent_.begin(), sent_.end(), [&](const SentRequest& request) {
            return request.code == code && request.operation == operation;
        }));
    }
    // The rule checks written, in order.
    std::vector<PvcRuleCheckRec> ChecksWritten() const
    {
        std::vector<PvcRuleCheckRec> checks;
        for (const SentRequest& request : sent_) {
            PvcRuleCheckRec rec;
            if (request.code == kReqPvcRuleCheck && request.operation == kEmsOpModify &&
                DecodeRecord(request.record.data(), request.record.size(), &rec))
                checks.push_back(rec);
        }
        return checks;
    }

    EmsChannel Channel()
    {
        EmsChannel channel;
        channel.request = [this](EmsMsg& request, EmsMsg** reply, uint32_t failureTextId, int32_t, bool) {
            return Serve(request, reply, failureTextId);
        };
        return channel;
    }

private:
    template <typename Rec> bool Take(const EmsMsg& request, Rec* rec) const
    {
        return request.count >= 1 &&
               DecodeRecord(static_cast<const uint8_t*>(request.records), request.recordSize, rec);
    }
    template <typename Rec> int Answer(const std::vector<Rec>& records, EmsMsg** reply, int result = kDrvOk)
    {
        replyBytes_ = EncodeRecords(records);
        reply_ = EmsMsg{};
        reply_.operation = kEmsOpReply;
        reply_.requestCode = code_;
        reply_.count = static_cast<int32_t>(records.size());
        reply_.total = static_cast<uint32_t>(records.size());
        reply_.recordSize = kRecordSize<Rec>;
        reply_.records = replyBytes_.empty() ? nullptr : replyBytes_.data();
        *reply = &reply_;
        return result;
    }

    int Serve(const EmsMsg& request, EmsMsg** reply, uint32_t failureTextId)
    {
        code_ = request.requestCode;
        const auto* bytes = static_cast<const uint8_t*>(request.records);
        sent_.push_back({request.requestCode, request.operation,
                         std::vector<uint8_t>(bytes, bytes + request.recordSize * std::max(request.count, 0)),
                         failureTextId});
        if (static_cast<int>(sent_.size()) == refuseAt_ ||
            std::find(refusedKinds_.begin(), refusedKinds_.end(), std::make_pair(code_, request.operation)) !=
                refusedKinds_.end())
            return kDrvRejected;
        if (const auto empty = emptyAnswers_.find(code_); empty != emptyAnswers_.end())
            return Answer(std::vector<PvcRec>{}, reply, empty->second);
        const bool query = request.operation == kEmsOpQuery;
        switch (request.requestCode) {
        case kReqPvc.value:
            return ServePvc(request, query, reply);
        case kReqPvcDelete.value: {
            PvcRec key;
            if (!Take(request, &key) || state_.pvcs.erase(IdOf(key)) == 0)
                return kDrvRejected;
            state_.rows.erase(IdOf(key));
            state_.ranges.erase(IdOf(key));
            return Answer(std::vector<PvcRec>{key}, reply);
        }
        case kReqPvcRowStatus.value:
            return ServeRowStatus(request, query, reply);
        case kReqPvcStaticIp.value:
        case kReqPvcStaticIpAdd.value:
        case kReqPvcStaticIpDelete.value:
            return ServeRanges(request, reply);
        case kReqPvcRuleCheck.value: {
            if (!query)
                return Take(request, &checked_) ? Answer(std::vector<PvcRuleCheckRec>{checked_}, reply)
                                                : kDrvInvalidParameter;
            PvcRuleCheckRec answer = checked_;
            answer.result = judge_ ? judge_(checked_, ++checks_) : PvcCheckResultRec{};
            return Answer(std::vector<PvcRuleCheckRec>{answer}, reply);
        }
        case kReqMcChannel.value: {
            if (query)
                return Answer(state_.channel.portId != 0 ? std::vector<McChannelRec>{state_.channel}
                                                         : std::vector<McChannelRec>{},
                              reply);
            McChannelRec written;
            if (!Take(request, &written) || written.portId != state_.channel.portId)
                return kDrvRejected;
            state_.channel = written;
            return Answer(std::vector<McChannelRec>{written}, reply);
        }
        case kReqMcChannelAdd.value: {
            // A port holds one channel: an add replaces it.
            McChannelRec added;
            if (!Take(request, &added))
                return kDrvInvalidParameter;
            state_.channel = added;
            return Answer(std::vector<McChannelRec>{added}, reply);
        }
        case kReqVlanMacLimitCheck.value: {
            if (!query)
                return Take(request, &vlanCheck_) ? Answer(std::vector<VlanSettingRec>{vlanCheck_}, reply)
                                                  : kDrvInvalidParameter;
            VlanSettingRec answer = vlanCheck_;
            for (const auto& [id, pvc] : state_.pvcs) {
                if (pvc.vlanId == answer.vlanId && state_.rows[id] == kPvcRowActive)
                    answer.committedUnits += pvc.macLimit;
            }
            return Answer(std::vector<VlanSettingRec>{answer}, reply);
        }
        case kReqVlanMacLimit.value: {
            VlanMacLimitRec asked;
            Take(request, &asked);
            const auto found = vlanLimits_.find(asked.vlanId);
            return Answer(found != vlanLimits_.end() ? std::vector<VlanMacLimitRec>{found->second}
                                                     : std::vector<VlanMacLimitRec>{},
                          reply);
        }
        default:
            return kDrvNotSupported;
        }
    }

    int ServePvc(const EmsMsg& request, bool query, EmsMsg** reply)
    {
        PvcRec rec;
        if (!Take(request, &rec))
            return kDrvInvalidParameter;
        if (query) {
            std::vector<PvcRec> port;
            for (const auto& [id, pvc] : state_.pvcs) {
                if (pvc.portId == rec.portId)
                    port.push_back(pvc);
            }
            return Answer(port, reply);
        }
        const PvcId id = IdOf(rec);
        const bool exists = state_.pvcs.count(id) != 0;
        if (exists && state_.rows[id] == kPvcRowActive)
            return kDrvRejected; // in service
        rec.operState = exists ? state_.pvcs[id].operState : kPvcOperDown;
        state_.pvcs[id] = rec;
        if (!exists || notReady_)
            state_.rows[id] = notReady_ ? kPvcRowNotReady : kPvcRowNotInService;
        return Answer(std::vector<PvcRec>{rec}, reply);
    }

    int ServeRowStatus(const EmsMsg& request, bool query, EmsMsg** reply)
    {
        PvcRowStatusRec rec;
        if (!Take(request, &rec))
            return kDrvInvalidParameter;
        const PvcId id = IdOf(rec);
        if (query) {
            const auto found = state_.rows.find(id);
            return Answer(found != state_.rows.end()
                              ? std::vector<PvcRowStatusRec>{{rec.portId, rec.vpi, rec.vci, found->second}}
                              : std::vector<PvcRowStatusRec>{},
                          reply);
        }
        if (state_.pvcs.count(id) == 0)
            return kDrvRejected;
        PvcRec& pvc = state_.pvcs[id];
        if (rec.status == kPvcRowActive && IsStaticIpService(pvc.serviceType) && state_.ranges[id].empty()) {
            state_.ranges.erase(id);
            // The reason where the record's VPI and VCI are.
            return Answer(std::vector<PvcRowStatusRec>{{rec.portId, 12, 0, rec.status}}, reply, kDrvRejected);
        }
        state_.rows[id] = rec.status;
        pvc.operState = rec.status == kPvcRowActive && !linesDown_ ? kPvcOperUp : kPvcOperDown;
        return Answer(std::vector<PvcRowStatusRec>{rec}, reply);
    }

    int ServeRanges(const EmsMsg& request, EmsMsg** reply)
    {
        PvcStaticIpEntry rec;
        if (!Take(request, &rec))
            return kDrvInvalidParameter;
        const PvcId id = IdOf(rec);
        if (request.requestCode == kReqPvcStaticIp.value) {
            const auto found = state_.ranges.find(id);
            return Answer(found != state_.ranges.end() ? found->second : std::vector<PvcStaticIpEntry>{}, reply);
        }
        if (state_.pvcs.count(id) == 0 || state_.rows[id] == kPvcRowActive)
            return kDrvRejected;
        std::vector<PvcStaticIpEntry>& ranges = state_.ranges[id];
        const auto same = std::find(ranges.begin(), ranges.end(), rec);
        if (request.requestCode == kReqPvcStaticIpAdd.value) {
            if (same != ranges.end())
                return kDrvRejected;
            // Kept by address, as the NE's table keys them.
            ranges.insert(std::upper_bound(ranges.begin(), ranges.end(), rec,
                                           [](const PvcStaticIpEntry& a, const PvcStaticIpEntry& b) {
                                               return a.baseAddress < b.baseAddress;
                                           }),
                          rec);
        } else {
            if (same == ranges.end())
                return kDrvRejected;
            ranges.erase(same);
        }
        if (ranges.empty())
            state_.ranges.erase(id);
        return Answer(std::vector<PvcStaticIpEntry>{rec}, reply);
    }

    FakeNeState state_;
    std::map<uint16_t, VlanMacLimitRec> vlanLimits_;
    Judge judge_;
    bool notReady_ = false;
    bool linesDown_ = false;
    int refuseAt_ = 0;
    std::vector<std::pair<uint16_t, uint8_t>> refusedKinds_;
    std::map<uint16_t, int> emptyAnswers_;
    std::vector<SentRequest> sent_;
    PvcRuleCheckRec checked_;
    VlanSettingRec vlanCheck_;
    int checks_ = 0;
    uint16_t code_ = 0;
    EmsMsg reply_;
    std::vector<uint8_t> replyBytes_;
};

} // namespace pvc_test
