#include "features/provisioning/vlans/vlan_mac_limit_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/line_card_slots.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "core/util/vlan_id.h"
#include "features/provisioning/vlans/vlan_mac_limit_dlg.h"
#include "features/provisioning/vlans/vlan_text.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_vlan_mac_limit_list_dlg.h"

namespace {

constexpr uint32_t kStateEnabled = 1;
constexpr uint32_t kStateDisabled = 2;
constexpr COLORREF kGrey = 0x808080;

// No., VLAN ID, Admin State, MAC Limit; ties and the other columns by VLAN ID (the rows' order).
std::vector<ListColumn<VlanMacLimitRec>> LimitColumns()
{
    return {
        {.order = ListOrder::kArrival},
        {.value = &VlanMacLimitRec::vlanId, .order = ListOrder::kArrival},
        {.value =
             [](const VlanMacLimitRec& rec) { return ListValue(StateWord(rec.state == kStateEnabled).toStdString()); },
         .order = ListOrder::kNoCase,
         .image =
             [](const VlanMacLimitRec& rec) { return rec.state == kStateEnabled ? kImageEnabled : kImageDisabled; }},
        {.value = &VlanMacLimitRec::macLimit, .order = ListOrder::kUnsigned},
    };
}

} // namespace

CPageWindow VlanRangeWindow(int64_t first, int64_t last)
{
    return CPageWindow({.maxRows = 0, .wrap = false, .alignLastPage = true}, first, last, kLastVlanId);
}

CVlanMacLimitListDlg::CVlanMacLimitListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     // Modify answers "Please select one item" without a row rather than being greyed.
                     {.popupName = "EDIT_LIST",
                      .rowCommands = {},
                      .activateCommand = kModifyButtonId,
                      .activateAsksForRow = true,
                      .right = kRightVlanMacLimits,
                      .dialogChecksRight = true,
                      .targetNeFirst = true,
                      .exportStem = "VlanMacLimit"},
                     parent),
      ui_(std::make_unique<Ui::CVlanMacLimitListDlg>()),
      pages_(*this, VlanRangeWindow(kFirstVlan, kLastVlan), PageControls{.totalEdit = 0}), rows_(*this, LimitColumns())
{
    ui_->setupUi(this);
    pages_.SetQuery([this] { ReadMovedRange(); });
    rows_.QueryOnFill([this] { return ReadRange(); });
    // Equal values go by VLAN ID, in the direction of the sort.
    rows_.SetTieColumns({1});
    SetRecordList(rows_);
}

CVlanMacLimitListDlg::~CVlanMacLimitListDlg() = default;

void CVlanMacLimitListDlg::InitData()
{
    if (CheckRightOrClose(kRightVlanMacLimits, 'q') != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    highestLimit_ = HighestVlanMacLimit(CurrentEntityModels(), ne != nullptr ? ne->neModelId : 0);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsVlanMacLimits);
    EnableForRight(kModifyButtonId, kRightVlanMacLimits, 'm');
    pages_.Show();
    FillList();
}

RecordReply<VlanMacLimitRec> CVlanMacLimitListDlg::ReadRange()
{
    RecordReply<VlanMacLimitRec> range;
    const PageRows window = pages_.TakeWindow();
    for (uint32_t vlan = window.first; vlan < window.first + window.count; ++vlan)
        range.records.push_back({static_cast<uint16_t>(vlan), highestLimit_, kStateDisabled});
    // A failed request ends the reading; the VLANs read so far keep what the NE said.
    const CRecordRequests requests;
    for (VlanMacLimitRec& row : range.records) {
        const RecordReply<VlanMacLimitRec> reply =
            requests.Query(kReqVlanMacLimit, static_cast<uint32_t>(GetNeId()), VlanMacLimitRec{row.vlanId, 0, 0},
                           {.failureTextId = kStrFailToQuery});
        if (!reply.Ok())
            break;
        if (!reply.records.empty()) {
            row.macLimit = reply.records.front().macLimit;
            row.state = reply.records.front().state;
        }
    }
    return range;
}

void CVlanMacLimitListDlg::ReadMovedRange()
{
    // The rows stay while the NE is not there to read the range from.
    if (CheckTargetNe() == 0)
        RefillList();
}

void CVlanMacLimitListDlg::OnModifyRecord(uint32_t key)
{
    const VlanMacLimitRec* rec = rows_.Find(key);
    if (rec == nullptr)
        return;
    CVlanMacLimitDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessModify);
    dlg.SetVlanId(rec->vlanId);
    if (dlg.DoModal() == IDOK)
        rows_.Replace(key, dlg.GetLimit());
}

int CVlanMacLimitListDlg::OnCommandHook(int id, int code)
{
    if (pages_.OnCommand(id, code))
        return 1;
    return CRecordListDlg::OnCommandHook(id, code);
}

int CVlanMacLimitListDlg::OnNotifyHook(const NotifyHeader& header, int* result)
{
    // The spin moves the range the other way round from the paged lists of the server: up is toward VLAN 1. Like the
    // page buttons, it reads the range it moved to.
    if (header.idFrom == pages_.Controls().spin && header.code == UDN_DELTAPOS) {
        pages_.TakeWindow();
        pages_.Window().Spin(-header.delta);
        pages_.Show();
        ReadMovedRange();
        return 1;
    }
    return CRecordListDlg::OnNotifyHook(header, result);
}

void CVlanMacLimitListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                         COLORREF* backColor2, int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const VlanMacLimitRec* rec = rows_.Find(List().GetItemData(row));
    if (rec != nullptr && rec->state != kStateEnabled)
        *textColor = kGrey;
}
