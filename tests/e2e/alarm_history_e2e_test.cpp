// History alarms and events in the running program (server mode): Diagnosis > NE Alarm > History Alarm List asks
// for the criteria of the selected NE and lists what the server holds, page by page; the operator walks the pages
// (first, next, last, previous), narrows a page without a new request and opens a record's detail. The statistics
// count the same history per entity, and their Alarm List lists it. An NE the server no longer knows is refused,
// and the lists stay empty.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/export_steps.h"
#include "tests/e2e/support/sent_requests.h"
#include "tests/e2e/support/server_alarms.h"
#include "tests/e2e/support/severity_totals.h"

#include "features/fault/alarm_events/alarm_criteria_dlg.h"
#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/alarm_stats/alarm_stat_criteria_dlg.h"
#include "features/fault/alarm_stats/alarm_stat_dlg.h"
#include "features/fault/trap_log/alarm_detail_dlg.h"
#include "link/records/ne_key_record.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QTimeEdit>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr int kCmdHistoryAlarmList = 33034;
constexpr int kCmdHistoryStatistics = 33036;
constexpr int kCmdLocationActiveAlarm = 33030;
constexpr int kCmdLocationHistoryAlarm = 33035;
constexpr uint32_t kNorthNe = 1;
constexpr int kNoColumn = 0;
constexpr int kSeverityColumn = 1;
using List = CAlarmEventListDlg;
using e2e::Click;
using e2e::Field;

