#pragma once
// The order and the filter of a model-backed list over its CRecordTableModel, behaving as a list control does: the
// rows keep the order the source gives them until a sort, which orders them once by a comparison of their keys (the
// host's CompareItems, with the flags a widget list's sort passes). Rows the source adds later go where the source
// puts them: on top when it adds them on its top, at the bottom when at its bottom, else below the row that comes
// before them in the source. The filter keeps the rows whose key the predicate accepts, for rows as they come and,
// after Refilter, for every row; a row it leaves out keeps its place in the order for when it comes back.

#include "ui/framework/lists/record_table_model.h"

#include <QAbstractProxyModel>

#include <cstdint>
#include <functional>
#include <vector>

class CRecordSortProxy : public QAbstractProxyModel {
    Q_OBJECT
public:
    // Below 0, 0 or above 0, as the first key's row goes before, with or after the second's.
    using Compare = std::function<int(uint32_t, uint32_t)>;
    using Filter = std::function<bool(uint32_t)>;

    explicit CRecordSortProxy(CRecordTableModel& source, QObject* parent = nullptr);

    CRecordTableModel& Records() const { return source_; }
    // A stable sort of every row, the selection and the current row staying with their rows.
    void Sort(const Compare& compare);
    // The predicate for rows to come; an empty one accepts every row. Refilter applies it to the rows there are.
    void SetFilter(Filter accept) { accept_ = std::move(accept); }
    void Refilter();

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    bool insertColumns(int column, int count, const QModelIndex& parent = {}) override;
    bool removeColumns(int column, int count, const QModelIndex& parent = {}) override;

private:
    bool Accepts(int sourceRow) const;
    // Rebuilds the shown rows from the order and the accepted flags.
    void RebuildShown();
    // Takes off the shown rows whose source row leaves.
    void RemoveShownRuns(const std::function<bool(int sourceRow)>& leaves);
    // The shown row of a source row, -1 when it is filtered out.
    int ShownRowOf(int sourceRow) const;

    void OnRowsInserted(int first, int last);
    void OnRowsAboutToBeRemoved(int first, int last);
    void OnRowsRemoved(int first, int last);
    void OnReset();
    void OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles);

    CRecordTableModel& source_;
    Filter accept_;
    std::vector<int> order_;        // every source row, in the list's order
    std::vector<uint8_t> accepted_; // per source row
    std::vector<int> shown_;        // the accepted rows of order_: shown row -> source row
    // Source row -> shown row, made again when asked for after a change.
    mutable std::vector<int> shownOf_;
    mutable bool shownOfStale_ = true;
};
