#include "ui/framework/dialogs/ca_dialog.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_labels.h"
#include "core/util/utf8_text.h"
#include "platform/control_id.h"
#include "ui/framework/dialogs/control_states.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/dialogs/text_field_limit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/shapes/shape_draw.h"
#include "ui/framework/skin/skin_glue.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace {

CADialog* currentDialog = nullptr;

// Every live dialog, so that one going away can be taken out of the others' chains.
std::set<CADialog*>& LiveDialogs()
{
    static std::set<CADialog*> dialogs;
    return dialogs;
}

// Red frame of a marked control: a three-pixel blended line frame.
constexpr COLORREF kMarkColor1 = 0x6060FF;
constexpr COLORREF kMarkColor2 = 0x303080;
constexpr int kMarkDepth = 3;

// The message line's distance from the client edges and padding around its text.
constexpr int kMessageLineInset = 10;
constexpr int kMessageLineGrowth = 16;
constexpr int kMessageLinePadding = 6;

// Names and captions are kept in fields of a fixed number of bytes, cut before a character the limit goes through.
std::string Cut(const std::string& text, size_t max)
{
    return std::string(Utf8WholePrefix(text, max));
}

QString CutText(const QString& text, qsizetype max)
{
    return text.size() > max ? text.left(max) : text;
}

} // namespace

CADialog* GetCurrentDialog()
{
    return currentDialog;
}

CADialog::CADialog(int templateId, QWidget* parent)
    : CDialog(templateId, parent), CListHost(*static_cast<QWidget*>(this))
{
    LiveDialogs().insert(this);
    messageTextColor_ = AppSettings().hintMsgTextColor;
    messageBackColor_ = AppSettings().hintMsgBkColor;
}

CADialog::~CADialog()
{
    GiveBackCurrentRole();
    LiveDialogs().erase(this);
    for (CADialog* other : LiveDialogs()) {
        if (other->previousCurrentDialog_ == this)
            other->previousCurrentDialog_ = previousCurrentDialog_;
    }
}

// ---- hooks

void CADialog::InitData() {}

void CADialog::DrawExtras(Dc&) {}

void CADialog::DrawFrameExtras(Dc& dc)
{
    for (int id : markedControls_) {
        // A container is handed its pages' ids too: only those of controls of its own are framed here.
        QWidget* control = FindControl(this, id);
        if (control == nullptr || !control->isVisibleTo(this))
            continue;
        const QRect r(control->mapTo(this, QPoint(0, 0)), control->size());
        ShapeRecord frame;
        frame.code = kShapeRL;
        frame.coords = {r.left() - 2, r.top() - 2, r.right() + 2, r.bottom() + 2};
        frame.color1 = static_cast<int32_t>(kMarkColor1);
        frame.color2 = static_cast<int32_t>(kMarkColor2);
        frame.opt1 = 1;
        frame.opt2 = 0;
        frame.size = kMarkDepth;
        DrawShape(frame, dc);
    }
}

int CADialog::OnNotifyHook(const NotifyHeader&, int*)
{
    return 0;
}

int CADialog::OnCommandHook(int, int)
{
    return 0;
}

int CADialog::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    return CompareItemData(item1, item2, flags);
}

int CADialog::SortCompare(uint32_t item1, uint32_t item2, uint32_t param)
{
    // Lists compare through the current dialog, so that a page's list is compared by its container.
    const int column = static_cast<int>(param & 0xFF);
    const uint32_t descending = param & kCompareDescending;
    CADialog* current = GetCurrentDialog();
    if (current != nullptr && current->GetColumnMap(column) != kCompareItemData)
        return current->CompareItems(item1, item2, static_cast<uint32_t>(current->GetColumnMap(column)) | descending);
    return CompareItemData(item1, item2, descending);
}

// ---- target

void CADialog::SetTarget(int neId, const CEntityId* entity)
{
    neId_ = neId;
    targetEntity_ = CEntityId{};
    targetEntity_.SetId(1);
    if (entity != nullptr)
        targetEntity_ = *entity;
}

void CADialog::SetUserName(const char* name)
{
    userName_ = name == nullptr ? std::string() : Cut(name, kUserNameMax);
}

bool CADialog::UpdateDialogData()
{
    ClearMessageLine();
    return UpdateData(true);
}

// ---- controls

void CADialog::EnableControls(std::initializer_list<int> ids, bool on)
{
    ForEachListedControl(ids, [&](int id) { EnableControl(id, on); });
}

