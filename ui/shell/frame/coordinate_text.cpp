#include "ui/shell/frame/coordinate_text.h"

#include <cmath>
#include <cstdio>

std::string FormatCoordinate(double degrees, bool decimalDegrees)
{
    const char sign = degrees >= 0.0 ? '+' : '-';
    const double magnitude = std::fabs(degrees);
    char text[40];
    if (decimalDegrees) {
        // Rounded in whole units of the last digit, so that 0.3 shows .3000 and not .2999.
        const long long units = std::llround(magnitude * 10000.0);
        std::snprintf(text, sizeof text, "%c%3d.%04d", sign, static_cast<int>(units / 10000),
                      static_cast<int>(units % 10000));
    } else {
        const long long seconds = std::llround(magnitude * 3600.0);
        std::snprintf(text, sizeof text, "%c%3d.%02d'%02d\"", sign, static_cast<int>(seconds / 3600),
                      static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    }
    return text;
}

std::string FormatRatio(int percent)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    return text;
}
