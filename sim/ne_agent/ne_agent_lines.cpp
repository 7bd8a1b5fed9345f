// The simulated NE's ADSL lines: the port records of its ADSL ports, and the rows of their line status (R.661), bits
// allocation (R.662), power state (R.669) and line tests (control rows R.663, R.665, R.667 and results R.664, R.666,
// R.668), one row per port, showing what the lines and their tests (sim/pm/adsl_line_tests.h) are now.

#include "sim/ne_agent/ne_agent_mib.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/adsl_power_state_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/line_test_ctrl_rec.h"
#include "link/records/loop_diag_ctrl_rec.h"
#include "link/records/request_codes.h"
#include "link/records/word_record.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "sim/seed/adsl_port_defaults.h"

#include <array>

namespace {

constexpr uint32_t kChannelFast = 2;
constexpr uint32_t kChannelInterleaved = 3;

using RowWrites = std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>;

struct TestCodes {
    LineTest test;
    uint16_t control;
};
constexpr std::array kTestCodes = {TestCodes{LineTest::kLoopDiagnosis, kReqLoopDiagCtrl},
                                   TestCodes{LineTest::kLoopMonitoring, kReqLoopMonCtrl},
                                   TestCodes{LineTest::kSelt, kReqSeltCtrl}};

template <class Rec> std::vector<std::string> NamesOf(const std::vector<Rec>& records)
{
    std::vector<std::string> names;
    for (const Rec& rec : records)
        names.push_back(rec.name);
    return names;
}

// The port and the command of a written control row; none for another row.
struct WrittenCommand {
    uint32_t port = 0;
    LineTest test = LineTest::kLoopDiagnosis;
    uint32_t command = 0;
    std::string lineProfile;
};

std::vector<WrittenCommand> CommandsOf(const RowWrites& rows)
{
    std::vector<WrittenCommand> commands;
    for (const TestCodes& codes : kTestCodes) {
        const auto written = rows.find(codes.control);
        if (written == rows.end())
            continue;
        for (const auto& [index, bytes] : written->second) {
            if (!bytes)
                continue;
            if (codes.test == LineTest::kLoopDiagnosis) {
                LoopDiagCtrlRec rec;
                if (DecodeRecord(bytes->data(), bytes->size(), &rec))
                    commands.push_back({rec.entityId, codes.test, rec.command, rec.lineProfile});
            } else {
                LineTestCtrlRec rec;
                if (DecodeRecord(bytes->data(), bytes->size(), &rec))
                    commands.push_back({rec.entityId, codes.test, rec.command, {}});
            }
        }
    }
    return commands;
}

std::vector<AdslPowerStateRec> PowerWritesOf(const RowWrites& rows)
{
    std::vector<AdslPowerStateRec> writes;
    const auto written = rows.find(kReqAdslPowerState);
    if (written == rows.end())
        return writes;
    for (const auto& [index, bytes] : written->second) {
        AdslPowerStateRec rec;
        if (bytes && DecodeRecord(bytes->data(), bytes->size(), &rec))
            writes.push_back(rec);
    }
    return writes;
}

} // namespace

std::vector<uint32_t> CNeAgentMib::FindAdslPorts()
{
    std::vector<uint32_t> ports;
    for (const auto& [index, record] : tables_[kReqBoardSetting].rows) {
        BoardSettingRec board;
        DecodeRecord(record.data(), record.size(), &board);
        const CEntityType* model = models_ != nullptr ? models_->FindModel(board.onlineType) : nullptr;
        for (int p = 0; model != nullptr && p < model->GetChildCount(); ++p) {
            if (model->SlotAcceptsClass(p, kProvClassAdslPort))
                ports.push_back(board.entityId + static_cast<uint32_t>(p) + 1);
        }
    }
    pm_.SetPorts(ports);
    return ports;
}

uint64_t CNeAgentMib::LineClockMs() const
{
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count());
}

template <class Rec> void CNeAgentMib::ShowRow(uint16_t code, const Rec& rec)
{
    const auto bytes = EncodeRecord(rec);
    tables_[code].rows.Write()[CSnmpOid{rec.entityId}].assign(bytes.begin(), bytes.end());
}

