#include "features/management/ne_access/ne_snmp_manager_list_dlg.h"

#include "core/tables/access_rights.h"
#include "features/management/ne_access/ne_snmp_manager_dlg.h"
#include "link/record_requests.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_snmp_manager_list_dlg.h"

namespace {

constexpr uint32_t kInService = 1;
constexpr uint32_t kTrapV2c = 1;

ListValue VersionText(const NeSnmpManagerRecord& rec)
{
    return LoadString(rec.trapVersion == kTrapV2c ? kStrSnmpV2c : kStrSnmpV1);
}

} // namespace

CNeSnmpManagerListDlg::CNeSnmpManagerListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_LIST",
                      .rowCommands = {kRowDelete},
                      .right = kRightNeSnmpManagers,
                      .deleteTargetNeFirst = true,
                      .exportStem = "SnmpMgr"},
                     parent),
      ui_(std::make_unique<Ui::CNeSnmpManagerListDlg>()),
      rows_(*this, Columns(), [this](const NeSnmpManagerRecord& rec) { return KeyOf(rec); })
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqNeSnmpManager, kStrFailToQuery);
    rows_.SetTies(ListTies::kKey);
    // Rows that tie follow the direction too: a descending sort reverses the whole order.
    rows_.SetTieColumns({0});
    SetRecordList(rows_);
}

CNeSnmpManagerListDlg::~CNeSnmpManagerListDlg() = default;

std::vector<ListColumn<NeSnmpManagerRecord>> CNeSnmpManagerListDlg::Columns()
{
    // Addresses sort as addresses, the texts as texts, ties by the rows' keys.
    return {
        {.value = [this](const NeSnmpManagerRecord& rec) { return ListValue(KeyOf(rec)); },
         .order = ListOrder::kSigned,
         .image =
             [](const NeSnmpManagerRecord& rec) { return rec.state == kInService ? kImageEnabled : kImageDisabled; }},
        {.value = [](const NeSnmpManagerRecord& rec) { return ListValue(rec.ipAddress); }, .order = ListOrder::kIpv4},
        {.value = &NeSnmpManagerRecord::trapCommunity, .order = ListOrder::kText},
        {.value = VersionText, .order = ListOrder::kText},
    };
}

void CNeSnmpManagerListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeSnmpManagers) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsNeSnmpManagers);
    FillList();
}

void CNeSnmpManagerListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kEnabledLegendId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledLegendId, kImageDisabled);
}

void CNeSnmpManagerListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    CNeSnmpManagerDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return;
    rows_.Put(dlg.GetManager());
    ScrollToItemData(KeyOf(dlg.GetManager()));
}

void CNeSnmpManagerListDlg::OnDeleteRecord(uint32_t key)
{
    // The manager is named by the address its row shows.
    const int row = List().FindItemByData(key);
    const IpAddress address = ParseIpAddress(List().GetItemText(row, kAddressColumn).toStdString());
    if (rows_.Find(key) == nullptr)
        return;
    NeSnmpManagerRecord named;
    named.ipAddress = address;
    if (!CRecordRequests()
             .Delete(kReqNeSnmpManager, static_cast<uint32_t>(GetNeId()), named, {.failureTextId = kStrFailToQuery})
             .Ok())
        return;
    rows_.Remove(key);
}
