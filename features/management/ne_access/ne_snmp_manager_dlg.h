#pragma once
// CNeSnmpManagerDlg (247, "NE SNMP Manager Setting"): adds one SNMP manager, a receiver of the target NE's traps, with
// its trap community and version. OK asks the NE for room, checks the address and the community, sends the manager
// and ends the dialog with IDOK; the dialog then holds what was sent.

#include "link/records/ne_snmp_manager_record.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CNeSnmpManagerDlg;
}

class CNeSnmpManagerDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 247;
    static constexpr int kAddressId = 1204;
    static constexpr int kCommunityId = 1094;
    static constexpr int kVersionComboId = 1245;
    // An NE sends its traps to at most this many managers.
    static constexpr uint16_t kMaxManagers = 8;
    static constexpr int kCommunityMax = 20;

    explicit CNeSnmpManagerDlg(QWidget* parent = nullptr);
    ~CNeSnmpManagerDlg() override;

    const NeSnmpManagerRecord& GetManager() const { return manager_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CNeSnmpManagerDlg> ui_;
    NeSnmpManagerRecord manager_;
    QString community_;
    int version_ = 0; // the combo's entry: 0 SNMP v2c, 1 SNMP v1
};
