#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "core/util/date_time_format.h"
#include "features/fault/trap_log/event_detail_dlg.h"
#include "features/fault/trap_log/trap_log_filter_dlg.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "platform/dc.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/control_states.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/lists/small_images.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTreeView>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace trap_log_test;

constexpr uint32_t kGeTrunk = 50;  // port model: 0 LOS, 1 Link Down, 2 SFP Missing
constexpr uint32_t kLineCard = 30; // slot model: 0 Card Out, 1 Card Fail
constexpr uint32_t kPort = 12101;  // shelf 1, slot 21, port 1 of alpha
constexpr uint32_t kSlot = 10100;  // shelf 1, slot 1

// A record of a defined alarm that the view shows.
TrapLogRecord Alarm(uint32_t entityId, uint32_t planned, uint32_t bits, int32_t severity, uint32_t occur = 1000)
{
    TrapLogRecord record;
    record.entityId = entityId;
    record.plannedType = planned;
    record.onlineType = planned;
    record.alarmBits = bits;
    record.severity = severity;
    record.occurTime = occur;
    record.receiveTime = occur + 2;
    record.alarmClass = 1;
    return record;
}

class TrapLogViewTest : public FaultTestEnvironment {
protected:
    void SetUp() override
    {
        FaultTestEnvironment::SetUp();
        CTrapLogView::SetPaused(false);
        SetAppBusy(false);
    }
    void TearDown() override
    {
        SetActiveFormView(nullptr);
        view_.reset();
        CTrapLogView::SetPaused(false);
        SetAppBusy(false);
        FaultTestEnvironment::TearDown();
    }

    // Opens the view on a trap log of the given size.
    CTrapLogView& Open(uint32_t size = 1000)
    {
        AppSettings().trapLogSize = size;
        EXPECT_EQ(AppTrapLog().ResetTrapLog(size), 1);
        return OpenView();
    }

    // A view on the log as it is.
    CTrapLogView& OpenView()
    {
        view_ = std::make_unique<CTrapLogView>();
        view_->resize(900, 400);
        view_->show();
        view_->OnInitialUpdate();
        view_->OnFirstShow();
        SetActiveFormView(view_.get());
        return *view_;
    }

    // Logs `count` port alarms, numbered by their occur time from `first`.
    static void LogMany(uint32_t count, uint32_t first = 0)
    {
        for (uint32_t i = 0; i < count; ++i)
            Log(kAlpha, Alarm(kPort, kGeTrunk, 1, 1, first + i));
    }

    CListControl List() const { return CListControl(view_->FindList(kListControlId)); }

    // The No. column, top down.
    QStringList Numbers() const
    {
        QStringList numbers;
        for (int r = 0; r < List().GetItemCount(); ++r)
            numbers << List().GetItemText(r, 0);
        return numbers;
    }

    QString Cell(int row, int column) const { return List().GetItemText(row, column); }

    COLORREF BackColor(int row) { return RowBackColor(view_->GetRowColorTable(), List(), row); }

    QString ControlText(int id) const { return view_->GetDlgItemAs<QLabel>(id)->text(); }

    void Select(int row) { List().SetItemSelected(row, true); }

    // Every text a box shows.
    static QString TextsOf(QWidget& window)
    {
        QStringList texts;
        for (auto* label : window.findChildren<QLabel*>())
            texts << label->text();
        for (auto* edit : window.findChildren<QLineEdit*>())
            texts << edit->text();
        for (auto* edit : window.findChildren<QPlainTextEdit*>())
            texts << edit->toPlainText();
        return texts.join('\n');
    }

    std::unique_ptr<CTrapLogView> view_;
    ScriptedModalRunner runner_;
    ScriptedPopupMenus menus_;
};

TEST_F(TrapLogViewTest, ARingOfThreeShowsTheLastThreeOfFiveNewestFirst)
{
    CTrapLogView& view = Open(3);
    LogMany(5);
    view.RefreshData();
    EXPECT_EQ(Numbers(), (QStringList{"5", "4", "3"}));
    EXPECT_EQ(view.RowSequences(), (std::vector<uint32_t>{4, 3, 2}));
    EXPECT_FALSE(view.IsFirstFill());
    EXPECT_EQ(view.GetLastShown(), 4u);
}

