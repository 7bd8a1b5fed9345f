#include "features/management/cascaded/remote_ne_list_dlg.h"

#include "core/tables/access_rights.h"
#include "features/management/cascaded/remote_ne_dlg.h"
#include "link/record_requests.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_remote_ne_list_dlg.h"

#include <vector>

namespace {

using Column = ListColumn<RemoteNeRecord>;

constexpr uint32_t kEnabled = 1;
constexpr uint32_t kConnected = 1;
constexpr uint32_t kDisconnected = 2;
constexpr COLORREF kDisabledText = 0x808080;
constexpr int kNotActiveImage = 0;

} // namespace

RemoteNeOperShown RemoteNeOperStatusShown(uint32_t operStatus)
{
    if (operStatus == kConnected)
        return {kStrConnected, kImageLinkUp};
    if (operStatus == kDisconnected)
        return {kStrDisconnected, kImageLinkDown};
    return {kStrNotActive, kNotActiveImage};
}

namespace {

ListValue AdminStateText(const RemoteNeRecord& rec)
{
    return LoadString(rec.state == kEnabled ? kStrStateEnabled : kStrStateDisabled);
}

ListValue OperStatusText(const RemoteNeRecord& rec)
{
    return LoadString(RemoteNeOperStatusShown(rec.operStatus).textId);
}

// No., ID, IP Address, Admin State, Oper Status and Note. The texts compare without regard to case, equal ones by
// the remote NE's id, which the Note column sorts by.
std::vector<Column> RemoteNeColumns()
{
    return {
        {.order = ListOrder::kArrival},
        {.value = &RemoteNeRecord::remoteNeId, .order = ListOrder::kUnsigned},
        {.value = [](const RemoteNeRecord& rec) { return ListValue(FormatIpAddressPadded(rec.ipAddress)); }},
        {.value = AdminStateText,
         .image = [](const RemoteNeRecord& rec) { return rec.state == kEnabled ? kImageEnabled : kImageDisabled; }},
        {.value = OperStatusText,
         .image = [](const RemoteNeRecord& rec) { return RemoteNeOperStatusShown(rec.operStatus).image; }},
        {.value = &RemoteNeRecord::note, .order = ListOrder::kUnsigned, .sortValue = &RemoteNeRecord::remoteNeId},
    };
}

} // namespace

CRemoteNeListDlg::CRemoteNeListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "GENERIC_ALL_LIST",
                      .rowCommands = {kRowShow, kRowModify, kRowDelete},
                      .activateCommand = kShowButtonId,
                      .right = kRightRemoteNes,
                      // Show, Modify and Add leave the right to the remote NE dialog; Delete and Refresh make sure
                      // of the root NE first.
                      .dialogChecksRight = true,
                      .targetNeFirst = true,
                      .exportStem = "CascadedRemoteNe"},
                     parent),
      ui_(std::make_unique<Ui::CRemoteNeListDlg>()),
      rows_(*this, RemoteNeColumns(), [](const RemoteNeRecord& rec) { return rec.remoteNeId; })
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqRemoteNe, kStrFailToQuery);
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CRemoteNeListDlg::~CRemoteNeListDlg() = default;

void CRemoteNeListDlg::InitData()
{
    if (CheckRightOrClose(kRightRemoteNes, 'q') != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsRemoteNes);
    FillList();
}

void CRemoteNeListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kEnabledLegendId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledLegendId, kImageDisabled);
    DrawListIconOnControl(dc, *this, kLinkUpLegendId, kImageLinkUp);
    DrawListIconOnControl(dc, *this, kLinkDownLegendId, kImageLinkDown);
}

void CRemoteNeListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                     COLORREF* backColor2, int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const RemoteNeRecord* rec = rows_.Find(List().GetItemData(row));
    if (rec != nullptr && rec->state != kEnabled)
        *textColor = kDisabledText;
}

uint32_t CRemoteNeListDlg::IdShown(uint32_t key) const
{
    const CListControl list = List();
    return list.GetItemText(list.FindItemByData(key), kIdColumn).toUInt();
}

std::optional<RemoteNeRecord> CRemoteNeListDlg::RunRemoteNeDlg(uint8_t accessMode, uint32_t remoteNeId)
{
    CRemoteNeDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetAccessMode(accessMode);
    dlg.SetRemoteNeId(remoteNeId);
    if (dlg.DoModal() != IDOK)
        return std::nullopt;
    return dlg.GetRemoteNe();
}

void CRemoteNeListDlg::OnShowRecord(uint32_t remoteNeId)
{
    RunRemoteNeDlg(kAccessQuery, IdShown(remoteNeId));
}

void CRemoteNeListDlg::OnModifyRecord(uint32_t remoteNeId)
{
    if (const std::optional<RemoteNeRecord> changed = RunRemoteNeDlg(kAccessModify, remoteNeId))
        rows_.Put(*changed);
}

void CRemoteNeListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    const std::optional<RemoteNeRecord> added = RunRemoteNeDlg(kAccessCreate, 0);
    if (!added)
        return;
    rows_.Put(*added);
    ScrollToItemData(added->remoteNeId);
}

void CRemoteNeListDlg::OnDeleteRecord(uint32_t remoteNeId)
{
    if (!ConfirmDelete())
        return;
    RemoteNeRecord named;
    named.remoteNeId = IdShown(remoteNeId);
    if (!CRecordRequests()
             .Delete(kReqRemoteNe, static_cast<uint32_t>(GetNeId()), named, {.failureTextId = kStrFailToDelete})
             .Ok())
        return;
    rows_.Remove(remoteNeId);
}
