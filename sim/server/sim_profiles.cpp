#include "sim/server/sim_profiles.h"

#include <algorithm>
#include <array>
#include <set>

#include "link/ems_msg.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/request_catalogue.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_ne.h"

namespace {

// The ADSL and SHDSL kinds share the line and PM threshold classes of a synchronisation; policing has none.
constexpr std::array<SimProfileKind, 8> kKinds = {{
    {kReqAdslLineProfileTemplate, kReqAdslLineProfile, 60, 1, kReqAdslLineProfileCount},
    {kReqPmThresholdProfileTemplate, kReqPmThresholdProfile, 60, 2, kReqPmThresholdProfileCount},
    {kReqTrafficPolicingProfileTemplate, kReqTrafficPolicingProfile, 60, 0, kReqTrafficPolicingProfileCount},
    {kReqShdslLineProfileTemplate, kReqShdslLineProfile, 60, 1, kReqShdslProfileCount},
    {kReqShdslPmThresholdProfileTemplate, kReqShdslPmThresholdProfile, 60, 2, kReqShdslProfileCount},
    {kReqIpTrafficProfileTemplate, kReqIpTrafficProfile, 60, 5, kReqIpTrafficProfileCount},
    {kReqMcChannelProfileTemplate, kReqMcChannelProfile, 800, 3, kReqMcChannelProfileCount},
    {kReqMcServiceProfileTemplate, kReqMcServiceProfile, 60, 4, kReqMcServiceProfileCount},
}};

GenericReply TableFull()
{
    GenericReply reply;
    reply.status = kDrvTextReply;
    reply.reason = kSimProfileTableFull;
    return reply;
}

// The word of a class in ProfileSyncRec.
uint32_t ProfileSyncRec::*ClassWord(int syncClass)
{
    switch (syncClass) {
    case 1:
        return &ProfileSyncRec::lineProfiles;
    case 2:
        return &ProfileSyncRec::pmThresholdProfiles;
    case 3:
        return &ProfileSyncRec::mcChannelProfiles;
    case 4:
        return &ProfileSyncRec::mcServiceProfiles;
    case 5:
        return &ProfileSyncRec::ipTrafficProfiles;
    default:
        return &ProfileSyncRec::alarmDefs;
    }
}

// The templates of alarm definitions that the NE's model takes.
std::vector<AlarmDefRec> AlarmDefTemplatesOf(const CGenericRecordStore& store, const CSimNe& ne)
{
    std::vector<AlarmDefRec> templates;
    for (const std::vector<uint8_t>& bytes : store.KeptRecords(kReqAlarmDefTemplate, 0)) {
        AlarmDefRec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec) && rec.neModelId == ne.Key().modelId)
            templates.push_back(rec);
    }
    return templates;
}

} // namespace

const SimProfileKind* FindSimProfileKind(uint16_t code)
{
    const RequestSpec* spec = FindRequest(code).spec;
    if (spec == nullptr)
        return nullptr;
    for (const SimProfileKind& kind : kKinds) {
        if (spec->code == kind.templateCode || spec->code == kind.neCode)
            return &kind;
    }
    return nullptr;
}

bool IsSimProfileCount(uint16_t code)
{
    return std::any_of(kKinds.begin(), kKinds.end(),
                       [code](const SimProfileKind& kind) { return kind.countCode == code; });
}

uint32_t CSimProfiles::Count(uint16_t countCode, uint32_t neId) const
{
    size_t fullest = 0;
    for (const SimProfileKind& kind : kKinds) {
        if (kind.countCode == countCode)
            fullest = std::max(fullest, store_.KeptRecords(neId == 0 ? kind.templateCode : kind.neCode, neId).size());
    }
    return static_cast<uint32_t>(fullest);
}

GenericReply CSimProfiles::Handle(const SimProfileKind& kind, uint16_t code, uint8_t operation, uint32_t neId,
                                  const uint8_t* records, uint32_t count, uint32_t recordSize)
{
    const auto [spec, role] = FindRequest(code);
    if (operation == kEmsOpModify && role == RequestRole::kQueryModify && spec->kind == RequestKind::kFamily)
        return Write(kind, spec->code, neId, records, count, recordSize);
    if (operation == kEmsOpModify && role == RequestRole::kAdd && !HasRoom(kind, spec->code, neId, count))
        return TableFull();
    return store_.Handle(code, operation, neId, records, count, recordSize);
}

