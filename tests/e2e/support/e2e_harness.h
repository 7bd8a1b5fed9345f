#pragma once
// The running program as the unit of test. CProgram starts a simulated peer (the management server or one NE) on a
// free port, boots the real application object and main frame in this process (offscreen) in a working directory
// laid out as the run command lays out build/run (definition files, splash picture, the list icons), logs in through
// the login dialog, and lets a test act as the operator: trigger a command from the main menu or the toolbar,
// right-click a tree item, click a list header, answer the modal dialogs that come up by script and work them with
// the operator's actions (operator_actions.h). A test then reads what the views show and what reached the peer.
// Nothing stands between the menu and the wire.
//
//     e2e::CProgram program;
//     ASSERT_TRUE(program.StartServer());
//     ASSERT_TRUE(program.Login("admin", "admin"));
//     program.Operator().AnswerBox(IDYES);
//     ASSERT_TRUE(program.Command(kCmdDeleteNe));
//     EXPECT_TRUE(program.WaitUntil([&] { return AppData().nes.FindNeById(3) == nullptr; }));

#include "tests/e2e/support/operator_actions.h"
#include "tests/link/server_sim_harness.h"
#include "tests/link/snmp_test_support.h"
#include "tests/ui/shell/app/app_test_support.h"

#include "link/records/record_codec.h"
#include "link/records/request_code.h"
#include "platform/notify_codes.h"
#include "platform/scripted_runners.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

class CEmsApp;
class CMainFrame;
class CGroupView;
class QHeaderView;
class QKeySequence;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace e2e {

// The operator in front of the program: answers every modal dialog, message box, file chooser and popup menu by
// script. The login dialog takes scripted logins; the wait dialog runs for real until its request ends; any other
// dialog takes the first queued script written for its class (none: the dialog is cancelled and noted).
class COperator : public ModalRunner {
public:
    using LoginScript = app_test::CAppRunner::LoginScript;

    COperator();
    ~COperator() override;
    COperator(const COperator&) = delete;
    COperator& operator=(const COperator&) = delete;

    void PushLogin(LoginScript script) { logins_.push_back(std::move(script)); }
    void PushLogin(const app_test::LoginInput& input);
    // The next program message box is answered with `result` (none queued: its default button).
    void AnswerBox(int result) { boxAnswers_.push_back(result); }
    void ForgetBoxAnswers() { boxAnswers_.clear(); } // those no box took
    // The next dialog of class Dlg (run modally) is worked by `script`, which returns the result to end it with
    // when the dialog has not ended itself. A script that returns nothing (one with ASSERT_... in it) ends it with
    // IDCANCEL.
    template <class Dlg, class Script> void OnDialog(Script script)
    {
        dialogScripts_.push_back({typeid(Dlg).name(), [script](QDialog& dialog) mutable -> std::optional<int> {
                                      auto* typed = dynamic_cast<Dlg*>(&dialog);
                                      if (typed == nullptr)
                                          return std::nullopt;
                                      if constexpr (std::is_void_v<std::invoke_result_t<Script&, Dlg&>>) {
                                          script(*typed);
                                          return IDCANCEL;
                                      } else {
                                          return script(*typed);
                                      }
                                  }});
    }
    // The popup menus offered so far (enabled command ids of each) and the choices to make in the next ones.
    ScriptedPopupMenus& Popups() { return popups_; }
    ScriptedFileChooser& Files() { return files_; }
    ScriptedMessageBoxes& PlainBoxes() { return plainBoxes_; }

    int RunModal(QDialog& dialog) override;
    // Scripts queued for dialogs that have not come up (yet).
    size_t UnusedDialogScripts() const { return dialogScripts_.size(); }

