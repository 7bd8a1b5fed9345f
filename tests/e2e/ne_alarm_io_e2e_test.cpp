// The NE's alarm inputs and outputs in the running program: Diagnosis > NE Alarm > Alarm Input and Alarm Output list
// the contacts of the selected NE's relay module as the server (or, in direct mode, the NE) has them, a disabled one
// greyed; Modify changes one through its setting dialog, which refuses a name of other characters and keeps what the
// peer refused to take; an input whose normal state the NE reports as neither opened nor closed is written closed
// unless Opened is chosen; three seconds after a change the list reads the NE again. An NE without a relay module has
// no alarm contacts to list.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/export_steps.h"

#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "features/fault/ne_alarm_io/ne_alarm_input_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_input_list_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_output_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_output_list_dlg.h"
#include "link/records/ne_alarm_input_rec.h"
#include "link/records/ne_alarm_output_rec.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int kCmdAlarmInput = 33032;
constexpr int kCmdAlarmOutput = 33213;
constexpr int kImageDisabled = 34;
using Inputs = CNeAlarmInputListDlg;
using Outputs = CNeAlarmOutputListDlg;
using e2e::CellImage;
using e2e::Check;
using e2e::Click;
using e2e::Field;
using e2e::IsChecked;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::RowOf;
using e2e::Type;

void RefuseNextChange(e2e::CProgram& program, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto control = EncodeRecord(SimControlRec{kSimRefuseNextChange, code, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {control.begin(), control.end()}, kSimControlRecSize)));
}

template <class Rec> std::optional<Rec> ServerContact(e2e::CProgram& program, RequestCode<Rec> code, uint32_t entityId)
{
    for (const Rec& rec : program.ServerRecords(code, 1)) {
        if (rec.entityId == entityId)
            return rec;
    }
    return std::nullopt;
}

QString Cell(QTreeView& rows, int row, int column)
{
    return CListControl(&rows).GetItemText(row, column);
}

