#include "features/fault/active_alarms/alarm_ack_dlg.h"

#include "core/tables/app_data.h"
#include "core/util/date_time_format.h"
#include "link/record_requests.h"
#include "link/records/alarm_ack_rec.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_alarm_ack_dlg.h"

#include <QLineEdit>

#include <ctime>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No the default

} // namespace

CAlarmAckDlg::CAlarmAckDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAlarmAckDlg>())
{
    ui_->setupUi(this);
}

CAlarmAckDlg::~CAlarmAckDlg() = default;

void CAlarmAckDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kCurrentPersonId, currentPerson_);
    DDX_Text(dx, kCurrentTimeId, currentTime_);
    DDX_Text(dx, kNewPersonId, newPerson_);
    DDX_Text(dx, kNewTimeId, newTime_);
    DDX_Text(dx, kCommentId, comment_);
}

void CAlarmAckDlg::InitData()
{
    if (CheckTargetNeOrClose() != 0)
        return;
    if (auto* comment = GetDlgItemAs<QLineEdit>(kCommentId))
        comment->setMaxLength(kCommentMax);
    LimitTextToField(kCommentId, kAlarmAckCommentWidth);
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    newPerson_ = AppData().GetLoginUserName();
    newTime_ = QString::fromStdString(FormatDateTime(static_cast<uint32_t>(std::time(nullptr))));
    UpdateCaption(kCaptionNe | kCaptionEntity);
    UpdateData(false);

    AlarmAckRec key;
    key.entityId = GetTargetEntity().id;
    const RecordReply<AlarmAckRec> reply = CRecordRequests().Query<AlarmAckRec>(
        kReqAlarmAck, static_cast<uint32_t>(GetNeId()), key, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    for (const AlarmAckRec& rec : reply.records) {
        if (rec.entityId != key.entityId)
            continue;
        currentPerson_ = QString::fromStdString(rec.person);
        currentTime_ = QString::fromStdString(FormatDateTime(rec.ackTime));
        comment_ = rec.comment;
        UpdateData(false);
        break;
    }
}

void CAlarmAckDlg::OnOK()
{
    if (GetAccessMode() == kAccessQuery || !UpdateDialogData())
        return;
    if (ShowMessageById(kStrSureToAcknowledge, kConfirmFlags) != IDYES)
        return;
    AlarmAckRec rec;
    rec.entityId = GetTargetEntity().id;
    rec.person = newPerson_;
    rec.ackTime = ParseDateTimeText(newTime_.toStdString());
    rec.comment = comment_;
    const RecordReply<AlarmAckRec> reply = CRecordRequests().Modify(kReqAlarmAck, static_cast<uint32_t>(GetNeId()), rec,
                                                                    {.failureTextId = kStrFailToUpdateData});
    if (!reply.Ok())
        return;
    sentTime_ = rec.ackTime;
    EndDialog(IDOK);
}
