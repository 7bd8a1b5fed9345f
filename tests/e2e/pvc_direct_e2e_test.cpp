// PVC provisioning in direct mode, on the simulated IPD-48 over SNMP: the VC-to-VLAN list of the NE reads its PVCs; a
// PVC created on a port is written into being and put in service by the NE; a second whose static IP range the first
// PVC holds is refused by the NE's own rule check with the numbered report, and nothing of it is written; the new PVC
// is deleted again.

#include "tests/e2e/support/e2e_harness.h"

#include "features/provisioning/pvcs/vc_vlan_columns.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"
#include "ui/framework/dialogs/ip_address_range_dlg.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCmdVcVlan = 33022;
using List = CXdslVcVlanListDlg;
using Setting = CXdslVcVlanSettingDlg;
using e2e::Choose;
using e2e::Click;
using e2e::ListColumn;
using e2e::Type;
namespace column = vc_vlan_column;

int RowOfPvc(const QTreeView& list, const QString& port, int vci)
{
    const QStringList ports = ListColumn(list, column::kSlotPort);
    const QStringList vcis = ListColumn(list, column::kVci);
    for (int row = 0; row < ports.size(); ++row) {
        if (ports[row] == port && vcis[row] == QString::number(vci))
            return row;
    }
    return -1;
}

void DescribeNewPvc(Setting& setting, int vci)
{
    Type(setting, Setting::kVciId, QString::number(vci));
    setting.SelectPage(&setting.IpTrafficPage());
    Choose(setting.IpTrafficPage(), CVcVlanIpTrafficPage::kProfileId, QStringLiteral("office"));
    setting.SelectPage(&setting.VlanPage());
    Type(setting.VlanPage(), CVcVlanIdPage::kVlanId, QStringLiteral("300"));
    setting.SelectPage(&setting.MacLimitPage());
    Choose(setting.MacLimitPage(), CVcVlanMacLimitPage::kMacLimitId, QStringLiteral("8"));
}

TEST(PvcDirectE2eTest, APvcIsCreatedCheckedByTheNeAndDeleted)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        const int first = RowOfPvc(list, QStringLiteral("1-1-1"), 35);
        EXPECT_NE(first, -1);
        EXPECT_NE(RowOfPvc(list, QStringLiteral("1-1-2"), 35), -1);

        // Port 1-1-1 takes a second PVC, transparent.
        person.OnDialog<Setting>([&](Setting& setting) {
            DescribeNewPvc(setting, 40);
            Click(setting, IDOK);
            EXPECT_TRUE(setting.IsEnded()) << e2e::MessageLine(setting).toStdString();
        });
        program.ClickListRow(list, first);
        Click(dialog, kAddButtonId);
        const int added = RowOfPvc(list, QStringLiteral("1-1-1"), 40);
        EXPECT_NE(added, -1);
        if (added >= 0) {
            EXPECT_EQ(ListColumn(list, column::kOperState)[added], QStringLiteral("up"));
            EXPECT_EQ(ListColumn(list, column::kConfiguredServiceType)[added], QStringLiteral("Transparent"));
        }

        // A static range inside PVC 1-1-1 0/35's: the NE names it.
        person.OnDialog<Setting>([&](Setting& setting) {
            DescribeNewPvc(setting, 41);
            CVcVlanServiceTypePage& service = setting.ServiceTypePage();
            setting.SelectPage(&service);
            Choose(service, CVcVlanServiceTypePage::kServiceTypeId, QStringLiteral("static IP"));
            person.OnDialog<CIpAddressRangeDlg>([&](CIpAddressRangeDlg& range) {
                Type(range, CIpAddressRangeDlg::kAddressId, QStringLiteral("198.51.100.9"));
                Type(range, CIpAddressRangeDlg::kCountId, QStringLiteral("2"));
                Click(range, IDOK);
            });
            Click(service, kAddButtonId);
            Click(setting, IDOK);
            EXPECT_FALSE(person.boxTexts.empty());
            if (!person.boxTexts.empty()) {
                EXPECT_EQ(person.LastBoxText(),
                          QStringLiteral("Error  1: Static-IP is invalid, reserved or conflicts with the following "
                                         "PVCs:\n               Total conflict PVCs: 1\n               line port "
                                         "1-1-1, PVC 0/35\n"));
            }
            EXPECT_FALSE(setting.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-1-1"), 41), -1);

        // The new PVC goes again.
        program.ClickListRow(list, RowOfPvc(list, QStringLiteral("1-1-1"), 40));
        person.AnswerBox(IDYES);
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-1-1"), 40), -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdVcVlan));

    // What the NE holds now, read anew.
    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_NE(RowOfPvc(list, QStringLiteral("1-1-1"), 35), -1);
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-1-1"), 40), -1);
        EXPECT_EQ(RowOfPvc(list, QStringLiteral("1-1-1"), 41), -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdVcVlan));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
