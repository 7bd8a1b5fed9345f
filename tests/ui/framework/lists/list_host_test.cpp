#include "tests/platform/pixel_probe.h"
#include "tests/ui/framework/framework_test_support.h"

#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ListHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        ClearSelectedMarkShape();
    }
    void TearDown() override { ClearSelectedMarkShape(); }

    // Fills list 1212 with rows of (text of column 0, item data).
    static void Fill(CTestDlg& dialog, std::initializer_list<std::pair<const char*, uint32_t>> rows)
    {
        CListControl list(dialog.list);
        for (const auto& [text, data] : rows) {
            const int row = list.InsertItem(list.GetItemCount(), QString::fromLatin1(text));
            list.SetItemData(row, data);
            list.SetItemText(row, 1, QStringLiteral("x%1").arg(data));
        }
    }
    // A mouse click on a header section.
    static void ClickHeader(CTestDlg& dialog, int column)
    {
        QHeaderView* header = dialog.list->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    static std::vector<uint32_t> Order(CTestDlg& dialog)
    {
        std::vector<uint32_t> order;
        CListControl list(dialog.list);
        for (int r = 0; r < list.GetItemCount(); ++r)
            order.push_back(list.GetItemData(r));
        return order;
    }
    // Whether a column's header shows that image of the shared small images.
    static bool ShowsImage(CTestDlg& dialog, int column, int image)
    {
        const QIcon shown = dialog.list->model()->headerData(column, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
        const QPixmap wanted = SharedSmallImages().Get(image);
        return !shown.isNull() && !wanted.isNull() && shown.pixmap(wanted.size()).toImage() == wanted.toImage();
    }

    ScriptedModalRunner unattended_;
};

TEST_F(ListHostTest, ColumnsFromASpecCarryTheirTitlesFlagsAndAlignments)
{
    CTestDlg dialog;
    dialog.Create();
    dialog.InitListColumnsById(kStrColumnsBackupFiles);
    CListControl list(dialog.list);
    ASSERT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.GetColumnTitle(0), QStringLiteral("No."));
    EXPECT_EQ(list.GetColumnTitle(1), QStringLiteral("Backup Files"));
    EXPECT_EQ(list.GetColumnTitle(2), QStringLiteral("File Sizes (bytes)"));
    EXPECT_EQ(dialog.GetColumnHeaderAlign(0), 2);
    EXPECT_EQ(dialog.GetColumnTextAlign(0), 0x20);
    EXPECT_TRUE(dialog.IsColumnStretch(1));
    EXPECT_EQ(dialog.GetColumnTextAlign(1), 0x10);
    EXPECT_EQ(dialog.GetColumnHeaderAlign(2), 3);
    EXPECT_EQ(dialog.list->headerItem()->textAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // Title width plus both margins plus 4.
    const int expected = QFontMetrics(dialog.list->header()->font()).horizontalAdvance(QStringLiteral("No.")) + 12;
    EXPECT_EQ(list.GetColumnWidth(0), expected);

    // A new spec replaces the columns; the hidden column has no width.
    dialog.InitListColumns("A|@Model|B");
    ASSERT_EQ(list.GetColumnCount(), 3);
    EXPECT_TRUE(dialog.IsColumnHidden(1));
    EXPECT_EQ(list.GetColumnWidth(1), 0);
    EXPECT_FALSE(dialog.IsColumnStretch(1));
    dialog.InitListColumns(nullptr);
    EXPECT_EQ(list.GetColumnCount(), 0);
    dialog.InitListColumns("A|B");
    dialog.InitListColumnsById(999999);
    EXPECT_EQ(list.GetColumnCount(), 0);
    dialog.DestroyWindow();
}

TEST_F(ListHostTest, OperationsOnAnIdThatIsNoListDoNothing)
{
    CTestDlg dialog;
    dialog.Create();
    dialog.InitListColumns("A|B", kEdit1);
    dialog.SortList(0, kSortAscending, kEdit1);
    EXPECT_EQ(dialog.FindList(kEdit1), nullptr);
    EXPECT_EQ(dialog.GetItemImage(0, 0, kEdit1), -1);
    EXPECT_EQ(dialog.FindListText(0, QStringLiteral("A"), kEdit1), -1);
    EXPECT_EQ(dialog.HitTestCursor(kEdit1), std::make_pair(-1, -1));
    EXPECT_EQ(dialog.GetColumnFlags(32), 0);
    dialog.SetColumnFlags(40, 0xFFFF, 0xFFFF);
    dialog.DestroyWindow();
}

TEST_F(ListHostTest, HeaderClicksSortThroughTheCurrentDialog)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    dialog.onInitData = [](CTestDlg& self) {
        self.InitListColumns("Name|Value|Data");
        Fill(self, {{"c", 3}, {"a", 1}, {"b", 2}});
    };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        // First show sorted column 0 ascending.
        EXPECT_EQ(Order(dialog), (std::vector<uint32_t>{1, 2, 3}));
        EXPECT_TRUE(ShowsImage(dialog, 0, 31)); // the ascending arrow
        ClickHeader(dialog, 0);
        EXPECT_EQ(Order(dialog), (std::vector<uint32_t>{3, 2, 1}));
        EXPECT_TRUE(ShowsImage(dialog, 0, 32)); // the descending arrow
        EXPECT_EQ(dialog.lastCompareFlags, 0x8000u);
        EXPECT_EQ(dialog.GetSortDirection(), kSortDescending);
        // Another column sorts in the stored direction; the first loses its mark.
        dialog.SetColumnMap(1, 255);
        const int calls = dialog.compareCalls;
        ClickHeader(dialog, 1);
        EXPECT_EQ(dialog.compareCalls, calls); // item data compared without CompareItems
        EXPECT_EQ(Order(dialog), (std::vector<uint32_t>{3, 2, 1}));
        EXPECT_TRUE(dialog.list->headerItem()->icon(0).isNull());
        EXPECT_TRUE(ShowsImage(dialog, 1, 39)); // sorted by the item data
        ClickHeader(dialog, 1);
        EXPECT_EQ(Order(dialog), (std::vector<uint32_t>{1, 2, 3}));
        // A column mapped to another key passes that key.
        dialog.SetColumnMap(2, 0);
        ClickHeader(dialog, 2);
        EXPECT_EQ(dialog.lastCompareFlags & 0xFF, 0u);
        EXPECT_TRUE(ShowsImage(dialog, 2, 39));
        EXPECT_TRUE(ShowsImage(dialog, 0, 31)); // the key's column takes the arrow
        // With sorting off a click changes nothing.
        dialog.SetNoSort(true);
        const std::vector<uint32_t> before = Order(dialog);
        ClickHeader(dialog, 0);
        EXPECT_EQ(Order(dialog), before);
        return IDOK;
    });
    dialog.DoModal();
}

