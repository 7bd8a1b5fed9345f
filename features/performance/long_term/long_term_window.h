#pragma once
// The time bounds of the long-term PM dialogs: a date and an hour of the workstation's local time, minutes and
// seconds 0, as seconds since 1970, and back. The pickers take 1970-01-02 00:00 to 2037-12-31 23:59:59, so that every
// bound fits the records' signed 32-bit seconds.

#include <QDate>

#include <cstdint>

inline constexpr int kWindowFirstYear = 1970;
QDate WindowFirstDate();
QDate WindowLastDate();

// The bound of a date and hour (0..23) in local time.
int64_t WindowBound(const QDate& date, int hour);
// The date and hour of a bound in local time.
QDate WindowDate(int64_t bound);
int WindowHour(int64_t bound);

class CDialog;
// Sets up the date (yyyy/MM/dd) and hour (HH) pickers of a dialog and shows the bounds in them.
void InitWindowPickers(CDialog& dialog, int fromDateId, int fromHourId, int toDateId, int toHourId, int64_t from,
                       int64_t to);
// The bounds the pickers show.
int64_t PickedBound(const CDialog& dialog, int dateId, int hourId);
