// Hardware monitoring in the running program: Diagnosis > NE Alarm > Hardware Monitoring lists the readings of the
// selected NE's modules as the server reports them, marks the fan just above its low threshold, rewrites its rows in
// place on a refresh and refreshes by itself on a fixed cadence until a refresh fails; Modify opens the temperature
// thresholds, which refuse a high threshold not above the low one, keep what the server refused to take, never offer
// values not read from the NE, and bring the list the NE's new thresholds.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/export_steps.h"
#include "tests/e2e/support/sent_requests.h"

#include "features/fault/hw_monitor/hw_mon_threshold_dlg.h"
#include "features/fault/hw_monitor/hw_monitor_list_dlg.h"
#include "link/records/hw_mon_threshold_rec.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kCmdHardwareMonitoring = 33151;
constexpr int kCmdHardwareThreshold = 33192;
constexpr int kImageNear = 14;
using List = CHwMonitorListDlg;
using e2e::CellImage;
using e2e::Check;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::RowOf;
using e2e::Type;

// The server's test control: refuse the next change or query of a request code.
void Control(e2e::CProgram& program, uint32_t action, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto control = EncodeRecord(SimControlRec{action, code, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {control.begin(), control.end()}, kSimControlRecSize)));
}

HwMonThresholdRec ServerThresholds(e2e::CProgram& program)
{
    const std::vector<HwMonThresholdRec> records = program.ServerRecords(kReqHwMonThreshold, 1);
    return records.empty() ? HwMonThresholdRec{} : records.front();
}

QTreeView& Rows(List& list)
{
    return *list.FindList(kListControlId);
}

