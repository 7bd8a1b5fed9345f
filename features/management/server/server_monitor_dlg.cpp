#include "features/management/server/server_monitor_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/access_rights.h"
#include "features/management/common/server_combos.h"
#include "link/record_requests.h"
#include "link/records/server_resource_record.h"
#include "ui/framework/charts/chart_panel.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_server_monitor_dlg.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QLineEdit>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr uint32_t kDefaultPeriodSeconds = 2;
constexpr uint32_t kMinPeriodSeconds = 2;
constexpr uint32_t kMaxPeriodSeconds = 60;
constexpr uint32_t kDefaultPointLimit = 100;
constexpr double kFullLoad = 100;

QString SeriesTitle(const MonitorChartStyle& style)
{
    return style.seriesTitle ? QString::fromStdString(*style.seriesTitle) : LoadQString(kStrCpuUtilizationAxis);
}

int64_t NowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

CServerMonitorDlg::CServerMonitorDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CServerMonitorDlg>())
{
    ui_->setupUi(this);
    historyChart_ = std::make_unique<CChartPanel>(*ui_->historyChart);
}

CServerMonitorDlg::~CServerMonitorDlg() = default;

double CServerMonitorDlg::CurrentValue() const
{
    return currentBar_ != nullptr && currentBar_->count() > 0 ? currentBar_->at(0) : 0;
}

void CServerMonitorDlg::InitData()
{
    if (CheckRightOrClose(kRightServerOptions, 'q') != 0)
        return;
    // The server reports its host: there is none to ask in direct mode.
    if (EndWithoutServer(*this))
        return;
    ShowControl(kEditChartButtonId, ChartEditButtonShown());
    const std::string file = ConfigFilePath();
    periodMs_ = static_cast<int64_t>(ReadIniIntInRange("DIALOG", "SVRDIALOGREFRESHTIME", kDefaultPeriodSeconds, file,
                                                       kMinPeriodSeconds, kMaxPeriodSeconds, true)) *
                1000;
    history_ = std::make_unique<CMonitorHistory>(ReadIniIntInRange("CHART", "SVRCPUUTILMAXPOINT", kDefaultPointLimit,
                                                                   file, 0, CMonitorHistory::kMostPoints, true));

    // Both charts draw the load in one colour, unless their templates say otherwise.
    const COLORREF color = ChartSeriesColor(0);
    SetUpCurrentChart(ReadMonitorChartStyle(ChartTitle("SVRCURCPUUTIL")), color);
    const MonitorChartStyle style = ReadMonitorChartStyle(ChartTitle("SVRHISCPUUTIL"));
    ChartTitles titles;
    titles.heading = style.title.value_or(LoadQString(kStrCpuUtilizationHistory).toStdString());
    titles.bottom = LoadQString(kStrSamplesAxis).toStdString();
    titles.left = LoadQString(kStrCpuUtilizationAxis).toStdString();
    historyChart_->SetTitles(titles);
    historyChart_->AddSeries(SeriesTitle(style), style.seriesColor.value_or(color), false, 0);
    historyChart_->SetLeftRange(0, kFullLoad);
    historyChart_->SetPrintTitle(QString::fromStdString(GetAppTitle(AppSettings())));
    ResetCharts(true);
    editing_ = false;
    Restart();
}

void CServerMonitorDlg::SetUpCurrentChart(const MonitorChartStyle& style, COLORREF color)
{
    auto* chart = new QChart; // the view owns it
    auto* series = new QBarSeries;
    currentBar_ = new QBarSet(SeriesTitle(style));
    currentBar_->setColor(ToQColor(style.seriesColor.value_or(color)));
    series->append(currentBar_);
    chart->addSeries(series);
    chart->setTitle(style.title ? QString::fromStdString(*style.title) : LoadQString(kStrCurrentCpuUtilization));
    chart->legend()->hide();
    auto* categories = new QBarCategoryAxis;
    categories->append(QStringLiteral("CPU"));
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    auto* percent = new QValueAxis;
    percent->setRange(0, kFullLoad);
    percent->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(percent, Qt::AlignLeft);
    series->attachAxis(percent);
    ui_->currentChart->setChart(chart);
    ui_->currentChart->setRenderHint(QPainter::Antialiasing);
}

