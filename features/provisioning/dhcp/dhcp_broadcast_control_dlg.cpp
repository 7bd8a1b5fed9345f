#include "features/provisioning/dhcp/dhcp_broadcast_control_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "link/record_requests.h"
#include "link/records/dhcp_broadcast_control_rec.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_dhcp_broadcast_control_dlg.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kMinRate = 1;
constexpr uint32_t kMaxRate = 100000;
constexpr uint32_t kLastAction = 3; // drop packet and send alarm
constexpr uint32_t kOn = 1;

} // namespace

CDhcpBroadcastControlDlg::CDhcpBroadcastControlDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CDhcpBroadcastControlDlg>())
{
    ui_->setupUi(this);
}

CDhcpBroadcastControlDlg::~CDhcpBroadcastControlDlg() = default;

void CDhcpBroadcastControlDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, stateIndex_);
    DDX_TextInRange(dx, *this, kRateId, rate_, kMinRate, kMaxRate);
    DDX_CBIndex(dx, kActionId, actionIndex_);
}

void CDhcpBroadcastControlDlg::InitData()
{
    if (CheckRightOrClose(kRightDhcp, 'q') != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    GetDlgItemAs<QLineEdit>(kRateId)->setMaxLength(6);
    const RecordReply<DhcpBroadcastControlRec> reply = CRecordRequests().Query<DhcpBroadcastControlRec>(
        kReqDhcpBroadcast, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    const bool read = reply.Ok() && !reply.records.empty();
    // Without the NE's values there is nothing to change.
    EnableControl(IDOK, read && CheckUserRight(AppData().role, kRightDhcp, 'm') != 0);
    if (read) {
        const DhcpBroadcastControlRec& rec = reply.records.front();
        stateIndex_ = rec.state == kOn ? 0 : 1;
        rate_ = rec.rateLimit;
        actionIndex_ = rec.action <= kLastAction ? static_cast<int>(rec.action) : 0;
    }
    UpdateData(false);
}

bool CDhcpBroadcastControlDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kRateSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kRateId), header.delta, kMinRate, kMaxRate);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CDhcpBroadcastControlDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    DhcpBroadcastControlRec rec;
    rec.state = stateIndex_ == 0 ? 1 : 0;
    rec.rateLimit = rate_;
    rec.action = actionIndex_ >= 0 ? static_cast<uint32_t>(actionIndex_) : 0;
    if (!CRecordRequests()
             .Modify(kReqDhcpBroadcast, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