void CADialog::EnableControl(int id, bool on)
{
    if (QWidget* control = GetDlgItem(id))
        control->setEnabled(on);
}

bool CADialog::IsControlEnabled(int id) const
{
    const QWidget* control = GetDlgItem(id);
    return control && control->isEnabled();
}

void CADialog::ShowControls(std::initializer_list<int> ids, bool on)
{
    ForEachListedControl(ids, [&](int id) { ShowControl(id, on); });
}

void CADialog::ShowControl(int id, bool on)
{
    if (QWidget* control = GetDlgItem(id))
        control->setVisible(on);
}

bool CADialog::IsControlVisible(int id) const
{
    const QWidget* control = GetDlgItem(id);
    return control && control->isVisibleTo(this);
}

void CADialog::SetControlsReadOnly(std::initializer_list<int> ids, bool on)
{
    ForEachListedControl(ids, [&](int id) { SetControlReadOnly(id, on); });
}

void CADialog::SetControlReadOnly(int id, bool on)
{
    SetWidgetReadOnly(GetDlgItem(id), on);
}

bool CADialog::IsControlReadOnly(int id) const
{
    return IsWidgetReadOnly(GetDlgItem(id));
}

void CADialog::LimitTextToField(int id, size_t fieldWidth)
{
    if (auto* edit = GetDlgItemAs<QLineEdit>(id))
        LimitEditToField(*edit, fieldWidth);
}

// ---- caption

void CADialog::SetTitleText(const QString& text)
{
    const std::string utf8 = text.toStdString();
    UpdateCaption(kCaptionText, utf8.c_str());
}

void CADialog::UpdateCaption(uint32_t flags, const char* text, bool replace, bool keepAsBase)
{
    if (AppSettings().directControl)
        flags &= ~kCaptionLocation;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(neId_));
    if (ne == nullptr)
        flags &= ~(kCaptionNe | kCaptionEntity);

    const bool entityBelowNe = targetEntity_.index.GetLevel() > 1;
    auto entityText = [&] { return FormatEntityLocation(ne, targetEntity_.index, 0, false); };
    std::string target;
    bool targetFirst = true;
    if (flags & kCaptionNew) {
        target = "<new>";
        targetFirst = false;
    } else if (flags & kCaptionText) {
        if (text == nullptr)
            return;
        target = text;
        targetFirst = false;
    } else if ((flags & kCaptionLocation) && (flags & kCaptionNe)) {
        const CLocationNode* location = FindLocation(ne->locationId);
        target = "[" + (location ? location->name : std::string()) + ":" + ne->name + "]";
        if ((flags & kCaptionEntity) && entityBelowNe)
            target += " <" + entityText() + ">";
    } else if (flags & kCaptionLocation) {
        if (locationId_ != 0) {
            const CLocationNode* location = FindLocation(static_cast<uint32_t>(locationId_));
            if (location == nullptr)
                return;
            target = "[" + location->name + "]";
        } else {
            target = "[ALL]";
        }
    } else if (flags & kCaptionNe) {
        target = "[" + ne->name + "]";
        if ((flags & kCaptionEntity) && entityBelowNe)
            target += " <" + entityText() + ">";
    } else if (flags & kCaptionUser) {
        if (userName_.empty()) {
            target = LoadString(kStrAll);
        } else {
            const CUserAccount* account = FindUserAccount(userName_);
            if (account == nullptr)
                return;
            target = "<" + account->name + ">";
        }
        targetFirst = false;
    } else {
        return;
    }
    if (flags & kCaptionTargetFirst)
        targetFirst = true;
    else if (flags & kCaptionBaseFirst)
        targetFirst = false;

    std::string caption;
    if (replace)
        caption = target;
    else if (targetFirst)
        caption = target + " " + baseCaption_;
    else
        caption = baseCaption_ + " : " + target;
    setWindowTitle(QString::fromStdString(caption));
    if (keepAsBase)
        baseCaption_ = Cut(target, kBaseCaptionMax);
}

// ---- message line

int CADialog::GetMarkedControl(int n) const
{
    return n >= 1 && n <= kMaxMarkedControls ? markedControls_[n - 1] : 0;
}

void CADialog::SetMarkedControls(int id1, int id2, int id3, int id4)
{
    markedControls_[0] = id1;
    markedControls_[1] = id2;
    markedControls_[2] = id3;
    markedControls_[3] = id4;
    InvalidateOverlay();
}

