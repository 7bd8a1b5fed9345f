// The simulated server's answers about the SHDSL lines of an NE, on the NE's behalf: the port records, kept by the
// generic store and started from their defaults (every SHDSL port enabled with the NE's first profiles, the odd ports
// up), listed below the entity a query names; the line rates, which follow the port's line profile; and the PM
// counters of both sides, which grow with the seconds of their interval as the line's errors come.

#include "sim/server/sim_request_handler.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "link/ems_msg.h"
#include "link/records/record_bytes.h"
#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/shdsl_port_rec.h"
#include "link/records/shdsl_rate_status_rec.h"
#include "link/records/word_record.h"
#include "sim/server/sim_frame_records.h"

#include <optional>

namespace {

constexpr uint32_t kQuarter = 900;
constexpr uint32_t kDay = 86400;
constexpr uint32_t kStoredShdslIntervals = 16;
constexpr uint32_t kEnabled = 1;
constexpr uint32_t kUp = 1;
constexpr uint32_t kDown = 2;
constexpr uint32_t kAnnexAB = 0xC0;
constexpr uint32_t kDefaultRate = 2312000;
constexpr uint32_t kAttainableRate = 2312000;

bool IsShdslPort(const CSimNe& ne, uint32_t port)
{
    const CEntityNode* node = ne.FindEntity(port);
    if (node == nullptr || node->GetLevel() != kEntityLevelPort || node->IsAbsent())
        return false;
    const CEntityType* model = CurrentEntityModels().FindModel(node->GetType());
    return model != nullptr && model->GetProvClass() == kProvClassShdslPort;
}

std::vector<uint32_t> ShdslPortsOf(const CSimNe& ne)
{
    std::vector<uint32_t> ports;
    for (const CEntityNode* node : ne.Entities()) {
        if (IsShdslPort(ne, node->GetEntityId()))
            ports.push_back(node->GetEntityId());
    }
    return ports;
}

template <class Rec> std::vector<Rec> Decoded(const std::vector<std::vector<uint8_t>>& records)
{
    std::vector<Rec> decoded;
    for (const std::vector<uint8_t>& bytes : records) {
        Rec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec))
            decoded.push_back(rec);
    }
    return decoded;
}

// The errors of a line so far into an interval: a few per minute, more on the remote side and on higher ports.
ShdslPmCountersRec CountersAfter(uint32_t port, uint32_t side, uint32_t seconds, uint32_t bound)
{
    const uint32_t weight = 1 + port % 7 + side;
    const uint32_t es = std::min(bound, seconds * weight / 120);
    return {es, es / 4, std::min(bound, seconds * (port % 3) / 600), es / 8, es * 3};
}

} // namespace

void CSimRequestHandler::SeedShdslPorts(const CSimNe& ne)
{
    CGenericRecordStore& store = db_.Generic();
    if (!store.KeptRecords(kReqShdslPort, ne.Id()).empty())
        return;
    const auto lines = Decoded<ShdslLineProfileRec>(store.KeptRecords(kReqShdslLineProfile, ne.Id()));
    const auto alarms = Decoded<ShdslPmThresholdProfileRec>(store.KeptRecords(kReqShdslPmThresholdProfile, ne.Id()));
    std::vector<ShdslPortRec> records;
    for (uint32_t port : ShdslPortsOf(ne)) {
        ShdslPortRec rec;
        rec.entityId = port;
        rec.lineProfile = lines.empty() ? std::string() : lines.front().name;
        rec.pmThresholdProfile = alarms.empty() ? std::string() : alarms.front().name;
        rec.enableState = kEnabled;
        rec.operState = port % 2 == 1 ? kUp : kDown;
        records.push_back(rec);
    }
    if (records.empty())
        return;
    const std::vector<uint8_t> bytes = EncodeRecords(records);
    store.Handle(kReqShdslPort, kEmsOpModify, ne.Id(), bytes.data(), static_cast<uint32_t>(records.size()),
                 kShdslPortRecSize);
}

