// CMainFrame: the accelerators, the main menus by case, the toolbar, and the commands that reach the frame.

#include "ui/shell/frame/main_frame.h"

#include "core/config/app_settings.h"
#include "core/config/ini_writers.h"
#include "core/ini/ini_file.h"
#include "core/tables/ne_table.h"
#include "platform/posted_call.h"
#include "ui/framework/menus/context_menu_data.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/skin/skin_glue.h"
#include "ui/framework/views/form_view.h"
#include "ui/shell/frame/frame_host.h"
#include "ui/shell/frame/frame_icons.h"
#include "ui/shell/frame/frame_resources.h"
#include "ui/shell/frame/main_menu_cases.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <vector>

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

} // namespace

// ---------------------------------------------------------------------------------------------------------------
// Accelerators

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

// ---------------------------------------------------------------------------------------------------------------
// Menus

void CMainFrame::LoadMenus()
{
    // The main menus share the file format of the context menus: a menu is its top-level popups.
    const ContextMenuFile file = LoadContextMenuFile(FindFrameResource(kMainMenuFile));
    for (size_t menuCase = 0; menuCase < kMainMenuCases.size(); ++menuCase) {
        const ContextMenu* definition = file.FindMenu(kMainMenuCases[menuCase].menuResourceId);
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

// ---------------------------------------------------------------------------------------------------------------
// Toolbar

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
    // A toolbar without buttons takes no room: the view bar stands under the menu bar.
    toolBar_->setHidden(std::none_of(toolActions_.begin(), toolActions_.end(),
                                     [](const QAction* action) { return !action->isSeparator(); }));
    // The buttons are new: the hidden set has to be applied again whatever the menu case.
    toolbarTrimmed_ = false;
    SelectMainMenu();
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

// ---------------------------------------------------------------------------------------------------------------
// Commands

bool CMainFrame::OnCommand(int id, int /*code*/)
{
    return OnCommand(id);
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

bool CMainFrame::OnNotify(const NotifyHeader& /*header*/, int* /*result*/)
{
    return false;
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
