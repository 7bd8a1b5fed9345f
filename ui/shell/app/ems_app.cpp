#include "ui/shell/app/ems_app.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/config/ini_writers.h"
#include "core/ini/file_path.h"
#include "core/ini/ini_file.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "link/driver_mode.h"
#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/server/server_dispatch_rules.h"
#include "link/server_message_dispatcher.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "platform/message_box_runner.h"
#include "platform/notify_codes.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/link_ui/qt_link_ui.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/skin/skin_dlg.h"
#include "ui/framework/skin/skin_glue.h"
#include "ui/shell/app/about_dlg.h"
#include "ui/shell/app/app_configuration.h"
#include "ui/shell/app/app_dispatch_ui.h"
#include "ui/shell/app/app_tables.h"
#include "ui/shell/app/dialog_font_scale.h"
#include "ui/shell/app/login_dlg.h"
#include "ui/shell/app/login_sequence.h"
#include "ui/shell/app/sound_thread_host.h"
#include "ui/shell/app/telnet_launcher.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace {

CEmsApp* theApp = nullptr;

constexpr uint32_t kIdleDelayMs = 10;

bool CanOpen(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return file.is_open();
}

} // namespace

CEmsApp* GetEmsApp()
{
    return theApp;
}

CEmsApp::CEmsApp()
    : linkUi_(std::make_unique<CQtLinkUi>()),
      dispatchUi_(std::make_unique<CAppDispatchUi>([this] { return frame_.get(); })),
      soundThread_(std::make_unique<CSoundThread>())
{
    theApp = this;
    uiThreadId_ = std::this_thread::get_id();
    SetUiThreadId(uiThreadId_);
    SetLinkUi(linkUi_.get());
    SetDispatchUi(dispatchUi_.get());
    ServerDispatchOptions options;
    options.setAllUserRights = [](const std::string& administrator, const std::string& manager,
                                  const std::string& user) {
        SetAllUserRights(administrator.c_str(), manager.c_str(), user.c_str());
    };
    InstallServerDispatchRules(AppData(), options);
    RegisterSnmpDriver();

    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(static_cast<int>(kIdleDelayMs));
    connect(&idleTimer_, &QTimer::timeout, this, [this] { OnIdle(0); });
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        // Idle work only while server messages wait, so that an idle loop never spins.
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (!idleTimer_.isActive() && QueuedServerMessageCount() > 0)
                idleTimer_.start();
        });
    }
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

CEmsApp::~CEmsApp()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    StopSoundThread();
    frame_.reset();
    SetDriverMode(kDriverModeBase);
    SetDispatchUi(nullptr);
    RemoveServerDispatchRules();
    SetLinkUi(nullptr);
    linkUi_.reset();
    if (skinDlg_)
        skinDlg_->DestroyWindow();
    if (theApp == this)
        theApp = nullptr;
}

bool CEmsApp::InitInstance()
{
    // The sockets of this system need no start-up. The skin host comes first: the splash lives in it.
    skinDlg_ = std::make_unique<CSkinDlg>();
    if (!skinDlg_->Create()) {
        AppMessageBox(QString::fromLatin1(kSkinFailureText), static_cast<int>(MB_ICONHAND));
        return false;
    }
    frame_.reset();
    uiThreadId_ = std::this_thread::get_id();
    SetUiThreadId(uiThreadId_);

    configPath_ = ResolveFilePath(ConfigFilePath());
    std::string error;
    const std::optional<CIniFile> ini = CIniFile::Load(configPath_, &error);
    if (!ini) {
        PlainMessageBoxText(LoadQString(kStrMissImportantFile) + QString::fromStdString(configPath_),
                            static_cast<int>(MB_ICONHAND));
        return false;
    }

    LoadSkin(ReadIniString("SYSTEM", "WINSKINFILE", ".\\Skin\\Skin.dat", *ini));
    const std::string splash =
        ResolveFilePath(PathInWorkingDirectory(ReadIniString("SYSTEM", "WINSPLASHFILE", ".\\Logo\\Logo.dat", *ini)));
    if (CanOpen(splash))
        skinDlg_->ShowSplash(QString::fromStdString(splash));

    const bool loaded = LoadConfiguration(true);
    // The picture stays until the login dialog is up in its place.
    skinDlg_->CloseSplash(loaded);
    if (!loaded)
        return false;

    // The PDU log window exists from here on, hidden until PDULOG/PDULOGWIN asks for it.
    linkUi_->PduLogWindow();

    if (!Login(AppSettings().userName))
        return false;
    if (!CreateMainFrame())
        return false;

    if (const CSoundThread::Body& body = GetAlarmSoundThreadBody())
        soundThread_->Start(body);
    return true;
}

