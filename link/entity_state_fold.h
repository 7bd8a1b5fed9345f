// Entity-state records (replies 325 and notifications 330) folded per entity while the dispatcher's queue is past
// its bound: each entity keeps only its latest record, placed where that record arrived. The model ends as the
// server left it, and the trap log still sees each entity's states in their order; what is folded away are states
// that a later state of the same entity replaced.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

#include "link/ems_msg.h"

// A message with records of its own.
struct OwnedServerMessage {
    EmsMsg header; // records null: they are in `records`
    std::vector<uint8_t> records;
};

class CEntityStateFold {
public:
    // Entity-state messages with well-formed records.
    static bool Folds(const EmsMsg& msg);

    void Add(const EmsMsg& msg);
    // Takes at most `maxRecords` records from the front, in order, as messages of one code and NE each.
    void TakeFront(size_t maxRecords, std::vector<OwnedServerMessage>& out);

    bool Empty() const { return order_.empty(); }
    size_t RecordCount() const { return order_.size(); }
    // Records dropped because a later one of their entity came.
    uint64_t Superseded() const { return superseded_; }
    // Memory held, about.
    size_t Bytes() const;

private:
    struct Entry {
        uint64_t key = 0;
        uint16_t code = 0;
        uint32_t neId = 0;
        std::array<uint8_t, 60> record{};
    };

    std::list<Entry> order_;
    std::unordered_map<uint64_t, std::list<Entry>::iterator> byEntity_;
    uint64_t superseded_ = 0;
};
