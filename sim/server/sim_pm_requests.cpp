// The simulated server's answers to the PM requests of an ADSL port: the counters the line's generator gives now,
// the day of 15-minute intervals the NE keeps, and the long-term records collected for the NE's items.

#include "sim/server/sim_request_handler.h"

#include "link/ems_msg.h"
#include "link/records/long_term_pm_item_rec.h"
#include "link/records/word_record.h"
#include "sim/server/sim_adsl_ports.h"

#include <algorithm>
#include <set>

namespace {

constexpr uint8_t kItemCollecting = 48; // '0'

PmSide SideOf(uint16_t code)
{
    switch (code) {
    case kReqAdslPmRt:
    case kReqAdslBlockRt:
    case kReqAdslHistoryRt:
    case kReqLongTermPmRt:
        return PmSide::kRt;
    default:
        return PmSide::kCo;
    }
}

} // namespace

void CSimRequestHandler::AdslPm(Handled& out, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    WordRecord port;
    if (header.operation != kEmsOpQuery || header.count < 1 || header.recordSize < kWordRecordSize ||
        !DecodeRecord(request.payload.data(), kWordRecordSize, &port)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    const CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    if (const std::string refusal = AdslPortRefusal(*ne, port.value); !refusal.empty()) {
        Reply(out, header, Refused(refusal));
        return;
    }
    const PmSide side = SideOf(header.requestCode);
    switch (header.requestCode) {
    case kReqAdslPmCo:
    case kReqAdslPmRt:
        Reply(out, header, EncodeRecords(std::vector<AdslCurrentPmRec>{pm_.Current(port.value, side, now)}),
              kAdslCurrentPmRecSize, 1, 1);
        return;
    case kReqAdslBlockCo:
    case kReqAdslBlockRt:
        Reply(out, header, EncodeRecords(std::vector<AdslBlockPmRec>{pm_.CurrentBlocks(port.value, side, now)}),
              kAdslBlockPmRecSize, 1, 1);
        return;
    default: {
        std::vector<XdslPmIntervalRec> intervals;
        for (uint32_t number = 1; number <= kStoredPmIntervals; ++number)
            intervals.push_back(pm_.StoredInterval(port.value, side, now, number));
        Reply(out, header, EncodeRecords(intervals), kXdslPmIntervalRecSize, kStoredPmIntervals, kStoredPmIntervals);
        return;
    }
    }
}

void CSimRequestHandler::LongTermPm(Handled& out, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    LongTermPmQueryRec query;
    if (header.operation != kEmsOpQuery || header.count < 1 || header.recordSize < kLongTermPmQueryRecSize ||
        !DecodeRecord(request.payload.data(), kLongTermPmQueryRecSize, &query)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    if (db_.FindNe(header.neId) == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    // The records of the intervals that ended inside the windows of the port's items, up to now, whose creation
    // times lie in the range.
    const uint8_t listBody = 0;
    const GenericReply items = db_.Generic().Handle(kReqLongTermPmItem, kEmsOpQuery, header.neId, &listBody, 1, 1);
    std::set<uint32_t> ends;
    for (uint32_t i = 0; i < items.count; ++i) {
        LongTermPmItemRec item;
        if (!DecodeRecord(items.records.data() + static_cast<size_t>(i) * items.recordSize, items.recordSize, &item) ||
            item.entityId != query.entityId || item.state != kItemCollecting)
            continue;
        const int64_t first = std::max<int64_t>({int64_t{item.start} + 1, query.start, 1});
        const int64_t last = std::min<int64_t>({item.stop, query.stop, now});
        for (int64_t end = QuarterHourAtOrAfter(static_cast<uint32_t>(first)); end <= last; end += kPmIntervalSeconds)
            ends.insert(static_cast<uint32_t>(end));
    }
    const PmSide side = SideOf(header.requestCode);
    std::vector<XdslPmIntervalRec> records;
    for (uint32_t end : ends)
        records.push_back(pm_.LongTermRecord(query.entityId, side, end));
    const auto count = static_cast<uint32_t>(records.size());
    Reply(out, header, EncodeRecords(records), kXdslPmIntervalRecSize, count, count);
}
