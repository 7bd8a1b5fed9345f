#include "features/performance/common/up_down_rows.h"

#include "ui/framework/messages/string_table.h"

#include <QStringList>

std::vector<ListColumn<UpDownRow>> UpDownColumns()
{
    using R = UpDownRow;
    return {
        {.value = [](const R& row) { return ListValue(row.item); }, .order = ListOrder::kArrival},
        {.value = [](const R& row) { return ListValue(row.downstream); }, .order = ListOrder::kArrival},
        {.value = [](const R& row) { return ListValue(row.upstream); }, .order = ListOrder::kArrival},
    };
}

std::vector<UpDownRow> UpDownRows(uint32_t itemsStringId)
{
    std::vector<UpDownRow> rows;
    for (const QString& item : LoadQString(itemsStringId).split('|'))
        rows.push_back({static_cast<uint32_t>(rows.size()), item.toStdString(), {}, {}});
    return rows;
}
