// The batch firmware upgrade in the running program, against the simulated server and a real FTP server on loopback
// with an address per NE: twelve NEs ticked, at most five served at once, each row with its own result (one NE whose
// login the workstation has wrong, one without the chosen partition), each result reported to the server, and the
// NEs then reporting the new firmware. A dialog closed mid-batch leaves its NEs to finish and be reported.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/server_records.h"

#include "tests/link/ftp_peer.h"
#include "ui/shell/frame/frame_status_bar.h"
#include "ui/shell/frame/main_frame.h"

#include "core/tables/ne_table.h"
#include "core/util/firmware_image.h"
#include "features/management/firmware/ne_fw_upgrade_dlg.h"
#include "link/records/location_record.h"
#include "link/records/ne_fw_upgrade_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/record_bytes.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

constexpr int kCmdFirmwareUpgrade = 33044;
const std::string kFtpWorld = std::string(TARVIK_TEST_DATA_DIR) + "/server/ftp_world.ini";
const QString kImageVersion = QStringLiteral("QX7200 3.1.0");

using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;
using Dlg = CNeFwUpgradeDlg;

std::string NeAddress(int n)
{
    return "127.0.3." + std::to_string(n);
}

// The FTP servers of the world's twelve IPD-12 NEs: NE 11's password is no longer the one the server knows, NE 12 has
// no first partition.
std::vector<ftp_test::FtpNe> FtpNes()
{
    std::vector<ftp_test::FtpNe> nes;
    for (int n = 1; n <= 12; ++n)
        nes.push_back({NeAddress(n), "qurim", n == 11 ? "changed" : "qurim"});
    return nes;
}

// What the main frame's message pane shows, where a batch's summary goes.
QString SummaryShown(e2e::CProgram& program)
{
    return program.Frame().StatusPanes()->PaneText(CFrameStatusBar::kMessagePane);
}

class FirmwareUpgradeE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 11; ++n)
            std::filesystem::create_directories(peer_.Area(NeAddress(n)) / "Partition 1");
        ASSERT_TRUE(peer_.Start());
        const std::vector<uint8_t> image =
            BuildFirmwareImage("QX7200", kImageVersion.toStdString(), std::vector<uint8_t>(3000, 0x5C));
        WriteText(local_.Path() / "qx7200.enc", std::string(image.begin(), image.end()));
        std::vector<uint8_t> spoilt = image;
        spoilt[1000] ^= 1;
        WriteText(local_.Path() / "spoilt.enc", std::string(spoilt.begin(), spoilt.end()));
    }

    // The server with the world of these tests and the NEs' FTP areas; transfers in small steps with a pause, so that
    // they overlap.
    void Start(e2e::CProgram& program, int rateLimitMs)
    {
        ASSERT_TRUE(program.StartServer(
            {.args = {"--scenario", kFtpWorld, "--ftp-root", peer_.Root().string()},
             .iniExtra = "[UPGRADE]\nFTPPORT=" + std::to_string(peer_.Port()) +
                         "\nFTPMAXSESSION=5\nFTPDATASIZE=64\nFTPRATELIMIT=" + std::to_string(rateLimitMs) + "\n"}));
        ASSERT_TRUE(program.Login("admin", "admin"));
        program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    }

    QString Local(const std::string& name) const { return QString::fromStdString((local_.Path() / name).string()); }

    // What the server keeps of each NE's last upgrade, by NE.
    static std::map<uint32_t, uint32_t> ServerResults(e2e::CProgram& program)
    {
        std::map<uint32_t, uint32_t> results;
        for (const NeFwUpgradeRecord& rec : program.ServerRecords(kReqNeFwUpgrade))
            results[rec.neId] = rec.lastResult;
        return results;
    }

    ftp_test::CFtpPeer peer_{FtpNes()};
    CTempDir local_{false, "tarvik-image-"};
};

