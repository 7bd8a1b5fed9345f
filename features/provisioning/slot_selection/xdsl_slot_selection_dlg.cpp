#include "features/provisioning/slot_selection/xdsl_slot_selection_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/ne_table.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_slot_selection_dlg.h"

#include <QComboBox>

namespace {

constexpr int kXdslLinePorts = 9; // the entity kind of the xDSL line cards and their ports
constexpr int kOwnDelegates = 1;  // only slots that are their own delegate

} // namespace

CXdslSlotSelectionDlg::CXdslSlotSelectionDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslSlotSelectionDlg>())
{
    ui_->setupUi(this);
}

CXdslSlotSelectionDlg::~CXdslSlotSelectionDlg() = default;

void CXdslSlotSelectionDlg::ReturnResultFields(DialogRequest& request) const
{
    request.chosenIndex = GetTargetEntity().index;
}

void CXdslSlotSelectionDlg::InitData()
{
    // The opening command has checked the operator's right.
    if (CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityIndex start = GetTargetEntity().index;
    InitShelfCombo(ui_->shelfCombo, ne, &start, kXdslLinePorts, kOwnDelegates);
    FillSlots(&start);
    HoldShelfComboOfSingleShelfNe(ui_->shelfCombo, ne);
    UpdateCaption(kCaptionNe | kCaptionLocation);
}

void CXdslSlotSelectionDlg::FillSlots(const CEntityIndex* wanted)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr)
        return;
    const unsigned shelf = SelectedEntityNumber(ui_->shelfCombo);
    const unsigned slot = wanted != nullptr ? wanted->Slot() : SelectedEntityNumber(ui_->slotCombo);
    const CEntityIndex current = CEntityIndex::FromLevels(1, shelf != 0 ? shelf : 1, slot);
    InitSlotCombo(ui_->slotCombo, ne, &current, kXdslLinePorts, kOwnDelegates);
}

int CXdslSlotSelectionDlg::OnCommandHook(int id, int code)
{
    if (id == kShelfComboId && code == CBN_SELCHANGE) {
        FillSlots(nullptr);
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

void CXdslSlotSelectionDlg::OnOK()
{
    if (ui_->shelfCombo->currentIndex() < 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kShelfComboId);
        return;
    }
    if (ui_->slotCombo->currentIndex() < 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kSlotComboId);
        return;
    }
    CEntityId slot;
    slot.SetLevels(1, SelectedEntityNumber(ui_->shelfCombo), SelectedEntityNumber(ui_->slotCombo), 0, 0);
    SetTarget(GetNeId(), &slot);
    EndDialog(IDOK);
}
