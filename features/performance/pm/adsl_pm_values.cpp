#include "features/performance/pm/adsl_pm_values.h"

#include <cstdio>

namespace {

constexpr double kBitsPerCell = 424.0;

bool Plausible(const XdslPmCountersRec& c, uint32_t length, bool inits)
{
    if (c.los > length || c.es > length || c.ses > length || c.uas > length)
        return false;
    return !inits || (c.fullInits <= length && c.failedInits <= length);
}

} // namespace

XdslPmCountersRec PlausibleCounters(const XdslPmCountersRec& counters, uint32_t length, bool inits)
{
    return Plausible(counters, length, inits) ? counters : XdslPmCountersRec{};
}

XdslPmIntervalRec PlausibleInterval(const XdslPmIntervalRec& rec, bool inits)
{
    return Plausible(rec.counters, k15MinSeconds, inits) ? rec : XdslPmIntervalRec{};
}

AdslCurrentPmRec PlausibleCurrent(const AdslCurrentPmRec& rec, bool inits)
{
    if (rec.elapsed15Min > k15MinSeconds || rec.elapsedDay > kDaySeconds)
        return AdslCurrentPmRec{};
    AdslCurrentPmRec shown = rec;
    if (!Plausible(rec.current15Min, k15MinSeconds, inits)) {
        shown.current15Min = {};
        shown.elapsedDay = 0;
        shown.currentDay = {};
        shown.previousDay = {};
    } else if (!Plausible(rec.currentDay, kDaySeconds, inits)) {
        shown.currentDay = {};
        shown.previousDay = {};
    } else if (!Plausible(rec.previousDay, kDaySeconds, inits)) {
        shown.previousDay = {};
    }
    return shown;
}

double CellRateKbps(uint64_t cells, uint32_t seconds)
{
    return seconds == 0 ? 0.0 : static_cast<double>(cells) * kBitsPerCell / seconds * 0.001;
}

std::optional<double> RateSince(uint32_t cells, uint32_t elapsed, uint32_t earlierCells, uint32_t earlierElapsed)
{
    if (earlierCells > cells || elapsed <= earlierElapsed)
        return std::nullopt;
    return CellRateKbps(cells - earlierCells, elapsed - earlierElapsed);
}

std::string CellsText(uint32_t cells, std::optional<double> rateKbps)
{
    char text[48];
    if (rateKbps)
        std::snprintf(text, sizeof text, "%u / %.1f", cells, *rateKbps);
    else
        std::snprintf(text, sizeof text, "%u / --", cells);
    return text;
}
