#include "ui/framework/dialogs/ticked_record_list_dlg.h"

#include "platform/list_control.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

} // namespace

std::vector<uint32_t> CTickedRecordListDlg::TickedKeys() const
{
    std::vector<uint32_t> ticked;
    const CListControl list = List();
    for (int row = 0; list.IsValid() && row < list.GetItemCount(); ++row) {
        if (list.GetCheck(row))
            ticked.push_back(list.GetItemData(row));
    }
    return ticked;
}

bool CTickedRecordListDlg::AnyTicked() const
{
    const CListControl list = List();
    for (int row = 0; list.IsValid() && row < list.GetItemCount(); ++row) {
        if (list.GetCheck(row))
            return true;
    }
    return false;
}

void CTickedRecordListDlg::UpdateTickCommands()
{
    EnableControls({kCheckAllId, kUncheckAllId}, List().GetItemCount() > 0);
    EnableControl(kMultiDeleteId, AnyTicked());
}

void CTickedRecordListDlg::TickAll(bool on)
{
    CListControl list = List();
    for (int row = 0; list.IsValid() && row < list.GetItemCount(); ++row)
        list.SetCheck(row, on);
    UpdateTickCommands();
}

void CTickedRecordListDlg::MultiDelete()
{
    if (!MayMultiDelete())
        return;
    const std::vector<uint32_t> ticked = TickedKeys();
    if (ticked.empty()) {
        ShowAlertTextById(kStrPleaseCheckOneItem, GetListId());
        return;
    }
    if (ShowMessageById(kStrSureToDeleteData, kConfirmFlags) != IDYES)
        return;
    for (const uint32_t key : ticked) {
        if (!DeleteTickedRow(key))
            break;
    }
    UpdateTickCommands();
    UpdateRowCommands();
}

std::vector<uint16_t> CTickedRecordListDlg::GreyedPopupCommands() const
{
    std::vector<uint16_t> greyed;
    if (List().GetItemCount() == 0)
        greyed = {kPopupCheckAll, kPopupUncheckAll};
    if (!AnyTicked())
        greyed.push_back(kPopupMultiDelete);
    return greyed;
}

int CTickedRecordListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CRecordListDlg::OnCommandHook(id, code);
    switch (id) {
    case kMultiDeleteId:
    case kPopupMultiDelete:
        MultiDelete();
        return 1;
    case kCheckAllId:
    case kPopupCheckAll:
        TickAll(true);
        return 1;
    case kUncheckAllId:
    case kPopupUncheckAll:
        TickAll(false);
        return 1;
    default:
        return CRecordListDlg::OnCommandHook(id, code);
    }
}

int CTickedRecordListDlg::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.idFrom == GetListId() && header.code == LVN_ITEMCHANGED &&
        (header.newState & LVIS_STATEIMAGEMASK) != (header.oldState & LVIS_STATEIMAGEMASK))
        UpdateTickCommands();
    return CRecordListDlg::OnNotifyHook(header, result);
}
