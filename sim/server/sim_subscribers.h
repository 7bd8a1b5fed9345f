// The simulated server's subscribers: one per line port of an NE, found by patterns on their ID and name within an NE
// (or every NE) and a shelf, slot or port of it, and answered a window of rows at a time. Subscriber IDs are unique
// across the server.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "link/records/subscriber_record.h"
#include "sim/server/sim_result.h"

class CSimSubscribers {
public:
    // The subscribers that match, in NE and port order: their number and the window the criteria ask for (rows
    // counted from 1, at most `maxRows`), each record carrying its row number in the whole result.
    std::pair<uint32_t, std::vector<SubscriberRecord>> Query(uint32_t neId, const SubscriberCriteria& criteria,
                                                             uint32_t maxRows) const;

    // The subscriber of a port, or null.
    const SubscriberRecord* OfPort(uint32_t neId, uint32_t entityId) const;
    // Adds the port's subscriber or replaces it (*added tells which); refused when another port's subscriber has the
    // ID or the ID is blank. The port itself is the caller's to check.
    SimResult Put(SubscriberRecord rec, bool* added, SubscriberRecord* stored);
    // Removes the port's subscriber when it has the record's ID.
    SimResult Delete(const SubscriberRecord& rec, SubscriberRecord* removed);
    // Forgets the subscribers of an NE.
    void RemoveNe(uint32_t neId);

    size_t Size() const { return byPort_.size(); }

private:
    using Port = std::pair<uint32_t, uint32_t>; // NE id, packed entity id

    std::map<Port, SubscriberRecord> byPort_;
    std::map<std::string, Port> portById_;
};

// Whether a field matches a pattern: an empty pattern matches everything, one that starts with "*" the rest of it
// anywhere in the field, any other the whole field.
bool SubscriberPatternMatches(const std::string& pattern, const std::string& field);
// Whether a port lies in a scope below its NE: 0 or 1 the whole NE, a shelf, a slot of it, or the port itself.
bool PortInScope(uint32_t portEntityId, uint32_t scopeEntityId);