int CEmsApp::ExitInstance()
{
    linkUi_->DestroyPduLogWindow();
    SetDriverMode(kDriverModeBase);
    StopSoundThread();
    if (skinDlg_)
        skinDlg_->DestroyWindow();
    return 0;
}

void CEmsApp::StopSoundThread()
{
    // The thread's waits end at a quit, so this takes a pass or two; the quit is repeated every 50 passes all the same.
    for (int pass = 0; soundThread_->IsRunning(); ++pass) {
        if (pass % kSoundQuitPasses == 0)
            soundThread_->PostQuit();
        std::this_thread::sleep_for(std::chrono::milliseconds(kSoundPassMs));
    }
    soundThread_->Join();
}

bool CEmsApp::IsSoundThreadRunning() const
{
    return soundThread_->IsRunning();
}

bool CEmsApp::OnIdle(int /*count*/)
{
    // A dispatch effect may open a window with its own loop; its idle hook must not run the dispatcher again.
    if (inIdle_)
        return false;
    inIdle_ = true;
    GetCurrentDriver().OnAppIdle();
    inIdle_ = false;
    return false;
}

bool CEmsApp::eventFilter(QObject* watched, QEvent* event)
{
    // Key events reach the window first, then its widgets: the window's delivery is taken, once per key.
    if (event->type() == QEvent::KeyRelease && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat() && frame_ && frame_->FrameWindow() != nullptr)
            frame_->PostFrameCommand(kCmdHelpContents);
    }
    return QObject::eventFilter(watched, event);
}

bool CEmsApp::OnCommand(int id)
{
    switch (id) {
    case kCmdAbout:
        OnAppAbout();
        return true;
    case kCmdLogout:
        OnLogout();
        return true;
    case kCmdExit:
    case kCmdClose:
        OnExit();
        return true;
    default:
        return false;
    }
}

bool CEmsApp::CreateMainFrame()
{
    if (!frameFactory_)
        return false;
    frame_ = frameFactory_();
    if (!frame_ || frame_->FrameWindow() == nullptr) {
        frame_.reset();
        return false;
    }
    ShowMainFrame();
    return true;
}

void CEmsApp::ShowMainFrame()
{
    QWidget* window = frame_->FrameWindow();
    if (!window->isVisible()) {
        // The main window fills the screen; where nothing maximises it (no window manager), it still starts large.
        if (const QScreen* screen = window->screen())
            window->resize(screen->availableGeometry().size() * 0.9);
        window->showMaximized();
    }
    window->update();
}

CPduLogDlg* CEmsApp::GetPduLogWindow() const
{
    return linkUi_->HasPduLogWindow() ? &linkUi_->PduLogWindow() : nullptr;
}

std::string CEmsApp::GetAppTitle() const
{
    return ::GetAppTitle(AppSettings());
}

void CEmsApp::OnAppAbout()
{
    CAboutDlg dialog;
    dialog.DoModal();
}

void CEmsApp::SendLogoff(int32_t timeoutMs)
{
    CRecordRequests().Action(kReqLogoff, 0, {.timeoutMs = timeoutMs, .waitDialog = false});
}

void CEmsApp::PostCloseMainFrame()
{
    QTimer::singleShot(0, this, [this] {
        if (frame_ && frame_->FrameWindow() != nullptr)
            frame_->FrameWindow()->close();
        if (exitFlag_)
            QCoreApplication::quit();
    });
}

void CEmsApp::OnExit()
{
    exitFlag_ = false;
    if (ShowMessageById(kStrSureToExit, static_cast<int>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2)) != IDYES)
        return;
    exitFlag_ = true;
    if (frame_)
        frame_->HideFrameWindows();
    // The program closes whether the server answers or not.
    SendLogoff(0);
    SetDriverMode(kDriverModeBase);
    if (frame_)
        frame_->StopFrameTimers();
    PostCloseMainFrame();
    EmptyAppTables(AppData());
}

