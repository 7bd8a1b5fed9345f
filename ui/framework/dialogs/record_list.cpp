#include "ui/framework/dialogs/record_list.h"

#include "core/list/list_sort.h"
#include "ui/framework/lists/record_table_model.h"

CListRows::CListRows(CRecordListDlg& dialog)
    : dialog_(dialog), model_(new CRecordTableModel(
                           {[this](uint32_t key, int column) { return closing_ ? QString() : CellText(key, column); },
                            [this](uint32_t key, int column) { return closing_ ? -1 : CellImage(key, column); }},
                           &dialog))
{
}

CListRows::~CListRows()
{
    // The list may still ask for cells while the dialog closes, after the records and the columns are gone.
    closing_ = true;
    model_->Clear();
}

uint32_t CListRows::ArrivalOf(uint32_t key) const
{
    const auto found = arrivals_.find(key);
    return found != arrivals_.end() ? found->second : 0;
}

int CListRows::Compare(uint32_t key1, uint32_t key2, uint32_t flags) const
{
    const int column = static_cast<int>(flags & 0xFF);
    if (column >= ColumnCount())
        return CompareItemData(key1, key2, flags);
    const bool has1 = HasRecord(key1);
    const bool has2 = HasRecord(key2);
    if (!has1 || !has2)
        return static_cast<int>(has1) - static_cast<int>(has2);
    const bool descending = (flags & kCompareDescending) != 0;
    ListSortRow made1;
    ListSortRow made2;
    const ListSortRow& row1 = KeptSortRow(key1, column, made1);
    const ListSortRow& row2 = KeptSortRow(key2, column, made2);
    if (tieColumns_.empty())
        return CompareListRows(OrderOf(column), ties_, descending, row1, row2);
    // Rows equal in the clicked column go by the further columns, each in its own order and the clicked column's
    // direction, and only then by the ties.
    int result = CompareListRows(OrderOf(column), ListTies::kNone, descending, row1, row2);
    for (int further : tieColumns_) {
        if (result != 0)
            return result;
        if (further != column && further < ColumnCount())
            result = CompareListRows(OrderOf(further), ListTies::kNone, descending, SortRowOf(key1, further),
                                     SortRowOf(key2, further));
    }
    return result != 0 ? result : CompareListRows(OrderOf(column), ties_, descending, row1, row2);
}

const ListSortRow& CListRows::KeptSortRow(uint32_t key, int column, ListSortRow& made) const
{
    if (!keepSortRows_) {
        made = SortRowOf(key, column);
        return made;
    }
    if (column != sortRowsColumn_) {
        sortRows_.clear();
        sortRowsColumn_ = column;
    }
    auto found = sortRows_.find(key);
    if (found == sortRows_.end())
        found = sortRows_.emplace(key, SortRowOf(key, column)).first;
    return found->second;
}

ListSortRow CListRows::SortRowOf(uint32_t key, int column) const
{
    return {SortValue(key, column), key, ArrivalOf(key)};
}

void CListRows::KeepSortRows(bool on)
{
    keepSortRows_ = on;
    sortRows_.clear();
    sortRowsColumn_ = -1;
}

void CListRows::ApplyWidthRules(int listId) const
{
    for (int column = 0; column < ColumnCount(); ++column) {
        if (const char* widest = WidestValue(column))
            dialog_.SetColumnSamples(column, {QString::fromUtf8(widest)}, listId);
    }
}

void CListRows::SetRowKeys(const std::vector<uint32_t>& keys)
{
    arrivals_.clear();
    lastArrival_ = 0;
    for (uint32_t key : keys)
        arrivals_.emplace(key, ++lastArrival_);
    model_->SetKeys(keys);
}

void CListRows::AppendRow(uint32_t key)
{
    arrivals_.emplace(key, ++lastArrival_);
    model_->InsertKeys(model_->RowCount(), {key});
    Relayout();
}

void CListRows::RewriteRow(uint32_t key)
{
    const int row = model_->RowOfKey(key);
    model_->RowsChanged(row, row);
    Relayout();
}

void CListRows::RemoveRowOf(uint32_t key)
{
    model_->RemoveKeys({key});
    arrivals_.erase(key);
    dialog_.UpdateRowCommands();
}

void CListRows::ApplyRowChanges(const std::vector<uint32_t>& removed, const std::vector<uint32_t>& appended,
                                bool changed)
{
    if (!removed.empty()) {
        model_->RemoveKeys(removed);
        for (uint32_t key : removed)
            arrivals_.erase(key);
    }
    for (uint32_t key : appended)
        arrivals_.emplace(key, ++lastArrival_);
    model_->InsertKeys(model_->RowCount(), appended);
    if (changed)
        model_->RowsChanged(0, model_->RowCount() - 1);
    if (!removed.empty())
        dialog_.UpdateRowCommands();
    if (changed || !appended.empty())
        Relayout();
}

int CListRows::ListId() const
{
    return listId_ != 0 ? listId_ : dialog_.GetListId();
}

void CListRows::Relayout() const
{
    dialog_.UpdateListLayout(ListId());
}
