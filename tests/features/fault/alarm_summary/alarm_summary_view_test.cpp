#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "features/fault/alarm_summary/trap_sum_view.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/control_states.h"
#include "ui/framework/dialogs/dialog_environment.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTreeWidget>

#include <memory>
#include <vector>

namespace {

using namespace trap_log_test;

class AlarmSummaryViewTest : public FaultTestEnvironment {
protected:
    void SetUp() override
    {
        FaultTestEnvironment::SetUp();
        SetAppBusy(false);
        SetTrapSumDetailOpener([this](const TrapSumDetailRequest& request) { opened_.push_back(request); });
    }
    void TearDown() override
    {
        SetTrapSumDetailOpener({});
        view_.reset();
        SetAppBusy(false);
        FaultTestEnvironment::TearDown();
    }

    CTrapSumView& Open()
    {
        view_ = std::make_unique<CTrapSumView>();
        view_->SetSelectionSource([this] { return selection_; });
        view_->resize(240, 160);
        view_->show();
        view_->OnInitialUpdate();
        view_->OnFirstShow();
        return *view_;
    }

    CListControl List() const { return CListControl(view_->FindList(kListControlId)); }

    QStringList Counts() const
    {
        QStringList counts;
        for (int r = 0; r < List().GetItemCount(); ++r)
            counts << List().GetItemText(r, 1);
        return counts;
    }

    static void SetConnected(uint32_t neId, bool connected)
    {
        AppData().nes.FindNeById(neId)->root->connected = connected;
    }

    void Select(int row) { List().SetItemSelected(row, true); }

    std::unique_ptr<CTrapSumView> view_;
    std::vector<TrapSumDetailRequest> opened_;
    std::pair<uint32_t, CEntityId> selection_{0, CEntityId{}};
    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
    ScriptedPopupMenus menus_;
};

// On opening: the five rows in their order, each with its image and back colour, counting "0"; the list's font is
// VIEW/TRAPSUMVIEWFONT, "Arial,80,B" when the key is absent.
TEST_F(AlarmSummaryViewTest, OpensWithTheFiveRowsInTheirColoursCountingNothing)
{
    struct Row {
        const char* text;
        int image;
        COLORREF back;
    };
    const Row rows[] = {{"Critical", 12, 0x2020FF},
                        {"Major", 13, 0x2080FF},
                        {"Minor", 14, 0x20FFFF},
                        {"NE Offline", 27, 0xFF20FF},
                        {"NE Online", 26, 0x80FF80}};
    CTrapSumView& view = Open();
    ASSERT_EQ(List().GetItemCount(), static_cast<int>(std::size(rows)));
    for (int r = 0; r < List().GetItemCount(); ++r) {
        SCOPED_TRACE(rows[r].text);
        EXPECT_EQ(List().GetItemText(r, 0), rows[r].text);
        EXPECT_EQ(List().GetItemImage(r, 0), rows[r].image);
        EXPECT_EQ(List().GetItemText(r, 1), "0");
        EXPECT_EQ(RowBackColor(view.GetRowColorTable(), List(), r), rows[r].back);
    }
    EXPECT_EQ(view.GetFont(), DialogFontFromSpec("Arial,80,B"));
    WriteConfig("[VIEW]\nTRAPSUMVIEWFONT=Courier,100\n");
    EXPECT_EQ(Open().GetFont(), DialogFontFromSpec("Courier,100"));
}

// Export offers the list under the stem "AlarmSum", TAB-delimited, titled "Active Alarm Statistics".
TEST_F(AlarmSummaryViewTest, ExportOffersTheListUnderItsStemAndTitle)
{
    CTrapSumView& view = Open();
    ExportOffer offer;
    NoteExport(runner_, offer);
    view.OnCommand(CTrapSumView::kCmdExport, 0);
    EXPECT_EQ(offer.stem, "AlarmSum");
    EXPECT_EQ(offer.title, "Active Alarm Statistics");
    EXPECT_EQ(offer.delimiter, '\t');
}

TEST_F(AlarmSummaryViewTest, CountsPerSeverityAndNeState)
{
    CTrapSumView& view = Open();
    AppData().SetAlarmSeverityCount(1, 3);
    AppData().SetAlarmSeverityCount(2, 12);
    AppData().SetAlarmSeverityCount(3, 0);
    AppData().SetAlarmSeverityCount(4, 9); // warnings are not counted here
    SetConnected(kAlpha, true);
    SetConnected(kBravo, false);
    SetConnected(kCharlie, true);
    view.RefreshData();
    EXPECT_EQ(Counts(), (QStringList{"3", "12", "0", "1", "2"}));

    // An NE without an entity tree counts neither offline nor online.
    AppData().nes.FindNeById(kBravo)->root.reset();
    view.RefreshData();
    EXPECT_EQ(Counts(), (QStringList{"3", "12", "0", "0", "2"}));
}

TEST_F(AlarmSummaryViewTest, NoRefreshWhileBusyWhenTheViewIsToldSo)
{
    WriteConfig("[VIEW]\nDIALOGSTOPREFRESHTRAPSUM=1\n");
    CTrapSumView& view = Open();
    AppData().SetAlarmSeverityCount(1, 2);
    SetAppBusy(true);
    view.RefreshData();
    EXPECT_EQ(List().GetItemText(0, 1), "0");
    SetAppBusy(false);
    view.RefreshData();
    EXPECT_EQ(List().GetItemText(0, 1), "2");
}

TEST_F(AlarmSummaryViewTest, TheTargetFollowsTheFramesSelection)
{
    CTrapSumView& view = Open();
    selection_ = {kBravo, CEntityId(10500)};
    view.RefreshData();
    EXPECT_EQ(view.GetNeId(), static_cast<int>(kBravo));
    EXPECT_EQ(view.GetTargetEntity().id, 10500u);
}

TEST_F(AlarmSummaryViewTest, DetailOpensTheListBehindTheRow)
{
    struct Row {
        bool direct;
        int row;
        TrapSumDetailRequest request;
    };
    const Row rows[] = {
        {false, 0, {TrapSumDetailRequest::kAlarmEventList, 1, 0, 0}},
        {false, 1, {TrapSumDetailRequest::kAlarmEventList, 2, 0, 0}},
        {false, 2, {TrapSumDetailRequest::kAlarmEventList, 3, 0, 0}},
        {false, 3, {TrapSumDetailRequest::kNeList, 0, 0, 2}},
        {false, 4, {TrapSumDetailRequest::kNeList, 0, 0, 1}},
        // Direct mode: the active alarms of the first NE (in name order).
        {true, 0, {TrapSumDetailRequest::kActiveAlarmList, 1, kAlpha, 0}},
        {true, 2, {TrapSumDetailRequest::kActiveAlarmList, 3, kAlpha, 0}},
        {true, 4, {TrapSumDetailRequest::kNeList, 0, 0, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.row);
        AppSettings().directControl = row.direct;
        CTrapSumView& view = Open();
        Select(row.row);
        opened_.clear();
        view.OnCommand(CTrapSumView::kCmdDetail, 0);
        ASSERT_EQ(opened_.size(), 1u);
        EXPECT_EQ(opened_[0], row.request);
    }
}

TEST_F(AlarmSummaryViewTest, DetailInDirectModeWithoutNesDoesNothing)
{
    AppSettings().directControl = true;
    AppData().nes.ClearNeTable();
    CTrapSumView& view = Open();
    Select(1);
    view.OnCommand(CTrapSumView::kCmdDetail, 0);
    EXPECT_TRUE(opened_.empty());
    EXPECT_TRUE(runner_.Runs().isEmpty());
}

TEST_F(AlarmSummaryViewTest, DetailWithoutASelectionAsksForOne)
{
    CTrapSumView& view = Open();
    view.OnCommand(CTrapSumView::kCmdDetail, 0);
    EXPECT_TRUE(opened_.empty());
    ASSERT_EQ(runner_.Runs().size(), 1); // the program's box
}

TEST_F(AlarmSummaryViewTest, ADoubleClickIsDetail)
{
    CTrapSumView& view = Open();
    Select(3);
    NotifyHeader click;
    click.idFrom = kListControlId;
    click.code = NM_DBLCLK;
    int result = 0;
    view.OnNotify(click, &result);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].dialogId, TrapSumDetailRequest::kNeList);
    EXPECT_TRUE(boxes_.Requests().empty());
}