TEST(NeAlarmIoE2eTest, InputsAreListedAndChangedOnTheServer)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const uint32_t door = 10801;
    const uint32_t spare = 10804;

    person.OnDialog<Inputs>([&](Inputs& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, Inputs::kNameColumn),
                  (QStringList{QStringLiteral("Door"), QStringLiteral("Smoke"), QStringLiteral("Flood"),
                               QStringLiteral("Spare")}));
        EXPECT_EQ(
            ListColumn(rows, Inputs::kNormalStateColumn),
            (QStringList{QStringLiteral("Closed"), QStringLiteral("Closed"), QStringLiteral("Opened"), QString()}));
        EXPECT_EQ(ListColumn(rows, Inputs::kCurrentStateColumn),
                  (QStringList{QStringLiteral("Closed"), QStringLiteral("Opened"), QStringLiteral("Opened"),
                               QStringLiteral("N/A")}));
        const int spareRow = RowOf(rows, Inputs::kNameColumn, QStringLiteral("Spare"));
        EXPECT_EQ(CellImage(rows, spareRow), kImageDisabled);
        EXPECT_EQ(Cell(rows, spareRow, Inputs::kAdminStateColumn), QStringLiteral("Disabled"));
        EXPECT_FALSE(list.IsControlEnabled(kModifyButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("ne_alarm_input_list")));
        EXPECT_EQ(e2e::ExportStem(program, list), "DigitIn");
        // A text column sorts by its text, Index by the inputs' entities.
        e2e::CProgram::ClickHeader(*rows.header(), Inputs::kNormalStateColumn);
        EXPECT_EQ(e2e::CProgram::ShownColumn(rows, Inputs::kNameColumn),
                  (QStringList{QStringLiteral("Spare"), QStringLiteral("Door"), QStringLiteral("Smoke"),
                               QStringLiteral("Flood")}));
        e2e::CProgram::ClickHeader(*rows.header(), Inputs::kIndexColumn);
        EXPECT_EQ(e2e::CProgram::ShownColumn(rows, Inputs::kNameColumn),
                  (QStringList{QStringLiteral("Door"), QStringLiteral("Smoke"), QStringLiteral("Flood"),
                               QStringLiteral("Spare")}));

        // A name of other characters is refused, the first of them selected; a refusal of the server keeps the dialog
        // open with what was typed and changes nothing; then the change goes through.
        person.OnDialog<CNeAlarmInputDlg>([&](CNeAlarmInputDlg& input) {
            EXPECT_EQ(Field(input, CNeAlarmInputDlg::kIndexId), QStringLiteral("1"));
            EXPECT_EQ(Field(input, CNeAlarmInputDlg::kNameId), QStringLiteral("Door"));
            EXPECT_TRUE(IsChecked(input, CNeAlarmInputDlg::kClosedId));
            EXPECT_TRUE(IsChecked(input, CNeAlarmInputDlg::kEnabledId));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(input, QStringLiteral("ne_alarm_input")));
            // The name takes 32 characters.
            Type(input, CNeAlarmInputDlg::kNameId, QString(33, QLatin1Char('n')));
            EXPECT_EQ(Field(input, CNeAlarmInputDlg::kNameId), QString(32, QLatin1Char('n')));
            Type(input, CNeAlarmInputDlg::kNameId, QStringLiteral("Back door"));
            Click(input, IDOK);
            EXPECT_EQ(MessageLine(input),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            EXPECT_EQ(input.GetDlgItemAs<QLineEdit>(CNeAlarmInputDlg::kNameId)->selectedText(), QStringLiteral(" "));
            Type(input, CNeAlarmInputDlg::kNameId, QStringLiteral("Back-door"));
            Check(input, CNeAlarmInputDlg::kOpenedId);
            RefuseNextChange(program, kReqNeAlarmInput);
            Click(input, IDOK);
            EXPECT_EQ(person.boxTexts, std::vector<QString>{QStringLiteral(
                                           "Fail to update data\n\n(32028) Change refused by the server")});
            EXPECT_FALSE(input.IsEnded());
            EXPECT_EQ(Field(input, CNeAlarmInputDlg::kNameId), QStringLiteral("Back-door"));
            EXPECT_EQ(ServerContact(program, kReqNeAlarmInput, door)->name, "Door");
            Click(input, IDOK);
            return IDCANCEL;
        });
        program.ClickListRow(rows, RowOf(rows, Inputs::kNameColumn, QStringLiteral("Door")));
        Click(list, kModifyButtonId);
        const NeAlarmInputRec changed = ServerContact(program, kReqNeAlarmInput, door).value_or(NeAlarmInputRec{});
        EXPECT_EQ(changed.name, "Back-door");
        EXPECT_EQ(changed.normalState, 1u);
        EXPECT_EQ(changed.currentState, 2u) << "what the input senses is the NE's";
        const int doorRow = RowOf(rows, Inputs::kNameColumn, QStringLiteral("Back-door"));
        EXPECT_EQ(Cell(rows, doorRow, Inputs::kNormalStateColumn), QStringLiteral("Opened"));
        EXPECT_EQ(Cell(rows, doorRow, Inputs::kCurrentStateColumn), QStringLiteral("Closed"));
        // Three seconds later the list reads the NE again, once.
        EXPECT_EQ(list.Timers().Interval(Inputs::kRefreshTimer), 3000);
        list.OnTimer(Inputs::kRefreshTimer);
        EXPECT_FALSE(list.Timers().IsSet(Inputs::kRefreshTimer));
        EXPECT_EQ(ListColumn(rows, Inputs::kNameColumn).value(0), QStringLiteral("Back-door"));

        // Until then a changed row keeps the state the NE reported: Smoke still senses its contact opened.
        person.OnDialog<CNeAlarmInputDlg>([&](CNeAlarmInputDlg& input) {
            Click(input, IDOK);
            return IDCANCEL;
        });
        program.ClickListRow(rows, RowOf(rows, Inputs::kNameColumn, QStringLiteral("Smoke")));
        Click(list, kModifyButtonId);
        EXPECT_EQ(Cell(rows, RowOf(rows, Inputs::kNameColumn, QStringLiteral("Smoke")), Inputs::kCurrentStateColumn),
                  QStringLiteral("Opened"));
        list.OnTimer(Inputs::kRefreshTimer);

        // An input whose normal state is neither opened nor closed opens as closed, and is written closed unless
        // Opened is chosen.
        person.OnDialog<CNeAlarmInputDlg>([&](CNeAlarmInputDlg& input) {
            EXPECT_TRUE(IsChecked(input, CNeAlarmInputDlg::kClosedId));
            EXPECT_FALSE(IsChecked(input, CNeAlarmInputDlg::kOpenedId));
            Check(input, CNeAlarmInputDlg::kEnabledId);
            Click(input, IDOK);
            return IDCANCEL;
        });
        program.ClickListRow(rows, RowOf(rows, Inputs::kNameColumn, QStringLiteral("Spare")));
        Click(list, kModifyButtonId);
        EXPECT_EQ(ServerContact(program, kReqNeAlarmInput, spare)->adminState, 1u);
        EXPECT_EQ(ServerContact(program, kReqNeAlarmInput, spare)->normalState, 2u);

        // Cancel changes nothing and reads nothing.
        list.OnTimer(Inputs::kRefreshTimer);
        person.OnDialog<CNeAlarmInputDlg>([](CNeAlarmInputDlg&) { return IDCANCEL; });
        Click(list, kModifyButtonId);
        EXPECT_FALSE(list.Timers().IsSet(Inputs::kRefreshTimer));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmInput));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
}

