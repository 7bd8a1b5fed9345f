#include "link/server/notification_series.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr uint64_t kFieldSpan = uint64_t{1} << 32;

} // namespace

void CNotificationSeries::Reset()
{
    std::lock_guard<std::mutex> lock(mutex_);
    next_ = 1;
    received_ = 0;
    following_ = false;
    strayTop_.reset();
    heldAt_ = {};
    receivedAtHold_ = 0;
    missing_.clear();
}

uint64_t CNotificationSeries::Unwrapped(uint32_t number) const
{
    // The 64-bit number nearest to the next one expected whose low 32 bits are `number`.
    const uint64_t base = next_ & ~(kFieldSpan - 1);
    uint64_t candidate = base | number;
    if (candidate + kFieldSpan / 2 < next_) {
        candidate += kFieldSpan;
    } else if (candidate > next_ + kFieldSpan / 2 && candidate >= kFieldSpan) {
        candidate -= kFieldSpan;
    }
    return candidate;
}

void CNotificationSeries::Note(uint32_t number, Clock::time_point now)
{
    if (number == 0) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    const uint64_t n = Unwrapped(number);
    if (n >= next_) {
        // The field holds no 0: after its largest number the server goes on at 1, which leaves no gap.
        const bool wrapped = n == next_ + 1 && next_ % kFieldSpan == 0;
        if (n > next_ && !wrapped) {
            missing_[next_] = Gap{n - 1, now, received_}; // this number is the first later one
        }
        // Only a number past every gap is later than each of them: one that fills a gap may be earlier than another.
        ++received_;
        next_ = n + 1;
        following_ = false;
        strayTop_.reset();
        return;
    }
    if (FillOne(n)) {
        return; // a late one
    }
    // Seen twice, or the series ran ahead of the server's.
    strayTop_ = std::max(strayTop_.value_or(0), n);
    if (following_) {
        FollowFrom(n);
    }
}

void CNotificationSeries::FollowFrom(uint64_t number)
{
    missing_.erase(missing_.upper_bound(number), missing_.end());
    next_ = number + 1;
    following_ = false;
    strayTop_.reset();
}

bool CNotificationSeries::FillOne(uint64_t number)
{
    auto it = missing_.upper_bound(number);
    if (it == missing_.begin()) {
        return false;
    }
    --it;
    const uint64_t first = it->first;
    Gap gap = it->second;
    if (number > gap.last) {
        return false;
    }
    missing_.erase(it);
    if (first < number) {
        missing_[first] = Gap{number - 1, gap.since, gap.receivedAt, gap.forgiven};
    }
    if (number < gap.last) {
        missing_[number + 1] = gap;
    }
    return true;
}

void CNotificationSeries::Hold(Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    heldAt_ = std::max(heldAt_, now);
    receivedAtHold_ = received_;
}

CNotificationSeries::Clock::time_point CNotificationSeries::StartOf(const Gap& gap) const
{
    return std::max(gap.since, heldAt_);
}

uint64_t CNotificationSeries::TakeLost(Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    uint64_t lost = 0;
    for (auto it = missing_.begin(); it != missing_.end();) {
        const Gap& gap = it->second;
        const uint64_t later = received_ - std::max(gap.receivedAt, receivedAtHold_);
        if (now - StartOf(gap) >= kLateLimit || later >= kLaterLimit) {
            lost += gap.forgiven ? 0 : gap.last - it->first + 1;
            it = missing_.erase(it);
        } else {
            ++it;
        }
    }
    return lost;
}

void CNotificationSeries::Forgive()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& [first, gap] : missing_) {
        gap.forgiven = true;
    }
    // Numbers in no gap came behind the next one expected, and none past it since: the server's series stands at
    // the highest of them. Otherwise the next number that comes behind it says where.
    if (strayTop_) {
        FollowFrom(*strayTop_);
    } else {
        following_ = true;
    }
}

std::optional<CNotificationSeries::Clock::time_point> CNotificationSeries::NextDue() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::optional<Clock::time_point> due;
    for (const auto& [first, gap] : missing_) {
        const Clock::time_point at = StartOf(gap) + kLateLimit;
        due = due ? std::min(*due, at) : at;
    }
    return due;
}

uint64_t CNotificationSeries::MissingCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    uint64_t count = 0;
    for (const auto& [first, gap] : missing_) {
        count += gap.forgiven ? 0 : gap.last - first + 1;
    }
    return count;
}
