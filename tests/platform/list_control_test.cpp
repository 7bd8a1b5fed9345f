#include "platform/list_control.h"
#include "tests/platform/qt_test_app.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class ListControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CListControl::SetUpReportView(&tree_);
        list_.InsertColumn(0, QStringLiteral("Name"), LVCFMT_LEFT, 80);
        list_.InsertColumn(1, QStringLiteral("Size"), LVCFMT_RIGHT, 40);
        const char* names[] = {"c", "a", "d", "b"};
        const uint32_t data[] = {30, 10, 40, 20};
        for (int row = 0; row < 4; ++row) {
            ASSERT_EQ(list_.InsertItem(row, QString::fromLatin1(names[row])), row);
            list_.SetItemData(row, data[row]);
            list_.SetItemText(row, 1, QString::number(data[row]));
        }
    }
    QStringList Names() const
    {
        QStringList names;
        for (int row = 0; row < list_.GetItemCount(); ++row)
            names << list_.GetItemText(row, 0);
        return names;
    }

    QTreeWidget tree_;
    CListControl list_{&tree_};
};

TEST_F(ListControlTest, RowsKeepTextAndData)
{
    EXPECT_EQ(list_.GetItemCount(), 4);
    EXPECT_EQ(list_.GetItemText(2, 0), QStringLiteral("d"));
    EXPECT_EQ(list_.GetItemText(2, 1), QStringLiteral("40"));
    EXPECT_EQ(list_.GetItemData(2), 40u);
    EXPECT_EQ(list_.GetItemData(9), 0u);
    EXPECT_EQ(list_.GetItemText(9, 0), QString());
    EXPECT_FALSE(list_.SetItemText(0, 5, QStringLiteral("x")));

    // Item data is a 32-bit value kept as such.
    EXPECT_TRUE(list_.SetItemData(0, 0xFFFFFFFFu));
    EXPECT_EQ(list_.GetItemData(0), 0xFFFFFFFFu);
    EXPECT_EQ(list_.FindItemByData(0xFFFFFFFFu), 0);
    EXPECT_EQ(list_.FindItemByData(12345), -1);

    // Inserting in the middle moves the rows below; beyond the end appends.
    EXPECT_EQ(list_.InsertItem(1, QStringLiteral("new")), 1);
    EXPECT_EQ(list_.GetItemText(2, 0), QStringLiteral("a"));
    EXPECT_EQ(list_.InsertItem(99, QStringLiteral("last")), 5);
    EXPECT_TRUE(list_.DeleteItem(1));
    EXPECT_FALSE(list_.DeleteItem(7));
    EXPECT_EQ(Names(), (QStringList{"c", "a", "d", "b", "last"}));
    list_.DeleteAllItems();
    EXPECT_EQ(list_.GetItemCount(), 0);
}

