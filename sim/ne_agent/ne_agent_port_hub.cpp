// The simulated NE's port hub: the packet filters (R.635) and filter groups (R.636) of each ADSL line card, which the
// NE holds from the start and a write changes; the writes of its ADSL port records (R.630), judged as the NE judges
// them (sim/seed/adsl_port_rules.h); and its static filtering-database entries (R.478), which a row created names and
// the NE completes with their status and the PVC's VLAN, refusing those its rules refuse (sim/seed/pvc_rules.h).

#include "sim/ne_agent/ne_agent_mib.h"

#include "core/entity/entity_id.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/pkt_filter_group_rec.h"
#include "link/records/pkt_filter_rec.h"
#include "link/records/request_codes.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "sim/seed/adsl_port_rules.h"

#include <set>

namespace {

constexpr uint32_t kUpstream = 1;
constexpr uint32_t kDownstream = 2;
constexpr uint32_t kFiltersPerDirection = 9;
constexpr uint32_t kFirstEtherTypeOnly = 3;
constexpr uint32_t kFirstKnown = 5;
constexpr uint8_t kUpstreamGroups = 3;
constexpr uint8_t kDownstreamGroups = 4;
constexpr int32_t kUnused = -1;
constexpr int32_t kFewestPrefixBits = 11;
constexpr int32_t kWholePort = 16; // prefix bits of one port number
constexpr int32_t kMatchForward = 1;
constexpr int32_t kUnmatchDrop = 3;
constexpr int32_t kIpv4EtherType = 0x0800;
constexpr uint32_t kEnabled = 1;
constexpr uint32_t kDisabled = 2;
constexpr uint32_t kAllFilters = 0x1FF;
constexpr uint32_t kKnownFilters = 0x1F0; // filters 5..9, which only the upstream side takes
constexpr uint32_t kStaticEntry = 7;
constexpr uint32_t kChannelFast = 2;
constexpr uint32_t kChannelInterleaved = 3;

template <typename Rec> std::vector<uint8_t> Bytes(const Rec& rec)
{
    const auto encoded = EncodeRecord(rec);
    return {encoded.begin(), encoded.end()};
}

// What the NE's filters are named and hold before anything is written.
PktFilterRec DefaultFilter(uint8_t slot, uint32_t direction, uint32_t number)
{
    const std::string side = direction == kUpstream ? "us" : "ds";
    PktFilterRec rec;
    rec.slot = slot;
    rec.direction = direction;
    rec.filterNumber = number;
    rec.etherType = rec.ipProtocol = rec.sourcePort = rec.destinationPort = kUnused;
    rec.sourcePrefixBits = rec.destinationPrefixBits = kWholePort;
    rec.action = kMatchForward;
    rec.state = kDisabled;
    if (number < kFirstEtherTypeOnly) {
        rec.name = side + "fcf" + std::to_string(number);
    } else if (number < kFirstKnown) {
        rec.name = side + "eof" + std::to_string(number - kFirstEtherTypeOnly + 1);
        rec.etherType = kIpv4EtherType;
    } else {
        rec.name = side + "kf" + std::to_string(number - kFirstKnown + 1);
    }
    return rec;
}

bool Within(int32_t value, int32_t least, int32_t most)
{
    return value >= least && value <= most;
}

bool FilterAcceptable(const PktFilterRec& rec)
{
    const bool criteria = Within(rec.etherType, kUnused, 0xFFFF) && Within(rec.ipProtocol, kUnused, 0xFF) &&
                          Within(rec.sourcePort, kUnused, 0xFFFF) && Within(rec.destinationPort, kUnused, 0xFFFF);
    return !rec.name.empty() && criteria && Within(rec.sourcePrefixBits, kFewestPrefixBits, kWholePort) &&
           Within(rec.destinationPrefixBits, kFewestPrefixBits, kWholePort) &&
           Within(rec.action, kMatchForward, kUnmatchDrop) && (rec.state == kEnabled || rec.state == kDisabled);
}

bool GroupAcceptable(const PktFilterGroupRec& rec)
{
    const uint32_t allowed = rec.direction == kDownstream ? kAllFilters & ~kKnownFilters : kAllFilters;
    return !rec.name.empty() && (rec.memberMask & ~allowed) == 0 && (rec.state == kEnabled || rec.state == kDisabled);
}

using Changes = std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>;

// The records a SET writes to a table, as they will stand.
template <typename Rec> std::vector<Rec> Written(const Changes& rows, uint16_t code)
{
    std::vector<Rec> written;
    const auto found = rows.find(code);
    if (found == rows.end())
        return written;
    for (const auto& [index, bytes] : found->second) {
        Rec rec;
        if (bytes && DecodeRecord(bytes->data(), bytes->size(), &rec))
            written.push_back(rec);
    }
    return written;
}

template <class Rec> std::vector<std::string> NamesOf(const std::vector<Rec>& records)
{
    std::vector<std::string> names;
    for (const Rec& rec : records)
        names.push_back(rec.name);
    return names;
}

} // namespace

