// The simulated server's PVCs of an NE's xDSL ports, as the NE keeps and judges them (sim/seed/pvc_rules.h): a
// port's PVCs with their row states and static IP ranges, the rule checks written and read back, and the source MACs
// a PVC permits or denies. The records live in the generic store; what the NE refuses is refused here, a PVC's row
// state when it was never set follows its enable state, and a query of a card, shelf or the NE lists the PVCs and
// source MACs of every port below it.

#include "core/entity/entity_id.h"
#include "core/entity/entity_type_ids.h"
#include "link/records/acl_check_rec.h"
#include "link/records/acl_entry_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/pvc_row_status_rec.h"
#include "link/records/service_type_check_rec.h"
#include "link/records/word_record.h"
#include "sim/seed/profile_rules.h"
#include "sim/seed/pvc_rules.h"
#include "sim/server/sim_frame_records.h"
#include "sim/server/sim_request_handler.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr uint32_t kEnabled = 1;
constexpr uint32_t kUp = 1;
constexpr uint32_t kDown = 2;
constexpr uint8_t kMissingIpBaseMark = 12; // where a refused PVC record carries its VPI
constexpr uint32_t kServiceTypeControlOn = 1;
constexpr uint32_t kStaticFdbEntry = 7;
constexpr size_t kMostNextHops = 4;

template <typename Rec>
void Keep(CGenericRecordStore& store, RequestCode<Rec> code, uint32_t neId, const std::vector<Rec>& records)
{
    std::vector<std::vector<uint8_t>> bytes;
    for (const Rec& rec : records) {
        const auto encoded = EncodeRecord(rec);
        bytes.emplace_back(encoded.begin(), encoded.end());
    }
    store.ReplaceRecords(code, neId, static_cast<uint32_t>(kRecordSize<Rec>), bytes);
}

template <typename A, typename B> bool SamePvc(const A& a, const B& b)
{
    return a.portId == b.portId && a.vpi == b.vpi && a.vci == b.vci;
}

// The entity a query names holds the port: the port itself, or a card, shelf or the NE above it.
bool Below(uint32_t entityId, uint32_t portId)
{
    return entityId == 0 || entityId == 1 || entityId == portId || CEntityId(entityId).IsAncestorOf(portId);
}

uint64_t KeyOf(uint32_t portId, uint8_t vpi, uint16_t vci)
{
    return (static_cast<uint64_t>(portId) << 24) | (static_cast<uint64_t>(vpi) << 16) | vci;
}

SimPvcWorld World(CGenericRecordStore& store, uint32_t neId)
{
    SimPvcWorld world;
    std::unordered_map<uint64_t, size_t> held;
    for (const PvcRec& pvc : store.DecodedKeptRecords(kReqPvc, neId)) {
        held.emplace(KeyOf(pvc.portId, pvc.vpi, pvc.vci), world.pvcs.size());
        world.pvcs.push_back({pvc, pvc.enableState == kEnabled ? kSimPvcRowActive : kSimPvcRowNotInService, {}});
    }
    for (const PvcRowStatusRec& row : store.DecodedKeptRecords(kReqPvcRowStatus, neId)) {
        if (const auto found = held.find(KeyOf(row.portId, row.vpi, row.vci)); found != held.end())
            world.pvcs[found->second].rowStatus = row.status;
    }
    for (const PvcStaticIpEntry& range : store.DecodedKeptRecords(kReqPvcStaticIp, neId)) {
        if (const auto found = held.find(KeyOf(range.portId, range.vpi, range.vci)); found != held.end())
            world.pvcs[found->second].ranges.push_back(range);
    }
    world.channels = store.DecodedKeptRecords(kReqMcChannel, neId);
    world.ipTrafficProfiles = store.DecodedKeptRecords(kReqIpTrafficProfile, neId);
    world.nextHops = store.DecodedKeptRecords(kReqNextHop, neId);
    world.vlanLimits = store.DecodedKeptRecords(kReqVlanMacLimit, neId);
    world.acls = store.DecodedKeptRecords(kReqAcl, neId);
    world.staticFdb = store.DecodedKeptRecords(kReqStaticFdb, neId);
    world.learnedFdb = store.DecodedKeptRecords(kReqFdb, neId);
    for (const NeNetworkConfigRec& own : store.DecodedKeptRecords(kReqNeNetworkConfig, neId))
        world.ownAddresses.insert(world.ownAddresses.end(), {own.nmeIp, own.gateway, own.ugeIp, own.cascadedRootIp});
    for (const NeDnsServerRec& dns : store.DecodedKeptRecords(kReqNeDns, neId))
        world.ownAddresses.insert(world.ownAddresses.end(), {dns.first, dns.second, dns.third});
    for (const NextHopRec& hop : world.nextHops)
        world.ownAddresses.push_back(hop.address);
    for (const DhcpRelayServerRec& relay : store.DecodedKeptRecords(kReqDhcpRelayServer, neId))
        world.ownAddresses.push_back(relay.address);
    for (const NeSnmpManagerRecord& manager : store.DecodedKeptRecords(kReqNeSnmpManager, neId))
        world.ownAddresses.push_back(manager.ipAddress);
    return world;
}