void CNeAgentMib::AddLineRows(const std::vector<uint32_t>& adslPorts)
{
    adslPorts_ = adslPorts;
    if (RowCount(kReqAdslPort) == 0) {
        for (const AdslPortRec& rec :
             AdslPortDefaults(adslPorts, NamesOf(TableRecords<AdslLineProfileRec>(kReqAdslLineProfile)),
                              NamesOf(TableRecords<XdslPmThresholdProfileRec>(kReqPmThresholdProfile)))) {
            const auto bytes = EncodeRecord(rec);
            AddRow(kReqAdslPort, {bytes.begin(), bytes.end()});
        }
    }
    // Every port has its rows from the start, so that a write finds them; what they show comes with each refresh.
    for (uint32_t port : adslPorts) {
        for (uint16_t code : std::initializer_list<uint16_t>{kReqAdslRateStatus, kReqBitsAlloc, kReqLoopDiagCtrl,
                                                             kReqLoopDiagResult, kReqLoopMonCtrl, kReqLoopMonResult,
                                                             kReqSeltCtrl, kReqSeltResult, kReqAdslPowerState}) {
            const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(code);
            std::vector<uint8_t> record(entry->recordSize, 0);
            EncodeRecord(WordRecord{port}, record.data());
            AddRow(code, record);
        }
    }
    RefreshLines();
}

void CNeAgentMib::RefreshLines()
{
    // Only a running test changes by itself; everything else changes by a write.
    if (linesSettled_)
        return;
    const uint64_t now = LineClockMs();
    bool running = false;
    for (uint32_t port : adslPorts_) {
        for (const TestCodes& codes : kTestCodes) {
            const LineTestStatus status = lineTests_.Status(port, codes.test, now);
            running = running || status.state == kLineTestRunning;
            const auto shown = testsShown_.find({port, codes.test});
            if (shown != testsShown_.end() && shown->second == status.state)
                continue;
            testsShown_[{port, codes.test}] = status.state;
            switch (codes.test) {
            case LineTest::kLoopDiagnosis:
                ShowRow(codes.control,
                        LoopDiagCtrlRec{port, status.lineProfile, 0, status.state, status.failureReason});
                ShowRow(kReqLoopDiagResult, lineTests_.LoopDiagnosisResult(port, now));
                break;
            case LineTest::kLoopMonitoring:
                ShowRow(codes.control, LineTestCtrlRec{port, 0, status.state, status.failureReason});
                ShowRow(kReqLoopMonResult, lineTests_.LoopMonitoringResult(port, now));
                break;
            case LineTest::kSelt:
                ShowRow(codes.control, LineTestCtrlRec{port, 0, status.state, status.failureReason});
                ShowRow(kReqSeltResult, lineTests_.SeltResult(port, now));
                break;
            }
        }
        const uint32_t power = lineTests_.PowerState(port);
        const auto shown = powerShown_.find(port);
        if (shown != powerShown_.end() && shown->second == power)
            continue;
        powerShown_[port] = power;
        ShowRow(kReqAdslRateStatus, lineTests_.RateStatus(port));
        ShowRow(kReqBitsAlloc, lineTests_.BitsAllocation(port));
        ShowRow(kReqAdslPowerState, AdslPowerStateRec{port, power});
    }
    linesSettled_ = !running;
}

bool CNeAgentMib::LineProfileUsable(const std::string& name) const
{
    for (const AdslLineProfileRec& rec : TableRecords<AdslLineProfileRec>(kReqAdslLineProfile)) {
        if (rec.name == name)
            return rec.channelMode == kChannelFast || rec.channelMode == kChannelInterleaved;
    }
    return false;
}

int32_t CNeAgentMib::CheckLineWrites(const RowWrites& rows) const
{
    const uint64_t now = LineClockMs();
    for (const WrittenCommand& written : CommandsOf(rows)) {
        if (written.command != kLineTestStart && written.command != kLineTestStop)
            return kSnmpWrongValue;
        if (!lineTests_.CommandRefusal(written.port, written.test, written.command, now).empty())
            return kSnmpInconsistentValue;
    }
    for (const AdslPowerStateRec& written : PowerWritesOf(rows)) {
        if (written.targetState > kAdslPowerL3ByCo)
            return kSnmpWrongValue;
        if (!lineTests_.PowerStateRefusal(written.entityId, written.targetState).empty())
            return kSnmpInconsistentValue;
    }
    return kSnmpNoError;
}

void CNeAgentMib::ApplyLineWrites(const RowWrites& rows)
{
    linesSettled_ = false;
    const uint64_t now = LineClockMs();
    for (const WrittenCommand& written : CommandsOf(rows)) {
        lineTests_.Command(written.port, written.test, written.command, written.lineProfile,
                           LineProfileUsable(written.lineProfile), now);
        testsShown_.erase({written.port, written.test}); // the row shows the command written until it is shown anew
    }
    for (const AdslPowerStateRec& written : PowerWritesOf(rows)) {
        lineTests_.SetPowerState(written.entityId, written.targetState);
        powerShown_.erase(written.entityId);
    }
    RefreshLines();
}
