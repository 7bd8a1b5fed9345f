#include "ui/shell/frame/main_frame.h"

#include "core/config/app_settings.h"
#include "core/config/ini_writers.h"
#include "core/ini/ini_file.h"
#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "core/tables/trap_log_ring.h"
#include "core/tables/ne_table.h"
#include "link/ems_msg.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/records/entity_state_rec.h"
#include "link/server_message_dispatcher.h"
#include "platform/control_id.h"
#include "platform/font_from_spec.h"
#include "platform/posted_call.h"
#include "platform/window_timers.h"
#include "ui/framework/ca_dialog.h"
#include "ui/framework/context_menu_data.h"
#include "ui/framework/dialog_environment.h"
#include "ui/framework/export_dlg.h"
#include "ui/framework/form_view.h"
#include "ui/framework/pdu_log_dlg.h"
#include "ui/framework/skin_glue.h"
#include "ui/framework/small_images.h"
#include "ui/framework/string_table.h"
#include "ui/shell/frame/entity_icons.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/frame_host.h"
#include "ui/shell/frame/frame_icons.h"
#include "ui/shell/frame/frame_resources.h"
#include "ui/shell/frame/frame_status_bar.h"
#include "ui/shell/frame/frame_tick.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/location_indicator_dlg.h"
#include "ui/shell/frame/main_menu_cases.h"
#include "ui/shell/frame/splitter_sizes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QToolBar>

#include <algorithm>

namespace {

// Accelerators of the frame and the commands they send.
struct Accelerator {
    const char* keys;
    int commandId;
};

// Commands of the edit accelerators, passed on to the widget with the focus.
constexpr int kCmdEditCopy = 57634;
constexpr int kCmdEditCut = 57635;
constexpr int kCmdEditFind = 57636;
constexpr int kCmdEditPaste = 57637;
constexpr int kCmdEditUndo = 57643;

// F1 is not among them: the application object turns every released F1 into Help Contents, and a second path here
// would open the help twice for one key press.
constexpr Accelerator kAccelerators[] = {
    {"Ctrl+H", 33050},          {"Ctrl+L", 33055},
    {"Ctrl+Q", 33023},          {"F3", 33154},
    {"Ctrl+Alt+Shift+P", 1268}, {"Ctrl+Alt+Shift+T", 1093},
    {"Ctrl+C", kCmdEditCopy},   {"Ctrl+Ins", kCmdEditCopy},
    {"Ctrl+X", kCmdEditCut},    {"Shift+Del", kCmdEditCut},
    {"Ctrl+V", kCmdEditPaste},  {"Shift+Ins", kCmdEditPaste},
    {"Ctrl+Z", kCmdEditUndo},   {"Alt+Backspace", kCmdEditUndo},
    {"Ctrl+F", kCmdEditFind},
};

// Texts of the connection pane.
constexpr uint32_t kStrDisconnect = 10031;
constexpr uint32_t kStrInCommunicating = 10133;
constexpr uint32_t kStrConnected = 10022;

// Status icons of InitFrame: pane and list icon.
constexpr std::array<std::pair<int, int>, 5> kStatusIcons = {{{CFrameStatusBar::kClockPane, 3},
                                                              {CFrameStatusBar::kMessagePane, 4},
                                                              {CFrameStatusBar::kConnectionPane, kIconDisconnected},
                                                              {CFrameStatusBar::kFlashPane, 53},
                                                              {CFrameStatusBar::kBeepPane, 54}}};

// Initial pane sizes of the splitters.
constexpr int kTreeColumnWidth = 200;
constexpr int kTreeRowHeight = 510;

QString TextOf(uint32_t id, const char* fallback)
{
    const std::string* text = AppStrings().Find(id);
    return QString::fromUtf8(text != nullptr ? text->c_str() : fallback);
}

CIniFile ReadConfigFile()
{
    if (std::optional<CIniFile> ini = CIniFile::Load(ConfigFilePath()))
        return std::move(*ini);
    return CIniFile::Parse("");
}

void WithTabSignalsBlocked(QTabBar* tabs, const std::function<void()>& change)
{
    const QSignalBlocker blocker(tabs);
    change();
}

} // namespace

CMainFrame::CMainFrame(IFrameHost& host, QWidget* parent)
    : QMainWindow(parent), host_(host), timers_(std::make_unique<CWindowTimers>([this](int id) { OnTimer(id); })),
      clock_([] { return QDateTime::currentDateTime(); })
{
    viewTabs_.fill(kNoTab);
    MarkCtrlRoot(this);
    if (const std::string icon = FindFrameResource(kAppIconFile); !icon.empty())
        setWindowIcon(QIcon(QString::fromStdString(icon)));
    CreateBars();
    CreateClient();
    CreateAccelerators();
    LoadMenus();
    setWindowTitle(QString::fromStdString(GetAppTitle(AppSettings())));
    InitFrame();
    // Exports name the location the operator works in.
    SetExportCurrentLocationSource([this] { return static_cast<int>(currentLocationId_); });
}

