#include "features/provisioning/fast_prov/fast_prov_batch.h"

#include "core/entity/entity_id.h"
#include "features/provisioning/pvcs/pvc_write.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/shdsl_port_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr uint32_t kPortEnabled = 1;
constexpr uint32_t kPortDisabled = 2;
constexpr uint32_t kServiceTypeControlOn = 1;
constexpr uint32_t kPolicingMaxPlainAction = 1; // 0 none, 1 drop; higher actions remark the DSCP code

bool IsPppoeOrTransparent(uint32_t serviceType)
{
    return serviceType == kServicePppoe || serviceType == kServicePppoeDhcp || serviceType == kServicePppoeStaticIp ||
           serviceType == kServiceTransparent;
}

} // namespace

CFastProvBatch::CFastProvBatch(uint32_t neId, const FastProvParams& params, CRecordRequests requests)
    : neId_(neId), params_(params), requests_(std::move(requests))
{
}

FastProvStep CFastProvBatch::Run(const FastProvRow& row)
{
    return row.isPort ? RunPort(row) : RunPvc(row);
}

bool CFastProvBatch::ReadBoards()
{
    const RecordReply<BoardSettingRec> boards =
        requests_.Query<BoardSettingRec>(kReqBoardSetting, neId_, {.failureTextId = kStrFailToQuery});
    if (!boards.Ok())
        return false;
    boards_ = boards.records;
    return true;
}

bool CFastProvBatch::CardControlsServiceTypes(const FastProvRow& row) const
{
    // The boards are told apart by their entity ids, whatever order the NE lists them in.
    CEntityId slot;
    slot.SetLevels(1, row.port.index.Shelf(), row.port.index.Slot(), 0, 0);
    const auto board = std::find_if(boards_.begin(), boards_.end(),
                                    [&](const BoardSettingRec& rec) { return rec.entityId == slot.id; });
    return board != boards_.end() && board->serviceTypeControl == kServiceTypeControlOn;
}

std::optional<bool> CFastProvBatch::PortHasPppoePvc(uint32_t portId)
{
    PvcRec key;
    key.portId = portId;
    const RecordReply<PvcRec> pvcs = requests_.Query(kReqPvc, neId_, key, {.failureTextId = kStrFailToQuery});
    if (!pvcs.Ok())
        return std::nullopt;
    return std::any_of(pvcs.records.begin(), pvcs.records.end(), [&](const PvcRec& pvc) {
        return pvc.portId == portId && IsPppoeOrTransparent(pvc.serviceType);
    });
}

std::optional<bool> CFastProvBatch::PolicingRemarksDscp()
{
    const RecordReply<TrafficPolicingProfileRec> profiles = requests_.Query<TrafficPolicingProfileRec>(
        kReqTrafficPolicingProfile, neId_, {.failureTextId = kStrFailToQuery});
    if (!profiles.Ok())
        return std::nullopt;
    const auto chosen =
        std::find_if(profiles.records.begin(), profiles.records.end(),
                     [&](const TrafficPolicingProfileRec& rec) { return rec.name == params_.trafficPolicingProfile; });
    return chosen != profiles.records.end() && chosen->action > kPolicingMaxPlainAction;
}

FastProvStep CFastProvBatch::RunPort(const FastProvRow& row)
{
    const std::optional<bool> pppoe = PortHasPppoePvc(row.port.entityId);
    if (!pppoe)
        return {};
    if (*pppoe && CardControlsServiceTypes(row)) {
        const std::optional<bool> remarks = PolicingRemarksDscp();
        if (!remarks)
            return {};
        if (*remarks)
            return {.done = false, .messageId = kStrPvcDscpPolicing, .report = {}};
    }
    const uint32_t enable = params_.portEnabled ? kPortEnabled : kPortDisabled;
    const RequestOptions options{.failureTextId = kStrFailToUpdateData};
    if (params_.IsShdsl()) {
        ShdslPortRec port;
        port.entityId = row.port.entityId;
        port.lineProfile = params_.lineProfile;
        port.pmThresholdProfile = params_.pmThresholdProfile;
        port.enableState = enable;
        return {.done = requests_.Modify(kReqShdslPort, neId_, port, options).Ok(), .messageId = 0, .report = {}};
    }
    AdslPortRec port;
    port.entityId = row.port.entityId;
    port.lineProfile = params_.lineProfile;
    port.pmThresholdProfile = params_.pmThresholdProfile;
    port.trafficPolicingProfile = params_.trafficPolicingProfile;
    port.enableState = enable;
    port.upstreamFilterGroups = params_.upstreamFilterGroups;
    port.downstreamFilterGroups = params_.downstreamFilterGroups;
    return {.done = requests_.Modify(kReqAdslPort, neId_, port, options).Ok(), .messageId = 0, .report = {}};
}

PvcRec CFastProvBatch::PvcOf(const FastProvRow& row) const
{
    PvcRec pvc;
    pvc.portId = row.port.entityId;
    pvc.vpi = row.vpi;
    pvc.vci = row.vci;
    pvc.rfc2684Mode = params_.encapsulation;
    pvc.vlanId = row.vlan;
    pvc.userPriority = params_.userPriority;
    pvc.macLimit = params_.macLimit;
    if (params_.IsRouted())
        pvc.nextHopName = params_.nextHopName;
    pvc.ipTrafficProfile = params_.ipTrafficProfile;
    pvc.serviceType = params_.serviceType;
    pvc.dhcpIpLimit = params_.dhcpIpLimit;
    pvc.enableState = params_.vcEnabled ? kPvcEnabled : kPvcDisabled;
    pvc.aging = params_.nonAged ? 0 : 1;
    pvc.clientLimit = params_.clientLimit;
    return pvc;
}

FastProvStep CFastProvBatch::RunPvc(const FastProvRow& row)
{
    PvcWriteJob job;
    job.pvc = PvcOf(row);
    // The static IP block travels with the row, never through the text the list shows.
    if (IsStaticIpService(params_.serviceType) && row.staticIp != std::array<uint8_t, 4>{}) {
        job.ranges[0].baseAddress = row.staticIp;
        job.ranges[0].count = params_.staticIpLimit;
    }
    const RecordReply<PvcRec> found = requests_.Query(kReqPvc, neId_, job.pvc, {.failureTextId = kStrFailToQuery});
    if (!found.Ok())
        return {};
    const auto existing = std::find_if(found.records.begin(), found.records.end(), [&](const PvcRec& pvc) {
        return pvc.portId == job.pvc.portId && pvc.vpi == job.pvc.vpi && pvc.vci == job.pvc.vci;
    });
    if (existing != found.records.end())
        job.asRead = *existing;
    std::copy_if(found.records.begin(), found.records.end(), std::back_inserter(job.portAsRead),
                 [&](const PvcRec& pvc) { return pvc.portId == job.pvc.portId; });
    job.batch = true;
    job.failureTextId = job.asRead ? kStrFailToUpdateData : kStrAddingNewDataFailed;
    const PvcWriteOutcome outcome = CPvcWrite(neId_, requests_).Run(job);
    return {.done = outcome.written, .messageId = outcome.messageId, .report = outcome.verdict.report};
}
