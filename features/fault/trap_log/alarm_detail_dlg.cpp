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
    // An alarm not yet cleared or acknowledged has no time to show, not 1970.
    SetFieldText(kClearTimeId, QString::fromStdString(FormatDateTime2(clearTime_)));
    SetFieldText(kAckTimeId, QString::fromStdString(FormatDateTime2(ackTime_)));
    SetFieldText(kAckPersonId, QString::fromStdString(ackPerson_));
}
