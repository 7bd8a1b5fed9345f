#pragma once
// The row (or column) sizing rule of the frame's splitters. Window-free.

#include <optional>
#include <vector>

// New pane sizes after asking pane `pane` for `newSize`. Pane 0 is set directly. For a later pane n the difference
// to its current size is shared out: each pane before it gives (newSize - current) / n (truncated) and pane n takes
// the new size. Nothing changes (nullopt) when the share is 0 or the pane does not exist.
std::optional<std::vector<int>> ShareSplitterPane(const std::vector<int>& sizes, int pane, int newSize);
