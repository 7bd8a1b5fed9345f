// Entity-state records (replies 325 and notifications 330) folded per entity while the dispatcher's queue is past
// its bound: the model gets only each entity's latest record, placed where that record arrived, and so ends as the
// server left it without applying the states a later one replaced. The trap log still gets every notification's
// record in its place: a replaced 330 record stays in the fold for the trap log alone, a replaced 325 record goes.
//
// The records wait in arrival order with a table from entity to the place of its latest record (open addressing,
// no allocation per record): a replaced record is only marked, and those that nothing needs any more are swept out
// once they outnumber the others, so that the memory follows the number of entities and of records for the log.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "link/ems_msg.h"
#include "link/records/entity_state_rec.h"

// A message with records of its own.
struct OwnedServerMessage {
    EmsMsg header; // records null: they are in `records`
    std::vector<uint8_t> records;
    // Entity states that later states of their entities replaced in the model: for the trap log alone.
    bool trapLogOnly = false;
};

class CEntityStateFold {
public:
    // Entity-state messages with well-formed records.
    static bool Folds(const EmsMsg& msg);

    // The message's records, each with the message's arrival number.
    void Add(const EmsMsg& msg, uint64_t arrival);
    // Takes at most `maxRecords` records from the front, in order, as messages of one code and NE each (those for
    // the trap log alone apart); none that arrived at `limit` or later.
    void TakeFront(size_t maxRecords, uint64_t limit, std::vector<OwnedServerMessage>& out);

    bool Empty() const { return RecordCount() == 0; }
    // The arrival number of the first record still to be taken; UINT64_MAX when none.
    uint64_t FirstArrival() const;
    // Records still to be taken: for the model, and for the trap log alone.
    size_t RecordCount() const { return live_ + logOnly_; }
    // Records the model does not get because a later one of their entity came.
    uint64_t Superseded() const { return superseded_; }
    // Memory held, about.
    size_t Bytes() const;

private:
    static constexpr uint64_t kNoPlace = UINT64_MAX;

    struct Entry {
        uint64_t arrival = 0;
        uint32_t neId = 0;
        uint16_t code = 0;
        bool live = false;    // the entity's latest record: for the model (and, as 330, the trap log)
        bool logOnly = false; // a replaced 330 record: for the trap log alone
        std::array<uint8_t, kEntityStateRecSize> record{};

        bool Wanted() const { return live || logOnly; }
    };
    struct Slot {
        uint64_t key = 0;
        uint64_t place = kNoPlace; // counted from the first record the fold took; kNoPlace: empty
    };

    static uint64_t KeyOf(uint32_t neId, const uint8_t* record);
    size_t Home(uint64_t key) const;
    // The slot holding `key`, or the empty slot where it would go.
    size_t Find(uint64_t key) const;
    void Erase(size_t slot);
    void Reserve(size_t liveRecords);
    // Drops the records nothing wants any more and renumbers the places.
    void Sweep();

    std::deque<Entry> order_;
    uint64_t frontPlace_ = 0; // the place of order_.front()
    std::vector<Slot> slots_; // a power of two, at most half used
    size_t live_ = 0;
    size_t logOnly_ = 0;
    uint64_t superseded_ = 0;
};
