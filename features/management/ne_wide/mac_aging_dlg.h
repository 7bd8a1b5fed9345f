#pragma once
// CMacAgingDlg ("MAC Aging", template 246): whether the target NE ages out the unicast MAC addresses it learned, and
// after how many seconds (10..1000; request 302).

#include "features/management/ne_wide/state_period_dlg.h"

#include <memory>

namespace Ui {
class CMacAgingDlg;
}

class CMacAgingDlg : public CStatePeriodDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 246;
    static constexpr uint32_t kMinSeconds = 10;
    static constexpr uint32_t kMaxSeconds = 1000;

    explicit CMacAgingDlg(QWidget* parent = nullptr);
    ~CMacAgingDlg() override;

private:
    std::unique_ptr<Ui::CMacAgingDlg> ui_;
};
