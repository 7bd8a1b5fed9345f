// Active alarms in the running program: the alarm summary below the tree counts the server's active alarms from the
// login on and follows them as they come and go; Diagnosis > NE Alarm > Active Alarm lists the selected NE's alarmed
// entities from the notifications, and the operator acknowledges one through the acknowledgement dialog: the server
// keeps who and when, and the list shows them. An entity whose alarms cleared meanwhile has nothing to acknowledge:
// the server says so and keeps what it had.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/rights_steps.h"
#include "tests/e2e/support/sent_requests.h"
#include "tests/e2e/support/server_alarms.h"
#include "tests/e2e/support/severity_totals.h"

#include "core/tables/app_data.h"
#include "core/util/date_time_format.h"
#include "features/fault/active_alarms/active_alarm_dlg.h"
#include "features/fault/active_alarms/alarm_ack_dlg.h"
#include "features/fault/alarm_events/alarm_criteria_dlg.h"
#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/fault/hw_monitor/hw_mon_threshold_dlg.h"
#include "features/fault/trap_log/event_detail_dlg.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <type_traits>
#include <vector>

namespace {

constexpr int kCmdActiveAlarm = 33029;
constexpr uint32_t kNorthNe = 1;
constexpr int kSlotPortColumn = 4;
constexpr int kAlarmsColumn = 7;
using e2e::Click;
using e2e::Field;

// The counts the summary shows for critical, major and minor.
QStringList SummaryCounts(CTrapSumView& summary)
{
    const CListControl list(summary.FindList(kListControlId));
    QStringList counts;
    for (int row = 0; row < 3; ++row)
        counts << list.GetItemText(row, 1);
    return counts;
}

QStringList ServerCounts(e2e::CProgram& program)
{
    QStringList counts;
    for (uint32_t severity = 1; severity <= 3; ++severity)
        counts << QString::number(e2e::ServerActiveAlarms(program, severity).value_or(9999));
    return counts;
}

// The commands the list's popup shows when the operator right-clicks below its rows, with no row selected.
std::vector<int> PopupBelowTheRows(e2e::CProgram& program, QTreeView& rows)
{
    rows.clearSelection();
    const QPoint blank(rows.viewport()->width() / 2, rows.viewport()->height() - 2);
    EXPECT_FALSE(rows.indexAt(blank).isValid()) << "room below the rows";
    program.RightClickAt(*rows.viewport(), blank);
    const auto& shown = program.Operator().Popups().Shown();
    return shown.empty() ? std::vector<int>{} : shown.back();
}

CTrapSumView& Summary(e2e::CProgram& program)
{
    return *dynamic_cast<CTrapSumView*>(program.Frame().GetAlarmSummaryView());
}

TEST(ActiveAlarmE2eTest, TheSummaryCountsTheServersActiveAlarmsFromLoginOn)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer(e2e::WithPduLog()));
    ASSERT_TRUE(program.Login("admin", "admin"));
    CTrapSumView& summary = Summary(program);
    const QStringList atLogin = ServerCounts(program);
    ASSERT_NE(atLogin, (QStringList{"0", "0", "0"})) << "the test world has active alarms";
    EXPECT_TRUE(program.WaitUntil([&] { return SummaryCounts(summary) == atLogin; }))
        << SummaryCounts(summary).join(',').toStdString() << " shown, the server has "
        << atLogin.join(',').toStdString();
    program.Frame().resize(1152, 720);
    program.Settle();
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("main_frame_alarm_summary")));

    // Alarms come and go: the counts follow without the operator opening a list.
    ASSERT_TRUE(e2e::ServerControl(program, kNorthNe, kSimPushEntityStates, 7, kSimChannelTcp));
    const QStringList changed = ServerCounts(program);
    ASSERT_NE(changed, atLogin);
    EXPECT_TRUE(program.WaitUntil([&] { return SummaryCounts(summary) == changed; }))
        << SummaryCounts(summary).join(',').toStdString() << " shown, the server has "
        << changed.join(',').toStdString();

    // Detail of a severity lists as many alarms as the row counts.
    const int majorRow = 1;
    std::optional<uint32_t> listed;
    program.Operator().OnDialog<CAlarmEventListDlg>([&](CAlarmEventListDlg& list) {
        listed = list.GetTotal();
        EXPECT_EQ(list.GetHandOver().severity, 2u);
        EXPECT_TRUE(list.IsColumnHidden(CAlarmEventListDlg::kClearTimeColumn)) << "active alarms are not cleared";
        EXPECT_TRUE(list.IsControlVisible(CAlarmEventListDlg::kAckCheckId)) << "active alarms are acknowledged";
        // Of the severity boxes only Major is ticked and offered; ACK and NACK are both ticked and offered.
        const std::pair<int, bool> boxes[] = {{1172, false}, {1175, true}, {1177, false}, {1180, false},
                                              {1394, false}, {1170, true}, {1182, true}};
        for (const auto& [id, on] : boxes) {
            EXPECT_EQ(e2e::IsChecked(list, id), on) << id;
            EXPECT_EQ(list.IsControlEnabled(id), on) << id;
        }
        return IDCANCEL;
    });
    QTreeView& rows = *summary.FindList(kListControlId);
    const size_t queriesBefore = e2e::SentNeIds(program, 1, 328).size();
    program.RightClickListRow(rows, majorRow, CTrapSumView::kCmdDetail);
    EXPECT_EQ(program.Operator().Popups().Shown().back(), (std::vector<int>{33012, 33024}));
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(QString::number(*listed), changed.value(majorRow));
    // The list of the whole network asks the server with no NE: NE id 0.
    std::vector<uint32_t> neIds = e2e::SentNeIds(program, 1, 328);
    neIds.erase(neIds.begin(), neIds.begin() + static_cast<std::ptrdiff_t>(std::min(queriesBefore, neIds.size())));
    ASSERT_FALSE(neIds.empty());
    EXPECT_EQ(neIds, std::vector<uint32_t>(neIds.size(), 0u));
}

