#pragma once
// The chart templates the configuration names for the server monitor's charts (CHART/SVRCURCPUUTIL for the current
// load, CHART/SVRHISCPUUTIL for its history): INI files whose [CHART] section may give the chart's title (TITLE), its
// series' title (SERIESTITLE) and its series' colour (SERIESCOLOR, hexadecimal 0xBBGGRR as the configuration writes
// colours). What a template does not give, and everything when there is no template or it cannot be read, stays as
// the monitor draws it. Window-free.
//
//     [CHART]
//     TITLE=EMS host load
//     SERIESTITLE=Load (%)
//     SERIESCOLOR=0x0000C0

#include <cstdint>
#include <optional>
#include <string>

struct MonitorChartStyle {
    std::optional<std::string> title;
    std::optional<std::string> seriesTitle;
    std::optional<uint32_t> seriesColor; // 0x00BBGGRR
    bool operator==(const MonitorChartStyle&) const = default;
};

// The template at `path` (none when empty).
MonitorChartStyle ReadMonitorChartStyle(const std::string& path);
