#pragma once
// The rows of a model-backed list: one 32-bit key per row, the row's item data (a record number, an id), and the
// owner's functions that make a cell's text and image from the key when the list asks for them. No cell text is kept,
// so a list of many thousand rows costs four bytes a row here beyond the owner's own records. The list shows the rows
// through a CRecordSortProxy, which orders and filters them; the host sets the pair up (CListHost::SetListModel):
//
//     records_ = new CRecordTableModel({[this](uint32_t key, int column) { return CellText(key, column); },
//                                       [this](uint32_t key, int column) { return CellImage(key, column); }}, this);
//     SetListModel(*records_);            // in the constructor, before the controls are bound
//     ...
//     records_->InsertKeys(0, {41, 40});  // two rows on top
//     records_->RemoveKeys({3});
//
// Roles: Qt::DisplayRole the cell text, Qt::UserRole of column 0 the key, kListImageRole the cell's image (none when
// the image function answers -1 or is not given), and, once the list has check boxes, Qt::CheckStateRole of column 0
// the row's tick, which the model keeps per key. The columns and their header data are the model's own: the host
// inserts them from its column spec as it does for a widget list.

#include <QAbstractTableModel>
#include <QMap>

#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

class CRecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct CellSource {
        std::function<QString(uint32_t key, int column)> text;
        std::function<int(uint32_t key, int column)> image; // -1: none; may be left empty
    };

    explicit CRecordTableModel(CellSource source, QObject* parent = nullptr);

    int RowCount() const { return static_cast<int>(keys_.size()); }
    uint32_t KeyAt(int row) const;
    // The first row with the key, -1 when none has it.
    int RowOfKey(uint32_t key) const;
    const std::vector<uint32_t>& Keys() const { return keys_; }

    // Every row anew, in the order given.
    void SetKeys(std::vector<uint32_t> keys);
    // Rows before `row` (at the end when beyond it), in the order given.
    void InsertKeys(int row, const std::vector<uint32_t>& keys);
    // Removes every row whose key is among `keys`; the rows are removed in runs from the bottom up.
    void RemoveKeys(std::vector<uint32_t> keys);
    void Clear() { SetKeys({}); }
    // The cells of rows first..last show new texts or images.
    void RowsChanged(int first, int last);

    // Check boxes: each row's tick goes with its key; a row that leaves loses it. A list whose owner ticks the rows
    // itself (on a click anywhere on the row) does not let the list's own handling tick them as well.
    void SetCheckable(bool on);
    void SetTickedByOwner(bool on) { tickedByOwner_ = on; }
    bool IsCheckable() const { return checkable_; }
    bool IsChecked(uint32_t key) const { return checked_.contains(key); }
    void SetChecked(uint32_t key, bool on);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    bool insertColumns(int column, int count, const QModelIndex& parent = {}) override;
    bool removeColumns(int column, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    CellSource source_;
    std::vector<uint32_t> keys_;
    bool checkable_ = false;
    bool tickedByOwner_ = false;
    std::unordered_set<uint32_t> checked_;
    // Per column: its header data by role (Qt::EditRole is kept as Qt::DisplayRole).
    std::vector<QMap<int, QVariant>> headers_;
};
