#include "features/provisioning/igmp/igmp_snoop_proxy_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/igmp_setting_rec.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_igmp_snoop_proxy_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kConfirm = 0x134;
constexpr uint32_t kMaxByteField = 255;

struct SpinField {
    int spin;
    int edit;
    uint32_t minimum;
    uint32_t maximum;
};
constexpr SpinField kSpinFields[] = {
    {CIgmpSnoopProxyDlg::kAgingSpinId, CIgmpSnoopProxyDlg::kAgingId, kMinIgmpAgingTime, kMaxIgmpAgingTime},
    {CIgmpSnoopProxyDlg::kSnoopingIntervalSpinId, CIgmpSnoopProxyDlg::kSnoopingIntervalId, kMinIgmpInterval,
     kMaxIgmpInterval},
    {CIgmpSnoopProxyDlg::kSnoopingRetriesSpinId, CIgmpSnoopProxyDlg::kSnoopingRetriesId, kMinIgmpRetries,
     kMaxIgmpRetries},
    {CIgmpSnoopProxyDlg::kProxyIntervalSpinId, CIgmpSnoopProxyDlg::kProxyIntervalId, kMinIgmpInterval,
     kMaxIgmpInterval},
    {CIgmpSnoopProxyDlg::kProxyRetriesSpinId, CIgmpSnoopProxyDlg::kProxyRetriesId, kMinIgmpRetries, kMaxIgmpRetries},
};

} // namespace

CIgmpSnoopProxyDlg::CIgmpSnoopProxyDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CIgmpSnoopProxyDlg>())
{
    ui_->setupUi(this);
}

CIgmpSnoopProxyDlg::~CIgmpSnoopProxyDlg() = default;

void CIgmpSnoopProxyDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kDisabledId, kSnoopingId, kProxyId}, values_.mode);
    // Leaving an edit pulls the aging time and the intervals into their ranges; the exchange holds each value to
    // its field alone (the retries are bytes, the rest 32 bits).
    DDX_TextInRange(dx, *this, kAgingId, values_.snoopingAgingTime, 0, UINT32_MAX);
    DDX_TextInRange(dx, *this, kSnoopingIntervalId, values_.snoopingInterval, 0, UINT32_MAX);
    DDX_TextInRange(dx, *this, kSnoopingRetriesId, values_.snoopingRetries, 0, kMaxByteField);
    DDX_Check(dx, kSnoopingLeaveId, values_.snoopingImmediateLeave);
    DDX_TextInRange(dx, *this, kProxyIntervalId, values_.proxyInterval, 0, UINT32_MAX);
    DDX_TextInRange(dx, *this, kProxyRetriesId, values_.proxyRetries, 0, kMaxByteField);
    DDX_Check(dx, kProxyLeaveId, values_.proxyImmediateLeave);
    DDX_Radio(dx, {kQueryV2Id, kQueryV2Id + 1, kQueryV2Id + 2}, values_.queryVersion);
    DDX_Radio(dx, {kReportV2Id, kReportV2Id + 1, kReportV2Id + 2}, values_.reportVersion);
}

void CIgmpSnoopProxyDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightIgmp) != 0 || CheckTargetNeOrClose() != 0)
        return;
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<IgmpSettingRec> reply = CRecordRequests().Query<IgmpSettingRec>(
        kReqIgmpSetting, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty())
        values_ = IgmpValuesOf(reply.records.front());
    loaded_ = values_;
    UpdateData(false);
}

void CIgmpSnoopProxyDlg::PullIntoRange(int id, uint32_t minimum, uint32_t maximum)
{
    auto* edit = GetDlgItemAs<QLineEdit>(id);
    if (edit == nullptr)
        return;
    const long long typed = edit->text().trimmed().toLongLong();
    const QString kept =
        QString::number(std::clamp<long long>(typed, static_cast<long long>(minimum), static_cast<long long>(maximum)));
    if (edit->text() != kept)
        edit->setText(kept);
}

int CIgmpSnoopProxyDlg::OnCommandHook(int id, int code)
{
    if (code != EN_KILLFOCUS)
        return 0;
    if (id == kAgingId)
        PullIntoRange(id, kMinIgmpAgingTime, kMaxIgmpAgingTime);
    else if (id == kSnoopingIntervalId || id == kProxyIntervalId)
        PullIntoRange(id, kMinIgmpInterval, kMaxIgmpInterval);
    else
        return 0;
    return 1;
}

bool CIgmpSnoopProxyDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        for (const SpinField& field : kSpinFields) {
            if (field.spin == header.idFrom) {
                StepNumberEdit(GetDlgItemAs<QLineEdit>(field.edit), header.delta, field.minimum, field.maximum);
                return true;
            }
        }
    }
    return CADialog::OnNotify(header, result);
}

void CIgmpSnoopProxyDlg::OnOK()
{
    if (!UpdateDialogData() || CheckTargetNe() != 0 || CheckRight(kRightIgmp, 'm') != 0)
        return;
    if (values_ == loaded_) {
        EndDialog(IDOK);
        return;
    }
    const uint32_t warning =
        values_.mode == kIgmpSnoopingChoice ? kStrIgmpSnoopingMayMalfunction : kStrSureToModifyData;
    if (ShowMessageById(warning, kConfirm) != IDYES)
        return;
    if (!CRecordRequests()
             .Modify(kReqIgmpSetting, static_cast<uint32_t>(GetNeId()), IgmpRecordOf(values_),
                     {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
