#pragma once
// The application's dialog font and the two scale factors by which dialogs and status panes grow their layouts: the
// width and height of a reference text in the dialog font against 8-point Arial. A font no larger than the reference
// leaves a factor at 1.0.

#include "core/config/font_spec.h"
#include "ui/framework/dialogs/dialog_environment.h"

#include <QFont>

// The text both fonts are measured with.
inline constexpr char kFontScaleSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ";

DisplayScale ComputeDialogScale(const QFont& dialogFont);

// The dialog font of a spec; 8-point Arial for a spec without a face.
QFont DialogFontFromSpec(const FontSpec& spec);