void CADialog::ShowInfoText(const QString& text, int id1, int focusId, int id2, int id3, int id4)
{
    ShowText(text, false, id1, focusId, id2, id3, id4);
}

void CADialog::ShowInfoTextById(uint32_t stringId, int id1, int focusId, int id2, int id3, int id4)
{
    ShowText(LoadQString(stringId), false, id1, focusId, id2, id3, id4);
}

void CADialog::ShowAlertText(const QString& text, int id1, int focusId, int id2, int id3, int id4)
{
    ShowText(text, true, id1, focusId, id2, id3, id4);
}

void CADialog::ShowAlertTextById(uint32_t stringId, int id1, int focusId, int id2, int id3, int id4)
{
    ShowText(LoadQString(stringId), true, id1, focusId, id2, id3, id4);
}

void CADialog::ShowText(const QString& text, bool alert, int id1, int focusId, int id2, int id3, int id4)
{
    if (focusId == 0)
        focusId = id1;
    if (isChild_) {
        // The ids are this page's controls: they are framed and focused here, and the container is given them with
        // the text.
        SetMarkedControls(id1, id2, id3, id4);
        if (QWidget* control = FindControl(this, focusId))
            control->setFocus();
        if (CADialog* parent = ParentDialog()) {
            parent->ShowText(text, alert, id1, focusId, id2, id3, id4);
            return;
        }
    }
    const CAppSettings& settings = AppSettings();
    const COLORREF textColor = alert ? settings.errMsgTextColor : settings.hintMsgTextColor;
    const COLORREF backColor = alert ? settings.errMsgBkColor : settings.hintMsgBkColor;
    messageTextColor_ = textColor;
    messageBackColor_ = backColor;
    SetMarkedControls(id1, id2, id3, id4);
    if (!hasMessageLine_) {
        if (!text.isEmpty())
            ShowStatusMessage(text);
        return;
    }
    if (!firstShowDone_) {
        if (previousCurrentDialog_ != nullptr) {
            previousCurrentDialog_->SetMessageTextColor(textColor);
            previousCurrentDialog_->SetMessageBackColor(backColor);
            previousCurrentDialog_->SetStatusText(text);
        } else {
            ShowStatusMessage(text);
        }
        return;
    }
    if (QWidget* control = FindControl(this, focusId))
        control->setFocus();
    SetStatusText(text);
}

void CADialog::SetStatusText(const QString& text)
{
    messageText_ = CutText(text, static_cast<qsizetype>(kMessageTextMax));
    InvalidateOverlay();
}

void CADialog::ClearMessageLine()
{
    messageText_.clear();
    for (int& id : markedControls_)
        id = 0;
    InvalidateOverlay();
}

int CADialog::MessageLineTextHeight() const
{
    return QFontMetrics(GetFont()).boundingRect(QStringLiteral("Wly")).height();
}

QRect CADialog::MessageLineRect() const
{
    if (!messageLineGrown_)
        return {};
    const int height = MessageLineTextHeight() + kMessageLinePadding;
    const int bottom = this->height() - kMessageLineInset;
    return QRect(QPoint(kMessageLineInset, bottom - height), QPoint(width() - kMessageLineInset - 1, bottom - 1));
}

// ---- font, placement

void CADialog::SetDialogFont(const char* spec)
{
    const QFont font = DialogFontFromSpec(spec);
    dialogFont_ = font;
    setFont(font);
    update();
}

void CADialog::SetPlacement(const QRect& rect)
{
    placement_ = rect;
    if (firstShowDone_ && !rect.isEmpty())
        setGeometry(rect);
}

// ---- checks

int CADialog::CheckRight(int function, char letter)
{
    if (CheckUserRight(AppData().role, function, letter) != 0)
        return 0;
    ShowAlertTextById(kStrNoPrivilege);
    return -1;
}

int CADialog::CheckAccessRight(int function)
{
    const char letter = accessMode_ == kAccessModify ? 'm' : (accessMode_ == kAccessCreate ? 'c' : 'q');
    return CheckRight(function, letter);
}

int CADialog::CheckTargetNe()
{
    if (FindNeById(static_cast<uint32_t>(neId_)) != nullptr)
        return 0;
    ShowAlertTextById(kStrUnknownNe);
    return -1;
}

void CADialog::EndOrEndContainer()
{
    if (isChild_) {
        if (CADialog* parent = ParentDialog()) {
            parent->EndDialog(IDCANCEL);
            return;
        }
    }
    EndDialog(IDCANCEL);
}

