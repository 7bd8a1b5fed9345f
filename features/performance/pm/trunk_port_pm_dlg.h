#pragma once
// CTrunkPortPmDlg (template 253, "Trunk Port PM"): the traffic counters of one gigabit trunk port, incoming and
// outgoing, six fixed rows (octets, unicast, non-unicast, discarded and erroneous packets, PAUSE frames) from request
// 700. The shelf, slot and port combos choose the port the next refresh reads. Auto-Refresh reads it every
// DIALOG/DIALOGREFRESHTIME seconds (timer 31629, pm_auto_refresh.h) and then Graph draws a row live (CPmGraphDlg):
// the incoming and outgoing totals and their differences from the refresh before. Export writes the rows
// ("GigaPmC").
//
// A target that is no port (the NE, a card) gets "Internal error" and the dialog closes; a port's shelf, slot and port
// are chosen where the combos list them.
//
//     CTrunkPortPmDlg dlg;                    // the frame, or the trunk port list's PM button
//     dlg.SetTarget(neId, &portId);           // a port of the NE's second control module is its first's
//     dlg.DoModal();

#include "features/performance/pm/live_pm_list_dlg.h"
#include "features/performance/pm/trunk_pm_graph_feed.h"
#include "link/records/trunk_pm_rec.h"
#include "ui/framework/dialogs/port_combos.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>
#include <optional>

namespace Ui {
class CTrunkPortPmDlg;
}

// One row: its counter (0 octets .. 5 PAUSE frames) and the values read, none before a value arrives ("--").
struct TrunkPmRow {
    uint32_t number = 0;
    std::optional<uint32_t> incoming;
    std::optional<uint32_t> outgoing;
};

class CTrunkPortPmDlg : public CLivePmListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 253;
    static constexpr int kEntityNameId = 1348;
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;
    static constexpr int kRefreshTimer = 31629;
    static constexpr int kRowCount = 6;
    enum Column { kItemColumn, kIncomingColumn, kOutgoingColumn };

    explicit CTrunkPortPmDlg(QWidget* parent = nullptr);
    ~CTrunkPortPmDlg() override;

    void SetTarget(int neId, const CEntityId* entity) override;
    // Reads the chosen port's counters anew.
    bool Refresh(bool automatic) override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;

protected:
    bool IsGraphable(uint32_t /*row*/) const override { return true; }
    void SetUpGraph(CPmGraphDlg& graph, int row) override;
    void ResetGraphFeed() override { feed_.RequestReset(); }

private:
    void ShowRows(const std::optional<TrunkPmRec>& counters);
    void FeedGraph(CPmGraphDlg& graph, const TrunkPmRec& counters);

    std::unique_ptr<Ui::CTrunkPortPmDlg> ui_;
    CRecordList<TrunkPmRow> rows_;
    CTrunkPmGraphFeed feed_;
    CPortCombos portCombos_;
};
