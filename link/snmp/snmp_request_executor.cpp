#include "link/snmp/snmp_request_executor.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_type_ids.h"
#include "link/driver_result.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/record_bytes.h"
#include "link/records/word_record.h"
#include "link/snmp/snmp_table_walker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

constexpr uint32_t kLastSubId = 0xFFFFFFFF;

// An index of the given values followed by the highest sub-ids up to `columns` sub-ids: above every row that starts
// with the values.
CSnmpOid IndexAbove(std::initializer_list<uint32_t> values, size_t columns)
{
    CSnmpOid index;
    for (uint32_t value : values)
        index.Append(value);
    while (index.Size() < columns)
        index.Append(kLastSubId);
    return index;
}

enum class KeyedWalkKind : uint8_t { kWalk, kEmpty, kInvalid };

// The walk of a key's rows (KeyPrefix), of a range of them (KeyRange) or of those of a pair of keys (KeyPair), from
// the request record's keys and range: none for an empty range, and an invalid request for a record too short for its
// code.
KeyedWalkKind KeyedWalk(const SnmpRequestEntry& entry, const EmsMsg& request, SnmpWalkOptions* options)
{
    const bool ranged = entry.queryRange == SnmpQueryRange::KeyRange;
    const bool paired = entry.queryRange == SnmpQueryRange::KeyPair;
    const size_t columns = entry.indexColumns.size();
    const uint8_t* record = EmsRecordAt(request, 0);
    if (record == nullptr ||
        request.recordSize < entry.queryKeyOffset + (ranged   ? 12u
                                                     : paired ? 8u
                                                              : 4u) ||
        columns < (ranged || paired ? 2u : 1u))
        return KeyedWalkKind::kInvalid;
    const uint8_t* body = record + entry.queryKeyOffset;
    const uint32_t key = record_bytes::GetU32(body, 0);
    if (paired) {
        const uint32_t second = record_bytes::GetU32(body, 4);
        if (second > 0)
            options->startAfter = IndexAbove({key, second - 1}, columns);
        else if (key > 0)
            options->startAfter = IndexAbove({key - 1}, columns);
        options->lastIndex = IndexAbove({key, second}, columns);
        return KeyedWalkKind::kWalk;
    }
    if (entry.queryRange == SnmpQueryRange::EntityKey) {
        // The ports below a card or shelf have neighbouring ids; the NE itself (or none) holds every row.
        const CEntityIndex entity = EntityIndexFromId(key);
        if (entity.GetLevel() <= kEntityLevelNe)
            return KeyedWalkKind::kWalk;
        const uint32_t first = FirstEntityIdUnder(entity, kEntityLevelPort);
        const uint32_t last = LastEntityIdUnder(entity, kEntityLevelPort);
        if (first == 0 || last == 0)
            return KeyedWalkKind::kEmpty;
        options->startAfter = IndexAbove({first - 1}, columns);
        options->lastIndex = IndexAbove({last}, columns);
        return KeyedWalkKind::kWalk;
    }
    if (!ranged) {
        if (key > 0)
            options->startAfter = IndexAbove({key - 1}, columns);
        options->lastIndex = IndexAbove({key}, columns);
        return KeyedWalkKind::kWalk;
    }
    // Times before 1970 count as 0.
    const auto first = static_cast<uint32_t>(std::max(0, record_bytes::GetI32(body, 4)));
    const auto last = static_cast<uint32_t>(std::max(0, record_bytes::GetI32(body, 8)));
    if (first > last)
        return KeyedWalkKind::kEmpty;
    if (first > 0)
        options->startAfter = IndexAbove({key, first - 1}, columns);
    else if (key > 0)
        options->startAfter = IndexAbove({key - 1}, columns);
    options->lastIndex = IndexAbove({key, last}, columns);
    return KeyedWalkKind::kWalk;
}

void EchoRequestRecords(const EmsMsg& request, SnmpReplyData* reply)
{
    uint64_t bytes = EmsRecordBytes(request);
    reply->recordSize = request.recordSize;
    reply->count = request.count > 0 ? static_cast<uint32_t>(request.count) : 0;
    reply->total = reply->count;
    if (bytes != 0 && request.records != nullptr) {
        const auto* data = static_cast<const uint8_t*>(request.records);
        reply->records.assign(data, data + bytes);
    }
}

} // namespace

