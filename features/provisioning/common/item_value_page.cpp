#include "features/provisioning/common/item_value_page.h"

#include "ui/framework/messages/string_table.h"

#include <QStringList>

#include <vector>

namespace {

std::vector<ListColumn<ItemValueRow>> Columns()
{
    return {
        {.value = [](const ItemValueRow& row) { return ListValue(row.item); }, .order = ListOrder::kArrival},
        {.value = [](const ItemValueRow& row) { return ListValue(row.value); }, .order = ListOrder::kArrival},
    };
}

} // namespace

CItemValuePage::CItemValuePage(int templateId, const char* popupName, const char* exportStem, QWidget* parent)
    : CRecordListDlg(templateId, {.popupName = popupName, .rowCommands = {}, .exportStem = exportStem}, parent),
      rows_(*this, Columns(), [](const ItemValueRow& row) { return row.number; })
{
}

void CItemValuePage::SetItems(uint32_t columnsStringId, uint32_t itemsStringId)
{
    SetRecordList(rows_);
    SetNoSort(true);
    InitListColumnsById(columnsStringId);
    std::vector<ItemValueRow> rows;
    for (const QString& item : LoadQString(itemsStringId).split('|'))
        rows.push_back({static_cast<uint32_t>(rows.size()), item.toStdString(), {}});
    rows_.SetRecords(rows);
}

void CItemValuePage::ClearValues()
{
    for (uint32_t row = 0; rows_.Find(row) != nullptr; ++row)
        SetValue(row, {});
}

void CItemValuePage::SetValue(uint32_t row, std::string value)
{
    const ItemValueRow* rec = rows_.Find(row);
    if (rec == nullptr)
        return;
    ItemValueRow changed = *rec;
    changed.value = std::move(value);
    rows_.Put(changed);
}

bool CItemValuePage::OnCommand(int id, int code)
{
    // The popup's commands are the container's: its Refresh, its Export of the current page, its Close.
    CADialog* container = ParentDialog();
    if (code == BN_CLICKED && container != nullptr &&
        (id == kPopupRefresh || id == kPopupExport || id == kPopupClose)) {
        container->OnCommand(id, code);
        return true;
    }
    return CRecordListDlg::OnCommand(id, code);
}
