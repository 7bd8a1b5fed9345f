#pragma once
// CXdslLongTermPmDlg (template 260, "xDSL Long-Term PM"): the long-term PM records of one port whose creation times
// lie in a range, CO side (request 110) then RT side (111), sorted, exported ("xDslPmS"), graphed and explained as
// its base lists them (xdsl_pm_interval_list_dlg.h).
//
//     CXdslLongTermPmDlg records(this);
//     records.SetTarget(neId, &port);
//     records.SetRange(start, stop);           // seconds since 1970
//     records.DoModal();

#include "features/performance/pm/xdsl_pm_interval_list_dlg.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CXdslLongTermPmDlg;
}

class CXdslLongTermPmDlg : public CXdslPmIntervalListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 260;

    explicit CXdslLongTermPmDlg(QWidget* parent = nullptr);
    ~CXdslLongTermPmDlg() override;

    void SetRange(int64_t start, int64_t stop);

    void InitData() override;
    void OnRefresh() override;

private:
    std::unique_ptr<Ui::CXdslLongTermPmDlg> ui_;
    int64_t start_ = 0;
    int64_t stop_ = 0;
};
