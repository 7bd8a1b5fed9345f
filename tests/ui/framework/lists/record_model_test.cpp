#include "tests/platform/qt_test_app.h"

#include "platform/list_control.h"
#include "ui/framework/lists/record_sort_proxy.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The keys of the proxy's rows, top down, as a list reads its item data.
std::vector<uint32_t> Shown(const CRecordSortProxy& proxy)
{
    std::vector<uint32_t> keys;
    for (int row = 0; row < proxy.rowCount(); ++row)
        keys.push_back(proxy.index(row, 0).data(Qt::UserRole).value<quint32>());
    return keys;
}

// Every change goes past Qt's model checker on both models; a broken rule of the model contract aborts the test.
TEST(RecordModelTest, RowsComeGoSortAndFilterAsAListControlsDo)
{
    CRecordTableModel records({[](uint32_t key, int column) { return QStringLiteral("r%1 c%2").arg(key).arg(column); },
                               [](uint32_t key, int column) { return column == 0 && key % 3 == 0 ? 7 : -1; }});
    CRecordSortProxy proxy(records);
    QAbstractItemModelTester checkRecords(&records, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester checkProxy(&proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);

    // Columns and their header data go through the proxy to the records.
    ASSERT_TRUE(proxy.insertColumns(0, 3));
    ASSERT_TRUE(proxy.setHeaderData(1, Qt::Horizontal, QStringLiteral("Severity")));
    EXPECT_EQ(records.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Severity"));

    records.SetKeys({5, 4, 3, 2, 1});
    EXPECT_EQ(Shown(proxy), (std::vector<uint32_t>{5, 4, 3, 2, 1}));
    EXPECT_EQ(proxy.index(2, 1).data().toString(), QStringLiteral("r3 c1"));
    EXPECT_EQ(proxy.index(2, 0).data(kListImageRole).toInt(), 7);
    EXPECT_FALSE(proxy.index(1, 0).data(kListImageRole).isValid());
    EXPECT_FALSE(proxy.index(2, 1).data(Qt::UserRole).isValid()); // the key is column 0's

    const QPersistentModelIndex three = proxy.index(2, 0);
    proxy.Sort([](uint32_t a, uint32_t b) { return a < b ? -1 : (a > b ? 1 : 0); });
    EXPECT_EQ(Shown(proxy), (std::vector<uint32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(three.data(Qt::UserRole).toUInt(), 3u);

    // New rows go where the source puts them, whatever the sort: its top on top, its end at the end, else below
    // the row before them in the source.
    records.InsertKeys(0, {7, 6});
    records.InsertKeys(records.RowCount(), {8});
    records.InsertKeys(2, {9});
    EXPECT_EQ(records.Keys(), (std::vector<uint32_t>{7, 6, 9, 5, 4, 3, 2, 1, 8}));
    EXPECT_EQ(Shown(proxy), (std::vector<uint32_t>{7, 6, 9, 1, 2, 3, 4, 5, 8}));

    // Rows that leave apart from each other go one run at a time.
    records.RemoveKeys({6, 2, 8, 99});
    EXPECT_EQ(Shown(proxy), (std::vector<uint32_t>{7, 9, 1, 3, 4, 5}));
    EXPECT_EQ(three.data(Qt::UserRole).toUInt(), 3u);
    EXPECT_EQ(proxy.mapFromSource(records.index(records.RowOfKey(3), 1)), proxy.index(3, 1));

    // The filter applies to rows as they come and, refiltered, to all; rows it lets back in take their places.
    proxy.SetFilter([](uint32_t key) { return key % 2 == 1; });
    proxy.Refilter();
    EXPECT_EQ(Shown(proxy), (std::vector<uint32_t>{7, 9, 1, 3, 5}));
    records.InsertKeys(0, {10, 11});
    EXPECT_EQ(Shown(proxy), (std::vector<uint32_t>{11, 7, 9, 1, 3, 5}));
    EXPECT_FALSE(proxy.mapFromSource(records.index(records.RowOfKey(10), 0)).isValid());
    records.RowsChanged(0, records.RowCount() - 1);
    proxy.SetFilter({});
    proxy.Refilter();
    EXPECT_EQ(Shown(proxy), (std::vector<uint32_t>{10, 11, 7, 9, 1, 3, 4, 5}));

    // A reset forgets the sort: the rows come in the source's order.
    records.Clear();
    EXPECT_EQ(proxy.rowCount(), 0);
    records.SetKeys({2, 1, 3});
    EXPECT_EQ(Shown(proxy), (std::vector<uint32_t>{2, 1, 3}));
    ASSERT_TRUE(proxy.removeColumns(0, 3));
    EXPECT_EQ(proxy.columnCount(), 0);
}

// Check boxes of a model-backed list: set through the proxy as a list control sets them, each mark staying with its
// key through sorts and removals, none left after the rows are set anew.
TEST(RecordModelTest, ChecksStayWithTheirRows)
{
    CRecordTableModel records({[](uint32_t key, int) { return QString::number(key); }, {}});
    CRecordSortProxy proxy(records);
    QAbstractItemModelTester checkRecords(&records, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester checkProxy(&proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(proxy.insertColumns(0, 2));
    records.SetKeys({30, 10, 20});
    EXPECT_FALSE(proxy.index(0, 0).data(Qt::CheckStateRole).isValid());
    EXPECT_FALSE(proxy.setData(proxy.index(0, 0), Qt::Checked, Qt::CheckStateRole));

    records.SetCheckable(true);
    EXPECT_TRUE(proxy.flags(proxy.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(proxy.flags(proxy.index(0, 1)) & Qt::ItemIsUserCheckable);
    QList<int> changedRows;
    QObject::connect(&proxy, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex&, const QList<int>& roles) {
                         if (roles.contains(Qt::CheckStateRole))
                             changedRows.push_back(from.row());
                     });
    ASSERT_TRUE(proxy.setData(proxy.index(1, 0), Qt::Checked, Qt::CheckStateRole)); // key 10
    EXPECT_EQ(changedRows, QList<int>{1});
    EXPECT_TRUE(records.IsChecked(10));
    proxy.Sort([](uint32_t a, uint32_t b) { return a < b ? -1 : (a > b ? 1 : 0); });
    EXPECT_EQ(proxy.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(proxy.index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    records.SetChecked(30, true);
    records.RemoveKeys({10});
    EXPECT_FALSE(records.IsChecked(10));
    EXPECT_TRUE(records.IsChecked(30));
    records.SetKeys({10, 30});
    EXPECT_FALSE(records.IsChecked(30));
}

} // namespace
