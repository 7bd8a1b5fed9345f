#include "tests/ui/framework/framework_test_support.h"

#include "platform/dc.h"
#include "platform/list_control.h"
#include "ui/framework/views/form_view.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class CTestView : public CAFormView {
public:
    explicit CTestView(QWidget* parent = nullptr) : CAFormView(229, parent)
    {
        resize(300, 200);
        list = new QTreeWidget(this);
        CListControl::SetUpReportView(list);
        list->setGeometry(10, 10, 200, 100);
        SetCtrlId(list, kListControlId);
        auto* button = new QPushButton(QStringLiteral("Go"), this);
        SetCtrlId(button, 1166);
    }
    void InitData() override
    {
        events.push_back("InitData");
        visibleAtInitData = isVisible();
        firstShowTimerSetAtInitData = Timers().IsSet(kViewFirstShowTimer);
        drawsAtInitData = draws;
    }
    void DrawExtras(Dc&) override { ++draws; }
    int OnCommandHook(int id, int) override
    {
        hookIds.push_back(id);
        return id == handledId ? 1 : 0;
    }
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override
    {
        ++compareCalls;
        lastFlags = flags;
        return CAFormView::CompareItems(item1, item2, flags);
    }
    void OnListSelChanged(int row, int listId) override
    {
        events.push_back("Sel " + std::to_string(row) + " " + std::to_string(listId));
    }

    QTreeWidget* list = nullptr;
    std::vector<std::string> events;
    bool visibleAtInitData = false;
    bool firstShowTimerSetAtInitData = true;
    int drawsAtInitData = -1;
    int draws = 0;
    int handledId = 0;
    std::vector<int> hookIds;
    int compareCalls = 0;
    uint32_t lastFlags = 0;
};

// The main window the views sit in: commands the views leave arrive here.
class CTestFrame : public QWidget, public CommandTarget {
public:
    CTestFrame()
    {
        resize(400, 300);
        view = new CTestView(this);
    }
    bool OnCommand(int id, int code) override
    {
        commands.push_back({id, code});
        return true;
    }
    bool OnNotify(const NotifyHeader&, int*) override { return false; }
    CTestView* view;
    std::vector<std::pair<int, int>> commands;
};

TEST(FormViewTest, StartUpRunsInitDataAfterTheViewIsShownThenDrawsTheDecorations)
{
    CTestFrame frame;
    CTestView& view = *frame.view;
    CListControl rows(view.list);
    rows.InsertColumn(0, QStringLiteral("A"));
    rows.SetItemData(rows.InsertItem(0, QStringLiteral("x")), 1);

    frame.show();
    EXPECT_TRUE(view.IsInitialUpdateDone());
    EXPECT_EQ(view.Timers().Interval(kViewFirstShowTimer), 10);
    EXPECT_TRUE(view.events.empty());
    ASSERT_TRUE(PumpUntil([&] { return view.IsFirstShowDone(); }));
    // The data load ran once, on screen, from the timer; the lists were prepared after it.
    ASSERT_GE(view.events.size(), 2U);
    EXPECT_EQ(view.events[0], "InitData");
    EXPECT_EQ(view.events[1], "Sel -1 1212");
    EXPECT_TRUE(view.visibleAtInitData);
    EXPECT_FALSE(view.firstShowTimerSetAtInitData);
    EXPECT_EQ(view.Timers().Interval(kViewDecorationTimer), 100);
    // Decorations are drawn only once the first show is done: by the second timer, and again with every repaint.
    EXPECT_EQ(view.drawsAtInitData, 0);
    ASSERT_TRUE(PumpUntil([&] { return !view.Timers().IsSet(kViewDecorationTimer); }));
    ASSERT_TRUE(PumpUntil([&] { return view.draws > 0; }));
    const int draws = view.draws;
    view.resize(320, 210);
    ASSERT_TRUE(PumpUntil([&] { return view.draws > draws; }));

    view.OnFirstShow();
    view.OnTimer(kViewFirstShowTimer);
    EXPECT_EQ(std::count(view.events.begin(), view.events.end(), "InitData"), 1);
}

