#include "ui/framework/charts/chart_panel.h"

#include "platform/dialog.h"
#include "platform/file_chooser.h"
#include "platform/message_box_runner.h"
#include "platform/modal_runner.h"
#include "ui/framework/charts/chart_edit_dlg.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QAbstractButton>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kBottomLabels = 5;
constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::SolidLine, Qt::DashLine, Qt::DotLine};

struct Bounds {
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    bool Empty() const { return low > high; }
    void Take(double value)
    {
        low = std::min(low, value);
        high = std::max(high, value);
    }
};

// A value axis over its values, from 0 up for values that are all positive, with some room above.
void FitValueAxis(QValueAxis& axis, const Bounds& values)
{
    axis.setVisible(!values.Empty());
    if (values.Empty())
        return;
    const double low = std::min(0.0, values.low);
    double high = std::max(0.0, values.high);
    if (high == low)
        high = low + 1;
    // Tenths only where the values are small enough for them to tell.
    const QString format = high - low >= 100 ? QStringLiteral("%.0f") : QStringLiteral("%.1f");
    if (axis.labelFormat() != format)
        axis.setLabelFormat(format);
    axis.setRange(low, high + (high - low) * 0.05);
    axis.applyNiceNumbers();
}

} // namespace

CChartPanel::CChartPanel(QChartView& view)
    : view_(view), chart_(new QChart), left_(new QValueAxis), right_(new QValueAxis), bottom_(new QCategoryAxis)
{
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->addAxis(bottom_, Qt::AlignBottom);
    chart_->addAxis(left_, Qt::AlignLeft);
    chart_->addAxis(right_, Qt::AlignRight);
    bottom_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    left_->setVisible(false);
    right_->setVisible(false);
    view_.setChart(chart_); // the view owns the chart
    view_.setRenderHint(QPainter::Antialiasing);
}

CChartPanel::~CChartPanel() = default;

void CChartPanel::SetTitles(const ChartTitles& titles)
{
    // The chart's own text comes first; the heading follows it.
    std::string heading = titles.text;
    if (!titles.heading.empty())
        heading += (heading.empty() ? "" : "\n") + titles.heading;
    // The chart draws its title as rich text: a caption's port ("<1-21>") is to stay text, its lines lines.
    chart_->setTitle(QString::fromStdString(heading).toHtmlEscaped().replace('\n', QStringLiteral("<br>")));
    if (!titles.text.empty())
        return;
    bottom_->setTitleText(QString::fromStdString(titles.bottom));
    left_->setTitleText(QString::fromStdString(titles.left));
    right_->setTitleText(QString::fromStdString(titles.right));
}

int CChartPanel::AddSeries(const QString& title, COLORREF color, bool rightAxis, int style)
{
    series_.push_back({title, color, rightAxis, std::abs(style) % 4, true, {}});
    return SeriesCount() - 1;
}

QString CChartPanel::SeriesTitle(int series) const
{
    return series_.at(static_cast<size_t>(series)).title;
}

COLORREF CChartPanel::SeriesColor(int series) const
{
    return series_.at(static_cast<size_t>(series)).color;
}

bool CChartPanel::IsSeriesVisible(int series) const
{
    return series_.at(static_cast<size_t>(series)).visible;
}

bool CChartPanel::IsRightAxis(int series) const
{
    return series_.at(static_cast<size_t>(series)).right;
}

void CChartPanel::SetSeriesLook(int series, const QString& title, COLORREF color, bool visible)
{
    Series& s = series_.at(static_cast<size_t>(series));
    s.title = title;
    s.color = color;
    s.visible = visible;
    ApplyLook(s);
}

QLineSeries* CChartPanel::NewSegment(const Series& series, bool inLegend)
{
    auto* segment = new QLineSeries;
    chart_->addSeries(segment); // the chart owns it
    segment->attachAxis(bottom_);
    segment->attachAxis(series.right ? right_ : left_);
    if (!inLegend) {
        for (QLegendMarker* marker : chart_->legend()->markers(segment))
            marker->setVisible(false);
    }
    return segment;
}

