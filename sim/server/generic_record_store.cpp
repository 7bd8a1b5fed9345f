#include "sim/server/generic_record_store.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/record_bytes.h"

namespace {

bool AllZero(const uint8_t* bytes, size_t size)
{
    return std::all_of(bytes, bytes + size, [](uint8_t b) { return b == 0; });
}

GenericReply Failure(uint32_t status)
{
    GenericReply reply;
    reply.status = status;
    return reply;
}

GenericReply Refusal(std::string reason)
{
    GenericReply reply;
    reply.status = kDrvTextReply;
    reply.reason = std::move(reason);
    return reply;
}

constexpr char kRecordExists[] = "Record already exists";
constexpr char kNoSuchRecord[] = "Record does not exist";

// The records one after the other, as many as fit one request's records.
class CReplyRecords {
public:
    explicit CReplyRecords(uint32_t recordSize) { reply_.recordSize = recordSize; }

    // False once the reply is full.
    bool Add(const std::vector<uint8_t>& record)
    {
        if (reply_.records.size() + record.size() > kMaxEmsRecordBytes) {
            return false;
        }
        reply_.records.insert(reply_.records.end(), record.begin(), record.end());
        ++reply_.count;
        return true;
    }

    GenericReply Take() { return std::move(reply_); }

private:
    GenericReply reply_;
};

// Copies the bytes of the writable columns of a record (and of the records inside it) from `written` to `kept`.
void TakeWritable(const RecordLayout& layout, const uint8_t* written, uint8_t* kept)
{
    for (const RecordField& field : layout.fields) {
        if (field.nested != nullptr)
            TakeWritable(*field.nested, written + field.offset, kept + field.offset);
        else if ((field.column.flags & kColumnWritable) != 0)
            std::copy_n(written + field.offset, field.width, kept + field.offset);
    }
}

template <typename Range> GenericReply Records(const Range& records, uint32_t recordSize)
{
    CReplyRecords reply(recordSize);
    for (const auto& record : records) {
        if (!reply.Add(record)) {
            break;
        }
    }
    return reply.Take();
}

// The records of a keyed family whose key starts with `prefix`: keys that share a prefix lie side by side.
template <typename Map, typename Visit>
void ForEachWithPrefix(Map& keyed, const std::vector<uint8_t>& prefix, Visit visit)
{
    for (auto it = keyed.lower_bound(prefix); it != keyed.end() && it->first.size() >= prefix.size() &&
                                              std::equal(prefix.begin(), prefix.end(), it->first.begin());) {
        it = visit(it);
    }
}

} // namespace

GenericReply CGenericRecordStore::Handle(uint16_t code, uint8_t operation, uint32_t neId, const uint8_t* records,
                                         uint32_t count, uint32_t recordSize)
{
    // A code the catalogue does not know, or one that the server does not serve (direct mode only, notifications).
    const auto [spec, role] = FindRequest(code);
    if (spec == nullptr || !spec->server || spec->kind == RequestKind::kNotification) {
        return Failure(kDrvNotSupported);
    }
    const bool query = operation == kEmsOpQuery;
    if (!query && operation != kEmsOpModify) {
        return Failure(kDrvInvalidParameter);
    }
    if (role != RequestRole::kQueryModify && query) {
        return Failure(kDrvInvalidParameter);
    }
    if (spec->serverWide) {
        neId = 0;
    }
    switch (role) {
    case RequestRole::kAdd:
        return Add(*spec, neId, records, count, recordSize);
    case RequestRole::kDelete:
        return Delete(*spec, neId, records, count, recordSize);
    case RequestRole::kDeleteAll:
        families_.erase({spec->code, neId});
        return {};
    case RequestRole::kQueryModify:
        break;
    }
    if (spec->kind == RequestKind::kAction) {
        return {};
    }
    if (spec->kind == RequestKind::kCount) {
        if (!query) {
            return Failure(kDrvInvalidParameter);
        }
        auto it = families_.find({spec->countOf, neId});
        const size_t n = it == families_.end() ? 0 : it->second->keyed.size();
        GenericReply reply;
        reply.recordSize = 2;
        reply.count = 1;
        reply.records.resize(2);
        record_bytes::PutU16(reply.records.data(), 0, static_cast<uint16_t>(std::min<size_t>(n, 0xFFFF)));
        return reply;
    }
    if (query) {
        return Query(*spec, neId, count > 0 ? records : nullptr, count > 0 ? recordSize : 0);
    }
    return Modify(*spec, neId, records, count, recordSize);
}