TEST_F(FirmwareUpgradeE2eTest, TwelveNesAtMostFiveAtATimeEachWithItsResult)
{
    e2e::CProgram program;
    Start(program, 5);
    e2e::COperator& person = program.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        // The Progress column, which the dialog draws, is laid out by its title alone: narrower than its bar.
        const int progressWidth = list.columnWidth(Dlg::kProgressColumn);
        EXPECT_GE(progressWidth, list.header()->fontMetrics().horizontalAdvance(QStringLiteral("Progress")));
        EXPECT_LT(progressWidth, 100);
        // The location of the NE chosen, its model: the IPD-12s of North.
        EXPECT_EQ(ListColumn(list, 1).join(','),
                  QStringLiteral("North-1,North-2,North-3,North-4,North-5,North-6,North-7,North-13"));
        ASSERT_TRUE(Choose(dialog, Dlg::kLocationId, QStringLiteral("Headquarters")));
        EXPECT_EQ(ListColumn(list, 1).size(), 13);
        // Locations sort as texts, an NE's name deciding between equal ones; addresses by their numbers. No. puts
        // the rows back in the order they came.
        const struct {
            int column;
            const char* names;
        } sorts[] = {
            {2, "North-1,North-13,North-2,North-3,North-4,North-5,North-6,North-7,South-10,South-11,South-12,South-8,"
                "South-9"},
            {3, "North-1,North-2,North-3,North-4,North-5,North-6,North-7,South-8,South-9,South-10,South-11,South-12,"
                "North-13"},
            {0, "North-1,North-2,North-3,North-4,North-5,North-6,North-7,South-8,South-9,South-10,South-11,South-12,"
                "North-13"},
        };
        for (const auto& sort : sorts) {
            e2e::CProgram::ClickHeader(*list.header(), sort.column);
            EXPECT_EQ(ListColumn(list, 1).join(','), QString::fromLatin1(sort.names)) << sort.column;
        }
        EXPECT_EQ(ListColumn(list, 4).first(), QStringLiteral("QX7200 3.0.1"));
        // Enter on the list without a row runs Show, which asks for one.
        list.clearSelection();
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Return);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Please select one item"));

        // The planned NE is greyed: Select All passes it by, and a tick of its own goes at once.
        Click(dialog, Dlg::kSelectAllButtonId);
        e2e::TickRows(list, {});
        Click(dialog, Dlg::kSelectAllButtonId);
        const int planned = e2e::RowOf(list, 1, QStringLiteral("North-13"));
        CListControl rows(&list);
        EXPECT_FALSE(rows.GetCheck(planned));
        rows.SetCheck(planned, true);
        EXPECT_FALSE(rows.GetCheck(planned));

        // The image is checked before any NE is contacted: its framing, then its type against the chosen one.
        Type(dialog, Dlg::kLocalFileId, Local("spoilt.enc"));
        Click(dialog, Dlg::kUpgradeButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Local file is corrupted or format error"));
        Type(dialog, Dlg::kLocalFileId, Local("qx7200.enc"));
        ASSERT_TRUE(Choose(dialog, Dlg::kFirmwareTypeId, QStringLiteral("ADSL line board firmware")));
        Click(dialog, Dlg::kUpgradeButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Local file is type-mismatched"));
        EXPECT_EQ(dialog.Batch(), nullptr);

        ASSERT_TRUE(Choose(dialog, Dlg::kFirmwareTypeId, QStringLiteral("Network board firmware")));
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kUpgradeButtonId);
        ASSERT_NE(dialog.Batch(), nullptr);
        EXPECT_EQ(dialog.Batch()->SlotCount(), 5u);
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kUpgradeButtonId));
        EXPECT_TRUE(dialog.IsControlEnabled(Dlg::kStopButtonId));
        ASSERT_TRUE(program.WaitUntil([&] { return dialog.Batch() == nullptr; }, 60000));

        std::map<QString, QString> status, error, result;
        for (int row = 0; row < rows.GetItemCount(); ++row) {
            status[rows.GetItemText(row, 1)] = rows.GetItemText(row, Dlg::kStatusColumn);
            error[rows.GetItemText(row, 1)] = rows.GetItemText(row, Dlg::kErrorColumn);
            result[rows.GetItemText(row, 1)] = rows.GetItemText(row, Dlg::kLastResultColumn);
        }
        for (const char* ne : {"North-1", "North-7", "South-8", "South-10"}) {
            EXPECT_EQ(status[ne], QStringLiteral("finish")) << ne;
            EXPECT_EQ(result[ne], QStringLiteral("success")) << ne;
            EXPECT_EQ(rows.GetItemText(e2e::RowOf(list, 1, ne), Dlg::kProgressColumn), QStringLiteral("100%"));
        }
        EXPECT_EQ(status[QStringLiteral("South-11")], QStringLiteral("fail"));
        EXPECT_TRUE(error[QStringLiteral("South-11")].contains(QStringLiteral("530")))
            << error["South-11"].toStdString();
        EXPECT_EQ(error[QStringLiteral("South-12")], QStringLiteral("Fail to change remote drive"));
        EXPECT_EQ(result[QStringLiteral("South-12")], QStringLiteral("fail"));
        EXPECT_EQ(status[QStringLiteral("North-13")], QString());
        // The summary goes to the main frame's message pane, on one line, not to a message box: its line breaks and
        // tabs are blanks there, its own blanks as they are.
        EXPECT_EQ(SummaryShown(program),
                  QStringLiteral("Complete upgrading NE firmware. You should wait for 2 minutes "
                                 "and then reset NE to let firmware take effect.: Total  : 12 Success: 10 Failed : 2"));
        EXPECT_TRUE(std::none_of(person.boxTexts.begin(), person.boxTexts.end(), [](const QString& text) {
            return text.startsWith(QStringLiteral("Complete upgrading"));
        }));
        EXPECT_TRUE(dialog.IsControlEnabled(Dlg::kUpgradeButtonId));
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kStopButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_fw_upgrade_dlg")));
        // Made larger, the list takes the room and its columns share it (all of them in view once the window is wide
        // enough for their texts); the buttons keep to its right, Close to the corner.
        const QRect before = list.geometry();
        const QSize was = dialog.size();
        const int buttonGap = dialog.GetDlgItem(Dlg::kUpgradeButtonId)->x() - before.right();
        const int closeMargin = was.height() - dialog.GetDlgItem(IDCANCEL)->geometry().bottom();
        dialog.resize(1200, 640);
        program.Settle();
        EXPECT_EQ(list.geometry(), before.adjusted(0, 0, 1200 - was.width(), 640 - was.height()));
        EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
        EXPECT_EQ(dialog.GetDlgItem(Dlg::kUpgradeButtonId)->x(), list.geometry().right() + buttonGap);
        EXPECT_EQ(dialog.GetDlgItem(IDCANCEL)->geometry().bottom(), 640 - closeMargin);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_fw_upgrade_dlg_wide")));
    });
    ASSERT_TRUE(program.Command(kCmdFirmwareUpgrade));

    EXPECT_LE(peer_.MostAtOnce(), 5);
    EXPECT_GE(peer_.MostAtOnce(), 3);
    EXPECT_EQ(peer_.Completed(), 10);
    const std::map<uint32_t, uint32_t> results = ServerResults(program);
    for (uint32_t ne = 1; ne <= 10; ++ne)
        EXPECT_EQ(results.at(ne), 1u) << ne;
    EXPECT_EQ(results.at(11), 2u);
    EXPECT_EQ(results.at(12), 2u);
    EXPECT_EQ(results.at(13), 0u);

    // The NEs now report the firmware they were sent.
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(ListColumn(list, 4).first(), kImageVersion);
        EXPECT_EQ(list.model()->index(0, 9).data().toString(), QStringLiteral("qx7200.enc"));
    });
    ASSERT_TRUE(program.Command(kCmdFirmwareUpgrade));
}

