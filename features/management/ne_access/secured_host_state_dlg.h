#pragma once
// CSecuredHostStateDlg (435, "Secured Host Setting"): switches the target NE's secured hosts on or off. OK sends the
// state and ends the dialog with IDOK.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CSecuredHostStateDlg;
}

class CSecuredHostStateDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 435;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;

    explicit CSecuredHostStateDlg(QWidget* parent = nullptr);
    ~CSecuredHostStateDlg() override;

    void SetEnabled(bool on) { choice_ = on ? 0 : 1; }
    bool IsEnabled() const { return choice_ == 0; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CSecuredHostStateDlg> ui_;
    int choice_ = 1; // 0 Enabled, 1 Disabled
};
