#include "features/provisioning/vlans/protocol_vlan_list_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/vlans/protocol_vlan_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_setting_dlg.h"
#include "features/provisioning/vlans/vlan_text.h"
#include "link/records/word_record.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_protocol_vlan_list_dlg.h"

#include <QLabel>

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kWhite = 0xFFFFFF;

// No. (with the entry's state), Ethernet Type, Name, VLAN ID: the texts compare without regard to case.
std::vector<ListColumn<ProtocolVlanRec>> EntryColumns()
{
    return {
        {.order = ListOrder::kArrival,
         .image = [](const ProtocolVlanRec& rec) { return rec.state == 1 ? kImageEnabled : kImageDisabled; }},
        {.value = [](const ProtocolVlanRec& rec) { return ListValue(EtherTypeText(rec.etherType).toStdString()); },
         .order = ListOrder::kNoCase},
        {.value = &ProtocolVlanRec::name, .order = ListOrder::kNoCase},
        {.value = [](const ProtocolVlanRec& rec) { return ListValue(std::to_string(rec.vlanId)); },
         .order = ListOrder::kNoCase},
    };
}

} // namespace

CProtocolVlanListDlg::CProtocolVlanListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_EDIT_LIST",
                      .rowCommands = {kRowModify, kRowDelete},
                      .activateCommand = kModifyButtonId,
                      .right = kRightProtocolVlans,
                      .dialogChecksRight = true,
                      .targetNeFirst = true,
                      .exportStem = "ProtocolVlan"},
                     parent),
      ui_(std::make_unique<Ui::CProtocolVlanListDlg>()),
      rows_(*this, EntryColumns(), [](const ProtocolVlanRec& rec) { return uint32_t{rec.etherType}; })
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqProtocolVlan, kStrFailToQuery);
    // Equal texts go by the rows' numbers, in the direction of the sort.
    rows_.SetTieColumns({0});
    SetRecordList(rows_);
}

CProtocolVlanListDlg::~CProtocolVlanListDlg() = default;

void CProtocolVlanListDlg::InitData()
{
    if (CheckRightOrClose(kRightProtocolVlans, 'q') != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    SetRowColorMode(kRowColorsByImage);
    SetRowColors({{kImageEnabled, kBlack, kWhite}, {kImageDisabled, kGrey, kWhite}});
    InitListColumnsById(kStrColumnsProtocolVlans);
    // The entries follow the NE-wide state; when that cannot be read, neither is asked for.
    if (ReadState())
        FillList();
}

bool CProtocolVlanListDlg::ReadState()
{
    if (CheckTargetNe() != 0)
        return false;
    const RecordReply<WordRecord> reply = CRecordRequests().Query<WordRecord>(
        kReqProtocolVlanState, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return false;
    if (auto* state = GetDlgItemAs<QLabel>(kStateId))
        state->setText(StateWord(!reply.records.empty() && reply.records.front().value == 1));
    return true;
}

void CProtocolVlanListDlg::ChangeState()
{
    const auto* state = GetDlgItemAs<QLabel>(kStateId);
    CProtocolVlanSettingDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessModify);
    dlg.SetEnabled(state != nullptr && state->text() == StateWord(true));
    if (dlg.DoModal() != IDOK)
        return;
    if (auto* shown = GetDlgItemAs<QLabel>(kStateId))
        shown->setText(StateWord(dlg.IsEnabled()));
}

void CProtocolVlanListDlg::OnModifyRecord(uint32_t etherType)
{
    CProtocolVlanDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessModify);
    dlg.SetEtherType(static_cast<uint16_t>(etherType));
    if (dlg.DoModal() == IDOK)
        rows_.Put(dlg.GetEntry());
}

void CProtocolVlanListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    CProtocolVlanDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return;
    // An entry of an Ethernet type the list has already takes its row; the selection stays as it was.
    rows_.Put(dlg.GetEntry());
    ScrollToItemData(dlg.GetEntry().etherType);
}

void CProtocolVlanListDlg::OnDeleteRecord(uint32_t etherType)
{
    if (!ConfirmDelete())
        return;
    ProtocolVlanRec key;
    key.etherType = static_cast<uint16_t>(etherType);
    if (CRecordRequests()
            .Delete(kReqProtocolVlan, static_cast<uint32_t>(GetNeId()), key, {.failureTextId = kStrFailToDelete})
            .Ok())
        rows_.Remove(etherType);
}

int CProtocolVlanListDlg::OnCommandHook(int id, int code)
{
    if (id == kChangeStateButtonId && code == BN_CLICKED) {
        ChangeState();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}

void CProtocolVlanListDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawListIconOnControl(dc, *this, kEnabledImageId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledImageId, kImageDisabled);
}
