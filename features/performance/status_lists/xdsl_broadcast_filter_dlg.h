#pragma once
// CXdslBroadcastFilterDlg ("xDSL Forwarding Broadcast VLANs", template 444): the VLANs whose broadcasts a line card
// forwards (request 670, the card's VLAN bit map), five to a row in ascending order. Read only; Refresh asks again
// for the slot chosen; Export writes "xDslBcFlt".

#include "features/performance/status_lists/xdsl_status_scope.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/dialogs/vlan_id_rows.h"

#include <memory>

namespace Ui {
class CXdslBroadcastFilterDlg;
}

class CXdslBroadcastFilterDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 444;

    explicit CXdslBroadcastFilterDlg(QWidget* parent = nullptr);
    ~CXdslBroadcastFilterDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnRefresh() override;

private:
    std::unique_ptr<Ui::CXdslBroadcastFilterDlg> ui_;
    CXdslStatusScope scope_;
    CRecordList<VlanIdRow> rows_;
};
