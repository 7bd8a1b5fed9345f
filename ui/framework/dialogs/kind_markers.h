#pragma once
// Markers by which shared code tells the program's window bases apart (the Export dialog tests its owner's).

#include <cstdint>

inline constexpr uint32_t kDialogKindMarker = 0x5498FCAE;   // every CADialog
inline constexpr uint32_t kViewKindMarker = 0x5498FCAF;     // every view
inline constexpr uint32_t kListPageKindMarker = 0x8945FEDA; // list pages of a tabbed dialog