CMainFrame::~CMainFrame()
{
    // The focus moves while the children go; by then this is no frame any more.
    disconnect(focusConnection_);
    SetExportCurrentLocationSource(nullptr);
    timers_->KillAll();
    for (CAFormView* view : {treeView_, summaryView_, rightView_}) {
        if (view != nullptr && GetActiveFormView() == view)
            SetActiveFormView(nullptr);
    }
    DestroyLocationIndicator();
    AppTrapLog().ReleaseTrapLog();
    // The menus go with the frame's children; the menu bar lets go of them first.
    menuBar()->clear();
}

// ---------------------------------------------------------------------------------------------------------------
// Creation

void CMainFrame::CreateBars()
{
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("mainToolBar"));
    toolBar_->setMovable(true);
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);

    addToolBarBreak();
    dialogBarHolder_ = addToolBar(QStringLiteral("View Bar"));
    dialogBarHolder_->setObjectName(QStringLiteral("viewBar"));
    dialogBarHolder_->setMovable(false);
    dialogBar_ = new CFrameDialogBar(dialogBarHolder_);
    dialogBarHolder_->addWidget(dialogBar_);
    connect(dialogBar_, &CFrameDialogBar::viewTabChanged, this, [this] { OnViewTabChange(); });

    statusBar_ = new CFrameStatusBar(this);
    setStatusBar(statusBar_);
    statusBar_->SetPaneText(CFrameStatusBar::kClockPane, QString());
    statusBar_->SetPaneText(CFrameStatusBar::kConnectionPane, QString());
}

void CMainFrame::CreateClient()
{
    outerSplitter_ = new QSplitter(Qt::Horizontal, this);
    outerSplitter_->setObjectName(QStringLiteral("outerSplitter"));
    innerSplitter_ = new QSplitter(Qt::Vertical, outerSplitter_);
    innerSplitter_->setObjectName(QStringLiteral("innerSplitter"));
    innerSplitter_->setFrameShape(QFrame::StyledPanel);
    outerSplitter_->addWidget(innerSplitter_);

    // Views are made without a parent: a splitter would take in a new child at its end by itself.
    treeView_ = CreatePaneView(kViewTree, false);
    innerSplitter_->addWidget(treeView_);
    summaryView_ = CreatePaneView(kViewAlarmSummary, false);
    innerSplitter_->addWidget(summaryView_);
    rightView_ = CreatePaneView(kViewAbout, true);
    rightPaneCode_ = kViewAbout;
    outerSplitter_->addWidget(rightView_);
    focusConnection_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocus(now); });

    // The right pane takes what the left column leaves. In the left column the tree takes what the window gains or
    // loses: the alarm summary keeps the height it asks for, that shows all its rows.
    innerSplitter_->setStretchFactor(0, 1);
    innerSplitter_->setStretchFactor(1, 0);
    outerSplitter_->setStretchFactor(0, 0);
    outerSplitter_->setStretchFactor(1, 1);
    paneMinimums_[kOuterSplitter] = {0, 0};
    paneMinimums_[kInnerSplitter] = {0, 0};
    setCentralWidget(outerSplitter_);
}

void CMainFrame::SetInitialPaneSizes()
{
    // The splitters share space by proportion until they have been laid out; in pixels only once they have a size.
    const int width = std::max(outerSplitter_->width() - outerSplitter_->handleWidth(), kTreeColumnWidth + 1);
    const int height = std::max(innerSplitter_->height() - innerSplitter_->handleWidth(), kTreeRowHeight + 1);
    outerSplitter_->setSizes({kTreeColumnWidth, width - kTreeColumnWidth});
    innerSplitter_->setSizes({kTreeRowHeight, height - kTreeRowHeight});
}

void CMainFrame::CreateAccelerators()
{
    for (const Accelerator& accelerator : kAccelerators) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(QString::fromLatin1(accelerator.keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = accelerator.commandId;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action);
    }
}

void CMainFrame::LoadMenus()
{
    // The main menus share the file format of the context menus: a menu is its top-level popups.
    const ContextMenuFile file = LoadContextMenuFile(FindFrameResource(kMainMenuFile));
    for (size_t menuCase = 0; menuCase < kMainMenuResourceIds.size(); ++menuCase) {
        const ContextMenu* definition = file.FindMenu(kMainMenuResourceIds[menuCase]);
        if (definition == nullptr)
            continue;
        for (const ContextPopup& popup : definition->popups) {
            auto* menu = new QMenu(QString::fromStdString(popup.names.front()), this);
            FillMenu(menu, popup.entries, menuActions_[menuCase]);
            menus_[menuCase].push_back(menu);
        }
    }
}

void CMainFrame::FillMenu(QMenu* menu, const std::vector<ContextMenuEntry>& entries, std::vector<QAction*>& actions)
{
    for (const ContextMenuEntry& entry : entries) {
        switch (entry.kind) {
        case ContextMenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case ContextMenuEntry::Kind::Popup:
            FillMenu(menu->addMenu(QString::fromStdString(entry.text)), entry.children, actions);
            break;
        case ContextMenuEntry::Kind::Item: {
            QAction* action = menu->addAction(QString::fromStdString(entry.text));
            const int id = entry.commandId;
            action->setData(id);
            if (id == kCmdToggleLocationIndicator || id == kCmdTogglePortTip || id == kCmdToggleFocusFrame)
                action->setCheckable(true);
            if (const std::string* prompt = AppStrings().Find(static_cast<uint32_t>(id)))
                action->setStatusTip(QString::fromUtf8(prompt->c_str()).section(QLatin1Char('\n'), 0, 0));
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
            actions.push_back(action);
            break;
        }
        }
    }
}