TEST_F(TrapLogViewTest, RecordsLoggedBeforeTheViewOpensAreShownAndNewOnesGoOnTop)
{
    AppSettings().trapLogSize = 100;
    ASSERT_EQ(AppTrapLog().ResetTrapLog(100), 1);
    LogMany(2);
    CTrapLogView& view = OpenView();
    EXPECT_EQ(Numbers(), (QStringList{"2", "1"}));
    LogMany(2, 10);
    view.RefreshData();
    EXPECT_EQ(Numbers(), (QStringList{"4", "3", "2", "1"}));
    view.RefreshData();
    EXPECT_EQ(Numbers().size(), 4);
}

TEST_F(TrapLogViewTest, AnEmptyLogKeepsTheViewWaitingForItsFirstRecord)
{
    CTrapLogView& view = Open(10);
    view.RefreshData();
    EXPECT_TRUE(view.IsFirstFill());
    LogMany(1);
    view.RefreshData();
    // Record 0 is not skipped.
    EXPECT_EQ(Numbers(), QStringList{"1"});
}

TEST_F(TrapLogViewTest, ARowShowsTheRecordInEveryColumn)
{
    CTrapLogView& view = Open();
    TrapLogRecord record = Alarm(kPort, kGeTrunk, 0x5, 1, 1700000000); // LOS, SFP Missing
    record.alarmClass = 2;
    Log(kAlpha, record);
    view.RefreshData();
    ASSERT_EQ(List().GetItemCount(), 1);
    const QStringList expected{"1",
                               "Critical",
                               "North",
                               "alpha",
                               "1-21-GE1",
                               "GE Trunk",
                               "communication",
                               "LOS,SFP Missing",
                               QString::fromStdString(FormatDateTime(1700000000)),
                               QString::fromStdString(FormatDateTime(1700000002))};
    for (int c = 0; c < expected.size(); ++c)
        EXPECT_EQ(Cell(0, c), expected[c]) << c;
    EXPECT_EQ(List().GetItemImage(0, 0), 12);
    EXPECT_EQ(List().GetItemImage(0, 5), 58); // a port
    EXPECT_EQ(List().GetItemData(0), 0u);
}

TEST_F(TrapLogViewTest, SeverityTextImageAndRowColour)
{
    struct Row {
        uint32_t bits;
        int32_t severity;
        const char* text;
        int image;
        COLORREF back;
    };
    // Every severity, and the values out of its range.
    const Row rows[] = {
        {1, 1, "Critical", 12, 0x2020FF}, {1, 2, "Major", 13, 0x2080FF}, {1, 3, "Minor", 14, 0x20FFFF},
        {1, 4, "Warning", 15, 0xFFFFE0},  {1, 5, "Info", 16, 0xFFFFFF},  {0, 1, "Cleared", 11, 0xFFFFFF},
        {0, 99, "Cleared", 11, 0xFFFFFF}, {1, 0, "Info", 16, 0xFFFFFF},
    };
    CTrapLogView& view = Open();
    for (const Row& row : rows)
        Log(kAlpha, Alarm(kPort, kGeTrunk, row.bits, row.severity));
    view.RefreshData();
    const int count = static_cast<int>(std::size(rows));
    ASSERT_EQ(List().GetItemCount(), count);
    for (int i = 0; i < count; ++i) {
        const Row& row = rows[i];
        const int r = count - 1 - i; // newest on top
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Cell(r, 1), row.text);
        EXPECT_EQ(List().GetItemImage(r, 0), row.image);
        EXPECT_EQ(BackColor(r), row.back);
        // A cleared state reads "CLEAR" whatever its severity.
        EXPECT_EQ(Cell(r, 7), row.bits == 0 ? "CLEAR" : "LOS");
    }
}

