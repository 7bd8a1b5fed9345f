#pragma once
// CNeAlarmInputListDlg (221, "NE Alarm Input List"): the alarm inputs of the target NE, external sensors whose contact
// state raises an alarm: each with its normal and current contact state, whether it is enabled and the severity of
// its alarm now. Modify opens the input's setting dialog (CNeAlarmInputDlg); three seconds after a change the list
// reads the NE again.
//
//     CNeAlarmInputListDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "features/fault/ne_alarm_io/ne_alarm_contact_list_dlg.h"
#include "link/records/ne_alarm_input_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>
#include <vector>

namespace Ui {
class CNeAlarmInputListDlg;
}

class CNeAlarmInputListDlg : public CNeAlarmContactListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 221;
    static constexpr int kRefreshTimer = 25343;
    // Columns.
    static constexpr int kIndexColumn = 0;
    static constexpr int kNameColumn = 1;
    static constexpr int kNormalStateColumn = 2;
    static constexpr int kAdminStateColumn = 3;
    static constexpr int kCurrentStateColumn = 4;
    static constexpr int kSeverityColumn = 5;

    explicit CNeAlarmInputListDlg(QWidget* parent = nullptr);
    ~CNeAlarmInputListDlg() override;

protected:
    void ClearRows() override;
    bool ModifyContact(uint32_t entityId) override;

private:
    // The severity of the input's alarm as the NE's entities show it now, 1..5; 0 for none and for a disabled input.
    uint32_t Severity(const NeAlarmInputRec& input) const;
    std::vector<ListColumn<NeAlarmInputRec>> Columns() const;

    std::unique_ptr<Ui::CNeAlarmInputListDlg> ui_;
    CRecordList<NeAlarmInputRec> rows_;
};