TEST(ActiveAlarmE2eTest, AnAcknowledgedEntityShowsThePersonAndTimeTheServerKeeps)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CActiveAlarmDlg>([&](CActiveAlarmDlg& dialog) {
        QTreeView& rows = *dialog.FindList(kListControlId);
        // The NE's two alarmed entities: port 3 of slot 1 and slot 2.
        EXPECT_EQ(e2e::ListColumn(rows, kSlotPortColumn), (QStringList{"1-3", "2"}));
        EXPECT_EQ(Field(dialog, CActiveAlarmDlg::kTotalCountId), QStringLiteral("2"));
        EXPECT_FALSE(dialog.IsControlEnabled(CActiveAlarmDlg::kAcknowledgeButtonId));
        // The columns take the room of their texts, Ack Time's too: the list shows that it scrolls sideways (the
        // scroll bar comes with the view's next layout).
        EXPECT_TRUE(program.WaitUntil([&] { return rows.horizontalScrollBar()->isVisible(); }));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("active_alarm_dlg")));
        EXPECT_EQ(e2e::CountsAwayFromTheirLabels(dialog), "");
        // Occur Time sorts under compare key 7, the number of the column before it, whose header takes the arrow.
        e2e::CProgram::ClickHeader(*rows.header(), CActiveAlarmDlg::kOccurTimeColumn);
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, CActiveAlarmDlg::kOccurTimeColumn, kImageSortedElsewhere));
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, CActiveAlarmDlg::kAlarmsColumn, kImageSortAscending));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("active_alarm_dlg_by_occur_time")));
        e2e::CProgram::ClickHeader(*rows.header(), 0); // back to the entities' order
        // Without a row the popup leaves Detail and Acknowledge out; on a row it offers them.
        EXPECT_EQ(PopupBelowTheRows(program, rows), (std::vector<int>{33084, 33024, 33023}));
        program.RightClickListRow(rows, 0);
        EXPECT_EQ(program.Operator().Popups().Shown().back(), (std::vector<int>{33012, 33000, 33084, 33024, 33023}));
        // Export offers the list under the stem "CurAlm".
        person.OnDialog<CExportDlg>([&](CExportDlg& exporting) {
            EXPECT_EQ(exporting.GetStem(), "CurAlm");
            return IDCANCEL;
        });
        program.RightClickListRow(rows, 0, 33024);

        // Filters narrow the rows without a request: no major alarms, then no unacknowledged ones.
        const QString slotAlarms = e2e::ListColumn(rows, kAlarmsColumn).value(1);
        e2e::Check(dialog, CActiveAlarmDlg::kNackCheckId, false);
        EXPECT_TRUE(e2e::ListColumn(rows, kSlotPortColumn).isEmpty());
        EXPECT_EQ(Field(dialog, CActiveAlarmDlg::kTotalCountId), QStringLiteral("0"));
        e2e::Check(dialog, CActiveAlarmDlg::kNackCheckId, true);
        e2e::Check(dialog, CActiveAlarmDlg::kNameCheckId, true);
        e2e::Type(dialog, CActiveAlarmDlg::kNameEditId,
                  QStringLiteral("nothing; ") + slotAlarms.section(',', 0, 0).toLower());
        EXPECT_EQ(e2e::ListColumn(rows, kSlotPortColumn), (QStringList{"2"}));
        e2e::Check(dialog, CActiveAlarmDlg::kNameCheckId, false);

        program.ClickListRow(rows, e2e::RowOf(rows, kSlotPortColumn, QStringLiteral("2")));
        person.OnDialog<CAlarmAckDlg>([&](CAlarmAckDlg& ack) {
            EXPECT_EQ(Field(ack, CAlarmAckDlg::kCurrentPersonId), QString());
            EXPECT_EQ(Field(ack, CAlarmAckDlg::kNewPersonId), QStringLiteral("admin"));
            // The comment takes 60 characters.
            e2e::Type(ack, CAlarmAckDlg::kCommentId, QString(61, QLatin1Char('c')));
            EXPECT_EQ(Field(ack, CAlarmAckDlg::kCommentId), QString(60, QLatin1Char('c')));
            // The comment as typed, letters beyond ASCII included.
            e2e::Type(ack, CAlarmAckDlg::kCommentId, QStringLiteral("Störung vor Ort"));
            EXPECT_EQ(Field(ack, CAlarmAckDlg::kCommentId), QStringLiteral("Störung vor Ort"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(ack, QStringLiteral("alarm_ack_dlg")));
            // Asked first: No sends nothing and keeps the dialog open.
            person.AnswerBox(IDNO);
            Click(ack, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to acknowledge the data?"));
            EXPECT_FALSE(ack.IsEnded());
            EXPECT_EQ(e2e::ServerAck(program, kNorthNe, 10200).value_or(AlarmAckRec{}).person, "");
            person.AnswerBox(IDYES);
            Click(ack, IDOK);
            EXPECT_TRUE(ack.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, CActiveAlarmDlg::kAcknowledgeButtonId);

        const std::optional<AlarmAckRec> kept = e2e::ServerAck(program, kNorthNe, 10200);
        EXPECT_TRUE(kept.has_value());
        if (kept) {
            EXPECT_EQ(kept->person, "admin");
            EXPECT_GT(kept->ackTime, 0u);
            EXPECT_EQ(kept->comment, "Störung vor Ort");
            const int row = e2e::RowOf(rows, kSlotPortColumn, QStringLiteral("2"));
            EXPECT_EQ(e2e::ListColumn(rows, CActiveAlarmDlg::kAckPersonColumn).value(row), QStringLiteral("admin"));
            EXPECT_EQ(e2e::ListColumn(rows, CActiveAlarmDlg::kAckTimeColumn).value(row),
                      QString::fromStdString(FormatDateTime(kept->ackTime)));
            // Opened again, the acknowledgement shows what the server keeps.
            person.OnDialog<CAlarmAckDlg>([&](CAlarmAckDlg& again) {
                EXPECT_EQ(Field(again, CAlarmAckDlg::kCurrentPersonId), QStringLiteral("admin"));
                EXPECT_EQ(Field(again, CAlarmAckDlg::kCurrentTimeId),
                          QString::fromStdString(FormatDateTime(kept->ackTime)));
                EXPECT_EQ(Field(again, CAlarmAckDlg::kCommentId), QStringLiteral("Störung vor Ort"));
                return IDCANCEL;
            });
            Click(dialog, CActiveAlarmDlg::kAcknowledgeButtonId);
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdActiveAlarm));
    // The server tells the workstations; the entity's node is acknowledged when the notification is applied.
    EXPECT_TRUE(program.WaitUntil([] {
        const CNeRecord* ne = AppData().nes.FindNeById(kNorthNe);
        const CEntityNode* node = ne != nullptr ? ne->root->FindById(10200) : nullptr;
        return node != nullptr && node->GetAlarmDetail().ackFlag != 0 && node->GetAlarmDetail().ackPerson == "admin";
    }));
}

// An operator whose role may only query the acknowledgements sees who acknowledged, but cannot acknowledge.
TEST(ActiveAlarmE2eTest, AnOperatorWithoutTheAcknowledgeRightSeesTheAcknowledgementOnly)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.SetRoleRights('a', 'm', 'q'));
    ASSERT_TRUE(program.Login("north", "north"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    bool shown = false;
    person.OnDialog<CActiveAlarmDlg>([&](CActiveAlarmDlg& dialog) {
        QTreeView& rows = *dialog.FindList(kListControlId);
        program.ClickListRow(rows, e2e::RowOf(rows, kSlotPortColumn, QStringLiteral("2")));
        person.OnDialog<CAlarmAckDlg>([&](CAlarmAckDlg& ack) {
            shown = true;
            EXPECT_FALSE(ack.IsEnded());
            EXPECT_FALSE(ack.IsControlEnabled(IDOK)) << "shown only";
            return IDCANCEL;
        });
        Click(dialog, CActiveAlarmDlg::kAcknowledgeButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdActiveAlarm));
    EXPECT_TRUE(shown);
}

// Whether the NE told the entity or one below it in an alarm state: an entity it never told is offline, not alarmed
// by the NE.
bool AnyToldAlarm(const CEntityNode& node)
{
    if (node.IsConnected() && node.GetStateBits() != 0)
        return true;
    for (int i = 0; i < node.GetChildCount(); ++i) {
        if (AnyToldAlarm(*node.GetChild(i)))
            return true;
    }
    return false;
}

// Direct mode: the NE's alarmed entities with no acknowledgement; a row's detail is the event detail.
TEST(ActiveAlarmE2eTest, InDirectModeTheListShowsTheNesAlarmsWithoutAcknowledgement)
{
    e2e::CProgram program;
    // The NE raises an alarm every 100 ms, from its start on.
    ASSERT_TRUE(program.StartAgent({.args = {"--alarm-interval", "100"}, .iniExtra = {}},
                                   std::string(TARVIK_RESOURCES_DIR) + "/sim/ne_agent_scenario.ini"));
    ASSERT_TRUE(program.Login("qurim", "private"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")));
    e2e::COperator& person = program.Operator();
    const CNeRecord* ne = AppData().nes.FindNeById(program.Frame().GetCurrentNeId());
    ASSERT_NE(ne, nullptr);
    ASSERT_TRUE(program.WaitUntil([&] { return ne->root != nullptr && AnyToldAlarm(*ne->root); }))
        << "the NE tells its alarms";

    person.OnDialog<CActiveAlarmDlg>([&](CActiveAlarmDlg& dialog) {
        QTreeView& rows = *dialog.FindList(kListControlId);
        // What the operator sees on opening: nothing of acknowledgement, no Location.
        QStringList titles;
        for (int c = 0; c < rows.model()->columnCount(); ++c) {
            if (!rows.header()->isSectionHidden(c))
                titles << rows.model()->headerData(c, Qt::Horizontal).toString();
        }
        for (const char* hidden : {"Location", "Ack Person", "Ack Time"})
            EXPECT_FALSE(titles.contains(QLatin1String(hidden))) << hidden;
        EXPECT_FALSE(dialog.IsControlVisible(CActiveAlarmDlg::kAcknowledgeButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("active_alarm_dlg_direct")));
        const CListControl list(&rows);
        if (list.GetItemCount() == 0) {
            ADD_FAILURE() << "the NE has alarms";
            return IDCANCEL;
        }
        // Each row is an entity the NE told alarmed; none is one whose state it never told.
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const CEntityNode* node = ne->root->FindById(list.GetItemData(row));
            EXPECT_TRUE(node != nullptr && node->IsConnected() && node->GetStateBits() != 0)
                << list.GetItemText(row, kSlotPortColumn).toStdString();
        }
        // An alarm name no entity has leaves room below the rows.
        e2e::Check(dialog, CActiveAlarmDlg::kNameCheckId, true);
        e2e::Type(dialog, CActiveAlarmDlg::kNameEditId, QStringLiteral("nothing"));
        EXPECT_EQ(PopupBelowTheRows(program, rows), (std::vector<int>{33084, 33024, 33023}));
        e2e::Check(dialog, CActiveAlarmDlg::kNameCheckId, false);
        person.OnDialog<CEventDetailDlg>([&](CEventDetailDlg& detail) {
            EXPECT_EQ(Field(detail, CEventDetailDlg::kNeNameId), QStringLiteral("127.0.0.1"));
            return IDCANCEL;
        });
        program.RightClickListRow(rows, 0, 33012);
        EXPECT_EQ(program.Operator().Popups().Shown().back(), (std::vector<int>{33012, 33084, 33024, 33023}));
        EXPECT_TRUE(person.dialogsRun.contains(QStringLiteral("Detailed Alarm & Event")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.WaitUntil([&] {
        const CNeRecord* ne = AppData().nes.FindNeById(program.Frame().GetCurrentNeId());
        return ne != nullptr && ne->root != nullptr && ne->root->IsConnected();
    }));
    ASSERT_TRUE(program.Command(kCmdActiveAlarm));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// Direct mode: the summary's popup on a severity row opens the NE's active alarms of that severity only.
TEST(ActiveAlarmE2eTest, InDirectModeTheSummarysPopupOpensTheNesAlarmsOfARowsSeverity)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent({}, std::string(TARVIK_RESOURCES_DIR) + "/sim/ne_agent_scenario.ini"));
    ASSERT_TRUE(program.Login("qurim", "private"));
    e2e::COperator& person = program.Operator();
    const int majorRow = 1;
    // The caption is read once the dialog has taken its data: it names the NE then.
    QString caption;
    person.OnDialog<CActiveAlarmDlg>([&](CActiveAlarmDlg& dialog) {
        caption = dialog.windowTitle();
        for (const SeverityBox& box : kSeverityBoxes)
            EXPECT_EQ(e2e::IsChecked(dialog, box.checkId), box.severity == 2) << box.severity;
        return IDCANCEL;
    });
    QTreeView& rows = *Summary(program).FindList(kListControlId);
    program.RightClickListRow(rows, majorRow, CTrapSumView::kCmdDetail);
    EXPECT_EQ(program.Operator().Popups().Shown().back(), (std::vector<int>{33012, 33024}));
    EXPECT_EQ(caption, QStringLiteral("[127.0.0.1] Active Alarm & Event"));
}

TEST(ActiveAlarmE2eTest, AnEntityWhoseAlarmsClearedHasNothingToAcknowledge)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CActiveAlarmDlg>([&](CActiveAlarmDlg& dialog) -> int {
        QTreeView& rows = *dialog.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(rows, kSlotPortColumn), (QStringList{"1-3", "2"}));
        // The port's alarm clears while the list shows it.
        EXPECT_TRUE(e2e::ServerControl(program, kNorthNe, kSimToggleAlarm, 10103, 3));
        program.ClickListRow(rows, 0);
        person.OnDialog<CAlarmAckDlg>([&](CAlarmAckDlg& ack) {
            person.AnswerBox(IDYES);
            Click(ack, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Fail to update data\n\n(32028) No active alarm to acknowledge"));
            EXPECT_FALSE(ack.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, CActiveAlarmDlg::kAcknowledgeButtonId);
        EXPECT_EQ(e2e::ListColumn(rows, CActiveAlarmDlg::kAckPersonColumn).value(0), QString());
        // Refresh reads the entity tree again: the port is no longer alarmed.
        program.Settle();
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(e2e::ListColumn(rows, kSlotPortColumn), (QStringList{"2"}));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdActiveAlarm));
    const std::optional<AlarmAckRec> kept = e2e::ServerAck(program, kNorthNe, 10103);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->person, "");
}

// The rights of the fault dialogs' changes, end to end: acknowledging from either alarm list opens the
// acknowledgement for change only with "m" on the acknowledgement function, and the hardware thresholds are saved
// only with "m" on hardware monitoring.
class FaultRightsE2eTest : public e2e::CRightsTest {};

// The list the command opens (through the criteria when it asks for them), its Acknowledge pressed on the first row:
// refused when the acknowledgement opens for showing only.
template <class List> e2e::Path Acknowledging(int command)
{
    return [command](e2e::CProgram& program) {
        bool refused = false;
        bool shown = false;
        e2e::COperator& person = program.Operator();
        const auto work = [&](List& list) {
            e2e::ChooseRow(program, list, e2e::FirstRow, command);
            person.OnDialog<CAlarmAckDlg>([&](CAlarmAckDlg& ack) {
                shown = true;
                refused = !ack.IsControlEnabled(IDOK);
                return IDCANCEL;
            });
            Click(list, List::kAcknowledgeButtonId);
            return IDCANCEL;
        };
        // The location's list is the North location's, the NE's list North-1's.
        if constexpr (std::is_same_v<List, CAlarmEventListDlg>) {
            program.ClickTreeItem(program.TreeItem(QStringLiteral("North")));
            person.OnDialog<CAlarmCriteriaDlg>([&](CAlarmCriteriaDlg& criteria) {
                person.OnDialog<List>(work);
                Click(criteria, IDOK);
                return IDCANCEL;
            });
        } else {
            person.OnDialog<List>(work);
        }
        EXPECT_TRUE(e2e::RunCommand(program, command)) << command;
        program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
        EXPECT_TRUE(shown) << command;
        return refused;
    };
}

TEST_F(FaultRightsE2eTest, ChangesNeedTheirFunctionsLetter)
{
    constexpr int kCmdLocationActiveAlarm = 33030;
    constexpr int kCmdHardwareThreshold = 33192;
    const e2e::RightCase cases[] = {
        {"acknowledge from the NE's active alarms", 26, 'm', Acknowledging<CActiveAlarmDlg>(kCmdActiveAlarm)},
        {"acknowledge from the alarm list", 26, 'm', Acknowledging<CAlarmEventListDlg>(kCmdLocationActiveAlarm)},
        {"hardware thresholds saved", 59, 'm', e2e::Enabling<CHwMonThresholdDlg>(kCmdHardwareThreshold, IDOK)},
    };
    RunCases(cases, std::size(cases));
}

} // namespace
