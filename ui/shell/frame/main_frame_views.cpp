// CMainFrame: the current selection, the icons and colours the views draw with, the right pane's view switched by
// the view tabs, and the splitters of the panes.

#include "ui/shell/frame/main_frame.h"

#include "core/ini/ini_file.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "link/ems_msg.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/views/form_view.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/frame_host.h"
#include "ui/shell/frame/frame_icons.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/location_indicator_dlg.h"
#include "ui/shell/frame/main_menu_cases.h"
#include "ui/shell/frame/splitter_sizes.h"

#include <QSignalBlocker>
#include <QSplitter>
#include <QTabBar>

#include <functional>
#include <optional>
#include <vector>

namespace {

void WithTabSignalsBlocked(QTabBar* tabs, const std::function<void()>& change)
{
    const QSignalBlocker blocker(tabs);
    change();
}

} // namespace

// ---------------------------------------------------------------------------------------------------------------
// Selection

void CMainFrame::SetCurrentEntity(uint32_t neId, const CEntityIndex* index)
{
    const bool neChanged = neId != currentNeId_;
    currentNeId_ = neId;
    SetShownNeId(neId);
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
    return GetNeTextColor(neId != 0 ? FindNeById(neId) : nullptr);
}

COLORREF CMainFrame::GetNeTextColor(const CNeRecord* ne) const
{
    return ::GetEntityTextColor(textColors_, ne);
}

int CMainFrame::GetNeKeptStateIcon(const CNeRecord& ne) const
{
    return GetNeStateIcon(ne, GetNeKeptSeverity(ne));
}

COLORREF CMainFrame::GetNeKeptTextColor(const CNeRecord& ne) const
{
    return GetNeTextColorFor(textColors_, ne, GetNeKeptSeverity(ne));
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
                tabs->addTab(LoadQString(defs[i].textId, defs[i].text));
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
    // The stretch is the view's own: a new view takes what the window gains or loses, the left column keeps its width.
    outerSplitter_->setStretchFactor(outerSplitter_->indexOf(view), 1);
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
