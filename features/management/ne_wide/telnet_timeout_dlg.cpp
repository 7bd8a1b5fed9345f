#include "features/management/ne_wide/telnet_timeout_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_telnet_timeout_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kConfirm = 0x134;

} // namespace

CTelnetTimeoutDlg::CTelnetTimeoutDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CTelnetTimeoutDlg>())
{
    ui_->setupUi(this);
}

CTelnetTimeoutDlg::~CTelnetTimeoutDlg() = default;

void CTelnetTimeoutDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kMinutesId, minutes_, kMinMinutes, kMaxMinutes);
}

void CTelnetTimeoutDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightTelnetTimeout) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<WordRecord> reply = CRecordRequests().Query<WordRecord>(
        kReqTelnetTimeout, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty())
        minutes_ = std::clamp(reply.records.front().value, kMinMinutes, kMaxMinutes);
    UpdateData(false);
}

int CTelnetTimeoutDlg::OnCommandHook(int id, int code)
{
    if (id == kMinutesId && code == EN_KILLFOCUS) {
        UpdateDialogData();
        return 1;
    }
    return 0;
}

bool CTelnetTimeoutDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kMinutesSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kMinutesId), header.delta, kMinMinutes, kMaxMinutes);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CTelnetTimeoutDlg::OnOK()
{
    // The time-out is the NE's to change: an operator who may only look does not.
    if (CheckTargetNe() != 0 || CheckRight(kRightTelnetTimeout, 'm') != 0)
        return;
    if (ShowMessageById(kStrSureToModifyData, kConfirm) != IDYES || !UpdateDialogData())
        return;
    if (!CRecordRequests()
             .Modify(kReqTelnetTimeout, static_cast<uint32_t>(GetNeId()), WordRecord{minutes_},
                     {.failureTextId = kStrFailToQuery})
             .Ok())
        return;
    EndDialog(IDOK);
}
