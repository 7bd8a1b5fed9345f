#pragma once
// What the alarm summary's Detail opens for its rows of alarms: in server mode the network's active alarms of the
// row's severity (CAlarmEventListDlg), in direct mode the active alarms of the NE with only that severity shown
// (CActiveAlarmDlg). The rows of NEs are the NE list's.

struct TrapSumDetailRequest;

void OpenAlarmSummaryDetail(const TrapSumDetailRequest& request);
