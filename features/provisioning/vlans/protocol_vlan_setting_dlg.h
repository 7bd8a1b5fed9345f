#pragma once
// CProtocolVlanSettingDlg ("Protocol-based VLAN Setting", template 441): whether the target NE puts untagged frames
// into VLANs by their Ethernet type (request 543). The opener gives the state it shows and reads the one written.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CProtocolVlanSettingDlg;
}

class CProtocolVlanSettingDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 441;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;

    explicit CProtocolVlanSettingDlg(QWidget* parent = nullptr);
    ~CProtocolVlanSettingDlg() override;

    void SetEnabled(bool enabled) { choice_ = enabled ? 0 : 1; }
    bool IsEnabled() const { return choice_ == 0; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CProtocolVlanSettingDlg> ui_;
    int choice_ = 1; // 0 Enabled, 1 Disabled
};
