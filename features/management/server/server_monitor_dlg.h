#pragma once
// CServerMonitorDlg ("Server System Monitoring", template 355): the management server's host as the server reports
// it (request 7, polled every DIALOG/SVRDIALOGREFRESHTIME seconds, 2..60): its free swap and free memory in kilobytes
// and its processor load in percent, the load also as the current value of a bar chart and as a moving history in a
// line chart (monitor_history.h; CHART/SVRCPUUTILMAXPOINT, 0..30000, limits its points). A poll that fails stops the
// polling without a message box: "STOPPED !!!" shows, and Restart polls again. Print Chart previews the history chart
// for printing, Save Chart saves it as a picture or a PDF page, and Edit Chart (offered when CHART/EDITBUTTON is on)
// opens the chart's editor, while the samples wait. The charts take the titles and colours of the templates the
// configuration names (monitor_chart_style.h). Server mode only.

#include "features/management/server/monitor_chart_style.h"
#include "features/management/server/monitor_history.h"
#include "platform/color_ref.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

class CChartPanel;
class QBarSet;
namespace Ui {
class CServerMonitorDlg;
}

class CServerMonitorDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 355;
    static constexpr int kSwapId = 1095;
    static constexpr int kMemoryId = 1097;
    static constexpr int kCpuId = 1099;
    static constexpr int kStoppedId = 1348;
    static constexpr int kRestartId = 1308;
    static constexpr int kCurrentChartId = 1006;
    static constexpr int kHistoryChartId = 1001;
    static constexpr int kPollTimer = 19814;

    explicit CServerMonitorDlg(QWidget* parent = nullptr);
    ~CServerMonitorDlg() override;

    bool IsPolling() const { return polling_; }
    int64_t PollPeriodMs() const { return periodMs_; }
    const CMonitorHistory& History() const { return *history_; }
    const CChartPanel& HistoryChart() const { return *historyChart_; }
    // The current chart's value: the last load polled.
    double CurrentValue() const;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnDestroy() override;

private:
    // One poll: the fields and, while the charts take samples, a sample; false when it failed.
    bool Poll();
    void Restart();
    void ShowStopped(bool stopped);
    void ResetCharts(bool force);
    void AddSample(uint8_t cpu);
    void ShowHistory();
    void SetUpCurrentChart(const MonitorChartStyle& style, COLORREF color);
    void EditChart();

    std::unique_ptr<Ui::CServerMonitorDlg> ui_;
    std::unique_ptr<CChartPanel> historyChart_;
    std::unique_ptr<CMonitorHistory> history_;
    QBarSet* currentBar_ = nullptr; // owned by the current chart
    int64_t periodMs_ = 2000;
    int64_t dueMs_ = 0;
    bool polling_ = false;
    bool editing_ = false;
};
