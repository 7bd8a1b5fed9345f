#include "features/performance/graphs/graph_dlg.h"

#include "features/performance/graphs/graph_colors.h"
#include "ui/framework/charts/chart_panel.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui_graph_dlg.h"

#include <QAbstractItemModel>
#include <QChartView>
#include <QTreeView>

namespace {

constexpr size_t kTitleChars = 127;
constexpr size_t kAxisTitleChars = 63;

std::string Cut(const std::string& text, size_t chars)
{
    return text.substr(0, chars);
}

} // namespace

CGraphDlg::CGraphDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CGraphDlg>())
{
    ui_->setupUi(this);
    chart_ = std::make_unique<CChartPanel>(*ui_->chart);
    source_.columns = {-1};
}

CGraphDlg::~CGraphDlg() = default;

void CGraphDlg::SetChartTitle(const std::string& text)
{
    chartTitle_ = Cut(text, kTitleChars);
}

void CGraphDlg::SetAxisTitles(const std::string& chart, const std::string& bottom, const std::string& left,
                              const std::string& right)
{
    heading_ = Cut(chart, kTitleChars);
    bottomTitle_ = Cut(bottom, kAxisTitleChars);
    leftTitle_ = Cut(left, kAxisTitleChars);
    rightTitle_ = Cut(right, kAxisTitleChars);
}

void CGraphDlg::SetSeriesTitles(const std::string& titles)
{
    seriesTitles_.clear();
    const std::string text = Cut(titles, kTitleChars);
    for (size_t start = 0; seriesTitles_.size() < kMaxSeriesTitles;) {
        const size_t bar = text.find('|', start);
        seriesTitles_.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
}

void CGraphDlg::SetSourceList(uint8_t groups, uint8_t rowsPerPoint, QTreeView* list)
{
    source_.groups = std::max<int>(1, groups);
    source_.rowsPerPoint = std::max<int>(1, rowsPerPoint);
    list_ = list;
}

void CGraphDlg::SetSourceColumns(uint8_t xParts, uint32_t labelColumn, std::initializer_list<int> columns)
{
    source_.xParts = std::max<int>(1, xParts);
    source_.labelColumn = static_cast<int32_t>(labelColumn);
    source_.columns.assign(columns.begin(), columns.end());
}

void CGraphDlg::SetSourceGroupColumn(int column)
{
    source_.groupColumn = column;
}

void CGraphDlg::InitData()
{
    if (list_ == nullptr || list_->model() == nullptr || source_.columns.empty()) {
        EndDialog(IDCANCEL);
        return;
    }
    ShowControl(kEditChartButtonId, ChartEditButtonShown());
    if (source_.groupColumn >= 0)
        source_.groupNames = seriesTitles_;
    const QAbstractItemModel& model = *list_->model();
    data_ = MapListToGraph(source_, model.rowCount(), [&model](int row, int column) {
        return model.index(row, column).data().toString().toStdString();
    });

    chart_->SetTitles({chartTitle_, heading_, bottomTitle_, leftTitle_, rightTitle_});
    for (size_t s = 0; s < data_.series.size(); ++s) {
        const GraphSeriesData& series = data_.series[s];
        const std::string header = model.headerData(series.column, Qt::Horizontal).toString().toStdString();
        const int index =
            chart_->AddSeries(QString::fromStdString(GraphSeriesTitle(header, series.titleNumber, seriesTitles_)),
                              GraphSeriesColor(static_cast<int>(s)), series.rightAxis, 0);
        chart_->SetPoints(index, series.points);
    }
    std::vector<QString> labels;
    for (const std::string& label : data_.labels)
        labels.push_back(QString::fromStdString(label));
    chart_->SetLabels(std::move(labels));
    chart_->Fit();
    if (auto* button = GetDlgItemAs<QAbstractButton>(kView3dButtonId))
        button->setText(chart_->ViewButtonText());
}

int CGraphDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && chart_->OnCommand(*this, id))
        return 1;
    return CADialog::OnCommandHook(id, code);
}
