#pragma once
// CDhcpRelayServerDlg ("DHCP Server for DHCP Relay", template 366): adds a DHCP server the NE relays to (address
// 1204, VLAN ID 1199 with spin 1202), or changes the VLAN of one (the address shown, not editable). An address that
// no host may have or that the NE uses itself is refused; an NE holds at most 4 relay servers. An add of an address
// the NE already relays to changes that server.
//
//     CDhcpRelayServerDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     dlg.SetAccessMode(kAccessModify);   // kAccessCreate (the default) adds
//     dlg.SetServer(server);              // the server to change
//     if (dlg.DoModal() == IDOK) ... dlg.Server() ...

#include "link/records/dhcp_relay_server_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CDhcpRelayServerDlg;
}

class CDhcpRelayServerDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 366;
    static constexpr int kAddressId = 1204;
    static constexpr int kVlanId = 1199;
    static constexpr int kVlanSpinId = 1202;
    static constexpr int kMaxServers = 4;

    explicit CDhcpRelayServerDlg(QWidget* parent = nullptr);
    ~CDhcpRelayServerDlg() override;

    void SetServer(const DhcpRelayServerRec& server);
    const DhcpRelayServerRec& Server() const { return server_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    bool IsAdding() const { return GetAccessMode() == kAccessCreate; }

    std::unique_ptr<Ui::CDhcpRelayServerDlg> ui_;
    DhcpRelayServerRec server_;
    uint32_t vlan_ = 1;
};
