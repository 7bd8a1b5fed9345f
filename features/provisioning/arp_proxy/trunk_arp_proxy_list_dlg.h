#pragma once
// CTrunkArpProxyListDlg (template 483, "Trunk ARP Proxy List"): the ARP proxy entries learnt or configured on the two
// trunk ports (request 158, asked once per trunk port, port 1's first) and whether the ARP proxy is on (159). While
// it is disabled no entry is asked for and the list stays empty. Export writes the rows ("TrunkArpProxy").
//
//     CTrunkArpProxyListDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "link/records/arp_proxy_entry_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CTrunkArpProxyListDlg;
}

class CTrunkArpProxyListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 483;
    static constexpr int kStateId = 1153;
    enum Column { kNumberColumn, kSlotPortColumn, kIpColumn, kMacColumn, kFlagColumn, kPacketTypeColumn, kVlanColumn };

    explicit CTrunkArpProxyListDlg(QWidget* parent = nullptr);
    ~CTrunkArpProxyListDlg() override;

    void InitData() override;
    void OnRefresh() override;

private:
    void Load();

    std::unique_ptr<Ui::CTrunkArpProxyListDlg> ui_;
    CIndexedRecordList<ArpProxyEntryRec> rows_;
};
