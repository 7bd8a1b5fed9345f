#pragma once
// CDhcpRelayServerListDlg ("DHCP Server List for DHCP Relay", template 367): the DHCP servers the NE relays to (request
// 502): address, VLAN ID and, while the relay is enabled, the server's MAC address; the row image tells an enabled
// server (33) from a disabled one (34), with the two images as a legend below the list. Add and Modify open
// CDhcpRelayServerDlg; Delete refuses the last server while the relay is enabled. Export writes "xDslDhcpSvr".

#include "link/records/dhcp_relay_server_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <memory>
#include <optional>

namespace Ui {
class CDhcpRelayServerListDlg;
}

class CDhcpRelayServerListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 367;
    static constexpr int kEnabledImageId = 1153;
    static constexpr int kDisabledImageId = 1134;

    explicit CDhcpRelayServerListDlg(QWidget* parent = nullptr);
    ~CDhcpRelayServerListDlg() override;

    void InitData() override;
    void OnModifyRecord(uint32_t key) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t key) override;

private:
    std::vector<ListColumn<DhcpRelayServerRec>> Columns();
    // The NE's relay switch; none when it could not be read.
    std::optional<bool> RelayEnabled() const;

    std::unique_ptr<Ui::CDhcpRelayServerListDlg> ui_;
    CRecordList<DhcpRelayServerRec> rows_;
    bool relayEnabled_ = false; // as the last fill read it
};
