#pragma once
// The rows of the NE auto-discovery dialog and how a refresh brings them up to date with what the server answers.
// A range's row is named by its two addresses, a found NE's row by its address; each row keeps the number it was
// given when it came, and rows that stay keep their number (and a found NE the status its ping gave it). The server's
// records that name no row become new rows with the next numbers.
//
// Found NEs the workstation does not list, an NE that is managed by now (in the NE table) or one of a model this
// workstation does not know, are dropped on the server, which then no longer offers them.

#include "core/util/ip_address.h"
#include "link/records/discovery_range_rec.h"
#include "link/records/found_ne_rec.h"

#include <cstdint>
#include <functional>
#include <vector>

// The key of a range's row carries this bit, so that a sort tells the two lists' rows apart.
inline constexpr uint32_t kRangeRowBit = 0x80000000u;

struct DiscoveryRangeRow {
    uint32_t number = 0; // the key is number | kRangeRowBit
    DiscoveryRangeRec range;
    bool operator==(const DiscoveryRangeRow&) const = default;
};

enum class FoundNeStatus : uint8_t { kUnknown, kOnline, kOffline };

struct FoundNeRow {
    uint32_t number = 0; // the key
    FoundNeRec ne;
    FoundNeStatus status = FoundNeStatus::kUnknown;
    bool failed = false; // an add or a drop of the NE failed
    bool operator==(const FoundNeRow&) const = default;
};

inline uint32_t KeyOf(const DiscoveryRangeRow& row)
{
    return row.number | kRangeRowBit;
}
inline uint32_t KeyOf(const FoundNeRow& row)
{
    return row.number;
}

// What a refresh does to a list: rows to put (new ones, and those whose record changed) and rows to remove, by key.
template <class Row> struct RowChanges {
    std::vector<Row> put;
    std::vector<uint32_t> removed;
};

// `counter` is the last number given; it grows by one for each new row.
RowChanges<DiscoveryRangeRow> ReconcileRanges(const std::vector<DiscoveryRangeRow>& rows,
                                              const std::vector<DiscoveryRangeRec>& reply, uint32_t* counter);

// What the workstation knows of the NEs it is told of.
struct FoundNeKnowledge {
    std::function<bool(const IpAddress&)> isManaged;  // an NE of the NE table has the address (port 161)
    std::function<bool(uint32_t modelId)> knowsModel; // the model is in the entity model
};

struct FoundNeReconciliation {
    RowChanges<FoundNeRow> rows;
    std::vector<FoundNeRec> drops; // to drop on the server: the NEs managed by now
};

FoundNeReconciliation ReconcileFoundNes(const std::vector<FoundNeRow>& rows, const std::vector<FoundNeRec>& reply,
                                        const FoundNeKnowledge& knowledge, uint32_t* counter);