TEST(FormViewTest, CommandsTheViewLeavesGoToTheMainWindow)
{
    CTestFrame frame;
    frame.show();
    frame.view->handledId = 1166;
    frame.view->GetDlgItemAs<QPushButton>(1166)->click();
    EXPECT_EQ(frame.view->hookIds, std::vector<int>{1166});
    EXPECT_TRUE(frame.commands.empty());
    EXPECT_TRUE(frame.view->OnCommand(33024, 0));
    ASSERT_EQ(frame.commands.size(), 1U);
    EXPECT_EQ(frame.commands[0], std::make_pair(33024, 0));
}

TEST(FormViewTest, OnlyTheActiveViewSortsByItsOwnComparison)
{
    CTestView view;
    CTestView other;
    SetActiveFormView(&view);
    EXPECT_EQ(view.SortCompare(1, 2, 0x8000 | 3), 0 - (-1)); // item data, descending
    EXPECT_EQ(view.compareCalls, 1);
    EXPECT_EQ(view.lastFlags, 0x8000U | 3);
    view.SetColumnMap(3, 255);
    view.SortCompare(1, 2, 3);
    EXPECT_EQ(view.compareCalls, 1);

    SetActiveFormView(&other);
    EXPECT_EQ(view.SortCompare(5, 2, 0), 1);
    EXPECT_EQ(view.compareCalls, 1);
    EXPECT_EQ(other.compareCalls, 0);
    SetActiveFormView(nullptr);
}

TEST(FormViewTest, ADestroyedActiveViewIsNoLongerActive)
{
    {
        CTestView view;
        SetActiveFormView(&view);
    }
    EXPECT_EQ(GetActiveFormView(), nullptr);
}

// The list settings a dialog and a view start with; only the first cell-style byte differs (0x81 and 0x91).
TEST(FormViewTest, DialogAndViewStartWithTheirListSettings)
{
    CTestView view;
    CTestDlg dialog;
    struct Row {
        const CListHost* host;
        int cellStyleA;
    };
    for (const Row& row : {Row{&view, 0x91}, Row{&dialog, 0x81}}) {
        const CListHost& host = *row.host;
        SCOPED_TRACE(row.cellStyleA);
        EXPECT_EQ(host.GetListMargin(1), 4);
        EXPECT_EQ(host.GetListMargin(0), 4);
        for (const int column : {0, 31})
            EXPECT_EQ(host.GetColumnFlags(column), 0x0011) << column;
        EXPECT_EQ(host.GetRowColorMode(), 1);
        ASSERT_EQ(host.GetRowColorCount(), 2);
        EXPECT_EQ(host.GetRowColorTable().styles[0].backColor, 0xFFFFFFu);
        EXPECT_EQ(host.GetRowColorTable().styles[1].backColor, 0x80FF80u);
        EXPECT_EQ(host.GetCellStyleA(), row.cellStyleA);
        EXPECT_EQ(host.GetCellStyleB(), 0);
        EXPECT_EQ(host.GetCellStyleC(), 0x20);
        EXPECT_TRUE(host.GetDrawSelectionFrame());
        EXPECT_TRUE(host.GetLayoutAtFirstShow());
        EXPECT_EQ(host.GetLayoutFirstRow(), -1);
        EXPECT_EQ(host.GetLayoutRowCount(), 40);
        EXPECT_FALSE(host.GetNoSort());
        EXPECT_EQ(host.GetSortColumn(), 0);
        EXPECT_EQ(host.GetSortDirection(), 1);
        for (const int column : {0, 5, 31})
            EXPECT_EQ(host.GetColumnMap(column), column);
    }
    // The target user of a view keeps 10 characters, as a dialog's.
    view.SetUserName("ABCDEFGHIJK");
    EXPECT_EQ(view.GetUserName(), "ABCDEFGHIJ");
}

} // namespace
