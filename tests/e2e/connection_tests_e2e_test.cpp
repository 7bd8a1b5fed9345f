// The connection tests in the running program. From the Diagnosis menu the operator pings and traces the route to an
// address from the workstation itself (loopback, and across real routers in throw-away network namespaces where the
// machine allows them), and has the simulated server ping an NE and check its SNMP link; from a PVC of a port the
// NE sends OAM loopback cells. The far end's refusals show as the dialogs say them: on the result line of the server's
// tests, in the failure box of the loopback; without ICMP the workstation's dialogs say why and how to allow it.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/performance/connection_tests/check_ne_snmp_dlg.h"
#include "features/performance/connection_tests/oam_loopback_dlg.h"
#include "features/performance/connection_tests/ping_from_client_dlg.h"
#include "features/performance/connection_tests/ping_from_server_dlg.h"
#include "features/performance/connection_tests/traceroute_dlg.h"
#include "link/icmp/client_echo.h"
#include "link/icmp/system_icmp_transport.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"
#include "tests/link/netns/routed_test_network.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/shell/frame/main_frame.h"

#include <QComboBox>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdPingFromClient = 33074;
constexpr int kCmdPingFromServer = 33148;
constexpr int kCmdTraceroute = 33145;
constexpr int kCmdCheckSnmp = 33105;
constexpr int kCmdVcOamTest = 33089; // the PVC lists' popup command
constexpr uint32_t kNorth1 = 1, kSouth1 = 2, kNeItself = 1, kOfflineAlarm = 0;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::ComboTexts;
using e2e::Field;
using e2e::IsChecked;
using e2e::MessageLine;
using e2e::Type;
using Echo = CClientEchoDlg;
using ServerTest = CServerConnectionTestDlg;

QStringList ResultLines(CDialog& dialog, int id)
{
    return Field(dialog, id).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The result box's font, "family size".
QString ResultFont(CDialog& dialog, int id)
{
    const QFont font = dialog.GetDlgItem(id)->font();
    return font.family() + QLatin1Char(' ') + QString::number(font.pointSize());
}

bool Matches(const QString& text, const char* pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QString::fromLatin1(pattern))).match(text).hasMatch();
}

// Puts the opener of the workstation's echoes in place for one test and the system's back after it.
class IcmpOpenerScope {
public:
    explicit IcmpOpenerScope(IcmpTransportOpener opener) { SetIcmpTransportOpener(std::move(opener)); }
    ~IcmpOpenerScope() { SetIcmpTransportOpener(nullptr); }
};

// Takes an NE off the network at the simulated server, and waits until the program shows it so.
void TakeOffNetwork(e2e::CProgram& program, uint32_t neId)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto control = EncodeRecord(SimControlRec{kSimToggleAlarm, kNeItself, kOfflineAlarm, 0});
    probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, neId, {control.begin(), control.end()}, kSimControlRecSize));
    EXPECT_TRUE(program.WaitUntil([neId] {
        const CNeRecord* ne = AppData().nes.FindNeById(neId);
        return ne != nullptr && ne->root != nullptr && !ne->root->IsConnected();
    }));
}

class ConnectionTestsE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClientEcho().pingOutput.Clear();
        ClientEcho().traceOutput.Clear();
    }
    void TearDown() override { EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u); }

    void StartAt(const char* ne)
    {
        ASSERT_TRUE(program_.StartServer());
        ASSERT_TRUE(program_.Login("admin", "admin"));
        program_.ClickTreeItem(program_.TreeItem(QString::fromLatin1(ne)));
    }

    e2e::CProgram program_;
};