// Export offers the log under the stem "TrapLog", TAB-delimited, titled "Trap Log".
TEST_F(TrapLogViewTest, ExportOffersTheLogUnderItsStemAndTitle)
{
    CTrapLogView& view = Open();
    ExportOffer offer;
    NoteExport(runner_, offer);
    view.OnCommand(CTrapLogView::kCmdExport, 0);
    EXPECT_EQ(offer.stem, "TrapLog");
    EXPECT_EQ(offer.title, "Trap Log");
    EXPECT_EQ(offer.delimiter, '\t');
}

// The list's font is VIEW/TRAPLOGVIEWFONT, "Arial,80,B" when the key is absent.
TEST_F(TrapLogViewTest, TheFontIsTheConfiguredOne)
{
    EXPECT_EQ(Open().GetFont(), DialogFontFromSpec("Arial,80,B"));
    WriteConfig("[VIEW]\nTRAPLOGVIEWFONT=Courier,100\n");
    EXPECT_EQ(Open().GetFont(), DialogFontFromSpec("Courier,100"));
}

TEST_F(TrapLogViewTest, RecordsWithoutAnAlarmTextGiveNoRow)
{
    CTrapLogView& view = Open();
    Log(kAlpha, Alarm(kPort, kGeTrunk, 1u << 20, 1));    // a bit the model does not define
    Log(kAlpha, Alarm(kSlot, kEntityTypeUnknown, 1, 1)); // the empty-slot model defines no alarm
    Log(kAlpha, Alarm(1, kEntityTypeUnknown, 1, 1));     // the NE, no model and no types at all
    TrapLogRecord unknownNe = Alarm(1, kTwoShelfModel, 1, 1);
    Log(kAlpha, Alarm(kPort, kGeTrunk, 2, 1)); // Link Down: shown
    view.RefreshData();
    EXPECT_EQ(Numbers(), QStringList{"4"});
    EXPECT_EQ(view.GetLastShown(), 3u);
    // The NE went away after the record was logged: the row shows the NE it was logged with.
    Log(kBravo, unknownNe);
    ASSERT_EQ(AppData().nes.RemoveNe(kBravo), NeResult::kOk);
    view.RefreshData();
    EXPECT_EQ(Numbers(), (QStringList{"5", "4"}));
    EXPECT_EQ(Cell(0, 3), QStringLiteral("bravo"));
}

TEST_F(TrapLogViewTest, EntitiesWithoutAModelShowTheirBuiltInAlarm)
{
    struct Row {
        uint32_t entityId;
        uint32_t planned;
        uint32_t online;
        const char* alarm;
    };
    const Row rows[] = {
        {1, kEntityTypeUnknown, kTwoShelfModel, "Unexpected"},
        {1, 999, kEntityTypeEmpty, "Offline"},
        {kSlot, 999, kEntityTypeUnknown, "Missing"},
        {kSlot, 999, 998, "Wrong Type"},
    };
    CTrapLogView& view = Open();
    for (const Row& row : rows) {
        TrapLogRecord record = Alarm(row.entityId, row.planned, 1, 2);
        record.onlineType = row.online;
        Log(kAlpha, record);
    }
    view.RefreshData();
    ASSERT_EQ(List().GetItemCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Cell(3 - i, 7), rows[i].alarm);
    EXPECT_EQ(Cell(3, 5), ""); // no model name
    EXPECT_EQ(List().GetItemImage(3, 5), 55);
}

// A new record takes the slot of the record numbered one view size before it; that record's row goes, found by its
// item data (the No. column shows the number + 1, so a text search would take the wrong row).
TEST_F(TrapLogViewTest, TheRowOfAReplacedRecordIsFoundByItsItemData)
{
    CTrapLogView& view = Open(3);
    LogMany(3);
    view.RefreshData();
    view.SortList(1, kSortAscending); // the rows in another order
    LogMany(1, 50);
    view.RefreshData();
    std::vector<uint32_t> rows = view.RowSequences();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(view.FindRecord(0), nullptr);
    ASSERT_NE(view.FindRecord(3), nullptr);
    EXPECT_EQ(view.FindRecord(3)->occurTime, 50u);
}

