#include "features/performance/port_selection/xdsl_port_sel_dlg.h"

#include "core/config/ini_readers.h"
#include "core/entity/entity_kind.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/dialogs/location_ne_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/shell/app/config_file_path.h"
#include "ui_xdsl_port_sel_dlg.h"

#include <QComboBox>

#include <array>

namespace {

constexpr int kXdslLinePorts = 9; // the entity kind of the xDSL line cards and their ports
constexpr int kAdslMenuClass = 12;
constexpr int kShdslMenuClass = 29;
constexpr int kFirstMode = 1;
constexpr int kLastMode = 7;
constexpr int kFirstLineTestMode = 5;

struct ModeDialogs {
    int right;
    const char* adsl;
    const char* shdsl; // null: no such function for SHDSL ports
};

constexpr std::array<ModeDialogs, kLastMode> kModes = {{
    {kRightCurrentPm, "CAdslCurrentPmDlg", "CShdslCurPmDlg"},
    {kRightHistoryPm, "CAdslHistoryPmDlg", "CShdslHisPmDlg"},
    {kRightRateStatus, "CAdslRateStatusDlg", "CShdslRateStatusDlg"},
    {kRightBitsAllocation, "CXdslBitsAllocationDlg", nullptr},
    {kRightLoopTests, "CXdslLoopMonitoringDlg", nullptr},
    {kRightLoopTests, "CXdslLoopDiagnosisDlg", nullptr},
    {kRightLoopTests, "CXdslSeltDlg", nullptr},
}};

} // namespace

CXdslPortSelDlg::CXdslPortSelDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslPortSelDlg>()),
      portCombos_(*this, {kShelfComboId, kSlotComboId, kPortComboId}, kXdslLinePorts, 0)
{
    ui_->setupUi(this);
}

CXdslPortSelDlg::~CXdslPortSelDlg() = default;

void CXdslPortSelDlg::ApplyOpenerFields(const DialogRequest& request)
{
    portSelMode_ = request.portSelMode;
}

std::string CXdslPortSelDlg::DialogForPort(int mode, int menuClass)
{
    if (mode < kFirstMode || mode > kLastMode)
        return {};
    const ModeDialogs& dialogs = kModes[static_cast<size_t>(mode - kFirstMode)];
    const char* name = menuClass == kAdslMenuClass    ? dialogs.adsl
                       : menuClass == kShdslMenuClass ? dialogs.shdsl
                                                      : nullptr;
    return name != nullptr ? name : "";
}

void CXdslPortSelDlg::InitData()
{
    if (portSelMode_ < kFirstMode || portSelMode_ > kLastMode) {
        EndDialog(IDCANCEL);
        return;
    }
    const int right = kModes[static_cast<size_t>(portSelMode_ - kFirstMode)].right;
    const int refused =
        portSelMode_ >= kFirstLineTestMode ? CheckRightOrClose(right, 'm') : CheckAccessRightOrClose(right);
    if (refused != 0)
        return;
    withSubLocations_ = ReadIniBool("DIALOG", "INCLSUBNE", true, CurrentConfigFilePath());
    auto* location = GetDlgItemAs<QComboBox>(kLocationComboId);
    FillLocationCombo(location, static_cast<uint32_t>(GetLocationId()), LocationChoice::kWalkStartOnly);
    FillNeCombo(GetDlgItemAs<QComboBox>(kNeComboId), SelectedComboValue(location), static_cast<uint32_t>(GetNeId()),
                withSubLocations_);
    UpdateData(false);
    // The shelf, slot and port of the target are chosen by their numbers, wherever the combos list them.
    const CEntityIndex target = GetTargetEntity().index;
    OnNeChanged(&target);
}

void CXdslPortSelDlg::OnLocationChanged()
{
    if (!UpdateDialogData())
        return;
    auto* ne = GetDlgItemAs<QComboBox>(kNeComboId);
    FillNeCombo(ne, SelectedComboValue(GetDlgItemAs<QComboBox>(kLocationComboId)), SelectedComboValue(ne),
                withSubLocations_);
    UpdateData(false);
    OnNeChanged();
}

void CXdslPortSelDlg::OnNeChanged(const CEntityIndex* wanted)
{
    if (!UpdateDialogData())
        return;
    EnableControl(IDOK, false);
    const auto* combo = GetDlgItemAs<QComboBox>(kNeComboId);
    if (combo->count() == 0)
        return;
    // Ports are offered of an NE that can answer for them.
    const CNeRecord* ne = FindNeById(SelectedComboValue(combo));
    if (ne == nullptr || ne->root == nullptr || !ne->root->IsConnected() || ne->root->GetPlanState() != 0)
        return;
    EnableControl(IDOK, true);
    portCombos_.Refill(ne, 2, wanted);
}

int CXdslPortSelDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE) {
        const CNeRecord* ne = FindNeById(SelectedComboValue(GetDlgItemAs<QComboBox>(kNeComboId)));
        switch (id) {
        case kLocationComboId:
            OnLocationChanged();
            return 1;
        case kNeComboId:
            OnNeChanged();
            return 1;
        case kShelfComboId:
            if (UpdateDialogData() && ne != nullptr)
                portCombos_.Refill(ne, 3);
            return 1;
        case kSlotComboId:
            if (ne != nullptr)
                portCombos_.Refill(ne, 4);
            return 1;
        case kPortComboId:
            if (UpdateDialogData())
                UpdateData(false);
            return 1;
        default:
            break;
        }
    }
    return CADialog::OnCommandHook(id, code);
}

void CXdslPortSelDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    const auto* neCombo = GetDlgItemAs<QComboBox>(kNeComboId);
    if (neCombo->currentIndex() < 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kNeComboId);
        return;
    }
    const uint32_t neId = SelectedComboValue(neCombo);
    const CNeRecord* ne = FindNeById(neId);
    if (ne == nullptr) {
        ShowAlertTextById(kStrUnknownNe, kNeComboId);
        return;
    }
    const CEntityIndex index = portCombos_.Chosen();
    CEntityId entity;
    entity.SetLevels(1, index.Shelf(), index.Slot(), index.Port(), 0);
    const CEntityNode* node = ne->root != nullptr ? ne->root->FindById(entity.id) : nullptr;
    // The port's own type, or where the NE told none (an NE may tell the types of its boards only), the one its line
    // card gives the port.
    const CEntityType* model = node != nullptr ? CurrentEntityModels().FindModel(node->GetModelId()) : nullptr;
    const std::string dialog = model != nullptr ? DialogForPort(portSelMode_, model->GetMenuClass()) : "";
    if (dialog.empty()) {
        ShowAlertTextById(kStrEntityTypeWrong, kSlotComboId);
        return;
    }
    DialogRequest request;
    request.className = dialog;
    request.hasTarget = true;
    request.neId = neId;
    request.hasEntity = true;
    request.entity = entity;
    OpenRouteDialog(request);
}
