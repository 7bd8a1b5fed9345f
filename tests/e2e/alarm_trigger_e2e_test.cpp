// The alarm notification triggers in the running program: Diagnosis > NE Alarm > Alarm Notification lists the
// selected NE's triggers as the server keeps them; the operator adds, changes and deletes one through the trigger
// dialog, which refuses what the server must not get, and the server's list follows.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/sent_requests.h"

#include "features/fault/triggers/alarm_trigger_dlg.h"
#include "features/fault/triggers/alarm_trigger_list_dlg.h"
#include "link/records/alarm_trigger_rec.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace {

constexpr int kCmdAlarmNotification = 33041;
using List = CAlarmTriggerListDlg;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::TickRows;
using e2e::Type;

// Clicks the entity type in the trigger dialog's tree.
bool ChooseType(CAlarmTriggerDlg& dialog, const QString& text)
{
    return e2e::ClickTreeItem(dialog, CAlarmTriggerDlg::kTypeTreeId, text);
}

// Ticks the rows of the named alarms and clears the others.
void CheckAlarms(CAlarmTriggerDlg& dialog, const QStringList& names)
{
    TickRows(*dialog.FindList(CAlarmTriggerDlg::kAlarmListId), names);
}

QStringList Column(CADialog& dialog, int column)
{
    return ListColumn(*dialog.FindList(kListControlId), column);
}

// The server's trigger with the receiver's address, none when it keeps no such trigger.
std::optional<AlarmTriggerRec> ServerTrigger(e2e::CProgram& program, const std::string& email)
{
    const auto query = EncodeRecord(AlarmTriggerQueryRec{});
    for (const auto& bytes :
         program.QueryServer(kReqAlarmTrigger, 0, {query.begin(), query.end()}, kAlarmTriggerQueryRecSize)) {
        AlarmTriggerRec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec) && rec.email == email)
            return rec;
    }
    return std::nullopt;
}

