#include "features/provisioning/multicast/mc_channel_requests.h"

#include "link/records/pvc_rec.h"
#include "link/records/record_bytes.h"
#include "link/records/request_codes.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/vlan_setting_rec.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>

namespace {

constexpr uint32_t kEnabled = 1;
constexpr size_t kStatusWordOffset = 4;

uint32_t RefusalText(uint32_t statusWord)
{
    switch (statusWord) {
    case 1:
        return kStrPvcPortChannelsFull;
    case 3:
        return kStrPvcCardPairsFull;
    case 4:
        return kStrVlanMacLimitBelowCommitted;
    default:
        return kStrFailToUpdateData;
    }
}

} // namespace

std::optional<uint32_t> CountEnabledPvcs(uint32_t neId, uint32_t portId, const CRecordRequests& requests)
{
    PvcRec port;
    port.portId = portId;
    const RecordReply<PvcRec> reply = requests.Query(kReqPvc, neId, port, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return std::nullopt;
    return static_cast<uint32_t>(std::count_if(reply.records.begin(), reply.records.end(), [portId](const PvcRec& pvc) {
        return pvc.portId == portId && pvc.enableState == kEnabled;
    }));
}

std::optional<VlanMacRoom> QueryVlanMacRoom(uint32_t neId, uint16_t vlanId, const CRecordRequests& requests)
{
    VlanSettingRec check;
    check.vlanId = vlanId;
    if (!requests.Modify(kReqVlanMacLimitCheck, neId, check, {.failureTextId = kStrFailToUpdateData}).Ok())
        return std::nullopt;
    const RecordReply<VlanSettingRec> committed =
        requests.Query(kReqVlanMacLimitCheck, neId, check, {.failureTextId = kStrFailToQuery});
    if (!committed.Ok())
        return std::nullopt;
    VlanMacLimitRec asked;
    asked.vlanId = vlanId;
    const RecordReply<VlanMacLimitRec> limits =
        requests.Query(kReqVlanMacLimit, neId, asked, {.failureTextId = kStrFailToQuery});
    if (!limits.Ok())
        return std::nullopt;
    VlanMacRoom room;
    room.committed = committed.records.empty() ? 0 : committed.records.front().committedUnits;
    const auto own = std::find_if(limits.records.begin(), limits.records.end(),
                                  [vlanId](const VlanMacLimitRec& rec) { return rec.vlanId == vlanId; });
    if (own != limits.records.end()) {
        room.limit = own->macLimit;
        room.limitKnown = true;
        room.limitEnabled = own->state == kEnabled;
    }
    return room;
}

uint32_t WriteMcChannel(uint32_t neId, bool add, const McChannelRec& channel, const CRecordRequests& requests)
{
    const RecordReply<McChannelRec> written = add ? requests.Add(kReqMcChannel, neId, channel, {.failureTextId = 0})
                                                  : requests.Modify(kReqMcChannel, neId, channel, {.failureTextId = 0});
    if (written.Ok())
        return 0;
    // Only a reply the NE answered carries a status word.
    const std::vector<uint8_t>& first = written.firstRecordBytes;
    return first.size() >= kStatusWordOffset + 4 ? RefusalText(record_bytes::GetU32(first.data(), kStatusWordOffset))
                                                 : kStrFailToUpdateData;
}
