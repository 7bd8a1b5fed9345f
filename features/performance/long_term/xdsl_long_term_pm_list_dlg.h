#pragma once
// CXdslLongTermPmListDlg (template 258, "xDSL Long-Term PM List"): the long-term PM items of an NE (request 100), the
// ports whose 15-minute PM the NE collects during a window, a started collection marked. Query (1291, popup Show, a
// double click) asks for a date and hour range of the row's port and lists its records; Add (1263) adds an item for a
// port (for the selected row's, else the dialog's target); Delete (1131) removes the selected item (102). Right 17:
// 'q' to list and query, 'c' to add, 'd' to delete. Export stem "xDslPmFl".
//
//     CXdslLongTermPmListDlg dlg;              // the frame's Performance menu, the port lists
//     dlg.SetTarget(neId, &entity);            // the row of the target port, or of a port below it, is selected
//     dlg.DoModal();

#include "link/records/long_term_pm_item_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CXdslLongTermPmListDlg;
}

class CXdslLongTermPmListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 258;
    static constexpr uint8_t kItemCollecting = 48; // '0': the state the dialogs write and list
    enum Column { kNumberColumn, kPortColumn, kStartColumn, kStopColumn, kPortIdColumn };

    explicit CXdslLongTermPmListDlg(QWidget* parent = nullptr);
    ~CXdslLongTermPmListDlg() override;

    void InitData() override;
    void OnShowRecord(uint32_t port) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t port) override;

private:
    std::unique_ptr<Ui::CXdslLongTermPmListDlg> ui_;
    CRecordList<LongTermPmItemRec> rows_;
};
