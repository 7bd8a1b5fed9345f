#include "link/entity_state_fold.h"

#include <cstring>

#include "link/records/entity_state_rec.h"
#include "link/records/record_bytes.h"

namespace {

constexpr size_t kFirstSlots = 64;
// Records nothing wants are swept out once there are more of them than this beside the others.
constexpr size_t kSweepSlack = 256;
// Records of a message taken from the front are gathered in room for this many at first.
constexpr size_t kFirstRunRecords = 64;

static_assert(kEntityStateRecSize == 60);

} // namespace

bool CEntityStateFold::Folds(const EmsMsg& msg)
{
    return (msg.requestCode == kReqEntityState || msg.requestCode == kReqEntityStateChange) &&
           msg.recordSize == kEntityStateRecSize && msg.count > 0 && msg.records != nullptr;
}

uint64_t CEntityStateFold::KeyOf(uint32_t neId, const uint8_t* record)
{
    // Records that name no entity (0) fold per NE like any other entity's.
    return (static_cast<uint64_t>(neId) << 32) | record_bytes::GetU32(record, 0);
}

size_t CEntityStateFold::Home(uint64_t key) const
{
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> 32) & (slots_.size() - 1);
}

size_t CEntityStateFold::Find(uint64_t key) const
{
    size_t i = Home(key);
    while (slots_[i].place != kNoPlace && slots_[i].key != key) {
        i = (i + 1) & (slots_.size() - 1);
    }
    return i;
}

void CEntityStateFold::Erase(size_t slot)
{
    // Later slots of the same run move up, so that every key stays reachable from its home.
    const size_t mask = slots_.size() - 1;
    size_t hole = slot;
    for (size_t next = (hole + 1) & mask; slots_[next].place != kNoPlace; next = (next + 1) & mask) {
        const size_t home = Home(slots_[next].key);
        const bool staysBehindHole = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
        if (!staysBehindHole) {
            slots_[hole] = slots_[next];
            hole = next;
        }
    }
    slots_[hole] = Slot{};
}

void CEntityStateFold::Reserve(size_t liveRecords)
{
    if (!slots_.empty() && liveRecords * 2 <= slots_.size()) {
        return;
    }
    size_t size = slots_.empty() ? kFirstSlots : slots_.size();
    while (liveRecords * 2 > size) {
        size *= 2;
    }
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(size, Slot{});
    for (const Slot& slot : old) {
        if (slot.place != kNoPlace) {
            slots_[Find(slot.key)] = slot;
        }
    }
}

void CEntityStateFold::Sweep()
{
    size_t kept = 0;
    for (size_t i = 0; i < order_.size(); ++i) {
        if (order_[i].Wanted()) {
            if (kept != i) {
                order_[kept] = order_[i];
            }
            ++kept;
        }
    }
    order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(kept), order_.end());
    frontPlace_ = 0;
    std::fill(slots_.begin(), slots_.end(), Slot{});
    for (size_t i = 0; i < order_.size(); ++i) {
        if (order_[i].live) {
            const uint64_t key = KeyOf(order_[i].neId, order_[i].record.data());
            slots_[Find(key)] = Slot{key, i};
        }
    }
}

void CEntityStateFold::Add(const EmsMsg& msg, uint64_t arrival)
{
    for (uint32_t i = 0; i < static_cast<uint32_t>(msg.count); ++i) {
        const uint8_t* record = EmsRecordAt(msg, i);
        const uint64_t key = KeyOf(msg.neId, record);
        Reserve(live_ + 1);
        const uint64_t place = frontPlace_ + order_.size();
        Slot& slot = slots_[Find(key)];
        if (slot.place != kNoPlace) {
            Entry& replaced = order_[static_cast<size_t>(slot.place - frontPlace_)];
            replaced.live = false;
            replaced.logOnly = replaced.code == kReqEntityStateChange;
            logOnly_ += replaced.logOnly ? 1 : 0;
            ++superseded_;
        } else {
            ++live_;
        }
        slot = Slot{key, place};
        Entry& entry = order_.emplace_back();
        entry.arrival = arrival;
        entry.neId = msg.neId;
        entry.code = msg.requestCode;
        entry.live = true;
        std::memcpy(entry.record.data(), record, kEntityStateRecSize);
    }
    const size_t wanted = RecordCount();
    if (order_.size() - wanted > wanted + kSweepSlack) {
        Sweep();
    }
}

void CEntityStateFold::TakeFront(size_t maxRecords, uint64_t limit, std::vector<OwnedServerMessage>& out)
{
    for (size_t taken = 0; taken < maxRecords && !order_.empty();) {
        const Entry& entry = order_.front();
        if (entry.Wanted()) {
            if (entry.arrival >= limit) {
                break;
            }
            const bool joins = !out.empty() && out.back().header.requestCode == entry.code &&
                               out.back().header.neId == entry.neId && out.back().trapLogOnly == entry.logOnly;
            if (!joins) {
                OwnedServerMessage msg;
                msg.header.operation = kEmsOpReply;
                msg.header.requestCode = entry.code;
                msg.header.neId = entry.neId;
                msg.header.recordSize = kEntityStateRecSize;
                msg.trapLogOnly = entry.logOnly;
                msg.records.reserve(kFirstRunRecords * kEntityStateRecSize);
                out.push_back(std::move(msg));
            }
            OwnedServerMessage& msg = out.back();
            msg.records.insert(msg.records.end(), entry.record.begin(), entry.record.end());
            ++msg.header.count;
            msg.header.total = static_cast<uint32_t>(msg.header.count);
            if (entry.live) {
                Erase(Find(KeyOf(entry.neId, entry.record.data())));
                --live_;
            } else {
                --logOnly_;
            }
            ++taken;
        }
        order_.pop_front();
        ++frontPlace_;
    }
    if (RecordCount() == 0) {
        // What is left are records nothing wants.
        order_.clear();
    }
}

uint64_t CEntityStateFold::FirstArrival() const
{
    for (const Entry& entry : order_) {
        if (entry.Wanted()) {
            return entry.arrival;
        }
    }
    return UINT64_MAX;
}

size_t CEntityStateFold::Bytes() const
{
    return order_.size() * sizeof(Entry) + slots_.size() * sizeof(Slot);
}
