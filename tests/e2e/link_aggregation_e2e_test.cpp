// Link aggregation of the trunk ports in the running program: the operator reads the LACP state of each port,
// switches the aggregation between LACP, static and off, is refused aggregation in the setting while trunk port 2
// subtends (the static dialog's one switch is written as chosen), and without the modify right only reads, against
// the simulated server.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/link_agg/link_agg_setting_dlg.h"
#include "features/provisioning/link_agg/link_agg_status_dlg.h"
#include "features/provisioning/link_agg/static_link_agg_dlg.h"
#include "link/records/link_aggregation_rec.h"
#include "link/records/trunk_port_mode_rec.h"
#include "link/records/user_rights_record.h"
#include "link/records/word_record.h"
#include "sim/server/sim_control.h"

#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdLinkAggregation = 33161;
constexpr int kCmdStaticLinkAggregation = 33183;
constexpr int kCmdLinkAggregationStatus = 33163;
constexpr uint32_t kPort2 = 10502;
using e2e::Check;
using e2e::Click;
using e2e::Field;
using Setting = CLinkAggSettingDlg;

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

void MakePort2Subtend(e2e::CProgram& program)
{
    SendToServer(program, kReqTrunkPortMode, Bytes(TrunkPortModeRec{kPort2, 0}));
}

LinkAggregationRec ServerSetting(e2e::CProgram& program)
{
    const std::vector<LinkAggregationRec> records = program.ServerRecords(kReqLinkAggregation, 1);
    return records.empty() ? LinkAggregationRec{} : records.front();
}

QString Value(CItemValuePage& page, int row)
{
    return e2e::ListColumn(*page.FindList(kListControlId), 1).value(row);
}

// The LACP settings are offered only under LACP: the system priority, each group's activity and timeout, and each
// port's group and priority.
void ExpectLacpSettingsOffered(Setting& setting, bool offered)
{
    EXPECT_EQ(setting.IsControlEnabled(Setting::kSystemPrioritySpinId), offered);
    EXPECT_EQ(setting.IsControlReadOnly(Setting::kSystemPriorityId), !offered);
    for (const int group : {1, 2}) {
        for (const int id : {CLacpActivityPage::kActiveRadioId, CLacpActivityPage::kPassiveRadioId,
                             CLacpActivityPage::kLongRadioId, CLacpActivityPage::kShortRadioId})
            EXPECT_EQ(setting.GroupPage(group).IsControlEnabled(id), offered) << "group " << group << ": " << id;
    }
    for (const int port : {1, 2}) {
        CLacpGroupPage& page = setting.PortPage(port);
        EXPECT_EQ(page.IsControlEnabled(CLacpGroupPage::kGroupComboId), offered) << "port " << port;
        EXPECT_EQ(page.IsControlEnabled(CLacpGroupPage::kPrioritySpinId), offered) << "port " << port;
        EXPECT_EQ(page.IsControlReadOnly(CLacpGroupPage::kPriorityId), !offered) << "port " << port;
    }
}

