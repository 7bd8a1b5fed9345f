#pragma once
// CPppoeSettingDlg ("PPPoE Setting", template 425): whether the target NE adds its PPPoE sub-option (request 510).

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CPppoeSettingDlg;
}

class CPppoeSettingDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 425;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;

    explicit CPppoeSettingDlg(QWidget* parent = nullptr);
    ~CPppoeSettingDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CPppoeSettingDlg> ui_;
    int choice_ = 1; // 0 Enabled, 1 Disabled
};
