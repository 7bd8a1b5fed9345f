#include "features/management/server/monitor_history.h"

void CMonitorHistory::Reset()
{
    points_.assign(kResetPoints, Point{});
    samples_ = 0;
}

void CMonitorHistory::AddSample(double value)
{
    if ((samples_ < kSamplesBeforeGrowth || samples_ >= pointLimit_) && !points_.empty())
        points_.pop_front();
    points_.push_back({value, std::to_string(samples_)});
    ++samples_;
}

bool CMonitorHistory::DropEmptyPoints()
{
    for (size_t i = points_.size(); i-- > 0;) {
        if (!points_[i].value) {
            points_.erase(points_.begin(), points_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return true;
        }
    }
    return false;
}

std::vector<std::optional<double>> CMonitorHistory::Values() const
{
    std::vector<std::optional<double>> values;
    values.reserve(points_.size());
    for (const Point& point : points_)
        values.push_back(point.value);
    return values;
}

std::vector<std::string> CMonitorHistory::Labels() const
{
    std::vector<std::string> labels;
    labels.reserve(points_.size());
    for (const Point& point : points_)
        labels.push_back(point.label);
    return labels;
}

PollTiming NextPoll(int64_t nowMs, int64_t dueMs, int64_t periodMs)
{
    const int64_t late = nowMs - dueMs;
    if (late >= 0 && late <= periodMs)
        return {dueMs + periodMs, periodMs - late};
    return {nowMs + periodMs, periodMs};
}
