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
#include "sim/seed/pvc_rules.h"
#include "sim/server/sim_frame_records.h"
#include "sim/server/sim_request_handler.h"

#include <algorithm>

namespace {

constexpr uint32_t kEnabled = 1;
constexpr uint32_t kUp = 1;
constexpr uint32_t kDown = 2;
constexpr uint8_t kMissingIpBaseMark = 12; // where a refused PVC record carries its VPI
constexpr uint32_t kServiceTypeControlOn = 1;

template <typename Rec> std::vector<Rec> Kept(CGenericRecordStore& store, RequestCode<Rec> code, uint32_t neId)
{
    std::vector<Rec> records;
    for (const std::vector<uint8_t>& bytes : store.KeptRecords(code, neId)) {
        Rec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec))
            records.push_back(rec);
    }
    return records;
}

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

SimPvcWorld World(CGenericRecordStore& store, uint32_t neId)
{
    SimPvcWorld world;
    const std::vector<PvcRowStatusRec> rows = Kept(store, kReqPvcRowStatus, neId);
    const std::vector<PvcStaticIpEntry> ranges = Kept(store, kReqPvcStaticIp, neId);
    for (const PvcRec& pvc : Kept(store, kReqPvc, neId)) {
        SimPvc held;
        held.pvc = pvc;
        held.rowStatus = pvc.enableState == kEnabled ? kSimPvcRowActive : kSimPvcRowNotInService;
        for (const PvcRowStatusRec& row : rows) {
            if (SamePvc(row, pvc))
                held.rowStatus = row.status;
        }
        for (const PvcStaticIpEntry& range : ranges) {
            if (SamePvc(range, pvc))
                held.ranges.push_back(range);
        }
        world.pvcs.push_back(held);
    }
    world.channels = Kept(store, kReqMcChannel, neId);
    world.ipTrafficProfiles = Kept(store, kReqIpTrafficProfile, neId);
    world.nextHops = Kept(store, kReqNextHop, neId);
    world.vlanLimits = Kept(store, kReqVlanMacLimit, neId);
    world.acls = Kept(store, kReqAcl, neId);
    world.staticFdb = Kept(store, kReqStaticFdb, neId);
    for (const NeNetworkConfigRec& own : Kept(store, kReqNeNetworkConfig, neId))
        world.ownAddresses.insert(world.ownAddresses.end(), {own.nmeIp, own.gateway, own.ugeIp, own.cascadedRootIp});
    for (const NeDnsServerRec& dns : Kept(store, kReqNeDns, neId))
        world.ownAddresses.insert(world.ownAddresses.end(), {dns.first, dns.second, dns.third});
    for (const NextHopRec& hop : world.nextHops)
        world.ownAddresses.push_back(hop.address);
    for (const DhcpRelayServerRec& relay : Kept(store, kReqDhcpRelayServer, neId))
        world.ownAddresses.push_back(relay.address);
    for (const NeSnmpManagerRecord& manager : Kept(store, kReqNeSnmpManager, neId))
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
void SetRowStatus(CGenericRecordStore& store, uint32_t neId, const PvcRec& key, uint32_t status)
{
    std::vector<PvcRowStatusRec> rows = Kept(store, kReqPvcRowStatus, neId);
    std::erase_if(rows, [&](const PvcRowStatusRec& row) { return SamePvc(row, key); });
    rows.push_back({key.portId, key.vpi, key.vci, status});
    Keep(store, kReqPvcRowStatus, neId, rows);
    std::vector<PvcRec> pvcs = Kept(store, kReqPvc, neId);
    for (PvcRec& pvc : pvcs) {
        if (SamePvc(pvc, key))
            pvc.operState = status == kSimPvcRowActive ? kUp : kDown;
    }
    Keep(store, kReqPvc, neId, pvcs);
}

} // namespace

