// Packet filters and packet filter groups in the running program against the simulated server, on North-1's line
// card in slot 1: the operator sets filters on the three pages and writes the card's thirteen records, meets the name
// checks and the server's refusal of the first write, then sets the card's groups and reads them back.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/north1_card_test.h"
#include "tests/e2e/support/profile_list_steps.h"

#include "features/provisioning/packet_filters/xdsl_pkt_filter_dlg.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_group_dlg.h"
#include "features/provisioning/slot_selection/xdsl_slot_selection_dlg.h"
#include "link/pdu_log.h"
#include "link/records/pkt_filter_group_rec.h"
#include "link/records/pkt_filter_rec.h"
#include "sim/server/sim_control.h"
#include "ui/shell/frame/main_frame.h"

#include <QLineEdit>

#include <QGroupBox>
#include <QTabBar>

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr int kCmdPacketFilter = 33215;
constexpr int kCmdPacketFilterGroup = 33216;
constexpr uint32_t kNorth1 = 1;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::Type;
using Filters = CXdslPktFilterDlg;
using Groups = CXdslPktFilterGroupDlg;
using GroupPage = CPktFilterGroupPage;

std::optional<PktFilterRec> ServerFilter(e2e::CProgram& program, uint32_t direction, uint32_t number)
{
    for (const PktFilterRec& rec : program.ServerRecords(kReqPktFilter, kNorth1)) {
        if (rec.slot == 1 && rec.direction == direction && rec.filterNumber == number)
            return rec;
    }
    return std::nullopt;
}

std::optional<PktFilterGroupRec> ServerGroup(e2e::CProgram& program, uint32_t direction, uint8_t number)
{
    for (const PktFilterGroupRec& rec : program.ServerRecords(kReqPktFilterGroup, kNorth1)) {
        if (rec.slot == 1 && rec.direction == direction && rec.groupNumber == number)
            return rec;
    }
    return std::nullopt;
}

// The tabs of a tabbed dialog, left to right.
QStringList TabTexts(CATabDialog& dialog)
{
    QStringList texts;
    if (const auto* tabs = dialog.GetDlgItemAs<QTabBar>(dialog.GetTabControlId())) {
        for (int tab = 0; tab < tabs->count(); ++tab)
            texts << tabs->tabText(tab);
    }
    return texts;
}

class PacketFiltersE2eTest : public e2e::CNorth1CardTest {
protected:
    void RefuseNextChange(uint16_t code)
    {
        server_test::CRawClient& probe = program_.ServerProbe();
        const auto control = EncodeRecord(SimControlRec{kSimRefuseNextChange, code, 0, 0});
        ASSERT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqSimControl, 0, {control.begin(), control.end()}, kSimControlRecSize)));
    }
};