// An enabled input shows the gravest alarm of its entity as text and row image; a disabled one shows none of it.
TEST(NeAlarmIoE2eTest, EachInputShowsTheSeverityOfItsAlarms)
{
    struct Row {
        const char* name;
        uint32_t entityId;
        uint32_t raised; // the severity of the alarm the entity has
        const char* severity;
        int image;
    };
    const Row rows[] = {{"Door", 10801, 1, "Critical", 12}, {"Smoke", 10802, 2, "Major", 13},
                        {"Flood", 10803, 3, "Minor", 14},   {"Heat", 10805, 4, "Warning", 15},
                        {"Mains", 10806, 5, "Info", 16},    {"Spare", 10804, 1, "", kImageDisabled}};
    // The world's four inputs and two more on the relay module's other contacts, each with an alarm.
    std::string extra = "\n[NE1.NeAlarmInputRec.5]\nentityId=10805\nname=Heat\nadminState=1\n"
                        "[NE1.NeAlarmInputRec.6]\nentityId=10806\nname=Mains\nadminState=1\n";
    int section = 3;
    for (const Row& row : rows)
        extra += "[NE1.ALARM" + std::to_string(section++) + "]\nENTITY=" + std::to_string(row.entityId) +
                 "\nBIT=0\nSEVERITY=" + std::to_string(row.raised) + "\n";
    e2e::CProgram program;
    const std::filesystem::path world = program.WorkDir().Path() / "world.ini";
    WriteText(world, ReadText(TARVIK_TEST_DATA_DIR "/server/sim_world.ini") + extra);
    ASSERT_TRUE(program.StartServer({.args = {"--scenario", world.string()}, .generatedNes = 0, .iniExtra = {}}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<Inputs>([&](Inputs& list) {
        QTreeView& shown = *list.FindList(kListControlId);
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            const int at = RowOf(shown, Inputs::kNameColumn, QString::fromLatin1(row.name));
            EXPECT_EQ(Cell(shown, at, Inputs::kSeverityColumn), QString::fromLatin1(row.severity));
            EXPECT_EQ(CellImage(shown, at), row.image);
        }
        // The door's alarm cleared: no text and no image once the list reads the NE again.
        server_test::CRawClient& probe = program.ServerProbe();
        const auto clear = EncodeRecord(SimControlRec{kSimSetAlarm, 10801, 0, 0});
        EXPECT_TRUE(probe.ReplyTo(probe.Send(2, kReqSimControl, 1, {clear.begin(), clear.end()}, kSimControlRecSize)));
        EXPECT_TRUE(program.WaitUntil(
            [] { return CEntityNode::GetSummarySeverityById(AppData().nes.FindNeById(1), 10801) == 0; }));
        list.OnTimer(Inputs::kRefreshTimer);
        const int door = RowOf(shown, Inputs::kNameColumn, QStringLiteral("Door"));
        EXPECT_EQ(Cell(shown, door, Inputs::kSeverityColumn), QString());
        EXPECT_EQ(CellImage(shown, door), 0);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmInput));
    EXPECT_TRUE(person.boxTexts.empty());
}

TEST(NeAlarmIoE2eTest, OutputsAreListedAndChangedOnTheServer)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const uint32_t bell = 10805;

    person.OnDialog<Outputs>([&](Outputs& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, Outputs::kNameColumn),
                  (QStringList{QStringLiteral("Bell"), QStringLiteral("Lamp")}));
        EXPECT_EQ(ListColumn(rows, Outputs::kSeveritiesColumn),
                  (QStringList{QStringLiteral("Critical, Major"), QString()}));
        EXPECT_EQ(ListColumn(rows, Outputs::kCurrentStateColumn),
                  (QStringList{QStringLiteral("Enabled"), QStringLiteral("N/A")}));
        EXPECT_EQ(CellImage(rows, RowOf(rows, Outputs::kNameColumn, QStringLiteral("Lamp"))), kImageDisabled);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("ne_alarm_output_list")));
        EXPECT_EQ(e2e::ExportStem(program, list), "DigitOut");

        // The dialog reads the output itself; a change of its severities reaches the server and the row.
        person.OnDialog<CNeAlarmOutputDlg>([&](CNeAlarmOutputDlg& output) {
            EXPECT_EQ(Field(output, CNeAlarmOutputDlg::kIndexId), QStringLiteral("1"));
            EXPECT_EQ(Field(output, CNeAlarmOutputDlg::kNameId), QStringLiteral("Bell"));
            EXPECT_TRUE(IsChecked(output, CNeAlarmOutputDlg::kSeverityBoxIds[0]));
            EXPECT_TRUE(IsChecked(output, CNeAlarmOutputDlg::kSeverityBoxIds[1]));
            EXPECT_FALSE(IsChecked(output, CNeAlarmOutputDlg::kSeverityBoxIds[2]));
            EXPECT_FALSE(IsChecked(output, CNeAlarmOutputDlg::kSeverityBoxIds[3]));
            EXPECT_TRUE(IsChecked(output, CNeAlarmOutputDlg::kEnabledId));
            EXPECT_FALSE(IsChecked(output, CNeAlarmOutputDlg::kDisabledId));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(output, QStringLiteral("ne_alarm_output")));
            // The name takes 32 characters; the Bell is kept.
            Type(output, CNeAlarmOutputDlg::kNameId, QString(33, QLatin1Char('n')));
            EXPECT_EQ(Field(output, CNeAlarmOutputDlg::kNameId), QString(32, QLatin1Char('n')));
            Type(output, CNeAlarmOutputDlg::kNameId, QStringLiteral("Bell"));
            Check(output, CNeAlarmOutputDlg::kSeverityBoxIds[3]);
            Check(output, CNeAlarmOutputDlg::kSeverityBoxIds[0], false);
            RefuseNextChange(program, kReqNeAlarmOutput);
            Click(output, IDOK);
            EXPECT_FALSE(output.IsEnded());
            EXPECT_EQ(ServerContact(program, kReqNeAlarmOutput, bell)->severityMask, 0x3);
            Click(output, IDOK);
            return IDCANCEL;
        });
        program.ClickListRow(rows, 0);
        Click(list, kModifyButtonId);
        EXPECT_EQ(ServerContact(program, kReqNeAlarmOutput, bell)->severityMask, 0xA);
        EXPECT_EQ(ServerContact(program, kReqNeAlarmOutput, bell)->currentState, 1u);
        EXPECT_EQ(ListColumn(rows, Outputs::kSeveritiesColumn).value(0), QStringLiteral("Major, Warning"));
        // The row keeps the state the NE reported until the list reads the NE again.
        EXPECT_EQ(ListColumn(rows, Outputs::kCurrentStateColumn).value(0), QStringLiteral("Enabled"));
        EXPECT_TRUE(list.Timers().IsSet(Outputs::kRefreshTimer));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmOutput));
    EXPECT_EQ(person.boxTexts,
              std::vector<QString>{QStringLiteral("Fail to update data\n\n(32028) Change refused by the server")});
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
}

