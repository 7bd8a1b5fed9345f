#include "features/provisioning/pvcs/pvc_delete.h"

#include "core/entity/entity_id.h"
#include "core/util/ip_address.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "features/provisioning/pvcs/pvc_write.h"
#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/records/board_setting_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>

namespace {

constexpr uint32_t kFdbAclDeny = 4;
constexpr uint32_t kFdbAclPermit = 5;
constexpr uint32_t kFdbStatic = 7;
constexpr uint32_t kServiceTypeControlOn = 1;

template <typename A> bool OnPvc(const A& entry, const PvcRec& pvc)
{
    return entry.portId == pvc.portId && entry.vpi == pvc.vpi && entry.vci == pvc.vci;
}

void ShowFailure(uint32_t failureTextId, const RequestOutcome& outcome)
{
    if (outcome.result != kDrvCancelled)
        GetLinkUi().ShowFailureMessage(failureTextId, outcome.result, outcome.text);
}

} // namespace

PvcDeletionCheck CheckPvcDeletion(uint32_t neId, const PvcRec& pvc, const CRecordRequests& requests)
{
    PvcDeletionCheck check;
    const auto stop = [&check](PvcDeletionVerdict verdict, uint32_t messageId = 0) {
        check.verdict = verdict;
        check.messageId = messageId;
        return check;
    };

    // Configured filtering entries; a table the NE does not serve is a failed read like any other.
    FdbQueryRec asked;
    asked.entityId = pvc.portId;
    asked.vpi = pvc.vpi;
    asked.vci = pvc.vci;
    const RecordReply<FdbEntryRec> fdb = requests.Query(kReqStaticFdb, neId, asked, {.failureTextId = kStrFailToQuery});
    if (!fdb.Ok())
        return stop(PvcDeletionVerdict::kQueryFailed);
    const bool configured = std::any_of(fdb.records.begin(), fdb.records.end(), [&](const FdbEntryRec& entry) {
        return OnPvc(entry, pvc) &&
               (entry.status == kFdbAclDeny || entry.status == kFdbAclPermit || entry.status == kFdbStatic);
    });
    if (configured)
        return stop(PvcDeletionVerdict::kRefused, kStrPvcHasStaticOrAclFdb);

    const RecordReply<BoardSettingRec> boards =
        requests.Query<BoardSettingRec>(kReqBoardSetting, neId, {.failureTextId = kStrFailToQuery});
    if (!boards.Ok())
        return stop(PvcDeletionVerdict::kBoardsFailed);
    const uint32_t card = GetParentEntityId(pvc.portId);
    const bool controlled = std::any_of(boards.records.begin(), boards.records.end(), [card](const BoardSettingRec& b) {
        return b.entityId == card && b.serviceTypeControl == kServiceTypeControlOn;
    });

    const std::optional<std::vector<PvcStaticIpEntry>> ranges = QueryPvcStaticIps(neId, pvc, kStrFailToQuery, requests);
    if (!ranges)
        return stop(PvcDeletionVerdict::kQueryFailed);
    check.hasStaticIps = !ranges->empty();
    if (controlled && check.hasStaticIps)
        return stop(PvcDeletionVerdict::kRefused, kStrPvcHasIpBaseEntries);

    const std::optional<McChannelRec> channel = QueryMcChannelEntry(neId, pvc.portId, kStrFailToQuery, requests);
    if (!channel)
        return stop(PvcDeletionVerdict::kQueryFailed);
    if (IsEnabledChannelOf(*channel, pvc.portId) && pvc.enableState == kPvcEnabled) {
        PvcRec port;
        port.portId = pvc.portId;
        const RecordReply<PvcRec> pvcs = requests.Query(kReqPvc, neId, port, {.failureTextId = kStrFailToQuery});
        if (!pvcs.Ok())
            return stop(PvcDeletionVerdict::kQueryFailed);
        const auto enabled = std::count_if(pvcs.records.begin(), pvcs.records.end(), [&](const PvcRec& other) {
            return other.portId == pvc.portId && other.enableState == kPvcEnabled;
        });
        if (enabled < 2)
            return stop(PvcDeletionVerdict::kRefused, kStrPvcLastBesideChannel);
    }
    return check;
}

PvcDeletion DeletePvc(uint32_t neId, const PvcRec& pvc, const CRecordRequests& requests)
{
    PvcRec key;
    key.portId = pvc.portId;
    key.vpi = pvc.vpi;
    key.vci = pvc.vci;
    const RecordReply<PvcRec> reply = requests.Delete(kReqPvc, neId, key, {.failureTextId = 0});
    PvcDeletion deletion;
    deletion.deleted = reply.Ok();
    if (deletion.deleted)
        return deletion;
    if (ReplyMarksMissingIpBase(reply.records))
        deletion.messageId = kStrPvcHasIpBaseEntries;
    else
        ShowFailure(kStrFailToDelete, reply);
    return deletion;
}
