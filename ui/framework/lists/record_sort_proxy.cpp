#include "ui/framework/lists/record_sort_proxy.h"

#include <algorithm>
#include <numeric>

CRecordSortProxy::CRecordSortProxy(CRecordTableModel& source, QObject* parent)
    : QAbstractProxyModel(parent), source_(source)
{
    QAbstractProxyModel::setSourceModel(&source);
    connect(&source, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { OnRowsInserted(first, last); });
    connect(&source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { OnRowsAboutToBeRemoved(first, last); });
    connect(&source, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) { OnRowsRemoved(first, last); });
    connect(&source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&source, &QAbstractItemModel::modelReset, this, [this] {
        OnReset();
        endResetModel();
    });
    connect(&source, &QAbstractItemModel::dataChanged, this, &CRecordSortProxy::OnDataChanged);
    connect(&source, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
    connect(&source, &QAbstractItemModel::columnsAboutToBeInserted, this,
            [this](const QModelIndex&, int first, int last) { beginInsertColumns({}, first, last); });
    connect(&source, &QAbstractItemModel::columnsInserted, this, [this] { endInsertColumns(); });
    connect(&source, &QAbstractItemModel::columnsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { beginRemoveColumns({}, first, last); });
    connect(&source, &QAbstractItemModel::columnsRemoved, this, [this] { endRemoveColumns(); });
    OnReset();
}

bool CRecordSortProxy::Accepts(int sourceRow) const
{
    return !accept_ || accept_(source_.KeyAt(sourceRow));
}

void CRecordSortProxy::RebuildShown()
{
    shown_.clear();
    for (int row : order_) {
        if (accepted_[static_cast<size_t>(row)] != 0)
            shown_.push_back(row);
    }
    shownOfStale_ = true;
}

int CRecordSortProxy::ShownRowOf(int sourceRow) const
{
    if (shownOfStale_) {
        shownOf_.assign(static_cast<size_t>(source_.RowCount()), -1);
        for (size_t r = 0; r < shown_.size(); ++r) {
            if (static_cast<size_t>(shown_[r]) < shownOf_.size())
                shownOf_[static_cast<size_t>(shown_[r])] = static_cast<int>(r);
        }
        shownOfStale_ = false;
    }
    return sourceRow >= 0 && static_cast<size_t>(sourceRow) < shownOf_.size() ? shownOf_[static_cast<size_t>(sourceRow)]
                                                                              : -1;
}

void CRecordSortProxy::OnReset()
{
    order_.resize(static_cast<size_t>(source_.RowCount()));
    std::iota(order_.begin(), order_.end(), 0);
    accepted_.resize(order_.size());
    for (size_t row = 0; row < order_.size(); ++row)
        accepted_[row] = Accepts(static_cast<int>(row)) ? 1 : 0;
    RebuildShown();
}

void CRecordSortProxy::OnRowsInserted(int first, int last)
{
    const int count = last - first + 1;
    const bool atTop = first == 0;
    const bool atBottom = last == source_.RowCount() - 1;
    // The shown rows keep their records under the source's new numbers before the new rows come in.
    for (int& row : order_)
        row += row >= first ? count : 0;
    for (int& row : shown_)
        row += row >= first ? count : 0;
    accepted_.insert(accepted_.begin() + first, static_cast<size_t>(count), 0);
    std::vector<int> added;
    for (int row = first; row <= last; ++row) {
        accepted_[static_cast<size_t>(row)] = Accepts(row) ? 1 : 0;
        if (accepted_[static_cast<size_t>(row)] != 0)
            added.push_back(row);
    }
    size_t at = order_.size();
    if (atTop)
        at = 0;
    else if (!atBottom)
        at = static_cast<size_t>(std::find(order_.begin(), order_.end(), first - 1) - order_.begin()) + 1;
    const int shownAt =
        static_cast<int>(std::count_if(order_.begin(), order_.begin() + static_cast<ptrdiff_t>(at),
                                       [this](int row) { return accepted_[static_cast<size_t>(row)]; }));
    std::vector<int> inserted(static_cast<size_t>(count));
    std::iota(inserted.begin(), inserted.end(), first);
    order_.insert(order_.begin() + static_cast<ptrdiff_t>(at), inserted.begin(), inserted.end());
    shownOfStale_ = true;
    if (added.empty())
        return;
    beginInsertRows({}, shownAt, shownAt + static_cast<int>(added.size()) - 1);
    shown_.insert(shown_.begin() + shownAt, added.begin(), added.end());
    shownOfStale_ = true;
    endInsertRows();
}

void CRecordSortProxy::OnRowsAboutToBeRemoved(int first, int last)
{
    // The shown rows of the leaving records go while the source still holds them.
    RemoveShownRuns([&](int sourceRow) { return sourceRow >= first && sourceRow <= last; });
}

