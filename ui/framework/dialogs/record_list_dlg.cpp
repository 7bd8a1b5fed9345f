#include "ui/framework/dialogs/record_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/lists/record_sort_proxy.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <QTimer>

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

// The button of a command that also comes from the context menu.
int ButtonOfCommand(int id)
{
    switch (id) {
    case kPopupShow:
        return kShowButtonId;
    case kPopupModify:
        return kModifyButtonId;
    case kPopupAdd:
        return kAddButtonId;
    case kPopupDelete:
        return kDeleteButtonId;
    case kPopupRefresh:
        return kRefreshButtonId;
    case kPopupExport:
        return kExportButtonId;
    default:
        return id;
    }
}

} // namespace

CRecordListDlg::CRecordListDlg(int templateId, Setup setup, QWidget* parent)
    : CADialog(templateId, parent), setup_(std::move(setup))
{
}

void CRecordListDlg::SetRecordList(CListRows& rows)
{
    rows_ = &rows;
    SetListModel(rows.Model(), setup_.listId);
    // The model goes after the list's proxy, which reads it to the end, when the dialog's controls go.
    if (QTreeView* list = FindList(setup_.listId))
        rows.Model().setParent(list);
}

void CRecordListDlg::AddRecordList(CListRows& rows, int listId)
{
    rows.SetListId(listId);
    SetListModel(rows.Model(), listId);
    if (QTreeView* list = FindList(listId))
        rows.Model().setParent(list);
}

CListControl CRecordListDlg::List() const
{
    return CListControl(FindList(setup_.listId));
}

int CRecordListDlg::SelectedRow() const
{
    const CListControl list = List();
    return list.IsValid() ? list.GetNextSelected(-1) : -1;
}

std::optional<uint32_t> CRecordListDlg::SelectedItemData() const
{
    const int row = SelectedRow();
    if (row < 0)
        return std::nullopt;
    return List().GetItemData(row);
}

std::optional<uint32_t> CRecordListDlg::RequireSelectedItemData()
{
    const std::optional<uint32_t> data = SelectedItemData();
    if (!data)
        ShowAlertTextById(kStrPleaseSelectOneItem);
    return data;
}

bool CRecordListDlg::ConfirmDelete() const
{
    return ShowMessageById(kStrSureToDeleteData, kConfirmFlags) == IDYES;
}

int CRecordListDlg::RowOfItemData(uint32_t itemData) const
{
    // A key's place among the typed list's rows, through the list's order, rather than a look at every row.
    CRecordSortProxy* proxy = ListProxy(setup_.listId);
    if (rows_ != nullptr && proxy != nullptr && &proxy->Records() == &rows_->Model()) {
        const int source = rows_->Model().RowOfKey(itemData);
        return source >= 0 ? proxy->mapFromSource(rows_->Model().index(source, 0)).row() : -1;
    }
    const CListControl list = List();
    return list.IsValid() ? list.FindItemByData(itemData) : -1;
}

bool CRecordListDlg::SelectRowByItemData(uint32_t itemData)
{
    CListControl list = List();
    const int row = RowOfItemData(itemData);
    if (row < 0)
        return false;
    list.EnsureVisible(row);
    list.SetItemSelected(row, true);
    list.SetCurrentItem(row);
    UpdateRowCommands();
    return true;
}

bool CRecordListDlg::ScrollToItemData(uint32_t itemData)
{
    CListControl list = List();
    return list.IsValid() && list.EnsureVisible(RowOfItemData(itemData));
}

bool CRecordListDlg::IsRowCommandOn(const RowCommand& /*command*/, std::optional<uint32_t> selected) const
{
    return selected.has_value();
}

void CRecordListDlg::UpdateRowCommands()
{
    const std::optional<uint32_t> selected = SelectedItemData();
    for (const RowCommand& command : setup_.rowCommands) {
        const bool withheld = std::find(withheld_.begin(), withheld_.end(), command.button) != withheld_.end();
        EnableControl(command.button, !withheld && IsRowCommandOn(command, selected));
    }
}

void CRecordListDlg::EnableForRight(int button, int right, char letter)
{
    const bool allowed = CheckUserRight(AppData().role, right, letter) != 0;
    std::erase(withheld_, button);
    if (!allowed)
        withheld_.push_back(button);
    const bool rowCommand = std::any_of(setup_.rowCommands.begin(), setup_.rowCommands.end(),
                                        [button](const RowCommand& command) { return command.button == button; });
    if (rowCommand)
        UpdateRowCommands();
    else
        EnableControl(button, allowed);
}

void CRecordListDlg::FillList()
{
    if (rows_ != nullptr)
        rows_->Fill();
    UpdateRowCommands();
}

void CRecordListDlg::FillListInTwoSteps()
{
    if (rows_ == nullptr) {
        FillList();
        return;
    }
    rows_->GatherRows();
    fillPending_ = true;
    UpdateRowCommands();
    // On a timer, not a posted call, which would come within the same turn.
    QTimer::singleShot(1, this, [this] {
        fillPending_ = false;
        RefillList();
    });
}