TEST(AlarmTriggerE2eTest, TheNesTriggersAreListedAddedChangedAndDeletedOnTheServer)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer(e2e::WithPduLog()));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    const uint32_t neId = program.Frame().GetCurrentNeId();
    e2e::COperator& person = program.Operator();

    const QString alc24 = QStringLiteral("ALC-24 (ADSL2+ 24 ports)");
    person.OnDialog<List>([&](List& list) -> int {
        // The NE's triggers of known types; another NE's and one of a type the model does not know are not listed.
        EXPECT_EQ(Column(list, List::kEmailColumn),
                  (QStringList{QStringLiteral("noc@example.net"), QStringLiteral("north.team@example.net")}));
        EXPECT_EQ(Column(list, List::kEntityTypeColumn), (QStringList{alc24, QStringLiteral("ADSL Port")}));
        EXPECT_EQ(Column(list, List::kAlarmsColumn).value(0), QStringLiteral("Card Out,Card Fail"));
        EXPECT_FALSE(list.IsControlEnabled(kModifyButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("alarm_trigger_list")));
        // Thresholds sort as numbers.
        QTreeView& rows = *list.FindList(kListControlId);
        e2e::CProgram::ClickHeader(*rows.header(), List::kThresholdColumn);
        EXPECT_EQ(e2e::CProgram::ShownColumn(rows, List::kThresholdColumn),
                  (QStringList{QStringLiteral("90"), QStringLiteral("600")}));

        person.OnDialog<CAlarmTriggerDlg>([&](CAlarmTriggerDlg& trigger) {
            // A new trigger starts at the least number of seconds, on the NE's own type when no row is selected.
            EXPECT_EQ(Field(trigger, CAlarmTriggerDlg::kSecondsId), QStringLiteral("60"));
            EXPECT_EQ(Field(trigger, CAlarmTriggerDlg::kTypeNameId), QStringLiteral("IPD-12 (1 shelf)"));
            // The types the NE's model holds: its own; not another model's.
            auto* tree = trigger.GetDlgItemAs<QTreeWidget>(CAlarmTriggerDlg::kTypeTreeId);
            EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("IPD-12 (1 shelf)"));
            EXPECT_TRUE(ChooseType(trigger, QStringLiteral("ADSL Port")));
            EXPECT_FALSE(ChooseType(trigger, QStringLiteral("CU-2GE-R (redundant control and uplink)")));
            // A seconds value the exchange refuses does not keep the list on the type chosen before.
            Type(trigger, CAlarmTriggerDlg::kSecondsId, QStringLiteral("59"));
            EXPECT_TRUE(ChooseType(trigger, alc24));
            EXPECT_EQ(Field(trigger, CAlarmTriggerDlg::kTypeNameId), alc24);
            // The alarms in index order, alarm 31 last, which the headers say without an arrow.
            QStringList names = Column(trigger, 0);
            QTreeView& alarms = *trigger.FindList(CAlarmTriggerDlg::kAlarmListId);
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(alarms, 0, kImageSortedElsewhere));
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(alarms, 1, -1));
            e2e::CProgram::ClickHeader(*alarms.header(), 1);
            EXPECT_EQ(Column(trigger, 0), names) << "Description keeps the index order too";
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(alarms, 1, kImageSortedElsewhere));
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(alarms, 0, -1));
            EXPECT_EQ(names.value(0), QStringLiteral("Card Out"));
            EXPECT_EQ(names.value(names.size() - 1), QStringLiteral("Disabled"));

            // Refused: no alarm, seconds outside 60..86400, an address of blanks.
            Click(trigger, IDOK);
            EXPECT_EQ(MessageLine(trigger), QStringLiteral("Please enter an integer between 60 and 86400."));
            Type(trigger, CAlarmTriggerDlg::kSecondsId, QStringLiteral("86401"));
            Click(trigger, IDOK);
            EXPECT_EQ(MessageLine(trigger), QStringLiteral("Please enter an integer between 60 and 86400."));
            Type(trigger, CAlarmTriggerDlg::kSecondsId, QStringLiteral("1800"));
            Click(trigger, IDOK);
            EXPECT_EQ(MessageLine(trigger), QStringLiteral("Please select one item"));
            CheckAlarms(trigger, {QStringLiteral("High Temp"), QStringLiteral("Disabled")});
            Type(trigger, CAlarmTriggerDlg::kEmailId, QStringLiteral("   "));
            Click(trigger, IDOK);
            EXPECT_EQ(MessageLine(trigger), QStringLiteral("Data is blank"));
            EXPECT_TRUE(ServerTrigger(program, "") == std::nullopt);
            // The address takes 60 characters at most, and no more bytes than its 64-byte field carries.
            auto* email = trigger.GetDlgItemAs<QLineEdit>(CAlarmTriggerDlg::kEmailId);
            Type(trigger, CAlarmTriggerDlg::kEmailId, QString(70, QLatin1Char('a')));
            EXPECT_EQ(email->text(), QString(60, QLatin1Char('a')));
            Type(trigger, CAlarmTriggerDlg::kEmailId, QString(40, QChar(0xFC)));
            EXPECT_EQ(email->text(), QString(31, QChar(0xFC))) << "31 letters of two bytes fill 62 of 63";

            Type(trigger, CAlarmTriggerDlg::kEmailId, QStringLiteral(" ops@example.net "));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(trigger, QStringLiteral("alarm_trigger")));
            Click(trigger, IDOK);
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        const std::optional<AlarmTriggerRec> added = ServerTrigger(program, "ops@example.net");
        if (!added.has_value()) {
            ADD_FAILURE() << "the added trigger is not on the server";
            return IDCANCEL;
        }
        EXPECT_EQ(added->neId, neId);
        EXPECT_EQ(added->modelId, 130u) << "the IPD-12's ALC-24";
        EXPECT_EQ(added->alarmMask, 0x80000004u);
        EXPECT_EQ(added->seconds, 1800u);
        CListControl shown(&rows);
        const int row = shown.FindItemByData(added->triggerId);
        EXPECT_GE(row, 0);
        EXPECT_EQ(shown.GetItemText(row, List::kIdColumn), QStringLiteral("3"));
        EXPECT_EQ(shown.GetItemText(row, List::kAlarmsColumn), QStringLiteral("High Temp,Disabled"));

        // Modify: the dialog opens on the row's values; the row and the server take the change.
        person.OnDialog<CAlarmTriggerDlg>([&](CAlarmTriggerDlg& trigger) {
            CListControl alarms(trigger.FindList(CAlarmTriggerDlg::kAlarmListId));
            QStringList checked;
            for (int r = 0; r < alarms.GetItemCount(); ++r) {
                if (alarms.GetCheck(r))
                    checked.push_back(alarms.GetItemText(r, 0));
            }
            EXPECT_EQ(checked, (QStringList{QStringLiteral("High Temp"), QStringLiteral("Disabled")}));
            EXPECT_EQ(Field(trigger, CAlarmTriggerDlg::kSecondsId), QStringLiteral("1800"));
            CheckAlarms(trigger, {QStringLiteral("Card Fail")});
            Type(trigger, CAlarmTriggerDlg::kSecondsId, QStringLiteral("7200"));
            Click(trigger, IDOK);
            return IDCANCEL;
        });
        program.ClickListRow(rows, row);
        Click(list, kModifyButtonId);
        EXPECT_EQ(shown.GetItemText(row, List::kThresholdColumn), QStringLiteral("7200"));
        EXPECT_EQ(shown.GetItemText(row, List::kAlarmsColumn), QStringLiteral("Card Fail"));
        const std::optional<AlarmTriggerRec> changed = ServerTrigger(program, "ops@example.net");
        EXPECT_EQ(changed.value_or(AlarmTriggerRec{}).alarmMask, 0x2u);
        EXPECT_EQ(changed.value_or(AlarmTriggerRec{}).seconds, 7200u);

        // Add with a row selected starts on the row's entity type.
        person.OnDialog<CAlarmTriggerDlg>([&](CAlarmTriggerDlg& trigger) {
            EXPECT_EQ(Field(trigger, CAlarmTriggerDlg::kTypeNameId), alc24);
            return IDCANCEL;
        });
        program.ClickListRow(rows, row);
        Click(list, kAddButtonId);

        // Export from the row's menu: the rows as the list shows them, without the hidden columns.
        const std::filesystem::path exported = program.WorkDir().Path() / "FMNotify.txt";
        person.OnDialog<CExportDlg>([&](CExportDlg& dialog) {
            dialog.GetDlgItemAs<QLineEdit>(CExportDlg::kFileNameId)->setText(QString::fromStdString(exported.string()));
            Click(dialog, IDOK);
            return IDCANCEL;
        });
        program.RightClickListRow(rows, row, kPopupExport);
        const QStringList lines = QString::fromStdString(app_test::ReadText(exported)).split('\n');
        EXPECT_EQ(lines.value(4),
                  QStringLiteral("3\t\"3\"\t\"ALC-24 (ADSL2+ 24 ports)\"\t\"ops@example.net\"\t\"7200\"\t"
                                 "\"Card Fail\""));

        // A trigger another workstation deleted meanwhile: the server refuses the delete, "Fail to delete data".
        {
            const int gone = row == 0 ? 1 : 0;
            AlarmTriggerRec key;
            key.triggerId = static_cast<uint32_t>(shown.GetItemData(gone));
            key.neId = neId;
            key.modelId = ServerTrigger(program, Column(list, List::kEmailColumn).value(gone).toStdString())
                              .value_or(AlarmTriggerRec{})
                              .modelId;
            server_test::CRawClient& probe = program.ServerProbe();
            const auto reply = probe.ReplyTo(probe.Send(2, kReqAlarmTriggerDelete, 0, EncodeRecords(std::vector{key}),
                                                        kRecordSize<AlarmTriggerRec>));
            EXPECT_TRUE(reply && reply->header.status == 0);
            program.ClickListRow(rows, gone);
            person.AnswerBox(IDYES);
            person.AnswerBox(IDOK);
            Click(list, kDeleteButtonId);
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to delete data")))
                << person.LastBoxText().toStdString();
            program.ClickListRow(rows, shown.FindItemByData(added->triggerId));
        }

        // Delete, confirmed.
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to delete the data?"));
        EXPECT_EQ(shown.FindItemByData(added->triggerId), -1);
        EXPECT_FALSE(ServerTrigger(program, "ops@example.net").has_value());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmNotification));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
    EXPECT_TRUE(person.dialogsRun.size() == 5) << person.dialogsRun.join(QStringLiteral(" | ")).toStdString();

    // The NE id each request went with: the server keeps the triggers of all NEs, so the query and the delete go to
    // NE id 0, while an add or a change goes to the list's NE.
    struct Sent {
        const char* what;
        uint32_t operation;
        uint32_t code;
        uint32_t neId;
    };
    const Sent wire[] = {{"query", 1, 35, 0}, {"add", 2, 36, neId}, {"modify", 2, 35, neId}, {"delete", 2, 37, 0}};
    for (const Sent& row : wire) {
        SCOPED_TRACE(row.what);
        const std::vector<uint32_t> neIds = e2e::SentNeIds(program, row.operation, row.code);
        ASSERT_FALSE(neIds.empty());
        EXPECT_EQ(neIds, std::vector<uint32_t>(neIds.size(), row.neId));
    }
}

