#include "features/provisioning/pvcs/pvc_rule_check.h"

#include "core/util/ip_address.h"
#include "features/provisioning/pvcs/pvc_conflict_report.h"
#include "features/provisioning/pvcs/pvc_values.h"

#include <algorithm>
#include <optional>

namespace {

using pvc_rule::Bit;

constexpr int kPasses = 1 + static_cast<int>(kMaxStaticIpRanges);

// One check: the record written, then read back; the verdict, none when a request failed or the NE answered no
// record.
std::optional<PvcCheckResultRec> RunCheck(const CRecordRequests& requests, uint32_t neId, const PvcRuleCheckRec& rec,
                                          uint32_t failureTextId)
{
    const RequestOptions options{.failureTextId = failureTextId};
    if (!requests.Modify(kReqPvcRuleCheck, neId, rec, options).Ok())
        return std::nullopt;
    const RecordReply<PvcRuleCheckRec> reply = requests.Query(kReqPvcRuleCheck, neId, PvcRuleCheckRec{}, options);
    if (!reply.Ok() || reply.records.empty())
        return std::nullopt;
    return reply.records.front().result;
}

// The PVC under check is no conflict of its own.
void RemoveSelf(const PvcRec& pvc, PvcCheckResultRec& result)
{
    if ((result.errorMask & Bit(pvc_rule::kIpConflict)) == 0)
        return;
    const PvcKeyRec self{pvc.portId, pvc.vpi, pvc.vci};
    std::vector<PvcKeyRec> others;
    bool removed = false;
    for (const PvcKeyRec& entry : result.conflicts) {
        if (entry == self) {
            removed = true;
            if (result.conflictCount > 0)
                --result.conflictCount;
        } else if (entry.portId != 0) {
            others.push_back(entry);
        }
    }
    result.conflicts = {};
    std::copy(others.begin(), others.end(), result.conflicts.begin());
    // An address no PVC holds (invalid or reserved) stays reported without a PVC named.
    if (removed && result.conflictCount == 0)
        result.errorMask &= ~Bit(pvc_rule::kIpConflict);
}

} // namespace

PvcRuleCheckRec PvcRuleCheckBase(const PvcRec& pvc)
{
    PvcRuleCheckRec rec;
    rec.portId = pvc.portId;
    rec.vpi = pvc.vpi;
    rec.vci = pvc.vci;
    rec.vlanId = pvc.vlanId;
    rec.userPriority = pvc.userPriority;
    rec.macLimit = pvc.macLimit;
    rec.rfc2684Mode = pvc.rfc2684Mode;
    rec.nextHopName = pvc.nextHopName;
    rec.serviceType = pvc.serviceType;
    rec.ipTrafficProfile = pvc.ipTrafficProfile;
    rec.amount = IsStaticIpService(pvc.serviceType) ? 0 : pvc.dhcpIpLimit;
    rec.clientLimit = pvc.clientLimit;
    return rec;
}

uint8_t StaticIpAmount(const PvcStaticIps& ranges)
{
    unsigned sum = 0;
    for (const PvcStaticIpEntry& range : ranges) {
        if (IsZeroIpAddress(range.baseAddress))
            break;
        sum += range.count;
    }
    return static_cast<uint8_t>(std::min(sum, 255u));
}

PvcRuleVerdict CheckPvcRules(uint32_t neId, bool isCreate, const PvcRec& pvc, const PvcStaticIps& ranges,
                             uint32_t failureTextId, const CRecordRequests& requests)
{
    PvcRuleVerdict verdict;
    const bool isEnabled = pvc.enableState == kPvcEnabled;
    const bool staticIp = IsStaticIpService(pvc.serviceType);
    const PvcRuleCheckRec base = PvcRuleCheckBase(pvc);
    const auto fail = [&](const PvcRuleCheckRec& sent, const PvcCheckResultRec& result, int index) {
        verdict.failed = sent;
        verdict.failed.result = result;
        verdict.failedIndex = index;
        verdict.report = BuildPvcConflictReport(neId, isCreate, isEnabled, verdict.failed);
        return !verdict.report.empty();
    };

    // The PVC as a whole. Its MAC limit below its filtering entries waits for the static IP amount of a static-IP
    // PVC, whose own errors are reported with it.
    std::optional<PvcCheckResultRec> whole = RunCheck(requests, neId, base, failureTextId);
    if (!whole) {
        verdict.requestFailed = true;
        return verdict;
    }
    whole->errorMask &= ~Bit(pvc_rule::kNoIpBase);
    const bool macBelowFdb = staticIp && (whole->errorMask & Bit(pvc_rule::kMacBelowFdb)) != 0;
    if (!macBelowFdb && fail(base, *whole, kPvcCheckWhole))
        return verdict;

    for (int pass = 0; pass < kPasses; ++pass) {
        PvcRuleCheckRec sent = base;
        if (pass == 0) {
            switch (pvc.serviceType) {
            case kServicePppoe:
            case kServiceDhcp:
            case kServicePppoeDhcp:
            case kServiceTransparent:
                sent.amount = pvc.dhcpIpLimit;
                break;
            case kServiceStaticIp:
            case kServicePppoeStaticIp:
                sent.amount = StaticIpAmount(ranges);
                break;
            default:
                sent.serviceType = kServiceDhcp;
                sent.amount = pvc.dhcpIpLimit;
                break;
            }
        } else {
            const PvcStaticIpEntry& range = ranges[static_cast<size_t>(pass - 1)];
            if (IsZeroIpAddress(range.baseAddress))
                break;
            sent.serviceType = kServiceStaticIp;
            sent.baseAddress = range.baseAddress;
            sent.amount = range.count;
        }
        std::optional<PvcCheckResultRec> result = RunCheck(requests, neId, sent, failureTextId);
        if (!result) {
            verdict.requestFailed = true;
            return verdict;
        }
        uint32_t& mask = result->errorMask;
        if (macBelowFdb)
            mask |= Bit(pvc_rule::kMacBelowFdb);
        if (mask == 0)
            continue;
        if (pass == 0) {
            mask &= ~Bit(pvc_rule::kNoIpBase);
            if (staticIp)
                mask &= ~(Bit(pvc_rule::kBroadcastDropped) | Bit(pvc_rule::kDscpPolicing));
            if (staticIp && pvc.rfc2684Mode == kRfc2684Routed)
                mask &= ~Bit(pvc_rule::kRoutedNotStatic);
        } else if (!staticIp) {
            mask &= ~Bit(pvc_rule::kCardIpAmount);
        }
        RemoveSelf(pvc, *result);
        const int index = pass > 0 ? pass - 1 : (staticIp ? kPvcCheckIpAmount : kPvcCheckWhole);
        if (fail(sent, *result, index))
            return verdict;
    }
    verdict.passed = true;
    verdict.failedIndex = 0;
    verdict.failed = {};
    return verdict;
}
