// An NE's file system in the running program: Configuration > NE Management > File System List shows the files of
// the NE's partitions as the NE keeps them (through the server); the operator deletes one, copies a firmware file to
// the other image partition on an NE with one control module and to both modules on an NE with two, follows each
// copy to its end (the operator cannot close its watch: only the NE's answers end it), and formats a partition.

#include "tests/e2e/support/e2e_harness.h"

#include "core/util/time_record.h"
#include "features/management/ne_fs/ne_fs_copy_dlg.h"
#include "features/management/ne_fs/ne_fs_copy_dual_dlg.h"
#include "features/management/ne_fs/ne_fs_copy_progress_dlg.h"
#include "features/management/ne_fs/ne_fs_format_dlg.h"
#include "features/management/ne_fs/ne_fs_list_dlg.h"
#include "link/records/ne_fs_file_record.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"
#include "ui/shell/frame/main_frame.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

constexpr int kCmdFileSystemList = 33206;
constexpr int kCmdFileSystemFormat = 33205;
constexpr uint32_t kNorth1 = 1; // one control module
constexpr uint32_t kSouth1 = 2; // a master and a slave
using Files = CNeFsListDlg;
using Copy = CNeFsCopyDlg;
using DualCopy = CNeFsCopyDualDlg;
using Progress = CNeFsCopyProgressDlg;
using e2e::Click;
using e2e::MessageLine;
using e2e::Type;

bool ServerHasFile(e2e::CProgram& program, uint32_t neId, uint16_t partition, const std::string& name)
{
    const std::vector<NeFsFileRecord> files = program.ServerRecords(kReqNeFsFile, neId);
    return std::any_of(files.begin(), files.end(),
                       [&](const NeFsFileRecord& file) { return file.partition == partition && file.name == name; });
}

void RefuseNext(e2e::CProgram& program, uint32_t action, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{action, code, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

void RefuseNextChange(e2e::CProgram& program, uint16_t code)
{
    RefuseNext(program, kSimRefuseNextChange, code);
}

void RefuseNextRequest(e2e::CProgram& program, uint16_t code)
{
    RefuseNext(program, kSimRefuseNextRequest, code);
}

int RowOfFile(QTreeView& rows, const QString& device, const QString& name)
{
    const QStringList devices = e2e::ListColumn(rows, Files::kDeviceColumn);
    const QStringList names = e2e::ListColumn(rows, Files::kNameColumn);
    for (int row = 0; row < names.size(); ++row) {
        if (devices.value(row) == device && names.value(row) == name)
            return row;
    }
    return -1;
}

class NeFileSystemE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The operator's toolbar: the partition format, which no menu offers.
        e2e::PeerOptions options;
        options.iniExtra = e2e::ToolbarOf(33205);
        ASSERT_TRUE(program_.StartServer(options));
        ASSERT_TRUE(program_.Login("admin", "admin"));
    }

    void SelectNe(const QString& name, uint32_t neId)
    {
        program_.ClickTreeItem(program_.TreeItem(name));
        ASSERT_EQ(program_.Frame().GetCurrentNeId(), neId);
    }

    // The progress of one copy, on a clock that runs fast: each step of the loop is five seconds to the dialog, so
    // that it asks the NE every few hundred milliseconds while the NE copies in real time. The operator cannot close
    // it: Enter, Escape, its Cancel and the close button leave it up. With `refused` the NE refuses the first
    // question, which ends the dialog.
    void FollowCopy(bool refused = false)
    {
        program_.Operator().OnDialog<Progress>([this, refused](Progress& progress) {
            auto fastMs = std::make_shared<int64_t>(0);
            const TimeRec start = GetCurrentUtcTime();
            progress.SetClock([start, fastMs] {
                TimeRec now = start;
                AddMsToTimeRec(&now, *fastMs);
                return now;
            });
            ++copiesWatched_;
            // The watch has no caption: its title is blank, and not empty, which the window system would fill with
            // the program's name.
            EXPECT_EQ(progress.windowTitle(), QStringLiteral(" "));
            QTest::keyClick(&progress, Qt::Key_Return);
            QTest::keyClick(&progress, Qt::Key_Escape);
            Click(progress, IDCANCEL);
            progress.close();
            EXPECT_FALSE(progress.IsEnded()) << "the operator closed the watch";
            EXPECT_TRUE(progress.isVisible());
            if (refused) {
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(progress, QStringLiteral("ne_fs_copy_progress")));
                RefuseNextRequest(program_, kReqNeFsCopy);
            }
            for (int step = 0; step < 200 && !progress.IsEnded(); ++step) {
                *fastMs += 5000;
                program_.WaitUntil([&progress] { return progress.IsEnded(); }, 100);
            }
            EXPECT_TRUE(progress.IsEnded());
        });
    }

    e2e::CProgram program_;
    int copiesWatched_ = 0;
};

