#include "features/provisioning/multicast/xdsl_mc_channel_list_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/multicast/mc_channel_columns.h"
#include "features/provisioning/multicast/xdsl_mc_channel_setting_dlg.h"
#include "features/provisioning/profiles/profile_kinds.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "features/provisioning/pvcs/pvc_oam_test.h"
#include "link/records/pvc_key_rec.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_mc_channel_list_dlg.h"

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr COLORREF kGreyText = 0x808080;
// The button only: the popup's entry stays on and asks for a selection itself.
constexpr RowCommand kRowOamTest{CXdslMcChannelListDlg::kOamTestId, 0};
// The profiles that the Profile List reports as changed.
constexpr uint16_t kProfilesChanged = 0x0A;
constexpr int kMcServiceTab = 2;

} // namespace

CXdslMcChannelListDlg::CXdslMcChannelListDlg(QWidget* parent)
    : CTickedRecordListDlg(kTemplateId,
                           {.popupName = "xDSL_MC_LIST",
                            .rowCommands = {kRowShow, kRowModify, kRowDelete, kRowOamTest},
                            .activateCommand = kShowButtonId,
                            .right = kRightMcChannels,
                            .dialogChecksRight = true,
                            .targetNeFirst = true,
                            .exportStem = "xDslMc"},
                           parent),
      ui_(std::make_unique<Ui::CXdslMcChannelListDlg>()),
      rows_(*this, McChannelColumns([this] { return FindNeById(static_cast<uint32_t>(GetNeId())); }))
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        return CRecordRequests().Query(kReqMcChannel, static_cast<uint32_t>(GetNeId()),
                                       PvcKeyRec{GetTargetEntity().id, 0, 0}, {.failureTextId = kStrFailToQuery});
    });
    // A channel of the target port, or of a port below it.
    rows_.SetIntake([this](McChannelRec& channel) {
        const CEntityId& target = GetTargetEntity();
        return channel.portId != 0 && (channel.portId == target.id || target.IsAncestorOf(channel.portId));
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CXdslMcChannelListDlg::~CXdslMcChannelListDlg() = default;

void CXdslMcChannelListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightMcChannels) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsMcChannels);
    EnableCheckBoxes();
    FillList();
    UpdateTickCommands();
}

std::optional<McChannelRec> CXdslMcChannelListDlg::RunSetting(uint8_t accessMode, const CEntityId& target)
{
    CXdslMcChannelSettingDlg dlg(this);
    dlg.SetTarget(GetNeId(), &target);
    dlg.SetAccessMode(accessMode);
    if (dlg.DoModal() != IDOK)
        return std::nullopt;
    return dlg.GetResult();
}

void CXdslMcChannelListDlg::OnShowRecord(uint32_t key)
{
    if (const McChannelRec* channel = rows_.Find(key))
        RunSetting(kAccessQuery, CEntityId(channel->portId));
}

void CXdslMcChannelListDlg::OnModifyRecord(uint32_t key)
{
    const McChannelRec* channel = rows_.Find(key);
    if (channel == nullptr)
        return;
    if (const std::optional<McChannelRec> written = RunSetting(kAccessModify, CEntityId(channel->portId)))
        rows_.Replace(key, *written);
}

void CXdslMcChannelListDlg::OnAddRecord(std::optional<uint32_t> selected)
{
    const McChannelRec* at = selected ? rows_.Find(*selected) : nullptr;
    const std::optional<McChannelRec> added =
        RunSetting(kAccessCreate, at != nullptr ? CEntityId(at->portId) : GetTargetEntity());
    if (!added)
        return;
    // A port has one channel: one that was replaced keeps its row. The row is brought into view; the selection stays
    // as it was.
    const CListControl list = List();
    for (int row = 0; list.IsValid() && row < list.GetItemCount(); ++row) {
        const uint32_t key = list.GetItemData(row);
        if (const McChannelRec* shown = rows_.Find(key); shown != nullptr && shown->portId == added->portId) {
            rows_.Replace(key, *added);
            ScrollToItemData(key);
            return;
        }
    }
    ScrollToItemData(rows_.Append(*added));
    UpdateTickCommands();
}

bool CXdslMcChannelListDlg::DeleteTickedRow(uint32_t key)
{
    const McChannelRec* channel = rows_.Find(key);
    if (channel == nullptr)
        return false;
    SelectRowByItemData(key);
    McChannelRec gone;
    gone.portId = channel->portId;
    gone.vpi = channel->vpi;
    gone.vci = channel->vci;
    if (!CRecordRequests()
             .Delete(kReqMcChannel, static_cast<uint32_t>(GetNeId()), gone, {.failureTextId = kStrFailToDelete})
             .Ok())
        return false;
    rows_.Remove(key);
    return true;
}

void CXdslMcChannelListDlg::OnDeleteRecord(uint32_t key)
{
    if (ShowMessageById(kStrSureToDeleteData, kConfirmFlags) != IDYES)
        return;
    DeleteTickedRow(key);
    UpdateTickCommands();
    UpdateRowCommands();
}

bool CXdslMcChannelListDlg::MayMultiDelete()
{
    return CheckTargetNe() == 0 && CheckRight(kRightMcChannels, 'd') == 0;
}

bool CXdslMcChannelListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    if (!CTickedRecordListDlg::IsRowCommandOn(command, selected))
        return false;
    if (command.button != kOamTestId)
        return true;
    const McChannelRec* channel = rows_.Find(*selected);
    return channel != nullptr && channel->adminState == kMcChannelEnabled;
}

void CXdslMcChannelListDlg::OpenOamTest(uint32_t key)
{
    const McChannelRec* channel = rows_.Find(key);
    if (channel != nullptr)
        OpenPvcOamTest(*this, kRightMcChannels, channel->portId, channel->vpi, channel->vci);
}

void CXdslMcChannelListDlg::OpenProfiles()
{
    CProfileListDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetTemplateMode(false);
    dlg.SetProfileGroup(kProfileGroupVlan);
    dlg.SetInitialTab(kMcServiceTab);
    dlg.DoModal();
    if ((dlg.GetChangeFlags() & kProfilesChanged) != 0) {
        RefillList();
        UpdateTickCommands();
    }
}

int CXdslMcChannelListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CTickedRecordListDlg::OnCommandHook(id, code);
    switch (id) {
    case kOamTestId:
    case kPopupOamTest:
        // The right comes before the row.
        if (CheckRight(kRightMcChannels, 'x') != 0)
            return 1;
        if (const std::optional<uint32_t> key = RequireSelectedItemData())
            OpenOamTest(*key);
        return 1;
    case kProfileId:
    case kPopupProfile:
        OpenProfiles();
        return 1;
    default:
        return CTickedRecordListDlg::OnCommandHook(id, code);
    }
}

void CXdslMcChannelListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                          COLORREF* backColor2, int listId)
{
    CTickedRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const McChannelRec* channel = rows_.Find(List().GetItemData(row));
    if (channel != nullptr && channel->adminState != kMcChannelEnabled)
        *textColor = kGreyText;
}

void CXdslMcChannelListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kEnabledLegendId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledLegendId, kImageDisabled);
}
