#pragma once
// Row colours of the lists: up to 32 styles of (key, text colour, back colour) and a mode that says how a cell picks
// its style. Window-free.

#include <array>
#include <cstdint>

using COLORREF = uint32_t;

inline constexpr int kMaxRowStyles = 32;

struct RowColorStyle {
    uint32_t key = 0;
    COLORREF textColor = 0x000000;
    COLORREF backColor = 0xFFFFFF;
    bool operator==(const RowColorStyle&) const = default;
};

// Row colour modes.
inline constexpr int kRowColorsNone = 0;
inline constexpr int kRowColorsBanded = 1;   // weighted banding by row number (the default)
inline constexpr int kRowColorsByImage = 2;  // key = the row's column-0 image
inline constexpr int kRowColorsByLevel = 3;  // style index = entity level of the row's item data
inline constexpr int kRowColorsByRuns = 4;   // the next style whenever the item data changes from the row above
inline constexpr int kRowColorsByData = 5;   // key = the row's item data
inline constexpr int kRowColorsByColumn = 6; // key = the column
inline constexpr int kRowColorsByState = 7;  // key & 0x59 = the cell's state bits

// Cell state bits.
inline constexpr uint32_t kCellSelected = 0x01;
inline constexpr uint32_t kCellChecked = 0x08;
inline constexpr uint32_t kCellFocused = 0x10;
inline constexpr uint32_t kCellHot = 0x40;
inline constexpr uint32_t kCellStateKeyMask = 0x59;

struct RowColorTable {
    uint8_t mode = kRowColorsBanded;
    uint8_t count = 2;
    std::array<RowColorStyle, kMaxRowStyles> styles{};

    // Style 0 white, style 1 light green, each of weight 1: alternate rows.
    RowColorTable()
    {
        styles[0] = {1, 0x000000, 0xFFFFFF};
        styles[1] = {1, 0x000000, 0x80FF80};
    }
};

// What the modes look at for one cell.
struct RowColorCell {
    int row = 0;
    int column = 0;
    int image = -1; // the row's column-0 image
    uint32_t itemData = 0;
    uint32_t state = 0; // cell state bits
    int runIndex = 0;   // mode 4: how often the item data changed from row 0 down to this row
};

// The style a cell takes, -1 for none (black on white).
int SelectRowStyle(const RowColorTable& table, const RowColorCell& cell);