    // What the operator saw.
    int loginRuns = 0;
    std::vector<QString> boxTexts; // program message boxes, in order
    // The text of the last program message box; empty when none came up.
    QString LastBoxText() const { return boxTexts.empty() ? QString() : boxTexts.back(); }
    // Runs while each program message box is up, before it is answered.
    std::function<void(QDialog&)> onBox;
    QStringList dialogsRun;        // titles of every other modal dialog, in order
    QStringList unscriptedDialogs; // titles of dialogs no script was queued for (cancelled)

private:
    struct DialogScript {
        std::string className;
        std::function<std::optional<int>(QDialog&)> run;
    };

    std::deque<LoginScript> logins_;
    std::deque<int> boxAnswers_;
    std::vector<DialogScript> dialogScripts_;
    ScriptedPopupMenus popups_;
    ScriptedFileChooser files_;
    ScriptedMessageBoxes plainBoxes_;
    ModalRunner* previous_;
};

// Which peer the program talks to, and how it is started.
struct PeerOptions {
    // Extra arguments of the peer process (the server gets the test world and --test-control already).
    std::vector<std::string> args;
    // The server serves a made-up network of this many NEs (--generate-nes) in place of the test world; 0 none.
    uint32_t generatedNes = 0;
    // Extra lines of Tarvik.ini, appended after the keys that point the program at the peer.
    std::string iniExtra;
};

// The Tarvik.ini lines of an operator's toolbar of one 24 x 24 button that gives `commandId` (for a command that no
// menu offers, or that the test reaches the way an operator who configured it does).
std::string ToolbarOf(int commandId);

class CProgram {
public:
    CProgram();
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    // The simulated management server with the test world (accounts admin/admin, manager/manager, north/north).
    bool StartServer(const PeerOptions& options = {});
    // The simulated NE with the given scenario (default: the 48-port NE of the tests' data), direct mode.
    bool StartAgent(const PeerOptions& options = {}, const std::string& scenario = {});
    // The same NE with more scenario sections after the default ones: values the NE would refuse to be written are
    // taken as given.
    bool StartAgentWith(const std::string& sections);
    // Starts the program and logs in through the login dialog; true when the main window is up. In server mode it
    // returns once the state of every entity, which the server sends after the login, is in the model, as an operator
    // finds it a moment later; in direct mode once the NE's first poll has told its cards (3 s at the most).
    bool Login(const std::string& user, const std::string& password);
    // Starts the program, whose login dialog takes the logins queued with Operator().PushLogin.
    bool Start();
    // The simulated server with the test world, the program logged in as its admin and the NE `ne` clicked in the
    // tree; false when any of them fails.
    bool LoginAsAdminAt(const QString& ne);
    // The simulated NE (its default scenario, with `sections` after it as StartAgentWith takes them), the program
    // logged in to it directly with the NE's private community and the NE clicked in the tree; false when any of
    // them fails.
    bool LoginToTheNe(const std::string& sections = {});

    CEmsApp& App() { return *app_; }
    CMainFrame& Frame();
    CGroupView& Tree();
    COperator& Operator() { return operator_; }
    const app_test::CWorkDir& WorkDir() const { return dir_; }

