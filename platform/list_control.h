#pragma once
// A report-style list over a tree view without root decoration, addressed by row and column as the handlers address
// list controls. Every row keeps a 32-bit item data value (Qt::UserRole of column 0) and an image index per cell
// (kListImageRole; -1 for none: the list's drawing code turns indexes into pictures). The wrapper does not own the
// widget and keeps no state of its own, so it can be made wherever a list is needed:
//     CListControl list(GetDlgItemAs<QTreeWidget>(1212));
//
// A list is one of two kinds. A QTreeWidget holds its rows as items, and the wrapper writes them (InsertItem,
// SetItemText ...). A plain QTreeView shows a model its owner fills (a model-backed list for many rows or live ones):
// the wrapper reads it as it reads a widget list, in the order the list shows, and its row and cell writes fail
// there (the owner changes the model). Columns, selection, the current row and check box states work on both (a
// model keeps the ticks it is given through Qt::CheckStateRole).

#include <QString>
#include <QTreeView>
#include <QTreeWidget>

#include <cstdint>
#include <functional>

inline constexpr int kListImageRole = Qt::UserRole + 1;
inline constexpr int kListFormatRole = Qt::UserRole + 2; // on the header item: the column's format

// Column formats (alignment of the header and the cells).
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;

class CListControl {
public:
    explicit CListControl(QTreeView* list = nullptr) : list_(list) {}

    // Gives a tree view the behaviour of a report list: flat rows, whole-row selection, no sorting of its own.
    static void SetUpReportView(QTreeView* list);

    QTreeView* Widget() const { return list_; }
    // The list as a widget list; null for a model-backed one.
    QTreeWidget* ItemWidget() const { return qobject_cast<QTreeWidget*>(list_); }
    bool IsValid() const { return list_ != nullptr; }

    int GetColumnCount() const;
    // Inserts a column before `column` (at the end when beyond it); returns its index, -1 without a list. A width
    // below 0 keeps the default width.
    int InsertColumn(int column, const QString& title, int format = LVCFMT_LEFT, int width = -1);
    bool DeleteColumn(int column);
    void DeleteAllColumns();
    QString GetColumnTitle(int column) const;
    int GetColumnFormat(int column) const;
    bool SetColumnFormat(int column, int format);
    int GetColumnWidth(int column) const;
    bool SetColumnWidth(int column, int width);

    int GetItemCount() const;
    // Inserts a row before `row` (at the end when beyond it) with the text of column 0; returns its index, -1
    // without a list.
    int InsertItem(int row, const QString& text);
    bool DeleteItem(int row);
    void DeleteAllItems();
    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    bool SetItemData(int row, uint32_t data);
    uint32_t GetItemData(int row) const; // 0 for a row that does not exist
    // The row whose item data equals `data`, -1 when none.
    int FindItemByData(uint32_t data) const;
    bool SetItemImage(int row, int column, int image);
    int GetItemImage(int row, int column) const; // -1 when none

    int GetSelectedCount() const;
    // The first selected row after `after` (-1: from the top), -1 when none.
    int GetNextSelected(int after = -1) const;
    bool IsItemSelected(int row) const;
    bool SetItemSelected(int row, bool selected);
    int GetCurrentItem() const;
    bool SetCurrentItem(int row);
    bool EnsureVisible(int row);

    void EnableCheckBoxes(bool enable);
    bool HasCheckBoxes() const;
    bool GetCheck(int row) const;
    bool SetCheck(int row, bool checked);

    // Sorts the rows of a widget list by their item data: `compare` returns below 0, 0 or above 0. Equal rows keep
    // their order; selection and the current row stay with their rows.
    void SortItems(const std::function<int(uint32_t, uint32_t)>& compare);

private:
    QTreeWidgetItem* Item(int row) const;
    QAbstractItemModel* Model() const { return list_ != nullptr ? list_->model() : nullptr; }
    // The cell's index; invalid for a cell that does not exist.
    QModelIndex Cell(int row, int column) const;
    Qt::Alignment CellAlignment(int column) const;

    QTreeView* list_;
};
