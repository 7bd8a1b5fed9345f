// The interval lists' sort across a year end, where the creation time's text ("%m-%d %H:%M") and the time part: the
// ADSL and SHDSL history PM sort as they show (01-01 before 12-31, the cells and their rate as text), the long-term
// PM and the history graph's side order by the time itself.

#include "features/performance/pm/pm_interval_columns.h"
#include "features/performance/pm/pm_interval_rows.h"
#include "features/performance/pm/shdsl_his_pm_dlg.h"

#include "core/list/list_order.h"
#include "core/util/date_time_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const uint32_t kNewYearsEve = ParseDateTimeText("2025-12-31 23:45:00");
const uint32_t kNewYear = ParseDateTimeText("2026-01-01 00:00:00");

// -1, 0 or 1 as row a sorts before, with or after row b by the column, ascending and before any tie rule.
template <class Row> int Compare(const ListColumn<Row>& column, const Row& a, const Row& b)
{
    const auto sorted = [&](const Row& row) { return column.sortValue ? column.sortValue(row) : column.value(row); };
    return CompareListRows(column.order, ListTies::kNone, false, {sorted(a), 1, 1}, {sorted(b), 2, 2});
}

// Two CO intervals, the old year's last and the new year's first, their ESs equal and their Tx cells apart.
std::vector<PmIntervalRow> YearEnd()
{
    XdslPmIntervalRec old;
    old.createTime = kNewYearsEve;
    old.counters.es = 3;
    old.counters.txCells = 9425072;
    XdslPmIntervalRec fresh = old;
    fresh.createTime = kNewYear;
    fresh.counters.txCells = 10090863;
    return MakePmIntervalRows({old, fresh}, {});
}

TEST(PmIntervalSortTest, TheHistoryPmSortsAsItShows)
{
    PmTimeOrder order = PmTimeOrder::kText;
    const std::vector<ListColumn<PmIntervalRow>> columns = PmIntervalColumns(order);
    const std::vector<PmIntervalRow> rows = YearEnd();
    const PmIntervalRow& old = rows[0];
    const PmIntervalRow& fresh = rows[1];
    const struct {
        int column;
        int oldToFresh; // as old sorts against fresh
    } cases[] = {
        {kPmCreateTimeColumn, 1}, // "12-31 23:45" after "01-01 00:00"
        {kPmSideColumn, 1},       // both CO: by the time's text
        {kPmErroredColumn, 1},    // equal ESs: by the time's text
        {kPmTxCellsColumn, 1},    // "9425072 / ..." after "10090863 / ...", as text
        {kPmRxCellsColumn, 1},    // equal cells: by the time's text
        {kPmFullInitsColumn, 1},  // equal: by the time's text
    };
    for (const auto& c : cases)
        EXPECT_EQ(Compare(columns[c.column], old, fresh), c.oldToFresh) << "column " << c.column;

    // The graph's side order, while it reads the rows: each side in time order.
    order = PmTimeOrder::kValue;
    EXPECT_EQ(Compare(columns[kPmSideColumn], old, fresh), -1);
}

TEST(PmIntervalSortTest, TheLongTermPmSortsByTheTimeAndTheCount)
{
    const std::vector<ListColumn<PmIntervalRow>> columns = PmIntervalColumns(kPmTimeByValue);
    const std::vector<PmIntervalRow> rows = YearEnd();
    for (int column : {kPmCreateTimeColumn, kPmSideColumn, kPmErroredColumn, kPmTxCellsColumn, kPmRxCellsColumn})
        EXPECT_EQ(Compare(columns[column], rows[0], rows[1]), -1) << "column " << column;
}

TEST(PmIntervalSortTest, TheShdslHistorySortsAsItShows)
{
    ShdslIntervalRec old;
    old.createTime = kNewYearsEve;
    old.counters.es = 2;
    ShdslIntervalRec fresh = old;
    fresh.createTime = kNewYear;
    const std::vector<ShdslHisPmRow> rows = MakeShdslHisPmRows({old, fresh}, {});
    const std::vector<ListColumn<ShdslHisPmRow>> columns = ShdslHisPmColumns();
    for (int column : {0, 1, 2})
        EXPECT_EQ(Compare(columns[column], rows[0], rows[1]), 1) << "column " << column;
}

} // namespace
