#pragma once
// CMulticastChannelStatusDlg ("Multicast Channel Status List", template 292): the multicast channels the clients on
// the ports of a line card (or of the uplink module's GE ports) have joined (request 491), with the client's address
// and MAC and its IGMP state, for every port of the card (in the port combo's order) or one. A shelf or slot change
// asks the NE again; a port change shows the ports of the last answer. The clicked column sorts first, then the
// channel, VLAN, client address, MAC, state and the record's number (Slot-Port sorts by that number first). Export
// writes "xDslIdbPort".

#include "features/performance/status_lists/xdsl_status_scope.h"
#include "link/records/mc_channel_status_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <memory>
#include <vector>

namespace Ui {
class CMulticastChannelStatusDlg;
}

class CMulticastChannelStatusDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 292;
    static constexpr int kStateColumn = 6;

    explicit CMulticastChannelStatusDlg(QWidget* parent = nullptr);
    ~CMulticastChannelStatusDlg() override;

    // "polling", "active", else "idle".
    static std::string StateText(uint32_t state);

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnRefresh() override;

    // A row: a record of the last answer and its number there (from 1), the hidden PhyIdx.
    struct Row {
        McChannelStatusRec rec;
        uint32_t number = 0;
    };

private:
    std::vector<ListColumn<Row>> Columns();
    // The records of the last answer on the chosen ports, port by port in the port combo's order.
    void ShowChosenPorts();
    std::vector<uint32_t> ChosenPorts() const;

    std::unique_ptr<Ui::CMulticastChannelStatusDlg> ui_;
    CXdslStatusScope scope_;
    CIndexedRecordList<Row> rows_;
    std::vector<McChannelStatusRec> answered_; // the card's records of the last query
};
