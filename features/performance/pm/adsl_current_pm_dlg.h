#pragma once
// CAdslCurrentPmDlg (template 256, "ADSL Current PM"): the PM counters of one ADSL port, CO and RT side, for the
// current and previous 15 minutes and the current and previous day, eight fixed rows. Refresh reads them (requests
// 600, 601, 602, 603, 616 and 617); Auto- Refresh reads them every DIALOG/DIALOGREFRESHTIME seconds (timer 31639,
// pm_auto_refresh.h) and then Graph draws the cells and rates of a current row live (CPmGraphDlg); Description shows
// the columns' legend; Export writes the rows ("xDslPmC").
//
// The rate of the current rows is that of the cells since the last refresh that succeeded, over the seconds since
// then: a failed refresh leaves what the rates start from as it was.
//
//     CAdslCurrentPmDlg dlg;                   // the port selection, or the frame on a port
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/pm/adsl_pm_graph_feed.h"
#include "features/performance/pm/pm_auto_refresh.h"
#include "link/records/adsl_block_pm_rec.h"
#include "link/records/xdsl_pm_counters_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <array>
#include <memory>
#include <optional>

class CPmGraphDlg;
namespace Ui {
class CAdslCurrentPmDlg;
}

// One row of the dialog: what it shows of its interval and side.
struct AdslCurrentPmRow {
    uint32_t number = 0; // 0 current 15 min CO, 1 its RT, 2 previous 15 min CO, ... 7 previous day RT
    XdslPmCountersRec counters;
    std::optional<double> txRate; // kbit/s; none shows "--"
    std::optional<double> rxRate;
    XdslBlockCountersRec blocks;
    bool blocksShown = true; // the previous 15 minutes have no block counts: "--"

    bool IsRemote() const { return number % 2 == 1; }
};

class CAdslCurrentPmDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 256;
    static constexpr int kGraphButtonId = 1189;
    static constexpr int kDescriptionButtonId = 1132;
    static constexpr int kAutoRefreshId = 1059;
    static constexpr int k15MinElapsedId = 1000;
    static constexpr int kDayElapsedId = 1013;
    static constexpr int kRefreshTimer = 31639;
    static constexpr int kRowCount = 8;
    enum Column {
        kIntervalColumn,
        kSideColumn,
        kLossColumn,
        kErroredColumn,
        kSeverelyErroredColumn,
        kUnavailableColumn,
        kTxCellsColumn,
        kRxCellsColumn,
        kCodeViolationsColumn,
        kFullInitsColumn,
        kFailedInitsColumn,
        kTxBlocksColumn,
        kRxBlocksColumn,
        kCorrectedColumn,
        kUncorrectedColumn,
    };

    explicit CAdslCurrentPmDlg(QWidget* parent = nullptr);
    ~CAdslCurrentPmDlg() override;

    bool IsAutoRefreshing() const { return autoRefreshOn_ != 0; }

    // Reads the counters anew; false when a request failed (automatic: silently).
    bool Refresh(bool automatic);

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnListSelChanged(int row, int listId) override;
    void OnRefresh() override;
    std::vector<uint16_t> GreyedPopupCommands() const override;

private:
    // The counters and the elapsed seconds the current rows' rates start from: those of the last successful refresh.
    struct Reading {
        uint32_t txCells15Min = 0;
        uint32_t rxCells15Min = 0;
        uint32_t txCellsDay = 0;
        uint32_t rxCellsDay = 0;
        uint32_t elapsed15Min = 0;
        uint32_t elapsedDay = 0;
    };

    void ApplyAutoRefresh();
    void UpdateGraphButton();
    void OpenGraph();
    void FeedGraph(const std::array<AdslCurrentPmRow, kRowCount>& rows, uint32_t elapsed15Min, uint32_t elapsedDay);
    void ShowElapsed(const QString& quarter, const QString& day);

    std::unique_ptr<Ui::CAdslCurrentPmDlg> ui_;
    CRecordList<AdslCurrentPmRow> rows_;
    CPmAutoRefresh autoRefresh_;
    CAdslPmGraphFeed feed_;
    CPmGraphDlg* graph_ = nullptr;
    bool graphOpen_ = false;
    int selectedRow_ = -1;
    int autoRefreshOn_ = 0; // the check box
    Reading last_;
};
