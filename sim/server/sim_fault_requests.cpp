// What the simulated server answers about an NE's hardware and alarm contacts: the readings of its modules as they
// are now, the temperature thresholds the NE keeps, and its alarm inputs and outputs, whose current state is the
// NE's to say and is kept whatever a change sends.

#include "core/entity/entity_id.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/ne_alarm_input_rec.h"
#include "link/records/ne_alarm_output_rec.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_result.h"

#include <cstring>

namespace {

constexpr char kNoSuchContact[] = "No such alarm input or output";
constexpr char kThresholdsRefused[] = "Thresholds must lie in -20..100 with the high one above the low one";

// The bytes of a record family's current state field: the last u32 of an input's or an output's record.
constexpr size_t kInputStateOffset = kNeAlarmInputRecSize - sizeof(uint32_t);
constexpr size_t kOutputStateOffset = kNeAlarmOutputRecSize - sizeof(uint32_t);

} // namespace

void CSimRequestHandler::HardwareReadings(Handled& out, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    const CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    HwMonRec query;
    if (header.operation != kEmsOpQuery || header.count < 1 ||
        !DecodeRecord(request.payload.data(), header.recordSize, &query)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    // The readings of the entity the query names and of those below it; 0 and 1 name the whole NE.
    const CEntityId asked(query.entityId);
    std::vector<HwMonRec> readings;
    for (const HwMonRec& reading : ::HardwareReadings(ne->HardwareModules(), ne->TemperatureThresholds(), now)) {
        if (query.entityId <= 1 || reading.entityId == query.entityId || asked.IsAncestorOf(reading.entityId))
            readings.push_back(reading);
    }
    const auto count = static_cast<uint32_t>(readings.size());
    Reply(out, header, EncodeRecords(readings), kHwMonRecSize, count, count);
}

void CSimRequestHandler::TemperatureThresholds(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    if (header.operation == kEmsOpModify) {
        HwMonThresholdRec written;
        if (header.count < 1 || !DecodeRecord(request.payload.data(), header.recordSize, &written)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        if (!AcceptsTemperatureThresholds(written)) {
            Reply(out, header, Refused(kThresholdsRefused));
            return;
        }
        ne->SetTemperatureThresholds(written);
    }
    Reply(out, header, EncodeRecords(std::vector{ne->TemperatureThresholds()}), kHwMonThresholdRecSize, 1, 1);
}

void CSimRequestHandler::AlarmContacts(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    if (db_.FindNe(header.neId) == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    CGenericRecordStore& store = db_.Generic();
    std::vector<uint8_t> records = request.payload;
    if (header.operation == kEmsOpModify) {
        const bool input = header.requestCode == kReqNeAlarmInput;
        const size_t size = input ? kNeAlarmInputRecSize : kNeAlarmOutputRecSize;
        const size_t stateOffset = input ? kInputStateOffset : kOutputStateOffset;
        if (header.count < 1 || header.recordSize != size) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        const GenericReply kept = store.Handle(header.requestCode, kEmsOpQuery, header.neId, nullptr, 0, 0);
        for (uint32_t i = 0; i < header.count; ++i) {
            uint8_t* rec = records.data() + i * size;
            const uint8_t* stored = nullptr;
            for (uint32_t k = 0; k < kept.count && stored == nullptr; ++k) {
                const uint8_t* candidate = kept.records.data() + k * size;
                if (std::memcmp(candidate, rec, sizeof(uint32_t)) == 0)
                    stored = candidate;
            }
            // Only the contacts the NE has can be set up, and what they sense now is not written.
            if (stored == nullptr) {
                Reply(out, header, Refused(kNoSuchContact));
                return;
            }
            std::memcpy(rec + stateOffset, stored + stateOffset, sizeof(uint32_t));
        }
    }
    const GenericReply reply = store.Handle(header.requestCode, header.operation, header.neId, records.data(),
                                            header.count, header.recordSize);
    if (reply.status != kDrvOk) {
        Reply(out, header, SimResult{reply.status, reply.reason});
        return;
    }
    Reply(out, header, reply.records, reply.recordSize, reply.count, reply.count);
}
