// What the simulated server answers about xDSL profiles: the templates it keeps and the profiles of the NEs, with
// the limits of their tables, and the synchronisation and verification of an NE's profiles against the templates.

#include "sim/server/sim_frame_records.h"
#include "sim/server/sim_profiles.h"
#include "sim/server/sim_request_handler.h"

#include "link/records/profile_sync_rec.h"

void CSimRequestHandler::Profiles(Handled& out, const Frame& request, const SimProfileKind& kind)
{
    const FrameHeader& header = request.header;
    if (header.neId != 0) {
        // An NE's own profiles: the NE answers them.
        const CSimNe* ne = db_.FindNe(header.neId);
        if (ne == nullptr || !db_.IsNeReachable(*ne)) {
            Reply(out, header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
            return;
        }
    }
    CSimProfiles profiles(db_.Generic());
    const GenericReply reply = profiles.Handle(kind, header.requestCode, header.operation, header.neId,
                                               request.payload.data(), header.count, header.recordSize);
    if (reply.status != kDrvOk) {
        Reply(out, header, SimResult{reply.status, reply.reason});
        return;
    }
    Reply(out, header, reply.records, reply.recordSize, reply.count, reply.count);
}

void CSimRequestHandler::ProfileSync(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr || !db_.IsNeReachable(*ne)) {
        Reply(out, header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
        return;
    }
    ProfileSyncRec rec;
    if (RecordsOf(request, kProfileSyncRecSize) == 0 ||
        !DecodeRecord(RecordAt(request, 0), kProfileSyncRecSize, &rec)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    CSimProfiles profiles(db_.Generic());
    if (header.requestCode == kReqConfigVerify) {
        if (!IsQuery(request)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        ReplyRecords(out, header, std::vector<ProfileSyncRec>{profiles.Compare(*ne)}, 1);
        return;
    }
    if (!IsModify(request)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    // The first word asks for the NE's whole configuration from the server: every class.
    if (rec.first == 1)
        rec = {1, 1, 1, 1, 1, 1, 1};
    profiles.Synchronise(*ne, rec);
    Reply(out, header, kDrvOk);
}