// The list has the NE's current alarms synchronised before it reads the contacts: when that fails it says so and
// reads nothing.
TEST(NeAlarmIoE2eTest, AFailedSynchronisationLeavesTheListEmpty)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    RefuseNextChange(program, kReqAlarmSync);
    person.OnDialog<Inputs>([&](Inputs& list) {
        EXPECT_TRUE(ListColumn(*list.FindList(kListControlId), Inputs::kNameColumn).isEmpty());
        EXPECT_FALSE(list.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmInput));
    EXPECT_EQ(person.boxTexts, std::vector<QString>{QStringLiteral(
                                   "Failed to synchronize NE current alarms\n\n(32028) Change refused by the server")});
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
}

TEST(NeAlarmIoE2eTest, TheNeOfADirectLoginAnswersItself)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    e2e::COperator& person = program.Operator();

    person.OnDialog<Inputs>([&](Inputs& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, Inputs::kNameColumn).value(0), QStringLiteral("Door"));
        person.OnDialog<CNeAlarmInputDlg>([&](CNeAlarmInputDlg& input) {
            Type(input, CNeAlarmInputDlg::kNameId, QStringLiteral("Cabinet"));
            Click(input, IDOK);
            return IDCANCEL;
        });
        program.ClickListRow(rows, 0);
        Click(list, kModifyButtonId);
        list.OnTimer(Inputs::kRefreshTimer);
        EXPECT_EQ(ListColumn(rows, Inputs::kNameColumn).value(0), QStringLiteral("Cabinet")) << "read back from the NE";
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmInput));
    EXPECT_TRUE(person.boxTexts.empty());
}

