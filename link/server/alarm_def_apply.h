// Apply rule of the alarm definitions of an NE (request 327).
#pragma once

#include "link/server/alarm_def_values.h"
#include "link/server/server_apply_context.h"

// Each record's severity, reporting and suppression mask become the received values of its (model, alarm index).
// Records naming an alarm index that no model has are skipped.
void ApplyAlarmDefs(CAlarmDefValues& values, const EmsMsg& msg);
