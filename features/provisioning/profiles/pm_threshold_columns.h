#pragma once
// The columns of the xDSL PM threshold profile list: the name, then the ES / SES / UAS thresholds of the CO 15-minute,
// CO 1-day, RT 15-minute and RT 1-day intervals, each group "%3d / %3d / %3d" (15 minutes) or "%5d / %5d / %5d"
// (a day), a threshold that is off (0) shown "---" or "-----". Window-free.

#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <string>

enum class PmThresholdGroup : uint8_t { kCo15Min, kCoDay, kRt15Min, kRtDay };

std::string FormatPmThresholds(const XdslPmThresholdProfileRec& rec, PmThresholdGroup group);
