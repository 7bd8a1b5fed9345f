#pragma once
// CIpoaNextHopDlg (template 294, "xDSL Next-hop Information for IPoA Setting"): adds (access mode 4, request 426) or
// changes (425) one of the NE's next hops for IP over ATM: its name (the key, typed only on add), IPv4 address and
// VLAN. OK refuses a fifth next hop, a blank or invalid name, an address that is not a host's, one the NE uses
// itself and one another next hop has. A change is opened by name (the VC-to-VLAN setting's next-hop page, or the
// router with DialogRequest::recordName) and loads the record first.
//
//     CIpoaNextHopDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     dlg.SetAccessMode(kAccessCreate);      // or SetName(name) to change one
//     if (dlg.DoModal() == IDOK) ... dlg.GetNextHop() ...

#include "core/util/ip_address.h"
#include "link/records/next_hop_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>
#include <string>

namespace Ui {
class CIpoaNextHopDlg;
}
struct DialogRequest;

class CIpoaNextHopDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 294;
    static constexpr int kIpAddressId = 1204;
    static constexpr int kVlanId = 1199;
    static constexpr int kVlanSpinId = 1202;
    static constexpr int kNameId = 1257;
    static constexpr int kMostNextHops = 4;

    explicit CIpoaNextHopDlg(QWidget* parent = nullptr);
    ~CIpoaNextHopDlg() override;

    void SetName(const std::string& name) { nextHop_.name = name; }
    void ApplyOpenerFields(const DialogRequest& request);
    // After OK: the record as written.
    const NextHopRec& GetNextHop() const { return nextHop_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    // False, with the reason shown, when the address may not be written.
    bool AddressAllowed(const IpAddress& address, const std::string& name);

    std::unique_ptr<Ui::CIpoaNextHopDlg> ui_;
    NextHopRec nextHop_;
    QString name_;
    uint32_t vlanId_ = 1;
};