int CSnmpRequestExecutor::Execute(const EmsMsg& request, SnmpReplyData* reply)
{
    *reply = SnmpReplyData{};
    reply->requestCode = request.requestCode;
    reply->operation = kEmsOpReply;
    const SnmpRequestEntry* entry = map_.Find(request.requestCode);
    if (entry == nullptr)
        return kDrvNotSupported;
    const bool query = request.operation == kEmsOpQuery;
    const bool write = request.operation == kEmsOpModify;
    if (!query && !write)
        return kDrvNotSupported;

    switch (entry->kind) {
    case SnmpEntryKind::Ignored:
        return kDrvOk;
    case SnmpEntryKind::Action:
        if (!write)
            return kDrvNotSupported;
        // An action on one entity names it with its word; the others set 1.
        if (entry->writeKind == SnmpWriteKind::Trigger)
            return Trigger(*entry, request);
        return session_.Set({{entry->ActionOid(), SnmpValue::Integer(1)}});
    case SnmpEntryKind::Count:
        if (!query)
            return kDrvNotSupported;
        return QueryCount(*entry, reply);
    case SnmpEntryKind::ScalarGroup:
        if (query)
            return QueryScalars(*entry, reply);
        if (entry->writeKind == SnmpWriteKind::None)
            return kDrvNotSupported;
        if (int result = WriteScalars(*entry, request); result != kDrvOk)
            return result;
        EchoRequestRecords(request, reply);
        return kDrvOk;
    case SnmpEntryKind::Table:
        if (query)
            return QueryTable(*entry, request, reply);
        if (entry->writeKind == SnmpWriteKind::Trigger)
            return Trigger(*entry, request);
        if (entry->writeKind == SnmpWriteKind::None)
            return kDrvNotSupported;
        if (int result = WriteRows(*entry, request); result != kDrvOk)
            return result;
        EchoRequestRecords(request, reply);
        return kDrvOk;
    }
    return kDrvNotSupported;
}

void CSnmpRequestExecutor::ApplyFixup(const SnmpRequestEntry& entry, uint8_t* record) const
{
    if (entry.fixup != SnmpRecordFixup::NeKeyFromSession)
        return;
    NeKeyRecord key;
    DecodeRecord(record, kNeKeyRecordSize, &key);
    const SnmpSessionConfig& config = session_.Config();
    char name[20];
    std::snprintf(name, sizeof name, "%u.%u.%u.%u", config.agent.address[0], config.agent.address[1],
                  config.agent.address[2], config.agent.address[3]);
    key.neId = 1;
    key.neName = name;
    key.ipAddress = config.agent.address;
    key.port = config.agent.port;
    key.snmpCommunity = config.community.substr(0, kNeKeyCommunityWidth - 1);
    key.ftpUser = kNeBuiltInAccount;
    key.ftpPassword = kNeBuiltInAccount;
    EncodeRecord(key, record);
}

int CSnmpRequestExecutor::QueryScalars(const SnmpRequestEntry& entry, SnmpReplyData* reply)
{
    std::vector<CSnmpOid> oids;
    for (const SnmpColumnDef& column : entry.columns)
        oids.push_back(entry.ColumnOid(column));
    std::vector<SnmpVarBind> values;
    if (int result = session_.Get(oids, &values); result != kDrvOk)
        return result;
    std::vector<uint8_t> record(entry.recordSize, 0);
    for (size_t i = 0; i < entry.columns.size(); ++i) {
        if (StoreSnmpColumnValue(entry.columns[i], values[i].value, record.data()) != SnmpStoreResult::Ok)
            return kDrvSnmpDecodeError;
    }
    ApplyFixup(entry, record.data());
    reply->recordSize = entry.recordSize;
    reply->count = 1;
    reply->total = 1;
    reply->records = std::move(record);
    return kDrvOk;
}

int CSnmpRequestExecutor::QueryCount(const SnmpRequestEntry& entry, SnmpReplyData* reply)
{
    std::vector<SnmpVarBind> values;
    if (int result = session_.Get({entry.CountOid()}, &values); result != kDrvOk)
        return result;
    const SnmpValue& value = values.front().value;
    if (value.type != SnmpType::Gauge32 && value.type != SnmpType::Integer)
        return kDrvSnmpDecodeError;
    // The count is a 16-bit word, as the server answers it.
    const uint32_t rows = value.type == SnmpType::Integer ? static_cast<uint32_t>(std::max<int64_t>(0, value.integer))
                                                          : static_cast<uint32_t>(value.number);
    const uint16_t count = static_cast<uint16_t>(std::min<uint32_t>(rows, 0xFFFF));
    reply->recordSize = static_cast<uint32_t>(sizeof count);
    reply->records = {static_cast<uint8_t>(count & 0xFF), static_cast<uint8_t>(count >> 8)};
    reply->count = 1;
    reply->total = 1;
    return kDrvOk;
}