// Names and locations sort as texts, letter case counting: an NE and a location named in small letters, added
// through the server, come after those in capitals.
TEST_F(FirmwareUpgradeE2eTest, NamesAndLocationsSortAsTextsLetterCaseCounting)
{
    e2e::CProgram program;
    Start(program, 0);
    const auto add = [&](uint16_t code, const auto& record, uint32_t size) {
        return e2e::AddThroughServer(program, code, record, size);
    };
    LocationRecord east;
    east.name = "east";
    east.parentId = 1;
    const uint32_t eastId = add(kReqLocationAdd, east, kLocationRecordSize);
    for (const auto& [name, location, last] :
         {std::tuple{"a-East", eastId, uint8_t{20}}, std::tuple{"north-0", uint32_t{2}, uint8_t{21}}}) {
        NeKeyRecord ne;
        ne.neName = name;
        ne.modelId = 2;
        ne.locationId = location;
        ne.ipAddress = {127, 0, 3, last};
        ne.port = 161;
        add(kReqNeKeyAdd, ne, kNeKeyRecordSize);
    }
    ASSERT_TRUE(program.WaitUntil([] { return FindNeByName("north-0") != nullptr; }));
    program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        // The choices it opens with: the chosen NE's location and model, the first type, the first partition.
        const struct {
            int id;
            const char* items;
            const char* chosen;
        } combos[] = {
            {Dlg::kLocationId, "<Root>,Headquarters,North,South,east", "North"},
            {Dlg::kNeModelId, "IPD-12,IPD-48", "IPD-12"},
            {Dlg::kFirmwareTypeId, "Network board firmware,ADSL line board firmware,ADSL line board boot code",
             "Network board firmware"},
            {Dlg::kPartitionId, "Partition 1,Partition 2", "Partition 1"},
        };
        for (const auto& combo : combos) {
            EXPECT_EQ(e2e::ComboTexts(dialog, combo.id), QString::fromLatin1(combo.items)) << combo.id;
            EXPECT_EQ(e2e::Field(dialog, combo.id), QString::fromLatin1(combo.chosen)) << combo.id;
        }
        ASSERT_TRUE(Choose(dialog, Dlg::kLocationId, QStringLiteral("Headquarters")));
        const struct {
            int column;
            const char* names;
        } sorts[] = {
            {1, "North-1,North-13,North-2,North-3,North-4,North-5,North-6,North-7,South-10,South-11,South-12,South-8,"
                "South-9,a-East,north-0"},
            {2, "North-1,North-13,North-2,North-3,North-4,North-5,North-6,North-7,north-0,South-10,South-11,South-12,"
                "South-8,South-9,a-East"},
        };
        for (const auto& sort : sorts) {
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(list, sort.column, kImageSortAscending);
                 ++click)
                e2e::CProgram::ClickHeader(*list.header(), sort.column);
            EXPECT_EQ(ListColumn(list, 1).join(','), QString::fromLatin1(sort.names)) << sort.column;
        }
    });
    ASSERT_TRUE(program.Command(kCmdFirmwareUpgrade));
}

