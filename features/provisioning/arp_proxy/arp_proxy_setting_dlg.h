#pragma once
// CArpProxySettingDlg (template 481, "ARP Proxy Setting"): whether the NE answers ARP on behalf of its subscribers, and
// how long it keeps what it learns: the life time, 20..86400 seconds, and the aging time, always half of it (request
// 159). Leaving the life time's edit brings it into its range.
//
//     CArpProxySettingDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CArpProxySettingDlg;
}

class CArpProxySettingDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 481;
    static constexpr int kEnabledRadioId = 1153;
    static constexpr int kDisabledRadioId = 1134;
    static constexpr int kLifeTimeId = 1414;
    static constexpr int kLifeTimeSpinId = 1415;
    static constexpr int kAgingTimeId = 1343;
    static constexpr uint32_t kLeastLifeTime = 20;
    static constexpr uint32_t kMostLifeTime = 86400;

    explicit CArpProxySettingDlg(QWidget* parent = nullptr);
    ~CArpProxySettingDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CArpProxySettingDlg> ui_;
    int stateRadio_ = 1; // 0 Enabled, 1 Disabled
    QString lifeTime_ = QStringLiteral("600");
    uint32_t agingTime_ = 300;
};