int CSnmpRequestExecutor::QueryTable(const SnmpRequestEntry& entry, const EmsMsg& request, SnmpReplyData* reply)
{
    SnmpWalkOptions options;
    options.useBulk = session_.Config().version == SnmpVersion::V2c;
    options.maxRepetitions = maxRepetitions_;
    // A reply holds at most what one request descriptor may carry.
    const size_t cap = kMaxEmsRecordBytes / entry.recordSize;
    options.maxRows = cap;
    if (entry.queryRange == SnmpQueryRange::KeyPrefix || entry.queryRange == SnmpQueryRange::KeyRange ||
        entry.queryRange == SnmpQueryRange::EntityKey || entry.queryRange == SnmpQueryRange::KeyPair) {
        switch (KeyedWalk(entry, request, &options)) {
        case KeyedWalkKind::kInvalid:
            return kDrvInvalidParameter;
        case KeyedWalkKind::kEmpty:
            reply->recordSize = entry.recordSize;
            return kDrvOk;
        case KeyedWalkKind::kWalk:
            break;
        }
    } else if (entry.queryRange != SnmpQueryRange::All) {
        NeAlarmLogRangeRec range;
        const auto* data = static_cast<const uint8_t*>(request.records);
        if (request.count < 1 || !DecodeRecord(data, request.recordSize, &range))
            return kDrvInvalidParameter;
        if (entry.queryRange == SnmpQueryRange::FirstLast) {
            if (range.first > range.second) {
                reply->recordSize = entry.recordSize;
                return kDrvOk;
            }
            if (range.first > 0)
                options.startAfter = CSnmpOid{range.first - 1};
            options.lastIndex = CSnmpOid{range.second};
        } else {
            if (range.second == 0) {
                reply->recordSize = entry.recordSize;
                return kDrvOk;
            }
            options.maxRows = std::min<size_t>(cap, range.second);
        }
    }
    std::vector<CSnmpOid> columns;
    for (const SnmpColumnDef& column : entry.columns)
        columns.push_back(entry.ColumnOid(column));
    std::vector<SnmpWalkRow> rows;
    if (int result = WalkSnmpTable(session_, columns, options, &rows); result != kDrvOk)
        return result;

    reply->recordSize = entry.recordSize;
    reply->records.assign(rows.size() * entry.recordSize, 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        uint8_t* record = reply->records.data() + r * entry.recordSize;
        if (!DecodeSnmpRowIndex(entry, rows[r].index, record))
            return kDrvSnmpDecodeError;
        for (size_t c = 0; c < entry.columns.size(); ++c) {
            if (rows[r].values[c] &&
                StoreSnmpColumnValue(entry.columns[c], *rows[r].values[c], record) != SnmpStoreResult::Ok)
                return kDrvSnmpDecodeError;
        }
        // A row whose key columns say another index than its own would pass for another row.
        if (EncodeSnmpRowIndex(entry, record) != rows[r].index)
            return kDrvSnmpDecodeError;
        ApplyFixup(entry, record);
    }
    reply->count = static_cast<uint32_t>(rows.size());
    reply->total = reply->count;
    return kDrvOk;
}

int CSnmpRequestExecutor::Trigger(const SnmpRequestEntry& entry, const EmsMsg& request)
{
    const uint8_t* record = EmsRecordAt(request, 0);
    WordRecord word;
    if (record == nullptr || !DecodeRecord(record, request.recordSize, &word))
        return kDrvInvalidParameter;
    return session_.Set({{entry.ActionOid(), SnmpValue::Gauge32(word.value)}});
}

int CSnmpRequestExecutor::WriteScalars(const SnmpRequestEntry& entry, const EmsMsg& request)
{
    const uint8_t* record = EmsRecordAt(request, 0);
    if (record == nullptr || request.recordSize < entry.recordSize)
        return kDrvInvalidParameter;
    std::vector<SnmpVarBind> varbinds;
    for (const SnmpColumnDef& column : entry.columns) {
        if (column.writable)
            varbinds.push_back({entry.ColumnOid(column), SnmpColumnValue(column, record)});
    }
    return session_.Set(varbinds);
}

int CSnmpRequestExecutor::WriteRows(const SnmpRequestEntry& entry, const EmsMsg& request)
{
    if (request.count < 1 || request.recordSize < entry.recordSize)
        return kDrvInvalidParameter;
    for (uint32_t i = 0; i < static_cast<uint32_t>(request.count); ++i) {
        const uint8_t* record = EmsRecordAt(request, i);
        if (record == nullptr)
            return kDrvInvalidParameter;
        const CSnmpOid index = EncodeSnmpRowIndex(entry, record);
        std::vector<SnmpVarBind> varbinds;
        if (entry.writeKind != SnmpWriteKind::Delete) {
            for (const SnmpColumnDef& column : entry.columns) {
                if (column.writable)
                    varbinds.push_back({entry.ColumnOid(column).Appended(index), SnmpColumnValue(column, record)});
            }
        }
        if (entry.writeKind == SnmpWriteKind::Add || entry.writeKind == SnmpWriteKind::Delete) {
            if (!entry.rowStatus)
                return kDrvNotSupported;
            const CSnmpOid rowStatus = entry.EntryOid().Appended(entry.RowStatusColumn()).Appended(index);
            bool create = entry.writeKind == SnmpWriteKind::Add;
            if (create && entry.addChanges) {
                // A row the NE has takes the columns alone.
                std::vector<SnmpVarBind> held;
                const int found = session_.Get({rowStatus}, &held);
                if (found != kDrvOk && found != kDrvSnmpNoSuchName)
                    return found;
                create = found != kDrvOk;
            }
            if (create || entry.writeKind == SnmpWriteKind::Delete)
                varbinds.push_back({rowStatus, SnmpValue::Integer(create ? kRowStatusCreateAndGo : kRowStatusDestroy)});
        }
        if (int result = session_.Set(varbinds); result != kDrvOk)
            return result;
    }
    return kDrvOk;
}
