// What the simulated server answers about xDSL profiles: the templates it keeps and the profiles of the NEs, with
// the limits of their tables and the counts asked before an add, and the synchronisation and verification of an NE's
// profiles against the templates.

#include "sim/server/sim_frame_records.h"
#include "sim/server/sim_profiles.h"
#include "sim/server/sim_request_handler.h"

#include "link/records/mc_channel_profile_rec.h"
#include "link/records/profile_sync_rec.h"
#include "link/records/record_bytes.h"
#include "link/records/request_codes.h"

#include <algorithm>

namespace {

// What a refused add of a multicast channel profile says in its status word: the id is taken.
constexpr uint32_t kChannelProfileExists = 3;
constexpr size_t kStatusWordOffset = 4;

// The added channel profile whose id the table holds already; none when every id is free.
const uint8_t* TakenChannelProfile(CGenericRecordStore& store, uint32_t neId, const Frame& request)
{
    const std::vector<std::vector<uint8_t>> held = store.KeptRecords(kReqMcChannelProfile, neId);
    for (uint32_t i = 0; i < RecordsOf(request, kMcChannelProfileRecSize); ++i) {
        const uint8_t* added = RecordAt(request, i);
        const uint16_t id = record_bytes::GetU16(added, 0);
        if (std::any_of(held.begin(), held.end(),
                        [id](const std::vector<uint8_t>& rec) { return record_bytes::GetU16(rec.data(), 0) == id; }))
            return added;
    }
    return nullptr;
}

} // namespace

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
    const uint16_t code = header.requestCode;
    // An NE names a taken channel profile id in the status word of its reply.
    if (code == kReqMcChannelProfileAdd.value && header.operation == kEmsOpModify) {
        if (const uint8_t* taken = TakenChannelProfile(db_.Generic(), header.neId, request)) {
            std::vector<uint8_t> refused(taken, taken + kMcChannelProfileRecSize);
            record_bytes::PutU32(refused.data(), kStatusWordOffset, kChannelProfileExists);
            Reply(out, header, refused, kMcChannelProfileRecSize, 1, 1);
            out.replies.back().header.status = kDrvRejected;
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

void CSimRequestHandler::ProfileCount(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    if (header.neId != 0) {
        const CSimNe* ne = db_.FindNe(header.neId);
        if (ne == nullptr || !db_.IsNeReachable(*ne)) {
            Reply(out, header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
            return;
        }
    }
    if (!IsQuery(request)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    const uint32_t count = CSimProfiles(db_.Generic()).Count(header.requestCode, header.neId);
    std::vector<uint8_t> word(2);
    record_bytes::PutU16(word.data(), 0, static_cast<uint16_t>(std::min<uint32_t>(count, 0xFFFF)));
    Reply(out, header, word, 2, 1, 1);
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
