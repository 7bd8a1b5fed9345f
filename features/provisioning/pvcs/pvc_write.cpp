#include "features/provisioning/pvcs/pvc_write.h"

#include "core/util/ip_address.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/vlan_setting_rec.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>

namespace {

constexpr uint32_t kVlanLimitEnabled = 1;

// The reasons a refusing NE gives where a PVC record carries its VPI and VCI.
bool MarksMissingIpBase(uint8_t vpi, uint16_t vci)
{
    return vci == 0 && (vpi == 12 || vpi == 3);
}

bool SameKey(const PvcRec& pvc, uint32_t portId, uint8_t vpi, uint16_t vci)
{
    return pvc.portId == portId && pvc.vpi == vpi && pvc.vci == vci;
}

PvcRowStatusRec RowStatusOf(const PvcRec& pvc, uint32_t status)
{
    return {pvc.portId, pvc.vpi, pvc.vci, status};
}

void ShowFailure(uint32_t failureTextId, const RequestOutcome& outcome)
{
    if (failureTextId != 0 && outcome.result != kDrvCancelled)
        GetLinkUi().ShowFailureMessage(failureTextId, outcome.result, outcome.text);
}

// The PVC is enabled and no other PVC of its port is.
bool IsOnlyEnabledOfPort(const PvcRec& pvc, const std::vector<PvcRec>& port)
{
    return pvc.enableState == kPvcEnabled && std::none_of(port.begin(), port.end(), [&pvc](const PvcRec& other) {
               return other.portId == pvc.portId && other.enableState == kPvcEnabled &&
                      !SameKey(other, pvc.portId, pvc.vpi, pvc.vci);
           });
}

} // namespace

bool ReplyMarksMissingIpBase(const std::vector<PvcRowStatusRec>& replied)
{
    return !replied.empty() && MarksMissingIpBase(replied.front().vpi, replied.front().vci);
}

bool ReplyMarksMissingIpBase(const std::vector<PvcRec>& replied)
{
    return !replied.empty() && MarksMissingIpBase(replied.front().vpi, replied.front().vci);
}

std::optional<std::vector<PvcStaticIpEntry>> QueryPvcStaticIps(uint32_t neId, const PvcRec& pvc, uint32_t failureTextId,
                                                               const CRecordRequests& requests)
{
    PvcStaticIpEntry key;
    key.portId = pvc.portId;
    key.vpi = pvc.vpi;
    key.vci = pvc.vci;
    const RecordReply<PvcStaticIpEntry> reply =
        requests.Query(kReqPvcStaticIp, neId, key, {.failureTextId = failureTextId});
    if (!reply.Ok())
        return std::nullopt;
    std::vector<PvcStaticIpEntry> ranges;
    for (const PvcStaticIpEntry& range : reply.records) {
        if (range.portId != pvc.portId || range.vpi != pvc.vpi || range.vci != pvc.vci)
            continue;
        if (IsZeroIpAddress(range.baseAddress) || ranges.size() == kMaxStaticIpRanges)
            break;
        ranges.push_back(range);
    }
    return ranges;
}

std::vector<PvcStaticIpEntry> RangesOfPvc(const PvcRec& pvc, const PvcStaticIps& ranges)
{
    std::vector<PvcStaticIpEntry> entries;
    for (const PvcStaticIpEntry& range : ranges) {
        if (IsZeroIpAddress(range.baseAddress))
            continue;
        PvcStaticIpEntry entry = range;
        entry.portId = pvc.portId;
        entry.vpi = pvc.vpi;
        entry.vci = pvc.vci;
        entries.push_back(entry);
    }
    return entries;
}

CPvcWrite::CPvcWrite(uint32_t neId, CRecordRequests requests) : neId_(neId), requests_(std::move(requests)) {}

