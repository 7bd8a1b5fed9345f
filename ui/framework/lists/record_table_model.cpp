#include "ui/framework/lists/record_table_model.h"

#include "platform/list_control.h"

#include <algorithm>

CRecordTableModel::CRecordTableModel(CellSource source, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source))
{
}

uint32_t CRecordTableModel::KeyAt(int row) const
{
    return row >= 0 && row < RowCount() ? keys_[static_cast<size_t>(row)] : 0;
}

int CRecordTableModel::RowOfKey(uint32_t key) const
{
    const auto found = std::find(keys_.begin(), keys_.end(), key);
    return found != keys_.end() ? static_cast<int>(found - keys_.begin()) : -1;
}

void CRecordTableModel::SetKeys(std::vector<uint32_t> keys)
{
    beginResetModel();
    keys_ = std::move(keys);
    keys_.shrink_to_fit();
    checked_.clear();
    endResetModel();
}

void CRecordTableModel::SetCheckable(bool on)
{
    checkable_ = on;
    checked_.clear();
    RowsChanged(0, RowCount() - 1);
}

void CRecordTableModel::SetChecked(uint32_t key, bool on)
{
    const bool changed = on ? checked_.insert(key).second : checked_.erase(key) != 0;
    if (!changed)
        return;
    const int row = RowOfKey(key);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
}

void CRecordTableModel::InsertKeys(int row, const std::vector<uint32_t>& keys)
{
    if (keys.empty())
        return;
    const int at = std::clamp(row, 0, RowCount());
    beginInsertRows({}, at, at + static_cast<int>(keys.size()) - 1);
    keys_.insert(keys_.begin() + at, keys.begin(), keys.end());
    endInsertRows();
}

void CRecordTableModel::RemoveKeys(std::vector<uint32_t> keys)
{
    if (keys.empty() || keys_.empty())
        return;
    std::sort(keys.begin(), keys.end());
    const auto removed = [&keys](uint32_t key) { return std::binary_search(keys.begin(), keys.end(), key); };
    for (int last = RowCount() - 1; last >= 0; --last) {
        if (!removed(keys_[static_cast<size_t>(last)]))
            continue;
        int first = last;
        while (first > 0 && removed(keys_[static_cast<size_t>(first - 1)]))
            --first;
        removeRows(first, last - first + 1);
        last = first;
    }
}

void CRecordTableModel::RowsChanged(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, RowCount() - 1);
    if (first <= last && columnCount() > 0)
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

int CRecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int CRecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant CRecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const uint32_t key = keys_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return source_.text ? source_.text(key, index.column()) : QString();
    case Qt::UserRole:
        return index.column() == 0 ? QVariant::fromValue<quint32>(key) : QVariant();
    case kListImageRole: {
        const int image = source_.image ? source_.image(key, index.column()) : -1;
        return image >= 0 ? QVariant(image) : QVariant();
    }
    case Qt::CheckStateRole:
        if (!checkable_ || index.column() != 0)
            return {};
        return checked_.contains(key) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool CRecordTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !checkable_ || index.column() != 0 ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    SetChecked(keys_[static_cast<size_t>(index.row())], value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags CRecordTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (checkable_ && !tickedByOwner_ && index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant CRecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    return headers_[static_cast<size_t>(section)].value(role == Qt::EditRole ? Qt::DisplayRole : role);
}

bool CRecordTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return false;
    headers_[static_cast<size_t>(section)].insert(role == Qt::EditRole ? Qt::DisplayRole : role, value);
    emit headerDataChanged(orientation, section, section);
    return true;
}

bool CRecordTableModel::insertColumns(int column, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count <= 0 || column < 0 || column > columnCount())
        return false;
    beginInsertColumns({}, column, column + count - 1);
    headers_.insert(headers_.begin() + column, static_cast<size_t>(count), {});
    endInsertColumns();
    return true;
}

bool CRecordTableModel::removeColumns(int column, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count <= 0 || column < 0 || column + count > columnCount())
        return false;
    beginRemoveColumns({}, column, column + count - 1);
    headers_.erase(headers_.begin() + column, headers_.begin() + column + count);
    endRemoveColumns();
    return true;
}

bool CRecordTableModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count <= 0 || row < 0 || row + count > RowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    for (int r = row; r < row + count; ++r)
        checked_.erase(keys_[static_cast<size_t>(r)]);
    keys_.erase(keys_.begin() + row, keys_.begin() + row + count);
    endRemoveRows();
    return true;
}
