#include "core/tables/trap_log_ring.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/util/severity.h"

#include <algorithm>
#include <new>

namespace {

// Holds the ring's lock for a scope once it was had.
class TrapLogLockScope {
public:
    explicit TrapLogLockScope(CTrapLogRing& ring) : ring_(ring), held_(ring.LockTrapLog(0) != 0) {}
    ~TrapLogLockScope()
    {
        if (held_)
            ring_.UnlockTrapLog();
    }
    TrapLogLockScope(const TrapLogLockScope&) = delete;
    TrapLogLockScope& operator=(const TrapLogLockScope&) = delete;
    bool Held() const { return held_; }

private:
    CTrapLogRing& ring_;
    bool held_;
};

} // namespace

bool TrapLogFilterAdmits(const TrapLogFilter& filter, uint32_t neLocationId, uint32_t neId, int severity,
                         uint32_t entityId)
{
    if (filter.locationId != 0 && filter.locationId != neLocationId)
        return false;
    if (filter.neId != 0 && filter.neId != neId)
        return false;
    if (severity < 0 || severity > 30 || (filter.severityMask & (1u << severity)) == 0)
        return false;
    if (filter.entityId == 0 || entityId == filter.entityId)
        return true;
    return (filter.severityMask & kTrapLogFilterBelow) != 0 && CEntityId(entityId).IsDescendantOf(filter.entityId);
}

int CTrapLogRing::ResetTrapLog(uint32_t capacity)
{
    if (lock_)
        lock_->Close();
    buffer_.reset();
    count_ = 0;
    ++generation_;
    lock_ = std::make_unique<CMutexLock>();
    lock_->Create(false);
    capacity_ = std::clamp(capacity, kMinCapacity, kMaxCapacity);
    buffer_.reset(new (std::nothrow) TrapLogRecord[capacity_]);
    return buffer_ != nullptr ? 1 : 0;
}

void CTrapLogRing::ReleaseTrapLog()
{
    if (lock_)
        lock_->Close();
    buffer_.reset();
    count_ = 0;
    ++generation_;
}

int CTrapLogRing::AddTrapLogRecords(uint32_t neId, const TrapLogRecord* records, uint32_t count)
{
    return AddTrapLogRecords(neId, records, count, AppSettings().trapLogFilter);
}

int CTrapLogRing::AddTrapLogRecords(uint32_t neId, const TrapLogRecord* records, uint32_t count,
                                    const TrapLogFilter& filter)
{
    if (CheckUserRight(AppData().role, kRightActiveAlarms, 'q') == 0 || records == nullptr)
        return 0;
    const CNeRecord* ne = FindNeById(neId);
    if (ne == nullptr || ne->root == nullptr)
        return 0;
    const TrapLogLockScope lock(*this);
    if (!lock.Held())
        return 0;
    for (uint32_t i = 0; i < count; ++i) {
        TrapLogRecord record = records[i];
        record.severity = NormalizeSeverity(record.severity);
        if (!TrapLogFilterAdmits(filter, ne->locationId, neId, record.severity, record.entityId))
            continue;
        record.sequence = count_;
        record.neId = neId;
        record.texts = MakeTrapLogTexts(*ne, record);
        buffer_[count_ % capacity_] = record;
        ++count_;
    }
    return 1;
}

uint32_t CTrapLogRing::ClearTrapLog()
{
    const TrapLogLockScope lock(*this);
    if (!lock.Held())
        return 0;
    count_ = 0;
    ++generation_;
    return 1;
}

uint32_t CTrapLogRing::LockTrapLog(uint32_t timeoutMs)
{
    if (buffer_ == nullptr || !lock_)
        return 0;
    return lock_->Lock(timeoutMs) != 0 ? 1 : 0;
}

uint32_t CTrapLogRing::UnlockTrapLog()
{
    if (buffer_ == nullptr || !lock_)
        return 0;
    return lock_->Unlock() != 0 ? 1 : 0;
}

uint32_t CTrapLogRing::OldestIndex() const
{
    return count_ <= capacity_ ? 0 : count_ % capacity_;
}

uint32_t CTrapLogRing::GetFirstTrapLogRecord(TrapLogRecord* out)
{
    if (out == nullptr || count_ == 0)
        return 0;
    const TrapLogLockScope lock(*this);
    if (!lock.Held())
        return 0;
    *out = buffer_[OldestIndex()];
    return 1;
}

uint32_t CTrapLogRing::GetNextTrapLogRecord(TrapLogRecord* record)
{
    if (record == nullptr || count_ == 0)
        return 0;
    const TrapLogLockScope lock(*this);
    if (!lock.Held())
        return 0;
    const uint32_t seen = record->sequence;
    if (seen >= count_ - 1)
        return 0;
    // Record seen + 1 is still held while count <= capacity + seen; else the oldest held one follows.
    const uint64_t next = static_cast<uint64_t>(count_) <= static_cast<uint64_t>(capacity_) + seen ? seen + 1 : count_;
    *record = buffer_[next % capacity_];
    return 1;
}

CTrapLogRing& AppTrapLog()
{
    static CTrapLogRing ring;
    return ring;
}
