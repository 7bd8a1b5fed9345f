#pragma once
// CXdslFdbConfigListDlg (template 460, "xDSL Configured Filtering Database Entry List"): the configured filtering
// database entries at or below the target entity (request 478): port, PVC, MAC address, the PVC's VLAN and the
// entry's status. Delete removes the selected entry (479); Add Static opens the static MAC setting on the selected
// row's port preset with its PVC and MAC, or, without a row, on the list's target, which must then be a port; Export
// writes the rows ("xDslFdbConfig").
//
//     CXdslFdbConfigListDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "link/records/fdb_entry_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CXdslFdbConfigListDlg;
}

class CXdslFdbConfigListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 460;
    enum Column {
        kNumberColumn,
        kSlotPortColumn,
        kVpiColumn,
        kVciColumn,
        kMacColumn,
        kVlanColumn,
        kEntityColumn,
        kStatusColumn
    };

    explicit CXdslFdbConfigListDlg(QWidget* parent = nullptr);
    ~CXdslFdbConfigListDlg() override;

    void InitData() override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t row) override;

private:
    std::unique_ptr<Ui::CXdslFdbConfigListDlg> ui_;
    CIndexedRecordList<FdbEntryRec> rows_;
};