TEST_F(ConnectionTestsE2eTest, WorkstationPingsAnAddressAndShowsEachReply)
{
    StartAt("North-1");
    // Pings of an earlier opening: the dialog numbers its pings from 0 again.
    for (int i = 0; i < 5; ++i) {
        PingRequest earlier;
        NewPingId(&earlier, ClientEcho().pingCounter);
    }
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CPingFromClientDlg>([&](CPingFromClientDlg& ping) {
        // Every location from the root after an empty first item; the root the walk starts at is the opener's
        // location (none) and comes chosen. The current NE and its address, and another NE's when the operator
        // picks it.
        EXPECT_EQ(ComboTexts(ping, Echo::kLocationComboId), QStringLiteral(",<Root>,Headquarters,North,South"));
        EXPECT_EQ(ping.GetDlgItemAs<QComboBox>(Echo::kLocationComboId)->currentIndex(), 1);
        EXPECT_EQ(Field(ping, Echo::kNeComboId), QStringLiteral("North-1"));
        EXPECT_EQ(Field(ping, Echo::kAddressId), QStringLiteral("10.10.1.1"));
        Choose(ping, Echo::kNeComboId, QStringLiteral("South-1"));
        EXPECT_EQ(Field(ping, Echo::kAddressId), QStringLiteral("10.20.1.1"));

        // The numbers as they open; one past either end of its range sends nothing, and the refusal names the range.
        struct Range {
            int edit;
            int low;
            int high;
            const char* kept;
        };
        const Range ranges[] = {{Echo::kCountId, 1, 99, "4"},
                                {Echo::kWaitId, 1, 30, "4"},
                                {Echo::kSizeId, 32, 9996, "32"},
                                {Echo::kTtlId, 1, 255, "128"},
                                {Echo::kTosId, 0, 255, "0"}};
        for (const Range& range : ranges) {
            EXPECT_EQ(Field(ping, range.edit), QString::fromLatin1(range.kept)) << "on opening";
            for (const int past : {range.low - 1, range.high + 1}) {
                if (past < 0)
                    continue;
                SCOPED_TRACE(std::to_string(range.edit) + " at " + std::to_string(past));
                Type(ping, range.edit, QString::number(past));
                Click(ping, Echo::kStartButtonId);
                EXPECT_EQ(MessageLine(ping),
                          QStringLiteral("Please enter an integer between %1 and %2.").arg(range.low).arg(range.high));
                EXPECT_EQ(ClientEcho().workers.Running(), 0u);
            }
            Type(ping, range.edit, QString::fromLatin1(range.kept));
        }

        Type(ping, Echo::kSizeId, QStringLiteral("64"));
        Type(ping, Echo::kCountId, QStringLiteral("3"));
        Type(ping, Echo::kAddressId, QStringLiteral("127.0.0.1"));
        Click(ping, Echo::kStartButtonId);
        EXPECT_TRUE(program_.WaitUntil([&] { return ResultLines(ping, Echo::kResultId).size() == 3; }));
        // The first ping of the opening has id 0: its echoes are numbered 1, 2 and 3.
        const QStringList lines = ResultLines(ping, Echo::kResultId);
        for (int i = 0; i < lines.size(); ++i)
            EXPECT_TRUE(Matches(lines[i], QStringLiteral(R"(Reply from \[127\.0\.0\.1\]: icmp_seq=%1 bytes=64 )"
                                                         R"(time(<10|=\d+)ms TTL=64)")
                                              .arg(i + 1)
                                              .toLatin1()
                                              .constData()))
                << lines[i].toStdString();
        EXPECT_EQ(ResultFont(ping, Echo::kResultId), QStringLiteral("Courier New 9"));
        e2e::CProgram::SaveScreenshot(ping, QStringLiteral("ping_from_client"));

        Click(ping, Echo::kClearButtonId);
        EXPECT_EQ(Field(ping, Echo::kResultId), QString());
    });
    ASSERT_TRUE(program_.Command(kCmdPingFromClient));
}

