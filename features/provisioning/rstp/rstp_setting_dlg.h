#pragma once
// CRstpSettingDlg (template 377, "Rapid Spanning Tree Protocol for Trunk Ports"): the RSTP Administrative State and
// version above a "Bridge" page and a page per trunk port (requests 714 and 715). What the NE reports outside the
// ranges is clamped when shown. While RSTP is enabled, OK requires the bridge's times to follow the two timing rules
// and refuses RSTP on a subtending trunk port 2 (717); it then writes the bridge, then each port. When a port's write
// fails, what was written before it is put back as the NE had it, so that no half of a setting stays.
//
//     CRstpSettingDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.SetAccessMode(kAccessModify);
//     dlg.DoModal();

#include "features/provisioning/rstp/rstp_bridge_page.h"
#include "features/provisioning/rstp/rstp_port_page.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/rstp_port_rec.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CRstpSettingDlg;
}

class CRstpSettingDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 377;
    static constexpr int kEnabledRadioId = 1153;
    static constexpr int kDisabledRadioId = 1134;
    static constexpr int kVersionComboId = 1191;
    static constexpr int kTabId = 1337;

    explicit CRstpSettingDlg(QWidget* parent = nullptr);
    ~CRstpSettingDlg() override;

    CRstpBridgePage& BridgePage() { return bridgePage_; }
    CRstpPortPage& PortPage(int port) { return portPages_.at(static_cast<size_t>(port - 1)); }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    bool RstpEnabled() const { return adminRadio_ == 0; }
    uint32_t ChosenVersion() const;
    void ApplyEnablingRules();
    void LoadPort(CRstpPortPage& page, const RstpPortRec& rec, uint32_t version);
    // False, with the reason on the message line, when the times break a rule or trunk port 2 subtends.
    bool CheckEnabling();
    RstpBridgeRec BridgeRecord() const;
    RstpPortRec PortRecord(const CRstpPortPage& page, uint32_t version) const;

    std::unique_ptr<Ui::CRstpSettingDlg> ui_;
    CRstpBridgePage bridgePage_;
    std::array<CRstpPortPage, 2> portPages_;
    int adminRadio_ = 1;   // 0 Enabled, 1 Disabled
    int versionIndex_ = 0; // 0 RSTP, 1 STP-Compatible
};
