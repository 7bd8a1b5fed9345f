// The simulated NE's PVCs (sim/seed/pvc_rules.h): every PVC has a row state (request 418) that the NE keeps beside
// it; a PVC is written into being; the rule, service-type and source MAC checks answer their verdicts when they are
// read back; and a write the NE cannot take is refused whole.

#include "sim/ne_agent/ne_agent_mib.h"

#include "core/entity/entity_id.h"
#include "link/records/acl_check_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/pvc_key_rec.h"
#include "link/records/pvc_row_status_rec.h"
#include "link/records/request_codes.h"
#include "link/records/service_type_check_rec.h"
#include "sim/seed/profile_rules.h"

#include <iterator>

namespace {

constexpr uint32_t kUp = 1;
constexpr uint32_t kDown = 2;

template <typename Rec> bool Decode(const std::vector<uint8_t>& bytes, Rec* rec)
{
    return DecodeRecord(bytes.data(), bytes.size(), rec);
}

template <typename Rec> std::vector<uint8_t> Bytes(const Rec& rec)
{
    const auto encoded = EncodeRecord(rec);
    return {encoded.begin(), encoded.end()};
}

template <typename A, typename B> bool SamePvc(const A& a, const B& b)
{
    return a.portId == b.portId && a.vpi == b.vpi && a.vci == b.vci;
}

// What the NE's PVC checks read of it (PvcWorld and the checks' own records).
constexpr uint16_t kPvcWorldTables[] = {kReqPvc.value,
                                        kReqPvcRowStatus.value,
                                        kReqPvcStaticIp.value,
                                        kReqMcChannel.value,
                                        kReqIpTrafficProfile.value,
                                        kReqNextHop.value,
                                        kReqVlanMacLimit.value,
                                        kReqAcl.value,
                                        kReqStaticFdb.value,
                                        kReqFdb.value,
                                        kReqNeSnmpManager.value};
constexpr uint16_t kPvcCheckScalars[] = {kReqNeNetworkConfig.value,  kReqNeDns.value,    kReqPvcRuleCheck.value,
                                         kReqServiceTypeCheck.value, kReqAclCheck.value, kReqIpTrafficRuleCheck.value};

const SimPvc* FindHeld(const SimPvcWorld& world, uint32_t portId, uint8_t vpi, uint16_t vci)
{
    for (const SimPvc& held : world.pvcs) {
        if (held.pvc.portId == portId && held.pvc.vpi == vpi && held.pvc.vci == vci)
            return &held;
    }
    return nullptr;
}

} // namespace

const std::map<CSnmpOid, std::vector<uint8_t>>& CNeAgentMib::TableRows(uint16_t code) const
{
    static const std::map<CSnmpOid, std::vector<uint8_t>> none;
    const auto table = tables_.find(code);
    return table != tables_.end() ? table->second.rows.Read() : none;
}

