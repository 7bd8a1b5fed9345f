#pragma once
// CXdslPmIntervalListDlg: the base of the dialogs that list a port's 15-minute PM intervals, CO then RT
// (pm_interval_rows.h): the ADSL history PM and the long-term PM. It sorts and exports the rows, draws them in a
// static graph (Graph 1189, popup 33046, enabled while a row is selected: every column of counts over the creation
// times, CO and RT as series of their own, seconds and counts on the left axis and cells and code violations on the
// right) and shows the columns' legend (Description 1132). A dialog on it gives its form and fills the rows:
//
//     CAdslHistoryPmDlg::CAdslHistoryPmDlg(QWidget* parent)
//         : CXdslPmIntervalListDlg(kTemplateId, "xDslPmH", "PMHIS", PmTimeOrder::kText, parent), ui_(...)
//     {
//         ui_->setupUi(this);
//         SetRecordList(Rows());
//     }
//     ... ShowIntervals(coRecords, rtRecords);

#include "features/performance/pm/pm_interval_columns.h"
#include "features/performance/pm/pm_interval_rows.h"
#include "ui/framework/dialogs/record_list.h"

#include <vector>

class CGraphDlg;

class CXdslPmIntervalListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kGraphButtonId = 1189;
    static constexpr int kGraphPopupId = 33046;
    static constexpr int kDescriptionButtonId = 1132;

    CRecordList<PmIntervalRow>& Rows() { return rows_; }
    // Every row anew: the CO intervals, then the RT ones.
    void ShowIntervals(const std::vector<XdslPmIntervalRec>& co, const std::vector<XdslPmIntervalRec>& rt);

    void OpenGraph();
    void OpenDescription();
    int OnCommandHook(int id, int code) override;

protected:
    // `chartTitleKey`: the CHART key of the graph's title; `order`: whether the columns sort by the creation time's
    // text as shown or by the time itself.
    CXdslPmIntervalListDlg(int templateId, const char* exportStem, const char* chartTitleKey, PmTimeOrder order,
                           QWidget* parent);

private:
    const char* chartTitleKey_;
    PmTimeOrder timeOrder_; // the columns read it at each sort
    CRecordList<PmIntervalRow> rows_;
};
