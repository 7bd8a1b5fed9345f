#include "features/management/server/command_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "link/record_requests.h"
#include "link/records/command_record.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_command_dlg.h"

#include <QComboBox>
#include <QVariant>

namespace {

constexpr int kAdministrator = 0;

QVariant ItemData(uint32_t data)
{
    return QVariant::fromValue<quint32>(data);
}

uint32_t SelectedData(const QComboBox* combo)
{
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().value<quint32>() : 0;
}

} // namespace

CCommandDlg::CCommandDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CCommandDlg>())
{
    ui_->setupUi(this);
}

CCommandDlg::~CCommandDlg() = default;

void CCommandDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kCommandId, command_);
}

void CCommandDlg::InitData()
{
    if (CheckRoleOrClose(kAdministrator) != 0)
        return;
    // The server runs the command: there is none to ask in direct mode.
    if (AppSettings().directControl) {
        EndDialog(IDCANCEL);
        return;
    }
    LimitTextToField(kCommandId, kCommandRecordSize);
    FillLocationCombo();
    FillNeCombo(static_cast<uint32_t>(GetNeId()));
    ApplyNeState();
}

void CCommandDlg::FillLocationCombo()
{
    auto* combo = GetDlgItemAs<QComboBox>(kLocationComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    const CLocationNode& root = AppData().locations.Root();
    combo->addItem(QString::fromStdString(root.name), ItemData(root.id));
    for (const CLocationNode* node = CLocationTree::NextInWalk(&root); node != nullptr;
         node = CLocationTree::NextInWalk(node)) {
        if (node->inScope != 0)
            combo->addItem(QString::fromStdString(node->name), ItemData(node->id));
    }
    const int index = combo->findData(ItemData(static_cast<uint32_t>(GetLocationId())));
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

void CCommandDlg::FillNeCombo(uint32_t keepNeId)
{
    auto* combo = GetDlgItemAs<QComboBox>(kNeComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    const uint32_t locationId = SelectedData(GetDlgItemAs<QComboBox>(kLocationComboId));
    const bool withSubLocations = ReadIniBool("DIALOG", "INCLSUBNE", true, ConfigFilePath());
    for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (NeMatchesLocation(ne, FindLocation(ne->locationId), locationId, withSubLocations ? 1 : 0, 0) != 0)
            combo->addItem(QString::fromStdString(ne->name), ItemData(ne->neId));
    }
    const int index = combo->findData(ItemData(keepNeId));
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

uint32_t CCommandDlg::ChosenNeId() const
{
    return SelectedData(GetDlgItemAs<QComboBox>(kNeComboId));
}

void CCommandDlg::ApplyNeState()
{
    const auto* combo = GetDlgItemAs<QComboBox>(kNeComboId);
    const CNeRecord* ne = combo != nullptr && combo->count() > 0 ? FindNeById(ChosenNeId()) : nullptr;
    EnableControl(kSendButtonId,
                  ne != nullptr && IsNeConnected(*ne) && ne->root->GetPlanState() == kPlanStateAsPlanned);
}

int CCommandDlg::OnCommandHook(int id, int code)
{
    if (id == kLocationComboId && code == CBN_SELCHANGE) {
        FillNeCombo(ChosenNeId());
        ApplyNeState();
        return 1;
    }
    if (id == kNeComboId && code == CBN_SELCHANGE) {
        ApplyNeState();
        return 1;
    }
    if (id == kSendButtonId && code == BN_CLICKED) {
        Send();
        return 1;
    }
    return 0;
}

void CCommandDlg::Send()
{
    if (!IsControlEnabled(kSendButtonId) || !UpdateDialogData())
        return;
    const std::string command = command_.trimmed().toStdString();
    const uint32_t neId = ChosenNeId();
    if (command.empty() || neId == 0)
        return;
    if (!CRecordRequests()
             .Modify(kReqNeCommand, neId, CommandRecord{command}, {.failureTextId = kStrFailToSendCommand})
             .Ok())
        return;
    ShowInfoTextById(kStrCompleteSendingCommand);
}