TEST_F(NeFileSystemE2eTest, FilesAreListedDeletedAndCopiedToTheOtherPartition)
{
    SelectNe(QStringLiteral("North-1"), kNorth1);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Files>([&](Files& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        ASSERT_EQ(e2e::ListColumn(rows, Files::kNameColumn).size(), 4);
        // Sizes sort by their numbers: 512 bytes before 48213.
        e2e::CProgram::ClickHeader(*rows.header(), Files::kSizeColumn);
        EXPECT_EQ(e2e::ListColumn(rows, Files::kNameColumn).join(','),
                  QStringLiteral("mac.cfg,startup.cfg,ipd-2.3.7.bin,ipd-2.4.1.bin"));
        // The NE's MAC addresses stay; a configuration can go but not be copied.
        program_.ClickListRow(rows, RowOfFile(rows, QStringLiteral("cfg"), QStringLiteral("mac.cfg")));
        EXPECT_FALSE(list.IsControlEnabled(kDeleteButtonId));
        EXPECT_FALSE(list.IsControlEnabled(Files::kCopyButtonId));
        program_.ClickListRow(rows, RowOfFile(rows, QStringLiteral("cfg"), QStringLiteral("startup.cfg")));
        EXPECT_TRUE(list.IsControlEnabled(kDeleteButtonId));
        EXPECT_FALSE(list.IsControlEnabled(Files::kCopyButtonId));
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(RowOfFile(rows, QStringLiteral("cfg"), QStringLiteral("startup.cfg")), -1);
        EXPECT_FALSE(ServerHasFile(program_, kNorth1, 3, "startup.cfg"));

        program_.ClickListRow(rows, RowOfFile(rows, QStringLiteral("opCodeA"), QStringLiteral("ipd-2.4.1.bin")));
        EXPECT_TRUE(list.IsControlEnabled(Files::kCopyButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("ne_fs_list")));
        person.OnDialog<Copy>([&](Copy& copy) {
            // The other image partition is proposed, under the source's name.
            EXPECT_FALSE(e2e::IsChecked(copy, Copy::kMasterOpCodeACheckId));
            EXPECT_TRUE(e2e::IsChecked(copy, Copy::kMasterOpCodeBCheckId));
            EXPECT_EQ(e2e::Field(copy, Copy::kMasterOpCodeBNameId), QStringLiteral("ipd-2.4.1.bin"));
            EXPECT_TRUE(copy.IsControlReadOnly(Copy::kMasterOpCodeANameId));
            // No destination, no OK.
            e2e::Check(copy, Copy::kMasterOpCodeBCheckId, false);
            EXPECT_FALSE(copy.IsControlEnabled(IDOK));
            e2e::Check(copy, Copy::kMasterOpCodeBCheckId);
            // An empty name passes to the question; a name takes name characters only.
            Type(copy, Copy::kMasterOpCodeBNameId, QString());
            person.AnswerBox(IDNO);
            Click(copy, IDOK);
            EXPECT_EQ(MessageLine(copy), QString());
            ASSERT_FALSE(person.boxTexts.empty());
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to copy the file?"));
            EXPECT_FALSE(copy.IsEnded());
            Type(copy, Copy::kMasterOpCodeBNameId, QStringLiteral("ipd 2.4.1.bin"));
            Click(copy, IDOK);
            EXPECT_EQ(MessageLine(copy),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            EXPECT_EQ(copy.GetDlgItemAs<QLineEdit>(Copy::kMasterOpCodeBNameId)->selectedText(), QStringLiteral(" "));
            Type(copy, Copy::kMasterOpCodeBNameId, QStringLiteral("mac.cfg"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(copy, QStringLiteral("ne_fs_copy")));

            // The NE refuses to start: the operator reads why and the dialog stays.
            RefuseNextChange(program_, kReqNeFsCopy);
            person.AnswerBox(IDYES);
            Click(copy, IDOK);
            EXPECT_FALSE(copy.IsEnded());
            ASSERT_FALSE(person.boxTexts.empty());
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query\n\n")))
                << person.LastBoxText().toStdString();

            FollowCopy();
            person.AnswerBox(IDYES);
            Click(copy, IDOK);
            EXPECT_TRUE(copy.IsEnded());
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Complete copy file"));
        });
        Click(list, Files::kCopyButtonId);
        // The list shows the copy the NE made; named as the MAC addresses' file, but in an image partition, it can go
        // and be copied.
        const int copied = RowOfFile(rows, QStringLiteral("opCodeB"), QStringLiteral("mac.cfg"));
        ASSERT_GE(copied, 0);
        program_.ClickListRow(rows, copied);
        EXPECT_TRUE(list.IsControlEnabled(kDeleteButtonId));
        EXPECT_TRUE(list.IsControlEnabled(Files::kCopyButtonId));
    });
    ASSERT_TRUE(program_.Command(kCmdFileSystemList));
    EXPECT_EQ(copiesWatched_, 1);
    EXPECT_TRUE(ServerHasFile(program_, kNorth1, 2, "mac.cfg"));
}

TEST_F(NeFileSystemE2eTest, ACopyToBothModulesIsFollowedToTheEndAndOneWhoseQuestionFailsIsLeft)
{
    SelectNe(QStringLiteral("South-1"), kSouth1);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Files>([&](Files& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        program_.ClickListRow(rows, RowOfFile(rows, QStringLiteral("opCodeB"), QStringLiteral("ipd-2.3.7.bin")));
        person.OnDialog<DualCopy>([&](DualCopy& copy) {
            EXPECT_TRUE(e2e::IsChecked(copy, DualCopy::kMasterOpCodeACheckId));
            EXPECT_FALSE(e2e::IsChecked(copy, DualCopy::kSlaveOpCodeACheckId));
            EXPECT_TRUE(copy.IsControlReadOnly(DualCopy::kSlaveOpCodeANameId));
            e2e::Check(copy, DualCopy::kSlaveOpCodeBCheckId);
            Type(copy, DualCopy::kMasterOpCodeANameId, QStringLiteral("ipd-2.3.7-a.bin"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(copy, QStringLiteral("ne_fs_copy_dual")));
            // The master's copy is followed to its end; the NE refuses the question about the slave's.
            FollowCopy();
            FollowCopy(true);
            person.AnswerBox(IDYES);
            Click(copy, IDOK);
            EXPECT_FALSE(copy.IsEnded());
            // What was copied is not copied again; what is left stays ticked.
            EXPECT_FALSE(e2e::IsChecked(copy, DualCopy::kMasterOpCodeACheckId));
            EXPECT_TRUE(e2e::IsChecked(copy, DualCopy::kSlaveOpCodeBCheckId));
            EXPECT_TRUE(copy.IsControlEnabled(IDOK));
        });
        Click(list, CNeFsListDlg::kCopyButtonId);
    });
    ASSERT_TRUE(program_.Command(kCmdFileSystemList));
    EXPECT_EQ(copiesWatched_, 2);
    EXPECT_TRUE(ServerHasFile(program_, kSouth1, 1, "ipd-2.3.7-a.bin"));
}

// Only an NE read as the model of one control module gets the single copy dialog: when the NE cannot be read, North-1
// gets the dual one, after the failure box.
TEST_F(NeFileSystemE2eTest, ACopyWhoseNeCannotBeReadOpensTheDualDialog)
{
    SelectNe(QStringLiteral("North-1"), kNorth1);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Files>([&](Files& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        program_.ClickListRow(rows, RowOfFile(rows, QStringLiteral("opCodeA"), QStringLiteral("ipd-2.4.1.bin")));
        bool dual = false;
        person.OnDialog<DualCopy>([&](DualCopy&) { dual = true; });
        RefuseNextRequest(program_, kReqNeKey);
        Click(list, CNeFsListDlg::kCopyButtonId);
        ASSERT_EQ(person.boxTexts.size(), 1u);
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query")))
            << person.LastBoxText().toStdString();
        EXPECT_TRUE(dual);
    });
    ASSERT_TRUE(program_.Command(kCmdFileSystemList));
}

TEST_F(NeFileSystemE2eTest, AFormatEmptiesThePartitionButKeepsTheMacAddresses)
{
    SelectNe(QStringLiteral("North-1"), kNorth1);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CNeFsFormatDlg>([&](CNeFsFormatDlg& format) {
        EXPECT_TRUE(e2e::IsChecked(format, CNeFsFormatDlg::kOpCodeAId));
        e2e::Check(format, CNeFsFormatDlg::kConfigId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(format, QStringLiteral("ne_fs_format")));
        RefuseNextChange(program_, kReqNeFsFormat);
        person.AnswerBox(IDYES);
        Click(format, IDOK);
        EXPECT_FALSE(format.IsEnded());
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query\n\n")));
        EXPECT_TRUE(ServerHasFile(program_, kNorth1, 3, "startup.cfg"));
        person.AnswerBox(IDYES);
        Click(format, IDOK);
        EXPECT_TRUE(format.IsEnded());
    });
    ASSERT_TRUE(program_.ToolbarButton(kCmdFileSystemFormat));
    EXPECT_FALSE(ServerHasFile(program_, kNorth1, 3, "startup.cfg"));
    EXPECT_TRUE(ServerHasFile(program_, kNorth1, 3, "mac.cfg"));
    EXPECT_TRUE(ServerHasFile(program_, kNorth1, 1, "ipd-2.4.1.bin"));
}

// In direct mode the NE itself answers: its files are listed and one is deleted in its private tables.
TEST(NeFileSystemDirectE2eTest, TheNesOwnFilesAreListedAndOneIsDeleted)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    e2e::COperator& person = program.Operator();
    person.OnDialog<Files>([&](Files& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(rows, Files::kNameColumn).size(), 4);
        program.ClickListRow(rows, RowOfFile(rows, QStringLiteral("cfg"), QStringLiteral("startup.cfg")));
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(RowOfFile(rows, QStringLiteral("cfg"), QStringLiteral("startup.cfg")), -1);
    });
    ASSERT_TRUE(program.Command(kCmdFileSystemList));
    // Opened again, the list shows what the NE holds now.
    person.OnDialog<Files>(
        [&](Files& list) { EXPECT_EQ(e2e::ListColumn(*list.FindList(kListControlId), Files::kNameColumn).size(), 3); });
    ASSERT_TRUE(program.Command(kCmdFileSystemList));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
}

} // namespace