void CChartPanel::ApplyLook(Series& series)
{
    QPen pen(ToQColor(series.color));
    pen.setWidth(view3d_ ? 3 : 2);
    pen.setStyle(kStyles[series.style]);
    for (size_t i = 0; i < series.segments.size(); ++i) {
        QLineSeries* segment = series.segments[i];
        segment->setName(series.title);
        segment->setPen(pen);
        segment->setVisible(series.visible);
        // The legend shows a series once, hidden or not.
        for (QLegendMarker* marker : chart_->legend()->markers(segment))
            marker->setVisible(i == 0);
    }
}

void CChartPanel::SetPoints(int index, const std::vector<std::optional<double>>& points)
{
    Series& series = series_.at(static_cast<size_t>(index));
    for (QLineSeries* segment : series.segments) {
        chart_->removeSeries(segment);
        delete segment;
    }
    series.segments.clear();
    QList<QPointF> run;
    auto flush = [&] {
        if (run.isEmpty())
            return;
        QLineSeries* segment = NewSegment(series, series.segments.empty());
        segment->setPointsVisible(true); // a point between two gaps shows too
        segment->replace(run);
        series.segments.push_back(segment);
        run.clear();
    };
    for (size_t x = 0; x < points.size(); ++x) {
        if (points[x])
            run.append(QPointF(static_cast<double>(x), *points[x]));
        else
            flush();
    }
    flush();
    ApplyLook(series);
}

void CChartPanel::SetLabels(std::vector<QString> labels)
{
    labels_ = std::move(labels);
    liveLabels_.clear();
}

void CChartPanel::Append(int index, double x, double y, const QString& label)
{
    Series& series = series_.at(static_cast<size_t>(index));
    if (series.segments.empty()) {
        series.segments.push_back(NewSegment(series, true));
        ApplyLook(series);
    }
    series.segments.front()->append(x, y);
    liveLabels_[x] = label;
}

void CChartPanel::RemoveFirst(int index)
{
    Series& series = series_.at(static_cast<size_t>(index));
    if (series.segments.empty() || series.segments.front()->count() == 0)
        return;
    series.segments.front()->remove(0);
    // The labels of points no series holds any more go.
    double oldest = std::numeric_limits<double>::max();
    for (const Series& s : series_) {
        if (!s.segments.empty() && s.segments.front()->count() > 0)
            oldest = std::min(oldest, s.segments.front()->at(0).x());
    }
    liveLabels_.erase(liveLabels_.begin(), liveLabels_.lower_bound(oldest));
}

int CChartPanel::PointCount(int index) const
{
    int count = 0;
    for (const QLineSeries* segment : series_.at(static_cast<size_t>(index)).segments)
        count += segment->count();
    return count;
}

std::vector<double> CChartPanel::Values(int index) const
{
    std::vector<double> values;
    for (const QLineSeries* segment : series_.at(static_cast<size_t>(index)).segments) {
        for (const QPointF& point : segment->points())
            values.push_back(point.y());
    }
    return values;
}

void CChartPanel::ClearPoints()
{
    for (Series& series : series_) {
        for (QLineSeries* segment : series.segments)
            segment->clear();
    }
    liveLabels_.clear();
}

void CChartPanel::FitBottom(double first, double last)
{
    for (const QString& label : bottom_->categoriesLabels())
        bottom_->remove(label);
    // A label on some of the points, evenly apart; a label is shown once.
    std::vector<std::pair<double, QString>> labelled;
    if (!liveLabels_.empty()) {
        for (const auto& [x, label] : liveLabels_)
            labelled.emplace_back(x, label);
    } else {
        for (size_t x = 0; x < labels_.size(); ++x)
            labelled.emplace_back(static_cast<double>(x), labels_[x]);
    }
    // Points that carry no label at all are labelled by their x, as a value axis would be: an axis without a label
    // would lose its title's place under the plot.
    if (std::all_of(labelled.begin(), labelled.end(), [](const auto& point) { return point.second.isEmpty(); })) {
        for (auto& [x, label] : labelled)
            label = QString::number(x);
    }
    // Points without a label (gaps of a live window) take no room among the labels shown, and labels keep a fifth of
    // the axis apart, however few points carry one.
    std::erase_if(labelled, [](const auto& point) { return point.second.isEmpty(); });
    const size_t step = std::max<size_t>(1, (labelled.size() + kBottomLabels - 1) / kBottomLabels);
    const double gap = (last - first) / (kBottomLabels + 1);
    double lastShown = std::numeric_limits<double>::lowest();
    bottom_->setStartValue(first);
    for (size_t i = 0; i < labelled.size(); i += step) {
        const auto& [x, label] = labelled[i];
        if (!bottom_->categoriesLabels().contains(label) && x > first && x - lastShown >= gap) {
            bottom_->append(label, x);
            lastShown = x;
        }
    }
    bottom_->setRange(first, last);
}

