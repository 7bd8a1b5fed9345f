// The transceivers of the trunk ports in the running program: the operator reads the decoded serial-ID data of the
// 1000BASE-LX module in trunk port 1 and the 1000BASE-SX module in trunk port 2, sees an empty page for a port without
// one, and the server's refusal as the failure box with empty pages, against the simulated server.

#include "tests/e2e/support/e2e_harness.h"

#include "features/provisioning/sfp/sfp_info_dlg.h"
#include "link/records/sfp_info_rec.h"
#include "sim/server/sim_control.h"

#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdSfpInfo = 33199;
constexpr uint32_t kPort2 = 10502;

QStringList Values(CSfpInfoPage& page)
{
    return e2e::ListColumn(*page.FindList(kListControlId), 1);
}

void SendToServer(e2e::CProgram& program, uint16_t code, uint32_t neId, const std::vector<uint8_t>& record)
{
    server_test::CRawClient& probe = program.ServerProbe();
    ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, code, neId, record, static_cast<uint32_t>(record.size()))));
}

TEST(SfpInfoE2eTest, TheOperatorReadsTheTransceiversOfBothTrunkPorts)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CSfpInfoDlg>([&](CSfpInfoDlg& sfp) {
        EXPECT_EQ(sfp.GetPageTitle(&sfp.PortPage(1)), QStringLiteral("Port GE1"));
        const QStringList longwave = Values(sfp.PortPage(1));
        EXPECT_EQ(longwave.size(), 20);
        EXPECT_EQ(longwave.mid(0, 9),
                  (QStringList{"SFP", "LC", "", "1000BASE-LX", "Long distance(L)", "Longwave laser(LC)",
                               "Single Mode(SM)", "100 MBytes/Sec", "8B10B"}));
        EXPECT_EQ(longwave.mid(9, 6), (QStringList{"13", "10", "100", "55", "55", "0"}));
        EXPECT_EQ(longwave.mid(15),
                  (QStringList{"NORDLYS OPTICS", "ac:de:48", "NLO-SFP-1310-10", "NL21480731", "1310 nm"}));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(sfp, QStringLiteral("sfp_info")));
        const QStringList shortwave = Values(sfp.PortPage(2));
        EXPECT_EQ(shortwave.value(3), QStringLiteral("1000BASE-SX"));
        EXPECT_EQ(shortwave.value(5), QStringLiteral("Shortwave laser w/o OFC (SN)"));
        EXPECT_EQ(shortwave.value(6), QStringLiteral("Multi-mode 50m(M5), Multi-mode 62.5m(M6)"));
        EXPECT_EQ(shortwave.value(19), QStringLiteral("850 nm"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdSfpInfo));

    // Trunk port 2's module taken out: its page is empty, without a message.
    SfpInfoRec empty;
    empty.entityId = kPort2;
    const auto bytes = EncodeRecord(empty);
    SendToServer(program, kReqSfp, 1, {bytes.begin(), bytes.end()});
    person.OnDialog<CSfpInfoDlg>([&](CSfpInfoDlg& sfp) {
        EXPECT_EQ(Values(sfp.PortPage(2)).join(QString()), QString());
        EXPECT_EQ(Values(sfp.PortPage(1)).value(3), QStringLiteral("1000BASE-LX"));
        EXPECT_TRUE(person.boxTexts.empty());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdSfpInfo));

    // The server refuses: the failure box, and both pages empty.
    const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextRequest, kReqSfp, 0, 0});
    SendToServer(program, kReqSimControl, 0, {refuse.begin(), refuse.end()});
    person.OnDialog<CSfpInfoDlg>([&](CSfpInfoDlg& sfp) {
        EXPECT_EQ(person.boxTexts,
                  std::vector<QString>{QStringLiteral("Fail to query\n\n(32028) Request refused by the server")});
        EXPECT_EQ(Values(sfp.PortPage(1)).join(QString()), QString());
        EXPECT_FALSE(sfp.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdSfpInfo));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

} // namespace
