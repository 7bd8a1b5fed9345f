#pragma once
// CAlarmCriteriaDlg (224, "Alarm & Event Criteria"): which active alarms, or which history alarms and events, the
// server is to list: the scope (a location, or an NE with its shelf, slot and port), one entity model with some of
// its alarm types, the time of occurrence, one severity and only acknowledged alarms. Query opens the list
// (CAlarmEventListDlg) with these criteria and leaves this dialog open for the next query. The opener sets the mode,
// the location and, for an NE, the target:
//
//     CAlarmCriteriaDlg dlg;
//     dlg.SetQueryMode(kAlarmQueryHistory);
//     dlg.SetLocationId(locationId);
//     dlg.SetTarget(neId, &entity);    // or no NE: the location's NEs
//     dlg.DoModal();

#include "features/fault/alarm_events/criteria_controls.h"
#include "link/records/alarm_query_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CAlarmCriteriaDlg;
}

class CAlarmCriteriaDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 224;
    static constexpr int kLocationTextId = 1214;
    static constexpr int kNeTextId = 1149;
    static constexpr int kModelCheckId = 1059;
    static constexpr int kModelComboId = 1250;
    static constexpr int kAlarmTypeListId = 1212;
    static constexpr int kAckOnlyCheckId = 1031;

    explicit CAlarmCriteriaDlg(QWidget* parent = nullptr);
    ~CAlarmCriteriaDlg() override;

    void SetQueryMode(uint32_t mode) { queryMode_ = mode; }
    uint32_t GetQueryMode() const { return queryMode_; }
    // A routed command hands over the mode.
    void ApplyOpenerFields(const DialogRequest& request);

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    // Query.
    void OnOK() override;
    // The alarm types: the Description column by its text, the Name column by the alarm's index.
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;

private:
    void FillModelCombo(const CNeRecord* ne);
    // The model's alarm types, when Model is ticked; the combo and the list follow the check.
    void ApplyModelCheck();
    void FillAlarmTypes();
    uint32_t CheckedAlarmMask() const;

    std::unique_ptr<Ui::CAlarmCriteriaDlg> ui_;
    CCriteriaControls criteria_;
    uint32_t queryMode_ = kAlarmQueryActive;
};
