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
#include "features/performance/pm/current_pm_dlg.h"
#include "link/records/adsl_block_pm_rec.h"
#include "link/records/xdsl_pm_counters_rec.h"

#include <memory>
#include <optional>

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

class CAdslCurrentPmDlg : public CCurrentPmDlgOf<AdslCurrentPmRow> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 256;
    static constexpr int kRefreshTimer = 31639;
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

    int OnCommandHook(int id, int code) override;

protected:
    // The previous 15 minutes have no block counts.
    Rows EmptyRows() const override;
    bool ReadRows(const CNeRecord& ne, Rows& rows, bool automatic) override;
    void SetUpGraph(CPmGraphDlg& graph, int row) override;
    void ResetGraphFeed() override { feed_.RequestReset(); }

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

    void FeedGraph(CPmGraphDlg& graph, const Rows& rows, uint32_t elapsed15Min, uint32_t elapsedDay);

    std::unique_ptr<Ui::CAdslCurrentPmDlg> ui_;
    CAdslPmGraphFeed feed_;
    Reading last_;
};
