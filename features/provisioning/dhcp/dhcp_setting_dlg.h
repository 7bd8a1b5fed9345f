#pragma once
// CDhcpSettingDlg ("DHCP Setting", template 365): whether the NE relays DHCP to its relay servers (radios 1153
// Enabled, 1134 Disabled) and adds option 82 (radios 1154, 1135) (request 500). Relay needs a relay server: an NE
// without one shows the relay disabled with a note, and OK refuses to enable it. When the server list cannot be read,
// the relay stays as the NE reports it and OK writes it unchanged.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>
#include <optional>

namespace Ui {
class CDhcpSettingDlg;
}

class CDhcpSettingDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 365;
    static constexpr int kRelayEnabledId = 1153;
    static constexpr int kRelayDisabledId = 1134;
    static constexpr int kOption82EnabledId = 1154;
    static constexpr int kOption82DisabledId = 1135;

    explicit CDhcpSettingDlg(QWidget* parent = nullptr);
    ~CDhcpSettingDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    // Whether the NE has relay servers; none when the list could not be read.
    std::optional<bool> HasRelayServers() const;

    std::unique_ptr<Ui::CDhcpSettingDlg> ui_;
    int relayIndex_ = 1; // 0 Enabled, 1 Disabled
    int option82Index_ = 1;
};
