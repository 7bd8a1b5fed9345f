// Board settings in the running program against the simulated server, on North-1: the Board Setting List of the NE;
// service-type control turned on for the ADSL card of slot 1 refused with the NE's report of the PVC that breaks its
// rules; the card's encapsulation changed after the reset question; a write of the SHDSL card the server refuses; an
// empty slot planned for a card; and the control module's tagged mode set, its PVC settings written as none. On
// South-1, whose shelves hold more than nine slots, the list's numbers and slots sort as numbers.

#include "tests/e2e/support/e2e_harness.h"

#include "features/provisioning/boards/board_setting_dlg.h"
#include "features/provisioning/boards/board_setting_list_dlg.h"
#include "features/provisioning/boards/set_board_type_dlg.h"
#include "link/ems_msg.h"
#include "link/pdu_log.h"
#include "link/records/board_setting_rec.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int kCmdBoardSetting = 33162;
constexpr uint32_t kNorth1 = 1;
constexpr int kNumberColumn = 0;
constexpr int kSlotColumn = 1;
constexpr int kPlannedColumn = 2;
constexpr int kAal5Column = 4;
using BoardList = CBoardSettingListDlg;
using Board = CBoardSettingDlg;
using BoardType = CSetBoardTypeDlg;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::ListColumn;
using e2e::RowOf;

void Refuse(e2e::CProgram& program, uint32_t action, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{action, code, 0, 0});
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

std::optional<BoardSettingRec> ServerBoard(e2e::CProgram& program, uint32_t slotId)
{
    for (const BoardSettingRec& board : program.ServerRecords(kReqBoardSetting, kNorth1)) {
        if (board.entityId == slotId)
            return board;
    }
    return std::nullopt;
}

TEST(BoardSettingE2eTest, BoardsAreSetPlannedAndCheckedAgainstTheirPvcs)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const std::optional<BoardSettingRec> shdslBefore = ServerBoard(program, 10200);
    ASSERT_TRUE(shdslBefore);

    person.OnDialog<BoardList>([&](BoardList& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("[North:North-1] Board Setting List"));
        QTreeView& list = *dialog.FindList(kListControlId);
        const int adsl = RowOf(list, kSlotColumn, QStringLiteral("1"));
        EXPECT_NE(adsl, -1);
        EXPECT_EQ(ListColumn(list, kAal5Column)[adsl], QStringLiteral("LLC"));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("board_setting_list"));

        // Service-type control on slot 1: the transparent PVC of port 7 allows more clients than MAC addresses.
        person.OnDialog<Board>([&](Board& board) {
            EXPECT_TRUE(board.windowTitle().startsWith(QStringLiteral("[North:North-1] <")))
                << board.windowTitle().toStdString() << ": the NE with its location, then the slot";
            EXPECT_TRUE(board.IsControlEnabled(Board::kServiceControlEnabledId));
            Check(board, Board::kServiceControlEnabledId);
            e2e::CProgram::SaveScreenshot(board, QStringLiteral("board_setting"));
            Click(board, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("[Line port 1-7, PVC 0/35]\nError  1: On this bridged PVC, service type client "
                                     "limit is greater than MAC limit.\n"));
            EXPECT_FALSE(board.IsEnded());
            // Without service-type control the card's PVCs do not stop it; VC Mux resets the card. The PDU log
            // window holds its display from the check's reading on.
            Check(board, Board::kServiceControlDisabledId);
            Check(board, Board::kVcMuxId);
            int pduLogFlag = -1;
            person.onBox = [&](QDialog&) { pduLogFlag = GetPduLogFlag(); };
            person.AnswerBox(IDYES);
            Click(board, IDOK);
            person.onBox = nullptr;
            EXPECT_EQ(pduLogFlag, 0) << "held while the question is asked";
            EXPECT_EQ(GetPduLogFlag(), 1) << "released at the end";
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("This line card will be reset.\n\nAre you sure to apply the change?"));
            EXPECT_TRUE(board.IsEnded());
        });
        program.ClickListRow(list, adsl);
        Click(dialog, kModifyButtonId);
        EXPECT_EQ(ListColumn(list, kAal5Column)[adsl], QStringLiteral("VC Mux"));

        // The SHDSL card takes its tag settings only; the server refuses the write.
        person.OnDialog<Board>([&](Board& board) {
            EXPECT_FALSE(board.IsControlEnabled(Board::kLlcId));
            EXPECT_FALSE(board.IsControlEnabled(Board::kServiceControlEnabledId));
            EXPECT_TRUE(board.IsControlEnabled(Board::kTagPassEnabledId));
            Check(board, Board::kTagPassEnabledId);
            Refuse(program, kSimRefuseNextChange, kReqBoardSetting);
            person.AnswerBox(IDYES);
            Click(board, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(board.IsEnded());
            return IDCANCEL;
        });
        program.ClickListRow(list, RowOf(list, kSlotColumn, QStringLiteral("2")));
        Click(dialog, kModifyButtonId);

        // Slot 4, empty: planned for an ALC-48; a planned type alone asks nothing.
        const size_t boxes = person.boxTexts.size();
        person.OnDialog<Board>([&](Board& board) {
            Choose(board, Board::kPlannedTypeId, QStringLiteral("ALC-48 (ADSL2+ 48 ports)"));
            Click(board, IDOK);
            EXPECT_TRUE(board.IsEnded());
        });
        const int empty = RowOf(list, kSlotColumn, QStringLiteral("4"));
        program.ClickListRow(list, empty);
        Click(dialog, kModifyButtonId);
        EXPECT_EQ(person.boxTexts.size(), boxes);
        EXPECT_EQ(ListColumn(list, kPlannedColumn)[empty], QStringLiteral("ALC-48 (ADSL2+ 48 ports)"));

        // The control module: it opens on its planned type and its tagged mode as read; its tagged mode set, the
        // PVC settings it does not carry written as none.
        person.OnDialog<BoardType>([&](BoardType& type) {
            EXPECT_TRUE(type.windowTitle().startsWith(QStringLiteral("[North:North-1] <")))
                << type.windowTitle().toStdString();
            EXPECT_FALSE(e2e::Field(type, BoardType::kPlannedTypeId).isEmpty());
            EXPECT_TRUE(e2e::IsChecked(type, BoardType::kUntaggedOnlyId));
            Check(type, BoardType::kTaggedOnlyId);
            person.AnswerBox(IDYES);
            Click(type, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("System needs to save configuration and then reboots.\n\nAre you sure to apply "
                                     "the change?"));
            EXPECT_TRUE(type.IsEnded());
        });
        program.ClickListRow(list, RowOf(list, kSlotColumn, QStringLiteral("5")));
        Click(dialog, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdBoardSetting));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);

    EXPECT_EQ(ServerBoard(program, 10100)->aal5Encapsulation, 0u);
    EXPECT_EQ(ServerBoard(program, 10100)->serviceTypeControl, 0u);
    EXPECT_EQ(ServerBoard(program, 10200), shdslBefore);
    EXPECT_EQ(ServerBoard(program, 10400)->plannedType, 131u) << "the IPD-12's ALC-48";
    const std::optional<BoardSettingRec> control = ServerBoard(program, 10500);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->taggedMode, 1u);
    EXPECT_EQ(control->aal5Encapsulation, 0u);
    EXPECT_EQ(control->vlanTagPassThrough, 0u);
}