PvcWriteOutcome CPvcWrite::Run(const PvcWriteJob& job)
{
    failureTextId_ = job.failureTextId;
    const PvcRec& pvc = job.pvc;
    const bool enable = pvc.enableState == kPvcEnabled;
    PvcWriteOutcome out;
    Done done;
    const auto stop = [&](PvcWriteStep step, uint32_t messageId = 0) {
        out.failedStep = step;
        out.messageId = messageId;
        return out;
    };
    const auto undoAndStop = [&](PvcWriteStep step, uint32_t messageId = 0) {
        Undo(pvc, done);
        return stop(step, messageId);
    };

    std::optional<PvcRowStatusRec> status;
    std::optional<McChannelRec> channel;
    if (!job.batch && !ReadRowStatus(pvc, &status))
        return stop(PvcWriteStep::kReadState);
    const bool exists = job.batch ? job.asRead.has_value() : status.has_value();

    if (exists) {
        done.existing = job.asRead;
        if (!done.existing) {
            const std::optional<std::vector<PvcRec>> portPvcs = PortPvcs(pvc.portId);
            if (!portPvcs)
                return stop(PvcWriteStep::kReadState);
            for (const PvcRec& existing : *portPvcs) {
                if (SameKey(existing, pvc.portId, pvc.vpi, pvc.vci))
                    done.existing = existing;
            }
            if (!done.existing)
                return stop(PvcWriteStep::kReadState, kStrNoData);
        }
        done.wasActive = job.batch ? done.existing->enableState == kPvcEnabled : status->status == kPvcRowActive;
        // The batch reads the PVC's ranges first; they are read again, and deleted, when it is taken out of service.
        if (job.batch && !QueryPvcStaticIps(neId_, pvc, kStrFailToQuery, requests_))
            return stop(PvcWriteStep::kReadState);
        if (!job.batch || IsOnlyEnabledOfPort(*done.existing, job.portAsRead)) {
            channel = QueryMcChannelEntry(neId_, pvc.portId, kStrFailToQuery, requests_);
            if (!channel)
                return stop(PvcWriteStep::kReadState);
        } else {
            channel = McChannelRec{};
        }
        if (!job.batch && done.wasActive) {
            const std::optional<uint32_t> refusal = CheckVlanMacLimit(pvc, *done.existing);
            if (!refusal || *refusal != 0)
                return stop(PvcWriteStep::kVlanMacLimit, refusal.value_or(0));
        }
        if ((job.batch || done.wasActive) && !enable && IsEnabledChannelOf(*channel, pvc.portId)) {
            const std::optional<bool> others = OthersEnabled(pvc);
            if (!others)
                return stop(PvcWriteStep::kReadState);
            if (!*others)
                return stop(PvcWriteStep::kLastEnabled, kStrPvcLastWithChannel);
        }
    }

    // The setting dialog judges the PVC once it is out of service; the batch judges it first, and takes it out of
    // service only when it passes.
    uint32_t outOfServiceMessage = 0;
    const auto takeOutOfService = [&] { return TakeOutOfService(pvc, *channel, done, &outOfServiceMessage); };
    if (exists && !job.batch && !takeOutOfService())
        return undoAndStop(PvcWriteStep::kOutOfService, outOfServiceMessage);
    out.verdict = CheckPvcRules(neId_, !exists, pvc, job.ranges, failureTextId_, requests_);
    if (!out.verdict.passed)
        return undoAndStop(PvcWriteStep::kRuleCheck);
    if (exists && job.batch && !takeOutOfService())
        return undoAndStop(PvcWriteStep::kOutOfService, outOfServiceMessage);

    PvcRec written = pvc;
    written.operState = 0;
    written.baseAddress = {};
    if (!requests_.Modify(kReqPvc, neId_, written, {.failureTextId = failureTextId_}).Ok())
        return undoAndStop(PvcWriteStep::kWrite);
    done.pvcWritten = true;
    if (!job.batch) {
        std::optional<PvcRowStatusRec> after;
        if (!ReadRowStatus(pvc, &after))
            return undoAndStop(PvcWriteStep::kWrite);
        if (after && after->status == kPvcRowNotReady)
            return undoAndStop(PvcWriteStep::kNotReady, kStrFailedToSetData);
    }

    if (!AddRanges(RangesOfPvc(pvc, job.ranges), &done.rangesAdded, &out.failedRange))
        return undoAndStop(PvcWriteStep::kStaticIp, kStrIpAddressReserved);
    if (enable) {
        uint32_t messageId = 0;
        if (!SetRowStatus(pvc, kPvcRowActive, &messageId))
            return undoAndStop(PvcWriteStep::kEnable, messageId);
    }
    if (done.channelDisabled)
        WriteMcChannelEntry(neId_, false, *done.channelDisabled, failureTextId_, requests_);
    out.written = true;
    out.result = written;
    out.result.operState = enable ? kPvcOperUp : kPvcOperDown;
    return out;
}

