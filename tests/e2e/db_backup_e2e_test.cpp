// The backups of the management server's database in the running program against the simulated server, which keeps
// each backup as a copy of its whole database: the list shows the server's automatic backup and the sizes, the
// operator backs the database up under a name the rules accept, another workstation renames an NE, the operator
// restores the backup and, logged in again, sees the NE as it was. A backup the server refuses leaves the name
// dialog open; a backup is deleted; a Manager may list the backups but not make one.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/server_alarms.h"

#include "features/management/server/db_backup_dlg.h"
#include "features/management/server/db_backup_list_dlg.h"
#include "link/ems_msg.h"
#include "link/records/backup_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"

#include <QLineEdit>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

constexpr int kCmdDbBackup = 33002;
constexpr int kManualImage = 9;
constexpr int kAutomaticImage = 10;
constexpr uint32_t kNorth1 = 1;
const QString kRefused = QStringLiteral("Fail to backup data.\n\n(32028) Change refused by the server");
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;
using Dlg = CDbBackupListDlg;

std::vector<std::string> ServerBackups(e2e::CProgram& program)
{
    std::vector<std::string> names;
    for (const BackupRecord& backup : program.ServerRecords(kReqDbBackup))
        names.push_back(backup.name);
    return names;
}

// Another workstation renames the NE.
void RenameNe(e2e::CProgram& program, uint32_t neId, const std::string& name)
{
    std::vector<NeKeyRecord> keys = program.ServerRecords(kReqNeKey, neId);
    ASSERT_EQ(keys.size(), 1u);
    keys[0].neName = name;
    const auto bytes = EncodeRecord(keys[0]);
    server_test::CRawClient& probe = program.ServerProbe();
    const std::optional<Frame> reply =
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqNeKey, neId, {bytes.begin(), bytes.end()}, kNeKeyRecordSize));
    ASSERT_TRUE(reply && reply->header.status == 0);
}

TEST(DbBackupE2eTest, ARestoredBackupBringsBackTheNeAsItWas)
{
    e2e::CProgram program;
    ASSERT_TRUE(
        program.StartServer({.args = {}, .generatedNes = 0, .iniExtra = "[DIALOG]\nDBBKDIR=/var/backup/ems\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    bool worked = false;
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(Field(dialog, Dlg::kDirectoryId), QStringLiteral("/var/backup/ems"));
        ASSERT_EQ(ListColumn(list, 1), QStringList{"AUTOBK-20240303-0330"});
        EXPECT_EQ(e2e::CellImage(list, 0), kAutomaticImage);
        EXPECT_GT(ListColumn(list, 2).front().toULongLong(), 0u);
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kRestoreButtonId));

        // A backup the server refuses: the name dialog stays with the name.
        person.OnDialog<CDbBackupDlg>([&](CDbBackupDlg& add) {
            // A blank is no name character: the message of the backup names, told apart from the common one by a
            // text of its own.
            AppStrings().Parse(std::to_string(kStrValidNameCharacters) + "\tValidNameCharacters\tcommon\n" +
                                   std::to_string(kStrValidBackupNameCharacters) +
                                   "\tValidBackupNameCharacters\tof backups\n",
                               "marks");
            Type(add, CDbBackupDlg::kFileNameId, QStringLiteral("mine 2"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("of backups"));
            EXPECT_EQ(add.GetDlgItemAs<QLineEdit>(CDbBackupDlg::kFileNameId)->selectedText(), QStringLiteral(" "));
            Type(add, CDbBackupDlg::kFileNameId, QStringLiteral("AUTOBK-mine"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Reserved data"));
            Type(add, CDbBackupDlg::kFileNameId, QStringLiteral("  before-rename "));
            EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRefuseNextChange, kReqDbBackupAdd));
            person.AnswerBox(IDYES);
            Click(add, IDOK);
            EXPECT_EQ(person.LastBoxText(), kRefused);
            EXPECT_FALSE(add.IsEnded());
            EXPECT_EQ(Field(add, CDbBackupDlg::kFileNameId), QStringLiteral("  before-rename "));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("db_backup_dlg")));
            // Then made: the name without its blanks.
            person.AnswerBox(IDYES);
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);
        EXPECT_EQ(ListColumn(list, 1), (QStringList{"AUTOBK-20240303-0330", "before-rename"}));
        EXPECT_EQ(e2e::CellImage(list, 1), kManualImage);
        EXPECT_EQ(CListControl(&list).GetNextSelected(-1), -1) << "the new row is shown, not selected";
        EXPECT_GT(ListColumn(list, 2).back().toULongLong(), 0u); // the size the server reported
        EXPECT_EQ(ServerBackups(program), (std::vector<std::string>{"AUTOBK-20240303-0330", "before-rename"}));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("db_backup_list")));

        // The NE changes after the backup, and the change reaches this workstation.
        RenameNe(program, kNorth1, "Renamed-1");
        EXPECT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("Renamed-1")) != nullptr; }));

        // The backup restored, after a confirmation.
        program.ClickListRow(list, 1);
        person.AnswerBox(IDNO);
        Click(dialog, Dlg::kRestoreButtonId);
        EXPECT_EQ(MessageLine(dialog), QString());
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kRestoreButtonId);
        EXPECT_EQ(MessageLine(dialog),
                  QStringLiteral("Restoration is finished. Please re-login or some data may be inconsistent."));
        EXPECT_EQ(program.ServerRecords(kReqNeKey, kNorth1).front().neName, "North-1");
        // The backups stay as they were.
        EXPECT_EQ(ListColumn(list, 1), (QStringList{"AUTOBK-20240303-0330", "before-rename"}));
        EXPECT_EQ(ServerBackups(program), (std::vector<std::string>{"AUTOBK-20240303-0330", "before-rename"}));

        // A backup deleted.
        person.AnswerBox(IDYES);
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Complete deleting file"));
        EXPECT_EQ(ListColumn(list, 1), QStringList{"AUTOBK-20240303-0330"});
        worked = true;
    });
    ASSERT_TRUE(program.Command(kCmdDbBackup));
    ASSERT_TRUE(worked);
    EXPECT_EQ(ServerBackups(program), std::vector<std::string>{"AUTOBK-20240303-0330"});

    // Logged in again, the workstation sees the NE as it was backed up.
    person.AnswerBox(IDYES); // "Are you sure to logout?"
    person.PushLogin(app_test::LoginInput{.user = "admin", .password = "admin"});
    ASSERT_TRUE(program.Command(CEmsApp::kCmdLogout));
    EXPECT_EQ(person.loginRuns, 2);
    ASSERT_TRUE(program.WaitUntil([&] { return program.Frame().isVisible(); }));
    EXPECT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("North-1")) != nullptr; }));
    EXPECT_EQ(program.TreeItem(QStringLiteral("Renamed-1")), nullptr);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The backups' names sort without regard to case, the first click ascending, the next descending.
