#pragma once
// Screen fonts from the portable font descriptions of the configuration and the template files. Face names resolve
// through fontconfig, so a face that is not installed falls back to a metric-compatible one.

#include "core/config/font_spec.h"

#include <QFont>

// Pixels per inch at which sizes in points become pixel heights for drawing into images.
inline constexpr int kLogicalDpi = 96;

// The font at its point size (tenths of a point in the spec), for widgets.
QFont FontFromSpec(const FontSpec& spec);

// The same font with a pixel height instead of a point size, for drawing that must not depend on the screen.
QFont FontFromSpec(const FontSpec& spec, int pixelHeight);

// The pixel height of the spec's point size at kLogicalDpi (0 for size 0).
int FontPixelHeight(const FontSpec& spec);
