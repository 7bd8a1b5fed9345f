#include "link/entity_state_fold.h"

#include <cstring>

#include "link/records/entity_state_rec.h"
#include "link/records/record_bytes.h"

namespace {

// A list node and a hash node beside each record.
constexpr size_t kBytesPerEntry = 120;

static_assert(kEntityStateRecSize == 60);

} // namespace

bool CEntityStateFold::Folds(const EmsMsg& msg)
{
    return (msg.requestCode == kReqEntityState || msg.requestCode == kReqEntityStateChange) &&
           msg.recordSize == kEntityStateRecSize && msg.count > 0 && msg.records != nullptr;
}

void CEntityStateFold::Add(const EmsMsg& msg)
{
    for (uint32_t i = 0; i < static_cast<uint32_t>(msg.count); ++i) {
        const uint8_t* record = EmsRecordAt(msg, i);
        const uint32_t entityId = record_bytes::GetU32(record, 0);
        // Records that name no entity (0) fold per NE like any other entity's.
        const uint64_t key = (static_cast<uint64_t>(msg.neId) << 32) | entityId;
        if (auto it = byEntity_.find(key); it != byEntity_.end()) {
            order_.erase(it->second);
            ++superseded_;
        }
        Entry entry;
        entry.key = key;
        entry.code = msg.requestCode;
        entry.neId = msg.neId;
        std::memcpy(entry.record.data(), record, kEntityStateRecSize);
        order_.push_back(entry);
        byEntity_[key] = std::prev(order_.end());
    }
}

void CEntityStateFold::TakeFront(size_t maxRecords, std::vector<OwnedServerMessage>& out)
{
    for (size_t taken = 0; taken < maxRecords && !order_.empty(); ++taken) {
        const Entry& entry = order_.front();
        const bool joins =
            !out.empty() && out.back().header.requestCode == entry.code && out.back().header.neId == entry.neId;
        if (!joins) {
            OwnedServerMessage msg;
            msg.header.operation = kEmsOpReply;
            msg.header.requestCode = entry.code;
            msg.header.neId = entry.neId;
            msg.header.recordSize = kEntityStateRecSize;
            out.push_back(std::move(msg));
        }
        OwnedServerMessage& msg = out.back();
        msg.records.insert(msg.records.end(), entry.record.begin(), entry.record.end());
        ++msg.header.count;
        msg.header.total = static_cast<uint32_t>(msg.header.count);
        byEntity_.erase(entry.key);
        order_.pop_front();
    }
}

size_t CEntityStateFold::Bytes() const
{
    return order_.size() * (sizeof(Entry) + kBytesPerEntry);
}