// ---------------------------------------------------------------------------------------------------------------
// InitFrame

void CMainFrame::InitFrame()
{
    const CIniFile ini = ReadConfigFile();

    // A new session starts with an empty trap log; views see the new generation and start over.
    AppTrapLog().ResetTrapLog(AppSettings().trapLogSize);

    // Icons, colours and the skin.
    LoadToolIcons(ini);
    LoadListIcons(ini);
    textColors_ = LoadTextColors(ini);
    ApplySkinToWindow(this);

    // Selection and view.
    selectedKind_ = -1;
    rightViewCode_ = kViewNone;
    SelectView(0, kKeepCurrentView);
    SetCurrentLocation(0);
    SetCurrentEntity(0, nullptr);
    UpdateLocationIndicator(0.0, 0.0, 100);

    // Status bar: height for one line of text, the icons, the scaled widths of the text panes.
    const int textHeight = std::max(16, QFontMetrics(statusBar_->font()).boundingRect(QStringLiteral("Wly")).height());
    statusBar_->setMinimumHeight(textHeight + 6);
    ApplyStatusIcons();
    const double scale = GetDisplayScale().x;
    for (int pane : {CFrameStatusBar::kClockPane, CFrameStatusBar::kConnectionPane}) {
        const int width = statusBar_->InitialPaneWidth(pane);
        statusBar_->SetPaneWidth(pane, static_cast<int>((width - CFrameStatusBar::kIconSize) * scale) +
                                           CFrameStatusBar::kIconSize);
    }

    // Menu of the mode, the window, the frame timer.
    menuCase_ = -1;
    ShowMenu(host_.IsDirectMode() ? kMainMenuDirectNoNe : kMainMenuServerNoNe);
    setWindowState(windowState() | Qt::WindowMaximized);
    timers_->SetTimer(kFrameTimer, kFrameTimerPeriodMs);

    // The Location Indicator, the connection pane from a known state, the alarm panes.
    CreateLocationIndicator();
    UpdateConnectionStatus(true, false);
    UpdateConnectionStatus(false, false);
    UpdateAlarmPanes();

    // View flags: each toggled once from the opposite value, so that the flag, its check mark and the window follow
    // the key.
    const CAppSettings& settings = AppSettings();
    locIndicatorFlag_ = !settings.locIndicator;
    ToggleViewFlag(kCmdToggleLocationIndicator);
    portTipFlag_ = !settings.portTip;
    ToggleViewFlag(kCmdTogglePortTip);
    focusFrameFlag_ = !settings.focusFrame;
    ToggleViewFlag(kCmdToggleFocusFrame);

    if (CPduLogDlg* pduLog = host_.PduLogWindow())
        pduLog->setVisible(settings.pduLogWin);
    activePane_ = 0;

    ApplyFrameFont();
}

void CMainFrame::ApplyFrameFont()
{
    const QFont font = FontFromSpec(AppSettings().sysFont);
    // The frame's bars take the font; the menu keeps the desktop's, and the views set their own.
    for (QWidget* bar : std::initializer_list<QWidget*>{toolBar_, dialogBarHolder_, dialogBar_, statusBar_})
        bar->setFont(font);
    for (QObject* child : dialogBar_->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            widget->setFont(font);
    }
}

void CMainFrame::ApplyStatusIcons()
{
    for (const auto& [pane, icon] : kStatusIcons)
        statusBar_->SetPaneIcon(pane, GetListIcon(icon));
}

void CMainFrame::LoadToolIcons(const CIniFile& ini)
{
    toolBar_->clear();
    toolActions_.clear();
    const ToolIconSet set = ::LoadToolIcons(ini, IsSkinLoaded());
    toolBar_->setIconSize(QSize(set.iconWidth, set.iconHeight));
    for (const ToolButtonDef& button : set.buttons) {
        if (button.commandId == 0) {
            toolActions_.push_back(toolBar_->addSeparator());
            continue;
        }
        const int id = button.commandId;
        QAction* action = toolBar_->addAction(QIcon(button.image), QString());
        action->setData(id);
        if (const std::string* prompt = AppStrings().Find(static_cast<uint32_t>(id))) {
            // "status text\ntool tip"
            const QString text = QString::fromUtf8(prompt->c_str());
            action->setStatusTip(text.section(QLatin1Char('\n'), 0, 0));
            action->setToolTip(text.contains(QLatin1Char('\n')) ? text.section(QLatin1Char('\n'), 1) : text);
        } else {
            // Without a prompt the button is named as its menu entry.
            action->setToolTip(MenuTextOf(id));
        }
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        // Buttons are the picture with a margin of 8 across and 7 down.
        if (QWidget* buttonWidget = toolBar_->widgetForAction(action))
            buttonWidget->setFixedSize(set.iconWidth + 8, set.iconHeight + 7);
        toolActions_.push_back(action);
    }
    // The buttons are new: the hidden set has to be applied again whatever the menu case.
    toolbarTrimmed_ = false;
    SelectMainMenu();
}

