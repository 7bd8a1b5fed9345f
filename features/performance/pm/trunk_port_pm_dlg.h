#pragma once
// CTrunkPortPmDlg (template 253, "Trunk Port PM"): the traffic counters of one gigabit trunk port, incoming and
// outgoing, six fixed rows (octets, unicast, non-unicast, discarded and erroneous packets, PAUSE frames) from request
// 700. The shelf, slot and port combos choose the port the next refresh reads. Auto-Refresh reads it every
// DIALOG/DIALOGREFRESHTIME seconds (timer 31629, pm_auto_refresh.h) and then Graph draws a row live (CPmGraphDlg):
// the incoming and outgoing totals and their differences from the refresh before. Export writes the rows
// ("GigaPmC").
//
//     CTrunkPortPmDlg dlg;                    // the frame on a trunk port, or the trunk port list's PM button
//     dlg.SetTarget(neId, &portId);           // a port of the NE's second control module is its first's
//     dlg.DoModal();

#include "features/performance/pm/pm_auto_refresh.h"
#include "features/performance/pm/trunk_pm_graph_feed.h"
#include "link/records/trunk_pm_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>
#include <optional>

class CPmGraphDlg;
namespace Ui {
class CTrunkPortPmDlg;
}

// One row: its counter (0 octets .. 5 PAUSE frames) and the values read, none before a value arrives ("--").
struct TrunkPmRow {
    uint32_t number = 0;
    std::optional<uint32_t> incoming;
    std::optional<uint32_t> outgoing;
};

class CTrunkPortPmDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 253;
    static constexpr int kEntityNameId = 1348;
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;
    static constexpr int kGraphButtonId = 1189;
    static constexpr int kAutoRefreshId = 1059;
    static constexpr int kRefreshTimer = 31629;
    static constexpr int kRowCount = 6;
    enum Column { kItemColumn, kIncomingColumn, kOutgoingColumn };

    explicit CTrunkPortPmDlg(QWidget* parent = nullptr);
    ~CTrunkPortPmDlg() override;

    void SetTarget(int neId, const CEntityId* entity) override;
    bool IsAutoRefreshing() const { return autoRefreshOn_ != 0; }
    // Reads the chosen port's counters anew; false when the request failed (automatic: silently).
    bool Refresh(bool automatic);

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnListSelChanged(int row, int listId) override;
    void OnRefresh() override;
    std::vector<uint16_t> GreyedPopupCommands() const override;

private:
    // The combos from a level down (2 shelf, 3 slot, 4 port), each keeping its choice where it lists it.
    void FillCombos(int fromLevel, const CEntityIndex* wanted);
    CEntityIndex ChosenPort() const;
    void ShowRows(const std::optional<TrunkPmRec>& counters);
    void ApplyAutoRefresh();
    void UpdateGraphButton();
    void OpenGraph();
    void FeedGraph(const TrunkPmRec& counters);

    std::unique_ptr<Ui::CTrunkPortPmDlg> ui_;
    CRecordList<TrunkPmRow> rows_;
    CPmAutoRefresh autoRefresh_;
    CTrunkPmGraphFeed feed_;
    CPmGraphDlg* graph_ = nullptr;
    bool graphOpen_ = false;
    int graphedRow_ = -1;
    int autoRefreshOn_ = 0; // the check box
};
