#include "features/fault/ne_alarm_io/ne_alarm_output_dlg.h"

#include "core/tables/access_rights.h"
#include "features/fault/ne_alarm_io/ne_alarm_contact_name.h"
#include "features/fault/ne_alarm_io/ne_alarm_contact_states.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_alarm_output_dlg.h"

#include <QLineEdit>

namespace {

constexpr int kChoiceEnabled = 0;
constexpr int kChoiceDisabled = 1;

} // namespace

CNeAlarmOutputDlg::CNeAlarmOutputDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeAlarmOutputDlg>())
{
    ui_->setupUi(this);
}

CNeAlarmOutputDlg::~CNeAlarmOutputDlg() = default;

void CNeAlarmOutputDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIndexId, index_);
    DDX_Text(dx, kNameId, name_);
    for (size_t bit = 0; bit < kSeverityBoxIds.size(); ++bit)
        DDX_Check(dx, kSeverityBoxIds[bit], severityChecks_[bit]);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, adminChoice_);
}

void CNeAlarmOutputDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeAlarmOutputs) != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    if (auto* name = GetDlgItemAs<QLineEdit>(kNameId))
        name->setMaxLength(kNameMax);
    LimitTextToField(kNameId, kNeAlarmOutputNameWidth);
    const uint32_t entityId = GetTargetEntity().id;
    const RecordReply<NeAlarmOutputRec> reply = CRecordRequests().Query<NeAlarmOutputRec>(
        kReqNeAlarmOutput, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    for (const NeAlarmOutputRec& output : reply.records) {
        if (output.entityId != entityId)
            continue;
        output_ = output;
        name_ = QString::fromStdString(output.name);
        for (size_t bit = 0; bit < kSeverityBoxIds.size(); ++bit)
            severityChecks_[bit] = (output.severityMask & (1U << bit)) != 0 ? 1 : 0;
        adminChoice_ = output.adminState == kAdminEnabled ? kChoiceEnabled : kChoiceDisabled;
        break;
    }
    UpdateData(false);
}

void CNeAlarmOutputDlg::OnOK()
{
    if (!UpdateDialogData() || !CheckContactName(*this, kNameId))
        return;
    NeAlarmOutputRec rec;
    rec.entityId = GetTargetEntity().id;
    rec.name = name_.toStdString();
    for (size_t bit = 0; bit < kSeverityBoxIds.size(); ++bit) {
        if (severityChecks_[bit] == 1)
            rec.severityMask = static_cast<uint16_t>(rec.severityMask | (1U << bit));
    }
    rec.adminState = adminChoice_ == kChoiceEnabled ? kAdminEnabled : kAdminDisabled;
    if (!CRecordRequests()
             .Modify(kReqNeAlarmOutput, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    output_ = rec;
    EndDialog(IDOK);
}