QString CMainFrame::MenuTextOf(int commandId) const
{
    for (const auto& actions : menuActions_) {
        for (const QAction* action : actions) {
            if (action->data().toInt() == commandId) {
                QString text = action->text();
                text.remove(QStringLiteral("...")).replace(QStringLiteral("&&"), QStringLiteral("\x01"));
                return text.remove(QLatin1Char('&')).replace(QStringLiteral("\x01"), QStringLiteral("&"));
            }
        }
    }
    return {};
}

void CMainFrame::LoadListIcons(const CIniFile& ini)
{
    std::vector<bool> configured;
    listIcons_ = ::LoadListIcons(ini, &configured);
    // The configured pictures serve the lists of the whole program; its own pictures stay where none is configured.
    for (size_t i = 1; i < listIcons_.size(); ++i) {
        if (configured[i])
            SharedSmallImages().Set(static_cast<int>(i), listIcons_[i]);
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Menus and toolbar

void CMainFrame::ShowMenu(int menuCase)
{
    if (menuCase == menuCase_)
        return;
    menuCase_ = menuCase;
    menuBar()->clear();
    for (QMenu* menu : menus_[static_cast<size_t>(menuCase)])
        menuBar()->addMenu(menu);
    CheckViewMenuItems();
}

void CMainFrame::SelectMainMenu()
{
    const CNeRecord* ne = currentNeId_ != 0 ? FindNeById(currentNeId_) : nullptr;
    const MainMenuChoice choice = SelectMainMenuCase(host_.IsDirectMode(), ne, AppSettings().noOfflineMenu);
    ShowMenu(choice.menuCase);
    if (!toolbarTrimmed_ || choice.hiddenToolbarIds != hiddenToolIds_) {
        hiddenToolIds_ = choice.hiddenToolbarIds;
        TrimToolbar(hiddenToolIds_, 0);
        toolbarTrimmed_ = true;
    }
    host_.SetEntityMenuId(choice.entityMenuId);
}

void CMainFrame::TrimToolbar(const std::vector<uint16_t>& hiddenIds, int flag)
{
    for (QAction* action : toolActions_)
        action->setVisible(true);
    if (hiddenIds.empty() || flag == 1)
        return;
    for (QAction* action : toolActions_) {
        const int id = action->data().toInt();
        if (id != 0 && std::find(hiddenIds.begin(), hiddenIds.end(), static_cast<uint16_t>(id)) != hiddenIds.end())
            action->setVisible(false);
    }
}

std::vector<int> CMainFrame::ToolbarCommandIds() const
{
    std::vector<int> ids;
    for (const QAction* action : toolActions_)
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    return ids;
}

std::vector<int> CMainFrame::VisibleToolbarCommandIds() const
{
    std::vector<int> ids;
    for (const QAction* action : toolActions_) {
        if (!action->isSeparator() && action->isVisible())
            ids.push_back(action->data().toInt());
    }
    return ids;
}

QSize CMainFrame::ToolbarIconSize() const
{
    return toolBar_->iconSize();
}

std::vector<int> CMainFrame::MainMenuCommandIds() const
{
    if (menuCase_ < 0)
        return {};
    std::vector<int> ids;
    for (const QAction* action : menuActions_[static_cast<size_t>(menuCase_)])
        ids.push_back(action->data().toInt());
    return ids;
}

bool CMainFrame::IsMenuItemChecked(int commandId) const
{
    if (menuCase_ < 0)
        return false;
    for (const QAction* action : menuActions_[static_cast<size_t>(menuCase_)]) {
        if (action->data().toInt() == commandId)
            return action->isChecked();
    }
    return false;
}

void CMainFrame::CheckMenuItem(int commandId, bool checked)
{
    // Every main menu carries the mark, so that it is right whichever menu comes next.
    for (const auto& actions : menuActions_) {
        for (QAction* action : actions) {
            if (action->data().toInt() == commandId)
                action->setChecked(checked);
        }
    }
}

void CMainFrame::CheckViewMenuItems()
{
    CheckMenuItem(kCmdToggleLocationIndicator, locIndicatorFlag_);
    CheckMenuItem(kCmdTogglePortTip, portTipFlag_);
    CheckMenuItem(kCmdToggleFocusFrame, focusFrameFlag_);
}

// ---------------------------------------------------------------------------------------------------------------
// Commands

bool CMainFrame::OnCommand(int id, int /*code*/)
{
    return OnCommand(id);
}

bool CMainFrame::OnNotify(const NotifyHeader& /*header*/, int* /*result*/)
{
    return false;
}

bool CMainFrame::OnCommand(int commandId)
{
    // The active view handles its own commands (search, export, the trap log's pause and detail) before the frame.
    // Its hook is asked directly: the view's own OnCommand would hand what it leaves back to the frame.
    if (CAFormView* view = GetActiveFormView(); view != nullptr && view->window() == this) {
        if (view->OnCommandHook(commandId, 0) != 0)
            return true;
    }
    return RouteCommand(commandId);
}

bool CMainFrame::RouteCommand(int commandId)
{
    switch (commandId) {
    case kCmdToggleLocationIndicator:
    case kCmdTogglePortTip:
    case kCmdToggleFocusFrame:
        ToggleViewFlag(commandId);
        return true;
    case kCmdEditCopy:
        RunEditCommand("copy");
        return true;
    case kCmdEditCut:
        RunEditCommand("cut");
        return true;
    case kCmdEditPaste:
        RunEditCommand("paste");
        return true;
    case kCmdEditUndo:
        RunEditCommand("undo");
        return true;
    default:
        if (commandRouter_ && commandRouter_(commandId))
            return true;
        return host_.OnAppCommand(commandId);
    }
}

void CMainFrame::RunEditCommand(const char* slot)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr)
        return;
    const QByteArray signature = QByteArray(slot) + "()";
    if (focus->metaObject()->indexOfMethod(signature.constData()) >= 0)
        QMetaObject::invokeMethod(focus, slot);
}

