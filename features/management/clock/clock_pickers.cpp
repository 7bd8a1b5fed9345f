#include "features/management/clock/clock_pickers.h"

#include "features/management/clock/ne_time_rules.h"

#include <QDateEdit>
#include <QTimeEdit>

void SetUpClockPickers(QDateEdit& date, QTimeEdit& time)
{
    date.setDateRange(QDate(1970, 1, 2), QDate(2037, 12, 31));
    date.setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    time.setDisplayFormat(QStringLiteral("HH:mm:ss"));
}

uint32_t PickedSeconds(const QDateEdit& date, const QTimeEdit& time)
{
    const QDate day = date.date();
    const QTime clock = time.time();
    return SecondsOfLocal({day.year(), day.month(), day.day(), clock.hour(), clock.minute(), clock.second()});
}

void ShowPickedSeconds(QDateEdit& date, QTimeEdit& time, uint32_t seconds)
{
    const LocalDateTime local = LocalOfSeconds(seconds);
    date.setDate(QDate(local.year, local.month, local.day));
    time.setTime(QTime(local.hour, local.minute, local.second));
}
