#pragma once
// The date and time pickers of the clock dialogs (an NE's, the management server's): the dates they offer
// (1970-01-02 .. 2037-12-31), their formats, and the workstation's local date and time they show, as seconds since
// 1970 (daylight saving as the C runtime decides it).

#include <cstdint>

class QDateEdit;
class QTimeEdit;

void SetUpClockPickers(QDateEdit& date, QTimeEdit& time);
uint32_t PickedSeconds(const QDateEdit& date, const QTimeEdit& time);
void ShowPickedSeconds(QDateEdit& date, QTimeEdit& time, uint32_t seconds);
