// PVC provisioning in the running program against the simulated server, on North-1's line ports: the VC-to-VLAN list
// of the NE; a PVC created on a port and found at the server in service; a second one whose static IP range another
// PVC holds, refused by the NE's rule check with the numbered report and written nowhere, as is one that holds the
// NE's DNS server (the workstation's range check reads its lists at NE id 0); a PVC the port has already,
// added again, changed in place; a change whose write the server refuses, after which the PVC, its range and its
// row state are as they were; a multi-delete of ticked PVCs that stops at one a static filtering entry keeps; and the
// last enabled PVC of a port with an enabled multicast channel, which is kept.

#include "tests/e2e/support/e2e_harness.h"

#include "tests/e2e/support/mc_server_steps.h"
#include "tests/e2e/support/north1_test.h"
#include "ui/framework/dialogs/ticked_record_list_dlg.h"

#include "features/provisioning/pvcs/vc_vlan_columns.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"
#include "link/ems_msg.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_row_status_rec.h"
#include "link/records/pvc_static_ip_entry.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"
#include "ui/framework/dialogs/ip_address_range_dlg.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr int kCmdVcVlan = 33022;
constexpr uint32_t kNorth1 = 1;
constexpr uint32_t kPort1 = 10101;
constexpr uint32_t kPort2 = 10102;
constexpr uint32_t kPort5 = 10105;
constexpr uint32_t kPort6 = 10106;
constexpr uint32_t kPort7 = 10107;
using List = CXdslVcVlanListDlg;
using Setting = CXdslVcVlanSettingDlg;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;
namespace column = vc_vlan_column;

void Refuse(e2e::CProgram& program, uint32_t action, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{action, code, 0, 0});
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

std::optional<PvcRec> ServerPvc(e2e::CProgram& program, uint32_t portId, uint8_t vpi, uint16_t vci)
{
    for (const PvcRec& pvc : program.ServerRecords(kReqPvc, kNorth1)) {
        if (pvc.portId == portId && pvc.vpi == vpi && pvc.vci == vci)
            return pvc;
    }
    return std::nullopt;
}

std::vector<PvcStaticIpEntry> ServerRanges(e2e::CProgram& program, uint32_t portId, uint16_t vci)
{
    std::vector<PvcStaticIpEntry> ranges;
    for (const PvcStaticIpEntry& range : program.ServerRecords(kReqPvcStaticIp, kNorth1)) {
        if (range.portId == portId && range.vci == vci)
            ranges.push_back(range);
    }
    return ranges;
}

uint32_t ServerRowStatus(e2e::CProgram& program, uint32_t portId, uint16_t vci)
{
    PvcRowStatusRec key{portId, 0, vci, 0};
    const auto bytes = EncodeRecord(key);
    for (const std::vector<uint8_t>& row :
         program.QueryServer(kReqPvcRowStatus, kNorth1, {bytes.begin(), bytes.end()}, kPvcRowStatusRecSize)) {
        PvcRowStatusRec status;
        if (DecodeRecord(row.data(), row.size(), &status) && status.vci == vci)
            return status.status;
    }
    return 0;
}

// The row of a PVC: its port as the list names it, its VPI and VCI.
int RowOfPvc(const QTreeView& list, const QString& port, int vpi, int vci)
{
    const QStringList ports = ListColumn(list, column::kSlotPort);
    const QStringList vpis = ListColumn(list, column::kVpi);
    const QStringList vcis = ListColumn(list, column::kVci);
    for (int row = 0; row < ports.size(); ++row) {
        if (ports[row] == port && vpis[row] == QString::number(vpi) && vcis[row] == QString::number(vci))
            return row;
    }
    return -1;
}

