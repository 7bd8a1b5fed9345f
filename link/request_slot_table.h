// The driver's request slots: each request waiting for its reply holds one, found again by the sequence number that
// the reply echoes. Replies of several frames are gathered in the slot; a reply that comes after its request gave
// up is dropped.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "link/ems_msg.h"

// A reply as the driver keeps it: the header and its own copy of the records.
struct ReplyData {
    EmsMsg header;
    std::vector<uint8_t> records;
    // The dispatcher's arrival mark when the reply was complete: the notifications that came before it.
    uint64_t arrivalMark = UINT64_MAX;
};

class CRequestSlotTable {
public:
    static constexpr size_t kSlotCount = 256;

    enum class Route {
        Slot,    // taken by a waiting request
        Dropped, // the reply of a request that gave up
        NotMine, // no request waits for it: for the dispatcher
        Invalid, // breaks the rules of a continued reply: the connection must close (which ends the request)
    };

    // A free slot for a new request, named by a fresh sequence number; 0 when all slots are taken.
    uint32_t Acquire();
    // A fresh sequence number for a request whose reply nobody waits for.
    uint32_t NextUnclaimedSequence();

    // One frame of a reply. `records` holds `size` bytes; `arrivalMark` is the dispatcher's mark as it comes.
    Route OfferReply(const EmsMsg& frame, const uint8_t* records, size_t size, uint64_t arrivalMark = UINT64_MAX);

    // Ends the request of `sequence` with `result` unless it has ended already.
    void Complete(uint32_t sequence, int result);
    // Ends every waiting request with `result`.
    void FailAll(int result);

    // Waits until the request has ended or `deadline` passes (then "transaction timeout"). On 0 the reply is
    // moved into `reply`. Progress the transport notes starts the wait's time-out again from that moment.
    int Wait(uint32_t sequence, std::chrono::steady_clock::time_point deadline, ReplyData& reply);

    // Waits until the request has ended or `until` passes, and leaves it as it is; true when it has ended.
    bool WaitEnded(uint32_t sequence, std::chrono::steady_clock::time_point until);

    // The transport has moved the request on (one of its several exchanges is done).
    void NoteProgress(uint32_t sequence);
    // True while the request of `sequence` waits for its end.
    bool IsWaiting(uint32_t sequence) const;

    // Frees the slot; when the request had not ended, later frames of its reply are dropped.
    void Release(uint32_t sequence);

    size_t InUse() const;

private:
    enum class State { Free, Waiting, Done };
    struct Slot {
        State state = State::Free;
        uint32_t sequence = 0;
        int result = 0;
        bool started = false;                               // a first frame has come
        std::chrono::steady_clock::time_point progressAt{}; // the last progress noted; epoch: none
        ReplyData reply;
    };

    uint32_t NextSequenceLocked();
    Slot* FindLocked(uint32_t sequence);
    const Slot* FindLocked(uint32_t sequence) const;
    void FinishLocked(Slot& slot, int result);
    void NoteWaitingLocked(const Slot& slot, bool waiting);
    bool AppendFrameLocked(Slot& slot, const EmsMsg& frame, const uint8_t* records, size_t size);

    mutable std::mutex mutex_;
    std::condition_variable doneCv_;
    std::array<Slot, kSlotCount> slots_{};
    // The sequence waiting in each slot (0: none), written under mutex_ and read without it, so that the look at
    // whether a request still waits, made at every read for its reply, takes no lock.
    std::array<std::atomic<uint32_t>, kSlotCount> waitingIn_{};
    std::atomic<uint32_t> waitingAway_{0}; // waiting requests in a slot other than their sequence's own
    uint32_t lastSequence_ = 0;
    std::deque<uint32_t> abandoned_; // sequences whose late frames are dropped, newest last
};
