#include "features/provisioning/boards/board_setting_dlg.h"

#include "core/entity/entity_index.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "features/provisioning/pvcs/pvc_conflict_report.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "link/record_requests.h"
#include "link/records/service_type_check_rec.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_board_setting_dlg.h"

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134;
constexpr int kErrorBox = static_cast<int>(0x80000000u);
constexpr uint8_t kMenuClassXdsl = 9;
constexpr uint8_t kMenuClassTagged = 28;
// The state bit of the shelf's first control module under which only encapsulation and service-type changes reset a
// line card.
constexpr uint32_t kEncapsulationResetsOnly = 0x8;
constexpr uint16_t kRunTimeEnabled = 1;
constexpr uint16_t kRunTimeDisabled = 2;

uint32_t FromIndex(int index)
{
    return index == 0 ? 1 : 0;
}

} // namespace

CBoardSettingDlg::CBoardSettingDlg(QWidget* parent)
    : CBoardDlgBase(kTemplateId, parent), ui_(std::make_unique<Ui::CBoardSettingDlg>())
{
    ui_->setupUi(this);
}

CBoardSettingDlg::~CBoardSettingDlg() = default;

void CBoardSettingDlg::DoDataExchange(CDataExchange& dx)
{
    CBoardDlgBase::DoDataExchange(dx);
    DDX_Radio(dx, {kLlcId, kVcMuxId}, aal5Index_);
    DDX_Radio(dx, {kTagPassEnabledId, kTagPassDisabledId}, tagPassIndex_);
    DDX_Radio(dx, {kServiceControlEnabledId, kServiceControlDisabledId}, serviceControlIndex_);
    DDX_Radio(dx, {kTaggedOnlyId, kUntaggedOnlyId}, taggedIndex_);
    DDX_Text(dx, kRunTimeTagPassId, runTimeTagPass_);
    DDX_Text(dx, kRunTimeTaggedId, runTimeTagged_);
}

void CBoardSettingDlg::InitData()
{
    if (!LoadBoard())
        return;
    aal5Index_ = RadioIndex(record_.aal5Encapsulation);
    tagPassIndex_ = RadioIndex(record_.vlanTagPassThrough);
    serviceControlIndex_ = RadioIndex(record_.serviceTypeControl);
    taggedIndex_ = RadioIndex(record_.taggedMode);
    runTimeTagPass_ = LoadQString(record_.runtimeVlanTagPassThrough == kRunTimeEnabled    ? kStrStateEnabled
                                  : record_.runtimeVlanTagPassThrough == kRunTimeDisabled ? kStrStateDisabled
                                                                                          : kStrSfpUnknown);
    runTimeTagged_ = LoadQString(record_.runtimeTaggedMode == 1 ? kStrTaggedOnly : kStrUntaggedOnly);
    loaded_ = Chosen();
    UpdateData(false);
    ApplyTypeRule();
}

BoardSettings CBoardSettingDlg::Chosen() const
{
    return {FromIndex(aal5Index_), FromIndex(tagPassIndex_), FromIndex(serviceControlIndex_),
            taggedIndex_ == 0 ? 1u : 2u};
}

void CBoardSettingDlg::ApplyTypeRule()
{
    EnableControls({kLlcId, kVcMuxId, kTagPassEnabledId, kTagPassDisabledId, kServiceControlEnabledId,
                    kServiceControlDisabledId, kTaggedOnlyId, kUntaggedOnlyId},
                   false);
    const CEntityType* model = FindEntityModel(ChosenPlannedType());
    if (model == nullptr)
        return;
    if (model->GetMenuClass() == kMenuClassXdsl)
        EnableControls({kLlcId, kVcMuxId, kTagPassEnabledId, kTagPassDisabledId, kServiceControlEnabledId,
                        kServiceControlDisabledId, kTaggedOnlyId, kUntaggedOnlyId});
    else if (model->GetMenuClass() == kMenuClassTagged)
        EnableControls({kTagPassEnabledId, kTagPassDisabledId, kTaggedOnlyId, kUntaggedOnlyId});
}

int CBoardSettingDlg::OnCommandHook(int id, int code)
{
    if (id == kPlannedTypeId && code == CBN_SELCHANGE) {
        ApplyTypeRule();
        return 1;
    }
    return CBoardDlgBase::OnCommandHook(id, code);
}

bool CBoardSettingDlg::CheckServiceTypes(bool serviceControl, std::optional<CPduLogHold>& hold)
{
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    ServiceTypeCheckRec check;
    check.slot = static_cast<uint16_t>(GetTargetEntity().index.Slot());
    if (!requests.Modify(kReqServiceTypeCheck, neId, check, {.failureTextId = kStrFailToUpdateData}).Ok())
        return false;
    // The PDU log window holds its display from the reading of the check to the end of OK.
    hold.emplace();
    const RecordReply<ServiceTypeCheckRec> reply =
        requests.Query(kReqServiceTypeCheck, neId, ServiceTypeCheckRec{}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return false;
    // Without service-type control the card's PVCs keep what they are.
    if (!serviceControl)
        return true;
    const PvcCheckResultRec& result = reply.records.front().result;
    if ((result.errorMask & pvc_rule::Bit(pvc_rule::kCardIpAmount)) != 0) {
        ShowMessageById(kStrPvcCardIpAmount, kErrorBox);
        return false;
    }
    const std::optional<std::string> report = BuildServiceTypeConflictReport(neId, result);
    if (!report)
        return true;
    ShowAppMessage(QString::fromStdString(*report), kErrorBox);
    return false;
}

void CBoardSettingDlg::OnOK()
{
    const uint32_t planned = StartOk();
    if (planned == 0)
        return;
    const CNeRecord* ne = Ne();
    CEntityNode* slot = ne != nullptr && ne->root != nullptr ? ne->root->FindById(record_.entityId) : nullptr;
    if (slot == nullptr) {
        ShowAlertTextById(kStrInternalError);
        return;
    }
    const BoardSettings chosen = Chosen();
    std::optional<CPduLogHold> hold;
    if (!CheckServiceTypes(chosen.serviceTypeControl == 1, hold))
        return;
    // The board as the NE has it now carries the fields the dialog does not set.
    const RecordReply<BoardSettingRec> boards = CRecordRequests().Query<BoardSettingRec>(
        kReqBoardSetting, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (!boards.Ok()) {
        EndDialog(IDCANCEL);
        return;
    }
    const auto now = std::find_if(boards.records.begin(), boards.records.end(),
                                  [this](const BoardSettingRec& board) { return board.entityId == record_.entityId; });
    if (now != boards.records.end())
        record_ = *now;
    const CEntityNode* control = ne->root->FindChild(CwmModuleIndex(1, ne->neModelId));
    const bool encapsulationOnly = control != nullptr && (control->stateBits & kEncapsulationResetsOnly) != 0;
    const uint32_t question = BoardChangeConfirmation(loaded_, chosen, slot->IsConnected(), encapsulationOnly);
    if (question != 0 && ShowMessageById(question, kConfirmFlags) != IDYES)
        return;
    BoardSettingRec board = record_;
    board.plannedType = planned;
    board.aal5Encapsulation = chosen.aal5Encapsulation;
    board.vlanTagPassThrough = chosen.vlanTagPassThrough;
    board.serviceTypeControl = chosen.serviceTypeControl;
    board.taggedMode = chosen.taggedMode;
    if (WriteBoard(board))
        EndDialog(IDOK);
}
