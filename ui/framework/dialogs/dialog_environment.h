#pragma once
// Process-wide values every dialog reads when it starts: the display scale factors (1.0 = no scaling), the
// application's dialog font, the NE the main frame shows, the application's busy flag and the selection mark of the
// lists. The start-up code sets
// them from the configuration; tests set them directly. UI thread only.

#include "core/shape/shape_record.h"
#include "platform/color_ref.h"

#include <QFont>

#include <cstdint>
#include <functional>

struct DisplayScale {
    double x = 1.0;
    double y = 1.0;
};

DisplayScale GetDisplayScale();
void SetDisplayScale(DisplayScale scale);

// The application's dialog font; until one is set, the font of DIALOG/DIALOGFONT in the settings.
QFont GetAppDialogFont();
void SetAppDialogFont(const QFont& font);
// Forgets a set font, so that the settings' font is used again.
void ResetAppDialogFont();

// The NE the main frame shows (its current NE), 0 for none; the frame keeps it current.
uint32_t GetShownNeId();
void SetShownNeId(uint32_t neId);

// Set while the application does a long job of its own; views skip their refresh meanwhile.
bool IsAppBusy();
void SetAppBusy(bool busy);

// The text colour the tree gives an item of a kind, named by its picture (48..51: the accounts of the three roles and
// of an unknown one), so that lists of the same items look alike. The main frame gives the source, from section
// TEXTCOLOR of the configuration; without one, black.
void SetTreeTextColorSource(std::function<COLORREF(int kind)> source);
COLORREF TreeTextColor(int kind);

// The selection mark drawn over selected list rows: an "RL" shape whose coordinates are resolved against the row.
// Another code is refused (false). Until one is set there is none (code 0) and no mark is drawn.
bool SetSelectedMarkShape(const ShapeRecord& shape);
const ShapeRecord& GetSelectedMarkShape();
void ClearSelectedMarkShape();