GenericReply CSimProfiles::Write(const SimProfileKind& kind, uint16_t familyCode, uint32_t neId, const uint8_t* records,
                                 uint32_t count, uint32_t recordSize)
{
    const RequestSpec* spec = FindRequest(familyCode).spec;
    if (count == 0 || recordSize == 0 || recordSize != spec->recordSize) {
        GenericReply reply;
        reply.status = kDrvInvalidParameter;
        return reply;
    }
    const size_t keyLength = std::min<size_t>(spec->keyLength, recordSize);
    std::set<std::vector<uint8_t>> held;
    for (const std::vector<uint8_t>& record : store_.KeptRecords(familyCode, neId))
        held.emplace(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(keyLength));
    uint32_t added = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* record = records + static_cast<size_t>(i) * recordSize;
        if (held.emplace(record, record + keyLength).second)
            ++added;
    }
    if (!HasRoom(kind, familyCode, neId, added))
        return TableFull();
    std::vector<std::vector<uint8_t>> kept = store_.KeptRecords(familyCode, neId);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* record = records + static_cast<size_t>(i) * recordSize;
        const auto sameKey = [&](const std::vector<uint8_t>& other) {
            return std::equal(record, record + keyLength, other.begin());
        };
        kept.erase(std::remove_if(kept.begin(), kept.end(), sameKey), kept.end());
        kept.emplace_back(record, record + recordSize);
    }
    store_.ReplaceRecords(familyCode, neId, recordSize, kept);
    GenericReply reply;
    reply.recordSize = recordSize;
    reply.count = count;
    reply.records.assign(records, records + static_cast<size_t>(count) * recordSize);
    return reply;
}

bool CSimProfiles::HasRoom(const SimProfileKind& kind, uint16_t familyCode, uint32_t neId, uint32_t added) const
{
    return store_.KeptRecords(familyCode, neId).size() + added <= kind.limit;
}

bool CSimProfiles::SameAsTemplates(const SimProfileKind& kind, uint32_t neId) const
{
    return store_.KeptRecords(kind.neCode, neId) == store_.KeptRecords(kind.templateCode, 0);
}

bool CSimProfiles::AlarmDefsSameAsTemplates(const CSimNe& ne) const
{
    const std::vector<AlarmDefRec> held = ne.AlarmDefs();
    for (const AlarmDefRec& wanted : AlarmDefTemplatesOf(store_, ne)) {
        const auto same = [&](const AlarmDefRec& rec) {
            return rec.modelId == wanted.modelId && rec.alarmIndex == wanted.alarmIndex &&
                   rec.severity == wanted.severity && rec.reporting == wanted.reporting &&
                   rec.suppressionMask == wanted.suppressionMask;
        };
        if (std::none_of(held.begin(), held.end(), same))
            return false;
    }
    return true;
}

void CSimProfiles::Synchronise(CSimNe& ne, const ProfileSyncRec& chosen)
{
    for (const SimProfileKind& kind : kKinds) {
        if (kind.syncClass != 0 && chosen.*ClassWord(kind.syncClass) == 1) {
            const RequestSpec* spec = FindRequest(kind.neCode).spec;
            store_.ReplaceRecords(kind.neCode, ne.Id(), spec->recordSize, store_.KeptRecords(kind.templateCode, 0));
        }
    }
    if (chosen.alarmDefs == 1) {
        for (const AlarmDefRec& rec : AlarmDefTemplatesOf(store_, ne))
            ne.WriteAlarmDef(rec);
    }
}

ProfileSyncRec CSimProfiles::Compare(const CSimNe& ne) const
{
    ProfileSyncRec same;
    for (int syncClass = 1; syncClass <= 5; ++syncClass) {
        bool all = true;
        for (const SimProfileKind& kind : kKinds) {
            if (kind.syncClass == syncClass)
                all = all && SameAsTemplates(kind, ne.Id());
        }
        same.*ClassWord(syncClass) = all ? 1 : 0;
    }
    same.alarmDefs = AlarmDefsSameAsTemplates(ne) ? 1 : 0;
    return same;
}