TEST_F(TrapLogViewTest, PauseHoldsTheRowsAndContinueDropsThoseOfLostRecords)
{
    CTrapLogView& view = Open(3);
    LogMany(3);
    view.RefreshData();
    view.OnCommand(CTrapLogView::kCmdPause, 0);
    EXPECT_TRUE(CTrapLogView::IsPaused());
    LogMany(5, 100); // records 3..7; the log keeps 5, 6 and 7
    view.RefreshData();
    EXPECT_EQ(Numbers(), (QStringList{"3", "2", "1"}));
    view.OnCommand(CTrapLogView::kCmdContinue, 0);
    EXPECT_FALSE(CTrapLogView::IsPaused());
    EXPECT_EQ(List().GetItemCount(), 0);
    view.RefreshData();
    EXPECT_EQ(Numbers(), (QStringList{"8", "7", "6"}));
}

TEST_F(TrapLogViewTest, ContinueKeepsTheRowsThatNextRecordsReplace)
{
    CTrapLogView& view = Open(4);
    LogMany(2);
    view.RefreshData();
    view.OnPause();
    LogMany(3, 100); // records 2..4; the log keeps 1..4, and record 4 takes the slot of record 0
    view.OnContinue();
    EXPECT_EQ(Numbers(), (QStringList{"2", "1"}));
    view.RefreshData();
    EXPECT_EQ(Numbers(), (QStringList{"5", "4", "3", "2"}));
}

TEST_F(TrapLogViewTest, ResetEmptiesTheListAndTheLogAndNumbersFromOneAgain)
{
    CTrapLogView& view = Open(10);
    LogMany(4);
    view.RefreshData();
    view.OnCommand(CTrapLogView::kCmdReset, 0);
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(AppTrapLog().GetCount(), 0u);
    EXPECT_TRUE(view.IsFirstFill());
    LogMany(1, 77);
    view.RefreshData();
    EXPECT_EQ(Numbers(), QStringList{"1"});
    EXPECT_EQ(view.FindRecord(0)->occurTime, 77u);
}

// A new login rebuilds the log; the view starts again from its first record instead of waiting for the numbers it
// had reached, and drops the rows of the old log.
TEST_F(TrapLogViewTest, AViewFollowsTheLogWhenItIsRebuilt)
{
    CTrapLogView& view = Open(10);
    LogMany(6);
    view.RefreshData();
    ASSERT_EQ(List().GetItemCount(), 6);
    ASSERT_EQ(AppTrapLog().ResetTrapLog(10), 1);
    LogMany(2, 300);
    view.RefreshData();
    EXPECT_EQ(Numbers(), (QStringList{"2", "1"}));
    EXPECT_EQ(view.FindRecord(0)->occurTime, 300u);
}

TEST_F(TrapLogViewTest, NoPullWhileBusyOnlyWhenTheViewIsToldSo)
{
    CTrapLogView& view = Open(10);
    SetAppBusy(true);
    LogMany(2);
    view.RefreshData();
    EXPECT_EQ(List().GetItemCount(), 2); // not by default

    WriteConfig("[VIEW]\nDIALOGSTOPREFRESHTRAPLOG=1\n");
    Open(10);
    LogMany(2);
    view_->RefreshData();
    EXPECT_EQ(List().GetItemCount(), 0);
    SetAppBusy(false);
    view_->RefreshData();
    EXPECT_EQ(List().GetItemCount(), 2);
}

