#pragma once
// CItemValuePage, a read-only page of a status dialog: a two-column list of items and their values, one row per item
// of a "|"-separated string, filled by its container. The RSTP status, LACP status and SFP information pages are
// it, each with a template of its own. The page's popup runs its container's Refresh, Export and Close.
//
//     AddPage(CRstpStatusPage::kTemplateId, &bridgePage_, "Bridge");
//     bridgePage_.SetItems(kStrColumnsRstpStatus, kStrRstpBridgeItems);
//     ...
//     bridgePage_.ClearValues();
//     bridgePage_.SetValue(0, "0x8000-00:10:A4:00:01:01");

#include "ui/framework/dialogs/record_list.h"

#include <cstdint>
#include <string>

// One row: the item's number (from 0), its name and the value shown.
struct ItemValueRow {
    uint32_t number = 0;
    std::string item;
    std::string value;
};

class CItemValuePage : public CRecordListDlg {
    Q_OBJECT
public:
    // The popup is named after the page's; `exportStem` names the files its list is exported to.
    CItemValuePage(int templateId, const char* popupName, const char* exportStem, QWidget* parent);

    // The columns of the spec and a row for each item, the values empty.
    void SetItems(uint32_t columnsStringId, uint32_t itemsStringId);
    void ClearValues();
    void SetValue(uint32_t row, std::string value);

    bool OnCommand(int id, int code) override;
    // The rows are the container's to fill.
    void OnRefresh() override {}

private:
    CRecordList<ItemValueRow> rows_;
};