void CNeAgentMib::AddPortHubDefaults(const std::vector<uint32_t>& adslPorts)
{
    std::set<uint8_t> slots;
    for (const uint32_t port : adslPorts)
        slots.insert(static_cast<uint8_t>(EntityIndexFromId(port).Slot()));
    const auto addMissing = [this](uint16_t code, const std::vector<uint8_t>& record) {
        if (TableRows(code).count(EncodeSnmpRowIndex(*tables_[code].entry, record.data())) == 0)
            AddRow(code, record);
    };
    for (const uint8_t slot : slots) {
        for (const uint32_t direction : {kUpstream, kDownstream}) {
            for (uint32_t number = 1; number <= kFiltersPerDirection; ++number)
                addMissing(kReqPktFilter, Bytes(DefaultFilter(slot, direction, number)));
            const uint8_t groups = direction == kUpstream ? kUpstreamGroups : kDownstreamGroups;
            for (uint8_t group = 1; group <= groups; ++group) {
                const std::string name = (direction == kUpstream ? "usg" : "dsg") + std::to_string(group);
                addMissing(kReqPktFilterGroup, Bytes(PktFilterGroupRec{slot, direction, group, name, 0, kDisabled}));
            }
        }
    }
}

int32_t CNeAgentMib::CheckPortHubWrites(const RowChanges& rows) const
{
    for (const PktFilterRec& rec : Written<PktFilterRec>(rows, kReqPktFilter)) {
        if (!FilterAcceptable(rec))
            return kSnmpWrongValue;
    }
    for (const PktFilterGroupRec& rec : Written<PktFilterGroupRec>(rows, kReqPktFilterGroup)) {
        if (!GroupAcceptable(rec))
            return kSnmpWrongValue;
    }
    const std::vector<AdslPortRec> ports = Written<AdslPortRec>(rows, kReqAdslPort);
    if (!ports.empty()) {
        SimPortProfiles profiles;
        for (const AdslLineProfileRec& rec : TableRecords<AdslLineProfileRec>(kReqAdslLineProfile)) {
            if (rec.channelMode == kChannelFast || rec.channelMode == kChannelInterleaved)
                profiles.lineProfiles.push_back(rec.name);
        }
        profiles.pmThresholdProfiles = NamesOf(TableRecords<XdslPmThresholdProfileRec>(kReqPmThresholdProfile));
        profiles.policingProfiles = NamesOf(TableRecords<TrafficPolicingProfileRec>(kReqTrafficPolicingProfile));
        for (const AdslPortRec& port : ports) {
            if (!AdslPortWriteRefusal(port, profiles).empty())
                return kSnmpInconsistentValue;
        }
    }
    const auto added = rows.find(kReqStaticFdb);
    if (added != rows.end()) {
        const SimPvcWorld world = PvcWorld();
        for (const auto& [index, bytes] : added->second) {
            FdbEntryRec entry;
            if (bytes && TableRows(kReqStaticFdb).count(index) == 0 &&
                (!DecodeRecord(bytes->data(), bytes->size(), &entry) || !StaticFdbRefusal(world, entry).empty()))
                return kSnmpInconsistentValue;
        }
    }
    return kSnmpNoError;
}

void CNeAgentMib::ApplyPortHubWrites(const RowChanges& rows)
{
    const std::vector<FdbEntryRec> added = Written<FdbEntryRec>(rows, kReqStaticFdb);
    if (added.empty())
        return;
    // A static entry takes the place of learned ones, where the NE reports what it learned.
    if (const auto learnedTable = tables_.find(kReqFdb);
        learnedTable != tables_.end() && learnedTable->second.entry != nullptr) {
        const SnmpRequestEntry& learnedEntry = *learnedTable->second.entry;
        for (const FdbEntryRec& entry : added) {
            SimPvcWorld before = PvcWorld();
            std::erase(before.staticFdb, entry);
            for (const FdbEntryRec& learned : LearnedFdbDroppedFor(before, entry))
                RemoveRow(kReqFdb, EncodeSnmpRowIndex(learnedEntry, Bytes(learned).data()));
        }
    }
    const std::vector<PvcRec> pvcs = TableRecords<PvcRec>(kReqPvc);
    for (auto& [index, bytes] : tables_[kReqStaticFdb].rows.Write()) {
        FdbEntryRec entry;
        if (!DecodeRecord(bytes.data(), bytes.size(), &entry) || entry.status == kStaticEntry)
            continue;
        entry.status = kStaticEntry;
        for (const PvcRec& pvc : pvcs) {
            if (pvc.portId == entry.portId && pvc.vpi == entry.vpi && pvc.vci == entry.vci)
                entry.vlanId = pvc.vlanId;
        }
        bytes = Bytes(entry);
    }
}
