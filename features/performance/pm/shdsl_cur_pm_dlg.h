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

#include "features/performance/pm/live_pm_list_dlg.h"
#include "features/performance/pm/shdsl_pm_values.h"
#include "link/records/shdsl_pm_counters_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <array>
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

class CShdslCurPmDlg : public CLivePmListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 417;
    static constexpr int kDescriptionButtonId = 1132;
    static constexpr int kDescriptionPopupId = 33012;
    static constexpr int k15MinElapsedId = 1000;
    static constexpr int kDayElapsedId = 1013;
    static constexpr int kRefreshTimer = 24345;
    static constexpr int kRowCount = 8;

    explicit CShdslCurPmDlg(QWidget* parent = nullptr);
    ~CShdslCurPmDlg() override;

    bool Refresh(bool automatic) override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;

protected:
    bool IsGraphable(uint32_t row) const override { return row == 0 || row == 1 || row == 4 || row == 5; }
    void SetUpGraph(CPmGraphDlg& graph, int row) override;
    void ResetGraphFeed() override { feed_.RequestReset(); }

private:
    void ShowElapsed(const QString& quarter, const QString& day);

    std::unique_ptr<Ui::CShdslCurPmDlg> ui_;
    CRecordList<ShdslCurPmRow> rows_;
    CShdslPmGraphFeed feed_;
};
