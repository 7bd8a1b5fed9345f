#pragma once
// What one layout of a list measures: the widest text of each column among the rows the layout names (list_layout.h,
// CLayoutRows). A layout of many rows is measured a share at a time (CListHost::UpdateListLayout goes on with the
// rest on the next turns of the event loop), so that no step holds the window; it follows the list's model meanwhile,
// so that the rows it names stay the rows it measures. Each layout measures its rows anew: a column is as wide as
// what its rows show now, narrower too.

#include "core/list/list_layout.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QAbstractItemModel;
class QTreeView;

class CListMeasure : public QObject {
    Q_OBJECT

public:
    // The measure of a list, made at its first use.
    static CListMeasure& Of(QTreeView& list);

    // A layout of rows [first, end) of the columns given (every column when none is) begins. The columns of an
    // earlier layout that has rows still to measure are laid out with it.
    void Start(int first, int end, const std::vector<int>& columns);
    // Measures up to `budget` more of the layout's rows; `textWidth` gives the width of a cell's text.
    void Measure(int budget, const std::function<int(const QString&)>& textWidth);
    // The widest cell text of a column among the rows measured: 0 for empty cells alone, -1 when no row was measured.
    int WidestText(int column) const;
    bool HasWaitingRows() const { return !rows_.Done(); }
    // The columns the layout sizes; none for every column.
    const std::vector<int>& Columns() const { return columns_; }
    // Whether the next step is already scheduled; set when it is.
    bool StepScheduled() const { return stepScheduled_; }
    void SetStepScheduled(bool on) { stepScheduled_ = on; }

private:
    explicit CListMeasure(QTreeView& list);
    // Follows the list's model when it is not the one followed.
    void Follow();
    // What was measured no longer holds.
    void Forget();
    void MeasureRow(int row, const std::function<int(const QString&)>& textWidth);

    QTreeView& list_;
    QPointer<QAbstractItemModel> model_;
    std::vector<QMetaObject::Connection> connections_;
    CLayoutRows rows_;
    std::vector<int> widest_;
    std::vector<int> columns_;
    bool stepScheduled_ = false;
};