TEST_F(ListHostTest, AnExplicitSortLeavesTheStoredDirectionForTheNextClick)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    dialog.onInitData = [](CTestDlg& self) {
        self.InitListColumns("Name|Value");
        Fill(self, {{"a", 1}, {"b", 2}, {"c", 3}});
    };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        dialog.SortList(1, kSortDescending);
        EXPECT_EQ(Order(dialog), (std::vector<uint32_t>{3, 2, 1}));
        EXPECT_EQ(dialog.GetSortColumn(), 1);
        EXPECT_EQ(dialog.GetSortDirection(), kSortAscending);
        // The click flips the stored direction (ascending, from first show): the list stays descending.
        ClickHeader(dialog, 1);
        EXPECT_EQ(Order(dialog), (std::vector<uint32_t>{3, 2, 1}));
        EXPECT_EQ(dialog.GetSortDirection(), kSortDescending);
        return IDOK;
    });
    dialog.DoModal();
}

TEST_F(ListHostTest, FindListTextMatchesWholeOrPrefixWithOrWithoutCase)
{
    CTestDlg dialog;
    dialog.Create();
    dialog.InitListColumns("Name|Value");
    Fill(dialog, {{"Alpha", 1}, {"alphabet", 2}, {"Beta", 3}});
    EXPECT_EQ(dialog.FindListText(0, QStringLiteral("alpha")), 0);
    EXPECT_EQ(dialog.FindListText(0, QStringLiteral("alpha"), kListControlId, -1, false, true), -1);
    EXPECT_EQ(dialog.FindListText(0, QStringLiteral("alpha"), kListControlId, 0, true, true), 1);
    EXPECT_EQ(dialog.FindListText(0, QStringLiteral("ALPHA"), kListControlId, 0, true), 1);
    EXPECT_EQ(dialog.FindListText(1, QStringLiteral("x3")), 2);
    EXPECT_EQ(dialog.FindListText(-1, QStringLiteral("beta")), 2);
    EXPECT_EQ(dialog.FindListText(2, QStringLiteral("x3")), -1);
    EXPECT_EQ(dialog.FindListText(0, QStringLiteral("Beta"), kListControlId, 3), -1);
    dialog.DestroyWindow();
}

