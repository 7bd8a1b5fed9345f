#pragma once
// CEventDetailDlg (403): the detail of one alarm or event as the trap log and the direct-mode alarm lists hold it.

#include "features/fault/trap_log/alarm_detail_base_dlg.h"

#include <memory>

namespace Ui {
class CEventDetailDlg;
}

class CEventDetailDlg : public CAlarmDetailBaseDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 403;

    explicit CEventDetailDlg(QWidget* parent = nullptr);
    ~CEventDetailDlg() override;

private:
    std::unique_ptr<Ui::CEventDetailDlg> ui_;
};
