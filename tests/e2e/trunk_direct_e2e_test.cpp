// The trunk side in direct mode: the simulated NE answers every dialog of it through its private subtree, its trunk
// ports, their counters, VLANs, spanning tree, LACP state, transceivers, ARP proxy entries and CoS mapping, and takes
// what the operator writes.

#include "tests/e2e/support/direct_ne_test.h"

#include "features/performance/pm/trunk_port_pm_dlg.h"
#include "features/provisioning/arp_proxy/adsl_arp_proxy_list_dlg.h"
#include "features/provisioning/arp_proxy/arp_proxy_setting_dlg.h"
#include "features/provisioning/arp_proxy/trunk_arp_proxy_list_dlg.h"
#include "features/provisioning/cos/cos_mapping_dlg.h"
#include "features/provisioning/link_agg/link_agg_status_dlg.h"
#include "features/provisioning/link_agg/static_link_agg_dlg.h"
#include "features/provisioning/rstp/rstp_status_dlg.h"
#include "features/provisioning/sfp/sfp_info_dlg.h"
#include "features/provisioning/trunk/manual_vlan_dlg.h"
#include "features/provisioning/trunk/trunk_port_dlg.h"
#include "features/provisioning/trunk/trunk_port_list_dlg.h"
#include "features/provisioning/trunk/trunk_vlan_list_dlg.h"

#include <QHeaderView>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using List = CTrunkPortListDlg;

class TrunkDirectE2eTest : public e2e::CDirectNeTest {};