// As NE auto-discovery opens it on a found NE's address: no NE is chosen, and the address is the one pinged.
TEST_F(ConnectionTestsE2eTest, PingOpenedOnAnAddressPingsThatAddress)
{
    StartAt("North-1");
    program_.Operator().OnDialog<CPingFromClientDlg>([&](CPingFromClientDlg& ping) {
        EXPECT_EQ(Field(ping, Echo::kNeComboId), QString());
        EXPECT_EQ(Field(ping, Echo::kAddressId), QStringLiteral("127.0.0.1"));
        Type(ping, Echo::kCountId, QStringLiteral("1"));
        Click(ping, Echo::kStartButtonId);
        EXPECT_TRUE(program_.WaitUntil([&] { return ResultLines(ping, Echo::kResultId).size() == 1; }));
        EXPECT_TRUE(ResultLines(ping, Echo::kResultId).value(0).startsWith(QStringLiteral("Reply from [127.0.0.1]")));
    });
    DialogRequest request;
    request.className = "CPingFromClientDlg";
    request.ipAddress = "127.0.0.1";
    EXPECT_EQ(OpenRouteDialog(request), IDCANCEL);
}

// Without ICMP the ping says so in the engine's one line (the README tells how to allow it).
TEST_F(ConnectionTestsE2eTest, WithoutIcmpThePingSaysItCouldNotOpenIcmp)
{
    StartAt("North-1");
    // The system refuses both kinds of ICMP socket to the ping's worker, which gives them up as it opens one.
    IcmpOpenerScope opener([](std::string* why) -> std::unique_ptr<IcmpTransport> {
        const std::string refused = LeaveThreadWithoutIcmp();
        if (!refused.empty()) {
            *why = refused;
            return nullptr;
        }
        return OpenSystemIcmpTransport(why);
    });
    program_.Operator().OnDialog<CPingFromClientDlg>([&](CPingFromClientDlg& ping) {
        Type(ping, Echo::kAddressId, QStringLiteral("127.0.0.1"));
        Click(ping, Echo::kStartButtonId);
        EXPECT_TRUE(program_.WaitUntil([&] { return !ResultLines(ping, Echo::kResultId).empty(); }));
        program_.Settle();
        EXPECT_EQ(ResultLines(ping, Echo::kResultId), QStringList{QStringLiteral("failed to create ICMP file")});
        e2e::CProgram::SaveScreenshot(ping, QStringLiteral("ping_from_client_without_icmp"));
    });
    ASSERT_TRUE(program_.Command(kCmdPingFromClient));
}

TEST_F(ConnectionTestsE2eTest, TracerouteToLoopbackIsOneHop)
{
    StartAt("North-1");
    program_.Operator().OnDialog<CTracerouteDlg>([&](CTracerouteDlg& trace) {
        EXPECT_EQ(Field(trace, Echo::kTtlId), QStringLiteral("30"));
        Type(trace, Echo::kAddressId, QStringLiteral("127.0.0.1"));
        Type(trace, Echo::kCountId, QStringLiteral("2"));
        Click(trace, Echo::kStartButtonId);
        EXPECT_TRUE(program_.WaitUntil([&] { return Field(trace, Echo::kResultId).endsWith(" Trace Complete\n"); }));
        const QStringList lines = ResultLines(trace, Echo::kResultId);
        ASSERT_EQ(lines.size(), 5);
        EXPECT_EQ(lines[0], QStringLiteral("Tracing route to 127.0.0.1 over a maximum of 30 hops:"));
        EXPECT_TRUE(Matches(lines[3], R"(  1 +(< 1|\d+) +(< 1|\d+) +(< 1|\d+)   2/2   127\.0\.0\.1)"))
            << lines[3].toStdString();
        EXPECT_EQ(ResultFont(trace, Echo::kResultId), QStringLiteral("Courier New 9"));
        e2e::CProgram::SaveScreenshot(trace, QStringLiteral("traceroute_loopback"));
    });
    ASSERT_TRUE(program_.Command(kCmdTraceroute));
}