void CEmsApp::OnLogout()
{
    if (ShowMessageById(kStrSureToLogout, static_cast<int>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2)) != IDYES)
        return;
    if (frame_)
        frame_->HideFrameWindows();
    SendLogoff(0);
    if (frame_)
        frame_->StopFrameTimers();
    EmptyAppTables(AppData());
    exitFlag_ = false;

    if (!Login(AppSettings().userName) || !LoadConfiguration(true)) {
        exitFlag_ = true;
        PostCloseMainFrame();
        return;
    }
    if (frame_) {
        frame_->InitFrame();
        // The logout hid the window; the new session shows it again.
        ShowMainFrame();
    }
}

bool CEmsApp::OnForcedLogoutTimer()
{
    CNetDrv& driver = GetCurrentDriver();
    if (driver.IsInTransaction())
        return false;
    SendLogoff(CNetDrv::kDefaultTimeout);
    SetDriverMode(kDriverModeBase);
    exitFlag_ = true;
    PostCloseMainFrame();
    return true;
}

void CEmsApp::LoadSkin(const std::string& configuredPath)
{
    const std::string path = ResolveFilePath(PathInWorkingDirectory(configuredPath));
    if (CanOpen(path)) {
        skinDlg_->CreateSkinObject(true);
        LoadSkinFile(QString::fromStdString(path));
    } else {
        // No skin file: windows are drawn plainly.
        skinDlg_->CreateSkinObject(false);
    }
}

bool CEmsApp::Login(const std::string& userName)
{
    if (skinDlg_)
        LoadSkin(ReadIniString("SYSTEM", "WINSKINFILE", ".\\Skin\\Skin.dat", configPath_));
    if (CPduLogDlg* pduLog = GetPduLogWindow())
        pduLog->hide();
    FlushPduLog(0, 1);

    CLoginDlg dialog;
    dialog.userName = userName;
    dialog.password.clear();
    dialog.direct = AppSettings().directControl ? 1 : 0;

    for (;;) {
        SetDriverMode(kDriverModeBase);
        dialog.address = AppSettings().serverIp;
        if (dialog.DoModal() != IDOK)
            return false;

        CAppSettings& settings = AppSettings();
        CAppData& app = AppData();
        LoginEntry entry;
        entry.direct = dialog.direct != 0;
        entry.address = dialog.address;
        entry.port = static_cast<uint16_t>(dialog.port);
        entry.userName = dialog.userName;
        entry.password = dialog.password;

        settings.directControl = entry.direct;
        settings.userName = entry.userName.substr(0, CAppData::kLoginNameMax);
        app.SetLoginUserName(entry.userName);
        app.SetLoginPassword(entry.password);
        (entry.direct ? settings.snmpPort : settings.serverPort) = entry.port;
        settings.serverIp = entry.address;

        CNetDrv& driver = GetCurrentDriver();
        LoginResult result;
        if (entry.direct) {
            DirectLoginOptions options;
            options.syncNeTime = ReadIniBool("SYSTEM", "SYNCNETIMEAFTERLOGIN", false, configPath_);
            options.syncNeTimeMaxYear =
                ReadIniIntInRange("SYSTEM", "SYNCNETIMEMAXYEAR", 2000, configPath_, 1997, 2038, true);
            result = RunDirectLogin(driver, app, entry, options);
        } else {
            result = RunServerLogin(driver, app, entry);
        }

        switch (result.step) {
        case LoginStep::kLoggedIn:
            break;
        case LoginStep::kTablesFailed:
            // The link went while the tables loaded: nothing of them is kept, the operator may try again.
            if (result.code != kDrvCancelled)
                GetLinkUi().ShowFailureMessage(kStrFailedToLogin, result.code, GetDriverErrorText(result.code));
            continue;
        case LoginStep::kUserIncorrect:
            ShowStatusMessageById(kStrUserNameIncorrect);
            continue;
        case LoginStep::kLogonRefused:
        case LoginStep::kNeNotStored:
        case LoginStep::kNeQueryFailed:
            continue;
        }

        // The context menus of lists and entities follow the mode of the login.
        SetListPopupMenuId(result.listPopupMenuId);
        SetEntityPopupMenuId(result.entityMenuId);
        WriteLoginKeys();
        FlushPduLog(1, 1);
        return true;
    }
}

