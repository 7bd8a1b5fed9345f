#pragma once
// CMcFastProvDlg ("xDSL Multicast Channel Fast Provision", template 346): one multicast channel for every ADSL line
// port of a range of slots of the NE. The operator chooses the range (Shelf From 1322 and To 1323, Slot From 1253 and
// To 1254; the same slot range on every shelf), the line-card model (Type 1250), the channel's VPI (1376, spin
// 1379), VCI (1371, spin 1374), VLAN ID (1199, spin 1202) and state (radios 1153 Enabled, 1134 Disabled), and on the
// pages its service profile and channel limit; List (1291) opens the progress list on the ports
// (mc_fast_prov_list_dlg.h). List and Type are enabled only while From does not come after To.

#include "features/provisioning/multicast/mc_channel_pages.h"
#include "features/provisioning/multicast/mc_fast_provision_ports.h"
#include "features/provisioning/pvcs/vc_fields.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CMcFastProvDlg;
}

class CMcFastProvDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 346;
    static constexpr int kShelfFromId = 1322;
    static constexpr int kShelfToId = 1323;
    static constexpr int kSlotFromId = 1253;
    static constexpr int kSlotToId = 1254;
    static constexpr int kTypeId = 1250;
    static constexpr int kVpiId = 1376;
    static constexpr int kVpiSpinId = 1379;
    static constexpr int kVciId = 1371;
    static constexpr int kVciSpinId = 1374;
    static constexpr int kVlanId = 1199;
    static constexpr int kVlanSpinId = 1202;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kListId = 1291;
    static constexpr int kTabsId = 1337;

    explicit CMcFastProvDlg(QWidget* parent = nullptr);
    ~CMcFastProvDlg() override;

    CMcProfilePage& ProfilePage() { return profile_; }
    CMcChannelLimitPage& LimitPage() { return limit_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    void FillSlots(int shelfComboId, int slotComboId);
    // List and Type by the range.
    void CheckRange();
    McProvisionRange ChosenRange() const;
    void OpenList();

    std::unique_ptr<Ui::CMcFastProvDlg> ui_;
    CMcProfilePage profile_;
    CMcChannelLimitPage limit_;
    VcFieldValues fields_;
    int stateIndex_ = 0;
};
