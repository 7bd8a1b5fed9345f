// The simulated server's answers to the status lists of an NE's line cards, on the NE's behalf: a query names a line
// card or a port, and the NE answers with the entries of that port, or of every port of the card (the DHCP
// transactions, the filtering database and the multicast channels joined). The entries themselves are kept by the
// generic store; deletes go to it. The spoofed MAC addresses are those of the filtering database the NE found in more
// than one place; permitting one place keeps it as a learned entry, denying the address denies it everywhere.

#include "sim/server/sim_request_handler.h"

#include "core/entity/entity_id.h"
#include "link/ems_msg.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/mac_spoof_action_rec.h"
#include "link/records/mac_spoof_check_rec.h"
#include "link/records/mac_spoof_rec.h"
#include "sim/server/sim_frame_records.h"

#include <cstring>

namespace {

constexpr uint32_t kFdbLearnedUnique = 1;
constexpr uint32_t kFdbSpoofedActive = 2;
constexpr uint32_t kFdbSpoofedInactive = 3;
constexpr uint32_t kFdbAclDeny = 4;
constexpr uint32_t kMacSpoofPermit = 1;
constexpr uint32_t kMacSpoofCheckPassed = 1;

uint32_t LeadingU32(const uint8_t* bytes, size_t size)
{
    uint32_t value = 0;
    if (bytes != nullptr && size >= sizeof value)
        std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

void CSimRequestHandler::PortScopedQuery(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    if (!IsQuery(request)) {
        Generic(out, request);
        return;
    }
    const uint32_t scope = LeadingU32(request.payload.data(), request.payload.size());
    const CEntityId scopeId(scope);
    std::vector<uint8_t> bytes;
    uint32_t count = 0;
    uint32_t recordSize = 0;
    for (const std::vector<uint8_t>& record : db_.Generic().KeptRecords(header.requestCode, header.neId)) {
        // Each of these records names its port first.
        const uint32_t port = LeadingU32(record.data(), record.size());
        if (scope != 0 && port != scope && !scopeId.IsAncestorOf(port))
            continue;
        bytes.insert(bytes.end(), record.begin(), record.end());
        recordSize = static_cast<uint32_t>(record.size());
        ++count;
    }
    Reply(out, header, bytes, recordSize, count, count);
}

void CSimRequestHandler::FdbDelete(Handled& out, const Frame& request)
{
    constexpr uint32_t kRowCommandDelete = 6;
    const uint32_t count = RecordsOf(request, kFdbEntryRecSize);
    for (uint32_t i = 0; i < count; ++i) {
        FdbEntryRec rec;
        if (!DecodeRecord(RecordAt(request, i), kFdbEntryRecSize, &rec)) {
            Reply(out, request.header, kDrvInvalidParameter);
            return;
        }
        if (rec.rowCommand != kRowCommandDelete || rec.status != 0 || rec.vlanId != 0) {
            Reply(out, request.header, Refused("Invalid row command or entry fields"));
            return;
        }
    }
    Generic(out, request);
}

void CSimRequestHandler::MacSpoofing(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    CGenericRecordStore& store = db_.Generic();
    std::vector<FdbEntryRec> fdb;
    for (const std::vector<uint8_t>& bytes : store.KeptRecords(kReqFdb, header.neId)) {
        FdbEntryRec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec))
            fdb.push_back(rec);
    }
    const auto spoofed = [](const FdbEntryRec& rec) {
        return rec.status == kFdbSpoofedActive || rec.status == kFdbSpoofedInactive;
    };
    switch (header.requestCode) {
    case kReqMacSpoof: {
        // The NE's spoofed addresses are the entries of its filtering database it found on more than one place.
        std::vector<MacSpoofRec> entries;
        for (const FdbEntryRec& rec : fdb) {
            if (spoofed(rec))
                entries.push_back({rec.mac, rec.portId, rec.vpi, rec.vci, rec.vlanId, rec.status});
        }
        ReplyRecords(out, header, entries, static_cast<uint32_t>(entries.size()));
        return;
    }
    case kReqMacSpoofCheck:
        if (IsQuery(request)) {
            // The check passes: the entry may be permitted.
            MacSpoofCheckRec result;
            result.result = kMacSpoofCheckPassed;
            ReplyRecords(out, header, std::vector<MacSpoofCheckRec>{result}, 1);
            return;
        }
        Reply(out, header, kDrvOk);
        return;
    default: {
        MacSpoofActionRec action;
        if (RecordsOf(request, kMacSpoofActionRecSize) < 1 ||
            !DecodeRecord(RecordAt(request, 0), kMacSpoofActionRecSize, &action)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        // Permit: the entry of that place becomes a learned unique one and the others of the MAC go; deny all: every
        // entry of the MAC is denied.
        for (FdbEntryRec& rec : fdb) {
            if (rec.mac != action.mac || !spoofed(rec))
                continue;
            const bool here = rec.portId == action.entityId;
            FdbEntryRec changed = rec;
            changed.status = action.action == kMacSpoofPermit ? (here ? kFdbLearnedUnique : 0) : kFdbAclDeny;
            const auto bytes = EncodeRecord(changed);
            if (changed.status == 0)
                store.Handle(kReqFdbDelete, kEmsOpModify, header.neId, bytes.data(), 1, kFdbEntryRecSize);
            else
                store.Handle(kReqFdb, kEmsOpModify, header.neId, bytes.data(), 1, kFdbEntryRecSize);
        }
        Reply(out, header, kDrvOk);
        return;
    }
    }
}
