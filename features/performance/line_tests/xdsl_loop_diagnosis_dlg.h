#pragma once
// CXdslLoopDiagnosisDlg (template 298, "xDSL Loop Diagnosis"): runs the loop diagnosis of one ADSL port (requests 663
// and 664) with a line profile the operator chooses among the NE's profiles of a channel mode (request 640; the
// port's own profile, request 630, comes chosen), and shows its result on four pages: Rate, and the per-tone
// Magnitude (Hlog), Quiet Line PSD (QLN) and SNR. Show opens the chosen profile; Start runs the test behind its
// progress dialog (line_test_control.h); Graph draws the tone page in front, Export writes the page in front
// ("LDRate", "LDMagnitude", "LDPsd", "LDSnr"). The port selection opens it in its mode 6.
//
//     CXdslLoopDiagnosisDlg dlg;
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();
//
// Start refuses to run without a chosen profile.

#include "features/performance/line_tests/line_test_control.h"
#include "features/performance/line_tests/xdsl_bits_allocation_list_dlg.h"
#include "features/performance/line_tests/xdsl_loop_diag_rate_dlg.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <memory>
#include <string>

namespace Ui {
class CXdslLoopDiagnosisDlg;
}

class CXdslLoopDiagnosisDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 298;
    static constexpr int kProfileComboId = 1281;
    static constexpr int kShowId = 1059;
    static constexpr int kTabId = 1337;
    static constexpr int kGraphId = 1189;
    static constexpr int kPopupGraph = 33046;
    enum Page { kRatePage, kMagnitudePage, kPsdPage, kSnrPage };

    explicit CXdslLoopDiagnosisDlg(QWidget* parent = nullptr);
    ~CXdslLoopDiagnosisDlg() override;

    CXdslLoopDiagRateDlg& RatePage() { return rate_; }
    CXdslBitsAllocationListDlg& TonePage(Page page);
    LineTestStatus Status() const { return control_.Status(); }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnPageChanged(int tabIndex, int tabControlId) override;
    void OnOK() override {}

private:
    bool LoadProfiles();
    // False when the port could not be read: the first show ends there.
    bool SelectPortProfile();
    void AddPages();
    void ShowProfile();
    void Start();
    void ClearViews();
    void ReadResult(const std::string& lineProfile);
    void UpdateGraphButton();
    void Graph();
    void Export();
    int CurrentPageNumber();

    std::unique_ptr<Ui::CXdslLoopDiagnosisDlg> ui_;
    CXdslLoopDiagRateDlg rate_;
    CXdslBitsAllocationListDlg magnitude_;
    CXdslBitsAllocationListDlg psd_;
    CXdslBitsAllocationListDlg snr_;
    CLineTestControl control_{*this, LineTestKind::kLoopDiagnosis};
};
