#include "features/performance/graphs/pm_grid_model.h"

#include <algorithm>

void CPmGridModel::SetSeries(const QStringList& titles)
{
    beginResetModel();
    titles_ = titles;
    rows_.clear();
    held_.assign(static_cast<size_t>(titles.size()), {});
    endResetModel();
}

void CPmGridModel::Clear()
{
    beginResetModel();
    rows_.clear();
    for (std::deque<uint32_t>& held : held_)
        held.clear();
    endResetModel();
}

void CPmGridModel::AddPoint(int series, uint32_t x, double value, const QString& label)
{
    if (series < 0 || static_cast<size_t>(series) >= held_.size())
        return;
    held_[static_cast<size_t>(series)].push_back(x);
    // Points come in x order: the row is the last one or a new one after it.
    if (rows_.empty() || rows_.back().x < x) {
        const int row = static_cast<int>(rows_.size());
        beginInsertRows({}, row, row);
        rows_.push_back({x, label, std::vector<std::optional<double>>(held_.size())});
        endInsertRows();
    }
    auto it = std::lower_bound(rows_.begin(), rows_.end(), x, [](const Row& r, uint32_t value) { return r.x < value; });
    if (it == rows_.end() || it->x != x)
        return;
    it->values[static_cast<size_t>(series)] = value;
    const int row = static_cast<int>(it - rows_.begin());
    emit dataChanged(index(row, series + 1), index(row, series + 1));
}

void CPmGridModel::DropOldest(int series)
{
    if (series < 0 || static_cast<size_t>(series) >= held_.size() || held_[static_cast<size_t>(series)].empty())
        return;
    held_[static_cast<size_t>(series)].pop_front();
    uint32_t oldest = UINT32_MAX;
    for (const std::deque<uint32_t>& held : held_) {
        if (!held.empty())
            oldest = std::min(oldest, held.front());
    }
    int gone = 0;
    while (static_cast<size_t>(gone) < rows_.size() && rows_[static_cast<size_t>(gone)].x < oldest)
        ++gone;
    if (gone == 0)
        return;
    beginRemoveRows({}, 0, gone - 1);
    rows_.erase(rows_.begin(), rows_.begin() + gone);
    endRemoveRows();
}

int CPmGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CPmGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(titles_.size()) + 1;
}

QVariant CPmGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue<int>(Qt::AlignRight | Qt::AlignVCenter);
    const Row& row = rows_[static_cast<size_t>(index.row())];
    if (index.column() == 0)
        return row.label;
    const std::optional<double>& value = row.values[static_cast<size_t>(index.column() - 1)];
    return value ? QString::number(*value, 'f', *value == static_cast<double>(static_cast<int64_t>(*value)) ? 0 : 1)
                 : QString();
}

QVariant CPmGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QVariant(QStringLiteral("X")) : QVariant(titles_.value(section - 1));
}
