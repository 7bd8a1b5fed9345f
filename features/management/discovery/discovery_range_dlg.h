#pragma once
// CNeAutoDiscoveryRangeDlg (322, "Add NE Auto-discovery IP Range"): one address range for the server to search, the
// model it looks for (" <ALL>" for every NE model) and the SNMP community it asks with. Both addresses must be given;
// a range typed from high to low is put in order.
//
//     CNeAutoDiscoveryRangeDlg dlg(this);
//     if (dlg.DoModal() == IDOK)
//         send(dlg.GetRange());   // the state is left 0 for the server to set

#include "link/records/discovery_range_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CNeAutoDiscoveryRangeDlg;
}

class CNeAutoDiscoveryRangeDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 322;
    static constexpr int kFromId = 1207;
    static constexpr int kToId = 1209;
    static constexpr int kCommunityId = 1094;
    static constexpr int kModelComboId = 1250;

    explicit CNeAutoDiscoveryRangeDlg(QWidget* parent = nullptr);
    ~CNeAutoDiscoveryRangeDlg() override;

    const DiscoveryRangeRec& GetRange() const { return range_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CNeAutoDiscoveryRangeDlg> ui_;
    QString community_;
    DiscoveryRangeRec range_;
};
