// The simulated server's answers about the ADSL lines of an NE, on the NE's behalf: the port records, kept by the
// generic store and started from their defaults (sim/seed/adsl_port_defaults.h); the line status and the bits of each
// tone of a line in its power state; the power state commands; and the line tests, which run on the NE for a few
// seconds while the workstation asks how they stand (sim/pm/adsl_line_tests.h).

#include "sim/server/sim_request_handler.h"

#include "link/ems_msg.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_power_state_rec.h"
#include "link/records/line_test_ctrl_rec.h"
#include "link/records/loop_diag_ctrl_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/word_record.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "sim/seed/adsl_port_defaults.h"
#include "sim/seed/adsl_port_rules.h"
#include "sim/server/sim_adsl_ports.h"
#include "sim/server/sim_frame_records.h"

#include <algorithm>
#include <chrono>
#include <set>

namespace {

constexpr uint32_t kChannelFast = 2;
constexpr uint32_t kChannelInterleaved = 3;

uint64_t LineClockMs()
{
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

LineTest TestOf(uint16_t code)
{
    switch (code) {
    case kReqLoopDiagCtrl:
    case kReqLoopDiagResult:
        return LineTest::kLoopDiagnosis;
    case kReqLoopMonCtrl:
    case kReqLoopMonResult:
        return LineTest::kLoopMonitoring;
    default:
        return LineTest::kSelt;
    }
}

template <class Rec> std::vector<std::string> NamesOf(const std::vector<std::vector<uint8_t>>& records)
{
    std::vector<std::string> names;
    for (const std::vector<uint8_t>& bytes : records) {
        Rec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec))
            names.push_back(rec.name);
    }
    return names;
}

} // namespace

void CSimRequestHandler::SeedAdslPorts(const CSimNe& ne)
{
    // The ports the NE's tree has now, of cards fitted or planned, there from the start or come since.
    CGenericRecordStore& store = db_.Generic();
    std::set<uint32_t> held;
    for (const AdslPortRec& port : store.DecodedKeptRecords(kReqAdslPort, ne.Id()))
        held.insert(port.entityId);
    std::vector<uint32_t> fresh = ProvisionableAdslPortsOf(ne);
    std::erase_if(fresh, [&held](uint32_t port) { return held.count(port) != 0; });
    if (fresh.empty())
        return;
    const std::vector<AdslPortRec> records =
        AdslPortDefaults(fresh, NamesOf<AdslLineProfileRec>(store.KeptRecords(kReqAdslLineProfile, ne.Id())),
                         NamesOf<XdslPmThresholdProfileRec>(store.KeptRecords(kReqPmThresholdProfile, ne.Id())));
    const std::vector<uint8_t> bytes = EncodeRecords(records);
    store.Handle(kReqAdslPort, kEmsOpModify, ne.Id(), bytes.data(), static_cast<uint32_t>(records.size()),
                 kAdslPortRecSize);
}

bool CSimRequestHandler::LineProfileUsable(uint32_t neId, const std::string& name) const
{
    for (const std::vector<uint8_t>& bytes : db_.Generic().KeptRecords(kReqAdslLineProfile, neId)) {
        AdslLineProfileRec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec) && rec.name == name)
            return rec.channelMode == kChannelFast || rec.channelMode == kChannelInterleaved;
    }
    return false;
}

// A query lists the ports at or below the entity it names; a write is judged as the NE judges it.
void CSimRequestHandler::AdslPorts(Handled& out, const Frame& request, const CSimNe& ne)
{
    const FrameHeader& header = request.header;
    CGenericRecordStore& store = db_.Generic();
    // A query names the entity in its first four bytes, whether it sends the key alone or a whole record; one
    // without a record names the NE.
    AdslPortRec given;
    WordRecord named;
    if (IsQuery(request)) {
        if (RecordsOf(request, kWordRecordSize) >= 1 && DecodeRecord(RecordAt(request, 0), kWordRecordSize, &named))
            given.entityId = named.value;
    } else if (RecordsOf(request, kAdslPortRecSize) < 1 ||
               !DecodeRecord(RecordAt(request, 0), kAdslPortRecSize, &given)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    std::vector<AdslPortRec> held;
    for (const std::vector<uint8_t>& bytes : store.KeptRecords(kReqAdslPort, ne.Id())) {
        AdslPortRec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec))
            held.push_back(rec);
    }
    if (IsQuery(request)) {
        std::erase_if(held, [&](const AdslPortRec& port) { return !AdslPortListed(given.entityId, port.entityId); });
        ReplyRecords(out, header, held, static_cast<uint32_t>(held.size()));
        return;
    }
    const auto port =
        std::find_if(held.begin(), held.end(), [&](const AdslPortRec& rec) { return rec.entityId == given.entityId; });
    if (port == held.end()) {
        Reply(out, header, Refused("Port does not exist"));
        return;
    }
    SimPortProfiles profiles;
    for (const std::vector<uint8_t>& bytes : store.KeptRecords(kReqAdslLineProfile, ne.Id())) {
        AdslLineProfileRec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec) &&
            (rec.channelMode == kChannelFast || rec.channelMode == kChannelInterleaved))
            profiles.lineProfiles.push_back(rec.name);
    }
    profiles.pmThresholdProfiles =
        NamesOf<XdslPmThresholdProfileRec>(store.KeptRecords(kReqPmThresholdProfile, ne.Id()));
    profiles.policingProfiles =
        NamesOf<TrafficPolicingProfileRec>(store.KeptRecords(kReqTrafficPolicingProfile, ne.Id()));
    if (const std::string refusal = AdslPortWriteRefusal(given, profiles); !refusal.empty()) {
        Reply(out, header, Refused(refusal));
        return;
    }
    const AdslPortRec kept = AdslPortAfterWrite(*port, given);
    const auto bytes = EncodeRecord(kept);
    store.Handle(kReqAdslPort, kEmsOpModify, ne.Id(), bytes.data(), 1, kAdslPortRecSize);
    ReplyRecords(out, header, std::vector<AdslPortRec>{kept}, 1);
}

