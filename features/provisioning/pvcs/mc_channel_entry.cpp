#include "features/provisioning/pvcs/mc_channel_entry.h"

#include "link/records/pvc_key_rec.h"

std::optional<McChannelRec> QueryMcChannelEntry(uint32_t neId, uint32_t portId, uint32_t failureTextId,
                                                const CRecordRequests& requests)
{
    // A channel record the NE does not serve is a failed read like any other.
    const RecordReply<McChannelRec> reply =
        requests.Query(kReqMcChannel, neId, PvcKeyRec{portId, 0, 0}, {.failureTextId = failureTextId});
    if (!reply.Ok())
        return std::nullopt;
    for (const McChannelRec& channel : reply.records) {
        if (channel.portId == portId)
            return channel;
    }
    return McChannelRec{};
}

bool WriteMcChannelEntry(uint32_t neId, bool add, const McChannelRec& channel, uint32_t failureTextId,
                         const CRecordRequests& requests)
{
    const RequestOptions options{.failureTextId = failureTextId};
    return add ? requests.Add(kReqMcChannel, neId, channel, options).Ok()
               : requests.Modify(kReqMcChannel, neId, channel, options).Ok();
}