// Fills the port, key and pages of a new bridged PVC.
void DescribeNewPvc(Setting& setting, const QString& port, int vci, const QString& vlan)
{
    Choose(setting, Setting::kPortId, port);
    Type(setting, Setting::kVciId, QString::number(vci));
    setting.SelectPage(&setting.IpTrafficPage());
    Choose(setting.IpTrafficPage(), CVcVlanIpTrafficPage::kProfileId, QStringLiteral("office"));
    setting.SelectPage(&setting.VlanPage());
    Type(setting.VlanPage(), CVcVlanIdPage::kVlanId, vlan);
    setting.SelectPage(&setting.MacLimitPage());
    // The MAC limits a PVC takes, a new one starting at 1.
    EXPECT_EQ(e2e::ComboTexts(setting.MacLimitPage(), CVcVlanMacLimitPage::kMacLimitId),
              QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,32,40,48,56,64"));
    EXPECT_EQ(e2e::Field(setting.MacLimitPage(), CVcVlanMacLimitPage::kMacLimitId), QStringLiteral("1"));
    Choose(setting.MacLimitPage(), CVcVlanMacLimitPage::kMacLimitId, QStringLiteral("8"));
}

class PvcE2eTest : public e2e::CNorth1Test {};

TEST_F(PvcE2eTest, APvcIsCreatedAConflictingOneIsReportedAndOneThePortHasChanged)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_NE(RowOfPvc(list, QStringLiteral("1-5"), 0, 36), -1);
        EXPECT_NE(RowOfPvc(list, QStringLiteral("1-1"), 0, 35), -1);
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("pvc_list"));

        // A transparent PVC on port 5.
        person.OnDialog<Setting>([&](Setting& setting) {
            EXPECT_EQ(Field(setting.ServiceTypePage(), CVcVlanServiceTypePage::kServiceTypeId),
                      QStringLiteral("Transparent"));
            DescribeNewPvc(setting, QStringLiteral("5"), 40, QStringLiteral("310"));
            e2e::CProgram::SaveScreenshot(setting, QStringLiteral("pvc_setting"));
            Click(setting, IDOK);
            EXPECT_TRUE(setting.IsEnded()) << MessageLine(setting).toStdString();
        });
        program_.ClickListRow(list, RowOfPvc(list, QStringLiteral("1-5"), 0, 36));
        Click(dialog, kAddButtonId);
        const int added = RowOfPvc(list, QStringLiteral("1-5"), 0, 40);
        EXPECT_NE(added, -1);
        const QModelIndexList selected = list.selectionModel()->selectedRows();
        EXPECT_EQ(selected.size(), 1);
        EXPECT_EQ(selected.value(0).row(), RowOfPvc(list, QStringLiteral("1-5"), 0, 36)) << "the selection stays";
        if (added >= 0) {
            EXPECT_EQ(ListColumn(list, column::kVlanOrNextHop)[added], QStringLiteral("310"));
            EXPECT_EQ(ListColumn(list, column::kOperState)[added], QStringLiteral("up"));
        }

        // A static-IP PVC whose range holds addresses of PVC 0/36: the NE's rule check names that PVC.
        person.onBox = [&](QDialog& box) {
            // The report's four lines show whole: the box grows, its text does not scroll.
            for (auto* text : box.findChildren<QPlainTextEdit*>()) {
                if (text->isVisible()) {
                    EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
                    EXPECT_EQ(text->document()->lineCount(), text->document()->blockCount());
                }
            }
            e2e::CProgram::SaveScreenshot(box, QStringLiteral("pvc_conflict_report"));
        };
        person.OnDialog<Setting>([&](Setting& setting) {
            DescribeNewPvc(setting, QStringLiteral("5"), 41, QStringLiteral("310"));
            CVcVlanServiceTypePage& service = setting.ServiceTypePage();
            setting.SelectPage(&service);
            Choose(service, CVcVlanServiceTypePage::kServiceTypeId, QStringLiteral("static IP"));
            person.OnDialog<CIpAddressRangeDlg>([&](CIpAddressRangeDlg& range) {
                Type(range, CIpAddressRangeDlg::kAddressId, QStringLiteral("198.51.100.10"));
                Type(range, CIpAddressRangeDlg::kCountId, QStringLiteral("2"));
                Click(range, IDOK);
            });
            Click(service, kAddButtonId);
            Click(setting, IDOK);
            EXPECT_EQ(person.boxTexts.size(), 1u);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Error  1: Static-IP is invalid, reserved or conflicts with the following PVCs:\n"
                                     "               Total conflict PVCs: 1\n"
                                     "               line port 1-5, PVC 0/36\n"));
            EXPECT_FALSE(setting.IsEnded());
            EXPECT_EQ(setting.GetCurrentPage(), &service);
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);
        person.onBox = nullptr;
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-5"), 0, 41), -1);

        // A range that holds the NE's DNS server: the lists the range check reads at NE id 0 hold none of the NE's
        // addresses, so the NE itself refuses it, in its rule check.
        person.OnDialog<Setting>([&](Setting& setting) {
            DescribeNewPvc(setting, QStringLiteral("5"), 42, QStringLiteral("310"));
            CVcVlanServiceTypePage& service = setting.ServiceTypePage();
            setting.SelectPage(&service);
            Choose(service, CVcVlanServiceTypePage::kServiceTypeId, QStringLiteral("static IP"));
            person.OnDialog<CIpAddressRangeDlg>([&](CIpAddressRangeDlg& range) {
                Type(range, CIpAddressRangeDlg::kAddressId, QStringLiteral("10.10.0.52"));
                Type(range, CIpAddressRangeDlg::kCountId, QStringLiteral("2"));
                Click(range, IDOK);
            });
            Click(service, kAddButtonId);
            Click(setting, IDOK);
            EXPECT_EQ(person.boxTexts.size(), 2u);
            EXPECT_TRUE(person.LastBoxText().startsWith(
                QStringLiteral("Error  1: Static-IP is invalid, reserved or conflicts with the following PVCs:\n")))
                << person.LastBoxText().toStdString();
            EXPECT_FALSE(setting.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-5"), 0, 42), -1);

        // The port has PVC 0/35: adding it again changes it, and its row shows the change in place.
        const int rows = list.model()->rowCount();
        person.OnDialog<Setting>([&](Setting& setting) {
            EXPECT_EQ(Field(setting, Setting::kVpiId), QStringLiteral("0"));
            EXPECT_EQ(Field(setting, Setting::kVciId), QStringLiteral("32"));
            DescribeNewPvc(setting, QStringLiteral("5"), 35, QStringLiteral("999"));
            Click(setting, IDOK);
            EXPECT_TRUE(setting.IsEnded()) << MessageLine(setting).toStdString();
        });
        Click(dialog, kAddButtonId);
        EXPECT_EQ(list.model()->rowCount(), rows);
        const int changed = RowOfPvc(list, QStringLiteral("1-5"), 0, 35);
        EXPECT_NE(changed, -1);
        EXPECT_EQ(ListColumn(list, column::kVlanOrNextHop).value(changed), QStringLiteral("999"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);

    const std::optional<PvcRec> created = ServerPvc(program_, kPort5, 0, 40);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->vlanId, 310);
    EXPECT_EQ(created->serviceType, 6u);
    EXPECT_EQ(created->ipTrafficProfile, "office");
    EXPECT_EQ(ServerRowStatus(program_, kPort5, 40), 1u);
    EXPECT_FALSE(ServerPvc(program_, kPort5, 0, 41));
    EXPECT_TRUE(ServerRanges(program_, kPort5, 41).empty());
    EXPECT_FALSE(ServerPvc(program_, kPort5, 0, 42));
    EXPECT_EQ(ServerPvc(program_, kPort5, 0, 35)->vlanId, 999);
}

// Two static IP ranges of the same base both stand in the list; OK finds them overlapping and names the first, which
// it selects, and nothing is written.
TEST_F(PvcE2eTest, TwoRangesOfOneBaseAreListedAndRefusedAtOk)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& dialog) {
        person.OnDialog<Setting>([&](Setting& setting) {
            DescribeNewPvc(setting, QStringLiteral("5"), 43, QStringLiteral("310"));
            CVcVlanServiceTypePage& service = setting.ServiceTypePage();
            setting.SelectPage(&service);
            Choose(service, CVcVlanServiceTypePage::kServiceTypeId, QStringLiteral("static IP"));
            for (const QString& count : {QStringLiteral("2"), QStringLiteral("4")}) {
                person.OnDialog<CIpAddressRangeDlg>([&](CIpAddressRangeDlg& range) {
                    Type(range, CIpAddressRangeDlg::kAddressId, QStringLiteral("203.0.113.20"));
                    Type(range, CIpAddressRangeDlg::kCountId, count);
                    Click(range, IDOK);
                });
                Click(service, kAddButtonId);
            }
            QTreeView& ranges = *service.FindList(CVcVlanServiceTypePage::kRangesId);
            EXPECT_EQ(ListColumn(ranges, 0),
                      (QStringList{QStringLiteral("203.0.113.20"), QStringLiteral("203.0.113.20")}));
            EXPECT_EQ(ListColumn(ranges, 1), (QStringList{QStringLiteral("2"), QStringLiteral("4")}));
            EXPECT_EQ(MessageLine(setting), QString());
            program_.ClickListRow(ranges, 1);
            Click(setting, IDOK);
            EXPECT_EQ(MessageLine(setting),
                      QStringLiteral("[203.0.113.20]  The IP range includes an incorrect IP address"));
            EXPECT_EQ(service.SelectedRow(), 0);
            EXPECT_FALSE(setting.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
    EXPECT_FALSE(ServerPvc(program_, kPort5, 0, 43));
    EXPECT_TRUE(person.boxTexts.empty());
}

TEST_F(PvcE2eTest, AWriteTheServerRefusesLeavesThePvcAsItWas)
{
    const std::optional<PvcRec> before = ServerPvc(program_, kPort5, 0, 36);
    ASSERT_TRUE(before);
    ASSERT_EQ(ServerRanges(program_, kPort5, 36).size(), 1u);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        program_.ClickListRow(list, RowOfPvc(list, QStringLiteral("1-5"), 0, 36));
        person.OnDialog<Setting>([&](Setting& setting) {
            EXPECT_EQ(Field(setting.ServiceTypePage(), CVcVlanServiceTypePage::kServiceTypeId),
                      QStringLiteral("static IP"));
            setting.SelectPage(&setting.MacLimitPage());
            Choose(setting.MacLimitPage(), CVcVlanMacLimitPage::kMacLimitId, QStringLiteral("32"));
            Refuse(program_, kSimRefuseNextChange, kReqPvc);
            person.AnswerBox(IDYES); // the PVC is reset
            Click(setting, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(setting.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
    EXPECT_EQ(ServerPvc(program_, kPort5, 0, 36), before);
    const std::vector<PvcStaticIpEntry> ranges = ServerRanges(program_, kPort5, 36);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges.front().baseAddress, (IpAddress{198, 51, 100, 8}));
    EXPECT_EQ(ServerRowStatus(program_, kPort5, 36), 1u);
}

// The top user priority, 7, is written and shown again as 7 when the PVC opens anew.
TEST_F(PvcE2eTest, TheTopUserPriorityIsShownAsWrittenWhenThePvcOpensAgain)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        program_.ClickListRow(list, RowOfPvc(list, QStringLiteral("1-5"), 0, 36));
        person.OnDialog<Setting>([&](Setting& setting) {
            setting.SelectPage(&setting.VlanPage());
            Type(setting.VlanPage(), CVcVlanIdPage::kPriorityId, QStringLiteral("7"));
            person.AnswerBox(IDYES); // the PVC is reset
            Click(setting, IDOK);
            EXPECT_TRUE(setting.IsEnded()) << MessageLine(setting).toStdString();
        });
        Click(dialog, kModifyButtonId);
        person.OnDialog<Setting>([&](Setting& setting) {
            EXPECT_EQ(Field(setting.VlanPage(), CVcVlanIdPage::kPriorityId), QStringLiteral("7"));
            return IDCANCEL;
        });
        program_.ClickListRow(list, RowOfPvc(list, QStringLiteral("1-5"), 0, 36));
        Click(dialog, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
    const std::optional<PvcRec> written = ServerPvc(program_, kPort5, 0, 36);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->userPriority, 7);
}

TEST_F(PvcE2eTest, TickedPvcsAreDeletedUpToOneTheNeKeeps)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_FALSE(dialog.IsControlEnabled(CTickedRecordListDlg::kMultiDeleteId));
        const auto number = [&](int row) { return ListColumn(list, column::kNumber)[row]; };
        e2e::TickRows(list, {number(RowOfPvc(list, QStringLiteral("1-5"), 0, 35)),
                             number(RowOfPvc(list, QStringLiteral("1-5"), 0, 36))});
        EXPECT_TRUE(dialog.IsControlEnabled(CTickedRecordListDlg::kMultiDeleteId));
        person.AnswerBox(IDYES);
        Click(dialog, CTickedRecordListDlg::kMultiDeleteId);
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-5"), 0, 35), -1);
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-5"), 0, 36), -1);
        EXPECT_FALSE(dialog.IsControlEnabled(CTickedRecordListDlg::kMultiDeleteId));

        // A static filtering entry keeps PVC 1-7 0/35: the run stops there, after 1-6 0/35.
        e2e::TickRows(list, {number(RowOfPvc(list, QStringLiteral("1-6"), 0, 35)),
                             number(RowOfPvc(list, QStringLiteral("1-7"), 0, 35))});
        person.AnswerBox(IDYES);
        Click(dialog, CTickedRecordListDlg::kMultiDeleteId);
        EXPECT_EQ(MessageLine(dialog),
                  QStringLiteral("Fail to delete data. There are Static or ACL FDB entries on this PVC."));
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-6"), 0, 35), -1);
        EXPECT_NE(RowOfPvc(list, QStringLiteral("1-7"), 0, 35), -1);

        // One PVC deleted by itself leaves Multi-Delete off, though 1-7 0/35 is still ticked, until a box is ticked.
        EXPECT_TRUE(dialog.IsControlEnabled(CTickedRecordListDlg::kMultiDeleteId));
        program_.ClickListRow(list, RowOfPvc(list, QStringLiteral("1-1"), 0, 35));
        person.AnswerBox(IDYES);
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-1"), 0, 35), -1);
        EXPECT_FALSE(dialog.IsControlEnabled(CTickedRecordListDlg::kMultiDeleteId));
        EXPECT_TRUE(dialog.IsControlEnabled(CTickedRecordListDlg::kCheckAllId));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
    EXPECT_FALSE(ServerPvc(program_, kPort5, 0, 35));
    EXPECT_FALSE(ServerPvc(program_, kPort5, 0, 36));
    EXPECT_TRUE(ServerRanges(program_, kPort5, 36).empty());
    EXPECT_FALSE(ServerPvc(program_, kPort6, 0, 35));
    EXPECT_TRUE(ServerPvc(program_, kPort7, 0, 35));
}

// A port's last enabled PVC is kept while the port's multicast channel is enabled; a disabled PVC beside it, one of two
// enabled PVCs and the PVC of a port whose channel is disabled may go.
TEST_F(PvcE2eTest, TheLastEnabledPvcBesideAnEnabledChannelIsKept)
{
    e2e::AddBasicServiceProfile(program_);
    e2e::AddChannelOnNorth1(program_, kPort1, 60, 301, 1, 1);
    e2e::AddChannelOnNorth1(program_, kPort2, 60, 301, 1, 1);
    e2e::AddChannelOnNorth1(program_, kPort6, 60, 301, 1, 2);
    const struct {
        const char* port;
        int vpi;
        int vci;
        bool kept;
    } rows[] = {
        {"1-2", 8, 35, true},  // the port's only enabled PVC, beside the disabled 0/40
        {"1-2", 0, 40, false}, // the disabled one
        {"1-1", 0, 35, false}, // one of two enabled
        {"1-1", 8, 35, true},  // now the last
        {"1-6", 0, 35, false}, // the channel is disabled
    };
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        for (const auto& row : rows) {
            const QString port = QString::fromLatin1(row.port);
            const size_t boxes = person.boxTexts.size();
            program_.ClickListRow(list, RowOfPvc(list, port, row.vpi, row.vci));
            person.AnswerBox(IDYES);
            Click(dialog, kDeleteButtonId);
            person.ForgetBoxAnswers();
            EXPECT_EQ(RowOfPvc(list, port, row.vpi, row.vci) != -1, row.kept) << row.port << " " << row.vpi;
            EXPECT_EQ(person.boxTexts.size(), boxes + (row.kept ? 0 : 1)) << "asked only when not kept";
            if (row.kept) {
                EXPECT_EQ(MessageLine(dialog), QStringLiteral("Fail to delete data. There is an enabled MCAU and only "
                                                              "this active PVC on this port."));
            }
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
    EXPECT_TRUE(ServerPvc(program_, kPort2, 8, 35));
    EXPECT_TRUE(ServerPvc(program_, kPort1, 8, 35));
    EXPECT_FALSE(ServerPvc(program_, kPort1, 0, 35));
}

// VC OAM Test is offered for a selected PVC that is up, not for one that is down; the other row commands are.
TEST_F(PvcE2eTest, TheOamTestIsOfferedOnlyOnAPvcThatIsUp)
{
    const auto outOfService = EncodeRecord(PvcRowStatusRec{kPort6, 0, 35, 2});
    server_test::CRawClient& probe = program_.ServerProbe();
    ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, kReqPvcRowStatus, kNorth1,
                                         {outOfService.begin(), outOfService.end()}, kPvcRowStatusRecSize)));
    program_.Operator().OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        const int up = RowOfPvc(list, QStringLiteral("1-1"), 0, 35);
        const int down = RowOfPvc(list, QStringLiteral("1-6"), 0, 35);
        EXPECT_EQ(ListColumn(list, column::kOperState).value(up), QStringLiteral("up"));
        EXPECT_EQ(ListColumn(list, column::kOperState).value(down), QStringLiteral("down"));
        program_.ClickListRow(list, up);
        EXPECT_TRUE(dialog.IsControlEnabled(List::kOamTestId));
        program_.ClickListRow(list, down);
        EXPECT_FALSE(dialog.IsControlEnabled(List::kOamTestId));
        EXPECT_TRUE(dialog.IsControlEnabled(kShowButtonId));
        EXPECT_TRUE(dialog.IsControlEnabled(List::kAclId));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
    EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u);
}

} // namespace
