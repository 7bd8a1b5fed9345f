#pragma once
// CXdslLongTermPmAddDlg (template 257, "Add an xDSL Long-Term PM Item"): a port (shelf 1322, slot 1253, port 1273,
// the xDSL line ports of the target NE) and the window in which the NE collects its PM, from a date and hour to a
// date and hour (1116 and 1344, 1118 and 1345; from now to a day later at first). OK adds the item (request 101) and
// ends with the new port as the dialog's target; a start after the stop is refused on the message line.
//
//     CXdslLongTermPmAddDlg add(this);
//     add.SetTarget(neId, &port);              // the port chosen at first
//     add.SetAccessMode(kAccessCreate);
//     if (add.DoModal() == IDOK)
//         list.Put(add.GetItem());

#include "link/records/long_term_pm_item_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/port_combos.h"

#include <memory>

namespace Ui {
class CXdslLongTermPmAddDlg;
}

class CXdslLongTermPmAddDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 257;
    static constexpr int kNeNameId = 1149;
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;
    static constexpr int kFromDateId = 1116;
    static constexpr int kToDateId = 1118;
    static constexpr int kFromHourId = 1344;
    static constexpr int kToHourId = 1345;

    explicit CXdslLongTermPmAddDlg(QWidget* parent = nullptr);
    ~CXdslLongTermPmAddDlg() override;

    // The item added, after OK.
    const LongTermPmItemRec& GetItem() const { return item_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CXdslLongTermPmAddDlg> ui_;
    LongTermPmItemRec item_;
    CPortCombos portCombos_;
};
