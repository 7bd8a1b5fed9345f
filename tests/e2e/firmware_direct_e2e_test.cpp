// The firmware and configuration transfers of one NE in the running program, logged in straight to the simulated NE
// whose FTP server is a real one on loopback: the NE's configuration backed up into a local file and restored from it,
// its firmware image sent into a boot partition and fetched back (a spoilt one refused after the download), the next
// boot partition chosen, and the SHDSL image sent with the line cards told to load it. The NE refuses what its FTP area
// does not allow: a wrong login, a missing directory, a read-only configuration.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/rights_steps.h"
#include "tests/link/ftp_peer.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/util/firmware_image.h"
#include "core/util/md5.h"
#include "features/management/firmware/fw_file_info_dlg.h"
#include "features/management/firmware/ne_boot_partition_dlg.h"
#include "features/management/firmware/ne_config_backup_restore_dlg.h"
#include "features/management/firmware/ne_fw_upgrade_backup_dlg.h"
#include "features/management/firmware/ne_shdsl_fw_upgrade_dlg.h"
#include "features/management/firmware/transfer_progress.h"
#include "features/management/ne/ne_list_dlg.h"
#include "link/record_requests.h"
#include "link/records/boot_partition_record.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "ui/shell/tree/group_view.h"

#include <QComboBox>
#include <QProgressBar>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kCmdFirmwareUpgrade = 33044;
constexpr int kCmdShdslFirmwareUpgrade = 33197;
constexpr int kCmdBackupRestore = 33001;
const std::string kNeAddress = "127.0.0.1";
const std::string kNe48 = std::string(TARVIK_TEST_DATA_DIR) + "/snmp/ne_agent_ipd48.ini";

using e2e::Click;
using e2e::Field;
using e2e::MessageLine;
using e2e::Type;

class FirmwareDirectE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(peer_.Start());
        image_ = BuildFirmwareImage("QX7200", "QX7200 3.2.0", std::vector<uint8_t>(5000, 0x3A));
    }

    // The program logged in to the NE, whose FTP server is the test's; transfers in small steps.
    void Start(e2e::CProgram& program, const std::string& scenario = kNe48, const std::string& moreKeys = {})
    {
        ASSERT_TRUE(program.StartAgent({.args = {},
                                        .generatedNes = 0,
                                        .iniExtra = "[UPGRADE]\nFTPPORT=" + std::to_string(peer_.Port()) +
                                                    "\nFTPDATASIZE=256\nCWMFW4=QX7200,qx7200.enc\n" + moreKeys},
                                       scenario));
        ASSERT_TRUE(program.Login("qurim", "private"));
        program.ClickTreeItem(program.TreeItem(QString::fromStdString(kNeAddress)));
    }

    std::filesystem::path Area() const { return peer_.Area(kNeAddress); }
    std::filesystem::path Local(const std::string& name) const { return local_.Path() / name; }
    static QString Text(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

    // The NE's configuration and its side file.
    void PutNeConfig(const std::string& config)
    {
        std::filesystem::create_directories(Area() / "cfg:");
        WriteText(Area() / "cfg:" / "default.cfg", config);
        WriteText(Area() / "cfg:" / "default.md5", Md5HexString(config));
    }

    ftp_test::CFtpPeer peer_{{{kNeAddress, "qurim", "qurim"}}};
    CTempDir local_{false, "tarvik-direct-"};
    std::vector<uint8_t> image_;
};

