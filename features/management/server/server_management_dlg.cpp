#include "features/management/server/server_management_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/util/names.h"
#include "features/management/common/server_combos.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_server_management_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {
constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
} // namespace

CServerManagementDlg::CServerManagementDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CServerManagementDlg>())
{
    ui_->setupUi(this);
}

CServerManagementDlg::~CServerManagementDlg() = default;

void CServerManagementDlg::InitData()
{
    if (CheckRightOrClose(kRightServerOptions, 'q') != 0)
        return;
    // The server's own settings: there are none in direct mode.
    if (EndWithoutServer(*this))
        return;
    EnableControl(IDOK, CheckUserRight(AppData().role, kRightServerOptions, 'm') != 0);
    AddPage(CSvrOptSnmpPage::kTemplateId, &snmpPage_, "SNMP");
    AddPage(CSvrOptLogExpirePage::kTemplateId, &logExpirePage_, "Log Expiration");
    AddPage(CSvrOptBackupPage::kTemplateId, &backupPage_, "Auto-Backup/Save");
    AddPage(CSvrOptMailPage::kTemplateId, &mailPage_, "Alarm Notification");
    AddPage(CSvrOptAutoSyncPage::kTemplateId, &autoSyncPage_, "NE Auto-sync");
    AddPage(CSvrOptNmsPage::kTemplateId, &nmsPage_, "North Bound");
    HidePage(&autoSyncPage_);
    // A failed read leaves the pages' defaults, which OK writes as they stand.
    if (!ReadServer())
        return;
    UpdatePageData(AllPages(), 0);
    autoSyncPage_.UpdateData(false); // its values show when the page is given its tab
    nmsPage_.ShowManagers();
}

bool CServerManagementDlg::ReadServer()
{
    const CPduLogHold hold;
    const CRecordRequests requests;
    const RecordReply<ServerOptionRecord> options =
        requests.Query<ServerOptionRecord>(kReqServerOption, 0, {.failureTextId = kStrFailToQuery});
    if (!options.Ok() || options.records.empty())
        return false;
    const RecordReply<ServerScheduleRecord> schedules =
        requests.Query<ServerScheduleRecord>(kReqServerSchedule, 0, {.failureTextId = kStrFailToQuery});
    if (!schedules.Ok() || schedules.records.empty())
        return false;
    ApplyServerOptions(options.records.front(), values_);
    ApplyServerSchedule(schedules.records.front(), values_.schedules);
    return true;
}

bool CServerManagementDlg::CheckNameText(CADialog& page, int id, const std::string& text)
{
    const auto bad = std::find_if_not(text.begin(), text.end(), IsValidNameChar);
    if (bad == text.end())
        return true;
    ShowPageAlertTextById(&page, kStrValidNameCharacters, id);
    if (auto* edit = page.GetDlgItemAs<QLineEdit>(id))
        edit->setSelection(QString::fromStdString(std::string(text.begin(), bad)).size(), 1);
    return false;
}

void CServerManagementDlg::OnOK()
{
    if (UpdatePageData(AllPages(), 1) == 0)
        return;
    if (!CheckNameText(mailPage_, CSvrOptMailPage::kSmtpServerId, values_.smtpServer) ||
        !CheckNameText(mailPage_, CSvrOptMailPage::kSenderId, values_.senderEmail) ||
        !CheckNameText(nmsPage_, CSvrOptNmsPage::kCommunityId, values_.community))
        return;
    if (ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
        return;
    const CPduLogHold hold;
    const CRecordRequests requests;
    if (!requests.Modify(kReqServerOption, 0, ServerOptionRecordOf(values_), {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    if (!requests
             .Modify(kReqServerSchedule, 0, ServerScheduleRecordOf(values_.schedules),
                     {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
