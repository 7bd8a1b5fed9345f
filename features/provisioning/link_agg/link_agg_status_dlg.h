#pragma once
// CLinkAggStatusDlg (template 389, "Current Status of Link Aggregation"): the aggregation type of the trunk ports
// (request 711) and, under LACP, the actor and partner state of each trunk port on two read-only pages (712: the
// reply's first two records are trunk ports 1 and 2). Refresh reads them anew; Export writes the current page
// ("LacpStatPort1", "LacpStatPort2").
//
//     CLinkAggStatusDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "features/provisioning/common/item_value_tab_dlg.h"
#include "features/provisioning/link_agg/lacp_status_page.h"

#include <memory>

namespace Ui {
class CLinkAggStatusDlg;
}
struct LacpPortStatusRec;

class CLinkAggStatusDlg : public CItemValueTabDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 389;
    static constexpr int kStateId = 1153;
    static constexpr int kTabId = 1337;

    explicit CLinkAggStatusDlg(QWidget* parent = nullptr);
    ~CLinkAggStatusDlg() override;

    CLacpStatusPage& PortPage(int port) override { return port == 1 ? port1Page_ : port2Page_; }

    void InitData() override;

protected:
    void OnRefresh() override { Load(); }

private:
    void Load();
    void ShowPort(CLacpStatusPage& page, const LacpPortStatusRec& rec);

    std::unique_ptr<Ui::CLinkAggStatusDlg> ui_;
    CLacpStatusPage port1Page_{"LacpStatPort1"};
    CLacpStatusPage port2Page_{"LacpStatPort2"};
};