TEST_F(FirmwareDirectE2eTest, AConfigurationBackedUpIsRestoredUnchangedAndARefusedRestoreKeepsTheNesDigest)
{
    const std::string running = "hostname ipd48-lab\r\nvlan 100\r\nsnmp community private rw\r\n";
    PutNeConfig(running);
    e2e::CProgram program;
    Start(program);
    e2e::COperator& person = program.Operator();
    using Dlg = CNeConfigBackupRestoreDlg;
    const std::filesystem::path backup = Local("ipd48.cfg");
    bool worked = false;

    // The direct link's Backup & Restore of the main menu works on the NE (its NE list offers none).
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        EXPECT_EQ(Field(dialog, Dlg::kUserId), QStringLiteral("qurim"));
        // A local file that cannot be made is refused before the NE is asked to write its flash.
        Type(dialog, Dlg::kPasswordId, QStringLiteral("qurim"));
        Type(dialog, Dlg::kFileNameId, Text(Local("absent") / "ipd48.cfg"));
        const size_t asked = person.boxTexts.size();
        Click(dialog, Dlg::kBackupButtonId);
        EXPECT_EQ(person.boxTexts.size(), asked) << "no question: the file comes first";
        EXPECT_FALSE(MessageLine(dialog).isEmpty());
        EXPECT_FALSE(dialog.Worker().Running());
        EXPECT_TRUE(dialog.IsControlEnabled(Dlg::kBackupButtonId));
        // Browse takes a new file in a folder that exists, with no question of its own: Backup asks.
        person.Files().PushPath(Text(backup));
        Click(dialog, Dlg::kBrowseButtonId);
        EXPECT_EQ(Field(dialog, Dlg::kFileNameId), Text(backup));
        ASSERT_FALSE(person.Files().Requests().empty());
        const FileChooserRequest& browsed = person.Files().Requests().back();
        EXPECT_TRUE(!browsed.save && browsed.mayBeNew);
        EXPECT_EQ(browsed.filter, QStringLiteral("(*.*)"));

        // A backup the NE refuses, over an older one: the older file is as it was while the questions are up and
        // after the refusal, and nothing is left beside it.
        const std::string older = "hostname ipd48-older\r\n";
        WriteText(backup, older);
        Type(dialog, Dlg::kPasswordId, QStringLiteral("wrong"));
        std::vector<std::string> duringQuestions;
        person.onBox = [&](QDialog&) { duringQuestions.push_back(ReadText(backup)); };
        person.AnswerBox(IDYES); // overwrite it
        person.AnswerBox(IDNO);  // no flash write first
        Click(dialog, Dlg::kBackupButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return !dialog.Worker().Running(); }));
        person.onBox = nullptr;
        EXPECT_EQ(duringQuestions, (std::vector<std::string>{older, older}));
        EXPECT_TRUE(MessageLine(dialog).contains(QStringLiteral("530"))) << MessageLine(dialog).toStdString();
        EXPECT_EQ(ReadText(backup), older);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(local_.Path()), {}), 1);

        // The NE writes its flash first, then sends its side file and configuration.
        Type(dialog, Dlg::kPasswordId, QStringLiteral("qurim"));
        person.AnswerBox(IDYES);
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kBackupButtonId);
        EXPECT_FALSE(dialog.IsControlEnabled(IDCANCEL));
        ASSERT_TRUE(program.WaitUntil([&] { return !dialog.Worker().Running(); }));
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Backup data successfully."));
        EXPECT_EQ(ReadText(backup), Md5HexString(running) + "\r\n" + running);
        EXPECT_EQ(Field(dialog, kTransferValueId), QString::number(34 + running.size()));
        EXPECT_TRUE(dialog.IsControlEnabled(IDCANCEL));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_config_backup_restore_dlg")));

        // The NE's configuration changes; the backup brings the old one back, digest and all.
        const std::string changed = "hostname ipd48-new\r\n";
        PutNeConfig(changed);
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kRestoreButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return !dialog.Worker().Running(); }));
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Restore data successfully.")));
        EXPECT_EQ(ReadText(Area() / "cfg:" / "default.cfg"), running);
        EXPECT_EQ(ReadText(Area() / "cfg:" / "default.md5"), Md5HexString(running));

        // A configuration the NE will not overwrite: the side file, sent first, is written; the configuration stays.
        PutNeConfig(changed);
        ftp_test::WriteTextReadOnly(Area() / "cfg:" / "default.cfg", changed);
        const size_t boxes = person.boxTexts.size();
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kRestoreButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return !dialog.Worker().Running(); }));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Fail to open remote configuration file"));
        EXPECT_EQ(person.boxTexts.size(), boxes + 1) << "the confirmation only";
        EXPECT_EQ(ReadText(Area() / "cfg:" / "default.md5"), Md5HexString(running));
        EXPECT_EQ(ReadText(Area() / "cfg:" / "default.cfg"), changed);

        // A local file whose digest is not its configuration's is refused before any connection.
        WriteText(Local("spoilt.cfg"), Md5HexString(running) + "\r\n" + changed);
        Type(dialog, Dlg::kFileNameId, Text(Local("spoilt.cfg")));
        Click(dialog, Dlg::kRestoreButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Local file is corrupted or format error"));
        EXPECT_FALSE(dialog.Worker().Running());
        worked = true;
    });
    ASSERT_TRUE(program.Command(kCmdBackupRestore));
    EXPECT_TRUE(worked);
    EXPECT_TRUE(program.Operator().unscriptedDialogs.isEmpty());
}

