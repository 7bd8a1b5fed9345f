#pragma once
// CXdslPortAgentIdDlg ("xDSL Port Agent ID", template 368): the option-82 agent circuit ID (1257, at most 80
// characters) and remote ID (1258, at most 63) the NE adds for one xDSL port (request 501); 1273 names the port.
// Its list gives it the values it shows; opened alone it reads them.
//
//     CXdslPortAgentIdDlg dlg(this);
//     dlg.SetTarget(neId, &port);
//     dlg.SetValues(rec);                   // optional
//     if (dlg.DoModal() == IDOK) ... dlg.Values() ...

#include "link/records/dhcp_agent_id_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CXdslPortAgentIdDlg;
}

class CXdslPortAgentIdDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 368;
    static constexpr int kPortId = 1273;
    static constexpr int kCircuitId = 1257;
    static constexpr int kRemoteId = 1258;

    explicit CXdslPortAgentIdDlg(QWidget* parent = nullptr);
    ~CXdslPortAgentIdDlg() override;

    void SetValues(const DhcpAgentIdRec& values);
    const DhcpAgentIdRec& Values() const { return values_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CXdslPortAgentIdDlg> ui_;
    DhcpAgentIdRec values_;
    bool given_ = false;
};