void CMainFrame::PostFrameCommand(int commandId)
{
    PostCall(this, [this, commandId] { OnCommand(commandId); });
}

void CMainFrame::ToggleViewFlag(int commandId)
{
    bool* flag = nullptr;
    const char* key = nullptr;
    switch (commandId) {
    case kCmdToggleLocationIndicator:
        flag = &locIndicatorFlag_;
        key = "LOCINDICATOR";
        break;
    case kCmdTogglePortTip:
        flag = &portTipFlag_;
        key = "PORTTIP";
        break;
    case kCmdToggleFocusFrame:
        flag = &focusFrameFlag_;
        key = "FOCUSFRAME";
        break;
    default:
        return;
    }
    *flag = !*flag;
    CheckMenuItem(commandId, *flag);
    if (commandId == kCmdToggleLocationIndicator)
        ShowLocationIndicator(*flag);
    WriteIniBool("SYSTEM", key, *flag, ConfigFilePath());
}

int CMainFrame::AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count)
{
    std::vector<EntityStateRec> states;
    if (count == 0 || !DecodeRecords<EntityStateRec>(records, count, kEntityStateRecSize, &states))
        return 0;
    std::vector<TrapLogRecord> entries;
    entries.reserve(count);
    for (const EntityStateRec& state : states)
        entries.push_back(TrapLogRecordFromState(state));
    return AppTrapLog().AddTrapLogRecords(neId, entries.data(), count);
}

// ---------------------------------------------------------------------------------------------------------------
// Selection

void CMainFrame::SetCurrentEntity(uint32_t neId, const CEntityIndex* index)
{
    const bool neChanged = neId != currentNeId_;
    currentNeId_ = neId;
    currentIndex_ = index != nullptr ? *index : CEntityIndex{};

    UpdateEntityText();
    activePane_ = 0;
    SelectMainMenu();
    CheckViewMenuItems();

    if (!host_.IsDirectMode() && neChanged)
        QueryNeStates(neId);
}

void CMainFrame::UpdateEntityText()
{
    dialogBar_->SetEntityText(QString());
    if (locationIndicator_ == nullptr)
        return;
    locationIndicator_->SetNe(currentNeId_);
    locationIndicator_->SetEntity(currentIndex_);
    std::string text = "[" + locationIndicator_->GetNeText() + "]";
    if (!locationIndicator_->GetShelfText().empty())
        text += " " + locationIndicator_->GetShelfText();
    if (!locationIndicator_->GetSlotText().empty())
        text += "-" + locationIndicator_->GetSlotText();
    if (!locationIndicator_->GetPortText().empty())
        text += "-" + locationIndicator_->GetPortText();
    dialogBar_->SetEntityText(QString::fromStdString(text));
}

void CMainFrame::QueryNeStates(uint32_t neId)
{
    const CNeRecord* ne = neId != 0 ? FindNeById(neId) : nullptr;
    if (ne == nullptr)
        return;
    const bool planned = ne->planned == 1;
    const bool connected = IsNeConnected(*ne);
    FlushPduLog(0, 1);
    // The replies arrive through the dispatcher.
    const CRecordRequests requests({{}, [this](EmsMsg& request) { return host_.SendEmsMsgNoWait(request); }});
    if (!planned)
        requests.Post(kReqEntityState, neId);
    if (planned || connected)
        requests.Post(kReqBoardSetting, neId);
    FlushPduLog(1, 1);
}

const CEntityId& CMainFrame::GetCurrentEntity()
{
    currentEntity_ = CEntityId(&currentIndex_);
    return currentEntity_;
}

void CMainFrame::SetCurrentLocation(uint32_t locationId)
{
    currentLocationId_ = locationId;
    const CLocationNode* location = locationId != 0 ? FindLocation(locationId) : nullptr;
    dialogBar_->SetLocationText(location != nullptr ? QString::fromStdString(location->name) : QString());
    activePane_ = 0;
}

void CMainFrame::SetKeyText(const std::string& text)
{
    keyText_ = text.substr(0, 10);
    activePane_ = 0;
}