SimPvcWorld CNeAgentMib::PvcWorld() const
{
    SimPvcWorld world;
    const std::vector<PvcRowStatusRec> rows = TableRecords<PvcRowStatusRec>(kReqPvcRowStatus);
    const std::vector<PvcStaticIpEntry> ranges = TableRecords<PvcStaticIpEntry>(kReqPvcStaticIp);
    for (const PvcRec& pvc : TableRecords<PvcRec>(kReqPvc)) {
        SimPvc held;
        held.pvc = pvc;
        held.rowStatus = pvc.enableState == 1 ? kSimPvcRowActive : kSimPvcRowNotInService;
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
    world.channels = TableRecords<McChannelRec>(kReqMcChannel);
    world.ipTrafficProfiles = TableRecords<IpTrafficProfileRec>(kReqIpTrafficProfile);
    world.nextHops = TableRecords<NextHopRec>(kReqNextHop);
    // The limits given or written; the VLANs' others are off, which no rule counts.
    world.vlanLimits = TableRecords<VlanMacLimitRec>(kReqVlanMacLimit);
    world.acls = TableRecords<AclEntryRec>(kReqAcl);
    world.staticFdb = TableRecords<FdbEntryRec>(kReqStaticFdb);
    world.learnedFdb = TableRecords<FdbEntryRec>(kReqFdb);
    NeNetworkConfigRec own;
    if (const auto found = scalarRecords_.find(kReqNeNetworkConfig);
        found != scalarRecords_.end() && Decode(found->second, &own))
        world.ownAddresses.insert(world.ownAddresses.end(), {own.nmeIp, own.gateway, own.ugeIp, own.cascadedRootIp});
    NeDnsServerRec dns;
    if (const auto found = scalarRecords_.find(kReqNeDns); found != scalarRecords_.end() && Decode(found->second, &dns))
        world.ownAddresses.insert(world.ownAddresses.end(), {dns.first, dns.second, dns.third});
    for (const NextHopRec& hop : world.nextHops)
        world.ownAddresses.push_back(hop.address);
    for (const NeSnmpManagerRecord& manager : TableRecords<NeSnmpManagerRecord>(kReqNeSnmpManager))
        world.ownAddresses.push_back(manager.ipAddress);
    return world;
}

std::pair<const void*, uint64_t> CNeAgentMib::PvcCheckTableStamp(uint16_t code) const
{
    const auto table = tables_.find(code);
    return table != tables_.end() ? table->second.rows.Stamp() : std::pair<const void*, uint64_t>{};
}

const std::vector<uint8_t>& CNeAgentMib::PvcCheckScalar(uint16_t code) const
{
    static const std::vector<uint8_t> none;
    const auto scalar = scalarRecords_.find(code);
    return scalar != scalarRecords_.end() ? scalar->second : none;
}

bool CNeAgentMib::PvcChecksCurrent() const
{
    if (!pvcChecksShown_)
        return false;
    for (size_t i = 0; i < std::size(kPvcWorldTables); ++i) {
        if (PvcCheckTableStamp(kPvcWorldTables[i]) != pvcChecksShown_->tables[i])
            return false;
    }
    for (size_t i = 0; i < std::size(kPvcCheckScalars); ++i) {
        if (PvcCheckScalar(kPvcCheckScalars[i]) != pvcChecksShown_->scalars[i])
            return false;
    }
    return true;
}

void CNeAgentMib::RefreshPvcChecks()
{
    // The checks read the same of the same tables and records: nothing to do while those are as they last left them.
    if (PvcChecksCurrent())
        return;
    // Every PVC has its row state, the scenario's PVCs by their enable state.
    const SimPvcWorld world = PvcWorld();
    for (const SimPvc& held : world.pvcs) {
        const PvcRowStatusRec row{held.pvc.portId, held.pvc.vpi, held.pvc.vci, held.rowStatus};
        if (TableRows(kReqPvcRowStatus)
                .count(EncodeSnmpRowIndex(*tables_[kReqPvcRowStatus].entry, Bytes(row).data())) == 0)
            AddRow(kReqPvcRowStatus, Bytes(row));
    }
    if (auto check = scalarRecords_.find(kReqPvcRuleCheck); check != scalarRecords_.end()) {
        PvcRuleCheckRec rec;
        if (Decode(check->second, &rec)) {
            rec.result = JudgePvc(world, rec);
            check->second = Bytes(rec);
        }
    }
    if (auto check = scalarRecords_.find(kReqServiceTypeCheck); check != scalarRecords_.end()) {
        ServiceTypeCheckRec rec;
        if (Decode(check->second, &rec)) {
            rec.result = JudgeServiceTypes(world, rec.slot);
            check->second = Bytes(rec);
        }
    }
    // The NE keeps no port's policing: a policing profile's check finds nothing against it.
    if (auto check = scalarRecords_.find(kReqIpTrafficRuleCheck); check != scalarRecords_.end()) {
        PvcRuleCheckRec rec;
        if (Decode(check->second, &rec)) {
            rec.result = JudgeIpTrafficDrop(world, rec.ipTrafficProfile);
            check->second = Bytes(rec);
        }
    }
    if (auto check = scalarRecords_.find(kReqAclCheck); check != scalarRecords_.end()) {
        AclCheckRec rec;
        if (Decode(check->second, &rec)) {
            JudgeSourceMac(world, rec);
            check->second = Bytes(rec);
        }
    }
    PvcCheckInputs shown;
    for (uint16_t code : kPvcWorldTables)
        shown.tables.push_back(PvcCheckTableStamp(code));
    for (uint16_t code : kPvcCheckScalars)
        shown.scalars.push_back(PvcCheckScalar(code));
    pvcChecksShown_ = std::move(shown);
}

std::optional<std::vector<uint8_t>> CNeAgentMib::NewRowOnWrite(uint16_t objectCode, const CSnmpOid& index) const
{
    const auto table = tables_.find(objectCode);
    if (objectCode != kReqPvc || table == tables_.end())
        return std::nullopt;
    std::vector<uint8_t> record(table->second.entry->recordSize, 0);
    if (!DecodeSnmpRowIndex(*table->second.entry, index, record.data()))
        return std::nullopt;
    return record;
}

int32_t CNeAgentMib::CheckPvcWrites(const RowChanges& rows) const
{
    const SimPvcWorld world = PvcWorld();
    const auto changes = [&rows](uint16_t code) {
        const auto found = rows.find(code);
        static const std::map<CSnmpOid, std::optional<std::vector<uint8_t>>> none;
        return found != rows.end() ? found->second : none;
    };
    for (const auto& [index, record] : changes(kReqPvc)) {
        PvcRec pvc;
        if (record && (!Decode(*record, &pvc) || !PvcWriteRefusal(world, pvc).empty()))
            return kSnmpInconsistentValue;
    }
    for (const auto& [index, record] : changes(kReqPvcRowStatus)) {
        PvcRowStatusRec row;
        if (!record || !Decode(*record, &row))
            continue;
        const SimPvc* held = FindHeld(world, row.portId, row.vpi, row.vci);
        if (held == nullptr || (row.status != kSimPvcRowActive && row.status != kSimPvcRowNotInService))
            return kSnmpWrongValue;
        bool missingIpBase = false;
        if (row.status == kSimPvcRowActive && held->rowStatus != kSimPvcRowActive &&
            !ActivationRefusal(world, *held, &missingIpBase).empty())
            return kSnmpInconsistentValue;
    }
    const auto& existingRanges = TableRows(kReqPvcStaticIp);
    for (const auto& [index, record] : changes(kReqPvcStaticIp)) {
        PvcStaticIpEntry range;
        if (record && existingRanges.count(index) == 0 &&
            (!Decode(*record, &range) || !RangeRefusal(world, range).empty()))
            return kSnmpInconsistentValue;
        // A range it does not hold the NE destroys as it is: nothing to do.
        const auto existing = existingRanges.find(index);
        if (!record && existing != existingRanges.end() && Decode(existing->second, &range)) {
            const SimPvc* held = FindHeld(world, range.portId, range.vpi, range.vci);
            if (held != nullptr && held->rowStatus == kSimPvcRowActive)
                return kSnmpInconsistentValue;
        }
    }
    const auto& existingAcls = TableRows(kReqAcl);
    for (const auto& [index, record] : changes(kReqAcl)) {
        AclEntryRec entry;
        if (record && existingAcls.count(index) == 0 && (!Decode(*record, &entry) || !AclRefusal(world, entry).empty()))
            return kSnmpInconsistentValue;
    }
    return kSnmpNoError;
}

void CNeAgentMib::ApplyPvcWrites(const RowChanges& rows)
{
    const auto changes = rows.find(kReqPvc);
    if (changes != rows.end()) {
        for (const auto& [index, record] : changes->second) {
            PvcRec written;
            if (record && Decode(*record, &written))
                TakeWrittenPvc(written);
            else if (!record)
                ForgetPvc(index);
        }
    }
    if (const auto statuses = rows.find(kReqPvcRowStatus); statuses != rows.end()) {
        for (const auto& [index, record] : statuses->second) {
            PvcRowStatusRec row;
            if (record && Decode(*record, &row))
                SetPvcOperState(row, row.status == kSimPvcRowActive ? kUp : kDown);
        }
    }
    if (const auto acls = rows.find(kReqAcl); acls != rows.end()) {
        for (const auto& [index, record] : acls->second) {
            AclEntryRec added;
            if (record && Decode(*record, &added))
                TakeSourceMac(added);
        }
    }
}

void CNeAgentMib::TakeWrittenPvc(const PvcRec& written)
{
    const SimPvcWorld world = PvcWorld();
    const PvcRowStatusRec key{written.portId, written.vpi, written.vci, 0};
    const CSnmpOid statusIndex = EncodeSnmpRowIndex(*tables_[kReqPvcRowStatus].entry, Bytes(key).data());
    const auto& statuses = tables_[kReqPvcRowStatus].rows;
    const auto held = statuses.find(statusIndex);
    PvcRowStatusRec row = key;
    if (held != statuses.end())
        Decode(held->second, &row);
    // A new PVC starts out of service; one that is not ready stays so until what it names is there.
    if (row.status != kSimPvcRowActive) {
        row.status = RowStatusAfterWrite(world, written);
        AddRow(kReqPvcRowStatus, Bytes(row));
        SetPvcOperState(row, kDown);
    }
}

void CNeAgentMib::ForgetPvc(const CSnmpOid& pvcIndex)
{
    std::vector<uint8_t> key(tables_[kReqPvc].entry->recordSize, 0);
    PvcRec gone;
    if (!DecodeSnmpRowIndex(*tables_[kReqPvc].entry, pvcIndex, key.data()) || !Decode(key, &gone))
        return;
    // The PVC's row state, ranges and source MACs go with it.
    for (const uint16_t code : {kReqPvcRowStatus.value, kReqPvcStaticIp.value, kReqAcl.value}) {
        std::vector<CSnmpOid> indexes;
        for (const auto& [index, bytes] : TableRows(code)) {
            PvcKeyRec owner;
            if (DecodeRecord(bytes.data(), kPvcKeyRecSize, &owner) && SamePvc(owner, gone))
                indexes.push_back(index);
        }
        for (const CSnmpOid& index : indexes)
            RemoveRow(code, index);
    }
}

void CNeAgentMib::SetPvcOperState(const PvcRowStatusRec& row, uint32_t operState)
{
    for (auto& [index, bytes] : tables_[kReqPvc].rows.Write()) {
        PvcRec pvc;
        if (Decode(bytes, &pvc) && SamePvc(pvc, row)) {
            pvc.operState = operState;
            bytes = Bytes(pvc);
        }
    }
}

void CNeAgentMib::TakeSourceMac(const AclEntryRec& added)
{
    uint16_t vlan = 0;
    for (const PvcRec& pvc : TableRecords<PvcRec>(kReqPvc)) {
        if (SamePvc(pvc, added))
            vlan = pvc.vlanId;
    }
    // The PVC's entries carry its VLAN.
    for (auto& [index, bytes] : tables_[kReqAcl].rows.Write()) {
        AclEntryRec entry;
        if (Decode(bytes, &entry) && SamePvc(entry, added)) {
            entry.vlanId = vlan;
            bytes = Bytes(entry);
        }
    }
}
