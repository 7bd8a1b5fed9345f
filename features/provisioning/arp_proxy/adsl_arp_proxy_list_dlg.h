#pragma once
// CAdslArpProxyListDlg (template 482, "ADSL ARP Proxy List"): the ARP proxy entries learnt or configured on the ports
// of one xDSL line card, or on one of its ports (" <ALL>" in the port combo: the whole card), and whether the ARP
// proxy is on (requests 159 and 158). While the ARP proxy is disabled the list stays empty. The combos choose what
// the next Refresh lists; Export writes the rows ("ArpProxy").
//
//     CAdslArpProxyListDlg dlg;
//     dlg.SetTarget(neId, &entity);           // a slot or a port of it is chosen at the start
//     dlg.DoModal();

#include "link/records/arp_proxy_entry_rec.h"
#include "ui/framework/dialogs/port_combos.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CAdslArpProxyListDlg;
}

class CAdslArpProxyListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 482;
    static constexpr int kStateId = 1153;
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;
    enum Column { kNumberColumn, kSlotPortColumn, kIpColumn, kMacColumn, kFlagColumn, kPacketTypeColumn, kVlanColumn };

    explicit CAdslArpProxyListDlg(QWidget* parent = nullptr);
    ~CAdslArpProxyListDlg() override;

    void InitData() override;
    void OnRefresh() override;
    int OnCommandHook(int id, int code) override;

private:
    void Load();

    std::unique_ptr<Ui::CAdslArpProxyListDlg> ui_;
    CIndexedRecordList<ArpProxyEntryRec> rows_;
    // The line card chosen, and the port (none for " <ALL>").
    CPortCombos portCombos_;
};
