#pragma once
// CLocationListDlg ("Location List", template 232): the locations of a subtree (the dialog's location id; 0 lists
// them all) that lie in the operator's scope, one row each with the location id as its key, shown as the location
// table holds them. Show, Modify and Add open the Location dialog, which asks the right of its mode; Delete asks 'd'
// and sends request 22; Active Alarm and History
// Alarm open the alarm criteria for the row's location; Export writes the list under the stem "Location". The rows
// change only by the dialog's own actions: Modify rewrites its row (and the rows that name it as their superior), Add
// fills the list again, Delete removes the row.

#include "core/tables/location_node.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CLocationListDlg;
}

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
    int OnCommandHook(int id, int code) override;

    void OnShowRecord(uint32_t locationId) override;
    void OnModifyRecord(uint32_t locationId) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t locationId) override;

private:
    // The locations of the list in the operator's scope, depth first.
    std::vector<uint32_t> ListedLocations() const;
    // The locations that name the location as their superior.
    std::vector<uint32_t> SubLocations(uint32_t locationId) const;
    // The rows of a location and of its sub-locations, after a change.
    void UpdateRows(uint32_t locationId, const std::vector<uint32_t>& subLocations);
    void OpenAlarmCriteria(int activeHistory);

    std::unique_ptr<Ui::CLocationListDlg> ui_;
    CTableRecordList<CLocationNode> rows_;
};
