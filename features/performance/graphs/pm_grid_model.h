#pragma once
// The data grid beside a live chart (CPmGraphDlg, control 1389): one row per point held, its x label and the value of
// each series at it. A point comes in per series; a row goes when no series holds its point any more, so that the
// grid keeps what the chart shows and a long run costs a row per point held, not per point seen.

#include <QAbstractTableModel>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

class CPmGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CPmGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The series' titles, which head the columns after the label's; every row goes.
    void SetSeries(const QStringList& titles);
    // Series `series` holds point x now, with its label.
    void AddPoint(int series, uint32_t x, double value, const QString& label);
    // Series `series` no longer holds its oldest point; rows no series holds go.
    void DropOldest(int series);
    void Clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row {
        uint32_t x = 0;
        QString label;
        std::vector<std::optional<double>> values;
    };
    QStringList titles_;
    std::deque<Row> rows_;                   // by x, ascending
    std::vector<std::deque<uint32_t>> held_; // per series: the x of the points it holds
};
