// The ARP proxy and the upstream CoS mapping in the running program: the operator switches the ARP proxy and sets
// its life time within its range, lists its entries per line card or port and those of the trunk ports (none while
// it is off), and maps the user priorities to upstream queues and DSCP re-marking, against the simulated server; the
// server's refusals reach the operator as failure boxes.

#include "tests/e2e/support/e2e_harness.h"

#include "core/entity/entity_id.h"
#include "features/provisioning/arp_proxy/adsl_arp_proxy_list_dlg.h"
#include "features/provisioning/arp_proxy/arp_proxy_setting_dlg.h"
#include "features/provisioning/arp_proxy/trunk_arp_proxy_list_dlg.h"
#include "features/provisioning/cos/cos_mapping_dlg.h"
#include "link/records/arp_proxy_entry_rec.h"
#include "link/records/arp_proxy_setting_rec.h"
#include "link/records/cos_mapping_rec.h"
#include "sim/server/sim_control.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QTreeView>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int kCmdArpSetting = 33220;
constexpr int kCmdAdslArpList = 33218;
constexpr int kCmdTrunkArpList = 33219;
constexpr int kCmdCosMapping = 33169;
constexpr uint32_t kTrunkPort2 = 10502; // North-1's trunk port GE2
constexpr uint32_t kCardPort2 = 10102;  // port 1-2 of North-1's first line card
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::Type;
using Setting = CArpProxySettingDlg;
using AdslList = CAdslArpProxyListDlg;
using TrunkList = CTrunkArpProxyListDlg;
using Cos = CCosMappingDlg;

template <typename Rec> std::vector<uint8_t> Bytes(const Rec& rec)
{
    const auto encoded = EncodeRecord(rec);
    return {encoded.begin(), encoded.end()};
}

void SendToServer(e2e::CProgram& program, uint16_t code, const std::vector<uint8_t>& record)
{
    server_test::CRawClient& probe = program.ServerProbe();
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, code, code == kReqSimControl ? 0 : 1, record, static_cast<uint32_t>(record.size()))));
}

void RefuseNext(e2e::CProgram& program, uint32_t action, uint16_t code)
{
    SendToServer(program, kReqSimControl, Bytes(SimControlRec{action, code, 0, 0}));
}

// The operator leaves a field: it loses the focus.
void Leave(CDialog& dialog, int id)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(dialog.GetDlgItem(id), &out);
}

ArpProxySettingRec ServerArp(e2e::CProgram& program)
{
    const std::vector<ArpProxySettingRec> records = program.ServerRecords(kReqArpProxy, 1);
    return records.empty() ? ArpProxySettingRec{} : records.front();
}

