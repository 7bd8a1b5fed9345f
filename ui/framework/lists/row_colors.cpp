#include "ui/framework/lists/row_colors.h"

#include "core/entity/entity_id.h"

namespace {

int StyleWithKey(const RowColorTable& table, int count, uint32_t key, uint32_t mask = 0xFFFFFFFFu)
{
    for (int i = 0; i < count; ++i) {
        if ((table.styles[static_cast<size_t>(i)].key & mask) == key)
            return i;
    }
    return -1;
}

} // namespace

int SelectRowStyle(const RowColorTable& table, const RowColorCell& cell)
{
    const int count = table.count > kMaxRowStyles ? kMaxRowStyles : table.count;
    if (count == 0)
        return -1;
    switch (table.mode) {
    case kRowColorsNone:
        return -1;
    case kRowColorsByImage:
        return cell.image < 0 ? -1 : StyleWithKey(table, count, static_cast<uint32_t>(cell.image));
    case kRowColorsByLevel: {
        const int level = EntityIndexFromId(cell.itemData).GetLevel();
        return level < count ? level : -1;
    }
    case kRowColorsByRuns:
        return cell.runIndex < 0 ? -1 : cell.runIndex % count;
    case kRowColorsByData:
        return StyleWithKey(table, count, cell.itemData);
    case kRowColorsByColumn:
        return cell.column < 0 ? -1 : StyleWithKey(table, count, static_cast<uint32_t>(cell.column));
    case kRowColorsByState:
        return StyleWithKey(table, count, cell.state & kCellStateKeyMask, kCellStateKeyMask);
    default: {
        // Weighted banding: the keys are the weights; with no weight at all there is no band.
        uint64_t total = 0;
        for (int i = 0; i < count; ++i)
            total += table.styles[static_cast<size_t>(i)].key;
        if (total == 0 || cell.row < 0)
            return -1;
        uint64_t position = static_cast<uint64_t>(cell.row) % total;
        for (int i = 0; i < count; ++i) {
            const uint32_t weight = table.styles[static_cast<size_t>(i)].key;
            if (position < weight)
                return i;
            position -= weight;
        }
        return -1;
    }
    }
}