    // The operator's actions. A command is triggered through the action of the main menu shown (false when that menu
    // does not offer it enabled); a toolbar button through its visible, enabled action.
    bool Command(int commandId);
    bool ToolbarButton(int commandId);
    // The tree item whose text is `text` (the first in tree order), or null.
    QTreeWidgetItem* TreeItem(const QString& text);
    void ClickTreeItem(QTreeWidgetItem* item);
    // Right-clicks the item (null: the tree's blank area below its items); the popup is answered by
    // Operator().Popups(). Returns the command ids it offered.
    std::vector<int> RightClickTreeItem(QTreeWidgetItem* item, int choose = 0);
    // Clicks the tab of the frame's view bar that shows `text`; false when there is none.
    bool ClickViewTab(const QString& text);
    // A click on a list's column header, as with the mouse.
    static void ClickHeader(QHeaderView& header, int column);
    // Whether a column's header shows that image of the small image list (31 and 32 the sort arrows, 39 sorted
    // elsewhere); -1: no image.
    static bool HeaderShowsImage(const QTreeView& list, int column, int image);
    // Keys pressed and released in the main window, as on the keyboard (shortcuts and F1 included).
    void PressKeys(const QKeySequence& keys);
    // The list operations take a widget list and a model-backed one alike.
    // A click on a row of a list (on its cell in `column`), as with the mouse.
    void ClickListRow(QTreeView& list, int row, int column = 0);
    // Right-clicks a row of a list, as RightClickTreeItem does.
    std::vector<int> RightClickListRow(QTreeView& list, int row, int choose = 0);
    // Right-clicks a point of a window (a view's drawing, a map), as RightClickTreeItem does.
    std::vector<int> RightClickAt(QWidget& window, const QPoint& at, int choose = 0);
    // The mouse over a window: moved to a point, and a drag with the left button held from one point to another.
    void MoveMouse(QWidget& window, const QPoint& to);
    void Drag(QWidget& window, const QPoint& from, const QPoint& to);
    // The texts of a list's column as the screen shows them: the rows in view, top down.
    static QStringList ShownColumn(const QTreeView& list, int column);
    // The rectangle a row of a list takes in its viewport, across the columns in view.
    static QRect ListRowRect(const QTreeView& list, int row);
    // Saves a picture of the widget as screenshots/<name>.png beside the test program; false when it cannot.
    static bool SaveScreenshot(QWidget& widget, const QString& name);

    // Runs the event loop (the frame's timers too) until the condition holds; false past the bound.
    bool WaitUntil(const std::function<bool()>& condition, int boundMs = 10000);
    // Lets the frame's timer apply what arrived and refresh the views once.
    void Settle();
    // A request through the program's server link, which returns after what the server sent before its reply.
    void ReadWhatTheServerSentAfterTheLogin();
    void WaitForTheNesFirstPoll();

    // The peers' side.
    uint16_t PeerPort() const { return peerPort_; }
    // The simulated server's process, while it runs; -1 otherwise.
    pid_t ServerPid() const { return server_.Pid(); }
    // A second workstation logged on to the simulated server as admin, to read what the program sent.
    server_test::CRawClient& ServerProbe();
    // The server gives the administrators, managers and users the right letter for every function; false when it
    // refused.
    bool SetRoleRights(char administrator, char manager, char user);
    // The records of a query (operation 1) sent by the probe; empty on failure.
    std::vector<std::vector<uint8_t>> QueryServer(uint16_t code, uint32_t neId, const std::vector<uint8_t>& record,
                                                  uint32_t recordSize);
    // The same with the query body the request catalogue gives the code (zeros).
    std::vector<std::vector<uint8_t>> QueryServer(uint16_t code, uint32_t neId);
    // What the server keeps of a code, decoded: program.ServerRecords(kReqLocation).
    template <class Rec> std::vector<Rec> ServerRecords(RequestCode<Rec> code, uint32_t neId = 0)
    {
        std::vector<Rec> records;
        for (const std::vector<uint8_t>& bytes : QueryServer(code, neId)) {
            Rec record;
            if (DecodeRecord(bytes.data(), bytes.size(), &record))
                records.push_back(std::move(record));
        }
        return records;
    }

private:
    bool WriteIni(const std::string& keys);
    // `contextEvent`: the click is also delivered as the context menu request the window system makes of it.
    std::vector<int> RightClickAt(QWidget& viewport, const QPoint& at, int choose, bool contextEvent);

    app_test::CWorkDir dir_;
    COperator operator_;
    server_test::CSimServerProcess server_;
    snmp_test::CAgentProcess agent_;
    std::unique_ptr<server_test::CRawClient> probe_;
    std::unique_ptr<CEmsApp> app_;
    uint16_t peerPort_ = 0;
    bool direct_ = false;
    std::string iniExtra_;
};

} // namespace e2e
