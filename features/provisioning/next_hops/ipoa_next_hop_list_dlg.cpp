#include "features/provisioning/next_hops/ipoa_next_hop_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/ip_address.h"
#include "core/util/mac_address.h"
#include "features/provisioning/next_hops/ipoa_next_hop_dlg.h"
#include "link/record_requests.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ipoa_next_hop_list_dlg.h"

namespace {

int StateImage(const NextHopRec& rec)
{
    return rec.state == 1 ? kImageEnabled : kImageDisabled;
}

// The address, then the VLAN: next hops of one address stay together, ordered by their VLANs.
ListValue AddressThenVlan(const NextHopRec& rec)
{
    ListValue value(FormatIpAddressPadded(rec.address));
    value.number = (static_cast<int64_t>(IpToUInt32(rec.address)) << 16) | rec.vlanId;
    return value;
}

std::vector<ListColumn<NextHopRec>> NextHopColumns()
{
    return {
        {.order = ListOrder::kArrival, .image = StateImage},
        {.value = &NextHopRec::name, .order = ListOrder::kText},
        {.value = [](const NextHopRec& rec) { return ListValue(FormatIpAddressPadded(rec.address)); },
         .order = ListOrder::kSigned,
         .sortValue = AddressThenVlan},
        {.value = [](const NextHopRec& rec) { return ListValue(static_cast<uint32_t>(rec.vlanId)); },
         .order = ListOrder::kSigned,
         .sortValue = AddressThenVlan},
        {.value = [](const NextHopRec& rec) { return ListValue(FormatMacAddress(rec.mac)); },
         .order = ListOrder::kArrival},
    };
}

} // namespace

CIpoaNextHopListDlg::CIpoaNextHopListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_REFRESH_LIST",
                      .rowCommands = {kRowDelete},
                      .right = kRightIpoaNextHops,
                      .dialogChecksRight = true,
                      .targetNeFirst = true,
                      .exportStem = "xDslIPoAIsp"},
                     parent),
      ui_(std::make_unique<Ui::CIpoaNextHopListDlg>()), rows_(*this, NextHopColumns())
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        return CRecordRequests().Query<NextHopRec>(kReqNextHop, static_cast<uint32_t>(GetNeId()),
                                                   {.failureTextId = kStrFailToQuery});
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CIpoaNextHopListDlg::~CIpoaNextHopListDlg() = default;

void CIpoaNextHopListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightIpoaNextHops) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    SetRowColorMode(kRowColorsByImage);
    SetRowColors({{static_cast<uint32_t>(kImageEnabled), 0x000000, 0xFFFFFF},
                  {static_cast<uint32_t>(kImageDisabled), 0x808080, 0xFFFFFF}});
    InitListColumnsById(kStrColumnsNextHops);
    FillList();
}

void CIpoaNextHopListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    CIpoaNextHopDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return;
    ScrollToItemData(rows_.Append(dlg.GetNextHop()));
}

void CIpoaNextHopListDlg::OnDeleteRecord(uint32_t row)
{
    const NextHopRec* rec = rows_.Find(row);
    if (rec == nullptr || !ConfirmDelete())
        return;
    NextHopRec key;
    key.name = rec->name;
    if (CRecordRequests()
            .Delete(kReqNextHop, static_cast<uint32_t>(GetNeId()), key, {.failureTextId = kStrFailToDelete})
            .Ok())
        rows_.Remove(row);
}

void CIpoaNextHopListDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawListIconOnControl(dc, *this, kEnabledImageId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledImageId, kImageDisabled);
}