int CADialog::CheckRightOrClose(int function, char letter)
{
    if (CheckRight(function, letter) == 0)
        return 0;
    EndOrEndContainer();
    return -1;
}

int CADialog::CheckAccessRightOrClose(int function)
{
    if (CheckAccessRight(function) == 0)
        return 0;
    EndOrEndContainer();
    return -1;
}

int CADialog::CheckTargetNeOrClose()
{
    if (CheckTargetNe() == 0)
        return 0;
    EndDialog(IDCANCEL);
    return -1;
}

int CADialog::CheckPortTargetOrClose()
{
    if (accessMode_ == kAccessCreate || targetEntity_.index.GetLevel() == kEntityLevelPort)
        return 0;
    ShowAlertTextById(kStrInternalError);
    EndDialog(IDCANCEL);
    return -1;
}

int CADialog::CheckTargetLocationOrClose()
{
    if (FindLocation(static_cast<uint32_t>(locationId_)) != nullptr)
        return 0;
    ShowAlertTextById(kStrUnknownLocation);
    EndOrEndContainer();
    return -1;
}

int CADialog::CheckTargetUserOrClose()
{
    if (FindUserAccount(userName_) != nullptr)
        return 0;
    ShowAlertTextById(kStrUnknownUser);
    EndOrEndContainer();
    return -1;
}

int CADialog::CheckRoleOrClose(int maxRole)
{
    if (AppData().role <= maxRole)
        return 0;
    ShowAlertTextById(kStrNoPrivilege);
    EndOrEndContainer();
    return -1;
}

// ---- life

CADialog* CADialog::ParentDialog() const
{
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* dialog = qobject_cast<CADialog*>(w))
            return dialog;
    }
    return nullptr;
}

void CADialog::TakeCurrentRole()
{
    previousCurrentDialog_ = currentDialog;
    if (isChild_ || !ownsMessageLine_)
        return;
    currentDialog = this;
    tookCurrentRole_ = true;
    if (previousCurrentDialog_ != nullptr && previousCurrentDialog_ != this)
        previousCurrentDialog_->ClearMessageLine();
}

void CADialog::GiveBackCurrentRole()
{
    if (!tookCurrentRole_)
        return;
    tookCurrentRole_ = false;
    if (currentDialog == this)
        currentDialog = previousCurrentDialog_ != this ? previousCurrentDialog_ : nullptr;
}

bool CADialog::OnInitDialog()
{
    isChild_ = IsChildWindow();
    // The role is taken before the derived dialog's own start-up, so that what it reports before its first show
    // reaches the dialog it replaces and stays there.
    TakeCurrentRole();
    CDialog::OnInitDialog();
    RestoreTemplateLayout();
    for (int& id : markedControls_)
        id = 0;
    messageText_.clear();
    messageLineGrown_ = false;
    firstShowDone_ = false;
    ApplySkinToWindow(this);
    SetTimer(kFirstShowTimer, 10);
    if (hasMessageLine_ && !isChild_) {
        resize(width(), height() + MessageLineTextHeight() + kMessageLineGrowth);
        messageLineGrown_ = true;
    }
    if (!skipInitLayout_) {
        baseCaption_ = Cut(windowTitle().toStdString(), kBaseCaptionMax - 1);
        SetDialogFont(nullptr);
        if (!skipScaling_ && ScaleControls())
            return true;
    }
    if (!placement_.isEmpty())
        setGeometry(placement_);
    return true;
}

void CADialog::RestoreTemplateLayout()
{
    // A dialog run again starts from its template as a new window would, not from the size, caption, font and
    // control places its last run gave it.
    if (!templateLayout_) {
        TemplateLayout layout{size(), windowTitle(), font(), {}};
        for (QObject* object : children()) {
            if (auto* child = qobject_cast<QWidget*>(object); child != nullptr && !child->isWindow())
                layout.controls.emplace_back(child, child->geometry());
        }
        templateLayout_ = std::move(layout);
        return;
    }
    for (const auto& [control, geometry] : templateLayout_->controls) {
        if (control != nullptr)
            control->setGeometry(geometry);
    }
    setWindowTitle(templateLayout_->caption);
    dialogFont_.reset();
    setFont(templateLayout_->font);
    resize(templateLayout_->size);
}

