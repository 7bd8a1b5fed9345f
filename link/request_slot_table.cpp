#include "link/request_slot_table.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "link/driver_logs.h"
#include "link/driver_result.h"

namespace {

constexpr size_t kAbandonedMemory = CRequestSlotTable::kSlotCount;

} // namespace

uint32_t CRequestSlotTable::NextSequenceLocked()
{
    ++lastSequence_;
    if (lastSequence_ == 0) {
        lastSequence_ = 1; // 0 marks a notification
    }
    return lastSequence_;
}

uint32_t CRequestSlotTable::Acquire()
{
    std::lock_guard<std::mutex> lock(mutex_);
    // The slot a sequence number points at is taken when it is free, so that the request is found there at once.
    const uint32_t sequence = NextSequenceLocked();
    Slot* chosen = &slots_[sequence % kSlotCount];
    for (size_t i = 0; chosen->state != State::Free && i < kSlotCount; ++i) {
        chosen = &slots_[i];
    }
    if (chosen->state != State::Free) {
        return 0;
    }
    *chosen = Slot{};
    chosen->state = State::Waiting;
    chosen->sequence = sequence;
    NoteWaitingLocked(*chosen, true);
    return sequence;
}

uint32_t CRequestSlotTable::NextUnclaimedSequence()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return NextSequenceLocked();
}

const CRequestSlotTable::Slot* CRequestSlotTable::FindLocked(uint32_t sequence) const
{
    if (sequence == 0) {
        return nullptr;
    }
    if (const Slot& home = slots_[sequence % kSlotCount]; home.state != State::Free && home.sequence == sequence) {
        return &home;
    }
    for (const auto& slot : slots_) {
        if (slot.state != State::Free && slot.sequence == sequence) {
            return &slot;
        }
    }
    return nullptr;
}

CRequestSlotTable::Slot* CRequestSlotTable::FindLocked(uint32_t sequence)
{
    return const_cast<Slot*>(std::as_const(*this).FindLocked(sequence));
}

void CRequestSlotTable::NoteWaitingLocked(const Slot& slot, bool waiting)
{
    const auto index = static_cast<size_t>(&slot - slots_.data());
    waitingIn_[index] = waiting ? slot.sequence : 0;
    if (index != slot.sequence % kSlotCount) {
        waiting ? ++waitingAway_ : --waitingAway_;
    }
}

void CRequestSlotTable::FinishLocked(Slot& slot, int result)
{
    if (slot.state == State::Waiting) {
        NoteWaitingLocked(slot, false);
    }
    slot.state = State::Done;
    slot.result = result;
    doneCv_.notify_all();
}

bool CRequestSlotTable::AppendFrameLocked(Slot& slot, const EmsMsg& frame, const uint8_t* records, size_t size)
{
    ReplyData& reply = slot.reply;
    if (frame.operation == kEmsOpTextReply) {
        // One zero-terminated text, whatever the header claims.
        const auto* text = reinterpret_cast<const char*>(records);
        const size_t length = text == nullptr ? 0 : strnlen(text, size);
        reply.header = frame;
        reply.records.assign(records, records + length);
        reply.records.push_back(0);
        reply.header.count = 1;
        reply.header.recordSize = static_cast<uint32_t>(reply.records.size());
        reply.header.total = 1;
        return true;
    }
    if (!slot.started) {
        reply.header = frame;
        reply.header.count = 0;
        reply.records.clear();
    } else if (frame.recordSize != reply.header.recordSize || frame.operation != reply.header.operation) {
        return false;
    }
    slot.started = true;
    const uint32_t recordSize = frame.recordSize;
    size_t keep = size;
    if (recordSize != 0 && reply.records.size() + size > kMaxEmsReplyBytes) {
        const size_t room = kMaxEmsReplyBytes - reply.records.size();
        keep = room / recordSize * recordSize;
        WriteDriverLog(DriverLogKind::NetDrv, "reply %lu of code %u over %lu bytes: %lu records dropped",
                       static_cast<unsigned long>(frame.sequence), static_cast<unsigned>(frame.requestCode),
                       static_cast<unsigned long>(kMaxEmsReplyBytes),
                       static_cast<unsigned long>((size - keep) / recordSize));
    }
    if (keep != 0) {
        reply.records.insert(reply.records.end(), records, records + keep);
    }
    reply.header.count = recordSize == 0 ? 0 : static_cast<int32_t>(reply.records.size() / recordSize);
    // The last frame decides total, status and the end of the reply.
    reply.header.total = frame.total;
    reply.header.status = frame.status;
    reply.header.more = frame.more;
    return true;
}

