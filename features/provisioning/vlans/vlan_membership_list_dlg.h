#pragma once
// CVlanMembershipListDlg ("VLAN Membership List", template 308): which line ports and which of the two uplink ports
// of the target NE belong to a VLAN chosen in the list box (request 481). The matrix has five rows of ten ports for
// each line-card slot and a last row for the uplinks; a member shows "Y", any other port "N".

#include "link/records/vlan_membership_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/lists/port_matrix.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace Ui {
class CVlanMembershipListDlg;
}

class CVlanMembershipListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 308;
    static constexpr int kVlanListId = 1213;
    static constexpr int kFirstPortColumn = 3;
    static constexpr int kPortColumns = 10;

    explicit CVlanMembershipListDlg(QWidget* parent = nullptr);
    ~CVlanMembershipListDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;

private:
    // Whether the shown VLAN has the row's port (an uplink by its number from 0).
    bool IsMember(const PortMatrixRow& row, unsigned port) const;
    void ShowVlan();

    std::unique_ptr<Ui::CVlanMembershipListDlg> ui_;
    CIndexedRecordList<PortMatrixRow> rows_;
    std::map<uint16_t, VlanMembershipRec> vlans_;
    const VlanMembershipRec* shown_ = nullptr;
};