// ---------------------------------------------------------------------------------------------------------------
// Icons and colours

int CMainFrame::CheckListIconIndex(int index) const
{
    return index >= 0 && index <= GetListIconCount() ? index : 0;
}

QPixmap CMainFrame::GetListIcon(int index) const
{
    if (listIcons_.empty())
        return {};
    return listIcons_[static_cast<size_t>(CheckListIconIndex(index))];
}

int CMainFrame::GetEntityStateIcon(uint32_t neId, int position) const
{
    return ::GetEntityStateIcon(neId != 0 ? FindNeById(neId) : nullptr, position);
}

int CMainFrame::GetEntityIcon(uint32_t neId, int state, int position) const
{
    return ::GetEntityIcon(neId != 0 ? FindNeById(neId) : nullptr, state, position);
}

COLORREF CMainFrame::GetTreeTextColor(int kind) const
{
    return ::GetTreeTextColor(textColors_, kind);
}

COLORREF CMainFrame::GetEntityTextColor(uint32_t neId) const
{
    return ::GetEntityTextColor(textColors_, neId != 0 ? FindNeById(neId) : nullptr);
}

COLORREF CMainFrame::GetItemBackColor(bool selected) const
{
    if (selected)
        return textColors_.selectedBk;
    const QColor window = SystemColor(5);
    return static_cast<COLORREF>(window.red() | (window.green() << 8) | (window.blue() << 16));
}

// ---------------------------------------------------------------------------------------------------------------
// Views

void CMainFrame::SelectView(int kind, int viewCode)
{
    const int firstTabCode = ViewCodeOfTab(viewTabs_, 0);
    if (kind == selectedKind_ &&
        (viewCode == rightViewCode_ || (viewCode == kSelectFirstTab && rightViewCode_ == firstTabCode)))
        return;

    QTabBar* tabs = dialogBar_->Tabs();
    if (kind != selectedKind_) {
        WithTabSignalsBlocked(tabs, [&] {
            while (tabs->count() > 0)
                tabs->removeTab(0);
        });
        viewTabs_.fill(kNoTab);
        const std::vector<ViewTabDef> defs = ViewTabsForKind(kind, host_.IsDirectMode());
        WithTabSignalsBlocked(tabs, [&] {
            for (size_t i = 0; i < defs.size(); ++i) {
                tabs->addTab(TextOf(defs[i].textId, defs[i].text));
                viewTabs_[i] = static_cast<uint8_t>(defs[i].code);
            }
        });
        tabs->setVisible(tabs->count() > 0);
        selectedKind_ = kind;
    }

    if (host_.IsDirectMode() || viewCode == kSelectFirstTab) {
        SelectTab(0);
        ReplaceRightView(0);
        return;
    }
    const int wanted = viewCode == kKeepCurrentView ? rightViewCode_ : viewCode;
    SelectTab(0);
    for (int i = 0; i < tabs->count(); ++i) {
        if (viewTabs_[static_cast<size_t>(i)] == wanted) {
            SelectTab(i);
            ReplaceRightView(i);
            return;
        }
    }
    ReplaceRightView(0);
}

void CMainFrame::SelectTab(int tabIndex)
{
    QTabBar* tabs = dialogBar_->Tabs();
    if (tabIndex < tabs->count())
        WithTabSignalsBlocked(tabs, [&] { tabs->setCurrentIndex(tabIndex); });
}

void CMainFrame::OnViewTabChange()
{
    ReplaceRightView(dialogBar_->Tabs()->currentIndex());
}

void CMainFrame::ReplaceRightView(int tabIndex)
{
    const int code = ViewCodeOfTab(viewTabs_, tabIndex);
    if (code == rightViewCode_)
        return;
    if (rightView_ != nullptr && rightPaneCode_ == code && IsFrameViewReady(rightView_)) {
        rightViewCode_ = code;
        RefreshFrameView(rightView_);
        return;
    }

    CAFormView* old = rightView_;
    rightView_ = nullptr;
    rightPaneCode_ = kViewNone;
    activePane_ = 0;
    const CEntityIndex neItself = CEntityIndex::FromLevels(1);
    SetCurrentEntity(currentNeId_, &neItself);

    CAFormView* view = CreatePaneView(RightViewCodeFor(code), true);
    const QList<int> sizes = outerSplitter_->sizes();
    if (old != nullptr) {
        outerSplitter_->replaceWidget(outerSplitter_->indexOf(old), view);
        DeleteView(old);
    } else {
        outerSplitter_->addWidget(view);
    }
    rightView_ = view;
    rightPaneCode_ = code;
    rightViewCode_ = code;
    if (sizes.size() == outerSplitter_->count())
        outerSplitter_->setSizes(sizes);
    view->show();

    for (int i = 0; i < kMaxViewTabs - 1; ++i) {
        if (viewTabs_[static_cast<size_t>(i)] == code) {
            SelectTab(i);
            break;
        }
    }
}