// An operator who may only look at the triggers: Add and Modify open the trigger dialog, which checks the right of
// its mode and closes; Delete is refused by the list itself.
TEST(AlarmTriggerE2eTest, TheTriggerDialogRefusesAnOperatorWhoMayOnlyLook)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("manager", "manager"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    int triggerDialogs = 0;
    person.OnDialog<List>([&](List& list) -> int {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(Column(list, List::kEmailColumn).size(), 2);
        for (const int command : {kAddButtonId, kModifyButtonId}) {
            SCOPED_TRACE(command);
            person.OnDialog<CAlarmTriggerDlg>([&](CAlarmTriggerDlg& trigger) {
                ++triggerDialogs;
                EXPECT_TRUE(trigger.IsEnded());
                return IDCANCEL;
            });
            program.ClickListRow(rows, 0);
            list.ClearMessageLine();
            Click(list, command);
            EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        }
        list.ClearMessageLine();
        Click(list, kDeleteButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        EXPECT_EQ(Column(list, List::kEmailColumn).size(), 2);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmNotification));
    EXPECT_EQ(triggerDialogs, 2);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

TEST(AlarmTriggerE2eTest, DirectModeDoesNotOfferTheServersTriggers)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    const std::vector<int> offered = program.Frame().MainMenuCommandIds();
    EXPECT_EQ(std::count(offered.begin(), offered.end(), kCmdAlarmNotification), 0);
}

} // namespace
