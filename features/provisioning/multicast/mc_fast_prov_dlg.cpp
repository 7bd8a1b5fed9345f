#include "features/provisioning/multicast/mc_fast_prov_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/multicast/mc_fast_prov_list_dlg.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/request_codes.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_mc_fast_prov_dlg.h"

#include <QComboBox>

namespace {

constexpr VcFieldIds kFields{CMcFastProvDlg::kVpiId,     CMcFastProvDlg::kVpiSpinId, CMcFastProvDlg::kVciId,
                             CMcFastProvDlg::kVciSpinId, CMcFastProvDlg::kVlanId,    CMcFastProvDlg::kVlanSpinId};
constexpr int kXdslLinePorts = 9; // the entity kind of the xDSL line cards and their ports

} // namespace

CMcFastProvDlg::CMcFastProvDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CMcFastProvDlg>())
{
    ui_->setupUi(this);
}

CMcFastProvDlg::~CMcFastProvDlg() = default;

void CMcFastProvDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeVcFields(dx, *this, kFields, fields_);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, stateIndex_);
}

void CMcFastProvDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightMcFastProvisioning) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    AddPage(CMcProfilePage::kTemplateId, &profile_, "Multicast Service Profile");
    AddPage(CMcChannelLimitPage::kTemplateId, &limit_, "Channel Limit");
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityIndex& target = GetTargetEntity().index;
    for (int id : {kShelfFromId, kShelfToId}) {
        auto* shelf = GetDlgItemAs<QComboBox>(id);
        InitShelfCombo(shelf, ne, &target, kXdslLinePorts, 0);
        HoldShelfComboOfSingleShelfNe(shelf, ne);
    }
    FillSlots(kShelfFromId, kSlotFromId);
    FillSlots(kShelfToId, kSlotToId);

    auto* type = GetDlgItemAs<QComboBox>(kTypeId);
    for (const CEntityType* model : McProvisionLineCardModels(CurrentEntityModels(), ne != nullptr ? ne->neModelId : 0))
        type->addItem(QString::fromStdString(model->GetName()), QVariant::fromValue<quint32>(model->GetId()));
    if (type->count() == 0) {
        ShowAlertTextById(kStrUnknownEntityType);
        EndDialog(IDCANCEL);
        return;
    }
    type->setCurrentIndex(0);

    const RecordReply<McServiceProfileRec> services = CRecordRequests().Query<McServiceProfileRec>(
        kReqMcServiceProfile, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    std::vector<std::string> names;
    for (const McServiceProfileRec& service : services.records)
        names.push_back(service.name);
    profile_.SetNames(names);
    if (!names.empty())
        profile_.Choose(names.front());
    UpdatePageData(AllPages(), 0);
    CheckRange();
}

void CMcFastProvDlg::FillSlots(int shelfComboId, int slotComboId)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    CEntityIndex at = GetTargetEntity().index;
    const unsigned shelf = SelectedEntityNumber(GetDlgItemAs<QComboBox>(shelfComboId));
    at = CEntityIndex::FromLevels(1, shelf, at.GetLevel() >= 3 ? at.Slot() : 0);
    InitSlotCombo(GetDlgItemAs<QComboBox>(slotComboId), ne, &at, kXdslLinePorts, 0);
}

McProvisionRange CMcFastProvDlg::ChosenRange() const
{
    return {SelectedEntityNumber(GetDlgItemAs<QComboBox>(kShelfFromId)),
            SelectedEntityNumber(GetDlgItemAs<QComboBox>(kShelfToId)),
            SelectedEntityNumber(GetDlgItemAs<QComboBox>(kSlotFromId)),
            SelectedEntityNumber(GetDlgItemAs<QComboBox>(kSlotToId))};
}

void CMcFastProvDlg::CheckRange()
{
    const McProvisionRange range = ChosenRange();
    const bool chosen = range.fromShelf != 0 && range.toShelf != 0 && range.fromSlot != 0 && range.toSlot != 0;
    const bool ordered =
        range.fromShelf < range.toShelf || (range.fromShelf == range.toShelf && range.fromSlot <= range.toSlot);
    EnableControls({kListId, kTypeId}, chosen && ordered);
}

int CMcFastProvDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kShelfFromId || id == kShelfToId || id == kSlotFromId || id == kSlotToId)) {
        if (id == kShelfFromId)
            FillSlots(kShelfFromId, kSlotFromId);
        else if (id == kShelfToId)
            FillSlots(kShelfToId, kSlotToId);
        CheckRange();
        return 1;
    }
    if (id == kListId && code == BN_CLICKED) {
        OpenList();
        return 1;
    }
    return CATabDialog::OnCommandHook(id, code);
}

bool CMcFastProvDlg::OnNotify(const NotifyHeader& header, int* result)
{
    return StepVcFieldSpin(*this, kFields, header) || CATabDialog::OnNotify(header, result);
}

void CMcFastProvDlg::OpenList()
{
    if (CheckTargetNe() != 0 || !UpdatePageData(AllPages(), 1))
        return;
    const McProvisionRange range = ChosenRange();
    for (const auto& [number, id] : {std::pair{range.fromShelf, kShelfFromId}, std::pair{range.toShelf, kShelfToId},
                                     std::pair{range.fromSlot, kSlotFromId}, std::pair{range.toSlot, kSlotToId}}) {
        if (number == 0) {
            ShowAlertTextById(kStrPleaseSelectOneItem, id);
            return;
        }
    }
    const auto* type = GetDlgItemAs<QComboBox>(kTypeId);
    if (type->currentIndex() < 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kTypeId);
        return;
    }
    const uint32_t modelId = type->currentData().value<quint32>();
    if (CurrentEntityModels().FindModel(modelId) == nullptr) {
        ShowAlertTextById(kStrUnknownEntityType, kTypeId);
        return;
    }
    const std::string profile = profile_.ChosenName();
    if (profile.empty()) {
        ShowPageAlertTextById(&profile_, kStrPleaseSelectOneItem, CMcProfilePage::kProfileId);
        return;
    }
    McChannelRec channel;
    channel.vpi = static_cast<uint8_t>(fields_.vpi);
    channel.vci = static_cast<uint16_t>(fields_.vci);
    channel.vlanId = static_cast<uint16_t>(fields_.vlan);
    channel.channelLimit = limit_.Limit();
    channel.profile = profile;
    channel.adminState = stateIndex_ == 0 ? kMcChannelEnabled : kMcChannelDisabled;
    CMcFastProvListDlg list(this);
    list.SetTarget(GetNeId(), nullptr);
    list.SetRun(CEntityIndex::FromLevels(1, range.fromShelf, range.fromSlot),
                CEntityIndex::FromLevels(1, range.toShelf, range.toSlot), modelId, channel);
    list.DoModal();
}
