// The command line in the running program: an Administrator sends command lines to the chosen NE through the server
// (Ctrl+Alt+Shift+T), one after another in the dialog, which shows no answer; a command the NE does not know is
// refused with the reason, Send is offered for an NE on the network only, and OK closes without sending. Other
// operators are told that they have no privilege.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "features/management/server/command_dlg.h"
#include "link/records/ne_config_record.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"

#include <QKeySequence>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kSouth1 = 2, kNeItself = 1, kOfflineAlarm = 0;
const QKeySequence kCommandKeys(QStringLiteral("Ctrl+Alt+Shift+T"));

using e2e::Choose;
using e2e::Click;
using e2e::ComboTexts;
using e2e::Field;
using e2e::MessageLine;
using e2e::Type;

TEST(CommandE2eTest, AnAdministratorSendsCommandLinesOneAfterAnother)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));

    person.OnDialog<CCommandDlg>([&](CCommandDlg& dialog) {
        EXPECT_EQ(Field(dialog, CCommandDlg::kLocationComboId), QStringLiteral("<Root>"));
        EXPECT_EQ(ComboTexts(dialog, CCommandDlg::kNeComboId), QStringLiteral("North-1,South-1,Spare"));
        EXPECT_EQ(Field(dialog, CCommandDlg::kNeComboId), QStringLiteral("North-1"));

        // A command, its blanks cut off, goes to the NE; the dialog stays for the next one.
        Type(dialog, CCommandDlg::kCommandId, QStringLiteral("  set contact NOC desk "));
        Click(dialog, CCommandDlg::kSendButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Complete sending the command"));
        EXPECT_FALSE(dialog.IsEnded());
        EXPECT_EQ(dialog.findChildren<QPlainTextEdit*>().size(), 0); // no answer is shown
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("command_dlg")));

        // A command the NE does not know: the server's reason, and the dialog stays.
        Type(dialog, CCommandDlg::kCommandId, QStringLiteral("reboot now"));
        Click(dialog, CCommandDlg::kSendButtonId);
        EXPECT_EQ(person.boxTexts,
                  std::vector<QString>{QStringLiteral("Fail to send the command\n\n(32028) Unknown command: reboot")});
        EXPECT_FALSE(dialog.IsEnded());

        // Blanks send nothing.
        Type(dialog, CCommandDlg::kCommandId, QStringLiteral("   "));
        dialog.ClearMessageLine();
        Click(dialog, CCommandDlg::kSendButtonId);
        EXPECT_EQ(MessageLine(dialog), QString());

        // Another location lists its NEs; an NE off the network takes no command.
        Choose(dialog, CCommandDlg::kLocationComboId, QStringLiteral("South"));
        EXPECT_EQ(ComboTexts(dialog, CCommandDlg::kNeComboId), QStringLiteral("South-1"));
        EXPECT_TRUE(dialog.IsControlEnabled(CCommandDlg::kSendButtonId));
        server_test::CRawClient& probe = program.ServerProbe();
        const auto control = EncodeRecord(SimControlRec{kSimToggleAlarm, kNeItself, kOfflineAlarm, 0});
        probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqSimControl, kSouth1, {control.begin(), control.end()}, kSimControlRecSize));
        EXPECT_TRUE(program.WaitUntil([] {
            const CNeRecord* ne = AppData().nes.FindNeById(kSouth1);
            return ne != nullptr && ne->root != nullptr && !ne->root->IsConnected();
        }));
        Choose(dialog, CCommandDlg::kLocationComboId, QStringLiteral("Headquarters"));
        Choose(dialog, CCommandDlg::kNeComboId, QStringLiteral("South-1"));
        EXPECT_FALSE(dialog.IsControlEnabled(CCommandDlg::kSendButtonId));
        // Nor one on the network whose equipment is other than planned.
        CEntityNode& north = *AppData().nes.FindNeById(1)->root;
        const uint32_t planned = north.GetPlannedType();
        EXPECT_TRUE(north.SetType(north.GetType(), AppData().nes.FindNeById(kSouth1)->root->GetType()));
        Choose(dialog, CCommandDlg::kNeComboId, QStringLiteral("North-1"));
        EXPECT_TRUE(north.IsConnected());
        EXPECT_FALSE(dialog.IsControlEnabled(CCommandDlg::kSendButtonId));
        north.SetType(north.GetType(), planned);

        // OK closes without sending.
        Choose(dialog, CCommandDlg::kNeComboId, QStringLiteral("North-1"));
        Type(dialog, CCommandDlg::kCommandId, QStringLiteral("set contact Night desk"));
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded());
        return IDCANCEL;
    });
    program.PressKeys(kCommandKeys);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
    EXPECT_EQ(person.boxTexts.size(), 1u);

    // What the NE did with the command sent, and not with the one left at OK, as its configuration shows it.
    std::vector<std::vector<uint8_t>> config = program.QueryServer(kReqNeConfig, 1);
    ASSERT_EQ(config.size(), 1u);
    NeConfigRecord rec;
    ASSERT_TRUE(DecodeRecord(config[0].data(), config[0].size(), &rec));
    EXPECT_EQ(rec.contact, "NOC desk");
}

TEST(CommandE2eTest, AnotherOperatorIsToldThatHeHasNoPrivilege)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("manager", "manager"));
    e2e::COperator& person = program.Operator();
    person.OnDialog<CCommandDlg>([&](CCommandDlg& dialog) {
        EXPECT_TRUE(dialog.IsEnded());
        return IDCANCEL;
    });
    program.PressKeys(kCommandKeys);
    EXPECT_EQ(person.boxTexts, std::vector<QString>{QStringLiteral("No privilege")});
}

} // namespace
