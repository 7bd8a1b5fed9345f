#include "sim/pm/trunk_traffic_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr uint32_t kDaySeconds = 86400;
constexpr uint32_t kMinuteSeconds = 60;
constexpr uint32_t kPeakMinute = 21 * 60; // the evening's peak

// Bits per second at the peak of the day, incoming and outgoing, of trunk port 1 and trunk port 2.
constexpr std::array<std::array<double, 2>, 2> kPeakBitRates = {{{24e6, 6e6}, {3e6, 8e6}}};
// Average unicast packet sizes, incoming and outgoing.
constexpr std::array<double, 2> kPacketBytes = {900, 420};

uint64_t Mix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// The share of the peak a minute of the day carries: least in the morning, most in the evening.
double LoadAt(uint32_t minuteOfDay)
{
    const double phase = 2 * std::numbers::pi * (static_cast<double>(minuteOfDay) - kPeakMinute) / (24.0 * 60);
    return 0.55 + 0.45 * std::cos(phase);
}

} // namespace

// The twelve counters of the record, in its order: five incoming, five outgoing, the two PAUSE counts.
struct CTrunkTrafficGenerator::Totals {
    std::array<uint64_t, 12> counts{};

    Totals& operator+=(const Totals& other)
    {
        for (size_t i = 0; i < counts.size(); ++i)
            counts[i] += other.counts[i];
        return *this;
    }
};

CTrunkTrafficGenerator::Totals CTrunkTrafficGenerator::MinuteOf(uint32_t port, uint32_t minuteOfDay) const
{
    const size_t trunk = port % 100 == 2 ? 1 : 0;
    const double load = LoadAt(minuteOfDay);
    Totals minute;
    for (size_t direction = 0; direction < 2; ++direction) {
        const uint64_t h = Mix((uint64_t{port} << 32) ^ (uint64_t{minuteOfDay} << 1) ^ direction);
        const double jitter = 0.8 + 0.4 * static_cast<double>(h % 1000) / 1000.0;
        const double octets = kPeakBitRates[trunk][direction] / 8 * kMinuteSeconds * load * jitter;
        const auto unicast = static_cast<uint64_t>(octets / kPacketBytes[direction]);
        const size_t first = direction * 5;
        minute.counts[first] = static_cast<uint64_t>(octets);
        minute.counts[first + 1] = unicast;
        minute.counts[first + 2] = unicast / 150 + (h >> 10) % 5;
        minute.counts[first + 3] = (h >> 20) % 37 == 0 ? 1 + (h >> 30) % 4 : 0;
        minute.counts[first + 4] = (h >> 40) % 997 == 0 ? 1 : 0;
        minute.counts[10 + direction] = (h >> 50) % (direction == 0 ? 53 : 211) == 0 ? (h >> 56) % 9 + 1 : 0;
    }
    return minute;
}

CTrunkTrafficGenerator::Totals CTrunkTrafficGenerator::SpanOfDay(uint32_t port, uint32_t from, uint32_t to) const
{
    Totals span;
    for (uint32_t minute = from / kMinuteSeconds; minute * kMinuteSeconds < to; ++minute) {
        const uint32_t begin = std::max(from, minute * kMinuteSeconds);
        const uint32_t end = std::min(to, (minute + 1) * kMinuteSeconds);
        Totals share = MinuteOf(port, minute);
        for (uint64_t& count : share.counts)
            count = count * (end - begin) / kMinuteSeconds;
        span += share;
    }
    return span;
}

TrunkPmRec CTrunkTrafficGenerator::Counters(uint32_t port, uint32_t from, uint32_t to) const
{
    Totals sum;
    uint64_t t = from;
    while (t < to) {
        const uint64_t dayStart = t - t % kDaySeconds;
        const uint64_t dayEnd = dayStart + kDaySeconds;
        if (t == dayStart && to >= dayEnd) {
            // Every day is alike: whole days count the day's total each.
            const uint64_t days = (to - t) / kDaySeconds;
            Totals day = SpanOfDay(port, 0, kDaySeconds);
            for (uint64_t& count : day.counts)
                count *= days;
            sum += day;
            t += days * kDaySeconds;
            continue;
        }
        const uint64_t end = std::min<uint64_t>(to, dayEnd);
        sum += SpanOfDay(port, static_cast<uint32_t>(t - dayStart), static_cast<uint32_t>(end - dayStart));
        t = end;
    }
    const auto wrapped = [&](size_t i) { return static_cast<uint32_t>(sum.counts[i]); };
    TrunkPmRec rec;
    rec.entityId = port;
    rec.incoming = {wrapped(0), wrapped(1), wrapped(2), wrapped(3), wrapped(4)};
    rec.outgoing = {wrapped(5), wrapped(6), wrapped(7), wrapped(8), wrapped(9)};
    rec.incomingPauseFrames = wrapped(10);
    rec.outgoingPauseFrames = wrapped(11);
    return rec;
}
