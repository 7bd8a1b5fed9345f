#include "features/performance/line_tests/xdsl_bits_allocation_list_dlg.h"

#include "core/list/list_sort.h"
#include "features/performance/graphs/graph_dlg.h"
#include "features/performance/line_tests/line_test_protocol.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_bits_allocation_list_dlg.h"

#include <QStringList>

#include <vector>

namespace {

constexpr size_t kGraphTextChars = 127;
constexpr size_t kAxisTextChars = 31;
constexpr char kTitleFlags[] = "#@`<>^";

// The column spec with the unit after every value column's title: "Upstream (dB)".
QString SpecWithUnit(const QString& spec, const std::string& unit)
{
    if (unit.empty())
        return spec;
    QStringList columns = spec.split('|');
    for (int c = 1; c < columns.size(); ++c) {
        QString& column = columns[c];
        int title = 0;
        while (title < column.size() && QString::fromLatin1(kTitleFlags).contains(column[title]))
            ++title;
        column = column.left(title) + QStringLiteral("%1 (%2)").arg(column.mid(title), QString::fromStdString(unit));
    }
    return columns.join('|');
}

std::vector<ToneRow> AllTones(const CXdslBitsAllocationListDlg::Upstream& upstream,
                              const CXdslBitsAllocationListDlg::Downstream& downstream)
{
    std::vector<ToneRow> rows;
    rows.reserve(kDownstreamToneCount);
    for (uint32_t tone = 0; tone < kDownstreamToneCount; ++tone)
        rows.push_back({tone, tone < kUpstreamToneCount ? upstream[tone] : kToneNoData, downstream[tone]});
    return rows;
}

} // namespace

// The rows sort by the clicked column, then by tone; a descending sort turns both.
CXdslBitsAllocationListDlg::CXdslBitsAllocationListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "LOOPDIAG_DATA_LIST", .rowCommands = {}, .descendingTurnsTies = true},
                     parent),
      ui_(std::make_unique<Ui::CXdslBitsAllocationListDlg>()),
      rows_(*this,
            {{.value = [](const ToneRow& row) { return ListValue(row.tone); }, .order = ListOrder::kUnsigned},
             {.value = [this](const ToneRow& row) { return ListValue(CellText(row.tone, kUpstreamColumn)); },
              .order = ListOrder::kSigned},
             {.value = [this](const ToneRow& row) { return ListValue(CellText(row.tone, kDownstreamColumn)); },
              .order = ListOrder::kSigned}},
            [](const ToneRow& row) { return row.tone; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kKey);
    Upstream upstream;
    Downstream downstream;
    upstream.fill(kToneNoData);
    downstream.fill(kToneNoData);
    rows_.SetRecords(AllTones(upstream, downstream));
}

CXdslBitsAllocationListDlg::~CXdslBitsAllocationListDlg() = default;

void CXdslBitsAllocationListDlg::SetDisplay(uint8_t decimals, std::string unit)
{
    decimals_ = decimals;
    unit_ = std::move(unit);
}

std::string CXdslBitsAllocationListDlg::CellText(uint32_t tone, Column column) const
{
    const ToneRow* row = rows_.Find(tone);
    if (row == nullptr)
        return {};
    switch (column) {
    case kToneColumn:
        return std::to_string(tone);
    case kUpstreamColumn:
        return tone < kUpstreamToneCount ? ToneValueText(row->upstream, decimals_) : std::string();
    default:
        return ToneValueText(row->downstream, decimals_);
    }
}

void CXdslBitsAllocationListDlg::InitData()
{
    SetSmallImages();
    InitListColumns(SpecWithUnit(LoadQString(kStrColumnsToneValues), unit_).toUtf8().constData());
}

void CXdslBitsAllocationListDlg::Reset()
{
    Upstream upstream;
    Downstream downstream;
    upstream.fill(kToneNoData);
    downstream.fill(kToneNoData);
    SetValues(upstream, downstream);
    hasData_ = false;
}

void CXdslBitsAllocationListDlg::SetValues(const Upstream& upstream, const Downstream& downstream)
{
    rows_.Apply(AllTones(upstream, downstream), {});
    hasData_ = true;
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection());
}

void CXdslBitsAllocationListDlg::Relayout()
{
    UpdateListLayout();
}

void CXdslBitsAllocationListDlg::SetGraphTexts(const std::string& title, const std::string& caption,
                                               const std::string& xAxis, const std::string& yAxis)
{
    graphTitle_ = title.substr(0, kGraphTextChars);
    graphCaption_ = caption.substr(0, kGraphTextChars);
    xAxisTitle_ = xAxis.substr(0, kAxisTextChars);
    yAxisTitle_ = yAxis.substr(0, kAxisTextChars);
}

std::vector<uint16_t> CXdslBitsAllocationListDlg::GreyedPopupCommands() const
{
    if (hasData_)
        return {};
    return {kPopupGraph, kPopupRefresh, kPopupExport};
}

bool CXdslBitsAllocationListDlg::OnCommand(int id, int code)
{
    if (code == BN_CLICKED && id == kGraphButtonId) {
        ShowGraph();
        return true;
    }
    // The popup's Graph, Export and Close are the owner's: it gives the graph its titles and sends Graph back, exports
    // the page in front, closes.
    CADialog* owner = ParentDialog();
    if (code == BN_CLICKED && (id == kPopupGraph || id == kPopupExport || id == kPopupClose)) {
        if (owner != nullptr)
            owner->OnCommand(id, code);
        else if (id == kPopupGraph)
            ShowGraph();
        return true;
    }
    return CRecordListDlg::OnCommand(id, code);
}

void CXdslBitsAllocationListDlg::ShowGraph()
{
    CGraphDlg graph(this);
    graph.SetChartTitle(graphTitle_);
    graph.SetAxisTitles(graphCaption_, xAxisTitle_, yAxisTitle_, {});
    graph.SetSourceList(1, 1, FindList(kListControlId));
    graph.SetSourceColumns(1, kToneColumn, {kUpstreamColumn, kDownstreamColumn});
    // The graph reads the rows as the list shows them: by tone, then the operator's order again.
    const int column = GetSortColumn();
    const int direction = GetSortDirection();
    SortList(kToneColumn, kSortAscending);
    graph.DoModal();
    SortList(column, direction);
}