void CRecordListDlg::RefillList()
{
    FillList();
    // The rows come in the order of the records; the header still shows the order the operator chose, and the
    // columns make room for what the rows show now.
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection(), setup_.listId);
    UpdateListLayout(setup_.listId);
}

int CRecordListDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    if (rows_ == nullptr)
        return CADialog::CompareItems(item1, item2, flags);
    if (!setup_.descendingTurnsTies || (flags & kCompareDescending) == 0)
        return rows_->Compare(item1, item2, flags);
    return -rows_->Compare(item1, item2, flags & ~kCompareDescending);
}

void CRecordListDlg::OnSortBegins(int listId)
{
    if (rows_ != nullptr && listId == setup_.listId)
        rows_->KeepSortRows(true);
}

void CRecordListDlg::OnSortEnded(int listId)
{
    if (rows_ != nullptr && listId == setup_.listId)
        rows_->KeepSortRows(false);
}

void CRecordListDlg::OnListSelChanged(int /*row*/, int listId)
{
    if (listId == setup_.listId)
        UpdateRowCommands();
}

void CRecordListDlg::OnExport()
{
    CExportDlg dlg;
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    if (GetLocationId() != 0)
        dlg.SetLocationId(GetLocationId());
    dlg.SetExportSource(FindList(setup_.listId), setup_.exportStem, setup_.exportDelimiter);
    dlg.DoModal();
}

bool CRecordListDlg::HasCommandRight(char letter)
{
    return setup_.right < 0 || CheckRight(setup_.right, letter) == 0;
}

bool CRecordListDlg::RunListCommand(int id)
{
    switch (ButtonOfCommand(id)) {
    case kShowButtonId:
        if (!setup_.dialogChecksRight && !HasCommandRight('q'))
            return true;
        if (const std::optional<uint32_t> key = RequireSelectedItemData())
            OnShowRecord(*key);
        return true;
    case kModifyButtonId:
        if ((!setup_.dialogChecksRight && !HasCommandRight('m')) ||
            (setup_.modifyTargetNeBeforeRow && CheckTargetNe() != 0))
            return true;
        if (const std::optional<uint32_t> key = RequireSelectedItemData())
            OnModifyRecord(*key);
        return true;
    case kAddButtonId:
        if (setup_.dialogChecksRight || HasCommandRight('c'))
            OnAddRecord(SelectedItemData());
        return true;
    case kDeleteButtonId:
        if (((setup_.targetNeFirst || setup_.deleteTargetNeFirst) && CheckTargetNe() != 0) || !HasCommandRight('d'))
            return true;
        if (const std::optional<uint32_t> key = RequireSelectedItemData())
            OnDeleteRecord(*key);
        return true;
    case kRefreshButtonId:
        if (!setup_.targetNeFirst || CheckTargetNe() == 0)
            OnRefresh();
        return true;
    case kExportButtonId:
        OnExport();
        return true;
    default:
        if (id == kPopupClose) {
            EndDialog(IDCANCEL);
            return true;
        }
        return false;
    }
}

bool CRecordListDlg::OnCommand(int id, int code)
{
    // The base runs the dialog's own hook first, so that a dialog can take a command before the common handling.
    const bool handled = CADialog::OnCommand(id, code);
    if (code == BN_CLICKED && RunListCommand(id))
        return true;
    return handled;
}

bool CRecordListDlg::OnNotify(const NotifyHeader& header, int* result)
{
    const bool handled = CADialog::OnNotify(header, result);
    if (header.idFrom != setup_.listId)
        return handled;
    switch (header.code) {
    case NM_DBLCLK:
    case NM_RETURN:
        Activate(header.code == NM_RETURN);
        return true;
    case NM_RCLICK:
        ShowContextMenu();
        return true;
    default:
        return handled;
    }
}

void CRecordListDlg::OnOK()
{
    // Enter on the list has run it already (the key goes on to the dialog's default button).
    if (focusWidget() != nullptr && focusWidget() == FindList(setup_.listId))
        return;
    Activate(true);
}

void CRecordListDlg::Activate(bool asking)
{
    if (setup_.activateCommand == 0)
        return;
    if (SelectedRow() >= 0)
        OnCommand(setup_.activateCommand, BN_CLICKED);
    else if (asking && setup_.activateAsksForRow)
        ShowAlertTextById(kStrPleaseSelectOneItem);
}

void CRecordListDlg::ShowContextMenu()
{
    if (setup_.popupName == nullptr)
        return;
    std::vector<uint16_t> disabled = GreyedPopupCommands();
    std::vector<uint16_t> removed;
    const std::optional<uint32_t> selected = SelectedItemData();
    for (const RowCommand& command : setup_.rowCommands) {
        if (command.popup != 0 && !IsRowCommandOn(command, selected))
            (setup_.leaveOutRowCommands ? removed : disabled).push_back(static_cast<uint16_t>(command.popup));
    }
    disabled.push_back(0);
    removed.push_back(0);
    TrackContextMenuWithout(setup_.popupName, this, removed.data(), disabled.data());
}
