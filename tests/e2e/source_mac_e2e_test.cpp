// Source MAC access control in the running program against the simulated server: the Access Control List of North-1
// shows the MAC that PVC 1-6 0/35 permits; its PVC's list takes a second MAC, which the NE checks first, refuses a
// malformed MAC and one another PVC permits already, and deletes one; the entity list shows the PVC's MACs as the
// PVC's list left them. The VC-to-VLAN list opens the same PVC list on its selected row. On the simulated NE in direct
// mode, each control state a PVC may hold shows in its list and in the add dialog, which offers Permit only to a PVC
// that permits.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/profile_list_steps.h"

#include "core/util/mac_address.h"
#include "features/provisioning/pvcs/vc_vlan_columns.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/source_macs/xdsl_acl_dlg.h"
#include "features/provisioning/source_macs/xdsl_acl_list_dlg.h"
#include "features/provisioning/source_macs/xdsl_vc_vlan_acl_list_dlg.h"
#include "link/records/acl_entry_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_row_status_rec.h"
#include "link/records/request_codes.h"
#include "link/records/word_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kCmdAccessControlList = 33167;
constexpr int kCmdVcVlan = 33022;
constexpr uint32_t kNorth1 = 1;
constexpr int kMacColumn = 5;
constexpr int kStateColumn = 4;
using AclList = CXdslAclListDlg;
using PvcMacs = CXdslVcVlanAclListDlg;
using AddMac = CXdslAclDlg;
using e2e::Check;
using e2e::Click;
using e2e::Field;
using e2e::IsChecked;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::RowOf;
using e2e::Type;

std::vector<AclEntryRec> ServerMacs(e2e::CProgram& program)
{
    const auto body = EncodeRecord(WordRecord{1});
    std::vector<AclEntryRec> entries;
    for (const std::vector<uint8_t>& bytes :
         program.QueryServer(kReqAcl, kNorth1, {body.begin(), body.end()}, kWordRecordSize)) {
        AclEntryRec entry;
        if (DecodeRecord(bytes.data(), bytes.size(), &entry))
            entries.push_back(entry);
    }
    return entries;
}

// The records of the changes (operation 2) of a code that the PDU log holds, in the order they went; the log turns
// over to PDU.bak as it grows.
std::vector<std::vector<uint8_t>> SentChanges(e2e::CProgram& program, uint16_t code)
{
    const std::string header = " SEND op=2 ne=";
    const std::string codeField = " code=" + std::to_string(code) + " ";
    std::vector<std::vector<uint8_t>> sent;
    for (const char* name : {"PDU.bak", "PDU.log"}) {
        std::ifstream log(program.WorkDir().Path() / name);
        std::string line;
        bool inRecord = false;
        while (std::getline(log, line)) {
            if (line.find(header) != std::string::npos && line.find(codeField) != std::string::npos) {
                sent.emplace_back();
                inRecord = true;
                continue;
            }
            // A dump line: "0010  xx xx ...  text", the offset then up to 16 bytes.
            inRecord = inRecord && line.size() > 5 && std::isxdigit(static_cast<unsigned char>(line[0])) != 0 &&
                       line[4] == ' ';
            for (size_t at = 6; inRecord && at + 2 <= line.size() && line[at - 1] == ' ' && line[at] != ' '; at += 3)
                sent.back().push_back(static_cast<uint8_t>(std::stoul(line.substr(at, 2), nullptr, 16)));
        }
    }
    return sent;
}

