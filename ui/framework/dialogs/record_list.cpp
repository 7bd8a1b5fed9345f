#include "ui/framework/dialogs/record_list.h"

#include "core/list/list_sort.h"
#include "platform/list_control.h"
#include "ui/framework/lists/record_table_model.h"

#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

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
    SortEntry made1;
    SortEntry made2;
    const SortEntry& entry1 = KeptSortEntry(key1, column, made1);
    const SortEntry& entry2 = KeptSortEntry(key2, column, made2);
    if (!entry1.hasRecord || !entry2.hasRecord)
        return static_cast<int>(entry1.hasRecord) - static_cast<int>(entry2.hasRecord);
    const bool descending = (flags & kCompareDescending) != 0;
    const ListSortRow& row1 = entry1.row;
    const ListSortRow& row2 = entry2.row;
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

const CListRows::SortEntry& CListRows::KeptSortEntry(uint32_t key, int column, SortEntry& made) const
{
    const auto entryOf = [&] {
        const bool hasRecord = HasRecord(key);
        return SortEntry{hasRecord, hasRecord ? SortRowOf(key, column) : ListSortRow{{}, key, ArrivalOf(key)}};
    };
    // A row's number is had as fast as a kept entry would be.
    if (!keepSortRows_ || OrderOf(column) == ListOrder::kArrival) {
        made = entryOf();
        return made;
    }
    if (column != sortRowsColumn_) {
        sortRows_.clear();
        sortRows_.reserve(static_cast<size_t>(model_->RowCount()));
        sortRowsColumn_ = column;
    }
    auto found = sortRows_.find(key);
    if (found == sortRows_.end())
        found = sortRows_.emplace(key, entryOf()).first;
    return found->second;
}

ListSortRow CListRows::SortRowOf(uint32_t key, int column) const
{
    // The order the rows came in needs their numbers only, not a value made of each.
    if (OrderOf(column) == ListOrder::kArrival)
        return {{}, key, ArrivalOf(key)};
    return {SortValue(key, column), key, ArrivalOf(key)};
}

void CListRows::KeepSortRows(bool on)
{
    keepSortRows_ = on;
    sortRows_.clear();
    sortRowsColumn_ = -1;
}

void CListRows::SetRowKeys(const std::vector<uint32_t>& keys)
{
    arrivals_.clear();
    arrivals_.reserve(keys.size());
    lastArrival_ = 0;
    for (uint32_t key : keys)
        arrivals_.emplace(key, ++lastArrival_);
    model_->SetKeys(keys);
    // Before the first show, its layout measures every row.
    if (dialog_.IsFirstShowDone())
        Relayout();
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

void CListRows::RemoveRows(const std::vector<uint32_t>& keys)
{
    CListControl list(dialog_.FindList(ListId()));
    bool selectedGoes = false;
    for (int row = list.GetNextSelected(-1); row >= 0 && !selectedGoes; row = list.GetNextSelected(row))
        selectedGoes = std::find(keys.begin(), keys.end(), list.GetItemData(row)) != keys.end();
    model_->RemoveKeys(keys);
    for (uint32_t key : keys)
        arrivals_.erase(key);
    if (QTreeView* view = dialog_.FindList(ListId()); selectedGoes && view != nullptr && view->selectionModel())
        view->selectionModel()->clear();
}

void CListRows::RemoveRowOf(uint32_t key)
{
    RemoveRows({key});
    dialog_.UpdateRowCommands();
}

void CListRows::ApplyRowChanges(const std::vector<uint32_t>& removed, const std::vector<uint32_t>& appended,
                                bool changed)
{
    if (!removed.empty())
        RemoveRows(removed);
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