TEST_F(FirmwareDirectE2eTest, AnImageIsSentIntoItsPartitionAndASpoiltOneOnTheNeIsRefusedAfterTheDownload)
{
    std::filesystem::create_directories(Area() / "Partition 1");
    std::filesystem::create_directories(Area() / "Partition 2");
    std::vector<uint8_t> spoilt = image_;
    spoilt[70] ^= 0xFF;
    WriteText(Area() / "Partition 2" / "qx7200.enc", std::string(spoilt.begin(), spoilt.end()));
    WriteText(Local("qx7200.enc"), std::string(image_.begin(), image_.end()));
    e2e::CProgram program;
    Start(program);
    e2e::COperator& person = program.Operator();
    using Dlg = CNeFwUpgradeBackupDlg;

    person.OnDialog<Dlg>([&](Dlg& dialog) {
        // The NE runs partition 1 and boots it next time.
        EXPECT_EQ(Field(dialog, Dlg::kCurrentBootId), QStringLiteral("Partition 1"));
        EXPECT_EQ(Field(dialog, Dlg::kNextBootId), QStringLiteral("Partition 1"));
        EXPECT_EQ(e2e::ComboTexts(dialog, Dlg::kPartitionId), QStringLiteral("Partition 1,Partition 2"));
        Type(dialog, Dlg::kUserId, QStringLiteral("qurim"));

        // A file that is not there has nothing to show.
        Type(dialog, Dlg::kFileNameId, Text(Local("missing.enc")));
        person.OnDialog<CFwFileInfoDlg>([&](CFwFileInfoDlg& info) { EXPECT_TRUE(info.IsEnded()); });
        Click(dialog, Dlg::kDetailButtonId);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to open remote firmware file"));

        // What the file is.
        Type(dialog, Dlg::kFileNameId, Text(Local("qx7200.enc")));
        person.OnDialog<CFwFileInfoDlg>([&](CFwFileInfoDlg& info) {
            EXPECT_EQ(Field(info, CFwFileInfoDlg::kVersionId), QStringLiteral("QX7200 3.2.0"));
            EXPECT_EQ(Field(info, CFwFileInfoDlg::kNeModelId), QStringLiteral("IPD-48"));
            EXPECT_EQ(Field(info, CFwFileInfoDlg::kFirmwareTypeId), QStringLiteral("Network board firmware"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(info, QStringLiteral("fw_file_info_dlg")));
        });
        Click(dialog, Dlg::kDetailButtonId);

        // The NE refuses a wrong login.
        Type(dialog, Dlg::kPasswordId, QStringLiteral("wrong"));
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kUpgradeButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return !dialog.Worker().Running(); }));
        EXPECT_TRUE(MessageLine(dialog).contains(QStringLiteral("530"))) << MessageLine(dialog).toStdString();
        EXPECT_FALSE(std::filesystem::exists(Area() / "Partition 1" / "qx7200.enc"));

        Type(dialog, Dlg::kPasswordId, QStringLiteral("qurim"));
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kUpgradeButtonId);
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kBackupButtonId));
        ASSERT_TRUE(program.WaitUntil([&] { return !dialog.Worker().Running(); }));
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Complete upgrading NE firmware.")));
        EXPECT_EQ(ReadText(Area() / "Partition 1" / "qx7200.enc"), std::string(image_.begin(), image_.end()));
        EXPECT_EQ(Field(dialog, kTransferValueId), QStringLiteral("100"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_fw_upgrade_backup_dlg")));

        // The image of partition 2 arrives whole but fails its check: the operator is warned.
        ASSERT_TRUE(e2e::Choose(dialog, Dlg::kPartitionId, QStringLiteral("Partition 2")));
        Type(dialog, Dlg::kFileNameId, Text(Local("fetched.enc")));
        Click(dialog, Dlg::kBackupButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return !dialog.Worker().Running(); }));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("WARNING:  remote firmware is corrupted !!!"));
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("WARNING:  remote firmware is corrupted !!!"));
        // With no older file to keep, the download stays under its name as it came.
        EXPECT_EQ(ReadText(Local("fetched.enc")), std::string(spoilt.begin(), spoilt.end()));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(local_.Path()), {}), 2) << "nothing else beside";

        // A sound image fetched over an existing file, once the operator agrees.
        Type(dialog, Dlg::kFileNameId, Text(Local("qx7200.enc")));
        ASSERT_TRUE(e2e::Choose(dialog, Dlg::kPartitionId, QStringLiteral("Partition 1")));
        person.AnswerBox(IDNO);
        Click(dialog, Dlg::kBackupButtonId);
        EXPECT_FALSE(dialog.Worker().Running());
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("File is existed. Are you sure to overwrite it?"));
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kBackupButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return !dialog.Worker().Running(); }));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Backup data successfully."));
        EXPECT_EQ(Field(dialog, kTransferValueId), QString::number(image_.size()));
        EXPECT_EQ(ReadText(Local("qx7200.enc")), std::string(image_.begin(), image_.end()));
        EXPECT_EQ(Field(dialog, kTransferUnitId), QStringLiteral("Bytes"));

        // An upgrade clears the number and shows its unit before it looks at the file, refused or not.
        Type(dialog, Dlg::kFileNameId, Text(Local("missing.enc")));
        Click(dialog, Dlg::kUpgradeButtonId);
        EXPECT_FALSE(MessageLine(dialog).isEmpty());
        EXPECT_FALSE(dialog.Worker().Running());
        EXPECT_EQ(Field(dialog, kTransferValueId), QString());
        EXPECT_EQ(Field(dialog, kTransferUnitId), QStringLiteral("%"));
        EXPECT_TRUE(dialog.IsControlEnabled(Dlg::kUpgradeButtonId));

        // The next boot partition, chosen on the NE.
        person.OnDialog<CNeBootPartitionDlg>([&](CNeBootPartitionDlg& boot) {
            EXPECT_EQ(Field(boot, CNeBootPartitionDlg::kCurrentId), QStringLiteral("Partition 1"));
            EXPECT_EQ(e2e::ComboTexts(boot, CNeBootPartitionDlg::kNextId), QStringLiteral("Partition 1,Partition 2"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(boot, QStringLiteral("ne_boot_partition_dlg")));
            EXPECT_TRUE(e2e::Choose(boot, CNeBootPartitionDlg::kNextId, QStringLiteral("Partition 2")));
            person.AnswerBox(IDYES);
            Click(boot, IDOK);
            return IDCANCEL;
        });
        Click(dialog, Dlg::kChangeButtonId);
        EXPECT_EQ(Field(dialog, Dlg::kNextBootId), QStringLiteral("Partition 2"));
    });
    ASSERT_TRUE(program.Command(kCmdFirmwareUpgrade));
    const RecordReply<BootPartitionRecord> partitions =
        CRecordRequests().Query<BootPartitionRecord>(kReqNeBootPartition, 1, {.waitDialog = false});
    ASSERT_TRUE(partitions.Ok());
    ASSERT_EQ(partitions.records.size(), 1u);
    EXPECT_EQ(partitions.records[0].current, 1u);
    EXPECT_EQ(partitions.records[0].next, 2u);
}