TEST(LinkAggregationE2eTest, StaticAggregationPutsTrunkPort2InGroup1AndSubtendModeExcludesIt)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    LinkAggregationRec written = ServerSetting(program);
    ASSERT_EQ(written.group1Timeout + written.group2Timeout, 0u) << "both groups on the long timeout";
    ASSERT_EQ(written.group1Activity + written.group2Activity, 2u) << "both groups active";
    written.aggregationType = 3;
    written.group1Activity = 0;
    written.group2Timeout = 1;
    written.port2Group = 1;
    person.OnDialog<Setting>([&](Setting& setting) {
        EXPECT_TRUE(e2e::IsChecked(setting, Setting::kLacpRadioId));
        EXPECT_EQ(Field(setting, Setting::kSystemPriorityId), QStringLiteral("32768"));
        EXPECT_TRUE(e2e::IsChecked(setting.GroupPage(1), CLacpActivityPage::kActiveRadioId));
        EXPECT_EQ(e2e::ComboTexts(setting.PortPage(1), CLacpGroupPage::kGroupComboId), QStringLiteral("Group 1"));
        EXPECT_EQ(Field(setting.PortPage(2), CLacpGroupPage::kGroupComboId), QStringLiteral("Group 2"));
        ExpectLacpSettingsOffered(setting, true);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(setting, QStringLiteral("link_agg_setting")));
        // Group 1 turns passive, group 2 to the short timeout.
        Check(setting.GroupPage(1), CLacpActivityPage::kPassiveRadioId);
        Check(setting.GroupPage(2), CLacpActivityPage::kShortRadioId);

        // Static: trunk port 2 goes to group 1 at once, and the LACP controls are no longer offered.
        Check(setting, Setting::kStaticRadioId);
        EXPECT_EQ(Field(setting.PortPage(2), CLacpGroupPage::kGroupComboId), QStringLiteral("Group 1"));
        EXPECT_FALSE(setting.PortPage(2).IsControlEnabled(CLacpGroupPage::kGroupComboId));
        EXPECT_FALSE(setting.GroupPage(1).IsControlEnabled(CLacpActivityPage::kActiveRadioId));
        EXPECT_TRUE(setting.IsControlReadOnly(Setting::kSystemPriorityId));
        ExpectLacpSettingsOffered(setting, false);
        Click(setting, IDOK);
        EXPECT_TRUE(setting.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdLinkAggregation));
    // The rest is written as it was read.
    EXPECT_EQ(ServerSetting(program), written);

    // Trunk port 2 subtends: aggregating is refused; disabling asks the NE nothing and is written.
    MakePort2Subtend(program);
    person.OnDialog<Setting>([&](Setting& setting) {
        Check(setting, Setting::kLacpRadioId);
        Click(setting, IDOK);
        EXPECT_EQ(e2e::MessageLine(setting),
                  QStringLiteral("\"Subtending function\"  and \"Link Aggregation\" are exclusive"));
        EXPECT_EQ(ServerSetting(program).aggregationType, 3u);
        // Static aggregation is refused alike.
        Check(setting, Setting::kStaticRadioId);
        Click(setting, IDOK);
        EXPECT_FALSE(setting.IsEnded());
        EXPECT_EQ(e2e::MessageLine(setting),
                  QStringLiteral("\"Subtending function\"  and \"Link Aggregation\" are exclusive"));
        Check(setting, Setting::kDisabledRadioId);
        ExpectLacpSettingsOffered(setting, false);
        Click(setting, IDOK);
        EXPECT_TRUE(setting.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdLinkAggregation));
    EXPECT_EQ(ServerSetting(program).aggregationType, 2u);

    // The static dialog is one switch: it writes what is chosen, with no question about the subtend mode; the
    // server's refusal keeps the dialog open.
    person.OnDialog<CStaticLinkAggDlg>([&](CStaticLinkAggDlg& simple) {
        EXPECT_TRUE(e2e::IsChecked(simple, CStaticLinkAggDlg::kDisabledRadioId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(simple, QStringLiteral("static_link_agg")));
        Check(simple, CStaticLinkAggDlg::kEnabledRadioId);
        SendToServer(program, kReqSimControl,
                     Bytes(SimControlRec{kSimRefuseNextChange, kReqStaticLinkAggregation, 0, 0}));
        Click(simple, IDOK);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_FALSE(simple.IsEnded());
        Click(simple, IDOK);
        EXPECT_TRUE(simple.IsEnded()) << e2e::MessageLine(simple).toStdString();
    });
    ASSERT_TRUE(program.Command(kCmdStaticLinkAggregation));
    const std::vector<WordRecord> simple = program.ServerRecords(kReqStaticLinkAggregation, 1);
    ASSERT_EQ(simple.size(), 1u);
    EXPECT_EQ(simple.front().value, 1u);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST(LinkAggregationE2eTest, AnOperatorWithoutTheModifyRightOnlyReadsTheSetting)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    // The managers may read the link aggregation, not change it.
    std::vector<UserRightsRecord> rights = program.ServerRecords(kReqUserRights);
    ASSERT_EQ(rights.size(), 1u);
    std::string& managers = rights.front().rights[1];
    managers.resize(kRightLinkAggregation + 1, '-');
    managers[kRightLinkAggregation] = 'q';
    SendToServer(program, kReqUserRights, Bytes(rights.front()));
    ASSERT_TRUE(program.Login("manager", "manager"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<Setting>([&](Setting& setting) {
        EXPECT_TRUE(e2e::IsChecked(setting, Setting::kLacpRadioId));
        EXPECT_FALSE(setting.IsControlEnabled(IDOK));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdLinkAggregation));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST(LinkAggregationE2eTest, TheStatusShowsEachPortsActorAndPartnerUnderLacpOnly)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<CLinkAggStatusDlg>([&](CLinkAggStatusDlg& status) {
        EXPECT_EQ(Field(status, CLinkAggStatusDlg::kStateId), QStringLiteral("LACP"));
        CLacpStatusPage& port1 = status.PortPage(1);
        EXPECT_EQ(Value(port1, 0), QStringLiteral("1")) << "the aggregator of trunk port 1";
        EXPECT_EQ(Value(port1, 1), QStringLiteral("0x8000"));
        EXPECT_EQ(Value(port1, 2), QStringLiteral("00:10:a4:00:01:01"));
        EXPECT_EQ(Value(port1, 6), QStringLiteral("A,G,S,C,D"));
        EXPECT_EQ(Value(port1, 12), QStringLiteral("A,T,G,S,C,D"));
        EXPECT_EQ(Value(status.PortPage(2), 0), QStringLiteral("2"));
        EXPECT_EQ(Value(status.PortPage(2), 6), QStringLiteral("A,G,F,E"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(status, QStringLiteral("link_agg_status")));

        // Static aggregation: no LACP state.
        LinkAggregationRec setting = ServerSetting(program);
        setting.aggregationType = 3;
        SendToServer(program, kReqLinkAggregation, Bytes(setting));
        Click(status, kRefreshButtonId);
        EXPECT_EQ(Field(status, CLinkAggStatusDlg::kStateId), QStringLiteral("static"));
        EXPECT_EQ(Value(port1, 6), QString());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdLinkAggregationStatus));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

} // namespace
