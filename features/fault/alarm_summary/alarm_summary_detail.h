#pragma once
// What the alarm summary's Detail opens: in server mode the network's active alarms of the row's severity
// (CAlarmEventListDlg), in direct mode the active alarms of the NE with only that severity shown (CActiveAlarmDlg),
// and for the NE rows the NE list with its connection state filter.

struct TrapSumDetailRequest;

void OpenAlarmSummaryDetail(const TrapSumDetailRequest& request);
