#include "ui/framework/lists/list_measure.h"

#include <QAbstractItemModel>
#include <QTreeView>

#include <algorithm>

CListMeasure& CListMeasure::Of(QTreeView& list)
{
    auto* measure = list.findChild<CListMeasure*>(QString(), Qt::FindDirectChildrenOnly);
    if (measure == nullptr)
        measure = new CListMeasure(list);
    measure->Follow();
    return *measure;
}

CListMeasure::CListMeasure(QTreeView& list) : QObject(&list), list_(list) {}

void CListMeasure::Forget()
{
    QAbstractItemModel* model = model_.data();
    widest_.assign(static_cast<size_t>(model != nullptr ? std::max(model->columnCount(), 0) : 0), -1);
}

void CListMeasure::Follow()
{
    QAbstractItemModel* model = list_.model();
    if (model == model_.data() && model != nullptr)
        return;
    for (const QMetaObject::Connection& connection : connections_)
        disconnect(connection);
    connections_.clear();
    model_ = model;
    rows_.Start(0, 0);
    Forget();
    if (model == nullptr)
        return;
    const auto restart = [this] {
        if (model_ == nullptr || rows_.Done())
            return;
        rows_.Restart(model_->rowCount());
        Forget();
    };
    // Only the list's own rows count: a tree list's child rows are not measured.
    connections_ = {
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (!parent.isValid())
                        rows_.Inserted(first, last - first + 1);
                }),
        connect(model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (!parent.isValid() && rows_.Removed(first, last - first + 1))
                        Forget();
                }),
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
                    if (!topLeft.parent().isValid() && (roles.isEmpty() || roles.contains(Qt::DisplayRole)))
                        rows_.Changed(topLeft.row(), bottomRight.row());
                }),
        connect(model, &QAbstractItemModel::layoutChanged, this, restart),
        connect(model, &QAbstractItemModel::rowsMoved, this, restart),
        connect(model, &QAbstractItemModel::modelReset, this, restart),
        connect(model, &QAbstractItemModel::columnsInserted, this, restart),
        connect(model, &QAbstractItemModel::columnsRemoved, this, restart),
    };
}

void CListMeasure::Start(int first, int end, const std::vector<int>& columns)
{
    if (!rows_.Done() && !columns_.empty() && !columns.empty())
        columns_.insert(columns_.end(), columns.begin(), columns.end());
    else
        columns_ = rows_.Done() ? columns : std::vector<int>{};
    rows_.Start(first, end);
    Forget();
}

void CListMeasure::MeasureRow(int row, const std::function<int(const QString&)>& textWidth)
{
    QAbstractItemModel* model = model_.data();
    for (size_t c = 0; c < widest_.size(); ++c) {
        const QString text = model->index(row, static_cast<int>(c)).data(Qt::DisplayRole).toString();
        widest_[c] = std::max(widest_[c], text.isEmpty() ? 0 : textWidth(text));
    }
}

void CListMeasure::Measure(int budget, const std::function<int(const QString&)>& textWidth)
{
    QAbstractItemModel* model = model_.data();
    if (model == nullptr)
        return;
    if (widest_.size() != static_cast<size_t>(std::max(model->columnCount(), 0)))
        Forget();
    const auto [begin, end] = rows_.Take(budget);
    for (int row = begin; row < std::min(end, model->rowCount()); ++row)
        MeasureRow(row, textWidth);
}

int CListMeasure::WidestText(int column) const
{
    return column >= 0 && static_cast<size_t>(column) < widest_.size() ? widest_[static_cast<size_t>(column)] : -1;
}
