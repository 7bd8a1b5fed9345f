#pragma once
// What the layout has measured of one list: the widest text of each column over the rows it measured, and the rows it
// has yet to measure (those that came or changed since). It follows the list's model, so that a layout measures the
// rows that came or changed, not every row again; a column never narrows, so the widest text measured before still
// counts. A list of many new rows is measured a share at a time (CListHost::UpdateListLayout goes on with the rest on
// the next turns of the event loop), so that no step holds the window.

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
    // The measure of a list, made at its first use: every row then waits.
    static CListMeasure& Of(QTreeView& list);

    // Measures rows [first, last) (rows that may have changed without the model saying so), then the waiting rows
    // when they fit within `budget` rows in all; when they do not, a step without rows [first, last) measures
    // `budget` of them. `textWidth` gives the width of a cell's text.
    void Measure(int first, int last, int budget, const std::function<int(const QString&)>& textWidth);
    // The widest cell text of a column measured so far: 0 for empty cells alone, -1 when no row was measured.
    int WidestText(int column) const;
    bool HasWaitingRows() const { return !pending_.Empty(); }

    // The columns the next step lays out: every column when one asked for all of them.
    void AskColumns(const std::vector<int>& columns);
    std::vector<int> TakeAskedColumns();
    // Whether the next step is already scheduled; set when it is.
    bool StepScheduled() const { return stepScheduled_; }
    void SetStepScheduled(bool on) { stepScheduled_ = on; }

private:
    explicit CListMeasure(QTreeView& list);
    // Follows the list's model when it is not the one followed: a new model's rows all wait.
    void Follow();
    void Restart();
    void MeasureRow(int row, const std::function<int(const QString&)>& textWidth);

    QTreeView& list_;
    QPointer<QAbstractItemModel> model_;
    std::vector<QMetaObject::Connection> connections_;
    CPendingRows pending_;
    std::vector<int> widest_;
    std::vector<int> askedColumns_;
    bool allColumnsAsked_ = false;
    bool stepScheduled_ = false;
};