void CSimRequestHandler::Pvcs(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    const CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr || !db_.IsNeReachable(*ne)) {
        Reply(out, header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
        return;
    }
    CGenericRecordStore& store = db_.Generic();
    const uint32_t neId = ne->Id();
    const uint16_t code = header.requestCode;
    const SimPvcWorld world = World(store, neId);

    switch (code) {
    case kReqPvcRuleCheck:
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
            for (const SimPvc& held : world.pvcs) {
                if (Below(rec.portId, held.pvc.portId))
                    listed.push_back(held.pvc);
            }
            ReplyRecords(out, header, listed, static_cast<uint32_t>(listed.size()));
            return;
        }
        const CEntityNode* port = ne->FindEntity(rec.portId);
        if (port == nullptr || port->GetLevel() != kEntityLevelPort) {
            Reply(out, header, Refused("Port does not exist"));
            return;
        }
        if (const std::string refusal = PvcWriteRefusal(world, rec); !refusal.empty()) {
            Reply(out, header, Refused(refusal));
            return;
        }
        const SimPvc* held = Find(world, rec);
        rec.operState = held != nullptr ? held->pvc.operState : kDown;
        std::vector<PvcRec> pvcs = Kept(store, kReqPvc, neId);
        std::erase_if(pvcs, [&](const PvcRec& pvc) { return SamePvc(pvc, rec); });
        pvcs.push_back(rec);
        Keep(store, kReqPvc, neId, pvcs);
        SetRowStatus(store, neId, rec, RowStatusAfterWrite(world, rec));
        ReplyRecords(out, header, std::vector<PvcRec>{rec}, 1);
        return;
    }
    case kReqPvcDelete: {
        PvcRec key;
        if (RecordsOf(request, kPvcRecSize) == 0 || !DecodeRecord(RecordAt(request, 0), kPvcRecSize, &key)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        const SimPvc* held = Find(world, key);
        if (held == nullptr) {
            Reply(out, header, Refused("PVC does not exist"));
            return;
        }
        // A card under service-type control keeps a PVC with IP bases; the reply says so where the VPI is.
        bool controlled = false;
        for (const BoardSettingRec& board : ne->BoardSettings())
            controlled = controlled || (board.entityId == GetParentEntityId(key.portId) &&
                                        board.serviceTypeControl == kServiceTypeControlOn);
        if (controlled && !held->ranges.empty()) {
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
        Keep(store, kReqPvc, neId, others(Kept(store, kReqPvc, neId)));
        Keep(store, kReqPvcRowStatus, neId, others(Kept(store, kReqPvcRowStatus, neId)));
        Keep(store, kReqPvcStaticIp, neId, others(Kept(store, kReqPvcStaticIp, neId)));
        Keep(store, kReqAcl, neId, others(Kept(store, kReqAcl, neId)));
        ReplyRecords(out, header, std::vector<PvcRec>{held->pvc}, 1);
        return;
    }
    case kReqPvcRuleCheck: {
        PvcRuleCheckRec check = Kept(store, kReqPvcRuleCheck, neId).empty()
                                    ? PvcRuleCheckRec{}
                                    : Kept(store, kReqPvcRuleCheck, neId).front();
        check.result = JudgePvc(world, check);
        ReplyRecords(out, header, std::vector<PvcRuleCheckRec>{check}, 1);
        return;
    }
    case kReqServiceTypeCheck: {
        const std::vector<ServiceTypeCheckRec> written = Kept(store, kReqServiceTypeCheck, neId);
        ServiceTypeCheckRec check = written.empty() ? ServiceTypeCheckRec{} : written.front();
        check.result = JudgeServiceTypes(world, check.slot);
        ReplyRecords(out, header, std::vector<ServiceTypeCheckRec>{check}, 1);
        return;
    }
    case kReqAclCheck: {
        const std::vector<AclCheckRec> written = Kept(store, kReqAclCheck, neId);
        AclCheckRec check = written.empty() ? AclCheckRec{} : written.front();
        JudgeSourceMac(world, check);
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
            std::vector<PvcRowStatusRec> rows = Kept(store, kReqPvcRowStatus, neId);
            for (const SimPvc& held : world.pvcs) {
                const bool kept = std::any_of(rows.begin(), rows.end(),
                                              [&](const PvcRowStatusRec& row) { return SamePvc(row, held.pvc); });
                if (!kept)
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
        const SimPvc* held = Find(world, key);
        if (held == nullptr || (rec.status != kSimPvcRowActive && rec.status != kSimPvcRowNotInService)) {
            Reply(out, header, held == nullptr ? Refused("PVC does not exist") : Unreadable(kDrvInvalidParameter));
            return;
        }
        if (rec.status == kSimPvcRowActive && held->rowStatus != kSimPvcRowActive) {
            bool missingIpBase = false;
            const std::string refusal = ActivationRefusal(world, *held, &missingIpBase);
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
            if (const SimPvc* held = Find(world, key); held != nullptr && held->rowStatus == kSimPvcRowActive) {
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
        if (const std::string refusal = RangeRefusal(world, range); !refusal.empty()) {
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
        for (const AclEntryRec& entry : world.acls) {
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
        if (const std::string refusal = AclRefusal(world, entry); !refusal.empty()) {
            Reply(out, header, Refused(refusal));
            return;
        }
        // The PVC's state is the one its new entry gives, for every entry it lists.
        std::vector<AclEntryRec> acls = world.acls;
        for (AclEntryRec& other : acls) {
            if (SamePvc(other, entry))
                other.controlState = entry.controlState;
        }
        PvcRec key;
        key.portId = entry.portId;
        key.vpi = entry.vpi;
        key.vci = entry.vci;
        const SimPvc* held = Find(world, key);
        entry.vlanId = held != nullptr ? held->pvc.vlanId : 0;
        acls.push_back(entry);
        Keep(store, kReqAcl, neId, acls);
        ReplyRecords(out, header, std::vector<AclEntryRec>{entry}, 1);
        return;
    }
    default:
        Generic(out, request);
        return;
    }
}
