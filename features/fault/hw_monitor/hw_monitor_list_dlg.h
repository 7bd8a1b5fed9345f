#pragma once
// CHwMonitorListDlg (354, "Hardware Monitoring List"): the fan speeds, voltages and temperatures that the modules of
// the target entity's slot (or of the whole NE, or shelf) report, each marked as in alarm or near a threshold by the
// margins of the configuration file. A refresh asks the NE again and rewrites the rows in place; with Auto- Refresh
// ticked the list refreshes on a fixed cadence (timer 24331) until a refresh fails. Modify opens the temperature
// thresholds (CHwMonThresholdDlg) and refreshes after a change.
//
//     CHwMonitorListDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "features/fault/hw_monitor/hw_reading_marks.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace Ui {
class CHwMonitorListDlg;
}

// One row: the reading as the NE reported it, its place in the reply and its mark.
struct HwReadingRow {
    HwMonRec reading;
    uint32_t number = 0; // 1.. in the order of the reply: the row's key
    HwReadingClass mark;
};

class CHwMonitorListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 354;
    static constexpr int kAutoRefreshId = 1059;
    static constexpr int kCriticalLegendId = 1405;
    static constexpr int kWarningLegendId = 1406;
    static constexpr int kAutoRefreshTimer = 24331;
    // Columns.
    static constexpr int kNumberColumn = 0;
    static constexpr int kSlotColumn = 1;
    static constexpr int kNameColumn = 2;
    static constexpr int kCurrentColumn = 3;
    static constexpr int kReferenceColumn = 4;
    static constexpr int kThresholdColumn = 5;

    explicit CHwMonitorListDlg(QWidget* parent = nullptr);
    ~CHwMonitorListDlg() override;

    // The key a reading sorts by: entity id x 1000 + kind x 100 + sensor index.
    static uint32_t ReadingKey(const HwMonRec& reading);

    // The clock of the cadence, in milliseconds (the UTC time by default); tests put their own in place.
    void SetClock(std::function<int64_t()> clock) { clock_ = std::move(clock); }
    bool IsAutoRefreshOn() const { return autoRefresh_ != 0; }

    // Asks the NE for the readings and rewrites the rows; false, with the rows as they were, when the request failed.
    bool Refresh();

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id, int code) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;
    void OnTimer(int id) override;
    void OnDestroy() override;
    void DrawExtras(Dc& dc) override;

private:
    // The auto-refresh box as it is ticked now: Refresh offered only without it, the timer set only with it.
    void ApplyAutoRefresh();
    void OnAutoRefreshTick();
    std::vector<uint32_t> RowKeys() const;

    std::unique_ptr<Ui::CHwMonitorListDlg> ui_;
    std::map<uint32_t, HwReadingRow> readings_;
    CTableRecordList<HwReadingRow> rows_;
    HwMargins margins_;
    int32_t periodMs_ = 4000;
    int autoRefresh_ = 0;
    int64_t dueMs_ = 0;
    std::function<int64_t()> clock_;
};
