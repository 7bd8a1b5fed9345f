#include "features/performance/pm/shdsl_pm_values.h"

#include "features/performance/pm/pm_graph_restart.h"

namespace {

constexpr uint32_t kQuarterSeconds = 900;
constexpr uint32_t kDaySeconds = 86400;
constexpr uint32_t kQuarterCrc = 44100;
constexpr uint32_t kDayCrc = 4233600;

bool Plausible(const ShdslPmCountersRec& c, uint32_t seconds, uint32_t crc)
{
    return c.es <= seconds && c.ses <= seconds && c.uas <= seconds && c.losws <= seconds && c.crc <= crc;
}

} // namespace

ShdslPmRec PlausibleShdslPm(const ShdslPmRec& rec)
{
    if (rec.elapsed15Min > kQuarterSeconds || rec.elapsedDay > kDaySeconds)
        return {};
    ShdslPmRec shown = rec;
    if (!Plausible(rec.current15Min, kQuarterSeconds, kQuarterCrc)) {
        shown.current15Min = {};
        shown.currentDay = {};
        shown.previousDay = {};
    } else if (!Plausible(rec.currentDay, kDaySeconds, kDayCrc)) {
        shown.currentDay = {};
        shown.previousDay = {};
    } else if (!Plausible(rec.previousDay, kDaySeconds, kDayCrc)) {
        shown.previousDay = {};
    }
    return shown;
}

ShdslIntervalRec PlausibleShdslInterval(const ShdslIntervalRec& rec)
{
    return Plausible(rec.counters, kQuarterSeconds, kQuarterCrc) ? rec : ShdslIntervalRec{};
}

ShdslPmGraphPoint CShdslPmGraphFeed::Next(const ShdslPmCurrentNumbers& numbers, uint32_t elapsed15Min,
                                          uint32_t elapsedDay, int listRow)
{
    ShdslPmGraphPoint point;
    point.clear = PmGraphRestarts(reset_, {elapsed15Min, elapsedDay}, {elapsed15Min_, elapsedDay_}, numbers, kept_);
    kept_ = numbers;
    elapsed15Min_ = elapsed15Min;
    elapsedDay_ = elapsedDay;
    reset_ = false;
    const size_t co = listRow >= 4 ? 2 : 0;
    for (size_t side : {co, co + 1}) {
        for (uint32_t value : numbers[side])
            point.values.push_back(value);
    }
    return point;
}