// A dialog closed while its transfer runs leaves the transfer to run to its end, unwatched. The upgrade dialog keeps
// Close off meanwhile and is closed with Escape; the SHDSL dialog keeps Close on, and both ways close it.
// A dialog of the transfers, worked by a script that gets the dialog and its worker.
using Work = std::function<void(CADialog&, const CFtpWorker&)>;
using Working = std::function<void(e2e::CProgram&, const Work&)>;
template <class Dlg> Working WorkingOn()
{
    return [](e2e::CProgram& program, const Work& work) {
        program.Operator().OnDialog<Dlg>([work](Dlg& dialog) { work(dialog, dialog.Worker()); });
    };
}

TEST_F(FirmwareDirectE2eTest, ADialogClosedWhileItsTransferRunsLeavesTheTransferToItsEnd)
{
    std::filesystem::create_directories(Area() / "Partition 1");
    std::filesystem::create_directories(Area() / "shdsl:");
    WriteText(Local("qx7200.enc"), std::string(image_.begin(), image_.end()));
    const std::string shdslImage(5000, 'S');
    WriteText(Local("TEImage.bin.gz"), shdslImage);
    const struct {
        const char* name;
        Working working;
        int command;
        int sendButton;
        bool asks;        // the send asks a question first
        bool closeOn;     // Close stays usable while the transfer runs
        bool escape;      // closed with Escape, else with Close
        const char* sent; // where the NE keeps the file
        std::string local;
        std::string content;
    } cases[] = {
        {"upgrade, Escape", WorkingOn<CNeFwUpgradeBackupDlg>(), kCmdFirmwareUpgrade,
         CNeFwUpgradeBackupDlg::kUpgradeButtonId, true, false, true, "Partition 1/qx7200.enc", "qx7200.enc",
         std::string(image_.begin(), image_.end())},
        {"SHDSL, Escape", WorkingOn<CNeShdslFwUpgradeDlg>(), kCmdShdslFirmwareUpgrade,
         CNeShdslFwUpgradeDlg::kFtpButtonId, false, true, true, "shdsl:/TEImage.bin.gz", "TEImage.bin.gz", shdslImage},
        {"SHDSL, Close", WorkingOn<CNeShdslFwUpgradeDlg>(), kCmdShdslFirmwareUpgrade,
         CNeShdslFwUpgradeDlg::kFtpButtonId, false, true, false, "shdsl:/TEImage.bin.gz", "TEImage.bin.gz", shdslImage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(Area() / c.sent);
        e2e::CProgram program;
        // Twenty steps, a pause of 40 ms after each.
        Start(program, kNe48, "FTPRATELIMIT=40\n");
        e2e::COperator& person = program.Operator();
        bool worked = false;
        c.working(program, [&](CADialog& dialog, const CFtpWorker& worker) {
            Type(dialog, kNeTransferUserId, QStringLiteral("qurim"));
            Type(dialog, kNeTransferPasswordId, QStringLiteral("qurim"));
            Type(dialog, kNeTransferFileId, Text(Local(c.local)));
            if (c.asks)
                person.AnswerBox(IDYES);
            Click(dialog, c.sendButton);
            ASSERT_TRUE(program.WaitUntil([&] { return worker.Job().State() == FtpJobState::kSending; }));
            EXPECT_EQ(dialog.IsControlEnabled(IDCANCEL), c.closeOn);
            if (c.closeOn && !c.escape) {
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_shdsl_fw_upgrade_sending")));
            }
            const size_t boxes = person.boxTexts.size();
            if (c.escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                Click(dialog, IDCANCEL);
            EXPECT_TRUE(dialog.IsEnded());
            // Nobody tells the result; the NE gets the whole file all the same.
            EXPECT_TRUE(program.WaitUntil(
                [&] { return std::filesystem::exists(Area() / c.sent) && ReadText(Area() / c.sent) == c.content; },
                20000));
            EXPECT_EQ(person.boxTexts.size(), boxes);
            worked = true;
        });
        ASSERT_TRUE(program.Command(c.command));
        EXPECT_TRUE(worked);
    }
}

TEST_F(FirmwareDirectE2eTest, TheShdslImageIsSentThenTheFreeCardsAreToldToLoadIt)
{
    // The NE's SHDSL cards, and one whose id passes 0x8000 (the third shelf's slot 28).
    const std::filesystem::path scenario = Local("ne.ini");
    WriteText(scenario, ReadText(kNe48) + "\n[ShdslCardStatusRecord.3]\ncardId=32800\nmodelId=32\nstatus=1\n");
    const std::string shdslImage(3000, 'S');
    WriteText(Local("TEImage.bin.gz"), shdslImage);
    e2e::CProgram program;
    Start(program, scenario.string());
    e2e::COperator& person = program.Operator();
    using Dlg = CNeShdslFwUpgradeDlg;

    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        CListControl rows(&list);
        ASSERT_EQ(rows.GetItemCount(), 3);
        const auto rowOf = [&](uint32_t card) {
            for (int row = 0; row < rows.GetItemCount(); ++row) {
                if (rows.GetItemData(row) == card)
                    return row;
            }
            return -1;
        };
        const auto tick = [&](std::initializer_list<uint32_t> cards) {
            QStringList numbers;
            for (const uint32_t card : cards)
                numbers << rows.GetItemText(rowOf(card), 0);
            e2e::TickRows(list, numbers);
        };
        EXPECT_EQ(rows.GetItemText(rowOf(10300), 2), QStringLiteral("Inital"));
        EXPECT_EQ(rows.GetItemText(rowOf(20400), 2), QStringLiteral("Finished"));

        // Nothing to upgrade with until an image has gone to the NE.
        tick({10300});
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kUpgradeButtonId));

        Type(dialog, Dlg::kUserId, QStringLiteral("qurim"));
        Type(dialog, Dlg::kPasswordId, QStringLiteral("qurim"));
        Type(dialog, Dlg::kFileNameId, Text(Local("TEImage.bin.gz")));
        // The NE has no SHDSL drive yet.
        Click(dialog, Dlg::kFtpButtonId);
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kFtpButtonId));
        ASSERT_TRUE(program.WaitUntil([&] { return dialog.IsControlEnabled(Dlg::kFtpButtonId); }, 15000));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Fail to change remote drive"));
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kUpgradeButtonId));

        std::filesystem::create_directories(Area() / "shdsl:");
        Click(dialog, Dlg::kFtpButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return dialog.IsControlEnabled(Dlg::kUpgradeButtonId); }, 15000));
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Complete FTP SHDSL firmware."));
        EXPECT_EQ(ReadText(Area() / "shdsl:" / "TEImage.bin.gz"), shdslImage);
        // Sent, yet a finished card alone is nothing to upgrade: the ticked card must be a free one.
        tick({20400});
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kUpgradeButtonId));

        // A finished card loses its tick on the next round; the others keep theirs.
        tick({10300, 20400, 32800});
        ASSERT_TRUE(program.WaitUntil([&] { return !rows.GetCheck(rowOf(20400)); }));
        EXPECT_TRUE(rows.GetCheck(rowOf(10300)));
        EXPECT_TRUE(rows.GetCheck(rowOf(32800)));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_shdsl_fw_upgrade_dlg")));

        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kUpgradeButtonId);
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("SHDSL firmware upgrading is in progress.")));
        EXPECT_EQ(rows.GetItemText(rowOf(10300), 2), QStringLiteral("In Transmission"));
        EXPECT_EQ(rows.GetItemText(rowOf(32800), 2), QStringLiteral("In Transmission"));
        EXPECT_EQ(rows.GetItemText(rowOf(20400), 2), QStringLiteral("Finished"));
        // The card list has no popup menu.
        EXPECT_TRUE(program.RightClickListRow(list, 0).empty());
    });
    ASSERT_TRUE(program.Command(kCmdShdslFirmwareUpgrade));
}