TEST(SourceMacE2eTest, APvcsSourceMacsAreCheckedAddedAndDeleted)
{
    e2e::CProgram program;
    e2e::PeerOptions logged;
    logged.iniExtra = "[PDULOG]\nPDULOGTOFILE=1\n";
    ASSERT_TRUE(program.StartServer(logged));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<AclList>([&](AclList& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(ListColumn(list, kMacColumn), QStringList{QStringLiteral("00:11:22:33:44:55")});
        EXPECT_EQ(ListColumn(list, kStateColumn), QStringList{QStringLiteral("permit")});
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("source_mac_acl_list"));

        person.OnDialog<PvcMacs>([&](PvcMacs& macs) {
            EXPECT_EQ(Field(macs, PvcMacs::kPvcId), QStringLiteral("1-6 0/35"));
            EXPECT_EQ(Field(macs, PvcMacs::kStateId), QStringLiteral("Permit All Listed Source MACs"));
            // Malformed, then taken by the PVC itself: both refused in the add dialog, which stays open.
            person.OnDialog<AddMac>([&](AddMac& add) {
                EXPECT_TRUE(IsChecked(add, AddMac::kPermitId));
                // The MAC opens all zeros, which is refused as it stands.
                EXPECT_EQ(Field(add, AddMac::kMacId), QStringLiteral("00:00:00:00:00:00"));
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add), QStringLiteral("Format error"));
                add.ClearMessageLine();
                Type(add, AddMac::kMacId, QStringLiteral("00:11:22:33:44"));
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add), QStringLiteral("Format error"));
                Type(add, AddMac::kMacId, QStringLiteral("00:11:22:33:44:55"));
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add), QStringLiteral("Same ACL entry has already existed on this PVC"));
                e2e::CProgram::SaveScreenshot(add, QStringLiteral("source_mac_add"));
                Type(add, AddMac::kMacId, QStringLiteral("00:11:22:33:44:66"));
                Click(add, IDOK);
                EXPECT_TRUE(add.IsEnded())
                    << MessageLine(add).toStdString() << " / "
                    << (person.boxTexts.empty() ? std::string() : person.LastBoxText().toStdString());
            });
            Click(macs, kAddButtonId);
            QTreeView& shown = *macs.FindList(kListControlId);
            EXPECT_EQ(ListColumn(shown, 0),
                      (QStringList{QStringLiteral("00:11:22:33:44:55"), QStringLiteral("00:11:22:33:44:66")}));
            program.ClickListRow(shown, RowOf(shown, 0, QStringLiteral("00:11:22:33:44:55")));
            person.AnswerBox(IDYES);
            Click(macs, kDeleteButtonId);
            EXPECT_EQ(ListColumn(shown, 0), QStringList{QStringLiteral("00:11:22:33:44:66")});
            // The delete names the entry by the PVC's key and the MAC; its VLAN and state go as zero.
            const std::vector<std::vector<uint8_t>> deletes = SentChanges(program, kReqAclDelete);
            ASSERT_EQ(deletes.size(), 1u);
            AclEntryRec named; // as the server holds it, with VLAN 101 and state 5
            named.portId = 10106;
            named.vci = 35;
            named.mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
            const auto bytes = EncodeRecord(named);
            EXPECT_EQ(deletes.front(), std::vector<uint8_t>(bytes.begin(), bytes.end()));
            e2e::CProgram::SaveScreenshot(macs, QStringLiteral("source_mac_pvc_list"));
        });
        program.ClickListRow(list, 0);
        Click(dialog, kModifyButtonId);
        EXPECT_EQ(ListColumn(list, kMacColumn), QStringList{QStringLiteral("00:11:22:33:44:66")});
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAccessControlList));

    // The VC-to-VLAN list's ACL on the same PVC.
    person.OnDialog<CXdslVcVlanListDlg>([&](CXdslVcVlanListDlg& pvcs) {
        QTreeView& list = *pvcs.FindList(kListControlId);
        program.ClickListRow(list, RowOf(list, vc_vlan_column::kSlotPort, QStringLiteral("1-6")));
        person.OnDialog<PvcMacs>([&](PvcMacs& macs) {
            EXPECT_EQ(ListColumn(*macs.FindList(kListControlId), 0), QStringList{QStringLiteral("00:11:22:33:44:66")});
        });
        Click(pvcs, CXdslVcVlanListDlg::kAclId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdVcVlan));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);

    const std::vector<AclEntryRec> kept = ServerMacs(program);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept.front().mac, (MacAddress{0x00, 0x11, 0x22, 0x33, 0x44, 0x66}));
    EXPECT_EQ(kept.front().controlState, 5u);
}

