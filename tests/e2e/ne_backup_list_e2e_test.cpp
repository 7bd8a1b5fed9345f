// The configuration backups the management server keeps of an NE, in the running program against the simulated
// server: listed with the automatic and the manual ones told apart, a manual backup made under a name the rules accept,
// a backup restored and one deleted; a backup another workstation deleted meanwhile is refused by the server. And the
// NE's boot partitions as the server keeps them.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"

#include "features/management/firmware/ne_boot_partition_dlg.h"
#include "features/management/firmware/ne_config_backup_dlg.h"
#include "features/management/firmware/ne_config_backup_list_dlg.h"
#include "link/ems_msg.h"
#include "link/records/backup_record.h"
#include "link/records/boot_partition_record.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdBackupRestore = 33001;
constexpr int kCmdBootPartition = 33170;
const std::string kFtpWorld = std::string(TARVIK_TEST_DATA_DIR) + "/server/ftp_world.ini";
constexpr int kManualImage = 9;
constexpr int kAutomaticImage = 10;

using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;
using Dlg = CNeConfigBackupListDlg;

std::vector<std::string> ServerBackups(e2e::CProgram& program)
{
    std::vector<std::string> names;
    for (const BackupRecord& backup : program.ServerRecords(kReqNeBackup, 1))
        names.push_back(backup.name);
    return names;
}

// The message line's text as the line shows it: cut short with an ellipsis where the line is narrower. Its text
// starts ten pixels into the line and ends four before the line's right end.
QString MessageLineShows(const CADialog& dialog)
{
    const QRect line = dialog.MessageLineRect();
    const int room = line.right() - 4 - (line.left() + 10) + 1;
    return QFontMetrics(dialog.GetFont()).elidedText(MessageLine(dialog), Qt::ElideRight, room);
}

class NeBackupListE2eTest : public ::testing::Test {
protected:
    void Start(e2e::CProgram& program, const std::string& iniExtra = {})
    {
        ASSERT_TRUE(program.StartServer({.args = {"--scenario", kFtpWorld}, .generatedNes = 0, .iniExtra = iniExtra}));
        ASSERT_TRUE(program.Login("admin", "admin"));
        program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    }
};