// Straight at the NE the transfers ask their rights too: an operator whose role holds the letter below the one needed
// is refused (the dialog closes at once, or the backup stops before any transfer), one who holds it gets through.
TEST_F(FirmwareDirectE2eTest, TheTransfersAskTheirRights)
{
    PutNeConfig("hostname ipd48-lab\r\n");
    e2e::CProgram program;
    Start(program);
    const std::filesystem::path backup = Local("rights.cfg");
    // The NE is asked to write its flash before the backup: refused, the file made for it stays empty.
    const e2e::Path flashFirst = [&](e2e::CProgram& p) {
        std::filesystem::remove(backup);
        p.Operator().OnDialog<CNeConfigBackupRestoreDlg>([&](CNeConfigBackupRestoreDlg& dialog) {
            Type(dialog, CNeConfigBackupRestoreDlg::kPasswordId, QStringLiteral("qurim"));
            Type(dialog, CNeConfigBackupRestoreDlg::kFileNameId, Text(backup));
            p.Operator().AnswerBox(IDYES);
            Click(dialog, CNeConfigBackupRestoreDlg::kBackupButtonId);
            EXPECT_TRUE(p.WaitUntil([&] { return !dialog.Worker().Running(); }));
        });
        EXPECT_TRUE(p.Command(kCmdBackupRestore));
        return ReadText(backup).empty();
    };
    const e2e::RightCase cases[] = {
        {"Configuration backup and restore", 4, 'x', e2e::Opening<CNeConfigBackupRestoreDlg>(kCmdBackupRestore)},
        {"Flash written before a backup", 3, 'x', flashFirst},
        {"Firmware upgrade and backup", 27, 'x', e2e::Opening<CNeFwUpgradeBackupDlg>(kCmdFirmwareUpgrade)},
        {"SHDSL firmware upgrade", 27, 'x', e2e::Opening<CNeShdslFwUpgradeDlg>(kCmdShdslFirmwareUpgrade)},
    };
    for (const e2e::RightCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char held : {e2e::Lacking(c.letter), e2e::Granting(c.letter)}) {
            std::string rights(127, 'a');
            rights[static_cast<size_t>(c.function)] = held;
            ASSERT_EQ(SetUserRights(AppData().role, rights.c_str()), 0);
            EXPECT_EQ(c.path(program), held != e2e::Granting(c.letter)) << held;
        }
    }
}

