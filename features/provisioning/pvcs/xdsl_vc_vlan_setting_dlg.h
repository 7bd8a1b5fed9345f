#pragma once
// CXdslVcVlanSettingDlg ("xDSL VC-to-VLAN Setting", template 287): shows, creates or changes one PVC of an xDSL port.
// The dialog itself holds the port (shelf 1322, slot 1253, port 1273), VPI (1183, spin 1184), VCI (1185, spin 1186),
// enable state (radios 1153 Enabled, 1134 Disabled) and RFC2684 mode (combo 1245, "bridged" or "routed"); its pages
// hold the rest. A bridged PVC shows "IP Traffic Profile", "802.1Q/1P", "MAC Control" and "Service Type"; a routed one
// "802.1P" and "Next-hop" in place of "802.1Q/1P".
//
// OK checks what the operator gave, asks before an enabled PVC is reset, checks the static IP ranges against what the
// NE uses, and writes the PVC through the guarded write (pvc_write.h): the NE takes the PVC whole or is left as it
// was, and the operator reads why on the page concerned. Creating refuses a PVC the port has already.
//
//     CXdslVcVlanSettingDlg dlg(this);
//     dlg.SetTarget(neId, &port);                // a port; creating takes a slot or the NE as well
//     dlg.SetAccessMode(kAccessModify);          // kAccessQuery shows, kAccessCreate creates
//     dlg.SetPvcKey(vpi, vci);                   // the PVC to show or change
//     if (dlg.DoModal() == IDOK) ... dlg.GetResult() ...

#include "features/provisioning/pvcs/pvc_write.h"
#include "features/provisioning/pvcs/vc_fields.h"
#include "features/provisioning/pvcs/vc_vlan_mac_limit_page.h"
#include "features/provisioning/pvcs/vc_vlan_name_pages.h"
#include "features/provisioning/pvcs/vc_vlan_priority_pages.h"
#include "features/provisioning/pvcs/vc_vlan_service_type_page.h"
#include "link/records/pvc_rec.h"
#include "ui/framework/dialogs/port_combos.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CXdslVcVlanSettingDlg;
}

class CXdslVcVlanSettingDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 287;
    static constexpr int kShelfId = 1322;
    static constexpr int kSlotId = 1253;
    static constexpr int kPortId = 1273;
    static constexpr int kVpiId = 1183;
    static constexpr int kVpiSpinId = 1184;
    static constexpr int kVciId = 1185;
    static constexpr int kVciSpinId = 1186;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kModeId = 1245;
    static constexpr int kTabsId = 1337;

    explicit CXdslVcVlanSettingDlg(QWidget* parent = nullptr);
    ~CXdslVcVlanSettingDlg() override;

    void SetPvcKey(uint8_t vpi, uint16_t vci);
    // After OK: the PVC as the NE has it now.
    const PvcRec& GetResult() const { return result_; }

    CVcVlanIpTrafficPage& IpTrafficPage() { return ipTraffic_; }
    CVcVlanIdPage& VlanPage() { return vlan_; }
    CVcVlanMacLimitPage& MacLimitPage() { return macLimit_; }
    CVcVlanPriorityPage& PriorityPage() { return priority_; }
    CVcVlanNextHopPage& NextHopPage() { return nextHop_; }
    CVcVlanServiceTypePage& ServiceTypePage() { return serviceType_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    bool IsCreating() const { return GetAccessMode() == kAccessCreate; }
    bool IsRouted() const { return modeIndex_ == 1; }
    // Refills the port combos from a level down; one shelf is no choice.
    void FillPortCombos(int fromLevel);
    // The NE's IP traffic profiles and next hops into the name pages.
    void FillNames();
    // Reads the PVC and its ranges; false (the dialog ended) when the NE has no such PVC.
    bool ReadPvc();
    void ShowPvc(const PvcRec& pvc, const PvcStaticIps& ranges);
    // The tabs of the mode; `fromOperator` copies the user priority between the pages.
    void SwitchMode(bool fromOperator);
    // Whether the port, the IP traffic profile and (routed) the next hop are chosen; the reason shown when not.
    bool CheckChoices();
    // The PVC the controls describe; none when its port is not in the entity model.
    std::optional<PvcRec> BuildPvc();
    bool CheckRanges(const PvcStaticIps& ranges);
    // Shows why the guarded write stopped, on the page concerned.
    void ShowWriteFailure(const PvcWriteOutcome& outcome);
    void FocusRuleFailure(const PvcRuleVerdict& verdict);
    void FocusPage(CADialog& page, int id1, int id2 = 0);

    std::unique_ptr<Ui::CXdslVcVlanSettingDlg> ui_;
    CVcVlanIpTrafficPage ipTraffic_;
    CVcVlanIdPage vlan_;
    CVcVlanMacLimitPage macLimit_;
    CVcVlanPriorityPage priority_;
    CVcVlanNextHopPage nextHop_;
    CVcVlanServiceTypePage serviceType_;
    CPortCombos combos_;
    PvcRec read_;   // the PVC as the NE gave it
    PvcRec asRead_; // the PVC as it was read, its VLAN and MAC limit as shown
    PvcRec result_; // the key to show; after OK the PVC written
    VcFieldValues fields_;
    int enableIndex_ = 0; // 0 Enabled, 1 Disabled
    int modeIndex_ = 0;   // 0 bridged, 1 routed
};