bool CPvcWrite::ReadRowStatus(const PvcRec& pvc, std::optional<PvcRowStatusRec>* status)
{
    const RecordReply<PvcRowStatusRec> reply =
        requests_.Query(kReqPvcRowStatus, neId_, RowStatusOf(pvc, 0), {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return false;
    status->reset();
    for (const PvcRowStatusRec& row : reply.records) {
        if (row.portId == pvc.portId && row.vpi == pvc.vpi && row.vci == pvc.vci)
            *status = row;
    }
    return true;
}

std::optional<std::vector<PvcRec>> CPvcWrite::PortPvcs(uint32_t portId)
{
    PvcRec key;
    key.portId = portId;
    const RecordReply<PvcRec> reply = requests_.Query(kReqPvc, neId_, key, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return std::nullopt;
    std::vector<PvcRec> pvcs;
    std::copy_if(reply.records.begin(), reply.records.end(), std::back_inserter(pvcs),
                 [portId](const PvcRec& pvc) { return pvc.portId == portId; });
    return pvcs;
}

std::optional<bool> CPvcWrite::OthersEnabled(const PvcRec& pvc)
{
    const std::optional<std::vector<PvcRec>> portPvcs = PortPvcs(pvc.portId);
    if (!portPvcs)
        return std::nullopt;
    const auto enabled = std::count_if(portPvcs->begin(), portPvcs->end(),
                                       [](const PvcRec& other) { return other.enableState == kPvcEnabled; });
    return enabled >= 2;
}

std::optional<uint32_t> CPvcWrite::CheckVlanMacLimit(const PvcRec& pvc, const PvcRec& existing)
{
    VlanSettingRec check;
    check.vlanId = pvc.vlanId;
    if (!requests_.Modify(kReqVlanMacLimitCheck, neId_, check, {.failureTextId = kStrFailToUpdateData}).Ok())
        return std::nullopt;
    const RecordReply<VlanSettingRec> committed =
        requests_.Query(kReqVlanMacLimitCheck, neId_, check, {.failureTextId = kStrFailToQuery});
    if (!committed.Ok())
        return std::nullopt;
    const RecordReply<VlanMacLimitRec> limits =
        requests_.Query(kReqVlanMacLimit, neId_, VlanMacLimitRec{pvc.vlanId, 0, 0}, {.failureTextId = kStrFailToQuery});
    if (!limits.Ok())
        return std::nullopt;
    const int64_t total = committed.records.empty() ? 0 : committed.records.front().committedUnits;
    for (const VlanMacLimitRec& limit : limits.records) {
        if (limit.vlanId != pvc.vlanId || limit.state != kVlanLimitEnabled)
            continue;
        // The PVC's own units are counted in the VLAN's total while it stays in the VLAN; its VLAN and MAC limit as
        // read are those the dialog showed.
        const PvcRec asRead = PvcAsShown(existing);
        const int64_t own = pvc.vlanId == asRead.vlanId ? asRead.macLimit : 0;
        if (total + pvc.macLimit - own > static_cast<int64_t>(limit.macLimit))
            return kStrVlanMacLimitBelowCommitted;
    }
    return 0;
}

bool CPvcWrite::TakeOutOfService(const PvcRec& pvc, const McChannelRec& channel, Done& done, uint32_t* messageId)
{
    if (IsEnabledChannelOf(channel, pvc.portId)) {
        McChannelRec off = channel;
        off.adminState = kMcChannelDisabled;
        if (!WriteMcChannelEntry(neId_, false, off, failureTextId_, requests_))
            return false;
        done.channelDisabled = channel;
    }
    if (!SetRowStatus(pvc, kPvcRowNotInService, messageId))
        return false;
    done.outOfService = true;
    const std::optional<std::vector<PvcStaticIpEntry>> ranges =
        QueryPvcStaticIps(neId_, pvc, kStrFailToQuery, requests_);
    return ranges && DeleteRanges(*ranges, &done.rangesDeleted);
}

bool CPvcWrite::SetRowStatus(const PvcRec& pvc, uint32_t status, uint32_t* messageId)
{
    const RecordReply<PvcRowStatusRec> reply =
        requests_.Modify(kReqPvcRowStatus, neId_, RowStatusOf(pvc, status), {.failureTextId = 0});
    if (reply.Ok())
        return true;
    if (ReplyMarksMissingIpBase(reply.records))
        *messageId = kStrPvcNoIpBase;
    else
        ShowFailure(failureTextId_, reply);
    return false;
}

bool CPvcWrite::AddRanges(const std::vector<PvcStaticIpEntry>& ranges, std::vector<PvcStaticIpEntry>* added,
                          int* failed)
{
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (!requests_.Add(kReqPvcStaticIp, neId_, ranges[i], {.failureTextId = failureTextId_}).Ok()) {
            *failed = static_cast<int>(i);
            return false;
        }
        added->push_back(ranges[i]);
    }
    return true;
}

bool CPvcWrite::DeleteRanges(const std::vector<PvcStaticIpEntry>& ranges, std::vector<PvcStaticIpEntry>* deleted)
{
    for (const PvcStaticIpEntry& range : ranges) {
        if (!requests_.Delete(kReqPvcStaticIp, neId_, range, {.failureTextId = failureTextId_}).Ok())
            return false;
        deleted->push_back(range);
    }
    return true;
}

void CPvcWrite::Undo(const PvcRec& pvc, const Done& done)
{
    uint32_t ignored = 0;
    if (!done.existing) {
        // A new PVC goes again once written; the NE drops its ranges with it.
        if (done.pvcWritten) {
            PvcRec key;
            key.portId = pvc.portId;
            key.vpi = pvc.vpi;
            key.vci = pvc.vci;
            requests_.Delete(kReqPvc, neId_, key, {.failureTextId = failureTextId_});
        }
        return;
    }
    if (done.pvcWritten) {
        SetRowStatus(pvc, kPvcRowNotInService, &ignored);
        std::vector<PvcStaticIpEntry> gone;
        DeleteRanges(done.rangesAdded, &gone);
        PvcRec asRead = *done.existing;
        asRead.operState = 0;
        requests_.Modify(kReqPvc, neId_, asRead, {.failureTextId = failureTextId_});
    }
    std::vector<PvcStaticIpEntry> back;
    int failed = -1;
    AddRanges(done.rangesDeleted, &back, &failed);
    if (done.outOfService && done.wasActive)
        SetRowStatus(pvc, kPvcRowActive, &ignored);
    if (done.channelDisabled)
        WriteMcChannelEntry(neId_, false, *done.channelDisabled, failureTextId_, requests_);
}