// The FTP user and password of a transfer take 16 characters at most, the local file's name 255.
template <class Dlg> void CheckTransferLengths(e2e::CProgram& program, int command)
{
    const struct {
        int id;
        int most;
    } fields[] = {{Dlg::kUserId, 16}, {Dlg::kPasswordId, 16}, {Dlg::kFileNameId, 255}};
    bool reached = false;
    program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        reached = true;
        for (const auto& field : fields) {
            for (const int typed : {field.most, field.most + 1}) {
                Type(dialog, field.id, QString(typed, QLatin1Char('a')));
                EXPECT_EQ(Field(dialog, field.id).size(), field.most) << field.id << " " << typed;
            }
        }
    });
    EXPECT_TRUE(program.Command(command)) << command;
    EXPECT_TRUE(reached) << command;
}

TEST_F(FirmwareDirectE2eTest, TheTransfersTextsTakeAtMostTheirLengths)
{
    e2e::CProgram program;
    Start(program);
    CheckTransferLengths<CNeConfigBackupRestoreDlg>(program, kCmdBackupRestore);
    CheckTransferLengths<CNeFwUpgradeBackupDlg>(program, kCmdFirmwareUpgrade);
    CheckTransferLengths<CNeShdslFwUpgradeDlg>(program, kCmdShdslFirmwareUpgrade);
}

