#pragma once
// CMainFrame, the program's main window: the location tree and the alarm summary on the left, the view of the
// selected item on the right, the main menu chosen by link mode and NE state, the toolbar and the view tabs, the
// status panes (clock, connection, alarm flash and sound), and the 100 ms frame timer that keeps the clock and the
// connection pane current, refreshes the views, applies what the server sent and follows the live configuration.
//
// Every menu, toolbar and accelerator command arrives at OnCommand(id). The definitions go by concern:
// main_frame.cpp (creation, session start, Location Indicator, window events), main_frame_menus.cpp (menus, toolbar,
// accelerators, commands), main_frame_views.cpp (selection, icons and colours, view switching, splitters) and
// main_frame_timers.cpp (timers, refresh, status panes).

#include "core/entity/entity_id.h"
#include "core/entity/entity_index.h"
#include "platform/notify_codes.h"
#include "ui/shell/app/app_frame.h"
#include "ui/shell/frame/text_colors.h"
#include "ui/shell/frame/view_host.h"
#include "ui/shell/frame/view_tabs.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CAFormView;
struct ContextMenuEntry;
class CFrameDialogBar;
class CIniFile;
class CFrameStatusBar;
class CLocationIndicatorDlg;
class CWindowTimers;
class IFrameHost;
class QAction;
class QMenu;
class QSplitter;
class QToolBar;

// Timers of the frame.
inline constexpr int kFrameTimer = 10006;      // every 100 ms while logged in
inline constexpr int kLogoutTimer = 10004;     // the forced-logout countdown
inline constexpr int kRefreshNowTimer = 10005; // posted by the tree view: refresh the views at once
inline constexpr int kFrameTimerPeriodMs = 100;

// Commands the frame itself handles.
inline constexpr int kCmdToggleLocationIndicator = 32770;
inline constexpr int kCmdTogglePortTip = 32773;
inline constexpr int kCmdToggleFocusFrame = 32769;

// Status icons (list icon indexes).
inline constexpr int kIconConnected = 1;
inline constexpr int kIconDisconnected = 2;
inline constexpr int kIconInCommunication = 5;

class CMainFrame : public QMainWindow, public IAppFrame, public IViewHost, public CommandTarget {
    Q_OBJECT
public:
    explicit CMainFrame(IFrameHost& host, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // IAppFrame.
    QWidget* FrameWindow() override { return this; }
    void InitFrame() override;
    void HideFrameWindows() override;
    void StopFrameTimers() override;
    void StartLogoutTimer(uint32_t periodMs) override;
    void PostFrameCommand(int commandId) override;
    int AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count) override;

    // The single entry of every command; false when nothing handles the id.
    bool OnCommand(int commandId);
    bool RouteCommand(int commandId) override;
    // Commands and notifications that the views pass on.
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    // The handler of the routed commands (dialogs, requests, help, telnet), asked before the application object.
    void SetCommandRouter(std::function<bool(int)> router) { commandRouter_ = std::move(router); }

    // Current selection (IViewHost).
    void SetCurrentEntity(uint32_t neId, const CEntityIndex* index) override;
    const CEntityId& GetCurrentEntity() override;
    uint32_t GetCurrentNeId() const override { return currentNeId_; }
    const CEntityIndex& GetCurrentEntityIndex() const { return currentIndex_; }
    void SetCurrentLocation(uint32_t locationId) override;
    uint32_t GetCurrentLocationId() const override { return currentLocationId_; }
    void SetKeyText(const std::string& text) override;
    const std::string& GetKeyText() const override { return keyText_; }
    void SetActivePane(uint8_t pane) override { activePane_ = pane; }
    uint8_t GetActivePane() const override { return activePane_; }

    // Menus and toolbar.
    void SelectMainMenu();
    // The case of the menu shown (0..5), -1 before the first.
    int GetMainMenuCase() const { return menuCase_; }
    // The command ids of the menu shown, in menu order.
    std::vector<int> MainMenuCommandIds() const;
    // Shows every toolbar button again, then hides those in the list unless it is empty or `flag` is 1.
    void TrimToolbar(const std::vector<uint16_t>& hiddenIds, int flag);
    // The toolbar's command ids (0 for separators), and those visible.
    std::vector<int> ToolbarCommandIds() const;
    std::vector<int> VisibleToolbarCommandIds() const;
    QSize ToolbarIconSize() const;
    // The check mark of a menu command in the menu shown.
    bool IsMenuItemChecked(int commandId) const;

    // Icons and colours for the tree and the views.
    int CheckListIconIndex(int index) const;
    QPixmap GetListIcon(int index) const override;
    int GetListIconCount() const { return static_cast<int>(listIcons_.size()) - 1; }
    int GetEntityStateIcon(uint32_t neId, int position) const override;
    int GetEntityIcon(uint32_t neId, int state, int position) const override;
    COLORREF GetTreeTextColor(int kind) const override;
    COLORREF GetEntityTextColor(uint32_t neId) const override;
    COLORREF GetNeTextColor(const CNeRecord* ne) const override;
    int GetNeKeptStateIcon(const CNeRecord& ne) const override;
    COLORREF GetNeKeptTextColor(const CNeRecord& ne) const override;
    COLORREF GetItemBackColor(bool selected) const override;
    const TextColorTable& TextColors() const { return textColors_; }

