// The shell in the running program: the splash picture at start-up, help and telnet that cannot start show nothing, and
// the PDU log window that lays out its lines only while it is shown.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/rights_steps.h"

#include "core/tables/app_data.h"
#include "core/tables/ne_record.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/skin/skin_dlg.h"
#include "ui/shell/app/about_dlg.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/app/login_dlg.h"
#include "ui/shell/app/telnet_launcher.h"
#include "ui/shell/frame/main_frame.h"

#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplashScreen>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int kCmdTelnetToNe = 33104;

// Notes the picture of every splash window shown while it lives, and the order in which the splash and the login
// dialog come and go.
class SplashWatcher : public QObject {
public:
    SplashWatcher() { QCoreApplication::instance()->installEventFilter(this); }
    ~SplashWatcher() override { QCoreApplication::instance()->removeEventFilter(this); }

    QPixmap shown;
    QStringList order;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool show = event->type() == QEvent::Show;
        if (show || event->type() == QEvent::Hide) {
            if (auto* splash = qobject_cast<QSplashScreen*>(watched)) {
                if (show)
                    shown = splash->pixmap();
                order << (show ? QStringLiteral("splash shown") : QStringLiteral("splash hidden"));
            } else if (show && dynamic_cast<CLoginDlg*>(watched) != nullptr) {
                order << QStringLiteral("login shown");
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

TEST(ShellE2eTest, StartUpShowsTheSplashPictureUntilTheLoginDialogIsUp)
{
    SplashWatcher watcher;
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    EXPECT_FALSE(watcher.shown.isNull());
    EXPECT_EQ(watcher.order.mid(0, 3), (QStringList{"splash shown", "login shown", "splash hidden"}));
    EXPECT_FALSE(program.App().GetSkinDlg()->IsSplashShown());
}

TEST(ShellE2eTest, HelpAndTelnetThatCannotStartShowNothing)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer({.args = {},
                                     .iniExtra = "[SYSTEM]\nTELNETEXE=/opt/tarvik no such/telnet\n"
                                                 "HELPFILE=.\\Help\\Missing.chm\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    QTreeWidgetItem* ne = program.TreeItem(QStringLiteral("North-1"));
    ASSERT_NE(ne, nullptr);
    program.ClickTreeItem(ne);

    // The telnet program is started with the NE's address and port; that it does not start is not reported.
    QString started;
    QStringList arguments;
    SetProgramLauncher([&](const QString& name, const QStringList& words) {
        started = name;
        arguments = words;
        return QStringLiteral("it was not found");
    });
    ASSERT_TRUE(program.Command(kCmdTelnetToNe));
    SetProgramLauncher({});
    EXPECT_EQ(started, QStringLiteral("/opt/tarvik no such/telnet")) << "the whole text, blank and all";
    const CNeRecord* record = AppData().nes.FindNeById(program.Frame().GetCurrentNeId());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(arguments, (QStringList{QString::fromStdString(FormatIpAddress(record->address)), "23"}));
    // Help Contents, from the menu and by F1, for a help file that is not there.
    ASSERT_TRUE(program.Command(CEmsApp::kCmdHelpContents));
    program.PressKeys(QKeySequence(Qt::Key_F1));
    program.Settle();
    EXPECT_TRUE(program.Operator().boxTexts.empty());
}

// Help > About in each mode: the title with the version, the text of the mode in use, and the message line that every
// dialog of the program keeps at its bottom.
TEST(ShellE2eTest, AboutShowsTheTextOfTheModeAndKeepsTheMessageLine)
{
    for (const bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "direct mode" : "server mode");
        e2e::CProgram program;
        ASSERT_TRUE(direct ? program.StartAgent() : program.StartServer());
        ASSERT_TRUE(direct ? program.Login("qurim", "private") : program.Login("admin", "admin"));
        bool shown = false;
        program.Operator().OnDialog<CAboutDlg>([&](CAboutDlg& about) {
            shown = true;
            EXPECT_TRUE(about.HasMessageLine());
            EXPECT_TRUE(about.GetDlgItemAs<QLabel>(CAboutDlg::kVersionTextId)
                            ->text()
                            .startsWith(QStringLiteral("Tarvik , Version ")));
            EXPECT_EQ(about.IsControlVisible(CAboutDlg::kServerTextId), !direct);
            EXPECT_EQ(about.IsControlVisible(CAboutDlg::kDirectTextId), direct);
            const int text = direct ? CAboutDlg::kDirectTextId : CAboutDlg::kServerTextId;
            EXPECT_TRUE(about.GetDlgItemAs<QLabel>(text)->text().contains(
                direct ? QStringLiteral("GUI-LCT") : QStringLiteral("Element Management")));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(about, direct ? QStringLiteral("about_direct")
                                                                    : QStringLiteral("about_server")));
        });
        ASSERT_TRUE(program.Command(CEmsApp::kCmdAbout));
        EXPECT_TRUE(shown);
    }
}

TEST(ShellE2eTest, HiddenPduLogWindowKeepsItsLinesAndLaysThemOutWhenShown)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    CPduLogDlg* window = program.App().GetPduLogWindow();
    ASSERT_NE(window, nullptr);
    auto* log = window->GetDlgItemAs<QPlainTextEdit>(CPduLogDlg::kLogTextId);
    const auto shownLines = [log] { return log->toPlainText().split(QLatin1Char('\n')); };

    // The login's PDUs reach the window on a refresh of the frame.
    ASSERT_TRUE(program.WaitUntil([&] { return !window->Lines().isEmpty(); }));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(log->document()->isEmpty());

    program.PressKeys(QKeySequence(QStringLiteral("Ctrl+Alt+Shift+P")));
    ASSERT_TRUE(program.WaitUntil([&] { return window->isVisible(); }));
    EXPECT_EQ(shownLines(), window->Lines());

    // While shown, the lines of the requests that a new NE brings are added as they come.
    const qsizetype before = window->Lines().size();
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    ASSERT_TRUE(program.WaitUntil([&] { return window->Lines().size() > before; }));
    EXPECT_EQ(shownLines(), window->Lines());
}

TEST(ShellE2eTest, ThePduLogWindowShowsNoPasswordOrCommunityOfADirectLogin)
{
    // The NE's communities are public, private and retired; the login reads them and the NE's accounts.
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent({}, std::string(TARVIK_TEST_DATA_DIR) + "/snmp/ne_agent_ipd48.ini"));
    ASSERT_TRUE(program.Login("qurim", "private"));
    CPduLogDlg* window = program.App().GetPduLogWindow();
    ASSERT_NE(window, nullptr);
    const auto dumped = [window] {
        // The printable column of each dump line, joined, so that a text split over two lines is found whole.
        QString joined;
        for (const QString& line : window->Lines()) {
            if (line.size() > 55 && line.at(4) == QLatin1Char(' '))
                joined += line.mid(55);
        }
        return joined;
    };
    ASSERT_TRUE(program.WaitUntil([&] {
        return window->Lines().join(QLatin1Char('\n')).contains(QLatin1String("code=307")) &&
               window->Lines().join(QLatin1Char('\n')).contains(QLatin1String("code=316"));
    }));
    const QString text = dumped();
    for (const char* secret : {"public", "private", "retired"})
        EXPECT_FALSE(text.contains(QLatin1String(secret))) << secret;
    EXPECT_TRUE(text.contains(QLatin1String("*******"))) << "the communities are there, masked";
    EXPECT_TRUE(text.contains(QLatin1String("guest"))) << "the account names are not secret";
}

// Telnet to the NE asks the query right of the NE operations: without it the operator is told "No privilege" and no
// telnet program starts.
class ShellRightsE2eTest : public e2e::CRightsTest {};

TEST_F(ShellRightsE2eTest, TelnetNeedsTheQueryRightOfTheNeOperations)
{
    const e2e::Path telnet = [](e2e::CProgram& program) {
        bool started = false;
        SetProgramLauncher([&](const QString&, const QStringList&) {
            started = true;
            return QString();
        });
        program.Operator().boxTexts.clear();
        EXPECT_TRUE(program.Command(kCmdTelnetToNe));
        SetProgramLauncher({});
        const std::vector<QString>& boxes = program.Operator().boxTexts;
        return !started && !boxes.empty() && boxes.back() == e2e::kNoPrivilege;
    };
    const e2e::RightCase cases[] = {{"Telnet from Client", 3, 'q', telnet}};
    RunCases(cases, std::size(cases));
}

} // namespace