// Each transfer dialog opens with its bar empty at 0 (of 100 for the other two) and no number beside it; the upgrade
// dialog with the first partition and the first firmware type chosen.
TEST_F(FirmwareDirectE2eTest, TheTransferDialogsOpenWithTheirBarsAtZero)
{
    e2e::CProgram program;
    Start(program);
    const struct {
        const char* name;
        Working working;
        int command;
    } cases[] = {
        {"configuration", WorkingOn<CNeConfigBackupRestoreDlg>(), kCmdBackupRestore},
        {"upgrade", WorkingOn<CNeFwUpgradeBackupDlg>(), kCmdFirmwareUpgrade},
        {"SHDSL", WorkingOn<CNeShdslFwUpgradeDlg>(), kCmdShdslFirmwareUpgrade},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool reached = false;
        c.working(program, [&](CADialog& dialog, const CFtpWorker&) {
            reached = true;
            const auto* bar = dialog.GetDlgItemAs<QProgressBar>(kTransferProgressBarId);
            ASSERT_NE(bar, nullptr);
            const bool upgrade = dynamic_cast<CNeFwUpgradeBackupDlg*>(&dialog) != nullptr;
            if (!upgrade) {
                // The upgrade dialog's load says only "progress 0"; the other two give their range.
                EXPECT_EQ(bar->minimum(), 0);
                EXPECT_EQ(bar->maximum(), 100);
            }
            EXPECT_EQ(bar->value(), 0);
            EXPECT_EQ(Field(dialog, kTransferValueId), QString());
            if (upgrade) {
                EXPECT_EQ(Field(dialog, CNeFwUpgradeBackupDlg::kPartitionId), QStringLiteral("Partition 1"));
                EXPECT_EQ(dialog.GetDlgItemAs<QComboBox>(CNeFwUpgradeBackupDlg::kFirmwareTypeId)->currentIndex(), 0);
            }
        });
        ASSERT_TRUE(program.Command(c.command));
        EXPECT_TRUE(reached);
    }
}

