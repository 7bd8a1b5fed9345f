#pragma once
// CNeAlarmOutputListDlg (462, "NE Alarm Output List"): the alarm outputs of the target NE, relays the NE drives while
// alarms of the chosen severities are present: each with its severities, whether it is enabled and whether it is
// driven now. Modify opens the output's setting dialog (CNeAlarmOutputDlg); three seconds after a change the list
// reads the NE again.
//
//     CNeAlarmOutputListDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "features/fault/ne_alarm_io/ne_alarm_contact_list_dlg.h"
#include "link/records/ne_alarm_output_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>
#include <vector>

namespace Ui {
class CNeAlarmOutputListDlg;
}

class CNeAlarmOutputListDlg : public CNeAlarmContactListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 462;
    static constexpr int kRefreshTimer = 25344;
    // Columns.
    static constexpr int kIndexColumn = 0;
    static constexpr int kNameColumn = 1;
    static constexpr int kSeveritiesColumn = 2;
    static constexpr int kAdminStateColumn = 3;
    static constexpr int kCurrentStateColumn = 4;

    explicit CNeAlarmOutputListDlg(QWidget* parent = nullptr);
    ~CNeAlarmOutputListDlg() override;

protected:
    void ClearRows() override;
    bool ModifyContact(uint32_t entityId) override;

private:
    // The row's image: grey for a disabled output, unless it is not released (current state other than 2), when the
    // severity of its entity's alarm (critical .. warning) or none colours it.
    int RowImage(const NeAlarmOutputRec& output) const;
    std::vector<ListColumn<NeAlarmOutputRec>> Columns() const;

    std::unique_ptr<Ui::CNeAlarmOutputListDlg> ui_;
    CRecordList<NeAlarmOutputRec> rows_;
};
