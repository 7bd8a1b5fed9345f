// Static MAC entries and IPoA next hops in the running program against the simulated server. The operator lists the
// configured filtering database of North-1's line card, adds a static entry that the NE's check refuses and then one
// it takes, and deletes one; meets the check's verdicts on MACs the NE learned, and its questions before a static
// entry replaces learned ones; fills the NE's next-hop table to its four entries, meets the server's refusal of a name
// it has, changes a next hop on its own address, and looks at a next hop from a PVC's setting.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/north1_test.h"

#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "features/provisioning/next_hops/ipoa_next_hop_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_list_dlg.h"
#include "features/provisioning/pvcs/vc_vlan_name_pages.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"
#include "features/provisioning/static_macs/xdsl_fdb_config_list_dlg.h"
#include "features/provisioning/static_macs/xdsl_static_mac_dlg.h"
#include "link/ems_msg.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/next_hop_rec.h"
#include "sim/server/sim_control.h"
#include "ui/shell/frame/main_frame.h"

#include <QTreeView>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdFdbList = 33211;
constexpr int kCmdNextHops = 33053;
constexpr int kCmdVcVlan = 33022;
using e2e::kNorth1;
constexpr uint32_t kPort1 = 10101; // PVC 0/35 with a MAC limit of 4, PVC 8/35
constexpr uint32_t kPort7 = 10107; // a transparent PVC 0/35 with a static entry and a MAC limit of 4
using e2e::Click;
using e2e::Type;
using FdbList = CXdslFdbConfigListDlg;
using StaticMac = CXdslStaticMacDlg;
using HopList = CIpoaNextHopListDlg;
using Hop = CIpoaNextHopDlg;

// Opens North-1's next hop `name` to change it, as the list's Modify does; the scripted dialog answers it.
void ChangeHop(const char* name)
{
    Hop hop;
    hop.SetTarget(kNorth1, nullptr);
    hop.SetAccessMode(kAccessModify);
    hop.SetName(name);
    hop.DoModal();
}

std::vector<FdbEntryRec> ServerFdb(e2e::CProgram& program)
{
    return program.ServerRecords(kReqStaticFdb, kNorth1);
}

bool ServerHas(e2e::CProgram& program, const std::string& mac)
{
    for (const FdbEntryRec& rec : ServerFdb(program)) {
        if (FormatMacAddress(rec.mac) == mac)
            return true;
    }
    return false;
}

std::optional<NextHopRec> ServerHop(e2e::CProgram& program, const std::string& name)
{
    for (const NextHopRec& rec : program.ServerRecords(kReqNextHop, kNorth1)) {
        if (rec.name == name)
            return rec;
    }
    return std::nullopt;
}

class StaticMacNextHopE2eTest : public e2e::CNorth1Test {};

