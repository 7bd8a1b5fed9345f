#include "ui/framework/charts/chart_settings.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"

#include <QRandomGenerator>

namespace {

constexpr char kChart[] = "CHART";
constexpr size_t kTitleChars = 80;
constexpr uint32_t kDefaultMaxPoints = 100;
constexpr uint32_t kMostPoints = 30000;

// One of 0x00, 0x40, 0x80, 0xC0: the top two bits of a random number.
int RandomComponent()
{
    return static_cast<int>(QRandomGenerator::global()->generate() >> 30) * 0x40;
}

} // namespace

bool ChartEditButtonShown()
{
    return ReadIniBool(kChart, "EDITBUTTON", false, ConfigFilePath());
}

uint32_t ChartMaxPoints()
{
    return ChartMaxPointsOf("MAXPOINT", kDefaultMaxPoints, kMostPoints);
}

std::string ChartTitle(std::string_view key)
{
    std::string title = ReadIniStringN(kChart, key, "", ConfigFilePath(), kTitleChars + 1);
    const size_t first = title.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return title.substr(first, title.find_last_not_of(" \t") - first + 1);
}

uint32_t ChartMaxPointsOf(std::string_view key, uint32_t defaultValue, uint32_t maximum)
{
    return ReadIniIntInRange(kChart, key, defaultValue, ConfigFilePath(), 0, maximum, true);
}

COLORREF ChartSeriesColor(int index)
{
    const COLORREF random = Rgb(RandomComponent(), RandomComponent(), RandomComponent());
    const std::string file = ConfigFilePath();
    const auto configured = static_cast<int>(ReadIniLong(kChart, "SERIESCOLORCNT", 0, file));
    if (index >= configured)
        return random;
    return ReadIniColor(kChart, "SERIESCOLOR" + std::to_string(index + 1), random, file);
}
