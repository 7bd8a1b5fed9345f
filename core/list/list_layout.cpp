#include "core/list/list_layout.h"

#include "core/list/column_spec.h"

#include <algorithm>

bool TakesPartInLayout(const LayoutColumn& column)
{
    if (column.flags & (kColumnHidden | kColumnZeroWidth))
        return false;
    if (column.flags & kColumnStretch)
        return true;
    return column.asked && column.currentWidth > 0;
}

std::vector<int> ComputeListLayout(const std::vector<LayoutColumn>& columns, int clientWidth, int frameExtra)
{
    std::vector<int> widths(columns.size(), 0);
    int total = frameExtra;
    std::vector<size_t> stretch;
    for (size_t i = 0; i < columns.size(); ++i) {
        const LayoutColumn& column = columns[i];
        if (column.flags & (kColumnHidden | kColumnZeroWidth))
            continue;
        if (TakesPartInLayout(column)) {
            widths[i] = std::max(column.desiredWidth, 0);
            if ((column.flags & kColumnStretch) && widths[i] > 0)
                stretch.push_back(i);
        } else {
            widths[i] = std::max(column.currentWidth, 0);
        }
        total += widths[i];
    }
    if (!stretch.empty() && total < clientWidth) {
        const int spare = clientWidth - total;
        const int share = spare / static_cast<int>(stretch.size());
        for (size_t i : stretch)
            widths[i] += share;
        widths[stretch.back()] += spare - share * static_cast<int>(stretch.size());
    }
    return widths;
}

int CellLayoutWidth(const CellMeasure& cell)
{
    int width = cell.textWidth + cell.margins;
    if (cell.firstColumn) {
        if (cell.smallImages)
            width += 20;
        if (cell.checkBoxes)
            width += 20;
        width += 16 * cell.indent;
    } else if (cell.subItemImages) {
        width += 20;
    }
    return width;
}

int HeaderLayoutWidth(int textWidth, int margins, bool hasImage)
{
    return textWidth + margins + 4 + (hasImage ? 28 : 0);
}

void CPendingRows::Add(int begin, int end)
{
    if (begin >= end)
        return;
    std::vector<std::pair<int, int>> runs;
    runs.reserve(runs_.size() + 1);
    bool placed = false;
    for (const auto& run : runs_) {
        if (run.second < begin) {
            runs.push_back(run);
        } else if (run.first > end) {
            if (!placed)
                runs.emplace_back(begin, end);
            placed = true;
            runs.push_back(run);
        } else {
            begin = std::min(begin, run.first);
            end = std::max(end, run.second);
        }
    }
    if (!placed)
        runs.emplace_back(begin, end);
    runs_ = std::move(runs);
}

void CPendingRows::Inserted(int first, int count)
{
    if (count <= 0)
        return;
    std::vector<std::pair<int, int>> runs;
    runs.reserve(runs_.size() + 1);
    for (const auto& [begin, end] : runs_) {
        if (end <= first)
            runs.emplace_back(begin, end);
        else if (begin >= first)
            runs.emplace_back(begin + count, end + count);
        else
            runs.insert(runs.end(), {{begin, first}, {first + count, end + count}});
    }
    runs_ = std::move(runs);
    Add(first, first + count);
}

void CPendingRows::Removed(int first, int count)
{
    if (count <= 0)
        return;
    const int last = first + count;
    std::vector<std::pair<int, int>> runs;
    runs.reserve(runs_.size());
    const auto moved = [&](int row) { return row <= first ? row : (row >= last ? row - count : first); };
    for (const auto& [begin, end] : runs_) {
        const int newBegin = moved(begin);
        const int newEnd = moved(end);
        if (newBegin < newEnd) {
            if (!runs.empty() && runs.back().second >= newBegin)
                runs.back().second = newEnd;
            else
                runs.emplace_back(newBegin, newEnd);
        }
    }
    runs_ = std::move(runs);
}

void CPendingRows::Changed(int first, int last)
{
    Add(std::max(first, 0), last + 1);
}

void CPendingRows::All(int rowCount)
{
    runs_.clear();
    if (rowCount > 0)
        runs_.emplace_back(0, rowCount);
}

void CPendingRows::Measured(int first, int last)
{
    std::vector<std::pair<int, int>> runs;
    runs.reserve(runs_.size() + 1);
    for (const auto& [begin, end] : runs_) {
        if (begin < first)
            runs.emplace_back(begin, std::min(end, first));
        if (end > last)
            runs.emplace_back(std::max(begin, last), end);
    }
    runs_ = std::move(runs);
}

int CPendingRows::Count() const
{
    int count = 0;
    for (const auto& [begin, end] : runs_)
        count += end - begin;
    return count;
}

std::vector<std::pair<int, int>> CPendingRows::Take(int budget)
{
    std::vector<std::pair<int, int>> taken;
    while (budget > 0 && !runs_.empty()) {
        auto& [begin, end] = runs_.front();
        const int rows = std::min(budget, end - begin);
        taken.emplace_back(begin, begin + rows);
        budget -= rows;
        begin += rows;
        if (begin == end)
            runs_.erase(runs_.begin());
    }
    return taken;
}