// Across a router to a target that loses replies, to a route the router cannot reach (traced to the last hop), and to
// an address that never answers, whose trace closing the dialog ends.
TEST_F(ConnectionTestsE2eTest, TracerouteAcrossRoutersShowsEachHop)
{
    CRoutedTestNetwork network;
    if (std::string why = network.Create(); !why.empty())
        GTEST_SKIP() << why;
    ASSERT_EQ(network.Failed(), "");
    ASSERT_TRUE(network.MakeTargetLossy());
    StartAt("North-1");
    IcmpOpenerScope opener(network.ClientOpener(IcmpTestTransport::kSystem));
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CTracerouteDlg>([&](CTracerouteDlg& trace) {
        Type(trace, Echo::kAddressId, QStringLiteral("203.0.113.2"));
        Type(trace, Echo::kCountId, QStringLiteral("10"));
        Type(trace, Echo::kWaitId, QStringLiteral("1"));
        Click(trace, Echo::kStartButtonId);
        // Each trace's lines follow its own header.
        auto complete = [&](const char* destination) {
            const QString text = Field(trace, Echo::kResultId);
            return text.startsWith(QStringLiteral("Tracing route to ") + QString::fromLatin1(destination)) &&
                   text.endsWith(QStringLiteral(" Trace Complete\n"));
        };
        EXPECT_TRUE(program_.WaitUntil([&] { return complete("203.0.113.2 "); }, 15000));
        QStringList lines = ResultLines(trace, Echo::kResultId);
        ASSERT_EQ(lines.size(), 6);
        EXPECT_TRUE(lines[3].endsWith(QStringLiteral(" 10/10  198.51.100.2"))) << lines[3].toStdString();
        EXPECT_TRUE(Matches(lines[4], R"(  2 .* [1-9]/10  203\.0\.113\.2)")) << lines[4].toStdString();
        e2e::CProgram::SaveScreenshot(trace, QStringLiteral("traceroute_routed"));

        // The router cannot reach the route: each hop says so, unanswered, and the trace goes on to its last hop.
        Type(trace, Echo::kAddressId, QStringLiteral("203.0.113.130"));
        Type(trace, Echo::kCountId, QStringLiteral("1"));
        Type(trace, Echo::kTtlId, QStringLiteral("3"));
        Click(trace, Echo::kStartButtonId);
        EXPECT_TRUE(program_.WaitUntil([&] { return complete("203.0.113.130 "); }));
        lines = ResultLines(trace, Echo::kResultId);
        ASSERT_EQ(lines.size(), 7);
        EXPECT_EQ(lines[3], QStringLiteral("  1       *       *       *   0/1   destination host unreachable"));
        // The router limits its unreachable answers: a later hop may time out instead.
        for (int hop = 2; hop <= 3; ++hop)
            EXPECT_TRUE(lines[2 + hop].startsWith(QStringLiteral("  %1       *       *       *   0/1   ").arg(hop)))
                << lines[2 + hop].toStdString();

        // Nothing answers past the router; the dialog closes as the trace goes on.
        Type(trace, Echo::kAddressId, QStringLiteral("203.0.113.70"));
        Click(trace, Echo::kStartButtonId);
        EXPECT_TRUE(program_.WaitUntil([&] {
            const QStringList shown = ResultLines(trace, Echo::kResultId);
            return shown.value(0).contains(QStringLiteral("203.0.113.70 ")) && shown.size() == 5;
        }));
    });
    ASSERT_TRUE(program_.Command(kCmdTraceroute));
    // Closing ended the trace: its worker is gone within the echo it waited for, and it wrote nothing more.
    EXPECT_TRUE(program_.WaitUntil([] { return ClientEcho().workers.Running() == 0; }));
    const std::string text = ClientEcho().traceOutput.Text();
    EXPECT_EQ(text.find("Trace Complete"), std::string::npos) << text;
    EXPECT_EQ(text.find("\r\n  3 "), std::string::npos) << text;
}