TEST_F(ListControlTest, ColumnsInsertMoveAndDelete)
{
    EXPECT_EQ(list_.GetColumnCount(), 2);
    EXPECT_EQ(list_.GetColumnFormat(1), LVCFMT_RIGHT);
    EXPECT_EQ(tree_.topLevelItem(0)->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(list_.GetColumnWidth(0), 80);

    // A column inserted in front moves the cells with their columns.
    EXPECT_EQ(list_.InsertColumn(0, QStringLiteral("No."), LVCFMT_CENTER, 30), 0);
    EXPECT_EQ(list_.GetColumnCount(), 3);
    EXPECT_EQ(list_.GetColumnTitle(1), QStringLiteral("Name"));
    EXPECT_EQ(list_.GetItemText(0, 1), QStringLiteral("c"));
    EXPECT_EQ(list_.GetItemText(0, 2), QStringLiteral("30"));
    EXPECT_EQ(list_.GetItemText(0, 0), QString());
    EXPECT_EQ(list_.GetColumnWidth(1), 80);

    EXPECT_TRUE(list_.DeleteColumn(0));
    EXPECT_EQ(list_.GetItemText(0, 0), QStringLiteral("c"));
    list_.DeleteAllColumns();
    EXPECT_EQ(list_.GetColumnCount(), 0);
    EXPECT_FALSE(list_.DeleteColumn(0));
    EXPECT_EQ(list_.InsertColumn(5, QStringLiteral("Only")), 0);
    EXPECT_EQ(list_.GetColumnCount(), 1);
}

TEST(ListControl, ATemplateColumnThatNoOneInsertedCountsAsNone)
{
    QTreeWidget tree; // Designer gives every tree one column
    CListControl list(&tree);
    EXPECT_EQ(list.GetColumnCount(), 0);
    list.InsertColumn(0, QStringLiteral("A"));
    list.InsertColumn(1, QStringLiteral("B"));
    EXPECT_EQ(tree.columnCount(), 2);
    EXPECT_EQ(list.GetColumnTitle(0), QStringLiteral("A"));
    EXPECT_FALSE(CListControl().IsValid());
    EXPECT_EQ(CListControl().InsertItem(0, QStringLiteral("x")), -1);
}

TEST_F(ListControlTest, SortByItemDataKeepsSelectionWithItsRow)
{
    list_.SetItemSelected(2, true); // "d"
    list_.SetCurrentItem(2);
    list_.SortItems([](uint32_t a, uint32_t b) { return a < b ? -1 : (a > b ? 1 : 0); });
    EXPECT_EQ(Names(), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(list_.GetNextSelected(), 3);
    EXPECT_EQ(list_.GetSelectedCount(), 1);
    EXPECT_EQ(list_.GetCurrentItem(), 3);

    list_.SortItems([](uint32_t a, uint32_t b) { return a < b ? 1 : (a > b ? -1 : 0); });
    EXPECT_EQ(Names(), (QStringList{"d", "c", "b", "a"}));

    // Equal keys keep their order.
    list_.SortItems([](uint32_t, uint32_t) { return 0; });
    EXPECT_EQ(Names(), (QStringList{"d", "c", "b", "a"}));
}

TEST_F(ListControlTest, TheNextSelectedRowIsTheFirstBelowWhateverOrderTheRowsWereSelectedIn)
{
    tree_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_.SetItemSelected(3, true);
    list_.SetItemSelected(0, true);
    list_.SetItemSelected(1, true);
    list_.SetItemSelected(0, false);
    EXPECT_EQ(list_.GetNextSelected(), 1);
    EXPECT_EQ(list_.GetNextSelected(1), 3);
    EXPECT_EQ(list_.GetNextSelected(2), 3);
    EXPECT_EQ(list_.GetNextSelected(3), -1);
    // A row that leaves takes its selection with it; the rows below move up with theirs.
    list_.DeleteItem(1);
    EXPECT_EQ(list_.GetNextSelected(), 2);
}

TEST_F(ListControlTest, SelectionAndCheckBoxes)
{
    EXPECT_EQ(list_.GetNextSelected(), -1);
    list_.SetItemSelected(1, true);
    list_.SetItemSelected(3, true);
    EXPECT_EQ(list_.GetNextSelected(), 1);
    EXPECT_EQ(list_.GetNextSelected(1), 3);
    EXPECT_EQ(list_.GetNextSelected(3), -1);
    EXPECT_FALSE(list_.SetItemSelected(4, true));

    EXPECT_FALSE(list_.SetCheck(0, true)); // no check boxes yet
    list_.EnableCheckBoxes(true);
    EXPECT_TRUE(list_.HasCheckBoxes());
    EXPECT_FALSE(list_.GetCheck(0));
    EXPECT_TRUE(list_.SetCheck(0, true));
    EXPECT_TRUE(list_.GetCheck(0));
    const int added = list_.InsertItem(4, QStringLiteral("e"));
    EXPECT_TRUE(tree_.topLevelItem(added)->flags() & Qt::ItemIsUserCheckable);
    list_.EnableCheckBoxes(false);
    EXPECT_FALSE(list_.GetCheck(0));
    EXPECT_FALSE(tree_.topLevelItem(0)->flags() & Qt::ItemIsUserCheckable);
}

} // namespace
