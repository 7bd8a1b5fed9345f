#include "ui/shell/options/map_options_page.h"

#include "core/config/app_settings.h"
#include "core/map/map_list.h"
#include "core/tables/app_data.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/map/map_pictures.h"
#include "ui/shell/map/map_setting_dlg.h"
#include "ui_map_options_page.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace {

// A bound as the list shows it, sorted as a number.
ListValue Bound(float degrees)
{
    ListValue value(QString::number(degrees, 'f', 4).toStdString());
    value.number = std::llround(static_cast<double>(degrees) * 10000.0);
    return value;
}

std::vector<ListColumn<CMapDef>> Columns()
{
    return {
        {.value = [](const CMapDef& map) { return map.id == 0 ? ListValue("default") : ListValue(map.id); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const CMapDef& map) { return ListValue(map.id); }},
        {.value = [](const CMapDef& map) { return ListValue(map.name); }, .order = ListOrder::kText},
        {.value = [](const CMapDef& map) { return Bound(map.west); }, .order = ListOrder::kSigned},
        {.value = [](const CMapDef& map) { return Bound(map.east); }, .order = ListOrder::kSigned},
        {.value = [](const CMapDef& map) { return Bound(map.north); }, .order = ListOrder::kSigned},
        {.value = [](const CMapDef& map) { return Bound(map.south); }, .order = ListOrder::kSigned},
        {.value = [](const CMapDef& map) { return ListValue(map.imageFile); }, .order = ListOrder::kText},
    };
}

float Limited(float value, float low, float high)
{
    return std::clamp(value, low, high);
}

} // namespace

CMapOptionsPage::CMapOptionsPage(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.listId = kListId,
                      .popupName = "MAP_LIST",
                      // Show, Modify and Delete stay offered: without a row they ask for one.
                      .rowCommands = {},
                      .activateCommand = kShowButtonId,
                      .exportStem = "ClnOptMap"},
                     parent),
      ui_(std::make_unique<Ui::CMapOptionsPage>()), rows_(*this, Columns(), [](const CMapDef& map) { return map.id; })
{
    ui_->setupUi(this);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CMapOptionsPage::~CMapOptionsPage() = default;

bool CMapOptionsPage::OnInitDialog()
{
    CRecordListDlg::OnInitDialog();
    // The rows are read now, not when the page is first shown: OK saves them whether or not the operator looked.
    InitListColumnsById(kStrColumnsMapList, kListId);
    const CMapList& maps = CurrentMapList();
    std::vector<CMapDef> records{maps.GetWorldMap()};
    for (size_t i = 0; i < maps.GetMapCount(); ++i)
        records.push_back(*maps.GetMapAt(i));
    rows_.SetRecords(records);
    UpdateRowCommands();
    return true;
}

std::vector<uint32_t> CMapOptionsPage::IdsBesides(uint32_t mapId) const
{
    std::vector<uint32_t> ids;
    for (const CMapDef& map : Maps()) {
        if (map.id != mapId)
            ids.push_back(map.id);
    }
    return ids;
}

std::vector<CMapDef> CMapOptionsPage::Maps() const
{
    std::vector<CMapDef> maps;
    const CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const CMapDef* map = rows_.Find(list.GetItemData(row));
        if (map != nullptr && map->id != 0)
            maps.push_back(*map);
    }
    return maps;
}

bool CMapOptionsPage::RunMapSetting(CMapDef& map, uint8_t accessMode)
{
    CMapSettingDlg dlg(this);
    dlg.SetAccessMode(accessMode);
    dlg.SetMap(map);
    dlg.SetIdsInUse(IdsBesides(accessMode == kAccessCreate ? 0 : map.id));
    if (dlg.DoModal() != IDOK)
        return false;
    map = dlg.GetMap();
    return true;
}

void CMapOptionsPage::OnShowRecord(uint32_t mapId)
{
    if (const CMapDef* map = rows_.Find(mapId)) {
        CMapDef shown = *map;
        RunMapSetting(shown, kAccessQuery);
    }
}

void CMapOptionsPage::OnModifyRecord(uint32_t mapId)
{
    const CMapDef* map = rows_.Find(mapId);
    if (map == nullptr)
        return;
    CMapDef changed = *map;
    if (RunMapSetting(changed, kAccessModify))
        rows_.Put(changed);
}

void CMapOptionsPage::OnAddRecord(std::optional<uint32_t>)
{
    CMapDef added;
    added.id = 1;
    added.west = kWorldWest;
    added.east = kWorldEast;
    added.north = kWorldNorth;
    added.south = kWorldSouth;
    if (RunMapSetting(added, kAccessCreate)) {
        rows_.Put(added);
        SelectRowByItemData(added.id);
    }
}

void CMapOptionsPage::OnDeleteRecord(uint32_t mapId)
{
    if (mapId == 0) {
        ShowAlertTextById(kStrDataCannotBeDeleted, kListId);
        return;
    }
    if (!ConfirmDelete())
        return;
    rows_.Remove(mapId);
    UpdateRowCommands();
}

void CMapOptionsPage::OnExport()
{
    CExportDlg dlg;
    dlg.SetExportSource(FindList(kListId), "ClnOptMap", '\t');
    dlg.SetExportTitle("Client Options - Map");
    dlg.DoModal();
}

void CMapOptionsPage::Save()
{
    CMapList& list = CurrentMapList();
    const std::vector<CMapDef> maps = Maps();
    list.SetMapCount(maps.size());
    for (size_t i = 0; i < maps.size(); ++i) {
        CMapDef map = maps[i];
        map.west = Limited(map.west, kWorldWest, kWorldEast);
        map.east = Limited(map.east, kWorldWest, kWorldEast);
        map.north = Limited(map.north, kWorldSouth, kWorldNorth);
        map.south = Limited(map.south, kWorldSouth, kWorldNorth);
        map.imageHandle = 0;
        *list.GetMapAt(i) = map;
    }
    if (AppSettings().mapPreload)
        PreloadMapPictures(list);
    else
        ReleaseMapPictures(list);
    AppData().mapsChanged = true;
    if (CEmsApp* app = GetEmsApp())
        app->SaveConfiguration("MAP");
}
