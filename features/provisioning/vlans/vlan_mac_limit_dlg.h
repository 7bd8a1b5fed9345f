#pragma once
// CVlanMacLimitDlg ("VLAN MAC Limit", template 420): the limit of learned MAC addresses of one VLAN of the target NE
// and whether it is enabled (request 530). The limit lies within 1 and 384 per line-card slot of the NE; an enabled
// limit must not be below the units that the VLAN's enabled PVC MAC limits and multicast channels have taken already
// (request 416). OK writes the limit and keeps it for the opener.
//
//     CVlanMacLimitDlg dlg(this);
//     dlg.SetTarget(neId, &entity);
//     dlg.SetVlanId(100);
//     if (dlg.DoModal() == IDOK) ... dlg.GetLimit() ...

#include "link/records/vlan_mac_limit_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CVlanMacLimitDlg;
}

class CVlanMacLimitDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 420;
    static constexpr int kVlanId = 1199;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kLimitId = 1095;
    static constexpr int kLimitSpinId = 1096;

    explicit CVlanMacLimitDlg(QWidget* parent = nullptr);
    ~CVlanMacLimitDlg() override;

    void SetVlanId(uint16_t vlanId) { limit_.vlanId = vlanId; }
    // The limit as written.
    const VlanMacLimitRec& GetLimit() const { return limit_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    // The units the VLAN's PVCs and channels have taken; none when a request failed.
    std::optional<uint32_t> CommittedUnits();

    std::unique_ptr<Ui::CVlanMacLimitDlg> ui_;
    VlanMacLimitRec limit_;
    uint32_t highestLimit_ = 1;
    int choice_ = 1; // 0 Enabled, 1 Disabled
    uint32_t macLimit_ = 1;
};