TEST_F(StaticMacNextHopE2eTest, TheOperatorAddsAndDeletesStaticMacEntriesPastTheNesCheck)
{
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    program_.Frame().SetCurrentEntity(kNorth1, &card);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<FdbList>([&](FdbList& fdb) {
        QTreeView& list = *fdb.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(list, FdbList::kMacColumn).join(','), QStringLiteral("00:11:22:33:44:99"));
        EXPECT_EQ(e2e::ListColumn(list, FdbList::kSlotPortColumn).join(','), QStringLiteral("1-7"));
        EXPECT_EQ(e2e::ListColumn(list, FdbList::kStatusColumn).join(','), QStringLiteral("Static"));
        EXPECT_EQ(e2e::ListColumn(list, FdbList::kVlanColumn).join(','), QStringLiteral("302"));
        EXPECT_TRUE(list.isColumnHidden(FdbList::kVlanColumn)) << "North-1's model flags hide the VLAN column";
        EXPECT_FALSE(fdb.IsControlEnabled(kDeleteButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(fdb, QStringLiteral("fdb_config_list")));

        // Without a row the dialog takes a port only: on the card's list it ends at once, told on the list.
        person.OnDialog<StaticMac>([&](StaticMac& add) { EXPECT_TRUE(add.IsEnded()); });
        Click(fdb, kAddButtonId);
        EXPECT_EQ(e2e::MessageLine(fdb), QStringLiteral("Internal error"));

        // On a row: a new entry on the row's port, from the row's PVC and MAC.
        program_.ClickListRow(list, 0);
        person.OnDialog<StaticMac>([&](StaticMac& add) {
            EXPECT_EQ(e2e::Field(add, StaticMac::kVciId), QStringLiteral("35"));
            EXPECT_EQ(e2e::Field(add, StaticMac::kMacId), QStringLiteral("00:11:22:33:44:99"));
            // A zero MAC is refused before anything is asked.
            Type(add, StaticMac::kMacId, QStringLiteral("00:00:00:00:00:00"));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("Format error"));
            EXPECT_TRUE(e2e::Choose(add, StaticMac::kPortId, QStringLiteral("7")));
            Type(add, StaticMac::kVpiId, QStringLiteral("0"));
            Type(add, StaticMac::kVciId, QStringLiteral("77"));
            Type(add, StaticMac::kMacId, QStringLiteral("00:aa:bb:cc:dd:01"));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("This VC-VLAN doesn't exist"));
            // The MAC the card holds already on this very PVC.
            Type(add, StaticMac::kVciId, QStringLiteral("35"));
            Type(add, StaticMac::kMacId, QStringLiteral("00:11:22:33:44:99"));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("Same static entry has already existed on this PVC"));
            // An ACL MAC of another port.
            Type(add, StaticMac::kMacId, QStringLiteral("00:11:22:33:44:55"));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("MAC address has existed in FDB table"));
            EXPECT_FALSE(add.IsEnded());
            Type(add, StaticMac::kMacId, QStringLiteral("00:aa:bb:cc:dd:02"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("static_mac")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(fdb, kAddButtonId);
        EXPECT_TRUE(e2e::ListColumn(list, FdbList::kMacColumn).contains(QStringLiteral("00:aa:bb:cc:dd:02")));

        // Delete sends the entry as the row shows it; one the server refuses stays, told as a failed update.
        program_.ClickListRow(list, e2e::RowOf(list, FdbList::kMacColumn, QStringLiteral("00:11:22:33:44:99")));
        server_test::CRawClient& probe = program_.ServerProbe();
        const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqStaticFdbDelete, 0, 0});
        EXPECT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
        person.AnswerBox(IDYES);
        Click(fdb, kDeleteButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_TRUE(e2e::ListColumn(list, FdbList::kMacColumn).contains(QStringLiteral("00:11:22:33:44:99")));
        person.AnswerBox(IDYES);
        Click(fdb, kDeleteButtonId);
        EXPECT_EQ(e2e::ListColumn(list, FdbList::kMacColumn).join(','), QStringLiteral("00:aa:bb:cc:dd:02"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdFdbList));
    EXPECT_TRUE(ServerHas(program_, "00:aa:bb:cc:dd:02"));
    EXPECT_FALSE(ServerHas(program_, "00:11:22:33:44:99"));
    const std::vector<FdbEntryRec> kept = ServerFdb(program_);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept.front().portId, kPort7);
    EXPECT_EQ(kept.front().vlanId, 302);
    EXPECT_EQ(kept.front().status, 7u);
}

