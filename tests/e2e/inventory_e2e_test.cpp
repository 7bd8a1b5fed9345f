// The inventory in the running program: Diagnosis > Inventory lists the boards of the selected NE as the NE reports
// them through the server, sorts and exports them; opened on a slot it lists that slot's board; a Refresh that the
// server refuses, the NE being off the network, keeps the dialog open with "No data".

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "features/management/ne/inventory_dlg.h"
#include "link/records/board_setting_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int kCmdInventory = 33021;
constexpr uint32_t kNorth1 = 1, kNeItself = 1, kOfflineAlarm = 0;

using e2e::Click;
using e2e::ListColumn;
using e2e::MessageLine;

void TakeOffTheNetwork(e2e::CProgram& program, uint32_t neId)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto control = EncodeRecord(SimControlRec{kSimToggleAlarm, kNeItself, kOfflineAlarm, 0});
    const std::optional<Frame> reply = probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqSimControl, neId, {control.begin(), control.end()}, kSimControlRecSize));
    ASSERT_TRUE(reply && reply->header.status == 0);
}

TEST(InventoryE2eTest, TheBoardsOfAnNeOrOfOneSlotAreListedAndARefusedRefreshSaysNoData)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    // Slot 3 is planned for a card it does not hold, yet the NE reports versions there: unknown online, none shown.
    BoardSettingRec reported;
    reported.entityId = 10300;
    reported.softwareVersion = "2.0.1";
    reported.hardwareVersion = "B";
    reported.serialNumber = "SIM-1-10300";
    const auto bytes = EncodeRecord(reported);
    server_test::CRawClient& probe = program.ServerProbe();
    const std::optional<Frame> written = probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqBoardSetting, kNorth1, {bytes.begin(), bytes.end()}, kBoardSettingRecSize));
    ASSERT_TRUE(written && written->header.status == 0);

    person.OnDialog<CInventoryDlg>([&](CInventoryDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        // Every slot of the one-shelf NE; a board of a type this workstation does not know (slot 3 holds none) shows
        // its slot and planned type only.
        EXPECT_EQ(ListColumn(list, CInventoryDlg::kSlotColumn).join(','), QStringLiteral("1,2,3,4,5,6,7,8"));
        EXPECT_EQ(ListColumn(list, CInventoryDlg::kOnlineTypeColumn).join(','),
                  QStringLiteral("ALC-24 (ADSL2+ 24 ports),SLC-16 (SHDSL 16 ports),,,CU-2GE (control and uplink),"
                                 "PWR-48V (power),FAN-4 (fan tray),REL-4I2O (alarm inputs and outputs)"));
        EXPECT_EQ(ListColumn(list, CInventoryDlg::kSerialColumn).join(','),
                  QStringLiteral(",,,,SIM-1-10500,SIM-1-10600,SIM-1-10700,SIM-1-10800"));
        EXPECT_EQ(ListColumn(list, CInventoryDlg::kUpTimeColumn).mid(1, 3).join(','),
                  QStringLiteral("0 days  00:00:00,,"));
        // Types sort by their names, letter case aside; equal ones by their slots, though the rows stood in the
        // other order before (slots downwards).
        for (int click = 0;
             click < 2 && !e2e::CProgram::HeaderShowsImage(list, CInventoryDlg::kSlotColumn, kImageSortDescending);
             ++click)
            e2e::CProgram::ClickHeader(*list.header(), CInventoryDlg::kSlotColumn);
        EXPECT_EQ(program.ShownColumn(list, CInventoryDlg::kSlotColumn).join(','), QStringLiteral("8,7,6,5,4,3,2,1"));
        for (int click = 0;
             click < 2 && !e2e::CProgram::HeaderShowsImage(list, CInventoryDlg::kOnlineTypeColumn, kImageSortAscending);
             ++click)
            e2e::CProgram::ClickHeader(*list.header(), CInventoryDlg::kOnlineTypeColumn);
        EXPECT_EQ(program.ShownColumn(list, CInventoryDlg::kSlotColumn).join(','), QStringLiteral("3,4,1,5,7,6,8,2"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("inventory_dlg")));

        TakeOffTheNetwork(program, kNorth1);
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(person.boxTexts,
                  std::vector<QString>{QStringLiteral("Fail to query\n\n(32028) NE is not connected")});
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("No data"));
        EXPECT_FALSE(dialog.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdInventory));

    // Opened on a slot (as the rack's popup opens it), the slot's board alone.
    person.OnDialog<CInventoryDlg>([&](CInventoryDlg& dialog) {
        EXPECT_EQ(ListColumn(*dialog.FindList(kListControlId), CInventoryDlg::kSlotColumn).join(','),
                  QStringLiteral("1-2"));
        return IDCANCEL;
    });
    DialogRequest slot;
    slot.className = "CInventoryDlg";
    slot.hasTarget = true;
    slot.neId = 2; // South-1, on the network
    slot.hasEntity = true;
    slot.entity = CEntityId(10200);
    OpenRouteDialog(slot);

    // An NE without a board to list: the dialog closes at once, and the operator is told why.
    person.OnDialog<CInventoryDlg>([&](CInventoryDlg& dialog) {
        EXPECT_TRUE(dialog.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdInventory));
    ASSERT_EQ(person.boxTexts.size(), 3u);
    EXPECT_EQ(person.boxTexts[1], person.boxTexts[0]);
    EXPECT_EQ(person.boxTexts[2], QStringLiteral("No data"));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// A Refresh empties the list before it looks for the NE: an NE deleted meanwhile leaves no rows of its boards.
TEST(InventoryE2eTest, ARefreshOfAnNeThatIsGoneLeavesTheListEmpty)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    program.Operator().OnDialog<CInventoryDlg>([&](CInventoryDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        ASSERT_FALSE(ListColumn(list, CInventoryDlg::kSlotColumn).isEmpty());
        NeKeyRecord gone;
        gone.neId = kNorth1;
        gone.neName = "North-1";
        server_test::CRawClient& probe = program.ServerProbe();
        const auto bytes = EncodeRecord(gone);
        ASSERT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqNeKeyDelete, kNorth1, {bytes.begin(), bytes.end()}, kNeKeyRecordSize)));
        ASSERT_TRUE(program.WaitUntil([] { return FindNeById(kNorth1) == nullptr; }));
        Click(dialog, kRefreshButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Unknown NE"));
        EXPECT_TRUE(ListColumn(list, CInventoryDlg::kSlotColumn).isEmpty());
        EXPECT_FALSE(dialog.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdInventory));
}

