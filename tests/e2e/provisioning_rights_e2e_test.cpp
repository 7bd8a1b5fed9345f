// The rights of the xDSL provisioning commands that need the NE's rows or values (the VC-to-VLAN list, a PVC's source
// MACs, the DHCP broadcast control) in the running program (rights_steps.h): for each right a command checks, an
// operator whose role holds exactly the letter below it on that function is refused ("No privilege" on the message
// line, the dialog closes at once, or its button stays off), and one who holds the letter gets through. The NE each
// command's requests go to is read at the wire.

#include "tests/e2e/support/rights_steps.h"
#include "tests/e2e/support/sent_requests.h"

#include "features/provisioning/dhcp/dhcp_broadcast_control_dlg.h"
#include "features/provisioning/pvcs/vc_vlan_columns.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/source_macs/xdsl_acl_list_dlg.h"
#include "features/provisioning/source_macs/xdsl_vc_vlan_acl_list_dlg.h"
#include "platform/list_control.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

using e2e::Click;
using e2e::Enabling;
using e2e::FirstRow;
using e2e::kNoPrivilege;
using e2e::MessageLine;
using e2e::Opening;
using e2e::Path;
using e2e::Pressing;
using e2e::RightCase;
using Pvcs = CXdslVcVlanListDlg;
constexpr int kCmdVcVlan = 33022;
constexpr int kCmdAccessControlList = 33167;
constexpr int kCmdBroadcastControl = 33182;

class ProvisioningRightsE2eTest : public e2e::CRightsTest {};

// VC OAM Test on the first PVC whose line is up (the button stays off for the others).
bool OamTesting(e2e::CProgram& program)
{
    bool refused = false;
    program.Operator().OnDialog<Pvcs>([&](Pvcs& pvcs) {
        QTreeView& list = *pvcs.FindList(kListControlId);
        for (int row = 0; row < CListControl(&list).GetItemCount() && !pvcs.IsControlEnabled(Pvcs::kOamTestId); ++row)
            program.ClickListRow(list, row);
        EXPECT_TRUE(pvcs.IsControlEnabled(Pvcs::kOamTestId));
        pvcs.ClearMessageLine();
        Click(pvcs, Pvcs::kOamTestId);
        refused = !pvcs.IsEnded() && MessageLine(pvcs) == kNoPrivilege;
        return IDCANCEL;
    });
    EXPECT_TRUE(e2e::RunCommand(program, kCmdVcVlan));
    return refused;
}

// Delete of the first source MAC of the PVC on port 1-6, whose list the VC-to-VLAN list opens.
bool DeletingASourceMac(e2e::CProgram& program)
{
    bool refused = false;
    program.Operator().OnDialog<Pvcs>([&](Pvcs& pvcs) {
        QTreeView& list = *pvcs.FindList(kListControlId);
        program.ClickListRow(list, e2e::RowOf(list, vc_vlan_column::kSlotPort, QStringLiteral("1-6")));
        program.Operator().OnDialog<CXdslVcVlanAclListDlg>([&](CXdslVcVlanAclListDlg& macs) {
            program.ClickListRow(*macs.FindList(kListControlId), 0);
            macs.ClearMessageLine();
            program.Operator().AnswerBox(IDNO);
            Click(macs, kDeleteButtonId);
            refused = MessageLine(macs) == kNoPrivilege;
        });
        Click(pvcs, Pvcs::kAclId);
        return IDCANCEL;
    });
    EXPECT_TRUE(e2e::RunCommand(program, kCmdVcVlan));
    return refused;
}

TEST_F(ProvisioningRightsE2eTest, TheVcToVlanListTheSourceMacsAndTheBroadcastControlAskTheirRights)
{
    const RightCase cases[] = {
        {"VC-to-VLAN list", 28, 'q', Opening<Pvcs>(kCmdVcVlan)},
        {"VC-to-VLAN Delete", 28, 'd', Pressing<Pvcs>(kCmdVcVlan, kDeleteButtonId, FirstRow)},
        {"VC-to-VLAN VC OAM Test", 28, 'x', OamTesting},
        {"Access control list", 47, 'q', Opening<CXdslAclListDlg>(kCmdAccessControlList)},
        {"Source MAC Delete", 47, 'd', DeletingASourceMac},
        {"DHCP broadcast control", 43, 'q', Opening<CDhcpBroadcastControlDlg>(kCmdBroadcastControl)},
        {"DHCP broadcast control OK", 43, 'm', Enabling<CDhcpBroadcastControlDlg>(kCmdBroadcastControl, IDOK)},
    };
    RunCases(cases, std::size(cases));
}

// Each command's requests as they go: the NE's own records to the NE chosen (North-1), each with the operation its
// dialog gives it.
TEST_F(ProvisioningRightsE2eTest, EachCommandsRequestsGoToTheNeTheyName)
{
    const struct {
        const char* what;
        int command;
        int code;
        const char* sent; // the first request of the code
    } rows[] = {
        {"VC-to-VLAN list: the PVCs", kCmdVcVlan, 410, "op=1 ne=1 code=410"},
        {"access control list: the source MACs", kCmdAccessControlList, 520, "op=1 ne=1 code=520"},
        {"DHCP setting", 33158, 500, "op=1 ne=1 code=500"},
        {"DHCP setting: are there relay servers", 33158, 502, "op=1 ne=1 code=502"},
        {"DHCP relay servers", 33159, 502, "op=1 ne=1 code=502"},
        {"agent IDs", 33160, 501, "op=1 ne=1 code=501"},
        {"DHCP broadcast control", kCmdBroadcastControl, 505, "op=1 ne=1 code=505"},
        {"RSTP setting: the ports", 33166, 715, "op=1 ne=1 code=715"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const qsizetype before = e2e::SentRequests(program_, row.code).size();
        program_.Operator().OnDialog<CADialog>([](CADialog&) { return IDCANCEL; });
        ASSERT_TRUE(e2e::RunCommand(program_, row.command));
        // The log window shows a request a moment after it went.
        program_.WaitUntil([&] { return e2e::SentRequests(program_, row.code).size() > before; }, 5000);
        EXPECT_EQ(e2e::SentRequests(program_, row.code).value(before), QString::fromLatin1(row.sent));
    }
}

} // namespace
