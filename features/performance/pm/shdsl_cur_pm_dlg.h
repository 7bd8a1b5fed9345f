#pragma once
// CShdslCurPmDlg (template 417, "SHDSL Current PM"): the PM counters of one SHDSL port, CO and RT side, for the
// current and previous 15 minutes and the current and previous day, eight fixed rows. Refresh reads them (request 810
// per side for the current intervals, 811 per side for the latest stored one); Auto- Refresh reads them every
// DIALOG/DIALOGREFRESHTIME seconds (timer 24345, pm_auto_refresh.h) and then Graph draws the CO and RT counters of a
// current interval live (CPmGraphDlg); Description shows the columns' legend; Export writes the rows ("ShdslPmC").
//
//     CShdslCurPmDlg dlg;                      // the port list, the port selection, or the frame on a port
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/pm/current_pm_dlg.h"
#include "features/performance/pm/shdsl_pm_values.h"
#include "link/records/shdsl_pm_counters_rec.h"

#include <memory>

namespace Ui {
class CShdslCurPmDlg;
}

// One row: its interval and side (0 current 15 min CO, 1 its RT, 2 previous 15 min CO, ... 7 previous day RT).
struct ShdslCurPmRow {
    uint32_t number = 0;
    ShdslPmCountersRec counters;

    bool IsRemote() const { return number % 2 == 1; }
};

class CShdslCurPmDlg : public CCurrentPmDlgOf<ShdslCurPmRow> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 417;
    static constexpr int kDescriptionPopupId = 33012;
    static constexpr int kRefreshTimer = 24345;

    explicit CShdslCurPmDlg(QWidget* parent = nullptr);
    ~CShdslCurPmDlg() override;

    int OnCommandHook(int id, int code) override;

protected:
    bool ReadRows(const CNeRecord& ne, Rows& rows, bool automatic) override;
    void SetUpGraph(CPmGraphDlg& graph, int row) override;
    void ResetGraphFeed() override { feed_.RequestReset(); }

private:
    std::unique_ptr<Ui::CShdslCurPmDlg> ui_;
    CShdslPmGraphFeed feed_;
};
