#pragma once
// The application object: start-up in its fixed order, shutdown, the application commands Exit, Logout and About,
// the login and logout with the link of the chosen mode, the configuration load and save, and the telnet start for
// an NE. One per program (GetEmsApp()). Its window-free state lives in AppSettings() (the configuration values) and
// AppData() (tables, operator, role, scope); the current link driver is GetCurrentDriver().
//
// The main frame calls in here: OnExit when its window is asked to close while the exit flag is clear (and then keeps
// the window open), OnCommand for the application's commands, LoadConfiguration(false) every 20 ticks, and
// OnForcedLogoutTimer from its timer 10004.

#include "core/util/ip_address.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/shell/app/app_frame.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

class CAppDispatchUi;
class CPduLogDlg;
class CQtLinkUi;
class CSkinDlg;
class CSoundThread;

class CEmsApp : public QObject {
    Q_OBJECT
public:
    // Commands of the application object.
    static constexpr int kCmdAbout = 57664;
    static constexpr int kCmdExit = 57665;
    static constexpr int kCmdClose = 33023;
    static constexpr int kCmdLogout = 33055;
    static constexpr int kCmdHelpContents = 33050;

    // Timer 10004 of the main frame and the period the forced logout waits.
    static constexpr int kLogoutTimerId = 10004;
    static constexpr uint32_t kForcedLogoutDelayMs = 10000;

    // The text shown when the skin host cannot be made.
    static constexpr char kSkinFailureText[] =
        "Could not initialize WindowSkin control.\nPlease make sure it is installed properly.";

    // Alarm-sound thread shutdown: a quit every 50 passes of 10 ms.
    static constexpr int kSoundQuitPasses = 50;
    static constexpr int kSoundPassMs = 10;

    CEmsApp();
    ~CEmsApp() override;
    CEmsApp(const CEmsApp&) = delete;
    CEmsApp& operator=(const CEmsApp&) = delete;

    // Start-up; false ends the program (its message has been shown).
    bool InitInstance();
    // Shutdown after the main loop; the program's exit code.
    int ExitInstance();
    // Idle processing: the current driver's idle hook.
    bool OnIdle(int count);
    // The application's commands (About, Logout, Exit, Close); false for other ids.
    bool OnCommand(int id);
    // Makes the main frame through the factory, shows it; false when none could be made.
    bool CreateMainFrame();

    void OnAppAbout();
    // "Are you sure to exit?": on Yes logs off, returns to the base driver, closes the main frame, empties the tables.
    void OnExit();
    // "Are you sure to logout?": on Yes logs off and runs the login again; giving up there ends the program.
    void OnLogout();
    // Runs the login dialog until logged in (true) or the operator chose Exit (false).
    bool Login(const std::string& userName);
    // Timer 10004: logs off and ends the program, unless a request is in progress (false: the next tick tries again).
    bool OnForcedLogoutTimer();

    // Full: every key, the definition files, the entity models and the map list (false, with the message shown, when
    // a definition file is missing; nothing changes then). Not full: the live keys only (always true).
    bool LoadConfiguration(bool full);
    // Writes "SYSTEM", "LINK", "ALARM" or "MAP" (any case), or every section for an empty name; MAP also writes the
    // map list to the map definition file. Always true; a file that cannot be written is logged.
    bool SaveConfiguration(std::string_view section = {});

    // Telnet to an NE of the table (needs the query right of the NE operations), or to an address (null: none). A
    // telnet program that cannot be started is reported with its name and the reason.
    void TelnetToNeById(uint32_t neId);
    void TelnetToNe(const IpAddress* address);
    // Shows the help file named by the configuration (relative to the working directory) with the desktop's viewer;
    // a file that is missing or cannot be shown is reported with its path and the reason.
    void OpenHelpFile(const QString& configuredName);

    std::string GetAppTitle() const;
    // Direct control is offered on every system this program runs on.
    static bool CheckOsVersion() { return true; }

    // State.
    const std::string& GetConfigPath() const { return configPath_; }
    bool GetExitFlag() const { return exitFlag_; }
    void SetExitFlag(bool on) { exitFlag_ = on; }
    // The list popup menu (103 server mode, 105 direct mode) and the entity context menu chosen at login; the frame
    // changes the latter with the state of the current NE.
    int GetListPopupMenuId() const { return ::GetListPopupMenuId(); }
    int GetEntityMenuId() const { return GetEntityPopupMenuId(); }
    void SetEntityMenuId(int id) { SetEntityPopupMenuId(id); }
    std::thread::id GetUiThreadId() const { return uiThreadId_; }
    const QFont& GetDialogFont() const { return dialogFont_; }
    DisplayScale GetDialogScale() const { return dialogScale_; }
    IAppFrame* GetMainFrame() const { return frame_.get(); }
    CPduLogDlg* GetPduLogWindow() const;
    CSkinDlg* GetSkinDlg() const { return skinDlg_.get(); }
    bool IsSoundThreadRunning() const;

    // How the main frame is made; until one is set CreateMainFrame fails.
    void SetMainFrameFactory(MainFrameFactory factory) { frameFactory_ = std::move(factory); }

protected:
    // F1 released anywhere posts Help Contents to the main frame.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowMainFrame();
    void LoadSkin(const std::string& configuredPath);
    void SendLogoff(int32_t timeoutMs);
    void PostCloseMainFrame();
    void WriteLoginKeys();
    void StopSoundThread();

    std::string configPath_;
    std::unique_ptr<CSkinDlg> skinDlg_;
    std::unique_ptr<CQtLinkUi> linkUi_;
    std::unique_ptr<CAppDispatchUi> dispatchUi_;
    std::unique_ptr<CSoundThread> soundThread_;
    std::unique_ptr<IAppFrame> frame_;
    MainFrameFactory frameFactory_;
    QFont dialogFont_;
    DisplayScale dialogScale_;
    bool exitFlag_ = false;
    std::thread::id uiThreadId_;
    QTimer idleTimer_;
    bool inIdle_ = false;
};

// The program's application object; null before it is made and after it is gone.
CEmsApp* GetEmsApp();
