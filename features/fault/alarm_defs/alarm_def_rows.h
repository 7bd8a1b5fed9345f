#pragma once
// The rows of the alarm definition list: one defined alarm of the selected entity model with its setting, and the
// column table that shows them (Name, Severity, Reporting, SuppressedBy, Description), coloured by severity.

#include "features/fault/alarm_defs/alarm_def_settings.h"
#include "ui/framework/lists/list_columns.h"

#include <cstdint>
#include <string>
#include <vector>

struct AlarmDefRow {
    uint32_t modelId = 0;
    uint8_t alarmIndex = 0;
    std::string name;
    std::string text;
    AlarmDefSetting setting;
};

// The list image of an alarm's severity: critical .. warning, any other value as info.
int AlarmSeverityImage(uint32_t severity);

// The names of the model's defined alarms whose bits the mask sets, in index order, joined by ",".
std::string SuppressingAlarmNames(uint32_t modelId, uint32_t mask);

// Severity sorts by gravity, the least grave first, and among equals the higher alarm first; the texts on their
// first 80 characters without regard to case.
std::vector<ListColumn<AlarmDefRow>> AlarmDefColumns();