TEST_F(FirmwareUpgradeE2eTest, ADialogClosedMidBatchLeavesItsNesToFinishAndBeReported)
{
    e2e::CProgram program;
    Start(program, 40);
    e2e::COperator& person = program.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        ASSERT_TRUE(Choose(dialog, Dlg::kLocationId, QStringLiteral("Headquarters")));
        Click(dialog, Dlg::kSelectAllButtonId);
        Type(dialog, Dlg::kLocalFileId, Local("qx7200.enc"));
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kUpgradeButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return ListColumn(list, Dlg::kStatusColumn).count("send") == 5; }));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_fw_upgrade_dlg_sending")));
        Click(dialog, IDCANCEL);
    });
    ASSERT_TRUE(program.Command(kCmdFirmwareUpgrade));

    // The five NEs being served finish after the dialog, and their results reach the server; no other NE is served.
    ASSERT_TRUE(program.WaitUntil(
        [&] {
            const std::map<uint32_t, uint32_t> results = ServerResults(program);
            return std::count_if(results.begin(), results.end(), [](const auto& r) { return r.second == 1; }) == 5;
        },
        30000));
    ASSERT_TRUE(program.WaitUntil(
        [&] { return SummaryShown(program).endsWith(QStringLiteral("Total  : 12 Success: 5 Failed : 7")); }));
    EXPECT_EQ(peer_.Completed(), 5);
}

TEST_F(FirmwareUpgradeE2eTest, StopEndsTheBatchOnceItsNesAreServed)
{
    e2e::CProgram program;
    Start(program, 40);
    e2e::COperator& person = program.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        ASSERT_TRUE(Choose(dialog, Dlg::kLocationId, QStringLiteral("Headquarters")));
        Click(dialog, Dlg::kSelectAllButtonId);
        Type(dialog, Dlg::kLocalFileId, Local("qx7200.enc"));
        person.AnswerBox(IDYES);
        Click(dialog, Dlg::kUpgradeButtonId);
        ASSERT_TRUE(program.WaitUntil([&] { return ListColumn(list, Dlg::kStatusColumn).count("send") == 5; }));
        Click(dialog, Dlg::kStopButtonId);
        EXPECT_FALSE(dialog.IsControlEnabled(Dlg::kStopButtonId));
        ASSERT_TRUE(program.WaitUntil([&] { return dialog.Batch() == nullptr; }, 30000));
        // The five being served finished; no slot that came free took another NE.
        EXPECT_EQ(ListColumn(list, Dlg::kStatusColumn).count("finish"), 5);
        EXPECT_EQ(ListColumn(list, Dlg::kStatusColumn).count(QString()), 8);
    });
    ASSERT_TRUE(program.Command(kCmdFirmwareUpgrade));
    EXPECT_TRUE(SummaryShown(program).endsWith(QStringLiteral("Total  : 12 Success: 5 Failed : 7")))
        << SummaryShown(program).toStdString();
    EXPECT_EQ(peer_.Completed(), 5);
}

} // namespace
