#pragma once
// CPmGraphDlg (template 353, "Graph"): the live chart of an auto-refreshing current-PM dialog (ADSL, SHDSL, trunk
// ports). The opener sets it up, keeps a pointer to it and a flag of its own while it runs modally, and feeds it from
// its refresh timer, which keeps running under the modal chart:
//
//     CPmGraphDlg graph(this);                          // the opener is its parent: it gets Stop Refresh and Restart
//     graph.SetChartTitle(ChartTitle("XDSLCUR15MIN"));
//     graph.SetMaxPoints(ChartMaxPointsOf("XDSLCUR15MINPMMAXPOINT", 100, 900));  // 0: CHART/MAXPOINT
//     graph.SetAxisTitles(caption, "Elapsed Time (Seconds)", "Cells", "Rate (Kbps)");
//     graph.SetSeries(8, "TxCells/Total|...", {1, 2, -1, -2, 1, 2, -1, -2});   // negative: the right axis
//     graph_ = &graph; graphOpen_ = true;
//     graph.DoModal();
//     graphOpen_ = false; graph_ = nullptr;
//     ... after each refresh while graphOpen_: graph_->AddPoints({...one value per series...}, "417");
//     ... when the data start again (an interval rolled over): graph_->ClearSeries(false);
//
// Each series keeps at most the maximum number of points: the next one pushes the oldest out. The chart takes no
// points while it is paused: until it is set up, while Stop Refresh is in force and while the chart editor is open.
// Stop Refresh (1331) and Restart (1329) are posted to the opener as commands, so that it stops its refresh timer, or
// starts it again with a new baseline; Restart also empties the series. An opener whose refresh fails calls
// DisableRefreshButtons. The data grid (1389) lists the points the chart holds.

#include "platform/color_ref.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CChartPanel;
class CPmGridModel;
namespace Ui {
class CPmGraphDlg;
}

class CPmGraphDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 353;
    static constexpr int kGridId = 1389;
    static constexpr int kStopRefreshId = 1331;
    static constexpr int kRestartId = 1329;
    static constexpr size_t kMaxSeries = 64;
    static constexpr size_t kSeriesTitleChars = 31;
    static constexpr uint32_t kMostPoints = 30000;

    explicit CPmGraphDlg(QWidget* parent = nullptr);
    ~CPmGraphDlg() override;

    void SetChartTitle(const std::string& text);
    void SetAxisTitles(const std::string& chart, const std::string& bottom, const std::string& left,
                       const std::string& right);
    // At most 64 series, titled from the "|"-separated text (31 characters each), each with its flag: its line style
    // by the magnitude, the right axis when negative. Titles and flags set before are cleared.
    void SetSeries(uint8_t count, const std::string& titles, const std::vector<int8_t>& flags);
    // The points a series keeps; 0 reads CHART/MAXPOINT.
    void SetMaxPoints(uint16_t points);
    uint32_t GetMaxPoints() const { return maxPoints_; }
    size_t GetSeriesCount() const { return titles_.size(); }
    const std::vector<std::string>& GetSeriesTitles() const { return titles_; }
    bool IsRightAxis(size_t series) const { return flags_.at(series) < 0; }
    COLORREF SeriesColor(int series) const;

    // Every point of every series goes; without `force` the chart is left alone until the dialog is set up.
    void ClearSeries(bool force);
    // One value per series, in series order, at the x label.
    void AddPoints(const std::vector<double>& values, const QString& label);
    void AddPoint(uint8_t series, double value, const QString& label);
    void DisableRefreshButtons();

    bool IsPaused() const { return paused_; }
    // The points a series holds, and their values in order.
    int PointCount(int series) const;
    std::vector<double> Values(int series) const;
    // The data grid's column width.
    int GridColumnWidth(int column) const;

    void InitData() override;
    int OnCommandHook(int id, int code) override;

private:
    void PostToOpener(int command);
    // Widens each grid column that the row's cell does not fit.
    void WidenGridColumns(int row);

    std::unique_ptr<Ui::CPmGraphDlg> ui_;
    std::unique_ptr<CChartPanel> chart_;
    CPmGridModel* grid_ = nullptr; // owned by the dialog
    bool paused_ = true;
    bool ready_ = false;
    bool gridSized_ = false;
    std::string chartTitle_;
    std::string heading_, bottomTitle_, leftTitle_, rightTitle_;
    uint32_t maxPoints_ = 100;
    std::vector<std::string> titles_;
    std::vector<int8_t> flags_;
    std::vector<uint32_t> counters_; // the x of each series' next point
};
