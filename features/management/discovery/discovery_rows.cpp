#include "features/management/discovery/discovery_rows.h"

#include <unordered_map>

namespace {

uint64_t RangeName(const DiscoveryRangeRec& range)
{
    return (uint64_t{IpToUInt32(range.firstIp)} << 32) | IpToUInt32(range.lastIp);
}

// The records of a reply by their name, each taken at most once; a name the reply gives twice is taken in its order.
template <class Name> class CReplyIndex {
public:
    void Add(Name name, size_t index) { byName_[name].push_back(index); }
    // The first record of the name not yet taken, marked taken; -1 when none is left.
    int64_t Take(Name name, std::vector<bool>& taken)
    {
        const auto found = byName_.find(name);
        if (found == byName_.end())
            return -1;
        for (size_t index : found->second) {
            if (!taken[index]) {
                taken[index] = true;
                return static_cast<int64_t>(index);
            }
        }
        return -1;
    }

private:
    std::unordered_map<Name, std::vector<size_t>> byName_;
};

} // namespace

RowChanges<DiscoveryRangeRow> ReconcileRanges(const std::vector<DiscoveryRangeRow>& rows,
                                              const std::vector<DiscoveryRangeRec>& reply, uint32_t* counter)
{
    CReplyIndex<uint64_t> index;
    for (size_t i = 0; i < reply.size(); ++i)
        index.Add(RangeName(reply[i]), i);
    // A flag of its own marks a record taken, so that a range of 0.0.0.0 to 0.0.0.0 is a range like any other.
    std::vector<bool> taken(reply.size(), false);
    RowChanges<DiscoveryRangeRow> changes;
    for (const DiscoveryRangeRow& row : rows) {
        const int64_t at = index.Take(RangeName(row.range), taken);
        if (at < 0) {
            changes.removed.push_back(KeyOf(row));
        } else if (reply[static_cast<size_t>(at)] != row.range) {
            changes.put.push_back({row.number, reply[static_cast<size_t>(at)]});
        }
    }
    for (size_t i = 0; i < reply.size(); ++i) {
        if (!taken[i])
            changes.put.push_back({++*counter, reply[i]});
    }
    return changes;
}

FoundNeReconciliation ReconcileFoundNes(const std::vector<FoundNeRow>& rows, const std::vector<FoundNeRec>& reply,
                                        const FoundNeKnowledge& knowledge, uint32_t* counter)
{
    CReplyIndex<uint32_t> index;
    for (size_t i = 0; i < reply.size(); ++i)
        index.Add(IpToUInt32(reply[i].ipAddress), i);
    std::vector<bool> taken(reply.size(), false);
    FoundNeReconciliation out;
    for (const FoundNeRow& row : rows) {
        // An NE managed by now leaves the list; its record, left untaken, is dropped below.
        const int64_t at = knowledge.isManaged(row.ne.ipAddress) ? -1 : index.Take(IpToUInt32(row.ne.ipAddress), taken);
        if (at < 0 || !knowledge.knowsModel(reply[static_cast<size_t>(at)].modelId)) {
            out.rows.removed.push_back(KeyOf(row));
            continue;
        }
        const FoundNeRec& rec = reply[static_cast<size_t>(at)];
        if (rec != row.ne) {
            FoundNeRow changed = row;
            changed.ne = rec;
            out.rows.put.push_back(changed);
        }
    }
    for (size_t i = 0; i < reply.size(); ++i) {
        if (taken[i])
            continue;
        const FoundNeRec& rec = reply[i];
        // A managed NE, or one of a model this workstation does not know, needs no row: the server drops it.
        if (!knowledge.isManaged(rec.ipAddress) && knowledge.knowsModel(rec.modelId))
            out.rows.put.push_back({++*counter, rec});
        else
            out.drops.push_back(rec);
    }
    return out;
}