TEST_F(PacketFiltersE2eTest, TheOperatorSetsTheCardsFiltersOnTheThreePages)
{
    // The ninth filter of a direction, the last room of the card's table: read into its row and written back.
    PktFilterRec ninth;
    ninth.slot = 1;
    ninth.direction = 1;
    ninth.filterNumber = 9;
    ninth.name = "mc-up9";
    ninth.action = 1;
    ninth.state = 2;
    e2e::AddOnServer(program_, kReqPktFilter, kNorth1, std::vector{ninth});
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Filters>([&](Filters& dlg) {
        CPktFilterEtherTypePage& ether = dlg.EtherTypePage();
        EXPECT_EQ(TabTexts(dlg), (QStringList{"Ether-Type-Only", "Known", "Fully Configured"}));
        // Every filter's action offers the three actions in their order: 2 + 2 rows, 5 + 5, 2 + 2.
        const std::pair<CADialog*, int> pages[] = {
            {&dlg.EtherTypePage(), 4}, {&dlg.KnownPage(), 10}, {&dlg.FullPage(), 4}};
        for (const auto& [page, rows] : pages) {
            for (int row = 0; row < rows; ++row)
                EXPECT_EQ(e2e::ComboTexts(*page, 1130 + row), QStringLiteral("match-forward,match-drop,unmatch-drop"))
                    << row;
        }
        EXPECT_EQ(Field(ether, 1059), QStringLiteral("ipv6-drop"));
        EXPECT_EQ(Field(ether, 1064), QStringLiteral("86dd"));
        EXPECT_TRUE(e2e::IsChecked(ether, 1100)) << "the NE's filter is enabled";
        EXPECT_EQ(Field(ether, 1065), QStringLiteral("0800")) << "a filter the NE has not sent keeps its default";
        EXPECT_EQ(Field(ether, 1060), QStringLiteral("useof2"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dlg, QStringLiteral("packet_filter_ether_type")));
        // Only hexadecimal digits stay in an Ether type.
        Type(ether, 1065, QStringLiteral("8x0g6"));
        EXPECT_EQ(Field(ether, 1065), QStringLiteral("806"));
        Type(ether, 1060, QStringLiteral("arp-block"));
        Check(ether, 1102);

        // A name written twice is refused on the page of the later one.
        dlg.SelectPage(&dlg.KnownPage());
        CPktFilterKnownPage& known = dlg.KnownPage();
        Type(known, 1059, QStringLiteral("arp-block"));
        Click(dlg, IDOK);
        EXPECT_EQ(e2e::MessageLine(dlg), QStringLiteral("Data is duplicated"));
        EXPECT_EQ(dlg.GetCurrentPage(), &known);
        // A filter's name is written as typed: a blank at its end is a character refused, and selected.
        Type(known, 1059, QStringLiteral("bootp "));
        Click(dlg, IDOK);
        EXPECT_TRUE(e2e::MessageLine(dlg).startsWith(QStringLiteral("Valid characters are in")))
            << e2e::MessageLine(dlg).toStdString();
        EXPECT_EQ(known.GetDlgItemAs<QLineEdit>(1059)->selectionStart(), 5);
        EXPECT_EQ(Field(known, 1063), QStringLiteral("mc-up9"));
        Type(known, 1063, QStringLiteral("mc-up9b"));
        // Downstream known filters take no part: the same name there passes.
        Type(known, 1059, QStringLiteral("bootp"));
        Type(known, 1069, QStringLiteral("arp-block"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dlg, QStringLiteral("packet_filter_known")));

        // A fully configured filter without a criterion cannot be enabled.
        dlg.SelectPage(&dlg.FullPage());
        CPktFilterFullPage& full = dlg.FullPage();
        EXPECT_FALSE(full.IsControlEnabled(1100));
        EXPECT_EQ(Field(full, 1144), QStringLiteral("0800")) << "an Ether type that is no criterion keeps its default";
        Check(full, 1148);
        EXPECT_TRUE(full.IsControlEnabled(1100));
        Type(full, 1152, QStringLiteral("17"));
        Check(full, 1100);
        EXPECT_TRUE(Choose(full, 1130, QStringLiteral("match-drop")));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dlg, QStringLiteral("packet_filter_full")));

        // The server refuses the first write: nothing is written and the dialog stays. The PDU log window holds its
        // display over the writes, and lets it go when they end.
        RefuseNextChange(kReqPktFilter);
        person.AnswerBox(IDOK);
        int flagWhileTold = -1;
        person.onBox = [&](QDialog&) { flagWhileTold = GetPduLogFlag(); };
        Click(dlg, IDOK);
        person.onBox = nullptr;
        EXPECT_EQ(flagWhileTold, 0);
        EXPECT_EQ(GetPduLogFlag(), 1);
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_TRUE(person.LastBoxText().contains(QStringLiteral("Fail to update data")));
        EXPECT_FALSE(ServerFilter(program_, 1, 1));
        Click(dlg, IDOK);
        EXPECT_TRUE(dlg.IsEnded()) << e2e::MessageLine(dlg).toStdString();
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdPacketFilter));

    const std::optional<PktFilterRec> full = ServerFilter(program_, 1, 1);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->ipProtocol, 17);
    EXPECT_EQ(full->etherType, -1);
    EXPECT_EQ(full->sourcePort, -1);
    EXPECT_EQ(full->sourcePrefixBits, 16);
    EXPECT_EQ(full->action, 2);
    EXPECT_EQ(full->state, 1u);
    const std::optional<PktFilterRec> arp = ServerFilter(program_, 1, 4);
    ASSERT_TRUE(arp);
    EXPECT_EQ(arp->name, "arp-block");
    EXPECT_EQ(arp->etherType, 0x806);
    EXPECT_EQ(arp->state, 1u);
    EXPECT_EQ(ServerFilter(program_, 1, 5)->name, "bootp");
    ASSERT_TRUE(ServerFilter(program_, 1, 9));
    EXPECT_EQ(ServerFilter(program_, 1, 9)->name, "mc-up9b") << "the ninth upstream filter is written";
    EXPECT_TRUE(ServerFilter(program_, 2, 4));
    EXPECT_FALSE(ServerFilter(program_, 2, 5)) << "downstream known filters are not written";
}