TEST_F(ConnectionTestsE2eTest, ServerPingsAnNeAndSaysWhenItCannot)
{
    StartAt("North-1");
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CPingFromServerDlg>([&](CPingFromServerDlg& ping) {
        EXPECT_EQ(Field(ping, ServerTest::kAddressId), QStringLiteral("10.10.1.1"));
        Click(ping, ServerTest::kActionButtonId);
        QStringList lines = ResultLines(ping, ServerTest::kResultId);
        ASSERT_EQ(lines.size(), 1);
        EXPECT_TRUE(Matches(lines[0], R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d ping \[10\.10\.1\.1\] - ok)"))
            << lines[0].toStdString();

        // The server cannot reach an NE off the network, and says so on the line.
        TakeOffNetwork(program_, kSouth1);
        Choose(ping, ServerTest::kNeComboId, QStringLiteral("South-1"));
        EXPECT_EQ(Field(ping, ServerTest::kAddressId), QStringLiteral("10.20.1.1"));
        Click(ping, ServerTest::kActionButtonId);
        lines = ResultLines(ping, ServerTest::kResultId);
        ASSERT_EQ(lines.size(), 2);
        EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" ping [10.20.1.1] - No reply from 10.20.1.1: request timed out")))
            << lines[1].toStdString();
        EXPECT_TRUE(person.boxTexts.empty());
        EXPECT_EQ(ResultFont(ping, ServerTest::kResultId), QStringLiteral("Courier New 9"));
        e2e::CProgram::SaveScreenshot(ping, QStringLiteral("ping_from_server"));
        Click(ping, ServerTest::kClearButtonId);
        EXPECT_EQ(Field(ping, ServerTest::kResultId), QString());
    });
    ASSERT_TRUE(program_.Command(kCmdPingFromServer));
}

// Another location keeps the NE chosen while it lists it, and else takes its first NE; the address follows the NE.
// The workstation's ping and the server's alike.
TEST_F(ConnectionTestsE2eTest, ALocationChangeKeepsTheNeWhileItIsListed)
{
    StartAt("North-1");
    const struct {
        const char* location;
        const char* ne;
        const char* address;
    } rows[] = {
        {"Headquarters", "South-1", "10.20.1.1"}, {"South", "South-1", "10.20.1.1"}, {"North", "North-1", "10.10.1.1"}};
    const auto walk = [&](CDialog& dialog, int locationId, int neId, int addressId) {
        EXPECT_TRUE(Choose(dialog, neId, QStringLiteral("South-1")));
        for (const auto& row : rows) {
            SCOPED_TRACE(row.location);
            EXPECT_TRUE(Choose(dialog, locationId, QString::fromLatin1(row.location)));
            EXPECT_EQ(Field(dialog, neId), QString::fromLatin1(row.ne));
            EXPECT_EQ(Field(dialog, addressId), QString::fromLatin1(row.address));
        }
    };
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CPingFromClientDlg>(
        [&](CPingFromClientDlg& ping) { walk(ping, Echo::kLocationComboId, Echo::kNeComboId, Echo::kAddressId); });
    ASSERT_TRUE(program_.Command(kCmdPingFromClient));
    person.OnDialog<CPingFromServerDlg>([&](CPingFromServerDlg& ping) {
        walk(ping, ServerTest::kLocationComboId, ServerTest::kNeComboId, ServerTest::kAddressId);
    });
    ASSERT_TRUE(program_.Command(kCmdPingFromServer));
}

