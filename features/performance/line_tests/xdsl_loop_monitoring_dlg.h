#pragma once
// CXdslLoopMonitoringDlg (template 350, "xDSL Loop Monitoring"): runs the loop monitoring of one ADSL port (requests
// 665 and 666), which the NE measures in show time, and shows its result on two per-tone pages: Magnitude (Hlog) and
// Quiet Line PSD (QLN). Start runs the test behind its progress dialog (line_test_control.h); Graph draws the page in
// front, Export writes it ("LMMagnitude", "LMPsd"). The port selection opens it in its mode 5.
//
//     CXdslLoopMonitoringDlg dlg;
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/line_tests/line_test_control.h"
#include "features/performance/line_tests/xdsl_bits_allocation_list_dlg.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <memory>

namespace Ui {
class CXdslLoopMonitoringDlg;
}

class CXdslLoopMonitoringDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 350;
    static constexpr int kTabId = 1337;
    static constexpr int kGraphId = 1189;
    static constexpr int kPopupGraph = 33046;
    enum Page { kMagnitudePage, kPsdPage };

    explicit CXdslLoopMonitoringDlg(QWidget* parent = nullptr);
    ~CXdslLoopMonitoringDlg() override;

    CXdslBitsAllocationListDlg& TonePage(Page page) { return page == kMagnitudePage ? magnitude_ : psd_; }
    LineTestStatus Status() const { return control_.Status(); }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnPageChanged(int tabIndex, int tabControlId) override;
    void OnOK() override {}

private:
    void Start();
    void ClearViews();
    void ReadResult();
    void UpdateGraphButton();
    Page CurrentPageNumber();

    std::unique_ptr<Ui::CXdslLoopMonitoringDlg> ui_;
    CXdslBitsAllocationListDlg magnitude_;
    CXdslBitsAllocationListDlg psd_;
    CLineTestControl control_{*this, LineTestKind::kLoopMonitoring};
};