GenericReply CGenericRecordStore::Query(const RequestSpec& spec, uint32_t neId, const uint8_t* request,
                                        uint32_t requestSize)
{
    auto it = families_.find({spec.code, neId});
    if (spec.kind == RequestKind::kSingle) {
        if (it == families_.end() || it->second->single.empty()) {
            return spec.startsEmpty || spec.recordSize == 0
                       ? GenericReply{}
                       : Records(std::vector<Record>{Record(spec.recordSize, 0)}, spec.recordSize);
        }
        return Records(it->second->single, it->second->recordSize);
    }
    if (it == families_.end()) {
        return {};
    }
    const Family& family = *it->second;
    const size_t selectLength = spec.queryKeyLength;
    const size_t selectEnd = spec.queryKeyOffset + selectLength;
    if (request != nullptr)
        request += std::min<size_t>(spec.queryKeyOffset, requestSize);
    const bool select =
        selectLength != 0 && request != nullptr && requestSize >= selectEnd && !AllZero(request, selectLength);
    if (!select) {
        CReplyRecords reply(family.recordSize);
        for (const auto& [key, record] : family.keyed) {
            if (!reply.Add(record)) {
                break;
            }
        }
        return reply.Take();
    }
    CReplyRecords reply(family.recordSize);
    const Record prefix(request, request + selectLength);
    ForEachWithPrefix(family.keyed, prefix, [&](auto at) {
        reply.Add(at->second);
        return std::next(at);
    });
    return reply.Take();
}

GenericReply CGenericRecordStore::Modify(const RequestSpec& spec, uint32_t neId, const uint8_t* records, uint32_t count,
                                         uint32_t recordSize)
{
    if (count == 0 || recordSize == 0) {
        return Failure(kDrvInvalidParameter);
    }
    std::vector<Record> written;
    written.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        written.emplace_back(records + static_cast<size_t>(i) * recordSize,
                             records + static_cast<size_t>(i + 1) * recordSize);
    }
    const size_t keyLength = std::min<size_t>(spec.keyLength, recordSize);
    const auto keyOf = [keyLength](const Record& record) {
        return Record(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(keyLength));
    };
    // Where records come by their add code, a modify changes records that are there; a family without one is
    // written by modify alone.
    if (spec.kind == RequestKind::kFamily && spec.addCode != 0) {
        auto it = families_.find({spec.code, neId});
        for (const Record& record : written) {
            if (it == families_.end() || it->second->recordSize != recordSize ||
                it->second->keyed.count(keyOf(record)) == 0) {
                return Refusal(kNoSuchRecord);
            }
        }
    }
    Family& family = families_[{spec.code, neId}].Mutable();
    if (family.recordSize != recordSize) {
        // A family written with records of another size starts anew.
        family.keyed.clear();
        family.single.clear();
        family.recordSize = recordSize;
    }
    if (spec.keepsReadOnly && spec.record != nullptr && recordSize == spec.record->size) {
        for (Record& record : written) {
            const Record* kept = nullptr;
            if (spec.kind == RequestKind::kSingle && !family.single.empty())
                kept = &family.single.front();
            else if (auto it = family.keyed.find(keyOf(record)); it != family.keyed.end())
                kept = &it->second;
            if (kept == nullptr)
                continue;
            Record merged = *kept;
            TakeWritable(*spec.record, record.data(), merged.data());
            record = std::move(merged);
        }
    }
    if (spec.kind == RequestKind::kSingle) {
        family.single = written; // a single setting is what was written last
        return Records(written, recordSize);
    }
    for (const Record& record : written) {
        family.keyed[keyOf(record)] = record;
        if (spec.autoId && recordSize >= 4) {
            family.lastId = std::max(family.lastId, record_bytes::GetU32(record.data(), 0));
        }
    }
    return Records(written, recordSize);
}

