#include "features/performance/long_term/long_term_window.h"

#include "platform/dialog.h"

#include <QDateEdit>
#include <QDateTime>
#include <QTimeEdit>

QDate WindowFirstDate()
{
    return QDate(kWindowFirstYear, 1, 2);
}

QDate WindowLastDate()
{
    return QDate(2037, 12, 31);
}

int64_t WindowBound(const QDate& date, int hour)
{
    return QDateTime(date, QTime(hour, 0), Qt::LocalTime).toSecsSinceEpoch();
}

QDate WindowDate(int64_t bound)
{
    return QDateTime::fromSecsSinceEpoch(bound, Qt::LocalTime).date();
}

int WindowHour(int64_t bound)
{
    return QDateTime::fromSecsSinceEpoch(bound, Qt::LocalTime).time().hour();
}

void InitWindowPickers(CDialog& dialog, int fromDateId, int fromHourId, int toDateId, int toHourId, int64_t from,
                       int64_t to)
{
    for (int id : {fromDateId, toDateId}) {
        auto* date = dialog.GetDlgItemAs<QDateEdit>(id);
        date->setDateRange(WindowFirstDate(), WindowLastDate());
        date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        date->setDate(WindowDate(id == fromDateId ? from : to));
    }
    for (int id : {fromHourId, toHourId}) {
        auto* hour = dialog.GetDlgItemAs<QTimeEdit>(id);
        hour->setDisplayFormat(QStringLiteral("HH"));
        hour->setTime(QTime(WindowHour(id == fromHourId ? from : to), 0));
    }
}

int64_t PickedBound(const CDialog& dialog, int dateId, int hourId)
{
    return WindowBound(dialog.GetDlgItemAs<QDateEdit>(dateId)->date(),
                       dialog.GetDlgItemAs<QTimeEdit>(hourId)->time().hour());
}
