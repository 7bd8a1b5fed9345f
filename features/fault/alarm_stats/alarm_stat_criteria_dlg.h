#pragma once
// CAlarmStatCriteriaDlg (226, "History Alarm & Event Statistics Criteria"): the scope (shelf, slot and port of the
// target NE), the time range and one severity whose history alarms and events are to be counted per entity. Query
// opens the statistics (CAlarmStatDlg) and leaves this dialog open. The opener sets the target NE and entity.

#include "features/fault/alarm_events/criteria_controls.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CAlarmStatCriteriaDlg;
}

class CAlarmStatCriteriaDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 226;
    static constexpr int kNeTextId = 1149;

    explicit CAlarmStatCriteriaDlg(QWidget* parent = nullptr);
    ~CAlarmStatCriteriaDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    // Query.
    void OnOK() override;

private:
    std::unique_ptr<Ui::CAlarmStatCriteriaDlg> ui_;
    CCriteriaControls criteria_;
};