GenericReply CGenericRecordStore::Add(const RequestSpec& spec, uint32_t neId, const uint8_t* records, uint32_t count,
                                      uint32_t recordSize)
{
    if (count == 0 || recordSize == 0) {
        return Failure(kDrvInvalidParameter);
    }
    Family& family = families_[{spec.code, neId}].Mutable();
    if (!family.keyed.empty() && family.recordSize != recordSize) {
        return Failure(kDrvInvalidParameter);
    }
    const size_t keyLength = std::min<size_t>(spec.keyLength, recordSize);
    uint32_t lastId = family.lastId;
    std::vector<Record> added;
    std::set<Record> keys;
    added.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        Record record(records + static_cast<size_t>(i) * recordSize, records + static_cast<size_t>(i + 1) * recordSize);
        if (spec.autoId && recordSize >= 4) {
            if (record_bytes::GetU32(record.data(), 0) == 0) {
                record_bytes::PutU32(record.data(), 0, lastId + 1);
            }
            lastId = std::max(lastId, record_bytes::GetU32(record.data(), 0));
        }
        Record key(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(keyLength));
        // A taken key refuses the whole batch.
        if (family.keyed.count(key) != 0 || !keys.insert(std::move(key)).second) {
            return Refusal(kRecordExists);
        }
        added.push_back(std::move(record));
    }
    family.recordSize = recordSize;
    family.lastId = lastId;
    for (const Record& record : added) {
        family.keyed.emplace(Record(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(keyLength)), record);
    }
    return Records(added, recordSize);
}

GenericReply CGenericRecordStore::Delete(const RequestSpec& spec, uint32_t neId, const uint8_t* records, uint32_t count,
                                         uint32_t recordSize)
{
    if (count == 0 || recordSize == 0) {
        return Failure(kDrvInvalidParameter);
    }
    auto it = families_.find({spec.code, neId});
    if (it == families_.end()) {
        return Refusal(kNoSuchRecord);
    }
    Family& family = it->second.Mutable();
    const size_t keyLength = std::min<size_t>(spec.keyLength, recordSize);
    std::vector<Record> keys;
    keys.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* key = records + static_cast<size_t>(i) * recordSize;
        keys.emplace_back(key, key + keyLength);
        // Every record named must exist, or nothing goes.
        bool found = false;
        ForEachWithPrefix(family.keyed, keys.back(), [&](auto) {
            found = true;
            return family.keyed.end();
        });
        if (!found) {
            return Refusal(kNoSuchRecord);
        }
    }
    for (const Record& key : keys) {
        ForEachWithPrefix(family.keyed, key, [&](auto at) { return family.keyed.erase(at); });
    }
    return {};
}

std::vector<std::vector<uint8_t>> CGenericRecordStore::KeptRecords(uint16_t code, uint32_t neId) const
{
    const auto [spec, role] = FindRequest(code);
    if (spec == nullptr)
        return {};
    const auto it = families_.find({spec->code, spec->serverWide ? 0 : neId});
    if (it == families_.end())
        return {};
    if (spec->kind == RequestKind::kSingle)
        return it->second->single;
    std::vector<Record> records;
    records.reserve(it->second->keyed.size());
    for (const auto& [key, record] : it->second->keyed)
        records.push_back(record);
    return records;
}

void CGenericRecordStore::RemoveNe(uint32_t neId)
{
    for (auto it = families_.begin(); it != families_.end();) {
        it = it->first.second == neId ? families_.erase(it) : std::next(it);
    }
}

void CGenericRecordStore::ReplaceRecords(uint16_t code, uint32_t neId, uint32_t recordSize,
                                         const std::vector<std::vector<uint8_t>>& records)
{
    const RequestSpec* spec = FindRequest(code).spec;
    if (spec == nullptr) {
        return;
    }
    Family& family = families_[{spec->code, neId}].Mutable();
    family.keyed.clear();
    family.single.clear();
    family.recordSize = recordSize;
    const size_t keyLength = std::min<size_t>(spec->keyLength, recordSize);
    for (const Record& record : records) {
        if (record.size() == recordSize) {
            family.keyed[Record(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(keyLength))] = record;
        }
    }
}

size_t CGenericRecordStore::StoredBytes() const
{
    size_t bytes = 0;
    for (const auto& [key, family] : families_) {
        for (const auto& [recordKey, record] : family->keyed)
            bytes += record.size();
        for (const Record& record : family->single)
            bytes += record.size();
    }
    return bytes;
}
