#pragma once
// CRstpStatusDlg (template 380, "Current Status of Rapid Spanning Tree Protocol"): the RSTP state and version, and the
// configured values and current state of the bridge and of each trunk port on three read-only pages (requests 714
// and 715). Refresh reads them anew; Export writes the current page ("RstpStatBridge", "RstpStatPort1",
// "RstpStatPort2").
//
//     CRstpStatusDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "features/provisioning/common/item_value_tab_dlg.h"
#include "features/provisioning/rstp/rstp_status_page.h"

#include <memory>

namespace Ui {
class CRstpStatusDlg;
}
struct RstpBridgeRec;
struct RstpPortRec;

class CRstpStatusDlg : public CItemValueTabDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 380;
    static constexpr int kStateId = 1153;
    static constexpr int kVersionId = 1191;
    static constexpr int kTabId = 1337;

    explicit CRstpStatusDlg(QWidget* parent = nullptr);
    ~CRstpStatusDlg() override;

    CRstpStatusPage& BridgePage() { return bridgePage_; }
    CRstpStatusPage& PortPage(int port) override { return port == 1 ? port1Page_ : port2Page_; }

    void InitData() override;

protected:
    void OnRefresh() override { Load(); }

private:
    void Load();
    void ShowBridge(const RstpBridgeRec& rec);
    void ShowPort(CRstpStatusPage& page, const RstpPortRec& rec);

    std::unique_ptr<Ui::CRstpStatusDlg> ui_;
    CRstpStatusPage bridgePage_{"RstpStatBridge"};
    CRstpStatusPage port1Page_{"RstpStatPort1"};
    CRstpStatusPage port2Page_{"RstpStatPort2"};
};
