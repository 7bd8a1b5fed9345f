#include "features/fault/ne_alarm_io/ne_alarm_contact_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "link/record_requests.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <vector>

bool HasRelayModule(const CNeRecord* ne)
{
    if (ne == nullptr || ne->root == nullptr)
        return false;
    for (int s = 0; s < ne->root->GetChildCount(); ++s) {
        const CEntityNode* shelf = ne->root->GetChild(s);
        for (int p = 0; shelf != nullptr && p < shelf->GetChildCount(); ++p) {
            const CEntityType* model = FindEntityModel(shelf->GetChild(p)->GetType());
            if (model != nullptr && model->GetMenuClass() == kRelayModuleMenuClass)
                return true;
        }
    }
    return false;
}

CNeAlarmContactListDlg::CNeAlarmContactListDlg(const Kind& kind, QWidget* parent)
    : CRecordListDlg(kind.templateId,
                     {.popupName = "FM_DIGITIN_LIST",
                      .rowCommands = {kRowModify},
                      .activateCommand = kModifyButtonId,
                      .right = kind.right,
                      .modifyTargetNeBeforeRow = true,
                      .exportStem = kind.exportStem},
                     parent),
      kind_(kind)
{
}

void CNeAlarmContactListDlg::InitData()
{
    if (CheckAccessRightOrClose(kind_.right) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    SetRowColorMode(kRowColorsByImage);
    std::vector<RowColorStyle> styles = SeverityRowStyles();
    styles.push_back({static_cast<uint32_t>(kImageDisabled), 0x808080, 0xFFFFFF});
    SetRowColors(styles);
    InitListColumnsById(kind_.columnsId);
    Refresh();
}

void CNeAlarmContactListDlg::Refresh()
{
    ClearRows();
    UpdateRowCommands();
    const auto neId = static_cast<uint32_t>(GetNeId());
    if (!HasRelayModule(FindNeById(neId))) {
        ShowAlertTextById(kStrEntityTypeWrong);
        EndDialog(IDCANCEL);
        return;
    }
    // The rows' colours come from the alarms the NE has now.
    if (!CRecordRequests().Action(kReqAlarmSync, neId, {.failureTextId = kStrFailedToSynchronizeNeAlarms}).Ok())
        return;
    FillList();
    SortList(GetSortColumn(), GetSortDirection());
    UpdateRowCommands();
}

void CNeAlarmContactListDlg::OnModifyRecord(uint32_t entityId)
{
    // The right and the NE have been checked, in that order, before the row.
    KillTimer(kind_.refreshTimer);
    if (ModifyContact(entityId))
        SetTimer(kind_.refreshTimer, kDelayedRefreshMs);
}

void CNeAlarmContactListDlg::OnTimer(int id)
{
    if (id != kind_.refreshTimer) {
        CRecordListDlg::OnTimer(id);
        return;
    }
    KillTimer(kind_.refreshTimer);
    Refresh();
}

void CNeAlarmContactListDlg::DrawExtras(Dc& dc)
{
    DrawSeverityBoxImages(dc, *this);
    DrawListIconOnControl(dc, *this, kDisabledLegendId, kImageDisabled);
}
