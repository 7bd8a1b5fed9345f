#pragma once
// The CHART section of the configuration file, as the graph dialogs and their openers read it: whether Edit Chart is
// offered, the series colours, the maximum number of points of a live series, and the titles and maxima that each
// opener names by its own keys (CHART/XDSLCUR15MIN, CHART/PMHIS, ...).

#include "platform/color_ref.h"

#include <cstdint>
#include <string>
#include <string_view>

// CHART/EDITBUTTON, off by default.
bool ChartEditButtonShown();
// CHART/MAXPOINT: 100 by default, clamped to 0..30000.
uint32_t ChartMaxPoints();
// A title key: a text of at most 80 characters, trimmed; empty when absent.
std::string ChartTitle(std::string_view key);
// A maximum of points by its own key, clamped to 0..maximum.
uint32_t ChartMaxPointsOf(std::string_view key, uint32_t defaultValue, uint32_t maximum);

// The colour of series `index` (from 0): CHART/SERIESCOLOR<index + 1> for the first CHART/SERIESCOLORCNT series,
// else, and where that key is absent, a colour whose red, green and blue are each 0x00, 0x40, 0x80 or 0xC0 at random.
COLORREF ChartSeriesColor(int index);