TEST_F(PacketFiltersE2eTest, TheOperatorSetsTheCardsGroupsAndReadsThemBack)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Groups>([&](Groups& dlg) {
        GroupPage& usg1 = dlg.Page(0);
        EXPECT_EQ(TabTexts(dlg), (QStringList{"USG1", "USG2", "USG3", "DSG1", "DSG2", "DSG3", "DSG4"}));
        // Each page names its group and the direction of its filters.
        const auto frameTitles = [](GroupPage& page) {
            QStringList titles;
            for (const QGroupBox* frame : page.findChildren<QGroupBox*>())
                titles << frame->title();
            titles.sort();
            return titles;
        };
        EXPECT_EQ(frameTitles(dlg.Page(0)), (QStringList{"Upstream Filter Group 1", "Upstream Packet Filters"}));
        EXPECT_EQ(frameTitles(dlg.Page(4)), (QStringList{"Downstream Filter Group 2", "Downstream Packet Filters"}));
        EXPECT_EQ(Field(usg1, GroupPage::kNameId), QStringLiteral("no-netbios"));
        EXPECT_TRUE(e2e::IsChecked(usg1, GroupPage::kFirstMemberId)) << "Ether-Type-Only filter 1";
        EXPECT_TRUE(e2e::IsChecked(usg1, GroupPage::kFirstMemberId + 7)) << "Fully Configured filter 1";
        EXPECT_EQ(Field(usg1, GroupPage::kFirstFilterNameId), QStringLiteral("ipv6-drop"));
        EXPECT_EQ(Field(usg1, GroupPage::kFirstStateId), QStringLiteral("enabled"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dlg, QStringLiteral("packet_filter_group")));

        dlg.SelectPage(&dlg.Page(2));
        Type(dlg.Page(2), GroupPage::kNameId, QStringLiteral("video-only"));
        Check(dlg.Page(2), GroupPage::kEnabledId);
        Check(dlg.Page(2), GroupPage::kFirstMemberId + 2);

        dlg.SelectPage(&dlg.Page(4));
        EXPECT_FALSE(dlg.Page(4).IsControlEnabled(GroupPage::kFirstMemberId + 2)) << "no known filter downstream";
        // Rows 2 to 6 are Known Filter 1 to 5: downstream their box, state and name are off; every other row, and
        // every row upstream, stays on.
        for (int row = 0; row < 9; ++row) {
            const bool known = row >= 2 && row <= 6;
            for (int first : {GroupPage::kFirstMemberId, GroupPage::kFirstStateId, GroupPage::kFirstFilterNameId}) {
                EXPECT_EQ(dlg.Page(4).IsControlEnabled(first + row), !known) << "downstream " << first << "+" << row;
                EXPECT_TRUE(dlg.Page(0).IsControlEnabled(first + row)) << "upstream " << first << "+" << row;
            }
        }
        Check(dlg.Page(4), GroupPage::kFirstMemberId + 8);
        dlg.SelectPage(&dlg.Page(6));
        Type(dlg.Page(6), GroupPage::kNameId, QStringLiteral("no-netbios"));
        Click(dlg, IDOK);
        EXPECT_EQ(e2e::MessageLine(dlg), QStringLiteral("Data is duplicated"));
        EXPECT_FALSE(dlg.IsEnded());
        Type(dlg.Page(6), GroupPage::kNameId, QStringLiteral("ds g4"));
        Click(dlg, IDOK);
        EXPECT_EQ(e2e::MessageLine(dlg),
                  QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
        Type(dlg.Page(6), GroupPage::kNameId, QStringLiteral("dsg4"));
        Click(dlg, IDOK);
        EXPECT_TRUE(dlg.IsEnded()) << e2e::MessageLine(dlg).toStdString();
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdPacketFilterGroup));

    const std::optional<PktFilterGroupRec> video = ServerGroup(program_, 1, 3);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->name, "video-only");
    EXPECT_EQ(video->memberMask, 0x10u);
    EXPECT_EQ(video->state, 1u);
    const std::optional<PktFilterGroupRec> dsg2 = ServerGroup(program_, 2, 2);
    ASSERT_TRUE(dsg2);
    EXPECT_EQ(dsg2->memberMask, 0x2u);
    EXPECT_EQ(ServerGroup(program_, 1, 1)->memberMask, 0x5u);
    EXPECT_EQ(ServerGroup(program_, 2, 4)->name, "dsg4");
}

