// The main window's commands in the running program: the main menu follows the selected NE in each link mode, and a
// command from the menu or the keyboard reaches its handler: a dialog's command opens it, a one-shot request asks and
// reaches the server, a view option is the frame's own and is written back.

#include "tests/e2e/support/e2e_harness.h"

#include "features/performance/status_lists/xdsl_broadcast_filter_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <QKeySequence>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kCmdActiveAlarm = 33029, kCmdInventory = 33021, kCmdReset = 33085, kCmdAlarmSync = 33042;
// The last command whose dialog came after its menu entry: it opens the dialog, no "not available yet" box.
constexpr int kCmdLastBuilt = 33195;

bool MenuOffers(CMainFrame& frame, int commandId)
{
    const std::vector<int> ids = frame.MainMenuCommandIds();
    return std::find(ids.begin(), ids.end(), commandId) != ids.end();
}

// How many entries of the menu shown run the command.
long MenuEntries(CMainFrame& frame, int commandId)
{
    const std::vector<int> ids = frame.MainMenuCommandIds();
    return std::count(ids.begin(), ids.end(), commandId);
}

TEST(FrameCommandsE2eTest, TheMainMenuOffersTheNeCommandsOnceAnNeIsSelected)
{
    for (bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "direct" : "server");
        e2e::CProgram program;
        ASSERT_TRUE(direct ? program.StartAgent() : program.StartServer());
        ASSERT_TRUE(direct ? program.Login("qurim", "private") : program.Login("admin", "admin"));
        CMainFrame& frame = program.Frame();
        if (!direct) { // the direct login selects its NE
            EXPECT_FALSE(MenuOffers(frame, kCmdInventory));
        }
        program.ClickTreeItem(program.TreeItem(QString::fromLatin1(direct ? "127.0.0.1" : "North-1")));
        EXPECT_TRUE(MenuOffers(frame, kCmdInventory));
        EXPECT_TRUE(MenuOffers(frame, kCmdActiveAlarm));
        // Ping, traceroute, telnet, the SNMP check and the telnet time-out: each at one place of the menu.
        for (int id : {33074, 33145, 33104, 33105, 33214})
            EXPECT_EQ(MenuEntries(frame, id), 1) << id;
        EXPECT_EQ(MenuEntries(frame, 33148), direct ? 0 : 1) << "ping from the server";
        if (direct)
            continue;
        program.ClickTreeItem(program.TreeItem(QStringLiteral("South")));
        EXPECT_FALSE(MenuOffers(frame, kCmdActiveAlarm));
    }
}

TEST(FrameCommandsE2eTest, CommandsReachTheirHandlers)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    const std::vector<QString>& boxes = program.Operator().boxTexts;

    program.Operator().OnDialog<CXdslBroadcastFilterDlg>([](CXdslBroadcastFilterDlg&) { return IDCANCEL; });
    ASSERT_TRUE(program.Command(kCmdLastBuilt));
    EXPECT_EQ(program.Operator().PlainBoxes().Requests().size(), 0u);
    EXPECT_EQ(program.Operator().UnusedDialogScripts(), 0u);

    program.Operator().AnswerBox(IDYES);
    ASSERT_TRUE(program.Command(kCmdReset));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], QStringLiteral("Are you sure to reset the NE?"));
    EXPECT_EQ(boxes.back(), QStringLiteral("Complete resetting the NE"));

    ASSERT_TRUE(program.Command(kCmdAlarmSync));
    EXPECT_EQ(boxes.back(), QStringLiteral("Complete synchronizing NE current alarms"));

    // A view option stays with the frame, is written back and keeps its mark in the menu of another selection.
    CMainFrame& frame = program.Frame();
    const bool portTip = frame.GetPortTipFlag();
    ASSERT_TRUE(program.Command(kCmdTogglePortTip));
    EXPECT_NE(frame.GetPortTipFlag(), portTip);
    EXPECT_NE(app_test::ReadText(program.WorkDir().Ini()).find(portTip ? "PORTTIP=0" : "PORTTIP=1"), std::string::npos);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("South")));
    EXPECT_EQ(frame.IsMenuItemChecked(kCmdTogglePortTip), !portTip);

    // A shortcut sends its command: Logout, answered No.
    program.Operator().AnswerBox(IDNO);
    program.PressKeys(QKeySequence(QStringLiteral("Ctrl+L")));
    ASSERT_TRUE(program.WaitUntil([&] { return boxes.back() == QStringLiteral("Are you sure to logout?"); }));
    EXPECT_TRUE(frame.isVisible());
}

} // namespace
