// The shell in the running program: the splash picture at start-up, help and telnet that cannot start say why, and
// the PDU log window that lays out its lines only while it is shown.

#include "tests/e2e/support/e2e_harness.h"

#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/skin/skin_dlg.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/app/login_dlg.h"

#include <QKeySequence>
#include <QPlainTextEdit>
#include <QScrollBar>
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

struct HelpCase {
    const char* name;
    bool byF1;            // F1 in the main window, else Help > Help Contents
    const char* helpFile; // written to the working directory, or null
    const char* reason;
};

void PrintTo(const HelpCase& c, std::ostream* os)
{
    *os << c.name;
}

class HelpE2eTest : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpE2eTest, HelpThatCannotOpenSaysWhichFileAndWhy)
{
    const HelpCase& c = GetParam();
    e2e::CProgram program;
    // A help file as deep as an installation puts it, so that the box's text runs over several lines.
    ASSERT_TRUE(program.StartServer(
        {.args = {},
         .iniExtra = "[SYSTEM]\nHELPFILE=.\\Help\\Operator Manuals\\English\\Tarvik Operator Manual.chm\n"}));
    const std::filesystem::path file =
        program.WorkDir().Path() / "Help" / "Operator Manuals" / "English" / "Tarvik Operator Manual.chm";
    if (c.helpFile != nullptr)
        app_test::WriteText(file, c.helpFile);
    ASSERT_TRUE(program.Login("admin", "admin"));

    // The box shows its whole text, the path of the configuration file too, without scrolling.
    bool whole = false;
    program.Operator().onBox = [&](QDialog& box) {
        for (auto* field : box.findChildren<QPlainTextEdit*>()) {
            if (field->isVisible())
                whole = field->verticalScrollBar()->maximum() == 0 && field->horizontalScrollBar()->maximum() == 0;
        }
        e2e::CProgram::SaveScreenshot(box, QStringLiteral("help_box_") + QString::fromLatin1(c.name));
    };
    if (c.byF1)
        program.PressKeys(QKeySequence(Qt::Key_F1));
    else
        ASSERT_TRUE(program.Command(CEmsApp::kCmdHelpContents));
    ASSERT_TRUE(program.WaitUntil([&] { return !program.Operator().boxTexts.empty(); }));
    const QString text = program.Operator().boxTexts.back();
    EXPECT_TRUE(text.contains(QString::fromStdString(file.string()))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String(c.reason))) << text.toStdString();
    EXPECT_TRUE(whole);
}

// Offscreen there is no program that shows documents, so an existing help file cannot be opened either.
INSTANTIATE_TEST_SUITE_P(Shell, HelpE2eTest,
                         ::testing::Values(HelpCase{"MissingFileFromTheMenu", false, nullptr, "not found"},
                                           HelpCase{"NoViewerByF1", true, "help", "no program"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShellE2eTest, TelnetThatCannotStartSaysWhichProgramAndWhy)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer({.args = {}, .iniExtra = "[SYSTEM]\nTELNETEXE=tarvik-no-such-telnet -x\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    QTreeWidgetItem* ne = program.TreeItem(QStringLiteral("North-1"));
    ASSERT_NE(ne, nullptr);
    program.ClickTreeItem(ne);

    ASSERT_TRUE(program.Command(kCmdTelnetToNe));
    ASSERT_EQ(program.Operator().boxTexts.size(), 1u);
    const QString text = program.Operator().boxTexts.back();
    EXPECT_TRUE(text.contains(QLatin1String("tarvik-no-such-telnet"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("not found"))) << text.toStdString();
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

} // namespace