void CChartPanel::Fit()
{
    Bounds x;
    Bounds leftValues;
    Bounds rightValues;
    for (const Series& series : series_) {
        for (const QLineSeries* segment : series.segments) {
            for (const QPointF& point : segment->points()) {
                x.Take(point.x());
                (series.right ? rightValues : leftValues).Take(point.y());
            }
        }
    }
    if (!labels_.empty()) {
        x.Take(0);
        x.Take(static_cast<double>(labels_.size() - 1));
    }
    if (leftRange_) {
        left_->setVisible(true);
        left_->setRange(leftRange_->first, leftRange_->second);
    } else {
        FitValueAxis(*left_, leftValues);
    }
    FitValueAxis(*right_, rightValues);
    if (x.Empty())
        return;
    // Half a point of room at each end, so that the first and last points and their labels show.
    FitBottom(x.low - 0.5, x.high + 0.5);
    // The axes' new room at once, not when the event loop gets to it: a picture taken now shows the chart as drawn.
    if (QGraphicsLayout* layout = chart_->layout())
        layout->activate();
    // The legend too: its markers are new with each new set of points.
    if (QGraphicsLayout* legend = chart_->legend()->layout())
        legend->activate();
}

void CChartPanel::Set3d(bool on)
{
    view3d_ = on;
    chart_->setDropShadowEnabled(on);
    for (Series& series : series_)
        ApplyLook(series);
}

void CChartPanel::SetAllVisible(bool visible)
{
    for (Series& series : series_) {
        series.visible = visible;
        ApplyLook(series);
    }
}

QString CChartPanel::ViewButtonText() const
{
    return LoadQString(view3d_ ? kStrView2d : kStrView3d);
}

void CChartPanel::PrintPreview(CDialog& dialog)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, &dialog);
    if (!printTitle_.isEmpty())
        preview.setWindowTitle(printTitle_);
    // Wide enough for its whole toolbar, and the page in landscape below it.
    if (const auto* toolbar = preview.findChild<QToolBar*>()) {
        const QMargins margins = preview.layout() != nullptr ? preview.layout()->contentsMargins() : QMargins();
        const int width = toolbar->sizeHint().width() + margins.left() + margins.right();
        preview.resize(std::max(preview.sizeHint().width(), width),
                       std::max(preview.sizeHint().height(), width * 3 / 4));
    }
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [this](QPrinter* target) {
        QPainter painter(target);
        view_.render(&painter);
    });
    CurrentModalRunner().RunModal(preview);
}

bool CChartPanel::SaveTo(const QString& path) const
{
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return view_.grab().save(path);
    QPdfWriter pdf(path);
    pdf.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    view_.render(&painter);
    return painter.end();
}

bool CChartPanel::OnCommand(CDialog& dialog, int id, const std::function<void(bool editing)>& editing)
{
    switch (id) {
    case kPrintChartButtonId:
        PrintPreview(dialog);
        return true;
    case kSaveChartButtonId:
        if (const std::optional<QString> path = ChooseSaveFile(&dialog, QStringLiteral("Chart.png"),
                                                               LoadQString(kStrChartPictures), QStringLiteral("png"));
            path && !SaveTo(*path))
            ShowMessageById(kStrChartNotSaved, MB_OK | MB_ICONEXCLAMATION);
        return true;
    case kSelectAllButtonId:
    case kDeselectAllButtonId:
        SetAllVisible(id == kSelectAllButtonId);
        return true;
    case kView3dButtonId:
        Set3d(!view3d_);
        if (auto* button = dialog.GetDlgItemAs<QAbstractButton>(kView3dButtonId))
            button->setText(ViewButtonText());
        return true;
    case kEditChartButtonId: {
        if (editing)
            editing(true);
        CChartEditDlg editor(*this, &dialog);
        CurrentModalRunner().RunModal(editor);
        if (editing)
            editing(false);
        return true;
    }
    default:
        return false;
    }
}
