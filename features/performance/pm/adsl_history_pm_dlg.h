#pragma once
// CAdslHistoryPmDlg (template 259, "ADSL History PM"): the 15-minute PM intervals an ADSL port's NE keeps, CO side
// (request 616) and RT side (617), sorted, exported ("xDslPmH"), graphed and explained as its base lists them
// (xdsl_pm_interval_list_dlg.h). Refresh (popup 33084) reads them again.
//
//     CAdslHistoryPmDlg dlg;                   // the port selection, or the frame on a port
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/pm/xdsl_pm_interval_list_dlg.h"

#include <memory>

namespace Ui {
class CAdslHistoryPmDlg;
}

class CAdslHistoryPmDlg : public CXdslPmIntervalListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 259;

    explicit CAdslHistoryPmDlg(QWidget* parent = nullptr);
    ~CAdslHistoryPmDlg() override;

    void InitData() override;
    void OnRefresh() override;

private:
    std::unique_ptr<Ui::CAdslHistoryPmDlg> ui_;
};
