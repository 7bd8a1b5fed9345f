#pragma once
// CXdslBitsAllocationDlg (template 280, "xDSL Bits Allocation"): how many bits each tone of one ADSL port carries,
// upstream and downstream (request 662), as a per-tone list of whole numbers (CXdslBitsAllocationListDlg) and as a
// graph over the tones. Refresh reads them anew and keeps the order the operator sorted the list in; Export writes the
// list ("xDslBits"). The port selection opens it in its mode 4.
//
//     CXdslBitsAllocationDlg dlg;
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/line_tests/xdsl_bits_allocation_list_dlg.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CXdslBitsAllocationDlg;
}

class CXdslBitsAllocationDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 280;
    static constexpr int kGraphId = 1189;
    static constexpr int kPopupGraph = 33046;

    explicit CXdslBitsAllocationDlg(QWidget* parent = nullptr);
    ~CXdslBitsAllocationDlg() override;

    CXdslBitsAllocationListDlg& Page() { return page_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    // The page's list is sorted by the page.
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;
    void OnOK() override {}

private:
    void Refresh();

    std::unique_ptr<Ui::CXdslBitsAllocationDlg> ui_;
    CXdslBitsAllocationListDlg page_;
};
