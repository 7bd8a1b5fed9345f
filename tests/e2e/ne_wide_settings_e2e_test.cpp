// The NE-wide settings in the running program: the operator changes North-1's DNS servers, telnet time-out, MAC
// aging, NetBIOS filter and CLI prompt and South-1's redundancy control and CLI prompts, and reads each back from the
// server; the checks keep a DNS server unique and off the NE's own addresses, and a disabled MAC aging writes its
// time as typed. The server refuses one change; an operator who may only look at the redundancy control is refused Sync
// Now and OK on the workstation, before anything reaches the NE.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"

#include "features/management/ne_wide/mac_aging_dlg.h"
#include "features/management/ne_wide/ne_cli_prompt_dlg.h"
#include "features/management/ne_wide/ne_dns_server_dlg.h"
#include "features/management/ne_wide/packet_filter_dlg.h"
#include "features/management/ne_wide/redundancy_ctrl_dlg.h"
#include "features/management/ne_wide/telnet_timeout_dlg.h"
#include "link/ems_msg.h"
#include "link/records/cli_prompt_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/request_codes.h"
#include "link/records/state_period_rec.h"
#include "link/records/user_rights_record.h"
#include "link/records/word_record.h"
#include "sim/server/sim_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/shell/frame/main_frame.h"

#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kCmdDnsServers = 33186, kCmdTelnetTimeout = 33214, kCmdMacAging = 33072, kCmdNetBios = 33190,
              kCmdCliPrompt = 33217, kCmdRedundancy = 33188;
constexpr uint32_t kNorth1 = 1, kSouth1 = 2;
using e2e::Check;
using e2e::Click;
using e2e::Field;
using e2e::MessageLine;
using e2e::Type;

template <class Rec> Rec ServerSetting(e2e::CProgram& program, RequestCode<Rec> code, uint32_t neId)
{
    const std::vector<Rec> records = program.ServerRecords(code, neId);
    return records.empty() ? Rec{} : records.front();
}

void RefuseNextChange(e2e::CProgram& program, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, code, 0, 0});
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

// The main shelf of an NE in the tree.
QTreeWidgetItem* MainShelf(e2e::CProgram& program, const QString& ne)
{
    QTreeWidgetItem* item = program.TreeItem(ne);
    for (int i = 0; item != nullptr && i < item->childCount(); ++i) {
        if (item->child(i)->text(0) == QStringLiteral("shelf:1"))
            return item->child(i);
    }
    return nullptr;
}