TEST_F(TrunkDirectE2eTest, TheNeAnswersTheTrunkSideThroughItsPrivateSubtree)
{
    e2e::COperator& person = program_.Operator();

    // The trunk ports; trunk port 2 disabled, then read back as the NE keeps it, and its counters.
    person.OnDialog<List>([&](List& ports) {
        EXPECT_EQ(ListColumn(ports, List::kSlotPortColumn).size(), 2);
        EXPECT_EQ(ListColumn(ports, List::kSpeedColumn).join(','), QStringLiteral("1 G,N/A"));
        program_.ClickListRow(*ports.FindList(kListControlId), 1);
        person.OnDialog<CTrunkPortDlg>([&](CTrunkPortDlg& port) {
            Check(port, CTrunkPortDlg::kDisabledRadioId);
            person.AnswerBox(IDYES);
            Click(port, IDOK);
            EXPECT_TRUE(port.IsEnded());
        });
        Click(ports, kModifyButtonId);
        Click(ports, kRefreshButtonId);
        EXPECT_EQ(ListColumn(ports, List::kAdminColumn).join(','), QStringLiteral("enabled,disabled"));
        EXPECT_EQ(ListColumn(ports, List::kMediumColumn).join(','), QStringLiteral("fiber,fiber"));
        // "enabled" and "disabled" start with no number: sorting by the column leaves the rows as they are.
        e2e::CProgram::ClickHeader(*ports.FindList(kListControlId)->header(), List::kAdminColumn);
        EXPECT_EQ(ListColumn(ports, List::kAdminColumn).join(','), QStringLiteral("enabled,disabled"));

        program_.ClickListRow(*ports.FindList(kListControlId), 0);
        person.OnDialog<CTrunkPortPmDlg>([&](CTrunkPortPmDlg& pm) {
            EXPECT_GT(ListColumn(pm, CTrunkPortPmDlg::kIncomingColumn).value(0).toULongLong(), 0u);
            EXPECT_EQ(person.boxTexts.size(), 1u) << "no failure";
            return IDCANCEL;
        });
        Click(ports, List::kPmButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33173));

    // Trunk port 2's VLANs: written in the grid, read in the list.
    person.OnDialog<CManualVlanDlg>([&](CManualVlanDlg& grid) {
        EXPECT_TRUE(grid.IsControlEnabled(IDOK));
        program_.ClickListRow(*grid.FindList(kListControlId), 49, CManualVlanDlg::kFirstVlanColumn + 9); // VLAN 500
        Click(grid, IDOK);
        EXPECT_TRUE(grid.IsEnded());
    });
    ASSERT_TRUE(program_.Command(33200));
    person.OnDialog<CTrunkVlanListDlg>([&](CTrunkVlanListDlg& vlans) {
        EXPECT_TRUE(Choose(vlans, CTrunkVlanListDlg::kPortComboId, QStringLiteral("GE2")));
        Click(vlans, kRefreshButtonId);
        EXPECT_EQ(ListColumn(vlans, 0).join(','), QStringLiteral("100,500"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33201));

    person.OnDialog<CRstpStatusDlg>([&](CRstpStatusDlg& status) {
        EXPECT_EQ(Field(status, CRstpStatusDlg::kStateId), QStringLiteral("enabled"));
        EXPECT_EQ(ListColumn(status.PortPage(1), 1).value(6), QStringLiteral("forwarding"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33165));
    person.OnDialog<CLinkAggStatusDlg>([&](CLinkAggStatusDlg& status) {
        EXPECT_EQ(ListColumn(status.PortPage(1), 1).value(6), QStringLiteral("A,G,S,C,D"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33163));
    // Static link aggregation: one switch, written as chosen.
    person.OnDialog<CStaticLinkAggDlg>([&](CStaticLinkAggDlg& simple) {
        EXPECT_TRUE(e2e::IsChecked(simple, CStaticLinkAggDlg::kDisabledRadioId));
        Check(simple, CStaticLinkAggDlg::kEnabledRadioId);
        Click(simple, IDOK);
        EXPECT_TRUE(simple.IsEnded()) << e2e::MessageLine(simple).toStdString();
    });
    ASSERT_TRUE(program_.Command(33183));
    person.OnDialog<CStaticLinkAggDlg>([&](CStaticLinkAggDlg& simple) {
        EXPECT_TRUE(e2e::IsChecked(simple, CStaticLinkAggDlg::kEnabledRadioId));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33183));
    person.OnDialog<CSfpInfoDlg>([&](CSfpInfoDlg& sfp) {
        EXPECT_EQ(ListColumn(sfp.PortPage(1), 1).value(3), QStringLiteral("1000BASE-LX"));
        EXPECT_EQ(ListColumn(sfp.PortPage(2), 1).value(19), QStringLiteral("850 nm"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33199));

    // The ARP proxy entries of trunk port 1 first, then of trunk port 2; those of the first line card.
    person.OnDialog<CTrunkArpProxyListDlg>([&](CTrunkArpProxyListDlg& arp) {
        EXPECT_EQ(ListColumn(arp, CTrunkArpProxyListDlg::kSlotPortColumn).join(','), QStringLiteral("GE1,GE2"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33219));
    person.OnDialog<CAdslArpProxyListDlg>([&](CAdslArpProxyListDlg& arp) {
        const QStringList ports = ListColumn(arp, CAdslArpProxyListDlg::kSlotPortColumn);
        EXPECT_EQ(ports.size(), 4);
        EXPECT_TRUE(ports.value(0).startsWith(QStringLiteral("1-1-"))) << ports.join(',').toStdString();
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33218));

    // The ARP proxy setting: its life time and state written and read back, the aging time half the life time.
    person.OnDialog<CArpProxySettingDlg>([&](CArpProxySettingDlg& arp) {
        EXPECT_TRUE(e2e::IsChecked(arp, CArpProxySettingDlg::kEnabledRadioId));
        e2e::Type(arp, CArpProxySettingDlg::kLifeTimeId, QStringLiteral("1201"));
        Check(arp, CArpProxySettingDlg::kDisabledRadioId);
        Click(arp, IDOK);
        EXPECT_TRUE(arp.IsEnded()) << e2e::MessageLine(arp).toStdString();
    });
    ASSERT_TRUE(program_.Command(33220));
    person.OnDialog<CArpProxySettingDlg>([&](CArpProxySettingDlg& arp) {
        EXPECT_TRUE(e2e::IsChecked(arp, CArpProxySettingDlg::kDisabledRadioId));
        EXPECT_EQ(Field(arp, CArpProxySettingDlg::kLifeTimeId), QStringLiteral("1201"));
        EXPECT_EQ(Field(arp, CArpProxySettingDlg::kAgingTimeId), QStringLiteral("600"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33220));

    person.OnDialog<CCosMappingDlg>([&](CCosMappingDlg& cos) {
        EXPECT_EQ(Field(cos, CCosMappingDlg::kFirstDscpComboId + 6), QStringLiteral("Expedited Forwarding"));
        EXPECT_TRUE(Choose(cos, CCosMappingDlg::kFirstQueueComboId + 1, QStringLiteral("7")));
        Click(cos, IDOK);
        EXPECT_TRUE(cos.IsEnded());
    });
    ASSERT_TRUE(program_.Command(33169));
    person.OnDialog<CCosMappingDlg>([&](CCosMappingDlg& cos) {
        EXPECT_EQ(Field(cos, CCosMappingDlg::kFirstQueueComboId + 1), QStringLiteral("7"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(33169));
    EXPECT_EQ(person.boxTexts.size(), 1u) << "the question of disabling the port, and no failure";
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

} // namespace