// The up time sorts by its seconds, not by its text (ten days after two); a board that reports none shown sorts by
// its seconds all the same; equal up times go by slot, though the software versions put them the other way round
// before. The software versions sort with letter case aside.
TEST(InventoryE2eTest, TheUpTimeSortsByItsSecondsAndTheVersionsLetterCaseAside)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    struct Reported {
        uint32_t upTime;
        const char* software;
    };
    const std::map<uint32_t, Reported> reported = {
        {10100, {864000, "beta"}}, {10200, {172800, "Charlie"}}, {10300, {100000, "x"}},  {10400, {0, "x"}},
        {10500, {5, "delta"}},     {10600, {172800, "Alpha"}},   {10700, {3600, "echo"}}, {10800, {60, "Foxtrot"}}};
    server_test::CRawClient& probe = program.ServerProbe();
    const std::vector<BoardSettingRec> boards = program.ServerRecords(kReqBoardSetting, kNorth1);
    ASSERT_EQ(boards.size(), reported.size());
    for (BoardSettingRec board : boards) {
        ASSERT_EQ(reported.count(board.entityId), 1u) << board.entityId;
        board.upTime = reported.at(board.entityId).upTime;
        board.softwareVersion = reported.at(board.entityId).software;
        const auto bytes = EncodeRecord(board);
        const std::optional<Frame> written = probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqBoardSetting, kNorth1, {bytes.begin(), bytes.end()}, kBoardSettingRecSize));
        ASSERT_TRUE(written && written->header.status == 0);
    }
    program.Operator().OnDialog<CInventoryDlg>([&](CInventoryDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        constexpr int kSoftwareColumn = 5;
        // Slots 3 and 4 hold no board this workstation knows: no version shown.
        for (const auto& [column, expected] : {std::pair{kSoftwareColumn, "3,4,6,1,2,5,7,8"},
                                               std::pair{CInventoryDlg::kUpTimeColumn, "4,5,8,7,3,2,6,1"}}) {
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(list, column, kImageSortAscending);
                 ++click)
                e2e::CProgram::ClickHeader(*list.header(), column);
            EXPECT_EQ(ListColumn(list, CInventoryDlg::kSlotColumn).join(','), QString::fromLatin1(expected)) << column;
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdInventory));
}

} // namespace