TEST_F(TrapLogViewTest, SortOrders)
{
    CTrapLogView& view = Open();
    // bravo (Harbour) and alpha (North); equal occur times break by location, NE, entity and arrival.
    Log(kAlpha, Alarm(kPort, kGeTrunk, 1, 3, 500));  // 0
    Log(kBravo, Alarm(10500, kLineCard, 1, 1, 500)); // 1: shelf 1 slot 5 of bravo
    TrapLogRecord early = Alarm(kSlot, kLineCard, 1, 2, 400);
    early.receiveTime = 900;                         // occurred first, received last
    Log(kAlpha, early);                              // 2
    Log(kAlpha, Alarm(kSlot, kLineCard, 0, 2, 500)); // 3: cleared
    Log(kAlpha, Alarm(kPort, kGeTrunk, 1, 5, 500));  // 4
    view.RefreshData();
    struct Row {
        int column;
        int mode;
        std::vector<uint32_t> order;
    };
    const Row rows[] = {
        {0, kSortDescending, {4, 3, 2, 1, 0}}, {0, kSortAscending, {0, 1, 2, 3, 4}},
        {8, kSortAscending, {2, 1, 3, 0, 4}}, // occur time, then Harbour before North, then entity, then arrival
        {9, kSortAscending, {1, 3, 0, 4, 2}}, // receive time, then the same
        {1, kSortAscending, {3, 4, 0, 2, 1}}, // cleared, info, minor, major, critical
        {1, kSortDescending, {1, 2, 0, 4, 3}}, {7, kSortAscending, {3, 4, 0, 2, 1}}, // Alarms ... sorts as Severity
        {3, kSortAscending, {2, 3, 0, 4, 1}}, // alpha before bravo, then entity id, then arrival
        {2, kSortAscending, {1, 2, 3, 0, 4}}, // Harbour before North
        {5, kSortAscending, {1, 2, 3, 0, 4}}, // "ALC-24" (Harbour first) before "GE Trunk"
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.column);
        view.SortList(row.column, row.mode);
        EXPECT_EQ(view.RowSequences(), row.order);
    }
    // Occur Time and Receive Time sort under compare keys 7 and 8.
    EXPECT_LT(view.CompareItems(2, 0, 7), 0) << "record 2 occurred first";
    EXPECT_GT(view.CompareItems(2, 0, 8), 0) << "record 2 was received last";
    EXPECT_GT(view.CompareItems(2, 0, 7 | kCompareDescending), 0);

    // Names compare without regard to case: "Delta" after "alpha" and "bravo", where a byte compare puts it first.
    // A late record of bravo (Harbour) goes before the North records of its entity type.
    AddNe(13, kNorth, "Delta", kOneShelfModel);
    Log(13, Alarm(10500, kLineCard, 1, 1, 500));     // 5
    Log(kBravo, Alarm(10500, kLineCard, 1, 1, 500)); // 6
    view.RefreshData();
    view.SortList(3, kSortAscending);
    EXPECT_EQ(view.RowSequences(), (std::vector<uint32_t>{2, 3, 0, 4, 1, 6, 5}));
    view.SortList(5, kSortAscending);
    EXPECT_EQ(view.RowSequences(), (std::vector<uint32_t>{1, 6, 2, 3, 5, 0, 4}));
}

TEST_F(TrapLogViewTest, DetailOpensTheEventDetailOfTheSelectedRow)
{
    CTrapLogView& view = Open();
    Log(kAlpha, Alarm(kPort, kGeTrunk, 0x3, 1, 1500));
    Log(kAlpha, Alarm(kSlot, kLineCard, 0, 99, 1600));
    view.RefreshData();

    // Nothing selected: the operator is told.
    runner_.Push([](QDialog& box) {
        EXPECT_TRUE(TextsOf(box).contains("Please select one item"));
        return IDOK;
    });
    view.OnCommand(CTrapLogView::kCmdDetail, 0);
    ASSERT_EQ(runner_.Runs().size(), 1);

    Select(1); // the port's row
    runner_.Push([](QDialog& dialog) {
        auto& detail = dynamic_cast<CEventDetailDlg&>(dialog);
        EXPECT_EQ(detail.GetNeId(), static_cast<int>(kAlpha));
        EXPECT_EQ(detail.GetTargetEntity().id, kPort);
        EXPECT_EQ(detail.GetPlannedType(), kGeTrunk);
        EXPECT_EQ(detail.GetOnlineType(), kGeTrunk);
        EXPECT_EQ(detail.GetAlarmBits(), 0x3u);
        EXPECT_EQ(detail.GetSeverity(), 1);
        EXPECT_EQ(detail.GetOccurTime(), 1500u);
        EXPECT_EQ(detail.GetReceiveTime(), 1502u);
        return IDCANCEL;
    });
    // A double click on a row does the same.
    NotifyHeader click;
    click.idFrom = kListControlId;
    click.code = NM_DBLCLK;
    click.item = 1;
    int result = 0;
    view.OnNotify(click, &result);
    ASSERT_EQ(runner_.Runs().size(), 2);
    EXPECT_EQ(runner_.Runs()[1], "Detailed Alarm & Event");
}

