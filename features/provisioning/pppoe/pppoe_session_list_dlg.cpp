#include "features/provisioning/pppoe/pppoe_session_list_dlg.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/line_card_slots.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_pppoe_session_list_dlg.h"

#include <QComboBox>

#include <array>
#include <cstdio>

namespace {

constexpr int kAdslLineCardKind = 9;
// The model flag of NEs that do not tell sessions apart by VLAN.
constexpr uint8_t kModelWithoutVlanColumn = 0x08;

const CNeRecord* NeOf(const CADialog& dialog)
{
    return FindNeById(static_cast<uint32_t>(dialog.GetNeId()));
}

ListValue StateText(const PppoeSessionRec& rec)
{
    static constexpr std::array<uint32_t, 4> kStates{kStrPppoeIdle, kStrPppoeInit, kStrPppoeSession, kStrPppoePoll};
    return rec.state >= 1 && rec.state <= kStates.size() ? ListValue(LoadString(kStates[rec.state - 1]))
                                                         : ListValue(std::string());
}

ListValue SessionIdText(const PppoeSessionRec& rec)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(rec.sessionId));
    return std::string(text);
}

} // namespace

CPppoeSessionListDlg::CPppoeSessionListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "REFRESH_LIST",
                      .rowCommands = {},
                      .right = kRightPppoeSessions,
                      .targetNeFirst = true,
                      .exportStem = "xDslPppoeSession"},
                     parent),
      ui_(std::make_unique<Ui::CPppoeSessionListDlg>()),
      rows_(*this,
            {
                {.order = ListOrder::kArrival},
                {.value =
                     [this](const PppoeSessionRec& rec) {
                         return ListValue(FormatEntityLocationById(NeOf(*this), rec.portId));
                     },
                 .order = ListOrder::kText},
                {.value = &PppoeSessionRec::vpi, .order = ListOrder::kUnsigned},
                {.value = &PppoeSessionRec::vci, .order = ListOrder::kUnsigned},
                {.value = &PppoeSessionRec::vlanId, .order = ListOrder::kUnsigned},
                {.value = SessionIdText, .order = ListOrder::kUnsigned, .sortValue = &PppoeSessionRec::sessionId},
                {.value = [](const PppoeSessionRec& rec) { return ListValue(FormatMacAddress(rec.sourceMac)); },
                 .order = ListOrder::kText},
                {.value = StateText, .order = ListOrder::kNoCase},
            })
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        // Refresh has looked for the NE before the rows went, and the data load before it.
        listed_ = ChosenEntity();
        if (listed_ == 0)
            return RecordReply<PppoeSessionRec>{};
        PppoeSessionRec asked;
        asked.portId = listed_;
        return CRecordRequests().Query(kReqPppoeSession, static_cast<uint32_t>(GetNeId()), asked,
                                       {.failureTextId = kStrFailToQuery});
    });
    // The sessions of the entity listed, whatever else the NE reports.
    rows_.SetIntake(
        [this](PppoeSessionRec& rec) { return rec.portId == listed_ || GetParentEntityId(rec.portId) == listed_; });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CPppoeSessionListDlg::~CPppoeSessionListDlg() = default;

void CPppoeSessionListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightPppoeSessions) != 0 || CheckTargetNeOrClose() != 0)
        return;
    FillSlotCombo();
    FillPortCombo(GetTargetEntity().index.Port());
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsPppoeSessions);
    const CNeRecord* ne = NeOf(*this);
    const CEntityType* model = ne != nullptr ? FindEntityModel(ne->neModelId) : nullptr;
    if (model != nullptr && (model->GetFlags() & kModelWithoutVlanColumn) != 0)
        SetColumnHidden(kVlanColumn, true);
    FillList();
}

void CPppoeSessionListDlg::FillSlotCombo()
{
    auto* combo = GetDlgItemAs<QComboBox>(kSlotComboId);
    const CNeRecord* ne = NeOf(*this);
    if (combo == nullptr || ne == nullptr)
        return;
    combo->clear();
    const CEntityIndex& target = GetTargetEntity().index;
    const uint32_t targetSlot = target.GetLevel() >= 3 ? EntityIdFromIndexValue(target.Truncated(3)) : 0;
    for (uint32_t slot : LineCardSlotIds(CurrentEntityModels(), ne->neModelId)) {
        combo->addItem(QString::fromStdString(FormatEntityLocationById(ne, slot, true)), QVariant::fromValue(slot));
        if (slot == targetSlot)
            combo->setCurrentIndex(combo->count() - 1);
    }
}

void CPppoeSessionListDlg::FillPortCombo(unsigned port)
{
    auto* slotCombo = GetDlgItemAs<QComboBox>(kSlotComboId);
    auto* portCombo = GetDlgItemAs<QComboBox>(kPortComboId);
    if (slotCombo == nullptr || portCombo == nullptr)
        return;
    CEntityIndex slot = EntityIndexFromId(slotCombo->currentData().value<uint32_t>());
    if (slot.GetLevel() == 3 && port != 0)
        slot = CEntityIndex::FromLevels(1, slot.Shelf(), slot.Slot(), port);
    InitPortCombo(portCombo, NeOf(*this), &slot, kAdslLineCardKind, 0, LoadString(kStrAll).c_str());
}

uint32_t CPppoeSessionListDlg::ChosenEntity() const
{
    const auto* slotCombo = GetDlgItemAs<QComboBox>(kSlotComboId);
    if (slotCombo == nullptr || slotCombo->currentIndex() < 0)
        return 0;
    const uint32_t slot = slotCombo->currentData().value<uint32_t>();
    const unsigned port = SelectedEntityNumber(GetDlgItemAs<QComboBox>(kPortComboId));
    return slot + port;
}

int CPppoeSessionListDlg::OnCommandHook(int id, int code)
{
    if (id == kSlotComboId && code == CBN_SELCHANGE) {
        FillPortCombo(0);
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
