// The windows of the long-term PM dialogs as they open and as OK takes them: a new item collects from the current hour
// to the same hour a day later; a start equal to the stop is taken, a start an hour after it refused on the message
// line; the dates run from 1970-01-02 to 2037-12-31.

#include "tests/features/performance/performance_test_support.h"
#include "tests/platform/qt_test_app.h"
#include "tests/ui/framework/framework_test_support.h"

#include "core/tables/access_rights.h"
#include "features/performance/long_term/xdsl_long_term_pm_add_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_interval_dlg.h"
#include "platform/scripted_runners.h"

#include <QDateEdit>
#include <QDateTime>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>

namespace {

using Add = CXdslLongTermPmAddDlg;
using Interval = CXdslLongTermPmIntervalDlg;

const QString kStartAfterStop = QStringLiteral("Start value shouldn't be greater than Stop value");

class LongTermWindowDlgTest : public perf_test::CNorth1DialogTest {};

QDate DateOf(CDialog& dialog, int id)
{
    return dialog.GetDlgItemAs<QDateEdit>(id)->date();
}

int HourOf(CDialog& dialog, int id)
{
    return dialog.GetDlgItemAs<QTimeEdit>(id)->time().hour();
}

TEST_F(LongTermWindowDlgTest, ANewItemCollectsFromTheCurrentHourForADay)
{
    Add add;
    Run(add, perf_test::kAdslPort, [&] {
        const QDateTime now = QDateTime::currentDateTime();
        EXPECT_EQ(DateOf(add, Add::kFromDateId), now.date());
        EXPECT_EQ(HourOf(add, Add::kFromHourId), now.time().hour());
        EXPECT_EQ(DateOf(add, Add::kToDateId), now.date().addDays(1));
        EXPECT_EQ(HourOf(add, Add::kToHourId), now.time().hour());
        for (const int id : {Add::kFromDateId, Add::kToDateId}) {
            EXPECT_EQ(add.GetDlgItemAs<QDateEdit>(id)->minimumDate(), QDate(1970, 1, 2)) << id;
            EXPECT_EQ(add.GetDlgItemAs<QDateEdit>(id)->maximumDate(), QDate(2037, 12, 31)) << id;
        }
    });
}

// The range of a query opens on the window it is given (the item's), date and hour on either side.
TEST_F(LongTermWindowDlgTest, AQueryRangeOpensOnTheWindowItIsGiven)
{
    Interval interval;
    const QDateTime start(QDate(2025, 11, 14), QTime(22, 0));
    const QDateTime stop(QDate(2026, 2, 3), QTime(5, 0));
    interval.SetRange(start.toSecsSinceEpoch(), stop.toSecsSinceEpoch());
    Run(interval, perf_test::kAdslPort, [&] {
        EXPECT_EQ(DateOf(interval, Interval::kFromDateId), QDate(2025, 11, 14));
        EXPECT_EQ(HourOf(interval, Interval::kFromHourId), 22);
        EXPECT_EQ(DateOf(interval, Interval::kToDateId), QDate(2026, 2, 3));
        EXPECT_EQ(HourOf(interval, Interval::kToHourId), 5);
    });
}

struct OrderCase {
    const char* name;
    bool interval; // the query's range, else a new item's window
    int fromHour;
    int toHour; // of the same day
    bool refused;
};

TEST_F(LongTermWindowDlgTest, AStartAfterTheStopIsRefused)
{
    const OrderCase cases[] = {
        {"item: start an hour before the stop", false, 5, 6, false}, {"item: start at the stop", false, 6, 6, false},
        {"item: start an hour after the stop", false, 7, 6, true},   {"range: start at the stop", true, 6, 6, false},
        {"range: start an hour after the stop", true, 7, 6, true},
    };
    const QDate day(2026, 3, 2);
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        Add add;
        Interval interval;
        const auto now = static_cast<int64_t>(std::time(nullptr));
        interval.SetRange(now, now);
        CADialog& dialog = c.interval ? static_cast<CADialog&>(interval) : add;
        Run(dialog, perf_test::kAdslPort, [&] {
            dialog.GetDlgItemAs<QDateEdit>(Add::kFromDateId)->setDate(day);
            dialog.GetDlgItemAs<QDateEdit>(Add::kToDateId)->setDate(day);
            dialog.GetDlgItemAs<QTimeEdit>(Add::kFromHourId)->setTime(QTime(c.fromHour, 0));
            dialog.GetDlgItemAs<QTimeEdit>(Add::kToHourId)->setTime(QTime(c.toHour, 0));
            dialog.ClearMessageLine();
            dialog.OnOK();
            EXPECT_EQ(dialog.GetMessageText() == kStartAfterStop, c.refused) << dialog.GetMessageText().toStdString();
        });
    }
}

} // namespace
