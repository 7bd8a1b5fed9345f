#pragma once
// The settings of a search in the location tree and the match of one item's text against them.

#include <QString>

#include <cstdint>

struct TreeSearchSettings {
    QString text;           // at most 20 characters
    uint8_t kind = 3;       // 0 location, 1 NE, 2 member, 3 any
    bool wholeText = false; // the whole name must equal the text
    bool matchCase = false;
    bool fromTop = true;
};

inline constexpr int kSearchTextMax = 20;
inline constexpr uint8_t kSearchAnyKind = 3;

// Whether an item text matches: equal with whole text, else containing; compared in upper case unless match case.
bool SearchTextMatches(const TreeSearchSettings& settings, const QString& itemText);