const SimPvc* Find(const SimPvcWorld& world, const PvcRec& key)
{
    const auto found =
        std::find_if(world.pvcs.begin(), world.pvcs.end(), [&](const SimPvc& held) { return SamePvc(held.pvc, key); });
    return found != world.pvcs.end() ? &*found : nullptr;
}

// The PVC's row state, written as the NE keeps it; its oper state follows.
template <typename Rec>
GenericReply Do(CGenericRecordStore& store, uint16_t code, uint8_t operation, uint32_t neId, const Rec& rec)
{
    const auto bytes = EncodeRecord(rec);
    return store.Handle(code, operation, neId, bytes.data(), 1, static_cast<uint32_t>(bytes.size()));
}

// The PVC the store keeps under the key, found among its port's.
std::optional<PvcRec> HeldPvc(CGenericRecordStore& store, uint32_t neId, const PvcRec& key)
{
    PvcRec port;
    port.portId = key.portId;
    const GenericReply reply = Do(store, kReqPvc, kEmsOpQuery, neId, port);
    for (uint32_t i = 0; i < reply.count; ++i) {
        PvcRec pvc;
        if (DecodeRecord(reply.records.data() + static_cast<size_t>(i) * reply.recordSize, reply.recordSize, &pvc) &&
            SamePvc(pvc, key))
            return pvc;
    }
    return std::nullopt;
}

// The PVC's row state, written as the NE keeps it; its oper state follows.
void SetRowStatus(CGenericRecordStore& store, uint32_t neId, const PvcRec& key, uint32_t status)
{
    std::vector<PvcRowStatusRec> rows = store.DecodedKeptRecords(kReqPvcRowStatus, neId);
    std::erase_if(rows, [&](const PvcRowStatusRec& row) { return SamePvc(row, key); });
    rows.push_back({key.portId, key.vpi, key.vci, status});
    Keep(store, kReqPvcRowStatus, neId, rows);
    if (std::optional<PvcRec> pvc = HeldPvc(store, neId, key)) {
        pvc->operState = status == kSimPvcRowActive ? kUp : kDown;
        Do(store, kReqPvc, kEmsOpModify, neId, *pvc);
    }
}

} // namespace