// Every send of the transfers wants the FTP user, the password and the file, in this order: the first left blank is
// "Data is blank" on the message line, and nothing is sent.
TEST_F(FirmwareDirectE2eTest, EachSendRefusesTheFirstBlankField)
{
    e2e::CProgram program;
    Start(program);
    const struct {
        const char* name;
        Working working;
        int command;
        int button;
    } cases[] = {
        {"configuration backup", WorkingOn<CNeConfigBackupRestoreDlg>(), kCmdBackupRestore,
         CNeConfigBackupRestoreDlg::kBackupButtonId},
        {"configuration restore", WorkingOn<CNeConfigBackupRestoreDlg>(), kCmdBackupRestore,
         CNeConfigBackupRestoreDlg::kRestoreButtonId},
        {"firmware upgrade", WorkingOn<CNeFwUpgradeBackupDlg>(), kCmdFirmwareUpgrade,
         CNeFwUpgradeBackupDlg::kUpgradeButtonId},
        {"firmware backup", WorkingOn<CNeFwUpgradeBackupDlg>(), kCmdFirmwareUpgrade,
         CNeFwUpgradeBackupDlg::kBackupButtonId},
        {"SHDSL image", WorkingOn<CNeShdslFwUpgradeDlg>(), kCmdShdslFirmwareUpgrade, CNeShdslFwUpgradeDlg::kFtpButtonId},
    };
    const int fields[] = {kNeTransferUserId, kNeTransferPasswordId, kNeTransferFileId};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool reached = false;
        c.working(program, [&](CADialog& dialog, const CFtpWorker& worker) {
            reached = true;
            const size_t boxes = program.Operator().boxTexts.size();
            for (const int blank : fields) {
                SCOPED_TRACE(blank);
                for (const int id : fields)
                    Type(dialog, id, id == blank ? QString() : QStringLiteral("x"));
                Click(dialog, c.button);
                EXPECT_EQ(MessageLine(dialog), QStringLiteral("Data is blank"));
                EXPECT_FALSE(worker.Running());
            }
            EXPECT_EQ(program.Operator().boxTexts.size(), boxes) << "no question before the fields";
        });
        ASSERT_TRUE(program.Command(c.command));
        EXPECT_TRUE(reached);
    }
}

} // namespace
