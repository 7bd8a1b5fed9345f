#include "sim/pm/adsl_pm_generator.h"

#include "sim/pm/line_hash.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr uint32_t kMinuteSeconds = 60;
constexpr double kBitsPerCell = 424.0;
// Salts of the hash, one per thing a minute decides.
constexpr uint32_t kSaltRetrain = 1;
constexpr uint32_t kSaltBurst = 2;
constexpr uint32_t kSaltLoad = 3;
constexpr uint32_t kSaltLine = 4;

// The share of a minute's events that fall in its first `seconds` seconds: the events of a minute come at its start.
uint32_t FirstSeconds(uint32_t eventSeconds, uint32_t seconds)
{
    return std::min(eventSeconds, seconds);
}

} // namespace

struct CAdslPmGenerator::Minute {
    double txCellsPerSecond = 0; // while the line is up
    double rxCellsPerSecond = 0;
    uint32_t unavailableSeconds = 0; // from the start of the minute, a retrain
    uint32_t lossSeconds = 0;
    uint32_t erroredSeconds = 0; // from the start of the minute
    uint32_t severeSeconds = 0;
    uint32_t codeViolations = 0; // spread over the errored seconds
    bool fullInit = false;
    bool failedInit = false;

    // The counts of the minute's first `seconds` seconds (0..60).
    XdslPmCountersRec Counters(uint32_t seconds, PmSide side) const
    {
        XdslPmCountersRec c;
        c.los = FirstSeconds(lossSeconds, seconds);
        c.es = FirstSeconds(erroredSeconds, seconds);
        c.ses = FirstSeconds(severeSeconds, seconds);
        c.uas = FirstSeconds(unavailableSeconds, seconds);
        c.cvs = erroredSeconds == 0 ? 0 : codeViolations * c.es / erroredSeconds;
        if (side == PmSide::kCo) {
            const double up = seconds > unavailableSeconds ? seconds - unavailableSeconds : 0;
            c.txCells = static_cast<uint32_t>(txCellsPerSecond * up);
            c.rxCells = static_cast<uint32_t>(rxCellsPerSecond * up);
            c.fullInits = seconds > 0 && fullInit ? 1 : 0;
            c.failedInits = seconds > 0 && failedInit ? 1 : 0;
        }
        return c;
    }
};

uint64_t CAdslPmGenerator::Hash(uint32_t port, PmSide side, uint32_t minute, uint32_t salt) const
{
    uint64_t h = SplitMix(seed_ ^ (uint64_t{port} << 32 | salt));
    h = SplitMix(h ^ (uint64_t{minute} << 8 | static_cast<uint8_t>(side)));
    return h;
}

uint32_t CAdslPmGenerator::DownstreamKbps(uint32_t port) const
{
    return 4000 + static_cast<uint32_t>(Hash(port, PmSide::kCo, 0, kSaltLine) % 20) * 1000;
}

uint32_t CAdslPmGenerator::UpstreamKbps(uint32_t port) const
{
    return 512 + static_cast<uint32_t>(Hash(port, PmSide::kRt, 0, kSaltLine) % 8) * 64;
}

CAdslPmGenerator::Minute CAdslPmGenerator::MinuteOf(uint32_t port, PmSide side, uint32_t minute) const
{
    Minute m;
    // The load peaks in the evening and is lowest before dawn, with some noise from minute to minute.
    const double minuteOfDay = minute % (kPmDaySeconds / kMinuteSeconds);
    const double evening = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * (minuteOfDay - 1260) / 1440);
    const double noise = UnitOf(Hash(port, PmSide::kCo, minute, kSaltLoad)) * 0.2 - 0.1;
    const double load = std::clamp(0.1 + 0.6 * evening + noise, 0.02, 0.85);
    m.txCellsPerSecond = DownstreamKbps(port) * 1000.0 / kBitsPerCell * load;
    m.rxCellsPerSecond = UpstreamKbps(port) * 1000.0 / kBitsPerCell * load * 0.6;

    // A retrain takes the line down at both ends.
    const uint64_t retrain = Hash(port, PmSide::kCo, minute, kSaltRetrain);
    if (retrain % 1500 == 0) {
        m.lossSeconds = 1 + static_cast<uint32_t>((retrain >> 16) % 4);
        m.unavailableSeconds = 20 + static_cast<uint32_t>((retrain >> 24) % 40);
        m.erroredSeconds = m.lossSeconds;
        m.severeSeconds = m.lossSeconds;
        m.fullInit = true;
        m.failedInit = (retrain >> 32) % 4 == 0;
        return m;
    }
    const uint64_t burst = Hash(port, side, minute, kSaltBurst);
    if (burst % 25 == 0) {
        m.erroredSeconds = 1 + static_cast<uint32_t>((burst >> 16) % 12);
        m.severeSeconds = m.erroredSeconds / 4;
        m.codeViolations = m.erroredSeconds * (15 + static_cast<uint32_t>((burst >> 24) % 106));
    }
    return m;
}

