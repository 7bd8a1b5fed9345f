#include "ui/shell/frame/splitter_sizes.h"

std::optional<std::vector<int>> ShareSplitterPane(const std::vector<int>& sizes, int pane, int newSize)
{
    if (pane < 0 || pane >= static_cast<int>(sizes.size()))
        return std::nullopt;
    std::vector<int> result = sizes;
    if (pane == 0) {
        result[0] = newSize;
        return result;
    }
    const int share = (newSize - sizes[static_cast<size_t>(pane)]) / pane;
    if (share == 0)
        return std::nullopt;
    for (int i = 0; i < pane; ++i)
        result[static_cast<size_t>(i)] -= share;
    result[static_cast<size_t>(pane)] = newSize;
    return result;
}
