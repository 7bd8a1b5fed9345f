#pragma once
// CFastProvDlg ("xDSL Port & VC-to-VLAN Fast Provision", template 290): describes once the port and PVC settings a
// range of xDSL line cards of one NE is to receive (a first and last shelf and slot, a module type, an RFC2684
// mode and the values of its pages) and opens the fast provision list, which makes the rows and writes them. The
// dialog only asks the NE for the names its combos offer.
//
// Pages, by mode: "Port Setting", "Channel Setting" (bridged with VLANs, routed without), "IP Traffic Profile",
// "802.1P", "MAC Control", "Next-hop" (routed only) and "Service Type". An SHDSL module type offers SHDSL profiles,
// no traffic policing, and bridged mode only.
//
// The command opens it with the current NE (and slot, whose module type is chosen first) as its target.

#include "features/provisioning/fast_prov/fast_prov_channel_pages.h"
#include "features/provisioning/fast_prov/fast_prov_params.h"
#include "features/provisioning/fast_prov/fast_prov_service_type_page.h"
#include "features/provisioning/fast_prov/xdsl_port_setting_page.h"
#include "features/provisioning/pvcs/vc_vlan_mac_limit_page.h"
#include "features/provisioning/pvcs/vc_vlan_name_pages.h"
#include "features/provisioning/pvcs/vc_vlan_priority_pages.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <memory>
#include <optional>

namespace Ui {
class CFastProvDlg;
}

class CFastProvDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 290;
    static constexpr int kTabsId = 1337;
    static constexpr int kFirstShelfId = 1322;
    static constexpr int kLastShelfId = 1323;
    static constexpr int kFirstSlotId = 1253;
    static constexpr int kLastSlotId = 1254;
    static constexpr int kModuleTypeId = 1250;
    static constexpr int kModeId = 1245;
    static constexpr int kListId = 1291;

    explicit CFastProvDlg(QWidget* parent = nullptr);
    ~CFastProvDlg() override;

    CXdslPortSettingPage& PortPage() { return port_; }
    CFastProvVcVlanPage& VcVlanPage() { return vcVlan_; }
    CFastProvVcPage& VcPage() { return vc_; }
    CFastProvServiceTypePage& ServiceTypePage() { return serviceType_; }

    // The block the List button hands over, from the controls as they are; none (the reason shown) when they do not
    // describe a provisioning.
    std::optional<FastProvParams> BuildParams();

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;

private:
    bool IsRouted() const { return modeIndex_ == 1; }
    void FillSlotCombo(int shelfComboId, int slotComboId);
    // The line card models of the NE's model; false when there is none.
    bool FillModuleTypes();
    uint8_t ChosenModuleClass() const;
    // The NE's profile, next-hop and traffic profile names; false when a query failed.
    bool QueryNames();
    void OnModuleTypeChanged();
    void CheckRange();
    void SwitchMode();
    void OnList();

    std::unique_ptr<Ui::CFastProvDlg> ui_;
    CXdslPortSettingPage port_;
    CFastProvVcVlanPage vcVlan_;
    CFastProvVcPage vc_;
    CVcVlanIpTrafficPage ipTraffic_;
    CVcVlanPriorityPage priority_;
    CVcVlanMacLimitPage macLimit_;
    CVcVlanNextHopPage nextHop_;
    CFastProvServiceTypePage serviceType_;
    int modeIndex_ = 0; // 0 bridged, 1 routed
};