TEST(NeWideSettingsE2eTest, EachSettingIsChangedAndReadBack)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CNeDnsServerDlg>([&](CNeDnsServerDlg& dns) {
        EXPECT_EQ(Field(dns, CNeDnsServerDlg::kFirstServerId), QStringLiteral("10.10.0.53"));
        EXPECT_EQ(Field(dns, CNeDnsServerDlg::kSecondServerId), QStringLiteral("10.10.0.54"));
        EXPECT_EQ(Field(dns, CNeDnsServerDlg::kThirdServerId), QStringLiteral("0.0.0.0"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dns, QStringLiteral("ne_dns_server")));
        Type(dns, CNeDnsServerDlg::kThirdServerId, QStringLiteral("10.10.0.53"));
        Click(dns, IDOK);
        EXPECT_EQ(MessageLine(dns), QStringLiteral("IP conflicts with other server"));
        Type(dns, CNeDnsServerDlg::kThirdServerId, QStringLiteral("10.10.1.1"));
        Click(dns, IDOK);
        EXPECT_EQ(MessageLine(dns), QStringLiteral("IP address is reserved")) << "the NE's own uplink";
        Type(dns, CNeDnsServerDlg::kThirdServerId, QStringLiteral("224.0.0.9"));
        Click(dns, IDOK);
        EXPECT_EQ(MessageLine(dns), QStringLiteral("incorrect IP address"));
        EXPECT_FALSE(dns.IsEnded());
        // Two servers left 0.0.0.0 are no conflict: the checks pass and the write goes (refused here, so the dialog
        // stays).
        Type(dns, CNeDnsServerDlg::kSecondServerId, QStringLiteral("0.0.0.0"));
        Type(dns, CNeDnsServerDlg::kThirdServerId, QStringLiteral("0.0.0.0"));
        RefuseNextChange(program, kReqNeDns);
        const size_t boxes = person.boxTexts.size();
        Click(dns, IDOK);
        EXPECT_NE(MessageLine(dns), QStringLiteral("IP conflicts with other server"));
        ASSERT_EQ(person.boxTexts.size(), boxes + 1);
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to update data")))
            << person.LastBoxText().toStdString();
        EXPECT_FALSE(dns.IsEnded());
        Type(dns, CNeDnsServerDlg::kSecondServerId, QStringLiteral("10.10.0.54"));
        Type(dns, CNeDnsServerDlg::kThirdServerId, QStringLiteral("10.10.0.55"));
        Click(dns, IDOK);
        EXPECT_TRUE(dns.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdDnsServers));
    EXPECT_EQ(ServerSetting(program, kReqNeDns, kNorth1).third, (IpAddress{10, 10, 0, 55}));

    person.OnDialog<CTelnetTimeoutDlg>([&](CTelnetTimeoutDlg& telnet) {
        EXPECT_EQ(Field(telnet, CTelnetTimeoutDlg::kMinutesId), QStringLiteral("10"));
        Type(telnet, CTelnetTimeoutDlg::kMinutesId, QStringLiteral("0"));
        Click(telnet, IDOK);
        EXPECT_EQ(MessageLine(telnet), QStringLiteral("Please enter an integer between 1 and 1440."));
        Type(telnet, CTelnetTimeoutDlg::kMinutesId, QStringLiteral("30"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(telnet, QStringLiteral("telnet_timeout")));
        // Refused once: the dialog stays with the time-out typed.
        RefuseNextChange(program, kReqTelnetTimeout);
        person.AnswerBox(IDYES);
        Click(telnet, IDOK);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Change refused by the server"));
        EXPECT_FALSE(telnet.IsEnded());
        EXPECT_EQ(Field(telnet, CTelnetTimeoutDlg::kMinutesId), QStringLiteral("30"));
        person.AnswerBox(IDYES);
        Click(telnet, IDOK);
        EXPECT_TRUE(telnet.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdTelnetTimeout));
    EXPECT_EQ(ServerSetting(program, kReqTelnetTimeout, kNorth1).value, 30u);

    // "Enabled" holds the time to 10..1000 s; "Disabled" sends the time as typed.
    person.OnDialog<CMacAgingDlg>([&](CMacAgingDlg& aging) {
        EXPECT_TRUE(e2e::IsChecked(aging, CMacAgingDlg::kEnabledId));
        EXPECT_EQ(Field(aging, CMacAgingDlg::kSecondsId), QStringLiteral("300"));
        Type(aging, CMacAgingDlg::kSecondsId, QStringLiteral("5"));
        person.AnswerBox(IDYES);
        Click(aging, IDOK);
        EXPECT_EQ(MessageLine(aging), QStringLiteral("Please enter an integer between 10 and 1000."));
        EXPECT_FALSE(aging.IsEnded());
        Check(aging, CMacAgingDlg::kDisabledId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(aging, QStringLiteral("mac_aging")));
        person.AnswerBox(IDYES);
        Click(aging, IDOK);
        EXPECT_TRUE(aging.IsEnded()) << MessageLine(aging).toStdString();
    });
    ASSERT_TRUE(program.Command(kCmdMacAging));
    EXPECT_EQ(ServerSetting(program, kReqMacAging, kNorth1), (StatePeriodRec{0, 5}));

    person.OnDialog<CPacketFilterDlg>([&](CPacketFilterDlg& filter) {
        EXPECT_TRUE(e2e::IsChecked(filter, CPacketFilterDlg::kForwardId));
        Check(filter, CPacketFilterDlg::kDropId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(filter, QStringLiteral("packet_filter")));
        person.AnswerBox(IDYES);
        Click(filter, IDOK);
    });
    ASSERT_TRUE(program.Command(kCmdNetBios));
    EXPECT_EQ(ServerSetting(program, kReqNetBiosFilter, kNorth1).value, 0u);

    // North-1 has one control module: one prompt.
    person.OnDialog<CNeCliPromptDlg>([&](CNeCliPromptDlg& prompt) {
        EXPECT_EQ(Field(prompt, CNeCliPromptDlg::kMasterId), QStringLiteral("IPD"));
        Type(prompt, CNeCliPromptDlg::kMasterId, QStringLiteral("   "));
        Click(prompt, IDOK);
        EXPECT_EQ(MessageLine(prompt), QStringLiteral("Data is blank"));
        Type(prompt, CNeCliPromptDlg::kMasterId, QStringLiteral("north lab"));
        Click(prompt, IDOK);
        EXPECT_EQ(MessageLine(prompt),
                  QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
        Type(prompt, CNeCliPromptDlg::kMasterId, QStringLiteral("north-lab-12"));
        EXPECT_EQ(Field(prompt, CNeCliPromptDlg::kMasterId), QStringLiteral("north-lab-")) << "10 characters";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(prompt, QStringLiteral("ne_cli_prompt")));
        Click(prompt, IDOK);
        EXPECT_TRUE(prompt.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdCliPrompt));
    EXPECT_EQ(ServerSetting(program, kReqCliPrompt, kNorth1).masterPrompt, "north-lab-");

    // South-1 has a master and a slave, and both control modules for Sync Now.
    program.ClickTreeItem(program.TreeItem(QStringLiteral("South-1")));
    person.OnDialog<CNeCliPromptDualDlg>([&](CNeCliPromptDualDlg& prompts) {
        EXPECT_EQ(Field(prompts, CNeCliPromptDualDlg::kSlaveId), QStringLiteral("IPD-S"));
        Type(prompts, CNeCliPromptDualDlg::kSlaveId, QStringLiteral("south/s"));
        Click(prompts, IDOK);
        EXPECT_EQ(MessageLine(prompts),
                  QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
        // Blanks at the ends are no part of a prompt.
        Type(prompts, CNeCliPromptDualDlg::kMasterId, QStringLiteral(" south-m "));
        Type(prompts, CNeCliPromptDualDlg::kSlaveId, QStringLiteral("south-s"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(prompts, QStringLiteral("ne_cli_prompt_dual")));
        Click(prompts, IDOK);
    });
    ASSERT_TRUE(program.Command(kCmdCliPrompt));
    EXPECT_EQ(ServerSetting(program, kReqCliPromptDual, kSouth1), (CliPromptRec{"south-m", "south-s"}));

    QTreeWidgetItem* shelf = MainShelf(program, QStringLiteral("South-1"));
    ASSERT_NE(shelf, nullptr);
    program.ClickTreeItem(shelf);
    // The server refuses the next redundancy write: an OK that changes nothing sends nothing and closes all the same.
    RefuseNextChange(program, kReqRedundancySync);
    person.OnDialog<CRedundancyCtrlDlg>([&](CRedundancyCtrlDlg& redundancy) {
        Type(redundancy, CRedundancyCtrlDlg::kSecondsId, QStringLiteral("300"));
        person.AnswerBox(IDYES);
        Click(redundancy, IDOK);
        EXPECT_TRUE(redundancy.IsEnded());
    });
    // The tree is filled anew when the current entity changes: the shelf's item too.
    shelf = MainShelf(program, QStringLiteral("South-1"));
    ASSERT_NE(shelf, nullptr);
    EXPECT_EQ(program.RightClickTreeItem(shelf, kCmdRedundancy).front(), kCmdRedundancy);
    person.OnDialog<CRedundancyCtrlDlg>([&](CRedundancyCtrlDlg& redundancy) {
        EXPECT_TRUE(e2e::IsChecked(redundancy, CRedundancyCtrlDlg::kEnabledId));
        EXPECT_EQ(Field(redundancy, CRedundancyCtrlDlg::kSecondsId), QStringLiteral("300"));
        ASSERT_TRUE(redundancy.IsControlEnabled(CRedundancyCtrlDlg::kSyncNowButtonId));
        Click(redundancy, CRedundancyCtrlDlg::kSyncNowButtonId);
        EXPECT_EQ(MessageLine(redundancy), QStringLiteral("Complete synchronizing configuration"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(redundancy, QStringLiteral("redundancy_ctrl")));
        // "Enabled" holds the period to 30..3600 s, at each end.
        for (const char* outside : {"29", "3601"}) {
            Type(redundancy, CRedundancyCtrlDlg::kSecondsId, QString::fromLatin1(outside));
            person.AnswerBox(IDYES);
            Click(redundancy, IDOK);
            EXPECT_EQ(MessageLine(redundancy), QStringLiteral("Please enter an integer between 30 and 3600."))
                << outside;
            EXPECT_FALSE(redundancy.IsEnded());
        }
        // "Disabled" takes the period's input and writes the period read; the refusal still waits for this write.
        Type(redundancy, CRedundancyCtrlDlg::kSecondsId, QStringLiteral("900"));
        Check(redundancy, CRedundancyCtrlDlg::kDisabledId);
        EXPECT_TRUE(redundancy.IsControlReadOnly(CRedundancyCtrlDlg::kSecondsId));
        person.AnswerBox(IDYES);
        Click(redundancy, IDOK);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_FALSE(redundancy.IsEnded());
        person.AnswerBox(IDYES);
        Click(redundancy, IDOK);
        EXPECT_TRUE(redundancy.IsEnded());
    });
    shelf = MainShelf(program, QStringLiteral("South-1"));
    ASSERT_NE(shelf, nullptr);
    EXPECT_EQ(program.RightClickTreeItem(shelf, kCmdRedundancy).front(), kCmdRedundancy);
    EXPECT_EQ(ServerSetting(program, kReqRedundancySync, kSouth1), (StatePeriodRec{0, 300}));
}

TEST(NeWideSettingsE2eTest, AnOperatorWhoMayOnlyLookIsRefusedSyncNowAndEveryChange)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    // Managers may look at the redundancy control, and no more.
    std::string manager = std::string(20, 'm') + std::string(10, 'q') + std::string(97, '-');
    for (int look : {54, 73, 75})
        manager[static_cast<size_t>(look)] = 'q';
    UserRightsRecord rights;
    rights.rights = {std::string(127, 'a'), manager, std::string(5, 'q')};
    server_test::CRawClient& probe = program.ServerProbe();
    const auto record = EncodeRecord(rights);
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqUserRights, 0, {record.begin(), record.end()}, kUserRightsRecordSize)));
    ASSERT_TRUE(program.Login("manager", "manager"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("South-1")));
    QTreeWidgetItem* shelf = MainShelf(program, QStringLiteral("South-1"));
    ASSERT_NE(shelf, nullptr);
    program.ClickTreeItem(shelf);
    shelf = MainShelf(program, QStringLiteral("South-1"));
    ASSERT_NE(shelf, nullptr);
    e2e::COperator& person = program.Operator();

    person.OnDialog<CRedundancyCtrlDlg>([&](CRedundancyCtrlDlg& redundancy) {
        EXPECT_FALSE(redundancy.IsEnded()) << "looking is allowed";
        Click(redundancy, CRedundancyCtrlDlg::kSyncNowButtonId);
        EXPECT_EQ(MessageLine(redundancy), QStringLiteral("No privilege"));
        Check(redundancy, CRedundancyCtrlDlg::kDisabledId);
        Click(redundancy, IDOK);
        EXPECT_EQ(MessageLine(redundancy), QStringLiteral("No privilege"));
        EXPECT_FALSE(redundancy.IsEnded());
    });
    EXPECT_EQ(program.RightClickTreeItem(shelf, kCmdRedundancy).front(), kCmdRedundancy);
    EXPECT_EQ(person.dialogsRun, QStringList{QStringLiteral("Redundancy Control")});

    // Nor the telnet time-out or the CLI prompts.
    person.OnDialog<CTelnetTimeoutDlg>([&](CTelnetTimeoutDlg& telnet) {
        Type(telnet, CTelnetTimeoutDlg::kMinutesId, QStringLiteral("60"));
        Click(telnet, IDOK);
        EXPECT_EQ(MessageLine(telnet), QStringLiteral("No privilege"));
        EXPECT_FALSE(telnet.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdTelnetTimeout));
    person.OnDialog<CNeCliPromptDualDlg>([&](CNeCliPromptDualDlg& prompts) {
        Type(prompts, CNeCliPromptDualDlg::kMasterId, QStringLiteral("mine"));
        Click(prompts, IDOK);
        EXPECT_EQ(MessageLine(prompts), QStringLiteral("No privilege"));
    });
    ASSERT_TRUE(program.Command(kCmdCliPrompt));
    EXPECT_EQ(person.dialogsRun.size(), 3);
    EXPECT_TRUE(person.boxTexts.empty()) << "nothing was sent to be refused";
    EXPECT_EQ(ServerSetting(program, kReqRedundancySync, kSouth1), (StatePeriodRec{1, 300}));
    EXPECT_EQ(ServerSetting(program, kReqTelnetTimeout, kSouth1).value, 10u);
    EXPECT_EQ(ServerSetting(program, kReqCliPromptDual, kSouth1).masterPrompt, "IPD-M");
}

// South-1 has never had DNS servers: the fields show none, and the first server the operator types is the NE's first
// while the others stay unset.
TEST(NeWideSettingsE2eTest, AnNeWithoutDnsServersStartsEmptyAndTakesTheFirst)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("South-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CNeDnsServerDlg>([&](CNeDnsServerDlg& dns) {
        for (const int id :
             {CNeDnsServerDlg::kFirstServerId, CNeDnsServerDlg::kSecondServerId, CNeDnsServerDlg::kThirdServerId})
            EXPECT_EQ(Field(dns, id), QStringLiteral("0.0.0.0")) << id;
        Type(dns, CNeDnsServerDlg::kFirstServerId, QStringLiteral("10.20.0.53"));
        Click(dns, IDOK);
        EXPECT_TRUE(dns.IsEnded());
    });
    ASSERT_TRUE(program.Command(kCmdDnsServers));
    const NeDnsServerRec written = ServerSetting(program, kReqNeDns, kSouth1);
    EXPECT_EQ(written.first, (IpAddress{10, 20, 0, 53}));
    EXPECT_EQ(written.second, (IpAddress{}));
}

// Sync Now needs both control modules: North-1 has one, and its redundancy control opens with Sync Now off.
TEST(NeWideSettingsE2eTest, SyncNowWaitsForASecondControlModule)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<CRedundancyCtrlDlg>([&](CRedundancyCtrlDlg& redundancy) {
        EXPECT_FALSE(redundancy.IsControlEnabled(CRedundancyCtrlDlg::kSyncNowButtonId));
        return IDCANCEL;
    });
    DialogRequest request;
    request.className = "CRedundancyCtrlDlg";
    request.hasTarget = true;
    request.neId = kNorth1;
    OpenRouteDialog(request);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// Sync Now needs both control modules in place as planned: with the second pulled out of its slot, which stays
// planned for it, the redundancy control opens with Sync Now off; with both in place, on.
TEST(NeWideSettingsE2eTest, SyncNowWaitsForTheSecondControlModuleToBeInPlace)
{
    const struct {
        const char* secondSlot; // the card the NE reports in the second control module's slot
        bool syncNow;
    } cases[] = {{"onlineType=21", true}, {"onlineType=1", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.secondSlot);
        e2e::CProgram program;
        std::string scenario = app_test::ReadText(TARVIK_TEST_DATA_DIR "/snmp/ne_agent_ipd48.ini");
        const std::string slot = "entityId=12200\nplannedType=21\n";
        const std::string card = "onlineType=21";
        const size_t at = scenario.find(slot + card);
        ASSERT_NE(at, std::string::npos);
        scenario.replace(at + slot.size(), card.size(), c.secondSlot);
        const std::filesystem::path path = program.WorkDir().Path() / "second_module.ini";
        app_test::WriteText(path, scenario);
        ASSERT_TRUE(program.StartAgent({}, path.string()));
        ASSERT_TRUE(program.Login("qurim", "private"));
        program.ClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")));
        bool opened = false;
        program.Operator().OnDialog<CRedundancyCtrlDlg>([&](CRedundancyCtrlDlg& redundancy) {
            opened = true;
            EXPECT_EQ(redundancy.IsControlEnabled(CRedundancyCtrlDlg::kSyncNowButtonId), c.syncNow);
            return IDCANCEL;
        });
        DialogRequest request;
        request.className = "CRedundancyCtrlDlg";
        request.hasTarget = true;
        request.neId = program.Frame().GetCurrentNeId();
        OpenRouteDialog(request);
        EXPECT_TRUE(opened);
    }
}

} // namespace