CAFormView* CMainFrame::CreatePaneView(int code, bool rightPane)
{
    CAFormView* view = CreateFrameView(code, nullptr, *this);
    // Until the program has a view of its own for a code: the About view on the right, an empty form on the left.
    if (view == nullptr && rightPane)
        view = CreateFrameView(kViewAbout, nullptr, *this);
    if (view == nullptr)
        view = new CAFormView(0);
    InitialUpdateFrameView(view);
    return view;
}

void CMainFrame::DeleteView(CAFormView* view)
{
    if (GetActiveFormView() == view)
        SetActiveFormView(nullptr);
    view->OnDestroy();
    view->hide();
    view->deleteLater();
}

void CMainFrame::FollowFocus(QWidget* focus)
{
    // The active view is the pane view that holds the focus.
    for (QWidget* widget = focus; widget != nullptr && widget != this; widget = widget->parentWidget()) {
        if (auto* view = qobject_cast<CAFormView*>(widget)) {
            if (view == treeView_ || view == summaryView_ || view == rightView_)
                SetActiveFormView(view);
            return;
        }
    }
}

void CMainFrame::RefreshViews()
{
    for (CAFormView* view : {treeView_, summaryView_, rightView_}) {
        if (view == nullptr || !IsFrameViewReady(view))
            return;
    }
    RefreshFrameView(rightView_);
    RefreshFrameView(treeView_);
    RefreshFrameView(summaryView_);
    ++refreshCount_;
    // While a dialog is open it may still be reading the changes; the flags stay for the refresh after it.
    if (GetCurrentDialog() == nullptr) {
        CAppData& app = AppData();
        app.neListChanged = false;
        app.neNamesChanged = false;
        app.neAddressesChanged = false;
        app.locationTreeChanged = false;
        app.mapsChanged = false;
    }
}

bool CMainFrame::IsBlinkPhaseOn() const
{
    const CAppSettings& settings = AppSettings();
    return ::IsBlinkPhaseOn(refreshCount_, settings.frameRefreshTime, settings.flashCycle);
}

void CMainFrame::PostRefreshNow()
{
    PostCall(this, [this] { OnTimer(kRefreshNowTimer); });
}

// ---------------------------------------------------------------------------------------------------------------
// Splitters

QSplitter* CMainFrame::Splitter(int splitter) const
{
    switch (splitter) {
    case kOuterSplitter:
        return outerSplitter_;
    case kInnerSplitter:
        return innerSplitter_;
    default:
        return nullptr;
    }
}

bool CMainFrame::GetSplitterPaneSize(int splitter, int pane, int* size, int* minimum) const
{
    const QSplitter* target = Splitter(splitter);
    if (target == nullptr || pane < 0 || pane >= target->count())
        return false;
    if (size != nullptr)
        *size = target->sizes().at(pane);
    if (minimum != nullptr)
        *minimum = paneMinimums_[static_cast<size_t>(splitter)][static_cast<size_t>(pane)];
    return true;
}

void CMainFrame::SetSplitterPaneSize(int splitter, int pane, int size, int minimum)
{
    QSplitter* target = Splitter(splitter);
    if (target == nullptr || target->count() < 2)
        return;
    const QList<int> current = target->sizes();
    const std::optional<std::vector<int>> shared =
        ShareSplitterPane(std::vector<int>(current.begin(), current.end()), pane, size);
    if (!shared)
        return;
    paneMinimums_[static_cast<size_t>(splitter)][static_cast<size_t>(pane)] = minimum;
    target->setSizes(QList<int>(shared->begin(), shared->end()));
}

// ---------------------------------------------------------------------------------------------------------------
// Location Indicator

CLocationIndicatorDlg* CMainFrame::GetLocationIndicator() const
{
    return locationIndicator_;
}

void CMainFrame::CreateLocationIndicator()
{
    if (locationIndicator_ != nullptr)
        return;
    locationIndicator_ = new CLocationIndicatorDlg(this);
    locationIndicator_->setAttribute(Qt::WA_ShowWithoutActivating);
    locationIndicator_->Create();
    locationIndicator_->hide();
}

void CMainFrame::DestroyLocationIndicator()
{
    if (locationIndicator_ == nullptr)
        return;
    locationIndicator_->DestroyWindow();
    delete locationIndicator_.data();
}

void CMainFrame::ShowLocationIndicator(bool show)
{
    if (locationIndicator_ == nullptr)
        return;
    // A panel of a hidden frame waits for the frame to be shown (showEvent).
    if (!show || !isVisible()) {
        locationIndicator_->hide();
        return;
    }
    if (!locationIndicator_->isVisible())
        PlaceLocationIndicator();
    locationIndicator_->show();
}

void CMainFrame::PlaceLocationIndicator()
{
    // Top right of the right-hand view, a little inside it.
    const QWidget* client = centralWidget();
    const QPoint corner =
        client->mapToGlobal(QPoint(client->width() - locationIndicator_->frameGeometry().width() - 24, 16));
    locationIndicator_->move(corner);
}

void CMainFrame::UpdateLocationIndicator(double longitude, double latitude, int ratio)
{
    indicatorLongitude_ = longitude;
    indicatorLatitude_ = latitude;
    indicatorRatio_ = ratio;
    if (locationIndicator_ != nullptr)
        locationIndicator_->SetPosition(longitude, latitude, ratio);
}

