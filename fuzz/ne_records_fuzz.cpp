// The records of the direct link on arbitrary bytes: the NE's own records (key, time, communities, users, boards,
// entity states, alarm definitions, alarm log and its range) through their codecs, and through the SNMP mapping that
// turns bindings into record fields and OID suffixes into row indexes. The first byte chooses what is fed.
#include "fuzz/record_round_trip.h"
#include "fuzz/snmp_fuzz_input.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/snmp/snmp_request_map.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "ne_records_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

// Entries of the map that carry records.
const SnmpRequestEntry& PickEntry(CFuzzBytes& in)
{
    static const std::vector<const SnmpRequestEntry*> withRecords = [] {
        std::vector<const SnmpRequestEntry*> entries;
        for (const auto& [code, entry] : DefaultSnmpRequestMap().Entries()) {
            if (entry.recordSize != 0)
                entries.push_back(&entry);
        }
        return entries;
    }();
    return *withRecords[in.Byte() % withRecords.size()];
}

// Bindings as an NE sends them go into a record column by column; what a column took, it gives back, and it takes
// that again unchanged.
void StoreColumns(CFuzzBytes& in)
{
    const SnmpRequestEntry& entry = PickEntry(in);
    std::vector<uint8_t> record(entry.recordSize, 0);
    for (const SnmpColumnDef& column : entry.columns) {
        Check(column.offset + column.width <= entry.recordSize);
        const SnmpValue value = FuzzSnmpValue(in);
        if (StoreSnmpColumnValue(column, value, record.data()) != SnmpStoreResult::Ok)
            continue;
        const SnmpValue stored = SnmpColumnValue(column, record.data());
        std::vector<uint8_t> again(entry.recordSize, 0);
        Check(StoreSnmpColumnValue(column, stored, again.data()) == SnmpStoreResult::Ok);
        Check(SnmpColumnValue(column, again.data()) == stored);
        // Text ends at its first zero; raw octets come back the field's whole width, what was sent first.
        if (column.type == SnmpColumnType::Text)
            Check(stored.bytes.size() <= value.bytes.size());
        if (column.type == SnmpColumnType::Octets) {
            Check(stored.bytes.size() == column.width);
            Check(std::equal(value.bytes.begin(), value.bytes.end(), stored.bytes.begin()));
        }
    }
}

// An OID suffix taken as a row index names one row: the record it fills gives that suffix back.
void DecodeRowIndex(CFuzzBytes& in)
{
    const SnmpRequestEntry& entry = PickEntry(in);
    const CSnmpOid index = FuzzSnmpOid(in, CSnmpOid{});
    std::vector<uint8_t> record(entry.recordSize, 0);
    if (DecodeSnmpRowIndex(entry, index, record.data()))
        Check(EncodeSnmpRowIndex(entry, record.data()) == index);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t selector = data[0];
    ++data;
    --size;
    CFuzzBytes in(data, size);
    switch (selector % 11) {
    case 0:
        CheckRecordRoundTrip<NeKeyRecord>(data, size);
        break;
    case 1:
        CheckRecordRoundTrip<NeTimeRecord>(data, size);
        break;
    case 2:
        CheckRecordRoundTrip<NeSnmpCommunityRecord>(data, size);
        break;
    case 3:
        CheckRecordRoundTrip<NeUserAccountRecord>(data, size);
        break;
    case 4:
        CheckRecordRoundTrip<BoardSettingRec>(data, size);
        break;
    case 5: {
        CheckRecordRoundTrip<EntityStateRec>(data, size);
        std::vector<EntityStateRec> states;
        if (DecodeRecords<EntityStateRec>(data, size / kEntityStateRecSize, kEntityStateRecSize, &states))
            Check(states.size() == size / kEntityStateRecSize);
        break;
    }
    case 6:
        CheckRecordRoundTrip<AlarmDefRec>(data, size);
        break;
    case 7:
        CheckRecordRoundTrip<NeAlarmLogRec>(data, size);
        break;
    case 8:
        CheckRecordRoundTrip<NeAlarmLogRangeRec>(data, size);
        break;
    case 9:
        StoreColumns(in);
        break;
    default:
        DecodeRowIndex(in);
        break;
    }
    return 0;
}