TEST_F(ConnectionTestsE2eTest, ServerChecksTheSnmpLinkOfTheNesItLists)
{
    // Only the NEs of the location itself are listed.
    e2e::PeerOptions options;
    options.iniExtra = "[DIALOG]\nINCLSUBNE=0\n";
    ASSERT_TRUE(program_.StartServer(options));
    ASSERT_TRUE(program_.Login("admin", "admin"));
    program_.ClickTreeItem(program_.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CCheckNeSnmpDlg>([&](CCheckNeSnmpDlg& check) {
        // It opens on the root, whatever the current NE's location: the NEs without a location.
        EXPECT_EQ(check.GetDlgItemAs<QComboBox>(ServerTest::kLocationComboId)->currentIndex(), 1);
        EXPECT_EQ(Field(check, ServerTest::kLocationComboId), QStringLiteral("<Root>"));
        Choose(check, ServerTest::kLocationComboId, QStringLiteral("North"));
        EXPECT_EQ(Field(check, ServerTest::kAddressId), QStringLiteral("10.10.1.1"));
        Click(check, ServerTest::kActionButtonId);
        Click(check, ServerTest::kActionButtonId);
        const QStringList lines = ResultLines(check, ServerTest::kResultId);
        ASSERT_EQ(lines.size(), 2);
        for (const QString& line : lines)
            EXPECT_TRUE(Matches(line, R"(\d{4}/\d\d/\d\d\d\d:\d\d:\d\d check \[10\.10\.1\.1\] - ok)"))
                << line.toStdString();

        // A refusal of the server's own is its text, not a mere failure.
        server_test::CRawClient& probe = program_.ServerProbe();
        const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqNeSnmpCheck, 0, 0});
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize));
        Click(check, ServerTest::kActionButtonId);
        EXPECT_TRUE(ResultLines(check, ServerTest::kResultId)
                        .value(2)
                        .endsWith(QStringLiteral(" check [10.10.1.1] - Change refused by the server")));
        EXPECT_EQ(ResultFont(check, ServerTest::kResultId), QStringLiteral("Courier New 9"));
        e2e::CProgram::SaveScreenshot(check, QStringLiteral("check_ne_snmp"));

        // A location without NEs of its own offers no check.
        Choose(check, ServerTest::kLocationComboId, QStringLiteral("Headquarters"));
        EXPECT_EQ(ComboTexts(check, ServerTest::kNeComboId), QString());
        EXPECT_EQ(Field(check, ServerTest::kAddressId), QString());
        EXPECT_FALSE(check.IsControlEnabled(ServerTest::kActionButtonId));
    });
    ASSERT_TRUE(program_.Command(kCmdCheckSnmp));
    EXPECT_TRUE(person.boxTexts.empty());
}

// In direct mode the ping from the workstation opens on the NE, on the root after an empty first location, and
// numbers its first ping's echoes from 1.
TEST(ConnectionTestsDirectE2eTest, TheWorkstationPingsTheNeItManages)
{
    ClientEcho().pingOutput.Clear();
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    PingRequest earlier;
    NewPingId(&earlier, ClientEcho().pingCounter);
    NewPingId(&earlier, ClientEcho().pingCounter);
    e2e::COperator& person = program.Operator();
    person.OnDialog<CPingFromClientDlg>([&](CPingFromClientDlg& ping) {
        EXPECT_EQ(ping.GetDlgItemAs<QComboBox>(Echo::kLocationComboId)->currentIndex(), 1);
        EXPECT_EQ(Field(ping, Echo::kLocationComboId), QStringLiteral("<Root>"));
        EXPECT_EQ(Field(ping, Echo::kAddressId), QStringLiteral("127.0.0.1"));
        Type(ping, Echo::kCountId, QStringLiteral("1"));
        Click(ping, Echo::kStartButtonId);
        EXPECT_TRUE(program.WaitUntil([&] { return ResultLines(ping, Echo::kResultId).size() == 1; }));
        EXPECT_TRUE(ResultLines(ping, Echo::kResultId)
                        .value(0)
                        .startsWith(QStringLiteral("Reply from [127.0.0.1]: icmp_seq=1 ")))
            << ResultLines(ping, Echo::kResultId).value(0).toStdString();
    });
    ASSERT_TRUE(program.Command(kCmdPingFromClient));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// In direct mode the workstation's SNMP link checks the NE: a write community may set the NE's check object, a
// read-only one may not.
TEST(ConnectionTestsDirectE2eTest, SnmpLinkChecksTheNeItManages)
{
    for (const auto& [community, outcome] : {std::pair{"private", "ok"}, std::pair{"public", "failed"}}) {
        SCOPED_TRACE(community);
        e2e::CProgram program;
        ASSERT_TRUE(program.StartAgent());
        ASSERT_TRUE(program.Login("qurim", community));
        program.ClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")));
        e2e::COperator& person = program.Operator();
        person.OnDialog<CCheckNeSnmpDlg>([&](CCheckNeSnmpDlg& check) {
            EXPECT_EQ(Field(check, ServerTest::kAddressId), QStringLiteral("127.0.0.1"));
            Click(check, ServerTest::kActionButtonId);
            const QStringList lines = ResultLines(check, ServerTest::kResultId);
            ASSERT_EQ(lines.size(), 1);
            EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" check [127.0.0.1] - ") + QString::fromLatin1(outcome)))
                << lines[0].toStdString();
        });
        ASSERT_TRUE(program.Command(kCmdCheckSnmp));
        EXPECT_EQ(person.UnusedDialogScripts(), 0u);
    }
}

