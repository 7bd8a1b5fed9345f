#pragma once
// The view tabs of the dialog bar: which views the selected item offers, by its kind and the link mode. Window-free.

#include <array>
#include <cstdint>
#include <vector>

// View codes.
inline constexpr int kViewNone = -1;
inline constexpr int kViewAbout = 1;
inline constexpr int kViewRack = 2;
inline constexpr int kViewGeographics = 3;
inline constexpr int kViewTopology = 4;
inline constexpr int kViewTree = 5;
inline constexpr int kViewAlarmSummary = 6;
inline constexpr int kViewTrapLog = 7;
// Arguments of SelectView in place of a view code.
inline constexpr int kSelectFirstTab = 250;
inline constexpr int kKeepCurrentView = 251;

// The tab table: a view code per tab, kNoTab for none.
inline constexpr int kMaxViewTabs = 20;
inline constexpr uint8_t kNoTab = 1;
using ViewTabTable = std::array<uint8_t, kMaxViewTabs>;

struct ViewTabDef {
    int code = kViewAbout;
    uint32_t textId = 0;
    const char* text = ""; // the string's text, for a table that lacks it
};

// Kinds 4 and 6 (NE-level items): Rack, Geographics (server mode only), Trap Log; kinds 0, 1, 2, 3 and 5:
// Geographics (server mode only) and Trap Log; other kinds none.
std::vector<ViewTabDef> ViewTabsForKind(int kind, bool directMode);

// The view code of a tab; an index outside 0..18 takes the last entry.
int ViewCodeOfTab(const ViewTabTable& table, int tabIndex);

// The code a right-hand view is created for: the code when it names a view of the right pane, else the About view.
int RightViewCodeFor(int code);