// The record numbers the list shows, in the server's order.
std::vector<uint32_t> ShownNumbers(QTreeView& rows)
{
    std::vector<uint32_t> numbers;
    for (const QString& text : e2e::ListColumn(rows, kNoColumn))
        numbers.push_back(text.toUInt());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The query the list sends for a range.
AlarmQueryRec PageQuery(const List& list, uint32_t from, uint32_t to)
{
    const AlarmQueryHandOver& handOver = list.GetHandOver();
    AlarmQueryRec query;
    query.queryMode = handOver.queryMode;
    query.fromTime = handOver.fromTime;
    query.toTime = handOver.toTime;
    query.firstRecord = from;
    query.recordCount = to - from + 1;
    return query;
}

// The program with history on North-1: each pushed state raises or clears an alarm of one of its entities.
void StartWithHistory(e2e::CProgram& program)
{
    ASSERT_TRUE(program.StartServer(e2e::WithPduLog()));
    ASSERT_TRUE(program.Login("admin", "admin"));
    ASSERT_TRUE(e2e::ServerControl(program, kNorthNe, kSimPushEntityStates, 60, kSimChannelTcp));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
}

TEST(AlarmHistoryE2eTest, TheOperatorWalksThePagesOfTheServersHistory)
{
    e2e::CProgram program;
    StartWithHistory(program);
    e2e::COperator& person = program.Operator();

    person.OnDialog<CAlarmCriteriaDlg>([&](CAlarmCriteriaDlg& criteria) {
        // History: today from midnight to now, the whole NE.
        EXPECT_TRUE(e2e::IsChecked(criteria, CCriteriaControls::kFromCheckId));
        EXPECT_TRUE(e2e::IsChecked(criteria, CCriteriaControls::kToCheckId));
        EXPECT_EQ(Field(criteria, CAlarmCriteriaDlg::kNeTextId), QStringLiteral("North-1"));
        // With a model its alarm types offer themselves; with Model off nothing of them is sent.
        e2e::Check(criteria, CAlarmCriteriaDlg::kModelCheckId, true);
        EXPECT_TRUE(e2e::Choose(criteria, CAlarmCriteriaDlg::kModelComboId, QStringLiteral("ALC-24")));
        QTreeView& types = *criteria.FindList(CAlarmCriteriaDlg::kAlarmTypeListId);
        EXPECT_FALSE(e2e::ListColumn(types, 0).isEmpty());
        // Name sorts the types by their index, with the arrow over it.
        EXPECT_EQ(e2e::ListColumn(types, 0).value(0), QStringLiteral("Card Out"));
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(types, 0, kImageSortAscending));
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(types, 1, -1));
        const QStringList byIndex = e2e::ListColumn(types, 0);
        e2e::CProgram::ClickHeader(*types.header(), 0);
        EXPECT_EQ(e2e::ListColumn(types, 0), QStringList(byIndex.rbegin(), byIndex.rend()));
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(types, 0, kImageSortDescending));
        e2e::CProgram::ClickHeader(*types.header(), 0);
        EXPECT_EQ(e2e::ListColumn(types, 0), byIndex);

        // Description sorts by its texts, with the arrow.
        e2e::CProgram::ClickHeader(*types.header(), 1);
        const QStringList descriptions = e2e::ListColumn(types, 1);
        EXPECT_TRUE(std::is_sorted(descriptions.begin(), descriptions.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        })) << descriptions.join('|').toStdString();
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(types, 1, kImageSortAscending));
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(types, 0, -1));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(criteria, QStringLiteral("alarm_criteria_dlg")));
        e2e::Check(criteria, CAlarmCriteriaDlg::kModelCheckId, false);

        person.OnDialog<List>([&](List& list) {
            QTreeView& rows = *list.FindList(kListControlId);
            const uint32_t total = list.GetTotal();
            EXPECT_EQ(e2e::ServerAlarmTotal(program, PageQuery(list, 1, 1), kNorthNe), total);
            EXPECT_GT(total, 30u) << "several pages of ten";
            EXPECT_EQ(Field(list, List::kTotalId), QString::number(total));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("alarm_event_list_dlg")));
            EXPECT_EQ(e2e::CountsAwayFromTheirLabels(list), "");
            EXPECT_EQ(e2e::ExportStem(program, list), "HisAlm");
            // The server's history shows every column, the clear time too, and offers no acknowledgement.
            for (int column = 0; column <= List::kAckTimeColumn; ++column)
                EXPECT_FALSE(list.IsColumnHidden(column)) << column;
            for (int id : {List::kAcknowledgeButtonId, List::kAckCheckId, List::kNackCheckId})
                EXPECT_FALSE(list.IsControlVisible(id)) << id;

            // Pages of ten records.
            e2e::Type(list, List::kToId, QStringLiteral("10"));
            const auto expectPage = [&](uint32_t from, uint32_t to) {
                EXPECT_EQ(Field(list, List::kFromId), QString::number(from));
                EXPECT_EQ(Field(list, List::kToId), QString::number(to));
                EXPECT_EQ(ShownNumbers(rows), e2e::ServerAlarmPage(program, PageQuery(list, from, to), kNorthNe));
            };
            // Refresh asks for the range typed; on the first page there is no first or previous page to go to.
            Click(list, kRefreshButtonId);
            expectPage(1, 10);
            EXPECT_FALSE(list.IsControlEnabled(List::kFirstPageId));
            EXPECT_FALSE(list.IsControlEnabled(List::kPreviousPageId));
            Click(list, List::kNextPageId);
            expectPage(11, 20);
            Click(list, List::kLastPageId);
            expectPage(total - 9, total);
            EXPECT_FALSE(list.IsControlEnabled(List::kNextPageId));
            Click(list, List::kPreviousPageId);
            expectPage(total - 19, total - 10);
            EXPECT_TRUE(list.IsControlEnabled(List::kNextPageId));
            Click(list, List::kFirstPageId);
            expectPage(1, 10);

            // "Alarms ..." sorts as Severity: the arrow over Severity, its own header saying so.
            e2e::CProgram::ClickHeader(*rows.header(), List::kAlarmsColumn);
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, List::kAlarmsColumn, kImageSortedElsewhere));
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, kSeverityColumn, kImageSortAscending));

            // Only the page's critical and major records, counted as shown; no request.
            const QStringList severities = e2e::ListColumn(rows, kSeverityColumn);
            // The narrowed rows are made anew: none stays selected, even one that passes, and Detail waits for one.
            const int major = e2e::RowOf(rows, kSeverityColumn, QStringLiteral("Major"));
            EXPECT_GE(major, 0);
            program.ClickListRow(rows, major);
            EXPECT_TRUE(list.IsControlEnabled(List::kDetailButtonId));
            for (const SeverityBox& box : kSeverityBoxes)
                e2e::Check(list, box.checkId, box.severity <= 2);
            EXPECT_EQ(CListControl(&rows).GetSelectedCount(), 0);
            EXPECT_FALSE(list.IsControlEnabled(List::kDetailButtonId));
            const int graves = static_cast<int>(severities.count(QStringLiteral("Critical")) +
                                                severities.count(QStringLiteral("Major")));
            EXPECT_EQ(e2e::ListColumn(rows, kSeverityColumn).size(), graves);
            EXPECT_EQ(Field(list, 1178), QStringLiteral("0")) << "no minor record is counted";
            for (const SeverityBox& box : kSeverityBoxes)
                e2e::Check(list, box.checkId, true);
            EXPECT_EQ(e2e::ListColumn(rows, kSeverityColumn).size(), severities.size());

            // Alarm Name ticked when the page comes: a record none of whose alarms is named gives no row, and
            // unticking the box does not bring it back until the page is fetched again.
            const QString named = e2e::ListColumn(rows, List::kAlarmsColumn).value(0).section(',', 0, 0);
            e2e::Check(list, List::kNameCheckId, true);
            e2e::Type(list, List::kNameEditId, named);
            const qsizetype namedRows = e2e::ListColumn(rows, kSeverityColumn).size();
            EXPECT_LT(namedRows, severities.size()) << named.toStdString();
            Click(list, kRefreshButtonId);
            e2e::Check(list, List::kNameCheckId, false);
            EXPECT_EQ(e2e::ListColumn(rows, kSeverityColumn).size(), namedRows);
            Click(list, kRefreshButtonId);
            EXPECT_EQ(e2e::ListColumn(rows, kSeverityColumn).size(), severities.size());

            // A record's detail.
            person.OnDialog<CAlarmDetailDlg>([&](CAlarmDetailDlg& detail) {
                EXPECT_EQ(Field(detail, CAlarmDetailDlg::kNeNameId), QStringLiteral("North-1"));
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(detail, QStringLiteral("alarm_event_detail_dlg")));
                EXPECT_EQ(e2e::ExportStem(program, detail), "DtlAlm");
                return IDCANCEL;
            });
            program.ClickListRow(rows, 0);
            Click(list, List::kDetailButtonId);
            return IDCANCEL;
        });
        Click(criteria, IDOK);
        // Query leaves the criteria open for the next one.
        EXPECT_FALSE(criteria.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHistoryAlarmList));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// The record edits bound a typed number at once: an end past the total becomes the total, a start below 1 becomes 1,