XdslPmCountersRec CAdslPmGenerator::Counters(uint32_t port, PmSide side, uint32_t from, uint32_t to) const
{
    XdslPmCountersRec sum;
    if (to <= from)
        return sum;
    for (uint32_t minute = from / kMinuteSeconds; minute <= (to - 1) / kMinuteSeconds; ++minute) {
        const uint32_t start = minute * kMinuteSeconds;
        const Minute m = MinuteOf(port, side, minute);
        const XdslPmCountersRec upTo = m.Counters(std::min(to, start + kMinuteSeconds) - start, side);
        const XdslPmCountersRec before = m.Counters(std::max(from, start) - start, side);
        sum.los += upTo.los - before.los;
        sum.es += upTo.es - before.es;
        sum.ses += upTo.ses - before.ses;
        sum.uas += upTo.uas - before.uas;
        sum.txCells += upTo.txCells - before.txCells;
        sum.rxCells += upTo.rxCells - before.rxCells;
        sum.cvs += upTo.cvs - before.cvs;
        sum.fullInits += upTo.fullInits - before.fullInits;
        sum.failedInits += upTo.failedInits - before.failedInits;
    }
    return sum;
}

XdslBlockCountersRec CAdslPmGenerator::Blocks(uint32_t port, PmSide side, uint32_t from, uint32_t to) const
{
    // A block per two cells each way, from the line card's counts; the far end receives what the card sends.
    const XdslPmCountersRec co = Counters(port, PmSide::kCo, from, to);
    const XdslPmCountersRec own = side == PmSide::kCo ? co : Counters(port, side, from, to);
    XdslBlockCountersRec blocks;
    blocks.rxBlocks = (side == PmSide::kCo ? co.rxCells : co.txCells) / 2;
    blocks.txBlocks = (side == PmSide::kCo ? co.txCells : co.rxCells) / 2;
    blocks.correctedBlocks = own.cvs * 3;
    blocks.uncorrectedBlocks = own.ses;
    return blocks;
}

AdslCurrentPmRec CAdslPmGenerator::Current(uint32_t port, PmSide side, uint32_t now) const
{
    const uint32_t quarter = now - now % kPmIntervalSeconds;
    const uint32_t day = now - now % kPmDaySeconds;
    AdslCurrentPmRec rec;
    rec.entityId = port;
    rec.elapsed15Min = now - quarter;
    rec.current15Min = Counters(port, side, quarter, now);
    rec.elapsedDay = now - day;
    rec.currentDay = Counters(port, side, day, now);
    rec.previousDay = Counters(port, side, day - kPmDaySeconds, day);
    return rec;
}

AdslBlockPmRec CAdslPmGenerator::CurrentBlocks(uint32_t port, PmSide side, uint32_t now) const
{
    const uint32_t quarter = now - now % kPmIntervalSeconds;
    const uint32_t day = now - now % kPmDaySeconds;
    AdslBlockPmRec rec;
    rec.entityId = port;
    rec.current15Min = Blocks(port, side, quarter, now);
    rec.currentDay = Blocks(port, side, day, now);
    rec.previousDay = Blocks(port, side, day - kPmDaySeconds, day);
    return rec;
}

XdslPmIntervalRec CAdslPmGenerator::StoredInterval(uint32_t port, PmSide side, uint32_t now, uint32_t number) const
{
    const uint32_t end = now - now % kPmIntervalSeconds - (number - 1) * kPmIntervalSeconds;
    XdslPmIntervalRec rec = LongTermRecord(port, side, end);
    rec.intervalId = number;
    return rec;
}

XdslPmIntervalRec CAdslPmGenerator::LongTermRecord(uint32_t port, PmSide side, uint32_t end) const
{
    XdslPmIntervalRec rec;
    rec.entityId = port;
    rec.intervalId = end;
    rec.counters = Counters(port, side, end - kPmIntervalSeconds, end);
    rec.createTime = end;
    return rec;
}

uint32_t QuarterHourAtOrAfter(uint32_t time)
{
    const uint32_t into = time % kPmIntervalSeconds;
    return into == 0 ? time : time - into + kPmIntervalSeconds;
}
