#include "features/performance/graphs/pm_graph_dlg.h"

#include "features/performance/graphs/graph_colors.h"
#include "features/performance/graphs/pm_grid_model.h"
#include "ui/framework/charts/chart_panel.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui_pm_graph_dlg.h"

#include <QChartView>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace {

constexpr size_t kTitleChars = 127;
constexpr size_t kAxisTitleChars = 63;

} // namespace

CPmGraphDlg::CPmGraphDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CPmGraphDlg>()), grid_(new CPmGridModel(this))
{
    ui_->setupUi(this);
    chart_ = std::make_unique<CChartPanel>(*ui_->chart);
    ui_->grid->setModel(grid_);
    ui_->grid->verticalHeader()->setVisible(false);
    // Columns sized to their titles at the first point, then widened by the newest row only: measuring every row at
    // each point costs more than the chart, and a column never narrows, so no value held is cut.
    ui_->grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

CPmGraphDlg::~CPmGraphDlg() = default;

void CPmGraphDlg::SetChartTitle(const std::string& text)
{
    chartTitle_ = text.substr(0, kTitleChars);
}

void CPmGraphDlg::SetAxisTitles(const std::string& chart, const std::string& bottom, const std::string& left,
                                const std::string& right)
{
    heading_ = chart.substr(0, kTitleChars);
    bottomTitle_ = bottom.substr(0, kAxisTitleChars);
    leftTitle_ = left.substr(0, kAxisTitleChars);
    rightTitle_ = right.substr(0, kAxisTitleChars);
}

void CPmGraphDlg::SetSeries(uint8_t count, const std::string& titles, const std::vector<int8_t>& flags)
{
    const size_t n = std::min<size_t>(count, kMaxSeries);
    titles_.assign(n, {});
    flags_.assign(n, 0);
    size_t start = 0;
    for (size_t i = 0; i < n && start <= titles.size(); ++i) {
        const size_t bar = titles.find('|', start);
        titles_[i] = titles.substr(start, std::min(bar, titles.size()) - start).substr(0, kSeriesTitleChars);
        start = bar == std::string::npos ? titles.size() + 1 : bar + 1;
    }
    for (size_t i = 0; i < n && i < flags.size(); ++i)
        flags_[i] = flags[i];
    counters_.assign(n, 0);
}

void CPmGraphDlg::SetMaxPoints(uint16_t points)
{
    maxPoints_ = points == 0 ? ChartMaxPoints() : std::min<uint32_t>(points, kMostPoints);
}

void CPmGraphDlg::InitData()
{
    ShowControl(kEditChartButtonId, ChartEditButtonShown());
    chart_->SetTitles({chartTitle_, heading_, bottomTitle_, leftTitle_, rightTitle_});
    QStringList gridTitles;
    for (size_t i = 0; i < titles_.size(); ++i) {
        chart_->AddSeries(QString::fromStdString(titles_[i]), GraphSeriesColor(static_cast<int>(i)), flags_[i] < 0,
                          flags_[i]);
        gridTitles.push_back(QString::fromStdString(titles_[i]));
    }
    grid_->SetSeries(gridTitles);
    if (auto* button = GetDlgItemAs<QAbstractButton>(kView3dButtonId))
        button->setText(chart_->ViewButtonText());
    EnableControl(kRestartId, false);
    ready_ = true;
    paused_ = false;
    ClearSeries(true);
}

void CPmGraphDlg::ClearSeries(bool force)
{
    std::fill(counters_.begin(), counters_.end(), 0);
    if (!force && !ready_)
        return;
    chart_->ClearPoints();
    grid_->Clear();
    chart_->Fit();
}

void CPmGraphDlg::AddPoints(const std::vector<double>& values, const QString& label)
{
    if (!ready_)
        return;
    for (size_t i = 0; i < values.size() && i < titles_.size(); ++i)
        AddPoint(static_cast<uint8_t>(i), values[i], label);
    chart_->Fit();
    if (grid_->rowCount() == 0)
        return;
    if (!gridSized_) {
        ui_->grid->resizeColumnsToContents();
        gridSized_ = true;
    }
    WidenGridColumns(grid_->rowCount() - 1);
}

void CPmGraphDlg::WidenGridColumns(int row)
{
    for (int column = 0; column < grid_->columnCount(); ++column) {
        // The grid line is drawn inside the cell, as the first sizing counted it.
        const int wanted =
            ui_->grid->sizeHintForIndex(grid_->index(row, column)).width() + (ui_->grid->showGrid() ? 1 : 0);
        if (wanted > ui_->grid->columnWidth(column))
            ui_->grid->setColumnWidth(column, wanted);
    }
}

int CPmGraphDlg::GridColumnWidth(int column) const
{
    return ui_->grid->columnWidth(column);
}

void CPmGraphDlg::AddPoint(uint8_t series, double value, const QString& label)
{
    if (paused_ || series >= titles_.size() || maxPoints_ == 0)
        return;
    if (static_cast<uint32_t>(chart_->PointCount(series)) >= maxPoints_) {
        chart_->RemoveFirst(series);
        grid_->DropOldest(series);
    }
    const uint32_t x = counters_[series]++;
    chart_->Append(series, static_cast<double>(x), value, label);
    grid_->AddPoint(series, x, value, label);
}

COLORREF CPmGraphDlg::SeriesColor(int series) const
{
    return chart_->SeriesColor(series);
}

int CPmGraphDlg::PointCount(int series) const
{
    return chart_->PointCount(series);
}

std::vector<double> CPmGraphDlg::Values(int series) const
{
    return chart_->Values(series);
}

void CPmGraphDlg::DisableRefreshButtons()
{
    EnableControls({kStopRefreshId, kRestartId}, false);
}

void CPmGraphDlg::PostToOpener(int command)
{
    if (auto* opener = qobject_cast<CDialog*>(parentWidget()))
        opener->PostCall([opener, command] { opener->OnCommand(command, BN_CLICKED); });
}

int CPmGraphDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CADialog::OnCommandHook(id, code);
    switch (id) {
    case kStopRefreshId:
        PostToOpener(kStopRefreshId);
        EnableControl(kStopRefreshId, false);
        EnableControl(kRestartId, true);
        paused_ = true;
        return 1;
    case kRestartId:
        ClearSeries(false);
        PostToOpener(kRestartId);
        EnableControl(kRestartId, false);
        EnableControl(kStopRefreshId, true);
        paused_ = false;
        return 1;
    default:
        break;
    }
    const bool stopped = !IsControlEnabled(kStopRefreshId);
    if (chart_->OnCommand(*this, id, [this, stopped](bool editing) { paused_ = editing || stopped; }))
        return 1;
    return CADialog::OnCommandHook(id, code);
}