// South-1's shelves hold more than nine slots each: the No. column sorts its row numbers as numbers and the Slot column
// its slots by their place, shelf first, not as texts (slot 10 after slot 9).
TEST(BoardSettingE2eTest, NumbersAndSlotsSortAsNumbers)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("South-1")));
    const auto place = [](const QString& slot) {
        const QStringList parts = slot.split('-');
        return parts.size() == 2 ? std::pair{parts[0].toInt(), parts[1].toInt()} : std::pair{0, slot.toInt()};
    };
    program.Operator().OnDialog<BoardList>([&](BoardList& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        const QStringList shown = ListColumn(list, kSlotColumn);
        EXPECT_TRUE(shown.contains(QStringLiteral("1-10")) || shown.contains(QStringLiteral("10")))
            << shown.join(',').toStdString();
        // Each column clicked after another that puts the rows out of their order.
        e2e::CProgram::ClickHeader(*list.header(), kPlannedColumn);
        e2e::CProgram::ClickHeader(*list.header(), kNumberColumn);
        const QStringList numbers = ListColumn(list, kNumberColumn);
        EXPECT_GE(numbers.size(), 10);
        for (int row = 0; row < numbers.size(); ++row)
            EXPECT_EQ(numbers[row], QString::number(row + 1));
        e2e::CProgram::ClickHeader(*list.header(), kPlannedColumn);
        e2e::CProgram::ClickHeader(*list.header(), kSlotColumn);
        // The numbered slots in their order (the power slots, named, stand among them by their ids).
        QStringList places = ListColumn(list, kSlotColumn);
        places.removeIf([&](const QString& slot) { return place(slot).second == 0; });
        EXPECT_GE(places.size(), 20);
        for (int row = 1; row < places.size(); ++row)
            EXPECT_LT(place(places[row - 1]), place(places[row])) << places.join(',').toStdString();
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdBoardSetting));
    EXPECT_EQ(program.Operator().UnusedDialogScripts(), 0u);
}

} // namespace
