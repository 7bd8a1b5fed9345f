#pragma once
// CLivePmListDlg, the base of the PM dialogs that read a port's counters live (ADSL current PM, trunk port PM). Its
// Auto-Refresh box reads them every DIALOG/DIALOGREFRESHTIME seconds on the dialog's timer (pm_auto_refresh.h) and
// greys Refresh meanwhile; Graph, enabled while Auto-Refresh is on and a row the dialog graphs is selected, opens
// CPmGraphDlg modally for that row, which the dialog feeds after each refresh. The graph's Stop Refresh stops the
// timer and its Restart starts the series and the timer anew. An automatic refresh that fails switches Auto-Refresh
// off and greys the graph's refresh buttons.
//
//     class CTrunkPortPmDlg : public CLivePmListDlg {
//         CTrunkPortPmDlg() : CLivePmListDlg(253, {.popupName = "REFRESH_LIST", ...}, kRefreshTimer) ...
//         bool Refresh(bool automatic) override;              // feeds LiveGraph() when it is open
//         bool IsGraphable(uint32_t row) const override;
//         void SetUpGraph(CPmGraphDlg& graph, int row) override; // titles, axes and series of the row's graph
//         void ResetGraphFeed() override;
//     };
//     InitData: ... InitAutoRefresh(); Refresh(false);

#include "features/performance/pm/pm_auto_refresh.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <vector>

class CPmGraphDlg;

class CLivePmListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kGraphButtonId = 1189;
    static constexpr int kAutoRefreshId = 1059;

    // `refreshTimer`: the id of the dialog's auto-refresh timer.
    CLivePmListDlg(int templateId, Setup setup, int refreshTimer, QWidget* parent = nullptr);
    ~CLivePmListDlg() override;

    bool IsAutoRefreshing() const { return autoRefreshOn_ != 0; }
    // Reads the counters anew; false when a request failed (automatic: silently).
    virtual bool Refresh(bool automatic) = 0;

    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnListSelChanged(int row, int listId) override;
    void OnRefresh() override;
    std::vector<uint16_t> GreyedPopupCommands() const override;

protected:
    // Whether Graph draws the row with that key.
    virtual bool IsGraphable(uint32_t row) const = 0;
    // The graph of the row, before it opens.
    virtual void SetUpGraph(CPmGraphDlg& graph, int row) = 0;
    // The next point the graph is fed starts its series anew.
    virtual void ResetGraphFeed() = 0;

    // The box shown off and the period read, in InitData.
    void InitAutoRefresh();
    // The graph while it is open, else null; and the key of the row it draws.
    CPmGraphDlg* LiveGraph() const { return graph_; }
    int GraphedRow() const { return graphedRow_; }

private:
    void ApplyAutoRefresh();
    void UpdateGraphButton();
    void OpenGraph();
    // The series from the next point on and the timer a period from now.
    void RestartAutoRefresh();

    CPmAutoRefresh autoRefresh_;
    int refreshTimer_;
    CPmGraphDlg* graph_ = nullptr;
    int graphedRow_ = -1;
    int autoRefreshOn_ = 0; // the check box
};
