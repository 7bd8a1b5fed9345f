#pragma once
// CXdslMcChannelSettingDlg ("xDSL Multicast Channel Setting", template 343): shows, creates or changes the multicast
// channel of one xDSL port: the port (shelf 1322, slot 1253, port 1273; chosen only when creating), VPI (1376, spin
// 1379), VCI (1371, spin 1374), VLAN ID (1199, spin 1202) and Administrative State (radios 1153 Enabled, 1134
// Disabled), with the pages "Multicast Service Profile" and "Channel Limit" (mc_channel_pages.h).
//
// OK writes an enabled channel only past the port's and the VLAN's rules (mc_channel_rules.h); a disabled one is
// written at once. Creating on a port that has a channel asks to overwrite it and replaces it. The NE's refusal of
// the write is shown in a box.
//
//     CXdslMcChannelSettingDlg dlg(this);
//     dlg.SetTarget(neId, &port);                // creating may take a slot or the NE
//     dlg.SetAccessMode(kAccessModify);          // kAccessQuery shows, kAccessCreate creates
//     if (dlg.DoModal() == IDOK) ... dlg.GetResult() ...

#include "features/provisioning/multicast/mc_channel_pages.h"
#include "features/provisioning/pvcs/vc_fields.h"
#include "link/records/mc_channel_rec.h"
#include "ui/framework/dialogs/port_combos.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CXdslMcChannelSettingDlg;
}

class CXdslMcChannelSettingDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 343;
    static constexpr int kShelfId = 1322;
    static constexpr int kSlotId = 1253;
    static constexpr int kPortId = 1273;
    static constexpr int kVpiId = 1376;
    static constexpr int kVpiSpinId = 1379;
    static constexpr int kVciId = 1371;
    static constexpr int kVciSpinId = 1374;
    static constexpr int kVlanId = 1199;
    static constexpr int kVlanSpinId = 1202;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kTabsId = 1337;

    explicit CXdslMcChannelSettingDlg(QWidget* parent = nullptr);
    ~CXdslMcChannelSettingDlg() override;

    // After OK: the channel as written; its port is the dialog's target then.
    const McChannelRec& GetResult() const { return result_; }
    CMcProfilePage& ProfilePage() { return profile_; }
    CMcChannelLimitPage& LimitPage() { return limit_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    bool IsCreating() const { return GetAccessMode() == kAccessCreate; }
    void FillPortCombos(int fromLevel);
    bool ReadChannel();
    std::optional<McChannelRec> BuildChannel();
    // The port's and the VLAN's rules for an enabled channel; false when refused (the refusal shown) or a request
    // failed. `replacing`: creating over the port's channel.
    bool PassesRules(const McChannelRec& channel, bool* replacing);

    std::unique_ptr<Ui::CXdslMcChannelSettingDlg> ui_;
    CPortCombos combos_;
    CMcProfilePage profile_;
    CMcChannelLimitPage limit_;
    McChannelRec result_;
    bool loadedEnabled_ = false;
    VcFieldValues fields_;
    int stateIndex_ = 0;
};
