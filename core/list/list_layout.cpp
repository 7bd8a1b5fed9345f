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

void CLayoutRows::Start(int first, int end)
{
    first_ = std::max(first, 0);
    next_ = first_;
    end_ = std::max(end, first_);
}

std::pair<int, int> CLayoutRows::Take(int budget)
{
    const int begin = next_;
    next_ = std::min(end_, next_ + std::max(budget, 0));
    return {begin, next_};
}

void CLayoutRows::Inserted(int first, int count)
{
    if (count <= 0 || Done())
        return;
    for (int* row : {&first_, &next_, &end_}) {
        if (first < *row)
            *row += count;
    }
}

bool CLayoutRows::Removed(int first, int count)
{
    if (count <= 0 || Done())
        return false;
    const int last = first + count;
    const bool measuredWent = std::max(first, first_) < std::min(last, next_);
    for (int* row : {&first_, &next_, &end_})
        *row = *row <= first ? *row : (*row >= last ? *row - count : first);
    if (measuredWent)
        next_ = first_;
    return measuredWent;
}

void CLayoutRows::Changed(int first, int last)
{
    if (Done() || last < first_ || first >= next_)
        return;
    next_ = std::max(first, first_);
}

void CLayoutRows::Restart(int rowCount)
{
    if (Done())
        return;
    next_ = first_;
    end_ = std::clamp(end_, first_, std::max(rowCount, first_));
}
