#pragma once
// CDhcpBroadcastControlDlg ("DHCP Broadcast Control", template 421): whether the NE limits the DHCP broadcasts it
// takes from subscribers (radios 1153 Enabled, 1134 Disabled), to how many packets a second (1095 with spin 1096,
// 1..100000) and what it does beyond the limit (combo 1245: no action, drop, alarm, drop and alarm) (request 505).

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CDhcpBroadcastControlDlg;
}

class CDhcpBroadcastControlDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 421;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kRateId = 1095;
    static constexpr int kRateSpinId = 1096;
    static constexpr int kActionId = 1245;

    explicit CDhcpBroadcastControlDlg(QWidget* parent = nullptr);
    ~CDhcpBroadcastControlDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CDhcpBroadcastControlDlg> ui_;
    int stateIndex_ = 1; // 0 Enabled, 1 Disabled
    uint32_t rate_ = 1000;
    int actionIndex_ = 0;
};