// a range of more than 5000 records ends 4999 records after its start; Refresh asks for what the edits then show.
TEST(AlarmHistoryE2eTest, TypedRangesAreBoundedByTheTotalAndByAPage)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    // Raised and cleared in turn, about half of them become history records: more than a page.
    const auto push = EncodeRecord(SimControlRec{kSimPushEntityStates, 12000, kSimChannelTcp, 0});
    server_test::CRawClient& probe = program.ServerProbe();
    const std::optional<::Frame> pushed = probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqSimControl, kNorthNe, {push.begin(), push.end()}, kSimControlRecSize), 60000);
    ASSERT_TRUE(pushed && pushed->header.status == 0);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CAlarmCriteriaDlg>([&](CAlarmCriteriaDlg& criteria) {
        person.OnDialog<List>([&](List& list) {
            const uint32_t total = list.GetTotal();
            EXPECT_GT(total, 5001u);
            struct Row {
                uint32_t from;
                uint32_t to;
                uint32_t shownFrom;
                uint32_t shownTo;
            };
            const Row rows[] = {
                {1, 5000, 1, 5000},
                {1, 5001, 1, 5000},
                {1, 8000, 1, 5000},
                {total - 10, total, total - 10, total},
                {total - 10, total + 1, total - 10, total},
                {0, 10, 1, 10},
            };
            for (const Row& row : rows) {
                SCOPED_TRACE(::testing::Message() << row.from << ".." << row.to);
                e2e::Type(list, List::kFromId, QString::number(row.from));
                e2e::Type(list, List::kToId, QString::number(row.to));
                EXPECT_EQ(Field(list, List::kFromId), QString::number(row.shownFrom));
                EXPECT_EQ(Field(list, List::kToId), QString::number(row.shownTo));
                EXPECT_TRUE(list.IsControlEnabled(kRefreshButtonId));
            }
            e2e::Type(list, List::kFromId, QStringLiteral("1"));
            e2e::Type(list, List::kToId, QStringLiteral("8000"));
            Click(list, kRefreshButtonId);
            EXPECT_EQ(list.Page().size(), 5000u);
            EXPECT_EQ(ShownNumbers(*list.FindList(kListControlId)),
                      e2e::ServerAlarmPage(program, PageQuery(list, 1, 5000), kNorthNe));
            // A text that is no whole number leaves the range to the operator with Refresh, the paging
            // buttons and the spin off; the number typed back brings them again.
            const int paging[] = {kRefreshButtonId,  List::kFirstPageId, List::kPreviousPageId,
                                  List::kNextPageId, List::kLastPageId,  List::kSpinId};
            const struct {
                int edit;
                const char* text;
                const char* valid;
            } entries[] = {{List::kToId, "x", "20"},
                           {List::kFromId, "", "11"},
                           {List::kFromId, "-1", "11"},
                           {List::kToId, "2.5", "20"}};
            e2e::Type(list, List::kFromId, QStringLiteral("11"));
            e2e::Type(list, List::kToId, QStringLiteral("20"));
            for (const auto& entry : entries) {
                SCOPED_TRACE(entry.text);
                e2e::Type(list, entry.edit, QString::fromLatin1(entry.text));
                for (int id : paging)
                    EXPECT_FALSE(list.IsControlEnabled(id)) << id;
                e2e::Type(list, entry.edit, QString::fromLatin1(entry.valid));
                for (int id : paging)
                    EXPECT_TRUE(list.IsControlEnabled(id)) << id;
            }
            return IDCANCEL;
        });
        Click(criteria, IDOK);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHistoryAlarmList));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// Diagnosis > Location Alarm: History Alarm asks for history criteria (today so far) and lists the history, Active