TEST_F(NeBackupListE2eTest, BackupsAreMadeRestoredAndDeletedAndAVanishedOneIsRefused)
{
    e2e::CProgram program;
    Start(program, "[DIALOG]\nNEBKDIR=/srv/backup\n");
    e2e::COperator& person = program.Operator();
    bool worked = false;
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(Field(dialog, Dlg::kDirectoryId), QStringLiteral("/srv/backup/127.0.3.1/"));
        ASSERT_EQ(ListColumn(list, 1), (QStringList{"AUTOBK-20240301", "before-upgrade"}));
        EXPECT_EQ(e2e::CellImage(list, 0), kAutomaticImage);
        EXPECT_EQ(e2e::CellImage(list, 1), kManualImage);
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kRestoreButtonId));

        // A manual backup: the server's prefix and a blank are refused, then the name is taken.
        person.OnDialog<CNeConfigBackupDlg>([&](CNeConfigBackupDlg& add) {
            Type(add, CNeConfigBackupDlg::kFileNameId, QStringLiteral("AUTOBK-mine"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Reserved data"));
            Type(add, CNeConfigBackupDlg::kFileNameId, QStringLiteral(" night ly"));
            Click(add, IDOK);
            EXPECT_EQ(add.GetDlgItemAs<QLineEdit>(CNeConfigBackupDlg::kFileNameId)->selectedText(),
                      QStringLiteral(" "));
            EXPECT_EQ(add.GetDlgItemAs<QLineEdit>(CNeConfigBackupDlg::kFileNameId)->selectionStart(), 6);
            Type(add, CNeConfigBackupDlg::kFileNameId, QStringLiteral("  autobk-nightly "));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("ne_config_backup_dlg")));
            person.AnswerBox(IDYES);
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);
        EXPECT_EQ(ListColumn(list, 1), (QStringList{"AUTOBK-20240301", "before-upgrade", "autobk-nightly"}));
        // The new row comes into view without being selected: Delete and Restore stay off.
        EXPECT_EQ(CListControl(&list).GetNextSelected(-1), -1);
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kRestoreButtonId));
        EXPECT_EQ(e2e::CellImage(list, 2), kManualImage);
        EXPECT_EQ(ServerBackups(program),
                  (std::vector<std::string>{"AUTOBK-20240301", "autobk-nightly", "before-upgrade"}));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_config_backup_list_dlg")));

        // Another workstation deletes a backup this list still shows: the server refuses its restore.
        const std::array<uint8_t, kBackupRecordSize> gone = EncodeRecord(BackupRecord{"before-upgrade", 0});
        server_test::CRawClient& probe = program.ServerProbe();
        const std::optional<Frame> deleted = probe.ReplyTo(
            probe.Send(2, kReqNeBackupDelete, 1, std::vector<uint8_t>(gone.begin(), gone.end()), kBackupRecordSize));
        ASSERT_TRUE(deleted && deleted->header.status == 0);
        program.ClickListRow(list, 1);
        EXPECT_TRUE(dialog.IsControlEnabled(Dlg::kRestoreButtonId));
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kRestoreButtonId);
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to restore data.")))
            << person.LastBoxText().toStdString();
        EXPECT_EQ(MessageLine(dialog), QString());

        program.ClickListRow(list, 0);
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kRestoreButtonId);
        EXPECT_TRUE(MessageLine(dialog).startsWith(QStringLiteral("Restore data successfully.")));
        // The line is as wide as this, the dialog's longest message: all of it shows.
        EXPECT_EQ(MessageLineShows(dialog), MessageLine(dialog));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_config_backup_list_restored")));

        // A backup not restored on second thoughts, then one deleted.
        program.ClickListRow(list, 2);
        person.AnswerBox(IDNO);
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(ListColumn(list, 1).size(), 3);
        person.AnswerBox(IDYES);
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Complete deleting file"));
        EXPECT_EQ(ListColumn(list, 1), (QStringList{"AUTOBK-20240301", "before-upgrade"}));
        EXPECT_EQ(ServerBackups(program), (std::vector<std::string>{"AUTOBK-20240301"}));
        worked = true;
    });
    ASSERT_TRUE(program.Command(kCmdBackupRestore));
    EXPECT_TRUE(worked);
}

// An NE's backup names sort with regard to case, capitals first.
TEST_F(NeBackupListE2eTest, TheNamesSortWithRegardToCase)
{
    e2e::CProgram program;
    Start(program);
    server_test::CRawClient& probe = program.ServerProbe();
    const auto bytes = EncodeRecord(BackupRecord{"Zulu", 0});
    const std::optional<Frame> reply =
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqNeBackupAdd, 1, {bytes.begin(), bytes.end()}, kBackupRecordSize));
    ASSERT_TRUE(reply && reply->header.status == 0);
    e2e::COperator& person = program.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        program.ClickHeader(*list.header(), 1);
        EXPECT_EQ(program.ShownColumn(list, 1), (QStringList{"AUTOBK-20240301", "Zulu", "before-upgrade"}));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdBackupRestore));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

TEST_F(NeBackupListE2eTest, TheNextBootPartitionIsChosenOnTheServer)
{
    e2e::CProgram program;
    Start(program, "[UPGRADE]\nBOOTDEV2=boot,flashA,flashB\n");
    e2e::COperator& person = program.Operator();
    person.OnDialog<CNeBootPartitionDlg>([&](CNeBootPartitionDlg& dialog) {
        EXPECT_EQ(Field(dialog, CNeBootPartitionDlg::kCurrentId), QStringLiteral("flashA"));
        EXPECT_EQ(e2e::ComboTexts(dialog, CNeBootPartitionDlg::kNextId), QStringLiteral("flashA,flashB"));
        EXPECT_TRUE(e2e::Choose(dialog, CNeBootPartitionDlg::kNextId, QStringLiteral("flashB")));
        person.AnswerBox(IDYES);
        Click(dialog, IDOK);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdBootPartition));
    const std::vector<BootPartitionRecord> partitions = program.ServerRecords(kReqNeBootPartition, 1);
    ASSERT_EQ(partitions.size(), 1u);
    EXPECT_EQ(partitions[0].current, 1u);
    EXPECT_EQ(partitions[0].next, 2u);
}

} // namespace
