#pragma once
// The server monitor's history of the processor load, as its history chart shows it, and the timing of its polls.
// Window-free.
//
// After a reset the history holds 91 empty points. Each sample takes the oldest point away while fewer than 100
// samples have come since the reset, or once the point limit has been reached, and adds a point for the sample at the
// end, labelled with the number of samples before it. So the chart shows a window of 91 points from the start; with a
// point limit L above 100 it grows from the 100th sample on to L - 9 points and keeps that many.
//
//     CMonitorHistory history(pointLimit);
//     history.Reset();
//     ... each poll: history.AddSample(cpu); chart.SetPoints(history.Values()); chart.SetLabels(history.Labels());

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class CMonitorHistory {
public:
    static constexpr int kResetPoints = 91;
    static constexpr uint32_t kSamplesBeforeGrowth = 100;
    static constexpr uint32_t kMostPoints = 30000;

    // A sample's point, or an empty one.
    struct Point {
        std::optional<double> value;
        std::string label;
        bool operator==(const Point&) const = default;
    };

    explicit CMonitorHistory(uint32_t pointLimit) : pointLimit_(pointLimit) {}

    // The 91 empty points, and no samples counted.
    void Reset();
    // Counts the samples from 0 again and keeps the points (a reset while the chart is not shown).
    void RestartCount() { samples_ = 0; }
    void AddSample(double value);
    // Takes away every point up to the last empty one; false when there is none (the chart's editor then shows the
    // samples alone).
    bool DropEmptyPoints();

    uint32_t SampleCount() const { return samples_; }
    uint32_t PointLimit() const { return pointLimit_; }
    const std::deque<Point>& Points() const { return points_; }
    std::vector<std::optional<double>> Values() const;
    std::vector<std::string> Labels() const;

private:
    uint32_t pointLimit_;
    uint32_t samples_ = 0;
    std::deque<Point> points_;
};

// The monitor's poll timer: when the next poll is due and how long to wait for it, after a poll that came at `nowMs`
// for the due time `dueMs`. A poll up to one period late keeps the rhythm (the next one is due a period after this
// one was); one that came early, or more than a period late, starts it again from now.
struct PollTiming {
    int64_t dueMs = 0;
    int64_t delayMs = 0;
    bool operator==(const PollTiming&) const = default;
};
PollTiming NextPoll(int64_t nowMs, int64_t dueMs, int64_t periodMs);
