// CMainFrame: its creation, the start of a session (InitFrame), the trap log records of a notification, the
// Location Indicator and the window events. The menus, the views and the timers have files of their own.

#include "ui/shell/frame/main_frame.h"

#include "core/config/app_settings.h"
#include "core/ini/ini_file.h"
#include "core/tables/trap_log_ring.h"
#include "link/records/entity_state_rec.h"
#include "platform/control_id.h"
#include "platform/font_from_spec.h"
#include "platform/window_timers.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/skin/skin_glue.h"
#include "ui/framework/views/form_view.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/frame_host.h"
#include "ui/shell/frame/frame_resources.h"
#include "ui/shell/frame/frame_status_bar.h"
#include "ui/shell/frame/location_indicator_dlg.h"
#include "ui/shell/frame/main_menu_cases.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QToolBar>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Initial pane sizes of the splitters.
constexpr int kTreeColumnWidth = 200;
constexpr int kTreeRowHeight = 510;

CIniFile ReadConfigFile()
{
    if (std::optional<CIniFile> ini = CIniFile::Load(ConfigFilePath()))
        return std::move(*ini);
    return CIniFile::Parse("");
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
    SetTreeTextColorSource(nullptr);
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
    SetTreeTextColorSource([this](int kind) { return GetTreeTextColor(kind); });
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

// ---------------------------------------------------------------------------------------------------------------
// Trap log

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
    // The bottom left of the right-hand view: clear of the tree and the alarm summary, which it is wider than, and of
    // the headers, the newest rows and the times of the view's lists (their oldest rows lie there).
    const QWidget* rightPane = outerSplitter_->widget(1);
    const int height = locationIndicator_->frameGeometry().height();
    locationIndicator_->move(rightPane->mapToGlobal(QPoint(4, std::max(0, rightPane->height() - height - 4))));
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
// Window events

void CMainFrame::HideFrameWindows()
{
    hide();
    if (locationIndicator_ != nullptr)
        locationIndicator_->hide();
}

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