void CRecordSortProxy::RemoveShownRuns(const std::function<bool(int sourceRow)>& leaves)
{
    // In runs from the bottom up, one removal per run.
    for (int row = static_cast<int>(shown_.size()) - 1; row >= 0; --row) {
        const auto shownLeaves = [&](int shown) { return leaves(shown_[static_cast<size_t>(shown)]); };
        if (!shownLeaves(row))
            continue;
        int top = row;
        while (top > 0 && shownLeaves(top - 1))
            --top;
        beginRemoveRows({}, top, row);
        shown_.erase(shown_.begin() + top, shown_.begin() + row + 1);
        shownOfStale_ = true;
        endRemoveRows();
        row = top;
    }
}

void CRecordSortProxy::OnRowsRemoved(int first, int last)
{
    const int count = last - first + 1;
    std::erase_if(order_, [&](int row) { return row >= first && row <= last; });
    for (int& row : order_)
        row -= row > last ? count : 0;
    for (int& row : shown_)
        row -= row > last ? count : 0;
    accepted_.erase(accepted_.begin() + first, accepted_.begin() + last + 1);
    shownOfStale_ = true;
}

void CRecordSortProxy::OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                     const QList<int>& roles)
{
    if (!topLeft.isValid() || !bottomRight.isValid())
        return;
    int top = rowCount();
    int bottom = -1;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        const int shown = ShownRowOf(row);
        if (shown >= 0) {
            top = std::min(top, shown);
            bottom = std::max(bottom, shown);
        }
    }
    if (bottom >= 0)
        emit dataChanged(index(top, topLeft.column()), index(bottom, bottomRight.column()), roles);
}

void CRecordSortProxy::Sort(const Compare& compare)
{
    if (!compare)
        return;
    const std::vector<uint32_t>& keys = source_.Keys();
    const auto goesBefore = [&](int a, int b) {
        return compare(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]) < 0;
    };
    // Rows that come in the order asked for (a list filled in its first column's order, sorted by it when it shows)
    // stay as they are: one look at each neighbour instead of a sort.
    if (std::is_sorted(order_.begin(), order_.end(), goesBefore))
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> sourceRows;
    sourceRows.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& index : before)
        sourceRows.push_back(shown_[static_cast<size_t>(index.row())]);

    std::stable_sort(order_.begin(), order_.end(), goesBefore);
    RebuildShown();

    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.push_back(createIndex(ShownRowOf(sourceRows[static_cast<size_t>(i)]), before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CRecordSortProxy::Refilter()
{
    std::vector<uint8_t> now(accepted_.size());
    for (size_t row = 0; row < now.size(); ++row)
        now[row] = Accepts(static_cast<int>(row)) ? 1 : 0;

    // Rows that leave go first; then the rows that come, in runs at their places.
    RemoveShownRuns([&](int sourceRow) { return now[static_cast<size_t>(sourceRow)] == 0; });
    std::vector<int> wanted;
    for (int row : order_) {
        if (now[static_cast<size_t>(row)] != 0)
            wanted.push_back(row);
    }
    // The rows shown now are in the order of `wanted`, so each run missing from them goes in where it is wanted.
    size_t shownAt = 0;
    for (size_t i = 0; i < wanted.size();) {
        if (shownAt < shown_.size() && shown_[shownAt] == wanted[i]) {
            ++shownAt;
            ++i;
            continue;
        }
        size_t end = i;
        while (end < wanted.size() && (shownAt >= shown_.size() || wanted[end] != shown_[shownAt]))
            ++end;
        const int at = static_cast<int>(shownAt);
        beginInsertRows({}, at, at + static_cast<int>(end - i) - 1);
        shown_.insert(shown_.begin() + at, wanted.begin() + static_cast<ptrdiff_t>(i),
                      wanted.begin() + static_cast<ptrdiff_t>(end));
        shownOfStale_ = true;
        endInsertRows();
        shownAt += end - i;
        i = end;
    }
    accepted_ = std::move(now);
}

QModelIndex CRecordSortProxy::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid() || proxyIndex.model() != this || proxyIndex.row() >= rowCount())
        return {};
    return source_.index(shown_[static_cast<size_t>(proxyIndex.row())], proxyIndex.column());
}

QModelIndex CRecordSortProxy::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.model() != &source_)
        return {};
    const int row = ShownRowOf(sourceIndex.row());
    return row >= 0 ? createIndex(row, sourceIndex.column()) : QModelIndex();
}

QModelIndex CRecordSortProxy::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex CRecordSortProxy::parent(const QModelIndex&) const
{
    return {};
}

int CRecordSortProxy::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int CRecordSortProxy::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : source_.columnCount();
}

bool CRecordSortProxy::hasChildren(const QModelIndex& parent) const
{
    return !parent.isValid() && rowCount() > 0 && columnCount() > 0;
}

QVariant CRecordSortProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    return orientation == Qt::Horizontal ? source_.headerData(section, orientation, role) : QVariant();
}

bool CRecordSortProxy::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    return orientation == Qt::Horizontal && source_.setHeaderData(section, orientation, value, role);
}

bool CRecordSortProxy::insertColumns(int column, int count, const QModelIndex& parent)
{
    return !parent.isValid() && source_.insertColumns(column, count);
}

bool CRecordSortProxy::removeColumns(int column, int count, const QModelIndex& parent)
{
    return !parent.isValid() && source_.removeColumns(column, count);
}
