#pragma once
// CXdslSeltDlg (template 424, "xDSL Single-Ended Loop Testing"): runs the single-ended loop test of one ADSL port
// (requests 667 and 668), which measures the loop from the exchange alone, and shows what it found: the cable type
// ("24 AWG", "26 AWG" or "unknown") and the reach of the loop in feet. Start runs the test behind its progress dialog
// (line_test_control.h), whose Stop stops the test at the NE. The port selection opens it in its mode 7.
//
//     CXdslSeltDlg dlg;
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/line_tests/line_test_control.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CXdslSeltDlg;
}

class CXdslSeltDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 424;
    static constexpr int kCableTypeId = 1361;
    static constexpr int kReachLengthId = 1095;

    explicit CXdslSeltDlg(QWidget* parent = nullptr);
    ~CXdslSeltDlg() override;

    LineTestStatus Status() const { return control_.Status(); }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override {}

private:
    void Start();
    void ShowResult(const QString& cableType, const QString& reachLength);
    void ReadResult();

    std::unique_ptr<Ui::CXdslSeltDlg> ui_;
    CLineTestControl control_{*this, LineTestKind::kSelt};
};
