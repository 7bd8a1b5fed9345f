#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/profiles/profile_kinds.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/pvcs/pvc_delete.h"
#include "features/provisioning/pvcs/pvc_oam_test.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "features/provisioning/pvcs/vc_vlan_columns.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"
#include "features/provisioning/source_macs/xdsl_vc_vlan_acl_list_dlg.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_vc_vlan_list_dlg.h"

namespace {

constexpr int kConfirmFlags = 0x134;
constexpr int kErrorBox = static_cast<int>(0x80000000u);
constexpr COLORREF kGreyText = 0x808080;
constexpr uint32_t kServiceTypeControlOn = 1;
constexpr RowCommand kRowAcl{CXdslVcVlanListDlg::kAclId, CXdslVcVlanListDlg::kPopupAcl};
constexpr RowCommand kRowOamTest{CXdslVcVlanListDlg::kOamTestId, CXdslVcVlanListDlg::kPopupOamTest};

bool SameKey(const PvcRec& a, const PvcRec& b)
{
    return a.portId == b.portId && a.vpi == b.vpi && a.vci == b.vci;
}

} // namespace

CXdslVcVlanListDlg::CXdslVcVlanListDlg(QWidget* parent)
    : CTickedRecordListDlg(kTemplateId,
                           {.popupName = "xDSL_EoA_LIST",
                            .rowCommands = {kRowShow, kRowModify, kRowDelete, kRowAcl, kRowOamTest},
                            .activateCommand = kShowButtonId,
                            .right = kRightVlanMembership,
                            .exportStem = "xDslVcVlan"},
                           parent),
      ui_(std::make_unique<Ui::CXdslVcVlanListDlg>()),
      rows_(*this, VcVlanColumns([this] { return FindNeById(static_cast<uint32_t>(GetNeId())); },
                                 [this](uint32_t portId) { return ServiceControlOf(portId); }))
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] { return QueryPvcs(); });
    // A PVC of the target, or of a port below it.
    rows_.SetIntake([this](PvcRec& pvc) {
        const CEntityId& target = GetTargetEntity();
        return pvc.portId == target.id || target.IsAncestorOf(pvc.portId);
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CXdslVcVlanListDlg::~CXdslVcVlanListDlg() = default;

void CXdslVcVlanListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightVlanMembership) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsVcVlans);
    EnableCheckBoxes();
    FillList();
    UpdateTickCommands();
}

RecordReply<PvcRec> CXdslVcVlanListDlg::QueryPvcs()
{
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    boards_.clear();
    const RecordReply<BoardSettingRec> boards =
        requests.Query<BoardSettingRec>(kReqBoardSetting, neId, {.failureTextId = kStrFailToQuery});
    for (const BoardSettingRec& board : boards.records)
        boards_[board.entityId] = board;
    PvcRec asked;
    asked.portId = GetTargetEntity().id;
    return requests.Query(kReqPvc, neId, asked, {.failureTextId = kStrFailToQuery});
}

bool CXdslVcVlanListDlg::ServiceControlOf(uint32_t portId) const
{
    const auto board = boards_.find(GetParentEntityId(portId));
    return board != boards_.end() && board->second.serviceTypeControl == kServiceTypeControlOn;
}

std::vector<PvcRec> CXdslVcVlanListDlg::ShownPvcs() const
{
    std::vector<PvcRec> shown;
    const CListControl list = List();
    for (int row = 0; list.IsValid() && row < list.GetItemCount(); ++row) {
        if (const PvcRec* pvc = rows_.Find(list.GetItemData(row)))
            shown.push_back(*pvc);
    }
    return shown;
}

std::optional<PvcRec> CXdslVcVlanListDlg::RunSetting(uint8_t accessMode, const PvcRec& pvc, const CEntityId& target)
{
    CXdslVcVlanSettingDlg dlg(this);
    dlg.SetTarget(GetNeId(), &target);
    dlg.SetAccessMode(accessMode);
    dlg.SetPvcKey(pvc.vpi, pvc.vci);
    if (dlg.DoModal() != IDOK)
        return std::nullopt;
    return dlg.GetResult();
}

void CXdslVcVlanListDlg::OnShowRecord(uint32_t key)
{
    if (const PvcRec* pvc = rows_.Find(key))
        RunSetting(kAccessQuery, *pvc, CEntityId(pvc->portId));
}

void CXdslVcVlanListDlg::OnModifyRecord(uint32_t key)
{
    const PvcRec* pvc = rows_.Find(key);
    if (pvc == nullptr)
        return;
    if (const std::optional<PvcRec> written = RunSetting(kAccessModify, *pvc, CEntityId(pvc->portId)))
        rows_.Replace(key, *written);
}