TEST_F(ListHostTest, ZeroWidthColumnIsNeverWidenedAndTheLastFillsTheList)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    dialog.onInitData = [](CTestDlg& self) {
        self.InitListColumns("A|B|C");
        self.list->header()->setSectionHidden(1, true); // a template column of width 0
        Fill(self, {{"one", 1}});
    };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        CListControl list(dialog.list);
        EXPECT_TRUE(dialog.IsColumnZeroWidth(1));
        EXPECT_EQ(list.GetColumnWidth(1), 0);
        dialog.UpdateListLayout();
        EXPECT_EQ(list.GetColumnWidth(1), 0);
        dialog.SetColumnStretch(2, true);
        dialog.UpdateListLayout();
        EXPECT_EQ(list.GetColumnWidth(0) + list.GetColumnWidth(2), dialog.list->viewport()->width());
        return IDOK;
    });
    dialog.DoModal();
}

// Sorting sorts and marks: the columns keep the widths the layout or the operator gave them, also when the arrow moves
// to a title that has no room for it (the Refresh button lays the list out again).
TEST_F(ListHostTest, ClickingAHeaderKeepsTheColumnWidths)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    dialog.onInitData = [](CTestDlg& self) {
        self.InitListColumns("Name|Description");
        Fill(self, {{"b", 2}, {"a", 1}});
    };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        CListControl list(dialog.list);
        list.SetColumnWidth(1, 30); // narrowed by the operator
        const int first = list.GetColumnWidth(0);
        ClickHeader(dialog, 1);
        EXPECT_EQ(dialog.GetSortColumn(), 1);
        EXPECT_EQ(list.GetColumnWidth(0), first);
        EXPECT_EQ(list.GetColumnWidth(1), 30);
        return IDOK;
    });
    dialog.DoModal();
}

TEST_F(ListHostTest, ALaidOutColumnKeepsTheWidthItsTitleAndCellsMeasure)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    const QString longText = QStringLiteral("Link Down,SFP Missing,SFP Mismatch,High BER,Disabled,Card Fail,High Temp");
    dialog.onInitData = [&](CTestDlg& self) {
        self.InitListColumns("No.|#Alarms");
        self.EnableSubItemImages();
        CListControl list(self.list);
        list.InsertItem(0, QStringLiteral("1"));
        list.SetItemText(0, 1, longText);
    };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        CListControl list(dialog.list);
        const int margins = dialog.GetListMargin(0) + dialog.GetListMargin(1);
        const int text = static_cast<int>(std::ceil(QFontMetricsF(dialog.list->font()).horizontalAdvance(longText)));
        // Wider than the list: the stretch column keeps its text whole, with the room of a sub-item image, and the
        // list scrolls sideways.
        // The view sets its scroll range when it next lays itself out.
        PumpUntil([&] { return dialog.list->horizontalScrollBar()->maximum() > 0; });
        EXPECT_EQ(list.GetColumnWidth(1), text + margins + 20);
        EXPECT_GT(list.GetColumnWidth(0) + list.GetColumnWidth(1), dialog.list->viewport()->width());
        EXPECT_GT(dialog.list->horizontalScrollBar()->maximum(), 0);
        return IDOK;
    });
    dialog.DoModal();
}

// Rows of (text of column 0, "x<n>" in column 1, item data n) numbered from `first`.
void FillNumbered(CTestDlg& dialog, int count, const QString& text, int first = 0)
{
    CListControl list(dialog.list);
    for (int i = first; i < first + count; ++i) {
        const int row = list.InsertItem(list.GetItemCount(), text);
        list.SetItemText(row, 1, QStringLiteral("x%1").arg(i));
        list.SetItemData(row, static_cast<uint32_t>(i));
    }
}

int CellWidthOf(CTestDlg& dialog, const QString& text)
{
    return static_cast<int>(std::ceil(QFontMetricsF(dialog.list->font()).horizontalAdvance(text))) +
           dialog.GetListMargin(0) + dialog.GetListMargin(1);
}

// The width of column 0 ("Name") of short rows: its title's, or its cells' when they are wider.
int ShortColumnWidthOf(CTestDlg& dialog)
{
    const int title = static_cast<int>(std::ceil(
                          QFontMetricsF(dialog.list->header()->font()).horizontalAdvance(QStringLiteral("Name")))) +
                      dialog.GetListMargin(0) + dialog.GetListMargin(1) + 4;
    return std::max(title, CellWidthOf(dialog, QStringLiteral("short")));
}

