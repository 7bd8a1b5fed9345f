#pragma once
// CLocationListDlg ("Location List", template 232): the locations of a subtree (the dialog's location id; 0 lists
// them all) that lie in the operator's scope, one row each with the location id as item data. Show, Modify and Add
// open the Location dialog; Delete sends request 22; Active Alarm and History Alarm open the alarm criteria for the
// row's location; Export writes the list under the stem "Location". The rows change only by the dialog's own
// actions: Modify rewrites its row (and the Superior cells naming it), Add fills the list again, Delete removes the
// row.

#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CLocationListDlg;
}
class CLocationNode;

class CLocationListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 232;
    static constexpr int kActiveAlarmButtonId = 1174;
    static constexpr int kHistoryAlarmButtonId = 1388;
    static constexpr int kPopupActiveAlarm = 33029;
    static constexpr int kPopupHistoryAlarm = 33034;
    // Columns.
    static constexpr int kNameColumn = 1;
    static constexpr int kSuperiorColumn = 2;

    explicit CLocationListDlg(QWidget* parent = nullptr);
    ~CLocationListDlg() override;

    void InitData() override;
    void FillList() override;
    // Column 0 and 2 order by the superior's name, 1 and 3 to 6 by their texts (letter case aside), others by id.
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;
    int OnCommandHook(int id, int code) override;

    void OnShowRecord(uint32_t locationId) override;
    void OnModifyRecord(uint32_t locationId) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t locationId) override;

private:
    // Columns 1 to 6 of a row from the location.
    void WriteRow(int row, const CLocationNode& node);
    // The Superior cell of every row from the location table, after a location's name or place changed.
    void RewriteSuperiorCells();
    void OpenAlarmCriteria(int activeHistory);

    std::unique_ptr<Ui::CLocationListDlg> ui_;
};