void CXdslVcVlanListDlg::OnAddRecord(std::optional<uint32_t> selected)
{
    const PvcRec* at = selected ? rows_.Find(*selected) : nullptr;
    const CEntityId target = at != nullptr ? CEntityId(at->portId) : GetTargetEntity();
    const std::optional<PvcRec> added = RunSetting(kAccessCreate, PvcRec{}, target);
    if (!added)
        return;
    const CListControl list = List();
    for (int row = 0; list.IsValid() && row < list.GetItemCount(); ++row) {
        const uint32_t key = list.GetItemData(row);
        const PvcRec* shown = rows_.Find(key);
        if (shown != nullptr && SameKey(*shown, *added)) {
            rows_.Replace(key, *added);
            ScrollToItemData(key);
            return;
        }
    }
    // The new row is brought into view; the selection stays where the operator left it.
    ScrollToItemData(rows_.Append(*added));
    UpdateTickCommands();
}

bool CXdslVcVlanListDlg::DeleteOne(uint32_t key, bool confirm)
{
    const PvcRec* pvc = rows_.Find(key);
    if (pvc == nullptr)
        return false;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const PvcDeletionCheck check = CheckPvcDeletion(neId, *pvc);
    switch (check.verdict) {
    case PvcDeletionVerdict::kRefused:
        SelectRowByItemData(key);
        ShowAlertTextById(check.messageId, kListControlId);
        return false;
    case PvcDeletionVerdict::kBoardsFailed:
        EndDialog(IDCANCEL);
        return false;
    case PvcDeletionVerdict::kQueryFailed:
        return false;
    case PvcDeletionVerdict::kMayDelete:
        break;
    }
    if (confirm && ShowMessageById(check.hasStaticIps ? kStrSureToDeletePvcWithIpBase : kStrSureToDeleteData,
                                   kConfirmFlags) != IDYES)
        return false;
    SelectRowByItemData(key);
    const PvcDeletion deletion = DeletePvc(neId, *pvc);
    if (!deletion.deleted) {
        if (deletion.messageId != 0)
            ShowMessageById(deletion.messageId, kErrorBox);
        return false;
    }
    rows_.Remove(key);
    return true;
}

void CXdslVcVlanListDlg::OnDeleteRecord(uint32_t key)
{
    if (DeleteOne(key, true)) {
        UpdateTickCommands();
        // A PVC deleted by itself leaves Multi-Delete off until a box is ticked again.
        EnableControl(kMultiDeleteId, false);
    }
    UpdateRowCommands();
}

bool CXdslVcVlanListDlg::MayMultiDelete()
{
    return CheckRight(kRightVlanMembership, 'd') == 0;
}

bool CXdslVcVlanListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    if (!CTickedRecordListDlg::IsRowCommandOn(command, selected))
        return false;
    if (command.button != kOamTestId)
        return true;
    const PvcRec* pvc = rows_.Find(*selected);
    return pvc != nullptr && pvc->operState == kPvcOperUp;
}

void CXdslVcVlanListDlg::OpenAcl(uint32_t key)
{
    const PvcRec* pvc = rows_.Find(key);
    if (pvc == nullptr)
        return;
    CXdslVcVlanAclListDlg dlg(this);
    const CEntityId port(pvc->portId);
    dlg.SetTarget(GetNeId(), &port);
    dlg.SetPvcKey(pvc->vpi, pvc->vci);
    dlg.DoModal();
}

void CXdslVcVlanListDlg::OpenOamTest(uint32_t key)
{
    const PvcRec* pvc = rows_.Find(key);
    if (pvc != nullptr)
        OpenPvcOamTest(*this, kRightVlanMembership, pvc->portId, pvc->vpi, pvc->vci);
}

int CXdslVcVlanListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CTickedRecordListDlg::OnCommandHook(id, code);
    switch (id) {
    case kAclId:
    case kPopupAcl:
        if (const std::optional<uint32_t> key = RequireSelectedItemData())
            OpenAcl(*key);
        return 1;
    case kOamTestId:
    case kPopupOamTest:
        if (const std::optional<uint32_t> key = RequireSelectedItemData())
            OpenOamTest(*key);
        return 1;
    case kProfileId:
    case kPopupProfile: {
        CProfileListDlg dlg(this);
        dlg.SetTarget(GetNeId(), nullptr);
        dlg.SetTemplateMode(false);
        dlg.SetProfileGroup(kProfileGroupVlan);
        dlg.DoModal();
        return 1;
    }
    case kNextHopListId:
    case kPopupNextHopList: {
        DialogRequest request;
        request.className = "CIpoaNextHopListDlg";
        request.hasTarget = true;
        request.neId = static_cast<uint32_t>(GetNeId());
        OpenRouteDialog(request);
        return 1;
    }
    default:
        return CTickedRecordListDlg::OnCommandHook(id, code);
    }
}

void CXdslVcVlanListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                       COLORREF* backColor2, int listId)
{
    CTickedRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const PvcRec* pvc = rows_.Find(List().GetItemData(row));
    if (pvc != nullptr && pvc->enableState != kPvcEnabled)
        *textColor = kGreyText;
}

void CXdslVcVlanListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kEnabledLegendId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledLegendId, kImageDisabled);
    DrawListIconOnControl(dc, *this, kUpLegendId, kImageLinkUp);
    DrawListIconOnControl(dc, *this, kDownLegendId, kImageLinkDown);
}