TEST(NeAlarmIoE2eTest, AnNeWhoseRelaySlotIsEmptyClosesTheListAtOnce)
{
    e2e::CProgram program;
    const std::filesystem::path scenario = program.WorkDir().Path() / "no_relay.ini";
    app_test::WriteText(scenario, "[AGENT]\nNEMODEL=4\n[NeSnmpCommunityRecord.1]\ncommunity=private\npermission=2\n"
                                  "state=1\n[NeUserAccountRecord.1]\nuserName=qurim\nrole=2\nstate=1\n"
                                  "[BoardSettingRec.1]\nentityId=10100\nplannedType=31\nonlineType=31\n"
                                  "[BoardSettingRec.2]\nentityId=12600\nplannedType=1\nonlineType=1\n");
    ASSERT_TRUE(program.StartAgent({}, scenario.string()));
    ASSERT_TRUE(program.Login("qurim", "private"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")));
    e2e::COperator& person = program.Operator();
    // The list ends before it shows a row; its message goes to the main window.
    person.OnDialog<Outputs>([&](Outputs& list) {
        EXPECT_TRUE(ListColumn(*list.FindList(kListControlId), Outputs::kNameColumn).isEmpty());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmOutput));
    EXPECT_EQ(person.boxTexts, std::vector<QString>{QStringLiteral("Entity type is wrong")});
}

} // namespace
