#include "features/provisioning/trunk/manual_vlan_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "core/util/bit_string.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_manual_vlan_dlg.h"

#include <QString>

namespace {

uint32_t FirstVlanOf(const VlanGridRow& row)
{
    return row.number * CManualVlanDlg::kVlansPerRow + 1;
}

bool HasVlan(const VlanGridRow& row, int cell)
{
    return FirstVlanOf(row) + static_cast<uint32_t>(cell) <= CManualVlanDlg::kLastVlan;
}

bool IsMember(const VlanGridRow& row, int cell)
{
    return (row.members & (1u << cell)) != 0;
}

bool WasTold(const VlanGridRow& row, int cell)
{
    return (*row.told & (1u << cell)) != 0;
}

ListColumn<VlanGridRow> VlanColumn(int cell)
{
    return {.value =
                [cell](const VlanGridRow& row) {
                    if (!HasVlan(row, cell) || !row.told)
                        return ListValue("");
                    return ListValue(LoadString(WasTold(row, cell) ? kStrVlanMember : kStrVlanNonMember));
                },
            .order = ListOrder::kArrival,
            .image =
                [cell](const VlanGridRow& row) {
                    if (!HasVlan(row, cell))
                        return -1;
                    return IsMember(row, cell) ? kImageMember : kImageNonMember;
                }};
}

std::vector<ListColumn<VlanGridRow>> Columns()
{
    std::vector<ListColumn<VlanGridRow>> columns = {
        {.value = [](const VlanGridRow& row) { return ListValue(row.number + 1); }, .order = ListOrder::kArrival},
        {.value =
             [](const VlanGridRow& row) {
                 const uint32_t first = FirstVlanOf(row);
                 const uint32_t last = std::min(first + CManualVlanDlg::kVlansPerRow - 1, CManualVlanDlg::kLastVlan);
                 return ListValue(QString::asprintf("%4u-%4u", first, last).toStdString());
             },
         .order = ListOrder::kArrival},
    };
    for (int cell = 0; cell < CManualVlanDlg::kVlansPerRow; ++cell)
        columns.push_back(VlanColumn(cell));
    return columns;
}

} // namespace

CManualVlanDlg::CManualVlanDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {}, parent), ui_(std::make_unique<Ui::CManualVlanDlg>()),
      rows_(*this, Columns(), [](const VlanGridRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    SetNoSort(true);
}

CManualVlanDlg::~CManualVlanDlg() = default;

uint32_t CManualVlanDlg::PortId() const
{
    return TrunkPortId(FindNeById(static_cast<uint32_t>(GetNeId())), 2);
}

void CManualVlanDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightTrunkVlans) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsManualVlan);
    ShowMap({}, false);
    EnableControl(IDOK, false);
    VlanBitMapRec query;
    query.entityId = PortId();
    const RecordReply<VlanBitMapRec> reply = CRecordRequests().Query(kReqTrunkVlan, static_cast<uint32_t>(GetNeId()),
                                                                     query, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    current_ = reply.records.back().vlans;
    ShowMap(current_, true);
    EnableControl(IDOK, true);
}

void CManualVlanDlg::ShowMap(const std::array<uint8_t, kVlanBitMapBytes>& map, bool told)
{
    std::vector<VlanGridRow> rows;
    for (uint32_t number = 0; number < kRowCount; ++number) {
        VlanGridRow row{number, 0};
        for (int cell = 0; cell < kVlansPerRow && HasVlan(row, cell); ++cell) {
            if (TestBit(map, FirstVlanOf(row) + static_cast<uint32_t>(cell)) == 1)
                row.members = static_cast<uint16_t>(row.members | (1u << cell));
        }
        if (told)
            row.told = row.members;
        rows.push_back(row);
    }
    rows_.SetRecords(rows);
}

int CManualVlanDlg::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.idFrom != kListControlId || header.code != NM_CLICK || header.item < 0 ||
        header.subItem < kFirstVlanColumn || header.subItem >= kFirstVlanColumn + kVlansPerRow)
        return CRecordListDlg::OnNotifyHook(header, result);
    const VlanGridRow* row = rows_.Find(List().GetItemData(header.item));
    const int cell = header.subItem - kFirstVlanColumn;
    if (row == nullptr || !HasVlan(*row, cell))
        return 1;
    VlanGridRow toggled = *row;
    toggled.members = static_cast<uint16_t>(toggled.members ^ (1u << cell));
    rows_.Put(toggled);
    return 1;
}

void CManualVlanDlg::OnOK()
{
    if (!IsControlEnabled(IDOK))
        return;
    VlanBitMapRec rec;
    rec.entityId = PortId();
    for (uint32_t number = 0; number < kRowCount; ++number) {
        const VlanGridRow* row = rows_.Find(number);
        for (int cell = 0; row != nullptr && cell < kVlansPerRow; ++cell) {
            if (HasVlan(*row, cell) && IsMember(*row, cell))
                SetBit(rec.vlans, FirstVlanOf(*row) + static_cast<uint32_t>(cell));
        }
    }
    if (!CRecordRequests()
             .Modify(kReqTrunkVlan, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    current_ = rec.vlans;
    EndDialog(IDOK);
}

void CManualVlanDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawListIconOnControl(dc, *this, kJoinImageId, kImageMember);
    DrawListIconOnControl(dc, *this, kLeaveImageId, kImageNonMember);
}