// ---------------------------------------------------------------------------------------------------------------
// Status panes

void CMainFrame::SetClock(std::function<QDateTime()> clock)
{
    clock_ = std::move(clock);
    lastClockSecond_ = -1;
}

void CMainFrame::UpdateClock()
{
    const QDateTime now = clock_();
    const qint64 second = now.toSecsSinceEpoch();
    if (second == lastClockSecond_)
        return;
    lastClockSecond_ = second;
    statusBar_->SetPaneText(CFrameStatusBar::kClockPane, now.toString(QStringLiteral("HH:mm:ss")));
}

void CMainFrame::UpdateConnectionStatus(bool connected, bool inRequest)
{
    const int state = !connected ? 0 : (inRequest ? 2 : 1);
    if (state == lastConnectionState_)
        return;
    lastConnectionState_ = state;
    int icon = kIconDisconnected;
    QString text = TextOf(kStrDisconnect, "Disconnect");
    if (state == 2) {
        icon = kIconInCommunication;
        text = TextOf(kStrInCommunicating, "In Communicating");
    } else if (state == 1) {
        icon = kIconConnected;
        text = TextOf(kStrConnected, "Connected");
    }
    text += QStringLiteral(" (%1)").arg(QString::fromStdString(host_.LinkAddressText()));
    statusBar_->SetPaneIcon(CFrameStatusBar::kConnectionPane, GetListIcon(icon));
    statusBar_->SetPaneText(CFrameStatusBar::kConnectionPane, text);
}

void CMainFrame::UpdateAlarmPanes()
{
    const CAppSettings& settings = AppSettings();
    statusBar_->SetPaneIcon(CFrameStatusBar::kFlashPane, settings.flash.level != 0 ? GetListIcon(53) : QPixmap());
    statusBar_->SetPaneIcon(CFrameStatusBar::kBeepPane, settings.beep.level != 0 ? GetListIcon(54) : QPixmap());
}

// ---------------------------------------------------------------------------------------------------------------
// Timers

void CMainFrame::OnTimer(int id)
{
    if (id != kFrameTimer && id != kLogoutTimer && id != kRefreshNowTimer)
        return;
    UpdateClock();
    const bool inRequest = host_.IsLinkInTransaction();
    UpdateConnectionStatus(host_.IsLinkConnected(), inRequest);

    if (id == kLogoutTimer && !inRequest) {
        host_.ForcedLogout();
        return;
    }
    if (!LockDispatch(0))
        return;
    // The tick may open nested event loops (a refresh that asks the link); no second tick starts meanwhile.
    if (id == kFrameTimer)
        timers_->KillTimer(kFrameTimer);

    const FrameTickWork work = NextFrameTick(tickCounter_, AppSettings().frameRefreshTime, id == kRefreshNowTimer);
    tickCounter_ = work.counter;
    if (work.refreshViews)
        RefreshViews();
    UnlockDispatch();

    if (work.applyQueued) {
        DispatchServerMessage(nullptr);
        RefreshPduLogWindow();
    }
    if (work.readLiveKeys) {
        host_.LoadLiveConfiguration();
        UpdatePduLogWindow();
    }
    if (id == kFrameTimer)
        timers_->SetTimer(kFrameTimer, kFrameTimerPeriodMs);
}

void CMainFrame::UpdatePduLogWindow()
{
    CPduLogDlg* pduLog = host_.PduLogWindow();
    if (pduLog == nullptr)
        return;
    const bool wanted = AppSettings().pduLogWin;
    if (wanted && !pduLog->isVisible())
        pduLog->show();
    else if (!wanted && pduLog->isVisible())
        pduLog->hide();
}

void CMainFrame::StartLogoutTimer(uint32_t periodMs)
{
    timers_->KillTimer(kLogoutTimer);
    timers_->SetTimer(kLogoutTimer, static_cast<int>(std::min<uint32_t>(periodMs, 0x7FFFFFFF)));
}

void CMainFrame::StopFrameTimers()
{
    timers_->KillTimer(kFrameTimer);
    timers_->KillTimer(kLogoutTimer);
    DestroyLocationIndicator();
}

void CMainFrame::HideFrameWindows()
{
    hide();
    if (locationIndicator_ != nullptr)
        locationIndicator_->hide();
}

// ---------------------------------------------------------------------------------------------------------------
// Window events

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (host_.IsExitRequested()) {
        event->accept();
        return;
    }
    event->ignore();
    host_.OnExit();
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!panesSized_) {
        panesSized_ = true;
        if (QLayout* frameLayout = layout())
            frameLayout->activate();
        SetInitialPaneSizes();
    }
    if (locIndicatorFlag_ && locationIndicator_ != nullptr && !locationIndicator_->isVisible()) {
        PlaceLocationIndicator();
        locationIndicator_->show();
    }
}

bool CMainFrame::event(QEvent* event)
{
    // Prompts of the menus and the toolbar go to the message pane, so that the other panes stay in view.
    if (event->type() == QEvent::StatusTip) {
        statusBar_->SetPaneText(CFrameStatusBar::kMessagePane, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
