#include "features/provisioning/profiles/pm_threshold_columns.h"

#include <cstdio>

namespace {

std::string Threshold(uint32_t value, bool day)
{
    if (value == 0)
        return day ? "-----" : "---";
    char text[16];
    std::snprintf(text, sizeof text, day ? "%5u" : "%3u", value);
    return text;
}

std::string Joined(uint32_t es, uint32_t ses, uint32_t uas, bool day)
{
    return Threshold(es, day) + " / " + Threshold(ses, day) + " / " + Threshold(uas, day);
}

} // namespace

std::string FormatPmThresholds(const XdslPmThresholdProfileRec& rec, PmThresholdGroup group)
{
    switch (group) {
    case PmThresholdGroup::kCo15Min:
        return Joined(rec.coEs15Min, rec.coSes15Min, rec.coUas15Min, false);
    case PmThresholdGroup::kCoDay:
        return Joined(rec.coEsDay, rec.coSesDay, rec.coUasDay, true);
    case PmThresholdGroup::kRt15Min:
        return Joined(rec.rtEs15Min, rec.rtSes15Min, rec.rtUas15Min, false);
    case PmThresholdGroup::kRtDay:
        return Joined(rec.rtEsDay, rec.rtSesDay, rec.rtUasDay, true);
    }
    return {};
}
