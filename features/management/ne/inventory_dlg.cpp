#include "features/management/ne/inventory_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_inventory_dlg.h"

namespace {

constexpr int kSlotLevel = 3;

using Column = ListColumn<BoardSettingRec>;

ListValue ModelName(uint32_t modelId)
{
    const CEntityType* model = FindEntityModel(modelId);
    return model != nullptr ? model->GetDisplayName() : std::string();
}

// A board whose online type this workstation knows shows what the NE says of it; another shows its types only.
template <class Value> Column KnownBoardColumn(Value value, ListOrder order = ListOrder::kNoCase)
{
    return {.value =
                [value](const BoardSettingRec& board) {
                    return FindEntityModel(board.onlineType) != nullptr ? ListValue(value(board)) : ListValue();
                },
            .order = order};
}

} // namespace

CInventoryDlg::CInventoryDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "REFRESH_LIST", .rowCommands = {}, .exportStem = "BoardVer"}, parent),
      ui_(std::make_unique<Ui::CInventoryDlg>()),
      rows_(*this,
            {
                {.order = ListOrder::kArrival},
                {.value =
                     [this](const BoardSettingRec& board) {
                         return ListValue(
                             FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), board.entityId));
                     },
                 .order = ListOrder::kUnsigned,
                 .sortValue = &BoardSettingRec::entityId},
                {.value = [](const BoardSettingRec& board) { return ModelName(board.plannedType); }},
                {.value = [](const BoardSettingRec& board) { return ModelName(board.onlineType); }},
                {.value =
                     [](const BoardSettingRec& board) {
                         return FindEntityModel(board.onlineType) != nullptr ? ListValue(FormatUptime(board.upTime))
                                                                             : ListValue();
                     },
                 .order = ListOrder::kUnsigned,
                 .sortValue = &BoardSettingRec::upTime},
                KnownBoardColumn([](const BoardSettingRec& board) { return board.softwareVersion; }),
                KnownBoardColumn([](const BoardSettingRec& board) { return board.hardwareVersion; }),
                KnownBoardColumn([](const BoardSettingRec& board) { return board.serialNumber; }),
                {.value = [](const BoardSettingRec&) { return ListValue(); }}, // the image file, not reported
                KnownBoardColumn([](const BoardSettingRec& board) { return board.upTime; }, ListOrder::kUnsigned),
            },
            &BoardSettingRec::entityId)
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqBoardSetting, kStrFailToQuery);
    rows_.SetFilter([this](const BoardSettingRec& board) { return IsListed(board); });
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CInventoryDlg::~CInventoryDlg() = default;

void CInventoryDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeOperations) != 0 || CheckTargetNeOrClose() != 0)
        return;
    target_.SetIndex(GetTargetEntity().index.Truncated(kSlotLevel));
    UpdateCaption(kCaptionNe | kCaptionEntity);
    SetSmallImages();
    InitListColumnsById(kStrColumnsInventory);
    FillList();
    if (ReportNoData())
        EndDialog(IDCANCEL);
}

bool CInventoryDlg::IsListed(const BoardSettingRec& board) const
{
    return board.entityId == target_.id || target_.IsAncestorOf(board.entityId);
}

bool CInventoryDlg::ReportNoData()
{
    if (List().GetItemCount() != 0)
        return false;
    ShowAlertTextById(kStrNoData);
    return true;
}

bool CInventoryDlg::OnCommand(int id, int code)
{
    // A Refresh empties the list, then asks the NE, which needs it in the NE table.
    if (code == BN_CLICKED && (id == kRefreshButtonId || id == kPopupRefresh)) {
        rows_.SetRecords({});
        if (CheckTargetNe() != 0)
            return true;
    }
    const bool handled = CRecordListDlg::OnCommand(id, code);
    if (code == BN_CLICKED && (id == kRefreshButtonId || id == kPopupRefresh))
        ReportNoData();
    return handled;
}