    // Views.
    void SelectView(int kind, int viewCode) override;
    void OnViewTabChange();
    void ReplaceRightView(int tabIndex);
    int GetSelectedKind() const override { return selectedKind_; }
    int GetRightViewCode() const { return rightViewCode_; }
    const ViewTabTable& GetViewTabTable() const { return viewTabs_; }
    CAFormView* GetRightView() const { return rightView_; }
    CAFormView* GetTreeView() const { return treeView_; }
    CAFormView* GetAlarmSummaryView() const { return summaryView_; }
    void RefreshViews();
    uint32_t GetRefreshCount() const { return refreshCount_; }
    bool IsBlinkPhaseOn() const override;
    // Asks for a refresh of the views at once, as a posted timer 10005.
    void PostRefreshNow() override;

    // Splitters: 0 the outer (columns), 1 the inner (rows). False when the pane does not exist.
    bool GetSplitterPaneSize(int splitter, int pane, int* size, int* minimum) const;
    void SetSplitterPaneSize(int splitter, int pane, int size, int minimum) override;

    // Location Indicator.
    void UpdateLocationIndicator(double longitude, double latitude, int ratio) override;
    CLocationIndicatorDlg* GetLocationIndicator() const;
    bool GetLocationIndicatorFlag() const override { return locIndicatorFlag_; }
    bool GetPortTipFlag() const override { return portTipFlag_; }
    bool GetFocusFrameFlag() const override { return focusFrameFlag_; }

    // Status bar and dialog bar.
    CFrameStatusBar* StatusPanes() const { return statusBar_; }
    CFrameDialogBar* DialogBar() const { return dialogBar_; }
    void UpdateClock();
    void UpdateConnectionStatus(bool connected, bool inRequest);
    void UpdateAlarmPanes() override;

    // Timers: the handler of 10006, 10004 and 10005, and the table (tests look at it).
    void OnTimer(int id);
    const CWindowTimers& Timers() const { return *timers_; }
    uint32_t GetTickCounter() const { return tickCounter_; }
    void SetTickCounter(uint32_t counter) { tickCounter_ = counter; }

    // The local time the clock pane shows; tests set their own.
    void SetClock(std::function<QDateTime()> clock);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateBars();
    void CreateClient();
    void SetInitialPaneSizes();
    void CreateAccelerators();
    void LoadMenus();
    void FillMenu(QMenu* menu, const std::vector<ContextMenuEntry>& entries, std::vector<QAction*>& actions);
    void ShowMenu(int menuCase);
    void LoadToolIcons(const CIniFile& ini);
    void LoadListIcons(const CIniFile& ini);
    void ApplyFrameFont();
    void ApplyStatusIcons();
    void CheckMenuItem(int commandId, bool checked);
    void CheckViewMenuItems();
    void ToggleViewFlag(int commandId);
    void ShowLocationIndicator(bool show);
    void PlaceLocationIndicator();
    void CreateLocationIndicator();
    void DestroyLocationIndicator();
    void UpdateEntityText();
    void QueryNeStates(uint32_t neId);
    void UpdatePduLogWindow();
    void SelectTab(int tabIndex);
    void RunEditCommand(const char* slot);
    QString MenuTextOf(int commandId) const;
    // A new view, without a parent until a splitter takes it in.
    CAFormView* CreatePaneView(int code, bool rightPane);
    void DeleteView(CAFormView* view);
    void FollowFocus(QWidget* focus);
    QSplitter* Splitter(int splitter) const;

    IFrameHost& host_;
    std::unique_ptr<CWindowTimers> timers_;

    // Client: outer splitter (tree column | right view), inner splitter (tree over alarm summary).
    QSplitter* outerSplitter_ = nullptr;
    QSplitter* innerSplitter_ = nullptr;
    std::array<std::vector<int>, 2> paneMinimums_;
    bool panesSized_ = false; // the first panes' initial sizes are set once the window has its size
    CAFormView* treeView_ = nullptr;
    CAFormView* summaryView_ = nullptr;
    CAFormView* rightView_ = nullptr;
    int rightPaneCode_ = kViewNone; // the code the right pane's view was created for
    QMetaObject::Connection focusConnection_;

    // Selection.
    uint32_t currentNeId_ = 0;
    CEntityIndex currentIndex_;
    CEntityId currentEntity_;
    uint32_t currentLocationId_ = 0;
    std::string keyText_;
    uint8_t activePane_ = 0;

    // Menus: the six main menus by case, each its popups; the actions by command id.
    std::array<std::vector<QMenu*>, 6> menus_;
    std::array<std::vector<QAction*>, 6> menuActions_;
    int menuCase_ = -1;
    std::vector<uint16_t> hiddenToolIds_;
    bool toolbarTrimmed_ = false;

    // Toolbar and icons.
    QToolBar* toolBar_ = nullptr;
    QToolBar* dialogBarHolder_ = nullptr;
    std::vector<QAction*> toolActions_;
    std::vector<QPixmap> listIcons_;
    TextColorTable textColors_;

    // View switching.
    int selectedKind_ = -1;
    int rightViewCode_ = kViewNone;
    ViewTabTable viewTabs_{};

    // Location Indicator and the View flags.
    QPointer<CLocationIndicatorDlg> locationIndicator_;
    bool locIndicatorFlag_ = true;
    bool portTipFlag_ = true;
    bool focusFrameFlag_ = true;
    double indicatorLongitude_ = 0.0;
    double indicatorLatitude_ = 0.0;
    int indicatorRatio_ = 100;

    // Bars.
    CFrameStatusBar* statusBar_ = nullptr;
    CFrameDialogBar* dialogBar_ = nullptr;

    // Timer state.
    uint32_t refreshCount_ = 0;
    uint32_t tickCounter_ = 0;
    qint64 lastClockSecond_ = -1;
    int lastConnectionState_ = -1; // -1 unknown, 0 not connected, 1 idle, 2 in a request
    std::function<QDateTime()> clock_;
    std::function<bool(int)> commandRouter_;
};