void CSimRequestHandler::AdslLines(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    const uint16_t code = header.requestCode;
    const CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    if (code == kReqAdslPort) {
        SeedAdslPorts(*ne);
        AdslPorts(out, request, *ne);
        return;
    }
    // Every request names the port first: a query by its id alone, a command by its whole record.
    WordRecord port;
    if (RecordsOf(request, kWordRecordSize) < 1 || !DecodeRecord(RecordAt(request, 0), kWordRecordSize, &port) ||
        !(IsQuery(request) || IsModify(request))) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    if (const std::string refusal = AdslPortRefusal(*ne, port.value); !refusal.empty()) {
        Reply(out, header, Refused(refusal));
        return;
    }
    CAdslLineTests& tests = lineTests_.try_emplace(ne->Id()).first->second;
    const uint64_t now = LineClockMs();
    // A command goes to a test's control or to the line's power state; everything else is a query.
    const bool command = IsModify(request);
    if (command && code != kReqAdslPowerState && code != kReqLoopDiagCtrl && code != kReqLoopMonCtrl &&
        code != kReqSeltCtrl) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    switch (code) {
    case kReqAdslRateStatus:
        ReplyRecords(out, header, std::vector{tests.RateStatus(port.value)}, 1);
        return;
    case kReqBitsAlloc:
        ReplyRecords(out, header, std::vector{tests.BitsAllocation(port.value)}, 1);
        return;
    case kReqAdslPowerState: {
        AdslPowerStateRec target;
        if (!command || RecordsOf(request, kAdslPowerStateRecSize) < 1 ||
            !DecodeRecord(RecordAt(request, 0), kAdslPowerStateRecSize, &target)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        const std::string refusal = tests.SetPowerState(port.value, target.targetState);
        Reply(out, header, refusal.empty() ? SimResult{} : Refused(refusal));
        return;
    }
    case kReqLoopDiagCtrl: {
        LoopDiagCtrlRec rec;
        if (command) {
            if (RecordsOf(request, kLoopDiagCtrlRecSize) < 1 ||
                !DecodeRecord(RecordAt(request, 0), kLoopDiagCtrlRecSize, &rec)) {
                Reply(out, header, kDrvInvalidParameter);
                return;
            }
            const bool usable = LineProfileUsable(ne->Id(), rec.lineProfile);
            if (const std::string refusal =
                    tests.Command(port.value, LineTest::kLoopDiagnosis, rec.command, rec.lineProfile, usable, now);
                !refusal.empty()) {
                Reply(out, header, Refused(refusal));
                return;
            }
        }
        const LineTestStatus status = tests.Status(port.value, LineTest::kLoopDiagnosis, now);
        ReplyRecords(
            out, header,
            std::vector{LoopDiagCtrlRec{port.value, status.lineProfile, 0, status.state, status.failureReason}}, 1);
        return;
    }
    case kReqLoopMonCtrl:
    case kReqSeltCtrl: {
        LineTestCtrlRec rec;
        if (command) {
            if (RecordsOf(request, kLineTestCtrlRecSize) < 1 ||
                !DecodeRecord(RecordAt(request, 0), kLineTestCtrlRecSize, &rec)) {
                Reply(out, header, kDrvInvalidParameter);
                return;
            }
            if (const std::string refusal = tests.Command(port.value, TestOf(code), rec.command, {}, true, now);
                !refusal.empty()) {
                Reply(out, header, Refused(refusal));
                return;
            }
        }
        const LineTestStatus status = tests.Status(port.value, TestOf(code), now);
        ReplyRecords(out, header, std::vector{LineTestCtrlRec{port.value, 0, status.state, status.failureReason}}, 1);
        return;
    }
    case kReqLoopDiagResult:
        ReplyRecords(out, header, std::vector{tests.LoopDiagnosisResult(port.value, now)}, 1);
        return;
    case kReqLoopMonResult:
        ReplyRecords(out, header, std::vector{tests.LoopMonitoringResult(port.value, now)}, 1);
        return;
    default:
        ReplyRecords(out, header, std::vector{tests.SeltResult(port.value, now)}, 1);
        return;
    }
}