TEST_F(ConnectionTestsE2eTest, OamLoopbackOnAPvcOfAPort)
{
    StartAt("North-1");
    e2e::COperator& person = program_.Operator();
    // As a PVC list opens it on its chosen row.
    DialogRequest request;
    request.className = "COamLoopbackDlg";
    request.commandId = kCmdVcOamTest;
    request.hasTarget = request.hasEntity = true;
    request.neId = kNorth1;
    request.entity = CEntityId(10101U);
    request.pvcVpi = 0;
    request.pvcVci = 35;
    person.OnDialog<COamLoopbackDlg>([&](COamLoopbackDlg& oam) {
        EXPECT_EQ(Field(oam, COamLoopbackDlg::kVpiId), QStringLiteral("0"));
        EXPECT_EQ(Field(oam, COamLoopbackDlg::kVciId), QStringLiteral("35"));
        EXPECT_TRUE(IsChecked(oam, COamLoopbackDlg::kSegmentId));
        Click(oam, COamLoopbackDlg::kTestButtonId);
        EXPECT_EQ(MessageLine(oam), QStringLiteral("Send loopback cells successfully"));
        e2e::CProgram::SaveScreenshot(oam, QStringLiteral("oam_loopback"));
    });
    EXPECT_EQ(OpenRouteDialog(request), IDCANCEL);

    // A PVC that is down loops no cell back: the failure box gives the NE's counts of both kinds, and the dialog stays
    // open for another test.
    request.pvcVpi = 8;
    person.OnDialog<COamLoopbackDlg>([&](COamLoopbackDlg& oam) {
        Check(oam, COamLoopbackDlg::kBothId);
        Click(oam, COamLoopbackDlg::kTestButtonId);
        EXPECT_EQ(person.boxTexts, std::vector<QString>{QStringLiteral(
                                       "Fail to send loopback cells\n\n(32028) No loopback cells returned on PVC 8/35: "
                                       "5 segment cells sent, 0 received, 5 end-to-end cells sent, 0 received")});
        EXPECT_FALSE(oam.IsEnded());
        EXPECT_TRUE(IsChecked(oam, COamLoopbackDlg::kBothId));
        EXPECT_EQ(MessageLine(oam), QString());
    });
    EXPECT_EQ(OpenRouteDialog(request), IDCANCEL);
}

// The main window has no command of its own for the test: only the PVC lists offer it, on their chosen PVC.
TEST_F(ConnectionTestsE2eTest, TheMainWindowDoesNotRouteTheOamLoopbackTest)
{
    StartAt("North-1");
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 1);
    program_.Frame().SetCurrentEntity(kNorth1, &port);
    EXPECT_FALSE(program_.Frame().RouteCommand(kCmdVcOamTest));
    EXPECT_TRUE(program_.Operator().boxTexts.empty());
}

} // namespace
