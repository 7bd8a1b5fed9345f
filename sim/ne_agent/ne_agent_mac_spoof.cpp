// The NE's spoofed MAC addresses (ne_agent_mib.h): the entries of its filtering database it has found in more than
// one place (learned spoofed, active or not) are the rows of its spoofing table. A write of the spoofing action
// permits one place, whose entry becomes a learned unique one while the address's other places go, or denies the
// address everywhere; the check a permit asks for first passes.

#include "sim/ne_agent/ne_agent_mib.h"

#include "link/records/fdb_entry_rec.h"
#include "link/records/mac_spoof_action_rec.h"
#include "link/records/mac_spoof_check_rec.h"
#include "link/records/mac_spoof_rec.h"
#include "link/records/request_codes.h"

namespace {

constexpr uint32_t kLearnedUnique = 1;
constexpr uint32_t kSpoofedActive = 2;
constexpr uint32_t kSpoofedInactive = 3;
constexpr uint32_t kAclDeny = 4;
constexpr uint32_t kPermit = 1;
constexpr uint32_t kRunCheck = 5;
constexpr uint32_t kCheckPassed = 1;

bool Spoofed(const FdbEntryRec& rec)
{
    return rec.status == kSpoofedActive || rec.status == kSpoofedInactive;
}

} // namespace

void CNeAgentMib::ShowMacSpoofing()
{
    if (tables_.count(kReqMacSpoof) == 0 || tables_.count(kReqFdb) == 0)
        return;
    Table& shown = tables_[kReqMacSpoof];
    while (!shown.rows.empty())
        RemoveRow(kReqMacSpoof, shown.rows.begin()->first);
    for (const FdbEntryRec& rec : TableRecords<FdbEntryRec>(kReqFdb)) {
        if (!Spoofed(rec))
            continue;
        const auto bytes = EncodeRecord(MacSpoofRec{rec.mac, rec.portId, rec.vpi, rec.vci, rec.vlanId, rec.status});
        AddRow(kReqMacSpoof, {bytes.begin(), bytes.end()});
    }
}

void CNeAgentMib::ApplyMacSpoofWrites(const std::map<uint16_t, std::vector<uint8_t>>& scalars)
{
    if (const auto check = scalars.find(kReqMacSpoofCheck); check != scalars.end()) {
        MacSpoofCheckRec rec;
        if (DecodeRecord(check->second.data(), check->second.size(), &rec) && rec.command == kRunCheck) {
            rec.result = kCheckPassed;
            const auto bytes = EncodeRecord(rec);
            scalarRecords_[kReqMacSpoofCheck].assign(bytes.begin(), bytes.end());
        }
    }
    const auto action = scalars.find(kReqMacSpoofAction);
    MacSpoofActionRec rec;
    if (action == scalars.end() || !DecodeRecord(action->second.data(), action->second.size(), &rec))
        return;
    std::vector<FdbEntryRec> changed;
    for (const FdbEntryRec& entry : TableRecords<FdbEntryRec>(kReqFdb)) {
        if (entry.mac == rec.mac && Spoofed(entry))
            changed.push_back(entry);
    }
    Table& fdb = tables_[kReqFdb];
    for (FdbEntryRec& entry : changed) {
        const CSnmpOid index = EncodeSnmpRowIndex(*fdb.entry, EncodeRecord(entry).data());
        if (rec.action == kPermit && entry.portId != rec.entityId) {
            RemoveRow(kReqFdb, index);
            continue;
        }
        entry.status = rec.action == kPermit ? kLearnedUnique : kAclDeny;
        const auto bytes = EncodeRecord(entry);
        fdb.rows.Write()[index].assign(bytes.begin(), bytes.end());
    }
    ShowMacSpoofing();
}
