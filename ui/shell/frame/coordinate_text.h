#pragma once
// Longitude and latitude as the Location Indicator shows them. Window-free.

#include <string>

// Decimal degrees "+ 24.5000" ("%c%3d.%04d"), or degrees, minutes and seconds "+ 24.30'00\"" ("%c%3d.%02d'%02d"
// and a double quote). The sign is "+" for values >= 0. The value is rounded to the last digit shown.
std::string FormatCoordinate(double degrees, bool decimalDegrees);

// "%d%%".
std::string FormatRatio(int percent);