// The list covers the view; its last column widens so that the columns fill the list less 4 pixels, and narrows
// again with the view.
TEST_F(AlarmSummaryViewTest, TheColumnsFillTheListLessFourPixels)
{
    CTrapSumView& view = Open();
    QTreeView* list = view.FindList(kListControlId);
    for (int width : {600, 400}) {
        SCOPED_TRACE(width);
        view.resize(width, 200);
        EXPECT_EQ(list->geometry(), view.rect());
        EXPECT_EQ(list->columnWidth(0) + list->columnWidth(1), list->contentsRect().width() - 4);
    }
}

// The summary's pane is made seven times the height of "Wly" in the list's font, whatever the header and the rows
// with their images take.
TEST_F(AlarmSummaryViewTest, ThePaneIsSevenLinesOfTheListsFont)
{
    for (const char* font : {"Arial,80,B", "Arial,400", "Arial,40"}) {
        SCOPED_TRACE(font);
        WriteConfig(std::string("[VIEW]\nTRAPSUMVIEWFONT=") + font + "\n");
        int pane = 0;
        view_ = std::make_unique<CTrapSumView>();
        view_->SetSelectionSource([this] { return selection_; });
        view_->SetPaneSizer([&pane](int height) { pane = height; });
        view_->resize(240, 160);
        view_->show();
        view_->OnInitialUpdate();
        view_->OnFirstShow();
        const QFont shown = view_->FindList(kListControlId)->font();
        EXPECT_EQ(pane, 7 * QFontMetrics(shown).size(Qt::TextSingleLine, QStringLiteral("Wly")).height());
    }
}

TEST_F(AlarmSummaryViewTest, TheContextMenuOffersDetailOnlyWithASelection)
{
    CTrapSumView& view = Open();
    NotifyHeader click;
    click.idFrom = kListControlId;
    click.code = NM_RCLICK;
    int result = 0;
    view.OnNotify(click, &result);
    Select(0);
    menus_.PushChoice(CTrapSumView::kCmdDetail);
    view.OnNotify(click, &result);
    ASSERT_EQ(menus_.Shown().size(), 2u);
    // Without a row Detail is left out, not greyed.
    EXPECT_EQ(menus_.Shown()[0], std::vector<int>{33024});
    EXPECT_EQ(menus_.Shown()[1], (std::vector<int>{33012, 33024}));
    EXPECT_EQ(menus_.Offered()[1], (std::vector<int>{33012, 33024}));
    QApplication::processEvents();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].severity, 1);
}

} // namespace