CRequestSlotTable::Route CRequestSlotTable::OfferReply(const EmsMsg& frame, const uint8_t* records, size_t size,
                                                       uint64_t arrivalMark)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Slot* slot = FindLocked(frame.sequence);
    if (slot == nullptr || slot->state != State::Waiting) {
        auto it = std::find(abandoned_.begin(), abandoned_.end(), frame.sequence);
        if (frame.sequence != 0 && it != abandoned_.end()) {
            if (frame.more == 0) {
                abandoned_.erase(it);
            }
            return Route::Dropped;
        }
        if (slot != nullptr) {
            return Route::Dropped; // ended (cancelled) but not yet released
        }
        return Route::NotMine;
    }
    if (!AppendFrameLocked(*slot, frame, records, size)) {
        // Left waiting: the connection closes first and ends it, so that its caller finds the link down.
        return Route::Invalid;
    }
    if (frame.more == 0 || frame.operation == kEmsOpTextReply) {
        slot->reply.arrivalMark = arrivalMark;
        FinishLocked(*slot, kDrvOk);
    }
    return Route::Slot;
}

void CRequestSlotTable::Complete(uint32_t sequence, int result)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Slot* slot = FindLocked(sequence);
    if (slot != nullptr && slot->state == State::Waiting) {
        FinishLocked(*slot, result);
    }
}

void CRequestSlotTable::FailAll(int result)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : slots_) {
        if (slot.state == State::Waiting) {
            FinishLocked(slot, result);
        }
    }
}

int CRequestSlotTable::Wait(uint32_t sequence, std::chrono::steady_clock::time_point deadline, ReplyData& reply)
{
    using Clock = std::chrono::steady_clock;
    std::unique_lock<std::mutex> lock(mutex_);
    Slot* slot = FindLocked(sequence);
    if (slot == nullptr) {
        return kDrvInvalidParameter;
    }
    // A reply that is in already (read by this thread) needs no look at the clock.
    std::optional<Clock::duration> span;
    auto limit = [&] {
        return slot->progressAt == Clock::time_point{} ? deadline : std::max(deadline, slot->progressAt + *span);
    };
    while (slot->state != State::Done) {
        if (!span) {
            span = deadline - Clock::now();
        }
        doneCv_.wait_until(lock, limit(), [slot] { return slot->state == State::Done; });
        if (slot->state != State::Done && Clock::now() >= limit()) {
            FinishLocked(*slot, kDrvTimeout);
        }
    }
    if (slot->result == kDrvOk) {
        reply = std::move(slot->reply);
        slot->reply = ReplyData{};
    }
    return slot->result;
}

bool CRequestSlotTable::WaitEnded(uint32_t sequence, std::chrono::steady_clock::time_point until)
{
    std::unique_lock<std::mutex> lock(mutex_);
    const Slot* slot = FindLocked(sequence);
    return slot == nullptr || doneCv_.wait_until(lock, until, [slot] { return slot->state != State::Waiting; });
}

void CRequestSlotTable::NoteProgress(uint32_t sequence)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Slot* slot = FindLocked(sequence);
    if (slot != nullptr && slot->state == State::Waiting) {
        slot->progressAt = std::chrono::steady_clock::now();
    }
}

bool CRequestSlotTable::IsWaiting(uint32_t sequence) const
{
    if (sequence == 0) {
        return false;
    }
    // A request waits in its sequence's own slot unless that was taken when it began; its slot is decided by then.
    if (waitingIn_[sequence % kSlotCount] == sequence) {
        return true;
    }
    if (waitingAway_ == 0) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    const Slot* slot = FindLocked(sequence);
    return slot != nullptr && slot->state == State::Waiting;
}

void CRequestSlotTable::Release(uint32_t sequence)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Slot* slot = FindLocked(sequence);
    if (slot == nullptr) {
        return;
    }
    // A request that ended before its whole reply came may still see frames of it.
    if (slot->state == State::Waiting) {
        NoteWaitingLocked(*slot, false);
    }
    const bool replyComplete = slot->result == kDrvOk;
    if (!replyComplete) {
        abandoned_.push_back(sequence);
        while (abandoned_.size() > kAbandonedMemory) {
            abandoned_.pop_front();
        }
    }
    *slot = Slot{};
}

size_t CRequestSlotTable::InUse() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<size_t>(
        std::count_if(slots_.begin(), slots_.end(), [](const Slot& s) { return s.state != State::Free; }));
}
