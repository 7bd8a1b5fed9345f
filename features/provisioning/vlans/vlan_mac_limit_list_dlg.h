#pragma once
// CVlanMacLimitListDlg ("VLAN MAC Limit List", template 419): the limit of learned MAC addresses of each VLAN of the
// target NE, a range of VLAN IDs at a time (request 530, one VLAN per request). The range is typed in From and To or
// moved by the page buttons and the spin (CPageNavigator over VLAN IDs 1..4094); Refresh and the page buttons read the
// range. A VLAN whose limit is not enabled is shown grey. Modify opens the limit of the selected VLAN and, without
// one, asks for one; its button is offered only to an operator whose role may change the list's limits.

#include "link/records/vlan_mac_limit_rec.h"
#include "ui/framework/dialogs/page_navigator.h"
#include "ui/framework/dialogs/record_list.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CVlanMacLimitListDlg;
}

class CVlanMacLimitListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 419;
    static constexpr int kStateColumn = 2;
    // The range shown first.
    static constexpr int64_t kFirstVlan = 1;
    static constexpr int64_t kLastVlan = 2;

    explicit CVlanMacLimitListDlg(QWidget* parent = nullptr);
    ~CVlanMacLimitListDlg() override;

    CPageNavigator& Pages() { return pages_; }

    void InitData() override;
    void OnModifyRecord(uint32_t key) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;

private:
    // The limits of the VLANs of the range, read one by one; those not read yet show the NE's defaults.
    RecordReply<VlanMacLimitRec> ReadRange();
    // After a page move or a spin: the range read anew, once the NE is known to be there.
    void ReadMovedRange();

    std::unique_ptr<Ui::CVlanMacLimitListDlg> ui_;
    CPageNavigator pages_;
    CIndexedRecordList<VlanMacLimitRec> rows_;
    uint32_t highestLimit_ = 0;
};

// How the list walks the VLAN IDs: a window of any size within 1..4094 that stops at either end, the last page
// starting after whole windows from VLAN 1.
CPageWindow VlanRangeWindow(int64_t first, int64_t last);
