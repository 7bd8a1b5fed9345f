#pragma once
// CTrunkPortDlg (template 374, "Trunk Port"): the Administrative State, the port mode (trunk port 2 only: uplink or
// subtend) and the auto-negotiation of one trunk port (requests 710 and 717). Disabling the port, or making it a
// subtend port, asks first; subtend mode is refused while the trunk ports are aggregated (711) or the rapid spanning
// tree runs (714). After OK the opener reads what was written.
//
//     CTrunkPortDlg dlg(this);
//     dlg.SetTarget(neId, &portId);                 // a trunk port
//     if (dlg.DoModal() == IDOK)
//         ... dlg.GetAdminState(), dlg.GetAutoNegotiation(), dlg.GetUplink() ...

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CTrunkPortDlg;
}

class CTrunkPortDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 374;
    static constexpr int kPortLocationId = 1273;
    static constexpr int kEnabledRadioId = 1153;
    static constexpr int kDisabledRadioId = 1134;
    static constexpr int kUplinkRadioId = 1059;
    static constexpr int kSubtendRadioId = 1060;
    static constexpr int kAutoNegotiationOnId = 1061;
    static constexpr int kAutoNegotiationOffId = 1062;

    explicit CTrunkPortDlg(QWidget* parent = nullptr);
    ~CTrunkPortDlg() override;

    // What the last OK wrote: 1 enabled, 2 disabled; auto-negotiation 1 or 0; the use mode of trunk port 2 (1
    // uplink, 0 subtend), none for trunk port 1.
    uint32_t GetAdminState() const { return adminState_; }
    uint32_t GetAutoNegotiation() const { return autoNegotiationRadio_ == 0 ? 1 : 0; }
    std::optional<uint32_t> GetUplink() const;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    bool HasModeControls() const;
    // False, with the reason on the message line, when the trunk ports are aggregated or run the spanning tree.
    bool SubtendAllowed();

    std::unique_ptr<Ui::CTrunkPortDlg> ui_;
    int adminRadio_ = 0;           // 0 Enabled, 1 Disabled
    int modeRadio_ = 0;            // 0 Uplink, 1 Subtend
    int autoNegotiationRadio_ = 0; // 0 Enabled, 1 Disabled
    uint32_t adminState_ = 1;
};