// A PVC carries at most 64 source MACs: its list offers Add while it holds fewer.
TEST(SourceMacE2eTest, APvcTakesSixtyFourSourceMacs)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    // PVC 1-6 0/35 permits one MAC already; out of service, its MAC limit is raised to 64 for 63 more.
    const PvcRowStatusRec outOfService{10106, 0, 35, 2};
    e2e::AddOnServer(program, kReqPvcRowStatus, kNorth1, {outOfService});
    for (PvcRec pvc : program.ServerRecords(kReqPvc, kNorth1)) {
        if (pvc.portId == outOfService.portId && pvc.vpi == 0 && pvc.vci == outOfService.vci) {
            pvc.macLimit = 64;
            e2e::AddOnServer(program, kReqPvc, kNorth1, {pvc});
        }
    }
    const auto permitOnServer = [&](uint8_t last) {
        AclEntryRec entry;
        entry.portId = outOfService.portId;
        entry.vci = outOfService.vci;
        entry.mac = {0x02, 0x00, 0x00, 0x00, 0x00, last};
        entry.controlState = 5;
        e2e::AddOnServer(program, kReqAclAdd, kNorth1, {entry});
    };
    for (uint8_t last = 1; last <= 62; ++last)
        permitOnServer(last);
    e2e::COperator& person = program.Operator();
    person.OnDialog<AclList>([&](AclList& dialog) {
        person.OnDialog<PvcMacs>([&](PvcMacs& macs) {
            QTreeView& shown = *macs.FindList(kListControlId);
            EXPECT_EQ(ListColumn(shown, 0).size(), 63);
            EXPECT_TRUE(macs.IsControlEnabled(kAddButtonId));
            permitOnServer(63);
            Click(macs, kRefreshButtonId);
            EXPECT_EQ(ListColumn(shown, 0).size(), 64);
            EXPECT_FALSE(macs.IsControlEnabled(kAddButtonId));
        });
        program.ClickListRow(*dialog.FindList(kListControlId), 0);
        Click(dialog, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAccessControlList));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// In direct mode, a PVC's control state as its list and the add dialog show it: Permit is offered only to a PVC that
// permits its listed MACs; a state that is neither permit nor deny names none, as a PVC without MACs does.
TEST(SourceMacDirectE2eTest, TheNewStateIsPermitOnlyForAPvcThatPermits)
{
    const struct {
        uint32_t portId;
        int state; // -1: the PVC holds no MAC
        const char* listed;
        const char* current;
        bool permit;
    } rows[] = {
        {10101, 5, "Permit All Listed Source MACs", "Permit All Listed Source MACs", true},
        {10102, 4, "Deny All Listed Source MACs", "Deny All Listed Source MACs", false},
        {10103, 0, " <none>", " <none>", false},
        {10104, 7, " <none>", " <none>", false},
        {10105, -1, "", " <none>", false},
    };
    std::string sections;
    for (const auto& row : rows) {
        const std::string port = std::to_string(row.portId);
        if (row.portId > 10102) // the NE's scenario has PVCs 0/35 on the first two ports
            sections += "[PvcRec." + port + "]\nportId=" + port +
                        "\nvci=35\nrfc2684Mode=2\nvlanId=300\nmacLimit=8\nipTrafficProfile=office\nenableState=1\n";
        if (row.state >= 0)
            sections += "[AclEntryRec." + port + "]\nportId=" + port +
                        "\nvci=35\nmac=02:00:00:00:00:" + port.substr(3) +
                        "\ncontrolState=" + std::to_string(row.state) + "\n";
    }
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe(sections));
    e2e::COperator& person = program.Operator();
    person.OnDialog<CXdslVcVlanListDlg>([&](CXdslVcVlanListDlg& pvcs) {
        QTreeView& list = *pvcs.FindList(kListControlId);
        for (const auto& row : rows) {
            const QString port = QStringLiteral("1-1-%1").arg(row.portId - 10100);
            SCOPED_TRACE(port.toStdString());
            person.OnDialog<PvcMacs>([&](PvcMacs& macs) {
                EXPECT_EQ(Field(macs, PvcMacs::kStateId), QString::fromLatin1(row.listed));
                person.OnDialog<AddMac>([&](AddMac& add) {
                    EXPECT_EQ(Field(add, AddMac::kPvcId), port + QStringLiteral(" 0/35"));
                    EXPECT_EQ(Field(add, AddMac::kCurrentStateId), QString::fromLatin1(row.current));
                    EXPECT_EQ(IsChecked(add, AddMac::kPermitId), row.permit);
                    EXPECT_EQ(IsChecked(add, AddMac::kDenyId), !row.permit);
                    return IDCANCEL;
                });
                Click(macs, kAddButtonId);
            });
            program.ClickListRow(list, RowOf(list, vc_vlan_column::kSlotPort, port));
            Click(pvcs, CXdslVcVlanListDlg::kAclId);
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdVcVlan));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The Slot-Port column sorts by the PVCs' ports, then their VPI and VCI; the number, VPI and VCI columns sort as
// numbers. Port 1-5 gets PVCs 9/40, 9/100 and 10/37 beside its 0/36, so that ten rows list VPIs 9 and 10 and VCIs 40
// and 100 (whose texts sort the other way), and two PVCs of one port and VPI leave the order to their VCIs.
TEST(SourceMacE2eTest, TheSlotPortColumnSortsByThePortThenVpiAndVci)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    std::vector<PvcRec> held = program.ServerRecords(kReqPvc, kNorth1);
    const auto pvc05036 =
        std::find_if(held.begin(), held.end(), [](const PvcRec& pvc) { return pvc.portId == 10105 && pvc.vci == 36; });
    ASSERT_NE(pvc05036, held.end());
    const auto addOnServer = [&](uint8_t vpi, uint16_t vci, uint32_t state, uint8_t last) {
        AclEntryRec entry;
        entry.portId = 10105;
        entry.vpi = vpi;
        entry.vci = vci;
        // First bytes whose texts and leading numbers sort apart: "02" 2, "10" 10, "9a" 9, "a0" none.
        const uint8_t first = vci == 36 ? 0x9a : vci == 37 ? 0x10 : vci == 100 ? 0xa0 : 0x02;
        entry.mac = {first, 0x00, 0x00, vpi, static_cast<uint8_t>(vci), last};
        entry.controlState = state;
        e2e::AddOnServer(program, kReqAclAdd, kNorth1, {entry});
    };
    addOnServer(0, 36, 5, 0x36);
    for (const auto& [vpi, vci] : {std::pair<uint8_t, uint16_t>{10, 37}, {9, 100}, {9, 40}}) {
        PvcRec pvc = *pvc05036;
        pvc.vpi = vpi;
        pvc.vci = vci;
        e2e::AddOnServer(program, kReqPvc, kNorth1, {pvc});
        for (uint8_t last = 1; last <= (vci == 40 ? 6 : 1); ++last)
            addOnServer(vpi, vci, 4, last);
    }
    program.Operator().OnDialog<AclList>([&](AclList& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        const auto column = [&list](int at) { return ListColumn(list, at).join(','); };
        e2e::CProgram::ClickHeader(*list.header(), 2);
        EXPECT_EQ(column(2), QStringLiteral("0,0,9,9,9,9,9,9,9,10"));
        e2e::CProgram::ClickHeader(*list.header(), 3);
        EXPECT_EQ(column(3), QStringLiteral("35,36,37,40,40,40,40,40,40,100"));
        e2e::CProgram::ClickHeader(*list.header(), 1);
        EXPECT_EQ(column(1), QStringLiteral("1-5,1-5,1-5,1-5,1-5,1-5,1-5,1-5,1-5,1-6"));
        EXPECT_EQ(column(3), QStringLiteral("36,40,40,40,40,40,40,100,37,35"));
        e2e::CProgram::ClickHeader(*list.header(), 1);
        EXPECT_EQ(column(1), QStringLiteral("1-6,1-5,1-5,1-5,1-5,1-5,1-5,1-5,1-5,1-5"));
        EXPECT_EQ(column(3), QStringLiteral("35,37,100,40,40,40,40,40,40,36"));
        // The numbers keep the direction last chosen.
        e2e::CProgram::ClickHeader(*list.header(), 0);
        EXPECT_EQ(column(0), QStringLiteral("10,9,8,7,6,5,4,3,2,1"));
        // The state and the MAC address sort by the numbers their texts start with: "deny" and "permit" hold none and
        // compare equal, so the states are not grouped as texts would be; a MAC sorts by the decimal digits of its
        // first byte ("a0" and "00" both 0).
        e2e::CProgram::ClickHeader(*list.header(), kStateColumn);
        QStringList states = ListColumn(list, kStateColumn);
        QStringList grouped = states;
        std::sort(grouped.begin(), grouped.end());
        EXPECT_NE(states, grouped);
        std::reverse(grouped.begin(), grouped.end());
        EXPECT_NE(states, grouped);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("source_mac_list_by_state")));
        e2e::CProgram::ClickHeader(*list.header(), kMacColumn);
        // Descending, as last chosen.
        QList<int> firstBytes;
        for (const QString& mac : ListColumn(list, kMacColumn))
            firstBytes << std::atoi(mac.toLatin1().constData());
        EXPECT_EQ(firstBytes, (QList<int>{10, 9, 2, 2, 2, 2, 2, 2, 0, 0}));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("source_mac_list_by_mac")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAccessControlList));
    EXPECT_EQ(program.Operator().UnusedDialogScripts(), 0u);
}

} // namespace