// Alarm asks for active ones with no time range.
TEST(AlarmHistoryE2eTest, TheLocationAlarmCommandsAskForTheirOwnKindOfAlarms)
{
    e2e::CProgram program;
    StartWithHistory(program);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North")));
    e2e::COperator& person = program.Operator();

    struct Row {
        int command;
        const char* kind;
        uint32_t queryMode;
        bool timeRange;
    };
    for (const Row& row : {Row{kCmdLocationHistoryAlarm, "History", kAlarmQueryHistory, true},
                           Row{kCmdLocationActiveAlarm, "Active", kAlarmQueryActive, false}}) {
        SCOPED_TRACE(row.kind);
        person.OnDialog<CAlarmCriteriaDlg>([&](CAlarmCriteriaDlg& criteria) {
            EXPECT_TRUE(criteria.windowTitle().contains(QLatin1String(row.kind)))
                << criteria.windowTitle().toStdString();
            EXPECT_EQ(e2e::IsChecked(criteria, CCriteriaControls::kFromCheckId), row.timeRange);
            EXPECT_EQ(e2e::IsChecked(criteria, CCriteriaControls::kToCheckId), row.timeRange);
            EXPECT_EQ(Field(criteria, CAlarmCriteriaDlg::kLocationTextId), QStringLiteral("North"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(
                criteria,
                QStringLiteral("alarm_criteria_dlg_location_%1").arg(QString::fromLatin1(row.kind).toLower())));
            person.OnDialog<List>([&](List& list) {
                EXPECT_EQ(list.GetHandOver().queryMode, row.queryMode);
                // The kind becomes the list's base caption, and the location goes before it.
                EXPECT_EQ(list.windowTitle(), QStringLiteral("[North] ") + QLatin1String(row.kind));
                EXPECT_GT(list.GetTotal(), 0u) << "North's NE has alarms of both kinds";
                return IDCANCEL;
            });
            Click(criteria, IDOK);
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(row.command));
    }
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

TEST(AlarmHistoryE2eTest, TheStatisticsCountTheHistoryPerEntityAndListIt)
{
    e2e::CProgram program;
    StartWithHistory(program);
    e2e::COperator& person = program.Operator();

    person.OnDialog<CAlarmStatCriteriaDlg>([&](CAlarmStatCriteriaDlg& criteria) {
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(criteria, QStringLiteral("alarm_stat_criteria_dlg")));
        // The criteria keep their own caption; the statistics name the NE.
        EXPECT_EQ(criteria.windowTitle(), QStringLiteral("History Alarm & Event Statistics Criteria"));
        // On opening: both ends of the time range on, no severity asked for, Critical chosen among them.
        EXPECT_TRUE(e2e::IsChecked(criteria, CCriteriaControls::kFromCheckId));
        EXPECT_TRUE(e2e::IsChecked(criteria, CCriteriaControls::kToCheckId));
        EXPECT_FALSE(e2e::IsChecked(criteria, CCriteriaControls::kSeverityCheckId));
        EXPECT_TRUE(e2e::IsChecked(criteria, 1172));
        EXPECT_FALSE(criteria.IsControlEnabled(1172));
        // A reversed range is refused at once.
        auto* to = criteria.GetDlgItemAs<QDateEdit>(CCriteriaControls::kToDateId);
        to->setDate(to->date().addDays(-1));
        Click(criteria, IDOK);
        EXPECT_EQ(e2e::MessageLine(criteria), QStringLiteral("Start value shouldn't be greater than Stop value"));
        to->setDate(to->date().addDays(1));
        // A range whose ends are equal is no reversed range: the statistics open on it.
        auto* toTime = criteria.GetDlgItemAs<QTimeEdit>(CCriteriaControls::kToTimeId);
        const QDate toDate = to->date();
        const QTime toAt = toTime->time();
        to->setDate(criteria.GetDlgItemAs<QDateEdit>(CCriteriaControls::kFromDateId)->date());
        toTime->setTime(criteria.GetDlgItemAs<QTimeEdit>(CCriteriaControls::kFromTimeId)->time());
        bool opened = false;
        person.OnDialog<CAlarmStatDlg>([&opened](CAlarmStatDlg&) {
            opened = true;
            return IDCANCEL;
        });
        Click(criteria, IDOK);
        EXPECT_TRUE(opened);
        to->setDate(toDate);
        toTime->setTime(toAt);

        person.OnDialog<CAlarmStatDlg>([&](CAlarmStatDlg& stats) {
            QTreeView& rows = *stats.FindList(kListControlId);
            EXPECT_EQ(stats.windowTitle(), QStringLiteral("[North:North-1] History Alarm & Event Statistics"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(stats, QStringLiteral("alarm_stat_dlg")));
            EXPECT_EQ(e2e::ExportStem(program, stats), "HisAlmSt");
            // Critical to Warning are filled, Info only on a row that has an Info record, and each row's total is the
            // sum of its severities.
            uint32_t counted = 0;
            for (int row = 0; row < CListControl(&rows).GetItemCount(); ++row) {
                uint32_t sum = 0;
                for (int column = 3; column <= 7; ++column) {
                    const QString cell = CListControl(&rows).GetItemText(row, column);
                    EXPECT_TRUE(column == 7 || !cell.isEmpty()) << "row " << row << " column " << column;
                    sum += cell.toUInt();
                }
                EXPECT_EQ(CListControl(&rows).GetItemText(row, 2).toUInt(), sum);
                counted += sum;
            }
            EXPECT_GT(counted, 0u);
            // The counts sort as numbers, by the column clicked.
            for (int column : {2, 5}) {
                e2e::CProgram::ClickHeader(*rows.header(), column);
                std::vector<uint32_t> shown;
                for (const QString& cell : e2e::ListColumn(rows, column))
                    shown.push_back(cell.toUInt());
                EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()) || std::is_sorted(shown.rbegin(), shown.rend()))
                    << "column " << column;
                EXPECT_NE(shown.front(), shown.back()) << "column " << column << " has counts to order";
            }
            // No. and Slot-Port sort by the rows' entities.
            for (int column : {0, 1}) {
                e2e::CProgram::ClickHeader(*rows.header(), column);
                std::vector<uint32_t> entities;
                for (int row = 0; row < CListControl(&rows).GetItemCount(); ++row)
                    entities.push_back(CListControl(&rows).GetItemData(row));
                EXPECT_TRUE(std::is_sorted(entities.begin(), entities.end()) ||
                            std::is_sorted(entities.rbegin(), entities.rend()))
                    << "column " << column;
            }
            // Alarm List without a chosen row: the whole scope's history with the sub-entities, as many records as
            // counted; on a chosen row (button or popup): that row's entity alone, as many as its row counts.
            const struct {
                const char* how;
                int row;
                int command;
                bool popup;
            } ways[] = {{"button, no row", -1, 1291, false},
                        {"button, a row", 0, 1291, false},
                        {"popup, a row", 1, 33082, true}};
            for (const auto& way : ways) {
                SCOPED_TRACE(way.how);
                const CListControl shown(&rows);
                const bool chosen = way.row >= 0;
                const CEntityId entity = chosen ? CEntityId(shown.GetItemData(way.row)) : stats.GetTargetEntity();
                const uint32_t total = chosen ? shown.GetItemText(way.row, 2).toUInt() : counted;
                person.OnDialog<List>([&](List& list) {
                    EXPECT_EQ(list.GetHandOver().queryMode, kAlarmQueryHistory);
                    EXPECT_EQ(list.GetHandOver().withSubEntities, !chosen);
                    EXPECT_EQ(list.GetTargetEntity(), entity);
                    EXPECT_EQ(list.GetTotal(), total);
                    return IDCANCEL;
                });
                if (way.popup) {
                    program.RightClickListRow(rows, way.row, way.command);
                } else {
                    if (chosen)
                        program.ClickListRow(rows, way.row);
                    Click(stats, way.command);
                }
            }
            return IDCANCEL;
        });
        Click(criteria, IDOK);
        return IDCANCEL;
    });
    // The statistics and the lists they open ask the server about the NE of the criteria (the frame's own queries
    // before them aside).
    struct Sent {
        const char* what;
        uint32_t operation;
        uint32_t code;
        size_t before = 0;
    };
    Sent wire[] = {{"statistics", 1, 331}, {"alarm list", 1, 328}};
    for (Sent& row : wire)
        row.before = e2e::SentNeIds(program, row.operation, row.code).size();
    ASSERT_TRUE(program.Command(kCmdHistoryStatistics));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
    for (const Sent& row : wire) {
        SCOPED_TRACE(row.what);
        std::vector<uint32_t> neIds = e2e::SentNeIds(program, row.operation, row.code);
        neIds.erase(neIds.begin(), neIds.begin() + static_cast<std::ptrdiff_t>(std::min(row.before, neIds.size())));
        ASSERT_FALSE(neIds.empty());
        EXPECT_EQ(neIds, std::vector<uint32_t>(neIds.size(), kNorthNe));
    }
}

TEST(AlarmHistoryE2eTest, TheServerRefusesTheHistoryOfAnNeItNoLongerKnows)
{
    e2e::CProgram program;
    StartWithHistory(program);
    e2e::COperator& person = program.Operator();

    person.OnDialog<CAlarmCriteriaDlg>([&](CAlarmCriteriaDlg& criteria) {
        // Another workstation deletes the NE while the criteria are open.
        NeKeyRecord gone;
        gone.neId = kNorthNe;
        const auto bytes = EncodeRecord(gone);
        server_test::CRawClient& probe = program.ServerProbe();
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqNeKeyDelete, 0, {bytes.begin(), bytes.end()}, kNeKeyRecordSize));

        person.OnDialog<List>([&](List& list) {
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) NE does not exist"));
            EXPECT_TRUE(e2e::ListColumn(*list.FindList(kListControlId), kNoColumn).isEmpty());
            return IDCANCEL;
        });
        Click(criteria, IDOK);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHistoryAlarmList));
}

} // namespace
