#include "features/performance/graphs/graph_colors.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"

#include <QRandomGenerator>

#include <array>
#include <string>

namespace {

// Strong colours of the palette, each far from the one before it, so that the two series of a tone page, or the
// CO and RT series of one counter, differ at a glance.
constexpr std::array<COLORREF, 20> kDistinct = {
    Rgb(0xC0, 0x00, 0x00), Rgb(0x00, 0x40, 0xC0), Rgb(0x00, 0x80, 0x00), Rgb(0xC0, 0x80, 0x00), Rgb(0x80, 0x00, 0xC0),
    Rgb(0x00, 0xC0, 0xC0), Rgb(0xC0, 0x00, 0xC0), Rgb(0x40, 0x40, 0x40), Rgb(0x80, 0xC0, 0x00), Rgb(0x00, 0x00, 0x80),
    Rgb(0xC0, 0x40, 0x80), Rgb(0x00, 0x80, 0x80), Rgb(0x80, 0x40, 0x00), Rgb(0x40, 0x80, 0xC0), Rgb(0x80, 0x00, 0x00),
    Rgb(0x00, 0xC0, 0x40), Rgb(0x40, 0x00, 0x80), Rgb(0x80, 0x80, 0x00), Rgb(0xC0, 0x80, 0x80), Rgb(0x00, 0x40, 0x40),
};

int RunStart()
{
    static const int start =
        static_cast<int>(QRandomGenerator::global()->bounded(static_cast<quint32>(kDistinct.size())));
    return start;
}

} // namespace

COLORREF DistinctSeriesColor(int index, int start)
{
    const auto size = static_cast<int>(kDistinct.size());
    return kDistinct[static_cast<size_t>(((start + index) % size + size) % size)];
}

COLORREF GraphSeriesColor(int index)
{
    const COLORREF distinct = DistinctSeriesColor(index, RunStart());
    const std::string file = ConfigFilePath();
    if (index >= ReadIniLong("CHART", "SERIESCOLORCNT", 0, file))
        return distinct;
    return ReadIniColor("CHART", "SERIESCOLOR" + std::to_string(index + 1), distinct, file);
}
