#pragma once
// The trap log: every alarm and event notification that passes the trap log filter (ALARM/TRAPLOGFILTER), kept in a
// ring of fixed capacity (ALARM/TRAPLOGSIZE when the ring was last reset). Record n (its sequence number, counted
// since the ring was last emptied) lives at index n mod capacity, so the ring holds the newest `capacity` records.
//
// The main frame resets the ring and feeds it the entity states of each notification; the trap log view pulls the
// records that are new since its last look. Everything runs on the user interface thread; the ring's own lock is only
// ever tried, never waited for, so an operation that finds it held (also by its own thread) fails at once.

#include "core/config/trap_log_filter.h"
#include "core/tables/trap_log_texts.h"
#include "core/util/mutex_lock.h"

#include <cstdint>
#include <memory>

// One ring entry: eleven 32-bit words, and the texts of its row as the ring made them when it logged the record.
struct TrapLogRecord {
    uint32_t sequence = 0;  // records added before this one since the ring was last emptied
    uint32_t neId = 0;      // the NE that sent the notification
    uint32_t entityId = 0;  // packed entity id
    uint32_t alarmBits = 0; // bit i: alarm definition i of the entity's model is active; 0 cleared
    int32_t severity = 0;   // 0..5 once in the ring
    uint32_t secondaryStatus = 0;
    uint32_t onlineType = 0;  // entity model in place
    uint32_t plannedType = 0; // entity model planned for the place
    uint32_t occurTime = 0;   // seconds since 1970, at the NE
    uint32_t receiveTime = 0; // seconds since 1970
    uint32_t alarmClass = 0;  // 0 none, 1 equipment, 2 communication, 3 environment, other values other
    CTrapLogTexts texts;      // none while the record is not in the ring, and for a record that has no row

    bool operator==(const TrapLogRecord&) const = default;
};

// The ring entry of one entity state record of a notification (any record type with the fields of the entity state
// record): the fields the ring keeps, field by field. The sequence number, the NE id and the texts are the ring's to
// set.
template <class EntityState> TrapLogRecord TrapLogRecordFromState(const EntityState& state)
{
    TrapLogRecord record;
    record.entityId = state.entityId;
    record.alarmBits = state.stateBits;
    record.severity = state.severity;
    record.secondaryStatus = state.secondaryStatus;
    record.onlineType = state.onlineType;
    record.plannedType = state.plannedType;
    record.occurTime = state.occurTime;
    record.receiveTime = state.receiveTime;
    record.alarmClass = state.alarmClass;
    return record;
}

// Whether the filter admits a record of an NE (its location), at a severity 0..5 (normalised) and entity. The location
// and NE ids of the filter restrict when not 0; bit s of the mask admits severity s; the record's entity must be the
// filter's, or with mask bit 31 lie below it. Entity id 0 in the filter admits every entity: it is the built-in
// default, and taken literally it would keep the trap log empty.
bool TrapLogFilterAdmits(const TrapLogFilter& filter, uint32_t neLocationId, uint32_t neId, int severity,
                         uint32_t entityId);

inline constexpr uint32_t kTrapLogFilterBelow = 0x80000000u; // mask bit 31: entities below the filter's entity pass

class CTrapLogRing {
public:
    static constexpr uint32_t kMinCapacity = 1;
    static constexpr uint32_t kMaxCapacity = 20000;

    CTrapLogRing() = default;
    CTrapLogRing(const CTrapLogRing&) = delete;
    CTrapLogRing& operator=(const CTrapLogRing&) = delete;

    // Empties the ring and rebuilds it with the capacity (kept within 1..20000): a new buffer, count 0, a new lock
    // not held. 1 on success; 0 when the buffer cannot be had, after which every operation reports 0.
    int ResetTrapLog(uint32_t capacity);
    // Frees the buffer: every later operation reports 0 until the next reset.
    void ReleaseTrapLog();

    // Filters and appends the entity states of one notification of an NE, in order (their sequence numbers, NE ids
    // and texts are ignored; severities are normalised: 99 becomes 0, values outside 0..5 become 5). The records pass
    // through the application's trap log filter; each record that passes gets the texts of its row from the tables
    // as they are now (MakeTrapLogTexts). 1 when the batch was examined (also when nothing passed or it was
    // empty); 0 when it was refused whole: the operator lacks the query right on the trap log, the records are null,
    // the NE is unknown or has no entity tree, there is no buffer or the lock is held.
    int AddTrapLogRecords(uint32_t neId, const TrapLogRecord* records, uint32_t count);
    // The same with the filter given.
    int AddTrapLogRecords(uint32_t neId, const TrapLogRecord* records, uint32_t count, const TrapLogFilter& filter);

    // Sets the count to 0 (the buffer is overwritten from index 0 on); 1, or 0 without a buffer or with the lock held.
    uint32_t ClearTrapLog();

    // Takes and releases the ring's lock; 0 without a buffer, and when the lock cannot be had within the time-out
    // (0: only tries).
    uint32_t LockTrapLog(uint32_t timeoutMs);
    uint32_t UnlockTrapLog();

    // Copies the oldest record the ring holds; 0 when it is empty, the pointer is null or the lock is held.
    uint32_t GetFirstTrapLogRecord(TrapLogRecord* out);
    // Given a record whose sequence number is the last one the caller has seen, copies the next record: the one
    // after it, or the oldest the ring holds when that one has been overwritten meanwhile (the copy's sequence number
    // tells). 0 when there is nothing newer, the ring is empty, the pointer is null or the lock is held.
    uint32_t GetNextTrapLogRecord(TrapLogRecord* record);

    bool HasBuffer() const { return buffer_ != nullptr; }
    uint32_t GetCapacity() const { return capacity_; }
    // Records added since the ring was last emptied: the next sequence number.
    uint32_t GetCount() const { return count_; }
    // Changes whenever the ring is emptied (reset or cleared), so that a reader can tell that the sequence numbers it
    // remembers no longer name the ring's records.
    uint32_t GetGeneration() const { return generation_; }

private:
    // The ring's index of the oldest record it holds.
    uint32_t OldestIndex() const;

    std::unique_ptr<TrapLogRecord[]> buffer_;
    uint32_t capacity_ = 0;
    uint32_t count_ = 0;
    uint32_t generation_ = 0;
    std::unique_ptr<CMutexLock> lock_;
};

// The program's trap log, held for the main frame.
CTrapLogRing& AppTrapLog();
