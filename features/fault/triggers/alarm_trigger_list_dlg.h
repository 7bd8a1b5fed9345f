#pragma once
// CAlarmTriggerListDlg (228, "Triggers List of Alarm Notification"): the alarm notification triggers of the target NE,
// as the management server keeps them, with Modify, Add, Delete and Export. The server answers with the triggers of
// every NE; the list takes those of its NE whose entity type the entity model knows. Add and Modify open the trigger
// dialog (CAlarmTriggerDlg) on the list's stack; the ID column numbers the rows as they came, not the triggers.

#include "link/records/alarm_trigger_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CAlarmTriggerListDlg;
}

class CAlarmTriggerListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 228;
    // Columns of the list.
    static constexpr int kIdColumn = 0;
    static constexpr int kEntityTypeColumn = 1;
    static constexpr int kEmailColumn = 2;
    static constexpr int kThresholdColumn = 3;
    static constexpr int kAlarmsColumn = 4;

    explicit CAlarmTriggerListDlg(QWidget* parent = nullptr);
    ~CAlarmTriggerListDlg() override;

    void InitData() override;
    void OnModifyRecord(uint32_t triggerId) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t triggerId) override;

private:
    std::unique_ptr<Ui::CAlarmTriggerListDlg> ui_;
    CRecordList<AlarmTriggerRec> rows_;
};