TEST_F(PacketFiltersE2eTest, WithTheNeCurrentTheOperatorPicksTheCardFirst)
{
    const CEntityIndex ne = CEntityIndex::FromLevels(1);
    program_.Frame().SetCurrentEntity(kNorth1, &ne);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CXdslSlotSelectionDlg>([&](CXdslSlotSelectionDlg& pick) {
        EXPECT_FALSE(pick.IsControlEnabled(CXdslSlotSelectionDlg::kShelfComboId)) << "one shelf";
        EXPECT_TRUE(Choose(pick, CXdslSlotSelectionDlg::kSlotComboId, QStringLiteral("1")));
        Click(pick, IDOK);
        return IDCANCEL;
    });
    person.OnDialog<Groups>([&](Groups& dlg) {
        EXPECT_EQ(dlg.GetTargetEntity().id, 10100u);
        EXPECT_EQ(Field(dlg.Page(0), GroupPage::kNameId), QStringLiteral("no-netbios"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdPacketFilterGroup));
}

TEST_F(PacketFiltersE2eTest, ACancelledCardChoiceOpensNothing)
{
    const CEntityIndex ne = CEntityIndex::FromLevels(1);
    program_.Frame().SetCurrentEntity(kNorth1, &ne);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CXdslSlotSelectionDlg>([&](CXdslSlotSelectionDlg& pick) {
        EXPECT_TRUE(Choose(pick, CXdslSlotSelectionDlg::kSlotComboId, QStringLiteral("1")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdPacketFilterGroup));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// South-1 has two shelves: the operator picks the shelf as well as the card.
TEST_F(PacketFiltersE2eTest, OnAnNeOfTwoShelvesTheOperatorPicksTheShelfToo)
{
    constexpr uint32_t kSouth1 = 2;
    const CEntityIndex ne = CEntityIndex::FromLevels(1);
    program_.Frame().SetCurrentEntity(kSouth1, &ne);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CXdslSlotSelectionDlg>([&](CXdslSlotSelectionDlg& pick) {
        EXPECT_TRUE(pick.IsControlEnabled(CXdslSlotSelectionDlg::kShelfComboId)) << "two shelves";
        EXPECT_TRUE(Choose(pick, CXdslSlotSelectionDlg::kShelfComboId, QStringLiteral("2")));
        EXPECT_TRUE(Choose(pick, CXdslSlotSelectionDlg::kSlotComboId, QStringLiteral("3")));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(pick, QStringLiteral("slot_selection_two_shelves")));
        Click(pick, IDOK);
        EXPECT_TRUE(pick.IsEnded());
        return IDCANCEL;
    });
    person.OnDialog<Filters>([&](Filters& dlg) {
        EXPECT_EQ(dlg.GetTargetEntity().index, CEntityIndex::FromLevels(1, 2, 3)) << "the card chosen";
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdPacketFilter));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
