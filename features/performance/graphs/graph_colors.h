#pragma once
// The colours of the series of the PM graphs (CGraphDlg, CPmGraphDlg). CHART/SERIESCOLOR<n> gives the colour of
// series n for the first CHART/SERIESCOLORCNT series; the others, and those whose key is absent, take colours of the
// same palette (red, green and blue each 0x00, 0x40, 0x80 or 0xC0) that an operator tells apart: a run of strong
// colours, neighbours far apart, starting at a place chosen at random once a run of the program.

#include "platform/color_ref.h"

COLORREF GraphSeriesColor(int index);

// The colour series `index` takes when no key gives one, from the place `start` in the run of colours.
COLORREF DistinctSeriesColor(int index, int start);