void CServerMonitorDlg::ResetCharts(bool force)
{
    if (!force && !isVisible()) {
        history_->RestartCount();
        return;
    }
    currentBar_->remove(0, currentBar_->count());
    currentBar_->append(0);
    history_->Reset();
    ShowHistory();
}

void CServerMonitorDlg::ShowHistory()
{
    // The empty points hold the window's room and draw nothing: the chart shows the samples across its width.
    std::vector<std::optional<double>> values;
    std::vector<QString> labels;
    for (const CMonitorHistory::Point& point : history_->Points()) {
        if (!point.value)
            continue;
        values.push_back(point.value);
        labels.push_back(QString::fromStdString(point.label));
    }
    historyChart_->SetPoints(0, values);
    historyChart_->SetLabels(std::move(labels));
    historyChart_->Fit();
}

void CServerMonitorDlg::AddSample(uint8_t cpu)
{
    if (!isVisible() || editing_)
        return;
    currentBar_->replace(0, cpu);
    history_->AddSample(cpu);
    ShowHistory();
}

bool CServerMonitorDlg::Poll()
{
    // No wait dialog and no failure box: a failure stops the polling, which the dialog shows itself.
    const RecordReply<ServerResourceRecord> reply =
        CRecordRequests().Query<ServerResourceRecord>(kReqServerResource, 0, {.waitDialog = false});
    if (!reply.Ok() || reply.records.empty()) {
        ShowAlertTextById(kStrFailToQuery);
        return false;
    }
    const ServerResourceRecord& host = reply.records.front();
    ui_->swap->setText(QString::number(host.freeSwapKb));
    ui_->memory->setText(QString::number(host.freeMemoryKb));
    ui_->cpu->setText(QString::number(host.cpuPercent));
    AddSample(host.cpuPercent);
    return true;
}

void CServerMonitorDlg::ShowStopped(bool stopped)
{
    polling_ = !stopped;
    ShowControl(kStoppedId, stopped);
    EnableControl(kRestartId, stopped);
}

void CServerMonitorDlg::Restart()
{
    if (!Poll()) {
        ShowStopped(true);
        return;
    }
    dueMs_ = NowMs() + periodMs_;
    ShowStopped(false);
    SetTimer(kPollTimer, static_cast<int>(periodMs_));
}

void CServerMonitorDlg::OnTimer(int id)
{
    if (id != kPollTimer) {
        CADialog::OnTimer(id);
        return;
    }
    KillTimer(kPollTimer);
    if (!Poll()) {
        ShowStopped(true);
        return;
    }
    const PollTiming next = NextPoll(NowMs(), dueMs_, periodMs_);
    dueMs_ = next.dueMs;
    SetTimer(kPollTimer, static_cast<int>(std::max<int64_t>(next.delayMs, 1)));
}

void CServerMonitorDlg::EditChart()
{
    editing_ = true;
    // The editor shows the samples alone; the window starts again after it.
    const bool hadEmptyPoints = history_->DropEmptyPoints();
    ShowHistory();
    historyChart_->OnCommand(*this, kEditChartButtonId);
    if (hadEmptyPoints)
        ResetCharts(false);
    editing_ = false;
}

int CServerMonitorDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kRestartId:
        Restart();
        return 1;
    case kEditChartButtonId:
        EditChart();
        return 1;
    case kPrintChartButtonId:
    case kSaveChartButtonId:
        historyChart_->OnCommand(*this, id);
        return 1;
    default:
        return 0;
    }
}

void CServerMonitorDlg::OnDestroy()
{
    KillTimer(kPollTimer);
    CADialog::OnDestroy();
}
