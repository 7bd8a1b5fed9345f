#pragma once
// CDhcpTransactionListDlg ("DHCP Transaction Information List", template 457): the DHCP transactions the NE sees on
// the ports of a line card of the target's shelf, or of one port (Slot and Port combos, no Shelf combo; request 506):
// the PVC and VLAN, the transaction id, the client's MAC, the address it was given and the transaction's state. Refresh
// asks again; Export writes "xDslDhcpSession".

#include "features/performance/status_lists/xdsl_status_list_dlg.h"
#include "link/records/dhcp_transaction_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CDhcpTransactionListDlg;
}

class CDhcpTransactionListDlg : public CXdslStatusListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 457;
    static constexpr int kVlanColumn = 4;

    explicit CDhcpTransactionListDlg(QWidget* parent = nullptr);
    ~CDhcpTransactionListDlg() override;

    // "Init", "Select", "Bound", "Renew", else "Unknown".
    static std::string StateText(uint32_t state);

private:
    std::vector<ListColumn<DhcpTransactionRec>> Columns();

    std::unique_ptr<Ui::CDhcpTransactionListDlg> ui_;
    CIndexedRecordList<DhcpTransactionRec> rows_;
};