bool CADialog::ScaleControls()
{
    const DisplayScale scale = GetDisplayScale();
    const double fx = scale.x - 1.0;
    const double fy = scale.y - 1.0;
    if (!(fx > 0.0) && !(fy > 0.0))
        return false;
    auto grown = [](int value, double factor) { return value + static_cast<int>(std::trunc(value * factor)); };
    for (QObject* object : children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child == nullptr || child->isWindow())
            continue;
        const QRect r = child->geometry();
        const int left = grown(r.left(), fx);
        const int top = grown(r.top(), fy);
        const int right = grown(r.left() + r.width(), fx);
        const int bottom = grown(r.top() + r.height(), fy);
        child->setGeometry(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
    }
    QRect target = placement_;
    if (target.isEmpty()) {
        const QRect window = geometry();
        const int dx = static_cast<int>(std::trunc(width() * fx / 2.0));
        const int dy = static_cast<int>(std::trunc(height() * fy / 2.0));
        target = window.adjusted(-dx, -dy, dx, dy);
    }
    if (target.left() < 0)
        target.moveLeft(0);
    if (target.top() < 0)
        target.moveTop(0);
    setGeometry(target);
    return true;
}

void CADialog::OnFirstShow()
{
    if (firstShowDone_)
        return;
    inFirstShow_ = true;
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    InitData();
    endedInLoad_ = IsEnded();
    PrepareListsAtFirstShow();
    inFirstShow_ = false;
    firstShowDone_ = true;
    InvalidateOverlay();
}

bool CADialog::OnCommand(int id, int code)
{
    const bool handled = CDialog::OnCommand(id, code);
    OnCommandHook(id, code);
    if (id == kRefreshButtonId && code == BN_CLICKED)
        RelayoutFilledLists();
    if (code == CBN_SELCHANGE || code == CBN_DROPDOWN || code == EN_CHANGE)
        ClearMessageLines();
    return handled;
}

bool CADialog::OnNotify(const NotifyHeader& header, int* result)
{
    // A list row changing (the operator selects another one) is a change like an edit's: the message line and the
    // frames speak of what was there before. Cleared first, so that what the dialog says of the new row stays.
    if (header.code == LVN_ITEMCHANGED)
        ClearMessageLines();
    HandleListNotify(header);
    return OnNotifyHook(header, result) != 0;
}

void CADialog::ClearMessageLines()
{
    ClearMessageLine();
    if (CADialog* parent = ParentDialog())
        parent->ClearMessageLine();
}

void CADialog::OnTimer(int id)
{
    if (id == kFirstShowTimer) {
        KillTimer(kFirstShowTimer);
        OnFirstShow();
        if (IsSkinnedWindow(this))
            SetTimer(kSkinRepaintTimer, 100);
    } else if (id == kSkinRepaintTimer) {
        KillTimer(kSkinRepaintTimer);
        InvalidateOverlay();
    } else {
        CDialog::OnTimer(id);
    }
}

void CADialog::OnDestroy()
{
    KillTimer(kFirstShowTimer);
    CDialog::OnDestroy();
    const bool wasCurrent = tookCurrentRole_;
    GiveBackCurrentRole();
    // A text the dialog's load gave its own line goes with a dialog that the load ended (a refusal): it would be lost
    // with the window, so it goes on where it would have gone before the window was up.
    if (wasCurrent && endedInLoad_ && !messageText_.isEmpty()) {
        const QString text = std::exchange(messageText_, QString());
        ShowStatusMessage(text);
    }
}

void CADialog::OnDrawOverlay(Dc& dc)
{
    if (isMinimized())
        return;
    DrawExtras(dc);
    DrawFrameExtras(dc);
    const QRect line = MessageLineRect();
    if (line.isEmpty())
        return;
    const DcRect outer{line.left(), line.top(), line.right() + 1, line.bottom() + 1};
    // A sunken edge: shadow above and left, light below and right, twice.
    dc.Draw3dRect(outer, 0x808080, 0xFFFFFF);
    dc.Draw3dRect(outer.Deflated(1, 1), 0x404040, 0xE0E0E0);
    const DcRect inner = outer.Deflated(2, 2);
    if (messageText_.isEmpty()) {
        dc.FillSolidRect(inner, AppSettings().hintMsgBkColor);
        return;
    }
    dc.FillSolidRect(inner, messageBackColor_);
    QPainter& painter = dc.Painter();
    painter.setFont(GetFont());
    painter.setPen(ToQColor(messageTextColor_));
    const QRect textRect(QPoint(line.left() + kMessageLineInset, inner.top),
                         QPoint(inner.right - 1 - 2, inner.bottom - 1));
    const QString shown = painter.fontMetrics().elidedText(messageText_, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}
