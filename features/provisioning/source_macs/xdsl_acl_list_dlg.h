#pragma once
// CXdslAclListDlg ("xDSL Access Control List", template 383): the source MACs that the PVCs of every port below the
// target entity permit or deny, one row each (string 10239). Modify (1150, also OK, a double click or Enter) opens the
// list of the selected row's PVC and shows that PVC's rows as it left them. Export (1165) writes the list to
// "xDslAcl" files. Opened by the main window's command 33167.

#include "link/records/acl_entry_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CXdslAclListDlg;
}

class CXdslAclListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 383;
    static constexpr int kVlanColumn = 6;

    explicit CXdslAclListDlg(QWidget* parent = nullptr);
    ~CXdslAclListDlg() override;

    void InitData() override;
    void OnModifyRecord(uint32_t key) override;

private:
    std::unique_ptr<Ui::CXdslAclListDlg> ui_;
    CIndexedRecordList<AclEntryRec> rows_;
};

// The string id of a control state in the list: "deny" for 4, "permit" for any other.
uint32_t AclListStateTextId(uint32_t controlState);