// A layout measures `layoutRowCount` rows from `layoutFirstRow` (-1: the top row shown; 40 rows unless a dialog says
// otherwise): a wide text widens its column only in one of them.
struct MeasuredRowsCase {
    const char* name;
    int firstRow; // -1 leaves the default
    int rowCount; // -1 leaves the default
    int wideRow;
    bool widens;
};

class ListLayoutRows : public ListHostTest, public ::testing::WithParamInterface<MeasuredRowsCase> {};

TEST_P(ListLayoutRows, OnlyTheRowsTheLayoutNamesCount)
{
    const MeasuredRowsCase& c = GetParam();
    CTestDlg dialog;
    dialog.Create();
    dialog.InitListColumns("Name|Value");
    EXPECT_EQ(dialog.GetLayoutFirstRow(), -1);
    EXPECT_EQ(dialog.GetLayoutRowCount(), 40);
    if (c.firstRow >= 0)
        dialog.SetLayoutFirstRow(c.firstRow);
    if (c.rowCount >= 0)
        dialog.SetLayoutRowCount(c.rowCount);
    FillNumbered(dialog, 100, QStringLiteral("short"));
    const QString wide = QStringLiteral("a much wider name than the others");
    CListControl list(dialog.list);
    list.SetItemText(c.wideRow, 0, wide);
    dialog.UpdateListLayout();
    EXPECT_EQ(list.GetColumnWidth(0), c.widens ? CellWidthOf(dialog, wide) : ShortColumnWidthOf(dialog));
    dialog.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Rows, ListLayoutRows,
                         ::testing::Values(MeasuredRowsCase{"TopRowShown", -1, -1, 0, true},
                                           MeasuredRowsCase{"FortiethRowFromTheTop", -1, -1, 39, true},
                                           MeasuredRowsCase{"FortyFirstRowFromTheTop", -1, -1, 40, false},
                                           MeasuredRowsCase{"FirstRowNamed", 50, 5, 50, true},
                                           MeasuredRowsCase{"LastRowNamed", 50, 5, 54, true},
                                           MeasuredRowsCase{"RowAboveTheFirstNamed", 50, 5, 49, false},
                                           MeasuredRowsCase{"RowPastTheLastNamed", 50, 5, 55, false},
                                           MeasuredRowsCase{"NoRowsNamed", 0, 0, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListHostTest, ALayoutAfterARefillOfNarrowerValuesNarrowsAColumn)
{
    CTestDlg dialog;
    dialog.Create();
    dialog.InitListColumns("Name|Value");
    const QString wide = QStringLiteral("a much wider name than the others");
    FillNumbered(dialog, 3, wide);
    dialog.UpdateListLayout();
    CListControl list(dialog.list);
    ASSERT_EQ(list.GetColumnWidth(0), CellWidthOf(dialog, wide));
    list.DeleteAllItems();
    FillNumbered(dialog, 3, QStringLiteral("short"));
    dialog.UpdateListLayout();
    EXPECT_EQ(list.GetColumnWidth(0), ShortColumnWidthOf(dialog));
    dialog.DestroyWindow();
}

TEST_F(ListHostTest, ALayoutOfManyRowsIsMeasuredAShareAtATimeUntilTheWidestRowCounts)
{
    CTestDlg dialog;
    dialog.Create();
    dialog.InitListColumns("Name|Value");
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
    FillNumbered(dialog, 9000, QStringLiteral("short"));
    const QString wide = QStringLiteral("a much wider name than the others");
    CListControl list(dialog.list);
    list.SetItemText(8500, 0, wide);
    dialog.SetLayoutRowCount(9000);
    dialog.UpdateListLayout();
    // The layout returned before it measured the rows far below; a sort between its steps (which puts the wide row
    // 500th) loses none of them.
    EXPECT_LT(list.GetColumnWidth(0), CellWidthOf(dialog, wide));
    dialog.SortList(1, kSortDescending);
    ASSERT_EQ(list.GetItemText(499, 0), wide);
    EXPECT_TRUE(PumpUntil([&] { return list.GetColumnWidth(0) == CellWidthOf(dialog, wide); }));
    // A later layout of 40 rows from the top shown leaves the wide row out.
    dialog.SetLayoutRowCount(40);
    dialog.UpdateListLayout();
    EXPECT_EQ(list.GetColumnWidth(0), ShortColumnWidthOf(dialog));
    dialog.DestroyWindow();
}

// Notes what the list looks like when its first show ends: once the rows are in, the host tells the selection last.
class CFirstShowDlg : public CTestDlg {
public:
    void OnListSelChanged(int row, int listId) override
    {
        CTestDlg::OnListSelChanged(row, listId);
        if (!filled || widthAtShow >= 0)
            return;
        widthAtShow = CListControl(list).GetColumnWidth(0);
        selectedAtShow = row;
        if (atShow)
            atShow(*this);
    }
    bool filled = false;
    int widthAtShow = -1;
    int selectedAtShow = -2;
    std::function<void(CFirstShowDlg&)> atShow;
};

TEST_F(ListHostTest, AtItsFirstShowAListMeasuresEveryRowTheOnesFarBelowInLaterSteps)
{
    ScriptedModalRunner runner;
    CFirstShowDlg dialog;
    const QString inView = QStringLiteral("a wider name in view");
    const QString farBelow = QStringLiteral("a name wider than all the others, far below");
    const QString changed = QStringLiteral("a name made wider than every other while the steps go on");
    dialog.onInitData = [&](CTestDlg& self) {
        self.InitListColumns("Name|Value");
        FillNumbered(self, 9000, QStringLiteral("short"));
        CListControl list(self.list);
        list.SetItemText(2, 0, inView);
        list.SetItemText(8500, 0, farBelow);
        list.SetItemSelected(8500, true);
        static_cast<CFirstShowDlg&>(self).filled = true;
    };
    // A row already measured changes while the later steps are still to come.
    dialog.atShow = [&](CFirstShowDlg& self) { CListControl(self.list).SetItemText(1, 0, changed); };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        // The show measured the rows from the top, in the order and with the selection the fill gave.
        EXPECT_EQ(dialog.widthAtShow, CellWidthOf(dialog, inView));
        EXPECT_EQ(dialog.selectedAtShow, 8500);
        // The later steps measure the rest, the changed row with them, and leave the order and the selection alone.
        CListControl list(dialog.list);
        EXPECT_TRUE(PumpUntil([&] { return list.GetColumnWidth(0) == CellWidthOf(dialog, changed); }));
        EXPECT_EQ(list.GetNextSelected(), 8500);
        EXPECT_EQ(list.GetItemData(8500), 8500u);
        EXPECT_EQ(list.GetItemText(8500, 0), farBelow);
        // The layout after the show measures 40 rows again.
        EXPECT_EQ(dialog.GetLayoutRowCount(), 40);
        return IDCANCEL;
    });
    dialog.DoModal();
}

