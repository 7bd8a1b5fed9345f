#pragma once
// CTrunkVlanListDlg (template 454, "Trunk VLAN List"): the VLAN ids one trunk port is a member of (request 726), five
// a row, read only. The port combo holds trunk ports 1 and 2; a change takes effect at the next Refresh. Export
// writes the rows ("TrunkVlan").
//
//     CTrunkVlanListDlg dlg;
//     dlg.SetTarget(neId, &entity);           // a trunk port is chosen at the start, else trunk port 1
//     dlg.DoModal();

#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/vlan_id_rows.h"

#include <memory>

namespace Ui {
class CTrunkVlanListDlg;
}

class CTrunkVlanListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 454;
    static constexpr int kPortComboId = 1273;

    explicit CTrunkVlanListDlg(QWidget* parent = nullptr);
    ~CTrunkVlanListDlg() override;

    void InitData() override;
    void OnRefresh() override;

private:
    void Load();

    std::unique_ptr<Ui::CTrunkVlanListDlg> ui_;
    CRecordList<VlanIdRow> rows_;
};
