#include "features/fault/alarm_summary/alarm_summary_detail.h"

#include "features/fault/active_alarms/active_alarm_dlg.h"
#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_summary/trap_sum_view.h"

void OpenAlarmSummaryDetail(const TrapSumDetailRequest& request)
{
    switch (request.dialogId) {
    case TrapSumDetailRequest::kAlarmEventList: {
        // The whole network: no NE, entity 0 with what lies below it.
        CAlarmEventListDlg list;
        const CEntityId network;
        list.SetTarget(0, &network);
        list.SetHandOver({.queryMode = kAlarmQueryActive,
                          .withSubEntities = true,
                          .severity = static_cast<uint32_t>(request.severity)});
        list.DoModal();
        break;
    }
    case TrapSumDetailRequest::kActiveAlarmList: {
        CActiveAlarmDlg list;
        const CEntityId ne(1u);
        list.SetTarget(static_cast<int>(request.neId), &ne);
        list.ShowOnlySeverity(request.severity);
        list.DoModal();
        break;
    }
    default:
        break;
    }
}