TEST_F(ListHostTest, RowsAlternateWhiteAndLightGreen)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    dialog.onInitData = [](CTestDlg& self) {
        self.InitListColumns("Name|#Value");
        Fill(self, {{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
    };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        CListControl(dialog.list).SetItemSelected(2, true);
        const QImage image = dialog.list->viewport()->grab().toImage();
        for (int row = 0; row < 4; ++row) {
            const QRect cell = dialog.list->visualRect(dialog.list->model()->index(row, 1));
            const COLORREF expected = row % 2 == 0 ? 0xFFFFFF : 0x80FF80;
            EXPECT_EQ(PixelOf(image, cell.right() - 6, cell.center().y()), expected) << row;
        }
        return IDOK;
    });
    dialog.DoModal();
}

TEST_F(ListHostTest, HiddenColumnSetterHidesAndShowsAgain)
{
    CTestDlg dialog;
    dialog.Create();
    dialog.InitListColumns("A|B|C");
    CListControl list(dialog.list);
    ASSERT_GT(list.GetColumnWidth(1), 0);
    dialog.SetColumnHidden(1, true);
    EXPECT_EQ(list.GetColumnWidth(1), 0);
    dialog.SetColumnHidden(1, false);
    EXPECT_GT(list.GetColumnWidth(1), 0);
    // Header alignment 0 is kept as left; column 0 never shows its header image on the right.
    dialog.SetColumnHeaderAlign(2, 0);
    EXPECT_EQ(dialog.GetColumnHeaderAlign(2), 1);
    dialog.SetColumnFlags(0, kColumnHeaderImageRight, kColumnHeaderImageRight);
    EXPECT_EQ(dialog.GetColumnFlags(0, kColumnHeaderImageRight), 0);
    dialog.SetColumnFlags(1, kColumnHeaderImageRight, kColumnHeaderImageRight);
    EXPECT_NE(dialog.GetColumnFlags(1, kColumnHeaderImageRight), 0);
    dialog.DestroyWindow();
}

} // namespace
