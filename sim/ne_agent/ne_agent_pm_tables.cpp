#include "sim/ne_agent/ne_agent_pm_tables.h"

#include "link/records/request_codes.h"

#include <algorithm>
#include <set>

namespace {

constexpr uint8_t kItemCollecting = 48; // '0'
// The NE had counted its trunk traffic for a while when the agent started.
constexpr uint32_t kTrunkCountedBefore = 3 * 3600;

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

bool IsPerPort(uint16_t code)
{
    return code == kReqAdslPmCo || code == kReqAdslPmRt || code == kReqAdslBlockCo || code == kReqAdslBlockRt;
}

bool IsHistory(uint16_t code)
{
    return code == kReqAdslHistoryCo || code == kReqAdslHistoryRt;
}

// The first key of an ascending list above `after` (none: the first).
std::optional<uint32_t> KeyAbove(const std::vector<uint32_t>& keys, std::optional<uint32_t> after)
{
    auto it = after ? std::upper_bound(keys.begin(), keys.end(), *after) : keys.begin();
    return it == keys.end() ? std::nullopt : std::optional<uint32_t>(*it);
}

// The first two-part index above `after`, for first parts from `keys` and second parts from `second(key, above)`.
template <class Second>
std::optional<CSnmpOid> PairAbove(const std::vector<uint32_t>& keys, const CSnmpOid& after, Second second)
{
    std::optional<uint32_t> key;
    if (after.Size() == 0) {
        key = KeyAbove(keys, std::nullopt);
    } else if (std::binary_search(keys.begin(), keys.end(), after[0])) {
        // Within the key's rows: those above the second part, or all of them after the key alone.
        key = after[0];
        const std::optional<uint32_t> within =
            second(*key, after.Size() > 1 ? std::optional<uint32_t>(after[1]) : std::nullopt);
        if (within)
            return CSnmpOid{*key, *within};
        key = KeyAbove(keys, after[0]);
    } else {
        key = KeyAbove(keys, after[0]);
    }
    for (; key; key = KeyAbove(keys, *key)) {
        if (const std::optional<uint32_t> first = second(*key, std::nullopt))
            return CSnmpOid{*key, *first};
    }
    return std::nullopt;
}

} // namespace

void CNeAgentPmTables::SetPorts(std::vector<uint32_t> ports)
{
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    ports_ = std::move(ports);
}

void CNeAgentPmTables::SetTrunkPorts(std::vector<uint32_t> ports, uint32_t now)
{
    std::sort(ports.begin(), ports.end());
    trunkPorts_ = std::move(ports);
    trunkSince_ = now - kTrunkCountedBefore;
}

std::vector<uint16_t> CNeAgentPmTables::Codes()
{
    return {kReqLongTermPmCo, kReqLongTermPmRt,  kReqAdslPmCo,      kReqAdslPmRt, kReqAdslBlockCo,
            kReqAdslBlockRt,  kReqAdslHistoryCo, kReqAdslHistoryRt, kReqTrunkPm};
}

bool CNeAgentPmTables::IsComputed(uint16_t objectCode)
{
    const std::vector<uint16_t> codes = Codes();
    return std::find(codes.begin(), codes.end(), objectCode) != codes.end();
}

std::vector<uint32_t> CNeAgentPmTables::ItemPorts(const Source& ne) const
{
    std::vector<uint32_t> ports;
    for (const LongTermPmItemRec& item : ne.items()) {
        if (item.state == kItemCollecting)
            ports.push_back(item.entityId);
    }
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

std::optional<uint32_t> CNeAgentPmTables::NextRecordTime(uint32_t port, std::optional<uint32_t> after,
                                                         const Source& ne) const
{
    // A record is created at the end of each interval inside an item's window (start, stop], up to now.
    const int64_t now = ne.clock();
    std::optional<uint32_t> next;
    for (const LongTermPmItemRec& item : ne.items()) {
        if (item.entityId != port || item.state != kItemCollecting)
            continue;
        const int64_t from = std::max<int64_t>({int64_t{item.start} + 1, after ? int64_t{*after} + 1 : 1, 1});
        const int64_t last = std::min<int64_t>(item.stop, now);
        if (from > last || from > UINT32_MAX)
            continue;
        const uint32_t time = QuarterHourAtOrAfter(static_cast<uint32_t>(from));
        if (time <= last && (!next || time < *next))
            next = time;
    }
    return next;
}

std::optional<CSnmpOid> CNeAgentPmTables::NextIndex(uint16_t objectCode, const CSnmpOid& after, const Source& ne) const
{
    if (IsPerPort(objectCode) || objectCode == kReqTrunkPm) {
        const std::optional<uint32_t> port =
            KeyAbove(objectCode == kReqTrunkPm ? trunkPorts_ : ports_,
                     after.Size() == 0 ? std::nullopt : std::optional<uint32_t>(after[0]));
        if (port)
            return CSnmpOid{*port};
        return std::nullopt;
    }
    if (IsHistory(objectCode)) {
        return PairAbove(ports_, after, [](uint32_t, std::optional<uint32_t> above) -> std::optional<uint32_t> {
            const uint32_t number = above ? *above + 1 : 1;
            return above && *above >= kStoredPmIntervals ? std::nullopt : std::optional<uint32_t>(number);
        });
    }
    return PairAbove(ItemPorts(ne), after, [this, &ne](uint32_t port, std::optional<uint32_t> above) {
        return NextRecordTime(port, above, ne);
    });
}

const std::vector<uint8_t>* CNeAgentPmTables::Row(uint16_t objectCode, const CSnmpOid& index, const Source& ne) const
{
    auto [it, made] = rows_.try_emplace({objectCode, index});
    if (made)
        it->second = MakeRow(objectCode, index, ne);
    return it->second ? &*it->second : nullptr;
}

std::optional<std::vector<uint8_t>> CNeAgentPmTables::MakeRow(uint16_t objectCode, const CSnmpOid& index,
                                                              const Source& ne) const
{
    auto bytes = [](const auto& rec) {
        const auto encoded = EncodeRecord(rec);
        return std::optional<std::vector<uint8_t>>(std::vector<uint8_t>(encoded.begin(), encoded.end()));
    };
    const PmSide side = SideOf(objectCode);
    const uint32_t now = ne.clock();
    if (objectCode == kReqTrunkPm) {
        if (index.Size() != 1 || !std::binary_search(trunkPorts_.begin(), trunkPorts_.end(), index[0]))
            return std::nullopt;
        return bytes(traffic_.Counters(index[0], trunkSince_, now));
    }
    if (index.Size() == 0 || !std::binary_search(ports_.begin(), ports_.end(), index[0])) {
        if (IsPerPort(objectCode) || IsHistory(objectCode) || index.Size() != 2)
            return std::nullopt;
    }
    const uint32_t port = index[0];
    if (IsPerPort(objectCode)) {
        if (index.Size() != 1)
            return std::nullopt;
        if (objectCode == kReqAdslPmCo || objectCode == kReqAdslPmRt)
            return bytes(pm_.Current(port, side, now));
        return bytes(pm_.CurrentBlocks(port, side, now));
    }
    if (index.Size() != 2)
        return std::nullopt;
    if (IsHistory(objectCode)) {
        if (index[1] < 1 || index[1] > kStoredPmIntervals)
            return std::nullopt;
        return bytes(pm_.StoredInterval(port, side, now, index[1]));
    }
    // A long-term record exists where the walk of the port's records finds it.
    if (index[1] == 0 || NextRecordTime(port, index[1] - 1, ne) != index[1])
        return std::nullopt;
    return bytes(pm_.LongTermRecord(port, side, index[1]));
}
