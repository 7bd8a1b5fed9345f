#include "features/performance/pm/live_pm_list_dlg.h"

#include "features/performance/graphs/pm_graph_dlg.h"

#include <optional>

CLivePmListDlg::CLivePmListDlg(int templateId, Setup setup, int refreshTimer, QWidget* parent)
    : CRecordListDlg(templateId, std::move(setup), parent), refreshTimer_(refreshTimer)
{
}

CLivePmListDlg::~CLivePmListDlg() = default;

void CLivePmListDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, kAutoRefreshId, autoRefreshOn_);
}

void CLivePmListDlg::InitAutoRefresh()
{
    autoRefresh_.SetPeriodMs(DialogRefreshPeriodMs());
    UpdateData(false);
    ApplyAutoRefresh();
}

void CLivePmListDlg::ApplyAutoRefresh()
{
    EnableControl(kRefreshButtonId, autoRefreshOn_ == 0);
    UpdateGraphButton();
    if (autoRefreshOn_ != 0) {
        autoRefresh_.Start();
        SetTimer(refreshTimer_, autoRefresh_.PeriodMs());
    } else {
        KillTimer(refreshTimer_);
    }
}

void CLivePmListDlg::UpdateGraphButton()
{
    const std::optional<uint32_t> row = SelectedItemData();
    EnableControl(kGraphButtonId, autoRefreshOn_ != 0 && row && IsGraphable(*row));
}

void CLivePmListDlg::RestartAutoRefresh()
{
    autoRefresh_.Start();
    ResetGraphFeed();
    SetTimer(refreshTimer_, autoRefresh_.PeriodMs());
}

void CLivePmListDlg::OnTimer(int id)
{
    if (id != refreshTimer_) {
        CRecordListDlg::OnTimer(id);
        return;
    }
    KillTimer(refreshTimer_);
    if (Refresh(true)) {
        SetTimer(refreshTimer_, autoRefresh_.Rearm());
        return;
    }
    if (graph_ != nullptr)
        graph_->DisableRefreshButtons();
    autoRefreshOn_ = 0;
    UpdateData(false);
    ApplyAutoRefresh();
}

void CLivePmListDlg::OnListSelChanged(int row, int listId)
{
    CRecordListDlg::OnListSelChanged(row, listId);
    if (listId == kListControlId)
        UpdateGraphButton();
}

void CLivePmListDlg::OnRefresh()
{
    Refresh(false);
}

std::vector<uint16_t> CLivePmListDlg::GreyedPopupCommands() const
{
    if (autoRefreshOn_ != 0)
        return {static_cast<uint16_t>(kPopupRefresh)};
    return {};
}

void CLivePmListDlg::OpenGraph()
{
    const std::optional<uint32_t> row = SelectedItemData();
    if (!row)
        return;
    graphedRow_ = static_cast<int>(*row);
    ResetGraphFeed();
    CPmGraphDlg graph(this);
    SetUpGraph(graph, graphedRow_);
    graph_ = &graph;
    graph.DoModal();
    graph_ = nullptr;
    if (autoRefreshOn_ != 0)
        RestartAutoRefresh();
}

int CLivePmListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CRecordListDlg::OnCommandHook(id, code);
    switch (id) {
    case kAutoRefreshId:
        UpdateDialogData();
        ApplyAutoRefresh();
        return 1;
    case kGraphButtonId:
        OpenGraph();
        return 1;
    case CPmGraphDlg::kStopRefreshId:
        KillTimer(refreshTimer_);
        return 1;
    case CPmGraphDlg::kRestartId:
        RestartAutoRefresh();
        return 1;
    default:
        return CRecordListDlg::OnCommandHook(id, code);
    }
}
