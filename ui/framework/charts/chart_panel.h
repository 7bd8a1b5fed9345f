#pragma once
// The line chart of the graph dialogs (CGraphDlg, CPmGraphDlg) and of the server monitor, on Qt Charts: line series on
// a left and a right value axis over numbered points along the bottom axis, where the points' labels show; the gaps of
// a static series (a list cell that is no number); the axes fitted to the points, an axis that no series uses hidden;
// and the commands of the buttons both dialogs share:
//
//     Print Chart 1003   the print preview of the chart (Qt PrintSupport), which prints it or makes a PDF
//     Save Chart 1310    the chart as a picture in a file the operator chooses (PNG, JPEG or BMP), or as a PDF page
//     Select All 1059, Deselect All 1060   every series shown / hidden
//     2D / 3D 1361       the chart drawn flat or with depth (thick lines with a shadow); the button names the other
//     Edit Chart 1150    the chart's editor: the titles, colours and visibility of the series
//
//     CChartPanel chart(*GetDlgItemAs<QChartView>(kChartId));
//     chart.SetTitles({.heading = caption, .bottom = "Create Time", .left = "Seconds / Times", .right = "Cells"});
//     const int s = chart.AddSeries("LOSs (CO)", ChartSeriesColor(0), false, 0);
//     chart.SetPoints(s, {1, std::nullopt, 3}); // a static series with a gap
//     chart.SetLabels({"01-02 10:15", "01-02 10:30", "01-02 10:45"});
//     chart.Append(s, x, y, "17");             // a live series, point by point
//     chart.Fit();
//     ... OnCommandHook(id, code): if (code == BN_CLICKED && chart.OnCommand(*this, id)) return 1;

#include "platform/color_ref.h"

#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CDialog;
class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

inline constexpr int kChartControlId = 1001;
inline constexpr int kPrintChartButtonId = 1003;
inline constexpr int kSaveChartButtonId = 1310;
inline constexpr int kSelectAllButtonId = 1059;
inline constexpr int kDeselectAllButtonId = 1060;
inline constexpr int kView3dButtonId = 1361;
inline constexpr int kEditChartButtonId = 1150;

struct ChartTitles {
    std::string text;    // the chart's own text (a CHART title key); when given, the axes keep no titles
    std::string heading; // added to the chart's heading
    std::string bottom;
    std::string left;
    std::string right;
};

class CChartPanel {
public:
    explicit CChartPanel(QChartView& view);
    ~CChartPanel();
    CChartPanel(const CChartPanel&) = delete;
    CChartPanel& operator=(const CChartPanel&) = delete;

    void SetTitles(const ChartTitles& titles);

    // A series, drawn in one of four line styles (`style` modulo 4); its index.
    int AddSeries(const QString& title, COLORREF color, bool rightAxis, int style);
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    QString SeriesTitle(int series) const;
    COLORREF SeriesColor(int series) const;
    bool IsSeriesVisible(int series) const;
    bool IsRightAxis(int series) const;
    void SetSeriesLook(int series, const QString& title, COLORREF color, bool visible);

    // A static series: its points at x = 0, 1, ..., a gap where a point has no value.
    void SetPoints(int series, const std::vector<std::optional<double>>& points);
    // The labels of the points x = 0, 1, ... of the static series.
    void SetLabels(std::vector<QString> labels);
    // A live series: a point at x with the label of that x; RemoveFirst drops its oldest point.
    void Append(int series, double x, double y, const QString& label);
    void RemoveFirst(int series);
    int PointCount(int series) const;
    // The y values of a series in x order, gaps left out.
    std::vector<double> Values(int series) const;
    // Every point of every series goes.
    void ClearPoints();
    // Fits the axes to the points: the bottom axis with a label on some of its points, each value axis to its series'
    // values (the left one to its fixed range, when it has one); an axis that no series uses is hidden.
    void Fit();
    // The left axis keeps this range whatever its values (a percentage).
    void SetLeftRange(double low, double high) { leftRange_ = std::make_pair(low, high); }

    bool Is3d() const { return view3d_; }
    void Set3d(bool on);
    void SetAllVisible(bool visible);

    // The shared buttons' commands; false for another id. `editing` tells the dialog when the editor opens and
    // closes (a live chart pauses meanwhile).
    bool OnCommand(CDialog& dialog, int id, const std::function<void(bool editing)>& editing = {});
    // The 2D / 3D button's text for the current look.
    QString ViewButtonText() const;

    // The print preview's title; the application's own when none is given.
    void SetPrintTitle(const QString& title) { printTitle_ = title; }
    void PrintPreview(CDialog& dialog);
    // A picture by the file's extension, a PDF page for ".pdf".
    bool SaveTo(const QString& path) const;

private:
    struct Series {
        QString title;
        COLORREF color = 0;
        bool right = false;
        int style = 0;
        bool visible = true;
        std::vector<QLineSeries*> segments; // runs of points between gaps; the first carries the legend
    };

    QLineSeries* NewSegment(const Series& series, bool inLegend);
    void ApplyLook(Series& series);
    void FitBottom(double first, double last);

    QChartView& view_;
    QChart* chart_;
    QValueAxis* left_;
    QValueAxis* right_;
    QCategoryAxis* bottom_;
    std::vector<Series> series_;
    std::vector<QString> labels_;          // of a static chart, by x
    std::map<double, QString> liveLabels_; // of a live chart, by x
    bool view3d_ = false;
    QString printTitle_;
    std::optional<std::pair<double, double>> leftRange_;
};
