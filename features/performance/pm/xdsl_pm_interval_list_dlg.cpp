#include "features/performance/pm/xdsl_pm_interval_list_dlg.h"

#include "features/performance/graphs/graph_dlg.h"
#include "features/performance/pm/pm_description.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui/framework/messages/string_table.h"

CXdslPmIntervalListDlg::CXdslPmIntervalListDlg(int templateId, const char* exportStem, const char* chartTitleKey,
                                               PmTimeOrder order, QWidget* parent)
    : CRecordListDlg(templateId,
                     {.popupName = "PM_HIS_LIST",
                      .rowCommands = {{kGraphButtonId, kGraphPopupId}},
                      .activateCommand = 0,
                      .right = -1,
                      .exportStem = exportStem},
                     parent),
      chartTitleKey_(chartTitleKey), timeOrder_(order),
      rows_(*this, PmIntervalColumns(timeOrder_), [](const PmIntervalRow& row) { return row.number; })
{
    rows_.SetTies(ListTies::kArrival);
}

void CXdslPmIntervalListDlg::ShowIntervals(const std::vector<XdslPmIntervalRec>& co,
                                           const std::vector<XdslPmIntervalRec>& rt)
{
    rows_.SetRecords(MakePmIntervalRows(co, rt));
    if (!GetNoSort() && IsFirstShowDone())
        SortList(GetSortColumn(), GetSortDirection(), GetListId());
    UpdateListLayout(GetListId());
    UpdateRowCommands();
}

void CXdslPmIntervalListDlg::OpenGraph()
{
    if (SelectedRow() < 0)
        return;
    CGraphDlg graph(this);
    graph.SetChartTitle(ChartTitle(chartTitleKey_));
    graph.SetAxisTitles(windowTitle().toStdString(), LoadString(kStrCreateTime), LoadString(kStrSecondsTimes),
                        LoadString(kStrCellsBits));
    graph.SetSeriesTitles(LoadString(kStrCo) + "|" + LoadString(kStrRt));
    graph.SetSourceList(2, 1, FindList(GetListId()));
    graph.SetSourceColumns(1, kPmCreateTimeColumn,
                           {kPmLossColumn, kPmErroredColumn, kPmSeverelyErroredColumn, kPmUnavailableColumn,
                            -kPmTxCellsColumn, -kPmRxCellsColumn, -kPmCodeViolationsColumn, kPmFullInitsColumn,
                            kPmFailedInitsColumn});
    // CO and RT need not have as many intervals: the series are the sides, lined up by creation time.
    graph.SetSourceGroupColumn(kPmSideColumn);
    // The CO rows first, each side in time order (by the time itself: its text would draw 01-01 before 12-31 across a
    // year end), while the graph reads them; the operator's order afterwards.
    const int column = GetSortColumn();
    const int direction = GetSortDirection();
    const PmTimeOrder order = timeOrder_;
    timeOrder_ = PmTimeOrder::kValue;
    SortList(kPmSideColumn, kSortAscending, GetListId());
    timeOrder_ = order;
    graph.DoModal();
    SortList(column, direction, GetListId());
}

void CXdslPmIntervalListDlg::OpenDescription()
{
    ShowXdslPmDescription(this);
}

int CXdslPmIntervalListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kGraphButtonId || id == kGraphPopupId)) {
        OpenGraph();
        return 1;
    }
    if (code == BN_CLICKED && id == kDescriptionButtonId) {
        OpenDescription();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