// Port 1-1's PVC 0/35 (MAC limit 4) has learned 00:1e:c9:00:01:01 and holds three static entries; the NE found
// 00:1e:c9:00:05:02 spoofed on port 1-5.
TEST_F(StaticMacNextHopE2eTest, TheNesCheckNamesLearnedMacsAndAsksBeforeReplacingWhatThePvcLearned)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    for (uint8_t n = 1; n <= 3; ++n) {
        FdbEntryRec held;
        held.portId = kPort1;
        held.vci = 35;
        held.mac = {0x00, 0x5a, 0x00, 0x00, 0x00, n};
        const auto bytes = EncodeRecord(held);
        ASSERT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqStaticFdbAdd, kNorth1, {bytes.begin(), bytes.end()}, kFdbEntryRecSize)));
    }
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    program_.Frame().SetCurrentEntity(kNorth1, &card);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<FdbList>([&](FdbList& fdb) {
        person.OnDialog<StaticMac>([&](StaticMac& add) {
            EXPECT_TRUE(e2e::Choose(add, StaticMac::kPortId, QStringLiteral("1")));
            // On the port's other PVC: a MAC the NE learned elsewhere, and one it found spoofed.
            Type(add, StaticMac::kVpiId, QStringLiteral("8"));
            Type(add, StaticMac::kVciId, QStringLiteral("35"));
            Type(add, StaticMac::kMacId, QStringLiteral("00:1e:c9:00:01:01"));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("MAC address has existed in FDB table"));
            Type(add, StaticMac::kMacId, QStringLiteral("00:1e:c9:00:05:02"));
            Click(add, IDOK);
            EXPECT_EQ(e2e::MessageLine(add), QStringLiteral("MAC address is spoofed"));
            // On the PVC that learned it: the operator is asked, and No keeps everything as it was.
            Type(add, StaticMac::kVpiId, QStringLiteral("0"));
            Type(add, StaticMac::kMacId, QStringLiteral("00:1e:c9:00:01:01"));
            person.AnswerBox(IDNO);
            Click(add, IDOK);
            EXPECT_FALSE(add.IsEnded());
            EXPECT_TRUE(!person.boxTexts.empty() && person.LastBoxText().contains(QStringLiteral("OVERWRITE")));
            EXPECT_FALSE(ServerHas(program_, "00:1e:c9:00:01:01"));
            // A new MAC fills the PVC's limit with what it learned: Yes clears the learned entry.
            Type(add, StaticMac::kMacId, QStringLiteral("00:aa:bb:cc:dd:10"));
            person.AnswerBox(IDYES);
            Click(add, IDOK);
            EXPECT_TRUE(!person.boxTexts.empty() &&
                        person.LastBoxText().contains(QStringLiteral("PVC has reached MAC limit")));
            EXPECT_TRUE(add.IsEnded()) << e2e::MessageLine(add).toStdString();
            return IDCANCEL;
        });
        QTreeView& list = *fdb.FindList(kListControlId);
        program_.ClickListRow(list, e2e::RowOf(list, FdbList::kSlotPortColumn, QStringLiteral("1-1")));
        Click(fdb, kAddButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdFdbList));
    EXPECT_TRUE(ServerHas(program_, "00:aa:bb:cc:dd:10"));
    const std::vector<FdbEntryRec> learned = program_.ServerRecords(kReqFdb, kNorth1);
    EXPECT_TRUE(std::none_of(learned.begin(), learned.end(), [](const FdbEntryRec& rec) {
        return rec.portId == kPort1 && rec.vpi == 0 && rec.vci == 35;
    })) << "the PVC's learned entry is cleared";
}

TEST_F(StaticMacNextHopE2eTest, DeleteOnAnNeNoLongerKnownAsksNothingAndSendsNothing)
{
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    program_.Frame().SetCurrentEntity(kNorth1, &card);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<FdbList>([&](FdbList& fdb) {
        QTreeView& list = *fdb.FindList(kListControlId);
        program_.ClickListRow(list, e2e::RowOf(list, FdbList::kMacColumn, QStringLiteral("00:11:22:33:44:99")));
        const CNeRecord kept = *FindNeById(kNorth1);
        EXPECT_EQ(RemoveNe(kNorth1), NeResult::kOk);
        const size_t boxes = person.boxTexts.size();
        Click(fdb, kDeleteButtonId);
        EXPECT_EQ(e2e::MessageLine(fdb), QStringLiteral("Unknown NE"));
        EXPECT_EQ(person.boxTexts.size(), boxes) << "no question";
        EXPECT_EQ(AddNe(kept), NeResult::kOk);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdFdbList));
    EXPECT_TRUE(ServerHas(program_, "00:11:22:33:44:99"));
}

