#include "sim/server/generic_record_store.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/record_bytes.h"

namespace {

constexpr GenericCodeSpec Family(uint16_t code, uint16_t key, uint16_t queryKey, uint16_t add = 0, uint16_t del = 0,
                                 uint16_t delAll = 0, bool autoId = false)
{
    GenericCodeSpec spec;
    spec.code = code;
    spec.kind = GenericKind::kFamily;
    spec.keyLength = key;
    spec.queryKeyLength = queryKey;
    spec.addCode = add;
    spec.deleteCode = del;
    spec.deleteAllCode = delAll;
    spec.autoId = autoId;
    return spec;
}

// The usual triple: code, code + 1 adds, code + 2 deletes.
constexpr GenericCodeSpec Triple(uint16_t code, uint16_t key, uint16_t queryKey, bool autoId = false)
{
    return Family(code, key, queryKey, code + 1, code + 2, 0, autoId);
}

// The profile templates: the triple and code + 3 deleting them all.
constexpr GenericCodeSpec Template(uint16_t code, uint16_t key)
{
    return Family(code, key, key, code + 1, code + 2, code + 3);
}

constexpr GenericCodeSpec Single(uint16_t code, uint16_t defaultSize)
{
    GenericCodeSpec spec;
    spec.code = code;
    spec.kind = GenericKind::kSingle;
    spec.defaultSize = defaultSize;
    return spec;
}

constexpr GenericCodeSpec Action(uint16_t code)
{
    GenericCodeSpec spec;
    spec.code = code;
    spec.kind = GenericKind::kAction;
    return spec;
}

constexpr GenericCodeSpec Count(uint16_t code, uint16_t countOf)
{
    GenericCodeSpec spec;
    spec.code = code;
    spec.kind = GenericKind::kCount;
    spec.countOf = countOf;
    return spec;
}

// Names (profiles, communities, next hops) lead their records as zero-terminated texts of 33 bytes unless said.
constexpr uint16_t kName = 33;

constexpr GenericCodeSpec kSpecs[] = {
    // Server functions.
    Action(2),
    Single(3, 208),
    Single(7, 9),
    Family(16, 4, 0),
    Triple(25, 8, 0),
    Family(28, 4, 0, 0, 29),
    Family(35, 4, 0, 36, 37, 0, true),
    Single(40, 24),
    Family(41, 61, 0, 42, 43),
    Action(44),
    Family(45, 61, 0, 46, 47),
    Action(48),
    Action(50),
    Action(51),
    Single(52, 28),
    Triple(100, 8, 0),
    Family(110, 4, 4),
    Family(111, 4, 4),
    // Profile templates on the server.
    Template(120, kName),
    Template(124, kName),
    Template(128, kName),
    Template(132, 2),
    Template(136, kName),
    Template(140, kName),
    Family(145, 5, 0),
    Template(150, kName),
    Template(154, kName),
    // NE functions.
    Family(158, 16, 16),
    Single(159, 12),
    Single(161, 20),
    Triple(162, 4, 4, true),
    Count(165, 162),
    Single(300, 12),
    Family(301, 4, 0),
    Single(302, 8),
    Single(303, 1320),
    Triple(304, 4, 0),
    Triple(307, 24, 0),
    Single(310, 8),
    Single(311, 12),
    Single(312, 212),
    Action(313),
    Single(314, 8),
    Action(315),
    Triple(316, 17, 0),
    Single(319, 0),
    Single(320, 4),
    Single(321, 4),
    Action(322),
    Single(324, 4),
    Family(336, 4, 0),
    Family(337, 4, 4),
    Single(338, 8),
    Family(339, 4, 0),
    Action(340),
    Action(341),
    Action(342),
    Action(343),
    Action(344),
    Action(345),
    Action(346),
    Action(347),
    Action(360),
    Single(361, 0),
    Single(362, 88),
    Count(363, 316),
    Count(364, 304),
    Count(365, 307),
    Triple(400, 32, 0),
    Triple(410, 8, 4),
    Single(413, 0),
    Single(414, 0),
    Single(415, 0),
    Single(416, 0),
    Single(417, 0),
    Family(418, 8, 8),
    Triple(420, 16, 8),
    Triple(425, kName, 0),
    Count(428, 425),
    Triple(430, kName, 0),
    Count(435, 430),
    Triple(440, 2, 2),
    Count(444, 440),
    Triple(450, kName, kName),
    Count(454, 450),
    Triple(460, kName, kName),
    Count(464, 460),
    Triple(470, 8, 8),
    Family(478, 16, 4, 482, 479),
    Family(480, 4, 4, 0, 483),
    Family(481, 2, 2),
    Single(484, 0),
    Single(485, 24),
    Action(486),
    Single(487, 0),
    Family(490, 4, 0),
    Family(491, 4, 4),
    Single(493, 20),
    Single(494, 12),
    Single(495, 44),
    Single(500, 8),
    Family(501, 4, 0),
    Family(502, 4, 0, 503, 504),
    Single(505, 12),
    Family(506, 4, 0),
    Count(507, 502),
    Single(510, 4),
    Family(511, 4, 4),
    Triple(520, 10, 4),
    Family(530, 2, 2),
    Triple(540, 2, 0),
    Single(543, 4),
    Family(600, 4, 4),
    Family(601, 4, 4),
    Family(602, 4, 4),
    Family(603, 4, 4),
    Family(616, 4, 4),
    Family(617, 4, 4),
    Family(630, 4, 4),
    Family(635, 1, 1),
    Family(636, 1, 1),
    Triple(640, kName, 0),
    Count(644, 640),
    Triple(650, kName, kName),
    Count(654, 650),
    Family(661, 4, 4),
    Family(662, 4, 4),
    Family(663, 4, 4),
    Family(664, 4, 4),
    Family(665, 4, 4),
    Family(666, 4, 4),
    Family(667, 4, 4),
    Family(668, 4, 4),
    Action(669),
    Family(670, 4, 4),
    Family(700, 4, 4),
    Family(710, 4, 0),
    Single(711, 32),
    Family(712, 4, 0),
    Single(713, 4),
    Single(714, 48),
    Family(715, 4, 0),
    Single(716, 44),
    Family(717, 4, 0),
    Family(720, 4, 0),
    Family(725, 4, 4),
    Family(726, 4, 4),
    Triple(800, kName, 0),
    Triple(804, kName, kName),
    Family(808, 4, 4),
    Family(809, 4, 4),
    Family(810, 8, 8),
    Family(811, 12, 12),
    Count(812, 800),
    Single(900, 28),
    Single(901, 22),
    Single(902, 22),
};

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

bool CGenericRecordStore::Lookup(uint16_t code, const GenericCodeSpec** spec, GenericRole* role)
{
    if (code == 0) {
        return false; // 0 also stands for "no such code" in the specs
    }
    for (const GenericCodeSpec& candidate : kSpecs) {
        GenericRole found{};
        if (candidate.code == code) {
            found = GenericRole::kQueryModify;
        } else if (candidate.kind == GenericKind::kFamily && candidate.addCode == code) {
            found = GenericRole::kAdd;
        } else if (candidate.kind == GenericKind::kFamily && candidate.deleteCode == code) {
            found = GenericRole::kDelete;
        } else if (candidate.kind == GenericKind::kFamily && candidate.deleteAllCode == code) {
            found = GenericRole::kDeleteAll;
        } else {
            continue;
        }
        *spec = &candidate;
        *role = found;
        return true;
    }
    return false;
}

GenericReply CGenericRecordStore::Handle(uint16_t code, uint8_t operation, uint32_t neId, const uint8_t* records,
                                         uint32_t count, uint32_t recordSize)
{
    const GenericCodeSpec* spec = nullptr;
    GenericRole role{};
    if (!Lookup(code, &spec, &role)) {
        return Failure(kDrvNotSupported);
    }
    const bool query = operation == kEmsOpQuery;
    if (!query && operation != kEmsOpModify) {
        return Failure(kDrvInvalidParameter);
    }
    if (role != GenericRole::kQueryModify && query) {
        return Failure(kDrvInvalidParameter);
    }
    switch (role) {
    case GenericRole::kAdd:
        return Add(*spec, neId, records, count, recordSize);
    case GenericRole::kDelete:
        return Delete(*spec, neId, records, count, recordSize);
    case GenericRole::kDeleteAll:
        families_.erase({spec->code, neId});
        return {};
    case GenericRole::kQueryModify:
        break;
    }
    if (spec->kind == GenericKind::kAction) {
        return {};
    }
    if (spec->kind == GenericKind::kCount) {
        if (!query) {
            return Failure(kDrvInvalidParameter);
        }
        auto it = families_.find({spec->countOf, neId});
        const size_t n = it == families_.end() ? 0 : it->second.keyed.size();
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

GenericReply CGenericRecordStore::Query(const GenericCodeSpec& spec, uint32_t neId, const uint8_t* request,
                                        uint32_t requestSize)
{
    auto it = families_.find({spec.code, neId});
    if (spec.kind == GenericKind::kSingle) {
        if (it == families_.end() || it->second.single.empty()) {
            return spec.defaultSize == 0 ? GenericReply{}
                                         : Records(std::vector<Record>{Record(spec.defaultSize, 0)}, spec.defaultSize);
        }
        return Records(it->second.single, it->second.recordSize);
    }
    if (it == families_.end()) {
        return {};
    }
    const Family& family = it->second;
    const size_t selectLength = spec.queryKeyLength;
    const bool select =
        selectLength != 0 && request != nullptr && requestSize >= selectLength && !AllZero(request, selectLength);
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

GenericReply CGenericRecordStore::Modify(const GenericCodeSpec& spec, uint32_t neId, const uint8_t* records,
                                         uint32_t count, uint32_t recordSize)
{
    if (count == 0 || recordSize == 0) {
        return Failure(kDrvInvalidParameter);
    }
    Family& family = families_[{spec.code, neId}];
    if (family.recordSize != recordSize) {
        // A family written with records of another size starts anew.
        family.keyed.clear();
        family.single.clear();
        family.recordSize = recordSize;
    }
    std::vector<Record> written;
    written.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        written.emplace_back(records + static_cast<size_t>(i) * recordSize,
                             records + static_cast<size_t>(i + 1) * recordSize);
    }
    if (spec.kind == GenericKind::kSingle) {
        family.single = written; // a single setting is what was written last
        return Records(written, recordSize);
    }
    const size_t keyLength = std::min<size_t>(spec.keyLength, recordSize);
    for (const Record& record : written) {
        family.keyed[Record(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(keyLength))] = record;
        if (spec.autoId && recordSize >= 4) {
            family.lastId = std::max(family.lastId, record_bytes::GetU32(record.data(), 0));
        }
    }
    return Records(written, recordSize);
}

GenericReply CGenericRecordStore::Add(const GenericCodeSpec& spec, uint32_t neId, const uint8_t* records,
                                      uint32_t count, uint32_t recordSize)
{
    if (count == 0 || recordSize == 0) {
        return Failure(kDrvInvalidParameter);
    }
    Family& family = families_[{spec.code, neId}];
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
            return Failure(kDrvRejected);
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

GenericReply CGenericRecordStore::Delete(const GenericCodeSpec& spec, uint32_t neId, const uint8_t* records,
                                         uint32_t count, uint32_t recordSize)
{
    auto it = families_.find({spec.code, neId});
    if (count == 0 || recordSize == 0 || it == families_.end()) {
        return Failure(kDrvRejected);
    }
    Family& family = it->second;
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
            return Failure(kDrvRejected);
        }
    }
    for (const Record& key : keys) {
        ForEachWithPrefix(family.keyed, key, [&](auto at) { return family.keyed.erase(at); });
    }
    return {};
}

void CGenericRecordStore::RemoveNe(uint32_t neId)
{
    for (auto it = families_.begin(); it != families_.end();) {
        it = it->first.second == neId ? families_.erase(it) : std::next(it);
    }
}
