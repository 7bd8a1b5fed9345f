#pragma once
// CIgmpProxyDlg ("IGMP Proxy Setting", template 364): whether the target NE acts as an IGMP proxy, how often it repeats
// a query (robustness 1..5), how many seconds it waits for the answer (one byte: 1..255) and whether a leave ends a
// membership at once (request 494). The values take input while "Enabled" is chosen; with "Disabled" the NE keeps the
// ones it had. OK checks the input before it asks for the change.

#include "link/records/igmp_proxy_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CIgmpProxyDlg;
}

class CIgmpProxyDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 364;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kRobustnessId = 1095;
    static constexpr int kRobustnessSpinId = 1096;
    static constexpr int kIntervalId = 1097;
    static constexpr int kIntervalSpinId = 1098;
    static constexpr int kImmediateLeaveId = 1059;

    explicit CIgmpProxyDlg(QWidget* parent = nullptr);
    ~CIgmpProxyDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    bool EnabledChosen() const;
    void EnableValues();

    std::unique_ptr<Ui::CIgmpProxyDlg> ui_;
    int choice_ = 0; // 0 Enabled, 1 Disabled
    uint32_t robustness_ = 2;
    uint32_t interval_ = 100;
    int immediateLeave_ = 1;
    IgmpProxyRec loaded_{1, 2, 100, 1};
};
