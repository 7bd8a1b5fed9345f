#include "features/provisioning/pvcs/mc_channel_entry.h"

#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/records/pvc_key_rec.h"

std::optional<McChannelRec> QueryMcChannelEntry(uint32_t neId, uint32_t portId, uint32_t failureTextId,
                                                const CRecordRequests& requests)
{
    const RecordReply<McChannelRec> reply =
        requests.Query(kReqMcChannel, neId, PvcKeyRec{portId, 0, 0}, {.failureTextId = 0});
    // An NE that serves no channels has none on the port.
    if (reply.result == kDrvNotSupported)
        return McChannelRec{};
    if (!reply.Ok()) {
        if (failureTextId != 0 && reply.result != kDrvCancelled)
            GetLinkUi().ShowFailureMessage(failureTextId, reply.result, reply.text);
        return std::nullopt;
    }
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
