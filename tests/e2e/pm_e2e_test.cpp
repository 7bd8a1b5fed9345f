// Performance monitoring in the running program: from the Performance menu the operator picks a port of a sample NE in
// the port selection, watches its current counters grow and its live graph gain points, lists and graphs its stored
// intervals, and keeps long-term PM items and reads their records, against the simulated server and the simulated
// NE. The peers' refusals come to the operator as the dialogs' failure boxes.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/server_alarms.h"

#include "core/util/date_time_format.h"
#include "features/performance/graphs/graph_dlg.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_add_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_interval_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_list_dlg.h"
#include "features/performance/pm/adsl_current_pm_dlg.h"
#include "features/performance/pm/adsl_history_pm_dlg.h"
#include "features/performance/pm/index_dlg.h"
#include "features/performance/port_selection/xdsl_port_sel_dlg.h"
#include "link/driver_mode.h"
#include "link/records/adsl_current_pm_rec.h"
#include "link/records/long_term_pm_item_rec.h"
#include "link/records/word_record.h"
#include "link/records/xdsl_pm_interval_rec.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/charts/chart_panel.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QPrintPreviewDialog>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <tuple>

namespace {

constexpr int kCmdCurrentPm = 33076;
constexpr int kCmdHistoryPm = 33078;
constexpr int kCmdLongTermPm = 33077;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using Sel = CXdslPortSelDlg;
using Current = CAdslCurrentPmDlg;
using History = CAdslHistoryPmDlg;
using ItemList = CXdslLongTermPmListDlg;
using AddItem = CXdslLongTermPmAddDlg;
using Range = CXdslLongTermPmIntervalDlg;

QString Cell(CADialog& dialog, int row, int column)
{
    return e2e::ListColumn(*dialog.FindList(kListControlId), column).value(row);
}

// The count of a "count / rate" cell.
uint64_t CountOf(const QString& cell)
{
    return cell.section(QStringLiteral(" / "), 0, 0).toULongLong();
}

// What the server keeps of a port's current counters: their previous day stays for the day.
AdslCurrentPmRec ServerCurrentPm(e2e::CProgram& program, uint32_t neId, uint32_t port)
{
    const auto body = EncodeRecord(WordRecord{port});
    const auto records = program.QueryServer(kReqAdslPmCo, neId, {body.begin(), body.end()}, kWordRecordSize);
    AdslCurrentPmRec rec;
    if (records.size() != 1 || !DecodeRecord(records[0].data(), records[0].size(), &rec))
        ADD_FAILURE() << "the server has no counters of port " << port;
    return rec;
}

// Picks the port in the selection and queries it; the function's dialog then runs its script.
void QueryPort(Sel& selection, const QString& slot, const QString& port)
{
    EXPECT_TRUE(Choose(selection, Sel::kSlotComboId, slot));
    EXPECT_TRUE(Choose(selection, Sel::kPortComboId, port));
    Click(selection, IDOK);
}

// The simulated server's world, with its first NE chosen in the tree.
void StartAtNorth1(e2e::CProgram& program)
{
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
}

TEST(PmE2eTest, ThePortSelectionOpensTheCurrentPmWhoseCountersGrowAndFeedTheLiveGraph)
{
    e2e::CProgram program;
    ASSERT_TRUE(
        program.StartServer({.args = {}, .iniExtra = "[DIALOG]\nDIALOGREFRESHTIME=1\n[CHART]\nEDITBUTTON=1\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    const uint32_t neId = program.Frame().GetCurrentNeId();
    e2e::COperator& person = program.Operator();

    person.OnDialog<Sel>([&](Sel& selection) {
        // The root the walk starts at, which is the location of no location; not the NE's location below it (only
        // the location the list starts at is compared). The NE itself comes chosen.
        EXPECT_EQ(selection.GetDlgItemAs<QComboBox>(Sel::kLocationComboId)->currentIndex(), 1);
        EXPECT_EQ(Field(selection, Sel::kLocationComboId), QStringLiteral("<Root>"));
        EXPECT_EQ(Field(selection, Sel::kNeComboId), QStringLiteral("North-1"));
        EXPECT_TRUE(selection.IsControlEnabled(IDOK));
        EXPECT_TRUE(Choose(selection, Sel::kSlotComboId, QStringLiteral("1")));
        EXPECT_TRUE(Choose(selection, Sel::kPortComboId, QStringLiteral("3")));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(selection, QStringLiteral("xdsl_port_sel")));

        person.OnDialog<Current>([&](Current& pm) {
            EXPECT_TRUE(pm.windowTitle().contains(QStringLiteral("North-1"))) << pm.windowTitle().toStdString();
            // Eight rows: each interval CO then RT; the current rows count from the start of the interval.
            EXPECT_EQ(e2e::ListColumn(*pm.FindList(kListControlId), Current::kSideColumn).join(','),
                      QStringLiteral("CO,RT,CO,RT,CO,RT,CO,RT"));
            EXPECT_EQ(e2e::ListColumn(*pm.FindList(kListControlId), 0).join('|'),
                      QStringLiteral("Current 15 Min||Previous 15 Min||Current 1 Day||Previous 1 Day|"));
            EXPECT_EQ(e2e::ListTitles(*pm.FindList(kListControlId)).join('|'),
                      QStringLiteral("Time Interval|Side|LOSs|ESs|SESs|UASs|Tx Cells / Rate (Kbps)|Rx Cells / Rate "
                                     "(Kbps)|CVs|FullInits|FailedInits|TxBlks|RxBlks|CrtBlks|UncrtBlks"));
            const uint32_t elapsed = Field(pm, Current::k15MinElapsedId).toUInt();
            EXPECT_LE(elapsed, 900u);
            EXPECT_GT(CountOf(Cell(pm, 4, Current::kTxCellsColumn)), 0u);
            EXPECT_EQ(Cell(pm, 1, Current::kTxCellsColumn), QStringLiteral("---"));
            EXPECT_EQ(Cell(pm, 2, Current::kTxBlocksColumn), QStringLiteral("--"));
            // The previous day is the server's.
            const AdslCurrentPmRec server = ServerCurrentPm(program, neId, 10103);
            EXPECT_EQ(CountOf(Cell(pm, 6, Current::kTxCellsColumn)), server.previousDay.txCells);
            EXPECT_EQ(Cell(pm, 6, Current::kErroredColumn).toUInt(), server.previousDay.es);

            // Auto-refresh: Refresh goes grey, the counters grow.
            const uint64_t before = CountOf(Cell(pm, 4, Current::kTxCellsColumn));
            Check(pm, Current::kAutoRefreshId);
            EXPECT_FALSE(pm.IsControlEnabled(kRefreshButtonId));
            EXPECT_TRUE(program.WaitUntil([&] { return CountOf(Cell(pm, 4, Current::kTxCellsColumn)) > before; }));
            // A rate since the refresh before.
            EXPECT_FALSE(Cell(pm, 4, Current::kTxCellsColumn).endsWith(QStringLiteral("--")));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(pm, QStringLiteral("adsl_current_pm")));

            // The live graph of the current day, CO: points come with each refresh.
            QTreeView& rows = *pm.FindList(kListControlId);
            // The current 15 minutes and the current day of either side are live; the previous ones are not.
            for (const auto& [row, live] :
                 {std::pair{0, true}, std::pair{1, true}, std::pair{2, false}, std::pair{3, false}, std::pair{4, true},
                  std::pair{5, true}, std::pair{6, false}, std::pair{7, false}}) {
                program.ClickListRow(rows, row);
                EXPECT_EQ(pm.IsControlEnabled(Current::kGraphButtonId), live) << "row " << row;
            }
            program.ClickListRow(rows, 4);
            EXPECT_TRUE(pm.IsControlEnabled(Current::kGraphButtonId));
            person.OnDialog<CPmGraphDlg>([&](CPmGraphDlg& graph) {
                EXPECT_EQ(graph.GetSeriesCount(), 8u);
                EXPECT_TRUE(graph.GetDlgItem(kEditChartButtonId)->isVisible()) << "CHART/EDITBUTTON on";
                EXPECT_TRUE(graph.IsRightAxis(2));
                EXPECT_TRUE(program.WaitUntil([&] { return graph.PointCount(0) >= 3; }));
                const std::vector<double> totals = graph.Values(0);
                EXPECT_LT(totals.front(), totals.back()) << "the day's cells grow";
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(graph, QStringLiteral("adsl_current_pm_graph")));
                // Stop Refresh: no more points; Restart: the series start again.
                Click(graph, CPmGraphDlg::kStopRefreshId);
                const int held = graph.PointCount(0);
                program.WaitUntil([] { return false; }, 1500);
                EXPECT_EQ(graph.PointCount(0), held);
                Click(graph, CPmGraphDlg::kRestartId);
                EXPECT_EQ(graph.PointCount(0), 0);
                EXPECT_TRUE(program.WaitUntil([&] { return graph.PointCount(0) >= 1; }));
                return IDOK;
            });
            Click(pm, Current::kGraphButtonId);
            Check(pm, Current::kAutoRefreshId, false);
            EXPECT_TRUE(pm.IsControlEnabled(kRefreshButtonId));
            return IDCANCEL;
        });
        Click(selection, IDOK);
        // Back in the selection, with its choices, for the next port.
        EXPECT_FALSE(selection.IsEnded());
        EXPECT_EQ(Field(selection, Sel::kPortComboId), QStringLiteral("3"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdCurrentPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join('|').toStdString();
}

// The rate of the current rows is the cells' since the last refresh that succeeded: a refresh the server leaves
// unanswered in between makes it no larger.
TEST(PmE2eTest, AFailedRefreshLeavesTheRatesToTheLastGoodReading)
{
    e2e::CProgram program;
    ASSERT_TRUE(
        program.StartServer({.args = {}, .iniExtra = "[LINK]\nSERVERWAIT=3000\n[DIALOG]\nDIALOGREFRESHTIME=1\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<Sel>([&](Sel& selection) {
        person.OnDialog<Current>([&](Current& pm) {
            const uint64_t before = CountOf(Cell(pm, 4, Current::kTxCellsColumn));
            Check(pm, Current::kAutoRefreshId);
            EXPECT_TRUE(program.WaitUntil([&] { return CountOf(Cell(pm, 4, Current::kTxCellsColumn)) > before; }));
            // The next PM request goes unanswered: the automatic refresh fails, silently, and stops.
            const auto control = EncodeRecord(SimControlRec{kSimStaySilent, 1, kReqAdslPmCo, 0});
            EmsMsg request;
            EmsMsg* reply = nullptr;
            BuildEmsMsg(&request, kEmsOpModify, kReqSimControl, kSimControlRecSize, control.data(), 0);
            EXPECT_EQ(GetCurrentDriver().RequestEmsMsg(&request, &reply, 0, -2, false), 0);
            EXPECT_TRUE(program.WaitUntil([&] { return !pm.IsAutoRefreshing(); }));
            EXPECT_TRUE(person.boxTexts.empty());
            Click(pm, kRefreshButtonId);
            // The day's cells over the seconds since the last good reading: the line's rate, at most 24 Mbit/s.
            const double rate = Cell(pm, 4, Current::kTxCellsColumn).section(QStringLiteral(" / "), 1).toDouble();
            EXPECT_GT(rate, 0.0);
            EXPECT_LT(rate, 24000.0) << Cell(pm, 4, Current::kTxCellsColumn).toStdString();
            return IDCANCEL;
        });
        QueryPort(selection, QStringLiteral("1"), QStringLiteral("3"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdCurrentPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// The server answers no PM of a line card that is not as planned: the refresh's failure box says why, and the rows
// stay at zero.
TEST(PmE2eTest, TheServersRefusalOfAPortsPmIsShownAndTheDialogStays)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("South-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<Sel>([&](Sel& selection) {
        EXPECT_TRUE(Choose(selection, Sel::kSlotComboId, QStringLiteral("2")));
        person.OnDialog<Current>([&](Current& pm) {
            EXPECT_EQ(person.boxTexts, std::vector<QString>{QStringLiteral(
                                           "Fail to query\n\n(32028) The line card does not match its plan")});
            EXPECT_FALSE(pm.IsEnded());
            EXPECT_EQ(Cell(pm, 0, Current::kTxCellsColumn), QStringLiteral("0 / --"));
            EXPECT_EQ(Cell(pm, 2, Current::kTxBlocksColumn), QStringLiteral("0")) << "reset as every row";
            EXPECT_EQ(Field(pm, Current::k15MinElapsedId), QString());
            return IDCANCEL;
        });
        Click(selection, IDOK);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdCurrentPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A reply that names another request code than its request's is no reply to it: the previous 15 minutes of the
// current PM stay as reset and the refresh goes on; the history lists no CO rows and goes on with the RT side. Neither
// says a word.
TEST(PmE2eTest, AReplyNamingAnotherCodeFillsNothingAndTheRefreshGoesOn)
{
    e2e::CProgram program;
    ASSERT_NO_FATAL_FAILURE(StartAtNorth1(program));
    e2e::COperator& person = program.Operator();
    person.OnDialog<Sel>([&](Sel& selection) {
        person.OnDialog<Current>([&](Current& pm) {
            EXPECT_EQ(Cell(pm, 2, Current::kTxCellsColumn), QStringLiteral("0 / --")) << "as reset";
            EXPECT_EQ(Cell(pm, 2, Current::kErroredColumn), QStringLiteral("0"));
            EXPECT_NE(Cell(pm, 3, Current::kErroredColumn), QString()) << "617 came after";
            EXPECT_GT(CountOf(Cell(pm, 6, Current::kTxCellsColumn)), 0u) << "the day before is filled";
            EXPECT_NE(Field(pm, Current::k15MinElapsedId), QString());
            EXPECT_TRUE(person.boxTexts.empty());
            // Refreshed as usual, the previous 15 minutes come.
            Click(pm, kRefreshButtonId);
            EXPECT_NE(Cell(pm, 2, Current::kTxCellsColumn), QStringLiteral("0 / --"));
            return IDCANCEL;
        });
        EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRenameNextReply, kReqAdslHistoryCo.value, 999));
        QueryPort(selection, QStringLiteral("1"), QStringLiteral("3"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdCurrentPm));

    person.OnDialog<Sel>([&](Sel& selection) {
        person.OnDialog<History>([&](History& history) {
            const QStringList sides = e2e::ListColumn(*history.FindList(kListControlId), kPmSideColumn);
            EXPECT_EQ(sides.count(QStringLiteral("CO")), 0);
            EXPECT_EQ(sides.count(QStringLiteral("RT")), 96);
            EXPECT_TRUE(person.boxTexts.empty());
            return IDCANCEL;
        });
        // The CO intervals come back named as the RT side's.
        EXPECT_TRUE(
            e2e::ServerControl(program, 0, kSimRenameNextReply, kReqAdslHistoryCo.value, kReqAdslHistoryRt.value));
        QueryPort(selection, QStringLiteral("1"), QStringLiteral("3"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHistoryPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// The current PM asks 600, 601, 602, 603, 616 and 617 in this order, and a refused request ends the refresh: with the
// CO blocks (602) refused the RT blocks (603) stay as reset, and with the RT intervals (617) refused the CO's previous
// 15 minutes (616) have come.
TEST(PmE2eTest, TheCurrentPmAsksItsCodesInTheirOrder)
{
    e2e::CProgram program;
    ASSERT_NO_FATAL_FAILURE(StartAtNorth1(program));
    e2e::COperator& person = program.Operator();
    struct Row {
        uint32_t refused;
        int row;
        int column;
        bool asReset;
        QString reset;
    };
    const Row rows[] = {{602, 1, Current::kTxBlocksColumn, true, QStringLiteral("0")},
                        {617, 2, Current::kTxCellsColumn, false, QStringLiteral("0 / --")}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.refused);
        person.OnDialog<Sel>([&](Sel& selection) {
            person.OnDialog<Current>([&](Current& pm) {
                EXPECT_EQ(person.boxTexts.size(), 1u) << "the refusal is told";
                person.boxTexts.clear();
                EXPECT_EQ(Cell(pm, row.row, row.column) == row.reset, row.asReset)
                    << Cell(pm, row.row, row.column).toStdString();
                return IDCANCEL;
            });
            EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRefuseNextRequest, row.refused));
            QueryPort(selection, QStringLiteral("1"), QStringLiteral("3"));
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(kCmdCurrentPm));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// What the server keeps of a port's intervals on one side.
std::vector<XdslPmIntervalRec> ServerIntervals(e2e::CProgram& program, uint32_t neId, uint16_t code, uint32_t port)
{
    const auto body = EncodeRecord(AdslHistoryQueryRec{port});
    std::vector<XdslPmIntervalRec> intervals;
    for (const auto& bytes : program.QueryServer(code, neId, {body.begin(), body.end()}, kAdslHistoryQueryRecSize)) {
        XdslPmIntervalRec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec))
            intervals.push_back(rec);
    }
    return intervals;
}

TEST(PmE2eTest, TheHistoryPmListsSortsAndGraphsThePortsIntervals)
{
    e2e::CProgram program;
    ASSERT_NO_FATAL_FAILURE(StartAtNorth1(program));
    const uint32_t neId = program.Frame().GetCurrentNeId();
    e2e::COperator& person = program.Operator();

    person.OnDialog<Sel>([&](Sel& selection) {
        person.OnDialog<History>([&](History& history) {
            QTreeView& list = *history.FindList(kListControlId);
            // A day of intervals a side, as the server keeps them, in time order as the list opens.
            const std::vector<XdslPmIntervalRec> co = ServerIntervals(program, neId, kReqAdslHistoryCo, 10103);
            if (co.size() != 96u) {
                ADD_FAILURE() << "the server keeps " << co.size() << " intervals";
                return IDCANCEL;
            }
            const QStringList sides = e2e::ListColumn(list, kPmSideColumn);
            const QStringList times = e2e::ListColumn(list, kPmCreateTimeColumn);
            EXPECT_EQ(sides.size(), 192);
            EXPECT_EQ(e2e::ListTitles(list).join('|'),
                      QStringLiteral("Create Time|Side|LOSs|ESs|SESs|UASs|TxCells / Rate "
                                     "(Kbps)|RxCells / Rate (Kbps)|CVs|FullInits|FailedInits"));
            EXPECT_EQ(sides.count(QStringLiteral("CO")), 96);
            EXPECT_EQ(sides.mid(0, 4).join(','), QStringLiteral("CO,RT,CO,RT")) << "CO before RT of one time";
            EXPECT_EQ(times.value(0), QString::fromStdString(FormatShortDateTime(co.back().createTime)));
            const int latest = 190;
            EXPECT_EQ(times.value(latest), QString::fromStdString(FormatShortDateTime(co.front().createTime)));
            EXPECT_EQ(Cell(history, latest, kPmErroredColumn).toUInt(), co.front().counters.es);
            EXPECT_EQ(CountOf(Cell(history, latest, kPmTxCellsColumn)), co.front().counters.txCells);
            // The RT side counts no cells and no initialisations.
            for (const int column : {kPmTxCellsColumn, kPmRxCellsColumn, kPmFullInitsColumn, kPmFailedInitsColumn})
                EXPECT_EQ(Cell(history, latest + 1, column), QStringLiteral("---")) << "column " << column;
            EXPECT_EQ(Cell(history, latest, kPmFailedInitsColumn).toUInt(), co.front().counters.failedInits);
            EXPECT_FALSE(history.IsControlEnabled(History::kGraphButtonId));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(history, QStringLiteral("adsl_history_pm")));

            // ESs descending: equal counts go by time, then side, the same way.
            e2e::CProgram::ClickHeader(*list.header(), kPmErroredColumn);
            e2e::CProgram::ClickHeader(*list.header(), kPmErroredColumn);
            const QStringList errored = e2e::ListColumn(list, kPmErroredColumn);
            const QStringList sortedTimes = e2e::ListColumn(list, kPmCreateTimeColumn);
            const QStringList sortedSides = e2e::ListColumn(list, kPmSideColumn);
            for (int r = 1; r < errored.size(); ++r) {
                const auto key = [&](int row) {
                    return std::tuple(errored[row].toUInt(), sortedTimes[row], sortedSides[row]);
                };
                EXPECT_GE(key(r - 1), key(r)) << "row " << r;
            }

            // The graph: each column of counts a series per side over the creation times.
            program.ClickListRow(list, 0);
            person.OnDialog<CGraphDlg>([&](CGraphDlg& graph) {
                const GraphData& data = graph.Data();
                EXPECT_EQ(data.labels.size(), 96u);
                EXPECT_FALSE(graph.GetDlgItem(kEditChartButtonId)->isVisible()) << "CHART/EDITBUTTON off when absent";
                EXPECT_EQ(data.labels.front(),
                          QString::fromStdString(FormatShortDateTime(co.back().createTime)).toStdString())
                    << "the oldest interval first";
                EXPECT_GE(data.series.size(), 9u);
                size_t remote = 0;
                for (const GraphSeriesData& series : data.series)
                    remote += series.titleNumber == 1 ? 1 : 0;
                EXPECT_GE(remote, 4u) << "the RT side's seconds at least";
                // The times along the bottom, the seconds and counts on the left, the cells and violations on the
                // right.
                std::map<int, QString> titles;
                for (const QAbstractAxis* axis : graph.findChild<QChartView*>()->chart()->axes())
                    titles[static_cast<int>(axis->alignment())] = axis->titleText();
                EXPECT_EQ(titles[Qt::AlignBottom], QStringLiteral("Create Time"));
                EXPECT_EQ(titles[Qt::AlignLeft], QStringLiteral("Seconds / Times"));
                EXPECT_EQ(titles[Qt::AlignRight], QStringLiteral("Cells / Bits"));
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(graph, QStringLiteral("adsl_history_pm_graph")));
                // The chart's buttons: all series hidden and shown, the look with depth, a picture, the preview.
                CChartPanel& chart = graph.Chart();
                Click(graph, kDeselectAllButtonId);
                EXPECT_FALSE(chart.IsSeriesVisible(0));
                Click(graph, kSelectAllButtonId);
                EXPECT_TRUE(chart.IsSeriesVisible(chart.SeriesCount() - 1));
                Click(graph, kView3dButtonId);
                EXPECT_TRUE(chart.Is3d());
                EXPECT_EQ(Field(graph, kView3dButtonId), QStringLiteral("2&D"));
                const std::filesystem::path picture = program.WorkDir().Path() / "history.png";
                person.Files().PushPath(QString::fromStdString(picture.string()));
                Click(graph, kSaveChartButtonId);
                EXPECT_FALSE(QImage(QString::fromStdString(picture.string())).isNull());
                bool previewed = false;
                person.OnDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog&) {
                    previewed = true;
                    return IDCANCEL;
                });
                Click(graph, kPrintChartButtonId);
                EXPECT_TRUE(previewed);
                return IDOK;
            });
            Click(history, History::kGraphButtonId);
            // The operator's order again.
            EXPECT_EQ(e2e::ListColumn(list, kPmErroredColumn), errored);
            // By time either way (the list opened on the time ascending: the first click turns it), CO before RT of
            // one time.
            for (const XdslPmIntervalRec* first : {&co.front(), &co.back()}) {
                e2e::CProgram::ClickHeader(*list.header(), kPmCreateTimeColumn);
                EXPECT_EQ(e2e::ListColumn(list, kPmCreateTimeColumn).value(0),
                          QString::fromStdString(FormatShortDateTime(first->createTime)));
                EXPECT_EQ(e2e::ListColumn(list, kPmSideColumn).mid(0, 4).join(','), QStringLiteral("CO,RT,CO,RT"));
            }

            person.OnDialog<CIndexDlg>([&](CIndexDlg& legend) {
                EXPECT_EQ(legend.windowTitle(), QStringLiteral("xDSL PM Description"));
                EXPECT_TRUE(Field(legend, CIndexDlg::kTextId).contains(QStringLiteral("Code violations")));
                return IDCANCEL;
            });
            Click(history, History::kDescriptionButtonId);
            return IDCANCEL;
        });
        QueryPort(selection, QStringLiteral("1"), QStringLiteral("3"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHistoryPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join('|').toStdString();
}

std::vector<LongTermPmItemRec> ServerItems(e2e::CProgram& program, uint32_t neId)
{
    return program.ServerRecords<LongTermPmItemRec>(kReqLongTermPmItem, neId);
}

bool HasItem(const std::vector<LongTermPmItemRec>& items, uint32_t port)
{
    return std::any_of(items.begin(), items.end(),
                       [port](const LongTermPmItemRec& item) { return item.entityId == port; });
}

// Types a date ("yyyyMMdd") or an hour ("HH") into a date or time edit as a person does: into its first field, each
// field moving on to the next once full.
void TypeTime(CDialog& dialog, int id, const QString& digits)
{
    auto* edit = dialog.GetDlgItemAs<QDateTimeEdit>(id);
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Home);
    for (qsizetype i = 0; i < edit->sectionText(edit->sectionAt(0)).size(); ++i)
        QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(edit, digits);
}

QString DateDigits(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

TEST(PmE2eTest, LongTermPmItemsAreAddedQueriedByDateAndHourAndDeleted)
{
    e2e::CProgram program;
    ASSERT_NO_FATAL_FAILURE(StartAtNorth1(program));
    const uint32_t neId = program.Frame().GetCurrentNeId();
    e2e::COperator& person = program.Operator();
    const QDate yesterday = QDate::currentDate().addDays(-1);

    person.OnDialog<ItemList>([&](ItemList& items) {
        QTreeView& list = *items.FindList(kListControlId);
        EXPECT_EQ(e2e::ListTitles(list).join('|'), QStringLiteral("No.|Slot-Port|Start Time|Stop Time|PhyIdx"));
        EXPECT_EQ(e2e::ListColumn(list, ItemList::kPortColumn), QStringList{QStringLiteral("1-2")});
        EXPECT_EQ(e2e::ListColumn(list, ItemList::kStartColumn),
                  QStringList{QString::fromStdString(FormatDateHour(1700000000))});
        EXPECT_EQ(e2e::CellImage(list, 0), kImageStarted);
        EXPECT_FALSE(SharedSmallImages().Get(e2e::CellImage(list, 0)).isNull())
            << "a collection that has begun shows its picture";

        // A new item for port 5; a window that ends before it starts is refused first.
        person.OnDialog<AddItem>([&](AddItem& add) {
            EXPECT_EQ(Field(add, AddItem::kNeNameId), QStringLiteral("North-1"));
            EXPECT_TRUE(Choose(add, AddItem::kSlotComboId, QStringLiteral("1")));
            EXPECT_TRUE(Choose(add, AddItem::kPortComboId, QStringLiteral("5")));
            TypeTime(add, AddItem::kFromDateId, DateDigits(QDate::currentDate().addDays(3)));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("Start value shouldn't be greater than Stop value"));
            EXPECT_FALSE(HasItem(ServerItems(program, neId), 10105));
            // A window of no length, starting tomorrow at this hour, as it stops.
            TypeTime(add, AddItem::kFromDateId, DateDigits(QDate::currentDate().addDays(1)));
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("Start value shouldn't be greater than Stop value"))
                << "the alert stays while the operator puts the window in order";
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("xdsl_long_term_pm_add")));
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(items, kAddButtonId);
        EXPECT_TRUE(HasItem(ServerItems(program, neId), 10105));
        EXPECT_EQ(e2e::ListColumn(list, ItemList::kPortColumn).size(), 2);
        // The new row is brought into view; the row chosen before stays chosen.
        const QModelIndexList chosen = list.selectionModel()->selectedRows();
        EXPECT_EQ(chosen.size(), 1);
        EXPECT_EQ(chosen.value(0).siblingAtColumn(ItemList::kPortColumn).data().toString(), QStringLiteral("1-2"));
        // Its collection has not begun: no picture.
        EXPECT_NE(e2e::CellImage(list, e2e::RowOf(list, ItemList::kPortColumn, QStringLiteral("1-5"))), kImageStarted);

        // The same port again: the server refuses, the dialog stays with the operator's choice.
        person.OnDialog<AddItem>([&](AddItem& add) {
            Click(add, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Adding new data failed\n\n(32028) Record already exists"));
            EXPECT_FALSE(add.IsEnded());
            return IDCANCEL;
        });
        program.ClickListRow(list, e2e::RowOf(list, ItemList::kPortColumn, QStringLiteral("1-5")));
        Click(items, kAddButtonId);
        EXPECT_EQ(e2e::ListColumn(list, ItemList::kPortColumn).size(), 2);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(items, QStringLiteral("xdsl_long_term_pm_list")));

        // The seeded port's records of yesterday from 00 to 06 hours: a record every 15 minutes, both ends in.
        person.OnDialog<Range>([&](Range& range) {
            EXPECT_EQ(Field(range, Range::kPortId), QStringLiteral("2"));
            TypeTime(range, Range::kFromDateId, DateDigits(yesterday));
            TypeTime(range, Range::kToDateId, DateDigits(yesterday));
            TypeTime(range, Range::kFromHourId, QStringLiteral("07"));
            TypeTime(range, Range::kToHourId, QStringLiteral("06"));
            Click(range, IDOK);
            EXPECT_EQ(e2e::MessageLine(range), QStringLiteral("Start value shouldn't be greater than Stop value"));
            TypeTime(range, Range::kFromHourId, QStringLiteral("00"));
            EXPECT_EQ(e2e::MessageLine(range), QStringLiteral("Start value shouldn't be greater than Stop value"))
                << "the alert stays while the operator puts the range in order";
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(range, QStringLiteral("xdsl_long_term_pm_interval")));
            person.OnDialog<CXdslLongTermPmDlg>([&](CXdslLongTermPmDlg& records) {
                QTreeView& rows = *records.FindList(kListControlId);
                const QStringList sides = e2e::ListColumn(rows, kPmSideColumn);
                EXPECT_EQ(sides.count(QStringLiteral("CO")), 25);
                EXPECT_EQ(sides.count(QStringLiteral("RT")), 25);
                EXPECT_EQ(e2e::ListTitles(rows).join('|'),
                          QStringLiteral("Create Time|Side|LOSs| ESs|SESs|UASs|TxCells / Rate (Kbps)|RxCells / Rate "
                                         "(Kbps)|CVs|FullInits|FailedInits"));
                EXPECT_EQ(e2e::ListColumn(rows, kPmCreateTimeColumn).value(0),
                          yesterday.toString(QStringLiteral("MM-dd")) + QStringLiteral(" 00:00"));
                EXPECT_TRUE(Cell(records, 0, kPmTxCellsColumn).contains(QStringLiteral(" / ")));
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(records, QStringLiteral("xdsl_long_term_pm")));
                program.ClickListRow(rows, 3);
                person.OnDialog<CGraphDlg>([&](CGraphDlg& graph) {
                    EXPECT_EQ(graph.Data().labels.size(), 25u);
                    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(graph, QStringLiteral("xdsl_long_term_pm_graph")));
                    return IDOK;
                });
                Click(records, History::kGraphButtonId);
                return IDCANCEL;
            });
            Click(range, IDOK);
            EXPECT_FALSE(range.IsEnded()) << "it stays for another range";
            // The CO side refused: its box, and the RT side is asked for all the same.
            person.OnDialog<CXdslLongTermPmDlg>([&](CXdslLongTermPmDlg& records) {
                const QStringList sides = e2e::ListColumn(*records.FindList(kListControlId), kPmSideColumn);
                EXPECT_EQ(sides.count(QStringLiteral("CO")), 0);
                EXPECT_EQ(sides.count(QStringLiteral("RT")), 25);
                EXPECT_EQ(person.boxTexts.empty() ? QString() : person.LastBoxText(),
                          QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
                return IDCANCEL;
            });
            EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRefuseNextRequest, kReqLongTermPmCo.value));
            Click(range, IDOK);
            return IDCANCEL;
        });
        program.ClickListRow(list, e2e::RowOf(list, ItemList::kPortColumn, QStringLiteral("1-2")));
        Click(items, kShowButtonId);

        // Delete, confirmed.
        program.ClickListRow(list, e2e::RowOf(list, ItemList::kPortColumn, QStringLiteral("1-5")));
        person.AnswerBox(IDYES);
        Click(items, kDeleteButtonId);
        EXPECT_EQ(e2e::RowOf(list, ItemList::kPortColumn, QStringLiteral("1-5")), -1);
        EXPECT_FALSE(HasItem(ServerItems(program, neId), 10105));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdLongTermPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join('|').toStdString();
}

// An operator who may only query long-term PM opens the add dialog, which asks the query right of its mode; the server
// refuses the item, and the delete is refused at the list, which asks for 'd'.
TEST(PmE2eTest, AQueryOnlyOperatorOpensTheAddDialogButAddsAndDeletesNothing)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.SetRoleRights('a', 'm', 'q'));
    ASSERT_TRUE(program.Login("north", "north"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    const uint32_t neId = program.Frame().GetCurrentNeId();
    const size_t before = ServerItems(program, neId).size();
    e2e::COperator& person = program.Operator();
    person.OnDialog<ItemList>([&](ItemList& items) {
        person.OnDialog<AddItem>([&](AddItem& add) {
            EXPECT_FALSE(add.IsEnded()) << "the query right opens it";
            EXPECT_TRUE(Choose(add, AddItem::kSlotComboId, QStringLiteral("1")));
            EXPECT_TRUE(Choose(add, AddItem::kPortComboId, QStringLiteral("7")));
            Click(add, IDOK);
            EXPECT_FALSE(add.IsEnded());
            EXPECT_TRUE(!person.boxTexts.empty() &&
                        person.LastBoxText().startsWith(QStringLiteral("Adding new data failed")));
            return IDCANCEL;
        });
        Click(items, kAddButtonId);
        QTreeView& list = *items.FindList(kListControlId);
        EXPECT_GT(CListControl(&list).GetItemCount(), 0) << "the seeded item";
        if (CListControl(&list).GetItemCount() > 0) {
            program.ClickListRow(list, 0);
            Click(items, kDeleteButtonId);
            EXPECT_EQ(e2e::MessageLine(items), QStringLiteral("No privilege"));
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdLongTermPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
    EXPECT_EQ(ServerItems(program, neId).size(), before);
}

// A window with no port chosen is sent as it stands: the item names the card.
TEST(PmE2eTest, ALongTermItemWithoutAPortIsSentForTheCard)
{
    e2e::CProgram program;
    ASSERT_NO_FATAL_FAILURE(StartAtNorth1(program));
    const uint32_t neId = program.Frame().GetCurrentNeId();
    e2e::COperator& person = program.Operator();
    person.OnDialog<ItemList>([&](ItemList& items) {
        person.OnDialog<AddItem>([&](AddItem& add) {
            EXPECT_TRUE(Choose(add, AddItem::kSlotComboId, QStringLiteral("1")));
            add.GetDlgItemAs<QComboBox>(AddItem::kPortComboId)->setCurrentIndex(-1);
            Click(add, IDOK);
            EXPECT_NE(e2e::MessageLine(add), QStringLiteral("Please select one item"));
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(items, kAddButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdLongTermPm));
    EXPECT_TRUE(HasItem(ServerItems(program, neId), 10100));
}

// In direct mode the NE answers the same requests: its current counters, the day of intervals it keeps and its
// long-term PM items.
TEST(PmE2eTest, InDirectModeTheNeAnswersThePmOfItsPorts)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    e2e::COperator& person = program.Operator();

    person.OnDialog<Sel>([&](Sel& selection) {
        EXPECT_EQ(Field(selection, Sel::kLocationComboId), QStringLiteral("<Root>"));
        EXPECT_EQ(Field(selection, Sel::kNeComboId), QStringLiteral("127.0.0.1"));
        person.OnDialog<Current>([&](Current& pm) {
            const auto now = static_cast<uint32_t>(std::time(nullptr));
            const uint32_t elapsed = Field(pm, Current::k15MinElapsedId).toUInt();
            EXPECT_LE((now % 900 + 900 - elapsed) % 900, 2u) << "the NE's current 15 minutes";
            EXPECT_GT(CountOf(Cell(pm, 6, Current::kTxCellsColumn)), 0u);
            EXPECT_TRUE(person.boxTexts.empty());
            return IDCANCEL;
        });
        QueryPort(selection, QStringLiteral("1"), QStringLiteral("2"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdCurrentPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";

    person.OnDialog<Sel>([&](Sel& selection) {
        person.OnDialog<History>([&](History& history) {
            EXPECT_EQ(e2e::ListColumn(*history.FindList(kListControlId), kPmSideColumn).size(), 192);
            return IDCANCEL;
        });
        QueryPort(selection, QStringLiteral("1"), QStringLiteral("2"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHistoryPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";

    person.OnDialog<ItemList>([&](ItemList& items) {
        QTreeView& list = *items.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(list, ItemList::kPortColumn).size(), 1);
        person.OnDialog<AddItem>([&](AddItem& add) {
            EXPECT_TRUE(Choose(add, AddItem::kPortComboId, QStringLiteral("9")));
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(items, kAddButtonId);
        EXPECT_NE(e2e::RowOf(list, ItemList::kPortIdColumn, QStringLiteral("10109")), -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdLongTermPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
    // What the NE keeps now, as the list shows it when it opens again.
    person.OnDialog<ItemList>([&](ItemList& items) {
        EXPECT_EQ(e2e::ListColumn(*items.FindList(kListControlId), ItemList::kPortIdColumn).size(), 2);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdLongTermPm));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join('|').toStdString();
}

} // namespace