void CEmsApp::WriteLoginKeys()
{
    const CAppSettings& settings = AppSettings();
    const std::vector<IniEdit> edits = {
        IniStringEdit("SYSTEM", "SERVERIP", FormatIpAddress(settings.serverIp)),
        IniBoolEdit("SYSTEM", "DIRECTCONTROL", settings.directControl),
        settings.directControl ? IniIntEdit("LINK", "SNMPPORT", settings.snmpPort)
                               : IniIntEdit("LINK", "SERVERPORT", settings.serverPort),
        IniStringEdit("SYSTEM", "USERNAME", settings.userName),
    };
    std::string error;
    if (!WriteIniEdits(configPath_, edits, &error))
        qWarning("login settings not written: %s", error.c_str());
}

bool CEmsApp::LoadConfiguration(bool full)
{
    if (configPath_.empty())
        configPath_ = ResolveFilePath(ConfigFilePath());
    if (!full) {
        AppSettings().ReadLiveSettings(configPath_);
        return true;
    }

    // Read aside: a missing definition file leaves every setting, model and map as it was.
    CAppSettings next = AppSettings();
    const ConfigReadResult read = next.ReadFullSettings(configPath_);
    if (!read.read)
        qWarning("%s", read.error.c_str());
    for (const std::string& fault : read.faults)
        qWarning("%s", fault.c_str());

    DefinitionLoad definitions = LoadDefinitionFiles(GetDefinitionFilePaths(next));
    if (!definitions.missingFile.empty()) {
        PlainMessageBoxText(LoadQString(kStrMissImportantFile) + QString::fromStdString(definitions.missingFile),
                            static_cast<int>(MB_ICONHAND));
        return false;
    }
    // A broken entry of a definition file is dropped, not fatal; it is reported here so that it is not silent.
    for (const std::string& diagnostic : definitions.diagnostics)
        qWarning("%s", diagnostic.c_str());

    dialogFont_ = DialogFontFromSpec(next.dialogFont);
    dialogScale_ = ComputeDialogScale(dialogFont_);
    SetAppDialogFont(dialogFont_);
    SetDisplayScale(dialogScale_);

    AppSettings() = next;
    InstallDefinitions(definitions);
    return true;
}

bool CEmsApp::SaveConfiguration(std::string_view section)
{
    if (configPath_.empty())
        configPath_ = ResolveFilePath(ConfigFilePath());
    const CAppSettings& settings = AppSettings();
    std::string error;
    if (!settings.SaveSettingsSection(configPath_, section, &error))
        qWarning("settings not saved: %s", error.c_str());
    if (section.empty() || IniNameEquals(section, "MAP")) {
        const std::string mapPath = GetDefinitionFilePaths(settings).map;
        if (!CurrentMapList().SaveMapList(mapPath, &error))
            qWarning("map list not saved: %s", error.c_str());
    }
    return true;
}

void CEmsApp::TelnetToNeById(uint32_t neId)
{
    if (CheckUserRight(AppData().role, kRightNeOperations, 'q') == 0) {
        ShowStatusMessageById(kStrNoPrivilege);
        return;
    }
    const CNeRecord* ne = AppData().nes.FindNeById(neId);
    if (ne == nullptr) {
        TelnetToNe(nullptr);
        return;
    }
    const IpAddress address = ne->address;
    TelnetToNe(&address);
}

void CEmsApp::TelnetToNe(const IpAddress* address)
{
    const std::string exe = ReadIniString("SYSTEM", "TELNETEXE", "", configPath_);
    const uint16_t port = ReadIniWord("SYSTEM", "TELNETPORT", 23, configPath_);
    const TelnetCommand command = BuildTelnetCommand(exe, port, address);
    // Nothing is shown when the program does not start; the log keeps why.
    const QString failure = CurrentProgramLauncher()(command.program, command.arguments);
    if (!failure.isEmpty())
        qWarning("telnet program %s not started: %s", qPrintable(command.program), qPrintable(failure));
}

void CEmsApp::OpenHelpFile(const QString& configuredName)
{
    const QString path =
        QString::fromStdString(ResolveFilePath(PathInWorkingDirectory(configuredName.trimmed().toStdString())));
    const QFileInfo file(path);
    // As with telnet, a help file that cannot be shown is only logged.
    if (!file.isFile() || !QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
        qWarning("help file %s not shown", qPrintable(path));
}
