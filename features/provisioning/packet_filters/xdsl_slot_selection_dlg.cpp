#include "features/provisioning/packet_filters/xdsl_slot_selection_dlg.h"

#include "core/tables/ne_table.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_slot_selection_dlg.h"

#include <QComboBox>

namespace {

constexpr int kXdslLineCards = 9; // the entity kind of the xDSL line cards and their ports
constexpr int kExact = 1;

} // namespace

CXdslSlotSelectionDlg::CXdslSlotSelectionDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslSlotSelectionDlg>())
{
    ui_->setupUi(this);
}

CXdslSlotSelectionDlg::~CXdslSlotSelectionDlg() = default;

void CXdslSlotSelectionDlg::ReturnOpenerFields(DialogRequest& request) const
{
    request.chosenIndex = GetTargetEntity().index;
}

void CXdslSlotSelectionDlg::InitData()
{
    if (CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityIndex& current = GetTargetEntity().index;
    InitShelfCombo(ui_->shelfCombo, ne, &current, kXdslLineCards, kExact);
    InitSlotCombo(ui_->slotCombo, ne, &current, kXdslLineCards, kExact);
    if (ui_->shelfCombo->count() < 2) {
        ui_->shelfCombo->setCurrentIndex(0);
        EnableControl(kShelfId, false);
    }
    UpdateCaption(kCaptionNe | kCaptionLocation);
}

int CXdslSlotSelectionDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && id == kShelfId) {
        if (const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()))) {
            const CEntityIndex shelf = CEntityIndex::FromLevels(1, SelectedEntityNumber(ui_->shelfCombo),
                                                                SelectedEntityNumber(ui_->slotCombo));
            InitSlotCombo(ui_->slotCombo, ne, &shelf, kXdslLineCards, kExact);
        }
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

void CXdslSlotSelectionDlg::OnOK()
{
    const unsigned shelf = SelectedEntityNumber(ui_->shelfCombo);
    const unsigned slot = SelectedEntityNumber(ui_->slotCombo);
    if (shelf == 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kShelfId);
        return;
    }
    if (slot == 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kSlotId);
        return;
    }
    const CEntityIndex card = CEntityIndex::FromLevels(1, shelf, slot);
    const CEntityId chosen(&card);
    SetTarget(GetNeId(), &chosen);
    EndDialog(IDOK);
}
