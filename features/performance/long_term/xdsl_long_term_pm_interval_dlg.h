#pragma once
// CXdslLongTermPmIntervalDlg (template 261, "Interval of xDSL Long-Term PM"): the date and hour range of a query of
// one item's port (shown read-only, with its NE). Query (IDOK) lists the port's long-term PM records of the range in
// CXdslLongTermPmDlg and stays open for another range; a start after the stop is refused on the message line.
//
//     CXdslLongTermPmIntervalDlg query(this);
//     query.SetTarget(neId, &port);
//     query.SetRange(item.start, item.stop);   // the item's window to begin with
//     query.DoModal();

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CXdslLongTermPmIntervalDlg;
}

class CXdslLongTermPmIntervalDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 261;
    static constexpr int kNeNameId = 1149;
    static constexpr int kShelfId = 1322;
    static constexpr int kSlotId = 1253;
    static constexpr int kPortId = 1273;
    static constexpr int kFromDateId = 1116;
    static constexpr int kToDateId = 1118;
    static constexpr int kFromHourId = 1344;
    static constexpr int kToHourId = 1345;

    explicit CXdslLongTermPmIntervalDlg(QWidget* parent = nullptr);
    ~CXdslLongTermPmIntervalDlg() override;

    void SetRange(int64_t start, int64_t stop);

    void InitData() override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CXdslLongTermPmIntervalDlg> ui_;
    int64_t start_ = 0;
    int64_t stop_ = 0;
};
