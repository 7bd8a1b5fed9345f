#pragma once
// CActiveAlarmDlg (217, "Active Alarm & Event"): the alarms active now on an NE or on one of its shelves, slots or
// ports, one row per entity, read from the NE's entity tree as the notifications keep it (no request). Severity,
// acknowledgement and alarm name filters narrow the rows, the counts show what is listed, and a row opens its detail
// or, in server mode, the acknowledgement of its entity. The opener sets the target NE and entity; the alarm summary
// of direct mode also presets one severity:
//
//     CActiveAlarmDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.ShowOnlySeverity(kSeverityMajor);
//     dlg.DoModal();

#include "features/fault/active_alarms/active_alarm_rows.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>

namespace Ui {
class CActiveAlarmDlg;
}

class CActiveAlarmDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 217;
    static constexpr int kAckCheckId = 1170;
    static constexpr int kNackCheckId = 1182;
    static constexpr int kNameCheckId = 1036;
    static constexpr int kNameEditId = 1038;
    static constexpr int kTotalCountId = 1095;
    static constexpr int kDetailButtonId = 1132;
    static constexpr int kAcknowledgeButtonId = 1031;
    static constexpr int kPopupDetail = 33012;
    static constexpr int kPopupAcknowledge = 33000;
    // Counts beside the severity boxes, critical to info.
    static constexpr std::array<int, 5> kSeverityCountIds = {1173, 1176, 1178, 1183, 1396};
    // Columns.
    static constexpr int kSeverityColumn = 1;
    static constexpr int kLocationColumn = 2;
    static constexpr int kEntityTypeColumn = 5;
    static constexpr int kAlarmsColumn = 7;
    static constexpr int kOccurTimeColumn = 8;
    static constexpr int kAckPersonColumn = 10;
    static constexpr int kAckTimeColumn = 11;

    explicit CActiveAlarmDlg(QWidget* parent = nullptr);
    ~CActiveAlarmDlg() override;

    // Only the box of this severity (1..5) is ticked when the dialog opens.
    void ShowOnlySeverity(int severity);

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void DrawExtras(Dc& dc) override;
    // The operator's right to query the alarms first, then the fill.
    void OnRefresh() override;
    // Compare keys 7..10 (Occur Time, Receive Time, Ack Person and Ack Time sort under them) order as the columns
    // after them; the others as their own columns.
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;

    void OnDetail();
    void OnAcknowledge();

private:
    // The rows of a fill: the entities of the target that pass the filters, kept by their ids.
    std::vector<uint32_t> CollectRows();
    ActiveAlarmFilter FilterOfControls() const;
    void ShowCounts(const std::array<uint32_t, 5>& counts, uint32_t total);

    std::unique_ptr<Ui::CActiveAlarmDlg> ui_;
    std::map<uint32_t, ActiveAlarmRow> alarms_;
    CTableRecordList<ActiveAlarmRow> rows_;
    std::array<int, 5> severityChecks_{1, 1, 1, 1, 1};
    int ackCheck_ = 1;
    int nackCheck_ = 1;
    int nameCheck_ = 0;
    std::string names_;
};
