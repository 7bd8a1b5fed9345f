#include "features/fault/alarm_stats/alarm_stat_criteria_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/alarm_stats/alarm_stat_dlg.h"
#include "ui_alarm_stat_criteria_dlg.h"

CAlarmStatCriteriaDlg::CAlarmStatCriteriaDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAlarmStatCriteriaDlg>()), criteria_(*this)
{
    ui_->setupUi(this);
}

CAlarmStatCriteriaDlg::~CAlarmStatCriteriaDlg() = default;

void CAlarmStatCriteriaDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightHistoryAlarms) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (GetTargetEntity().id == 1) {
        const CEntityId none;
        SetTarget(GetNeId(), &none);
    }
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    SetControlText(*this, kNeTextId, QString::fromStdString(ne->name));
    criteria_.InitTimeRange(true, true);
    criteria_.InitSeverity();
    criteria_.FillScope(ne, GetTargetEntity().index);
}

int CAlarmStatCriteriaDlg::OnCommandHook(int id, int code)
{
    return criteria_.OnCommand(id, code) ? 1 : 0;
}

void CAlarmStatCriteriaDlg::OnOK()
{
    if (!UpdateDialogData() || criteria_.RefuseReversedRange())
        return;
    const QueryScope scope = ScopeOfChoice(criteria_.Choice());
    AlarmStatCriteria criteria;
    criteria.withSubEntities = scope.withSubEntities;
    criteria.severity = criteria_.Severity();
    criteria.fromTime = criteria_.UseFrom() ? criteria_.FromTime() : 0;
    criteria.toTime = criteria_.UseTo() ? criteria_.ToTime() : 0;
    CAlarmStatDlg stats(this);
    stats.SetTarget(GetNeId(), &scope.entity);
    stats.SetCriteria(criteria);
    stats.DoModal();
}