TEST(ArpProxyCosE2eTest, TheArpProxyIsSwitchedWithItsLifeTimeInRange)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<Setting>([&](Setting& arp) {
        EXPECT_TRUE(e2e::IsChecked(arp, Setting::kEnabledRadioId));
        EXPECT_EQ(Field(arp, Setting::kLifeTimeId), QStringLiteral("600"));
        EXPECT_EQ(Field(arp, Setting::kAgingTimeId), QStringLiteral("300"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(arp, QStringLiteral("arp_proxy_setting")));
        // Leaving the life time brings it into its range, the aging time with it.
        Type(arp, Setting::kLifeTimeId, QStringLiteral("10"));
        Leave(arp, Setting::kLifeTimeId);
        EXPECT_EQ(Field(arp, Setting::kLifeTimeId), QStringLiteral("20"));
        EXPECT_EQ(Field(arp, Setting::kAgingTimeId), QStringLiteral("10"));
        Type(arp, Setting::kLifeTimeId, QStringLiteral("90000"));
        Leave(arp, Setting::kLifeTimeId);
        EXPECT_EQ(Field(arp, Setting::kLifeTimeId), QStringLiteral("86400"));
        EXPECT_EQ(Field(arp, Setting::kAgingTimeId), QStringLiteral("43200"));
        // Typed and not left, a life time one past either bound is refused at OK.
        for (const char* typed : {"19", "86401"}) {
            Type(arp, Setting::kLifeTimeId, QString::fromLatin1(typed));
            Click(arp, IDOK);
            EXPECT_EQ(e2e::MessageLine(arp), QStringLiteral("Life Time should be between 0 and 86400.")) << typed;
            EXPECT_FALSE(arp.IsEnded()) << typed;
        }
        EXPECT_EQ(ServerArp(program).lifeSeconds, 600u);
        Type(arp, Setting::kLifeTimeId, QStringLiteral("86400"));
        Check(arp, Setting::kDisabledRadioId);
        Click(arp, IDOK);
        EXPECT_TRUE(arp.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdArpSetting));
    EXPECT_EQ(ServerArp(program), (ArpProxySettingRec{2, 43200, 86400}));
    // The least life time is taken too.
    person.OnDialog<Setting>([&](Setting& arp) {
        Type(arp, Setting::kLifeTimeId, QStringLiteral("20"));
        Click(arp, IDOK);
        EXPECT_TRUE(arp.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdArpSetting));
    EXPECT_EQ(ServerArp(program), (ArpProxySettingRec{2, 10, 20}));

    // Disabled: the lists show no entry, and the trunk's asks for none.
    person.OnDialog<TrunkList>([&](TrunkList& trunk) {
        EXPECT_EQ(Field(trunk, TrunkList::kStateId), QStringLiteral("disabled"));
        EXPECT_TRUE(e2e::ListColumn(*trunk.FindList(kListControlId), TrunkList::kIpColumn).isEmpty());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdTrunkArpList));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST(ArpProxyCosE2eTest, TheEntriesOfALineCardOrPortAndOfTheTrunkPortsAreListed)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<AdslList>([&](AdslList& arp) {
        QTreeView& list = *arp.FindList(kListControlId);
        EXPECT_EQ(Field(arp, AdslList::kStateId), QStringLiteral("enabled"));
        EXPECT_FALSE(arp.IsControlEnabled(AdslList::kShelfComboId)) << "one shelf";
        EXPECT_EQ(Field(arp, AdslList::kPortComboId), QStringLiteral(" <ALL>"));
        EXPECT_EQ(e2e::ListColumn(list, AdslList::kSlotPortColumn).join(','), QStringLiteral("1-1,1-3,1-5,1-7"));
        EXPECT_EQ(e2e::ListColumn(list, AdslList::kIpColumn).value(0), QStringLiteral(" 10.  1.100. 21"));
        EXPECT_EQ(e2e::ListColumn(list, AdslList::kFlagColumn).value(2), QStringLiteral("static"));
        EXPECT_EQ(e2e::ListColumn(list, AdslList::kPacketTypeColumn).value(0), QStringLiteral("DHCP"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(arp, QStringLiteral("adsl_arp_proxy_list")));
        // Its VLAN IDs sort as numbers: VLAN 9 before 100.
        ArpProxyEntryRec learnt;
        learnt.selector = GetParentEntityId(kCardPort2);
        learnt.portId = kCardPort2;
        learnt.ipAddress = {10, 1, 100, 77};
        learnt.vlanId = 9;
        SendToServer(program, kReqArpProxyEntry, Bytes(learnt));
        Click(arp, kRefreshButtonId);
        e2e::CProgram::ClickHeader(*list.header(), AdslList::kVlanColumn);
        EXPECT_EQ(e2e::ListColumn(list, AdslList::kVlanColumn).join(','), QStringLiteral("9,100,100,100,100"));
        // Its numbers sort as numbers: ten rows, 10 after 9.
        learnt.portId = kCardPort2 + 2; // port 1-4
        for (uint8_t last = 80; last < 85; ++last) {
            learnt.ipAddress = {10, 1, 100, last};
            learnt.vlanId = 100;
            SendToServer(program, kReqArpProxyEntry, Bytes(learnt));
        }
        Click(arp, kRefreshButtonId);
        e2e::CProgram::ClickHeader(*list.header(), AdslList::kNumberColumn);
        EXPECT_EQ(e2e::ListColumn(list, AdslList::kNumberColumn).join(','), QStringLiteral("1,2,3,4,5,6,7,8,9,10"));
        // One port of the card; the list follows at Refresh.
        EXPECT_TRUE(Choose(arp, AdslList::kPortComboId, QStringLiteral("5")));
        Click(arp, kRefreshButtonId);
        EXPECT_EQ(e2e::ListColumn(list, AdslList::kSlotPortColumn).join(','), QStringLiteral("1-5"));

        RefuseNext(program, kSimRefuseNextRequest, kReqArpProxyEntry);
        Click(arp, kRefreshButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
        EXPECT_TRUE(e2e::ListColumn(list, AdslList::kIpColumn).isEmpty());
        EXPECT_FALSE(arp.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAdslArpList));

    person.OnDialog<TrunkList>([&](TrunkList& trunk) {
        QTreeView& list = *trunk.FindList(kListControlId);
        // Trunk port 1's entries first.
        EXPECT_EQ(e2e::ListColumn(list, TrunkList::kSlotPortColumn).join(','), QStringLiteral("GE1,GE2"));
        EXPECT_EQ(e2e::ListColumn(list, TrunkList::kIpColumn).value(0), QStringLiteral(" 10.  1.  1.254"));
        EXPECT_EQ(e2e::ListColumn(list, TrunkList::kMacColumn).value(0), QStringLiteral("02:1c:7e:3a:10:00"));
        EXPECT_EQ(e2e::ListColumn(list, TrunkList::kVlanColumn).value(1), QStringLiteral("4092"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(trunk, QStringLiteral("trunk_arp_proxy_list")));

        // Its columns other than the addresses sort by their texts: VLAN 9 after 4092.
        ArpProxyEntryRec learnt;
        learnt.selector = 2;
        learnt.portId = kTrunkPort2;
        learnt.ipAddress = {10, 1, 1, 77};
        learnt.vlanId = 9;
        SendToServer(program, kReqArpProxyEntry, Bytes(learnt));
        Click(trunk, kRefreshButtonId);
        EXPECT_EQ(e2e::ListColumn(list, TrunkList::kVlanColumn).size(), 3);
        e2e::CProgram::ClickHeader(*list.header(), TrunkList::kVlanColumn);
        EXPECT_EQ(e2e::ListColumn(list, TrunkList::kVlanColumn).join(','), QStringLiteral("4092,4092,9"));
        // Its numbers too: ten rows, 10 after 1.
        for (uint8_t last = 80; last < 87; ++last) {
            learnt.ipAddress = {10, 1, 1, last};
            SendToServer(program, kReqArpProxyEntry, Bytes(learnt));
        }
        Click(trunk, kRefreshButtonId);
        e2e::CProgram::ClickHeader(*list.header(), TrunkList::kNumberColumn);
        EXPECT_EQ(e2e::ListColumn(list, TrunkList::kNumberColumn).join(','), QStringLiteral("1,10,2,3,4,5,6,7,8,9"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdTrunkArpList));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST(ArpProxyCosE2eTest, UserPrioritiesAreMappedToUpstreamQueuesAndDscpCodes)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<Cos>([&](Cos& cos) {
        EXPECT_EQ(Field(cos, Cos::kFirstQueueComboId), QStringLiteral("3"));
        EXPECT_EQ(Field(cos, Cos::kFirstQueueComboId + 7), QStringLiteral("8"));
        EXPECT_EQ(e2e::ComboTexts(cos, Cos::kFirstQueueComboId + 4), QStringLiteral("1,2,3,4,5,6,7,8"));
        EXPECT_EQ(e2e::ComboTexts(cos, Cos::kFirstDscpComboId + 5),
                  QStringLiteral("Expedited Forwarding,AF11,AF12,AF13,AF21,AF22,AF23,AF31,AF32,AF33,AF41,AF42,AF43,"
                                 "Best Effort"));
        // The NE's codes 0, 0, 1, 4, 7, 10, 13, 13.
        QStringList shown;
        for (int p = 0; p < 8; ++p)
            shown.push_back(Field(cos, Cos::kFirstDscpComboId + p));
        EXPECT_EQ(shown.join(','), QStringLiteral("Best Effort,Best Effort,AF11,AF21,AF31,AF41,Expedited Forwarding,"
                                                  "Expedited Forwarding"));
        EXPECT_TRUE(e2e::IsChecked(cos, Cos::kEnabledRadioId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(cos, QStringLiteral("cos_mapping")));
        EXPECT_TRUE(Choose(cos, Cos::kFirstQueueComboId, QStringLiteral("8")));
        // The other eight codes, one per priority.
        const char* const chosen[] = {"AF12", "AF13", "AF22", "AF23", "AF32", "AF33", "AF42", "AF43"};
        for (int p = 0; p < 8; ++p)
            EXPECT_TRUE(Choose(cos, Cos::kFirstDscpComboId + p, QString::fromLatin1(chosen[p]))) << p;
        Check(cos, Cos::kDisabledRadioId);
        RefuseNext(program, kSimRefuseNextChange, kReqCosMapping);
        Click(cos, IDOK);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_FALSE(cos.IsEnded());
        Click(cos, IDOK);
        EXPECT_TRUE(cos.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdCosMapping));
    const std::vector<CosMappingRec> kept = program.ServerRecords(kReqCosMapping, 1);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept.front().queues, (std::array<uint8_t, 8>{8, 1, 2, 4, 5, 6, 7, 8}));
    EXPECT_EQ(kept.front().dscp, (std::array<uint32_t, 8>{2, 3, 5, 6, 8, 9, 11, 12}));
    EXPECT_EQ(kept.front().dscpRemapping, 0u);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// Before the NE answers (its query refused) the two settings show the values they start with: the ARP proxy
// disabled, life time 600 and aging time 300; the user priorities 0..7 on queues 3, 1, 2, 4, 5, 6, 7, 8, each
// re-marked "Best Effort".
TEST(ArpProxyCosE2eTest, TheSettingsShowTheirStartingValuesWhenTheQueryIsRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<Setting>([&](Setting& arp) {
        EXPECT_TRUE(e2e::IsChecked(arp, Setting::kDisabledRadioId));
        EXPECT_EQ(Field(arp, Setting::kLifeTimeId), QStringLiteral("600"));
        EXPECT_EQ(Field(arp, Setting::kAgingTimeId), QStringLiteral("300"));
    });
    RefuseNext(program, kSimRefuseNextRequest, kReqArpProxy);
    ASSERT_TRUE(program.Command(kCmdArpSetting));

    const char* const queues[] = {"3", "1", "2", "4", "5", "6", "7", "8"};
    person.OnDialog<Cos>([&](Cos& cos) {
        for (int priority = 0; priority < 8; ++priority) {
            SCOPED_TRACE(priority);
            EXPECT_EQ(Field(cos, Cos::kFirstQueueComboId + priority), QString::fromLatin1(queues[priority]));
            EXPECT_EQ(Field(cos, Cos::kFirstDscpComboId + priority), QStringLiteral("Best Effort"));
        }
    });
    RefuseNext(program, kSimRefuseNextRequest, kReqCosMapping);
    ASSERT_TRUE(program.Command(kCmdCosMapping));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

} // namespace