TEST(HwMonitorE2eTest, ReadingsAreMarkedRefreshedInPlaceAndRefreshedOnACadence)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = Rows(list);
        const QStringList names = ListColumn(rows, List::kNameColumn);
        // The fan tray's four fans, the power module's three voltages and a temperature of each module there is.
        EXPECT_EQ(names.count(QStringLiteral("Board Temperature")), 6);
        EXPECT_TRUE(names.contains(QStringLiteral("Fan 4")));
        EXPECT_TRUE(names.contains(QStringLiteral("48V Input")));
        const int fan3 = RowOf(rows, List::kNameColumn, QStringLiteral("Fan 3"));
        if (fan3 < 0) {
            ADD_FAILURE() << "no fan 3";
            return IDCANCEL;
        }
        EXPECT_EQ(CellImage(rows, fan3), kImageNear) << "just above its low threshold";
        CListControl shown(&rows);
        EXPECT_EQ(shown.GetItemText(fan3, List::kSlotColumn), QStringLiteral("7"));
        EXPECT_EQ(shown.GetItemText(fan3, List::kReferenceColumn), QStringLiteral("--"));
        EXPECT_EQ(shown.GetItemText(fan3, List::kThresholdColumn), QStringLiteral("2000 / 9000"));
        const int volts = RowOf(rows, List::kNameColumn, QStringLiteral("+12V"));
        EXPECT_EQ(shown.GetItemText(volts, List::kReferenceColumn), QStringLiteral("12000"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("hw_monitor_list")));
        EXPECT_EQ(e2e::ExportStem(program, list), "FMHwMon");

        // Name sorts by the kind of reading and its index, then by module; Current Value does the same with the
        // value between the two.
        e2e::CProgram::ClickHeader(*rows.header(), List::kNameColumn);
        const QStringList byName = e2e::CProgram::ShownColumn(rows, List::kNameColumn);
        EXPECT_EQ(byName.mid(0, 7), (QStringList{"Fan 1", "Fan 2", "Fan 3", "Fan 4", "+3.3V", "+12V", "48V Input"}));
        const auto numbers = [&](int column) {
            std::vector<int> values;
            for (const QString& cell : e2e::CProgram::ShownColumn(rows, column).mid(7))
                values.push_back(cell.toInt());
            return values;
        };
        const std::vector<int> modules = numbers(List::kSlotColumn);
        EXPECT_TRUE(std::is_sorted(modules.begin(), modules.end()));
        e2e::CProgram::ClickHeader(*rows.header(), List::kCurrentColumn);
        EXPECT_EQ(e2e::CProgram::ShownColumn(rows, List::kNameColumn), byName);
        const std::vector<int> temperatures = numbers(List::kCurrentColumn);
        EXPECT_TRUE(std::is_sorted(temperatures.begin(), temperatures.end()));
        // Reference Value too puts the kind and index first; No., Slot and Threshold sort by module, kind and index.
        e2e::CProgram::ClickHeader(*rows.header(), List::kReferenceColumn);
        EXPECT_EQ(e2e::CProgram::ShownColumn(rows, List::kNameColumn), byName);
        e2e::CProgram::ClickHeader(*rows.header(), List::kNumberColumn);
        const QStringList byReading = e2e::CProgram::ShownColumn(rows, List::kNameColumn);
        EXPECT_NE(byReading, byName) << "the module comes first";
        for (int column : {List::kSlotColumn, List::kThresholdColumn}) {
            e2e::CProgram::ClickHeader(*rows.header(), column);
            EXPECT_EQ(e2e::CProgram::ShownColumn(rows, List::kNameColumn), byReading) << column;
        }
        e2e::CProgram::ClickHeader(*rows.header(), List::kNumberColumn);

        // A refresh rewrites the rows: the same readings, the selected one still selected.
        program.ClickListRow(rows, fan3);
        const uint32_t selected = shown.GetItemData(fan3);
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(rows, List::kNameColumn).size(), names.size());
        EXPECT_EQ(shown.GetItemData(shown.GetNextSelected(-1)), selected);

        // Automatic refresh: Refresh is not offered, and each tick sets the timer for the next one.
        Check(list, List::kAutoRefreshId);
        EXPECT_FALSE(list.IsControlEnabled(kRefreshButtonId));
        EXPECT_TRUE(list.Timers().IsSet(List::kAutoRefreshTimer));
        EXPECT_EQ(list.Timers().Interval(List::kAutoRefreshTimer), 4000) << "twice DIALOGREFRESHTIME's 2 seconds";
        // The popup shows Refresh greyed.
        EXPECT_EQ(program.RightClickListRow(rows, 0), (std::vector<int>{33024, 33023}));
        EXPECT_EQ(person.Popups().Shown().back(), (std::vector<int>{33084, 33024, 33023}));
        list.OnTimer(List::kAutoRefreshTimer);
        EXPECT_TRUE(list.Timers().IsSet(List::kAutoRefreshTimer));
        EXPECT_TRUE(list.IsAutoRefreshOn());
        EXPECT_TRUE(person.boxTexts.empty());

        // A refresh that fails ends the automatic refresh without a word, and leaves the rows as they were.
        Control(program, kSimRefuseNextRequest, kReqHwMonitor);
        list.OnTimer(List::kAutoRefreshTimer);
        EXPECT_FALSE(list.IsAutoRefreshOn());
        EXPECT_FALSE(e2e::IsChecked(list, List::kAutoRefreshId));
        EXPECT_FALSE(list.Timers().IsSet(List::kAutoRefreshTimer));
        EXPECT_TRUE(list.IsControlEnabled(kRefreshButtonId));
        EXPECT_TRUE(person.boxTexts.empty());
        EXPECT_EQ(ListColumn(rows, List::kNameColumn).size(), names.size());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHardwareMonitoring));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
}

