#pragma once
// The two colour operations of the shape drawing. Colours are 0x00BBGGRR.

#include "platform/color_ref.h"

// Weighted mix of two colours. The weights are taken as 16-bit values and halved together until both are below 256;
// with a total weight of 0 the result is white.
COLORREF MixColors(COLORREF a, int weightA, COLORREF b, int weightB);

// Lightens (factor 0 or above) or darkens (factor below 0, negative zero included) a colour by the factor's magnitude,
// reduced to its fractional part when above 1. Lightening moves each channel towards 255, darkening towards 0; a
// channel that is 0 stays 0.
COLORREF ShadeColor(COLORREF color, double factor);
