#pragma once
// CProtocolVlanDlg ("Protocol-based VLAN", template 439): one protocol-based VLAN entry of the target NE, added (access
// mode create) or changed: its Ethernet type (four hexadecimal digits, given on Add only), its name, whether it is
// enabled and its VLAN ID (1..4094). OK writes the entry (request 541 to add, 540 to change) and keeps it for the
// opener.
//
//     CProtocolVlanDlg dlg(this);
//     dlg.SetTarget(neId, &entity);
//     dlg.SetAccessMode(kAccessModify);
//     dlg.SetEtherType(0x0800);
//     if (dlg.DoModal() == IDOK) ... dlg.GetEntry() ...

#include "link/records/protocol_vlan_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CProtocolVlanDlg;
}

class CProtocolVlanDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 439;
    static constexpr int kEtherTypeId = 1361;
    static constexpr int kNameId = 1257;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kVlanId = 1199;
    static constexpr int kVlanSpinId = 1202;
    static constexpr int kNameMax = 32;
    static constexpr int kEtherTypeDigits = 4;

    explicit CProtocolVlanDlg(QWidget* parent = nullptr);
    ~CProtocolVlanDlg() override;

    void SetEtherType(uint16_t etherType) { entry_.etherType = etherType; }
    // The entry as written.
    const ProtocolVlanRec& GetEntry() const { return entry_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    // Keeps only hexadecimal digits as they are typed.
    void FilterEtherType();
    // Writes the Ethernet type's value as four digits.
    void TidyEtherType();

    std::unique_ptr<Ui::CProtocolVlanDlg> ui_;
    ProtocolVlanRec entry_;
    QString etherType_ = QStringLiteral("0000");
    QString name_;
    int choice_ = 0; // 0 Enabled, 1 Disabled
    uint32_t vlanId_ = 1;
    bool filtering_ = false;
};
