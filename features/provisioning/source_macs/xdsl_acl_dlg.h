#pragma once
// CXdslAclDlg ("xDSL Access Control", template 385): puts one source MAC on a PVC with the PVC's new control state
// (radios 1153 Permit, 1134 Deny). The PVC (static 1273) and its current state (static 1278) are shown; OK has the NE
// check the MAC (edit 1390) first, refuses it or asks as the NE's verdict says, asks again for a routed PVC, then
// adds it.
//
//     CXdslAclDlg dlg(this);
//     dlg.SetTarget(neId, &port);
//     dlg.SetPvc(vpi, vci, currentState);   // 4 deny, 5 permit, 0 none
//     if (dlg.DoModal() == IDOK) ... dlg.GetEntry() ...

#include "link/records/acl_entry_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CXdslAclDlg;
}

class CXdslAclDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 385;
    static constexpr int kPvcId = 1273;
    static constexpr int kCurrentStateId = 1278;
    static constexpr int kPermitId = 1153;
    static constexpr int kDenyId = 1134;
    static constexpr int kMacId = 1390;

    explicit CXdslAclDlg(QWidget* parent = nullptr);
    ~CXdslAclDlg() override;

    void SetPvc(uint8_t vpi, uint16_t vci, uint32_t controlState);
    // After OK: the entry added.
    const AclEntryRec& GetEntry() const { return entry_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    // Whether the PVC is routed; none when its query failed.
    std::optional<bool> IsRoutedPvc();

    std::unique_ptr<Ui::CXdslAclDlg> ui_;
    AclEntryRec entry_;
    QString pvcText_;
    QString stateText_;
    int stateIndex_ = 1; // 0 Permit, 1 Deny
    QString mac_ = QStringLiteral("00:00:00:00:00:00");
};

// The text of a PVC's control state: permit or deny the listed source MACs, or none.
uint32_t AclStateTextId(uint32_t controlState);
// "<port> <vpi>/<vci>".
QString PvcText(int neId, uint32_t portId, uint8_t vpi, uint16_t vci);
