#include "features/management/server/monitor_chart_style.h"

#include "core/config/ini_readers.h"
#include "core/ini/ini_file.h"

namespace {

constexpr char kChart[] = "CHART";
// A colour no template can give (more than 24 bits): the key's absence.
constexpr uint32_t kNoColor = 0xFFFFFFFF;

} // namespace

MonitorChartStyle ReadMonitorChartStyle(const std::string& path)
{
    MonitorChartStyle style;
    if (path.empty())
        return style;
    const std::optional<CIniFile> ini = CIniFile::Load(path);
    if (!ini)
        return style;
    style.title = ReadIniString(kChart, "TITLE", std::nullopt, *ini);
    style.seriesTitle = ReadIniString(kChart, "SERIESTITLE", std::nullopt, *ini);
    if (const uint32_t color = ReadIniColor(kChart, "SERIESCOLOR", kNoColor, *ini); color != kNoColor)
        style.seriesColor = color;
    return style;
}
