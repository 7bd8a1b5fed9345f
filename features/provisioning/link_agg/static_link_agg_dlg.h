#pragma once
// CStaticLinkAggDlg (template 422, "Link Aggregation for Trunk Ports"): static link aggregation of the trunk ports on
// or off (request 713), written as chosen. Without the modify right the dialog shows the setting with OK disabled.
//
//     CStaticLinkAggDlg dlg;
//     dlg.SetTarget(neId, nullptr);
//     dlg.DoModal();

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CStaticLinkAggDlg;
}

class CStaticLinkAggDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 422;
    static constexpr int kEnabledRadioId = 1153;
    static constexpr int kDisabledRadioId = 1134;

    explicit CStaticLinkAggDlg(QWidget* parent = nullptr);
    ~CStaticLinkAggDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CStaticLinkAggDlg> ui_;
    int stateRadio_ = 1; // 0 Enabled, 1 Disabled
};
