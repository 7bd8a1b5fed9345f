#pragma once
// CMapOptionsPage ("Map", template 335), the third page of Client Options: the geographic maps, the world map first
// (its id shows "default"), each shown, modified and added through the Map Setting dialog and deleted (not the world
// map). The rows are a working copy: OK makes them the program's map list and writes it.

#include "core/map/map_def.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CMapOptionsPage;
}

class CMapOptionsPage : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 335;
    static constexpr int kListId = kListControlId;

    explicit CMapOptionsPage(QWidget* parent = nullptr);
    ~CMapOptionsPage() override;

    // Fills the list from the program's map list.
    bool OnInitDialog() override;

    void OnShowRecord(uint32_t mapId) override;
    void OnModifyRecord(uint32_t mapId) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t mapId) override;
    void OnExport() override;

    // The maps of the rows in the order shown, the world map left out.
    std::vector<CMapDef> Maps() const;
    // Makes the rows the program's map list (bounds limited to the world map's) and writes it with the MAP section.
    void Save();

private:
    // The Map Setting dialog on a row; true on OK, with the row's new values.
    bool RunMapSetting(CMapDef& map, uint8_t accessMode);
    std::vector<uint32_t> IdsBesides(uint32_t mapId) const;

    std::unique_ptr<Ui::CMapOptionsPage> ui_;
    CRecordList<CMapDef> rows_;
};