TEST(DbBackupE2eTest, TheNamesSortWithoutRegardToCase)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    server_test::CRawClient& probe = program.ServerProbe();
    for (const char* name : {"beta", "Zeta", "alpha"}) {
        const auto bytes = EncodeRecord(BackupRecord{name, 0});
        const std::optional<Frame> reply = probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqDbBackupAdd, 0, {bytes.begin(), bytes.end()}, kBackupRecordSize));
        ASSERT_TRUE(reply && reply->header.status == 0) << name;
    }
    e2e::COperator& person = program.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        program.ClickHeader(*list.header(), 1);
        EXPECT_EQ(program.ShownColumn(list, 1), (QStringList{"alpha", "AUTOBK-20240303-0330", "beta", "Zeta"}));
        program.ClickHeader(*list.header(), 1);
        EXPECT_EQ(program.ShownColumn(list, 1), (QStringList{"Zeta", "beta", "AUTOBK-20240303-0330", "alpha"}));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdDbBackup));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The sizes sort as numbers: 9 bytes before 10 and 100, though their texts sort the other way.
TEST(DbBackupE2eTest, TheSizesSortAsNumbers)
{
    e2e::CProgram program;
    std::string world = ReadText(TARVIK_TEST_DATA_DIR "/server/sim_world.ini");
    const char* const sized[][3] = {{"db2", "big", "100"}, {"db3", "small", "9"}, {"db4", "middle", "10"}};
    for (const auto& backup : sized) {
        world += std::string("\n[BackupRecord.") + backup[0] + "]\nrequest=45\nname=" + backup[1] +
                 "\nfileSize=" + backup[2] + "\n";
    }
    const std::filesystem::path path = program.WorkDir().Path() / "world.ini";
    WriteText(path, world);
    e2e::PeerOptions options;
    options.args = {"--scenario", path.string()};
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        constexpr int kSizeColumn = 2;
        for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(list, kSizeColumn, kImageSortAscending);
             ++click)
            program.ClickHeader(*list.header(), kSizeColumn);
        EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(list, kSizeColumn, kImageSortAscending));
        QStringList names = program.ShownColumn(list, 1);
        names.removeIf([](const QString& name) { return name.startsWith(QStringLiteral("AUTOBK-")); });
        EXPECT_EQ(names, (QStringList{"small", "middle", "big"}));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdDbBackup));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

TEST(DbBackupE2eTest, AManagerListsTheBackupsButMayNotMakeOne)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("manager", "manager"));
    e2e::COperator& person = program.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        EXPECT_EQ(ListColumn(*dialog.FindList(kListControlId), 1), QStringList{"AUTOBK-20240303-0330"});
        Click(dialog, kAddButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("No privilege"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdDbBackup));
    EXPECT_EQ(ServerBackups(program), std::vector<std::string>{"AUTOBK-20240303-0330"});
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
