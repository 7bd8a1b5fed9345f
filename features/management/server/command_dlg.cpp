#include "features/management/server/command_dlg.h"

#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/management/common/server_combos.h"
#include "link/record_requests.h"
#include "link/records/command_record.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_command_dlg.h"

#include <QComboBox>

namespace {

constexpr int kAdministrator = 0;

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
    if (EndWithoutServer(*this))
        return;
    LimitTextToField(kCommandId, kCommandRecordSize);
    FillScopeLocationCombo(GetDlgItemAs<QComboBox>(kLocationComboId), static_cast<uint32_t>(GetLocationId()));
    FillNeCombo(static_cast<uint32_t>(GetNeId()));
    ApplyNeState();
}

void CCommandDlg::FillNeCombo(uint32_t keepNeId)
{
    FillLocationNeCombo(GetDlgItemAs<QComboBox>(kNeComboId), ComboItemData(GetDlgItemAs<QComboBox>(kLocationComboId)),
                        false, keepNeId);
}

uint32_t CCommandDlg::ChosenNeId() const
{
    return ComboItemData(GetDlgItemAs<QComboBox>(kNeComboId));
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