void CSimRequestHandler::Pvcs(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    // A profile's check sent to the server (an editor of templates with no NE in its target): the server carries no
    // PVC and no port, so nothing is against the profile.
    const bool profileCheck =
        header.requestCode == kReqIpTrafficRuleCheck || header.requestCode == kReqTrafficPolicingRuleCheck;
    if (header.neId == 0 && profileCheck) {
        if (IsModify(request)) {
            Generic(out, request);
            return;
        }
        const auto code = RequestCode<PvcRuleCheckRec>{header.requestCode};
        const std::vector<PvcRuleCheckRec> written = db_.Generic().DecodedKeptRecords(code, 0);
        PvcRuleCheckRec check = written.empty() ? PvcRuleCheckRec{} : written.front();
        check.result = {};
        ReplyRecords(out, header, std::vector<PvcRuleCheckRec>{check}, 1);
        return;
    }
    const CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr || !db_.IsNeReachable(*ne)) {
        Reply(out, header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
        return;
    }
    CGenericRecordStore& store = db_.Generic();
    const uint32_t neId = ne->Id();
    const uint16_t code = header.requestCode;
    // What the rules read is built for the requests that need it only: a query of many PVCs needs none.
    std::optional<SimPvcWorld> built;
    const auto world = [&]() -> const SimPvcWorld& {
        if (!built)
            built = World(store, neId);
        return *built;
    };

    switch (code) {
    case kReqPvcRuleCheck:
    case kReqIpTrafficRuleCheck:
    case kReqTrafficPolicingRuleCheck:
    case kReqServiceTypeCheck:
    case kReqAclCheck:
        if (IsModify(request)) {
            Generic(out, request);
            return;
        }
        break;
    default:
        break;
    }

    switch (code) {
    case kReqPvc: {
        // A query without a record names the NE.
        PvcRec rec;
        const bool given =
            RecordsOf(request, kPvcRecSize) != 0 && DecodeRecord(RecordAt(request, 0), kPvcRecSize, &rec);
        if (!given && !IsQuery(request)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        if (IsQuery(request)) {
            std::vector<PvcRec> listed;
            for (const PvcRec& pvc : store.DecodedKeptRecords(kReqPvc, neId)) {
                if (Below(rec.portId, pvc.portId))
                    listed.push_back(pvc);
            }
            ReplyRecords(out, header, listed, static_cast<uint32_t>(listed.size()));
            return;
        }
        const CEntityNode* port = ne->FindEntity(rec.portId);
        if (port == nullptr || port->GetLevel() != kEntityLevelPort) {
            Reply(out, header, Refused("Port does not exist"));
            return;
        }
        if (const std::string refusal = PvcWriteRefusal(world(), rec); !refusal.empty()) {
            Reply(out, header, Refused(refusal));
            return;
        }
        const SimPvc* held = Find(world(), rec);
        rec.operState = held != nullptr ? held->pvc.operState : kDown;
        Do(store, held != nullptr ? kReqPvc.value : kReqPvcAdd.value, kEmsOpModify, neId, rec);
        SetRowStatus(store, neId, rec, RowStatusAfterWrite(world(), rec));
        ReplyRecords(out, header, std::vector<PvcRec>{rec}, 1);
        return;
    }
    case kReqPvcDelete: {
        PvcRec key;
        if (RecordsOf(request, kPvcRecSize) == 0 || !DecodeRecord(RecordAt(request, 0), kPvcRecSize, &key)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        const std::optional<PvcRec> held = HeldPvc(store, neId, key);
        if (!held) {
            Reply(out, header, Refused("PVC does not exist"));
            return;
        }
        std::vector<PvcStaticIpEntry> ranges = store.DecodedKeptRecords(kReqPvcStaticIp, neId);
        std::erase_if(ranges, [&](const PvcStaticIpEntry& range) { return !SamePvc(range, key); });
        // A card under service-type control keeps a PVC with IP bases; the reply says so where the VPI is.
        bool controlled = false;
        for (const BoardSettingRec& board : ne->BoardSettings())
            controlled = controlled || (board.entityId == GetParentEntityId(key.portId) &&
                                        board.serviceTypeControl == kServiceTypeControlOn);
        if (controlled && !ranges.empty()) {
            PvcRec marked = key;
            marked.vpi = kMissingIpBaseMark;
            marked.vci = 0;
            ReplyRecords(out, header, std::vector<PvcRec>{marked}, 1);
            out.replies.back().header.status = kDrvRejected;
            return;
        }
        const auto others = [&](auto records) {
            std::erase_if(records, [&](const auto& rec) { return SamePvc(rec, key); });
            return records;
        };
        Do(store, kReqPvcDelete, kEmsOpModify, neId, key);
        for (const PvcStaticIpEntry& range : ranges)
            Do(store, kReqPvcStaticIpDelete, kEmsOpModify, neId, range);
        Keep(store, kReqPvcRowStatus, neId, others(store.DecodedKeptRecords(kReqPvcRowStatus, neId)));
        Keep(store, kReqAcl, neId, others(store.DecodedKeptRecords(kReqAcl, neId)));
        ReplyRecords(out, header, std::vector<PvcRec>{*held}, 1);
        return;
    }
    case kReqPvcRuleCheck: {
        PvcRuleCheckRec check = store.DecodedKeptRecords(kReqPvcRuleCheck, neId).empty()
                                    ? PvcRuleCheckRec{}
                                    : store.DecodedKeptRecords(kReqPvcRuleCheck, neId).front();
        check.result = JudgePvc(world(), check);
        ReplyRecords(out, header, std::vector<PvcRuleCheckRec>{check}, 1);
        return;
    }
    case kReqMcChannelAdd: {
        // A port holds one channel: an add on a port that has one replaces it.
        McChannelRec added;
        if (RecordsOf(request, kMcChannelRecSize) == 0 ||
            !DecodeRecord(RecordAt(request, 0), kMcChannelRecSize, &added) || ne->FindEntity(added.portId) == nullptr) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        std::vector<McChannelRec> channels = store.DecodedKeptRecords(kReqMcChannel, neId);
        std::erase_if(channels, [&](const McChannelRec& channel) { return channel.portId == added.portId; });
        channels.push_back(added);
        Keep(store, kReqMcChannel, neId, channels);
        ReplyRecords(out, header, std::vector<McChannelRec>{added}, 1);
        return;
    }
    case kReqMcChannel: {
        // A query names a port, a card, a shelf or the NE; the channels are written as the store keeps them.
        if (!IsQuery(request)) {
            Generic(out, request);
            return;
        }
        PvcKeyRec key;
        const bool given =
            RecordsOf(request, kPvcKeyRecSize) != 0 && DecodeRecord(RecordAt(request, 0), kPvcKeyRecSize, &key);
        std::vector<McChannelRec> listed;
        for (const McChannelRec& channel : store.DecodedKeptRecords(kReqMcChannel, neId)) {
            if (!given || Below(key.portId, channel.portId))
                listed.push_back(channel);
        }
        ReplyRecords(out, header, listed, static_cast<uint32_t>(listed.size()));
        return;
    }
    case kReqIpTrafficRuleCheck:
    case kReqTrafficPolicingRuleCheck: {
        // The profile named by the check written last.
        const std::vector<PvcRuleCheckRec> written = store.DecodedKeptRecords(RequestCode<PvcRuleCheckRec>{code}, neId);
        PvcRuleCheckRec check = written.empty() ? PvcRuleCheckRec{} : written.front();
        check.result = code == kReqIpTrafficRuleCheck
                           ? JudgeIpTrafficDrop(world(), check.ipTrafficProfile)
                           : JudgePolicingDscp(world(), store.DecodedKeptRecords(kReqAdslPort, neId),
                                               check.trafficPolicingProfile);
        ReplyRecords(out, header, std::vector<PvcRuleCheckRec>{check}, 1);
        return;
    }
    case kReqServiceTypeCheck: {
        const std::vector<ServiceTypeCheckRec> written = store.DecodedKeptRecords(kReqServiceTypeCheck, neId);
        ServiceTypeCheckRec check = written.empty() ? ServiceTypeCheckRec{} : written.front();
        check.result = JudgeServiceTypes(world(), check.slot);
        ReplyRecords(out, header, std::vector<ServiceTypeCheckRec>{check}, 1);
        return;
    }
    case kReqAclCheck: {
        const std::vector<AclCheckRec> written = store.DecodedKeptRecords(kReqAclCheck, neId);
        AclCheckRec check = written.empty() ? AclCheckRec{} : written.front();
        JudgeSourceMac(world(), check);
        ReplyRecords(out, header, std::vector<AclCheckRec>{check}, 1);
        return;
    }
    case kReqPvcRowStatus: {
        PvcRowStatusRec rec;
        const bool given = RecordsOf(request, kPvcRowStatusRecSize) != 0 &&
                           DecodeRecord(RecordAt(request, 0), kPvcRowStatusRecSize, &rec);
        if (!given && !IsQuery(request)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        if (IsQuery(request)) {
            // The states kept, and those of the PVCs whose state follows their enable state; a query without a
            // record names every PVC, one with a port and VPI and VCI of 0 every PVC of the port.
            std::vector<PvcRowStatusRec> rows = store.DecodedKeptRecords(kReqPvcRowStatus, neId);
            std::unordered_set<uint64_t> kept;
            for (const PvcRowStatusRec& row : rows)
                kept.insert(KeyOf(row.portId, row.vpi, row.vci));
            for (const SimPvc& held : world().pvcs) {
                if (kept.count(KeyOf(held.pvc.portId, held.pvc.vpi, held.pvc.vci)) == 0)
                    rows.push_back({held.pvc.portId, held.pvc.vpi, held.pvc.vci, held.rowStatus});
            }
            const bool wholePort = rec.vpi == 0 && rec.vci == 0;
            std::erase_if(rows, [&](const PvcRowStatusRec& row) {
                return given && (row.portId != rec.portId || (!wholePort && !SamePvc(row, rec)));
            });
            ReplyRecords(out, header, rows, static_cast<uint32_t>(rows.size()));
            return;
        }
        PvcRec key;
        key.portId = rec.portId;
        key.vpi = rec.vpi;
        key.vci = rec.vci;
        const SimPvc* held = Find(world(), key);
        if (held == nullptr || (rec.status != kSimPvcRowActive && rec.status != kSimPvcRowNotInService)) {
            Reply(out, header, held == nullptr ? Refused("PVC does not exist") : Unreadable(kDrvInvalidParameter));
            return;
        }
        if (rec.status == kSimPvcRowActive && held->rowStatus != kSimPvcRowActive) {
            bool missingIpBase = false;
            const std::string refusal = ActivationRefusal(world(), *held, &missingIpBase);
            if (missingIpBase) {
                ReplyRecords(out, header, std::vector<PvcRowStatusRec>{{rec.portId, kMissingIpBaseMark, 0, rec.status}},
                             1);
                out.replies.back().header.status = kDrvRejected;
                return;
            }
            if (!refusal.empty()) {
                Reply(out, header, Refused(refusal));
                return;
            }
        }
        SetRowStatus(store, neId, key, rec.status);
        ReplyRecords(out, header, std::vector<PvcRowStatusRec>{rec}, 1);
        return;
    }
    case kReqPvcStaticIp:
    case kReqPvcStaticIpDelete:
        if (code == kReqPvcStaticIpDelete && RecordsOf(request, kPvcStaticIpEntrySize) != 0) {
            PvcStaticIpEntry range;
            DecodeRecord(RecordAt(request, 0), kPvcStaticIpEntrySize, &range);
            PvcRec key;
            key.portId = range.portId;
            key.vpi = range.vpi;
            key.vci = range.vci;
            if (const SimPvc* held = Find(world(), key); held != nullptr && held->rowStatus == kSimPvcRowActive) {
                Reply(out, header, Refused("PVC is in service"));
                return;
            }
        }
        Generic(out, request);
        return;
    case kReqPvcStaticIpAdd: {
        PvcStaticIpEntry range;
        if (RecordsOf(request, kPvcStaticIpEntrySize) == 0 ||
            !DecodeRecord(RecordAt(request, 0), kPvcStaticIpEntrySize, &range)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        if (const std::string refusal = RangeRefusal(world(), range); !refusal.empty()) {
            Reply(out, header, Refused(refusal));
            return;
        }
        Generic(out, request);
        return;
    }
    case kReqAcl: {
        // A query without an entity names the NE.
        WordRecord entity;
        if (RecordsOf(request, kWordRecordSize) == 0 || !DecodeRecord(RecordAt(request, 0), kWordRecordSize, &entity))
            entity.value = 0;
        std::vector<AclEntryRec> listed;
        for (const AclEntryRec& entry : world().acls) {
            if (Below(entity.value, entry.portId))
                listed.push_back(entry);
        }
        ReplyRecords(out, header, listed, static_cast<uint32_t>(listed.size()));
        return;
    }
    case kReqAclAdd: {
        AclEntryRec entry;
        if (RecordsOf(request, kAclEntryRecSize) == 0 ||
            !DecodeRecord(RecordAt(request, 0), kAclEntryRecSize, &entry)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        if (const std::string refusal = AclRefusal(world(), entry); !refusal.empty()) {
            Reply(out, header, Refused(refusal));
            return;
        }
        std::vector<AclEntryRec> acls = world().acls;
        PvcRec key;
        key.portId = entry.portId;
        key.vpi = entry.vpi;
        key.vci = entry.vci;
        const SimPvc* held = Find(world(), key);
        entry.vlanId = held != nullptr ? held->pvc.vlanId : 0;
        acls.push_back(entry);
        Keep(store, kReqAcl, neId, acls);
        ReplyRecords(out, header, std::vector<AclEntryRec>{entry}, 1);
        return;
    }
    case kReqStaticFdb: {
        FdbQueryRec entity;
        if (RecordsOf(request, kFdbQueryRecSize) == 0 || !DecodeRecord(RecordAt(request, 0), kFdbQueryRecSize, &entity))
            entity.entityId = 0;
        std::vector<FdbEntryRec> listed = world().staticFdb;
        std::erase_if(listed, [&](const FdbEntryRec& entry) { return !Below(entity.entityId, entry.portId); });
        ReplyRecords(out, header, listed, static_cast<uint32_t>(listed.size()));
        return;
    }
    case kReqStaticFdbAdd: {
        FdbEntryRec entry;
        if (RecordsOf(request, kFdbEntryRecSize) == 0 ||
            !DecodeRecord(RecordAt(request, 0), kFdbEntryRecSize, &entry)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        if (const std::string refusal = StaticFdbRefusal(world(), entry); !refusal.empty()) {
            Reply(out, header, Refused(refusal));
            return;
        }
        PvcRec key;
        key.portId = entry.portId;
        key.vpi = entry.vpi;
        key.vci = entry.vci;
        entry.vlanId = Find(world(), key)->pvc.vlanId;
        entry.status = kStaticFdbEntry;
        for (const FdbEntryRec& learned : LearnedFdbDroppedFor(world(), entry))
            Do(store, kReqFdbDelete, kEmsOpModify, neId, learned);
        Do(store, kReqStaticFdbAdd, kEmsOpModify, neId, entry);
        ReplyRecords(out, header, std::vector<FdbEntryRec>{entry}, 1);
        return;
    }
    case kReqNextHopAdd:
        if (world().nextHops.size() >= kMostNextHops) {
            Reply(out, header, Refused("Next-hop table is full"));
            return;
        }
        Generic(out, request);
        return;
    default:
        Generic(out, request);
        return;
    }
}
