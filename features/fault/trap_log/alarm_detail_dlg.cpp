#include "features/fault/trap_log/alarm_detail_dlg.h"

#include "core/util/date_time_format.h"
#include "ui_alarm_detail_dlg.h"

CAlarmDetailDlg::CAlarmDetailDlg(QWidget* parent)
    : CAlarmDetailBaseDlg(kTemplateId, parent), ui_(std::make_unique<Ui::CAlarmDetailDlg>())
{
    ui_->setupUi(this);
}

CAlarmDetailDlg::~CAlarmDetailDlg() = default;

void CAlarmDetailDlg::ShowExtraFields()
{
    SetFieldText(kClearTimeId, QString::fromStdString(FormatDateTime(clearTime_)));
    SetFieldText(kAckTimeId, QString::fromStdString(FormatDateTime(ackTime_)));
    SetFieldText(kAckPersonId, QString::fromStdString(ackPerson_));
}
