#pragma once
// CXdslVcVlanAclListDlg ("xDSL VC-to-VLAN Access Control List", template 384): the source MACs one PVC (static 1273)
// permits or denies, with the PVC's control state (static 1278). Add (1263) puts a MAC on it through the access
// control dialog, while it has fewer than 64; Delete (1131) takes the selected one off; Refresh (1307) reads them
// again. The opener reads what the list holds when it closes.
//
//     CXdslVcVlanAclListDlg dlg(this);
//     dlg.SetTarget(neId, &port);
//     dlg.SetPvcKey(vpi, vci);
//     dlg.DoModal();
//     if (dlg.IsChanged()) ... dlg.Entries() ...

#include "link/records/acl_entry_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CXdslVcVlanAclListDlg;
}

class CXdslVcVlanAclListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 384;
    static constexpr int kPvcId = 1273;
    static constexpr int kStateId = 1278;
    static constexpr size_t kMaxSourceMacs = 64;

    explicit CXdslVcVlanAclListDlg(QWidget* parent = nullptr);
    ~CXdslVcVlanAclListDlg() override;

    void SetPvcKey(uint8_t vpi, uint16_t vci);
    bool IsChanged() const { return changed_; }
    // The PVC's entries as the list shows them.
    std::vector<AclEntryRec> Entries() const;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t key) override;
    void OnRefresh() override;

private:
    RecordReply<AclEntryRec> QueryEntries();
    void Refresh();

    std::unique_ptr<Ui::CXdslVcVlanAclListDlg> ui_;
    CIndexedRecordList<AclEntryRec> rows_;
    AclEntryRec pvc_; // the PVC's key and its control state as read last
    QString pvcText_;
    QString stateText_;
    bool changed_ = false;
};