TEST_F(TrapLogViewTest, TheContextMenuOffersWhatApplies)
{
    CTrapLogView& view = Open();
    LogMany(1);
    view.RefreshData();
    NotifyHeader click;
    click.idFrom = kListControlId;
    click.code = NM_RCLICK;
    int result = 0;

    menus_.PushChoice(CTrapLogView::kCmdPause);
    view.OnNotify(click, &result);
    ASSERT_EQ(menus_.Shown().size(), 1u);
    // Detail only with a row, and of Pause and Continue the one that applies: the others are left out, not greyed.
    EXPECT_EQ(menus_.Shown()[0], (std::vector<int>{33026, 33004, 33094, 33024}));
    EXPECT_EQ(menus_.Offered()[0], menus_.Shown()[0]);
    // The chosen command reaches the view once the menu has closed.
    QApplication::processEvents();
    EXPECT_TRUE(CTrapLogView::IsPaused());

    Select(0);
    view.OnNotify(click, &result);
    EXPECT_EQ(menus_.Shown()[1], (std::vector<int>{33012, 33026, 33004, 33093, 33024}));
    EXPECT_EQ(menus_.Offered()[1], menus_.Shown()[1]);
}

TEST_F(TrapLogViewTest, FilterTexts)
{
    struct Row {
        TrapLogFilter filter;
        const char* locationNe;
        const char* entity;
    };
    const Row rows[] = {
        {{0, 0, 0, 0xFF}, "<Root>: <ALL>", "<NE>"},
        {{0, 0, 0, 0x800000FF}, "<Root>: <ALL>", "<NE> <ALL>"},
        {{kNorth, kAlpha, 1, 0x3F}, "North:alpha", "<NE>"},
        {{kNorth, kAlpha, 1, 0x8000003F}, "North:alpha", "<NE> <ALL>"},
        {{0, kAlpha, 10300, 0x8000003F}, "<Root>:alpha", "Shelf-1, Slot-3 <ALL>"},
        {{0, kAlpha, 12101, 0x3F}, "<Root>:alpha", "Shelf-1, Slot-21, Port-GE1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locationNe);
        AppSettings().trapLogFilter = row.filter;
        Open();
        EXPECT_EQ(ControlText(CTrapLogView::kFilterLocationTextId), row.locationNe);
        EXPECT_EQ(ControlText(CTrapLogView::kFilterEntityTextId), row.entity);
    }
}

TEST_F(TrapLogViewTest, TheFilterButtonRunsTheFilterDialogAndRewritesTheFilterLine)
{
    CTrapLogView& view = Open();
    runner_.Push([](QDialog& dialog) {
        auto& filter = dynamic_cast<CTrapLogFilterDlg&>(dialog);
        filter.OnFirstShow();
        auto* ne = filter.GetDlgItemAs<QComboBox>(CTrapLogFilterDlg::kNeComboId);
        ne->setCurrentIndex(ne->findText("bravo"));
        filter.OnCommand(CTrapLogFilterDlg::kNeComboId, CBN_SELCHANGE);
        filter.OnOK();
        return IDCANCEL;
    });
    view.OnCommand(CTrapLogView::kFilterButtonId, BN_CLICKED);
    EXPECT_EQ(ControlText(CTrapLogView::kFilterLocationTextId), "<Root>:bravo");
    EXPECT_EQ(ControlText(CTrapLogView::kFilterEntityTextId), "<NE> <ALL>");
    EXPECT_EQ(ConfigValue("ALARM", "TRAPLOGFILTER"), std::string("0,11,1,0x8000003F"));
}

TEST_F(TrapLogViewTest, DirectModeHidesTheLocationColumn)
{
    AppSettings().directControl = true;
    Open();
    EXPECT_TRUE(view_->IsColumnHidden(kTrapLogLocationColumn));
    AppSettings().directControl = false;
    Open();
    EXPECT_FALSE(view_->IsColumnHidden(kTrapLogLocationColumn));
}

TEST_F(TrapLogViewTest, TheLegendShowsTheFilteredSeveritiesAndTheRunState)
{
    AppSettings().trapLogFilter = {0, 0, 0, 0x06}; // critical and major
    CTrapLogView& view = Open();
    const auto render = [&] {
        QImage image(view.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        Dc dc(painter);
        view.DrawExtras(dc);
        return image;
    };
    // The image's pixel at the centre of a control's image place.
    const auto probe = [&](const QImage& image, int id) {
        const QWidget* control = view.GetDlgItem(id);
        const QPoint at = control->mapTo(&view, QPoint(control->width() - 8, 8));
        return image.pixelColor(at);
    };
    // The picture's pixel as drawn in full on white.
    const auto picture = [](int index) {
        QImage image(kSmallImageSize, kSmallImageSize, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.drawPixmap(0, 0, SharedSmallImages().Get(index));
        painter.end();
        return image.pixelColor(8, 8);
    };
    QImage image = render();
    EXPECT_EQ(probe(image, 1040), picture(12)); // critical: in full
    EXPECT_EQ(probe(image, 1042), picture(13));
    EXPECT_NE(probe(image, 1043), picture(14)); // minor: dimmed
    EXPECT_EQ(probe(image, 1331), picture(33)); // running
    view.OnPause();
    image = render();
    EXPECT_EQ(probe(image, 1331), picture(34));
}

TEST_F(TrapLogViewTest, TheListFillsTheViewBelowTheBand)
{
    CTrapLogView& view = Open();
    QTreeView* list = view.FindList(kListControlId);
    const int top = list->y();
    view.resize(1000, 500);
    EXPECT_EQ(list->geometry(), QRect(0, top, 1000, 500 - top));
    EXPECT_EQ(view.GetDlgItem(CTrapLogView::kBandId)->width(), 1000);
    // Too low a view leaves the list its height: 40 pixels or less below the list's top; 41 are taken.
    view.resize(700, top + 30);
    EXPECT_EQ(list->geometry(), QRect(0, top, 700, 500 - top));
    view.resize(700, top + 40);
    EXPECT_EQ(list->geometry(), QRect(0, top, 700, 500 - top));
    view.resize(700, top + 41);
    EXPECT_EQ(list->geometry(), QRect(0, top, 700, 41));
}

// A burst of 10,000 notifications that fits the log reaches the list whole in one refresh, and the next burst
// replaces it whole.
TEST_F(TrapLogViewTest, ABurstOfTenThousandRecordsIsShownWhole)
{
    constexpr uint32_t kBurst = 10000;
    CTrapLogView& view = Open(kBurst);
    std::vector<TrapLogRecord> batch(100, Alarm(kPort, kGeTrunk, 1, 1));
    const auto burst = [&] {
        for (uint32_t n = 0; n < kBurst / 100; ++n)
            ASSERT_EQ(AppTrapLog().AddTrapLogRecords(kAlpha, batch.data(), 100), 1);
    };
    burst();
    view.RefreshData();
    ASSERT_EQ(List().GetItemCount(), static_cast<int>(kBurst));
    EXPECT_EQ(Cell(0, 0), "10000");
    EXPECT_EQ(Cell(kBurst - 1, 0), "1");
    burst();
    view.RefreshData();
    ASSERT_EQ(List().GetItemCount(), static_cast<int>(kBurst));
    EXPECT_EQ(Cell(0, 0), "20000");
    EXPECT_EQ(Cell(kBurst - 1, 0), "10001");
    std::vector<uint32_t> rows = view.RowSequences();
    std::sort(rows.begin(), rows.end());
    for (uint32_t i = 0; i < kBurst; ++i)
        ASSERT_EQ(rows[i], kBurst + i);
}

} // namespace