// A module, or a port of it, as the current entity: the list shows the readings of that module's slot alone.
TEST(HwMonitorE2eTest, AModuleOrPortTargetShowsItsSlotsReadings)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    struct Row {
        const char* target;
        CEntityIndex entity;
        const char* slot;
        const char* reading;
    };
    const Row rows[] = {{"the line card", CEntityIndex::FromLevels(1, 1, 1), "1", "Board Temperature"},
                        {"a port of the line card", CEntityIndex::FromLevels(1, 1, 1, 2), "1", "Board Temperature"},
                        {"the fan tray", CEntityIndex::FromLevels(1, 1, 7), "7", "Fan 3"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        program.Frame().SetCurrentEntity(1, &row.entity);
        person.OnDialog<List>([&](List& list) {
            const QStringList shownSlots = ListColumn(Rows(list), List::kSlotColumn);
            EXPECT_FALSE(shownSlots.isEmpty());
            EXPECT_EQ(shownSlots.count(QString::fromLatin1(row.slot)), shownSlots.size())
                << shownSlots.join(',').toStdString();
            EXPECT_TRUE(ListColumn(Rows(list), List::kNameColumn).contains(QString::fromLatin1(row.reading)));
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(kCmdHardwareMonitoring));
    }
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
}

TEST(HwMonitorE2eTest, TemperatureThresholdsAreCheckedWrittenAndShownInTheList)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer(e2e::WithPduLog()));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& list) {
        person.OnDialog<CHwMonThresholdDlg>([&](CHwMonThresholdDlg& thresholds) {
            // The NE's own values.
            EXPECT_EQ(Field(thresholds, CHwMonThresholdDlg::kHighId), QStringLiteral("70"));
            EXPECT_EQ(Field(thresholds, CHwMonThresholdDlg::kLowId), QStringLiteral("0"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(thresholds, QStringLiteral("hw_mon_threshold")));
            // Each end is bound on both sides, and the high end must be above the low one.
            const QString outOfRange = QStringLiteral("Please enter an integer between -20 and 100.");
            const QString notAbove = QStringLiteral("Maximum value should be greater than Minimum value");
            const struct {
                const char* high;
                const char* low;
                QString message;
            } refused[] = {
                {"101", "0", outOfRange},   {"60", "-21", outOfRange}, {"-5", "-5", notAbove},
                {"-21", "-20", outOfRange}, {"60", "101", outOfRange},
            };
            for (const auto& row : refused) {
                SCOPED_TRACE(std::string(row.high) + "/" + row.low);
                Type(thresholds, CHwMonThresholdDlg::kHighId, QString::fromLatin1(row.high));
                Type(thresholds, CHwMonThresholdDlg::kLowId, QString::fromLatin1(row.low));
                Click(thresholds, IDOK);
                EXPECT_EQ(MessageLine(thresholds), row.message);
                EXPECT_FALSE(thresholds.IsEnded());
            }

            // Refused by the server: the failure box says why, the dialog keeps what was typed; both ends at their
            // bounds are taken.
            Type(thresholds, CHwMonThresholdDlg::kHighId, QStringLiteral("100"));
            Type(thresholds, CHwMonThresholdDlg::kLowId, QStringLiteral("-20"));
            Control(program, kSimRefuseNextChange, kReqHwMonThreshold);
            Click(thresholds, IDOK);
            EXPECT_EQ(person.boxTexts, std::vector<QString>{QStringLiteral(
                                           "Fail to update data\n\n(32028) Change refused by the server")});
            EXPECT_FALSE(thresholds.IsEnded());
            EXPECT_EQ(Field(thresholds, CHwMonThresholdDlg::kHighId), QStringLiteral("100"));
            EXPECT_EQ(ServerThresholds(program), (HwMonThresholdRec{70, 0}));

            Click(thresholds, IDOK);
            EXPECT_TRUE(thresholds.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(ServerThresholds(program), (HwMonThresholdRec{100, -20}));
        // The list has read the NE again: its temperatures have the new thresholds.
        QTreeView& rows = Rows(list);
        const int temperature = RowOf(rows, List::kNameColumn, QStringLiteral("Board Temperature"));
        EXPECT_EQ(CListControl(&rows).GetItemText(temperature, List::kThresholdColumn), QStringLiteral("-20 / 100"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHardwareMonitoring));
    // Every request of the list and the thresholds went to the NE the operator chose.
    const uint32_t north1 = program.Frame().GetCurrentNeId();
    struct Sent {
        const char* what;
        uint32_t operation;
        uint32_t code;
    };
    for (const Sent& row : {Sent{"readings", 1, kReqHwMonitor}, Sent{"thresholds", 1, kReqHwMonThreshold},
                            Sent{"threshold change", 2, kReqHwMonThreshold}}) {
        SCOPED_TRACE(row.what);
        const std::vector<uint32_t> neIds = e2e::SentNeIds(program, row.operation, row.code);
        ASSERT_FALSE(neIds.empty());
        EXPECT_EQ(neIds, std::vector<uint32_t>(neIds.size(), north1));
    }

    // Thresholds the NE did not give are never offered to overwrite its own: OK stays disabled.
    Control(program, kSimRefuseNextRequest, kReqHwMonThreshold);
    person.OnDialog<CHwMonThresholdDlg>([&](CHwMonThresholdDlg& thresholds) {
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
        EXPECT_EQ(Field(thresholds, CHwMonThresholdDlg::kHighId), QStringLiteral("65"));
        EXPECT_EQ(Field(thresholds, CHwMonThresholdDlg::kLowId), QStringLiteral("0"));
        EXPECT_FALSE(thresholds.IsControlEnabled(IDOK));
        thresholds.OnOK();
        EXPECT_FALSE(thresholds.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdHardwareThreshold));
    EXPECT_EQ(ServerThresholds(program), (HwMonThresholdRec{100, -20}));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
}

} // namespace
