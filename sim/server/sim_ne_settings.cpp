// The simulated server's requests about an NE's clock, its NE-wide settings and its layer-2 functions, as the NE
// carries them out: every setting is kept within the NE's ranges (sim/seed/ne_setting_rules.h), the clock runs on,
// the time servers report their states, the sessions of a slot are those of its ports, and a VLAN's committed MAC
// limit units are those of its enabled PVCs. What needs no rule of its own is kept by the generic store.

#include "sim/server/sim_request_handler.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_index.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/line_card_slots.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/pppoe_session_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/vlan_setting_rec.h"
#include "sim/seed/ne_setting_rules.h"
#include "sim/server/sim_frame_records.h"

namespace {

constexpr uint32_t kSntp = 1;

// The first record the generic store keeps of a code for the NE, decoded; a record of zeros when there is none.
template <typename Rec> Rec StoredRecord(CGenericRecordStore& store, RequestCode<Rec> code, uint32_t neId)
{
    Rec rec{};
    const std::vector<std::vector<uint8_t>> kept = store.KeptRecords(code, neId);
    if (!kept.empty())
        DecodeRecord(kept.front().data(), kept.front().size(), &rec);
    return rec;
}

bool HasStandbyControlModule(const CSimNe& ne)
{
    const CEntityIndex standby = CwmModuleIndex(2, ne.Key().modelId);
    return !standby.IsEmpty() && ne.FindEntity(EntityIdFromIndexValue(standby)) != nullptr;
}

} // namespace

bool CSimRequestHandler::NeSettings(Handled& out, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr)
        return false;
    CGenericRecordStore& store = db_.Generic();
    const uint32_t neId = header.neId;
    const uint16_t code = header.requestCode;
    const NeTimeRecord seed = StoredRecord(store, kReqNeTime, neId);

    if (IsModify(request) && header.count > 0) {
        const NeSettingLimits limits{HighestVlanMacLimit(CurrentEntityModels(), ne->Key().modelId)};
        for (uint32_t i = 0; i < header.count; ++i) {
            const std::string refusal = NeSettingRefusal(code, RecordAt(request, i), header.recordSize, limits);
            if (!refusal.empty()) {
                Reply(out, header, Refused(refusal));
                return true;
            }
        }
    }

    // A setting nobody has written reads as the NE's own.
    if (IsQuery(request) && store.KeptRecords(code, neId).empty()) {
        for (const NeSettingDefault& setting : NeSettingDefaults()) {
            if (setting.code == code) {
                Reply(out, header, setting.record, static_cast<uint32_t>(setting.record.size()), 1, 1);
                return true;
            }
        }
    }

    switch (code) {
    case kReqNeTime: {
        NeTimeRecord written;
        if (IsModify(request)) {
            if (RecordsOf(request, kNeTimeRecordSize) != 1 ||
                !DecodeRecord(RecordAt(request, 0), kNeTimeRecordSize, &written)) {
                Reply(out, header, kDrvInvalidParameter);
                return true;
            }
            db_.NeClocks().Set(neId, now, written, seed);
        }
        ReplyRecords(out, header, std::vector<NeTimeRecord>{db_.NeClocks().Read(neId, now, seed)}, 1);
        return true;
    }
    case kReqNeTimeServer: {
        NeTimeServerRecord rec;
        if (!IsModify(request) || RecordsOf(request, kNeTimeServerRecordSize) != 1 ||
            !DecodeRecord(RecordAt(request, 0), kNeTimeServerRecordSize, &rec))
            return false;
        // The NE keeps the states it finds, not those written.
        SetTimeServerStates(rec);
        const auto bytes = EncodeRecord(rec);
        const GenericReply kept =
            store.Handle(code, kEmsOpModify, neId, bytes.data(), 1, static_cast<uint32_t>(bytes.size()));
        Reply(out, header, kept.records, kept.recordSize, kept.count, kept.count);
        return true;
    }
    case kReqNeTimeAdjust: {
        const NeTimeServerRecord servers = StoredRecord(store, kReqNeTimeServer, neId);
        const bool source =
            servers.protocol == kSntp &&
            (servers.firstServerState == 1 || servers.secondServerState == 1 || servers.thirdServerState == 1);
        if (!source) {
            Reply(out, header, Refused("No network timing source"));
            return true;
        }
        db_.NeClocks().Adjust(neId, now, seed);
        Reply(out, header, kDrvOk);
        return true;
    }
    case kReqRedundancySyncNow:
        if (!HasStandbyControlModule(*ne)) {
            Reply(out, header, Refused("No standby control module"));
            return true;
        }
        return false;
    case kReqVlanMacLimitCheck: {
        if (!IsQuery(request))
            return false;
        // The VLAN written last; its units are those of the enabled PVCs bridged into it and the limits of its
        // enabled multicast channels.
        VlanSettingRec check = StoredRecord(store, kReqVlanMacLimitCheck, neId);
        check.committedUnits = 0;
        for (const PvcRec& pvc : store.DecodedKeptRecords(kReqPvc, neId)) {
            if (pvc.vlanId == check.vlanId && pvc.enableState == 1)
                check.committedUnits += pvc.macLimit;
        }
        for (const McChannelRec& channel : store.DecodedKeptRecords(kReqMcChannel, neId)) {
            if (channel.vlanId == check.vlanId && channel.adminState == 1)
                check.committedUnits += channel.channelLimit;
        }
        ReplyRecords(out, header, std::vector<VlanSettingRec>{check}, 1);
        return true;
    }
    case kReqPppoeSession: {
        PppoeSessionRec asked;
        if (!IsQuery(request) || RecordsOf(request, kPppoeSessionRecSize) != 1 ||
            !DecodeRecord(RecordAt(request, 0), kPppoeSessionRecSize, &asked))
            return false;
        // A slot's sessions are those of its ports.
        std::vector<PppoeSessionRec> sessions;
        for (const PppoeSessionRec& session : store.DecodedKeptRecords(kReqPppoeSession, neId)) {
            if (asked.portId == 0 || session.portId == asked.portId ||
                GetParentEntityId(session.portId) == asked.portId)
                sessions.push_back(session);
        }
        ReplyRecords(out, header, sessions, static_cast<uint32_t>(sessions.size()));
        return true;
    }
    default:
        return false;
    }
}
