#include "ui/framework/views/form_view.h"

#include "platform/command_relay.h"
#include "platform/control_id.h"
#include "platform/dc.h"
#include "platform/overlay_layer.h"
#include "ui/framework/dialogs/control_states.h"
#include "ui/framework/dialogs/dialog_environment.h"

namespace {

CAFormView* activeView = nullptr;
constexpr int kRefreshCommandId = 1307; // the Refresh button of list views

} // namespace

CAFormView* GetActiveFormView()
{
    return activeView;
}

void SetActiveFormView(CAFormView* view)
{
    activeView = view;
}

CAFormView::CAFormView(int formTemplateId, QWidget* parent)
    : QWidget(parent), CListHost(*static_cast<QWidget*>(this)), templateId_(formTemplateId),
      timers_(std::make_unique<CWindowTimers>([this](int id) { OnTimer(id); })),
      relay_(std::make_unique<CommandRelay>(*this))
{
    MarkCtrlRoot(this);
    SetCellStyle(0x91, 0, 0x20);
    SetTarget(0, nullptr);
    SetUserName(nullptr);
}

CAFormView::~CAFormView()
{
    if (activeView == this)
        activeView = nullptr;
    timers_->KillAll();
}

// ---- hooks

void CAFormView::InitData() {}

void CAFormView::DrawExtras(Dc&) {}

int CAFormView::OnNotifyHook(const NotifyHeader&, int*)
{
    return 0;
}

int CAFormView::OnCommandHook(int, int)
{
    return 0;
}

int CAFormView::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    return CompareItemData(item1, item2, flags);
}

void CAFormView::RefreshData() {}

// ---- target

void CAFormView::SetTarget(int neId, const CEntityId* entity)
{
    neId_ = neId;
    targetEntity_ = entity != nullptr ? *entity : CEntityId{};
}

void CAFormView::SetUserName(const char* name)
{
    userName_ = name == nullptr ? std::string() : std::string(name).substr(0, kUserNameMax);
}

// ---- controls

QWidget* CAFormView::GetDlgItem(int id) const
{
    return FindControl(this, id);
}

void CAFormView::EnableControls(std::initializer_list<int> ids, bool on)
{
    ForEachListedControl(ids, [&](int id) { EnableControl(id, on); });
}

void CAFormView::EnableControl(int id, bool on)
{
    if (QWidget* control = GetDlgItem(id))
        control->setEnabled(on);
}

void CAFormView::ShowControls(std::initializer_list<int> ids, bool on)
{
    ForEachListedControl(ids, [&](int id) { ShowControl(id, on); });
}

void CAFormView::ShowControl(int id, bool on)
{
    if (QWidget* control = GetDlgItem(id))
        control->setVisible(on);
}

void CAFormView::SetControlsReadOnly(std::initializer_list<int> ids, bool on)
{
    ForEachListedControl(ids, [&](int id) { SetControlReadOnly(id, on); });
}

void CAFormView::SetControlReadOnly(int id, bool on)
{
    SetWidgetReadOnly(GetDlgItem(id), on);
}

void CAFormView::SetDialogFont(const char* spec)
{
    const QFont font = DialogFontFromSpec(spec);
    viewFont_ = font;
    setFont(font); // the children take it too
    update();
}

// ---- start-up

void CAFormView::OnInitialUpdate()
{
    if (initialUpdateDone_)
        return;
    initialUpdateDone_ = true;
    relay_->BindAll(this);
    if (decorations_ == nullptr)
        decorations_ = new COverlayLayer(*this, [this](Dc& dc) { PaintExtras(dc); });
    decorations_->setGeometry(rect());
    decorations_->raise();
    decorations_->show();
    SetTimer(kViewFirstShowTimer, 10);
    if (!skipInitLayout_)
        SetDialogFont(nullptr);
}

void CAFormView::OnFirstShow()
{
    if (firstShowDone_)
        return;
    inFirstShow_ = true;
    InitData();
    PrepareListsAtFirstShow();
    inFirstShow_ = false;
    firstShowDone_ = true;
}

void CAFormView::OnTimer(int id)
{
    if (id == kViewFirstShowTimer) {
        KillTimer(kViewFirstShowTimer);
        OnFirstShow();
        SetTimer(kViewDecorationTimer, 100);
    } else if (id == kViewDecorationTimer) {
        KillTimer(kViewDecorationTimer);
        InvalidateExtras();
    }
}

void CAFormView::OnDestroy()
{
    KillTimer(kViewFirstShowTimer);
}

void CAFormView::InvalidateExtras()
{
    if (decorations_ != nullptr) {
        decorations_->raise();
        decorations_->update();
    }
}

void CAFormView::PaintExtras(Dc& dc)
{
    if (!firstShowDone_ || window()->isMinimized())
        return;
    DrawExtras(dc);
}

void CAFormView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    OnInitialUpdate();
    if (firstShowDone_)
        InvalidateExtras();
}

void CAFormView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (decorations_ != nullptr)
        decorations_->setGeometry(rect());
    if (firstShowDone_)
        InvalidateExtras();
}

void CAFormView::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (firstShowDone_)
        InvalidateExtras();
}

// ---- commands and notifications

bool CAFormView::OnCommand(int id, int code)
{
    if (forwarding_)
        return false;
    const int handled = OnCommandHook(id, code);
    if (id == kRefreshCommandId && code == BN_CLICKED)
        RelayoutFilledLists();
    if (handled != 0)
        return true;
    // The main window's command routing handles what the view leaves.
    auto* frame = dynamic_cast<CommandTarget*>(window());
    if (frame == nullptr || window() == this)
        return false;
    forwarding_ = true;
    const bool frameHandled = frame->OnCommand(id, code);
    forwarding_ = false;
    return frameHandled;
}

bool CAFormView::OnNotify(const NotifyHeader& header, int* result)
{
    HandleListNotify(header);
    return OnNotifyHook(header, result) != 0;
}

int CAFormView::SortCompare(uint32_t item1, uint32_t item2, uint32_t param)
{
    // Only the frame's active view compares by its own rules; a list of another view is sorted by its item data.
    const int column = static_cast<int>(param & 0xFF);
    const uint32_t descending = param & kCompareDescending;
    if (GetActiveFormView() == this && GetColumnMap(column) != kCompareItemData)
        return CompareItems(item1, item2, static_cast<uint32_t>(GetColumnMap(column)) | descending);
    return CompareItemData(item1, item2, descending);
}
