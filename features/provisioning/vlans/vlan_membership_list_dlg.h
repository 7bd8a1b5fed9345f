#pragma once
// CVlanMembershipListDlg ("VLAN Membership List", template 308): which line ports and which of the two uplink ports
// of the target NE belong to a VLAN chosen in the list box (request 481). The matrix has five rows of ten ports for
// each line-card slot and a last row for the uplinks; a member shows "Y", any other port "N".

#include "link/records/vlan_membership_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace Ui {
class CVlanMembershipListDlg;
}

// One row of the matrix: ten ports of a line-card slot from its first port, or the uplinks.
struct VlanMatrixRow {
    uint32_t slotId = 0;    // packed id of the slot; 0 for the uplinks' row
    size_t slotIndex = 0;   // the slot's place among the NE's line-card slots
    unsigned firstPort = 0; // 1, 11, 21, 31 or 41
};

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
    std::vector<ListColumn<VlanMatrixRow>> Columns();
    // The cell of a port column: "Y" with the member image, "N" with the other, nothing where the row has no port.
    int CellState(const VlanMatrixRow& row, int column) const; // 1 member, 0 not, -1 no port
    void ShowVlan();

    std::unique_ptr<Ui::CVlanMembershipListDlg> ui_;
    CIndexedRecordList<VlanMatrixRow> rows_;
    std::map<uint16_t, VlanMembershipRec> vlans_;
    const VlanMembershipRec* shown_ = nullptr;
};