void CSimRequestHandler::ShdslLines(Handled& out, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    const CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    if (header.requestCode == kReqShdslPort && IsModify(request)) {
        SeedShdslPorts(*ne);
        ShdslPortWrite(out, request, *ne);
        return;
    }
    // A query names the port (or, of the port records, the entity whose ports it wants; none: all).
    WordRecord port;
    const bool named =
        RecordsOf(request, kWordRecordSize) >= 1 && DecodeRecord(RecordAt(request, 0), kWordRecordSize, &port);
    if (!IsQuery(request) || (!named && header.requestCode != kReqShdslPort)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    if (header.requestCode == kReqShdslPort) {
        SeedShdslPorts(*ne);
        // The ports below the entity the query names; all of them when it names none.
        const CEntityId below(port.value);
        std::vector<ShdslPortRec> ports;
        for (const ShdslPortRec& rec : Decoded<ShdslPortRec>(db_.Generic().KeptRecords(kReqShdslPort, ne->Id()))) {
            if (port.value == 0 || rec.entityId == port.value || below.IsAncestorOf(rec.entityId))
                ports.push_back(rec);
        }
        ReplyRecords(out, header, ports, static_cast<uint32_t>(ports.size()));
        return;
    }
    if (!IsShdslPort(*ne, port.value)) {
        Reply(out, header, Refused("The entity is not an SHDSL port"));
        return;
    }
    const uint32_t side = header.recordSize >= kShdslPmQueryRecSize ? record_bytes::GetU32(RecordAt(request, 0), 4) : 0;
    switch (header.requestCode) {
    case kReqShdslRateStatus:
        ReplyRecords(out, header, std::vector{ShdslRateOf(*ne, port.value)}, 1);
        return;
    case kReqShdslPm: {
        ShdslPmRec pm;
        pm.entityId = port.value;
        pm.side = side;
        pm.elapsed15Min = now % kQuarter;
        pm.current15Min = CountersAfter(port.value, side, pm.elapsed15Min, kQuarter);
        pm.elapsedDay = now % kDay;
        pm.currentDay = CountersAfter(port.value, side, pm.elapsedDay, kDay);
        pm.previousDay = CountersAfter(port.value, side, kDay, kDay);
        ReplyRecords(out, header, std::vector{pm}, 1);
        return;
    }
    default: {
        std::vector<ShdslIntervalRec> intervals;
        const uint32_t lastEnd = now - now % kQuarter;
        for (uint32_t n = 0; n < kStoredShdslIntervals && lastEnd >= n * kQuarter; ++n) {
            intervals.push_back({port.value, side, n + 1, CountersAfter(port.value + n, side, kQuarter, kQuarter),
                                 lastEnd - n * kQuarter});
        }
        ReplyRecords(out, header, intervals, static_cast<uint32_t>(intervals.size()));
        return;
    }
    }
}

void CSimRequestHandler::ShdslPortWrite(Handled& out, const Frame& request, const CSimNe& ne)
{
    const FrameHeader& header = request.header;
    ShdslPortRec written;
    if (RecordsOf(request, kShdslPortRecSize) < 1 || !DecodeRecord(RecordAt(request, 0), kShdslPortRecSize, &written)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    if (!IsShdslPort(ne, written.entityId)) {
        Reply(out, header, Refused("The entity is not an SHDSL port"));
        return;
    }
    auto named = [&](uint16_t code, const std::string& name) {
        for (const std::vector<uint8_t>& bytes : db_.Generic().KeptRecords(code, ne.Id())) {
            if (std::string(reinterpret_cast<const char*>(bytes.data())) == name)
                return true;
        }
        return name.empty();
    };
    if (!named(kReqShdslLineProfile, written.lineProfile) ||
        !named(kReqShdslPmThresholdProfile, written.pmThresholdProfile)) {
        Reply(out, header, Refused("No such profile"));
        return;
    }
    // The port keeps its state and subscriber; the write sets its profiles and whether it is enabled.
    std::optional<ShdslPortRec> kept;
    for (const ShdslPortRec& rec : Decoded<ShdslPortRec>(db_.Generic().KeptRecords(kReqShdslPort, ne.Id()))) {
        if (rec.entityId == written.entityId)
            kept = rec;
    }
    ShdslPortRec rec = kept.value_or(written);
    rec.lineProfile = written.lineProfile;
    rec.pmThresholdProfile = written.pmThresholdProfile;
    rec.enableState = written.enableState;
    const auto bytes = EncodeRecord(rec);
    const GenericReply reply =
        db_.Generic().Handle(kReqShdslPort, kEmsOpModify, ne.Id(), bytes.data(), 1, kShdslPortRecSize);
    Reply(out, header, reply.status == 0 ? SimResult{} : Refused(reply.reason));
}

ShdslRateStatusRec CSimRequestHandler::ShdslRateOf(const CSimNe& ne, uint32_t port) const
{
    std::string profile;
    for (const ShdslPortRec& rec : Decoded<ShdslPortRec>(db_.Generic().KeptRecords(kReqShdslPort, ne.Id()))) {
        if (rec.entityId == port)
            profile = rec.lineProfile;
    }
    uint32_t rate = kDefaultRate;
    uint32_t mode = kAnnexAB;
    for (const ShdslLineProfileRec& rec :
         Decoded<ShdslLineProfileRec>(db_.Generic().KeptRecords(kReqShdslLineProfile, ne.Id()))) {
        if (rec.name == profile) {
            rate = rec.maxRate;
            mode = rec.annex;
        }
    }
    const uint32_t number = port % 100;
    return {port, mode, kAttainableRate, rate, 10 + number % 5, 9 + number % 4, 3 + number, 4 + number};
}
