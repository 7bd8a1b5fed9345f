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

void CListMeasure::Restart()
{
    QAbstractItemModel* model = model_.data();
    const int columns = model != nullptr ? model->columnCount() : 0;
    widest_.assign(static_cast<size_t>(std::max(columns, 0)), -1);
    pending_.All(model != nullptr ? model->rowCount() : 0);
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
    Restart();
    if (model == nullptr)
        return;
    // Only the list's own rows count: a tree list's child rows are not measured.
    connections_ = {
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (!parent.isValid())
                        pending_.Inserted(first, last - first + 1);
                }),
        connect(model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (!parent.isValid())
                        pending_.Removed(first, last - first + 1);
                }),
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
                    if (!topLeft.parent().isValid() && (roles.isEmpty() || roles.contains(Qt::DisplayRole)))
                        pending_.Changed(topLeft.row(), bottomRight.row());
                }),
        // Rows that moved cannot be followed by number: while some wait, every row waits again. Rows that only moved
        // show the texts that were measured.
        connect(model, &QAbstractItemModel::layoutChanged, this,
                [this] {
                    if (!pending_.Empty() && model_ != nullptr)
                        pending_.All(model_->rowCount());
                }),
        connect(model, &QAbstractItemModel::rowsMoved, this,
                [this] {
                    if (!pending_.Empty() && model_ != nullptr)
                        pending_.All(model_->rowCount());
                }),
        // New rows all wait; the widest texts measured before stay: a fill does not narrow a column.
        connect(model, &QAbstractItemModel::modelReset, this,
                [this] {
                    if (model_ != nullptr)
                        pending_.All(model_->rowCount());
                }),
        // New columns: what was measured belongs to the columns that went.
        connect(model, &QAbstractItemModel::columnsInserted, this, [this] { Restart(); }),
        connect(model, &QAbstractItemModel::columnsRemoved, this, [this] { Restart(); }),
    };
}

void CListMeasure::MeasureRow(int row, const std::function<int(const QString&)>& textWidth)
{
    QAbstractItemModel* model = model_.data();
    for (size_t c = 0; c < widest_.size(); ++c) {
        const QString text = model->index(row, static_cast<int>(c)).data(Qt::DisplayRole).toString();
        widest_[c] = std::max(widest_[c], text.isEmpty() ? 0 : textWidth(text));
    }
}

void CListMeasure::Measure(int first, int last, int budget, const std::function<int(const QString&)>& textWidth)
{
    QAbstractItemModel* model = model_.data();
    if (model == nullptr)
        return;
    if (widest_.size() != static_cast<size_t>(model->columnCount()))
        Restart();
    last = std::min(last, model->rowCount());
    for (int row = std::max(first, 0); row < last; ++row)
        MeasureRow(row, textWidth);
    if (first < last)
        pending_.Measured(first, last);
    // Waiting rows past the share wait for the next step, all of them: a fill of many rows shows without them.
    if (pending_.Count() > budget - std::max(last - first, 0) && first < last)
        return;
    for (const auto& [begin, end] : pending_.Take(budget - std::max(last - first, 0))) {
        for (int row = begin; row < std::min(end, model->rowCount()); ++row)
            MeasureRow(row, textWidth);
    }
}

int CListMeasure::WidestText(int column) const
{
    return column >= 0 && static_cast<size_t>(column) < widest_.size() ? widest_[static_cast<size_t>(column)] : -1;
}

void CListMeasure::AskColumns(const std::vector<int>& columns)
{
    if (columns.empty())
        allColumnsAsked_ = true;
    askedColumns_.insert(askedColumns_.end(), columns.begin(), columns.end());
}

std::vector<int> CListMeasure::TakeAskedColumns()
{
    std::vector<int> columns;
    if (!allColumnsAsked_)
        columns.swap(askedColumns_);
    askedColumns_.clear();
    allColumnsAsked_ = false;
    return columns;
}