TEST_F(StaticMacNextHopE2eTest, AddStaticWithoutARowTakesTheListsPortOnly)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<FdbList>([&](FdbList& fdb) {
        person.OnDialog<StaticMac>([&](StaticMac& add) { EXPECT_TRUE(add.IsEnded()); });
        Click(fdb, kAddButtonId);
        EXPECT_EQ(e2e::MessageLine(fdb), QStringLiteral("Internal error"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdFdbList));

    // The list of one port: its new entry starts from VPI 0, VCI 32 and a zero MAC.
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 7);
    program_.Frame().SetCurrentEntity(kNorth1, &port);
    person.OnDialog<FdbList>([&](FdbList& fdb) {
        person.OnDialog<StaticMac>([&](StaticMac& add) {
            EXPECT_FALSE(add.IsEnded());
            EXPECT_EQ(e2e::Field(add, StaticMac::kVpiId), QStringLiteral("0"));
            EXPECT_EQ(e2e::Field(add, StaticMac::kVciId), QStringLiteral("32"));
            EXPECT_EQ(e2e::Field(add, StaticMac::kMacId), QStringLiteral("00:00:00:00:00:00"));
            Type(add, StaticMac::kVciId, QStringLiteral("35"));
            Type(add, StaticMac::kMacId, QStringLiteral("00:aa:bb:cc:dd:03"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(fdb, kAddButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdFdbList));
    EXPECT_TRUE(ServerHas(program_, "00:aa:bb:cc:dd:03"));
}

TEST_F(StaticMacNextHopE2eTest, TheOperatorFillsTheNextHopTableAndLooksAtOneFromAPvc)
{
    e2e::COperator& person = program_.Operator();
    const auto add = [&](HopList& hops, const QString& name, const QString& address, const QString& vlan,
                         const QString& refusal = {}) {
        person.OnDialog<Hop>([&, name, address, vlan, refusal](Hop& hop) {
            Type(hop, Hop::kNameId, name);
            Type(hop, Hop::kIpAddressId, address);
            Type(hop, Hop::kVlanId, vlan);
            if (!refusal.isEmpty())
                person.AnswerBox(IDOK);
            Click(hop, IDOK);
            if (!refusal.isEmpty()) {
                EXPECT_FALSE(hop.IsEnded());
                const QString told = person.boxTexts.empty() ? QString() : person.LastBoxText();
                EXPECT_TRUE(told.contains(refusal) || e2e::MessageLine(hop) == refusal)
                    << told.toStdString() << " / " << e2e::MessageLine(hop).toStdString();
            } else {
                EXPECT_TRUE(hop.IsEnded()) << e2e::MessageLine(hop).toStdString();
            }
            return IDCANCEL;
        });
        Click(hops, kAddButtonId);
    };
    person.OnDialog<HopList>([&](HopList& hops) {
        QTreeView& list = *hops.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(list, HopList::kNameColumn).join(','), QStringLiteral("core"));
        EXPECT_EQ(e2e::ListColumn(list, HopList::kIpColumn).join(','), QStringLiteral("192.  0.  2.254"))
            << "each part of the address three characters wide";
        // Delete wants a row.
        EXPECT_FALSE(hops.IsControlEnabled(kDeleteButtonId));
        program_.ClickListRow(list, 0);
        EXPECT_TRUE(hops.IsControlEnabled(kDeleteButtonId));
        add(hops, QStringLiteral("isp a"), QStringLiteral("192.0.2.10"), QStringLiteral("20"),
            QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
        // Without an address, with 0.0.0.0 or with an address that is no host's, there is no next hop to add.
        person.OnDialog<Hop>([&](Hop& hop) {
            Type(hop, Hop::kNameId, QStringLiteral("isp-z"));
            Type(hop, Hop::kVlanId, QStringLiteral("20"));
            for (const QString& address :
                 {QString(), QStringLiteral("0.0.0.0"), QStringLiteral("127.0.0.1"), QStringLiteral("192.0.2.255")}) {
                Type(hop, Hop::kIpAddressId, address);
                Click(hop, IDOK);
                EXPECT_EQ(e2e::MessageLine(hop), QStringLiteral("incorrect IP address")) << address.toStdString();
                EXPECT_FALSE(hop.IsEnded()) << address.toStdString();
            }
            return IDCANCEL;
        });
        Click(hops, kAddButtonId);
        EXPECT_FALSE(ServerHop(program_, "isp-z"));
        add(hops, QStringLiteral("isp-a"), QStringLiteral("192.0.2.254"), QStringLiteral("20"),
            QStringLiteral("IP address is reserved"));
        add(hops, QStringLiteral("core"), QStringLiteral("192.0.2.11"), QStringLiteral("21"),
            QStringLiteral("Record already exists"));
        add(hops, QStringLiteral("isp-a"), QStringLiteral("192.0.2.10"), QStringLiteral("20"));
        // A name takes 32 characters.
        add(hops, QStringLiteral("isp-b-0123456789abcdefghijklmnop"), QStringLiteral("192.0.2.11"),
            QStringLiteral("21"));
        // A change of a next hop that keeps its own address clashes with no other next hop.
        person.OnDialog<Hop>([&](Hop& hop) {
            EXPECT_TRUE(hop.IsControlReadOnly(Hop::kNameId)) << "a next hop keeps its name";
            Type(hop, Hop::kVlanId, QStringLiteral("24"));
            Click(hop, IDOK);
            EXPECT_TRUE(hop.IsEnded()) << e2e::MessageLine(hop).toStdString();
            return IDCANCEL;
        });
        ChangeHop("isp-a");
        EXPECT_EQ(ServerHop(program_, "isp-a").value_or(NextHopRec{}).vlanId, 24);
        add(hops, QStringLiteral("isp-c"), QStringLiteral("192.0.2.12"), QStringLiteral("22"));
        add(hops, QStringLiteral("isp-d"), QStringLiteral("192.0.2.13"), QStringLiteral("23"),
            QStringLiteral("This table is full. Maximum number: 4"));
        EXPECT_EQ(e2e::ListColumn(list, HopList::kNameColumn).size(), 4);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(hops, QStringLiteral("next_hop_list")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdNextHops));
    ASSERT_TRUE(ServerHop(program_, "isp-c"));
    EXPECT_TRUE(ServerHop(program_, "isp-b-0123456789abcdefghijklmnop"));

    // The full table refuses a change of one of its next hops too.
    person.OnDialog<Hop>([&](Hop& hop) {
        EXPECT_EQ(e2e::Field(hop, Hop::kIpAddressId), QStringLiteral("192.0.2.12"));
        Type(hop, Hop::kVlanId, QStringLiteral("30"));
        Click(hop, IDOK);
        EXPECT_EQ(e2e::MessageLine(hop), QStringLiteral("This table is full. Maximum number: 4"));
        EXPECT_FALSE(hop.IsEnded());
        return IDCANCEL;
    });
    ChangeHop("isp-c");
    EXPECT_EQ(ServerHop(program_, "isp-c")->vlanId, 22);

    // The VC-to-VLAN setting of a PVC shows a next hop by its name: the operator switches the PVC to routed mode and
    // looks at the next hop it would use, which the dialog shows as the NE has it and does not offer to change.
    person.OnDialog<CXdslVcVlanListDlg>([&](CXdslVcVlanListDlg& pvcs) {
        QTreeView& list = *pvcs.FindList(kListControlId);
        EXPECT_GT(list.model()->rowCount(), 0);
        program_.ClickListRow(list, 0);
        person.OnDialog<CXdslVcVlanSettingDlg>([&](CXdslVcVlanSettingDlg& setting) {
            EXPECT_TRUE(e2e::Choose(setting, CXdslVcVlanSettingDlg::kModeId, QStringLiteral("routed")));
            CVcVlanNextHopPage& page = setting.NextHopPage();
            setting.SelectPage(&page);
            EXPECT_TRUE(e2e::Choose(page, CVcVlanNextHopPage::kNextHopId, QStringLiteral("isp-c")));
            person.OnDialog<Hop>([&](Hop& hop) {
                EXPECT_EQ(e2e::Field(hop, Hop::kNameId), QStringLiteral("isp-c"));
                EXPECT_EQ(e2e::Field(hop, Hop::kIpAddressId), QStringLiteral("192.0.2.12"));
                EXPECT_EQ(e2e::Field(hop, Hop::kVlanId), QStringLiteral("22"));
                EXPECT_FALSE(hop.IsControlEnabled(IDOK));
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(hop, QStringLiteral("next_hop")));
                return IDCANCEL;
            });
            Click(page, CVcVlanNextHopPage::kShowId);
            return IDCANCEL;
        });
        Click(pvcs, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
}

} // namespace
